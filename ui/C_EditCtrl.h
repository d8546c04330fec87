#pragma once
// A multi-line text box with its own text and background colours (the status
// and communication windows, the file-name boxes of the transfer dialogs).
// Colours are integers with red in the low byte. Until a background colour is
// set the box keeps the style's colours, text colour included.

#include <QPlainTextEdit>

#include "ui/ControlColors.h"

class C_EditCtrl : public QPlainTextEdit, public ControlColors {
    Q_OBJECT
public:
    explicit C_EditCtrl(QWidget* parent = nullptr);

    // Puts one line of text at the bottom of the box (for one-line boxes that
    // are taller than their font).
    void AlignTextBottom();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void ApplyColors() override;

private:
    bool alignBottom_ = false;
};
