#include "TRasterBMP.h"

#include "BmpCodec.h"
#include "ImageFile.h"
#include "RasterCanvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

TRasterBMP::TRasterBMP(int width, int height)
{
    SetDimensions(width, height);
}

TRasterBMP::TRasterBMP(const TRasterBMP &other)
    : TRasterRGB(), m_picture(other.m_picture)
{
    setGeometry(other.Width(), other.Height(), m_picture.isNull() ? nullptr : m_picture.bits());
}

TRasterBMP &TRasterBMP::operator=(const TRasterBMP &other)
{
    if (this != &other) {
        m_picture = other.m_picture;
        setGeometry(other.Width(), other.Height(), m_picture.isNull() ? nullptr : m_picture.bits());
    }
    return *this;
}

TRasterBMP::TRasterBMP(TRasterBMP &&other) noexcept
{
    *this = std::move(other);
}

TRasterBMP &TRasterBMP::operator=(TRasterBMP &&other) noexcept
{
    if (this != &other) {
        const int width = other.Width();
        const int height = other.Height();
        m_picture = std::move(other.m_picture);
        other.m_picture = Picture24();
        other.setGeometry(0, 0, nullptr);
        setGeometry(width, height, m_picture.isNull() ? nullptr : m_picture.bits());
    }
    return *this;
}

bool TRasterBMP::SetDimensions(int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == Width() && height == Height())
        return true;
    // A zero side still records the other one (the row table has Height
    // entries), but there is no pixel block behind it.
    if (width > 0 && height > 0 && !Picture24::sizeAcceptable(width, height))
        return false;
    if (width > Picture24::kMaxSide || height > Picture24::kMaxSide)
        return false;
    m_picture.reset(width, height);
    setGeometry(width, height, m_picture.isNull() ? nullptr : m_picture.bits());
    return true;
}

void TRasterBMP::takeGeometryFromPicture()
{
    setGeometry(m_picture.width(), m_picture.height(), m_picture.isNull() ? nullptr : m_picture.bits());
}

void TRasterBMP::LoadFromBitmapHandle(const Picture24 &picture)
{
    if (!SetDimensions(picture.width(), picture.height()))
        return;
    if (ByteCount() > 0)
        std::memcpy(Bits(), picture.bits(), static_cast<std::size_t>(ByteCount()));
}

ImageStatus TRasterBMP::LoadFromBitmapFile(const std::string &fileName)
{
    std::vector<std::uint8_t> bytes;
    ImageStatus status = ImageFile::readAll(fileName, bytes);
    if (!status)
        return status;
    Picture24 picture;
    status = BmpCodec::decode(bytes.data(), bytes.size(), picture);
    if (!status)
        return status;
    AdoptPicture(std::move(picture));
    return ImageStatus::success();
}

void TRasterBMP::AdoptPicture(Picture24 &&picture)
{
    m_picture = std::move(picture);
    picture = Picture24();
    takeGeometryFromPicture();
}

void TRasterBMP::SwapPicture(Picture24 &picture)
{
    m_picture.swap(picture);
    takeGeometryFromPicture();
}

void TRasterBMP::DrawAt(RasterCanvas &dc, int x, int y) const
{
    if (IsEmpty())
        return;
    dc.drawBlock(*this, x, y, Width(), Height(), 0, 0, Width(), Height());
}

void TRasterBMP::DrawStretched(RasterCanvas &dc, int x, int y, int width, int height) const
{
    if (IsEmpty() || width == 0 || height == 0)
        return;
    dc.drawBlock(*this, x, y, width, height, 0, 0, Width(), Height());
}

void TRasterBMP::DrawPart(RasterCanvas &dc, int x, int y, int width, int height, int sourceX,
                          int sourceY) const
{
    DrawPartStretched(dc, x, y, width, height, sourceX, sourceY, width, height);
}

