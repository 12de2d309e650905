// Decoding speed of HEIC and WebP photos against the bare libraries decoding
// the same bytes from memory into RGB, and the cost of converting a photo's
// Display P3 colours to sRGB:
//   12-megapixel HEIC (4032 x 3024, the phones' size): libheif's decode to
//     interleaved RGB vs HeifCodec into the bottom-up picture;
//   12-megapixel lossy WebP: WebPDecodeRGB vs WebpCodec;
//   the profile conversion of a 12-megapixel picture on 1 and 2 threads.
// The pictures are made here: gradients, noise, a disc and sharp blocks.

#include "ColourProfile.h"
#include "ImageFile.h"
#include "PhoneTestPictures.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>
#include <libheif/heif.h>
#include <random>
#include <webp/decode.h>

namespace {

constexpr int kWidth = 4032;
constexpr int kHeight = 3024;

Picture24 photograph()
{
    Picture24 p(kWidth, kHeight);
    std::minstd_rand random(42);
    for (int y = 0; y < kHeight; ++y) {
        std::uint8_t *row = p.scanLine(y);
        const double fy = double(y) / kHeight;
        for (int x = 0; x < kWidth; ++x, row += 3) {
            const double fx = double(x) / kWidth;
            int r = int(90 + 120 * fx + 25 * std::sin(fy * 13 + fx * 3));
            int g = int(70 + 110 * fy + 20 * std::cos(fx * 17));
            int b = int(60 + 80 * (1 - fx) * fy + 30 * std::sin((fx - fy) * 11));
            const double dx = fx - 0.5, dy = fy - 0.45;
            if (dx * dx + dy * dy < 0.05) {
                r = r * 3 / 4 + 50;
                g = g * 3 / 4 + 20;
                b = b / 2;
            }
            if ((x / 400 + y / 300) % 7 == 0)
                r = g = b = 230;
            const int n = int(random() % 17) - 8;
            row[0] = std::uint8_t(std::clamp(b + n, 0, 255));
            row[1] = std::uint8_t(std::clamp(g + n, 0, 255));
            row[2] = std::uint8_t(std::clamp(r + n, 0, 255));
        }
    }
    return p;
}

const Picture24 &photo()
{
    static const Picture24 picture = photograph();
    return picture;
}

const std::vector<std::uint8_t> &heicBytes()
{
    static const std::vector<std::uint8_t> bytes = PhoneTestPictures::heic(photo(), 80);
    return bytes;
}

const std::vector<std::uint8_t> &webpBytes()
{
    static const std::vector<std::uint8_t> bytes = PhoneTestPictures::webp(photo(), 80);
    return bytes;
}

void BM_HeicLibheif(benchmark::State &state)
{
    const auto &bytes = heicBytes();
    for (auto _ : state) {
        heif_context *ctx = heif_context_alloc();
        heif_image_handle *handle = nullptr;
        heif_image *image = nullptr;
        heif_context_read_from_memory_without_copy(ctx, bytes.data(), bytes.size(), nullptr);
        heif_context_get_primary_image_handle(ctx, &handle);
        if (heif_decode_image(handle, &image, heif_colorspace_RGB, heif_chroma_interleaved_RGB, nullptr)
                .code != 0)
            state.SkipWithError("libheif failed");
        int stride = 0;
        benchmark::DoNotOptimize(heif_image_get_plane_readonly(image, heif_channel_interleaved, &stride));
        heif_image_release(image);
        heif_image_handle_release(handle);
        heif_context_free(ctx);
    }
    state.counters["MB"] = double(bytes.size()) / 1e6;
}

void BM_HeicOurs(benchmark::State &state)
{
    const auto &bytes = heicBytes();
    for (auto _ : state) {
        Picture24 picture;
        if (!ImageFile::decode(bytes.data(), bytes.size(), ImageFormat::Heif, picture))
            state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(picture.bits());
    }
}

void BM_WebpLibwebp(benchmark::State &state)
{
    const auto &bytes = webpBytes();
    for (auto _ : state) {
        int w = 0, h = 0;
        std::uint8_t *rgb = WebPDecodeRGB(bytes.data(), bytes.size(), &w, &h);
        if (!rgb)
            state.SkipWithError("libwebp failed");
        benchmark::DoNotOptimize(rgb);
        WebPFree(rgb);
    }
    state.counters["MB"] = double(bytes.size()) / 1e6;
}

void BM_WebpOurs(benchmark::State &state)
{
    const auto &bytes = webpBytes();
    for (auto _ : state) {
        Picture24 picture;
        if (!ImageFile::decode(bytes.data(), bytes.size(), ImageFormat::Webp, picture))
            state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(picture.bits());
    }
}

// In place, as at decode time; the values converted again cost the same.
void BM_ProfileConversion(benchmark::State &state)
{
    const auto p3 = PhoneTestPictures::displayP3Profile();
    const auto conversion = ColourProfile::toSrgb(p3.data(), p3.size(), ColourProfile::Layout::Bgr);
    if (!conversion) {
        state.SkipWithError("no conversion");
        return;
    }
    Picture24 picture = photo();
    const int threads = int(state.range(0));
    for (auto _ : state) {
        conversion->convert(picture, threads);
        benchmark::ClobberMemory();
    }
}

} // namespace

// libde265 decodes on threads of its own: the CPU column counts the whole
// process, which is the fairer figure when other work shares the machine.
BENCHMARK(BM_HeicLibheif)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->MinTime(2.0);
BENCHMARK(BM_HeicOurs)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime()->MinTime(2.0);
BENCHMARK(BM_WebpLibwebp)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_WebpOurs)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_ProfileConversion)
    ->ArgName("threads")
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

BENCHMARK_MAIN();
