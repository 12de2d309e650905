#include "TViewBase.h"

#include <QPainter>
#include <QPalette>

TViewBase::TViewBase(QWidget *parent)
    : QWidget(parent)
    , m_background(palette().color(QPalette::Button))
{
    setContentsMargins(kBorderWidth, kBorderWidth, kBorderWidth, kBorderWidth);
}

void TViewBase::SetBackground(const QColor &colour)
{
    if (colour == m_background)
        return;
    m_background = colour;
    backgroundChanged();
}

void TViewBase::backgroundChanged()
{
    update();
}

void TViewBase::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // Inside first, so that the frame is never painted over.
    painter.fillRect(rect().adjusted(kBorderWidth, kBorderWidth, -kBorderWidth, -kBorderWidth),
                     m_background);
    painter.setPen(QPen(palette().color(QPalette::Shadow), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
