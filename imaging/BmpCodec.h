#pragma once

#include "ImageStatus.h"
#include "Picture24.h"

#include <cstddef>
#include <cstdint>
#include <vector>

/** Windows and OS/2 bitmaps: 1, 2, 4, 8, 16, 24 and 32 bits, RLE4 and RLE8,
 *  bottom-up and top-down, core, OS/2 2.x, V3, V4 and V5 headers. Written as
 *  24-bit.
 *
 *  Every size and offset in the headers is checked against the data, so no
 *  header can make the decoder read outside the buffer. Pixel data shorter
 *  than the header promises is reported as corrupt. Alpha of 32-bit files is
 *  ignored (many writers leave it zero); pixels an RLE stream skips take the
 *  first palette colour. */
class BmpCodec
{
public:
    /** Decodes a whole file held in memory. On failure `out` is untouched. */
    static ImageStatus decode(const std::uint8_t *data, std::size_t size, Picture24 &out);
    /** Encodes as an uncompressed 24-bit bottom-up bitmap (BITMAPINFOHEADER,
     *  2835 pixels per metre). */
    static ImageStatus encode(const Picture24 &picture, std::vector<std::uint8_t> &out);

    /** A device-independent bitmap decoded from its info header onwards. */
    struct Dib
    {
        Picture24 picture;
        /** One byte per pixel, rows from the top; filled for 32-bit data only. */
        std::vector<std::uint8_t> alpha;
        int bitCount = 0;
        /** Offset, from the info header, just past the colour bits. */
        std::size_t pixelEnd = 0;
    };

    /**
     * Decodes a bitmap that starts with its info header (no file header), as
     * stored in icons and on the clipboard.
     * @param pixelOffset where the colour bits start, counted from the info
     *        header; 0 means right after the header, masks and palette.
     * @param iconLayout the stored height covers the colour bits and the AND
     *        mask, so the picture is half as high.
     * On failure `out` is untouched.
     */
    static ImageStatus decodeDib(const std::uint8_t *dib, std::size_t size, std::size_t pixelOffset,
                                 bool iconLayout, Dib &out);
};
