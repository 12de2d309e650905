#include "TImage.h"

#include "HairSoftEdge.h"

#include <QMouseEvent>
#include <QPainter>

#include <cstring>

TImage::TImage(const QString &name, QWidget *parent) : QWidget(parent)
{
    setObjectName(name);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(false);
}

void TImage::SetPicture(Picture24 picture)
{
    m_picture = std::move(picture);
    ++m_revision;
    rebuildCache();
    if (m_autoSize && !m_picture.isNull())
        resize(m_picture.width(), m_picture.height());
    update();
}

void TImage::ExchangePicture(Picture24 &picture)
{
    m_picture.swap(picture);
    ++m_revision;
    rebuildCache();
    if (m_autoSize && !m_picture.isNull())
        resize(m_picture.width(), m_picture.height());
    update();
}

void TImage::SetTransparent(bool on)
{
    if (m_transparent == on)
        return;
    m_transparent = on;
    rebuildCache();
    update();
}

void TImage::SetSoftEdges(bool on)
{
    if (m_softEdges == on)
        return;
    m_softEdges = on;
    rebuildCache();
    update();
}

std::uint32_t TImage::TransparentColour() const
{
    if (m_picture.isNull())
        return 0;
    return m_picture.pixel(0, m_picture.height() - 1);
}

void TImage::rebuildCache()
{
    if (m_picture.isNull()) {
        m_cache = QImage();
        return;
    }
    const int w = m_picture.width();
    const int h = m_picture.height();
    // Every pixel is either fully transparent or opaque, so the premultiplied
    // form has the same bytes and is drawn without a conversion.
    m_cache = QImage(w, h, QImage::Format_ARGB32_Premultiplied);
    if (m_softEdges && m_transparent) {
        HairSoftEdge::SoftCache(m_picture, TransparentColour(), reinterpret_cast<std::uint32_t *>(m_cache.bits()),
                                int(m_cache.bytesPerLine() / 4));
        return;
    }
    // No colour has bit 24 set, so without transparency nothing matches.
    const std::uint32_t key = m_transparent ? TransparentColour() : 0x1000000u;
    for (int y = 0; y < h; ++y) {
        const std::uint8_t *src = m_picture.scanLine(y);
        auto *dst = reinterpret_cast<QRgb *>(m_cache.scanLine(y));
        // Four bytes read per pixel (blue, green, red and one more, masked
        // off); the row's last pixel is read bytewise so as not to run past
        // the picture's end.
        for (int x = 0; x + 1 < w; ++x) {
            std::uint32_t v;
            std::memcpy(&v, src + 3 * x, 4);
            const std::uint32_t rgb = v & 0xFFFFFFu;
            dst[x] = rgb == key ? 0u : (0xFF000000u | rgb);
        }
        const std::uint8_t *last = src + 3 * (w - 1);
        const std::uint32_t rgb = (std::uint32_t(last[2]) << 16) | (std::uint32_t(last[1]) << 8) | last[0];
        dst[w - 1] = rgb == key ? 0u : (0xFF000000u | rgb);
    }
}

QImage TImage::Rendered(QColor background) const
{
    QImage out(size(), QImage::Format_RGB32);
    out.fill(background);
    if (!m_cache.isNull()) {
        QPainter p(&out);
        p.setRenderHint(QPainter::SmoothPixmapTransform, m_softEdges);
        p.drawImage(QRect(QPoint(0, 0), size()), m_cache);
    }
    return out;
}

void TImage::paintEvent(QPaintEvent *)
{
    if (m_cache.isNull())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform, m_softEdges);
    p.drawImage(rect(), m_cache);
}

void TImage::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    emit MouseDown(event->button(), event->modifiers(), pos.x(), pos.y());
}

void TImage::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    emit MouseMove(event->buttons(), event->modifiers(), pos.x(), pos.y());
}

void TImage::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    emit MouseUp(event->button(), event->modifiers(), pos.x(), pos.y());
}
