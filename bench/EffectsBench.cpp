// Benchmarks of the pixel effects and of the colour panel's recomputation.
//
// Every figure is also given as "x_memcpy": the time divided by the time of
// memcpy of the same bytes in the same iterations. Each timed iteration
// starts from a fresh copy of the photograph (timed apart), so that repeated
// effects do not drift the picture to flat colour.

#include "ColourRecompute.h"
#include "ParallelRows.h"
#include "PixelEffects.h"
#include "SharpenKernel.h"
#include "TRasterBMP.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <map>
#include <random>
#include <utility>
#include <vector>

#ifdef QUENDA_BENCH_OPENCV
#include <opencv2/core.hpp>
#endif

using Clock = std::chrono::steady_clock;

// Photograph-like content: smooth gradients and a vignette, sensor noise,
// and hard-edged shapes.
static TRasterBMP makePhoto(int w, int h)
{
    TRasterBMP bmp(w, h);
    std::mt19937 rng(12345);
    std::normal_distribution<float> noise(0.0f, 6.0f);
    for (int r = 0; r < h; ++r) {
        std::uint8_t *p = bmp.Rows(r);
        const float fy = float(r) / h;
        for (int x = 0; x < w; ++x, p += 3) {
            const float fx = float(x) / w;
            const float dx = fx - 0.5f, dy = fy - 0.5f;
            const float vignette = 1.0f - 0.8f * (dx * dx + dy * dy);
            float b = (60 + 120 * fy) * vignette;
            float g = (90 + 100 * fx) * vignette;
            float rr = (140 + 80 * std::sin(fx * 9.0f + fy * 4.0f)) * vignette;
            // A few objects with hard edges.
            if (((x / 400) + (r / 300)) % 5 == 0) {
                b = 230;
                g = 40;
                rr = 25;
            }
            if (std::abs(dx) < 0.1f && std::abs(dy) < 0.15f) {
                b = 20;
                g = 20;
                rr = 20;
            }
            const float c[3] = {b, g, rr};
            for (int k = 0; k < 3; ++k)
                p[k] = static_cast<std::uint8_t>(std::clamp(c[k] + noise(rng), 0.0f, 255.0f));
        }
    }
    return bmp;
}

static const TRasterBMP &photo(int megapixels)
{
    static std::map<int, TRasterBMP> cache;
    auto it = cache.find(megapixels);
    if (it == cache.end()) {
        const std::pair<int, int> size = megapixels == 24 ? std::pair{6000, 4000} : std::pair{4000, 3000};
        it = cache.emplace(megapixels, makePhoto(size.first, size.second)).first;
    }
    return it->second;
}

// Times `body` on a fresh copy of the photograph each iteration. The copy
// itself is a memcpy of the same bytes, timed separately: the ratio
// x_memcpy compares the two within the same iterations, so a change in the
// machine's load affects both alike.
template <typename Body>
static void timed(benchmark::State &state, int megapixels, int threads, Body body)
{
    ParallelRows::setMaxThreads(threads);
    const TRasterBMP &saved = photo(megapixels);
    TRasterBMP work = saved;
    double total = 0;
    double copies = 0;
    for (auto _ : state) {
        const auto c0 = Clock::now();
        std::memcpy(work.Bits(), saved.Bits(), static_cast<std::size_t>(saved.ByteCount()));
        benchmark::ClobberMemory();
        const auto t0 = Clock::now();
        body(saved, work);
        benchmark::ClobberMemory();
        const auto t1 = Clock::now();
        const double s = std::chrono::duration<double>(t1 - t0).count();
        state.SetIterationTime(s);
        total += s;
        copies += std::chrono::duration<double>(t0 - c0).count();
    }
    state.counters["x_memcpy"] = total / copies;
    state.counters["memcpy_ms"] = copies / state.iterations() * 1e3;
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(saved.ByteCount()));
    ParallelRows::setMaxThreads(2);
}

