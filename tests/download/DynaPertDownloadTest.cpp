#include <algorithm>
#include <string>
#include <vector>

#include "download/DownloadFixture.h"
#include "engine/JobEvents.h"
#include "sim/DynaPertMachine.h"

namespace {

constexpr const char* kSerial = "000000000001";

// Answers the ETX with its ready mark and then never stops talking.
class ChatteringDynaPert : public SimulatedMachine {
public:
    std::string TypeName() const override { return "DYNA/PERT"; }
    void OnLineByte(uint8_t byte) override {
        if (byte == 0x03 && !talking_) {
            talking_ = true;
            SendToLine("*");
            Chatter();
        }
    }

private:
    void Chatter() {
        After(200, [this] {
            SendToLine("#");
            Chatter();
        });
    }
    bool talking_ = false;
};

class DynaPertDownloadTest : public DownloadFixture {
protected:
    DynaPertMachine& machine = AttachMachine<DynaPertMachine>(1, kSerial, "DYNA/PERT");
};

TEST_F(DynaPertDownloadTest, LineEndsAndHighBytesFormTheLinesAndEachIsEchoed) {
    WriteNc("CRLF.NCD", "N001 X100 Y200\r\nN002 X110 Y210\r\nM02\r\n");
    WriteNc("LF.NCD", "N001 X100 Y200\nN002 X110 Y210\nM02");
    WriteNc("HIGH.NCD", "N001 X100\xB0Y200\r\n\r\n\x90\xFF");

    ASSERT_TRUE(Download({"CRLF.NCD"}));
    ASSERT_TRUE(Download({"LF.NCD"}));
    ASSERT_TRUE(Download({"HIGH.NCD"}));

    const std::vector<std::string> lines = {"N001 X100 Y200", "N002 X110 Y210", "M02"};
    ASSERT_EQ(machine.Programs().size(), 3u);
    EXPECT_EQ(machine.Programs()[0], lines);
    EXPECT_EQ(machine.Programs()[1], lines);   // the last line without terminator too
    EXPECT_EQ(machine.Programs()[2], (std::vector<std::string>{"N001 X100", "Y200"}));
    EXPECT_EQ(Count("Downloading complete."), 3);
    EXPECT_TRUE(Shown("Downloading ... (LF.NCD)"));
    EXPECT_EQ(LastRun().FilesCompleted, 1);
    EXPECT_EQ(LastRun().EndState, 9000);
    // The link is idle again and the time display stopped.
    EXPECT_TRUE(terminal.StatusFlags & Status::LinkIdle);
    EXPECT_FALSE(terminal.StatusFlags & (Status::DownloadTime | Status::FileBufferLoaded));
    EXPECT_EQ(view.FileProgress.first, view.FileProgress.second);
    EXPECT_EQ(terminal.Engine.EventMask, 0u);
}

TEST_F(DynaPertDownloadTest, ThreeFilesGoLastSelectedFirstEachWithItsOwnRun) {
    WriteNc("A.NCD", "NA1\r\nNA2\r\n");
    WriteNc("B.NCD", "NB1\r\n");
    WriteNc("C.NCD", "NC1\r\nNC2\r\nNC3\r\n");
    ASSERT_TRUE(Download({"A.NCD", "B.NCD", "C.NCD"}));

    ASSERT_EQ(machine.Programs().size(), 3u);
    EXPECT_EQ(machine.Programs()[0], (std::vector<std::string>{"NC1", "NC2", "NC3"}));
    EXPECT_EQ(machine.Programs()[1], (std::vector<std::string>{"NB1"}));
    EXPECT_EQ(machine.Programs()[2], (std::vector<std::string>{"NA1", "NA2"}));
    EXPECT_EQ(Count("Downloading complete."), 3);
    EXPECT_EQ(LastRun().FilesCompleted, 3);
    // The total bar counts every file of the run.
    EXPECT_EQ(view.TotalProgress, std::make_pair(10 + 5 + 15, 10 + 5 + 15));
}

TEST_F(DynaPertDownloadTest, WakeQuestionsAreAnsweredBeforeLoading) {
    WriteNc("P.NCD", "N001\r\n");
    machine.SetWakeQuestion('~');
    ASSERT_TRUE(Download({"P.NCD"}));
    machine.SetWakeQuestion('?');
    ASSERT_TRUE(Download({"P.NCD"}));
    EXPECT_EQ(machine.Programs().size(), 2u);
    EXPECT_EQ(Count("Downloading complete."), 2);
    std::string received(machine.Received().begin(), machine.Received().end());
    EXPECT_NE(received.find("\x03\x03L"), std::string::npos);   // '~' wanted a second ETX
    EXPECT_NE(received.find("\x03NL"), std::string::npos);      // '?' wanted an "N"
}

TEST_F(DynaPertDownloadTest, WrongEchoEndsWithBothLinesShownAndTheNextTransferWorks) {
    WriteNc("P.NCD", "N001 X10\r\nN002 X20\r\nN003 X30\r\n");
    machine.SetWrongEchoAtLine(2);
    ASSERT_TRUE(Download({"P.NCD"}));

    EXPECT_TRUE(Shown("Sent : N002 X20"));
    EXPECT_TRUE(Shown("Receive : N002 X21"));
    EXPECT_TRUE(Shown("[NCD delay bits] of this channel, Set larger."));
    EXPECT_TRUE(Shown("Receive data is not valid."));
    EXPECT_FALSE(Shown("Downloading complete."));
    // The machine was stopped with ETX and holds no partial program.
    EXPECT_EQ(machine.Aborts(), 1);
    EXPECT_TRUE(machine.Programs().empty());
    EXPECT_EQ(LastRun().FilesNotCompleted, 1);
    EXPECT_TRUE(terminal.StatusFlags & Status::LinkIdle);

    machine.SetWrongEchoAtLine(-1);
    ASSERT_TRUE(Download({"P.NCD"}));
    ASSERT_EQ(machine.Programs().size(), 1u);
    EXPECT_EQ(machine.Programs()[0].size(), 3u);
}

TEST_F(DynaPertDownloadTest, AWrongEchoOfAVeryLongLineShowsOnlyTheStartOfBoth) {
    const std::string longLine = "N001 " + std::string(5000, 'X');
    WriteNc("P.NCD", longLine + "\r\n");
    machine.SetWrongEchoAtLine(1);
    ASSERT_TRUE(Download({"P.NCD"}));
    EXPECT_TRUE(Shown("Receive data is not valid."));
    for (const char* label : {"Sent : ", "Receive : "}) {
        const auto texts = StatusTexts();
        auto entry = std::find_if(texts.begin(), texts.end(),
                                  [&](const std::string& t) { return t.rfind(label, 0) == 0; });
        ASSERT_NE(entry, texts.end()) << label;
        EXPECT_LT(entry->size(), 200u) << *entry;
        EXPECT_EQ(entry->substr(entry->size() - 3), "...") << *entry;
    }
}

TEST_F(DynaPertDownloadTest, MachineThatStopsInTheMiddleTimesOut) {
    WriteNc("P.NCD", "N001\r\nN002\r\nN003\r\n");
    machine.SetStopAfterLines(1);
    ASSERT_TRUE(Download({"P.NCD"}));
    EXPECT_TRUE(Shown("No response from MC!(50)"));
    EXPECT_TRUE(terminal.StatusFlags & Status::LinkIdle);
    // The job nudged the machine with NULs before it gave up, then stopped it.
    std::string received(machine.Received().begin(), machine.Received().end());
    EXPECT_NE(received.find(std::string("N002\r") + '\0'), std::string::npos);
    EXPECT_EQ(received.back(), '\x03');
}

TEST_F(DynaPertDownloadTest, FileOfSeparatorsOnlySendsNoLineAndEndsAtTheReadyMark) {
    WriteNc("SEP.NCD", "\r\n\r\n\xA0\xA1\r\n");
    WriteNc("TAIL.NCD", "N001\r\n\r\n\r\n\x80\x81\r\n");
    ASSERT_TRUE(Download({"SEP.NCD"}));
    ASSERT_TRUE(Download({"TAIL.NCD"}));
    EXPECT_EQ(Count("Downloading complete."), 2);
    ASSERT_EQ(machine.Programs().size(), 2u);
    EXPECT_TRUE(machine.Programs()[0].empty());
    EXPECT_EQ(machine.Programs()[1], std::vector<std::string>{"N001"});
}

TEST_F(DynaPertDownloadTest, CancelFromTheProgramPageEndsTheWholeDownload) {
    std::string longFile;
    for (int i = 0; i < 200; ++i) longFile += "N" + std::to_string(1000 + i) + " X100 Y200\r\n";
    WriteNc("LONG.NCD", longFile);
    WriteNc("NEXT.NCD", "N001\r\n");
    Choose({"NEXT.NCD", "LONG.NCD"});
    ASSERT_TRUE(ConnectChannel(1));
    Post(WindowMsg::StartDownload);
    ASSERT_TRUE(loop.RunUntil([&] { return machine.Loading().size() >= 5; }, 60000));

    Post(WindowMsg::Cancel);
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_TRUE(Shown("Downloading canceled."));
    EXPECT_FALSE(Shown("Downloading complete."));
    // NEXT.NCD never started.
    EXPECT_FALSE(Shown("Downloading ... (NEXT.NCD)"));
    EXPECT_EQ(LastRun().EndState, 9001);
    EXPECT_EQ(LastRun().FilesNotCompleted, 2);
    EXPECT_EQ(machine.Aborts(), 1);
    // The dispatcher finished last, alone: the link is idle and takes keys again.
    EXPECT_EQ(terminal.Engine.ActiveJobs, 0u);
    EXPECT_EQ(terminal.Engine.EventMask, 0u);
    EXPECT_TRUE(terminal.StatusFlags & Status::LinkIdle);
    EXPECT_TRUE(terminal.StatusFlags & Status::ShowReceived);
    EXPECT_FALSE(loop.IsTimerArmed(kTimerJob));

    ASSERT_TRUE(Download({"NEXT.NCD"}));
    EXPECT_EQ(machine.Programs().back(), std::vector<std::string>{"N001"});
}

TEST_F(DynaPertDownloadTest, CancelWorksWhenTheDownloadMadeTheConnectionItself) {
    // The usual way: F3 while not connected. The connect and the module set-up
    // run as children of the dispatcher and must leave it able to hear Cancel.
    std::string longFile;
    for (int i = 0; i < 200; ++i) longFile += "N" + std::to_string(1000 + i) + " X100 Y200\r\n";
    WriteNc("LONG.NCD", longFile);
    Choose({"LONG.NCD"});
    view.ChannelToSelect = 1;
    Post(WindowMsg::StartDownload);
    ASSERT_TRUE(loop.RunUntil([&] { return machine.Loading().size() >= 5; }, 120000));
    EXPECT_EQ(terminal.Engine.EventMask & EV_CANCEL, EV_CANCEL);

    Post(WindowMsg::Cancel);
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_TRUE(Shown("Downloading canceled."));
    EXPECT_EQ(machine.Aborts(), 1);
    EXPECT_TRUE(machine.Programs().empty());
}

TEST_F(DynaPertDownloadTest, CancelWhileItsConnectFinishesEndsTheDownloadUnsent) {
    WriteNc("P.NCD", "N001\r\n");
    Choose({"P.NCD"});
    view.ChannelToSelect = 1;
    Post(WindowMsg::StartDownload);
    // Set up and connected, the connect job still finishing.
    ASSERT_TRUE(loop.RunUntil([&] { return (terminal.StatusFlags & Status::SubSetUp) != 0; }, 120000));
    ASSERT_TRUE(terminal.Engine.IsActive(JobBit::Connect));
    Post(WindowMsg::Cancel);
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_TRUE(Shown("Downloading canceled."));
    EXPECT_EQ(LastRun().EndState, 9001);
    EXPECT_FALSE(Shown("Downloading ... (P.NCD)"));
    EXPECT_TRUE(machine.Programs().empty());
}

TEST_F(DynaPertDownloadTest, SimulatedMachineEndsAProgramAfterANudgeToo) {
    // The PC's NUL nudge after the last echo must not leave the program open.
    for (char c : std::string("L")) machine.OnLineByte(static_cast<uint8_t>(c));
    for (char c : std::string("N001\r")) machine.OnLineByte(static_cast<uint8_t>(c));
    loop.RunFor(1000);
    machine.OnLineByte(0x00);
    loop.RunFor(5000);
    ASSERT_EQ(machine.Programs().size(), 1u);
    EXPECT_EQ(machine.Programs()[0], std::vector<std::string>{"N001"});
}

TEST_F(DownloadFixture, AMachineThatNeverFallsQuietFailsTheFileInTenSeconds) {
    AttachMachine<ChatteringDynaPert>(1, kSerial, "DYNA/PERT");
    WriteNc("P.NCD", "N001\r\n");
    ASSERT_TRUE(Download({"P.NCD"}, 60000));
    EXPECT_TRUE(Shown("No response from MC!(30)"));
    EXPECT_EQ(LastRun().FilesNotCompleted, 1);
}

TEST_F(DynaPertDownloadTest, LineTheTransmitQueueCannotTakeFailsTheFile) {
    WriteNc("HUGE.NCD", "N001\r\n" + std::string(TxRing::kCapacity + 10, 'X') + "\r\nN003\r\n");
    WriteNc("OK.NCD", "N001\r\n");
    ASSERT_TRUE(Download({"OK.NCD", "HUGE.NCD"}, 1200000));
    EXPECT_TRUE(Shown("Downloading failed.(50)"));
    EXPECT_EQ(LastRun().FilesNotCompleted, 1);
    EXPECT_EQ(LastRun().FilesCompleted, 1);
    ASSERT_FALSE(machine.Programs().empty());
    EXPECT_EQ(machine.Programs().back(), std::vector<std::string>{"N001"});
}

}  // namespace
