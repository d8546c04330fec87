#include "ui/C_EditCtrl.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPalette>

#include "ui/QtColor.h"

C_EditCtrl::C_EditCtrl(QWidget* parent) : QPlainTextEdit(parent) {}

void C_EditCtrl::SetTextColor(int color) {
    textColor_ = color;
    ApplyColors();
}

void C_EditCtrl::SetBackgroundColor(int color) {
    backgroundColor_ = color;
    hasBackground_ = true;
    ApplyColors();
}

void C_EditCtrl::ApplyColors() {
    // Like a control whose parent paints it: without a background of its own
    // the style decides both colours.
    QPalette palette = QApplication::palette(this);
    if (hasBackground_) {
        for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            palette.setColor(group, QPalette::Text, QtColor::FromRef(textColor_));
            palette.setColor(group, QPalette::Base, QtColor::FromRef(backgroundColor_));
        }
    }
    setPalette(palette);
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
