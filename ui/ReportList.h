#pragma once
// The look of the terminal's report lists (channels, programs): whole rows
// selected one at a time, grid lines, no in-place editing, no row numbers,
// rows of a fixed height.

class QTableWidget;

void SetUpReportList(QTableWidget* list, int rowHeight);
