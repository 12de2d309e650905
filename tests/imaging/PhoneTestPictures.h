#pragma once

#include "Picture24.h"

#include <cstdint>
#include <vector>

// Files the way phones and other programs write them, made with the
// libraries' own encoders: HEIC (libheif), WebP (libwebp), and JPEG, PNG and
// TIFF carrying an ICC profile. Shared by the tests, the fuzz seeds and the
// benchmarks. Every encoder returns an empty vector when the library fails.
class PhoneTestPictures
{
public:
    // A Display P3 profile built by lcms: P3 primaries, D65, sRGB curve.
    static std::vector<std::uint8_t> displayP3Profile();
    // lcms's own sRGB profile, saved as bytes.
    static std::vector<std::uint8_t> srgbProfile();

    // Orientation as EXIF/libheif number it (1 upright, 6 = turned 90
    // degrees clockwise, ...); `alpha` (one byte per pixel, top row first)
    // adds an alpha plane; `bits` is 8 or 10.
    static std::vector<std::uint8_t> heic(const Picture24 &picture, int quality = 90, int bits = 8,
                                          int orientation = 1, const std::vector<std::uint8_t> &alpha = {},
                                          const std::vector<std::uint8_t> &icc = {});
    // Lossless when quality < 0. ICC added through the mux when given.
    static std::vector<std::uint8_t> webp(const Picture24 &picture, int quality = 90,
                                          const std::vector<std::uint8_t> &alpha = {},
                                          const std::vector<std::uint8_t> &icc = {});
    // An animation of the given frames, 100 ms each, lossless.
    static std::vector<std::uint8_t> animatedWebp(const std::vector<Picture24> &frames);

    static std::vector<std::uint8_t> jpegWithProfile(const Picture24 &picture,
                                                     const std::vector<std::uint8_t> &icc);
    static std::vector<std::uint8_t> pngWithProfile(const Picture24 &picture,
                                                    const std::vector<std::uint8_t> &icc);
    static std::vector<std::uint8_t> tiffWithProfile(const Picture24 &picture,
                                                     const std::vector<std::uint8_t> &icc);

    // Where a four-character box or chunk type first occurs; -1 when absent.
    static long find(const std::vector<std::uint8_t> &bytes, const char *type);
};
