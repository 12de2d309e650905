#include "PictureImage.h"

#include <QPainter>

QImage PictureImage::ToQImage(const Picture24 &picture)
{
    if (picture.isNull())
        return {};
    QImage image(picture.width(), picture.height(), QImage::Format_RGB888);
    for (int y = 0; y < picture.height(); ++y) {
        const std::uint8_t *src = picture.scanLine(y);
        std::uint8_t *dst = image.scanLine(y);
        for (int x = 0; x < picture.width(); ++x, src += 3, dst += 3) {
            dst[0] = src[2];
            dst[1] = src[1];
            dst[2] = src[0];
        }
    }
    return image;
}

Picture24 PictureImage::FromQImage(const QImage &image, QColor background)
{
    if (image.isNull() || !Picture24::sizeAcceptable(image.width(), image.height()))
        return {};
    QImage rgb;
    if (image.hasAlphaChannel()) {
        rgb = QImage(image.size(), QImage::Format_RGB888);
        rgb.fill(background);
        QPainter p(&rgb);
        p.drawImage(0, 0, image);
    } else {
        rgb = image.convertToFormat(QImage::Format_RGB888);
    }
    Picture24 picture(rgb.width(), rgb.height());
    for (int y = 0; y < rgb.height(); ++y) {
        const std::uint8_t *src = rgb.constScanLine(y);
        std::uint8_t *dst = picture.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x, src += 3, dst += 3) {
            dst[0] = src[2];
            dst[1] = src[1];
            dst[2] = src[0];
        }
    }
    return picture;
}
