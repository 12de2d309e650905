#include "DrawComboGeometry.h"

#include <algorithm>

namespace {
// Below this a name could not be read next to its swatch.
constexpr int kMinNamedItemHeight = 9;
// Room above and below the text of a named item, together.
constexpr int kTextLeading = 2;
} // namespace

DrawComboGeometry::Rect DrawComboGeometry::ColourBox(const Rect &item, ShowStyle style)
{
    Rect box{item.left + kBoxInsetX, item.top + kBoxInsetY, item.right - kBoxInsetX,
             item.bottom - kBoxInsetY};
    if (style == ssColorAndText)
        box.right = box.left + kNamedBoxWidth;
    return box;
}

DrawComboGeometry::Point DrawComboGeometry::TextOrigin(const Rect &item)
{
    return {item.left + kBoxInsetX + kNamedBoxWidth + kTextGap, item.top + kBoxInsetY};
}

DrawComboGeometry::LineSample DrawComboGeometry::WidthSample(const Rect &item, int index)
{
    LineSample s;
    s.box = {item.left + kBoxInsetX, item.top + kBoxInsetY, item.right - kBoxInsetX,
             item.bottom - kBoxInsetY};
    s.penWidth = index + 1;
    // Round ends reach half the width past each end; shortening by the whole
    // width keeps even the thickest line clear of the box's frame.
    s.x1 = item.left + kLineInsetX + s.penWidth;
    s.x2 = item.right - kLineInsetX - s.penWidth;
    s.y = item.top + (item.bottom - item.top) / 2;
    return s;
}

int DrawComboGeometry::NamedItemHeight(int textHeight)
{
    return std::max(kMinNamedItemHeight, textHeight + kTextLeading);
}
