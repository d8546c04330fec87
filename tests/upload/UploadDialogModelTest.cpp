#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/CKOVAApp.h"
#include "app/KeptVersions.h"
#include "support/TempFolder.h"
#include "ui/models/UploadDialogModel.h"

namespace {

using Column = UploadDialogModel::ColumnKind;
using Action = UploadDialogModel::Action;

class UploadDialogModelTest : public ::testing::Test {
protected:
    UploadDialogModelTest() {
        app.SetDefaultMultiLanguageStr();
        app._nLanguage = 0;
        channel.Channel = 3;
        channel.McName = "LINE-3";
        channel.NcdFileFolder = folder.Path().string();
        File("prg1");
        File("BOARD.NCD", "N1\r\nN2\r\n");
    }

    void File(const std::string& name, const std::string& content = "N1\r\n") {
        TempFolder::Write(folder / name, content);
    }

    UploadDialogModel& Open(const std::string& type, bool machineList) {
        channel.McType = type;
        UploadRequest request;
        request.ShowMachineList = machineList;
        model = std::make_unique<UploadDialogModel>(
            channel, mcPrograms, request, [this](Msg row) { return app.GetMultiLanguageStr(static_cast<int>(row)); },
            [this](const std::string& text) { status.push_back(text); },
            [this](const ChannelConfig& saved) {
                saves.push_back(saved);
                return 1;
            },
            [this](const std::string& question) {
                questions.push_back(question);
                return answerYes;
            });
        model->Initialize();
        return *model;
    }
    int ColumnIndex(Column kind) const {
        std::vector<UploadDialogModel::Column> columns = model->Columns();
        for (int i = 0; i < static_cast<int>(columns.size()); ++i)
            if (columns[i].Kind == kind) return i;
        return -1;
    }
    std::string Cell(int row, Column kind) const { return model->CellText(row, kind); }

