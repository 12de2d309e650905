#pragma once

#include <cstdint>
#include <vector>

// Colour conversions computed directly from the definitions (primaries,
// white point, sRGB curve) in double precision, to judge the engine's
// lcms-based conversion independently.
class ColourReference
{
public:
    // Display P3 (0xRRGGBB) to sRGB, clipped and rounded.
    static std::uint32_t p3ToSrgb(std::uint32_t rgb);
    // Largest per-channel difference of two 0xRRGGBB colours.
    static int distance(std::uint32_t a, std::uint32_t b);
    // A grey (gamma 2.2) profile, for checks that only RGB ones are used.
    static std::vector<std::uint8_t> greyProfile();
    // An RGB profile with a pure gamma curve, D65 white and the given primaries.
    static std::vector<std::uint8_t> gammaProfile(double gamma, double rx, double ry, double gx, double gy,
                                                  double bx, double by);
};
