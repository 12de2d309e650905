#pragma once

#include <array>
#include <cstdint>
#include <vector>

// A palette picture as a GIF holds it: one palette index a pixel, rows
// top-down, and a palette of 0xRRGGBB entries.
struct IndexedPicture
{
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> indices;
    std::array<std::uint32_t, 256> palette{};
    int paletteSize = 0; // entries in use; the rest are padding

    std::uint8_t index(int x, int y) const { return indices[std::size_t(y) * width + x]; }
    std::uint32_t colour(int x, int y) const { return palette[index(x, y)]; }
};
