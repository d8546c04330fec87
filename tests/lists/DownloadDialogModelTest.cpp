#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/CKOVAApp.h"
#include "support/TempFolder.h"
#include "ui/models/DownloadDialogModel.h"

namespace {

namespace fs = std::filesystem;
using Column = DownloadDialogModel::ColumnKind;
using Action = DownloadDialogModel::Action;

class DownloadDialogModelTest : public ::testing::Test {
protected:
    DownloadDialogModelTest() {
        app.SetDefaultMultiLanguageStr();
        app._nLanguage = 0;
        folderA = root + "/A";
        folderB = root + "/B";
        fs::create_directories(folderA);
        fs::create_directories(folderB);
        channel.Channel = 7;
        channel.McName = "ZID-1";
        channel.NcdFileFolder = folderA;
    }

    void File(const std::string& folder, const std::string& name, const std::string& content = "N1\r\n") {
        std::ofstream(folder + "/" + name, std::ios::binary) << content;
    }

    DownloadDialogModel& Open(const std::string& type, bool programNames, bool system = false) {
        channel.McType = type;
        request.ShowProgramNames = programNames;
        request.SystemProgram = system;
        model = std::make_unique<DownloadDialogModel>(
            channel, mcPrograms, request, [this](Msg row) { return app.GetMultiLanguageStr(static_cast<int>(row)); },
            [this](const std::string& text) { status.push_back(text); },
            [this](const ChannelConfig& saved) {
                savedChannels.push_back(saved);
                return 1;
            });
        model->Initialize();
        return *model;
    }

    int RowOf(const std::string& fileName) const {
        for (int i = 0; i < static_cast<int>(model->Rows().size()); ++i)
            if (model->Rows()[i].Item.FileName == fileName) return i;
        return -1;
    }
    int ColumnIndex(Column kind) const {
        std::vector<DownloadDialogModel::Column> columns = model->Columns();
        for (int i = 0; i < static_cast<int>(columns.size()); ++i)
            if (columns[i].Kind == kind) return i;
        return -1;
    }
    void SelectFile(const std::string& fileName) {
        model->SetSelection({RowOf(fileName)});
        model->Click(RowOf(fileName), ColumnIndex(Column::FileName));
        model->Select();
    }
    std::string NameOf(const std::string& fileName) const { return model->Rows()[RowOf(fileName)].Item.McProgramName; }
    std::string RemarksOf(const std::string& fileName) const { return model->Rows()[RowOf(fileName)].Remarks; }
    std::vector<std::string> MenuTexts(int row, Column column) {
        std::vector<std::string> texts;
        for (const auto& entry : model->ContextMenu(row, ColumnIndex(column))) texts.push_back(entry.Text);
        return texts;
    }

