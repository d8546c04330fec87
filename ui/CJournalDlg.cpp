#include "ui/CJournalDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QTableWidget>
#include <QVBoxLayout>

#include "ui/QtText.h"

namespace {
// "2026-12-07T00:00:00.000Z": the start of a day as the records' times read.
std::string DayStart(const QDate& date) { return ToStd(date.toString("yyyy-MM-dd")) + "T00:00:00.000Z"; }
}  // namespace

CJournalDlg::CJournalDlg(int language, Reader reader, QWidget* parent)
    : QDialog(parent), model_(language), reader_(std::move(reader)) {
    using M = JournalViewModel;
    setObjectName("journal");
    setWindowTitle(ToQ(model_.CaptionText(M::Title)));
    auto* layout = new QVBoxLayout(this);
    auto* filters = new QHBoxLayout;
    auto addLabelled = [&](M::Caption caption, QWidget* widget) {
        filters->addWidget(new QLabel(ToQ(model_.CaptionText(caption)), this));
        filters->addWidget(widget);
    };
    channel_ = new QComboBox(this);
    channel_->setObjectName("channel");
    type_ = new QComboBox(this);
    type_->setObjectName("type");
    result_ = new QComboBox(this);
    result_->setObjectName("result");
    result_->addItem(ToQ(model_.CaptionText(M::All)), -1);
    for (TransferResult r : {TransferResult::Completed, TransferResult::Failed, TransferResult::Cancelled}) {
        result_->addItem(ToQ(model_.ResultText(r)), static_cast<int>(r));
    }
    addLabelled(M::ChannelLabel, channel_);
    addLabelled(M::TypeLabel, type_);
    addLabelled(M::ResultLabel, result_);

    const QDate today = QDate::currentDate();
    useFrom_ = new QCheckBox(ToQ(model_.CaptionText(M::FromLabel)), this);
    from_ = new QDateEdit(today.addDays(-30), this);
    useTo_ = new QCheckBox(ToQ(model_.CaptionText(M::ToLabel)), this);
    to_ = new QDateEdit(today, this);
    for (QDateEdit* edit : {from_, to_}) {
        edit->setCalendarPopup(true);
        edit->setDisplayFormat("yyyy-MM-dd");
    }
    filters->addWidget(useFrom_);
    filters->addWidget(from_);
    filters->addWidget(useTo_);
    filters->addWidget(to_);
    search_ = new QLineEdit(this);
    search_->setObjectName("search");
    search_->setClearButtonEnabled(true);
    addLabelled(M::SearchLabel, search_);
    layout->addLayout(filters);

    table_ = new QTableWidget(0, M::kColumns, this);
    table_->setObjectName("records");
    QStringList titles;
    for (int c = 0; c < M::kColumns; ++c) titles << ToQ(model_.ColumnTitle(c));
    table_->setHorizontalHeaderLabels(titles);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(table_, 1);

    auto* buttons = new QHBoxLayout;
    summary_ = new QLabel(this);
    buttons->addWidget(summary_, 1);
    auto* refresh = new QPushButton(ToQ(model_.CaptionText(M::Refresh)), this);
    auto* exportCsv = new QPushButton(ToQ(model_.CaptionText(M::ExportCsv)), this);
    exportCsv->setObjectName("export");
    auto* close = new QPushButton(ToQ(model_.CaptionText(M::Close)), this);
    buttons->addWidget(refresh);
    buttons->addWidget(exportCsv);
    buttons->addWidget(close);
    // Return in the search box must not press Refresh or Export.
    for (QPushButton* button : {refresh, exportCsv}) button->setAutoDefault(false);
    close->setDefault(true);
    layout->addLayout(buttons);
    resize(1000, 480);

    for (QComboBox* box : {channel_, type_, result_}) {
        connect(box, &QComboBox::currentIndexChanged, this, &CJournalDlg::ApplyFilter);
    }
    for (QCheckBox* box : {useFrom_, useTo_}) connect(box, &QCheckBox::toggled, this, &CJournalDlg::ApplyFilter);
    for (QDateEdit* edit : {from_, to_}) connect(edit, &QDateEdit::dateChanged, this, &CJournalDlg::ApplyFilter);
    connect(search_, &QLineEdit::textChanged, this, &CJournalDlg::ApplyFilter);
    connect(table_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { ShowRecord(row); });
    connect(refresh, &QPushButton::clicked, this, &CJournalDlg::Reload);
    connect(exportCsv, &QPushButton::clicked, this, &CJournalDlg::ExportAsked);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    Reload();
}

