#include <gtest/gtest.h>

#include <QComboBox>
#include <QImage>
#include <QPushButton>
#include <QTest>

#include "SetupFixture.h"
#include "setup/CColorStatic.h"
#include "setup/CSetupDlg.h"

namespace {

struct CSetupDlgTest : SetupFixture {
    std::unique_ptr<CSetupDlg> Open(int language)
    {
        model.Language = language;
        auto dialog = std::make_unique<CSetupDlg>(model);
        dialog->SetMessageHandler([this](const QString& text) { messages << text; });
        dialog->show();
        return dialog;
    }
    void Click(CSetupDlg& dialog, int id) { QTest::mouseClick(dialog.Button(id), Qt::LeftButton); }

    SetupModel model{Paths(), Release().string()};
    QStringList messages;
};

TEST_F(CSetupDlgTest, OpensInTheLocaleLanguageAndSwitches)
{
    auto dialog = Open(1);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("KOVA 설정"));
    EXPECT_EQ(dialog->LanguageBox()->currentIndex(), 1);
    EXPECT_EQ(dialog->LanguageBox()->itemText(0), QStringLiteral("English"));
    EXPECT_EQ(dialog->Button(CSetupDlg::IdInstallProgram)->text(), QStringLiteral("KOVA 설치"));
    EXPECT_EQ(dialog->Static(CSetupDlg::IdFileVersion)->text(), QStringLiteral("파일 버젼 : 1.0.0.6"));
    // The static paints its own background (right of the short version text).
    CColorStatic* version = dialog->Static(CSetupDlg::IdFileVersion);
    const QImage painted = version->grab().toImage();
    EXPECT_EQ(QColor(painted.pixel(painted.width() - 8, painted.height() / 2)), QColor(208, 208, 208));

    dialog->LanguageBox()->setCurrentIndex(0);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Setup KOVA"));
    EXPECT_EQ(dialog->Button(CSetupDlg::IdResetAutoStart)->text(), QStringLiteral("Reset Auto Start"));
    EXPECT_EQ(dialog->Static(CSetupDlg::IdCompanyName)->text(),
              QStringLiteral("Company name : MERIDO electronics"));
}

TEST_F(CSetupDlgTest, ButtonsFollowEachAction)
{
    auto dialog = Open(0);
    EXPECT_TRUE(dialog->Button(CSetupDlg::IdInstallProgram)->isEnabled());
    EXPECT_FALSE(dialog->Button(CSetupDlg::IdSetAutoStart)->isEnabled());
    Click(*dialog, CSetupDlg::IdInstallProgram);
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_FALSE(dialog->Button(CSetupDlg::IdInstallProgram)->isEnabled());
    EXPECT_TRUE(dialog->Button(CSetupDlg::IdSetAutoStart)->isEnabled());
    Click(*dialog, CSetupDlg::IdSetAutoStart);
    EXPECT_FALSE(dialog->Button(CSetupDlg::IdSetAutoStart)->isEnabled());
    EXPECT_TRUE(dialog->Button(CSetupDlg::IdResetAutoStart)->isEnabled());
    Click(*dialog, CSetupDlg::IdUninstallProgram);
    EXPECT_TRUE(dialog->Button(CSetupDlg::IdInstallProgram)->isEnabled());
    EXPECT_FALSE(dialog->Button(CSetupDlg::IdResetAutoStart)->isEnabled());
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(CSetupDlgTest, MissingProgramAndMissingUsbSetupAreSaid)
{
    std::filesystem::remove(Release() / "kova");
    auto dialog = Open(0);
    Click(*dialog, CSetupDlg::IdInstallProgram);
    Click(*dialog, CSetupDlg::IdInstallDriver);
    EXPECT_EQ(messages, (QStringList{QStringLiteral("File(kova) not found."),
                                     QStringLiteral("USB-UART driver file not found.")}));
    EXPECT_TRUE(dialog->isEnabled());
}

// The set-up runs on a worker thread; the window waits disabled, in red,
// and comes back with the new state once the worker has posted its end.
TEST_F(CSetupDlgTest, UsbSetupDisablesTheWindowUntilItEnds)
{
    const std::string rule = Paths().UdevRuleFile;
    TempFolder::Write(Release() / "kova-usb-setup",
                      "sleep 1\nmkdir -p \"$(dirname '" + rule + "')\"\n"
                      "echo 'ATTRS{idVendor}==\"10c4\", ATTRS{idProduct}==\"ea60\"' > '" + rule + "'\n");
    model.SetDriverLauncher({"/bin/sh"});
    auto dialog = Open(0);
    CColorStatic* line = dialog->Static(CSetupDlg::IdCompanyName);

    Click(*dialog, CSetupDlg::IdInstallDriver);
    EXPECT_FALSE(dialog->isEnabled());
    EXPECT_EQ(line->TextColor(), QColor(255, 0, 0));
    EXPECT_EQ(line->text(), QStringLiteral("Waiting for USB-UART driver Install.........."));
    dialog->close();   // refused while the set-up runs
    EXPECT_TRUE(dialog->isVisible());

    EXPECT_TRUE(QTest::qWaitFor([&] { return dialog->isEnabled(); }, 60000));
    EXPECT_EQ(line->TextColor(), QColor(0, 0, 0));
    EXPECT_EQ(line->text(), QStringLiteral("Company name : MERIDO electronics"));
    EXPECT_FALSE(dialog->Button(CSetupDlg::IdInstallDriver)->isEnabled());
    EXPECT_TRUE(dialog->Button(CSetupDlg::IdUninstallDriver)->isEnabled());

    Click(*dialog, CSetupDlg::IdUninstallDriver);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("/etc/udev/rules.d/99-kova-cp210x.rules")));
}

// A set-up that cannot be started gives the window back at once.
TEST_F(CSetupDlgTest, UsbSetupThatCannotStartGivesTheWindowBack)
{
    TempFolder::Write(Release() / "kova-usb-setup", "exit 0\n");
    model.SetDriverLauncher({"/nonexistent/launcher"});
    auto dialog = Open(0);
    Click(*dialog, CSetupDlg::IdInstallDriver);
    EXPECT_TRUE(QTest::qWaitFor([&] { return dialog->isEnabled(); }, 60000));
    EXPECT_TRUE(dialog->Button(CSetupDlg::IdInstallDriver)->isEnabled());
}

}  // namespace
