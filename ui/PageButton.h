#pragma once
// A push button of a function page: named after its control id ("ctl1003"),
// the height the pages share, and never pressed by Enter (keys go to the
// main window's key handler).

#include <QPushButton>

inline QPushButton* MakePageButton(QWidget* parent, int id) {
    auto* button = new QPushButton(parent);
    button->setObjectName(QStringLiteral("ctl%1").arg(id));
    button->setMinimumHeight(34);
    button->setAutoDefault(false);
    return button;
}
