#include "PrintGeometry.h"

#include <algorithm>
#include <cmath>

namespace PrintGeometry {

int RoundHalfEven(double value)
{
    return static_cast<int>(std::nearbyint(value)); // default mode: to nearest, ties to even
}

Rect ImageAspectFit(int cellWidth, int cellHeight, int pictureWidth, int pictureHeight)
{
    if (cellWidth <= 0 || cellHeight <= 0 || pictureWidth <= 0 || pictureHeight <= 0)
        return {};
    const double sx = double(cellWidth) / pictureWidth;
    const double sy = double(cellHeight) / pictureHeight;
    if (sy < sx) {
        const int drawn = static_cast<int>(sy * pictureWidth);
        return {(cellWidth - drawn) / 2, 0, drawn, cellHeight};
    }
    const int drawn = static_cast<int>(sx * pictureHeight);
    return {0, (cellHeight - drawn) / 2, cellWidth, drawn};
}

Rect RasterFit(int cellWidth, int cellHeight, int pictureWidth, int pictureHeight)
{
    if (cellWidth <= 0 || cellHeight <= 0)
        return {};
    const int pw = std::max(pictureWidth, 1);
    const int ph = std::max(pictureHeight, 1);
    const double a = double(cellWidth) / pw;
    const double b = double(cellHeight) / ph;
    if (a > b) {
        const double drawn = b * pw;
        return {RoundHalfEven((cellWidth - drawn) * 0.5), 0, RoundHalfEven(drawn), cellHeight};
    }
    const double drawn = a * ph;
    return {0, RoundHalfEven((cellHeight - drawn) * 0.5), cellWidth, RoundHalfEven(drawn)};
}

Rect PageViewDestination(int sizeMode, int width, int height)
{
    const int origin = sizeMode == kSizeLarge ? 225 : 300;
    return {origin, origin, width * sizeMode - origin, height * sizeMode - origin};
}

double SheetDivisor(int sizeMode)
{
    switch (sizeMode) {
    case kSizeMedium:
        return 1.6;
    case kSizeLarge:
        return 1.2;
    default:
        return 2.0;
    }
}

Size PrintedSheetSize(int pageWidth, int pageHeight, int width, int height, int sizeMode)
{
    if (width <= 0 || height <= 0 || pageWidth <= 0 || pageHeight <= 0)
        return {};
    double targetWidth;
    double targetHeight;
    if (pageWidth < pageHeight) {
        targetWidth = pageWidth;
        targetHeight = height * (double(pageWidth) / width);
    } else {
        targetWidth = width * (double(pageHeight) / height);
        targetHeight = pageHeight;
    }
    const double d = SheetDivisor(sizeMode);
    return {RoundHalfEven(targetWidth / d), RoundHalfEven(targetHeight / d)};
}

Rect SingleCompositionRect(int width, int height)
{
    return {200, 200, 2 * width, 2 * height};
}

Rect FitOnPage(int areaWidth, int areaHeight, int pictureWidth, int pictureHeight)
{
    if (areaWidth <= 0 || areaHeight <= 0 || pictureWidth <= 0 || pictureHeight <= 0)
        return {};
    const double scale = std::min(double(areaWidth) / pictureWidth, double(areaHeight) / pictureHeight);
    const int w = std::clamp(RoundHalfEven(pictureWidth * scale), 1, areaWidth);
    const int h = std::clamp(RoundHalfEven(pictureHeight * scale), 1, areaHeight);
    return {(areaWidth - w) / 2, (areaHeight - h) / 2, w, h};
}

int GradientChannel(int row, int rows, int top, int bottom)
{
    const int n = rows - 1;
    if (n <= 0)
        return bottom;
    return ((n - row) * top + row * bottom) / n;
}

} // namespace PrintGeometry
