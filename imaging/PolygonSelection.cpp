#include "PolygonSelection.h"

#include <algorithm>
#include <cstdlib>

void PolygonSelection::addPoint(ViewPoint p)
{
    if (m_points.size() == m_points.capacity())
        m_points.reserve(m_points.capacity() + kGrowBlock);
    m_points.push_back(p);
    if (m_points.size() == 1) {
        m_bounds = {p.x, p.y, p.x, p.y};
    } else {
        m_bounds.left = std::min(m_bounds.left, p.x);
        m_bounds.top = std::min(m_bounds.top, p.y);
        m_bounds.right = std::max(m_bounds.right, p.x);
        m_bounds.bottom = std::max(m_bounds.bottom, p.y);
    }
}

void PolygonSelection::clear()
{
    m_points.clear();
    m_bounds = {};
    m_inProgress = false;
}

bool PolygonSelection::closeByDoubleClick()
{
    if (!m_inProgress)
        return false;
    if (!m_points.empty()) {
        m_points.pop_back();
        // The dropped point may have widened the box.
        recomputeBounds();
    }
    m_inProgress = false;
    return true;
}

void PolygonSelection::recomputeBounds()
{
    if (m_points.empty()) {
        m_bounds = {};
        return;
    }
    const ViewPoint first = m_points.front();
    m_bounds = {first.x, first.y, first.x, first.y};
    for (const ViewPoint &p : m_points) {
        m_bounds.left = std::min(m_bounds.left, p.x);
        m_bounds.top = std::min(m_bounds.top, p.y);
        m_bounds.right = std::max(m_bounds.right, p.x);
        m_bounds.bottom = std::max(m_bounds.bottom, p.y);
    }
}

ViewPoint PolygonSelection::constrain(ViewPoint a, ViewPoint p)
{
    const int dx = std::abs(a.x - p.x);
    const int dy = std::abs(a.y - p.y);
    const int e = std::abs(dx - dy);
    if (dy > dx + 30)
        return {a.x, p.y};
    if (dy < dx - 30)
        return {p.x, a.y};

    ViewPoint r = p;
    const bool taller = dy > dx;
    if (p.x > a.x && p.y > a.y) {          // right and below
        if (taller) r.x = p.x + e; else r.y = p.y + e;
    } else if (p.x < a.x && p.y < a.y) {   // left and above: the longer leg shrinks
        if (taller) r.y = p.y + e; else r.x = p.x + e;
    } else if (p.x < a.x && p.y >= a.y) {  // left, not above
        if (taller) r.x = p.x - e; else r.y = p.y + e;
    } else if (p.x >= a.x && p.y < a.y) {  // not left, above
        if (taller) r.x = p.x + e; else r.y = p.y - e;
    }
    return r;
}

std::vector<ViewPoint> PolygonSelection::edgePixels(ViewPoint from, ViewPoint to)
{
    std::vector<ViewPoint> pixels;
    const int dx = std::abs(to.x - from.x);
    const int dy = std::abs(to.y - from.y);
    const int steps = std::max(dx, dy);
    if (steps == 0)
        return pixels;
    pixels.reserve(static_cast<std::size_t>(steps));
    const int sx = to.x > from.x ? 1 : -1;
    const int sy = to.y > from.y ? 1 : -1;
    // Integer Bresenham walk along the longer axis.
    int x = from.x, y = from.y;
    if (dx >= dy) {
        int err = 2 * dy - dx;
        for (int i = 0; i < steps; ++i) {
            pixels.push_back({x, y});
            if (err > 0) { y += sy; err -= 2 * dx; }
            err += 2 * dy;
            x += sx;
        }
    } else {
        int err = 2 * dx - dy;
        for (int i = 0; i < steps; ++i) {
            pixels.push_back({x, y});
            if (err > 0) { x += sx; err -= 2 * dy; }
            err += 2 * dx;
            y += sy;
        }
    }
    return pixels;
}

std::vector<OutlinePixel> PolygonSelection::outlinePixels(const std::vector<ViewPoint> &points,
                                                          bool closed, int phase)
{
    std::vector<OutlinePixel> out;
    if (points.size() < 2)
        return out;
    int counter = ((phase % kPhaseCount) + kPhaseCount) % kPhaseCount;
    auto walk = [&](ViewPoint from, ViewPoint to) {
        for (const ViewPoint &p : edgePixels(from, to)) {
            out.push_back({p.x, p.y, counter >= 3});
            counter = (counter + 1) % kPhaseCount;
        }
    };
    for (std::size_t i = 1; i < points.size(); ++i)
        walk(points[i - 1], points[i]);
    if (closed)
        walk(points.back(), points.front());
    return out;
}
