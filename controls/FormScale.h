#pragma once

/**
 * Window scaling from the design resolution (800 x 600 at 96 pixels per
 * inch) to the screen in use. Whole-number division throughout, so the
 * result matches what the windows were laid out for.
 */
struct FormScaleResult
{
    int clientWidth = 0;
    int clientHeight = 0;
    bool scaleContents = false;
    /** Contents scale as numerator / denominator (screen width / design width). */
    int contentsNumerator = 1;
    int contentsDenominator = 1;
    int outerWidth = 0;
    int outerHeight = 0;
};

class FormScale
{
public:
    static constexpr int kDesignWidth = 800;
    static constexpr int kDesignHeight = 600;
    static constexpr int kDesignDpi = 96;

    /**
     * Given the window's client and outer size, the screen size and the
     * window's pixels per inch, computes the scaled sizes. The outer size is
     * taken after the client resize (frame thickness unchanged) and then
     * multiplied by dpi / 96 when the dpi differs.
     */
    static FormScaleResult Compute(int clientWidth, int clientHeight, int outerWidth, int outerHeight,
                                   int screenWidth, int screenHeight, int dpi);
};
