#include "TiffCodec.h"

#include "ColourProfile.h"
#include "TiffHandlerGuard.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <tiffio.h>

namespace {

// libtiff's own allocations (strip and tile buffers, tag arrays) above this
// are refused: a small file must not be able to ask for gigabytes.
constexpr tmsize_t kMaxLibraryAllocation = tmsize_t(256) << 20;

struct MemoryFile
{
    const std::uint8_t *data = nullptr; // reading
    std::size_t size = 0;
    std::vector<std::uint8_t> *out = nullptr; // writing
    std::uint64_t pos = 0;

    std::uint64_t length() const { return out ? out->size() : size; }
};

tmsize_t readProc(thandle_t handle, void *buffer, tmsize_t count)
{
    auto *file = static_cast<MemoryFile *>(handle);
    const std::uint64_t length = file->length();
    if (count <= 0 || file->pos >= length)
        return 0;
    const std::uint64_t n = std::min<std::uint64_t>(static_cast<std::uint64_t>(count), length - file->pos);
    const std::uint8_t *source = file->out ? file->out->data() : file->data;
    std::memcpy(buffer, source + file->pos, static_cast<std::size_t>(n));
    file->pos += n;
    return static_cast<tmsize_t>(n);
}

tmsize_t writeProc(thandle_t handle, void *buffer, tmsize_t count)
{
    auto *file = static_cast<MemoryFile *>(handle);
    if (!file->out || count < 0)
        return -1;
    try {
        const std::uint64_t end = file->pos + static_cast<std::uint64_t>(count);
        if (end > file->out->size())
            file->out->resize(static_cast<std::size_t>(end));
        std::memcpy(file->out->data() + file->pos, buffer, static_cast<std::size_t>(count));
        file->pos = end;
        return count;
    } catch (...) {
        return -1;
    }
}

toff_t seekProc(thandle_t handle, toff_t offset, int whence)
{
    auto *file = static_cast<MemoryFile *>(handle);
    std::uint64_t base = 0;
    if (whence == SEEK_CUR)
        base = file->pos;
    else if (whence == SEEK_END)
        base = file->length();
    else if (whence != SEEK_SET)
        return static_cast<toff_t>(-1);
    // Offsets arrive unsigned; a wrap-around means a negative position.
    const std::uint64_t target = base + offset;
    if (target < base && whence != SEEK_SET)
        return static_cast<toff_t>(-1);
    if (!file->out && target > file->length())
        return static_cast<toff_t>(-1);
    file->pos = target;
    return target;
}

int closeProc(thandle_t)
{
    return 0;
}

toff_t sizeProc(thandle_t handle)
{
    return static_cast<MemoryFile *>(handle)->length();
}

// Reading maps the caller's buffer: libtiff then reads strips and tiles in
// place, and its unmapped path for uncompressed tiles (4.5) rejects valid
// files. libtiff never writes through a mapping opened for reading.
int mapProc(thandle_t handle, void **base, toff_t *size)
{
    auto *file = static_cast<MemoryFile *>(handle);
    if (file->out)
        return 0;
    *base = const_cast<std::uint8_t *>(file->data);
    *size = file->size;
    return 1;
}

void unmapProc(thandle_t, void *, toff_t)
{
}

struct TiffCloser
{
    void operator()(TIFF *tif) const { TIFFClose(tif); }
};
using TiffPtr = std::unique_ptr<TIFF, TiffCloser>;

TiffPtr openMemory(MemoryFile &file, const char *mode)
{
    TIFFOpenOptions *options = TIFFOpenOptionsAlloc();
    if (!options)
        return nullptr;
    TIFFOpenOptionsSetMaxSingleMemAlloc(options, kMaxLibraryAllocation);
    TIFF *tif = TIFFClientOpenExt("memory", mode, &file, readProc, writeProc, seekProc, closeProc, sizeProc,
                                  mapProc, unmapProc, options);
    TIFFOpenOptionsFree(options);
    return TiffPtr(tif);
}

// The embedded ICC profile, converted after compositing: libtiff hands
// out premultiplied colours, so the few files with both alpha and a profile
// get their background converted too.
void convertToSrgb(TIFF *tif, Picture24 &picture)
{
    std::uint32_t length = 0;
    void *profile = nullptr;
    if (TIFFGetField(tif, TIFFTAG_ICCPROFILE, &length, &profile) && profile)
        ColourProfile::convertToSrgb(static_cast<const std::uint8_t *>(profile), length, picture);
}

ImageStatus corrupt(const TiffHandlerGuard &guard, const char *fallback)
{
    return ImageStatus::failure(ImageMessages::kCorrupt, guard.hadError() ? guard.lastError() : fallback);
}

// 8-bit RGB or grey in strips, top-left: the kinds cameras and scanners
// write, read row by row without a 32-bit intermediate of the whole image.
bool readPlainScanlines(TIFF *tif, Picture24 &picture, int samples)
{
    const int w = picture.width();
    const tmsize_t lineSize = TIFFScanlineSize(tif);
    if (lineSize < static_cast<tmsize_t>(w) * samples)
        return false;
    std::vector<std::uint8_t> line(static_cast<std::size_t>(lineSize));
    for (int y = 0; y < picture.height(); ++y) {
        if (TIFFReadScanline(tif, line.data(), static_cast<std::uint32_t>(y), 0) < 0)
            return false;
        std::uint8_t *dst = picture.scanLine(y);
        const std::uint8_t *src = line.data();
        if (samples == 3) {
            for (int x = 0; x < w; ++x, src += 3, dst += 3) {
                dst[0] = src[2];
                dst[1] = src[1];
                dst[2] = src[0];
            }
        } else {
            for (int x = 0; x < w; ++x, ++src, dst += 3)
                dst[0] = dst[1] = dst[2] = *src;
        }
    }
    return true;
}

} // namespace

