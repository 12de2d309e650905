#include "HairCatalogueImage.h"

#include "ColourQuantiser.h"

#include <algorithm>
#include <unordered_set>

namespace {

int nearest(const std::vector<std::uint32_t> &palette, int r, int g, int b)
{
    int best = 0, bestDistance = 1 << 30;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const std::uint32_t c = palette[i];
        const int dr = int(c >> 16 & 0xFF) - r, dg = int(c >> 8 & 0xFF) - g, db = int(c & 0xFF) - b;
        const int d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = static_cast<int>(i);
        }
    }
    return best;
}

} // namespace

std::uint32_t HairCatalogueImage::KeyColourFor(const std::vector<std::uint32_t> &colours)
{
    const std::unordered_set<std::uint32_t> used(colours.begin(), colours.end());
    for (std::uint32_t c = 0xFFFFFF;; --c)
        if (!used.count(c))
            return c;
}

void HairCatalogueImage::Diffuse(Picture24 &picture, const std::vector<std::uint8_t> &mask,
                                 const std::vector<std::uint32_t> &palette)
{
    const int w = picture.width(), h = picture.height();
    // Error of the current and next row, per channel, with a guard each side.
    std::vector<float> current(static_cast<std::size_t>(w + 2) * 3), next(current.size());
    for (int y = 0; y < h; ++y) {
        std::fill(next.begin(), next.end(), 0.f);
        std::uint8_t *row = picture.scanLine(y);
        const std::uint8_t *mrow = mask.data() + static_cast<std::size_t>(y) * w;
        for (int x = 0; x < w; ++x) {
            if (!mrow[x])
                continue;
            std::uint8_t *p = row + 3 * x;
            float *e = &current[static_cast<std::size_t>(x + 1) * 3];
            const float want[3] = {p[2] + e[0], p[1] + e[1], p[0] + e[2]};
            const int r = std::clamp(int(want[0] + 0.5f), 0, 255);
            const int g = std::clamp(int(want[1] + 0.5f), 0, 255);
            const int b = std::clamp(int(want[2] + 0.5f), 0, 255);
            const std::uint32_t c = palette[static_cast<std::size_t>(nearest(palette, r, g, b))];
            p[0] = std::uint8_t(c);
            p[1] = std::uint8_t(c >> 8);
            p[2] = std::uint8_t(c >> 16);
            const float err[3] = {want[0] - float(c >> 16 & 0xFF), want[1] - float(c >> 8 & 0xFF),
                                  want[2] - float(c & 0xFF)};
            const bool right = x + 1 < w && mrow[x + 1];
            const std::uint8_t *below = y + 1 < h ? mrow + w : nullptr;
            for (int k = 0; k < 3; ++k) {
                // Floyd-Steinberg weights, each share kept only where the
                // neighbour is hair, then scaled so the whole error goes on.
                float share[4] = {right ? 7.f : 0.f, below && x > 0 && below[x - 1] ? 3.f : 0.f,
                                  below && below[x] ? 5.f : 0.f, below && right && below[x + 1] ? 1.f : 0.f};
                const float total = share[0] + share[1] + share[2] + share[3];
                if (total == 0.f)
                    break;
                const float unit = err[k] / total;
                current[static_cast<std::size_t>(x + 2) * 3 + k] += share[0] * unit;
                next[static_cast<std::size_t>(x) * 3 + k] += share[1] * unit;
                next[static_cast<std::size_t>(x + 1) * 3 + k] += share[2] * unit;
                next[static_cast<std::size_t>(x + 2) * 3 + k] += share[3] * unit;
            }
        }
        current.swap(next);
    }
}

Picture24 HairCatalogueImage::Make(const CutHair &cut, std::uint32_t &key)
{
    if (cut.empty())
        return {};
    const int w = cut.picture.width(), h = cut.picture.height();
    // The hair's pixels alone, packed into a picture, give the palette.
    std::vector<std::uint32_t> hair;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (cut.hairAt(x, y))
                hair.push_back(cut.picture.pixel(x, y));
    if (hair.empty())
        return {};
    const int side = 1024;
    const int rows = static_cast<int>((hair.size() + side - 1) / side);
    Picture24 packed(rows > 1 ? side : static_cast<int>(hair.size()), rows);
    for (int i = 0; i < packed.width() * rows; ++i)
        packed.setPixel(i % packed.width(), i / packed.width(),
                        hair[std::min<std::size_t>(i, hair.size() - 1)]);
    std::vector<std::uint32_t> palette;
    std::vector<std::uint8_t> indices;
    ColourQuantiser(kHairColours).quantise(packed, palette, indices);

    Picture24 out = cut.picture;
    // With few enough colours the quantiser keeps them exactly; otherwise
    // the hair is mapped to its palette with diffusion inside the hair.
    const std::unordered_set<std::uint32_t> distinct(hair.begin(), hair.end());
    if (palette.size() < distinct.size())
        Diffuse(out, cut.mask, palette);
    key = KeyColourFor(palette);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (!cut.hairAt(x, y))
                out.setPixel(x, y, key);
    return out;
}
