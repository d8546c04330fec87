#pragma once
// The look of the terminal's report lists (channels, programs, files, texts):
// whole rows selected, one at a time or several, grid lines, no in-place
// editing by Qt itself, no row numbers, rows of a fixed height.

class QTableWidget;

enum class ReportRows { One, Many };

void SetUpReportList(QTableWidget* list, int rowHeight, ReportRows rows = ReportRows::One);
