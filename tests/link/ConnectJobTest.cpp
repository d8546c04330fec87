#include <string>
#include <vector>

#include "engine/JobEvents.h"
#include "link/ConnectJob.h"
#include "link/LinkFixture.h"

namespace {

class ConnectJobTest : public LinkFixture {
protected:
    ConnectJobTest() {
        const char* types[] = {"DYNA/PERT", "PANASERT/RS232", "PANASERT/TTY", "CITIZEN/M10",
                               "TDK/VC5A",  "TDK/VC5",        "UNIVERSAL"};
        for (int i = 0; i < 7; ++i) StoreChannel(i + 1, "00000000000" + std::to_string(i + 1), types[i]);
    }

    std::vector<uint8_t> SetupBytes(const std::string& serial) { return RadioBytes(serial); }
};

std::vector<uint8_t> Preamble() { return std::vector<uint8_t>(8, 0x80); }

TEST_F(ConnectJobTest, PanasertChannelIsDialledAndSetUpFromScratch) {
    radio.FindSubModule("000000000002")->SetVersion(41);
    ASSERT_TRUE(ConnectChannel(2));   // the host check runs first

    std::vector<uint8_t> expected = Preamble();
    for (int b : {0x88, 0x83, 0x84, 0x96, 0x91, 0x95, 0x19, 0x94, 0x8C, 0x98, 0x92, 0x87, 0x81})
        expected.push_back(static_cast<uint8_t>(b));
    EXPECT_EQ(SetupBytes("000000000002"), expected);

    EXPECT_EQ(HostCommands().back(), "ATD000000000002");
    EXPECT_EQ(view.LastSelectionTitle, "Select channel.");
    EXPECT_EQ(view.StatusLines[3], "2> Channel:2 Try to connection to sub module .");
    EXPECT_EQ(StatusTexts().back(), "Equipment is connected.");
    EXPECT_TRUE(terminal.StatusFlags & Status::SubSetUp);
    EXPECT_TRUE(terminal.StatusFlags & Status::LinkIdle);
    EXPECT_TRUE(terminal.StatusFlags & Status::EchoTransmitted);
    EXPECT_EQ(terminal.SubInfo.SubModuleVersion, 41);
    EXPECT_EQ(terminal.SubInfo.SubModuleType, 0);
    EXPECT_EQ(terminal.SubInfo.SetupSerial, "000000000002");
    EXPECT_FLOAT_EQ(terminal.CharTimeMs, 1000.0f / 4800 * 35);
    EXPECT_EQ(radio.FindSubModule("000000000002")->LineParameterByte(), 0x91);
    // The set-up's bytes are not left behind as a reply.
    EXPECT_TRUE(terminal.LastReplyLine.empty());
    EXPECT_TRUE(terminal.PartialLine.empty());
    // Both bars are reset at the end.
    EXPECT_EQ(view.FileProgress.first, 0);
    EXPECT_EQ(view.TotalProgress.first, 0);
}

TEST_F(ConnectJobTest, SetUpCommandsFollowVersionAndMachineType) {
    struct Case {
        int channel;
        int version;
        std::vector<int> tail;   // from the parameter announcement on
    };
    const std::vector<Case> cases = {
        {1, 31, {0x96, 0xA1, 0x95, 0x7F, 0x94, 0x8C, 0x98, 0x92, 0x87, 0x81}},   // DYNA/PERT
        {3, 30, {0xC2, 0x91, 0xC1, 0x7F, 0x93, 0x8C, 0x98, 0x91, 0x87, 0x81}},   // PANASERT/TTY
        {4, 40, {0x96, 0x92, 0x95, 0x23, 0x94, 0x8C, 0x98, 0x92, 0x87, 0x81}},   // CITIZEN/M10
        {5, 12, {0xC2, 0x91, 0xC1, 0x1E, 0x93, 0x8C, 0x98, 0x92, 0x87, 0x81}},   // TDK/VC5A
        {6, 40, {0x96, 0x91, 0x95, 0x7F, 0x93, 0x8C, 0x98, 0x91, 0x87, 0x81}},   // TDK/VC5
        {7, 40, {0x96, 0xA0, 0x95, 0x7F, 0x94, 0x8D, 0x98, 0x92, 0x87, 0x81}},   // UNIVERSAL
    };
    ASSERT_TRUE(ConfirmHost());
    for (const Case& c : cases) {
        std::string serial = "00000000000" + std::to_string(c.channel);
        SimulatedSubModule* sub = radio.FindSubModule(serial);
        sub->SetVersion(static_cast<uint8_t>(c.version));
        ASSERT_TRUE(ConnectChannel(c.channel)) << serial;
        std::vector<uint8_t> expected = Preamble();
        for (int b : {0x88, 0x83, 0x84}) expected.push_back(static_cast<uint8_t>(b));
        for (int b : c.tail) expected.push_back(static_cast<uint8_t>(b));
        EXPECT_EQ(sub->RadioLog(), expected) << serial;
        EXPECT_EQ(terminal.SubInfo.SubModuleType, SimulatedRadio::TypeCodeFor(app.CurrentChannel.McType));

        Post(WindowMsg::StartDisconnect);
        ASSERT_TRUE(RunUntilIdle());
        ASSERT_FALSE(host.IsLinked()) << serial;
    }
}

TEST_F(ConnectJobTest, LowerBarShowsArrivingBytesAndIsFullOnceSetUp) {
    ASSERT_TRUE(ConfirmHost());
    view.ChannelToSelect = 3;
    Post(WindowMsg::StartConnect);
    EXPECT_EQ(view.TotalProgress, std::make_pair(0, 230));
    EXPECT_EQ(view.FileProgress, std::make_pair(0, 30));
    // "CONNECT ..." has arrived: the lower bar counts its bytes, at most 29.
    ASSERT_TRUE(loop.RunUntil([this] { return (terminal.StatusFlags & Status::SubConnected) != 0; }, 30000));
    EXPECT_GT(view.FileProgress.first, 0);
    EXPECT_LE(view.FileProgress.first, 29);
    EXPECT_EQ(view.FileProgress.second, 30);
    EXPECT_EQ(view.TotalProgress.second, 230);
    // Set up: the lower bar is full while the job pauses before it reports.
    ASSERT_TRUE(loop.RunUntil([this] {
        return (terminal.StatusFlags & Status::SubSetUp) && terminal.Engine.IsActive(JobBit::Connect);
    }, 30000));
    EXPECT_EQ(view.FileProgress, std::make_pair(30, 30));
    EXPECT_EQ(view.TotalProgress.second, 230);
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_EQ(view.FileProgress, std::make_pair(0, 30));
    EXPECT_EQ(view.TotalProgress, std::make_pair(0, 230));
}

TEST_F(ConnectJobTest, MalformedSerialIsNeverDialled) {
    ASSERT_TRUE(ConfirmHost());
    for (const char* serial : {"00000000001", "0000000000011", "00000000000G", "00000000 001"}) {
        StoreChannel(20, serial, "UNIVERSAL");
        host.ClearLogs();
        view.StatusLines.clear();
        ASSERT_TRUE(ConnectChannel(20) == false);
        EXPECT_EQ(HostCommands(), (std::vector<std::string>{"AT+BTCANCEL"})) << serial;
        std::vector<std::string> texts = StatusTexts();
        ASSERT_EQ(texts.size(), 2u);
        EXPECT_EQ(texts[0], "Serial of sub module is not valid.");
        EXPECT_EQ(texts[1], "Canceled to connect  with Equipment.");
    }
    EXPECT_TRUE(ConnectJob::IsValidSubSerial("00000000abCD"));
}

TEST_F(ConnectJobTest, CancelledSelectionDialsNothing) {
    ASSERT_TRUE(ConfirmHost());
    host.ClearLogs();
    view.ChannelToSelect = 0;
    Post(WindowMsg::StartConnect);
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_TRUE(HostCommands().empty());
    EXPECT_EQ(StatusTexts().back(), "Canceled to connect  with Equipment.");
    EXPECT_EQ(view.ChannelSelections, 1);
    EXPECT_EQ(terminal.Engine.EventMask, 0u);
    EXPECT_TRUE(terminal.StatusFlags & Status::ShowReceived);
    EXPECT_TRUE(terminal.StatusFlags & Status::LinkIdle);   // a typed key offers a connection
}

TEST_F(ConnectJobTest, RefusedDialIsReportedAndTheModuleReset) {
    ASSERT_TRUE(ConfirmHost());
    radio.FindSubModule("000000000001")->SetRefusesDial(true);
    EXPECT_FALSE(ConnectChannel(1));
    EXPECT_EQ(StatusTexts().back(), "Not found [TRX].");
    EXPECT_EQ(HostCommands().back(), "AT&F");

    radio.FindSubModule("000000000001")->SetRefusesDial(false);
    EXPECT_TRUE(ConnectChannel(1));
}

TEST_F(ConnectJobTest, UnansweredDialGivesUpAfter23SecondsAndCancelsTheDial) {
    ASSERT_TRUE(ConfirmHost());
    host.Timing().dialFailMs = 60000;
    radio.FindSubModule("000000000001")->SetInRange(false);
    host.ClearLogs();
    view.ChannelToSelect = 1;
    uint64_t start = loop.NowMs();
    Post(WindowMsg::StartConnect);
    // Part way through, the upper bar (the view's total bar) counts the ticks;
    // the lower one keeps its range of 30 for the bytes.
    loop.RunFor(10050);
    EXPECT_EQ(view.TotalProgress, std::make_pair(99, 230));   // the first tick shows 0
    EXPECT_EQ(view.FileProgress.second, 30);
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_GE(loop.NowMs() - start, 23000u);
    EXPECT_LT(loop.NowMs() - start, 23500u);
    EXPECT_EQ(StatusTexts().back(), "Not found [TRX].");
    // A late "CONNECT" cannot come: the dial was cancelled.
    EXPECT_EQ(HostCommands(), (std::vector<std::string>{"ATD000000000001", "AT+BTCANCEL"}));
    loop.RunFor(60000);
    EXPECT_FALSE(host.IsLinked());

    radio.FindSubModule("000000000001")->SetInRange(true);
    EXPECT_TRUE(ConnectChannel(1));
}

TEST_F(ConnectJobTest, CancelDuringTheDialStopsIt) {
    ASSERT_TRUE(ConfirmHost());
    view.ChannelToSelect = 4;
    Post(WindowMsg::StartConnect);
    loop.RunFor(300);
    Post(WindowMsg::Cancel);
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_EQ(StatusTexts().back(), "Canceled to connect  with Equipment.");
    loop.RunFor(5000);
    EXPECT_EQ(HostCommands().back(), "AT+BTCANCEL");
    EXPECT_FALSE(host.IsLinked());
    EXPECT_FALSE(terminal.StatusFlags & Status::SubConnected);
    EXPECT_FALSE(loop.IsTimerArmed(kTimerJob));
    EXPECT_TRUE(ConnectChannel(4));
}

TEST_F(ConnectJobTest, FailedSetUpHangsTheModuleUpAgain) {
    struct Case {
        int commandLimit;
        std::string message;
    };
    const std::vector<Case> cases = {
        {0, "Failed to setup of module. (11)"},
        {1, "Failed to confirm version of module. (22)"},
        {2, "Failed to confirm type of module. (32)"},
        {3, "Failed to setup of module. (42)"},
        {4, "Failed to setup of module. (46)"},
        {10, "Failed to setup of module. (92)"},
        {11, "Failed to setup of module. (102)"},
    };
    ASSERT_TRUE(ConfirmHost());
    SimulatedSubModule* sub = radio.FindSubModule("000000000006");
    for (const Case& c : cases) {
        sub->SetCommandLimit(c.commandLimit);
        view.StatusLines.clear();
        EXPECT_FALSE(ConnectChannel(6));
        std::vector<std::string> texts = StatusTexts();
        ASSERT_EQ(texts.size(), 3u);
        EXPECT_EQ(texts[1], c.message);
        EXPECT_EQ(texts[2], "Equipment is disconnected.");
        EXPECT_FALSE(host.IsLinked());
        EXPECT_FALSE(terminal.StatusFlags & Status::SubSetUp);
    }
    sub->SetCommandLimit(-1);
    EXPECT_TRUE(ConnectChannel(6));
}

TEST_F(ConnectJobTest, AlreadyConnectedEndsAtOnce) {
    ASSERT_TRUE(ConnectChannel(7));
    host.ClearLogs();
    int selections = view.ChannelSelections;
    Post(WindowMsg::StartConnect);
    EXPECT_TRUE(Idle());
    EXPECT_EQ(view.ChannelSelections, selections);
    EXPECT_TRUE(host.PcLog().empty());
}

TEST_F(ConnectJobTest, SelectionTitleNamesTheTransfer) {
    ASSERT_TRUE(ConfirmHost());
    view.ChannelToSelect = 0;
    terminal.Engine.ActiveJobs |= JobBit::DownloadDispatcher;   // a dispatcher without a job
    terminal.StartJob(JobBit::Connect);
    EXPECT_EQ(view.LastSelectionTitle, "Select downloading channel.");
    terminal.Engine.ActiveJobs = JobBit::UploadDispatcher | JobBit::SystemDispatcher;
    terminal.StartJob(JobBit::Connect);
    EXPECT_EQ(view.LastSelectionTitle, "Select uploading channel.");
}

}  // namespace
