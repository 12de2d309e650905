#include "PainterRasterCanvas.h"

#include "TRasterRGB.h"

#include <QImage>
#include <QPainter>

#include <algorithm>

void PainterRasterCanvas::drawBlock(const TRasterRGB &source, int x, int y, int width, int height,
                                    int sourceLeft, int sourceTop, int sourceWidth,
                                    int sourceHeight)
{
    if (source.IsEmpty() || width <= 0 || height <= 0 || sourceWidth <= 0 || sourceHeight <= 0)
        return;
    // Only the part of the block inside the picture is converted; the
    // destination shrinks in proportion, so the scale stays the same.
    const int left = std::max(sourceLeft, 0);
    const int top = std::max(sourceTop, 0);
    const int right = std::min(sourceLeft + sourceWidth, source.Width());
    const int bottom = std::min(sourceTop + sourceHeight, source.Height());
    if (left >= right || top >= bottom)
        return;
    QImage image(right - left, bottom - top, QImage::Format_BGR888);
    for (int line = top; line < bottom; ++line) {
        const std::uint8_t *src = source.Rows(source.Height() - 1 - line) + 3 * left;
        std::copy(src, src + 3 * (right - left), image.scanLine(line - top));
    }
    const double sx = double(width) / sourceWidth;
    const double sy = double(height) / sourceHeight;
    const QRectF target(x + (left - sourceLeft) * sx, y + (top - sourceTop) * sy, (right - left) * sx,
                        (bottom - top) * sy);
    m_painter.save();
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    m_painter.setCompositionMode(QPainter::CompositionMode_Source);
    m_painter.drawImage(target, image);
    m_painter.restore();
}
