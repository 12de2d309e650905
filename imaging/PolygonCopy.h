#pragma once

#include "PolygonSelection.h"

#include <vector>

class Picture24;

/** A run of pixels of one picture line inside a polygon: x0 .. x1 - 1. */
struct PolygonSpan
{
    int y = 0;
    int x0 = 0;
    int x1 = 0;
    bool operator==(const PolygonSpan &) const = default;
};

/**
 * Copies between a picture and a scratch picture through a lasso polygon
 * (points in picture coordinates, y from the top). A pixel belongs to the
 * polygon when its centre lies inside by the even-odd rule, so a rectangle
 * through (l, t) and (r, b) holds the pixels l .. r-1 of the lines t .. b-1,
 * as a filled region would. With fewer than 3 points nothing happens.
 */
class PolygonCopy
{
public:
    /** The polygon's pixel runs, line by line from the top, each line's runs
     *  left to right; not clipped to any picture. */
    static std::vector<PolygonSpan> Spans(const std::vector<ViewPoint> &polygon);

    /**
     * Copies the pixels of `source` inside the polygon's bounding rectangle
     * to `scratch` with the rectangle's top-left corner at `origin`, only
     * where the polygon (moved to the origin) covers them. The scratch
     * picture grows, keeping its pixels, when it is too small for the
     * rectangle, and never shrinks. Pixels beyond the source stay as they
     * were in the scratch picture.
     */
    static void In(const Picture24 &source, const std::vector<ViewPoint> &polygon, ViewPoint origin,
                   Picture24 &scratch);
    /** The reverse: the scratch rectangle at `origin` back into `target` at
     *  the polygon's bounding rectangle, inside the polygon only. */
    static void Out(const Picture24 &scratch, const std::vector<ViewPoint> &polygon, ViewPoint origin,
                    Picture24 &target);
};
