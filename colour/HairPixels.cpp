#include "HairPixels.h"

#include "Picture24.h"
#include "PixelEffects.h"
#include "TRasterBMP.h"

void WhitenHairBackground(Picture24 &picture)
{
    if (picture.width() < 2 || picture.height() < 2)
        return;
    const std::uint8_t *key = picture.scanLine(1) + 3;
    const std::uint8_t b = key[0], g = key[1], r = key[2];
    const int w = picture.width();
    for (int row = 0; row < picture.height(); ++row) {
        std::uint8_t *p = picture.row(row);
        for (int x = 0; x < w; ++x, p += 3) {
            if (p[0] == b && p[1] == g && p[2] == r) {
                p[0] = 0xFF;
                p[1] = 0xFF;
                p[2] = 0xFF;
            }
        }
    }
}

void MirrorHair(Picture24 &picture)
{
    // The raster takes the pixel block over and gives it back: no copy.
    TRasterBMP raster;
    raster.AdoptPicture(std::move(picture));
    MirrorRows(raster);
    raster.SwapPicture(picture);
}
