#include "RasterQImage.h"

#include "PictureImage.h"
#include "TRasterBMP.h"

void RasterQImage::LoadFromBitmapHandle(TRasterBMP &bitmap, const QImage &image, QColor background)
{
    bitmap.AdoptPicture(PictureImage::FromQImage(image, background));
}

QImage RasterQImage::ToQImage(const TRasterBMP &bitmap)
{
    return PictureImage::ToQImage(bitmap.Picture());
}
