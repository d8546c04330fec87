// The journal window on the offscreen platform: filters narrow the table, a
// store that cannot be read is said so, export writes what is shown; and its
// model's captions follow the language.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

#include <fstream>
#include <iterator>

#include "support/TempFolder.h"
#include "ui/CJournalDlg.h"
#include "ui/QtText.h"

namespace {

TransferRecord Record(const std::string& start, int channel, const std::string& type, TransferResult result,
                      const std::string& file) {
    TransferRecord r;
    r.StartUtc = start;
    r.EndUtc = start;
    r.Channel = channel;
    r.McType = type;
    r.Direction = "download";
    r.PcFile = file;
    r.Result = result;
    r.MessageText = "m";
    return r;
}

std::vector<TransferRecord> Sample() {
    return {Record("2026-12-07T12:00:00.000Z", 2, "UNIVERSAL", TransferResult::Failed, "/nc/B.NCD"),
            Record("2026-12-06T09:00:00.000Z", 1, "DYNA/PERT", TransferResult::Completed, "/nc/A.NCD"),
            Record("2026-11-01T09:00:00.000Z", 1, "DYNA/PERT", TransferResult::Cancelled, "/nc/board,1.NCD")};
}

CJournalDlg::Reader ReaderOf(std::vector<TransferRecord> records) {
    return [records](std::vector<TransferRecord>& out, std::string&, std::string&) {
        out = records;
        return true;
    };
}

TEST(JournalDialogTest, FiltersNarrowTheTableNewestFirst) {
    CJournalDlg dialog(0, ReaderOf(Sample()));
    QTableWidget* table = dialog.Table();
    ASSERT_EQ(table->rowCount(), 3);
    EXPECT_EQ(table->item(0, JournalViewModel::PcFile)->text(), "/nc/B.NCD");
    EXPECT_EQ(table->item(0, JournalViewModel::Start)->text(), "2026-12-07 12:00:00");
    EXPECT_EQ(table->horizontalHeaderItem(JournalViewModel::Result)->text(), "Result");

    auto* channel = dialog.findChild<QComboBox*>("channel");
    ASSERT_NE(channel, nullptr);
    ASSERT_EQ(channel->count(), 3);   // All, 1, 2
    channel->setCurrentIndex(channel->findData(1));
    EXPECT_EQ(table->rowCount(), 2);

    auto* result = dialog.findChild<QComboBox*>("result");
    result->setCurrentIndex(result->findData(static_cast<int>(TransferResult::Cancelled)));
    ASSERT_EQ(table->rowCount(), 1);
    EXPECT_EQ(table->item(0, JournalViewModel::Result)->text(), "cancelled");

    result->setCurrentIndex(0);
    auto boxes = dialog.findChildren<QCheckBox*>();
    auto dates = dialog.findChildren<QDateEdit*>();
    ASSERT_EQ(boxes.size(), 2);
    ASSERT_EQ(dates.size(), 2);
    dates[0]->setDate(QDate(2026, 12, 1));
    boxes[0]->setChecked(true);
    EXPECT_EQ(table->rowCount(), 1);   // channel 1 from December on
    dates[1]->setDate(QDate(2026, 12, 5));
    boxes[1]->setChecked(true);
    EXPECT_EQ(table->rowCount(), 0);
    dates[1]->setDate(QDate(2026, 12, 6));   // the "to" day counts whole
    EXPECT_EQ(table->rowCount(), 1);

    boxes[0]->setChecked(false);
    boxes[1]->setChecked(false);
    channel->setCurrentIndex(0);
    dialog.findChild<QLineEdit*>("search")->setText("BOARD");
    ASSERT_EQ(table->rowCount(), 1);

    TempFolder folder;
    QString error;
    const auto path = folder.Path() / "out.csv";
    ASSERT_TRUE(dialog.ExportTo(QString::fromStdString(path.string()), error)) << error.toStdString();
    std::ifstream in(path, std::ios::binary);
    const std::string csv((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(csv.rfind("start,end,", 0), 0u);
    EXPECT_NE(csv.find("\"/nc/board,1.NCD\""), std::string::npos);
    EXPECT_EQ(csv.find("B.NCD"), std::string::npos);   // only what is shown
    EXPECT_FALSE(dialog.ExportTo(QString::fromStdString((folder.Path() / "no" / "x.csv").string()), error));
}

TEST(JournalDialogTest, AStoreThatCannotBeReadIsSaidAndTheTableIsEmpty) {
    CJournalDlg dialog(1, [](std::vector<TransferRecord>&, std::string&, std::string& error) {
        error = "database locked";
        return false;
    });
    EXPECT_EQ(dialog.Table()->rowCount(), 0);
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("전송 기록"));
    bool said = false;
    for (QLabel* label : dialog.findChildren<QLabel*>()) said |= label->text().contains("database locked");
    EXPECT_TRUE(said);
}

TEST(JournalViewModelTest, DetailNamesEveryFieldAndVerifyShowsWithTheResult) {
    JournalViewModel model(1);
    TransferRecord r = Record("2026-12-07T12:00:00.000Z", 3, "UNIVERSAL", TransferResult::Completed, "/nc/P");
    r.Verify = "verified";
    model.SetRecords({r});
    EXPECT_EQ(model.Cell(0, JournalViewModel::Result), "완료 / verified");
    const std::string detail = model.Detail(0);
    EXPECT_NE(detail.find("channel: 3\n"), std::string::npos);
    EXPECT_NE(detail.find("verify: verified\n"), std::string::npos);
    EXPECT_EQ(model.ColumnTitle(JournalViewModel::Channel), "채널");
    EXPECT_EQ(JournalViewModel(4).ColumnTitle(JournalViewModel::Channel), "Ch.");
}

}  // namespace
