#include "ui/CNcHighlighter.h"

#include <QFont>
#include <QTextCharFormat>

CNcHighlighter::CNcHighlighter(QTextDocument* document, NcDialect dialect)
    : QSyntaxHighlighter(document), reader_(dialect) {}

QTextCharFormat CNcHighlighter::FormatOf(NcWord::Kind kind) {
    QTextCharFormat format;
    switch (kind) {
        case NcWord::Kind::Sequence: format.setForeground(QColor(128, 128, 128)); break;
        case NcWord::Kind::Axis: format.setForeground(QColor(0, 70, 200)); break;
        case NcWord::Kind::Tool:
            format.setForeground(QColor(190, 100, 0));
            format.setFontWeight(QFont::Bold);
            break;
        case NcWord::Kind::Code: format.setForeground(QColor(140, 0, 160)); break;
        case NcWord::Kind::Other: format.setForeground(QColor(0, 120, 120)); break;
        case NcWord::Kind::Comment:
            format.setForeground(QColor(0, 130, 0));
            format.setFontItalic(true);
            break;
        case NcWord::Kind::EndMark:
            format.setForeground(QColor(200, 0, 0));
            format.setFontWeight(QFont::Bold);
            break;
        case NcWord::Kind::Listing: format.setForeground(QColor(150, 150, 150)); break;
    }
    return format;
}

void CNcHighlighter::highlightBlock(const QString& text) {
    // One byte per character, so the reader's positions are the block's.
    QByteArray line = text.toLatin1();
    for (const NcWord& word : reader_.Words(std::string_view(line.constData(), static_cast<std::size_t>(line.size())))) {
        setFormat(static_cast<int>(word.Start), static_cast<int>(word.Length), FormatOf(word.WordKind));
    }
}
