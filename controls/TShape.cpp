#include "TShape.h"

#include <QPainter>

TShape::TShape(const QString &name, QWidget *parent) : QWidget(parent)
{
    setObjectName(name);
}

void TShape::SetBrushColor(const QColor &colour)
{
    if (colour == m_brush)
        return;
    m_brush = colour;
    update();
}

void TShape::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(m_brush);
    painter.drawRect(0, 0, width() - 1, height() - 1);
}
