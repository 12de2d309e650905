#pragma once

#include "ImageStatus.h"
#include "Picture24.h"

#include <cstddef>
#include <cstdint>
#include <vector>

/** Windows and OS/2 bitmaps: 1, 4, 8, 16, 24 and 32 bits, RLE4 and RLE8,
 *  bottom-up and top-down, core, V3, V4 and V5 headers. Written as 24-bit. */
class BmpCodec
{
public:
    /** Decodes a whole file held in memory. On failure `out` is untouched. */
    static ImageStatus decode(const std::uint8_t *data, std::size_t size, Picture24 &out);
    /** Encodes as an uncompressed 24-bit bottom-up bitmap (BITMAPINFOHEADER). */
    static ImageStatus encode(const Picture24 &picture, std::vector<std::uint8_t> &out);
};
