#pragma once
// A text label with its own text and background colours (the program page's
// status line and time label). Until a background colour is set it paints
// like a plain label.

#include <QLabel>

#include "ui/ControlColors.h"

class C_Static : public QLabel, public ControlColors {
    Q_OBJECT
public:
    explicit C_Static(QWidget* parent = nullptr);

protected:
    void ApplyColors() override;
};
