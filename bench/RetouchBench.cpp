// The retouch editor on a 24-megapixel photograph, through the real windows:
// a pointer move while drawing (the stroke and the repaint of what changed,
// view 1920 x 1080), opening the editor from the Retoque menu, and returning
// the photo (copies and the Temp bitmap file).
//
// Runs on the offscreen platform; the painting is real (into the window's
// backing store), only nothing reaches a screen.

#include "ImageFile.h"
#include "ProgramWindows.h"
#include "TF_DRAW.h"
#include "TF_FILHO.h"
#include "TF_HAIR.h"
#include "TImageView.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <memory>

namespace {
using Clock = std::chrono::steady_clock;
constexpr int kWidth = 6000;
constexpr int kHeight = 4000;

Picture24 makePhoto()
{
    Picture24 p(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y) {
        std::uint8_t *row = p.scanLine(y);
        for (int x = 0; x < kWidth; ++x, row += 3) {
            row[0] = std::uint8_t((x * 7 + y) >> 5);
            row[1] = std::uint8_t((x + y * 3) >> 5);
            row[2] = std::uint8_t(128 + 100 * std::sin(x * 0.01));
        }
    }
    return p;
}

// A salon folder with one 24 MP photo, open in one composition.
struct Salon
{
    QTemporaryDir dir;
    Salon()
    {
        QDir(dir.path()).mkpath(QStringLiteral("Quenda5"));
        const QString photo = dir.filePath(QStringLiteral("Foto24MP.bmp"));
        ImageFile::save(QFile::encodeName(photo).toStdString(), makePhoto(), {});
        TF_HAIR::SetMessageSink([](const QString &, const QString &) {});
        ProgramWindows::Create(dir.path() + QLatin1Char('/'));
        F_HAIR->resize(1200, 900);
        F_HAIR->show();
        F_HAIR->OpenPhotoFile(photo);
    }
    ~Salon() { ProgramWindows::Destroy(); }
};

std::unique_ptr<Salon> g_salon;

Salon &salon()
{
    if (!g_salon)
        g_salon = std::make_unique<Salon>();
    return *g_salon;
}

void flushPaint()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

void sendMove(QWidget *client, QPoint at)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(client->mapToGlobal(at)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(client, &move);
}

// The editor open on the photo, its view 1920 x 1080, a stroke begun.
QWidget *editorReady()
{
    salon();
    F_DRAW->SetPicture(F_HAIR->ActiveComposition()->Image1->Bitmap());
    F_DRAW->show();
    F_DRAW->resize(1920 + (F_DRAW->width() - F_DRAW->Image->width()),
                   1080 + (F_DRAW->height() - F_DRAW->Image->height()));
    flushPaint();
    return F_DRAW->Image->ClientArea();
}

// A zig-zag of short moves, as a hand makes them, with the chosen width.
void runMoves(benchmark::State &state, bool wholeView)
{
    QWidget *client = editorReady();
    F_DRAW->Model().SetPenWidth(int(state.range(0)));
    F_DRAW->Model().SetPenColour(0x603020);
    QPoint at(100, 100);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), QPointF(client->mapToGlobal(at)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(client, &press);
    int step = 0;
    for (auto _ : state) {
        ++step;
        at = QPoint(100 + (step * 7) % 1700, 100 + ((step / 243) * 37) % 900 + (step % 2) * 4);
        sendMove(client, at);
        if (wholeView)
            F_DRAW->Image->Refresh();
        flushPaint();
    }
    state.counters["view_w"] = client->width();
    state.counters["view_h"] = client->height();
    F_DRAW->Model().Release();
    F_DRAW->hide();
}

void BM_PenMove_24MP_View1080p(benchmark::State &state)
{
    runMoves(state, false);
}
// The same with the whole view drawn again on every move, for comparison.
void BM_PenMove_24MP_View1080p_WholeView(benchmark::State &state)
{
    runMoves(state, true);
}

// From the menu entry until the editor is shown and painted, closed at once.
void BM_OpenEditor_24MP(benchmark::State &state)
{
    salon();
    for (auto _ : state) {
        Clock::time_point shown;
        QTimer::singleShot(0, F_DRAW, [&] {
            flushPaint();
            shown = Clock::now();
            F_DRAW->Exit1Click();
        });
        const auto start = Clock::now();
        F_HAIR->RetoqueFoto1Click();
        state.SetIterationTime(std::chrono::duration<double>(shown - start).count());
    }
}

// Return button: editor picture to the scratch image, into the photo view,
// written as the next Temp bitmap.
void BM_ReturnPhoto_24MP(benchmark::State &state)
{
    salon();
    for (auto _ : state) {
        double seconds = 0;
        QTimer::singleShot(0, F_DRAW, [&] {
            const auto start = Clock::now();
            F_DRAW->QuendaButton1Click();
            seconds = std::chrono::duration<double>(Clock::now() - start).count();
        });
        F_HAIR->RetoqueFoto1Click();
        state.SetIterationTime(seconds);
        // Keep the salon folder from filling with 72 MB files.
        QFile::remove(F_HAIR->ActiveComposition()->lblFilename);
    }
}
} // namespace

BENCHMARK(BM_PenMove_24MP_View1080p)->Arg(1)->Arg(20)->Arg(30)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PenMove_24MP_View1080p_WholeView)->Arg(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenEditor_24MP)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReturnPhoto_24MP)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_salon.reset(); // the windows go before the application
    return 0;
}
