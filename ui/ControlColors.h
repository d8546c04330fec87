#pragma once
// Own text and background colours for a custom control (C_EditCtrl,
// C_Static). Colours are integers with red in the low byte. Until a background
// colour is set the control keeps the style's colours, text colour included,
// like a control whose parent paints it.
//
// The control says in ApplyColors which palette roles its colours go to and
// how it repaints.

#include <QApplication>
#include <QPalette>
#include <QWidget>

#include "ui/QtColor.h"

class ControlColors {
public:
    virtual ~ControlColors() = default;

    void SetTextColor(int color) {
        textColor_ = color;
        ApplyColors();
    }
    void SetBackgroundColor(int color) {
        backgroundColor_ = color;
        hasBackground_ = true;
        ApplyColors();
    }
    int TextColor() const { return textColor_; }
    int BackgroundColor() const { return backgroundColor_; }
    bool HasBackgroundColor() const { return hasBackground_; }

protected:
    virtual void ApplyColors() = 0;

    // The style's palette for `control`; once a background is set, the two
    // colours stand in `textRole` and `backgroundRole` of every colour group.
    QPalette ColoredPalette(const QWidget* control, QPalette::ColorRole textRole,
                            QPalette::ColorRole backgroundRole) const {
        QPalette palette = QApplication::palette(control);
        if (hasBackground_) {
            for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
                palette.setColor(group, textRole, QtColor::FromRef(textColor_));
                palette.setColor(group, backgroundRole, QtColor::FromRef(backgroundColor_));
            }
        }
        return palette;
    }

private:
    int textColor_ = 0;
    int backgroundColor_ = 0;
    bool hasBackground_ = false;
};
