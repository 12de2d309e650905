#include "ViewLayout.h"

#include "Picture24.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {
// Far inside int so that offsets added to a rounded value cannot overflow.
constexpr double kRoundLimit = 1'000'000'000.0;
}

int ViewLayout::Round(double value)
{
    if (std::isnan(value))
        return 0;
    value = std::clamp(value, -kRoundLimit, kRoundLimit);
    const double floorValue = std::floor(value);
    const double fraction = value - floorValue;
    double result = floorValue;
    if (fraction > 0.5) {
        result = floorValue + 1.0;
    } else if (fraction == 0.5) {
        // Ties go to the even neighbour.
        if (std::fmod(floorValue, 2.0) != 0.0)
            result = floorValue + 1.0;
    }
    return static_cast<int>(result);
}

int ViewLayout::autoFitZoom(int bitmapWidth, int bitmapHeight, int outerWidth, int outerHeight)
{
    if (bitmapWidth <= 0 || bitmapHeight <= 0)
        return 0;
    const double byHeight = std::trunc(outerHeight / (bitmapHeight * 0.01));
    const double byWidth = std::trunc(outerWidth / (bitmapWidth * 0.01));
    const double zoom = std::min(byHeight, byWidth);
    // A zoom of 0 would make every later conversion divide by zero.
    return static_cast<int>(std::clamp(zoom, 1.0, kRoundLimit));
}

std::vector<int> ViewLayout::stretchIndices(int srcStart, int srcLen, int dstLen)
{
    std::vector<int> map;
    if (srcLen <= 0 || dstLen <= 0)
        return map;
    map.resize(static_cast<std::size_t>(dstLen));
    for (int i = 0; i < dstLen; ++i)
        map[static_cast<std::size_t>(i)] =
            srcStart + static_cast<int>(static_cast<std::int64_t>(i) * srcLen / dstLen);
    return map;
}

int ViewLayout::ZoomedWidth() const
{
    return Round(m_bitmapWidth * (m_zoom * 0.01));
}

int ViewLayout::ZoomedHeight() const
{
    return Round(m_bitmapHeight * (m_zoom * 0.01));
}

int ViewLayout::DrawnWidth() const
{
    return std::max(0, std::min(ZoomedWidth(), m_clientWidth));
}

int ViewLayout::DrawnHeight() const
{
    return std::max(0, std::min(ZoomedHeight(), m_clientHeight));
}

int ViewLayout::OffsetX() const
{
    const int drawn = DrawnWidth();
    return (m_center && drawn < m_clientWidth) ? (m_clientWidth - drawn) / 2 : 0;
}

int ViewLayout::OffsetY() const
{
    const int drawn = DrawnHeight();
    return (m_center && drawn < m_clientHeight) ? (m_clientHeight - drawn) / 2 : 0;
}

bool ViewLayout::fitsOuter() const
{
    // The whole control would show the picture without scroll bars: no
    // scrolling, so that bars never appear only because they took room.
    return m_outerWidth >= ZoomedWidth() && m_outerHeight >= ZoomedHeight();
}

int ViewLayout::MaxViewX() const
{
    const int zw = ZoomedWidth();
    if (zw <= 0 || ZoomedHeight() <= 0 || fitsOuter())
        return 0;
    return std::max(0, zw - m_clientWidth);
}

int ViewLayout::MaxViewY() const
{
    const int zh = ZoomedHeight();
    if (zh <= 0 || ZoomedWidth() <= 0 || fitsOuter())
        return 0;
    return std::max(0, zh - m_clientHeight);
}

int ViewLayout::clampViewX(int x) const
{
    return std::clamp(x, 0, MaxViewX());
}

int ViewLayout::clampViewY(int y) const
{
    return std::clamp(y, 0, MaxViewY());
}

ViewRect ViewLayout::drawnRect() const
{
    return {OffsetX(), OffsetY(), DrawnWidth(), DrawnHeight()};
}

