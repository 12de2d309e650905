#include "PngCodec.h"

#include "ColourProfile.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <png.h>

namespace {

constexpr std::size_t kMessageLength = 200;

// Ancillary data libpng may keep (text, profiles, unknown chunks): far above
// any real file's and far below what a forged length could make it reserve.
constexpr png_alloc_size_t kChunkMemoryCap = 8u << 20;
constexpr png_uint_32 kChunkCountCap = 256;

struct PngErrorState
{
    char message[kMessageLength];
};

struct PngReader
{
    const std::uint8_t *data;
    std::size_t size;
    std::size_t pos;
};

void onPngError(png_structp png, png_const_charp text)
{
    auto *state = static_cast<PngErrorState *>(png_get_error_ptr(png));
    if (state)
        std::snprintf(state->message, kMessageLength, "%s", text ? text : "libpng error");
    png_longjmp(png, 1);
}

void onPngWarning(png_structp, png_const_charp)
{
}

void readBytes(png_structp png, png_bytep out, png_size_t count)
{
    auto *reader = static_cast<PngReader *>(png_get_io_ptr(png));
    if (count > reader->size - reader->pos)
        png_error(png, "unexpected end of file");
    std::memcpy(out, reader->data + reader->pos, count);
    reader->pos += count;
}

void writeBytes(png_structp png, png_bytep data, png_size_t count)
{
    auto *out = static_cast<std::vector<std::uint8_t> *>(png_get_io_ptr(png));
    bool ok = true;
    try {
        out->insert(out->end(), data, data + count);
    } catch (...) {
        ok = false;
    }
    if (!ok)
        png_error(png, "out of memory");
}

void flushBytes(png_structp)
{
}

std::uint32_t chunkLength(const std::uint8_t *p)
{
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8)
           | std::uint32_t(p[3]);
}

// libpng reserves a chunk's declared length before it reads the bytes, so a
// few forged length bytes cost gigabytes. Every chunk before the pixel data
// has to fit in what is left of the file; IDAT is streamed in small pieces and
// nothing after it is read.
bool headerChunksFit(const std::uint8_t *data, std::size_t size)
{
    std::size_t pos = 8;
    while (size - pos >= 8) {
        const std::uint32_t length = chunkLength(data + pos);
        if (std::memcmp(data + pos + 4, "IDAT", 4) == 0)
            return true;
        if (length > size - pos - 8)
            return false;
        // Length, type, data, CRC; a file may end without the CRC of its last chunk.
        pos += 8 + std::size_t(length);
        if (size - pos < 4)
            return true;
        pos += 4;
    }
    return true;
}

bool allocatePicture(Picture24 *picture, int width, int height) noexcept
{
    try {
        picture->reset(width, height);
        return true;
    } catch (...) {
        return false;
    }
}

struct DecodeJob
{
    const std::uint8_t *data = nullptr;
    std::size_t size = 0;
    Picture24 *picture = nullptr;
    std::uint32_t background = 0;
    bool tooLarge = false;
    bool outOfMemory = false;
    // Buffers held outside the setjmp frame so that the error path frees them.
    std::uint8_t *pixels = nullptr;
    png_bytep *rows = nullptr;
    PngErrorState error = {};
    // Conversion of the iCCP profile to sRGB, owned by the caller once
    // decoding ends (either way); null for files without one.
    ColourProfile *conversion = nullptr;
};

// Kept out of runDecode's frame: it builds C++ objects.
void prepareConversion(DecodeJob *job, png_structp png, png_infop info, int channels) noexcept
{
    png_charp name = nullptr;
    int compression = 0;
    png_bytep profile = nullptr;
    png_uint_32 length = 0;
    if (!(png_get_iCCP(png, info, &name, &compression, &profile, &length) & PNG_INFO_iCCP))
        return;
    try {
        const auto layout = channels == 4 ? ColourProfile::Layout::Bgra : ColourProfile::Layout::Bgr;
        job->conversion = ColourProfile::toSrgb(profile, length, layout).release();
    } catch (...) {
        job->conversion = nullptr; // the picture is shown unconverted
    }
}

void compositeRow(const std::uint8_t *bgra, std::uint8_t *bgr, png_uint_32 width, const unsigned bg[3])
{
    for (png_uint_32 x = 0; x < width; ++x, bgra += 4, bgr += 3) {
        const unsigned a = bgra[3];
        if (a == 255) {
            bgr[0] = bgra[0];
            bgr[1] = bgra[1];
            bgr[2] = bgra[2];
        } else {
            const unsigned rest = 255 - a;
            for (int c = 0; c < 3; ++c)
                bgr[c] = static_cast<std::uint8_t>((bgra[c] * a + bg[c] * rest + 127) / 255);
        }
    }
}

void releaseBuffers(DecodeJob *job)
{
    std::free(job->pixels);
    std::free(job->rows);
    job->pixels = nullptr;
    job->rows = nullptr;
}

