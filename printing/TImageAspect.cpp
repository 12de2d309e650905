#include "TImageAspect.h"

#include "PrintGeometry.h"

#include <QPainter>

TImageAspect::TImageAspect(const QString &name, QWidget *parent) : QWidget(parent)
{
    setObjectName(name);
}

void TImageAspect::SetPicture(const QImage &picture)
{
    m_picture = picture;
    update();
}

QRect TImageAspect::DrawnRect() const
{
    const PrintGeometry::Rect r =
        PrintGeometry::ImageAspectFit(width(), height(), m_picture.width(), m_picture.height());
    return {r.left, r.top, r.width, r.height};
}

void TImageAspect::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(DrawnRect(), m_picture);
}
