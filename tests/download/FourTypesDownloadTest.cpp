// What the CITIZEN/M10, TDK/VC5A, TDK/VC5 and UNIVERSAL machines receive from a
// file, and how each protocol's waiting states end.

#include <string>
#include <vector>

#include "download/FourTypesFixture.h"
#include "download/TdkVc5aDownloadJob.h"
#include "download/UniversalDownloadJob.h"

namespace {

struct LineCase {
    const char* type;
    const char* file;   // with CR LF line ends; also sent with LF alone
    std::vector<std::string> stored;
};

std::string WithLfOnly(std::string text) {
    std::string out;
    for (char c : text)
        if (c != '\r') out += c;
    return out;
}

class LineFormTest : public FourTypesFixture, public testing::WithParamInterface<LineCase> {};

TEST_P(LineFormTest, MachineStoresTheLinesOfTheFileWhateverItsLineEnds) {
    const LineCase& c = GetParam();
    Use(c.type);
    WriteNc("CRLF.NCD", c.file);
    WriteNc("LF.NCD", WithLfOnly(c.file));
    for (const char* name : {"CRLF.NCD", "LF.NCD"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(Send({name}));
        EXPECT_EQ(LastRun().FilesCompleted, 1);
        EXPECT_EQ(LastRun().EndState, 9000);
        // The job is done once the last bytes have left; the machine takes them a little later.
        loop.RunFor(4000);
        EXPECT_EQ(StoredLines(), c.stored);
    }
    EXPECT_EQ(Count("Downloading complete."), 2);
    EXPECT_EQ(terminal.Engine.EventMask, 0u);
    EXPECT_FALSE(Sub().BusyReports());
    EXPECT_FALSE(Sub().ReadyReports());
}

INSTANTIATE_TEST_SUITE_P(
    Files, LineFormTest,
    testing::Values(
        // The tape goes unchanged; the end mark is added as a chunk of its own.
        LineCase{"CITIZEN/M10", "O1000\r\nN10 G00 X10.0 Y5.0\r\nN20 M30\r\n",
                 {"O1000", "N10 G00 X10.0 Y5.0", "N20 M30", "%"}},
        LineCase{"CITIZEN/M10", "O1000\r\nN10 X1 %\r\nN20 NOT SENT\r\n", {"O1000", "N10 X1 %"}},
        // A leading '%' opens the tape; the second one ends it.
        LineCase{"CITIZEN/M10", "%\r\nO2000\r\nN10 X1\r\n%\r\n", {"%", "O2000", "N10 X1", "%"}},
        LineCase{"CITIZEN/M10", "\r\n\r\n", {"%"}},
        LineCase{"TDK/VC5A", "N1 X100 Y200 P1 M0\r\nN2 X110\xB0Y210\r\nN3 X120 EX\r\nN4\r\n",
                 {"N1 X100 Y200 P1 M0", "N2 X110", "Y210", "N3 X120 EX"}},
        LineCase{"TDK/VC5A", "PCB A\r\nN1 X1 Y1 P2 M3\r\n\r\n", {"PCB A", "N1 X1 Y1 P2 M3", "EX"}},
        // Only numbered lines and the end mark reach a TDK/VC5.
        LineCase{"TDK/VC5", "(BOARD 7)\r\nN0001 X100 Y100\r\nG90\r\nN0002 X200\r\n",
                 {"N0001 X100 Y100", "N0002 X200", "EX"}},
        LineCase{"TDK/VC5", "N0001 X1\r\nEX\r\nN0002 LOST\r\n", {"N0001 X1", "EX"}},
        LineCase{"TDK/VC5", "\x01\r\n", {"EX"}},
        // UNIVERSAL: lines with '.' or '>', the text behind '>', a '.' behind
        // the last '>' line.
        LineCase{"UNIVERSAL", "PCB-7.NCD\r\n0001>  +00100 X1 Y2  \r\nCOMMENT\r\n0002>  +00200 X3 Y4\r\n",
                 {"PCB-7.NCD", "+00100 X1 Y2", "+00200 X3 Y4."}},
        LineCase{"UNIVERSAL", "0001>  A1\r\nEND\r\n", {"A1"}},
        LineCase{"UNIVERSAL", "\r\n", {}}));

TEST(UniversalLineRule, LinesWithADotOrAPromptMarkAreSent) {
    struct Case {
        const char* line;
        bool last;
        const char* sent;
    };
    const Case cases[] = {
        {"0001>  X1 Y2", false, "X1 Y2"}, {"0001>  X1 Y2  ", true, "X1 Y2."}, {"  A.B  ", false, "A.B"},
        {"A.B", true, "A.B"},             {"NO MARK", true, ""},             {"0002>  Z>W", false, "Z>W"},
        {"0003>", false, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(UniversalDownloadJob::MachineLine(c.line, c.last), c.sent) << c.line;
    }
}

TEST(TdkVc5aHeaderRule, NXYPMInThatOrderMarkTheHeader) {
    EXPECT_TRUE(TdkVc5aDownloadJob::IsHeaderLine("N1 X100 Y200 P1 M0"));
    EXPECT_TRUE(TdkVc5aDownloadJob::IsHeaderLine("NXYMP"));   // P and M both after Y, either order
    EXPECT_FALSE(TdkVc5aDownloadJob::IsHeaderLine("X1 N2 Y3 P4 M5"));
    EXPECT_FALSE(TdkVc5aDownloadJob::IsHeaderLine("N1 Y2 X3 P4 M5"));
    EXPECT_FALSE(TdkVc5aDownloadJob::IsHeaderLine("N1 X2 P3 Y4 M5"));
    EXPECT_FALSE(TdkVc5aDownloadJob::IsHeaderLine("N1 X2 Y3 P4"));
}

// Cancel in each state that waits for the machine ends the whole download;
// the machine drops what it got, report modes are off, and the next download
// goes through.
struct CancelCase {
    const char* type;
    const char* waitsFor;
};

class CancelTest : public FourTypesFixture, public testing::WithParamInterface<CancelCase> {
protected:
    // Makes the machine keep the job waiting; returns the test for "it waits".
    std::function<bool()> HoldMachine(const std::string& waitsFor) {
        if (waitsFor == "request") {
            citizen.SetAsking(false);
            return [this] { return ShownStartingWith("Wating for program download. (P.NCD)"); };
        }
        if (waitsFor == "DC1") {
            citizen.SetPause(40, -1);
            return [this] { return citizen.Pauses() == 1; };
        }
        if (waitsFor == "start") {
            vc5a.SetStartIntervalMs(0);
            return [this] { return view.WaitStartDialogOpen; };
        }
        if (waitsFor == "pacing") {
            return [this] { return vc5a.Reading().size() >= 5; };
        }
        if (waitsFor == "prompt") {
            // A silent machine: the program list cannot be read either.
            vc5.SetAnswering(false);
            return [this, listed = std::size_t(0)]() mutable {
                if (listed == 0 && view.DownloadDialogs > 0) listed = RadioText().size();
                return listed != 0 && RadioText().find("EX\r", listed) != std::string::npos;
            };
        }
        if (waitsFor == "lines") {
            return [this] { return vc5.CurrentMode() == TdkVc5Machine::Mode::Receiving; };
        }
        // "step prompt": the machine takes the first lines, then stays silent.
        return [this] {
            if (universal.InInput()) universal.SetAnswering(false);
            return universal.InInput();
        };
    }
    void ReleaseMachine() {
        citizen.SetAsking(true);
        citizen.SetPause(0, 0);
        vc5a.SetStartIntervalMs(TdkVc5aMachine::kDefaultStartIntervalMs);
        vc5.SetAnswering(true);
        universal.SetAnswering(true);
    }
};

TEST_P(CancelTest, CancelEndsTheDownloadAndTheLinkStaysUsable) {
    const CancelCase& c = GetParam();
    Use(c.type);
    std::string file = "N1 X1 Y1 P1 M1\r\n";
    for (int i = 2; i <= 60; ++i) file += "N" + std::to_string(i) + " X" + std::to_string(i * 10) + " Y5.0\r\n";
    WriteNc("P.NCD", file);
    WriteNc("Q.NCD", file);
    auto waiting = HoldMachine(c.waitsFor);
    ASSERT_TRUE(StartAndRunUntil("P.NCD", waiting));
    ASSERT_FALSE(Idle());
    const std::size_t sentBefore = RadioText().size();
    Post(WindowMsg::Cancel);
    ASSERT_TRUE(RunUntilIdle(60000));
    EXPECT_TRUE(Shown("Downloading canceled."));
    EXPECT_FALSE(Shown("Downloading complete."));
    EXPECT_EQ(LastRun().EndState, 9001);
    EXPECT_FALSE(view.WaitStartDialogOpen);
    loop.RunFor(2000);
    // ETX stops the machine.
    EXPECT_NE(RadioText().find('\x03', sentBefore), std::string::npos);
    EXPECT_FALSE(Sub().BusyReports());
    EXPECT_FALSE(Sub().ReadyReports());

    ReleaseMachine();
    ASSERT_TRUE(Send({"Q.NCD"}));
    EXPECT_EQ(LastRun().EndState, 9000);
    // Every line with its end mark; UNIVERSAL takes only the lines with a '.'.
    EXPECT_EQ(StoredLines().size(), c.type == std::string("UNIVERSAL") ? 59u : 61u);
}

INSTANTIATE_TEST_SUITE_P(WaitingStates, CancelTest,
                         testing::Values(CancelCase{"CITIZEN/M10", "request"}, CancelCase{"CITIZEN/M10", "DC1"},
                                         CancelCase{"TDK/VC5A", "start"}, CancelCase{"TDK/VC5A", "pacing"},
                                         CancelCase{"TDK/VC5", "prompt"}, CancelCase{"TDK/VC5", "lines"},
                                         CancelCase{"UNIVERSAL", "step prompt"}));

}  // namespace
