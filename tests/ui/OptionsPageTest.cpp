// The options page in the window, the string list editor and the ZID dialog
// on the offscreen platform: enabled states, the password guard, and the
// editor's and the conversion's wiring.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "app/CKOVAApp.h"
#include "app/FakeAppPlatform.h"
#include "engine/JobBits.h"
#include "engine/StatusBits.h"
#include "lang/MultiLanguageFile.h"
#include "sim/VirtualEventLoop.h"
#include "support/FakeSerialPort.h"
#include "support/TempFolder.h"
#include "ui/C_DialogTabCtrl.h"
#include "ui/CMultiLanguageListDlg.h"
#include "ui/CTabDlg3.h"
#include "ui/CTerminalDlg.h"
#include "ui/CZidFileNameConvertDlg.h"
#include "ui/models/OptionsPageModel.h"

namespace {

class OptionsPageTest : public ::testing::Test {
protected:
    OptionsPageTest() {
        app.AttachPlatform(platform);
        app.SetDefaultMultiLanguageStr();
        app.LoadAllSettings();
        app._nLanguage = 0;
        app.LanguageFilePath = (folder / "KOVA_M1002.TXT").string();
        window = std::make_unique<CTerminalDlg>(app, port, loop);
        window->SetCheckPasswordHandler([this](const std::string&) {
            ++checks;
            return passwordRight;
        });
        window->TabCtrl()->SelectPage(3);
        window->SendMessage(0x402, 0, 3);
        page = window->OptionsPage();
    }

    FakeAppPlatform platform;
    CKOVAApp app;
    FakeSerialPort port;
    VirtualEventLoop loop;
    TempFolder folder{"options-page"};
    std::unique_ptr<CTerminalDlg> window;
    CTabDlg3* page = nullptr;
    int checks = 0;
    bool passwordRight = false;
};

TEST(OptionsPageModelTest, EnabledStatesFollowJobsAndTheLink) {
    const OptionsPageView job = OptionsPageModel::Refresh(Status::SubConnected, JobBit::DownloadDispatcher, true);
    EXPECT_TRUE(job.ClearComm && job.ClearState);
    EXPECT_FALSE(job.CommFont || job.StateFont || job.ChangePassword || job.SubModuleScan || job.EditStrings ||
                 job.ConvertZid || job.Language || job.Export);

    const OptionsPageView connected = OptionsPageModel::Refresh(Status::SubConnected | Status::HostConfirmed, 0, true);
    EXPECT_FALSE(connected.SubModuleScan);
    EXPECT_TRUE(connected.CommFont && connected.Language && connected.EditStrings && connected.ConvertZid &&
                connected.Export);

    const OptionsPageView idle = OptionsPageModel::Refresh(Status::HostConfirmed, 0, false);
    EXPECT_TRUE(idle.SubModuleScan && idle.ChangePassword);
    EXPECT_FALSE(idle.Export);   // after a successful export

    EXPECT_FALSE(OptionsPageModel::Initial("DYNA/PERT", true).SubModuleScan);
    EXPECT_FALSE(OptionsPageModel::Initial("DYNA/PERT", true).ConvertZid);
    EXPECT_TRUE(OptionsPageModel::Initial("UNIVERSAL", true).ConvertZid);
}

TEST_F(OptionsPageTest, ARefusedPasswordPutsTheLanguageComboBack) {
    QComboBox* combo = page->LanguageCombo();
    ASSERT_EQ(combo->count(), 5);
    EXPECT_EQ(combo->currentIndex(), 0);
    combo->setCurrentIndex(1);
    page->OnLanguageChosen(1);
    EXPECT_EQ(checks, 1);
    EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_EQ(app._nLanguage, 0);

    passwordRight = true;
    combo->setCurrentIndex(1);
    page->OnLanguageChosen(1);
    EXPECT_EQ(app._nLanguage, 1);
    EXPECT_EQ(page->Button(CTabDlg3::kChangePassword)->text().toStdString(), app.GetMultiLanguageStr(27));
    // Unlocked now: the next change asks nothing.
    combo->setCurrentIndex(0);
    page->OnLanguageChosen(0);
    EXPECT_EQ(checks, 2);
    EXPECT_EQ(app._nLanguage, 0);
}

TEST_F(OptionsPageTest, DuringAJobOnlyTheClearButtonsWork) {
    window->Engine().Engine.ActiveJobs = JobBit::DownloadDispatcher;
    window->RefreshPages();
    for (int id : {CTabDlg3::kCommFont, CTabDlg3::kStateFont, CTabDlg3::kChangePassword, CTabDlg3::kSubModuleScan,
                   CTabDlg3::kEditStrings, CTabDlg3::kConvertZid, CTabDlg3::kExport}) {
        EXPECT_FALSE(page->Button(id)->isEnabled()) << id;
    }
    EXPECT_FALSE(page->LanguageCombo()->isEnabled());
    EXPECT_TRUE(page->Button(CTabDlg3::kClearComm)->isEnabled());
    EXPECT_TRUE(page->Button(CTabDlg3::kClearState)->isEnabled());

    window->Engine().Engine.ActiveJobs = 0;
    window->Engine().StatusFlags |= Status::SubConnected;
    window->RefreshPages();
    EXPECT_FALSE(page->Button(CTabDlg3::kSubModuleScan)->isEnabled());
    EXPECT_TRUE(page->Button(CTabDlg3::kEditStrings)->isEnabled());
    EXPECT_FALSE(page->Button(CTabDlg3::kReserved1)->isEnabled());
}

TEST_F(OptionsPageTest, TheJournalOpensFromThePageWithoutAPasswordEvenDuringAJob) {
    QPushButton* journal = page->Button(CTabDlg3::kJournal);
    ASSERT_NE(journal, nullptr);
    EXPECT_EQ(journal->text(), "Transfer journal...");
    window->Engine().Engine.ActiveJobs = JobBit::DownloadDispatcher;
    window->RefreshPages();
    EXPECT_TRUE(journal->isEnabled());

    QString opened;
    QTimer::singleShot(0, [&] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            opened = dialog->objectName();
            dialog->close();
        }
    });
    journal->click();
    EXPECT_EQ(opened, "journal");
    EXPECT_EQ(checks, 0);
}

