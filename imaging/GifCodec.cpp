#include "GifCodec.h"

#include "ColourQuantiser.h"

#include <algorithm>
#include <cstring>
#include <gif_lib.h>
#include <memory>
#include <new>
#include <string>

namespace {

struct GifReader
{
    const std::uint8_t *data;
    std::size_t size;
    std::size_t pos;
};

int readBytes(GifFileType *gif, GifByteType *out, int count)
{
    auto *reader = static_cast<GifReader *>(gif->UserData);
    if (count <= 0)
        return 0;
    const std::size_t n = std::min(static_cast<std::size_t>(count), reader->size - reader->pos);
    std::memcpy(out, reader->data + reader->pos, n);
    reader->pos += n;
    return static_cast<int>(n);
}

int writeBytes(GifFileType *gif, const GifByteType *data, int count)
{
    auto *out = static_cast<std::vector<std::uint8_t> *>(gif->UserData);
    try {
        out->insert(out->end(), data, data + count);
    } catch (...) {
        return 0; // giflib takes a short write as a write error
    }
    return count;
}

struct DecoderCloser
{
    void operator()(GifFileType *gif) const
    {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};

struct EncoderCloser
{
    void operator()(GifFileType *gif) const
    {
        int error = 0;
        EGifCloseFile(gif, &error);
    }
};

std::string gifText(int error)
{
    const char *text = GifErrorString(error);
    return text ? text : "giflib error";
}

ImageStatus gifFailure(int error)
{
    return ImageStatus::failure(ImageMessages::kCorrupt, gifText(error));
}

std::uint32_t mapColour(const ColorMapObject *map, int index)
{
    if (!map || index < 0 || index >= map->ColorCount)
        return 0;
    const GifColorType &c = map->Colors[index];
    return (std::uint32_t(c.Red) << 16) | (std::uint32_t(c.Green) << 8) | c.Blue;
}

} // namespace

ImageStatus GifCodec::decode(const std::uint8_t *data, std::size_t size, Picture24 &out,
                             std::uint32_t &keyColour)
{
    return decodeFirstImage(data, size, out, keyColour, nullptr);
}

ImageStatus GifCodec::decodeComposited(const std::uint8_t *data, std::size_t size, Picture24 &out,
                                       std::uint32_t background)
{
    std::uint32_t key = 0;
    return decodeFirstImage(data, size, out, key, &background);
}

ImageStatus GifCodec::decodeFirstImage(const std::uint8_t *data, std::size_t size, Picture24 &out,
                                       std::uint32_t &keyColour, const std::uint32_t *composite)
{
    if (!data || size < 6 || std::memcmp(data, "GIF", 3) != 0)
        return ImageStatus::failure(ImageMessages::kCorrupt, "not a GIF signature");
    try {
        GifReader reader = {data, size, 0};
        int error = 0;
        std::unique_ptr<GifFileType, DecoderCloser> gif(DGifOpen(&reader, readBytes, &error));
        if (!gif)
            return gifFailure(error);
        // The screen size decides what is allocated; a lying header must not
        // reach giflib's own allocations either.
        if (gif->SWidth < 0 || gif->SHeight < 0 || gif->SWidth > Picture24::kMaxSide ||
            gif->SHeight > Picture24::kMaxSide)
            return ImageStatus::failure(ImageMessages::kTooLarge);

        int transparent = -1;
        for (;;) {
            GifRecordType type = UNDEFINED_RECORD_TYPE;
            if (DGifGetRecordType(gif.get(), &type) == GIF_ERROR)
                return gifFailure(gif->Error);
            if (type == TERMINATE_RECORD_TYPE)
                return ImageStatus::failure(ImageMessages::kCorrupt, "no image in file");
            if (type == EXTENSION_RECORD_TYPE) {
                int code = 0;
                GifByteType *block = nullptr;
                if (DGifGetExtension(gif.get(), &code, &block) == GIF_ERROR)
                    return gifFailure(gif->Error);
                if (code == GRAPHICS_EXT_FUNC_CODE && block) {
                    GraphicsControlBlock gcb;
                    if (DGifExtensionToGCB(block[0], block + 1, &gcb) == GIF_OK)
                        transparent = gcb.TransparentColor;
                }
                while (block) {
                    if (DGifGetExtensionNext(gif.get(), &block) == GIF_ERROR)
                        return gifFailure(gif->Error);
                }
                continue;
            }
            if (type == IMAGE_DESC_RECORD_TYPE)
                break;
            return ImageStatus::failure(ImageMessages::kCorrupt, "unexpected GIF record");
        }
        if (DGifGetImageDesc(gif.get()) == GIF_ERROR)
            return gifFailure(gif->Error);

        const GifImageDesc frame = gif->Image;
        if (frame.Left < 0 || frame.Top < 0 || !Picture24::sizeAcceptable(frame.Width, frame.Height))
            return ImageStatus::failure(frame.Width > 0 && frame.Height > 0 ? ImageMessages::kTooLarge
                                                                            : ImageMessages::kCorrupt,
                                        "bad image frame");
        // LZW cannot pack more than a 4096-pixel string into one 12-bit code
        // (less while its table fills), so fewer remaining bytes than that
        // allows means a truncated or lying file: refuse it before
        // allocating for it.
        const std::uint64_t remaining = reader.size - reader.pos;
        if (std::uint64_t(frame.Width) * std::uint64_t(frame.Height) >
            remaining * 4096 + (std::uint64_t(1) << 24))
            return ImageStatus::failure(ImageMessages::kCorrupt, "image data too short for the frame size");
        int width = gif->SWidth;
        int height = gif->SHeight;
        if (width <= 0 || height <= 0) {
            // A few writers leave the screen at zero: the frame is the picture.
            width = frame.Left + frame.Width;
            height = frame.Top + frame.Height;
        }
        if (!Picture24::sizeAcceptable(width, height))
            return ImageStatus::failure(ImageMessages::kTooLarge);

        const ColorMapObject *map = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
        // Blue, green, red and a spare byte, in memory order.
        std::uint32_t lut32[256] = {};
        for (int i = 0; i < 256; ++i) {
            std::uint32_t rgb = 0;
            if (map)
                rgb = mapColour(map, i);
            else
                rgb = std::uint32_t(i) * 0x010101u; // no colour table at all: grey ramp
            if (composite && i == transparent)
                rgb = *composite;
            const std::uint8_t bgr[4] = {std::uint8_t(rgb), std::uint8_t(rgb >> 8), std::uint8_t(rgb >> 16),
                                         0};
            std::memcpy(&lut32[i], bgr, 4);
        }
        const std::uint32_t screenBackground = mapColour(gif->SColorMap, gif->SBackGroundColor);

        // The frame is decoded before the picture is allocated, so a file
        // that breaks off or lies about its screen fails without the large
        // allocation. Interlaced rows are put in their place as they come.
        const std::size_t area = std::size_t(frame.Width) * std::size_t(frame.Height);
        std::vector<GifPixelType> indices(area);
        if (!frame.Interlace) {
            // One call for the whole frame: giflib's per-call overhead shows
            // on hair-sized pictures.
            if (DGifGetLine(gif.get(), indices.data(), static_cast<int>(area)) == GIF_ERROR)
                return gifFailure(gif->Error);
        } else {
            static constexpr int kStart[4] = {0, 4, 2, 1};
            static constexpr int kStep[4] = {8, 8, 4, 2};
            for (int pass = 0; pass < 4; ++pass)
                for (int row = kStart[pass]; row < frame.Height; row += kStep[pass])
                    if (DGifGetLine(gif.get(), indices.data() + std::size_t(row) * frame.Width,
                                    frame.Width) == GIF_ERROR)
                        return gifFailure(gif->Error);
        }

        Picture24 picture(width, height);
        const bool framed = frame.Left > 0 || frame.Top > 0 || frame.Width < width || frame.Height < height;
        if (framed)
            picture.fill(std::uint8_t(screenBackground >> 16), std::uint8_t(screenBackground >> 8),
                         std::uint8_t(screenBackground));
        const int visibleWidth = std::max(0, std::min(frame.Width, width - frame.Left));
        const int visibleHeight = std::max(0, std::min(frame.Height, height - frame.Top));
        for (int row = 0; row < visibleHeight && visibleWidth > 0; ++row) {
            const GifPixelType *source = indices.data() + std::size_t(row) * frame.Width;
            std::uint8_t *dst = picture.scanLine(frame.Top + row) + 3 * frame.Left;
            // Four-byte stores, each overlapping the next pixel, which its
            // own store then corrects; the last pixel of the run is stored
            // with three bytes so nothing lands beyond it.
            const int last = visibleWidth - 1;
            for (int x = 0; x < last; ++x, dst += 3)
                std::memcpy(dst, &lut32[source[x]], 4);
            std::memcpy(dst, &lut32[source[last]], 3);
        }

        const std::uint32_t key = transparent >= 0 ? mapColour(map, transparent) : screenBackground;
        out.swap(picture);
        keyColour = key;
        return ImageStatus::success();
    } catch (const std::bad_alloc &) {
        return ImageStatus::failure(ImageMessages::kTooLarge, "out of memory");
    }
}

ImageStatus GifCodec::encode(const Picture24 &picture, std::vector<std::uint8_t> &out, bool dither)
{
    if (picture.isNull())
        return ImageStatus::failure(ImageMessages::kNothingToSave);
    if (picture.width() > 0xFFFF || picture.height() > 0xFFFF)
        return ImageStatus::failure(ImageMessages::kCannotWrite, "GIF sides are limited to 65535");
    try {
        ColourQuantiser quantiser(256);
        quantiser.setDithering(dither);
        std::vector<std::uint32_t> palette;
        std::vector<std::uint8_t> indices;
        quantiser.quantise(picture, palette, indices);

        const int bits = std::max(1, GifBitSize(static_cast<int>(palette.size())));
        const int mapSize = 1 << bits;
        std::vector<GifColorType> colours(static_cast<std::size_t>(mapSize), GifColorType{0, 0, 0});
        for (std::size_t i = 0; i < palette.size(); ++i)
            colours[i] = GifColorType{GifByteType(palette[i] >> 16), GifByteType(palette[i] >> 8),
                                      GifByteType(palette[i])};
        ColorMapObject *map = GifMakeMapObject(mapSize, colours.data());
        if (!map)
            return ImageStatus::failure(ImageMessages::kCannotWrite, "out of memory");
        std::unique_ptr<ColorMapObject, void (*)(ColorMapObject *)> mapGuard(map, GifFreeMapObject);

        std::vector<std::uint8_t> bytes;
        int error = 0;
        GifFileType *raw = EGifOpen(&bytes, writeBytes, &error);
        if (!raw)
            return ImageStatus::failure(ImageMessages::kCannotWrite, gifText(error));
        std::unique_ptr<GifFileType, EncoderCloser> gif(raw);
        EGifSetGifVersion(gif.get(), false);
        const int w = picture.width();
        const int h = picture.height();
        if (EGifPutScreenDesc(gif.get(), w, h, bits, 0, map) == GIF_ERROR ||
            EGifPutImageDesc(gif.get(), 0, 0, w, h, false, nullptr) == GIF_ERROR)
            return ImageStatus::failure(ImageMessages::kCannotWrite, gifText(gif->Error));
        for (int y = 0; y < h; ++y)
            if (EGifPutLine(gif.get(), indices.data() + static_cast<std::size_t>(y) * w, w) == GIF_ERROR)
                return ImageStatus::failure(ImageMessages::kCannotWrite, gifText(gif->Error));
        // Closing writes the trailer, so its result counts too.
        if (EGifCloseFile(gif.release(), &error) == GIF_ERROR)
            return ImageStatus::failure(ImageMessages::kCannotWrite, gifText(error));
        out.swap(bytes);
        return ImageStatus::success();
    } catch (const std::bad_alloc &) {
        return ImageStatus::failure(ImageMessages::kCannotWrite, "out of memory");
    }
}
