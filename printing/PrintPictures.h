#pragma once

#include "PrintGeometry.h"

#include <QImage>
#include <QRgb>

class Picture24;
class QPainter;
class QPrinter;

/**
 * Putting pictures on paper: one composition, the contact sheet, or any
 * picture fitted to one page. Each opens and ends its own print job on the
 * given printer and answers false when the printer or the file could not
 * be written.
 */
class PrintPictures
{
public:
    /** Pixels of exactly `colour` become transparent (the rest opaque). */
    static QImage DropColour(const QImage &image, QRgb colour);

    /** Transfers the picture stretched to (left, top, width, height) in the
     *  painter's device pixels. */
    static void DrawBitmapOnDevice(QPainter &painter, int left, int top, const QImage &picture, int width,
                                   int height);

    /** One composition on a portrait page, 200 device pixels in, twice its size. */
    static bool PrintComposition(QPrinter &printer, const QImage &snapshot);
    /** The contact sheet on a landscape page, 100 device pixels in, at the
     *  size mode's share of the page. */
    static bool PrintSheet(QPrinter &printer, const QImage &sheet, int sizeMode);

    /** Any picture on one page, as large as the printable area allows, aspect
     *  kept, centred; the page's orientation is left as the printer has it. */
    static bool PrintFitted(QPrinter &printer, const QImage &picture);
    static bool PrintFitted(QPrinter &printer, const Picture24 &picture);

    /** Where PrintFitted puts a picture on this printer's printable area. */
    static PrintGeometry::Rect FittedRect(const QPrinter &printer, int width, int height);
};
