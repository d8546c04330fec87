#pragma once
// The look the program's lists share: report style with grid lines, whole
// rows selected (several at once), no editing by Qt itself, 20-pixel lines.

#include <QHeaderView>
#include <QTableWidget>

inline void SetUpReportList(QTableWidget* list) {
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setShowGrid(true);
    list->verticalHeader()->hide();
    list->verticalHeader()->setDefaultSectionSize(20);
}
