#include <string>
#include <vector>

#include "engine/EventLoop.h"
#include "link/LinkFixture.h"
#include "sim/LoopbackMachine.h"
#include "support/EngineFixture.h"

namespace {

class DisconnectJobTest : public LinkFixture {
protected:
    DisconnectJobTest() {
        StoreChannel(1, "000000000001", "DYNA/PERT");
        StoreChannel(2, "000000000002", "PANASERT/RS232");
    }
    // Connected to `channel`, with the logs emptied.
    void Connected(int channel) {
        ASSERT_TRUE(ConnectChannel(channel));
        host.ClearLogs();
        radio.FindSubModule("00000000000" + std::to_string(channel))->ClearRadioLog();
        view.StatusLines.clear();
    }
};

TEST_F(DisconnectJobTest, ResetsTheSubModuleEscapesAndHangsUp) {
    Connected(2);
    Post(WindowMsg::StartDisconnect);
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_EQ(RadioBytes("000000000002"), (std::vector<uint8_t>{0x88, 0x82, 0x8F, 0x94}));
    EXPECT_EQ(PcBytes(), std::string("\x88\x82\x8F\x94+++ATH\r"));
    EXPECT_EQ(StatusTexts(), (std::vector<std::string>{"Equipment is disconnected."}));
    EXPECT_FALSE(terminal.StatusFlags & (Status::SubConnected | Status::LinkIdle));
    EXPECT_TRUE(terminal.StatusFlags & Status::HostConfirmed);
    EXPECT_EQ(terminal.CharTimeMs, 0.0f);
    EXPECT_FALSE(host.IsLinked());
    // Still set up: only a new set-up clears that.
    EXPECT_TRUE(terminal.StatusFlags & Status::SubSetUp);
}

TEST_F(DisconnectJobTest, OnlyAHangUpTheHostModuleConfirmedCountsAsDone) {
    struct Case {
        const char* what;
        bool hostAnswers;
        bool portGone;   // the PC port went away while the module was connected
        bool missed;
    };
    const Case cases[] = {
        {"DISCONNECT received", true, false, false},
        {"no answer to +++ or ATH", false, false, true},
        {"port gone before the disconnect", true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        host.SetAnswering(true);
        ASSERT_TRUE(ConfirmHost());
        Connected(2);
        terminal.HangUpMissed = !c.missed;
        host.SetAnswering(c.hostAnswers);
        if (c.portGone) Post(WindowMsg::PortLost);
        Post(WindowMsg::StartDisconnect);
        ASSERT_TRUE(RunUntilIdle()) << c.what;
        EXPECT_EQ(terminal.HangUpMissed, c.missed) << c.what;
        EXPECT_FALSE(terminal.StatusFlags & Status::SubConnected) << c.what;
    }
}

TEST_F(DisconnectJobTest, MuteSubModuleIsStillHungUp) {
    Connected(2);
    radio.FindSubModule("000000000002")->SetMuted(true);
    Post(WindowMsg::StartDisconnect);
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_EQ(PcBytes(), std::string("\x88\x82\x8F\x94+++ATH\r"));
    EXPECT_EQ(StatusTexts(), (std::vector<std::string>{"Equipment is disconnected."}));
    EXPECT_FALSE(host.IsLinked());
}

TEST_F(DisconnectJobTest, NoAnswerAtAllEndsAfterAboutFourSeconds) {
    Connected(2);
    host.SetAnswering(false);
    uint64_t start = loop.NowMs();
    Post(WindowMsg::StartDisconnect);
    ASSERT_TRUE(loop.RunUntil([this] { return Idle(); }, 60000));
    EXPECT_GE(loop.NowMs() - start, 4000u);
    EXPECT_LT(loop.NowMs() - start, 4200u);
    EXPECT_EQ(StatusTexts(), (std::vector<std::string>{"No response from MC!"}));
    EXPECT_FALSE(terminal.StatusFlags & Status::SubConnected);

    // The module comes back: a new host check and connect work.
    host.SetAnswering(true);
    ASSERT_TRUE(ConfirmHost());
    EXPECT_TRUE(ConnectChannel(2));
}

TEST_F(DisconnectJobTest, MachineStillSendingGetsEtxOnlyForDynaPert) {
    for (int channel : {1, 2}) {
        std::string serial = "00000000000" + std::to_string(channel);
        radio.AttachMachine(serial, std::make_unique<LoopbackMachine>(channel == 1 ? "DYNA/PERT" : "PANASERT/RS232"));
        Connected(channel);
        terminal.QueueText("NC", false);   // the machine echoes it while the disconnect begins
        Post(WindowMsg::StartDisconnect);
        ASSERT_TRUE(RunUntilIdle());
        std::vector<uint8_t> log = RadioBytes(serial);
        std::vector<uint8_t> expected = {'N', 'C'};
        if (channel == 1) expected.push_back(0x03);
        for (int b : {0x88, 0x82, 0x8F, 0x94}) expected.push_back(static_cast<uint8_t>(b));
        EXPECT_EQ(log, expected) << serial;
        EXPECT_FALSE(host.IsLinked());
    }
}

TEST_F(DisconnectJobTest, IdleLinkIsDroppedAfterTheChannelsIdleTime) {
    app.PcPort.DisconnectTime = 60;
    Post(WindowMsg::IdleTimeChanged);
    Connected(2);
    loop.RunFor(30000);
    terminal.QueueText("X", false);   // traffic starts the minute again
    loop.RunFor(59000);
    EXPECT_TRUE(terminal.StatusFlags & Status::SubConnected);
    // A job at work keeps the link, however long it takes.
    terminal.Engine.ActiveJobs |= JobBit::UploadDispatcher;
    loop.RunFor(120000);
    EXPECT_TRUE(terminal.StatusFlags & Status::SubConnected);
    terminal.Engine.ActiveJobs &= ~JobBit::UploadDispatcher;
    ASSERT_TRUE(loop.RunUntil([this] { return !(terminal.StatusFlags & Status::SubConnected); }, 61000));
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_EQ(StatusTexts(), (std::vector<std::string>{"Disconnected by timeout.", "Equipment is disconnected."}));
    EXPECT_FALSE(host.IsLinked());
}

TEST_F(DisconnectJobTest, NoIdleTimeNeverDisconnects) {
    app.PcPort.DisconnectTime = 0;
    Post(WindowMsg::IdleTimeChanged);
    Connected(2);
    loop.RunFor(3600000);
    EXPECT_TRUE(terminal.StatusFlags & Status::SubConnected);
    EXPECT_TRUE(view.StatusLines.empty());
}

TEST_F(DisconnectJobTest, ClosingTheWindowHangsUpClosesAndEnds) {
    Connected(2);
    terminal.StatusFlags |= Status::EndAfterClose;
    Post(WindowMsg::StartClosePort);
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_EQ(StatusTexts(), (std::vector<std::string>{"Equipment is disconnected.", "/dev/ttySIM0 Port closed."}));
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(host.IsLinked());
    EXPECT_TRUE(view.Ended);
}

TEST_F(DisconnectJobTest, ClosingThePortPageKeepsTheProgram) {
    ASSERT_TRUE(ConfirmHost());
    Post(WindowMsg::StartClosePort);
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(terminal.StatusFlags & Status::HostConfirmed);
    EXPECT_FALSE(view.Ended);
}

// A machine that never stops talking, on a scripted port.
using ChattyMachineTest = EngineFixture;

TEST_F(ChattyMachineTest, EndlessDataDoesNotHoldTheDisconnect) {
    AddLinkJobs(terminal);
    std::string report;
    terminal.OpenPcPort(report);
    terminal.StatusFlags |= Status::CtsOn | Status::HostConfirmed | Status::SubConnected;
    app.CurrentChannel.McType = "UNIVERSAL";
    std::function<void()> chatter = [&] {
        port.Feed("PAT 0001\r");
        terminal.HandleMessage(WindowMsg::Received);
        loop.Schedule(200, chatter);
    };
    loop.Schedule(100, chatter);
    terminal.HandleMessage(WindowMsg::StartDisconnect);
    ASSERT_TRUE(loop.RunUntil([&] { return terminal.Engine.ActiveJobs == 0; }, 60000));
    EXPECT_EQ(port.Written.substr(0, 1), "\x03");
    EXPECT_NE(port.Written.find("+++"), std::string::npos);
    EXPECT_FALSE(terminal.StatusFlags & Status::SubConnected);
    EXPECT_TRUE(view.HasStatus("No response from MC!"));
}

}  // namespace

namespace {
TEST_F(DisconnectJobTest, ClosingDuringAHangUpLetsItFinishOnce) {
    Connected(2);
    terminal.StatusFlags |= Status::EndAfterClose;
    Post(WindowMsg::StartDisconnect);
    // The host module is back in command mode when the window closes.
    ASSERT_TRUE(loop.RunUntil([&] { return PcBytes().find("+++") != std::string::npos; }, 10000));
    Post(WindowMsg::StartClosePort);
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_EQ(PcBytes(), std::string("\x88\x82\x8F\x94+++ATH\r"));   // nothing replayed
    EXPECT_FALSE(Shown("No response from MC!"));
    EXPECT_FALSE(host.IsLinked());
    EXPECT_FALSE(port.IsOpen());
    EXPECT_TRUE(view.Ended);
}

TEST_F(DisconnectJobTest, ClosingDuringADialHangsUpTheLinkItMade) {
    ASSERT_TRUE(ConfirmHost());
    terminal.StatusFlags |= Status::EndAfterClose;
    view.ChannelToSelect = 1;
    Post(WindowMsg::StartConnect);
    ASSERT_TRUE(loop.RunUntil([&] { return PcBytes().find("ATD") != std::string::npos; }, 5000));
    Post(WindowMsg::StartClosePort);
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_FALSE(host.IsLinked());
    EXPECT_FALSE(port.IsOpen());
    EXPECT_TRUE(view.Ended);
}
}  // namespace