    CKOVAApp app;
    TempFolder folder{"kova-upload-dialog"};
    ChannelConfig channel;
    McProgramEntryList mcPrograms{{"PRG1", 120}, {"A/B:C", 7}, {"NEW", 3}};
    std::unique_ptr<UploadDialogModel> model;
    std::vector<std::string> status;
    std::vector<ChannelConfig> saves;
    std::vector<std::string> questions;
    bool answerYes = false;
};

TEST_F(UploadDialogModelTest, FileNameRuleTrimsAndReplacesWhatANameCannotHold) {
    EXPECT_EQ(UploadDialogModel::FileNameRule("a/b:c"), "a_b_c");
    EXPECT_EQ(UploadDialogModel::FileNameRule("  x\\y*?\"<>|z.ncd \r\n"), "x_y______z.ncd");
    EXPECT_EQ(UploadDialogModel::FileNameRule(" \r\n"), "");
}

TEST_F(UploadDialogModelTest, MachineListModeShowsTheProgramsWithRemarksAgainstThePcFiles) {
    UploadDialogModel& m = Open("UNIVERSAL", true);
    EXPECT_EQ(m.Caption(), "Select uploading program  (Channel:3, UNIVERSAL, LINE-3)");
    ASSERT_EQ(m.Rows().size(), 3u);
    EXPECT_EQ(ColumnIndex(Column::Lines), 1);
    EXPECT_EQ(ColumnIndex(Column::Size), -1);
    EXPECT_EQ(Cell(0, Column::No), "0001");
    EXPECT_EQ(Cell(0, Column::Lines), "000120");
    // "PRG1" is on the PC as "prg1", before any name is given.
    EXPECT_EQ(Cell(0, Column::Remarks), "Already exist on PC.");
    EXPECT_EQ(Cell(2, Column::Remarks), "");
    EXPECT_FALSE(m.ButtonStates().Upload);
    EXPECT_EQ(status, (std::vector<std::string>{"PC's files list reads."}));

    m.Click(0, ColumnIndex(Column::ProgramName));
    m.Select();
    EXPECT_EQ(Cell(0, Column::UploadName), "PRG1");
    EXPECT_EQ(Cell(0, Column::Remarks), "File over write");
    m.DoubleClick(1, ColumnIndex(Column::ProgramName));
    EXPECT_EQ(Cell(1, Column::UploadName), "A_B_C");
    EXPECT_EQ(Cell(1, Column::Remarks), "Upload");
    EXPECT_TRUE(m.ButtonStates().Upload);

    UploadRequest request;
    ASSERT_TRUE(m.Upload(request));
    EXPECT_EQ(request.TransferFolder, folder.Path().string());
    ASSERT_EQ(request.Files.size(), 2u);
    EXPECT_EQ(request.Files[0].FileName, "PRG1");
    EXPECT_EQ(request.Files[0].Length, 120u);
    EXPECT_EQ(request.Files[0].McProgramName, "PRG1");
    EXPECT_EQ(request.Files[1].McProgramName, "A/B:C");
    EXPECT_TRUE(questions.empty());   // the remark is the only warning here
}

TEST_F(UploadDialogModelTest, RenameDeselectAndTheButtonsFollowTheSelection) {
    UploadDialogModel& m = Open("TDK/VC5", true);
    int uploadColumn = ColumnIndex(Column::UploadName);
    for (int row = 0; row < 3; ++row) {
        m.Click(row, uploadColumn);
        int edited = -1;
        std::string text;
        ASSERT_TRUE(m.BeginRename(edited, text));
        EXPECT_EQ(edited, row);
        m.CommitRename(" out" + std::to_string(row) + "?.ncd ");
    }
    EXPECT_EQ(Cell(1, Column::UploadName), "out1_.ncd");

    m.SetSelection({0});
    EXPECT_TRUE(m.ButtonStates().Rename);
    EXPECT_TRUE(m.ButtonStates().Deselect);
    std::vector<UploadDialogModel::MenuEntry> menu = m.ContextMenu(0, uploadColumn);
    ASSERT_EQ(menu.size(), 2u);
    EXPECT_EQ(menu[0].What, Action::Deselect);
    EXPECT_EQ(menu[1].Text, "Uploading file name change");
    EXPECT_EQ(m.ContextMenu(0, ColumnIndex(Column::ProgramName))[0].Text, "Upload file name = program name");

    m.SetSelection({0, 1, 2});
    EXPECT_FALSE(m.ButtonStates().Rename);
    m.Deselect();
    for (int row = 0; row < 3; ++row) EXPECT_EQ(Cell(row, Column::UploadName), "");
    EXPECT_FALSE(m.ButtonStates().Upload);
    EXPECT_FALSE(m.ButtonStates().Deselect);
    EXPECT_FALSE(m.ButtonStates().View);
    UploadRequest request;
    EXPECT_FALSE(m.Upload(request));
}

TEST_F(UploadDialogModelTest, RemarksCountTheKeptVersionsOfTheFileAnUploadWouldReplace) {
    auto keep = [this](const std::string& name, int times) {
        auto now = std::chrono::system_clock::now();
        for (int i = 0; i < times; ++i) {
            std::string error;
            ASSERT_TRUE(KeptVersions::KeepBeforeReplacing((folder / name).string(), now, 20, error)) << error;
            File(name);
            now += std::chrono::seconds(1);
        }
    };
    keep("prg1", 1);
    keep("BOARD.NCD", 2);

    Open("UNIVERSAL", true);
    EXPECT_EQ(Cell(0, Column::Remarks), "Already exist on PC. (older versions kept: 1)");
    model->Click(0, ColumnIndex(Column::ProgramName));
    model->Select();
    EXPECT_EQ(Cell(0, Column::Remarks), "File over write (older versions kept: 1)");

    // The history folder is not a file to choose; a file without versions has no remark.
    File("OTHER.NCD");
    Open("DYNA/PERT", false);
    ASSERT_EQ(model->Rows().size(), 3u);
    EXPECT_EQ(Cell(0, Column::FileName), "BOARD.NCD");
    EXPECT_EQ(Cell(0, Column::Remarks), "older versions kept: 2");
    EXPECT_EQ(Cell(1, Column::Remarks), "");
    model->SetLanguage(1);
    model->Refresh(folder.Path().string());
    EXPECT_EQ(Cell(0, Column::Remarks), "보관된 이전 버전: 2");
}

TEST_F(UploadDialogModelTest, SingleNameModeAsksBeforeSavingOverAFile) {
    UploadDialogModel& m = Open("DYNA/PERT", false);
    EXPECT_EQ(m.Caption(), "Set uploading file name  (Channel:3, DYNA/PERT, LINE-3)");
    ASSERT_EQ(m.Rows().size(), 2u);
    EXPECT_EQ(Cell(0, Column::FileName), "BOARD.NCD");
    EXPECT_EQ(Cell(0, Column::Size), "000008");
    EXPECT_FALSE(m.ButtonStates().Upload);

    // Double-clicking a file reuses its name.
    EXPECT_EQ(m.DoubleClick(0, ColumnIndex(Column::FileName)), UploadDialogModel::DoubleClickResult::NameCopied);
    EXPECT_EQ(m.UploadFileName(), "BOARD.NCD");
    EXPECT_TRUE(m.ButtonStates().Upload);

    m.SetUploadFileName(" board.ncd ");
    UploadRequest request;
    EXPECT_FALSE(m.Upload(request));   // No: the dialog stays open, the name as it was
    EXPECT_EQ(questions, (std::vector<std::string>{"Over write ?"}));
    EXPECT_EQ(m.UploadFileName(), " board.ncd ");

    answerYes = true;
    ASSERT_TRUE(m.Upload(request));
    ASSERT_EQ(request.Files.size(), 1u);
    EXPECT_EQ(request.Files[0].FileName, "board.ncd");
    EXPECT_EQ(request.Files[0].McProgramName, "");

    // A file that appeared after the list was read is asked about too.
    answerYes = false;
    m.SetUploadFileName("late.ncd");
    File("late.ncd");
    EXPECT_FALSE(m.Upload(request));
    EXPECT_EQ(questions.size(), 3u);

    m.SetUploadFileName("fresh:1");
    ASSERT_TRUE(m.Upload(request));
    EXPECT_EQ(request.Files[0].FileName, "fresh_1");
    EXPECT_EQ(questions.size(), 3u);
}

TEST_F(UploadDialogModelTest, AnotherFolderIsUsedForTheRunAndSavedOnlyOnRequest) {
    TempFolder other{"kova-upload-other"};
    TempFolder::Write(other / "X.NCD", "N1\r\n");
    UploadDialogModel& m = Open("PANASERT/TTY", false);
    EXPECT_FALSE(m.ButtonStates().ChangeFolder);
    m.FolderChosen(other.Path().string());
    ASSERT_EQ(m.Rows().size(), 1u);
    EXPECT_TRUE(m.ButtonStates().ChangeFolder);
    m.SetUploadFileName("Y.NCD");
    UploadRequest request;
    ASSERT_TRUE(m.Upload(request));
    EXPECT_EQ(request.TransferFolder, other.Path().string());
    EXPECT_TRUE(saves.empty());
    m.ChangeFolderOfChannel();
    ASSERT_EQ(saves.size(), 1u);
    EXPECT_EQ(saves[0].NcdFileFolder, other.Path().string());
    EXPECT_FALSE(m.ButtonStates().ChangeFolder);
}

}  // namespace

namespace {

TEST_F(UploadDialogModelTest, QuickViewShowsThePcFileARowStandsFor) {
    UploadDialogModel& list = Open("UNIVERSAL", true);
    // PRG1 would be saved over the folder's "prg1", spelt as the folder spells it.
    list.SetSelection({0});
    EXPECT_EQ(list.QuickViewPath(), (folder / "prg1").string());
    // NEW has no file on the PC yet.
    list.SetSelection({2});
    EXPECT_EQ(list.QuickViewPath(), "");
    list.SetSelection({});
    EXPECT_EQ(list.QuickViewPath(), "");

    UploadDialogModel& single = Open("DYNA/PERT", false);
    ASSERT_EQ(single.Rows().size(), 2u);
    single.SetSelection({0});
    EXPECT_EQ(single.QuickViewPath(), (folder / single.Rows()[0].FileName).string());
    EXPECT_EQ(single.McType(), "DYNA/PERT");
}

}  // namespace
