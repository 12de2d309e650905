#pragma once

#include <cstddef>
#include <vector>

/** A point of the lasso polygon or of its outline, in whole pixels. */
struct ViewPoint
{
    int x = 0;
    int y = 0;
    bool operator==(const ViewPoint &) const = default;
};

/** One pixel of the animated outline: where, and whether it is white
 *  (otherwise black). */
struct OutlinePixel
{
    int x = 0;
    int y = 0;
    bool white = false;
    bool operator==(const OutlinePixel &) const = default;
};

/** Inclusive bounding box of the polygon's points. */
struct ViewBounds
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const ViewBounds &) const = default;
};

/**
 * The lasso polygon of the photo view: its points in picture coordinates,
 * their bounding box, whether it is still being drawn, and the pure rules
 * behind the mouse (Ctrl constraint, double-click close) and the animated
 * black-and-white outline.
 */
class PolygonSelection
{
public:
    /** The point list grows by this many points at a time. */
    static constexpr std::size_t kGrowBlock = 64;
    /** Phases of the outline pattern: three black pixels, three white. */
    static constexpr int kPhaseCount = 6;

    bool isEmpty() const { return m_points.empty(); }
    std::size_t count() const { return m_points.size(); }
    std::size_t capacity() const { return m_points.capacity(); }
    const std::vector<ViewPoint> &points() const { return m_points; }
    /** Bounding box; meaningful only while there are points. */
    const ViewBounds &bounds() const { return m_bounds; }
    bool inProgress() const { return m_inProgress; }

    /** Appends a point and brings the bounding box up to date. */
    void addPoint(ViewPoint p);
    /** Empties the polygon; it is no longer in progress. */
    void clear();
    /** Starts (or continues) drawing: the closing edge is not shown. */
    void setInProgress(bool inProgress) { m_inProgress = inProgress; }
    /**
     * The double click: its second press has already added a point at the
     * pointer, so that point is dropped again and the polygon is closed.
     * Returns false (and changes nothing) when no polygon is in progress.
     */
    bool closeByDoubleClick();

    /**
     * Ctrl constraint of a new point p against the last point a: vertical or
     * horizontal when one leg is more than 30 pixels longer, otherwise made
     * diagonal by moving one coordinate by the legs' difference.
     */
    static ViewPoint constrain(ViewPoint a, ViewPoint p);

    /**
     * The pixels of an outline through the given points (already in window
     * coordinates), edge by edge, each edge from its start pixel up to but
     * not including its end pixel; the closing edge back to the first point
     * only when closed is true. The colour counter starts at phase and runs
     * on across edges: 0-2 black, 3-5 white.
     */
    static std::vector<OutlinePixel> outlinePixels(const std::vector<ViewPoint> &points,
                                                   bool closed, int phase);

    /** The pixels of one edge, start included, end excluded. */
    static std::vector<ViewPoint> edgePixels(ViewPoint from, ViewPoint to);

private:
    void recomputeBounds();

    std::vector<ViewPoint> m_points;
    ViewBounds m_bounds;
    bool m_inProgress = false;
};
