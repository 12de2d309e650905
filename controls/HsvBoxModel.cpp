#include "HsvBoxModel.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Steps of the square and the bar are computed from a single-precision
// factor: 100 / 208 or 360 / 100 are not exact in binary, and truncating
// their multiples decides which column or row gets which level.
float singleFactor(long double numerator, int denominator)
{
    return static_cast<float>(numerator / denominator);
}

int truncatedStep(float factor, int index)
{
    return static_cast<int>(std::trunc(static_cast<long double>(factor) * index));
}

// position / (extent - 1) x top, with a single-pixel extent mapping to 0.
long double ratioOf(int position, int extent, int top)
{
    if (extent <= 1)
        return 0.0L;
    return static_cast<long double>(position) / (extent - 1) * top;
}

} // namespace

HsvBoxModel::HsvBoxModel(int width, int height, std::uint32_t background)
    : m_background(background)
{
    resize(width, height);
}

std::uint32_t HsvBoxModel::Color() const
{
    return std::uint32_t(m_rgb.red) | (std::uint32_t(m_rgb.green) << 8)
           | (std::uint32_t(m_rgb.blue) << 16);
}

void HsvBoxModel::recomputeColour()
{
    m_rgb = HSVtoRGB(m_hue, m_sat, m_val);
}

void HsvBoxModel::setHue(int value)
{
    const int hue = std::clamp(value, 0, 359);
    ToggleMarkers();
    m_hue = hue;
    recomputeColour();
    PaintSquare();
    ToggleMarkers();
}

void HsvBoxModel::setSat(int value)
{
    const int sat = std::clamp(value, 0, 99);
    ToggleMarkers();
    m_sat = sat;
    recomputeColour();
    ToggleMarkers();
}

void HsvBoxModel::setVal(int value)
{
    const int val = std::clamp(value, 0, 99);
    ToggleMarkers();
    m_val = val;
    recomputeColour();
    ToggleMarkers();
}

void HsvBoxModel::setBackground(std::uint32_t colour)
{
    m_background = colour & 0x00FFFFFF;
    // A full repaint covers every pixel the markers can touch, so the old
    // markers need no erasing.
    PaintBarAndGap();
    PaintSquare();
    ToggleMarkers();
}

void HsvBoxModel::resize(int width, int height)
{
    m_width = std::max(0, width);
    m_height = std::max(0, height);
    m_bitmap.reset(m_width, m_height);
    if (m_bitmap.isNull()) {
        // Picture24 treats any zero side as empty; keep both sides 0 so that
        // the geometry never addresses pixels that do not exist.
        m_width = m_height = 0;
    }
    PaintBarAndGap();
    PaintSquare();
    ToggleMarkers();
}

void HsvBoxModel::PaintSquare()
{
    const int w = std::min(squareWidth(), m_width);
    if (w <= 0 || m_height <= 0)
        return;

    const float satFactor = singleFactor(100.0L, w);
    const float valFactor = singleFactor(100.0L, m_height);
    std::vector<int> satOfColumn(static_cast<std::size_t>(w));
    for (int x = 0; x < w; ++x)
        satOfColumn[static_cast<std::size_t>(x)] = truncatedStep(satFactor, x);

    // Memory rows run from the bottom, as the value does.
    for (int c = 0; c < m_height; ++c) {
        const int v = truncatedStep(valFactor, c);
        std::uint8_t *p = m_bitmap.row(c);
        for (int x = 0; x < w; ++x, p += 3) {
            const RgbColour rgb = HSVtoRGB(m_hue, satOfColumn[static_cast<std::size_t>(x)], v);
            p[0] = rgb.blue;
            p[1] = rgb.green;
            p[2] = rgb.red;
        }
    }
}

