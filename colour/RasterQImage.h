#pragma once

#include <QColor>
#include <QImage>

class TRasterBMP;

/** Conversion between TRasterBMP and QImage, for the drawing edge. */
class RasterQImage
{
public:
    /** Sizes the bitmap to the image and copies its pixels; alpha is
     *  composited over `background`. A null image empties the bitmap. */
    static void LoadFromBitmapHandle(TRasterBMP &bitmap, const QImage &image,
                                     QColor background = Qt::white);
    /** A top-down copy of the bitmap; null for an empty bitmap. */
    static QImage ToQImage(const TRasterBMP &bitmap);
};
