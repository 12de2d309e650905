#pragma once

#include "ImageStatus.h"
#include "Picture24.h"

#include <cstddef>
#include <cstdint>
#include <vector>

/**
 * TIFF on libtiff, read from and written to memory. Reads the first
 * directory: strips or tiles, 1 to 16 bits, grey, RGB, palette, CMYK, YCbCr,
 * with alpha composited over a background colour. Writes 24-bit RGB.
 */
class TiffCodec
{
public:
    enum class Compression { Lzw, Deflate };

    /** Decodes a whole file held in memory; `background` is 0xRRGGBB.
     *  On failure `out` is untouched. */
    static ImageStatus decode(const std::uint8_t *data, std::size_t size, Picture24 &out,
                              std::uint32_t background);

    /** Encodes as one 8-bit RGB image with horizontal prediction. */
    static ImageStatus encode(const Picture24 &picture, std::vector<std::uint8_t> &out,
                              Compression compression = Compression::Lzw);
};