void TRasterBMP::DrawPartStretched(RasterCanvas &dc, int x, int y, int width, int height,
                                   int sourceX, int sourceY, int sourceWidth,
                                   int sourceHeight) const
{
    if (IsEmpty() || width <= 0 || height <= 0 || sourceWidth <= 0 || sourceHeight <= 0)
        return;
    // The source origin is the block's bottom-left corner in a bottom-up
    // bitmap; the canvas counts lines from the top.
    const int top = Height() - sourceY - sourceHeight;
    dc.drawBlock(*this, x, y, width, height, sourceX, top, sourceWidth, sourceHeight);
}

void TRasterBMP::DrawTiled(RasterCanvas &dc, int x, int y, int width, int height) const
{
    if (IsEmpty() || width <= 0 || height <= 0)
        return;
    TRasterBMP tiles;
    if (!tiles.SetDimensions(width, height))
        return;
    // The tiling starts at the rectangle's top-left corner with the
    // picture's top line, as on a device surface (unlike TileInto, which
    // repeats from the bottom row in memory).
    const std::size_t rowBytes = static_cast<std::size_t>(Width()) * 3;
    for (int line = 0; line < height; ++line) {
        const std::uint8_t *src = Rows(Height() - 1 - line % Height());
        std::uint8_t *dst = tiles.Rows(height - 1 - line);
        for (std::size_t done = 0, total = static_cast<std::size_t>(width) * 3; done < total;) {
            const std::size_t n = std::min(rowBytes, total - done);
            std::memcpy(dst + done, src, n);
            done += n;
        }
    }
    tiles.DrawAt(dc, x, y);
}

void TRasterBMP::ScaleNearestInto(TRasterRGB &destination) const
{
    const int dw = destination.Width();
    const int dh = destination.Height();
    if (dw <= 0 || dh <= 0 || IsEmpty() || &destination == this)
        return;
    if (dw == Width() && dh == Height()) {
        std::memcpy(destination.Bits(), Bits(), static_cast<std::size_t>(ByteCount()));
        return;
    }
    const float xf = static_cast<float>(dw) / static_cast<float>(Width());
    const float yf = static_cast<float>(dh) / static_cast<float>(Height());
    if (xf < 1.0f || yf < 1.0f) {
        // 16.16 fixed point; 64-bit so that wide pictures cannot overflow.
        const std::int64_t sx = (static_cast<std::int64_t>(Width()) * 65536) / dw;
        const std::int64_t sy = (static_cast<std::int64_t>(Height()) * 65536) / dh;
        std::vector<int> column(static_cast<std::size_t>(dw));
        for (int i = 0; i < dw; ++i)
            column[static_cast<std::size_t>(i)] = static_cast<int>((i * sx) >> 16) * 3;
        for (int j = 0; j < dh; ++j) {
            const std::uint8_t *src = Rows(static_cast<int>((j * sy) >> 16));
            std::uint8_t *dst = destination.Rows(j);
            for (int i = 0; i < dw; ++i, dst += 3) {
                const std::uint8_t *p = src + column[static_cast<std::size_t>(i)];
                dst[0] = p[0];
                dst[1] = p[1];
                dst[2] = p[2];
            }
        }
        return;
    }
    const int bw = static_cast<int>(std::nearbyint(static_cast<double>(xf) + 0.5));
    const int bh = static_cast<int>(std::nearbyint(static_cast<double>(yf) + 0.5));
    std::vector<std::uint8_t> line(static_cast<std::size_t>(dw) * 3, 0);
    for (int r = 0; r < Height(); ++r) {
        const std::uint8_t *src = Rows(r);
        for (int c = 0; c < Width(); ++c, src += 3) {
            const int start = static_cast<int>(static_cast<double>(xf) * c);
            for (int k = start; k < start + bw && k < dw; ++k)
                std::memcpy(&line[static_cast<std::size_t>(k) * 3], src, 3);
        }
        const int first = static_cast<int>(static_cast<double>(yf) * r);
        for (int k = first; k < first + bh && k < dh; ++k)
            std::memcpy(destination.Rows(k), line.data(), line.size());
    }
}

