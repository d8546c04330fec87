#include <gtest/gtest.h>

#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "link/ChannelSelectionModel.h"
#include "ui/CScan_SubModulesDlg.h"
#include "ui/CSelChannelDlg.h"

namespace {
std::string Text(Msg row) { return "#" + std::to_string(static_cast<int>(row)); }

ChannelConfig Channel(int number, const char* type) {
    ChannelConfig c;
    c.Channel = number;
    c.McType = type;
    c.McName = "M" + std::to_string(number);
    c.SubSerial = "00000000000" + std::to_string(number % 10);
    return c;
}

std::vector<ChannelConfig> Stored() {
    return {Channel(3, "DYNA/PERT"), Channel(7, "TDK/VC5"), Channel(12, "UNIVERSAL")};
}
}  // namespace

TEST(CSelChannelDlg, ShowsNumberedRowsWithThePreselection) {
    ChannelSelectionModel model("Select channel.", 7, false);
    model.Fill(Stored());
    CSelChannelDlg dialog(model, Text);
    QTableWidget* list = dialog.List();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Select channel."));
    ASSERT_EQ(list->rowCount(), 3);
    ASSERT_EQ(list->columnCount(), 6);
    EXPECT_EQ(list->item(0, 0)->text(), QStringLiteral("01"));
    EXPECT_EQ(list->item(2, 0)->text(), QStringLiteral("03"));
    EXPECT_EQ(list->item(2, 1)->text(), QStringLiteral("12"));
    EXPECT_EQ(list->item(1, 3)->text(), QStringLiteral("TDK/VC5"));
    EXPECT_EQ(list->item(1, 5)->text(), QString());
    EXPECT_EQ(list->horizontalHeaderItem(1)->text(), QStringLiteral("#231"));
    EXPECT_EQ(list->currentRow(), 1);
    EXPECT_TRUE(list->selectionModel()->isRowSelected(1, {}));
    EXPECT_TRUE(dialog.OkButton()->isEnabled());
    EXPECT_EQ(dialog.OkButton()->text(), QStringLiteral("#31"));

    list->clearSelection();
    EXPECT_FALSE(dialog.OkButton()->isEnabled());
    dialog.accept();   // Enter without a row
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible() && dialog.result() == QDialog::Accepted);
}

TEST(CSelChannelDlg, DoubleClickChoosesTheRow) {
    ChannelSelectionModel model("Select channel.", 3, false);
    model.Fill(Stored());
    CSelChannelDlg dialog(model, Text);
    dialog.show();
    QTableWidget* list = dialog.List();
    const QRect cell = list->visualItemRect(list->item(2, 2));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(model.SelectedChannel(), 12);
}

TEST(CSelChannelDlg, SystemDownloadListsOnlyMachinesThatTakeSystemPrograms) {
    ChannelSelectionModel model("Select system downloading channel.", 3, true);
    model.Fill({Channel(3, "DYNA/PERT"), Channel(7, "TDK/VC5")});
    CSelChannelDlg dialog(model, Text);
    ASSERT_EQ(dialog.List()->rowCount(), 1);
    EXPECT_EQ(dialog.List()->item(0, 0)->text(), QStringLiteral("01"));
    EXPECT_EQ(dialog.List()->item(0, 1)->text(), QStringLiteral("7"));
    // The preselected channel is not listed: nothing is selected.
    EXPECT_FALSE(dialog.OkButton()->isEnabled());
}

TEST(CSelChannelDlg, NoStoredChannelLeavesOnlyCancel) {
    ChannelSelectionModel model("Select channel.", 1, false);
    model.Fill({});
    CSelChannelDlg dialog(model, Text);
    EXPECT_EQ(dialog.List()->rowCount(), 0);
    EXPECT_FALSE(dialog.OkButton()->isEnabled());
    EXPECT_TRUE(dialog.CancelButton()->isEnabled());
}

TEST(CScan_SubModulesDlg, CountsThirtySixTicksAndStopCancels) {
    int stops = 0;
    CScan_SubModulesDlg dialog(QStringLiteral("Scanning sub modules"), QStringLiteral("Stop"), [&] { ++stops; });
    dialog.show();
    EXPECT_TRUE(dialog.IsTicking());
    EXPECT_EQ(dialog.Bar()->maximum(), 36);
    EXPECT_EQ(dialog.Bar()->value(), 0);
    for (int i = 0; i < 40; ++i) {
        if (dialog.IsTicking()) dialog.Tick();
    }
    EXPECT_EQ(dialog.TickCount(), 36);
    EXPECT_EQ(dialog.Bar()->value(), 36);
    EXPECT_FALSE(dialog.IsTicking());

    QTest::mouseClick(dialog.StopButton(), Qt::LeftButton);
    EXPECT_EQ(stops, 1);
    EXPECT_FALSE(dialog.isVisible());
}
