#include "MaskLoader.h"

#include <QImage>
#include <QString>

#include <cmath>

bool MaskLoader::load(const std::string &path, double scale, HairMask &mask, std::string &error)
{
    QImage image(QString::fromStdString(path));
    if (image.isNull()) {
        error = "cannot read shape " + path;
        return false;
    }
    image = image.convertToFormat(QImage::Format_ARGB32);
    if (std::abs(scale - 1.0) > 1e-6) {
        const int w = std::max(1, int(std::lround(image.width() * scale)));
        const int h = std::max(1, int(std::lround(image.height() * scale)));
        image = image.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                    .convertToFormat(QImage::Format_ARGB32);
    }
    mask = HairMask(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            mask.set(x, y, qAlpha(line[x]) >= 128);
    }
    return true;
}
