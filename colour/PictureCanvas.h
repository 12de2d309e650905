#pragma once

#include "RasterCanvas.h"

class Picture24;

/**
 * A drawing target over a picture of the engine: what a bitmap's canvas is
 * to the colour tools. Blocks are copied byte for byte, clipped to the
 * picture; a scaled block takes the nearest source pixel.
 */
class PictureCanvas : public RasterCanvas
{
public:
    explicit PictureCanvas(Picture24 &picture) : m_picture(picture) {}

    void drawBlock(const TRasterRGB &source, int x, int y, int width, int height, int sourceLeft,
                   int sourceTop, int sourceWidth, int sourceHeight) override;

private:
    Picture24 &m_picture;
};