    CKOVAApp app;
    TempFolder temp{"kova-dlg"};
    std::string root = temp.Path().string(), folderA, folderB;
    ChannelConfig channel;
    McProgramEntryList mcPrograms;
    DownloadRequest request;
    std::unique_ptr<DownloadDialogModel> model;
    std::vector<std::string> status;
    std::vector<ChannelConfig> savedChannels;
};

TEST_F(DownloadDialogModelTest, FileNamesBecomeProgramNamesByTheMachineRule) {
    File(folderA, "my prog,v2.ncd");
    File(folderA, "abcdefghijkl.ncd");
    File(folderA, std::string(40, 'q') + ".ncd");

    Open("UNIVERSAL", true);
    SelectFile("my prog,v2.ncd");
    SelectFile(std::string(40, 'q') + ".ncd");
    EXPECT_EQ(NameOf("my prog,v2.ncd"), "MY_PROG_V2.NCD");
    EXPECT_EQ(NameOf(std::string(40, 'q') + ".ncd"), std::string(33, 'Q'));

    Open("TDK/VC5", true);
    SelectFile("abcdefghijkl.ncd");
    EXPECT_EQ(NameOf("abcdefghijkl.ncd"), "ABCDEFGHIJ");
}

TEST_F(DownloadDialogModelTest, RemarksCompareWithTheMachineListIgnoringCase) {
    mcPrograms = {{"P1", 10}, {"KEEP.NCD", 3}};
    File(folderA, "keep.ncd");
    File(folderA, "x.ncd");
    DownloadDialogModel& m = Open("UNIVERSAL", true);

    // Without a program name the converted file name is compared.
    EXPECT_EQ(RemarksOf("keep.ncd"), "Already exist on MC.");
    EXPECT_EQ(RemarksOf("x.ncd"), "");

    m.SetSelection({RowOf("x.ncd")});
    m.Click(RowOf("x.ncd"), ColumnIndex(Column::ProgramName));
    int row = -1;
    std::string text;
    ASSERT_TRUE(m.BeginRename(row, text));
    EXPECT_EQ(row, RowOf("x.ncd"));
    m.CommitRename("  p1 ");
    EXPECT_EQ(NameOf("x.ncd"), "P1");
    EXPECT_EQ(RemarksOf("x.ncd"), "Already exist on MC.");

    m.Deselect();
    EXPECT_EQ(NameOf("x.ncd"), "");
    EXPECT_EQ(RemarksOf("x.ncd"), "");

    SelectFile("x.ncd");
    EXPECT_EQ(RemarksOf("x.ncd"), "Downloading");
    EXPECT_EQ(m.CellText(RowOf("x.ncd"), Column::Remarks), "Downloading");
}

TEST_F(DownloadDialogModelTest, RenameCommitsOnlyAChangedTextAndCancelKeepsTheCell) {
    File(folderA, "a.ncd");
    DownloadDialogModel& m = Open("TDK/VC5", true);
    SelectFile("a.ncd");
    int row;
    std::string text;

    ASSERT_TRUE(m.BeginRename(row, text));
    EXPECT_EQ(text, "A.NCD");
    m.CancelRename();
    EXPECT_FALSE(m.Renaming());
    EXPECT_EQ(NameOf("a.ncd"), "A.NCD");

    ASSERT_TRUE(m.BeginRename(row, text));
    m.CommitRename("a long program name");
    EXPECT_EQ(NameOf("a.ncd"), "A_LONG_PRO");

    // Emptying the cell takes the file out of the download.
    ASSERT_TRUE(m.BeginRename(row, text));
    m.CommitRename("   ");
    EXPECT_EQ(NameOf("a.ncd"), "");
    EXPECT_FALSE(m.ButtonStates().Download);
}

TEST_F(DownloadDialogModelTest, DoubleClickSelectsOnTheFileAndRenamesOnTheProgramName) {
    File(folderA, "a.ncd");
    DownloadDialogModel& m = Open("UNIVERSAL", true);
    EXPECT_EQ(m.DoubleClick(0, ColumnIndex(Column::Size)), DownloadDialogModel::DoubleClickResult::Nothing);
    EXPECT_EQ(m.DoubleClick(0, ColumnIndex(Column::FileName)), DownloadDialogModel::DoubleClickResult::Selected);
    EXPECT_EQ(NameOf("a.ncd"), "A.NCD");
    EXPECT_EQ(m.DoubleClick(0, ColumnIndex(Column::ProgramName)),
              DownloadDialogModel::DoubleClickResult::StartRename);
    EXPECT_EQ(m.DoubleClick(5, ColumnIndex(Column::FileName)), DownloadDialogModel::DoubleClickResult::Nothing);
}

TEST_F(DownloadDialogModelTest, ProgramNameModeMenusFollowTheClickedColumn) {
    File(folderA, "a.ncd");
    File(folderA, "b.ncd");
    DownloadDialogModel& m = Open("UNIVERSAL", true);
    m.SetSelection({0});
    EXPECT_EQ(MenuTexts(0, Column::FileName), std::vector<std::string>{"Program name = Filename"});
    EXPECT_EQ(MenuTexts(0, Column::ProgramName),
              (std::vector<std::string>{"Downloading program rename", "Quick View"}));
    m.Select();
    EXPECT_EQ(MenuTexts(0, Column::FileName), (std::vector<std::string>{"Program name = Filename", "Quick View"}));
    m.SetSelection({0, 1});
    EXPECT_EQ(MenuTexts(0, Column::ProgramName),
              (std::vector<std::string>{"Deselect", "Downloading program rename"}));
    EXPECT_TRUE(MenuTexts(0, Column::Remarks).empty());
    EXPECT_TRUE(MenuTexts(-1, Column::FileName).empty());
}

TEST_F(DownloadDialogModelTest, SingleFileModeFollowsTheOneSelectedRow) {
    File(folderA, "a.ncd", "12345");
    File(folderA, "b.ncd");
    DownloadDialogModel& m = Open("DYNA/PERT", false);
    for (const auto& column : m.Columns()) EXPECT_NE(column.Kind, Column::ProgramName);
    EXPECT_FALSE(m.ButtonStates().Download);
    DownloadRequest out;
    EXPECT_FALSE(m.Download(out));

    m.SetSelection({RowOf("a.ncd")});
    EXPECT_TRUE(m.ButtonStates().Download);
    EXPECT_TRUE(m.ButtonStates().QuickView);
    EXPECT_EQ(MenuTexts(RowOf("a.ncd"), Column::FileName), std::vector<std::string>{"Program download(PC->MC)"});
    // A right click below the rows still offers the download of the selected file.
    EXPECT_EQ(MenuTexts(-1, Column::FileName), std::vector<std::string>{"Program download(PC->MC)"});
    m.SetSelection({0, 1});
    EXPECT_FALSE(m.ButtonStates().Download);
    EXPECT_FALSE(m.ButtonStates().QuickView);
    EXPECT_TRUE(MenuTexts(0, Column::FileName).empty());
    // Select does nothing here.
    m.Select();
    EXPECT_EQ(NameOf("a.ncd"), "");

    m.SetSelection({RowOf("a.ncd")});
    ASSERT_TRUE(m.Download(out));
    ASSERT_EQ(out.Files.size(), 1u);
    EXPECT_EQ(out.Files[0].FileName, "a.ncd");
    EXPECT_EQ(out.Files[0].Length, 5u);
    EXPECT_EQ(out.Files[0].McProgramName, "");
    EXPECT_EQ(m.CellText(RowOf("a.ncd"), Column::Size), "000005");
    EXPECT_EQ(m.CellText(1, Column::No), "0002");
}

TEST_F(DownloadDialogModelTest, SystemFormOffersDelayBitsWithThirtyFivePreselected) {
    File(folderA, "sys.bin");
    DownloadDialogModel& m = Open("TDK/VC5", true, true);
    EXPECT_FALSE(m.ProgramNameMode());
    EXPECT_EQ(m.Caption(), "Select  system program  to downloading.  (CH:7, TDK/VC5, ZID-1)");
    EXPECT_EQ(m.PreselectedDelayBits(), 35);
    ASSERT_EQ(DownloadDialogModel::DelayBitChoices().size(), 201u);
    EXPECT_EQ(DownloadDialogModel::DelayBitChoices()[35], "35");
    m.SetSelection({0});
    DownloadRequest out;
    ASSERT_TRUE(m.Download(out));
    EXPECT_EQ(out.SysDelayBits, "35");
    EXPECT_EQ(ColumnIndex(Column::ProgramName), -1);

    DownloadDialogModel& other = Open("DYNA/PERT", false, true);
    EXPECT_EQ(other.PreselectedDelayBits(), -1);
    EXPECT_EQ(other.SysDelayBits(), "");
    EXPECT_EQ(Open("UNIVERSAL", true, false).Caption(), "Select  NC program  to downloading.  (CH:7, UNIVERSAL, ZID-1)");
}

TEST_F(DownloadDialogModelTest, ChangingTheFolderOfTheChannelSavesTheChannel) {
    File(folderB, "b.ncd");
    DownloadDialogModel& m = Open("UNIVERSAL", true);
    EXPECT_TRUE(m.Rows().empty());
    EXPECT_FALSE(m.ButtonStates().ChangeFolder);

    m.FolderChosen(folderB + "/");
    EXPECT_EQ(m.PathPattern(), folderB + "/*.*");
    ASSERT_EQ(m.Rows().size(), 1u);
    EXPECT_TRUE(m.ButtonStates().ChangeFolder);

    m.ChangeFolderOfChannel();
    ASSERT_EQ(savedChannels.size(), 1u);
    EXPECT_EQ(savedChannels[0].NcdFileFolder, folderB);
    EXPECT_EQ(savedChannels[0].Channel, 7);
    EXPECT_EQ(channel.NcdFileFolder, folderB);
    EXPECT_FALSE(m.ButtonStates().ChangeFolder);
}

TEST_F(DownloadDialogModelTest, OkHandsBackTheShownFolderAndTheNamedFilesInListOrder) {
    File(folderB, "c.ncd", "ccc");
    File(folderB, "a.ncd", "a");
    File(folderB, "b.ncd");
    DownloadDialogModel& m = Open("UNIVERSAL", true);
    m.FolderChosen(folderB);
    SelectFile("c.ncd");
    SelectFile("a.ncd");

    DownloadRequest out;
    ASSERT_TRUE(m.Download(out));
    EXPECT_EQ(out.TransferFolder, folderB);
    ASSERT_EQ(out.Files.size(), 2u);
    EXPECT_EQ(out.Files[0].FileName, "a.ncd");
    EXPECT_EQ(out.Files[0].McProgramName, "A.NCD");
    EXPECT_EQ(out.Files[1].FileName, "c.ncd");
    EXPECT_EQ(out.Files[1].Length, 3u);
    EXPECT_EQ(out.SysDelayBits, "");
    // The channel keeps its folder: the shown folder is for this run only.
    EXPECT_TRUE(savedChannels.empty());
    EXPECT_EQ(channel.NcdFileFolder, folderA);
}

TEST_F(DownloadDialogModelTest, PathEditReadsTheListOnlyWhenThePathChanged) {
    File(folderA, "a.ncd");
    File(folderA, "b.txt");
    File(folderB, "z.ncd");
    fs::create_directories(folderA + "/sub");
    DownloadDialogModel& m = Open("UNIVERSAL", true);
    EXPECT_EQ(m.Rows().size(), 2u);   // folders are not listed
    std::size_t reads = status.size();
    EXPECT_EQ(status.back(), "PC's files list reads.");

    EXPECT_FALSE(m.ApplyPathEdit(m.PathPattern()));
    EXPECT_EQ(status.size(), reads);

    EXPECT_TRUE(m.ApplyPathEdit(folderA + "/*.ncd"));
    ASSERT_EQ(m.Rows().size(), 1u);
    EXPECT_EQ(m.Rows()[0].Item.FileName, "a.ncd");

    // A folder typed without a pattern shows its files.
    EXPECT_TRUE(m.ApplyPathEdit(folderB));
    EXPECT_EQ(m.PathPattern(), folderB + "/*.*");
    EXPECT_EQ(m.Rows().size(), 1u);

    EXPECT_TRUE(m.ApplyPathEdit(root + "/missing/*.*"));
    EXPECT_TRUE(m.Rows().empty());
    EXPECT_FALSE(m.ButtonStates().Download);

    m.Refresh(folderA + "/*.*");
    EXPECT_EQ(m.Rows().size(), 2u);
}

TEST_F(DownloadDialogModelTest, PatternWithoutAFolderMeansTheChannelsFolder) {
    // The program's working folder holds a file of the same name; it must not
    // be the one listed, handed back or saved.
    File(folderA, "p.ncd", "from the channel");
    File(folderB, "p.ncd", "elsewhere");
    const fs::path before = fs::current_path();
    fs::current_path(folderB);
    DownloadDialogModel& m = Open("DYNA/PERT", false);
    m.FolderChosen(folderB);
    EXPECT_TRUE(m.ApplyPathEdit("*.ncd"));
    EXPECT_EQ(m.PathPattern(), folderA + "/*.ncd");
    ASSERT_EQ(m.Rows().size(), 1u);
    EXPECT_EQ(m.Rows()[0].Item.Length, std::string("from the channel").size());
    SelectFile("p.ncd");
    DownloadRequest out;
    ASSERT_TRUE(m.Download(out));
    EXPECT_EQ(out.TransferFolder, folderA);
    m.ChangeFolderOfChannel();
    ASSERT_EQ(savedChannels.size(), 1u);
    EXPECT_EQ(savedChannels[0].NcdFileFolder, folderA);
    fs::current_path(before);
}

TEST_F(DownloadDialogModelTest, FileOpenDialogChoiceBringsItsFolderAndSelectsTheFile) {
    File(folderB, "a.ncd");
    File(folderB, "b.ncd");
    DownloadDialogModel& m = Open("DYNA/PERT", false);
    m.FileOpenDone("");
    EXPECT_TRUE(m.Rows().empty());
    m.FileOpenDone(folderB + "/b.ncd");
    EXPECT_EQ(m.CurrentFolder(), folderB);
    EXPECT_EQ(m.SelectedRows(), std::vector<int>{RowOf("b.ncd")});
    EXPECT_TRUE(m.ButtonStates().Download);
    EXPECT_EQ(m.QuickViewPath(), folderB + "/b.ncd");
}

TEST_F(DownloadDialogModelTest, QuickViewTextShowsLinesAndIsBounded) {
    File(folderA, "v.ncd", std::string("N1 X1\r\nN2\rN3\n\x01\x7f" "end", 18));
    std::string text;
    bool cut = true;
    ASSERT_TRUE(DownloadDialogModel::LoadViewText(folderA + "/v.ncd", 1000, text, cut));
    EXPECT_EQ(text, "N1 X1\nN2\nN3\n..end");
    EXPECT_FALSE(cut);
    ASSERT_TRUE(DownloadDialogModel::LoadViewText(folderA + "/v.ncd", 4, text, cut));
    EXPECT_EQ(text, "N1 X");
    EXPECT_TRUE(cut);
    EXPECT_FALSE(DownloadDialogModel::LoadViewText(folderA + "/none", 10, text, cut));
}

}  // namespace
