#pragma once

#include "HairColour.h"
#include "HairMask.h"
#include "HairRenderer.h"
#include "IndexedPicture.h"
#include "PaletteQuantizer.h"
#include "Random.h"
#include "RgbPicture.h"

#include <cmath>

// A quick stand-in for a painted hair: an ellipse on white with a noisy shade
// of `base`, quantised like the real catalogue. Cheap enough to build whole
// test salons from.
inline IndexedPicture testHair(const HairColour &base, int w = 240, int h = 220, std::uint64_t seed = 1,
                               int colours = 255)
{
    HairMask mask(w, h);
    RgbPicture rgb(w, h);
    Random rng(seed);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double ex = (x - w / 2.0) / (w * 0.42), ey = (y - h / 2.0) / (h * 0.42);
            std::uint8_t *p = rgb.pixel(x, y);
            if (ex * ex + ey * ey < 1.0) {
                mask.set(x, y, true);
                const float f =
                    float(0.45 + 0.35 * std::sin(x * 0.3) * std::cos(y * 0.05) + 0.4 * rng.uniform());
                float r = base.red * f, g = base.green * f, b = base.blue * f;
                HairRenderer::guard(r, g, b);
                p[0] = std::uint8_t(r);
                p[1] = std::uint8_t(g);
                p[2] = std::uint8_t(b);
            } else {
                p[0] = p[1] = p[2] = 255;
            }
        }
    return PaletteQuantizer::quantize(rgb, mask, 0xFFFFFF, colours);
}

inline HairColour colour(const char *hex)
{
    HairColour c;
    HairColour::parse(hex, c);
    return c;
}