static void BM_Memcpy(benchmark::State &state)
{
    timed(state, 24, 1, [](const TRasterBMP &saved, TRasterBMP &work) {
        std::memcpy(work.Bits(), saved.Bits(), static_cast<std::size_t>(saved.ByteCount()));
    });
}

static void BM_NeutralRecompute(benchmark::State &state)
{
    timed(state, 24, 1, [](const TRasterBMP &saved, TRasterBMP &work) {
        ColourRecompute::Apply(saved, work, {});
    });
}

static void BM_AdjustChannels(benchmark::State &state)
{
    timed(state, 24, int(state.range(0)), [](const TRasterBMP &, TRasterBMP &work) {
        AdjustChannels(work, 40, -25, 90);
    });
}

static void BM_AdjustLightness(benchmark::State &state)
{
    timed(state, 24, int(state.range(0)), [](const TRasterBMP &, TRasterBMP &work) {
        AdjustLightness(work, 70);
    });
}

static void BM_AdjustContrast(benchmark::State &state)
{
    timed(state, 24, int(state.range(0)), [](const TRasterBMP &, TRasterBMP &work) {
        AdjustContrast(work, 90);
    });
}

static void BM_AdjustSaturation(benchmark::State &state)
{
    timed(state, 24, int(state.range(0)), [](const TRasterBMP &, TRasterBMP &work) {
        AdjustSaturation(work, 400);
    });
}

static void BM_SharpenAtDistance(benchmark::State &state)
{
    const int d = int(state.range(0));
    timed(state, 24, int(state.range(1)), [d](const TRasterBMP &, TRasterBMP &work) { SharpenAtDistance(work, d); });
}

// Distance 1 one row after the other (paired:0) or two rows at a time with
// the upper one lagging (paired:1), on the 24 MP photo and on a 1000 x 200
// picture that stays in the cache (the compute cost alone).
static void BM_SharpenDistanceOneRows(benchmark::State &state)
{
    SharpenKernel::SetPairedRows(state.range(0) != 0);
    if (state.range(1) == 24) {
        timed(state, 24, 1, [](const TRasterBMP &, TRasterBMP &work) { SharpenAtDistance(work, 1); });
    } else {
        static const TRasterBMP small = makePhoto(1000, 200);
        TRasterBMP work = small;
        for (auto _ : state) {
            std::memcpy(work.Bits(), small.Bits(), static_cast<std::size_t>(small.ByteCount()));
            const auto t0 = Clock::now();
            SharpenAtDistance(work, 1);
            benchmark::ClobberMemory();
            state.SetIterationTime(std::chrono::duration<double>(Clock::now() - t0).count());
        }
    }
    SharpenKernel::SetPairedRows(true);
}

static void BM_MirrorRows(benchmark::State &state)
{
    timed(state, 24, int(state.range(0)), [](const TRasterBMP &, TRasterBMP &work) { MirrorRows(work); });
}

// The colour panel's whole recomputation: copy, channels, lightness,
// contrast, saturation and sharpening (range 2) on a 24 or 12 MP picture.
static void BM_Recompute(benchmark::State &state)
{
    const int megapixels = int(state.range(0));
    const int threads = int(state.range(1));
    ColourRecompute::Settings s;
    s.red = 40;
    s.green = -25;
    s.blue = 90;
    s.lightness = 30;
    s.contrast = 60;
    s.saturation = 350;
    s.sharpen = int(state.range(2));
    timed(state, megapixels, threads, [s](const TRasterBMP &saved, TRasterBMP &work) {
        ColourRecompute::Apply(saved, work, s);
    });
}

// The same steps as separate calls, for comparison with the fused pass.
static void BM_RecomputeUnfused(benchmark::State &state)
{
    const int threads = int(state.range(0));
    timed(state, 24, threads, [](const TRasterBMP &saved, TRasterBMP &work) {
        std::memcpy(work.Bits(), saved.Bits(), static_cast<std::size_t>(saved.ByteCount()));
        AdjustChannels(work, 40, -25, 90);
        AdjustLightness(work, 30);
        AdjustContrast(work, 60);
        AdjustSaturation(work, 350);
        SharpenAtDistance(work, 1);
    });
}

