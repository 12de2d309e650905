#include "DistanceField.h"

#include <cmath>
#include <limits>

namespace {
constexpr float kFar = 1e12f;
}

DistanceField::DistanceField(const HairMask &mask)
    : m_width(mask.width()), m_height(mask.height()), m_values(std::size_t(m_width) * m_height, 0.0f)
{
    if (mask.isNull())
        return;
    // A one-pixel frame of background around the mask makes "outside counts
    // as background" fall out of the transform without special cases.
    const int w = m_width + 2;
    const int h = m_height + 2;
    std::vector<float> grid(std::size_t(w) * h, 0.0f);
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            grid[std::size_t(y + 1) * w + x + 1] = mask.at(x, y) ? kFar : 0.0f;

    const int n = std::max(w, h);
    std::vector<float> f(n), d(n), z(n + 1);
    std::vector<int> v(n);
    for (int x = 0; x < w; ++x) {
        f.resize(h);
        d.resize(h);
        for (int y = 0; y < h; ++y)
            f[y] = grid[std::size_t(y) * w + x];
        transform1d(f, d, v, z);
        for (int y = 0; y < h; ++y)
            grid[std::size_t(y) * w + x] = d[y];
    }
    for (int y = 0; y < h; ++y) {
        f.resize(w);
        d.resize(w);
        for (int x = 0; x < w; ++x)
            f[x] = grid[std::size_t(y) * w + x];
        transform1d(f, d, v, z);
        for (int x = 0; x < w; ++x)
            grid[std::size_t(y) * w + x] = d[x];
    }
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            m_values[std::size_t(y) * m_width + x] = std::sqrt(grid[std::size_t(y + 1) * w + x + 1]);
}

void DistanceField::transform1d(const std::vector<float> &f, std::vector<float> &d, std::vector<int> &v,
                                std::vector<float> &z)
{
    const int n = int(f.size());
    int k = 0;
    v[0] = 0;
    z[0] = -std::numeric_limits<float>::infinity();
    z[1] = std::numeric_limits<float>::infinity();
    for (int q = 1; q < n; ++q) {
        float s;
        for (;;) {
            const int p = v[k];
            // Intersection of the parabolas rooted at q and p. Computed in
            // double: the squared far value would lose every digit in float.
            s = float(((double(f[q]) + double(q) * q) - (double(f[p]) + double(p) * p)) / (2.0 * (q - p)));
            if (s > z[k] || k == 0)
                break;
            --k;
        }
        if (s <= z[k]) {
            // k == 0 and the new parabola dominates everywhere.
            v[0] = q;
            z[0] = -std::numeric_limits<float>::infinity();
            z[1] = std::numeric_limits<float>::infinity();
            continue;
        }
        ++k;
        v[k] = q;
        z[k] = s;
        z[k + 1] = std::numeric_limits<float>::infinity();
    }
    k = 0;
    for (int q = 0; q < n; ++q) {
        while (z[k + 1] < q)
            ++k;
        const double dq = q - v[k];
        d[q] = float(dq * dq + f[v[k]]);
    }
}
