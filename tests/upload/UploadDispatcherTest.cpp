#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/SubModuleCommands.h"
#include "sim/DynaPertMachine.h"
#include "sim/PanasertTtyMachine.h"
#include "sim/UniversalMachine.h"
#include "upload/UploadFixture.h"

namespace {

constexpr const char* kSerial = "000000000001";

class UploadDispatcherTest : public UploadFixture {};

TEST_F(UploadDispatcherTest, ClosesTheDialogueWithTheOptionByteOfTheType) {
    struct Case {
        const char* Type;
        uint8_t Option;
    };
    for (const Case& c : {Case{"DYNA/PERT", SubModuleCommand::FirstOptionOthers},
                          Case{"PANASERT/TTY", SubModuleCommand::FirstOptionTtyAndVc5}}) {
        SCOPED_TRACE(c.Type);
        if (terminal.StatusFlags & Status::SubConnected) {
            Post(WindowMsg::StartDisconnect);
            ASSERT_TRUE(RunUntilIdle());
        }
        StoreChannel(1, kSerial, c.Type);
        ASSERT_TRUE(ConnectChannel(1));
        std::size_t before = RadioBytes(kSerial).size();
        // The dialog is cancelled: only the dispatcher's own bytes go out.
        view.UploadAnswer = UploadRequest{};
        Post(WindowMsg::StartUpload);
        ASSERT_TRUE(RunUntilIdle());
        std::vector<uint8_t> radio = RadioBytes(kSerial);
        EXPECT_EQ(std::vector<uint8_t>(radio.begin() + static_cast<std::ptrdiff_t>(before), radio.end()),
                  (std::vector<uint8_t>{SubModuleCommand::CloseDialogue, c.Option}));
        EXPECT_FALSE(view.LastUploadRequest.ShowMachineList);
        EXPECT_TRUE(Shown("Uploading canceled."));
        EXPECT_EQ(LastUpload().EndState, 9001);
    }
}

TEST_F(UploadDispatcherTest, WithoutAConnectionTheUploadEndsWith220) {
    StoreChannel(1, kSerial, "DYNA/PERT");
    ASSERT_TRUE(ConfirmHost());
    view.ChannelToSelect = 0;   // the channel selection is cancelled
    ChooseUpload({"F.NCD"});
    Post(WindowMsg::StartUpload);
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_TRUE(Shown("Canceled program uploading because SUB module is not connected."));
    EXPECT_EQ(view.UploadDialogs, 0);
}

TEST_F(UploadDispatcherTest, MachineListTypesReadTheListFirstAndTakeTheItemsLastSelectedFirst) {
    UniversalMachine& machine = AttachMachine<UniversalMachine>(
        1, kSerial, "UNIVERSAL");
    machine.SetPrograms({{"ONE", 1, {"X1"}}, {"TWO", 2, {"X2", "X3."}}});
    ASSERT_TRUE(Upload({"ONE=one.ncd", "TWO=two.ncd"}));
    EXPECT_TRUE(view.LastUploadRequest.ShowMachineList);
    ASSERT_EQ(terminal.McProgramList.size(), 2u);
    EXPECT_EQ(Read("one.ncd"), "0001>  X1\r\n");
    EXPECT_EQ(Read("two.ncd"), "0001>  X2\r\n0002>  X3.\r\n");
    EXPECT_EQ(LastUpload().FilesCompleted, 2);
    std::vector<std::string> commands = machine.Commands();
    auto two = std::find(commands.begin(), commands.end(), "OU TWO");
    auto one = std::find(commands.begin(), commands.end(), "OU ONE");
    ASSERT_NE(two, commands.end());
    ASSERT_NE(one, commands.end());
    EXPECT_LT(two, one);
    EXPECT_TRUE(Shown("Uploading... (two.ncd, TWO)"));
}

TEST_F(UploadDispatcherTest, FilesGoIntoTheFolderTheDialogShowedNotTheChannels) {
    AttachMachine<PanasertTtyMachine>(1, kSerial, "PANASERT/TTY");
    TempFolder channelFolder;
    ChannelConfig channel;
    channel.Channel = 1;
    ASSERT_TRUE(app.LoadChannelConfig(channel));
    channel.NcdFileFolder = channelFolder.Path().string();
    app.SaveChannelConfig(channel);
    ASSERT_TRUE(Upload({"HERE.NCD"}));
    EXPECT_TRUE(Exists("HERE.NCD"));
    EXPECT_FALSE(std::filesystem::exists(channelFolder / "HERE.NCD"));
    ASSERT_TRUE(app.LoadChannelConfig(channel));
    EXPECT_EQ(channel.NcdFileFolder, channelFolder.Path().string());
}

}  // namespace