TEST_F(OptionsPageTest, TheHeaderExportAlwaysAsksAndTheEditorDecidesItsButton) {
    passwordRight = true;
    int edits = 0;
    page->RunStringEditor = [&]() -> std::optional<bool> {
        ++edits;
        return true;
    };
    page->OnEditStrings();
    EXPECT_EQ(checks, 1);
    EXPECT_EQ(edits, 1);
    EXPECT_TRUE(page->Button(CTabDlg3::kExport)->isEnabled());

    const QString old = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(folder.Path().string())));
    page->OnExport();   // asks although the page is unlocked
    QDir::setCurrent(old);
    EXPECT_EQ(checks, 2);
    EXPECT_TRUE(std::filesystem::exists(folder / "SetDefaultMultiLanguageStr.h"));
    EXPECT_FALSE(page->Button(CTabDlg3::kExport)->isEnabled());

    page->RunStringEditor = []() -> std::optional<bool> { return false; };
    page->OnEditStrings();
    EXPECT_FALSE(page->Button(CTabDlg3::kExport)->isEnabled());
}

TEST_F(OptionsPageTest, EditorKeysEqualsRuleAndOkSavesTheFile) {
    CMultiLanguageListDlg editor(app);
    editor.show();
    QTableWidget* list = editor.List();
    ASSERT_EQ(list->rowCount(), 277);
    EXPECT_EQ(list->item(108, 2)->text(), QStringLiteral("Downloading complete."));

    // TAB from English goes into Korean although a double click would not.
    editor.StartEdit(10, 2);
    QTest::keyClicks(editor.Editor(), "Reconnect now");
    QTest::keyClick(editor.Editor(), Qt::Key_Tab);
    EXPECT_TRUE(editor.Editing());
    EXPECT_EQ(list->item(10, 2)->text(), QStringLiteral("Reconnect now"));
    // Esc drops the Korean edit; Enter and Esc never close the dialog.
    editor.Editor()->setText(QStringLiteral("x"));
    QTest::keyClick(editor.Editor(), Qt::Key_Escape);
    EXPECT_FALSE(editor.Editing());
    EXPECT_EQ(list->item(10, 3)->text().toStdString(), app._arMultiLanguage[10].str[1]);
    QTest::keyClick(list, Qt::Key_Escape);
    EXPECT_TRUE(editor.isVisible());

    // "=" below copies the text above; arrow down moves on.
    editor.StartEdit(11, 2);
    editor.Editor()->setText(QStringLiteral("="));
    QTest::keyClick(editor.Editor(), Qt::Key_Down);
    EXPECT_EQ(list->item(11, 2)->text(), QStringLiteral("Reconnect now"));
    EXPECT_TRUE(editor.Editing());
    QTest::keyClick(editor.Editor(), Qt::Key_Return);

    editor.OnOk();
    EXPECT_EQ(app._arMultiLanguage[11].str[0], "Reconnect now");
    EXPECT_FALSE(editor.AddWasVisible());
    MultiLanguageArray saved;
    ASSERT_EQ(MultiLanguageFile::Load(folder / "KOVA_M1002.TXT", saved, {}), 277);
    EXPECT_EQ(saved[10].str[0], "Reconnect now");
}

