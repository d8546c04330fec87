#include "ui/models/ProgramPageModel.h"

#include <gtest/gtest.h>

#include "engine/JobBits.h"
#include "engine/StatusBits.h"
#include "engine/WindowMessages.h"
#include "ui/models/ColorRef.h"

namespace {
std::string Text(Msg row) {
    switch (row) {
        case Msg::ConnectedChannel: return "Connected channel";
        case Msg::ConnectMachineKey: return "Connect";
        case Msg::DisconnectMachineKey: return "Disconnect";
        case Msg::Disconnected: return "Disconnected";
        default: return "#" + std::to_string(static_cast<int>(row));
    }
}

ProgramPageInput Idle() {
    ProgramPageInput in;
    in.RegisteredJobs = JobBit::AllJobs;
    return in;
}

ProgramPageInput Connected(const char* type) {
    ProgramPageInput in = Idle();
    in.StatusFlags = Status::SubConnected | Status::HostConfirmed;
    in.Channel.Channel = 4;
    in.Channel.McName = "Line 4";
    in.Channel.McType = type;
    in.Channel.SubSerial = "000000000004";
    in.SubModuleType = 0;
    in.SubModuleVersion = 31;
    return in;
}
}  // namespace

TEST(ProgramPageModel, ConnectedStatusLineNamesTheModule) {
    ProgramPageView view = ProgramPageModel::Build(Connected("CITIZEN/M10"), Text);
    EXPECT_EQ(view.StatusLine, "Connected channel 4 : Line 4 (CITIZEN/M10,000000000004,Type:RS232,Ver3.1)");
    EXPECT_EQ(view.ConnectCaption, "Disconnect");
    EXPECT_TRUE(view.StatusLineEnabled);

    ProgramPageInput unknown = Connected("UNIVERSAL");
    unknown.SubModuleType = 7;
    unknown.SubModuleVersion = 40;
    EXPECT_EQ(ProgramPageModel::Build(unknown, Text).StatusLine,
              "Connected channel 4 : Line 4 (UNIVERSAL,000000000004,Type:?,Ver4.0)");
    EXPECT_STREQ(ProgramPageModel::SubModuleTypeName(1), "PNC");
    EXPECT_STREQ(ProgramPageModel::SubModuleTypeName(2), "VC5");
    EXPECT_STREQ(ProgramPageModel::SubModuleTypeName(3), "?");
}

TEST(ProgramPageModel, DisconnectedPageOffersEveryCommand) {
    ProgramPageView view = ProgramPageModel::Build(Idle(), Text);
    EXPECT_EQ(view.StatusLine, "Disconnected");
    EXPECT_EQ(view.ConnectCaption, "Connect");
    EXPECT_TRUE(view.ConnectEnabled && view.DownloadEnabled && view.UploadEnabled && view.SystemDownloadEnabled);
    EXPECT_FALSE(view.CancelEnabled);
    EXPECT_FALSE(view.TimeLabelEnabled);
    EXPECT_FALSE(view.StatusLineEnabled);
    EXPECT_EQ(ProgramPageModel::ConnectMessage(0), WindowMsg::StartConnect);
    EXPECT_EQ(ProgramPageModel::ConnectMessage(Status::SubConnected), WindowMsg::StartDisconnect);
}

TEST(ProgramPageModel, SystemDownloadOnlyForMachinesThatTakeSystemPrograms) {
    for (const char* type : {"DYNA/PERT", "PANASERT/RS232", "TDK/VC5A", "USM"}) {
        ProgramPageView view = ProgramPageModel::Build(Connected(type), Text);
        EXPECT_FALSE(view.SystemDownloadEnabled) << type;
        EXPECT_TRUE(view.ConnectEnabled && view.DownloadEnabled && view.UploadEnabled) << type;
    }
    for (const char* type : {"TDK/VC5", "UNIVERSAL"}) {
        EXPECT_TRUE(ProgramPageModel::Build(Connected(type), Text).SystemDownloadEnabled) << type;
    }
}

TEST(ProgramPageModel, CommandsWithoutAJobStayDisabled) {
    for (ProgramPageInput in : {Idle(), Connected("UNIVERSAL")}) {
        in.RegisteredJobs = JobBit::AllJobs & ~(JobBit::UploadDispatcher | JobBit::SystemDispatcher);
        ProgramPageView view = ProgramPageModel::Build(in, Text);
        EXPECT_FALSE(view.UploadEnabled || view.SystemDownloadEnabled);
        EXPECT_TRUE(view.DownloadEnabled && view.ConnectEnabled);
    }
}

TEST(ProgramPageModel, RunningJobLeavesOnlyCancel) {
    ProgramPageInput in = Connected("UNIVERSAL");
    in.ActiveJobs = JobBit::DownloadDispatcher | JobBit::DownloadUniversal;
    ProgramPageView view = ProgramPageModel::Build(in, Text);
    EXPECT_TRUE(view.CancelEnabled);
    EXPECT_TRUE(view.TimeLabelEnabled);
    EXPECT_TRUE(view.StatusLineEnabled);
    EXPECT_FALSE(view.ConnectEnabled || view.DownloadEnabled || view.UploadEnabled || view.SystemDownloadEnabled);

    // A link job shows no time.
    ProgramPageInput connecting;
    connecting.ActiveJobs = JobBit::Connect;
    ProgramPageView linking = ProgramPageModel::Build(connecting, Text);
    EXPECT_FALSE(linking.TimeLabelEnabled);
    EXPECT_FALSE(linking.StatusLineEnabled);
    EXPECT_TRUE(linking.CancelEnabled);
}

TEST(ColorRef, TextInTheBackgroundColourBecomesItsComplement) {
    EXPECT_EQ(ColorRef::TextColorFor(ColorRef::kBlack, ColorRef::kBlack), ColorRef::kWhite);
    EXPECT_EQ(ColorRef::TextColorFor(ColorRef::kWhite, ColorRef::kWhite), ColorRef::kBlack);
    const int teal = ColorRef::Make(0x12, 0x80, 0xF0);
    EXPECT_EQ(ColorRef::TextColorFor(teal, teal), ColorRef::Make(0xED, 0x7F, 0x0F));
    EXPECT_EQ(ColorRef::TextColorFor(teal, ColorRef::kBlack), teal);
    EXPECT_EQ(ColorRef::Red(65280), 0);
    EXPECT_EQ(ColorRef::Green(65280), 255);
}
