#include "ImageCursors.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>

const char *ImageCursors::name(int id)
{
    switch (id) {
    case ZoomOut: return "ZOOMOUT";
    case ZoomIn: return "ZOOMIN";
    case Cross: return "CROSS";
    case Dropper: return "DROPPER";
    case Hand: return "HAND";
    case Pen: return "PEN";
    case Cross1: return "CROSS1";
    case Cross2: return "CROSS2";
    default: return "";
    }
}

QCursor ImageCursors::cursor(int id)
{
    if (!isEngineCursor(id))
        return QCursor(Qt::ArrowCursor);
    // Drawn once per process; QCursor copies share the pixmap.
    static QHash<int, QCursor> cache;
    auto it = cache.constFind(id);
    if (it != cache.constEnd())
        return *it;
    QPoint hot;
    const QPixmap pixmap = draw(id, hot);
    return *cache.insert(id, QCursor(pixmap, hot.x(), hot.y()));
}

namespace {
// Every shape is stroked twice, a wide white halo under a black line, so the
// cursor stays visible on dark and light photographs alike.
void stroke(QPainter &p, const QPainterPath &path, qreal width = 1.0)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, width + 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    p.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
}

void fillAndStroke(QPainter &p, const QPainterPath &path, const QColor &fill)
{
    p.setPen(QPen(Qt::white, 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.setPen(QPen(Qt::black, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(path);
}

void magnifier(QPainter &p, bool plus)
{
    QPainterPath lens;
    lens.addEllipse(QPointF(12.5, 12.5), 8.5, 8.5);
    QPainterPath handle;
    handle.moveTo(19, 19);
    handle.lineTo(28, 28);
    stroke(p, handle, 3.0);
    fillAndStroke(p, lens, QColor(255, 255, 255, 200));
    QPainterPath sign;
    sign.moveTo(8, 12.5);
    sign.lineTo(17, 12.5);
    if (plus) {
        sign.moveTo(12.5, 8);
        sign.lineTo(12.5, 17);
    }
    p.setPen(QPen(Qt::black, 2.0));
    p.drawPath(sign);
}

void cross(QPainter &p, int gap, bool box)
{
    QPainterPath lines;
    lines.moveTo(15.5, 2);
    lines.lineTo(15.5, 15.5 - gap);
    lines.moveTo(15.5, 15.5 + gap);
    lines.lineTo(15.5, 29);
    lines.moveTo(2, 15.5);
    lines.lineTo(15.5 - gap, 15.5);
    lines.moveTo(15.5 + gap, 15.5);
    lines.lineTo(29, 15.5);
    if (box)
        lines.addRect(QRectF(12.5, 12.5, 6, 6));
    stroke(p, lines);
}

void hand(QPainter &p)
{
    QPainterPath path;
    // Four fingers, a thumb and the palm as one rounded outline.
    path.moveTo(9, 27);
    path.lineTo(5, 17);
    path.quadTo(4, 14, 7, 14);
    path.lineTo(9, 17);
    path.lineTo(9, 6);
    path.quadTo(9, 4, 11, 4);
    path.quadTo(13, 4, 13, 6);
    path.lineTo(13, 14);
    path.lineTo(13, 3);
    path.quadTo(13, 1, 15, 1);
    path.quadTo(17, 1, 17, 3);
    path.lineTo(17, 14);
    path.lineTo(17, 4);
    path.quadTo(17, 2, 19, 2);
    path.quadTo(21, 2, 21, 4);
    path.lineTo(21, 15);
    path.lineTo(21, 7);
    path.quadTo(21, 5, 23, 5);
    path.quadTo(25, 5, 25, 7);
    path.lineTo(25, 20);
    path.quadTo(25, 25, 22, 27);
    path.closeSubpath();
    fillAndStroke(p, path, Qt::white);
}

void pen(QPainter &p)
{
    QPainterPath body;
    body.moveTo(1, 30);       // tip
    body.lineTo(4, 22);
    body.lineTo(23, 3);
    body.lineTo(28, 8);
    body.lineTo(9, 27);
    body.closeSubpath();
    fillAndStroke(p, body, QColor(255, 230, 120));
    QPainterPath detail;
    detail.moveTo(4, 22);
    detail.lineTo(9, 27);
    detail.moveTo(20, 6);
    detail.lineTo(25, 11);
    stroke(p, detail);
}

void dropper(QPainter &p)
{
    QPainterPath tube;
    tube.moveTo(1, 30);       // tip
    tube.lineTo(3, 25);
    tube.lineTo(17, 11);
    tube.lineTo(20, 14);
    tube.lineTo(6, 28);
    tube.closeSubpath();
    fillAndStroke(p, tube, QColor(180, 220, 255));
    QPainterPath bulb;
    bulb.addEllipse(QPointF(23, 8), 5, 5);
    fillAndStroke(p, bulb, Qt::black);
    QPainterPath collar;
    collar.moveTo(14, 9);
    collar.lineTo(22, 17);
    stroke(p, collar, 2.0);
}
} // namespace

QPixmap ImageCursors::draw(int id, QPoint &hotSpot)
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, true);
    switch (id) {
    case ZoomOut:
    case ZoomIn:
        magnifier(p, id == ZoomIn);
        hotSpot = QPoint(12, 12);
        break;
    case Cross:
        cross(p, 0, false);
        hotSpot = QPoint(15, 15);
        break;
    case Cross1:
        cross(p, 3, false);
        hotSpot = QPoint(15, 15);
        break;
    case Cross2:
        cross(p, 3, true);
        hotSpot = QPoint(15, 15);
        break;
    case Dropper:
        dropper(p);
        hotSpot = QPoint(1, 30);
        break;
    case Hand:
        hand(p);
        hotSpot = QPoint(15, 14);
        break;
    case Pen:
        pen(p);
        hotSpot = QPoint(1, 30);
        break;
    default:
        break;
    }
    p.end();
    return pixmap;
}
