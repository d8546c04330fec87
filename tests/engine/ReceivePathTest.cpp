#include <string>

#include "engine/Job.h"
#include "engine/JobBits.h"
#include "engine/JobEvents.h"
#include "engine/StatusBits.h"
#include "engine/WindowMessages.h"
#include "support/EngineFixture.h"

namespace {

// Collects the events it gets and what LastReplyLine held at each EV_LINE.
class ListeningJob : public Job {
public:
    using Job::Job;
    int Run(uint32_t event) override {
        Events.push_back(event);
        if (event == EV_LINE) Lines.push_back(T.LastReplyLine);
        return 0;
    }
    std::vector<uint32_t> Events;
    std::vector<std::string> Lines;
};

class ReceivePathTest : public EngineFixture {
protected:
    ReceivePathTest() : job(terminal.AddJob<ListeningJob>(JobBit::Scan)) {
        terminal.Engine.ActiveJobs = JobBit::Scan;
        terminal.StatusFlags |= Status::ShowReceived;
    }
    void Receive(const std::string& bytes) {
        port.Feed(bytes);
        terminal.HandleMessage(WindowMsg::Received);
    }
    ListeningJob& job;
};

TEST_F(ReceivePathTest, CrLfGivesOneLineAndOneLineBreak) {
    terminal.Engine.EventMask |= EV_LINE;
    Receive("OK\r\n");
    EXPECT_EQ(terminal.LastReplyLine, "OK");
    EXPECT_EQ(job.Lines, (std::vector<std::string>{"OK"}));
    EXPECT_EQ(view.Comm, "OK\r\n");
    EXPECT_EQ(terminal.ReceivedText, "OK\r\n");
    EXPECT_EQ(terminal.RxByteCount, 4);
    // One batch: the line event first (synchronously), one EV_DATA at the end.
    EXPECT_EQ(job.Events, (std::vector<uint32_t>{EV_LINE, EV_DATA}));
}

TEST_F(ReceivePathTest, StuffedZeroAfterPlusIsDroppedEvenAcrossBatches) {
    Receive("A+");
    Receive(std::string("\0B", 2));
    EXPECT_EQ(view.Comm, "A+B");
    EXPECT_EQ(terminal.RxByteCount, 3);
    EXPECT_EQ(terminal.PartialLine, "A+B");
}

TEST_F(ReceivePathTest, ZeroEndsALineOnlyForTdkVc5aAfterAPrintableByte) {
    app.CurrentChannel.McType = "TDK/VC5A";
    Receive(std::string("P1\0", 3));
    EXPECT_EQ(terminal.LastReplyLine, "P1");
    terminal.ClearReply();
    app.CurrentChannel.McType = "TDK/VC5";
    Receive(std::string("P2\0", 3));
    EXPECT_EQ(terminal.LastReplyLine, "");
    EXPECT_EQ(terminal.PartialLine, "P2");
}

TEST_F(ReceivePathTest, CrAfterCrBreaksOnceOnlyWhenAsked) {
    Receive("A\r\rB");
    EXPECT_EQ(view.Comm, "A\r\n\r\nB");
    view.Comm.clear();
    terminal.StatusFlags |= Status::NoBreakAfterCr;
    Receive("\rC\r\rD");
    EXPECT_EQ(view.Comm, "\r\nC\r\nD");
}

TEST_F(ReceivePathTest, BackspaceKeepsEarlierTextInReceivedTextAndEditsTheLine) {
    Receive("AB\bC");
    EXPECT_EQ(terminal.PartialLine, "AC");
    EXPECT_EQ(view.Comm, "AC");
    EXPECT_EQ(terminal.ReceivedText, "ABC");
}

TEST_F(ReceivePathTest, HiddenTextIsCollectedButNotShown) {
    terminal.StatusFlags &= ~Status::ShowReceived;
    Receive("AB\bC\r");
    EXPECT_EQ(view.Comm, "");
    EXPECT_EQ(terminal.ReceivedText, "ABC\r\n");
}

TEST_F(ReceivePathTest, ReceivedTextStopsGrowingAtItsLimit) {
    std::string block(1000, 'x');
    for (int i = 0; i < 40; ++i) Receive(block);
    EXPECT_GE(terminal.ReceivedText.size(), Terminal::kReceivedTextLimit);
    EXPECT_LT(terminal.ReceivedText.size(), Terminal::kReceivedTextLimit + block.size());
}

TEST_F(ReceivePathTest, ControlBytesFromTheSubModule) {
    terminal.Engine.EventMask = kDefaultEventMask | EV_BUSY | EV_RESUME;
    terminal.StatusFlags |= Status::PacingPause;
    Receive("\xFF");
    EXPECT_TRUE(view.MachineBusy);
    Receive("\xFE\xFD");
    EXPECT_FALSE(view.MachineBusy);
    EXPECT_FALSE(terminal.StatusFlags & Status::PacingPause);
    EXPECT_EQ(job.Events, (std::vector<uint32_t>{EV_BUSY, EV_DATA, EV_BUSY, EV_RESUME, EV_DATA}));
    Receive("\x13");
    EXPECT_EQ(static_cast<uint8_t>(terminal.LastControlByte), 0x13);
}

TEST_F(ReceivePathTest, TheExpectedEchoSetsItsBit) {
    EXPECT_EQ(terminal.ExpectEcho(0x88), 0x88);
    Receive("\x87");
    EXPECT_FALSE(terminal.StatusFlags & Status::EchoArrived);
    Receive("\x88");
    EXPECT_TRUE(terminal.StatusFlags & Status::EchoArrived);
}

// Plain text moves through the receive path in runs; what a byte means to a
// job must still be seen inside a run, and a run must stop at the bytes that matter.
TEST_F(ReceivePathTest, BytesInsideRunsOfTextKeepTheirMeaning) {
    struct Case {
        const char* name;
        std::string input;
        uint8_t echo;        // 0: no echo expected
        bool armReply;
        bool echoArrived;
        uint8_t replyByte;
        std::string partialLine;
        std::string comm;
    };
    const Case cases[] = {
        {"echo in the middle", "abcQdef", 'Q', false, true, 0, "abcQdef", "abcQdef"},
        {"no echo", "abcdef", 'Q', false, false, 0, "abcdef", "abcdef"},
        {"reply byte is the first with the top bit", "x\xA9z", 0, true, false, 0xA9, "xz", "xz"},
        {"line ends inside", "ab\rcd", 0, false, false, 0, "cd", "ab\r\ncd"},
        {"DEL is text", "a\x7F", 0, false, false, 0, "a\x7F", "a\x7F"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        terminal.ClearReply();
        terminal.ReplyByte = 0;
        view.Comm.clear();
        terminal.StatusFlags &= ~Status::EchoArrived;
        terminal.ExpectEcho(c.echo);
        if (c.armReply) terminal.ArmReplyByte();
        const int before = terminal.RxByteCount;
        Receive(c.input);
        EXPECT_EQ((terminal.StatusFlags & Status::EchoArrived) != 0, c.echoArrived);
        EXPECT_EQ(terminal.ReplyByte, c.replyByte);
        EXPECT_EQ(terminal.PartialLine, c.partialLine);
        EXPECT_EQ(view.Comm, c.comm);
        EXPECT_EQ(terminal.RxByteCount - before, static_cast<int>(c.input.size()));
        EXPECT_EQ(static_cast<uint8_t>(terminal.PreviousByte), static_cast<uint8_t>(c.input.back()));
    }

    // A punch mark inside text reaches the collecting job at its place.
    ReceivedLineList lines;
    terminal.ClearReply();
    terminal.LineSink = &lines;
    Receive("AB%CD\r");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].Text, "AB");
    EXPECT_EQ(lines[0].Mark, '%');
    EXPECT_EQ(lines[1].Text, "AB%CD");
    terminal.LineSink = nullptr;
}

