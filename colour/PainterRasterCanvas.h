#pragma once

#include "RasterCanvas.h"

class QPainter;

/** Draws raster bitmaps on a QPainter: the drawing edge of TRasterBMP. */
class PainterRasterCanvas : public RasterCanvas
{
public:
    explicit PainterRasterCanvas(QPainter &painter) : m_painter(painter) {}

    /** Converts the visible part of the block to a QImage and draws it,
     *  scaled without smoothing when the sizes differ. */
    void drawBlock(const TRasterRGB &source, int x, int y, int width, int height, int sourceLeft,
                   int sourceTop, int sourceWidth, int sourceHeight) override;

private:
    QPainter &m_painter;
};
