#pragma once

// Test pictures with a sentinel in every row's padding, so that a write to
// the padding shows up.

#include "TRasterBMP.h"

#include <cstdint>
#include <random>

inline constexpr std::uint8_t kPaddingSentinel = 0xA5;

inline void markPadding(TRasterBMP &bmp)
{
    for (int r = 0; r < bmp.Height() && bmp.Bits() != nullptr; ++r)
        for (int k = 3 * bmp.Width(); k < bmp.RowStride(); ++k)
            bmp.Rows(r)[k] = kPaddingSentinel;
}

inline bool paddingIntact(const TRasterBMP &bmp)
{
    for (int r = 0; r < bmp.Height() && bmp.Bits() != nullptr; ++r)
        for (int k = 3 * bmp.Width(); k < bmp.RowStride(); ++k)
            if (bmp.Rows(r)[k] != kPaddingSentinel)
                return false;
    return true;
}

/** Noise over smooth gradients with some flat and saturated patches, so
 *  that every clamp of the effects is reached. */
inline TRasterBMP randomPicture(int w, int h, unsigned seed)
{
    TRasterBMP bmp(w, h);
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> any(0, 255);
    std::uniform_int_distribution<int> noise(-40, 40);
    for (int r = 0; r < h; ++r) {
        for (int x = 0; x < w; ++x) {
            std::uint8_t *p = bmp.Rows(r) + 3 * x;
            const int kind = (x / 7 + r / 5 + static_cast<int>(seed)) % 4;
            for (int k = 0; k < 3; ++k) {
                int v;
                if (kind == 0)
                    v = any(rng);
                else if (kind == 1)
                    v = (x * 255) / (w > 1 ? w - 1 : 1) + noise(rng);
                else if (kind == 2)
                    v = (k == 0 ? 0 : 255);
                else
                    v = (r * 37 + k * 90) % 256;
                p[k] = static_cast<std::uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
            }
        }
    }
    markPadding(bmp);
    return bmp;
}

inline bool samePixels(const TRasterBMP &a, const TRasterBMP &b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return false;
    for (int r = 0; r < a.Height(); ++r)
        for (int k = 0; k < a.RowStride(); ++k)
            if (a.Rows(r)[k] != b.Rows(r)[k])
                return false;
    return true;
}

/** Sizes from one pixel up to past the vector widths, mostly odd. */
inline constexpr int kSizes[][2] = {{1, 1}, {1, 7}, {2, 3}, {3, 5}, {4, 4}, {5, 1}, {7, 9},
                                    {13, 11}, {17, 16}, {21, 3}, {33, 7}, {47, 13}, {101, 37},
                                    {257, 19}};
