#pragma once
// A multi-line text box with its own text and background colours (the status
// and communication windows, the file-name boxes of the transfer dialogs).
// Colours are integers with red in the low byte. Until a background colour is
// set the box keeps the style's colours, text colour included.

#include <QPlainTextEdit>

class C_EditCtrl : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit C_EditCtrl(QWidget* parent = nullptr);

    void SetTextColor(int color);
    void SetBackgroundColor(int color);
    int TextColor() const { return textColor_; }
    int BackgroundColor() const { return backgroundColor_; }
    bool HasBackgroundColor() const { return hasBackground_; }

    // Puts one line of text at the bottom of the box (for one-line boxes that
    // are taller than their font).
    void AlignTextBottom();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void ApplyColors();

    int textColor_ = 0;
    int backgroundColor_ = 0;
    bool hasBackground_ = false;
    bool alignBottom_ = false;
};
