#include "PlaneBlur.h"

#include <algorithm>

void PlaneBlur::box(std::vector<float> &plane, int w, int h, int r, int passes)
{
    if (w <= 0 || h <= 0 || r <= 0 || plane.size() != std::size_t(w) * h)
        return;
    std::vector<float> tmp(plane.size());
    std::vector<float> sums(static_cast<std::size_t>(w));
    for (int pass = 0; pass < passes; ++pass) {
        // Rows: a running sum over the window, which shrinks at the ends.
        for (int y = 0; y < h; ++y) {
            const float *src = plane.data() + std::size_t(y) * w;
            float *dst = tmp.data() + std::size_t(y) * w;
            float sum = 0;
            for (int i = 0; i <= std::min(r, w - 1); ++i)
                sum += src[i];
            for (int x = 0; x < w; ++x) {
                const int lo = std::max(0, x - r), hi = std::min(w - 1, x + r);
                dst[x] = sum / float(hi - lo + 1);
                if (x + r + 1 < w)
                    sum += src[x + r + 1];
                if (x - r >= 0)
                    sum -= src[x - r];
            }
        }
        // Columns, a whole row of running sums at a time so memory is read in
        // order.
        std::fill(sums.begin(), sums.end(), 0.0f);
        for (int j = 0; j <= std::min(r, h - 1); ++j)
            for (int x = 0; x < w; ++x)
                sums[x] += tmp[std::size_t(j) * w + x];
        for (int y = 0; y < h; ++y) {
            const int lo = std::max(0, y - r), hi = std::min(h - 1, y + r);
            const float n = float(hi - lo + 1);
            float *dst = plane.data() + std::size_t(y) * w;
            for (int x = 0; x < w; ++x)
                dst[x] = sums[x] / n;
            if (y + r + 1 < h) {
                const float *add = tmp.data() + std::size_t(y + r + 1) * w;
                for (int x = 0; x < w; ++x)
                    sums[x] += add[x];
            }
            if (y - r >= 0) {
                const float *sub = tmp.data() + std::size_t(y - r) * w;
                for (int x = 0; x < w; ++x)
                    sums[x] -= sub[x];
            }
        }
    }
}
