#pragma once

#include <cstdint>
#include <vector>

/** One vertical strip of a gradient panel: columns left .. right - 1. */
struct GradientStrip
{
    int left = 0;
    int right = 0;
    std::uint32_t rgb = 0; ///< 0xRRGGBB
    bool operator==(const GradientStrip &) const = default;
};

/**
 * The panel background: 100 strips of equal width whose colours run from
 * `start` at both side edges to `end` in the middle. Strip i spans
 * i x width / 100 to (i + 1) x width / 100, rounded to the nearest pixel
 * (halves to even); colour k of the table is start + trunc(k x (end - start)
 * / 100) per channel, and strip i takes colour 2i + 1 below 50, 198 - 2i
 * from 50 on. Strips that round to no pixel are left out.
 */
std::vector<GradientStrip> GradientStrips(int width, std::uint32_t start, std::uint32_t end);
