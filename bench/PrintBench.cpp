// The print paths a salon operator waits for: building the preview of eight
// compositions, rebuilding the page view on a size button, and printing the
// sheet into a PDF file. Run in the program's own windows (offscreen) over
// the sample salon.
#include "AppPrinter.h"
#include "PictureImage.h"
#include "PrintCommands.h"
#include "PrintPictures.h"
#include "ProgramWindows.h"
#include "TF_HAIR.h"
#include "TF_IMPRESSAO.h"
#include "TF_PREVIEW.h"
#include "TF_PREVIEW2.h"
#include "TImageView.h"
#include "TMenuItem.h"
#include "TPageSheet.h"

#include <QApplication>
#include <QDir>
#include <QPrinter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {
void openEight()
{
    for (int k = 0; k < 8; ++k)
        F_HAIR->OpenPhotoFile(QStringLiteral(QUENDA_BENCH_SALON "/Modelo.JPG"));
}

void BM_BuildPreviewOfEight(benchmark::State &state)
{
    if (F_HAIR->CompositionCount() != 8) {
        state.SkipWithError(
            ("the sample salon's photo did not open: " + std::to_string(F_HAIR->CompositionCount())).c_str());
        return;
    }
    for (auto _ : state) {
        F_HAIR->MenuItem(QStringLiteral("PrintPreview1"))->trigger();
        QApplication::processEvents(); // the sheet is painted
        F_PREVIEW2->Sair1Click();
    }
}
BENCHMARK(BM_BuildPreviewOfEight)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RebuildPageView(benchmark::State &state)
{
    F_HAIR->MenuItem(QStringLiteral("PrintPreview1"))->trigger();
    F_PREVIEW2->Imprimir1Click();
    int button = 0;
    for (auto _ : state) {
        // Alternate sizes, as a user trying them would, and paint the view.
        if (button++ % 2)
            F_IMPRESSAO->SpeedButton2Click();
        else
            F_IMPRESSAO->SpeedButton3Click();
        QImage shot = F_IMPRESSAO->PP_IMPRESSAO->PaintBox()->grab().toImage();
        benchmark::DoNotOptimize(shot);
    }
    F_IMPRESSAO->close();
    F_PREVIEW2->Sair1Click();
}
BENCHMARK(BM_RebuildPageView)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PrintSheetToPdf(benchmark::State &state)
{
    F_HAIR->MenuItem(QStringLiteral("PrintPreview1"))->trigger();
    F_PREVIEW2->Imprimir1Click();
    const QImage sheet = PictureImage::ToQImage(F_HAIR->ImageView1->Bitmap());
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setResolution(300);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setOutputFileName(dir.filePath(QStringLiteral("sheet.pdf")));
    for (auto _ : state) {
        if (!PrintPictures::PrintSheet(printer, sheet, 5))
            state.SkipWithError("the PDF could not be written");
    }
    F_IMPRESSAO->close();
    F_PREVIEW2->Sair1Click();
}
BENCHMARK(BM_PrintSheetToPdf)->Unit(benchmark::kMillisecond)->UseRealTime();
} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Printing goes to files here, never to the machine's printers.
    qputenv("CUPS_SERVER", "/nonexistent/quenda-bench");
    QApplication app(argc, argv);
    // A message here would be a modal box with nobody to close it.
    TF_HAIR::SetMessageSink([](const QString &text, const QString &) { qWarning("%s", qPrintable(text)); });
    ProgramWindows::Create(QStringLiteral(QUENDA_BENCH_SALON "/"));
    F_HAIR->resize(1200, 900);
    F_HAIR->show();
    openEight();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ProgramWindows::Destroy();
    return 0;
}
