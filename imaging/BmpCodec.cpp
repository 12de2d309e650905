#include "BmpCodec.h"

#include <array>
#include <bit>
#include <cstring>

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;

enum Compression : std::uint32_t {
    kRgb = 0,
    kRle8 = 1,
    kRle4 = 2,
    kBitFields = 3,
    kJpeg = 4,
    kPng = 5,
    kAlphaBitFields = 6,
};

std::uint16_t read16(const std::uint8_t *p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t read32(const std::uint8_t *p)
{
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16)
           | (std::uint32_t(p[3]) << 24);
}

void put16(std::uint8_t *p, std::uint32_t v)
{
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
}

void put32(std::uint8_t *p, std::uint32_t v)
{
    put16(p, v);
    put16(p + 2, v >> 16);
}

// One colour channel described by a bit mask. Narrow channels are widened to
// 8 bits by repeating their bits (so full scale stays full scale and the
// result matches what other programs show); wide ones keep their top 8 bits.
struct Channel
{
    std::uint32_t mask = 0;
    int shift = 0;
    int width = 0;

    explicit Channel(std::uint32_t m = 0) : mask(m)
    {
        if (mask != 0) {
            shift = std::countr_zero(mask);
            width = std::bit_width(mask >> shift);
        }
    }
    std::uint8_t extract(std::uint32_t value) const
    {
        if (width == 0)
            return 0;
        const std::uint32_t v = (value & mask) >> shift;
        if (width >= 8)
            return static_cast<std::uint8_t>(v >> (width - 8));
        std::uint32_t wide = 0;
        int bits = 0;
        for (; bits < 8; bits += width)
            wide = (wide << width) | v;
        return static_cast<std::uint8_t>(wide >> (bits - 8));
    }
};

struct Rgb
{
    std::uint8_t b = 0, g = 0, r = 0;
};

using Palette = std::array<Rgb, 256>;

ImageStatus corrupt()
{
    return ImageStatus::failure(ImageMessages::kCorrupt);
}

// Memory row of the picture for the n-th stored row.
std::uint8_t *storedRow(Picture24 &picture, std::int64_t n, bool topDown)
{
    return topDown ? picture.scanLine(static_cast<int>(n)) : picture.row(static_cast<int>(n));
}

// Run-length decoding of RLE8 and RLE4. Pixels never written keep the fill
// colour; runs and deltas that leave the picture are clipped, never wrapped.
// Without a picture the stream is only walked, to learn whether it holds a
// whole picture before one is allocated for it.
ImageStatus decodeRle(const std::uint8_t *src, std::size_t avail, bool rle4, const Palette &palette,
                      bool topDown, std::int64_t width, std::int64_t height, Picture24 *picture)
{
    std::int64_t x = 0;
    std::int64_t line = 0;
    std::size_t pos = 0;
    auto put = [&](std::uint8_t index) {
        if (x < width && line < height) {
            std::uint8_t *p = storedRow(*picture, line, topDown) + 3 * x;
            p[0] = palette[index].b;
            p[1] = palette[index].g;
            p[2] = palette[index].r;
        }
        ++x;
    };

    while (line < height) {
        if (avail - pos < 2)
            return corrupt(); // the stream stops before the picture is complete
        const std::uint8_t count = src[pos];
        const std::uint8_t value = src[pos + 1];
        pos += 2;
        if (count > 0) {
            if (!picture)
                x += count;
            else
                for (int i = 0; i < count; ++i)
                    put(rle4 ? ((i & 1) ? (value & 0x0F) : (value >> 4)) : value);
            continue;
        }
        switch (value) {
        case 0: // end of line
            x = 0;
            ++line;
            break;
        case 1: // end of bitmap
            return ImageStatus::success();
        case 2: // delta
            if (avail - pos < 2)
                return corrupt();
            x += src[pos];
            line += src[pos + 1];
            pos += 2;
            break;
        default: { // absolute run of `value` pixels, padded to a 16-bit boundary
            const std::size_t bytes = rle4 ? (value + 1u) / 2u : value;
            const std::size_t padded = bytes + (bytes & 1u);
            if (avail - pos < bytes)
                return corrupt();
            if (!picture)
                x += value;
            for (int i = 0; picture && i < value; ++i) {
                if (rle4) {
                    const std::uint8_t b = src[pos + i / 2];
                    put((i & 1) ? (b & 0x0F) : (b >> 4));
                } else {
                    put(src[pos + i]);
                }
            }
            pos += padded <= avail - pos ? padded : avail - pos;
            break;
        }
        }
    }
    return ImageStatus::success();
}

} // namespace

