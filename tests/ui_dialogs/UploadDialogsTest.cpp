#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

#include "app/CKOVAApp.h"
#include "support/TempFolder.h"
#include "ui/CPressPorT_Dlg.h"
#include "ui/CUploadDlg.h"
#include "ui/QtText.h"

namespace {

class UploadDialogTest : public ::testing::Test {
protected:
    UploadDialogTest() {
        app.SetDefaultMultiLanguageStr();
        app._nLanguage = 0;
        TempFolder::Write(temp / "KEEP.NCD", "N1\r\n");
        channel.Channel = 2;
        channel.McName = "LINE2";
        channel.NcdFileFolder = temp.Path().string();
    }

    CUploadDlg& Open(const std::string& type, bool machineList) {
        channel.McType = type;
        request.ShowMachineList = machineList;
        model = std::make_unique<UploadDialogModel>(
            channel, mcPrograms, request, text, [](const std::string&) {}, [](const ChannelConfig&) { return 1; },
            [this](const std::string& question) {
                questions.push_back(question);
                return false;
            });
        model->Initialize();
        dialog = std::make_unique<CUploadDlg>(*model, text);
        dialog->show();
        dialog->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get(), 30000));
        return *dialog;
    }

    CKOVAApp app;
    CPressPorT_Dlg::TextOf text = [this](Msg row) { return app.GetMultiLanguageStr(static_cast<int>(row)); };
    TempFolder temp{"kova-ui-upload"};
    ChannelConfig channel;
    McProgramEntryList mcPrograms{{"P-ONE", 12}, {"P-TWO", 3}};
    UploadRequest request;
    std::vector<std::string> questions;
    std::unique_ptr<UploadDialogModel> model;
    std::unique_ptr<CUploadDlg> dialog;
};

TEST_F(UploadDialogTest, SingleNameModeTakesTheTypedNameAndAsksBeforeOverwriting) {
    CUploadDlg& d = Open("DYNA/PERT", false);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Set uploading file name  (Channel:2, DYNA/PERT, LINE2)"));
    EXPECT_TRUE(d.UploadNameGroup()->isVisible());
    EXPECT_EQ(d.List()->rowCount(), 1);
    EXPECT_FALSE(d.UploadButton()->isEnabled());

    QTest::keyClicks(d.UploadNameEdit(), "keep.ncd");
    EXPECT_TRUE(d.UploadButton()->isEnabled());
    QTest::mouseClick(d.UploadButton(), Qt::LeftButton);
    // No to "Over write ?": the dialog stays open with the name unchanged.
    EXPECT_EQ(questions.size(), 1u);
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.UploadNameEdit()->text(), QStringLiteral("keep.ncd"));

    QTest::keyClick(d.UploadNameEdit(), Qt::Key_Escape);
    EXPECT_TRUE(d.UploadNameEdit()->text().isEmpty());
    EXPECT_FALSE(d.UploadButton()->isEnabled());
    QTest::keyClicks(d.UploadNameEdit(), " new:1 ");
    QTest::mouseClick(d.UploadButton(), Qt::LeftButton);
    EXPECT_EQ(d.result(), QDialog::Accepted);
    ASSERT_EQ(d.Result().Files.size(), 1u);
    EXPECT_EQ(d.Result().Files[0].FileName, "new_1");
}

TEST_F(UploadDialogTest, MachineListModeNamesProgramsInPlace) {
    CUploadDlg& d = Open("TDK/VC5", true);
    EXPECT_FALSE(d.UploadNameGroup()->isVisible());
    ASSERT_EQ(d.List()->rowCount(), 2);
    QPoint cell = d.List()->visualItemRect(d.List()->item(1, 3)).center();
    QTest::mouseClick(d.List()->viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseDClick(d.List()->viewport(), Qt::LeftButton, {}, cell);
    ASSERT_TRUE(d.RenameEdit()->isVisible());
    QTest::keyClicks(d.RenameEdit(), "two|b.ncd");
    QTest::keyClick(d.RenameEdit(), Qt::Key_Return);
    EXPECT_EQ(d.List()->item(1, 3)->text(), QStringLiteral("two_b.ncd"));
    EXPECT_EQ(d.List()->item(1, 4)->text(), QStringLiteral("Upload"));
    QTest::mouseClick(d.UploadButton(), Qt::LeftButton);
    ASSERT_EQ(d.Result().Files.size(), 1u);
    EXPECT_EQ(d.Result().Files[0].McProgramName, "P-TWO");
    EXPECT_EQ(d.Result().Files[0].Length, 3u);
}

TEST_F(UploadDialogTest, PressPOrTTakesTheKeyUpperCasedAndIgnoresEsc) {
    CPressPorT_Dlg prompt(text);
    prompt.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&prompt, 30000));
    EXPECT_EQ(prompt.CancelButton()->text(), QStringLiteral("CANCEL"));
    QTest::keyClick(&prompt, Qt::Key_X);
    QTest::keyClick(&prompt, Qt::Key_Escape);
    EXPECT_TRUE(prompt.isVisible());
    EXPECT_EQ(prompt.Key(), 'X');
    QTest::keyClicks(&prompt, "p");
    EXPECT_FALSE(prompt.isVisible());
    EXPECT_EQ(prompt.result(), QDialog::Accepted);
    EXPECT_EQ(prompt.Key(), 'P');

    CPressPorT_Dlg cancelled(text);
    cancelled.show();
    QTest::mouseClick(cancelled.CancelButton(), Qt::LeftButton);
    EXPECT_EQ(cancelled.result(), QDialog::Rejected);
}

}  // namespace
