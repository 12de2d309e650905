#pragma once

#include "Picture24.h"

#include <cstdint>
#include <string>

// The checksum imageprobe prints: zlib's CRC-32 over the pixels as rows from
// the top, each pixel red, green, blue, without row padding.
class PictureChecksum
{
public:
    static std::uint32_t crc32(const Picture24 &picture);
    // Eight lower-case hexadecimal digits.
    static std::string hex(std::uint32_t value);
};
