#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "download/DownloadFixture.h"
#include "sim/DynaPertMachine.h"
#include "sim/SilentMachine.h"

namespace {

namespace fs = std::filesystem;
constexpr const char* kSerial = "000000000001";

class DownloadDispatcherTest : public DownloadFixture {
protected:
    DynaPertMachine& machine = AttachMachine<DynaPertMachine>(1, kSerial, "DYNA/PERT");

    // Names, sizes and contents of every file below the folder.
    std::vector<std::string> Snapshot() const {
        std::vector<std::string> entries;
        for (const auto& entry : fs::recursive_directory_iterator(files.Path())) {
            std::string text = entry.path().string();
            if (entry.is_regular_file()) text += "=" + TempFolder::Read(entry.path());
            entries.push_back(text);
        }
        std::sort(entries.begin(), entries.end());
        return entries;
    }
};

TEST_F(DownloadDispatcherTest, UnreadableFilesAreReportedAndSkippedAndNothingOnThePcChanges) {
    WriteNc("GOOD.NCD", "N001\r\n");
    WriteNc("EMPTY.NCD", "");
    fs::create_directory(files / "DIR.NCD");
    WriteNc("BIN.NCD", std::string("\x00\x01N1\xFF\xFEZZ\x00", 9));
    Choose({"GOOD.NCD", "MISSING.NCD", "EMPTY.NCD", "DIR.NCD", "BIN.NCD"});
    std::vector<std::string> before = Snapshot();
    ChannelConfig stored;
    stored.Channel = 1;
    ASSERT_TRUE(app.LoadChannelConfig(stored));
    ASSERT_NE(stored.NcdFileFolder, files.Path().string());

    ASSERT_TRUE(ConnectChannel(1));
    Post(WindowMsg::StartDownload);
    ASSERT_TRUE(RunUntilIdle(600000));

    // The messages are the table's rows as they stand, each a numbered entry of its own.
    auto numbered = [&](const std::string& text) {
        return std::count_if(view.StatusLines.begin(), view.StatusLines.end(), [&](const std::string& line) {
            std::size_t mark = line.find("> ");
            return mark != std::string::npos && mark > 0 && line.compare(mark + 2, std::string::npos, text) == 0;
        });
    };
    EXPECT_EQ(Count("File not open."), 2);
    EXPECT_EQ(numbered("File not open."), 2);
    EXPECT_EQ(Count("Empty file."), 1);
    EXPECT_EQ(numbered("Empty file."), 1);
    // A binary file is only text runs to the machine, sent like any other.
    ASSERT_EQ(machine.Programs().size(), 2u);
    EXPECT_EQ(machine.Programs()[0], (std::vector<std::string>{"N1", "ZZ"}));
    EXPECT_EQ(machine.Programs()[1], std::vector<std::string>{"N001"});
    EXPECT_EQ(LastRun().FilesCompleted, 2);
    EXPECT_EQ(LastRun().FilesNotCompleted, 3);
    EXPECT_EQ(view.TotalProgress.first, view.TotalProgress.second);
    EXPECT_EQ(view.TotalProgress.second, 6 + 9);

    // The folder the dialog showed served this run only.
    EXPECT_EQ(Snapshot(), before);
    ChannelConfig after;
    after.Channel = 1;
    ASSERT_TRUE(app.LoadChannelConfig(after));
    EXPECT_EQ(after, stored);
    EXPECT_EQ(app.CurrentChannel.NcdFileFolder, stored.NcdFileFolder);
    EXPECT_TRUE(terminal.TransferFolder.empty());
}

TEST_F(DownloadDispatcherTest, FolderThatVanishedSkipsEveryFileAndTheNextRunWorks) {
    WriteNc("A.NCD", "N001\r\n");
    Choose({"A.NCD"});
    DownloadRequest gone = view.DownloadAnswer;
    gone.TransferFolder = (files / "GONE").string();
    view.DownloadAnswer = gone;
    ASSERT_TRUE(ConnectChannel(1));
    Post(WindowMsg::StartDownload);
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_EQ(Count("File not open."), 1);
    EXPECT_EQ(LastRun().FilesNotCompleted, 1);
    EXPECT_TRUE(machine.Received().empty());

    ASSERT_TRUE(Download({"A.NCD"}));
    EXPECT_EQ(machine.Programs().size(), 1u);
}

TEST_F(DownloadDispatcherTest, FileThatChangedSinceTheListingIsSentAsItIsNow) {
    WriteNc("A.NCD", "N001\r\n");
    Choose({"A.NCD"});
    WriteNc("A.NCD", "N001\r\nN002\r\nN003\r\n");
    ASSERT_TRUE(ConnectChannel(1));
    Post(WindowMsg::StartDownload);
    ASSERT_TRUE(RunUntilIdle());
    ASSERT_EQ(machine.Programs().size(), 1u);
    EXPECT_EQ(machine.Programs()[0].size(), 3u);
    EXPECT_EQ(view.TotalProgress, std::make_pair(18, 18));
}

TEST_F(DownloadDispatcherTest, CancelledDialogAndMissingConnectionEndTheDownload) {
    // No file chosen: the dialog was cancelled.
    ASSERT_TRUE(ConnectChannel(1));
    view.DownloadAnswer = DownloadRequest{};
    Post(WindowMsg::StartDownload);
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_EQ(view.DownloadDialogs, 1);
    EXPECT_FALSE(view.LastDownloadRequest.ShowProgramNames);
    EXPECT_TRUE(Shown("Downloading canceled."));
    EXPECT_TRUE(terminal.StatusFlags & Status::LinkIdle);

    // Not connected, and the channel selection is cancelled.
    terminal.StatusFlags &= ~Status::SubConnected;
    view.ChannelToSelect = 0;
    Post(WindowMsg::StartDownload);
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_TRUE(Shown("Canceled program downloading because SUB module is not connected."));
    EXPECT_EQ(view.DownloadDialogs, 1);
    EXPECT_EQ(LastRun().EndState, 9002);
}

TEST_F(DownloadDispatcherTest, DispatcherConnectsFirstWhenNeeded) {
    WriteNc("A.NCD", "N001\r\n");
    Choose({"A.NCD"});
    ASSERT_TRUE(ConfirmHost());
    view.ChannelToSelect = 1;
    Post(WindowMsg::StartDownload);
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_TRUE(Shown("Equipment is connected."));
    EXPECT_TRUE(Shown("Downloading complete."));
    EXPECT_EQ(machine.Programs().size(), 1u);
}

TEST_F(DownloadDispatcherTest, TypesWithoutADownloadJobAreRefused) {
    // A record written by another program can name a type this one does not know.
    StoreChannel(4, "000000000004", "VCD-1");
    WriteNc("A.NCD", "N001\r\n");
    // Taken first: a file that cannot be read is reported as such before the type is refused.
    Choose({"A.NCD", "MISSING.NCD"});
    ASSERT_TRUE(ConnectChannel(4));
    auto* citizen = dynamic_cast<SilentMachine*>(radio.FindSubModule("000000000004")->Machine());
    ASSERT_NE(citizen, nullptr);
    citizen->ClearReceived();
    Post(WindowMsg::StartDownload);
    ASSERT_TRUE(RunUntilIdle());
    EXPECT_TRUE(Shown("File not open."));
    EXPECT_TRUE(Shown("Invalid type of equipment."));
    const std::vector<std::string> texts = StatusTexts();
    EXPECT_LT(std::find(texts.begin(), texts.end(), "File not open.") - texts.begin(),
              std::find(texts.begin(), texts.end(), "Invalid type of equipment.") - texts.begin());
    EXPECT_EQ(LastRun().EndState, 9002);
    EXPECT_EQ(LastRun().FilesNotCompleted, 2);
    EXPECT_TRUE(citizen->Received().empty());
}

}  // namespace
