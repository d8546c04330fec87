#pragma once
// A text label with its own text and background colours (the program page's
// status line and time label). Until a background colour is set it paints
// like a plain label.

#include <QLabel>

class C_Static : public QLabel {
    Q_OBJECT
public:
    explicit C_Static(QWidget* parent = nullptr);

    void SetTextColor(int color);
    void SetBackgroundColor(int color);
    int TextColor() const { return textColor_; }
    int BackgroundColor() const { return backgroundColor_; }
    bool HasBackgroundColor() const { return hasBackground_; }

private:
    void ApplyColors();

    int textColor_ = 0;
    int backgroundColor_ = 0;
    bool hasBackground_ = false;
};
