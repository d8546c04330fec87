#pragma once
// "Quick View": a file's text in a read-only viewer with line numbers and its
// NC words coloured, beside a plot of the insertion points when the program
// has coordinates. The line under the text cursor is marked in the plot, and
// a point clicked in the plot brings its line into view.

#include <QDialog>
#include <string>

#include "download/NcCoordinateReader.h"

class CInsertionPlot;
class QPlainTextEdit;
class QSplitter;

class CQuickViewDlg : public QDialog {
    Q_OBJECT
public:
    CQuickViewDlg(const QString& title, const QString& text, NcDialect dialect = {}, QWidget* parent = nullptr);

    QPlainTextEdit* Viewer() const { return viewer_; }
    // Null when the program has no coordinates.
    CInsertionPlot* Plot() const { return plot_; }
    // The number shown beside the first line of the text block `block`.
    static int LineNumberOf(int block) { return block + 1; }

    // Reads the file at `path` and shows it modally, titled "`title` - path";
    // `notOpen` stands in for a file that cannot be read.
    static void ShowFile(const std::string& title, const std::string& path, const std::string& mcType,
                         const std::string& notOpen, QWidget* parent);

    // Moves the text cursor to the text line `line` (0-based) and shows it.
    void ShowLine(int line);

private:
    void MarkCursorLine();

    QPlainTextEdit* viewer_;
    CInsertionPlot* plot_ = nullptr;
};
