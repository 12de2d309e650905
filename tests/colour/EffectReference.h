#pragma once

// Plain per-pixel versions of the effects, written step by step from their
// definitions and kept deliberately naive: the fast code is checked against
// these bit for bit.

#include "TRasterBMP.h"

#include <cstdint>
#include <algorithm>
#include <utility>

namespace ref {

inline int clampByte(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }
inline int clampRange(int v, int low, int high) { return v > high ? high : (v < low ? low : v); }
inline long long floorDiv(long long a, long long b)
{
    long long q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

inline void channels(TRasterBMP &bmp, int dr, int dg, int db)
{
    int tb[256], tg[256], tr[256];
    for (int v = 0; v < 256; ++v) {
        tb[v] = clampByte(v + db);
        tg[v] = clampByte(v + dg);
        tr[v] = clampByte(v + dr);
    }
    for (int r = 0; r < bmp.Height(); ++r)
        for (int x = 0; x < bmp.Width(); ++x) {
            std::uint8_t *p = bmp.Rows(r) + 3 * x;
            p[0] = static_cast<std::uint8_t>(tb[p[0]]);
            p[1] = static_cast<std::uint8_t>(tg[p[1]]);
            p[2] = static_cast<std::uint8_t>(tr[p[2]]);
        }
}

inline void applyTable(TRasterBMP &bmp, const int *t)
{
    for (int r = 0; r < bmp.Height(); ++r)
        for (int x = 0; x < 3 * bmp.Width(); ++x)
            bmp.Rows(r)[x] = static_cast<std::uint8_t>(t[bmp.Rows(r)[x]]);
}

inline void lightness(TRasterBMP &bmp, int amount)
{
    int t[256];
    for (int v = 0; v < 256; ++v) {
        long long value;
        if (amount < 0)
            value = v - floorDiv(v * -static_cast<long long>(amount), 256);
        else
            value = v + floorDiv((255 - v) * static_cast<long long>(amount), 256);
        t[v] = value < 0 ? 0 : (value > 255 ? 255 : static_cast<int>(value));
    }
    applyTable(bmp, t);
}

inline void contrast(TRasterBMP &bmp, int amount)
{
    int t[256];
    for (int v = 0; v < 256; ++v) {
        const long long dist = v > 128 ? v - 128 : 128 - v;
        const long long q = (dist * amount) / 256; // truncated toward zero
        const long long value = v <= 126 ? v - q : v + q;
        t[v] = value < 0 ? 0 : (value > 255 ? 255 : static_cast<int>(value));
    }
    applyTable(bmp, t);
}

inline void saturation(TRasterBMP &bmp, int amount)
{
    long long a[256];
    long long g[768];
    for (int v = 0; v < 256; ++v)
        a[v] = floorDiv(static_cast<long long>(v) * amount, 256);
    for (int v = 0; v < 256; ++v)
        g[3 * v] = g[3 * v + 1] = g[3 * v + 2] = v - a[v];
    for (int r = 0; r < bmp.Height(); ++r)
        for (int x = 0; x < bmp.Width(); ++x) {
            std::uint8_t *p = bmp.Rows(r) + 3 * x;
            const long long k = g[p[0] + p[1] + p[2]];
            for (int c = 0; c < 3; ++c) {
                const long long v = a[p[c]] + k;
                p[c] = static_cast<std::uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
            }
        }
}

inline void sharpen(TRasterBMP &bmp, int d)
{
    const int w = bmp.Width();
    const int h = bmp.Height();
    for (int r = 0; r < h; ++r) {
        for (int x = 0; x < w; ++x) {
            const std::uint8_t *below = bmp.Rows(clampRange(r - d, 0, h - 1));
            std::uint8_t *mid = bmp.Rows(r);
            const std::uint8_t *above = bmp.Rows(clampRange(r + d, 0, h - 1));
            const int xl = clampRange(x - d, 0, w - 1);
            const int xr = clampRange(x + d, 0, w - 1);
            int sample[3][3][3]; // row (below, mid, above), column (xl, x, xr), byte
            const std::uint8_t *rows[3] = {below, mid, above};
            const int cols[3] = {xl, x, xr};
            for (int i = 0; i < 3; ++i)
                for (int j = 0; j < 3; ++j)
                    for (int k = 0; k < 3; ++k)
                        sample[i][j][k] = rows[i][3 * cols[j] + k];
            for (int k = 0; k < 3; ++k) {
                int s = 0;
                for (int i = 0; i < 3; ++i)
                    for (int j = 0; j < 3; ++j)
                        if (i != 1 || j != 1)
                            s += sample[i][j][k];
                const int v = 256 * sample[1][1][k] - 16 * s;
                mid[3 * x + k] = static_cast<std::uint8_t>(clampByte(v / 128));
            }
        }
    }
}

inline void mirror(TRasterBMP &bmp)
{
    const int w = bmp.Width();
    for (int r = 0; r < bmp.Height(); ++r)
        for (int x = 0; x <= (w - 1) / 2; ++x)
            for (int k = 0; k < 3; ++k)
                std::swap(bmp.Rows(r)[3 * x + k], bmp.Rows(r)[3 * (w - 1 - x) + k]);
}

} // namespace ref
