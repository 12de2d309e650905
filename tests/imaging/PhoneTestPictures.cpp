#include "PhoneTestPictures.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <jpeglib.h>
#include <lcms2.h>
#include <libheif/heif.h>
#include <png.h>
#include <tiffio.h>
#include <webp/encode.h>
#include <webp/mux.h>

namespace {

std::vector<std::uint8_t> saveProfile(cmsHPROFILE profile)
{
    std::vector<std::uint8_t> bytes;
    cmsUInt32Number size = 0;
    if (profile && cmsSaveProfileToMem(profile, nullptr, &size) && size > 0) {
        bytes.resize(size);
        if (!cmsSaveProfileToMem(profile, bytes.data(), &size))
            bytes.clear();
    }
    if (profile)
        cmsCloseProfile(profile);
    return bytes;
}

heif_error appendBytes(heif_context *, const void *data, size_t size, void *userdata)
{
    auto *out = static_cast<std::vector<std::uint8_t> *>(userdata);
    out->insert(out->end(), static_cast<const std::uint8_t *>(data),
                static_cast<const std::uint8_t *>(data) + size);
    return {heif_error_Ok, heif_suberror_Unspecified, "ok"};
}

std::vector<std::uint8_t> rgbaOf(const Picture24 &picture, const std::vector<std::uint8_t> &alpha)
{
    const int w = picture.width(), h = picture.height();
    std::vector<std::uint8_t> rgba(std::size_t(w) * h * 4);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::uint32_t p = picture.pixel(x, y);
            std::uint8_t *d = &rgba[(std::size_t(y) * w + x) * 4];
            d[0] = std::uint8_t(p >> 16);
            d[1] = std::uint8_t(p >> 8);
            d[2] = std::uint8_t(p);
            d[3] = alpha.empty() ? 255 : alpha[std::size_t(y) * w + x];
        }
    return rgba;
}

void pngWrite(png_structp png, png_bytep data, png_size_t size)
{
    auto *out = static_cast<std::vector<std::uint8_t> *>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + size);
}

void pngFlush(png_structp)
{
}

} // namespace

std::vector<std::uint8_t> PhoneTestPictures::displayP3Profile()
{
    const cmsCIExyY d65 = {0.3127, 0.3290, 1.0};
    const cmsCIExyYTRIPLE p3 = {{0.680, 0.320, 1.0}, {0.265, 0.690, 1.0}, {0.150, 0.060, 1.0}};
    const cmsFloat64Number srgbCurve[5] = {2.4, 1.0 / 1.055, 0.055 / 1.055, 1.0 / 12.92, 0.04045};
    cmsToneCurve *curve = cmsBuildParametricToneCurve(nullptr, 4, srgbCurve);
    cmsToneCurve *curves[3] = {curve, curve, curve};
    cmsHPROFILE profile = cmsCreateRGBProfile(&d65, &p3, curves);
    cmsFreeToneCurve(curve);
    return saveProfile(profile);
}

std::vector<std::uint8_t> PhoneTestPictures::srgbProfile()
{
    return saveProfile(cmsCreate_sRGBProfile());
}

