#pragma once

#include <cstdint>
#include <vector>

// A working picture of the generator: 8-bit red, green, blue, rows top-down,
// no padding. It never leaves the generator; the catalogue is written as GIF.
struct RgbPicture
{
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb; // 3 bytes a pixel

    RgbPicture() = default;
    RgbPicture(int w, int h) : width(w), height(h), rgb(std::size_t(w) * h * 3, 0) {}

    std::uint8_t *pixel(int x, int y) { return rgb.data() + (std::size_t(y) * width + x) * 3; }
    const std::uint8_t *pixel(int x, int y) const { return rgb.data() + (std::size_t(y) * width + x) * 3; }
    std::uint32_t colour(int x, int y) const
    {
        const std::uint8_t *p = pixel(x, y);
        return (std::uint32_t(p[0]) << 16) | (std::uint32_t(p[1]) << 8) | p[2];
    }
};
