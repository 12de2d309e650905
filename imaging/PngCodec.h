#pragma once

#include "ImageStatus.h"
#include "Picture24.h"

#include <cstddef>
#include <cstdint>
#include <vector>

/**
 * PNG on libpng, CRC checks on. Reads every colour type and bit depth;
 * alpha (an alpha channel or a tRNS chunk) is composited over a background
 * colour, because the engine's pictures carry no alpha.
 */
class PngCodec
{
public:
    /** Decodes a whole file held in memory; `background` is 0xRRGGBB.
     *  On failure `out` is untouched. */
    static ImageStatus decode(const std::uint8_t *data, std::size_t size, Picture24 &out,
                              std::uint32_t background);

    /** Encodes as 8-bit RGB, non-interlaced. */
    static ImageStatus encode(const Picture24 &picture, std::vector<std::uint8_t> &out);
};
