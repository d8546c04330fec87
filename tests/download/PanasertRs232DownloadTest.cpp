#include <string>
#include <vector>

#include "download/DownloadFixture.h"
#include "sim/PanasertRs232Machine.h"

namespace {

constexpr const char* kSerial = "000000000002";

class PanasertRs232DownloadTest : public DownloadFixture {
protected:
    PanasertRs232Machine& machine = AttachMachine<PanasertRs232Machine>(2, kSerial, "PANASERT/RS232");

    // Changes the stored channel before it is connected.
    void SetPnr(const std::string& etx, int useName) {
        ChannelConfig config;
        config.Channel = 2;
        ASSERT_TRUE(app.LoadChannelConfig(config));
        config.PnrEtx = etx;
        config.PnrPName = useName;
        app.SaveChannelConfig(config);
    }
    std::vector<std::string> DataFrames() const {
        std::vector<std::string> frames;
        for (const std::string& f : machine.Frames())
            if (f.rfind("D0", 0) == 0) frames.push_back(f.substr(2));
        return frames;
    }
};

TEST_F(PanasertRs232DownloadTest, LinesGoInFramesWithTheEndMarkAddedAndTheProgramName) {
    SetPnr("CR", 1);
    view.ProgramNameAnswer = "PCB-17";
    WriteNc("P.NCD", "N001 X10\nN002 X20\n\xC0N003 X30");
    ASSERT_TRUE(Download({"P.NCD"}));

    ASSERT_EQ(machine.Programs().size(), 1u);
    EXPECT_EQ(machine.Programs()[0].name, "PCB-17");
    EXPECT_EQ(machine.Programs()[0].lines, (std::vector<std::string>{"N001 X10", "N002 X20", "N003 X30", "*"}));
    EXPECT_EQ(machine.Frames().front(), "A2");
    EXPECT_EQ(machine.Frames()[1], "C0PCB-17");
    EXPECT_EQ(machine.Frames().back(), "A2");
    EXPECT_EQ(machine.Aborts(), 0);
    EXPECT_EQ(view.ProgramNameTitles, std::vector<std::string>{"Equipment to register for the program name"});
    EXPECT_TRUE(Shown("Downloading ... (P.NCD -> PCB-17)"));
    EXPECT_TRUE(Shown("Downloading complete."));
    // The frames end in CR: every byte on the wire is a frame byte.
    EXPECT_EQ(machine.Received().back(), 0x0D);
}

TEST_F(PanasertRs232DownloadTest, ClosingAbortFrameCompletesOnTheMachinesAnswerOrAfterTenSeconds) {
    WriteNc("P.NCD", "N001\r\n");
    ASSERT_TRUE(ConnectChannel(2));

    uint64_t start = loop.NowMs();
    ASSERT_TRUE(Download({"P.NCD"}));
    const uint64_t answered = loop.NowMs() - start;

    machine.SetAnswerAbort(false);
    start = loop.NowMs();
    ASSERT_TRUE(Download({"P.NCD"}));
    const uint64_t silent = loop.NowMs() - start;

    EXPECT_LT(answered, 10000u);
    EXPECT_GE(silent, 10000u);
    EXPECT_LT(silent, 20000u);
    // Either way the file has gone out whole and counts as completed.
    EXPECT_EQ(Count("Downloading complete."), 2);
    EXPECT_EQ(machine.Programs().size(), 2u);
    EXPECT_EQ(machine.Frames().back(), "A2");
    EXPECT_EQ(LastRun().FilesCompleted, 1);
    EXPECT_EQ(LastRun().EndState, 9000);
}

TEST_F(PanasertRs232DownloadTest, FileWithItsOwnEndMarkGetsNoSecondOne) {
    WriteNc("P.NCD", "N001\r\nN002 *\r\nN003\r\n");
    ASSERT_TRUE(Download({"P.NCD"}));
    EXPECT_EQ(DataFrames(), (std::vector<std::string>{"N001", "N002 *"}));
    ASSERT_EQ(machine.Programs().size(), 1u);
    EXPECT_EQ(machine.Programs()[0].name, "");
}

TEST_F(PanasertRs232DownloadTest, EtxChannelEndsFramesWithEtxBothWays) {
    SetPnr("^C", 0);
    machine.SetEndByte(0x03);
    WriteNc("P.NCD", "N001\r\nN002\r\n");
    ASSERT_TRUE(Download({"P.NCD"}));
    EXPECT_TRUE(Shown("Downloading complete."));
    ASSERT_EQ(machine.Programs().size(), 1u);
    EXPECT_EQ(machine.Received().back(), 0x03);
    // Only while the job runs does ETX end a received line.
    EXPECT_FALSE(terminal.EtxEndsLine);
}

TEST_F(PanasertRs232DownloadTest, BadChecksumIsAnsweredWithA1AndTheFifthFailureAborts) {
    WriteNc("P.NCD", "N001\r\nN002\r\n");
    machine.SetBadChecksumAnswers(1);
    machine.SetRepeatRequests(1);
    ASSERT_TRUE(Download({"P.NCD"}));
    EXPECT_TRUE(Shown("Downloading complete."));
    ASSERT_EQ(machine.Programs().size(), 1u);
    EXPECT_EQ(machine.Programs()[0].lines, (std::vector<std::string>{"N001", "N002", "*"}));
    auto count = [&](const std::string& frame) {
        return std::count(machine.Frames().begin(), machine.Frames().end(), frame);
    };
    EXPECT_EQ(count("A1E03"), 1);
    // The machine's own "A1" makes the job send the same frame again.
    EXPECT_EQ(count("D0N001"), 2);

    machine.SetBadChecksumAnswers(5);
    ASSERT_TRUE(Download({"P.NCD"}));
    EXPECT_TRUE(Shown("Canceled downloading by transfer error.(50)"));
    EXPECT_EQ(count("A1E03"), 1 + 4);
    EXPECT_EQ(machine.Frames().back(), "A2");
    EXPECT_EQ(machine.Aborts(), 1);
    EXPECT_EQ(machine.Programs().size(), 1u);
    EXPECT_EQ(LastRun().FilesNotCompleted, 1);
}

TEST_F(PanasertRs232DownloadTest, CancelWorksWhenTheDownloadMadeTheConnectionItself) {
    std::string longFile;
    for (int i = 0; i < 200; ++i) longFile += "N" + std::to_string(1000 + i) + "X100Y200\r\n";
    WriteNc("LONG.NCD", longFile);
    Choose({"LONG.NCD"});
    view.ChannelToSelect = 2;
    Post(WindowMsg::StartDownload);   // not connected: the dispatcher connects
    ASSERT_TRUE(loop.RunUntil([&] { return DataFrames().size() >= 5; }, 120000));

    Post(WindowMsg::Cancel);
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_TRUE(Shown("Downloading canceled."));
    EXPECT_EQ(machine.Aborts(), 1);
    EXPECT_LT(DataFrames().size(), 200u);
}

TEST_F(PanasertRs232DownloadTest, MachineThatFallsSilentTimesOut) {
    WriteNc("P.NCD", "N001\r\nN002\r\n");
    machine.SetStopAfterFrames(3);   // A2, C0, the first line
    ASSERT_TRUE(Download({"P.NCD"}));
    EXPECT_TRUE(Shown("No response from MC!(50)"));
    EXPECT_TRUE(terminal.StatusFlags & Status::LinkIdle);
}

TEST_F(PanasertRs232DownloadTest, LineTooLongForAFrameEndsThatFileByName) {
    WriteNc("LONG.NCD", "N001\r\n" + std::string(89, 'Y') + "\r\nN003\r\n");
    WriteNc("OK.NCD", "N001\r\n");
    ASSERT_TRUE(Download({"OK.NCD", "LONG.NCD"}));

    EXPECT_TRUE(Shown("Invalid NCD format(40) : " + std::string(89, 'Y')));
    // Nothing of the long line went out; the machine dropped the started program.
    EXPECT_EQ(DataFrames(), (std::vector<std::string>{"N001", "N001", "*"}));
    EXPECT_EQ(machine.Aborts(), 1);
    ASSERT_EQ(machine.Programs().size(), 1u);
    EXPECT_EQ(LastRun().FilesCompleted, 1);
    EXPECT_EQ(LastRun().FilesNotCompleted, 1);
}

TEST_F(PanasertRs232DownloadTest, ProgramNameThatCannotTravelIsRefusedBeforeAnythingIsSent) {
    SetPnr("CR", 1);
    view.ProgramNameAnswer = std::string("AB\rCD");
    WriteNc("P.NCD", "N001\r\n");
    ASSERT_TRUE(Download({"P.NCD"}));
    EXPECT_TRUE(Shown("Invalid NCD format(0) : AB^MCD"));
    EXPECT_TRUE(machine.Frames().empty());

    view.ProgramNameAnswer = std::string(19, 'N');
    ASSERT_TRUE(Download({"P.NCD"}));
    EXPECT_TRUE(ShownStartingWith("Invalid NCD format(0) : NNNN"));
    EXPECT_TRUE(machine.Frames().empty());
}

TEST_F(PanasertRs232DownloadTest, DeclinedProgramNameCancelsTheWholeDownload) {
    SetPnr("CR", 1);
    WriteNc("A.NCD", "N001\r\n");
    WriteNc("B.NCD", "N001\r\n");
    ASSERT_TRUE(Download({"A.NCD", "B.NCD"}));
    EXPECT_EQ(view.ProgramNameTitles.size(), 1u);
    EXPECT_TRUE(Shown("Downloading canceled."));
    EXPECT_EQ(LastRun().EndState, 9001);
    EXPECT_EQ(LastRun().FilesNotCompleted, 2);
    EXPECT_TRUE(machine.Frames().empty());
    EXPECT_TRUE(terminal.StatusFlags & Status::LinkIdle);
    EXPECT_EQ(terminal.Engine.EventMask, 0u);
}

}  // namespace
