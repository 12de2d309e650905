#pragma once

#include "ImageStatus.h"
#include "Picture24.h"

#include <cstddef>
#include <cstdint>
#include <vector>

/** ZSoft PCX: 1, 4 and 8 bits with palette, 24-bit planar. Written as 24-bit. */
class PcxCodec
{
public:
    static ImageStatus decode(const std::uint8_t *data, std::size_t size, Picture24 &out);
    static ImageStatus encode(const Picture24 &picture, std::vector<std::uint8_t> &out);
};
