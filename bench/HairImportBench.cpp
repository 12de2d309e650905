// Importing a hair: a 12-megapixel photo to the preview, the tolerance
// slider's update, and the rest of the pipeline to the GIF bytes.
#include "HairCatalogueImage.h"
#include "HairCutout.h"
#include "HairImport.h"
#include "ImageFile.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

// A phone "subject" photo: 4000 x 3000, a textured hair-like shape on a
// slightly uneven studio backdrop.
Picture24 subjectPhoto()
{
    Picture24 p(4000, 3000);
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x) {
            const double dx = (x - 2000) / 1100.0, dy = (y - 1500) / 1300.0;
            const double d = dx * dx + dy * dy;
            if (d < 1) {
                const int shade = int(60 + 30 * std::sin(x * 0.05 + y * 0.013) + (x * 7 + y * 13) % 11);
                p.setPixel(x, y,
                           (std::uint32_t(shade + 30) << 16) | (std::uint32_t(shade) << 8) |
                               std::uint32_t(shade / 2));
            } else {
                const int n = (x * 31 + y * 17) % 5;
                p.setPixel(x, y,
                           (std::uint32_t(200 + n) << 16) | (std::uint32_t(205 + n) << 8) |
                               std::uint32_t(210 + n));
            }
        }
    return p;
}

const std::string &photoFile()
{
    static const std::string path = [] {
        const std::string file = "/tmp/quenda-bench-hairimport-" + std::to_string(::getpid()) + ".jpg";
        SaveOptions options;
        options.jpegQuality = 90;
        ImageFile::save(file, subjectPhoto(), options);
        return file;
    }();
    return path;
}

// The same photo as a PNG: read twice, over black and over white, since
// a PNG may be transparent.
const std::string &pngFile()
{
    static const std::string path = [] {
        const std::string file = "/tmp/quenda-bench-hairimport-" + std::to_string(::getpid()) + ".png";
        ImageFile::save(file, subjectPhoto());
        return file;
    }();
    return path;
}

const HairCutout &preparedCutout()
{
    static const HairCutout cutout = [] {
        Picture24 black, white;
        HairImport::LoadSource(photoFile(), black, white);
        HairCutout c;
        c.setSource(black, white.isNull() ? nullptr : &white);
        return c;
    }();
    return cutout;
}

// File to preview: read, working copy, cut, preview picture.
void BM_Import12MPToPreview(benchmark::State &state)
{
    const std::string &file = photoFile();
    for (auto _ : state) {
        Picture24 black, white;
        HairImport::LoadSource(file, black, white);
        HairCutout cutout;
        cutout.setSource(black, white.isNull() ? nullptr : &white);
        const auto mask = cutout.previewMask(HairCutout::kDefaultTolerance);
        benchmark::DoNotOptimize(HairCutout::Preview(cutout.previewWork(), mask, 480, 480));
    }
}
BENCHMARK(BM_Import12MPToPreview)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ImportPng12MPToPreview(benchmark::State &state)
{
    const std::string &file = pngFile();
    for (auto _ : state) {
        Picture24 black, white;
        HairImport::LoadSource(file, black, white);
        HairCutout cutout;
        cutout.setSource(black, white.isNull() ? nullptr : &white);
        const auto mask = cutout.previewMask(HairCutout::kDefaultTolerance);
        benchmark::DoNotOptimize(HairCutout::Preview(cutout.previewWork(), mask, 480, 480));
    }
}
BENCHMARK(BM_ImportPng12MPToPreview)->Unit(benchmark::kMillisecond)->UseRealTime();

// One move of the tolerance slider: a new cut and its preview.
void BM_ToleranceUpdate12MP(benchmark::State &state)
{
    const HairCutout &cutout = preparedCutout();
    int tolerance = 30;
    for (auto _ : state) {
        tolerance = tolerance == 30 ? 50 : 30;
        const auto mask = cutout.previewMask(tolerance);
        benchmark::DoNotOptimize(HairCutout::Preview(cutout.previewWork(), mask, 480, 480));
    }
}
BENCHMARK(BM_ToleranceUpdate12MP)->Unit(benchmark::kMillisecond)->UseRealTime();

// The Qt-free pipeline step by step on the same photo.
void BM_WorkingCopy12MP(benchmark::State &state)
{
    const Picture24 photo = subjectPhoto();
    for (auto _ : state) {
        HairCutout cutout;
        cutout.setSource(photo, nullptr);
        benchmark::DoNotOptimize(cutout.work().bits());
    }
}
BENCHMARK(BM_WorkingCopy12MP)->Unit(benchmark::kMillisecond)->UseRealTime();

// What "Importar" adds: the cut on the working copy (full detail), then
// crop, scale and edge.
void BM_CutOnConfirm12MP(benchmark::State &state)
{
    const HairCutout &cutout = preparedCutout();
    for (auto _ : state)
        benchmark::DoNotOptimize(cutout.mask(HairCutout::kDefaultTolerance));
}
BENCHMARK(BM_CutOnConfirm12MP)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FinishCut(benchmark::State &state)
{
    const HairCutout &cutout = preparedCutout();
    const auto mask = cutout.mask(HairCutout::kDefaultTolerance);
    for (auto _ : state)
        benchmark::DoNotOptimize(cutout.finish(mask));
}
BENCHMARK(BM_FinishCut)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CatalogueGif(benchmark::State &state)
{
    const HairCutout &cutout = preparedCutout();
    const CutHair cut = cutout.finish(cutout.mask(HairCutout::kDefaultTolerance));
    for (auto _ : state)
        benchmark::DoNotOptimize(HairImport::EncodeHair(cut));
}
BENCHMARK(BM_CatalogueGif)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::remove(photoFile().c_str());
    std::remove(pngFile().c_str());
    return 0;
}
