#pragma once

#include <array>

/**
 * Geometry of the resize handle, kept free of any widget toolkit so that it can
 * be checked without a display.
 *
 * The handle is a frame laid around one or several controls: 2 pixels beyond
 * their left and top edges and 3 beyond their right and bottom edges, so that
 * the grips drawn on the frame's rim stay clickable around the control.
 */

/** A rectangle in pixels: the position of its top-left corner and its size. */
struct Bounds
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    int right() const { return left + width; }   ///< first column past the rectangle
    int bottom() const { return top + height; }  ///< first row past the rectangle
    bool contains(int x, int y) const { return x >= left && x < right() && y >= top && y < bottom(); }
    bool operator==(const Bounds &) const = default;
};

/** A pixel position. */
struct PixelPoint
{
    int x = 0;
    int y = 0;
    bool operator==(const PixelPoint &) const = default;
};

/** Where a press on the handle grabs it: the body or one of the eight grips. */
enum class GrabZone
{
    Body = 0,
    TopLeft = 1,
    TopRight = 2,
    BottomLeft = 3,
    BottomRight = 4,
    Top = 5,
    Left = 6,
    Bottom = 7,
    Right = 8,
};

/** The pointer shape that tells the user what a press in a zone would do. */
enum class GripCursor
{
    Default,
    DiagonalDown, ///< north-west / south-east
    DiagonalUp,   ///< north-east / south-west
    Vertical,
    Horizontal,
};

/** The smallest width and height a resize leaves to the framed area. */
inline constexpr int MinimumFramedSize = 5;
/** Frame margin on the left and top side of the framed controls. */
inline constexpr int FrameLead = 2;
/** Frame margin on the right and bottom side of the framed controls. */
inline constexpr int FrameTrail = 3;

/** Handle bounds for one framed control with bounds @p control. */
Bounds HandleBoundsFor(const Bounds &control);

/** The area the handle frames: its bounds without the frame's margins. */
Bounds FramedArea(const Bounds &handle);

/** Handle bounds @p handle widened so that it also frames @p control. */
Bounds WidenHandleBounds(const Bounds &handle, const Bounds &control);

/** True when @p point (parent coordinates) lies on the control grown by 2 on every side. */
bool InsideFrame(const Bounds &control, PixelPoint point);

/**
 * The grip squares for one control whose frame rectangle (the control grown by
 * 2 on every side, in handle coordinates) is @p frame: four 10 x 10 corner
 * squares first (top-left, top-right, bottom-left, bottom-right), then four
 * 5 x 5 edge-middle squares (top, left, bottom, right).
 */
std::array<Bounds, 8> GripSquares(const Bounds &frame);

/**
 * The zone under the pointer (@p x, @p y in handle coordinates) on a handle of
 * @p width x @p height framing one control. The tests overlap on small
 * handles; the later test wins, in the order TopLeft, BottomRight, TopRight,
 * BottomLeft, Top, Bottom, Left, Right.
 */
GrabZone GrabZoneAt(int x, int y, int width, int height);

/** The pointer shape for @p zone. */
GripCursor CursorForZone(GrabZone zone);

/** @p point moved inside 0..width, 0..height (both ends included). */
PixelPoint ClampToArea(PixelPoint point, int width, int height);

/** Grid snapping: @p grid x (@p value / @p grid), the division truncating toward zero
 *  (grids below 1 count as 1). */
int SnapToGridValue(int value, int grid);

/**
 * New handle bounds while zone @p zone of a handle with bounds @p handle is
 * dragged from @p start to @p pointer (both in one coordinate system). The
 * edges the zone moves follow the pointer by exactly the distance dragged and
 * land, on the framed area, on the grids; the framed area never becomes
 * narrower or lower than MinimumFramedSize, and the edges the zone does not
 * move stay where they are unless that minimum pushes them.
 */
Bounds DraggedBounds(GrabZone zone, const Bounds &handle, PixelPoint start, PixelPoint pointer,
                     int gridX, int gridY);

/** @p handle moved by (@p dx, @p dy), as the arrow keys do. */
Bounds NudgedBounds(const Bounds &handle, int dx, int dy);

/**
 * A framed control's bounds after its handle went from @p oldHandle to
 * @p newHandle: moved and resized by the same differences, but never smaller
 * than 1 x 1, which a control narrower than the rest of a group would
 * otherwise reach.
 */
Bounds FollowHandle(const Bounds &control, const Bounds &oldHandle, const Bounds &newHandle);
