#include "TGradientPanel.h"

#include "GradientStrips.h"

#include <QMouseEvent>
#include <QPainter>

TGradientPanel::TGradientPanel(const QString &name, int width, int height, QWidget *parent)
    : QFrame(parent), m_width(width), m_height(height)
{
    setObjectName(name);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setFixedSize(width, height);
}

void TGradientPanel::SetColours(QColor from, QColor to)
{
    m_from = from;
    m_to = to;
    update();
}

void TGradientPanel::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    for (const GradientStrip &s : GradientStrips(width(), m_from.rgb() & 0xFFFFFF, m_to.rgb() & 0xFFFFFF))
        p.fillRect(QRect(s.left, 0, s.right - s.left, height()), QColor::fromRgb(s.rgb));
    p.end();
    QFrame::paintEvent(event);
}

void TGradientPanel::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    if (width() != m_width || height() != m_height)
        resize(m_width, m_height);
    emit Resized();
}

void TGradientPanel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_dragging = true;
        m_dragOffset = event->position().toPoint();
    }
}

void TGradientPanel::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging && parentWidget()) {
        QPoint to = mapToParent(event->position().toPoint()) - m_dragOffset;
        const QRect area = parentWidget()->rect();
        to.setX(qBound(0, to.x(), qMax(0, area.width() - width())));
        to.setY(qBound(0, to.y(), qMax(0, area.height() - height())));
        move(to);
    }
}

void TGradientPanel::mouseReleaseEvent(QMouseEvent *)
{
    m_dragging = false;
}