void TRasterBMP::ScaleBilinearInto(TRasterRGB &destination) const
{
    const int dw = destination.Width();
    const int dh = destination.Height();
    if (dw < 1 || dh < 1 || IsEmpty() || &destination == this)
        return;
    if (Width() == 1) {
        ScaleNearestInto(destination);
        return;
    }
    if (dw == Width() && dh == Height()) {
        std::memcpy(destination.Bits(), Bits(), static_cast<std::size_t>(ByteCount()));
        return;
    }
    const std::int64_t sx = (static_cast<std::int64_t>(Width() - 1) * 32768) / dw;
    const std::int64_t sy = (static_cast<std::int64_t>(Height() - 1) * 32768) / dh;
    for (int j = 0; j < dh; ++j) {
        const std::int64_t fy = j * sy;
        const int row = static_cast<int>(fy / 32768);
        const std::uint8_t *p1 = Rows(row);
        const std::uint8_t *p2 = Height() == 1 ? p1 : Rows(row + 1);
        const int fyf = static_cast<int>(fy % 32768);
        const int wt = 32768 - fyf;
        std::uint8_t *dst = destination.Rows(j);
        for (int i = 0; i < dw; ++i, dst += 3) {
            const std::int64_t fx = i * sx;
            const int c = static_cast<int>(fx / 32768) * 3;
            const int fxf = static_cast<int>(fx % 32768);
            const int a = (fxf * wt) / 32768;
            const int b = static_cast<int>((static_cast<std::int64_t>(fxf) * fyf) / 32768);
            for (int k = 0; k < 3; ++k) {
                const int v = p1[c + k] * (wt - a) + p1[c + 3 + k] * a + p2[c + k] * (fyf - b)
                              + p2[c + 3 + k] * b;
                dst[k] = static_cast<std::uint8_t>(v / 32768);
            }
        }
    }
}

void TRasterBMP::CopyBlockInto(TRasterRGB &destination, int destX, int destY, int width,
                               int height, int sourceX, int sourceY) const
{
    if (destX < 0) {
        sourceX -= destX;
        width += destX;
        destX = 0;
    }
    if (destY < 0) {
        sourceY -= destY;
        height += destY;
        destY = 0;
    }
    if (sourceX < 0) {
        destX -= sourceX;
        width += sourceX;
        sourceX = 0;
    }
    if (sourceY < 0) {
        destY -= sourceY;
        height += sourceY;
        sourceY = 0;
    }
    if (sourceX >= Width() || sourceY >= Height())
        return;
    width = std::min({width, Width() - sourceX, destination.Width() - destX});
    height = std::min({height, Height() - sourceY, destination.Height() - destY});
    if (width <= 0 || height <= 0)
        return;
    const std::size_t bytes = static_cast<std::size_t>(width) * 3;
    for (int i = 0; i < height; ++i) {
        // memmove: TileInto copies a bitmap onto itself.
        std::memmove(destination.Rows(destY + i) + static_cast<std::size_t>(destX) * 3,
                     Rows(sourceY + i) + static_cast<std::size_t>(sourceX) * 3, bytes);
    }
}

void TRasterBMP::TileInto(TRasterRGB &destination) const
{
    if (IsEmpty() || destination.IsEmpty() || &destination == this)
        return;
    CopyBlockInto(destination, 0, 0, Width(), Height(), 0, 0);
    const int coveredHeight = std::min(Height(), destination.Height());
    for (int b = Width(); b < destination.Width(); b *= 2)
        destination.CopyBlockInto(destination, b, 0, b, coveredHeight, 0, 0);
    for (int b = Height(); b < destination.Height(); b *= 2)
        destination.CopyBlockInto(destination, 0, b, destination.Width(), b, 0, 0);
}
