#include <climits>
#include <string>

#include "engine/Job.h"
#include "engine/JobBits.h"
#include "engine/JobEvents.h"
#include "engine/StatusBits.h"
#include "engine/WindowMessages.h"
#include "serial/SerialPort.h"
#include "support/WaitingJob.h"
#include "support/EngineFixture.h"

namespace {

using TerminalTest = EngineFixture;

TEST_F(TerminalTest, StatusEntriesAreNumberedAndContinuationsAligned) {
    terminal.ShowStatus("first", 0);
    terminal.ShowStatus("more", 0);
    terminal.ShowStatus("", 1);
    terminal.ShowStatus("second", 0);
    for (int i = 3; i <= 10; ++i) terminal.ShowStatus("entry", 1);
    terminal.ShowStatus("tail", 0);
    ASSERT_EQ(view.StatusLines.size(), 12u);
    EXPECT_EQ(view.StatusLines[0], "1> first");
    EXPECT_EQ(view.StatusLines[1], "   more");
    EXPECT_EQ(view.StatusLines[2], "2> second");
    EXPECT_EQ(view.StatusLines[10], "10> entry");
    EXPECT_EQ(view.StatusLines[11], "    tail");
}

TEST_F(TerminalTest, StatusSoundsFollowTheLastCharacter) {
    terminal.ShowStatus("Port failed!", 1);
    terminal.ShowStatus("Connect?", 1);
    terminal.ShowStatus("Done.", 1);
    EXPECT_EQ(view.Sounds, (std::vector<Sound>{Sound::Error, Sound::Question}));
}

TEST_F(TerminalTest, LostBytesAreCountedWithOneNoticePerBurst) {
    loop.SetTimer(kTimerPacing, 1000);
    // A flood reports more losses while the operator still has the notice open.
    view.WhileBoxOpen = [&](const std::string&) {
        view.WhileBoxOpen = nullptr;
        terminal.HandleMessage(WindowMsg::ReceiveOverflow, 0, 300);
        terminal.HandleMessage(WindowMsg::ReceiveOverflow, 0, 20);
    };
    terminal.HandleMessage(WindowMsg::ReceiveOverflow, 0, 1000);
    EXPECT_EQ(view.Boxes, std::vector<std::string>{"Receive buffer over!"});
    EXPECT_EQ(terminal.ReceiveLostBytes, 1320u);
    EXPECT_EQ(terminal.ReceiveLossCount, 3u);
    // The status window has the count when the notice opens and when it closes.
    EXPECT_EQ(view.StatusLines, (std::vector<std::string>{"1> Receive buffer over! (1000 bytes lost)",
                                                          "2> Receive buffer over! (1320 bytes lost)"}));

    // The burst goes on after the notice closed: counted, shown at the next tick, no new notice.
    loop.RunFor(500);
    terminal.HandleMessage(WindowMsg::ReceiveOverflow, 0, 5);
    EXPECT_EQ(view.Boxes.size(), 1u);
    loop.RunFor(1000);
    EXPECT_EQ(view.StatusLines.back(), "3> Receive buffer over! (1325 bytes lost)");
    loop.RunFor(5000);
    EXPECT_EQ(view.StatusLines.size(), 3u);

    // After a quiet time a new loss is told again.
    terminal.HandleMessage(WindowMsg::ReceiveOverflow, 0, 0);
    EXPECT_EQ(view.Boxes.size(), 2u);
    EXPECT_EQ(view.StatusLines.back(), "4> Receive buffer over! (1325 bytes lost)");
}

TEST_F(TerminalTest, PortParametersAreCheckedInOrder) {
    std::string report;
    app.PcPort.PortName = "ttyUSB0";
    EXPECT_EQ(terminal.OpenPcPort(report), 0);
    EXPECT_EQ(report, "Invalid COM port number!");
    app.PcPort.PortName = "/dev/ttyUSB0";
    for (const char* bad : {"150", "450", "38400", "abc", "9600x", "-300", "99999999999999999999"}) {
        app.PcPort.BaudRate = bad;
        EXPECT_EQ(terminal.OpenPcPort(report), 0);
        EXPECT_EQ(report, "Invalid port's BAUD_RATE!") << bad;
    }
    app.PcPort.BaudRate = "300";
    app.PcPort.ParityBit = "none";
    EXPECT_EQ(terminal.OpenPcPort(report), 0);
    EXPECT_EQ(report, "Invalid port's PARITY_BIT!");
    EXPECT_EQ(port.OpenCalls, 0);
    app.PcPort.ParityBit = "NONE";
    port.OpenSucceeds = false;
    const std::pair<PortOpenFailure, const char*> failures[] = {
        {PortOpenFailure::Other, "/dev/ttyUSB0 Port failed to open."},
        {PortOpenFailure::InUse, "/dev/ttyUSB0 Port failed to open. (in use by another program)"},
        // A multiple of 300 that the device has no speed for.
        {PortOpenFailure::BaudRate, "/dev/ttyUSB0 Invalid port's BAUD_RATE!"},
    };
    for (const auto& [failure, text] : failures) {
        port.Failure = failure;
        EXPECT_EQ(terminal.OpenPcPort(report), 0);
        EXPECT_EQ(report, text);
        EXPECT_EQ(terminal.LastPortFailure, failure);
    }
    port.OpenSucceeds = true;
    app.PcPort.BaudRate = "19200";
    EXPECT_EQ(terminal.OpenPcPort(report), 1);
    EXPECT_EQ(report, "/dev/ttyUSB0 Port opened.");
}

TEST_F(TerminalTest, ClosingThePortClearsTheLinkBits) {
    std::string report;
    terminal.OpenPcPort(report);
    terminal.StatusFlags = Status::HostConfirmed | Status::SubConnected | Status::LinkIdle | Status::CtsOn;
    terminal.ClosePcPort(true);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(terminal.StatusFlags, 0u);
    EXPECT_EQ(view.StatusLines.back(), "1> /dev/ttyUSB0 Port closed.");
}

TEST_F(TerminalTest, NothingQueuedForOnePortReachesTheNext) {
    // An adapter with nothing on it: CTS off, so "+++" stays queued and the
    // writes fail.
    std::string report;
    port.Modem = 0;
    terminal.OpenPcPort(report);
    terminal.QueueText("+++\r", true);
    terminal.WriteFailCount = 7;
    EXPECT_FALSE(terminal.StatusFlags & Status::CtsOn);
    terminal.ClosePcPort(false);

    port.Modem = kModemCts;
    port.Written.clear();
    ASSERT_EQ(terminal.OpenPcPort(report), 1);
    EXPECT_EQ(terminal.Tx.Count(), 0);
    EXPECT_EQ(terminal.WriteFailCount, 0);
    EXPECT_TRUE(terminal.StatusFlags & Status::CtsOn);   // the new port's own line
    terminal.QueueText("AT\r", true);
    EXPECT_EQ(port.Written, "AT\r");
}

TEST_F(TerminalTest, DownloadTimeShowsElapsedAndRemainingOncePerSecond) {
    terminal.Progress.StartClockMs = loop.NowMs();
    terminal.Progress.TotalBytes = 3000;
    terminal.Progress.TotalDone = 1000;
    loop.RunFor(65000);
    terminal.ShowDownloadTime();
    EXPECT_EQ(view.TimeText, "01:05 / 02:10");
    view.TimeText.clear();
    loop.RunFor(400);
    terminal.ShowDownloadTime();
    EXPECT_EQ(view.TimeText, "");   // same second
    // More done than the total (a file grew) never shows a negative time.
    terminal.Progress.TotalDone = 5000;
    loop.RunFor(1000);
    terminal.ShowDownloadTime();
    EXPECT_EQ(view.TimeText, "01:06 / 00:00");
    // Large transfers do not overflow.
    terminal.Progress.TotalBytes = int64_t{1} << 40;
    terminal.Progress.TotalDone = 1;
    loop.RunFor(1000);
    terminal.ShowDownloadTime();
    EXPECT_EQ(view.TimeText.substr(0, 8), "01:07 / ");
    EXPECT_EQ(view.TimeText.find('-'), std::string::npos);
    loop.RunFor(1000);
    terminal.ShowUploadTime();
    EXPECT_EQ(view.TimeText, "01:08 / ??:??");
}

class IdleTimerTest : public TerminalTest {
protected:
    IdleTimerTest() {
        app.PcPort.DisconnectTime = 30;
        terminal.StatusFlags |= Status::SubConnected;
        terminal.HandleMessage(WindowMsg::IdleTimeChanged);
    }
};

TEST_F(IdleTimerTest, AnIdleLinkIsDroppedAfterTheIdleTime) {
    terminal.AddJob<WaitingJob>(JobBit::Disconnect);
    EXPECT_EQ(loop.TimerInterval(501), 30000u);
    loop.RunFor(30000);
    EXPECT_TRUE(view.HasStatus("Disconnected by timeout."));
    EXPECT_TRUE(terminal.Engine.IsActive(JobBit::Disconnect));
}

TEST_F(IdleTimerTest, ReceivedDataRestartsTheIdleTime) {
    loop.RunFor(20000);
    port.Feed("x");
    terminal.HandleMessage(WindowMsg::Received);
    loop.RunFor(20000);
    EXPECT_FALSE(view.HasStatus("Disconnected by timeout."));
    loop.RunFor(10000);
    EXPECT_TRUE(view.HasStatus("Disconnected by timeout."));
}

TEST_F(IdleTimerTest, ARunningJobIsNotCutOff) {
    terminal.Engine.ActiveJobs = JobBit::UploadDispatcher;
    loop.RunFor(90000);
    EXPECT_FALSE(view.HasStatus("Disconnected by timeout."));
    EXPECT_TRUE(loop.IsTimerArmed(501));
    terminal.Engine.ActiveJobs = 0;
    loop.RunFor(30000);
    EXPECT_TRUE(view.HasStatus("Disconnected by timeout."));
}

TEST_F(IdleTimerTest, TurningTheIdleTimeOffKillsTheTimer) {
    app.PcPort.DisconnectTime = 0;
    terminal.HandleMessage(WindowMsg::IdleTimeChanged);
    EXPECT_FALSE(loop.IsTimerArmed(501));
}

TEST_F(IdleTimerTest, HugeOrNegativeIdleTimesNeitherWrapNorGoOff) {
    const struct {
        int seconds;
        uint32_t ms;
    } cases[] = {
        {-5, 0}, {0, 0}, {1, 1000}, {2147483, 2147483000u},
        {4294968, 2147483647u},   // would wrap to 704 ms in 32 bits
        {INT_MAX, 2147483647u},
    };
    for (const auto& c : cases) {
        app.PcPort.DisconnectTime = c.seconds;
        terminal.HandleMessage(WindowMsg::IdleTimeChanged);
        EXPECT_EQ(terminal.IdleTimeoutMs, c.ms) << c.seconds;
        EXPECT_EQ(loop.IsTimerArmed(501), c.ms != 0) << c.seconds;
    }
}

TEST_F(TerminalTest, Timer502FollowsCtsAndResumesThePump) {
    std::string report;
    port.Modem = 0;
    terminal.OpenPcPort(report);
    terminal.QueueText("AB", false);
    loop.SetTimer(502, 1000);
    loop.RunFor(1000);
    EXPECT_FALSE(terminal.StatusFlags & Status::CtsOn);
    EXPECT_EQ(port.Written, "");
    port.Modem = kModemCts;
    loop.RunFor(1000);
    EXPECT_TRUE(terminal.StatusFlags & Status::CtsOn);
    EXPECT_EQ(port.Written, "AB");
    EXPECT_EQ(loop.TimerInterval(502), 1000u);
}

}  // namespace
