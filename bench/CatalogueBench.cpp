// Speed and memory of the hair catalogue, on pictures generated here:
//   a category of 300 hair GIFs of 600 x 800: listing with the format check,
//     the first screen of thumbnails, scrolling by one page of the scroll bar;
//   the photos page with 30 JPEG photographs of 24 megapixels: the whole scan
//     (decoded at a reduced DCT scale) beside a full decode of the same files;
//   browsing all seven pages and the photos page, reporting the peak resident
//     memory of the process.
// The widgets run on the offscreen platform.

#include "CatalogueHost.h"
#include "GifCodec.h"
#include "ImageFile.h"
#include "JpegCodec.h"
#include "TF_THUMBS.h"
#include "TThumbGrid.h"
#include "TThumbview.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTabWidget>
#include <QTemporaryDir>

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <random>
#include <stdexcept>
#include <sys/resource.h>

namespace {

const char *const kCategories[] = {"Curtos e Claros",  "Curtos e Escuros", "Médios e Claros",
                                   "Médios e Escuros", "Longos e Claros",  "Longos e Escuros",
                                   "Masculinos"};
constexpr int kHairs = 300;
constexpr int kPhotos = 30;

Picture24 photograph(int width, int height, int seed)
{
    Picture24 p(width, height);
    std::minstd_rand random(seed);
    for (int y = 0; y < height; ++y) {
        std::uint8_t *row = p.scanLine(y);
        const double fy = double(y) / height;
        for (int x = 0; x < width; ++x, row += 3) {
            const double fx = double(x) / width;
            int r = int(90 + 120 * fx + 25 * std::sin(fy * 13 + fx * 3 + seed));
            int g = int(70 + 110 * fy + 20 * std::cos(fx * 17));
            int b = int(60 + 80 * (1 - fx) * fy + 30 * std::sin((fx - fy) * 11));
            const double dx = fx - 0.5, dy = fy - 0.45;
            if (dx * dx + dy * dy < 0.05) {
                r = r * 3 / 4 + 50;
                g = g * 3 / 4 + 20;
                b = b / 2;
            }
            const int n = int(random() % 17) - 8;
            row[0] = std::uint8_t(std::clamp(b + n, 0, 255));
            row[1] = std::uint8_t(std::clamp(g + n, 0, 255));
            row[2] = std::uint8_t(std::clamp(r + n, 0, 255));
        }
    }
    return p;
}

// Strands of several shades on the white key colour, as the catalogue's.
Picture24 hairPicture(int width, int height, int seed)
{
    Picture24 p(width, height);
    p.fill(255, 255, 255);
    std::minstd_rand random(seed);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const double dx = (x - width / 2.0) / (width * 0.42);
            const double dy = (y - height * 0.45) / (height * 0.45);
            if (dx * dx + dy * dy >= 1.0 || (dy > 0.1 && std::abs(dx) < 0.55))
                continue;
            const int strand = int(x + 9 * std::sin(y / (17.0 + seed)) + random() % 3);
            const int shade = 40 + (strand * 7 % 48) + int(20 * (1 - dy));
            p.setPixel(x, y,
                       (std::uint32_t(std::min(255, shade + 30)) << 16) | (std::uint32_t(shade) << 8) |
                           std::uint32_t(shade / 2));
        }
    return p;
}

bool writeBytes(const QString &path, const std::vector<std::uint8_t> &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(reinterpret_cast<const char *>(bytes.data()),
                                                   qint64(bytes.size())) == qint64(bytes.size());
}

/** A salon folder: 300 hairs in each of the seven categories, 30 photographs. */
struct Salon
{
    QTemporaryDir dir{QDir::tempPath() + QStringLiteral("/quenda-bench-XXXXXX")};
    QString appDir;

    Salon()
    {
        if (!dir.isValid())
            throw std::runtime_error("no temporary folder");
        appDir = dir.path() + QLatin1Char('/');
        std::vector<std::vector<std::uint8_t>> gifs(4);
        for (int i = 0; i < 4; ++i)
            if (!GifCodec::encode(hairPicture(600, 800, 7 + i), gifs[std::size_t(i)]))
                throw std::runtime_error("cannot make the hair GIFs");
        for (const char *category : kCategories) {
            const QString folder =
                appDir + QStringLiteral("Quenda5/") + QString::fromUtf8(category) + QLatin1Char('/');
            QDir().mkpath(folder);
            for (int n = 1; n <= kHairs; ++n)
                if (!writeBytes(folder + QStringLiteral("%1.GIF").arg(n), gifs[std::size_t(n % 4)]))
                    throw std::runtime_error("cannot write a hair");
        }
        std::vector<std::vector<std::uint8_t>> jpegs(3);
        for (int i = 0; i < 3; ++i)
            if (!JpegCodec::encode(photograph(6000, 4000, i), 90, jpegs[std::size_t(i)]))
                throw std::runtime_error("cannot make the photographs");
        for (int n = 1; n <= kPhotos; ++n)
            if (!writeBytes(appDir + QStringLiteral("Cliente %1.jpg").arg(n, 2, 10, QLatin1Char('0')),
                            jpegs[std::size_t(n % 3)]))
                throw std::runtime_error("cannot write a photograph");
        std::fprintf(stderr, "salon: %d hairs of %zu bytes per category, %d photos of %zu bytes\n", kHairs,
                     gifs[0].size(), kPhotos, jpegs[0].size());
    }

