#pragma once

#include "ImageStatus.h"
#include "Picture24.h"
#include "TRasterRGB.h"

#include <string>

/**
 * The 24-bit working bitmap of the colour tools and the print preview.
 *
 * The pixel block is held in a Picture24, whose layout is the same, so a
 * picture can be moved in and out without copying pixels (AdoptPicture,
 * SwapPicture). Drawing goes through a RasterCanvas; the Qt library supplies
 * one over a QPainter, and conversion from a QImage.
 */
class TRasterBMP : public TRasterRGB
{
public:
    TRasterBMP() = default;
    /** A zero-filled bitmap of the given size (see SetDimensions). */
    TRasterBMP(int width, int height);
    TRasterBMP(const TRasterBMP &other);
    TRasterBMP &operator=(const TRasterBMP &other);
    TRasterBMP(TRasterBMP &&other) noexcept;
    TRasterBMP &operator=(TRasterBMP &&other) noexcept;

    /**
     * Resizes to width x height. Nothing happens, and the pixels stay, when
     * both equal the current size; otherwise the new block is zero-filled.
     * Negative sizes count as 0. Sizes beyond Picture24::sizeAcceptable are
     * refused: false is returned and the bitmap is left as it was.
     */
    bool SetDimensions(int width, int height) override;

    /** Sizes the bitmap to the picture and copies its pixels; a picture of
     *  a size SetDimensions refuses leaves the bitmap as it was. */
    void LoadFromBitmapHandle(const Picture24 &picture);
    /**
     * Reads a .BMP file of any depth the engine's BMP reader knows. A missing,
     * unreadable or malformed file is reported and leaves the bitmap as it was.
     */
    ImageStatus LoadFromBitmapFile(const std::string &fileName);

    /** Takes over the picture's pixels without copying; `picture` is left empty. */
    void AdoptPicture(Picture24 &&picture);
    /** Exchanges pixel blocks with `picture` without copying. */
    void SwapPicture(Picture24 &picture);
    /** The pixels as the engine's picture type (empty for a zero size). */
    const Picture24 &Picture() const { return m_picture; }

    void DrawAt(RasterCanvas &dc, int x, int y) const override;
    void DrawStretched(RasterCanvas &dc, int x, int y, int width, int height) const override;
    void DrawPart(RasterCanvas &dc, int x, int y, int width, int height, int sourceX,
                  int sourceY) const override;
    void DrawPartStretched(RasterCanvas &dc, int x, int y, int width, int height, int sourceX,
                           int sourceY, int sourceWidth, int sourceHeight) const override;
    void DrawTiled(RasterCanvas &dc, int x, int y, int width, int height) const override;
    void ScaleNearestInto(TRasterRGB &destination) const override;
    void ScaleBilinearInto(TRasterRGB &destination) const override;
    void CopyBlockInto(TRasterRGB &destination, int destX, int destY, int width, int height,
                       int sourceX, int sourceY) const override;
    void TileInto(TRasterRGB &destination) const override;

private:
    /** Rebuilds the geometry from the held picture (after a swap or move). */
    void takeGeometryFromPicture();

    Picture24 m_picture;
};
