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

class TransmitPumpTest : public EngineFixture {
protected:
    TransmitPumpTest() {
        std::string report;
        terminal.OpenPcPort(report);
        terminal.StatusFlags |= Status::CtsOn;
    }
};

TEST_F(TransmitPumpTest, PlusIsStuffedUnlessRaw) {
    EXPECT_EQ(terminal.QueueText("AT+X", false), 1);
    EXPECT_EQ(port.Written, std::string("AT+\0X", 5));
    port.Written.clear();
    EXPECT_EQ(terminal.QueueText("AT+X", true), 1);
    EXPECT_EQ(port.Written, "AT+X");
    port.Written.clear();
    uint8_t block[] = {'+', '+'};
    EXPECT_EQ(terminal.QueueBlock(block, 2), 1);
    EXPECT_EQ(port.Written, std::string("+\0+\0", 4));
}

TEST_F(TransmitPumpTest, NothingIsWrittenWhileCtsIsOffAndCtsOnStartsThePump) {
    terminal.StatusFlags &= ~Status::CtsOn;
    terminal.QueueText("HELLO", false);
    EXPECT_EQ(port.Written, "");
    terminal.HandleMessage(WindowMsg::LineEvent, kLineEventCtsChanged, kModemCts);
    EXPECT_EQ(port.Written, "HELLO");
}

TEST_F(TransmitPumpTest, AtMost256BytesPerCallAndTheRestOnTransmitEmpty) {
    std::string text(600, 'x');
    terminal.QueueText(text, false);
    EXPECT_EQ(port.Written.size(), 256u);
    terminal.HandleMessage(WindowMsg::LineEvent, kLineEventTxEmpty, kModemCts);
    terminal.HandleMessage(WindowMsg::LineEvent, kLineEventTxEmpty, kModemCts);
    EXPECT_EQ(port.Written, text);
}

TEST_F(TransmitPumpTest, PacingArmsTimer502WithTheCharacterTime) {
    app.CurrentChannel.McType = "PANASERT/RS232";
    terminal.CharTimeMs = 2.5f;
    terminal.QueueText(std::string(300, 'x'), false);
    EXPECT_EQ(port.Written.size(), 256u);
    EXPECT_TRUE(terminal.StatusFlags & Status::PacingPause);
    EXPECT_EQ(loop.TimerInterval(502), 640u);
    loop.RunFor(639);
    EXPECT_EQ(port.Written.size(), 256u);
    loop.RunFor(1);
    EXPECT_EQ(port.Written.size(), 300u);
}

TEST_F(TransmitPumpTest, PacingLeavesOutTheNulsThatFollowPlusSigns) {
    // The sub module drops the 0x00 after each '+': they take no machine time.
    // A NUL the job queued itself still does.
    app.CurrentChannel.McType = "TDK/VC5";
    terminal.CharTimeMs = 10.0f;
    terminal.QueueByteNoPump(0x00, false);
    terminal.QueueText("X+1 Y+2\r", false);
    EXPECT_EQ(port.Written, std::string("\0X+\0" "1 Y+\0" "2\r", 11));
    EXPECT_EQ(loop.TimerInterval(502), 90u);
}

// Counts the time-outs of its waits.
class TimeoutCountingJob : public Job {
public:
    using Job::Job;
    int Run(uint32_t event) override {
        if (event & EV_TIMEOUT) ++timeouts;
        return 0;
    }
    int timeouts = 0;
};

TEST_F(TransmitPumpTest, AJobsWaitCountsFromWhenTheMachineLineHasCarriedWhatWasSent) {
    app.CurrentChannel.McType = "UNIVERSAL";   // not paced: the line goes out at once
    terminal.CharTimeMs = 100.0f;
    auto& job = terminal.AddJob<TimeoutCountingJob>(JobBit::DownloadUniversal);
    terminal.Engine.EventMask = kDefaultEventMask;
    terminal.StartJob(JobBit::DownloadUniversal);

    // 20 characters: 2 s on the machine's line before the 500 ms wait begins.
    terminal.QueueText("0123456789012345678\r", false);
    terminal.ArmJobTimer(500);
    loop.RunFor(2499);
    EXPECT_EQ(job.timeouts, 0);
    loop.RunFor(1);
    EXPECT_EQ(job.timeouts, 1);

    // 0x82 has the sub module drop what still waits for the machine: the
    // line is free at once (and the command itself takes no machine time).
    terminal.QueueText("0123456789012345678\r", false);
    terminal.QueueByte(0x82, false);
    terminal.ArmJobTimer(500);
    loop.RunFor(500);
    EXPECT_EQ(job.timeouts, 2);
}

