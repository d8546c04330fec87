// The PC port page, the machine environment page and the channel editor on
// the offscreen platform: that their widgets show the models and reach the
// window, the password and the settings.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "app/CKOVAApp.h"
#include "app/FakeAppPlatform.h"
#include "engine/JobBits.h"
#include "engine/StatusBits.h"
#include "engine/WindowMessages.h"
#include "sim/VirtualEventLoop.h"
#include "support/FakeSerialPort.h"
#include "ui/CEditChPrmtDlg.h"
#include "ui/CPortComboBox.h"
#include "ui/CTabDlg1.h"
#include "ui/CTabDlg2.h"
#include "ui/CTerminalDlg.h"
#include "ui/C_EditCtrl.h"

namespace {
class SetupPagesTest : public ::testing::Test {
protected:
    SetupPagesTest() {
        platform.Ports = {"/dev/ttyUSB0", "/dev/ttyACM0"};
        app.AttachPlatform(platform);
        app.SetDefaultMultiLanguageStr();
        app.LoadAllSettings();
        app.BuildSelectionLists();
        app._nLanguage = 0;
        app.PcPort.DisconnectTime = 30;
        ChannelConfig three;
        three.Channel = 3;
        app.SetDefaultChannelConfig(three);
        three.McType = "DYNA/PERT";
        three.McName = "Line 3";
        app.SaveChannelConfig(three);
        window = std::make_unique<CTerminalDlg>(app, port, loop);
        window->SetMessageBoxHandler([this](const std::string& text, MessageBoxKind) {
            boxes.push_back(text);
            return MessageBoxAnswer::Ok;
        });
        window->SetCheckPasswordHandler([this](const std::string&) {
            ++passwordPrompts;
            return passwordRight;
        });
    }

    std::string Status() const { return window->StatusWindow()->toPlainText().toStdString(); }

    FakeAppPlatform platform;
    CKOVAApp app;
    FakeSerialPort port;
    VirtualEventLoop loop;
    std::unique_ptr<CTerminalDlg> window;
    std::vector<std::string> boxes;
    int passwordPrompts = 0;
    bool passwordRight = true;
};
}  // namespace

TEST_F(SetupPagesTest, PortPageListsThePortsAndHoldsOpenPortWhileAnotherIsChosen) {
    window->SendMessage(WindowMsg::SwitchPage, 0, 1);
    CTabDlg1* page = window->PortPage();
    CPortComboBox* combo = page->PortCombo();
    ASSERT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->itemText(0), QStringLiteral("Auto"));
    EXPECT_EQ(combo->itemText(2), QStringLiteral("/dev/ttyACM0"));
    EXPECT_EQ(combo->currentText(), QStringLiteral("Auto"));
    EXPECT_EQ(page->IdleEdit()->text(), QStringLiteral("30"));
    EXPECT_EQ(page->OpenCloseButton()->text(), QStringLiteral("Open Port"));
    EXPECT_TRUE(page->OpenCloseButton()->isEnabled());
    EXPECT_FALSE(page->ApplyButton()->isEnabled());

    combo->setCurrentIndex(2);
    emit combo->activated(2);
    EXPECT_FALSE(page->OpenCloseButton()->isEnabled());
    EXPECT_TRUE(page->ApplyButton()->isEnabled());
    QTest::mouseClick(page->CancelButton(), Qt::LeftButton);
    EXPECT_EQ(combo->currentText(), QStringLiteral("Auto"));
    EXPECT_TRUE(page->OpenCloseButton()->isEnabled());

    // Opening the list reads the ports again; the choice stays.
    combo->setCurrentIndex(1);
    platform.Ports.push_back("/dev/ttyUSB1");
    combo->showPopup();
    combo->hidePopup();
    EXPECT_EQ(combo->count(), 4);
    EXPECT_EQ(combo->currentText(), QStringLiteral("/dev/ttyUSB0"));

    // A job running: everything disabled.
    window->Engine().Engine.ActiveJobs = JobBit::Scan;
    window->RefreshPages();
    EXPECT_FALSE(combo->isEnabled() || page->IdleEdit()->isEnabled() || page->OpenCloseButton()->isEnabled());
    window->Engine().Engine.ActiveJobs = 0;
}