TEST_F(ReceivePathTest, ALineThatClosesThePortEndsTheBatch) {
    // A job that closes the port on a line (and opens it again, as a retry does).
    struct ClosingJob : Job {
        using Job::Job;
        int Run(uint32_t event) override {
            if (event != EV_LINE) return 0;
            T.ClosePcPort(false);
            std::string report;
            T.OpenPcPort(report);
            return 0;
        }
    };
    terminal.AddJob<ClosingJob>(JobBit::HostCheck);
    terminal.Engine.ActiveJobs = JobBit::HostCheck;
    terminal.Engine.EventMask |= EV_LINE;
    Receive("OK\rFROM THE OLD PORT\r");
    EXPECT_EQ(terminal.LastReplyLine, "OK");
    EXPECT_TRUE(terminal.PartialLine.empty());
    EXPECT_EQ(view.Comm.find("OLD"), std::string::npos);
    EXPECT_EQ(port.OpenCalls, 1);
}

TEST_F(ReceivePathTest, EveryByteValueAndAFloodKeepMemoryBounded) {
    std::string all;
    for (int i = 0; i < 256; ++i) all.push_back(static_cast<char>(i));
    for (int i = 0; i < 200; ++i) Receive(all);
    Receive(std::string(100000, 'y'));
    EXPECT_EQ(terminal.RxByteCount, 200 * 256 + 100000);
    EXPECT_LE(terminal.ReceivedText.size(), Terminal::kReceivedTextLimit + 100000 * 2);
    // A line without end cannot grow without bound either.
    EXPECT_EQ(terminal.PartialLine.size(), Terminal::kPartialLineLimit);
    Receive("\rOK\r");
    EXPECT_EQ(terminal.LastReplyLine, "OK");
}

}  // namespace
