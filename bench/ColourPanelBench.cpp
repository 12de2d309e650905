// The colour panel's whole path, offscreen: a slider event, the
// recomputation from the saved copy, the draw back into the target and the
// repaint of the visible part of the photo view. Also the preset colours
// and Flip on a real composition window with a 600 x 800 hair.
//
// Run with QT_QPA_PLATFORM=offscreen (set by main when unset).

#include "ColourPanelHost.h"
#include "CompositionHost.h"
#include "ParallelRows.h"
#include "TColourPanel.h"
#include "TF_FILHO.h"
#include "TGradientPanel.h"
#include "TImage.h"
#include "TImageView.h"

#include <QApplication>
#include <QScrollBar>

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>
#include <memory>
#include <random>

namespace {

// Photograph-like: gradients, noise and hard-edged blocks.
Picture24 makePhoto(int w, int h)
{
    Picture24 p(w, h);
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> noise(-8, 8);
    for (int y = 0; y < h; ++y) {
        std::uint8_t *row = p.scanLine(y);
        for (int x = 0; x < w; ++x) {
            const bool block = ((x / 300) + (y / 200)) % 5 == 0;
            const int b = block ? 220 : 60 + 120 * y / h;
            const int g = block ? 40 : 90 + 100 * x / w;
            const int r = block ? 25 : int(140 + 80 * std::sin(x * 0.002 + y * 0.001));
            row[3 * x] = std::uint8_t(std::clamp(b + noise(rng), 0, 255));
            row[3 * x + 1] = std::uint8_t(std::clamp(g + noise(rng), 0, 255));
            row[3 * x + 2] = std::uint8_t(std::clamp(r + noise(rng), 0, 255));
        }
    }
    return p;
}

// A hair: strands of a few dozen shades on the white key colour.
Picture24 makeHair(int w, int h)
{
    Picture24 p(w, h);
    p.fill(255, 255, 255);
    for (int y = 40; y < h - 40; ++y)
        for (int x = 60; x < w - 60; ++x)
            if ((x * 7 + y * 3) % 11 < 8) {
                const int shade = 40 + ((x / 5 + y / 9) % 40) * 3;
                p.setPixel(x, y,
                           (std::uint32_t(shade) << 16) | (std::uint32_t(shade * 3 / 4) << 8) |
                               std::uint32_t(shade / 2));
            }
    return p;
}

// The main window's part, reduced to a photo view, an overlay and the
// scratch view.
class BenchHost : public ColourPanelHost
{
public:
    BenchHost()
    {
        window.resize(1000, 760);
        photo = new TImageView(&window);
        photo->setGeometry(0, 0, 800, 600);
        overlay = new TImage(QStringLiteral("Image2"), photo->ClientArea());
        overlay->SetTransparent(true);
        overlay->SetAutoSize(true);
        scratch = new TImageView(&window);
        scratch->hide();
        gradient = new TGradientPanel(QStringLiteral("GradientPanel1"), 257, 242, &window);
        panel = new TColourPanel(this, gradient);
        window.show();
    }

    ColourPanelTarget ActiveColourTarget() const override
    {
        return {const_cast<QWidget *>(&window), photo, overlay, 1};
    }
    bool LassoActive() const override { return false; }
    TImageView *ScratchView() const override { return scratch; }
    void ClickSlidersTool() override { panel->Open(); }
    void ColourPanelCloseClicked() override {}

    QWidget window;
    TImageView *photo;
    TImage *overlay;
    TImageView *scratch;
    TGradientPanel *gradient;
    TColourPanel *panel;
};

void setAllFive(TColourPanel *p, int sharpen)
{
    p->sRed->setValue(40);
    p->sGreen->setValue(-25);
    p->sBlue->setValue(90);
    p->sLightness->setValue(30);
    p->sContrast->setValue(60);
    p->sSaturation->setValue(350);
    p->sSharpen->setValue(sharpen);
}

// One slider event to the repainted view: the value changes (the event),
// the waiting recomputation runs (what the coalescing timer calls), and
// the view's visible part is painted.
void slide(benchmark::State &state, BenchHost &host, QWidget *repainted)
{
    int step = 0;
    for (auto _ : state) {
        host.panel->sRed->setValue(40 + (step++ & 1));
        host.panel->sRedScroll();
        repainted->repaint();
        QCoreApplication::processEvents();
    }
}

void BM_PanelPhoto24MP(benchmark::State &state)
{
    ParallelRows::setMaxThreads(int(state.range(1)));
    BenchHost host;
    static const Picture24 photo = makePhoto(6000, 4000);
    host.photo->SetBitmap(photo);
    host.overlay->hide();
    host.panel->Open();
    setAllFive(host.panel, int(state.range(0)));
    host.panel->sRedScroll();
    slide(state, host, host.photo->ClientArea());
    ParallelRows::setMaxThreads(2);
}
BENCHMARK(BM_PanelPhoto24MP)
    ->ArgNames({"sharpen", "threads"})
    ->Args({1, 2})
    ->Args({0, 2})
    ->Args({1, 1})
    ->Args({0, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_PanelHair600x800(benchmark::State &state)
{
    ParallelRows::setMaxThreads(int(state.range(1)));
    BenchHost host;
    host.photo->SetBitmap(makePhoto(800, 600));
    host.overlay->SetPicture(makeHair(600, 800));
    host.overlay->show();
    host.panel->Open();
    setAllFive(host.panel, int(state.range(0)));
    host.panel->sRedScroll();
    slide(state, host, host.photo->ClientArea());
    ParallelRows::setMaxThreads(2);
}
BENCHMARK(BM_PanelHair600x800)
    ->ArgNames({"sharpen", "threads"})
    ->Args({1, 2})
    ->Args({0, 2})
    ->Args({1, 1})
    ->Args({0, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// A composition window built around a generated hair, as a salon file
// would give it.
class PresetHost : public CompositionHost
{
public:
    CompositionHandOff &HandOff() override { return handOff; }
    QString CategoryName(int) const override { return QStringLiteral("Curtos e Claros"); }
    QString OpenDialogFileName() const override { return {}; }
    ImageStatus LoadHairThroughScratch(const QString &, Picture24 &hair) override
    {
        hair = makeHair(600, 800);
        return ImageStatus::success();
    }
    void ClickMoveTool() override {}
    bool ZoomToolDown() const override { return false; }
    bool LassoActive() const override { return false; }
    void CompositionClosing(TF_FILHO *) override {}
    void ApplyPreset(TF_FILHO *c, int number) override { c->ApplyPresetNumber(number); }
    void ShowMessage(const QString &, const QString &) override {}
    void ShowFileMessage(const QString &, const QString &, const QString &) override {}
    CompositionHandOff handOff;
};

void BM_Preset600x800(benchmark::State &state)
{
    PresetHost host;
    host.handOff.AppDir = QStringLiteral("/nonexistent/");
    TF_FILHO composition(&host);
    composition.Image2->show();
    const int number = int(state.range(0));
    for (auto _ : state)
        composition.ApplyPresetNumber(number);
}
BENCHMARK(BM_Preset600x800)
    ->ArgName("preset")
    ->DenseRange(1, 5)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_Flip600x800(benchmark::State &state)
{
    PresetHost host;
    host.handOff.AppDir = QStringLiteral("/nonexistent/");
    TF_FILHO composition(&host);
    composition.Image2->show();
    for (auto _ : state)
        composition.FlipHair();
}
BENCHMARK(BM_Flip600x800)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

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
