#pragma once
// A static text that paints itself in its own text and background colours
// (the four information lines at the top of the installer).

#include <QColor>
#include <QLabel>

class CColorStatic : public QLabel {
public:
    explicit CColorStatic(int id, QWidget* parent = nullptr);

    int Id() const { return id_; }
    void SetTextColor(const QColor& color);
    void SetBkColor(const QColor& color);
    QColor TextColor() const { return text_; }
    QColor BkColor() const { return background_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int id_;
    QColor text_{Qt::black};
    QColor background_{Qt::white};
};
