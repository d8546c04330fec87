#include "ui/ReportList.h"

#include <QHeaderView>
#include <QTableWidget>

void SetUpReportList(QTableWidget* list, int rowHeight, ReportRows rows) {
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(rows == ReportRows::One ? QAbstractItemView::SingleSelection
                                                 : QAbstractItemView::ExtendedSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setShowGrid(true);
    list->verticalHeader()->hide();
    list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    list->verticalHeader()->setDefaultSectionSize(rowHeight);
}
