#include "ResizeGeometry.h"

#include <algorithm>
#include <cstdlib>

Bounds HandleBoundsFor(const Bounds &control)
{
    return {control.left - FrameLead, control.top - FrameLead,
            control.width + FrameLead + FrameTrail, control.height + FrameLead + FrameTrail};
}

Bounds FramedArea(const Bounds &handle)
{
    return {handle.left + FrameLead, handle.top + FrameLead,
            handle.width - FrameLead - FrameTrail, handle.height - FrameLead - FrameTrail};
}

Bounds WidenHandleBounds(const Bounds &handle, const Bounds &control)
{
    const int left = std::min(handle.left, control.left - FrameLead);
    const int top = std::min(handle.top, control.top - FrameLead);
    const int right = std::max(handle.left + handle.width - FrameTrail, control.right());
    const int bottom = std::max(handle.top + handle.height - FrameTrail, control.bottom());
    return {left, top, right - left + FrameTrail, bottom - top + FrameTrail};
}

bool InsideFrame(const Bounds &control, PixelPoint point)
{
    const Bounds grown{control.left - 2, control.top - 2, control.width + 4, control.height + 4};
    return grown.contains(point.x, point.y);
}

std::array<Bounds, 8> GripSquares(const Bounds &frame)
{
    constexpr int corner = 10;
    constexpr int edge = 5;
    const int midX = frame.left + frame.width / 2 - 2;
    const int midY = frame.top + frame.height / 2 - 2;
    return {{
        {frame.left, frame.top, corner, corner},
        {frame.right() - corner, frame.top, corner, corner},
        {frame.left, frame.bottom() - corner, corner, corner},
        {frame.right() - corner, frame.bottom() - corner, corner, corner},
        {midX, frame.top, edge, edge},
        {frame.left, midY, edge, edge},
        {midX, frame.bottom() - edge, edge, edge},
        {frame.right() - edge, midY, edge, edge},
    }};
}

GrabZone GrabZoneAt(int x, int y, int width, int height)
{
    // Later hits win: on a small handle the edge grips overlap the corners,
    // and the edges must stay reachable.
    GrabZone zone = GrabZone::Body;
    const auto near = [](int a, int b, int reach) { return std::abs(a - b) < reach; };
    if (near(x, 0, 10) && near(y, 0, 10))
        zone = GrabZone::TopLeft;
    if (near(x, width, 10) && near(y, height, 10))
        zone = GrabZone::BottomRight;
    if (near(x, width, 10) && near(y, 0, 10))
        zone = GrabZone::TopRight;
    if (near(x, 0, 10) && near(y, height, 10))
        zone = GrabZone::BottomLeft;
    if (near(x, width / 2, 3) && near(y, 0, 5))
        zone = GrabZone::Top;
    if (near(x, width / 2, 3) && near(y, height, 5))
        zone = GrabZone::Bottom;
    if (near(y, height / 2, 3) && near(x, 0, 5))
        zone = GrabZone::Left;
    if (near(y, height / 2, 3) && near(x, width, 5))
        zone = GrabZone::Right;
    return zone;
}

GripCursor CursorForZone(GrabZone zone)
{
    switch (zone) {
    case GrabZone::TopLeft:
    case GrabZone::BottomRight:
        return GripCursor::DiagonalDown;
    case GrabZone::TopRight:
    case GrabZone::BottomLeft:
        return GripCursor::DiagonalUp;
    case GrabZone::Top:
    case GrabZone::Bottom:
        return GripCursor::Vertical;
    case GrabZone::Left:
    case GrabZone::Right:
        return GripCursor::Horizontal;
    case GrabZone::Body:
        break;
    }
    return GripCursor::Default;
}

PixelPoint ClampToArea(PixelPoint point, int width, int height)
{
    return {std::clamp(point.x, 0, std::max(0, width)), std::clamp(point.y, 0, std::max(0, height))};
}

int SnapToGridValue(int value, int grid)
{
    if (grid <= 1)
        return value;
    return grid * (value / grid);
}

Bounds DraggedBounds(GrabZone zone, const Bounds &handle, PixelPoint start, PixelPoint pointer,
                     int gridX, int gridY)
{
    // Worked on the framed area rather than on the handle itself: the grid
    // then lines up the controls' edges, and a drag by (dx, dy) moves those
    // edges by exactly (dx, dy).
    const Bounds area = FramedArea(handle);
    const int dx = pointer.x - start.x;
    const int dy = pointer.y - start.y;

    bool movesLeft = false, movesTop = false, movesRight = false, movesBottom = false;
    switch (zone) {
    case GrabZone::Body: break;
    case GrabZone::TopLeft: movesLeft = movesTop = true; break;
    case GrabZone::TopRight: movesRight = movesTop = true; break;
    case GrabZone::BottomLeft: movesLeft = movesBottom = true; break;
    case GrabZone::BottomRight: movesRight = movesBottom = true; break;
    case GrabZone::Top: movesTop = true; break;
    case GrabZone::Left: movesLeft = true; break;
    case GrabZone::Bottom: movesBottom = true; break;
    case GrabZone::Right: movesRight = true; break;
    }

    Bounds next = area;
    if (zone == GrabZone::Body) {
        next.left = SnapToGridValue(area.left + dx, gridX);
        next.top = SnapToGridValue(area.top + dy, gridY);
    }
    if (movesLeft) {
        next.left = SnapToGridValue(area.left + dx, gridX);
        next.width = area.right() - next.left;
    }
    if (movesTop) {
        next.top = SnapToGridValue(area.top + dy, gridY);
        next.height = area.bottom() - next.top;
    }
    if (movesRight)
        next.width = SnapToGridValue(area.width + dx, gridX);
    if (movesBottom)
        next.height = SnapToGridValue(area.height + dy, gridY);

    next.width = std::max(next.width, MinimumFramedSize);
    next.height = std::max(next.height, MinimumFramedSize);
    return HandleBoundsFor(next);
}

Bounds NudgedBounds(const Bounds &handle, int dx, int dy)
{
    return {handle.left + dx, handle.top + dy, handle.width, handle.height};
}

Bounds FollowHandle(const Bounds &control, const Bounds &oldHandle, const Bounds &newHandle)
{
    return {control.left + newHandle.left - oldHandle.left,
            control.top + newHandle.top - oldHandle.top,
            std::max(1, control.width + newHandle.width - oldHandle.width),
            std::max(1, control.height + newHandle.height - oldHandle.height)};
}
