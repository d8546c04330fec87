// The protocol rules of the CITIZEN/M10, TDK/VC5A, TDK/VC5 and UNIVERSAL
// downloads that go beyond the lines sent: flow control, the start signal,
// the header rule, echoes and the machine's error reports.

#include <string>
#include <vector>

#include "download/FourTypesFixture.h"

namespace {

using FourTypesProtocolTest = FourTypesFixture;

std::string NumberedLines(int count, const char* tail) {
    std::string text;
    for (int i = 1; i <= count; ++i) text += "N" + std::to_string(i) + " X" + std::to_string(i * 25) + tail + "\r\n";
    return text;
}

TEST_F(FourTypesProtocolTest, CitizenPausesOnDc3AndResumesOnDc1) {
    Use("CITIZEN/M10");
    const std::string file = "O3000\r\n" + NumberedLines(40, " Y10.0") + "M30\r\n%\r\n";
    WriteNc("P.NCD", file);
    citizen.SetPause(100, 3000);
    Choose({"P.NCD"});
    ASSERT_TRUE(ConnectChannel(4));
    Post(WindowMsg::StartDownload);
    ASSERT_TRUE(loop.RunUntil([this] { return citizen.Pauses() == 1; }, 60000));
    // Bytes on their way when DC3 left the machine still arrive; then nothing until DC1.
    loop.RunFor(1000);
    const std::size_t held = RadioText().size();
    loop.RunFor(1500);
    EXPECT_EQ(RadioText().size(), held);
    ASSERT_TRUE(RunUntilIdle());
    loop.RunFor(4000);
    EXPECT_GT(citizen.Pauses(), 3);
    EXPECT_TRUE(Shown("Downloading complete."));
    ASSERT_EQ(citizen.Programs().size(), 1u);
    EXPECT_EQ(citizen.Programs()[0], file.substr(0, file.size() - 2));   // up to its '%'
}

TEST_F(FourTypesProtocolTest, CitizenDc3ThatNeverEndsFailsAndTheNextTransferWorks) {
    Use("CITIZEN/M10");
    WriteNc("P.NCD", NumberedLines(300, "") + "%\r\n");
    citizen.SetPause(60, -1);
    ASSERT_TRUE(Send({"P.NCD"}));
    EXPECT_TRUE(Shown("No response from MC!(40)"));
    EXPECT_EQ(LastRun().FilesNotCompleted, 1);
    loop.RunFor(4000);
    // The rest of the stalled chunk never follows; ETX made the reader drop the tape.
    EXPECT_TRUE(citizen.Programs().empty());
    EXPECT_EQ(citizen.Aborts(), 1);
    EXPECT_EQ(terminal.Tx.Count(), 0);

    citizen.SetPause(0, 0);
    ASSERT_TRUE(Send({"P.NCD"}));
    EXPECT_EQ(LastRun().EndState, 9000);
    loop.RunFor(4000);
    EXPECT_EQ(StoredLines().size(), 301u);
}

TEST_F(FourTypesProtocolTest, TdkVc5aStartsOnTheMachinesSignalOrByHand) {
    Use("TDK/VC5A");
    WriteNc("P.NCD", "N1 X1 Y1 P1 M1\r\nN2 X2\r\n");
    ASSERT_TRUE(Send({"P.NCD"}));
    EXPECT_EQ(vc5a.Starts(), 1);
    EXPECT_EQ(view.WaitStartDialogs, 1);
    EXPECT_FALSE(view.WaitStartDialogOpen);
    EXPECT_TRUE(Shown("Waiting for start signal."));
    // Four NULs before each line, CR LF after it.
    EXPECT_NE(RadioText().find(std::string(4, '\0') + "N2 X2\r\n"), std::string::npos);

    vc5a.SetStartIntervalMs(0);
    StartAndRunUntil("P.NCD", [this] { return view.WaitStartDialogOpen; });
    loop.RunFor(30000);   // no time limit while it waits
    ASSERT_TRUE(view.WaitStartDialogOpen);
    Post(WindowMsg::UserStart);
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_FALSE(view.WaitStartDialogOpen);
    EXPECT_EQ(vc5a.Starts(), 1);
    ASSERT_EQ(vc5a.Programs().size(), 2u);
    EXPECT_EQ(vc5a.Programs()[1], (std::vector<std::string>{"N1 X1 Y1 P1 M1", "N2 X2", "EX"}));
    EXPECT_EQ(Count("Downloading complete."), 2);
}

TEST_F(FourTypesProtocolTest, TdkVc5aFileWithoutHeaderIsRefusedAsEmptyAfterItWasSent) {
    Use("TDK/VC5A");
    struct Case {
        const char* file;
        const char* shown;
        std::size_t programs;   // what the machine holds afterwards
    };
    const Case cases[] = {
        // ETX makes the machine drop the lines it took.
        {"N1 X1\r\nN2 X2\r\n", "Empty file.(120) : H1.NCD", 0},
        // The machine has the program; the PC does not count it as sent.
        {"N1 X1\r\nN2 X2 EX\r\n", "Empty file.(130) : H2.NCD", 1},
        {"\r\n\x01\r\n", "Empty file.(120) : H3.NCD", 1},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string name = "H" + std::to_string(++n) + ".NCD";
        WriteNc(name, c.file);
        ASSERT_TRUE(Send({name}));
        EXPECT_TRUE(Shown(c.shown)) << name;
        EXPECT_EQ(LastRun().FilesNotCompleted, 1) << name;
        loop.RunFor(2000);
        EXPECT_EQ(vc5a.Programs().size(), c.programs) << name;
    }
    EXPECT_EQ(vc5a.Aborts(), 1);
    EXPECT_FALSE(Shown("Downloading complete."));
    EXPECT_FALSE(Sub().BusyReports());
}

TEST_F(FourTypesProtocolTest, TdkVc5CommandEchoMustComeBackUnchanged) {
    Use("TDK/VC5");
    WriteNc("P.NCD", NumberedLines(3, ""));
    vc5.SetGarbledEchoOf("RE");
    ASSERT_TRUE(Send({"P.NCD"}));
    EXPECT_TRUE(Shown("No response from MC!(40)"));
    EXPECT_EQ(vc5.Find(kProgramName), nullptr);

    ASSERT_TRUE(Send({"P.NCD"}));
    EXPECT_TRUE(Shown("Downloading ... (P.NCD,PRG1)"));
    EXPECT_TRUE(Shown("Downloading complete."));
    EXPECT_EQ(StoredLines().size(), 4u);
    // The busy reports of the transfer are off again.
    EXPECT_FALSE(Sub().BusyReports());
    EXPECT_NE(vc5.Commands().back().find("RE PRG1"), std::string::npos);
}

TEST_F(FourTypesProtocolTest, TdkVc5MachineThatNeverConfirmsTheEndFailsWithItsBusyReportsOff) {
    Use("TDK/VC5");
    WriteNc("P.NCD", NumberedLines(20, ""));
    StartAndRunUntil("P.NCD", [this] { return vc5.CurrentMode() == TdkVc5Machine::Mode::Receiving; });
    vc5.SetAnswering(false);
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_TRUE(Shown("No response from MC!(60)"));
    loop.RunFor(1000);
    EXPECT_FALSE(Sub().BusyReports());
}

TEST_F(FourTypesProtocolTest, UniversalEchoMismatchAndErrorReportEndTheFile) {
    Use("UNIVERSAL");
    WriteNc("P.NCD", NumberedLines(5, " Y1.5"));

    universal.SetWrongEchoAtLine(2);
    ASSERT_TRUE(Send({"P.NCD"}));
    EXPECT_TRUE(Shown("Receive data is not valid."));
    EXPECT_TRUE(Shown("Sent : N2 X50 Y1.5"));
    EXPECT_TRUE(Shown("Receive : N2 X50 Y1.5#"));
    EXPECT_EQ(LastRun().FilesNotCompleted, 1);
    EXPECT_EQ(universal.Aborts(), 1);   // ETX

    universal.SetWrongEchoAtLine(-1);
    universal.SetRefuseLine(3);
    ASSERT_TRUE(Send({"P.NCD"}));
    EXPECT_TRUE(Shown("Failed to confirm version of module.(30)"));
    EXPECT_EQ(universal.Find(kProgramName), nullptr);

    universal.SetRefuseLine(-1);
    ASSERT_TRUE(Send({"P.NCD"}));
    EXPECT_TRUE(Shown("Downloading complete."));
    EXPECT_EQ(StoredLines().size(), 5u);
    // Input ends with ".\r" after the last line.
    std::string radio = RadioText();
    EXPECT_EQ(radio.substr(radio.size() - 2), ".\r");
    EXPECT_TRUE(Shown("Downloading ... (P.NCD,PRG1)"));
}

}  // namespace
