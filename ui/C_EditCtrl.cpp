#include "ui/C_EditCtrl.h"

#include <QFontMetrics>

C_EditCtrl::C_EditCtrl(QWidget* parent) : QPlainTextEdit(parent) {}

void C_EditCtrl::ApplyColors() {
    setPalette(ColoredPalette(this, QPalette::Text, QPalette::Base));
    viewport()->update();
}

void C_EditCtrl::AlignTextBottom() {
    alignBottom_ = true;
    int line = QFontMetrics(font()).lineSpacing();
    int free = viewport()->height() + viewportMargins().top() - line - 2 * static_cast<int>(document()->documentMargin());
    setViewportMargins(0, std::max(0, free), 0, 0);
}

void C_EditCtrl::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    if (alignBottom_) AlignTextBottom();
}
