#pragma once

#include "ImageStatus.h"
#include "Picture24.h"

#include <cstddef>
#include <cstdint>
#include <vector>

/**
 * GIF on giflib. Only the first image of a file is read; the picture has the
 * logical screen's size, and screen pixels outside the first image's frame
 * take the colour of the screen's background index.
 */
class GifCodec
{
public:
    /**
     * Decodes for the hair overlay: every pixel takes its palette colour,
     * the transparent index included. `keyColour` (0xRRGGBB) receives the
     * transparent index's colour when the file has one, else the colour of
     * the screen's background index (black when that has no colour). On
     * failure neither `out` nor `keyColour` changes.
     */
    static ImageStatus decode(const std::uint8_t *data, std::size_t size, Picture24 &out,
                              std::uint32_t &keyColour);

    /** Decodes for a photograph: pixels of the transparent index take
     *  `background` (0xRRGGBB) instead of their palette colour. */
    static ImageStatus decodeComposited(const std::uint8_t *data, std::size_t size, Picture24 &out,
                                        std::uint32_t background);

    /** Encodes as a single-image GIF87a through ColourQuantiser; a picture of
     *  at most 256 colours is written exactly. */
    static ImageStatus encode(const Picture24 &picture, std::vector<std::uint8_t> &out, bool dither = false);

private:
    static ImageStatus decodeFirstImage(const std::uint8_t *data, std::size_t size, Picture24 &out,
                                        std::uint32_t &keyColour, const std::uint32_t *composite);
};
