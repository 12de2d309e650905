#include "JpegCodec.h"

#include "ColourProfile.h"

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <jerror.h>
#include <jpeglib.h>
#include <memory>
#include <new>

namespace {

// A hostile progressive file can hold thousands of tiny scans, each of which
// makes the library walk the whole coefficient buffer again.
constexpr int kMaxScans = 1000;

struct JpegErrorManager
{
    jpeg_error_mgr pub;
    bool dataRanOut = false; // the entropy data hit a marker before it was done
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

struct JpegProgress
{
    jpeg_progress_mgr pub;
    JpegErrorManager *err;
};

void onJpegError(j_common_ptr cinfo)
{
    auto *err = reinterpret_cast<JpegErrorManager *>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

// Warnings are mostly harmless (stray bytes before a marker are common in
// camera files), but running out of data means the library would invent the
// missing rows: that one is an error for us.
void onJpegMessage(j_common_ptr cinfo, int level)
{
    if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF) {
        auto *err = reinterpret_cast<JpegErrorManager *>(cinfo->err);
        (*cinfo->err->format_message)(cinfo, err->message);
        std::longjmp(err->jump, 1);
    }
    if (level < 0 && cinfo->err->msg_code == JWRN_HIT_MARKER)
        reinterpret_cast<JpegErrorManager *>(cinfo->err)->dataRanOut = true;
    if (level < 0)
        cinfo->err->num_warnings++;
}

void onJpegProgress(j_common_ptr cinfo)
{
    if (!cinfo->is_decompressor)
        return;
    auto *d = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (d->input_scan_number > kMaxScans) {
        auto *progress = reinterpret_cast<JpegProgress *>(cinfo->progress);
        std::snprintf(progress->err->message, JMSG_LENGTH_MAX, "more than %d scans", kMaxScans);
        std::longjmp(progress->err->jump, 1);
    }
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
    int orientation = 1;
    int boxWidth = 0;  ///< with a box, decode at a reduced DCT scale
    int boxHeight = 0;
    int uprightWidth = 0; ///< the picture's own size, turned upright
    int uprightHeight = 0;
    bool tooLarge = false;
    bool outOfMemory = false;
    char message[JMSG_LENGTH_MAX] = {};
    // The embedded colour profile (APP2 chunks joined), malloc'd by the
    // library; freed by the caller whichever way decoding ends.
    JOCTET *icc = nullptr;
    unsigned int iccSize = 0;
};

void cmykRowToBgr(const JSAMPLE *cmyk, std::uint8_t *bgr, JDIMENSION width, bool inverted)
{
    for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
        unsigned c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        // Now each value is the amount of light the ink lets through.
        bgr[0] = static_cast<std::uint8_t>((y * k + 127) / 255);
        bgr[1] = static_cast<std::uint8_t>((m * k + 127) / 255);
        bgr[2] = static_cast<std::uint8_t>((c * k + 127) / 255);
    }
}

// The one function that holds the setjmp for decoding. Only plain C data lives
// in this frame, so the longjmp from the library's error exit skips nothing.
bool runDecode(DecodeJob *job)
{
    jpeg_decompress_struct cinfo;
    JpegErrorManager err;
    JpegProgress progress;

    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = onJpegError;
    err.pub.emit_message = onJpegMessage;
    err.message[0] = '\0';
    progress.pub.progress_monitor = onJpegProgress;
    progress.err = &err;

    if (setjmp(err.jump)) {
        std::memcpy(job->message, err.message, sizeof job->message);
        jpeg_destroy_decompress(&cinfo);
        return false;
    }

    jpeg_create_decompress(&cinfo);
    cinfo.progress = &progress.pub;
    jpeg_mem_src(&cinfo, job->data, static_cast<unsigned long>(job->size));
    jpeg_save_markers(&cinfo, JPEG_APP0 + 1, 0xFFFF);
    jpeg_save_markers(&cinfo, JPEG_APP0 + 2, 0xFFFF);
    jpeg_read_header(&cinfo, TRUE);
    if (!jpeg_read_icc_profile(&cinfo, &job->icc, &job->iccSize))
        job->iccSize = 0;

    if (!Picture24::sizeAcceptable(cinfo.image_width, cinfo.image_height)) {
        job->tooLarge = true;
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    for (jpeg_saved_marker_ptr m = cinfo.marker_list; m; m = m->next) {
        if (m->marker == JPEG_APP0 + 1) {
            const int o = JpegCodec::exifOrientation(m->data, m->data_length);
            if (o != 1) {
                job->orientation = o;
                break;
            }
        }
    }

    const bool turned = job->orientation >= 5;
    job->uprightWidth = static_cast<int>(turned ? cinfo.image_height : cinfo.image_width);
    job->uprightHeight = static_cast<int>(turned ? cinfo.image_width : cinfo.image_height);
    if (job->boxWidth > 0 && job->boxHeight > 0) {
        // The box applies to the upright picture.
        const int w = job->uprightWidth;
        const int h = job->uprightHeight;
        cinfo.scale_num = static_cast<unsigned>(JpegCodec::scaleEighths(w, h, job->boxWidth, job->boxHeight));
        cinfo.scale_denom = 8;
    }
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
    jpeg_start_decompress(&cinfo);

    const JDIMENSION width = cinfo.output_width;
    const int height = static_cast<int>(cinfo.output_height);
    // The first line is decoded before the picture is allocated: a file
    // that claims a huge size and holds no data fails here, cheaply.
    JSAMPARRAY buffer = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                                   width * (cmyk ? 4 : 3), 1);
    jpeg_read_scanlines(&cinfo, buffer, 1);
    // Data that ends inside the first band of rows of a sequential file
    // leaves every later row to be invented as grey: a few hundred bytes
    // would claim a picture of hundreds of megabytes. (A file short of a few
    // bits at its very end still opens.)
    if (err.dataRanOut && !cinfo.buffered_image && !jpeg_has_multiple_scans(&cinfo)
        && cinfo.output_height > JDIMENSION(cinfo.max_v_samp_factor * DCTSIZE)) {
        std::snprintf(job->message, sizeof job->message, "image data ends in its first rows");
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    if (!allocatePicture(job->picture, static_cast<int>(width), height)) {
        job->outOfMemory = true;
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    Picture24 *picture = job->picture;

    if (cmyk) {
        const bool inverted = cinfo.saw_Adobe_marker;
        cmykRowToBgr(buffer[0], picture->scanLine(0), width, inverted);
        while (cinfo.output_scanline < cinfo.output_height) {
            const int y = static_cast<int>(cinfo.output_scanline);
            jpeg_read_scanlines(&cinfo, buffer, 1);
            cmykRowToBgr(buffer[0], picture->scanLine(y), width, inverted);
        }
    } else {
        std::memcpy(picture->scanLine(0), buffer[0], std::size_t(width) * 3);
        // Rows go straight into their place in the bottom-up picture.
        JSAMPROW rows[4];
        while (cinfo.output_scanline < cinfo.output_height) {
            const int y = static_cast<int>(cinfo.output_scanline);
            const int count = std::min(4, height - y);
            for (int i = 0; i < count; ++i)
                rows[i] = picture->scanLine(y + i);
            jpeg_read_scanlines(&cinfo, rows, static_cast<JDIMENSION>(count));
        }
    }

    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

struct EncodeJob
{
    const Picture24 *picture = nullptr;
    int quality = 75;
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    char message[JMSG_LENGTH_MAX] = {};
};

// The one function that holds the setjmp for encoding (see runDecode).
bool runEncode(EncodeJob *job)
{
    jpeg_compress_struct cinfo;
    JpegErrorManager err;

    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = onJpegError;
    err.message[0] = '\0';

    if (setjmp(err.jump)) {
        std::memcpy(job->message, err.message, sizeof job->message);
        jpeg_destroy_compress(&cinfo);
        return false;
    }

    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, &job->buffer, &job->size);
    cinfo.image_width = static_cast<JDIMENSION>(job->picture->width());
    cinfo.image_height = static_cast<JDIMENSION>(job->picture->height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, job->quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        // The library does not write through the row pointer.
        JSAMPROW row = const_cast<JSAMPROW>(job->picture->scanLine(static_cast<int>(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

std::uint16_t read16(const std::uint8_t *p, bool bigEndian)
{
    return bigEndian ? std::uint16_t((p[0] << 8) | p[1]) : std::uint16_t((p[1] << 8) | p[0]);
}

std::uint32_t read32(const std::uint8_t *p, bool bigEndian)
{
    return bigEndian
               ? (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3]
               : (std::uint32_t(p[3]) << 24) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[1]) << 8) |
                     p[0];
}

} // namespace

int JpegCodec::exifOrientation(const std::uint8_t *app1, std::size_t size)
{
    static constexpr std::uint8_t kExif[6] = {'E', 'x', 'i', 'f', 0, 0};
    if (!app1 || size < 6 + 8 || std::memcmp(app1, kExif, 6) != 0)
        return 1;
    const std::uint8_t *tiff = app1 + 6;
    const std::size_t tiffSize = size - 6;
    bool bigEndian;
    if (tiff[0] == 'I' && tiff[1] == 'I')
        bigEndian = false;
    else if (tiff[0] == 'M' && tiff[1] == 'M')
        bigEndian = true;
    else
        return 1;
    if (read16(tiff + 2, bigEndian) != 42)
        return 1;
    const std::uint32_t ifd = read32(tiff + 4, bigEndian);
    if (ifd < 8 || ifd > tiffSize - 2)
        return 1;
    const std::size_t count = read16(tiff + ifd, bigEndian);
    const std::size_t first = std::size_t(ifd) + 2;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = first + 12 * i;
        if (at + 12 > tiffSize)
            return 1;
        const std::uint8_t *entry = tiff + at;
        if (read16(entry, bigEndian) != 0x0112)
            continue;
        const std::uint16_t type = read16(entry + 2, bigEndian);
        int value = 0;
        if (type == 3) // SHORT: left-justified in the value field
            value = read16(entry + 8, bigEndian);
        else if (type == 4) // LONG, written so by a few programs
            value = static_cast<int>(read32(entry + 8, bigEndian));
        return value >= 1 && value <= 8 ? value : 1;
    }
    return 1;
}

void JpegCodec::applyOrientation(const Picture24 &in, int orientation, Picture24 &out)
{
    const int w = in.width();
    const int h = in.height();
    if (orientation < 2 || orientation > 8) {
        out = in;
        return;
    }
    const bool exchange = orientation >= 5;
    Picture24 result(exchange ? h : w, exchange ? w : h);
    const int ow = result.width();
    const int oh = result.height();
    for (int y = 0; y < oh; ++y) {
        std::uint8_t *dst = result.scanLine(y);
        for (int x = 0; x < ow; ++x, dst += 3) {
            int sx = x, sy = y;
            switch (orientation) {
            case 2:
                sx = w - 1 - x;
                sy = y;
                break;
            case 3:
                sx = w - 1 - x;
                sy = h - 1 - y;
                break;
            case 4:
                sx = x;
                sy = h - 1 - y;
                break;
            case 5:
                sx = y;
                sy = x;
                break;
            case 6:
                sx = y;
                sy = h - 1 - x;
                break;
            case 7:
                sx = w - 1 - y;
                sy = h - 1 - x;
                break;
            case 8:
                sx = w - 1 - y;
                sy = x;
                break;
            }
            const std::uint8_t *src = in.scanLine(sy) + 3 * sx;
            dst[0] = src[0];
            dst[1] = src[1];
            dst[2] = src[2];
        }
    }
    out.swap(result);
}

int JpegCodec::scaleEighths(int width, int height, int boxWidth, int boxHeight)
{
    if (width <= 0 || height <= 0 || boxWidth <= 0 || boxHeight <= 0)
        return 8;
    const double s = std::min(static_cast<double>(boxWidth) / width, static_cast<double>(boxHeight) / height);
    // The reduced picture's sides, rounded up so the decoded one never falls short.
    const std::int64_t needW = std::min<std::int64_t>(width, static_cast<std::int64_t>(std::ceil(width * s)));
    const std::int64_t needH = std::min<std::int64_t>(height, static_cast<std::int64_t>(std::ceil(height * s)));
    for (int n = 1; n < 8; ++n) {
        const std::int64_t w = (std::int64_t(width) * n + 7) / 8;
        const std::int64_t h = (std::int64_t(height) * n + 7) / 8;
        if (w >= needW && h >= needH)
            return n;
    }
    return 8;
}

ImageStatus JpegCodec::decode(const std::uint8_t *data, std::size_t size, Picture24 &out)
{
    return decodeScaled(data, size, 0, 0, out);
}

ImageStatus JpegCodec::decodeScaled(const std::uint8_t *data, std::size_t size, int boxWidth, int boxHeight,
                                    Picture24 &out, int *uprightWidth, int *uprightHeight)
{
    if (!data || size < 4)
        return ImageStatus::failure(ImageMessages::kCorrupt, "no JPEG data");
    try {
        Picture24 picture;
        DecodeJob job;
        job.data = data;
        job.size = size;
        job.boxWidth = boxWidth;
        job.boxHeight = boxHeight;
        job.picture = &picture;
        const bool decoded = runDecode(&job);
        const std::unique_ptr<JOCTET, decltype(&std::free)> icc(job.icc, &std::free);
        if (!decoded) {
            if (job.tooLarge)
                return ImageStatus::failure(ImageMessages::kTooLarge);
            if (job.outOfMemory)
                return ImageStatus::failure(ImageMessages::kTooLarge, "out of memory");
            return ImageStatus::failure(ImageMessages::kCorrupt, job.message);
        }
        // Before turning upright: the same work, and no second picture yet.
        ColourProfile::convertToSrgb(icc.get(), job.iccSize, picture);
        if (job.orientation != 1) {
            Picture24 upright;
            applyOrientation(picture, job.orientation, upright);
            picture.swap(upright);
        }
        out.swap(picture);
        if (uprightWidth)
            *uprightWidth = job.uprightWidth;
        if (uprightHeight)
            *uprightHeight = job.uprightHeight;
        return ImageStatus::success();
    } catch (const std::bad_alloc &) {
        return ImageStatus::failure(ImageMessages::kTooLarge, "out of memory");
    }
}

ImageStatus JpegCodec::encode(const Picture24 &picture, int quality, std::vector<std::uint8_t> &out)
{
    if (picture.isNull())
        return ImageStatus::failure(ImageMessages::kNothingToSave);
    EncodeJob job;
    job.picture = &picture;
    job.quality = std::clamp(quality, 1, 100);
    const bool ok = runEncode(&job);
    ImageStatus status;
    try {
        if (ok)
            out.assign(job.buffer, job.buffer + job.size);
        else
            status = ImageStatus::failure(ImageMessages::kCannotWrite, job.message);
    } catch (const std::bad_alloc &) {
        status = ImageStatus::failure(ImageMessages::kCannotWrite, "out of memory");
    }
    std::free(job.buffer);
    return status;
}
