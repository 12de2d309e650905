// Decoding speed of the engine's codecs against the bare libraries decoding
// the same bytes from memory, side by side in one run:
//   24-megapixel JPEG (quality 90): libjpeg-turbo into its own buffer vs
//     JpegCodec into the bottom-up picture;
//   24-megapixel PNG: libpng (CRC checks on) vs PngCodec;
//   600 x 800 hair GIF: giflib plus palette lookup vs GifCodec.
// The pictures are generated here, photograph-like: gradients, noise, edges.

#include "GifCodec.h"
#include "ImageFile.h"
#include "JpegCodec.h"
#include "PngCodec.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gif_lib.h>
#include <jpeglib.h>
#include <memory>
#include <png.h>
#include <random>
#include <stdexcept>
#include <vector>

namespace {

Picture24 photograph(int width, int height)
{
    Picture24 p(width, height);
    std::minstd_rand random(42);
    for (int y = 0; y < height; ++y) {
        std::uint8_t *row = p.scanLine(y);
        const double fy = double(y) / height;
        for (int x = 0; x < width; ++x, row += 3) {
            const double fx = double(x) / width;
            int r = int(90 + 120 * fx + 25 * std::sin(fy * 13 + fx * 3));
            int g = int(70 + 110 * fy + 20 * std::cos(fx * 17));
            int b = int(60 + 80 * (1 - fx) * fy + 30 * std::sin((fx - fy) * 11));
            const double dx = fx - 0.5, dy = fy - 0.45;
            if (dx * dx + dy * dy < 0.05) { // a face-sized disc with a hard edge
                r = r * 3 / 4 + 50;
                g = g * 3 / 4 + 20;
                b = b / 2;
            }
            if ((x / 400 + y / 300) % 7 == 0) // a few sharp blocks
                r = g = b = 230;
            const int n = int(random() % 17) - 8;
            row[0] = std::uint8_t(std::clamp(b + n, 0, 255));
            row[1] = std::uint8_t(std::clamp(g + n, 0, 255));
            row[2] = std::uint8_t(std::clamp(r + n, 0, 255));
        }
    }
    return p;
}

// Strands of several shades on the white key colour, as the catalogue's.
Picture24 hairPicture(int width, int height)
{
    Picture24 p(width, height);
    p.fill(255, 255, 255);
    std::minstd_rand random(7);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const double dx = (x - width / 2.0) / (width * 0.42);
            const double dy = (y - height * 0.45) / (height * 0.45);
            if (dx * dx + dy * dy >= 1.0 || (dy > 0.1 && std::abs(dx) < 0.55))
                continue;
            const int strand = int(x + 9 * std::sin(y / 23.0) + random() % 3);
            const int shade = 40 + (strand * 7 % 48) + int(20 * (1 - dy));
            p.setPixel(x, y,
                       (std::uint32_t(std::min(255, shade + 30)) << 16) | (std::uint32_t(shade) << 8) |
                           std::uint32_t(shade / 2));
        }
    return p;
}

struct Samples
{
    std::vector<std::uint8_t> jpeg, png, gif;
    int width = 6000, height = 4000;

    Samples()
    {
        const Picture24 photo = photograph(width, height);
        if (!JpegCodec::encode(photo, 90, jpeg) || !PngCodec::encode(photo, png))
            throw std::runtime_error("cannot make the benchmark pictures");
        if (!GifCodec::encode(hairPicture(600, 800), gif))
            throw std::runtime_error("cannot make the benchmark GIF");
        std::fprintf(stderr, "JPEG %zu bytes, PNG %zu bytes, GIF %zu bytes\n", jpeg.size(), png.size(),
                     gif.size());
    }
};

const Samples &samples()
{
    static const Samples s;
    return s;
}

// The bare library: decode into a buffer of its own, blue-green-red, rows
// from the top, with the library's default error handler.
void bareJpeg(benchmark::State &state)
{
    const auto &bytes = samples().jpeg;
    for (auto _ : state) {
        jpeg_decompress_struct cinfo;
        jpeg_error_mgr err;
        cinfo.err = jpeg_std_error(&err);
        jpeg_create_decompress(&cinfo);
        jpeg_mem_src(&cinfo, bytes.data(), bytes.size());
        jpeg_read_header(&cinfo, TRUE);
        cinfo.out_color_space = JCS_EXT_BGR;
        jpeg_start_decompress(&cinfo);
        const std::size_t rowBytes = std::size_t(cinfo.output_width) * 3;
        std::unique_ptr<std::uint8_t[]> pixels(new std::uint8_t[rowBytes * cinfo.output_height]);
        while (cinfo.output_scanline < cinfo.output_height) {
            JSAMPROW row = pixels.get() + rowBytes * cinfo.output_scanline;
            jpeg_read_scanlines(&cinfo, &row, 1);
        }
        jpeg_finish_decompress(&cinfo);
        jpeg_destroy_decompress(&cinfo);
        benchmark::DoNotOptimize(pixels.get());
    }
}