ImageStatus TiffCodec::decode(const std::uint8_t *data, std::size_t size, Picture24 &out,
                              std::uint32_t background)
{
    if (!data || size < 8)
        return ImageStatus::failure(ImageMessages::kCorrupt, "no TIFF data");
    try {
        TiffHandlerGuard guard;
        MemoryFile file;
        file.data = data;
        file.size = size;
        TiffPtr tif = openMemory(file, "r");
        if (!tif)
            return corrupt(guard, "not a TIFF file");

        std::uint32_t width = 0, height = 0;
        if (!TIFFGetField(tif.get(), TIFFTAG_IMAGEWIDTH, &width) ||
            !TIFFGetField(tif.get(), TIFFTAG_IMAGELENGTH, &height))
            return corrupt(guard, "no image size");
        if (!Picture24::sizeAcceptable(width, height))
            return ImageStatus::failure(ImageMessages::kTooLarge);

        std::uint16_t bits = 1, samples = 1, photometric = 0, planar = PLANARCONFIG_CONTIG,
                      orientation = ORIENTATION_TOPLEFT, extraCount = 0;
        std::uint16_t *extraTypes = nullptr;
        TIFFGetFieldDefaulted(tif.get(), TIFFTAG_BITSPERSAMPLE, &bits);
        TIFFGetFieldDefaulted(tif.get(), TIFFTAG_SAMPLESPERPIXEL, &samples);
        TIFFGetFieldDefaulted(tif.get(), TIFFTAG_PLANARCONFIG, &planar);
        TIFFGetFieldDefaulted(tif.get(), TIFFTAG_ORIENTATION, &orientation);
        TIFFGetFieldDefaulted(tif.get(), TIFFTAG_EXTRASAMPLES, &extraCount, &extraTypes);
        const bool hasPhotometric = TIFFGetField(tif.get(), TIFFTAG_PHOTOMETRIC, &photometric) != 0;

        const bool plain = hasPhotometric && !TIFFIsTiled(tif.get()) && planar == PLANARCONFIG_CONTIG &&
                           bits == 8 && extraCount == 0 && orientation == ORIENTATION_TOPLEFT &&
                           ((photometric == PHOTOMETRIC_RGB && samples == 3) ||
                            (photometric == PHOTOMETRIC_MINISBLACK && samples == 1));
        if (plain) {
            Picture24 picture(static_cast<int>(width), static_cast<int>(height));
            if (!readPlainScanlines(tif.get(), picture, samples))
                return corrupt(guard, "cannot read scan lines");
            convertToSrgb(tif.get(), picture);
            out.swap(picture);
            return ImageStatus::success();
        }

        char reason[1024] = {};
        if (!TIFFRGBAImageOK(tif.get(), reason))
            return ImageStatus::failure(ImageMessages::kUnsupported, reason);
        std::vector<std::uint32_t> raster(static_cast<std::size_t>(width) * height);
        if (!TIFFReadRGBAImageOriented(tif.get(), width, height, raster.data(), ORIENTATION_TOPLEFT, 1))
            return corrupt(guard, "cannot read image");
        // Allocated only once the library has read the file: one that fails
        // early costs no picture.
        Picture24 picture(static_cast<int>(width), static_cast<int>(height));

        // The library hands out premultiplied alpha (it converts unassociated
        // alpha itself), so the background only fills what alpha leaves.
        const unsigned bg[3] = {background & 0xFF, (background >> 8) & 0xFF, (background >> 16) & 0xFF};
        for (std::uint32_t y = 0; y < height; ++y) {
            const std::uint32_t *src = raster.data() + static_cast<std::size_t>(y) * width;
            std::uint8_t *dst = picture.scanLine(static_cast<int>(y));
            for (std::uint32_t x = 0; x < width; ++x, dst += 3) {
                const std::uint32_t p = src[x];
                const unsigned a = TIFFGetA(p);
                const unsigned c[3] = {TIFFGetB(p), TIFFGetG(p), TIFFGetR(p)};
                for (int i = 0; i < 3; ++i) {
                    const unsigned v = a == 255 ? c[i] : c[i] + (bg[i] * (255 - a) + 127) / 255;
                    dst[i] = static_cast<std::uint8_t>(std::min(v, 255u));
                }
            }
        }
        convertToSrgb(tif.get(), picture);
        out.swap(picture);
        return ImageStatus::success();
    } catch (const std::bad_alloc &) {
        return ImageStatus::failure(ImageMessages::kTooLarge, "out of memory");
    }
}

