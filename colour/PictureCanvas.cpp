#include "PictureCanvas.h"

#include "Picture24.h"
#include "TRasterRGB.h"

#include <algorithm>
#include <cstring>

namespace {

// Source line `top`, counted from the top of the picture.
const std::uint8_t *sourceLine(const TRasterRGB &source, int top)
{
    return source.Rows(source.Height() - 1 - top);
}

} // namespace

void PictureCanvas::drawBlock(const TRasterRGB &source, int x, int y, int width, int height, int sourceLeft,
                              int sourceTop, int sourceWidth, int sourceHeight)
{
    if (width <= 0 || height <= 0 || sourceWidth <= 0 || sourceHeight <= 0 || source.IsEmpty())
        return;
    const int w = m_picture.width();
    const int h = m_picture.height();
    if (width == sourceWidth && height == sourceHeight) {
        // Unscaled: clip the block against the source and the target alike.
        const int left = std::max({0, -x, -sourceLeft});
        const int right = std::min({width, w - x, source.Width() - sourceLeft});
        const int top = std::max({0, -y, -sourceTop});
        const int bottom = std::min({height, h - y, source.Height() - sourceTop});
        if (right <= left)
            return;
        for (int row = top; row < bottom; ++row)
            std::memcpy(m_picture.scanLine(y + row) + 3 * (x + left),
                        sourceLine(source, sourceTop + row) + 3 * (sourceLeft + left),
                        static_cast<std::size_t>(3 * (right - left)));
        return;
    }
    for (int row = std::max(0, -y); row < height && y + row < h; ++row) {
        const int sy = sourceTop + static_cast<int>(static_cast<long long>(row) * sourceHeight / height);
        if (sy < 0 || sy >= source.Height())
            continue;
        const std::uint8_t *from = sourceLine(source, sy);
        std::uint8_t *to = m_picture.scanLine(y + row);
        for (int col = std::max(0, -x); col < width && x + col < w; ++col) {
            const int sx = sourceLeft + static_cast<int>(static_cast<long long>(col) * sourceWidth / width);
            if (sx < 0 || sx >= source.Width())
                continue;
            std::memcpy(to + 3 * (x + col), from + 3 * sx, 3);
        }
    }
}
