#pragma once
// The file or program list of the transfer dialogs: columns, rows and cells
// as a dialog model describes them (Columns() with Kind, Title, Width and
// Centered; Rows(); CellText(row, kind); ListVersion()), and the in-place
// name edit over one of its cells.

#include <QHeaderView>
#include <QLineEdit>
#include <QTableWidget>
#include <vector>

#include "ui/QtText.h"

namespace TransferTable {

// Full-row selection, grid lines, 20-pixel rows, the model's columns.
template <typename Model>
void SetUp(QTableWidget* list, const Model& model) {
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setShowGrid(true);
    list->verticalHeader()->hide();
    list->verticalHeader()->setDefaultSectionSize(20);
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    auto columns = model.Columns();
    list->setColumnCount(static_cast<int>(columns.size()));
    QStringList titles;
    for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
        titles << ToQ(columns[i].Title);
        list->setColumnWidth(i, columns[i].Width);
    }
    list->setHorizontalHeaderLabels(titles);
    list->horizontalHeader()->setStretchLastSection(true);
}

// The red-on-white edit that renames a cell in place, hidden until used.
inline QLineEdit* MakeRenameEdit(QTableWidget* list) {
    auto* edit = new QLineEdit(list->viewport());
    edit->setTextMargins(5, 0, 5, 0);
    QPalette red = edit->palette();
    red.setColor(QPalette::Text, Qt::red);
    red.setColor(QPalette::Base, Qt::white);
    edit->setPalette(red);
    edit->hide();
    return edit;
}

// New empty items for every row and column of the model; returns the list
// version now shown.
template <typename Model>
int Fill(QTableWidget* list, const Model& model) {
    list->clearContents();
    list->setRowCount(static_cast<int>(model.Rows().size()));
    auto columns = model.Columns();
    for (int row = 0; row < list->rowCount(); ++row) {
        for (int column = 0; column < static_cast<int>(columns.size()); ++column) {
            auto* item = new QTableWidgetItem;
            if (columns[column].Centered) item->setTextAlignment(Qt::AlignCenter);
            list->setItem(row, column, item);
        }
    }
    return model.ListVersion();
}

// Sets every cell that changed to the model's text.
template <typename Model>
void SyncCells(QTableWidget* list, const Model& model) {
    auto columns = model.Columns();
    for (int row = 0; row < list->rowCount(); ++row) {
        for (int column = 0; column < static_cast<int>(columns.size()); ++column) {
            QString text = ToQ(model.CellText(row, columns[column].Kind));
            if (list->item(row, column)->text() != text) list->item(row, column)->setText(text);
        }
    }
}

// Opens `edit` over the cell of `row` in the column of `kind` with `text`
// selected; false when the model has no such column.
template <typename Model, typename Kind>
bool OpenRenameEdit(QTableWidget* list, QLineEdit* edit, const Model& model, int row, Kind kind,
                    const std::string& text) {
    auto columns = model.Columns();
    int column = -1;
    for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
        if (columns[i].Kind == kind) column = i;
    }
    if (column < 0) return false;
    QTableWidgetItem* item = list->item(row, column);
    list->scrollToItem(item);
    edit->setGeometry(list->visualItemRect(item));
    edit->setText(ToQ(text));
    edit->show();
    edit->setFocus();
    edit->selectAll();
    return true;
}

// The rows selected in the view.
inline std::vector<int> SelectedRows(QTableWidget* list) {
    std::vector<int> rows;
    for (const QModelIndex& index : list->selectionModel()->selectedRows()) rows.push_back(index.row());
    return rows;
}

}  // namespace TransferTable
