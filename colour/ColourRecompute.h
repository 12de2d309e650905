#pragma once

class TRasterBMP;

/**
 * The colour panel's recomputation in one call: copy the saved picture into
 * the working one, then apply, in this order and only when away from their
 * neutral positions, the channel offsets, lightness, contrast, saturation
 * and sharpening. The result is identical to running the copy and the
 * single effects one after the other; the copy and the per-pixel effects
 * are done in a single pass over the rows.
 */
class ColourRecompute
{
public:
    /** Slider positions; the defaults are the neutral ones. */
    struct Settings
    {
        int red = 0;
        int green = 0;
        int blue = 0;
        int lightness = 0;
        int contrast = 0;
        int saturation = 255;
        int sharpen = 0;
    };

    /** Recomputes `work` from `saved`; `work` is first given saved's size. */
    static void Apply(const TRasterBMP &saved, TRasterBMP &work, const Settings &settings);
};
