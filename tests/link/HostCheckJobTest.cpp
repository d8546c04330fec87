#include <string>
#include <vector>

#include "engine/JobEvents.h"
#include "link/HostCheckJob.h"
#include "link/LinkFixture.h"
#include "support/FakeSerialPort.h"

namespace {

using HostCheckJobTest = LinkFixture;

TEST_F(HostCheckJobTest, CommandModeModuleIsConfirmedWithoutHangUpOrFactoryReset) {
    ASSERT_TRUE(ConfirmHost());
    // "+++" answered ERROR: the module was in command mode already.
    EXPECT_EQ(PcBytes(), "+++\rAT+BTINFO?\r");
    EXPECT_EQ(terminal.HostInfo.Address, "00000000F001");
    EXPECT_EQ(terminal.HostInfo.DeviceName, "KOVA-TRX");
    EXPECT_EQ(terminal.HostInfo.FlowControl, "HWFC");
    EXPECT_EQ(view.StatusLines, (std::vector<std::string>{"1> /dev/ttySIM0 Port opened.",
                                                          "   Checking host module.",
                                                          "   Host module has been confirmed."}));
    EXPECT_TRUE(port.IsOpen());
    EXPECT_EQ(terminal.Engine.EventMask, 0u);
    // Received text is shown again, and the idle link offers a connection to
    // the next typed key (keys go out only once a sub module is connected).
    EXPECT_TRUE(terminal.StatusFlags & Status::ShowReceived);
    EXPECT_TRUE(terminal.StatusFlags & Status::LinkIdle);
}

TEST_F(HostCheckJobTest, ModuleLeftInDataModeIsEscapedAndHungUp) {
    ASSERT_EQ(port.Open(SimulatedSerialPort::kDefaultDevicePath, 9600, 8, 2, kParityNone), 1);
    const std::string dial = "ATD000000000003\r";
    port.Write(reinterpret_cast<const uint8_t*>(dial.data()), static_cast<int>(dial.size()));
    ASSERT_TRUE(loop.RunUntil([this] { return host.InDataMode(); }, 10000));
    port.Close();
    host.ClearLogs();

    ASSERT_TRUE(ConfirmHost());
    EXPECT_EQ(PcBytes(), "+++\rATH\rAT+BTINFO?\r");
    EXPECT_FALSE(host.IsLinked());
}

TEST_F(HostCheckJobTest, UnexpectedConfigurationIsResetToFactorySettings) {
    HostModuleConfig config = host.Config();
    config.mode = "MODE1";
    host.SetConfig(config);
    ASSERT_TRUE(ConfirmHost());
    EXPECT_EQ(PcBytes(), "+++\rAT+BTINFO?\rAT&F\r");
    EXPECT_EQ(terminal.HostInfo.Mode, "MODE1");
    EXPECT_EQ(host.Config().mode, "MODE0");
}

TEST_F(HostCheckJobTest, UnreadableInformationRetriesTheFixedPortUntilCancelled) {
    HostModuleConfig config = host.Config();
    config.address = "F001";   // first comma at index 4
    host.SetConfig(config);
    Post(WindowMsg::StartHostCheck);
    // The program page's Cancel must reach the search.
    EXPECT_TRUE(terminal.Engine.EventMask & EV_CANCEL);
    ASSERT_TRUE(loop.RunUntil([this] { return port.OpenCount() >= 3; }, 60000));
    Post(WindowMsg::Cancel);
    ASSERT_TRUE(RunUntilIdle(1000));
    EXPECT_TRUE(Shown("Host modul not found."));
    EXPECT_EQ(StatusTexts().back(), "Canceled to connect  with Host module.");
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(terminal.StatusFlags & Status::HostConfirmed);
    EXPECT_TRUE(view.Boxes.empty());
}

TEST_F(HostCheckJobTest, TryLimitCancelsAFixedPortThatIsNeverConfirmed) {
    jobs.HostCheck.FixedPortTryLimit = 3;
    HostModuleConfig config = host.Config();
    config.address = "F001";
    host.SetConfig(config);
    Post(WindowMsg::StartHostCheck);
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_EQ(port.OpenCount(), 3);
    EXPECT_EQ(StatusTexts().back(), "Canceled to connect  with Host module.");
}

TEST_F(HostCheckJobTest, SilentModuleOffersRetryThenCancel) {
    host.SetAnswering(false);
    view.Answers = {MessageBoxAnswer::Retry, MessageBoxAnswer::Cancel};
    Post(WindowMsg::StartHostCheck);
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_EQ(port.OpenCount(), 2);
    EXPECT_EQ(view.Boxes, (std::vector<std::string>{"Reconnect the USB cable of host module.",
                                                    "Reconnect the USB cable of host module."}));
    EXPECT_TRUE(Shown("Not found [TRX]."));
    EXPECT_FALSE(port.IsOpen());
    // Each try waited its 10 s for the escape.
    EXPECT_GE(loop.NowMs(), 20000u);

    // Plugged back in: the next check works.
    host.SetAnswering(true);
    ASSERT_TRUE(ConfirmHost());
}

// A port that records every name it is asked to open and opens none.
class NamedPorts : public FakeSerialPort {
public:
    int Open(const std::string& name, uint32_t baud, int data, int stop, int parity) override {
        Names.push_back(name);
        return FakeSerialPort::Open(name, baud, data, stop, parity);
    }
    std::vector<std::string> Names;
};

class AutoSearchTest : public ::testing::Test {
protected:
    AutoSearchTest() {
        app.AttachPlatform(platform);
        app.SetDefaultMultiLanguageStr();
        app.PcPort.PcComNo = "Auto";
        port.OpenSucceeds = false;
    }
    TestAppPlatform platform;
    CKOVAApp app;
    NamedPorts port;
    VirtualEventLoop loop;
    RecordingView view;
    Terminal terminal{app, port, loop, view};
    LinkJobs jobs = AddLinkJobs(terminal);
};

TEST_F(AutoSearchTest, PortsAreTriedFromTheLastToTheFirst) {
    platform.Ports = {"/dev/ttyA", "/dev/ttyB", "/dev/ttyC"};
    terminal.HandleMessage(WindowMsg::StartHostCheck);
    EXPECT_EQ(port.Names, (std::vector<std::string>{"/dev/ttyC", "/dev/ttyB", "/dev/ttyA"}));
    EXPECT_EQ(view.Boxes, (std::vector<std::string>{"Reconnect the USB cable of host module."}));
    EXPECT_TRUE(view.HasStatus("/dev/ttyC Port failed to open."));
    EXPECT_EQ(terminal.Engine.ActiveJobs, 0u);
}

TEST_F(AutoSearchTest, NoPortAtAllIsReportedWithoutABox) {
    terminal.HandleMessage(WindowMsg::StartHostCheck);
    EXPECT_TRUE(port.Names.empty());
    EXPECT_EQ(view.StatusLines, (std::vector<std::string>{"1> Not found PC's port!"}));
    EXPECT_TRUE(view.Boxes.empty());
    EXPECT_EQ(terminal.Engine.ActiveJobs, 0u);
}

TEST_F(AutoSearchTest, ChattyDeviceDoesNotHoldTheSearch) {
    // The first port opens onto a device that talks all the time but never answers.
    platform.Ports = {"/dev/ttyA", "/dev/ttyB"};
    port.OpenSucceeds = true;
    terminal.StatusFlags |= Status::CtsOn;
    std::function<void()> chatter = [&] {
        port.Feed("$GPGGA,noise\r\n");
        terminal.HandleMessage(WindowMsg::Received);
        loop.Schedule(1000, chatter);
    };
    loop.Schedule(500, chatter);
    terminal.HandleMessage(WindowMsg::StartHostCheck);
    ASSERT_TRUE(loop.RunUntil([&] { return port.Names.size() == 2; }, 60000));
    EXPECT_EQ(port.Names[0], "/dev/ttyB");
    EXPECT_LE(loop.NowMs(), 30000u);
    EXPECT_TRUE(view.HasStatus("Not found [TRX]."));
    loop.RunUntil([&] { return terminal.Engine.ActiveJobs == 0; }, 60000);
    EXPECT_EQ(terminal.Engine.ActiveJobs, 0u);
    EXPECT_EQ(view.Boxes.size(), 1u);
}

}  // namespace
