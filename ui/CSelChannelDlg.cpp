#include "ui/CSelChannelDlg.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "link/ChannelSelectionModel.h"
#include "ui/QtText.h"
#include "ui/ReportList.h"

namespace {
struct Column {
    Msg Caption;
    int Width;
};
constexpr Column kColumns[] = {
    {Msg::ColumnNo, 35},  {Msg::ChannelColumn, 60},   {Msg::McName, 150},
    {Msg::McType, 150},   {Msg::SubModuleSerial, 130}, {Msg::ColumnRemarks, 200},
};
constexpr int kRowHeight = 20;
}  // namespace

CSelChannelDlg::CSelChannelDlg(ChannelSelectionModel& model, const TextOf& text, QWidget* parent)
    : QDialog(parent),
      model_(model),
      list_(new QTableWidget(this)),
      ok_(new QPushButton(ToQ(text(Msg::Ok)), this)),
      cancel_(new QPushButton(ToQ(text(Msg::CancelUpper)), this)) {
    setWindowTitle(ToQ(model.Title()));
    list_->setObjectName(QStringLiteral("ctl1009"));
    SetUpReportList(list_, kRowHeight);
    list_->horizontalHeader()->setStretchLastSection(true);
    list_->setColumnCount(static_cast<int>(std::size(kColumns)));

    int width = 0;
    for (int c = 0; c < static_cast<int>(std::size(kColumns)); ++c) {
        auto* header = new QTableWidgetItem(ToQ(text(kColumns[c].Caption)));
        header->setTextAlignment(Qt::AlignCenter);
        list_->setHorizontalHeaderItem(c, header);
        list_->setColumnWidth(c, kColumns[c].Width);
        width += kColumns[c].Width;
    }

    const auto& rows = model.Rows();
    list_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const ChannelSelectionRow& row = rows[static_cast<std::size_t>(r)];
        const QString cells[] = {ToQ(row.Number), QString::number(row.Channel), ToQ(row.McName),
                                 ToQ(row.McType), ToQ(row.SubSerial), QString()};
        for (int c = 0; c < static_cast<int>(std::size(cells)); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment(Qt::AlignCenter);
            list_->setItem(r, c, item);
        }
    }
    if (model.SelectedRow() >= 0) {
        list_->selectRow(model.SelectedRow());
        list_->scrollToItem(list_->item(model.SelectedRow(), 0));
    }
    list_->setMinimumSize(width + 4, kRowHeight * 12);

    ok_->setObjectName(QStringLiteral("ctl1"));
    cancel_->setObjectName(QStringLiteral("ctl2"));
    ok_->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);

    connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CSelChannelDlg::OnSelectionChanged);
    connect(list_, &QTableWidget::cellDoubleClicked, this, [this](int, int) { accept(); });
    connect(ok_, &QPushButton::clicked, this, &CSelChannelDlg::accept);
    connect(cancel_, &QPushButton::clicked, this, &CSelChannelDlg::reject);
    OnSelectionChanged();
}

void CSelChannelDlg::OnSelectionChanged() {
    const QModelIndexList selected = list_->selectionModel()->selectedRows();
    model_.SelectRow(selected.isEmpty() ? -1 : selected.first().row());
    ok_->setEnabled(model_.OkEnabled());
}

void CSelChannelDlg::accept() {
    // Enter or OK without a row only leaves OK disabled.
    if (!model_.Accept()) {
        ok_->setEnabled(false);
        return;
    }
    QDialog::accept();
}
