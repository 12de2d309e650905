#pragma once

#include "ImageStatus.h"
#include "Picture24.h"

#include <cstddef>
#include <cstdint>
#include <vector>

/**
 * JPEG on libjpeg-turbo. Reads greyscale, YCbCr, RGB, CMYK and YCCK (also the
 * inverted CMYK that Adobe programs write) and turns the picture upright
 * according to its EXIF orientation, as phone photographs expect.
 *
 * A file that ends before its last scan line is refused: a photo with a grey
 * band where its bottom should be would be mistaken for the client's picture
 * and saved over the original.
 */
class JpegCodec
{
public:
    /** Decodes a whole file held in memory. On failure `out` is untouched. */
    static ImageStatus decode(const std::uint8_t *data, std::size_t size, Picture24 &out);

    /**
     * Decodes at the smallest DCT scale (1/8 .. 8/8) whose result still
     * covers the reduction of the upright picture into a boxWidth x
     * boxHeight box, for thumbnails: a 24 MP photo then costs a fraction of
     * a full decode. The picture's own upright size goes to uprightWidth and
     * uprightHeight when given. On failure `out` is untouched.
     */
    static ImageStatus decodeScaled(const std::uint8_t *data, std::size_t size, int boxWidth, int boxHeight,
                                    Picture24 &out, int *uprightWidth = nullptr, int *uprightHeight = nullptr);

    /** The scale numerator (of 8) that decodeScaled uses for a picture of
     *  width x height as stored (already upright sides). */
    static int scaleEighths(int width, int height, int boxWidth, int boxHeight);

    /** Encodes as baseline YCbCr JPEG; `quality` is clamped to 1..100. */
    static ImageStatus encode(const Picture24 &picture, int quality, std::vector<std::uint8_t> &out);

    /**
     * EXIF orientation (1..8) found in the payload of an APP1 segment (the
     * bytes after the length field, starting with "Exif\0\0"); 1 when the
     * segment is not EXIF, has no orientation tag, or is malformed.
     */
    static int exifOrientation(const std::uint8_t *app1, std::size_t size);

    /** Turns `in` upright for an EXIF orientation (2..8; 1 or anything else
     *  copies). The result may have width and height exchanged. */
    static void applyOrientation(const Picture24 &in, int orientation, Picture24 &out);
};
