#include "HsvModel.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// Both channel scalings depend on one small integer only, so they are
// computed once; the HSV shift converts every pixel of a picture.
const std::array<int, 256> &byteToLevel()
{
    static const std::array<int, 256> table = [] {
        std::array<int, 256> t{};
        for (int c = 0; c < 256; ++c)
            t[c] = static_cast<int>(roundHalfEven(static_cast<long double>(c * 99) / 255));
        return t;
    }();
    return table;
}

const std::array<std::uint8_t, 100> &levelToByte()
{
    static const std::array<std::uint8_t, 100> table = [] {
        std::array<std::uint8_t, 100> t{};
        for (int c = 0; c < 100; ++c)
            t[c] = static_cast<std::uint8_t>(roundHalfEven(static_cast<long double>(c * 255) / 99));
        return t;
    }();
    return table;
}

} // namespace

long long roundHalfEven(long double value)
{
    const long double below = std::floor(value);
    const long double fraction = value - below;
    const long long base = static_cast<long long>(below);
    if (fraction > 0.5L)
        return base + 1;
    if (fraction < 0.5L)
        return base;
    return (base % 2 == 0) ? base : base + 1;
}

HsvColour RGBtoHSV(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    const auto &level = byteToLevel();
    const int r = level[red];
    const int g = level[green];
    const int b = level[blue];
    const int v = std::max({r, g, b});
    const int m = std::min({r, g, b});

    HsvColour out;
    out.val = v;
    out.sat = (v == 0) ? 0 : ((v - m) * 99) / v;
    if (out.sat == 0)
        return out; // hue stays 0

    // C++ integer division truncates toward zero, which is the rule here:
    // a slightly negative hue becomes 0, not 359.
    const int d = v - m;
    int h;
    if (r == v)
        h = ((g - b) * 60) / d;
    else if (g == v)
        h = ((b - r) * 60) / d + 120;
    else
        h = ((r - g) * 60) / d + 240;
    if (h < 0)
        h += 360;
    out.hue = h;
    return out;
}

RgbColour HSVtoRGB(int hue, int sat, int val)
{
    const int h = std::clamp(hue, 0, 359);
    const int s = std::clamp(sat, 0, 99);
    const int v = std::clamp(val, 0, 99);

    int r, g, b;
    if (s == 0) {
        r = g = b = v;
    } else {
        const int i = h / 60;
        const int f = h % 60;
        const int p = v - (s * v) / 99;
        const int q = v - (s * v * f) / 5940;
        const int t = v - (s * v * (60 - f)) / 5940;
        switch (i) {
        case 0: r = v; g = t; b = p; break;
        case 1: r = q; g = v; b = p; break;
        case 2: r = p; g = v; b = t; break;
        case 3: r = p; g = q; b = v; break;
        case 4: r = t; g = p; b = v; break;
        default: r = v; g = p; b = q; break;
        }
    }
    const auto &byte = levelToByte();
    return {byte[r], byte[g], byte[b]};
}
