#pragma once

#include "ImageStatus.h"
#include "Picture24.h"

#include <cstddef>
#include <cstdint>
#include <vector>

/** Icons and cursors (.ico, .cur): the largest image of the directory, BMP or
 *  PNG payload, AND mask applied over `background`. Read only. */
class IcoCodec
{
public:
    static ImageStatus decode(const std::uint8_t *data, std::size_t size, Picture24 &out,
                              std::uint32_t background);
};
