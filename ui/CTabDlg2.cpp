#include "ui/CTabDlg2.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/CKOVAApp.h"
#include "engine/Terminal.h"
#include "ui/CEditChPrmtDlg.h"
#include "ui/QtText.h"
#include "ui/models/ChannelEditorModel.h"

namespace {
struct Column {
    Msg Caption;   // Msg::ColumnNo stands for the literal "CH"
    int Width;
};
constexpr Column kColumns[MachineEnvironmentModel::kColumns] = {
    {Msg::ColumnNo, 35},       {Msg::McName, 100},    {Msg::McType, 100},        {Msg::SubModuleSerial, 100},
    {Msg::WorkFolder, 100},    {Msg::BaudRate, 60},   {Msg::DataBits, 30},       {Msg::ParityBit, 60},
    {Msg::NcdDelayBits, 35},   {Msg::PnrEtx, 35},     {Msg::UsePnrProgramName, 35}, {Msg::ColumnRemarks, 200},
};
}  // namespace

CTabDlg2::CTabDlg2(Terminal& terminal, PasswordFn password, QWidget* parent)
    : QWidget(parent), terminal_(terminal), password_(std::move(password)), model_(terminal), list_(new QTableWidget(this)) {
    list_->setObjectName(QStringLiteral("ctl%1").arg(kList));
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setShowGrid(true);
    list_->verticalHeader()->hide();
    list_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    list_->verticalHeader()->setDefaultSectionSize(kRowHeight);
    list_->setColumnCount(MachineEnvironmentModel::kColumns);
    list_->setRowCount(MachineEnvironmentModel::kRows);
    for (int c = 0; c < MachineEnvironmentModel::kColumns; ++c) {
        list_->setColumnWidth(c, kColumns[c].Width);
        for (int r = 0; r < MachineEnvironmentModel::kRows; ++r) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignCenter);
            list_->setItem(r, c, item);
        }
    }
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(list_);

    list_->installEventFilter(this);
    connect(list_, &QWidget::customContextMenuRequested, this, &CTabDlg2::ShowContextMenu);
    connect(list_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { OnEdit(row); });
    Relabel();
    Reload();
}

bool CTabDlg2::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && list_->currentRow() >= 0) {
            OnEdit(list_->currentRow());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CTabDlg2::Relabel() {
    for (int c = 0; c < MachineEnvironmentModel::kColumns; ++c) {
        const QString caption = c == 0 ? QStringLiteral("CH") : ToQ(terminal_.Text(kColumns[c].Caption));
        auto* header = new QTableWidgetItem(caption);
        header->setTextAlignment(Qt::AlignCenter);
        list_->setHorizontalHeaderItem(c, header);
    }
}

void CTabDlg2::ShowRow(int row) {
    const MachineEnvironmentModel::Row& cells = model_.RowCells(row);
    for (int c = 0; c < MachineEnvironmentModel::kColumns; ++c) {
        list_->item(row, c)->setText(ToQ(cells[static_cast<std::size_t>(c)]));
    }
}

void CTabDlg2::Reload() {
    model_.RefreshAll();
    for (int r = 0; r < MachineEnvironmentModel::kRows; ++r) ShowRow(r);
    RefreshMark();
}

void CTabDlg2::RefreshMark() {
    const int old = model_.MarkedChannel() - 1;
    const int row = model_.UpdateConnectedMark();
    if (old >= 0) ShowRow(old);
    if (row < 0) return;
    ShowRow(row);
    list_->selectRow(row);
    list_->scrollToItem(list_->item(row, 0));
}

QMenu* CTabDlg2::MakeMenu(int row) {
    const MachineEnvironmentMenu items = model_.MenuFor(row);
    auto* menu = new QMenu(this);
    menu->addAction(ToQ(terminal_.Text(Msg::Edit)), this, [this, row] { OnEdit(row); });
    if (items.Delete) menu->addAction(ToQ(terminal_.Text(Msg::Delete)), this, [this, row] { OnDelete(row); });
    if (items.Copy) menu->addAction(ToQ(terminal_.Text(Msg::Copy)), this, [this, row] { OnCopy(row); });
    if (items.Paste) menu->addAction(ToQ(terminal_.Text(Msg::Paste)), this, [this, row] { OnPaste(row); });
    return menu;
}

void CTabDlg2::ShowContextMenu(const QPoint& position) {
    const QModelIndex index = list_->indexAt(position);
    clickedRow_ = index.isValid() ? index.row() : -1;
    clickedColumn_ = index.isValid() ? index.column() : -1;
    if (clickedRow_ < 0) return;
    QMenu* menu = MakeMenu(clickedRow_);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(list_->viewport()->mapToGlobal(position));
}

void CTabDlg2::OnEdit(int row) {
    if (row < 0 || row >= MachineEnvironmentModel::kRows) return;
    ChannelEditorModel editor(terminal_.App, model_.EditorRecord(row));
    bool ok = false;
    if (editor_) {
        ok = editor_(editor);
    } else {
        CEditChPrmtDlg dialog(editor, [this](Msg r) { return terminal_.Text(r); }, this);
        ok = dialog.exec() == QDialog::Accepted;
    }
    if (!ok) return;
    if (!model_.FinishEdit(editor.Record(), editor.AcceptedChanges())) return;
    ShowRow(editor.Record().Channel - 1);
    RefreshMark();
}

void CTabDlg2::OnDelete(int row) {
    if (!password_(false)) return;
    if (model_.Delete(row)) ShowRow(row);
}

void CTabDlg2::OnCopy(int row) {
    if (!password_(false)) return;
    model_.Copy(row);
}

void CTabDlg2::OnPaste(int row) {
    if (!password_(false)) return;
    if (model_.Paste(row)) ShowRow(row);
}
