#include "PainterRasterCanvas.h"
#include "RasterQImage.h"
#include "TRasterBMP.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTest>

// Pixel (x, row) of a bitmap; row 0 is the bottom line.
static void setPixel(TRasterBMP &bmp, int x, int row, QRgb rgb)
{
    std::uint8_t *p = bmp.Rows(row) + 3 * x;
    p[0] = static_cast<std::uint8_t>(qBlue(rgb));
    p[1] = static_cast<std::uint8_t>(qGreen(rgb));
    p[2] = static_cast<std::uint8_t>(qRed(rgb));
}

// 4 x 3 with a distinct colour per pixel: red grows to the right, green
// grows upwards in the picture.
static TRasterBMP sample()
{
    TRasterBMP bmp(4, 3);
    for (int row = 0; row < 3; ++row)
        for (int x = 0; x < 4; ++x)
            setPixel(bmp, x, row, qRgb(60 * x + 10, 100 * row + 5, 200));
    return bmp;
}

// Colour of picture line `line` (from the top) at column x.
static QRgb at(const TRasterBMP &bmp, int x, int line)
{
    const std::uint8_t *p = bmp.Rows(bmp.Height() - 1 - line) + 3 * x;
    return qRgb(p[2], p[1], p[0]);
}

class RasterDrawingTest : public QObject
{
    Q_OBJECT

private:
    static QImage canvasImage(int w, int h)
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::black);
        return image;
    }

private slots:
    void drawAtPutsTheTopRowAtTheTop()
    {
        const TRasterBMP bmp = sample();
        QImage image = canvasImage(10, 8);
        {
            QPainter painter(&image);
            PainterRasterCanvas canvas(painter);
            bmp.DrawAt(canvas, 2, 3);
        }
        for (int line = 0; line < 3; ++line)
            for (int x = 0; x < 4; ++x)
                QCOMPARE(image.pixel(2 + x, 3 + line), at(bmp, x, line));
        QCOMPARE(image.pixel(1, 3), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(6, 3), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(2, 6), qRgb(0, 0, 0));
    }

    void drawStretchedDoesNotSmooth()
    {
        const TRasterBMP bmp = sample();
        QImage image = canvasImage(8, 6);
        {
            QPainter painter(&image);
            PainterRasterCanvas canvas(painter);
            bmp.DrawStretched(canvas, 0, 0, 8, 6);
        }
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 8; ++x)
                QCOMPARE(image.pixel(x, y), at(bmp, x / 2, y / 2));
    }

    void drawPartCountsTheSourceFromTheBottom()
    {
        const TRasterBMP bmp = sample();
        QImage image = canvasImage(5, 5);
        {
            QPainter painter(&image);
            PainterRasterCanvas canvas(painter);
            // 2 x 2 block whose bottom-left corner is pixel (1, row 0):
            // picture lines 1 and 2, columns 1 and 2.
            bmp.DrawPart(canvas, 0, 0, 2, 2, 1, 0);
        }
        QCOMPARE(image.pixel(0, 0), at(bmp, 1, 1));
        QCOMPARE(image.pixel(1, 1), at(bmp, 2, 2));
        QCOMPARE(image.pixel(2, 0), qRgb(0, 0, 0));

        QImage big = canvasImage(8, 8);
        {
            QPainter painter(&big);
            PainterRasterCanvas canvas(painter);
            bmp.DrawPartStretched(canvas, 0, 0, 8, 8, 2, 1, 2, 2); // lines 0..1, columns 2..3
        }
        QCOMPARE(big.pixel(0, 0), at(bmp, 2, 0));
        QCOMPARE(big.pixel(7, 7), at(bmp, 3, 1));
        QCOMPARE(big.pixel(3, 4), at(bmp, 2, 1));
    }

    void drawTiledRepeatsAndSkipsEmptyPictures()
    {
        const TRasterBMP bmp = sample();
        QImage image = canvasImage(11, 7);
        {
            QPainter painter(&image);
            PainterRasterCanvas canvas(painter);
            bmp.DrawTiled(canvas, 1, 0, 10, 7);
            TRasterBMP empty;
            empty.DrawTiled(canvas, 0, 0, 11, 7);
        }
        QCOMPARE(image.pixel(0, 0), qRgb(0, 0, 0));
        // The first tile sits at the rectangle's top-left corner.
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 10; ++x)
                QCOMPARE(image.pixel(1 + x, y), at(bmp, x % 4, y % 3));
    }

    void convertsToAndFromQImage()
    {
        const TRasterBMP bmp = sample();
        const QImage image = RasterQImage::ToQImage(bmp);
        QCOMPARE(image.size(), QSize(4, 3));
        QCOMPARE(image.pixel(3, 0), at(bmp, 3, 0));

        QImage translucent(2, 1, QImage::Format_ARGB32);
        translucent.setPixel(0, 0, qRgba(255, 0, 0, 255));
        translucent.setPixel(1, 0, qRgba(0, 0, 0, 0));
        TRasterBMP loaded;
        RasterQImage::LoadFromBitmapHandle(loaded, translucent, Qt::white);
        QCOMPARE(loaded.Width(), 2);
        QCOMPARE(at(loaded, 0, 0), qRgb(255, 0, 0));
        QCOMPARE(at(loaded, 1, 0), qRgb(255, 255, 255));

        RasterQImage::LoadFromBitmapHandle(loaded, QImage());
        QVERIFY(loaded.IsEmpty());
    }
};

QTEST_MAIN(RasterDrawingTest)
#include "RasterDrawingTest.moc"
