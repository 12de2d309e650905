// The face search on photos of 24 and 1 megapixels, and a fit once the
// search is cached: the cache lookup (the photo's fingerprint), the geometry
// and the plain stretch of a 600 x 800 hair to its fitted size.
#include "FaceDetector.h"
#include "FaceFit.h"
#include "ImageFile.h"
#include "Picture24.h"

#include <QImage>
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

namespace {

// The sample portrait enlarged onto a backdrop of the given size.
Picture24 portrait(int width, int height)
{
    static Picture24 source;
    if (source.isNull())
        ImageFile::load(std::string(QUENDA_BENCH_PHOTOS) + "/astronaut_eileen_collins.png", source);
    Picture24 out(width, height);
    out.fill(170, 160, 150);
    const double scale = 0.9 * std::min(double(width) / source.width(), double(height) / source.height());
    const int w = int(source.width() * scale), h = int(source.height() * scale);
    const int x0 = (width - w) / 2, y0 = (height - h) / 2;
    for (int y = 0; y < h; ++y) {
        const int sy = std::min(source.height() - 1, int(y / scale));
        for (int x = 0; x < w; ++x)
            out.setPixel(x0 + x, y0 + y, source.pixel(std::min(source.width() - 1, int(x / scale)), sy));
    }
    return out;
}

void detect(benchmark::State &state, int width, int height)
{
    const Picture24 photo = portrait(width, height);
    bool found = false;
    for (auto _ : state) {
        auto face = FaceDetector::Detect(photo);
        found = face.has_value();
        benchmark::DoNotOptimize(face);
    }
    state.counters["found"] = found ? 1 : 0;
}

void BM_Detect24MP(benchmark::State &state) { detect(state, 6000, 4000); }
void BM_Detect1MP(benchmark::State &state) { detect(state, 1155, 866); }

void BM_FitCached24MP(benchmark::State &state)
{
    const Picture24 photo = portrait(6000, 4000);
    FaceCache::Find("bench.jpg", photo); // the search, once
    QImage hair(600, 800, QImage::Format_RGB32);
    hair.fill(Qt::white);
    const ViewMapping view{25, 0, 0};
    for (auto _ : state) {
        const auto face = FaceCache::Find("bench.jpg", photo);
        if (!face) {
            state.SkipWithError("no face");
            break;
        }
        const OverlayBounds b = FaceFit::Fit({225, 270, 150, 150}, 600, 800, face->face, view);
        QImage fitted = hair.scaled(b.width, b.height, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        benchmark::DoNotOptimize(fitted.constBits());
    }
}

BENCHMARK(BM_Detect24MP)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Detect1MP)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FitCached24MP)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
