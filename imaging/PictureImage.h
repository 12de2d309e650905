#pragma once

#include "Picture24.h"

#include <QColor>
#include <QImage>

/**
 * Conversion between the engine's 24-bit picture and QImage, the only place
 * where the two meet (clipboard, window snapshots, drawing).
 */
class PictureImage
{
public:
    /** A top-down QImage (Format_RGB888) copy of the picture. */
    static QImage ToQImage(const Picture24 &picture);
    /** The image at 24 bits per pixel; alpha is composited over `background`. */
    static Picture24 FromQImage(const QImage &image, QColor background = Qt::white);
};
