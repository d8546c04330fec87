// The password dialogs' wiring: captions, edit limits, a wrong entry keeps the
// dialog open with its message, a right one closes it; the window's unlock.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "app/CKOVAApp.h"
#include "app/FakeAppPlatform.h"
#include "support/FakeSerialPort.h"
#include "sim/VirtualEventLoop.h"
#include "ui/CChangePasswordDlg.h"
#include "ui/CCheckPasswordDlg.h"
#include "ui/CTerminalDlg.h"
#include "ui/C_EditCtrl.h"
#include "engine/WindowMessages.h"

namespace {
std::string Text(Msg row) { return "#" + std::to_string(static_cast<int>(row)); }
}  // namespace

TEST(CCheckPasswordDlg, WrongEntryStaysOpenRightEntryCloses) {
    std::vector<std::string> notices;
    CCheckPasswordDlg dialog("7264", Text);
    dialog.SetNotice([&](const std::string& text) { notices.push_back(text); });
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("#35"));
    EXPECT_EQ(dialog.OkButton()->text(), QStringLiteral("#31"));
    EXPECT_EQ(dialog.Edit()->echoMode(), QLineEdit::Password);

    QTest::keyClicks(dialog.Edit(), QStringLiteral("72645"));
    EXPECT_EQ(dialog.Edit()->text(), QStringLiteral("7264"));   // no fifth character
    dialog.Edit()->setText(QStringLiteral("1234"));
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    EXPECT_EQ(notices, std::vector<std::string>{"#37"});
    EXPECT_TRUE(dialog.isVisible());
    dialog.Edit()->setText(QStringLiteral("7264"));
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(notices.size(), 1u);
}

TEST(CChangePasswordDlg, ReportsMismatchesAndHandsBackTheNewPassword) {
    std::vector<std::string> notices;
    CChangePasswordDlg dialog("long-one", Text);
    dialog.SetNotice([&](const std::string& text) { notices.push_back(text); });
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("#27"));
    EXPECT_EQ(dialog.CurrentEdit()->maxLength(), 8);
    EXPECT_EQ(dialog.NewEdit()->maxLength(), 4);
    EXPECT_EQ(dialog.ConfirmEdit()->maxLength(), 4);

    dialog.CurrentEdit()->setText(QStringLiteral("long-one"));
    dialog.NewEdit()->setText(QStringLiteral("1111"));
    dialog.ConfirmEdit()->setText(QStringLiteral("1112"));
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    dialog.CurrentEdit()->setText(QStringLiteral("long-on"));
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    EXPECT_EQ(notices, (std::vector<std::string>{"#34", "#33"}));
    EXPECT_TRUE(dialog.isVisible());

    dialog.CurrentEdit()->setText(QStringLiteral("long-one"));
    dialog.ConfirmEdit()->setText(QStringLiteral("1111"));
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Stored(), "1111");
}

TEST(PasswordUnlock, LastsUntilThePageChangesAndChangingItReportsOnce) {
    FakeAppPlatform platform;
    CKOVAApp app;
    app.AttachPlatform(platform);
    app.SetDefaultMultiLanguageStr();
    app.LoadAllSettings();
    app._nLanguage = 0;
    FakeSerialPort port;
    VirtualEventLoop loop;
    CTerminalDlg window(app, port, loop);
    int checks = 0;
    window.SetCheckPasswordHandler([&](const std::string& stored) {
        ++checks;
        return stored == "7264";
    });

    EXPECT_TRUE(window.RequestPassword(false));
    EXPECT_TRUE(window.RequestPassword(false));
    EXPECT_EQ(checks, 1);
    window.SendMessage(WindowMsg::SwitchPage, 0, 3);
    EXPECT_FALSE(window.PasswordUnlocked());
    EXPECT_TRUE(window.RequestPassword(false));
    EXPECT_EQ(checks, 2);

    // The same password again: nothing is saved or shown.
    window.SetChangePasswordHandler([](const std::string& stored) { return std::optional<std::string>(stored); });
    window.SendMessage(WindowMsg::SwitchPage, 0, 0);
    EXPECT_FALSE(window.ChangePassword());
    EXPECT_FALSE(window.PasswordUnlocked());
    EXPECT_EQ(window.StatusWindow()->toPlainText(), QString());

    window.SetChangePasswordHandler([](const std::string&) { return std::optional<std::string>("0000"); });
    EXPECT_TRUE(window.ChangePassword());
    EXPECT_TRUE(window.PasswordUnlocked());
    EXPECT_EQ(platform.Store.ReadString("COMMON", "PASSWORD", ""), "0000");
    EXPECT_EQ(window.StatusWindow()->toPlainText(), QStringLiteral("1> Password has changed.\n"));
}
