#include <gtest/gtest.h>

#include "engine/JobBits.h"
#include "engine/StatusBits.h"
#include "engine/WindowMessages.h"
#include "ui/models/PcPortPageModel.h"

namespace {
std::string Text(Msg row) { return "#" + std::to_string(static_cast<int>(row)); }

PcPortPageInput Input(uint32_t flags, const std::string& chosen = "Auto", const std::string& idle = "30") {
    PcPortPageInput input;
    input.StatusFlags = flags;
    input.Port.PcComNo = "Auto";
    input.Port.DisconnectTime = 30;
    input.Port.PortName = "/dev/ttyUSB0";
    input.HostAddress = "001122334455";
    input.HostDeviceName = "TRX";
    input.ChosenPort = chosen;
    input.IdleText = idle;
    input.PortOpen = (flags & Status::HostConfirmed) != 0;
    return input;
}

constexpr uint32_t kHost = Status::HostConfirmed;
constexpr uint32_t kConnected = Status::HostConfirmed | Status::SubConnected;
}  // namespace

TEST(PcPortPageModel, EnabledStatesFollowJobHostAndConnection) {
    struct Case {
        const char* Name;
        PcPortPageInput In;
        bool Combo, Parameter, HostLines, SubLines, OpenClose, Reconnect, Apply, Idle;
    };
    PcPortPageInput busy = Input(kConnected);
    busy.ActiveJobs = JobBit::DownloadDispatcher;
    const Case cases[] = {
        {"job", busy, false, false, false, false, false, false, false, false},
        {"no host", Input(0), true, false, false, false, true, false, false, true},
        {"host", Input(kHost), false, true, true, false, true, true, false, true},
        {"connected", Input(kConnected), false, true, true, true, true, true, false, true},
        {"other port", Input(0, "/dev/ttyUSB1"), true, false, false, false, false, false, true, true},
        {"other port, host", Input(kHost, "/dev/ttyUSB1"), false, true, true, false, true, true, false, true},
        {"idle edited, host", Input(kHost, "Auto", "31"), false, true, true, false, true, true, true, true},
        {"idle edited", Input(0, "Auto", "0"), true, false, false, false, true, false, true, true},
        {"idle not a number", Input(0, "Auto", "3x"), true, false, false, false, true, false, true, true},
    };
    for (const Case& c : cases) {
        const PcPortPageView v = PcPortPageModel::Build(c.In, Text);
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(v.PortComboEnabled, c.Combo);
        EXPECT_EQ(v.ParameterLabelEnabled, c.Parameter);
        EXPECT_EQ(v.PcToHostEnabled, c.HostLines);
        EXPECT_EQ(v.HostToPcEnabled, c.HostLines);
        EXPECT_EQ(v.SubToMcEnabled, c.SubLines);
        EXPECT_EQ(v.McToSubEnabled, c.SubLines);
        EXPECT_EQ(v.OpenCloseEnabled, c.OpenClose);
        EXPECT_EQ(v.ReconnectEnabled, c.Reconnect);
        EXPECT_EQ(v.ApplyEnabled, c.Apply);
        EXPECT_EQ(v.CancelEnabled, c.Apply);
        EXPECT_EQ(v.IdleEditEnabled, c.Idle);
        EXPECT_EQ(v.HostLabelEnabled, c.Idle);
    }
}

TEST(PcPortPageModel, CaptionsLabelsAndIndicators) {
    PcPortPageInput input = Input(kConnected | Status::CtsOn);
    input.MachineBusy = true;
    PcPortPageView v = PcPortPageModel::Build(input, Text);
    EXPECT_EQ(v.OpenCloseCaption, "#16");
    EXPECT_EQ(v.ParameterText, "/dev/ttyUSB0, B:9600, D:8, S:2, P:NONE");
    EXPECT_EQ(v.HostText, "#269 : 001122334455 / TRX");
    EXPECT_TRUE(v.PcToHostOn);
    EXPECT_TRUE(v.HostToPcOn);
    EXPECT_TRUE(v.McToSubOn);
    EXPECT_FALSE(v.SubToMcOn);

    v = PcPortPageModel::Build(Input(0), Text);
    EXPECT_EQ(v.OpenCloseCaption, "#17");
    EXPECT_EQ(v.HostText, "#269 : ");
    EXPECT_FALSE(v.PcToHostOn || v.HostToPcOn || v.SubToMcOn || v.McToSubOn);
    EXPECT_EQ(PcPortPageModel::OpenCloseMessage(true), WindowMsg::StartClosePort);
    EXPECT_EQ(PcPortPageModel::OpenCloseMessage(false), WindowMsg::StartHostCheck);
}

TEST(PcPortPageModel, IdleTimeIsAWholeNumberOfSecondsThatATimerTakes) {
    EXPECT_EQ(PcPortPageModel::ParseIdleTime("0"), 0);
    EXPECT_EQ(PcPortPageModel::ParseIdleTime(" 600 "), 600);
    EXPECT_EQ(PcPortPageModel::ParseIdleTime("2147483"), 2147483);
    for (const char* bad : {"", " ", "-1", "2147484", "99999999999", "1.5", "1e3", "+5", "12a"}) {
        EXPECT_EQ(PcPortPageModel::ParseIdleTime(bad), std::nullopt) << bad;
    }
}

TEST(PcPortPageModel, ApplyKeepsChoiceAndTellsWhetherTheIdleTimeChanged) {
    PcPortConfig port;
    port.DisconnectTime = 30;
    PcPortApply same = PcPortPageModel::Apply(port, "/dev/ttyUSB1", "30", Text);
    EXPECT_FALSE(same.Error);
    EXPECT_EQ(same.PcComNo, "/dev/ttyUSB1");
    EXPECT_FALSE(same.IdleTimeChanged);   // no 0x41C for an unchanged idle time

    PcPortApply changed = PcPortPageModel::Apply(port, "", "45", Text);
    EXPECT_EQ(changed.PcComNo, "Auto");
    EXPECT_TRUE(changed.IdleTimeChanged);
    EXPECT_EQ(changed.DisconnectTime, 45);

    PcPortApply refused = PcPortPageModel::Apply(port, "/dev/ttyUSB1", "3000000", Text);
    ASSERT_TRUE(refused.Error);
    EXPECT_EQ(*refused.Error, "#117 : 0 ~ 2147483");
}
