#include "FaceFit.h"

#include "Picture24.h"

#include <algorithm>
#include <cmath>

FaceRect ViewMapping::toClient(const FaceRect &p) const
{
    const double s = zoom / 100.0;
    return {p.x * s + originX, p.y * s + originY, p.width * s, p.height * s};
}

FaceRect ViewMapping::toPicture(const FaceRect &c) const
{
    const double s = zoom / 100.0;
    return {(c.x - originX) / s, (c.y - originY) / s, c.width / s, c.height / s};
}

OverlayBounds FaceFit::Fit(const FaceRect &hairFace, int hairWidth, int hairHeight, const FaceRect &photoFace,
                           const ViewMapping &view)
{
    const FaceRect face = view.toClient(photoFace);
    if (hairFace.isEmpty() || face.isEmpty() || hairWidth <= 0 || hairHeight <= 0)
        return {0, 0, std::max(hairWidth, 0), std::max(hairHeight, 0)};
    const double scale = face.width / hairFace.width;
    const int width = std::max(kMinimumSide, int(std::lround(hairWidth * scale)));
    const int height = std::max(kMinimumSide, int(std::lround(hairHeight * scale)));
    // Scale actually drawn per axis after rounding, so the centres meet on
    // the finished bitmap and not on an ideal one.
    const double sx = double(width) / hairWidth;
    const double sy = double(height) / hairHeight;
    const int left = int(std::lround(face.centerX() - hairFace.centerX() * sx));
    const int top = int(std::lround(face.centerY() - hairFace.centerY() * sy));
    return {left, top, width, height};
}

FaceRect FaceFit::Recorded(const OverlayBounds &placed, int hairWidth, int hairHeight, const FaceRect &photoFace,
                           const ViewMapping &view)
{
    const FaceRect face = view.toClient(photoFace);
    if (placed.width <= 0 || placed.height <= 0 || hairWidth <= 0 || hairHeight <= 0)
        return {};
    const double sx = double(placed.width) / hairWidth;
    const double sy = double(placed.height) / hairHeight;
    return {(face.x - placed.left) / sx, (face.y - placed.top) / sy, face.width / sx, face.height / sy};
}

FaceRect FaceFit::EstimateFromPicture(const Picture24 &hair)
{
    if (hair.isNull())
        return {};
    const std::uint32_t key = hair.pixel(0, hair.height() - 1);
    return Estimate(hair.width(), hair.height(), [&](int x, int y) { return hair.pixel(x, y) != key; });
}
