#include "setup/CColorStatic.h"

#include <QPainter>
#include <QPalette>

CColorStatic::CColorStatic(int id, QWidget* parent) : QLabel(parent), id_(id)
{
    setObjectName(QString::number(id));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setMargin(3);
    SetTextColor(text_);
}

void CColorStatic::SetTextColor(const QColor& color)
{
    text_ = color;
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, text_);
    setPalette(colours);
}

void CColorStatic::SetBkColor(const QColor& color)
{
    background_ = color;
    update();
}

void CColorStatic::paintEvent(QPaintEvent* event)
{
    {
        QPainter painter(this);
        painter.fillRect(rect(), background_);
    }
    // The label draws the frame and the text (in the palette's text colour).
    QLabel::paintEvent(event);
}
