#pragma once

/**
 * Where the colour and line-width pickers draw inside one list item. Item
 * rectangles are given as left, top, right, bottom with right and bottom
 * excluded; the results use the same convention, so a box from (l, t) to
 * (r, b) covers the pixels l ... r - 1 and t ... b - 1, frame included.
 */
class DrawComboGeometry
{
public:
    struct Rect
    {
        int left = 0;
        int top = 0;
        int right = 0;
        int bottom = 0;
        int width() const { return right - left; }
        int height() const { return bottom - top; }
        bool operator==(const Rect &) const = default;
    };

    /** The colour picker's three ways of showing an item. */
    enum ShowStyle { ssOnlyColor = 0, ssOnlyText = 1, ssColorAndText = 2 };

    struct Point
    {
        int x = 0;
        int y = 0;
        bool operator==(const Point &) const = default;
    };

    /** The sample line of a width item: from x1 to x2 at height y, penWidth
     *  pixels thick with round ends, inside a framed box. */
    struct LineSample
    {
        Rect box;
        int penWidth = 1;
        int x1 = 0;
        int x2 = 0;
        int y = 0;
    };

    /** Gap between the swatch box and the item's edges. */
    static constexpr int kBoxInsetX = 4;
    static constexpr int kBoxInsetY = 2;
    /** Width of the swatch beside the name in ssColorAndText. */
    static constexpr int kNamedBoxWidth = 22;
    /** The name starts this far right of the swatch. */
    static constexpr int kTextGap = 8;
    /** Gap between the sample box and the line's unshortened ends. */
    static constexpr int kLineInsetX = 6;

    /** The swatch box of a colour item (ssOnlyColor or ssColorAndText). */
    static Rect ColourBox(const Rect &item, ShowStyle style);
    /** Top-left corner of the colour name in ssColorAndText. */
    static Point TextOrigin(const Rect &item);
    /** The sample of width item `index` (0 for width 1). */
    static LineSample WidthSample(const Rect &item, int index);
    /** Item height in ssColorAndText for a font `textHeight` pixels high. */
    static int NamedItemHeight(int textHeight);
};