namespace {
// One axis of the source rectangle: start and length in picture pixels.
bool sourceSpan(int view, int drawn, int size, int zoomed, int &start, int &length)
{
    if (size <= 0 || zoomed <= 0 || drawn <= 0)
        return false;
    start = ViewLayout::Round(static_cast<double>(view) * size / zoomed);
    length = ViewLayout::Round(static_cast<double>(drawn) * size / zoomed);
    // Both roundings may go up and run one pixel past the edge; extreme
    // zooms and stale offsets may do worse. Stay inside the picture and
    // draw at least one pixel.
    start = std::clamp(start, 0, size - 1);
    length = std::clamp(length, 1, size - start);
    return true;
}
} // namespace

ViewRect ViewLayout::sourceRect() const
{
    ViewRect r;
    int sx = 0, sw = 0, sy = 0, sh = 0;
    if (!sourceSpan(m_viewX, DrawnWidth(), m_bitmapWidth, ZoomedWidth(), sx, sw))
        return r;
    if (!sourceSpan(m_viewY, DrawnHeight(), m_bitmapHeight, ZoomedHeight(), sy, sh))
        return r;
    return {sx, sy, sw, sh};
}

int ViewLayout::ClientToPictureX(int x) const
{
    if (m_zoom <= 0)
        return 0;
    return Round(100.0 / m_zoom * (static_cast<double>(x) + m_viewX - OffsetX()));
}

int ViewLayout::ClientToPictureY(int y) const
{
    if (m_zoom <= 0)
        return 0;
    return Round(100.0 / m_zoom * (static_cast<double>(y) + m_viewY - OffsetY()));
}

int ViewLayout::PictureToClientX(int x) const
{
    return Round(x * (m_zoom * 0.01) + (OffsetX() - m_viewX));
}

int ViewLayout::PictureToClientY(int y) const
{
    return Round(y * (m_zoom * 0.01) + (OffsetY() - m_viewY));
}

ViewScrollBar ViewLayout::horizontalScrollBar() const
{
    ViewScrollBar bar;
    bar.maximum = MaxViewX();
    bar.visible = bar.maximum >= 1;
    bar.page = std::max(0, m_clientWidth);
    bar.position = std::clamp(m_viewX, 0, bar.maximum);
    return bar;
}

ViewScrollBar ViewLayout::verticalScrollBar() const
{
    ViewScrollBar bar;
    bar.maximum = MaxViewY();
    bar.visible = bar.maximum >= 1;
    bar.page = std::max(0, m_clientHeight);
    bar.position = std::clamp(m_viewY, 0, bar.maximum);
    return bar;
}

void ViewLayout::renderDrawn(const Picture24 &picture, std::uint8_t *dst, int dstStride) const
{
    if (picture.width() != m_bitmapWidth || picture.height() != m_bitmapHeight || !dst)
        return;
    const ViewRect src = sourceRect();
    if (src.isEmpty())
        return;
    const int dw = DrawnWidth();
    const int dh = DrawnHeight();
    const std::vector<int> columns = stretchIndices(src.x, src.width, dw);
    const std::vector<int> rows = stretchIndices(src.y, src.height, dh);
    int previousRow = -1;
    for (int ty = 0; ty < dh; ++ty) {
        std::uint8_t *out = dst + static_cast<std::size_t>(ty) * dstStride;
        const int sy = rows[static_cast<std::size_t>(ty)];
        if (sy == previousRow) {
            // Enlarged pictures repeat lines; copying the finished one is cheaper.
            std::memcpy(out, out - dstStride, static_cast<std::size_t>(dw) * 3);
            continue;
        }
        previousRow = sy;
        const std::uint8_t *line = picture.scanLine(sy);
        for (int tx = 0; tx < dw; ++tx) {
            const std::uint8_t *p = line + 3 * columns[static_cast<std::size_t>(tx)];
            out[0] = p[0];
            out[1] = p[1];
            out[2] = p[2];
            out += 3;
        }
    }
}
