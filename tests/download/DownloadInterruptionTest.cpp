// A download that loses its port or received bytes on the way must not look
// like a success, and must not sit out its time-outs.

#include <string>

#include "download/DownloadFixture.h"
#include "sim/DynaPertMachine.h"

namespace {

class DownloadInterruptionTest : public DownloadFixture {
protected:
    DownloadInterruptionTest() {
        std::string text;
        for (int i = 0; i < 200; ++i) text += "N" + std::to_string(1000 + i) + " X100 Y200\r\n";
        WriteNc("LONG.NCD", text + "M02\r\n");
        Choose({"LONG.NCD"});
    }
    // Connects and starts the download; true once the machine has taken a few lines.
    bool Started() {
        if (!ConnectChannel(1)) return false;
        Post(WindowMsg::StartDownload);
        return loop.RunUntil([&] { return machine.Loading().size() >= 5; }, 60000);
    }

    DynaPertMachine& machine = AttachMachine<DynaPertMachine>(1, "000000000001", "DYNA/PERT");
};

TEST_F(DownloadInterruptionTest, VanishedPortEndsTheRunningDownloadAtOnce) {
    ASSERT_TRUE(Started());
    const uint64_t lost = loop.NowMs();
    Post(WindowMsg::PortLost);   // what the reader posts on POLLHUP or EIO
    ASSERT_TRUE(loop.RunUntil([this] { return Idle(); }, 60000));
    // Well inside the job's own 10 s time-out.
    EXPECT_LT(loop.NowMs() - lost, 1000u);
    EXPECT_TRUE(Shown("Check USB-UART port."));
    EXPECT_TRUE(Shown("Downloading canceled."));
    EXPECT_FALSE(Shown("Downloading complete."));
    EXPECT_NE(LastRun().EndState, JobState::Completed);
    EXPECT_EQ(LastRun().FilesNotCompleted, 1);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(terminal.StatusFlags & (Status::HostConfirmed | Status::SubConnected));
    EXPECT_TRUE(terminal.HangUpMissed);
    // A second report of the same loss changes nothing.
    view.StatusLines.clear();
    Post(WindowMsg::PortLost);
    EXPECT_TRUE(view.StatusLines.empty());
}

TEST_F(DownloadInterruptionTest, LostReceivedBytesTurnACompletedFileIntoAWarning) {
    ASSERT_TRUE(Started());
    Post(WindowMsg::ReceiveOverflow);
    ASSERT_TRUE(RunUntilIdle(600000));
    EXPECT_TRUE(Shown("Downloading complete."));
    EXPECT_TRUE(Shown(Terminal::kReceiveLostText));
    EXPECT_EQ(LastRun().FilesCompleted, 0);
    EXPECT_EQ(LastRun().FilesNotCompleted, 1);

    // The loss belongs to that run: the next one is a plain success again.
    ASSERT_TRUE(Download({"LONG.NCD"}));
    EXPECT_EQ(LastRun().FilesCompleted, 1);
    EXPECT_EQ(LastRun().FilesNotCompleted, 0);
}

}  // namespace
