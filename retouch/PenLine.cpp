#include "PenLine.h"

#include "Picture24.h"

#include <cstdlib>

namespace {
PaintRect clipped(const Picture24 &picture, int left, int top, int right, int bottom)
{
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, picture.width() - 1);
    bottom = std::min(bottom, picture.height() - 1);
    if (right < left || bottom < top)
        return {};
    return {left, top, right - left + 1, bottom - top + 1};
}

PaintRect thinLine(Picture24 &picture, int x0, int y0, int x1, int y1, std::uint32_t rgb)
{
    const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    int x = x0, y = y0;
    bool any = false;
    int left = 0, top = 0, right = -1, bottom = -1;
    while (x != x1 || y != y1) {
        if (x >= 0 && y >= 0 && x < picture.width() && y < picture.height()) {
            picture.setPixel(x, y, rgb);
            if (!any) {
                left = right = x;
                top = bottom = y;
                any = true;
            }
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
    if (!any)
        return {};
    return {left, top, right - left + 1, bottom - top + 1};
}
} // namespace

PaintRect PenLine::Draw(Picture24 &picture, int x0, int y0, int x1, int y1, int width, std::uint32_t rgb)
{
    if (picture.isNull())
        return {};
    if (width <= 1)
        return thinLine(picture, x0, y0, x1, y1, rgb);

    // Work in half pixels, where every centre and radius is a whole number
    // and the inside test is exact.
    const long long ax = 2LL * x0, ay = 2LL * y0, bx = 2LL * x1, by = 2LL * y1;
    const long long offset = (width % 2 == 0) ? 1 : 0;
    const long long radius2 = static_cast<long long>(width) * width;
    const long long ex = bx - ax, ey = by - ay;
    const long long length2 = ex * ex + ey * ey;
    const int reach = width / 2 + 1;

    const PaintRect area = clipped(picture, std::min(x0, x1) - reach, std::min(y0, y1) - reach,
                                   std::max(x0, x1) + reach, std::max(y0, y1) + reach);
    if (area.isEmpty())
        return {};
    int left = area.x + area.width, top = area.y + area.height, right = -1, bottom = -1;
    const std::uint8_t blue = std::uint8_t(rgb), green = std::uint8_t(rgb >> 8),
                       red = std::uint8_t(rgb >> 16);
    for (int y = area.y; y < area.y + area.height; ++y) {
        const long long py = 2LL * y + offset - ay;
        std::uint8_t *line = picture.scanLine(y);
        for (int x = area.x; x < area.x + area.width; ++x) {
            const long long px = 2LL * x + offset - ax;
            // Distance to the segment: to its nearest point, found by the
            // projection clamped to the segment's ends. Compared as
            // fractions so that nothing is rounded.
            const long long dot = px * ex + py * ey;
            bool inside;
            if (length2 == 0 || dot <= 0) {
                inside = px * px + py * py < radius2;
            } else if (dot >= length2) {
                const long long qx = px - ex, qy = py - ey;
                inside = qx * qx + qy * qy < radius2;
            } else {
                // |P|^2 - dot^2 / |E|^2 < r^2, times |E|^2.
                const long long cross = px * ey - py * ex;
                inside = static_cast<__int128>(cross) * cross < static_cast<__int128>(radius2) * length2;
            }
            if (!inside)
                continue;
            std::uint8_t *p = line + 3 * x;
            p[0] = blue;
            p[1] = green;
            p[2] = red;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (right < left)
        return {};
    return {left, top, right - left + 1, bottom - top + 1};
}
