#include "PolygonCopy.h"

#include "Picture24.h"

#include <algorithm>
#include <cmath>
#include <cstring>

std::vector<PolygonSpan> PolygonCopy::Spans(const std::vector<ViewPoint> &polygon)
{
    std::vector<PolygonSpan> spans;
    if (polygon.size() < 3)
        return spans;
    int top = polygon[0].y, bottom = polygon[0].y;
    for (const ViewPoint &p : polygon) {
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    std::vector<double> crossings;
    const std::size_t n = polygon.size();
    for (int y = top; y < bottom; ++y) {
        // Sampled through the pixel centres: a vertex never lies on the
        // sampling line, so no crossing is counted twice.
        const double yc = y + 0.5;
        crossings.clear();
        for (std::size_t i = 0; i < n; ++i) {
            const ViewPoint a = polygon[i];
            const ViewPoint b = polygon[(i + 1) % n];
            if ((a.y <= yc) == (b.y <= yc))
                continue;
            crossings.push_back(a.x + (yc - a.y) * double(b.x - a.x) / double(b.y - a.y));
        }
        std::sort(crossings.begin(), crossings.end());
        for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
            // Pixel x is inside when x + 0.5 lies in [from, to).
            const int x0 = static_cast<int>(std::ceil(crossings[i] - 0.5));
            const int x1 = static_cast<int>(std::ceil(crossings[i + 1] - 0.5));
            if (x1 > x0)
                spans.push_back({y, x0, x1});
        }
    }
    return spans;
}

namespace {

ViewBounds boundsOf(const std::vector<ViewPoint> &polygon)
{
    ViewBounds b{polygon[0].x, polygon[0].y, polygon[0].x, polygon[0].y};
    for (const ViewPoint &p : polygon) {
        b.left = std::min(b.left, p.x);
        b.top = std::min(b.top, p.y);
        b.right = std::max(b.right, p.x);
        b.bottom = std::max(b.bottom, p.y);
    }
    return b;
}

// Copies the span of `from` at (fx, fy) to `to` at (tx, ty), `count`
// pixels, clipped to both pictures.
void copyRun(const Picture24 &from, int fx, int fy, Picture24 &to, int tx, int ty, int count)
{
    if (fy < 0 || fy >= from.height() || ty < 0 || ty >= to.height())
        return;
    const int skip = std::max({0, -fx, -tx});
    fx += skip;
    tx += skip;
    count -= skip;
    count = std::min({count, from.width() - fx, to.width() - tx});
    if (count <= 0)
        return;
    std::memcpy(to.scanLine(ty) + 3 * tx, from.scanLine(fy) + 3 * fx, static_cast<std::size_t>(3 * count));
}

} // namespace

void PolygonCopy::In(const Picture24 &source, const std::vector<ViewPoint> &polygon, ViewPoint origin,
                     Picture24 &scratch)
{
    if (polygon.size() < 3)
        return;
    const ViewBounds b = boundsOf(polygon);
    const long long needW =
        std::max<long long>(scratch.width(), static_cast<long long>(origin.x) + b.right - b.left + 1);
    const long long needH =
        std::max<long long>(scratch.height(), static_cast<long long>(origin.y) + b.bottom - b.top + 1);
    if (needW > scratch.width() || needH > scratch.height()) {
        if (!Picture24::sizeAcceptable(needW, needH))
            return;
        Picture24 larger(static_cast<int>(needW), static_cast<int>(needH));
        for (int y = 0; y < scratch.height(); ++y)
            std::memcpy(larger.scanLine(y), scratch.scanLine(y),
                        static_cast<std::size_t>(3 * scratch.width()));
        scratch.swap(larger);
    }
    for (const PolygonSpan &s : Spans(polygon))
        copyRun(source, s.x0, s.y, scratch, origin.x + s.x0 - b.left, origin.y + s.y - b.top, s.x1 - s.x0);
}

void PolygonCopy::Out(const Picture24 &scratch, const std::vector<ViewPoint> &polygon, ViewPoint origin,
                      Picture24 &target)
{
    if (polygon.size() < 3)
        return;
    const ViewBounds b = boundsOf(polygon);
    for (const PolygonSpan &s : Spans(polygon))
        copyRun(scratch, origin.x + s.x0 - b.left, origin.y + s.y - b.top, target, s.x0, s.y, s.x1 - s.x0);
}
