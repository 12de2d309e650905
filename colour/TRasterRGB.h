#pragma once

#include <cstdint>
#include <vector>

class RasterCanvas;

/**
 * Abstract 24-bit raster bitmap: blue-green-red pixels, rows stored bottom-up
 * (Rows(0) is the bottom line of the picture), each row padded to a multiple
 * of 4 bytes. The padding of a row is never read or written by the effects.
 *
 * The pixel block is directly addressable so that the effects work on it
 * without conversions; only drawing converts.
 */
class TRasterRGB
{
public:
    virtual ~TRasterRGB() = default;

    /** Bytes after the last pixel of every row: Width mod 4. */
    std::int32_t RowPadding() const { return m_rowPadding; }
    /** Bytes from one row to the next: 3 x Width rounded up to a multiple of 4. */
    std::int32_t RowStride() const { return m_rowStride; }
    /** RowStride x Height: the size of the pixel block. */
    std::int32_t ByteCount() const { return m_byteCount; }
    std::int32_t Width() const { return m_width; }
    std::int32_t Height() const { return m_height; }
    /** First byte of row i (0 = bottom row); i must lie in 0 .. Height-1. */
    std::uint8_t *Rows(int i) { return m_rows[static_cast<std::size_t>(i)]; }
    const std::uint8_t *Rows(int i) const { return m_rows[static_cast<std::size_t>(i)]; }
    /** First byte of the pixel block; null while the block is empty. */
    std::uint8_t *Bits() { return m_bits; }
    const std::uint8_t *Bits() const { return m_bits; }
    /** True when there is no pixel to work on. */
    bool IsEmpty() const { return m_width <= 0 || m_height <= 0; }

    /** Resizes the bitmap; keeps the contents when the size is unchanged.
     *  Returns false (and leaves the bitmap as it was) for a size the engine
     *  refuses to hold. */
    virtual bool SetDimensions(int width, int height) = 0;
    /** Copies the whole picture 1:1 with its top-left corner at (x, y). */
    virtual void DrawAt(RasterCanvas &dc, int x, int y) const = 0;
    /** Draws the whole picture scaled into the rectangle, without smoothing. */
    virtual void DrawStretched(RasterCanvas &dc, int x, int y, int width, int height) const = 0;
    /** Copies a width x height block unscaled. (sourceX, sourceY) is the
     *  block's bottom-left corner counted from the bottom-left of the
     *  picture, as for any bottom-up device-independent bitmap. */
    virtual void DrawPart(RasterCanvas &dc, int x, int y, int width, int height, int sourceX,
                          int sourceY) const = 0;
    /** As DrawPart, scaling the sourceWidth x sourceHeight block into the
     *  destination rectangle without smoothing. */
    virtual void DrawPartStretched(RasterCanvas &dc, int x, int y, int width, int height,
                                   int sourceX, int sourceY, int sourceWidth,
                                   int sourceHeight) const = 0;
    /** Fills the rectangle by repeating the picture; nothing when empty. */
    virtual void DrawTiled(RasterCanvas &dc, int x, int y, int width, int height) const = 0;
    /** Fills the destination, at its own size, by nearest-neighbour sampling. */
    virtual void ScaleNearestInto(TRasterRGB &destination) const = 0;
    /** Fills the destination, at its own size, by 15-bit fixed-point
     *  bilinear sampling. */
    virtual void ScaleBilinearInto(TRasterRGB &destination) const = 0;
    /** Copies a block of pixels, clipped to both bitmaps. Coordinates count
     *  rows in memory order (from the bottom). */
    virtual void CopyBlockInto(TRasterRGB &destination, int destX, int destY, int width,
                               int height, int sourceX, int sourceY) const = 0;
    /** Fills the whole destination by repeating this picture from its origin. */
    virtual void TileInto(TRasterRGB &destination) const = 0;

protected:
    TRasterRGB() = default;
    TRasterRGB(const TRasterRGB &) = default;
    TRasterRGB &operator=(const TRasterRGB &) = default;

    /** Stores the size and derives stride, padding, byte count and the row
     *  table for a pixel block at `bits`. */
    void setGeometry(int width, int height, std::uint8_t *bits);

private:
    std::int32_t m_rowPadding = 0;
    std::int32_t m_rowStride = 0;
    std::int32_t m_byteCount = 0;
    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
    std::vector<std::uint8_t *> m_rows;
    std::uint8_t *m_bits = nullptr;
};
