#include "ToolbarGlyphs.h"

#include <QPainter>
#include <QPainterPath>

namespace {

const QColor kInk(40, 40, 48);
const QColor kLightHair(222, 186, 110);
const QColor kDarkHair(70, 45, 30);
const QColor kSkin(240, 200, 170);

void folder(QPainter &p)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(232, 190, 70));
    QPainterPath path;
    path.moveTo(2, 6);
    path.lineTo(9, 6);
    path.lineTo(11, 8);
    path.lineTo(21, 8);
    path.lineTo(21, 19);
    path.lineTo(2, 19);
    path.closeSubpath();
    p.drawPath(path);
    p.setBrush(QColor(250, 215, 110));
    p.drawPolygon(QPolygonF({QPointF(4, 11), QPointF(23, 11), QPointF(21, 19), QPointF(2, 19)}));
}

void floppy(QPainter &p)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(60, 90, 160));
    p.drawRect(3, 3, 18, 18);
    p.setBrush(Qt::white);
    p.drawRect(6, 3, 12, 7);
    p.setBrush(QColor(200, 200, 210));
    p.drawRect(7, 14, 10, 7);
}

void printer(QPainter &p)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(Qt::white);
    p.drawRect(7, 2, 10, 8);
    p.setBrush(QColor(170, 170, 180));
    p.drawRoundedRect(2, 9, 20, 9, 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(6, 15, 12, 7);
    p.setPen(QPen(QColor(60, 160, 60), 2));
    p.drawPoint(18, 12);
}

void magnifier(QPainter &p, int cx, int cy, int r, const QString &sign)
{
    p.setPen(QPen(kInk, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(cx + r * 0.7, cy + r * 0.7), QPointF(cx + r * 1.6, cy + r * 1.6));
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(QColor(200, 230, 255));
    p.drawEllipse(QPointF(cx, cy), r, r);
    p.setPen(QPen(kInk, 1.5));
    if (!sign.isEmpty()) {
        p.drawLine(QPointF(cx - r / 2.0, cy), QPointF(cx + r / 2.0, cy));
        if (sign == QLatin1String("+"))
            p.drawLine(QPointF(cx, cy - r / 2.0), QPointF(cx, cy + r / 2.0));
    }
}

void page(QPainter &p)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(Qt::white);
    p.drawRect(3, 2, 14, 19);
    p.setPen(QPen(QColor(150, 150, 160), 1));
    for (int y = 6; y < 18; y += 3)
        p.drawLine(6, y, 14, y);
}