void HsvBoxModel::PaintBarAndGap()
{
    if (m_width <= 0 || m_height <= 0)
        return;

    const std::uint8_t bgRed = std::uint8_t(m_background);
    const std::uint8_t bgGreen = std::uint8_t(m_background >> 8);
    const std::uint8_t bgBlue = std::uint8_t(m_background >> 16);
    const int gapStart = std::max(0, m_width - kGapWidth - kBarWidth);
    const int barStart = std::max(0, m_width - kBarWidth);
    const float hueFactor = singleFactor(360.0L, m_height);

    for (int c = 0; c < m_height; ++c) {
        std::uint8_t *line = m_bitmap.row(c);
        for (int x = gapStart; x < barStart; ++x) {
            line[3 * x] = bgBlue;
            line[3 * x + 1] = bgGreen;
            line[3 * x + 2] = bgRed;
        }
        const RgbColour rgb = HSVtoRGB(truncatedStep(hueFactor, c), 99, 99);
        for (int x = barStart; x < m_width; ++x) {
            line[3 * x] = rgb.blue;
            line[3 * x + 1] = rgb.green;
            line[3 * x + 2] = rgb.red;
        }
    }
}

HsvBoxModel::MarkerRect HsvBoxModel::hueMarker() const
{
    const long long y = roundHalfEven(
        static_cast<long double>((m_height - 1) * (359 - m_hue)) / 359);
    const int yy = static_cast<int>(y);
    return {m_width - kBarWidth, yy - 2, m_width, yy + 2};
}

HsvBoxModel::MarkerRect HsvBoxModel::svMarker() const
{
    const int x = static_cast<int>(
        roundHalfEven(static_cast<long double>(m_sat) / 99 * (squareWidth() - 1)));
    const int g = static_cast<int>(
        roundHalfEven(static_cast<long double>((m_height - 1) * m_val) / 99));
    return {x - 3, m_height - g - 4, x + 3, m_height - g + 2};
}

void HsvBoxModel::invertOutline(const MarkerRect &rect)
{
    // Each outline pixel is inverted exactly once (corners included), which
    // is what makes a second drawing an erasure. Parts outside the picture
    // are clipped.
    const int left = std::max(rect.left, 0);
    const int right = std::min(rect.right, m_width);
    const int top = std::max(rect.top, 0);
    const int bottom = std::min(rect.bottom, m_height);
    for (int y = top; y < bottom; ++y) {
        const bool edgeRow = (y == rect.top || y == rect.bottom - 1);
        std::uint8_t *line = m_bitmap.scanLine(y);
        for (int x = left; x < right; ++x) {
            if (!edgeRow && x != rect.left && x != rect.right - 1)
                continue;
            std::uint8_t *p = line + 3 * x;
            p[0] = std::uint8_t(~p[0]);
            p[1] = std::uint8_t(~p[1]);
            p[2] = std::uint8_t(~p[2]);
        }
    }
}

void HsvBoxModel::ToggleMarkers()
{
    if (m_bitmap.isNull())
        return;
    invertOutline(hueMarker());
    invertOutline(svMarker());
}

bool HsvBoxModel::PickAt(int x, int y)
{
    if (m_bitmap.isNull())
        return false;
    x = std::clamp(x, 0, m_width - 1);
    y = std::clamp(y, 0, m_height - 1);
    const int w = squareWidth();

    if (x < w) {
        ToggleMarkers();
        m_sat = static_cast<int>(roundHalfEven(ratioOf(x, w, 99)));
        m_val = 99 - static_cast<int>(roundHalfEven(ratioOf(y, m_height, 99)));
    } else if (x >= w + kGapWidth) {
        ToggleMarkers();
        m_hue = 359 - static_cast<int>(roundHalfEven(ratioOf(y, m_height, 359)));
        PaintSquare();
    } else {
        // The gap: drawing the markers here without erasing them first would
        // wipe them out, so a point in the gap is no pick at all.
        return false;
    }
    recomputeColour();
    ToggleMarkers();
    return true;
}

bool HsvBoxModel::mousePress(int x, int y)
{
    const int w = squareWidth();
    if (x < w)
        m_dragZone = SquareZone;
    else if (x >= w + kGapWidth)
        m_dragZone = BarZone;
    else {
        m_dragZone = NoZone;
        return false;
    }
    return PickAt(x, y);
}

bool HsvBoxModel::mouseMove(int x, int y)
{
    if (m_dragZone == NoZone || m_bitmap.isNull())
        return false;
    const int w = squareWidth();
    x = std::max(x, 0);
    y = std::clamp(y, 0, m_height - 1);
    if (m_dragZone == SquareZone)
        x = std::min(x, w - 1);
    else
        x = std::clamp(x, w + kGapWidth, m_width - 1);
    return PickAt(x, y);
}