    QString category(int code) const
    {
        return appDir + QStringLiteral("Quenda5/") + QString::fromUtf8(kCategories[code]);
    }
};

const Salon &salon()
{
    static const Salon s;
    return s;
}

class Host : public CatalogueHost
{
public:
    QString AppDir() const override { return salon().appDir; }
    QString CatalogueFolder() const override { return QStringLiteral("Quenda5"); }
    QString HairType() const override { return m_type; }
    void SetHairType(const QString &code) override { m_type = code; }
    QString CategoryName(int code) const override { return QString::fromUtf8(kCategories[code]); }
    bool HasComposition() const override { return false; }
    void InsertHair(const QString &) override {}
    void OpenPhotoFromCatalogue(const QString &) override {}
    void ClickMoveTool() override {}
    void ShowMessage(const QString &, const QString &) override {}

private:
    QString m_type = QStringLiteral("0");
};

/** A grid as the browser sets it up, 666 x 366, shown. */
std::unique_ptr<TThumbGrid> browserGrid()
{
    auto grid = std::make_unique<TThumbGrid>();
    grid->resize(666, 366);
    grid->SetScrollBars(TThumbGrid::sbVertical);
    grid->SetGridWidth(-1);
    grid->show();
    return grid;
}

void fillGrid(TThumbGrid &grid, int code)
{
    grid.Clear();
    const QString folder = salon().category(code) + QLatin1Char('/');
    for (int n = 1; n <= kHairs; ++n) {
        const int index = grid.AppendImage();
        grid.SetImageBackground(index, Qt::white);
        grid.SetImageFileName(index, folder + QStringLiteral("%1.GIF").arg(n));
    }
}

void BM_CategoryListing(benchmark::State &state)
{
    salon();
    Host host;
    TF_THUMBS browser(host);
    for (auto _ : state) {
        browser.FillCategoryPage(0);
        if (browser.ThumbGrid[0]->ImageCount() != kHairs)
            state.SkipWithError("wrong count");
    }
}
BENCHMARK(BM_CategoryListing)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FirstScreen(benchmark::State &state)
{
    salon();
    auto grid = browserGrid();
    for (auto _ : state) {
        state.PauseTiming();
        fillGrid(*grid, 1);
        state.ResumeTiming();
        grid->grab();
        benchmark::DoNotOptimize(grid->LoadedCount());
    }
    state.counters["decoded"] = grid->LoadedCount();
}
BENCHMARK(BM_FirstScreen)->Unit(benchmark::kMillisecond)->UseRealTime();

// One page of the scroll bar (ThumbHeight pixels, as the bar's page step
// moves it), arg 100; and a whole screen, arg 364.
void BM_ScrollOnePage(benchmark::State &state)
{
    salon();
    auto grid = browserGrid();
    fillGrid(*grid, 2);
    grid->grab();
    const int step = int(state.range(0));
    for (auto _ : state) {
        int y = grid->OffsetY() + step;
        if (y > grid->MaxOffsetY()) {
            state.PauseTiming();
            grid->SetOffsets(0, 0);
            grid->grab();
            state.ResumeTiming();
            y = step;
        }
        grid->SetOffsets(0, y);
        grid->grab();
    }
    state.counters["decoded"] = grid->LoadedCount();
}
BENCHMARK(BM_ScrollOnePage)->Arg(100)->Arg(364)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PhotosPageScan(benchmark::State &state)
{
    salon();
    TThumbview view;
    view.SetMaxWidth(200);
    view.SetMaxHeight(200);
    view.SetSize(50);
    view.SetScrollMode(Tscrollmode::SMVertical);
    view.show();
    while (!view.Shown())
        QApplication::processEvents();
    for (auto _ : state) {
        view.SetDirectory(salon().appDir);
        if (view.Count() != kPhotos)
            state.SkipWithError("wrong count");
    }
}
BENCHMARK(BM_PhotosPageScan)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PhotosFullDecode(benchmark::State &state)
{
    salon();
    for (auto _ : state) {
        for (int n = 1; n <= kPhotos; ++n) {
            Picture24 picture;
            const QString path =
                salon().appDir + QStringLiteral("Cliente %1.jpg").arg(n, 2, 10, QLatin1Char('0'));
            if (!ImageFile::load(QFile::encodeName(path).toStdString(), picture))
                state.SkipWithError("cannot decode");
        }
    }
}
BENCHMARK(BM_PhotosFullDecode)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// All seven pages filled and scrolled from top to bottom a row at a time,
// then the photos page: the peak resident size of the whole process.
void BM_BrowseEverything(benchmark::State &state)
{
    salon();
    Host host;
    for (auto _ : state) {
        TF_THUMBS browser(host);
        browser.show();
        for (int code = 0; code < 7; ++code) {
            browser.ShowPage(code);
            browser.PageControl1Change();
            TThumbGrid *grid = browser.ThumbGrid[code];
            for (int y = 0; y <= grid->MaxOffsetY(); y += grid->ThumbHeight()) {
                grid->SetOffsets(0, y);
                grid->grab();
            }
        }
        browser.ShowPage(7);
        browser.PageControl1Change();
        QApplication::processEvents();
        if (browser.Thumbview1->Count() != kPhotos)
            state.SkipWithError("photos page not scanned");
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_MB"] = double(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_BrowseEverything)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
