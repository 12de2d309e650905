#pragma once

#include "Picture24.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

/**
 * Conversion of pixels from the colour profile embedded in a photo (an ICC
 * profile: JPEG APP2, PNG iCCP, TIFF, HEIF colr, WebP ICCP) to sRGB, the
 * space the screen and every other part of the program assume.
 *
 * Only RGB profiles are used. A profile that cannot be read, that lcms
 * cannot build a transform from, or that describes sRGB itself gives no
 * conversion at all, so such files decode exactly as if they carried none.
 * Colours outside sRGB are clipped (relative colorimetric intent).
 */
class ColourProfile
{
public:
    enum class Layout {
        Bgr,  ///< 3 bytes per pixel, blue first (Picture24 rows)
        Bgra, ///< 4 bytes per pixel, blue first, straight alpha left untouched
    };

    /** Profiles larger than this are ignored; real ones stay far below. */
    static constexpr std::size_t kMaxProfileBytes = std::size_t(16) << 20;

    /** The conversion of `icc` to sRGB for pixels in `layout`; null when there
     *  is nothing to convert (no, broken, non-RGB or sRGB profile). */
    static std::unique_ptr<ColourProfile> toSrgb(const std::uint8_t *icc, std::size_t size, Layout layout);

    /** An ICC profile (bytes) for an RGB space given by the chromaticities
     *  of its primaries and white point, with the sRGB tone curve: how HEIF
     *  files that describe their colours by numbers (nclx) are converted.
     *  Empty when lcms cannot build it. */
    static std::vector<std::uint8_t> rgbProfile(double redX, double redY, double greenX, double greenY,
                                                double blueX, double blueY, double whiteX, double whiteY);

    /** True when `icc` is a readable RGB profile equivalent to sRGB. */
    static bool isSrgb(const std::uint8_t *icc, std::size_t size);

    /** Converts the picture to sRGB in place; false when `icc` gives no
     *  conversion (the picture is then untouched). */
    static bool convertToSrgb(const std::uint8_t *icc, std::size_t size, Picture24 &picture, int threads = 2);

    ~ColourProfile();
    ColourProfile(const ColourProfile &) = delete;
    ColourProfile &operator=(const ColourProfile &) = delete;

    /** Converts `rows` rows of `width` pixels in place, `stride` bytes apart,
     *  on up to `threads` threads (1 or 2) when the work is large enough. */
    void convertRows(std::uint8_t *first, int width, int rows, std::ptrdiff_t stride, int threads = 1) const;
    /** Converts a whole Picture24 (the Bgr layout) in place. */
    void convert(Picture24 &picture, int threads = 2) const;

    /** True when the conversion runs on the matrix-and-curves fast path
     *  rather than a general lcms transform (for tests and benchmarks). */
    bool isMatrixShaper() const { return m_matrix != nullptr; }

    /** The same conversion through a general lcms transform, never the fast
     *  path: the yardstick the fast path is tested against. */
    static std::unique_ptr<ColourProfile> toSrgbThroughLcms(const std::uint8_t *icc, std::size_t size,
                                                            Layout layout);

    struct MatrixShaper; // the fast path's tables, defined with the code

private:
    ColourProfile(void *transform, std::unique_ptr<MatrixShaper> matrix, Layout layout);
    static std::unique_ptr<ColourProfile> create(const std::uint8_t *icc, std::size_t size, Layout layout,
                                                 bool allowFastPath);
    void convertBlock(std::uint8_t *first, int width, int rows, std::ptrdiff_t stride) const;

    void *m_transform; // cmsHTRANSFORM, kept out of this header; null on the fast path
    std::unique_ptr<MatrixShaper> m_matrix;
    Layout m_layout;
};