TEST_F(SetupPagesTest, ApplyAsksThePasswordRefusesABadIdleTimeAndArmsTheTimer) {
    window->SendMessage(WindowMsg::SwitchPage, 0, 1);
    CTabDlg1* page = window->PortPage();
    page->IdleEdit()->setText(QStringLiteral("-5"));
    page->OnApply();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Idle time to disconnect of sub module : 0 ~ 2147483");
    EXPECT_EQ(passwordPrompts, 0);

    passwordRight = false;
    page->IdleEdit()->setText(QStringLiteral("120"));
    page->OnApply();
    EXPECT_EQ(app.PcPort.DisconnectTime, 30);
    EXPECT_FALSE(platform.Store.SectionExists("COMMON") &&
                 platform.Store.ReadInt("COMMON", "DisconnectTime", -1) != -1);

    passwordRight = true;
    page->PortCombo()->setCurrentIndex(1);
    page->OnApply();
    EXPECT_EQ(app.PcPort.DisconnectTime, 120);
    EXPECT_EQ(app.PcPort.PcComNo, "/dev/ttyUSB0");
    EXPECT_EQ(window->Engine().IdleTimeoutMs, 120000u);
    EXPECT_EQ(platform.Store.ReadInt("COMMON", "DisconnectTime", -1), 120);
    EXPECT_EQ(platform.Store.ReadString("COMMON", "PcComNo", ""), "/dev/ttyUSB0");
    EXPECT_NE(Status().find("Changed PC's port parameter."), std::string::npos);
    EXPECT_FALSE(page->ApplyButton()->isEnabled());
    EXPECT_EQ(passwordPrompts, 2);
}

TEST_F(SetupPagesTest, IndicatorsFollowTheLinesAndTheBusyReports) {
    window->SendMessage(WindowMsg::SwitchPage, 0, 1);
    CTabDlg1* page = window->PortPage();
    port.Open("/dev/ttyUSB0", 9600, 8, 2, 0);
    window->Engine().StatusFlags |= Status::HostConfirmed | Status::SubConnected | Status::CtsOn;
    window->RefreshPortLineDisplay();
    EXPECT_TRUE(page->Indicator(CTabDlg1::kPcToHost)->isChecked());
    EXPECT_TRUE(page->Indicator(CTabDlg1::kHostToPc)->isChecked());
    EXPECT_TRUE(page->Indicator(CTabDlg1::kSubToMc)->isChecked());
    EXPECT_FALSE(page->Indicator(CTabDlg1::kMcToSub)->isChecked());
    window->SetMachineBusy(true);
    EXPECT_TRUE(page->Indicator(CTabDlg1::kMcToSub)->isChecked());
    EXPECT_FALSE(page->Indicator(CTabDlg1::kSubToMc)->isChecked());
    EXPECT_EQ(page->OpenCloseButton()->text(), QStringLiteral("Close Port"));
}

