#include "WholePhotoFit.h"

#include "ViewLayout.h"

#include <algorithm>
#include <cstdint>

int WholePhotoFit::Zoomed(int side, int zoom)
{
    return ViewLayout::Round(side * (zoom * 0.01));
}

int WholePhotoFit::LargestZoom(int photoWidth, int photoHeight, int availWidth, int availHeight)
{
    if (photoWidth <= 0 || photoHeight <= 0 || availWidth <= 0 || availHeight <= 0)
        return 0;
    const auto fits = [&](int z) {
        return Zoomed(photoWidth, z) <= availWidth && Zoomed(photoHeight, z) <= availHeight;
    };
    // The plain ratio is within a step of the answer; rounding half up at
    // the last pixel may allow one percent more or need one less.
    const std::int64_t byWidth = std::int64_t(availWidth) * 100 / photoWidth;
    const std::int64_t byHeight = std::int64_t(availHeight) * 100 / photoHeight;
    int z = int(std::clamp<std::int64_t>(std::min(byWidth, byHeight), 0, 1000000));
    while (z > 0 && !fits(z))
        --z;
    while (z < 1000000 && fits(z + 1))
        ++z;
    return z;
}

WholePhotoFit::Result WholePhotoFit::Compute(const Input &in)
{
    Result r;
    const int innerWidth = in.areaWidth - 2 * in.border;
    const int innerHeight = in.areaHeight - 2 * in.border;
    const int zoom = LargestZoom(in.photoWidth, in.photoHeight, innerWidth, innerHeight);
    if (zoom <= 0 || in.zoom <= 0)
        return r;
    r.ok = true;
    r.clientWidth = in.areaWidth;
    r.clientHeight = in.areaHeight;
    r.zoom = zoom;
    // The hair's corner sits over a photo point; that point moves with the
    // zoom, and the view is no longer scrolled.
    const double scale = double(zoom) / in.zoom;
    r.hair.left = ViewLayout::Round((in.hair.left + in.viewX) * scale);
    r.hair.top = ViewLayout::Round((in.hair.top + in.viewY) * scale);
    r.hair.width = std::max(in.hair.width > 0 ? 1 : 0, ViewLayout::Round(in.hair.width * scale));
    r.hair.height = std::max(in.hair.height > 0 ? 1 : 0, ViewLayout::Round(in.hair.height * scale));
    return r;
}