// The one function that holds the setjmp for decoding: only plain C data in
// this frame, so libpng's longjmp skips no destructor.
bool runDecode(DecodeJob *job)
{
    PngReader reader = {job->data, job->size, 0};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &job->error, onPngError, onPngWarning);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        releaseBuffers(job);
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }

    png_set_read_fn(png, &reader, readBytes);
    png_set_user_limits(png, Picture24::kMaxSide, Picture24::kMaxSide);
    png_set_chunk_malloc_max(png, kChunkMemoryCap);
    png_set_chunk_cache_max(png, kChunkCountCap);
    png_set_crc_action(png, PNG_CRC_ERROR_QUIT, PNG_CRC_WARN_DISCARD);
    png_read_info(png, info);

    png_uint_32 width = 0, height = 0;
    int bitDepth = 0, colourType = 0, interlace = 0;
    png_get_IHDR(png, info, &width, &height, &bitDepth, &colourType, &interlace, nullptr, nullptr);
    if (!Picture24::sizeAcceptable(width, height)) {
        job->tooLarge = true;
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }

    png_set_expand(png);
    if (bitDepth == 16)
        png_set_scale_16(png);
    if (!(colourType & PNG_COLOR_MASK_COLOR))
        png_set_gray_to_rgb(png);
    png_set_bgr(png);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);

    const int channels = png_get_channels(png, info);
    const png_size_t rowBytes = png_get_rowbytes(png, info);
    if ((channels != 3 && channels != 4) || rowBytes != png_size_t(width) * channels)
        png_error(png, "unexpected pixel layout");
    prepareConversion(job, png, info, channels);

    const int h = static_cast<int>(height);
    if (!allocatePicture(job->picture, static_cast<int>(width), h)) {
        job->outOfMemory = true;
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    Picture24 *picture = job->picture;

    if (channels == 3) {
        if (passes == 1) {
            for (int y = 0; y < h; ++y)
                png_read_row(png, picture->scanLine(y), nullptr);
        } else {
            job->rows = static_cast<png_bytep *>(std::malloc(sizeof(png_bytep) * height));
            if (!job->rows)
                png_error(png, "out of memory");
            for (int y = 0; y < h; ++y)
                job->rows[y] = picture->scanLine(y);
            png_read_image(png, job->rows);
        }
    } else {
        const unsigned bg[3] = {job->background & 0xFF, (job->background >> 8) & 0xFF,
                                (job->background >> 16) & 0xFF};
        if (passes == 1) {
            job->pixels = static_cast<std::uint8_t *>(std::malloc(rowBytes));
            if (!job->pixels)
                png_error(png, "out of memory");
            for (int y = 0; y < h; ++y) {
                png_read_row(png, job->pixels, nullptr);
                if (job->conversion)
                    job->conversion->convertRows(job->pixels, static_cast<int>(width), 1, 0);
                compositeRow(job->pixels, picture->scanLine(y), width, bg);
            }
        } else {
            // Interlaced passes revisit every row, so the whole image is kept.
            job->pixels = static_cast<std::uint8_t *>(std::malloc(rowBytes * height));
            job->rows = static_cast<png_bytep *>(std::malloc(sizeof(png_bytep) * height));
            if (!job->pixels || !job->rows)
                png_error(png, "out of memory");
            for (int y = 0; y < h; ++y)
                job->rows[y] = job->pixels + rowBytes * y;
            png_read_image(png, job->rows);
            if (job->conversion)
                job->conversion->convertRows(job->pixels, static_cast<int>(width), h,
                                             static_cast<std::ptrdiff_t>(rowBytes), 2);
            for (int y = 0; y < h; ++y)
                compositeRow(job->rows[y], picture->scanLine(y), width, bg);
        }
    }

    // The trailing chunks carry nothing we show; a file cut after its pixel
    // data is still a whole picture.
    releaseBuffers(job);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

struct EncodeJob
{
    const Picture24 *picture = nullptr;
    std::vector<std::uint8_t> *out = nullptr;
    PngErrorState error = {};
};

// The one function that holds the setjmp for encoding.
bool runEncode(EncodeJob *job)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &job->error, onPngError, onPngWarning);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    const Picture24 *picture = job->picture;
    png_set_write_fn(png, job->out, writeBytes, flushBytes);
    png_set_IHDR(png, info, static_cast<png_uint_32>(picture->width()),
                 static_cast<png_uint_32>(picture->height()), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_set_bgr(png);
    for (int y = 0; y < picture->height(); ++y)
        png_write_row(png, const_cast<png_bytep>(picture->scanLine(y)));
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

ImageStatus PngCodec::decode(const std::uint8_t *data, std::size_t size, Picture24 &out,
                             std::uint32_t background)
{
    if (!data || size < 8 || png_sig_cmp(data, 0, 8) != 0)
        return ImageStatus::failure(ImageMessages::kCorrupt, "not a PNG signature");
    if (!headerChunksFit(data, size))
        return ImageStatus::failure(ImageMessages::kCorrupt, "chunk longer than the file");
    try {
        Picture24 picture;
        DecodeJob job;
        job.data = data;
        job.size = size;
        job.picture = &picture;
        job.background = background;
        const bool decoded = runDecode(&job);
        const std::unique_ptr<ColourProfile> conversion(job.conversion);
        if (!decoded) {
            if (job.tooLarge)
                return ImageStatus::failure(ImageMessages::kTooLarge);
            if (job.outOfMemory)
                return ImageStatus::failure(ImageMessages::kTooLarge, "out of memory");
            return ImageStatus::failure(ImageMessages::kCorrupt, job.error.message);
        }
        // Rows with alpha were converted before compositing.
        if (conversion)
            conversion->convert(picture);
        out.swap(picture);
        return ImageStatus::success();
    } catch (const std::bad_alloc &) {
        return ImageStatus::failure(ImageMessages::kTooLarge, "out of memory");
    }
}

ImageStatus PngCodec::encode(const Picture24 &picture, std::vector<std::uint8_t> &out)
{
    if (picture.isNull())
        return ImageStatus::failure(ImageMessages::kNothingToSave);
    std::vector<std::uint8_t> bytes;
    EncodeJob job;
    job.picture = &picture;
    job.out = &bytes;
    if (!runEncode(&job))
        return ImageStatus::failure(ImageMessages::kCannotWrite, job.error.message);
    out.swap(bytes);
    return ImageStatus::success();
}
