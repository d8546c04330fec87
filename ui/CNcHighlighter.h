#pragma once
// Colours the words of an NC program in the Quick View: block numbers,
// coordinates, tools, G and M codes, other words, comments and end marks.

#include <QSyntaxHighlighter>

#include "download/NcCoordinateReader.h"

class CNcHighlighter : public QSyntaxHighlighter {
public:
    CNcHighlighter(QTextDocument* document, NcDialect dialect);

    // The format each kind of word is shown in.
    static QTextCharFormat FormatOf(NcWord::Kind kind);

protected:
    void highlightBlock(const QString& text) override;

private:
    NcCoordinateReader reader_;
};