TEST_F(SetupPagesTest, EnvironmentPageEditsThroughTheEditorAndGuardsDelete) {
    window->SendMessage(WindowMsg::SwitchPage, 0, 2);
    CTabDlg2* page = window->EnvironmentPage();
    QTableWidget* list = page->List();
    ASSERT_EQ(list->rowCount(), 99);
    ASSERT_EQ(list->columnCount(), 12);
    EXPECT_EQ(list->horizontalHeaderItem(0)->text(), QStringLiteral("CH"));
    EXPECT_EQ(list->horizontalHeaderItem(1)->text(), QStringLiteral("MC name"));
    EXPECT_EQ(list->item(2, 1)->text(), QStringLiteral("Line 3"));

    std::unique_ptr<QMenu> menu(page->MakeMenu(0));
    EXPECT_EQ(menu->actions().size(), 1);   // EDIT only on an empty row
    menu.reset(page->MakeMenu(2));
    ASSERT_EQ(menu->actions().size(), 3);
    EXPECT_EQ(menu->actions()[1]->text(), QStringLiteral("DELETE"));

    // A double click opens the editor on the row.
    int editors = 0;
    page->SetEditor([&](ChannelEditorModel& editor) {
        ++editors;
        EXPECT_EQ(editor.Controls().Channel, "5");
        editor.Edit().McName = "ZID-" + std::to_string(editors);
        return editor.Ok();
    });
    emit list->cellDoubleClicked(4, 1);
    EXPECT_EQ(editors, 1);
    list->setCurrentCell(4, 0);
    QTest::keyClick(list, Qt::Key_Return);   // Enter on a row is EDIT too
    EXPECT_EQ(editors, 2);
    EXPECT_EQ(list->item(4, 1)->text(), QStringLiteral("ZID-2"));
    EXPECT_TRUE(app.ChannelKeyExists(5));

    passwordRight = false;
    page->OnDelete(4);
    EXPECT_TRUE(app.ChannelKeyExists(5));
    passwordRight = true;
    page->OnDelete(4);
    EXPECT_FALSE(app.ChannelKeyExists(5));
    EXPECT_EQ(list->item(4, 1)->text(), QString());
    page->OnCopy(2);   // unlocked now: no second prompt
    EXPECT_EQ(passwordPrompts, 2);
}

TEST(CEditChPrmtDlg, ShowsTheModelAndEnablesByType) {
    FakeAppPlatform platform;
    CKOVAApp app;
    app.AttachPlatform(platform);
    app.BuildSelectionLists();
    ChannelConfig record;
    record.Channel = 8;
    app.SetDefaultChannelConfig(record);
    record.McType = "DYNA/PERT";
    record.McBaudRate = "19200";
    ChannelEditorModel model(app, record);
    CEditChPrmtDlg dialog(model, [](Msg row) { return "#" + std::to_string(static_cast<int>(row)); });
    QComboBox* baud = dialog.Combo(CEditChPrmtDlg::kBaudRate);
    EXPECT_EQ(baud->count(), 6);
    EXPECT_EQ(baud->currentIndex(), -1);
    EXPECT_EQ(baud->placeholderText(), QStringLiteral("19200"));
    EXPECT_EQ(dialog.Combo(CEditChPrmtDlg::kChannel)->currentText(), QStringLiteral("8"));
    EXPECT_FALSE(dialog.OkButton()->isEnabled());
    EXPECT_TRUE(dialog.DefaultButton()->isEnabled());
    EXPECT_FALSE(dialog.Combo(CEditChPrmtDlg::kEtx)->isEnabled());

    QComboBox* type = dialog.Combo(CEditChPrmtDlg::kType);
    type->setCurrentIndex(1);   // PANASERT/RS232
    emit type->activated(1);
    EXPECT_TRUE(dialog.Combo(CEditChPrmtDlg::kEtx)->isEnabled());
    EXPECT_TRUE(dialog.PnrPNameBox()->isEnabled());
    EXPECT_TRUE(dialog.OkButton()->isEnabled());
    QTest::mouseClick(dialog.DefaultButton(), Qt::LeftButton);
    EXPECT_EQ(baud->currentText(), QStringLiteral("4800"));
    EXPECT_EQ(dialog.Combo(CEditChPrmtDlg::kDelayBit)->currentText(), QStringLiteral("25"));

    dialog.SetFolderBrowser([](const std::string& title, const std::string&) {
        EXPECT_EQ(title, "#68");
        return std::string("/srv/nc");
    });
    QTest::mouseClick(dialog.ChangeButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.FolderEdit()->text(), QStringLiteral("/srv/nc"));
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(model.Record().McType, "PANASERT/RS232");
    EXPECT_EQ(model.Record().McBaudRate, "4800");
    EXPECT_EQ(model.Record().NcdFileFolder, "/srv/nc");
}