std::vector<std::uint8_t> PhoneTestPictures::heic(const Picture24 &picture, int quality, int bits,
                                                  int orientation, const std::vector<std::uint8_t> &alpha,
                                                  const std::vector<std::uint8_t> &icc)
{
    std::vector<std::uint8_t> out;
    const int w = picture.width(), h = picture.height();
    const bool hasAlpha = !alpha.empty();
    heif_context *ctx = heif_context_alloc();
    heif_encoder *encoder = nullptr;
    heif_image *image = nullptr;
    heif_encoding_options *options = heif_encoding_options_alloc();
    const heif_chroma chroma =
        bits == 8 ? (hasAlpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB)
                  : (hasAlpha ? heif_chroma_interleaved_RRGGBBAA_LE : heif_chroma_interleaved_RRGGBB_LE);
    if (heif_context_get_encoder_for_format(ctx, heif_compression_HEVC, &encoder).code == heif_error_Ok &&
        heif_image_create(w, h, heif_colorspace_RGB, chroma, &image).code == heif_error_Ok &&
        heif_image_add_plane(image, heif_channel_interleaved, w, h, bits).code == heif_error_Ok) {
        int stride = 0;
        std::uint8_t *plane = heif_image_get_plane(image, heif_channel_interleaved, &stride);
        const std::vector<std::uint8_t> rgba = rgbaOf(picture, alpha);
        const int channels = hasAlpha ? 4 : 3;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                for (int c = 0; c < channels; ++c) {
                    const unsigned v = rgba[(std::size_t(y) * w + x) * 4 + c];
                    if (bits == 8) {
                        plane[std::size_t(y) * stride + x * channels + c] = std::uint8_t(v);
                    } else {
                        const unsigned v10 = (v << 2) | (v >> 6);
                        std::uint8_t *d = plane + std::size_t(y) * stride + (x * channels + c) * 2;
                        d[0] = std::uint8_t(v10);
                        d[1] = std::uint8_t(v10 >> 8);
                    }
                }
        if (!icc.empty())
            heif_image_set_raw_color_profile(image, "prof", icc.data(), icc.size());
        heif_encoder_set_lossy_quality(encoder, quality);
        options->image_orientation = static_cast<heif_orientation>(orientation);
        if (heif_context_encode_image(ctx, image, encoder, options, nullptr).code == heif_error_Ok) {
            heif_writer writer = {1, appendBytes};
            if (heif_context_write(ctx, &writer, &out).code != heif_error_Ok)
                out.clear();
        }
    }
    heif_encoding_options_free(options);
    if (image)
        heif_image_release(image);
    if (encoder)
        heif_encoder_release(encoder);
    heif_context_free(ctx);
    return out;
}

std::vector<std::uint8_t> PhoneTestPictures::webp(const Picture24 &picture, int quality,
                                                  const std::vector<std::uint8_t> &alpha,
                                                  const std::vector<std::uint8_t> &icc)
{
    const int w = picture.width(), h = picture.height();
    const std::vector<std::uint8_t> rgba = rgbaOf(picture, alpha);
    std::uint8_t *encoded = nullptr;
    std::size_t size = 0;
    if (alpha.empty()) {
        std::vector<std::uint8_t> rgb(std::size_t(w) * h * 3);
        for (std::size_t i = 0; i < std::size_t(w) * h; ++i)
            std::memcpy(&rgb[i * 3], &rgba[i * 4], 3);
        size = quality < 0 ? WebPEncodeLosslessRGB(rgb.data(), w, h, w * 3, &encoded)
                           : WebPEncodeRGB(rgb.data(), w, h, w * 3, float(quality), &encoded);
    } else {
        size = quality < 0 ? WebPEncodeLosslessRGBA(rgba.data(), w, h, w * 4, &encoded)
                           : WebPEncodeRGBA(rgba.data(), w, h, w * 4, float(quality), &encoded);
    }
    std::vector<std::uint8_t> out(encoded, encoded + size);
    WebPFree(encoded);
    if (icc.empty() || out.empty())
        return out;
    WebPData image = {out.data(), out.size()};
    WebPMux *mux = WebPMuxCreate(&image, 1);
    WebPData profile = {icc.data(), icc.size()};
    WebPData assembled = {nullptr, 0};
    std::vector<std::uint8_t> withProfile;
    if (mux && WebPMuxSetChunk(mux, "ICCP", &profile, 1) == WEBP_MUX_OK &&
        WebPMuxAssemble(mux, &assembled) == WEBP_MUX_OK)
        withProfile.assign(assembled.bytes, assembled.bytes + assembled.size);
    WebPDataClear(&assembled);
    WebPMuxDelete(mux);
    return withProfile;
}

