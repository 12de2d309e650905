#pragma once

#include "PaintRect.h"

#include <cstdint>

class Picture24;

/**
 * Draws one pen line into a picture the way a solid pen of whole-pixel width
 * draws it: no smoothing, every touched pixel takes exactly the pen colour,
 * so a hair's key-colour background stays one colour around a stroke.
 *
 * Width 1 (or less) is the thin pen: the pixels of the line from the start
 * to the end point, the end point itself left out, so that consecutive lines
 * of a stroke touch each pixel once. Wider pens cover every pixel whose
 * centre lies closer than width / 2 to the segment: round ends and, over a
 * stroke of several lines, round joins. For even widths the pen's centre sits
 * half a pixel up and left of the point, so that a horizontal line is exactly
 * `width` rows thick.
 */
class PenLine
{
public:
    /** Draws from (x0, y0) to (x1, y1) in colour `rgb` (0xRRGGBB), clipped to
     *  the picture. Returns the rectangle of pixels that may have changed
     *  (empty when nothing of the line lies on the picture). */
    static PaintRect Draw(Picture24 &picture, int x0, int y0, int x1, int y1, int width, std::uint32_t rgb);
};
