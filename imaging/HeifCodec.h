#pragma once

#include "ImageStatus.h"
#include "Picture24.h"

#include <cstddef>
#include <cstdint>

/**
 * HEIF / HEIC on libheif, read only. Decodes the primary image of the file
 * (a burst or a sequence gives that one), with its rotation, mirroring and
 * cropping applied; 10- and 12-bit pictures are reduced to 8 bits and alpha
 * is composited over a background colour. An embedded ICC profile, or
 * colour primaries other than sRGB's, are converted to sRGB.
 *
 * libheif's own limits on image size and memory stay in force; a file whose
 * header claims more than Picture24 holds is refused before decoding.
 */
class HeifCodec
{
public:
    /** Decodes a whole file held in memory; `background` is 0xRRGGBB.
     *  On failure `out` is untouched. */
    static ImageStatus decode(const std::uint8_t *data, std::size_t size, Picture24 &out,
                              std::uint32_t background);
};