std::vector<std::uint8_t> PhoneTestPictures::animatedWebp(const std::vector<Picture24> &frames)
{
    std::vector<std::uint8_t> out;
    if (frames.empty())
        return out;
    const int w = frames.front().width(), h = frames.front().height();
    WebPAnimEncoderOptions animOptions;
    WebPConfig config;
    if (!WebPAnimEncoderOptionsInit(&animOptions) || !WebPConfigInit(&config))
        return out;
    config.lossless = 1;
    WebPAnimEncoder *encoder = WebPAnimEncoderNew(w, h, &animOptions);
    int timestamp = 0;
    bool ok = encoder != nullptr;
    for (const Picture24 &frame : frames) {
        if (!ok)
            break;
        WebPPicture picture;
        WebPPictureInit(&picture);
        picture.use_argb = 1;
        picture.width = w;
        picture.height = h;
        const std::vector<std::uint8_t> rgba = rgbaOf(frame, {});
        ok = WebPPictureImportRGBA(&picture, rgba.data(), w * 4) &&
             WebPAnimEncoderAdd(encoder, &picture, timestamp, &config);
        WebPPictureFree(&picture);
        timestamp += 100;
    }
    WebPData data = {nullptr, 0};
    if (ok && WebPAnimEncoderAdd(encoder, nullptr, timestamp, nullptr) &&
        WebPAnimEncoderAssemble(encoder, &data))
        out.assign(data.bytes, data.bytes + data.size);
    WebPDataClear(&data);
    WebPAnimEncoderDelete(encoder);
    return out;
}

std::vector<std::uint8_t> PhoneTestPictures::jpegWithProfile(const Picture24 &picture,
                                                             const std::vector<std::uint8_t> &icc)
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(picture.width());
    cinfo.image_height = JDIMENSION(picture.height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 95, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    if (!icc.empty())
        jpeg_write_icc_profile(&cinfo, icc.data(), static_cast<unsigned int>(icc.size()));
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(picture.scanLine(int(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::vector<std::uint8_t> out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

std::vector<std::uint8_t> PhoneTestPictures::pngWithProfile(const Picture24 &picture,
                                                            const std::vector<std::uint8_t> &icc)
{
    std::vector<std::uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &out, pngWrite, pngFlush);
    png_set_IHDR(png, info, png_uint_32(picture.width()), png_uint_32(picture.height()), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!icc.empty())
        png_set_iCCP(png, info, "Display P3", PNG_COMPRESSION_TYPE_BASE, icc.data(), png_uint_32(icc.size()));
    png_write_info(png, info);
    png_set_bgr(png);
    for (int y = 0; y < picture.height(); ++y)
        png_write_row(png, const_cast<png_bytep>(picture.scanLine(y)));
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

std::vector<std::uint8_t> PhoneTestPictures::tiffWithProfile(const Picture24 &picture,
                                                             const std::vector<std::uint8_t> &icc)
{
    // libtiff writes to files most simply; the bytes are read back.
    char name[] = "/tmp/quenda-tiff-XXXXXX";
    const int fd = mkstemp(name);
    if (fd < 0)
        return {};
    std::vector<std::uint8_t> out;
    if (TIFF *tif = TIFFFdOpen(fd, name, "w")) {
        const auto w = std::uint32_t(picture.width()), h = std::uint32_t(picture.height());
        TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, w);
        TIFFSetField(tif, TIFFTAG_IMAGELENGTH, h);
        TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8);
        TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 3);
        TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
        TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
        TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, h);
        if (!icc.empty())
            TIFFSetField(tif, TIFFTAG_ICCPROFILE, std::uint32_t(icc.size()), icc.data());
        std::vector<std::uint8_t> line(std::size_t(w) * 3);
        for (std::uint32_t y = 0; y < h; ++y) {
            const std::uint8_t *s = picture.scanLine(int(y));
            for (std::uint32_t x = 0; x < w; ++x) {
                line[3 * x] = s[3 * x + 2];
                line[3 * x + 1] = s[3 * x + 1];
                line[3 * x + 2] = s[3 * x];
            }
            TIFFWriteScanline(tif, line.data(), y, 0);
        }
        TIFFClose(tif); // closes fd too
        if (FILE *f = std::fopen(name, "rb")) {
            std::uint8_t chunk[65536];
            std::size_t n;
            while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0)
                out.insert(out.end(), chunk, chunk + n);
            std::fclose(f);
        }
    }
    std::remove(name);
    return out;
}

long PhoneTestPictures::find(const std::vector<std::uint8_t> &bytes, const char *type)
{
    for (std::size_t i = 0; i + 4 <= bytes.size(); ++i)
        if (std::memcmp(&bytes[i], type, 4) == 0)
            return long(i);
    return -1;
}