ImageStatus TiffCodec::encode(const Picture24 &picture, std::vector<std::uint8_t> &out,
                              Compression compression)
{
    if (picture.isNull())
        return ImageStatus::failure(ImageMessages::kNothingToSave);
    try {
        TiffHandlerGuard guard;
        std::vector<std::uint8_t> bytes;
        MemoryFile file;
        file.out = &bytes;
        TiffPtr tif = openMemory(file, "w");
        if (!tif)
            return ImageStatus::failure(ImageMessages::kCannotWrite, guard.lastError());
        const auto w = static_cast<std::uint32_t>(picture.width());
        const auto h = static_cast<std::uint32_t>(picture.height());
        TIFFSetField(tif.get(), TIFFTAG_IMAGEWIDTH, w);
        TIFFSetField(tif.get(), TIFFTAG_IMAGELENGTH, h);
        TIFFSetField(tif.get(), TIFFTAG_BITSPERSAMPLE, 8);
        TIFFSetField(tif.get(), TIFFTAG_SAMPLESPERPIXEL, 3);
        TIFFSetField(tif.get(), TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
        TIFFSetField(tif.get(), TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
        TIFFSetField(tif.get(), TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
        TIFFSetField(tif.get(), TIFFTAG_COMPRESSION,
                     compression == Compression::Deflate ? COMPRESSION_ADOBE_DEFLATE : COMPRESSION_LZW);
        TIFFSetField(tif.get(), TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL);
        TIFFSetField(tif.get(), TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tif.get(), 0));

        std::vector<std::uint8_t> line(static_cast<std::size_t>(w) * 3);
        for (std::uint32_t y = 0; y < h; ++y) {
            const std::uint8_t *src = picture.scanLine(static_cast<int>(y));
            for (std::uint32_t x = 0; x < w; ++x, src += 3) {
                line[3 * x] = src[2];
                line[3 * x + 1] = src[1];
                line[3 * x + 2] = src[0];
            }
            if (TIFFWriteScanline(tif.get(), line.data(), y, 0) < 0)
                return ImageStatus::failure(ImageMessages::kCannotWrite, guard.lastError());
        }
        if (!TIFFFlush(tif.get()) || guard.hadError())
            return ImageStatus::failure(ImageMessages::kCannotWrite, guard.lastError());
        tif.reset();
        out.swap(bytes);
        return ImageStatus::success();
    } catch (const std::bad_alloc &) {
        return ImageStatus::failure(ImageMessages::kCannotWrite, "out of memory");
    }
}
