#pragma once
// "Quick View": a file's text in a read-only viewer with line numbers.

#include <QDialog>

class QPlainTextEdit;

class CQuickViewDlg : public QDialog {
    Q_OBJECT
public:
    CQuickViewDlg(const QString& title, const QString& text, QWidget* parent = nullptr);

    QPlainTextEdit* Viewer() const { return viewer_; }
    // The number shown beside the first line of the text block `block`.
    static int LineNumberOf(int block) { return block + 1; }

private:
    QPlainTextEdit* viewer_;
};
