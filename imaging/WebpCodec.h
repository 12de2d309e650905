#pragma once

#include "ImageStatus.h"
#include "Picture24.h"

#include <cstddef>
#include <cstdint>

/**
 * WebP on libwebp, read only: lossy and lossless, with alpha composited over
 * a background colour; an animated file gives its first frame as it appears
 * on the canvas. An embedded ICC profile is converted to sRGB.
 */
class WebpCodec
{
public:
    /** Decodes a whole file held in memory; `background` is 0xRRGGBB.
     *  On failure `out` is untouched. */
    static ImageStatus decode(const std::uint8_t *data, std::size_t size, Picture24 &out,
                              std::uint32_t background);
};
