#pragma once

#include "Picture24.h"

#include <cstdint>
#include <vector>

/** A hair cut out of a picture, ready to become a catalogue picture. */
struct CutHair
{
    /** Hair colours; background pixels are black. */
    Picture24 picture;
    /** One byte per pixel, rows from the top: 1 hair, 0 background. Every
     *  border pixel is background. */
    std::vector<std::uint8_t> mask;
    /** Maps a source picture point to this picture: out = in * scale + offset. */
    double scale = 1;
    double offsetX = 0;
    double offsetY = 0;

    bool empty() const { return picture.isNull(); }
    bool hairAt(int x, int y) const { return mask[static_cast<std::size_t>(y) * picture.width() + x] != 0; }
};

/**
 * Cutting a hair out of an ordinary picture. The engine's pictures carry no
 * alpha, so a picture that may be transparent is given twice, composited over
 * black and over white: the two tell the opacity and the true colour of every
 * pixel. Work is done on a copy at most kWorkHeight high, so that moving the
 * tolerance stays quick on a camera's photo.
 */
class HairCutout
{
public:
    static constexpr int kWorkHeight = 3000;
    /** Longest side of the copy the preview and the slider work on. */
    static constexpr int kPreviewSide = 640;
    static constexpr int kMaxHeight = 800;
    static constexpr int kMargin = 4;
    static constexpr int kDefaultTolerance = 40;
    static constexpr int kMaxTolerance = 160;

    /** Takes the picture; `onWhite` may be null or empty for a picture that
     *  cannot be transparent. Sizes must match when it is given. */
    void setSource(const Picture24 &onBlack, const Picture24 *onWhite);

    bool hasSource() const { return !m_work.isNull(); }
    /** True when some pixel is less than fully opaque. */
    bool transparent() const { return m_transparent; }
    /** The working copy (true colours) and its scale against the source. */
    const Picture24 &work() const { return m_work; }
    /** The small copy for the preview, and its cut for a tolerance: quick
     *  enough to follow the slider. */
    const Picture24 &previewWork() const { return m_preview; }
    std::vector<std::uint8_t> previewMask(int tolerance) const;
    double workScale() const { return m_workScale; }
    /** The backdrop colour found on the border (opaque pictures). */
    std::uint32_t backdrop() const { return m_backdrop; }

    /**
     * Hair mask of the working copy for a colour tolerance (0..kMaxTolerance,
     * distance in RGB): at least half opaque for a transparent picture;
     * otherwise what the backdrop, grown from the border, does not reach,
     * less pockets of the backdrop's own colour (half the tolerance).
     * Small specks are removed. Rows from the top, 1 = hair.
     */
    std::vector<std::uint8_t> mask(int tolerance) const;

    /** Crop with margin, scale down to kMaxHeight and harden the edge. An
     *  empty result when the mask holds no hair. */
    CutHair finish(const std::vector<std::uint8_t> &mask) const;

    /** The working copy fitted into maxWidth x maxHeight (nearest pixel),
     *  background shown as a grey checkerboard: what the preview shows. */
    static Picture24 Preview(const Picture24 &work, const std::vector<std::uint8_t> &mask, int maxWidth,
                             int maxHeight);

    /** Drops 8-connected hair islands smaller than `minPixels` or a
     *  thousandth of the largest one. */
    static void removeSpecks(std::vector<std::uint8_t> &mask, int width, int height, int minPixels);
    /** Pixels of the hair's outer ring (hair beside background, 4-connected,
     *  `depth` pixels deep) take the mean colour of their inner hair
     *  neighbours, the deepest first. */
    static void hardenEdge(Picture24 &picture, const std::vector<std::uint8_t> &mask, int depth = 1);

private:
    std::vector<std::uint8_t> cut(const Picture24 &picture, const std::vector<std::uint8_t> &alpha,
                                  int tolerance) const;

    Picture24 m_work;
    std::vector<std::uint8_t> m_alpha; // empty when opaque
    Picture24 m_preview;
    std::vector<std::uint8_t> m_previewAlpha;
    bool m_transparent = false;
    double m_workScale = 1;
    std::uint32_t m_backdrop = 0;
};
