#pragma once

#include "Picture24.h"

#include <cstdint>
#include <vector>

/**
 * Photographic drawing of a colour-key hair: the key colour (the bitmap's
 * bottom-left pixel) becomes a coverage mask, feathered at the boundary
 * only, and every resampling weighs the hair's colours by that mask, so the
 * key never bleeds into the hair however the picture is stretched.
 *
 * Pixels travel premultiplied (0xAARRGGBB, colour already times alpha), the
 * form in which a plain weighted sum is a mask-weighted one.
 */
class HairSoftEdge
{
public:
    /** The hair at its own size as premultiplied ARGB rows (`out` holds
     *  width x height words, `outStride` words apart): key pixels
     *  transparent, hair opaque, and along the boundary a 1-2-1 blur of the
     *  mask, the colour of a feathered key pixel being the mask-weighted
     *  mean of the hair around it. */
    static void SoftCache(const Picture24 &hair, std::uint32_t key, std::uint32_t *out, int outStride);

    /** The same with a hard mask: key 0, every other pixel opaque. */
    static void HardCache(const Picture24 &hair, std::uint32_t key, std::uint32_t *out, int outStride);

    /** Resamples premultiplied pixels to width x height with a tent filter
     *  as wide as the scale (bilinear when enlarging, an area mean when
     *  reducing). Transparent pixels weigh nothing in the colour. */
    static std::vector<std::uint32_t> Resample(const std::uint32_t *src, int srcWidth, int srcHeight,
                                               int width, int height);

    /** The part [left, left + windowWidth) x [top, top + windowHeight) of
     *  that resampling (windowWidth x windowHeight words), so a huge target
     *  of which little is kept costs only what is kept. Empty when the
     *  window does not lie inside width x height. */
    static std::vector<std::uint32_t> ResampleWindow(const std::uint32_t *src, int srcWidth, int srcHeight,
                                                     int width, int height, int left, int top,
                                                     int windowWidth, int windowHeight);

    /** A resize fixed smoothly: resampling weighted by the feathered mask,
     *  then a pixel less than half covered by hair becomes background, exactly the source's key
     *  colour; a hair pixel whose colour comes out equal to the key is moved
     *  one step off it. */
    static Picture24 SmoothResize(const Picture24 &hair, int width, int height);

    /** Lays the hair, soft-edged and resampled to width x height, over
     *  `photo` with its top-left at (x, y) in photo pixels; whatever falls
     *  outside the photo is left out. */
    static void Compose(Picture24 &photo, const Picture24 &hair, int x, int y, int width, int height);

    /** An area-mean reduction (or a plain copy when the size is the same). */
    static Picture24 Reduce(const Picture24 &picture, int width, int height);

    /** Two pictures side by side, each reduced to at most `maxHeight` high
     *  and centred vertically on a white ground. */
    static Picture24 SideBySide(const Picture24 &left, const Picture24 &right, int maxHeight);
};