void CJournalDlg::Reload() {
    std::vector<TransferRecord> records;
    std::string note;
    std::string error;
    readNote_.clear();
    if (!reader_ || !reader_(records, note, error)) {
        readNote_ = ToQ(error);
        records.clear();
    } else {
        readNote_ = ToQ(note);
    }
    model_.SetRecords(std::move(records));
    FillFilterLists();
    ApplyFilter();
}

void CJournalDlg::FillFilterLists() {
    const QSignalBlocker blockChannel(channel_);
    const QSignalBlocker blockType(type_);
    const QVariant channel = channel_->currentData();
    const QString type = type_->currentData().toString();
    channel_->clear();
    type_->clear();
    channel_->addItem(ToQ(model_.CaptionText(JournalViewModel::All)), 0);
    for (int c : model_.Channels()) channel_->addItem(QString::number(c), c);
    type_->addItem(ToQ(model_.CaptionText(JournalViewModel::All)), QString());
    for (const std::string& t : model_.Types()) type_->addItem(ToQ(t), ToQ(t));
    channel_->setCurrentIndex(std::max(0, channel_->findData(channel)));
    type_->setCurrentIndex(std::max(0, type_->findData(type)));
}

void CJournalDlg::ApplyFilter() {
    JournalFilter filter;
    filter.Channel = channel_->currentData().toInt();
    filter.McType = ToStd(type_->currentData().toString());
    const int result = result_->currentData().toInt();
    if (result >= 0) filter.Result = static_cast<TransferResult>(result);
    if (useFrom_->isChecked()) filter.SinceUtc = DayStart(from_->date());
    // The "to" day is shown whole.
    if (useTo_->isChecked()) filter.UntilUtc = DayStart(to_->date().addDays(1));
    filter.Search = ToStd(search_->text());
    model_.SetFilter(filter);

    table_->setRowCount(model_.RowCount());
    for (int row = 0; row < model_.RowCount(); ++row) {
        for (int c = 0; c < JournalViewModel::kColumns; ++c) {
            table_->setItem(row, c, new QTableWidgetItem(ToQ(model_.Cell(row, c))));
        }
    }
    table_->resizeColumnsToContents();
    QString summary = QString("%1 %2").arg(ToQ(model_.CaptionText(JournalViewModel::Shown))).arg(model_.RowCount());
    // Why the table may be empty or incomplete stays in view whatever the filter.
    if (!readNote_.isEmpty()) summary += "  " + readNote_;
    summary_->setText(summary);
}

void CJournalDlg::ShowRecord(int row) {
    if (row < 0 || row >= model_.RowCount()) return;
    QMessageBox box(QMessageBox::Information, windowTitle(), ToQ(model_.Detail(row)), QMessageBox::Ok, this);
    box.setObjectName("record");
    box.exec();
}

bool CJournalDlg::ExportTo(const QString& path, QString& error) const {
    QSaveFile file(path);
    const std::string csv = model_.Csv();
    if (!file.open(QIODevice::WriteOnly) || file.write(csv.data(), static_cast<qint64>(csv.size())) < 0 ||
        !file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

void CJournalDlg::ExportAsked() {
    const QString path = QFileDialog::getSaveFileName(this, ToQ(model_.CaptionText(JournalViewModel::ExportCsv)),
                                                      "journal.csv", "CSV (*.csv)");
    if (path.isEmpty()) return;
    QString error;
    if (!ExportTo(path, error)) QMessageBox::warning(this, windowTitle(), path + ": " + error);
}