ImageStatus BmpCodec::decodeDib(const std::uint8_t *d, std::size_t size, std::size_t pixelOffset,
                                bool iconLayout, Dib &out)
{
    if (d == nullptr || size < 12)
        return corrupt();
    const std::uint32_t headerSize = read32(d);
    if (headerSize < 12 || headerSize > size || (headerSize > 12 && headerSize < 16))
        return corrupt();

    const bool core = headerSize == 12;
    // OS/2 2.x headers run from 16 to 64 bytes; Windows uses 40, 52, 56, 108 and 124.
    const bool os2 = !core && headerSize <= 64 && headerSize != 40 && headerSize != 52
                     && headerSize != 56;
    std::int64_t width = 0;
    std::int64_t height = 0;
    int bits = 0;
    std::uint32_t compression = kRgb;
    std::uint32_t colorsUsed = 0;
    if (core) {
        width = read16(d + 4);
        height = read16(d + 6);
        bits = read16(d + 10);
    } else {
        width = static_cast<std::int32_t>(read32(d + 4));
        height = static_cast<std::int32_t>(read32(d + 8));
        bits = read16(d + 14);
        if (headerSize >= 20)
            compression = read32(d + 16);
        if (headerSize >= 36)
            colorsUsed = read32(d + 32);
    }
    if (width <= 0 || height == 0)
        return corrupt();
    const bool topDown = height < 0;
    if (topDown)
        height = -height;
    if (iconLayout) {
        height /= 2;
        if (height == 0)
            return corrupt();
    }
    if (!Picture24::sizeAcceptable(width, height))
        return ImageStatus::failure(ImageMessages::kTooLarge);

    if (os2 && compression > kRle4)
        return ImageStatus::failure(ImageMessages::kUnsupported); // Huffman 1D, RLE24

    // Colour masks: inside V2 and later headers, else after a 40-byte header.
    std::size_t masksAfterHeader = 0;
    std::uint32_t masks[4] = {0, 0, 0, 0};
    switch (compression) {
    case kRgb:
        if (bits != 1 && bits != 2 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
            return corrupt();
        if (bits == 16) {
            masks[0] = 0x7C00;
            masks[1] = 0x03E0;
            masks[2] = 0x001F;
        } else if (bits == 32) {
            masks[0] = 0x00FF0000;
            masks[1] = 0x0000FF00;
            masks[2] = 0x000000FF;
            masks[3] = 0xFF000000;
        }
        break;
    case kRle8:
        if (bits != 8)
            return corrupt();
        break;
    case kRle4:
        if (bits != 4)
            return corrupt();
        break;
    case kBitFields:
    case kAlphaBitFields: {
        if (bits != 16 && bits != 32)
            return corrupt();
        const int count = compression == kAlphaBitFields ? 4 : 3;
        const std::uint8_t *m = nullptr;
        if (headerSize >= 52) {
            m = d + 40;
            const int inside = headerSize >= 56 ? 4 : 3;
            for (int i = 0; i < inside; ++i)
                masks[i] = read32(m + 4 * i);
        } else {
            masksAfterHeader = 4u * count;
            if (size - headerSize < masksAfterHeader)
                return corrupt();
            m = d + headerSize;
            for (int i = 0; i < count; ++i)
                masks[i] = read32(m + 4 * i);
        }
        break;
    }
    case kJpeg:
    case kPng:
        return ImageStatus::failure(ImageMessages::kUnsupported);
    default:
        return ImageStatus::failure(ImageMessages::kUnsupported);
    }

    // Palette. Entries the file does not hold stay black, so any index reads
    // inside the table.
    Palette palette{};
    const std::size_t paletteStart = headerSize + masksAfterHeader;
    const std::size_t entrySize = core ? 3 : 4;
    std::uint64_t declared = colorsUsed;
    if (declared == 0 && bits <= 8)
        declared = 1u << bits;
    std::size_t pixelStart = pixelOffset;
    if (pixelStart == 0) {
        const std::uint64_t end = paletteStart + declared * entrySize;
        if (end > size)
            return corrupt();
        pixelStart = static_cast<std::size_t>(end);
    } else if (pixelStart < paletteStart || pixelStart > size) {
        return corrupt();
    }
    if (bits <= 8) {
        std::uint64_t entries = declared;
        if (entries > 256)
            entries = 256;
        // A palette may not run into the pixels, nor past the data.
        const std::size_t limit = pixelStart > paletteStart ? pixelStart : size;
        const std::uint64_t fit = (limit - paletteStart) / entrySize;
        if (entries > fit)
            entries = fit;
        for (std::uint64_t i = 0; i < entries; ++i) {
            const std::uint8_t *e = d + paletteStart + i * entrySize;
            palette[i] = Rgb{e[0], e[1], e[2]};
        }
    }

    Dib result;
    result.bitCount = bits;
    Picture24 &picture = result.picture;
    const std::size_t avail = size - pixelStart;
    const std::uint8_t *src = d + pixelStart;

    if (compression == kRle8 || compression == kRle4) {
        const bool rle4 = compression == kRle4;
        // A stream that stops short fails before the picture is allocated.
        ImageStatus status = decodeRle(src, avail, rle4, palette, topDown, width, height, nullptr);
        if (!status)
            return status;
        picture.reset(static_cast<int>(width), static_cast<int>(height));
        picture.fill(palette[0].r, palette[0].g, palette[0].b);
        status = decodeRle(src, avail, rle4, palette, topDown, width, height, &picture);
        if (!status)
            return status;
        result.pixelEnd = size;
        out = std::move(result);
        return ImageStatus::success();
    }

    const std::uint64_t stride = ((static_cast<std::uint64_t>(width) * bits + 31) / 32) * 4;
    const std::uint64_t need = stride * static_cast<std::uint64_t>(height);
    if (need > avail)
        return corrupt();
    picture.reset(static_cast<int>(width), static_cast<int>(height));
    const int w = picture.width();
    const int h = picture.height();
    const Channel red(masks[0]), green(masks[1]), blue(masks[2]), alpha(masks[3]);
    if (bits == 32)
        result.alpha.assign(static_cast<std::size_t>(w) * h, 0);

    for (int n = 0; n < h; ++n) {
        const std::uint8_t *s = src + n * stride;
        std::uint8_t *p = storedRow(picture, n, topDown);
        const int top = topDown ? n : h - 1 - n;
        switch (bits) {
        case 1:
        case 2:
        case 4:
        case 8: {
            const int perByte = 8 / bits;
            const int indexMask = (1 << bits) - 1;
            for (int x = 0; x < w; ++x, p += 3) {
                const int shift = 8 - bits * (x % perByte + 1);
                const Rgb &c = palette[(s[x / perByte] >> shift) & indexMask];
                p[0] = c.b;
                p[1] = c.g;
                p[2] = c.r;
            }
            break;
        }
        case 16:
            for (int x = 0; x < w; ++x, p += 3) {
                const std::uint32_t v = read16(s + 2 * x);
                p[0] = blue.extract(v);
                p[1] = green.extract(v);
                p[2] = red.extract(v);
            }
            break;
        case 24:
            std::memcpy(p, s, static_cast<std::size_t>(w) * 3);
            break;
        case 32: {
            std::uint8_t *a = result.alpha.data() + static_cast<std::size_t>(top) * w;
            for (int x = 0; x < w; ++x, p += 3) {
                const std::uint32_t v = read32(s + 4 * x);
                p[0] = blue.extract(v);
                p[1] = green.extract(v);
                p[2] = red.extract(v);
                a[x] = alpha.extract(v);
            }
            break;
        }
        }
    }
    result.pixelEnd = pixelStart + static_cast<std::size_t>(need);
    out = std::move(result);
    return ImageStatus::success();
}

ImageStatus BmpCodec::decode(const std::uint8_t *data, std::size_t size, Picture24 &out)
{
    if (data == nullptr || size == 0)
        return ImageStatus::failure(ImageMessages::kEmpty);
    if (size < kFileHeaderSize + 12 || data[0] != 'B' || data[1] != 'M')
        return corrupt();
    const std::uint32_t offBits = read32(data + 10);
    // Some writers leave the offset 0; the pixels then follow the palette.
    std::size_t pixelOffset = 0;
    if (offBits != 0) {
        if (offBits < kFileHeaderSize + 12 || offBits > size)
            return corrupt();
        pixelOffset = offBits - kFileHeaderSize;
    }
    Dib dib;
    ImageStatus status = decodeDib(data + kFileHeaderSize, size - kFileHeaderSize, pixelOffset, false, dib);
    if (!status)
        return status;
    out.swap(dib.picture);
    return ImageStatus::success();
}

ImageStatus BmpCodec::encode(const Picture24 &picture, std::vector<std::uint8_t> &out)
{
    if (picture.isNull())
        return ImageStatus::failure(ImageMessages::kNothingToSave);
    // Picture24 already has the bottom-up, 4-byte padded layout of the file.
    const std::size_t imageSize = picture.byteCount();
    const std::size_t headers = kFileHeaderSize + kInfoHeaderSize;
    std::vector<std::uint8_t> bytes(headers + imageSize, 0);
    std::uint8_t *h = bytes.data();
    h[0] = 'B';
    h[1] = 'M';
    put32(h + 2, static_cast<std::uint32_t>(bytes.size()));
    put32(h + 10, static_cast<std::uint32_t>(headers));
    std::uint8_t *info = h + kFileHeaderSize;
    put32(info, kInfoHeaderSize);
    put32(info + 4, static_cast<std::uint32_t>(picture.width()));
    put32(info + 8, static_cast<std::uint32_t>(picture.height()));
    put16(info + 12, 1);
    put16(info + 14, 24);
    put32(info + 16, kRgb);
    put32(info + 20, static_cast<std::uint32_t>(imageSize));
    put32(info + 24, 2835);
    put32(info + 28, 2835);
    std::memcpy(h + headers, picture.bits(), imageSize);
    out.swap(bytes);
    return ImageStatus::success();
}
