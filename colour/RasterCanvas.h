#pragma once

class TRasterRGB;

/**
 * A drawing target for raster bitmaps: the stand-in for a device context.
 * The core library stays free of any toolkit; the Qt library implements this
 * over a QPainter.
 */
class RasterCanvas
{
public:
    virtual ~RasterCanvas() = default;

    /**
     * Draws the block of `source` whose top-left corner is (sourceLeft,
     * sourceTop), counted in picture lines from the top, and whose size is
     * sourceWidth x sourceHeight, into the rectangle (x, y, width, height).
     * When the sizes differ the block is scaled by nearest-neighbour
     * sampling (no smoothing). Parts of the block outside the picture draw
     * nothing.
     */
    virtual void drawBlock(const TRasterRGB &source, int x, int y, int width, int height,
                           int sourceLeft, int sourceTop, int sourceWidth, int sourceHeight) = 0;
};
