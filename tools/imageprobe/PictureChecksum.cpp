#include "PictureChecksum.h"

#include <cstdio>
#include <vector>
#include <zlib.h>

std::uint32_t PictureChecksum::crc32(const Picture24 &picture)
{
    uLong crc = ::crc32(0L, Z_NULL, 0);
    std::vector<Bytef> line(static_cast<std::size_t>(picture.width()) * 3);
    for (int y = 0; y < picture.height(); ++y) {
        const std::uint8_t *p = picture.scanLine(y);
        for (int x = 0; x < picture.width(); ++x, p += 3) {
            line[3 * x] = p[2];
            line[3 * x + 1] = p[1];
            line[3 * x + 2] = p[0];
        }
        crc = ::crc32(crc, line.data(), static_cast<uInt>(line.size()));
    }
    return static_cast<std::uint32_t>(crc);
}

std::string PictureChecksum::hex(std::uint32_t value)
{
    char text[9];
    std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(value));
    return text;
}