void ourJpeg(benchmark::State &state)
{
    const auto &bytes = samples().jpeg;
    for (auto _ : state) {
        Picture24 picture;
        if (!ImageFile::decode(bytes.data(), bytes.size(), ImageFormat::Jpeg, picture))
            state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(picture.bits());
    }
}

struct PngSource
{
    const std::uint8_t *data;
    std::size_t pos;
};

void readPng(png_structp png, png_bytep out, png_size_t n)
{
    auto *s = static_cast<PngSource *>(png_get_io_ptr(png));
    std::memcpy(out, s->data + s->pos, n); // the input is known to be whole
    s->pos += n;
}

void barePng(benchmark::State &state)
{
    const auto &bytes = samples().png;
    for (auto _ : state) {
        PngSource source{bytes.data(), 0};
        png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        png_infop info = png_create_info_struct(png);
        png_set_read_fn(png, &source, readPng);
        png_read_info(png, info);
        const png_uint_32 height = png_get_image_height(png, info);
        const std::size_t rowBytes = png_get_rowbytes(png, info);
        std::unique_ptr<std::uint8_t[]> pixels(new std::uint8_t[rowBytes * height]);
        for (png_uint_32 y = 0; y < height; ++y)
            png_read_row(png, pixels.get() + rowBytes * y, nullptr);
        png_destroy_read_struct(&png, &info, nullptr);
        benchmark::DoNotOptimize(pixels.get());
    }
}

void ourPng(benchmark::State &state)
{
    const auto &bytes = samples().png;
    for (auto _ : state) {
        Picture24 picture;
        if (!ImageFile::decode(bytes.data(), bytes.size(), ImageFormat::Png, picture))
            state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(picture.bits());
    }
}

struct GifSource
{
    const std::uint8_t *data;
    std::size_t size, pos;
};

int readGif(GifFileType *gif, GifByteType *out, int n)
{
    auto *s = static_cast<GifSource *>(gif->UserData);
    const std::size_t k = std::min<std::size_t>(std::size_t(n), s->size - s->pos);
    std::memcpy(out, s->data + s->pos, k);
    s->pos += k;
    return int(k);
}

void bareGif(benchmark::State &state)
{
    const auto &bytes = samples().gif;
    for (auto _ : state) {
        GifSource source{bytes.data(), bytes.size(), 0};
        int error = 0;
        GifFileType *gif = DGifOpen(&source, readGif, &error);
        DGifSlurp(gif);
        const SavedImage &image = gif->SavedImages[0];
        const ColorMapObject *map = image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
        const int w = gif->SWidth, h = gif->SHeight;
        std::unique_ptr<std::uint8_t[]> pixels(new std::uint8_t[std::size_t(w) * h * 3]);
        std::uint8_t *dst = pixels.get();
        for (int i = 0; i < w * h; ++i, dst += 3) {
            const GifColorType &c = map->Colors[image.RasterBits[i]];
            dst[0] = c.Blue;
            dst[1] = c.Green;
            dst[2] = c.Red;
        }
        DGifCloseFile(gif, &error);
        benchmark::DoNotOptimize(pixels.get());
    }
}

void ourGif(benchmark::State &state)
{
    const auto &bytes = samples().gif;
    for (auto _ : state) {
        Picture24 picture;
        if (!ImageFile::decode(bytes.data(), bytes.size(), ImageFormat::Gif, picture))
            state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(picture.bits());
    }
}

} // namespace

BENCHMARK(bareJpeg)->Name("jpeg_24mp/libjpeg_turbo")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ourJpeg)->Name("jpeg_24mp/JpegCodec")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(barePng)->Name("png_24mp/libpng")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ourPng)->Name("png_24mp/PngCodec")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(bareGif)->Name("gif_600x800/giflib")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ourGif)->Name("gif_600x800/GifCodec")->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
