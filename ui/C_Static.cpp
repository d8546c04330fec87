#include "ui/C_Static.h"

#include <QApplication>
#include <QPalette>

#include "ui/QtColor.h"

C_Static::C_Static(QWidget* parent) : QLabel(parent) {}

void C_Static::SetTextColor(int color) {
    textColor_ = color;
    ApplyColors();
}

void C_Static::SetBackgroundColor(int color) {
    backgroundColor_ = color;
    hasBackground_ = true;
    ApplyColors();
}

void C_Static::ApplyColors() {
    QPalette palette = QApplication::palette(this);
    if (hasBackground_) {
        for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            palette.setColor(group, QPalette::WindowText, QtColor::FromRef(textColor_));
            palette.setColor(group, QPalette::Window, QtColor::FromRef(backgroundColor_));
        }
    }
    setAutoFillBackground(hasBackground_);
    setPalette(palette);
    update();
}