void head(QPainter &p, QColor hair, int length, bool man)
{
    // A face with a hairstyle: length 0 short, 1 medium, 2 long.
    p.setPen(Qt::NoPen);
    p.setBrush(hair);
    if (length == 2)
        p.drawRoundedRect(QRectF(4, 5, 16, 18), 6, 6);
    else if (length == 1)
        p.drawRoundedRect(QRectF(4.5, 5, 15, 13), 6, 6);
    p.setBrush(kSkin);
    p.drawEllipse(QRectF(7, 7, 10, 12));
    p.setBrush(hair);
    QPainterPath top;
    top.moveTo(5.5, 12);
    top.cubicTo(5, 3, 19, 3, 18.5, 12);
    if (man) {
        top.lineTo(17, 9);
        top.lineTo(7, 9);
    } else {
        top.cubicTo(16, 8, 10, 7, 5.5, 12);
    }
    top.closeSubpath();
    p.drawPath(top);
    p.setPen(QPen(kInk, 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(7, 7, 10, 12));
}

void draw(QPainter &p, const QString &name)
{
    p.setRenderHint(QPainter::Antialiasing);
    if (name == QLatin1String("BT_Abrir")) {
        folder(p);
    } else if (name == QLatin1String("BT_Salvar")) {
        floppy(p);
    } else if (name == QLatin1String("BT_Imprimir")) {
        printer(p);
    } else if (name == QLatin1String("BT_PREVIEW")) {
        page(p);
        magnifier(p, 14, 13, 4, QString());
    } else if (name == QLatin1String("BT_Original")) {
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(255, 250, 220));
        p.drawRect(2, 4, 20, 16);
        QFont f = p.font();
        f.setPixelSize(10);
        f.setBold(true);
        p.setFont(f);
        p.drawText(QRect(2, 4, 20, 16), Qt::AlignCenter, QStringLiteral("1:1"));
    } else if (name == QLatin1String("BT_Replay")) {
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(210, 225, 245));
        p.drawRect(2, 2, 12, 14);
        p.setBrush(QColor(250, 225, 170));
        p.drawRect(9, 8, 12, 14);
        head(p, kDarkHair, 0, false);
    } else if (name == QLatin1String("BT_Captura")) {
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(90, 90, 100));
        p.drawRoundedRect(2, 7, 20, 13, 2, 2);
        p.drawRect(7, 4, 8, 4);
        p.setBrush(QColor(170, 210, 250));
        p.drawEllipse(QPointF(12, 13.5), 4.5, 4.5);
    } else if (name == QLatin1String("BT_SCROLL")) {
        // A hand: the move tool drags the photo and the hair.
        p.setPen(QPen(kInk, 1));
        p.setBrush(kSkin);
        QPainterPath hand;
        hand.moveTo(7, 21);
        hand.lineTo(5, 14);
        hand.lineTo(4, 10);
        hand.cubicTo(4, 8, 7, 8, 7, 10);
        hand.lineTo(8, 5);
        hand.cubicTo(8, 3, 11, 3, 11, 5);
        hand.lineTo(11, 3);
        hand.cubicTo(11, 1, 14, 1, 14, 3);
        hand.lineTo(14, 4);
        hand.cubicTo(14, 2, 17, 2, 17, 4);
        hand.lineTo(17, 7);
        hand.cubicTo(17, 5, 20, 5, 20, 7);
        hand.lineTo(19, 16);
        hand.lineTo(17, 21);
        hand.closeSubpath();
        p.drawPath(hand);
    } else if (name == QLatin1String("BT_MOVE")) {
        p.setPen(QPen(kInk, 1, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(4, 4, 16, 16);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::red);
        for (QPoint c : {QPoint(4, 4), QPoint(20, 4), QPoint(4, 20), QPoint(20, 20), QPoint(12, 4),
                         QPoint(12, 20), QPoint(4, 12), QPoint(20, 12)})
            p.drawRect(c.x() - 2, c.y() - 2, 4, 4);
    } else if (name == QLatin1String("BT_ZOOM")) {
        magnifier(p, 10, 10, 6, QStringLiteral("+"));
    } else if (name == QLatin1String("BT_LACO")) {
        p.setPen(QPen(kInk, 1.5, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(3, 3, 18, 12));
        p.setPen(QPen(kInk, 1.5));
        p.drawLine(QPointF(8, 14), QPointF(6, 21));
    } else if (name == QLatin1String("BT_SLIDERS")) {
        p.setPen(QPen(kInk, 1));
        const QColor colours[] = {Qt::red, QColor(0, 160, 0), Qt::blue};
        for (int i = 0; i < 3; ++i) {
            const int x = 5 + i * 7;
            p.drawLine(x, 3, x, 21);
            p.setBrush(colours[i]);
            p.drawRect(x - 3, 6 + i * 4, 6, 4);
        }
    } else if (name == QLatin1String("BT_Thumbs")) {
        p.setPen(QPen(kInk, 1));
        for (int i = 0; i < 4; ++i) {
            p.setBrush(i % 3 ? QColor(200, 225, 250) : QColor(250, 220, 180));
            p.drawRect(2 + (i % 2) * 11, 2 + (i / 2) * 11, 9, 9);
        }
    } else if (name == QLatin1String("BT_CC")) {
        head(p, kLightHair, 0, false);
    } else if (name == QLatin1String("BT_CE")) {
        head(p, kDarkHair, 0, false);
    } else if (name == QLatin1String("BT_MC")) {
        head(p, kLightHair, 1, false);
    } else if (name == QLatin1String("BT_ME")) {
        head(p, kDarkHair, 1, false);
    } else if (name == QLatin1String("BT_LC")) {
        head(p, kLightHair, 2, false);
    } else if (name == QLatin1String("BT_LE")) {
        head(p, kDarkHair, 2, false);
    } else if (name == QLatin1String("BT_M")) {
        head(p, QColor(50, 50, 55), 0, true);
    } else if (name == QLatin1String("BT_Sair")) {
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(150, 100, 60));
        p.drawRect(4, 2, 11, 20);
        p.setPen(QPen(QColor(200, 30, 30), 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(11, 12, 21, 12);
        p.drawLine(18, 9, 21, 12);
        p.drawLine(18, 15, 21, 12);
    } else if (name == QLatin1String("Composition")) {
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(210, 225, 245));
        p.drawRect(1, 1, 22, 22);
        head(p, kLightHair, 1, false);
    }
}

} // namespace

QPixmap ToolbarGlyphs::Picture(const QString &itemName, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.scale(size / 24.0, size / 24.0);
    draw(p, itemName);
    return pixmap;
}

QIcon ToolbarGlyphs::Glyph(const QString &itemName)
{
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48})
        icon.addPixmap(Picture(itemName, size));
    return icon;
}
