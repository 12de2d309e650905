#pragma once

#include "ImageStatus.h"
#include "Picture24.h"

#include <cstddef>
#include <cstdint>
#include <vector>

/** Icons and cursors (.ico, .cur): the largest image of the directory (by
 *  pixel count, then bit depth, as the images themselves declare them), BMP
 *  or PNG payload, AND mask or alpha applied over `background`. Read only.
 *
 *  When the preferred image cannot be decoded the next one is tried, so one
 *  damaged entry does not lose the icon. A 32-bit image whose alpha is zero
 *  throughout is taken as written without alpha and uses its AND mask. */
class IcoCodec
{
public:
    /** Decodes a whole file held in memory. On failure `out` is untouched. */
    static ImageStatus decode(const std::uint8_t *data, std::size_t size, Picture24 &out,
                              std::uint32_t background);
};
