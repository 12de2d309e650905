#include "HsvShift.h"

#include "HsvModel.h"
#include "Picture24.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

// Summed in 64 bits so that extreme deltas clamp instead of overflowing.
int shifted(int value, int delta, int top)
{
    return static_cast<int>(std::clamp<long long>(static_cast<long long>(value) + delta, 0, top));
}

} // namespace

void ShiftHSV(Picture24 &picture, int deltaHue, int deltaSat, int deltaVal)
{
    // Hair pictures have few distinct colours, spread over strands and the
    // background: a small direct-mapped cache of converted colours skips
    // almost every conversion. An entry holds the input colour with bit 24
    // set (so an empty entry never matches) and the result.
    constexpr std::size_t kEntries = 4096;
    std::vector<std::uint32_t> inputs(kEntries, 0);
    std::vector<std::uint32_t> outputs(kEntries, 0);

    for (int r = 0; r < picture.height(); ++r) {
        std::uint8_t *p = picture.row(r);
        for (int x = 0; x < picture.width(); ++x, p += 3) {
            const std::uint32_t in = std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16);
            const std::size_t slot = ((in * 2654435761u) >> 20) & (kEntries - 1);
            if (inputs[slot] != (in | 0x1000000u)) {
                const HsvColour c = RGBtoHSV(p[2], p[1], p[0]);
                const RgbColour out = HSVtoRGB(shifted(c.hue, deltaHue, 359), shifted(c.sat, deltaSat, 99),
                                               shifted(c.val, deltaVal, 99));
                inputs[slot] = in | 0x1000000u;
                outputs[slot] = std::uint32_t(out.blue) | (std::uint32_t(out.green) << 8) | (std::uint32_t(out.red) << 16);
            }
            const std::uint32_t out = outputs[slot];
            p[0] = std::uint8_t(out);
            p[1] = std::uint8_t(out >> 8);
            p[2] = std::uint8_t(out >> 16);
        }
    }
}
