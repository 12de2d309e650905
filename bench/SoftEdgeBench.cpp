// Soft hair edges: the repaint of a 1080p photo view with a 1200 x 1600
// hair over it (hard and soft, at its own size and stretched), building the
// soft overlay, the smooth fixing of a resize, and the full-resolution
// picture of a 24-megapixel photo written as JPEG.
//
// Run with QT_QPA_PLATFORM=offscreen (set by main when unset).

#include "HairSoftEdge.h"
#include "ImageFile.h"
#include "ParallelRows.h"
#include "TImage.h"
#include "TImageView.h"

#include <QApplication>
#include <QDir>
#include <QImage>

#include <benchmark/benchmark.h>
#include <cmath>
#include <random>
#include <string>

namespace {

Picture24 makePhoto(int w, int h)
{
    Picture24 p(w, h);
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> noise(-8, 8);
    for (int y = 0; y < h; ++y) {
        std::uint8_t *row = p.scanLine(y);
        for (int x = 0; x < w; ++x) {
            row[3 * x] = std::uint8_t(std::clamp(90 + 80 * y / h + noise(rng), 0, 255));
            row[3 * x + 1] = std::uint8_t(std::clamp(110 + 60 * x / w + noise(rng), 0, 255));
            row[3 * x + 2] =
                std::uint8_t(std::clamp(int(150 + 60 * std::sin(x * 0.003)) + noise(rng), 0, 255));
        }
    }
    return p;
}

// A hair-like picture: an irregular blob of strands on a white key.
Picture24 makeHair(int w, int h)
{
    Picture24 p(w, h);
    p.fill(255, 255, 255);
    const double cx = w / 2.0, cy = h / 2.5;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double a = std::atan2(y - cy, x - cx);
            const double r = std::hypot((x - cx) / (w * 0.45), (y - cy) / (h * 0.55));
            if (r > 0.9 + 0.08 * std::sin(a * 23) || (y > h * 0.45 && std::abs(x - cx) < w * 0.22))
                continue;
            const int v = 60 + int(40 * std::sin((x + y * 0.3) * 0.7)) + (x * 7 + y * 3) % 11;
            p.setPixel(x, y, (std::uint32_t(v + 40) << 16) | (std::uint32_t(v + 10) << 8) | std::uint32_t(v));
        }
    return p;
}

void repaint(benchmark::State &state, bool soft, bool stretched)
{
    TImageView view;
    view.resize(1920, 1080);
    view.SetBitmap(makePhoto(1920, 1080));
    view.show();
    auto *hair = new TImage(QStringLiteral("Image2"), view.ClientArea());
    hair->SetTransparent(true);
    hair->SetSoftEdges(soft);
    hair->SetPicture(makeHair(1200, 1600));
    hair->setGeometry(stretched ? QRect(300, -200, 1400, 1866) : QRect(360, -100, 1200, 1600));
    hair->show();
    QImage target(view.ClientArea()->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        view.ClientArea()->render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
}

void BM_Repaint1080p_Hard(benchmark::State &s)
{
    repaint(s, false, false);
}
void BM_Repaint1080p_Soft(benchmark::State &s)
{
    repaint(s, true, false);
}
void BM_Repaint1080p_HardStretched(benchmark::State &s)
{
    repaint(s, false, true);
}
void BM_Repaint1080p_SoftStretched(benchmark::State &s)
{
    repaint(s, true, true);
}

// Once per change of the overlay's pixels, not per repaint.
void BM_SoftCache1200x1600(benchmark::State &state)
{
    const Picture24 hair = makeHair(1200, 1600);
    std::vector<std::uint32_t> out(std::size_t(1200) * 1600);
    for (auto _ : state) {
        HairSoftEdge::SoftCache(hair, 0xFFFFFF, out.data(), 1200);
        benchmark::DoNotOptimize(out.data());
    }
}

void BM_SmoothBake600x800To173(benchmark::State &state)
{
    const Picture24 hair = makeHair(600, 800);
    ParallelRows::setMaxThreads(int(state.range(0)));
    for (auto _ : state) {
        Picture24 out = HairSoftEdge::SmoothResize(hair, 1038, 1384);
        benchmark::DoNotOptimize(out.bits());
    }
    ParallelRows::setMaxThreads(2);
}

// What "Salvar em Alta Resolução..." does after the dialog: the photo
// copied, the hair laid on at photo scale (a 1200 x 1600 hair shown at
// zoom 25 covers 2.7 times its size in photo pixels), the JPEG written.
void BM_FullResolutionJpeg24MP(benchmark::State &state)
{
    const Picture24 photo = makePhoto(6000, 4000);
    const Picture24 hair = makeHair(1200, 1600);
    const std::string path =
        (QDir::tempPath() + QStringLiteral("/quenda-bench-%1.jpg").arg(QCoreApplication::applicationPid()))
            .toStdString();
    for (auto _ : state) {
        Picture24 out = photo;
        HairSoftEdge::Compose(out, hair, 1800, 200, 2400, 3200);
        const ImageStatus status = ImageFile::save(path, out);
        if (!status)
            state.SkipWithError("save failed");
    }
    QFile::remove(QString::fromStdString(path));
}

} // namespace

BENCHMARK(BM_Repaint1080p_Hard)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Repaint1080p_Soft)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Repaint1080p_HardStretched)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Repaint1080p_SoftStretched)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SoftCache1200x1600)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SmoothBake600x800To173)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FullResolutionJpeg24MP)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
