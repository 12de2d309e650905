#include "ThumbviewLayout.h"

#include <algorithm>
#include <cmath>

namespace {
int ceilDiv(int a, int b)
{
    return b <= 0 ? 0 : static_cast<int>(std::ceil(static_cast<double>(a) / b));
}

int truncated(double value)
{
    return static_cast<int>(std::trunc(value));
}
} // namespace

int ThumbviewLayout::CellExtent(int maxExtent, int sizePercent)
{
    return truncated(maxExtent * 0.01 * sizePercent);
}

int ThumbviewLayout::PerLine(Tscrollmode mode, int controlWidth, int controlHeight, int gap, int cellWidth,
                             int cellHeight)
{
    const int step = mode == Tscrollmode::SMVertical ? gap + cellWidth : gap + cellHeight;
    const int room = (mode == Tscrollmode::SMVertical ? controlWidth : controlHeight) - kScrollBarRoom;
    if (step <= 0)
        return 1;
    return std::max(1, room / step);
}

ThumbRect ThumbviewLayout::Position(int a, Tscrollmode mode, Tviewtype align, int perLine, int cellWidth,
                                    int cellHeight, int gap, int controlWidth, int controlHeight)
{
    const int p = std::max(1, perLine);
    // Along the growing axis a thumbnail sits in its line; across it, at its
    // place within the line. Vertical mode grows downwards in rows.
    const bool vertical = mode == Tscrollmode::SMVertical;
    const int line = ceilDiv(a, p);
    const int place = a - (line - 1) * p;
    const int lineExtent = vertical ? cellHeight : cellWidth;
    const int placeExtent = vertical ? cellWidth : cellHeight;
    const int across = vertical ? controlWidth : controlHeight;

    const int along = (line - 1) * lineExtent + gap * line;
    int g = gap;
    if (align == Tviewtype::VTFitToScreen)
        g = (across - p * placeExtent - kScrollBarRoom) / (p + 1);
    int at = (place - 1) * placeExtent + g * place;
    if (align == Tviewtype::VTCenter)
        at += (across - kScrollBarRoom) / 2 - ((gap + placeExtent) * p) / 2;

    if (vertical)
        return {at, along, cellWidth, cellHeight};
    return {along, at, cellWidth, cellHeight};
}

int ThumbviewLayout::PressIndex(int x, int y, int scrollX, int scrollY, int count, Tscrollmode mode,
                                Tviewtype align, int perLine, int cellWidth, int cellHeight, int gap,
                                int controlWidth, int controlHeight)
{
    const int p = std::max(1, perLine);
    const bool vertical = mode == Tscrollmode::SMVertical;
    const int cx = x + scrollX;
    const int cy = y + scrollY;
    const int column = ceilDiv(cx, gap + cellWidth);
    const int row = ceilDiv(cy, gap + cellHeight);
    int index = vertical ? std::min(p, column) + p * std::max(row - 1, 0) - 1
                         : std::min(p, row) + p * std::max(column - 1, 0) - 1;
    if (align != Tviewtype::VTNormal) {
        // Centred and spread lines move the thumbnails off the plain grid:
        // look through the line for the one under the point.
        const int line = std::max(vertical ? row : column, 1);
        index = -1;
        for (int i = (line - 1) * p; i < std::min(line * p, count); ++i) {
            const ThumbRect r =
                Position(i + 1, mode, align, p, cellWidth, cellHeight, gap, controlWidth, controlHeight);
            if (cx > r.left && cx < r.left + r.width) {
                index = i;
                break;
            }
        }
    }
    if (index < 0 || index >= count)
        return -1;
    const ThumbRect r =
        Position(index + 1, mode, align, p, cellWidth, cellHeight, gap, controlWidth, controlHeight);
    const bool inside = cx > r.left && cx < r.left + r.width && cy > r.top && cy < r.top + r.height;
    return inside ? index : -1;
}

int ThumbviewLayout::ScrollIntoView(int position, int start, int extent, int controlExtent, int maxPosition)
{
    int newPosition = position;
    if (start < 0) {
        newPosition = position + start - extent / 2;
        newPosition = std::clamp(newPosition, 0, std::max(0, maxPosition));
        // The thumbnail moved with the scroll.
        start -= newPosition - position;
        position = newPosition;
    }
    if (start + extent > controlExtent)
        newPosition = position + start + extent + extent / 2 - controlExtent;
    return std::clamp(newPosition, 0, std::max(0, maxPosition));
}

ThumbRect ThumbviewLayout::Fit(int pictureWidth, int pictureHeight, int clientWidth, int clientHeight,
                               int thumbWidth, int thumbHeight, int titleHeight)
{
    if (pictureWidth <= 0 || pictureHeight <= 0)
        return {};
    int scale = 100;
    if (pictureWidth > clientWidth || pictureHeight > clientHeight)
        scale = truncated(std::min(static_cast<double>(clientWidth) / pictureWidth * 100,
                                   static_cast<double>(clientHeight) / pictureHeight * 100));
    scale = std::max(scale, 0);
    ThumbRect r;
    r.width = truncated(pictureWidth * 0.01 * scale);
    r.height = truncated(scale * pictureHeight * 0.01);
    r.left = truncated(thumbWidth * 0.5 - r.width * 0.5);
    r.top = titleHeight / 2 + thumbHeight / 2 - r.height / 2;
    return r;
}

ThumbReduction ThumbviewLayout::Reduction(int width, int height, int boxWidth, int boxHeight)
{
    ThumbReduction result;
    if (width <= 0 || height <= 0 || boxWidth <= 0 || boxHeight <= 0) {
        result.width = std::max(width, 0);
        result.height = std::max(height, 0);
        return result;
    }
    result.scale = truncated(
        std::min(static_cast<double>(boxWidth) / width * 100, static_cast<double>(boxHeight) / height * 100));
    result.width = truncated(width * 0.01 * result.scale);
    result.height = truncated(height * 0.01 * result.scale);
    const bool smallerInBoth = width < result.width && height < result.height;
    // A reduction to nothing would lose the picture altogether.
    result.reduce = !smallerInBoth && result.width > 0 && result.height > 0 &&
                    (result.width != width || result.height != height);
    return result;
}