TEST_F(TransmitPumpTest, NoPacingForMachinesThatAnswerEveryLineOrWithoutASaneCharTime) {
    app.CurrentChannel.McType = "UNIVERSAL";
    terminal.CharTimeMs = 2.5f;
    terminal.QueueText("ABC", false);
    EXPECT_FALSE(terminal.StatusFlags & Status::PacingPause);
    app.CurrentChannel.McType = "TDK/VC5";
    for (float bad : {-1.0f, std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN()}) {
        terminal.CharTimeMs = bad;
        terminal.QueueText("ABC", false);
        EXPECT_FALSE(terminal.StatusFlags & Status::PacingPause);
    }
    terminal.CharTimeMs = 1e9f;
    terminal.QueueText("ABC", false);
    EXPECT_LE(loop.TimerInterval(502), 180000u);
}

TEST_F(TransmitPumpTest, CitizenDownloadSendsOnlyAfterXon) {
    terminal.Engine.ActiveJobs = JobBit::DownloadCitizenM10;
    terminal.LastControlByte = 0x13;
    terminal.RxByteCount = 1;   // the job has heard from the machine
    terminal.QueueText("N1", false);
    EXPECT_EQ(port.Written, "");
    port.Feed("\x11");
    terminal.HandleMessage(WindowMsg::Received);
    EXPECT_EQ(port.Written, "N1");
    terminal.QueueText("N2", false);
    port.Feed("\x13\x14\x11");
    terminal.HandleMessage(WindowMsg::Received);
    EXPECT_EQ(port.Written, "N1N2");
}

TEST_F(TransmitPumpTest, TheEleventhFailedWriteDropsTheQueueAndRestartsThePortJob) {
    port.AcceptPerWrite = 0;
    terminal.QueueText("X", false);
    for (int i = 0; i < 9; ++i) terminal.TransmitPump();
    EXPECT_EQ(terminal.WriteFailCount, 10);
    EXPECT_TRUE(view.Boxes.empty());
    EXPECT_EQ(terminal.Tx.Count(), 1);
    terminal.AddJob<WaitingJob>(JobBit::HostCheck);
    terminal.TransmitPump();
    EXPECT_EQ(view.Boxes, (std::vector<std::string>{"Check USB-UART port."}));
    EXPECT_EQ(terminal.Tx.Count(), 0);
    EXPECT_TRUE(terminal.Engine.IsActive(JobBit::HostCheck));
    port.AcceptPerWrite = -1;
    terminal.Engine.ActiveJobs = 0;
    terminal.QueueText("Y", false);
    EXPECT_EQ(terminal.WriteFailCount, 0);
}

TEST_F(TransmitPumpTest, AFullQueueRefusesWholeTexts) {
    terminal.StatusFlags &= ~Status::CtsOn;
    EXPECT_EQ(terminal.QueueText(std::string(65533, 'a'), false), 1);
    EXPECT_EQ(terminal.QueueText("b", false), 0);
    EXPECT_EQ(terminal.QueueByte('+', false), 0);   // needs two slots
    EXPECT_EQ(terminal.QueueByte('c', false), 1);
    EXPECT_EQ(terminal.QueueByte('d', false), 0);
    EXPECT_EQ(terminal.Tx.Count(), 65534);
}

TEST_F(TransmitPumpTest, TransmittedBytesAreEchoedWhenAsked) {
    terminal.StatusFlags |= Status::EchoTransmitted;
    terminal.QueueText("N1\r", false);
    EXPECT_EQ(view.Transmitted, "N1\r");
}

}  // namespace