BENCHMARK(BM_Memcpy)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NeutralRecompute)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AdjustChannels)->Arg(1)->Arg(2)->ArgName("threads")->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AdjustLightness)->Arg(1)->Arg(2)->ArgName("threads")->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AdjustContrast)->Arg(1)->Arg(2)->ArgName("threads")->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AdjustSaturation)->Arg(1)->Arg(2)->ArgName("threads")->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SharpenAtDistance)
    ->ArgNames({"distance", "threads"})
    ->Args({1, 1})->Args({2, 1})->Args({5, 1})->Args({10, 1})->Args({1, 2})->Args({2, 2})
   ->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SharpenDistanceOneRows)
    ->ArgNames({"paired", "mp"})
    ->Args({0, 24})->Args({1, 24})->Args({0, 0})->Args({1, 0})
    ->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MirrorRows)->Arg(1)->Arg(2)->ArgName("threads")->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Recompute)
    ->ArgNames({"mp", "threads", "sharpen"})
    ->Args({24, 1, 1})->Args({24, 2, 1})->Args({12, 2, 1})->Args({24, 1, 0})->Args({24, 2, 0})
    ->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecomputeUnfused)->Arg(2)->ArgName("threads")->UseManualTime()->Unit(benchmark::kMillisecond);

#ifdef QUENDA_BENCH_OPENCV
// OpenCV on the same bytes, in place like the effects.
static cv::Mat wrap(TRasterBMP &work)
{
    return cv::Mat(work.Height(), work.Width(), CV_8UC3, work.Bits(), static_cast<std::size_t>(work.RowStride()));
}

static void BM_OpenCvLut(benchmark::State &state)
{
    cv::setNumThreads(int(state.range(0)));
    cv::Mat table(1, 256, CV_8UC1);
    for (int v = 0; v < 256; ++v)
        table.at<std::uint8_t>(v) = static_cast<std::uint8_t>(std::min(255, v + ((255 - v) * 70) / 256));
    timed(state, 24, int(state.range(0)), [&](const TRasterBMP &, TRasterBMP &work) {
        cv::Mat m = wrap(work);
        cv::LUT(m, table, m);
    });
}

static void BM_OpenCvLutPerChannel(benchmark::State &state)
{
    cv::setNumThreads(int(state.range(0)));
    cv::Mat table(1, 256, CV_8UC3);
    for (int v = 0; v < 256; ++v)
        table.at<cv::Vec3b>(v) = cv::Vec3b(static_cast<std::uint8_t>(std::min(255, v + 90)),
                                           static_cast<std::uint8_t>(std::max(0, v - 25)),
                                           static_cast<std::uint8_t>(std::min(255, v + 40)));
    timed(state, 24, int(state.range(0)), [&](const TRasterBMP &, TRasterBMP &work) {
        cv::Mat m = wrap(work);
        cv::LUT(m, table, m);
    });
}

static void BM_OpenCvFlip(benchmark::State &state)
{
    cv::setNumThreads(int(state.range(0)));
    TRasterBMP out(photo(24).Width(), photo(24).Height());
    timed(state, 24, int(state.range(0)), [&](const TRasterBMP &, TRasterBMP &work) {
        cv::Mat m = wrap(work);
        cv::Mat o = wrap(out);
        cv::flip(m, o, 1);
    });
}

BENCHMARK(BM_OpenCvLut)->Arg(1)->Arg(2)->ArgName("threads")->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenCvLutPerChannel)->Arg(1)->Arg(2)->ArgName("threads")->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenCvFlip)->Arg(1)->Arg(2)->ArgName("threads")->UseManualTime()->Unit(benchmark::kMillisecond);
#endif

BENCHMARK_MAIN();
