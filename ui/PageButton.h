#pragma once
// Controls named after their control id ("ctl1003"), as tests and the
// screenshot scenes find them, and the push button of pages and dialogs:
// never pressed by Enter (keys go to the main window's key handler or to the
// dialog's own editor).

#include <QPushButton>

template <typename W>
W* NamedControl(W* widget, int id) {
    widget->setObjectName(QStringLiteral("ctl%1").arg(id));
    return widget;
}

// `minHeight` 0 keeps the style's own height.
inline QPushButton* MakePageButton(QWidget* parent, int id, int minHeight = 34) {
    auto* button = NamedControl(new QPushButton(parent), id);
    if (minHeight > 0) button->setMinimumHeight(minHeight);
    button->setAutoDefault(false);
    return button;
}