TEST_F(OptionsPageTest, AnEditorOkThatCannotWriteTheFileSaysSoAndKeepsTheEdits) {
    // A folder where the language file belongs: it cannot be replaced.
    std::filesystem::create_directory(folder / "KOVA_M1002.TXT");
    CMultiLanguageListDlg editor(app);
    std::string told;
    editor.ShowSaveFailure = [&told](const std::string& text) { told = text; };
    editor.StartEdit(10, 2);
    editor.Editor()->setText(QStringLiteral("Reconnect now"));
    editor.OnOk();
    EXPECT_EQ(app._arMultiLanguage[10].str[0], "Reconnect now");
    EXPECT_NE(told.find("could not be written"), std::string::npos) << told;
    EXPECT_NE(told.find(app.LanguageFilePath), std::string::npos) << told;

    // Unchanged texts write nothing, so there is nothing to tell.
    told.clear();
    CMultiLanguageListDlg again(app);
    again.ShowSaveFailure = [&told](const std::string& text) { told = text; };
    again.OnOk();
    EXPECT_EQ(told, "");
}

TEST_F(OptionsPageTest, AnEditedTextComesBackWholeFromTheLanguageFile) {
    CMultiLanguageListDlg editor(app);
    editor.StartEdit(12, 4);   // row 12's Chinese cell
    // Korean syllables are three bytes each in the file, which keeps at most
    // 1023 bytes of a text: the editor takes no more than will come back.
    editor.Editor()->insert(QString(400, QChar(0xAC00)));
    QTest::keyClick(editor.Editor(), Qt::Key_Return);
    editor.OnOk();
    MultiLanguageArray saved;
    ASSERT_EQ(MultiLanguageFile::Load(folder / "KOVA_M1002.TXT", saved, {}), 277);
    EXPECT_EQ(saved[12].str[2], app._arMultiLanguage[12].str[2]);
    EXPECT_FALSE(saved[12].str[2].empty());
}

TEST_F(OptionsPageTest, ResetBringsBackTheDefaultsAtOnce) {
    app._arMultiLanguage[5].str[0] = "changed";
    CMultiLanguageListDlg editor(app);
    editor.AskReset = [] { return true; };
    editor.OnReset();
    EXPECT_EQ(app._arMultiLanguage[5].str[0], "Option :F8");
    EXPECT_EQ(editor.List()->item(5, 2)->text(), QStringLiteral("Option :F8"));
    editor.reject();
    EXPECT_FALSE(std::filesystem::exists(folder / "KOVA_M1002.TXT"));
}

TEST_F(OptionsPageTest, TheZidDialogConvertsAndShowsRemarks) {
    std::string record(68, '\0');
    record.replace(0, 7, "BOARD_A");
    record.replace(45, 9, "p0001.pat");
    TempFolder::Write(folder / "PAT.DIR", std::string("\x02\x00", 2) + record);
    TempFolder::Write(folder / "P0001.PAT", "one");
    CZidFileNameConvertDlg dialog(folder.Path().string(), [this](Msg row) { return app.GetMultiLanguageStr(MsgRow(row)); });
    QTableWidget* list = dialog.List();
    ASSERT_EQ(list->rowCount(), 2);
    EXPECT_EQ(list->item(0, 1)->text(), QStringLiteral("P0001.PAT"));   // shown in upper case
    EXPECT_EQ(list->item(0, 2)->text(), QStringLiteral("BOARD_A"));
    EXPECT_TRUE(dialog.ConvertAllButton()->isEnabled());
    EXPECT_FALSE(dialog.ConvertSelectedButton()->isEnabled());
    EXPECT_EQ(dialog.ConvertAllButton()->text(), QStringLiteral("Rename all files"));
    dialog.CopyButton()->click();
    EXPECT_EQ(dialog.ConvertAllButton()->text(), QStringLiteral("Create(Copy) all files"));

    list->selectRow(1);   // PAT.DIR has no identified name
    EXPECT_FALSE(dialog.ConvertSelectedButton()->isEnabled());
    list->selectRow(0);
    EXPECT_TRUE(dialog.ConvertSelectedButton()->isEnabled());
    dialog.ConvertSelectedButton()->click();
    EXPECT_EQ(list->item(0, 4)->text(), QStringLiteral("Create(Copy)"));
    EXPECT_EQ(TempFolder::Read(folder / "BOARD_A"), "one");
    dialog.ConvertAllButton()->click();   // the target exists now
    EXPECT_EQ(list->item(0, 4)->text(), QStringLiteral("Failed file create"));

    dialog.PickFolder = [](QWidget*, const QString&, const QString&) { return QStringLiteral("/nonexistent/zid"); };
    dialog.OnChangeFolder();
    EXPECT_EQ(dialog.FolderLabel()->text(), QStringLiteral("/nonexistent/zid"));
    EXPECT_EQ(list->rowCount(), 0);
    EXPECT_FALSE(dialog.ConvertAllButton()->isEnabled());
}

}  // namespace
