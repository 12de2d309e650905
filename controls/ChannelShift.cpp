#include "ChannelShift.h"

#include "Picture24.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

// One table per channel: offsets far outside a byte's range clamp the same
// way as ±255, so the 64-bit sum never overflows.
std::array<std::uint8_t, 256> offsetTable(int delta)
{
    std::array<std::uint8_t, 256> table{};
    for (int v = 0; v < 256; ++v)
        table[v] =
            static_cast<std::uint8_t>(std::clamp<long long>(static_cast<long long>(v) + delta, 0, 255));
    return table;
}

} // namespace

void ShiftChannels(Picture24 &picture, int deltaRed, int deltaGreen, int deltaBlue)
{
    const auto blue = offsetTable(deltaBlue);
    const auto green = offsetTable(deltaGreen);
    const auto red = offsetTable(deltaRed);
    const int w = picture.width();
    for (int r = 0; r < picture.height(); ++r) {
        std::uint8_t *p = picture.row(r);
        for (int x = 0; x < w; ++x, p += 3) {
            p[0] = blue[p[0]];
            p[1] = green[p[1]];
            p[2] = red[p[2]];
        }
    }
}
