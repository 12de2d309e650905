#pragma once

#include <algorithm>

/** A rectangle of picture pixels: left, top, width, height. */
struct PaintRect
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool isEmpty() const { return width <= 0 || height <= 0; }
    /** The smallest rectangle holding both (an empty one adds nothing). */
    PaintRect united(const PaintRect &o) const
    {
        if (isEmpty())
            return o;
        if (o.isEmpty())
            return *this;
        const int left = std::min(x, o.x), top = std::min(y, o.y);
        const int right = std::max(x + width, o.x + o.width), bottom = std::max(y + height, o.y + o.height);
        return {left, top, right - left, bottom - top};
    }
    bool operator==(const PaintRect &) const = default;
};
