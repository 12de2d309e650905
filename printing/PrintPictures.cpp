#include "PrintPictures.h"

#include "Picture24.h"
#include "PictureImage.h"

#include <QPainter>
#include <QPrinter>

QImage PrintPictures::DropColour(const QImage &image, QRgb colour)
{
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = colour | 0xff000000u;
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((line[x] | 0xff000000u) == key)
                line[x] = 0;
    }
    return out;
}

void PrintPictures::DrawBitmapOnDevice(QPainter &painter, int left, int top, const QImage &picture, int width,
                                       int height)
{
    if (picture.isNull() || width <= 0 || height <= 0)
        return;
    painter.drawImage(QRect(left, top, width, height), picture);
}

namespace {
template <typename Draw> bool runJob(QPrinter &printer, Draw draw)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    draw(painter);
    if (!painter.end())
        return false;
    return printer.printerState() != QPrinter::Error && printer.printerState() != QPrinter::Aborted;
}
} // namespace

bool PrintPictures::PrintComposition(QPrinter &printer, const QImage &snapshot)
{
    printer.setPageOrientation(QPageLayout::Portrait);
    const PrintGeometry::Rect r = PrintGeometry::SingleCompositionRect(snapshot.width(), snapshot.height());
    return runJob(printer,
                  [&](QPainter &p) { DrawBitmapOnDevice(p, r.left, r.top, snapshot, r.width, r.height); });
}

bool PrintPictures::PrintSheet(QPrinter &printer, const QImage &sheet, int sizeMode)
{
    printer.setPageOrientation(QPageLayout::Landscape);
    const QRect page = printer.pageRect(QPrinter::DevicePixel).toRect();
    const PrintGeometry::Size size =
        PrintGeometry::PrintedSheetSize(page.width(), page.height(), sheet.width(), sheet.height(), sizeMode);
    return runJob(printer,
                  [&](QPainter &p) { p.drawImage(QRect(100, 100, size.width, size.height), sheet); });
}

PrintGeometry::Rect PrintPictures::FittedRect(const QPrinter &printer, int width, int height)
{
    const QRect page = printer.pageRect(QPrinter::DevicePixel).toRect();
    return PrintGeometry::FitOnPage(page.width(), page.height(), width, height);
}

bool PrintPictures::PrintFitted(QPrinter &printer, const QImage &picture)
{
    if (picture.isNull())
        return false;
    const PrintGeometry::Rect r = FittedRect(printer, picture.width(), picture.height());
    return runJob(printer, [&](QPainter &p) {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(QRect(r.left, r.top, r.width, r.height), picture);
    });
}

bool PrintPictures::PrintFitted(QPrinter &printer, const Picture24 &picture)
{
    return PrintFitted(printer, PictureImage::ToQImage(picture));
}
