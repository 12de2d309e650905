// The page view, both contact sheets, the print window and the print
// commands of the main window, printing into PDF files (no printer is
// installed for this test: the machine's spooler is kept out of it).
#include "AppPrinter.h"
#include "EPageSheet.h"
#include "ImageFile.h"
#include "PageRecording.h"
#include "PdfPages.h"
#include "PictureImage.h"
#include "PrintGeometry.h"
#include "PrintPictures.h"
#include "ProgramWindows.h"
#include "SheetLayout.h"
#include "TBitBtn.h"
#include "TF_FILHO.h"
#include "TF_HAIR.h"
#include "TF_IMPRESSAO.h"
#include "TF_PREVIEW.h"
#include "TF_PREVIEW2.h"
#include "TGradientPanel.h"
#include "TImage.h"
#include "TImageAspect.h"
#include "TImageView.h"
#include "TMenuItem.h"
#include "TPageSheet.h"
#include "TRasterIMG.h"
#include "TResizeHandle.h"
#include "TestSalon.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {
/** Clearly different colours, one per composition, none of them white. */
QRgb cellColour(int k)
{
    static const QRgb colours[] = {0xc01010, 0x10a010, 0x1010c0, 0xc0c010, 0xc010c0,
                                   0x10c0c0, 0x804020, 0x402080, 0x208040};
    return colours[k];
}

/** The page view's recorded page played at printer pixels. */
QImage playPage(const TPageSheet &sheet)
{
    const PageGeometry g = sheet.Geometry();
    QImage image(g.PagePixelsWidth(), g.PagePixelsHeight(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    sheet.Page(1).Play(painter);
    return image;
}

QRect opaqueBounds(const QImage &image)
{
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}
} // namespace

class PrintWindowsTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestSalon> m_salon;
    QStringList m_messages;

    QString writePhoto(const QString &name, QRgb colour, int width = 400, int height = 500)
    {
        Picture24 photo(width, height);
        photo.fill(qRed(colour), qGreen(colour), qBlue(colour));
        const QString path = m_salon->AppDir() + name;
        ImageFile::save(QFile::encodeName(path).toStdString(), photo);
        return path;
    }

    void openColoured(int n)
    {
        for (int k = 0; k < n; ++k)
            F_HAIR->OpenPhotoFile(writePhoto(QStringLiteral("c%1.bmp").arg(k), cellColour(k)));
        QCOMPARE(F_HAIR->CompositionCount(), n);
    }

    static QRgb cellCentre(QWidget *cell)
    {
        const QImage shot = cell->grab().toImage();
        return shot.pixel(shot.width() / 2, shot.height() / 2) & 0xffffff;
    }

    /** The PDF file the next print goes to, named as in the save dialog. */
    QString printInto(const QString &name)
    {
        const QString path = m_salon->AppDir() + name;
        AppPrinter::SetSaveDialogRunner([path](const QString &) { return path; });
        return path;
    }

    void preview() { F_HAIR->MenuItem(QStringLiteral("PrintPreview1"))->trigger(); }

    void toPrintWindow()
    {
        preview();
        F_PREVIEW2->Imprimir1->trigger();
        QVERIFY(F_IMPRESSAO->isVisible());
        F_IMPRESSAO->FormActivate(); // activation is not delivered offscreen
    }

private slots:
    void init()
    {
        m_salon = std::make_unique<TestSalon>(2);
        m_messages.clear();
        TF_HAIR::SetMessageSink([this](const QString &text, const QString &) { m_messages << text; });
        ProgramWindows::Create(m_salon->AppDir());
        F_HAIR->resize(1000, 800);
        F_HAIR->show();
    }

    void cleanup()
    {
        AppPrinter::SetSaveDialogRunner({});
        AppPrinter::SetPrintDialogRunner({});
        ProgramWindows::Destroy();
        TF_HAIR::SetMessageSink({});
        m_salon.reset();
    }

    // ------------------------------------------------------------ page view

    void pageViewSizesFollowPrinterAndScreen()
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setResolution(600);
        printer.setPageSize(QPageSize(QPageSize::Letter));
        TPageSheet sheet;
        sheet.SetPrinter(&printer);
        sheet.SetScreenResolution(96, 96);
        sheet.SetOrientation(QPageLayout::Landscape);
        sheet.SetZoomPercent(25);
        QCOMPARE(sheet.ScreenPageSize(), QSize(264, 204));
        QCOMPARE(sheet.ScrollRanges(), QSize(264 + 12, 204 + 12));
        sheet.SetShadowOffset(0);
        QCOMPARE(sheet.ScrollRanges(), QSize(266, 206));
        // Without a printer: a letter page, portrait as given.
        sheet.SetPrinter(nullptr);
        QCOMPARE(sheet.ScreenPageSize(), QSize(204, 264));
        QCOMPARE(sheet.Geometry().DpiX(), 300);
    }

    void zoomLocationPlacesTheScrollBars()
    {
        TPageSheet sheet;
        sheet.SetPrinter(nullptr);
        sheet.SetScreenResolution(96, 96);
        sheet.resize(300, 200);
        sheet.show();
        sheet.SetZoomPercent(100); // 816 x 1056 on screen
        const QSize range = sheet.ScrollRanges();
        QCOMPARE(range, QSize(816 + 12, 1056 + 12));
        const QSize view = sheet.viewport()->size();
        QCOMPARE(sheet.horizontalScrollBar()->value(), 0);
        QCOMPARE(sheet.verticalScrollBar()->value(), 0);
        sheet.SetZoomLocation(TPageSheet::TZoomLocation::TopCenter);
        QCOMPARE(sheet.horizontalScrollBar()->value(), (range.width() - view.width()) / 2);
        QCOMPARE(sheet.verticalScrollBar()->value(), 0);
        sheet.SetZoomLocation(TPageSheet::TZoomLocation::Center);
        QCOMPARE(sheet.verticalScrollBar()->value(), (range.height() - view.height()) / 2);
        QCOMPARE(sheet.horizontalScrollBar()->singleStep(), 16);
    }

    void pageViewRefusesChangesWhileGenerating()
    {
        TPageSheet sheet;
        sheet.SetPrinter(nullptr);
        sheet.BeginDoc();
        sheet.Canvas()->fillRect(0, 0, 100, 100, Qt::red);
        const double top = sheet.MarginTop();
        const QList<std::pair<std::function<void()>, QString>> refused = {
            {[&] { sheet.Clear(); }, QStringLiteral("Não pode limpar conteúdo enquanto imprimindo")},
            {[&] { sheet.SetOrientation(QPageLayout::Landscape); },
             QStringLiteral("Não pode mudar orientação da página enquanto imprimindo")},
            {[&] { sheet.SetMarginTop(2); },
             QStringLiteral("Não pode mudar margem de cima enquanto imprimindo")},
            {[&] { sheet.SetMarginBottom(2); },
             QStringLiteral("Não pode mudar margem de baixo enquanto imprimindo")},
            {[&] { sheet.SetMarginLeft(2); },
             QStringLiteral("Não pode mudar margem esquerda enquanto imprimindo")},
            {[&] { sheet.SetMarginRight(2); },
             QStringLiteral("Não pode mudar margem direita enquanto imprimindo")},
        };
        for (const auto &[operation, text] : refused) {
            try {
                operation();
                QFAIL(qPrintable(QStringLiteral("not refused: ") + text));
            } catch (const EPageSheet &e) {
                QCOMPARE(e.Message(), text);
            }
        }
        QVERIFY(sheet.Generating());
        QCOMPARE(sheet.PageCount(), 1);
        QCOMPARE(sheet.MarginTop(), top);
        QCOMPARE(sheet.Orientation(), QPageLayout::Portrait);
        sheet.EndDoc();
        // The drawing survived the refusals.
        QCOMPARE(opaqueBounds(playPage(sheet)), QRect(0, 0, 100, 100));
        sheet.Clear();
        QCOMPARE(sheet.PageCount(), 0);
        QCOMPARE(sheet.CurrentPage(), 0);
    }

    void marginsBelowThePrintersEdgesAreRaisedAtBeginDoc()
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setResolution(300);
        printer.setPageSize(QPageSize(QPageSize::Letter));
        printer.setPageMargins(QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch);
        TPageSheet sheet;
        sheet.SetPrinter(&printer);
        sheet.SetMarginLeft(0.1);
        QCOMPARE(sheet.MarginLeft(), 0.25); // clamped when set
        sheet.SetMarginLeft(0.3);
        sheet.SetMarginTop(0.3);
        sheet.SetMarginBottom(20);
        QCOMPARE(sheet.MarginBottom(), 11.0 - 0.25);
        // Another printer with wider unprintable edges is chosen since.
        printer.setPageMargins(QMarginsF(0.5, 0.5, 0.5, 0.5), QPageLayout::Inch);
        QCOMPARE(sheet.MarginLeft(), 0.3);
        sheet.BeginDoc();
        QCOMPARE(sheet.MarginLeft(), 0.5);
        QCOMPARE(sheet.MarginTop(), 0.5);
        QCOMPARE(sheet.MarginBottom(), 10.5);
        sheet.EndDoc();
        // Units: margins follow the unit they are given in.
        sheet.SetMeasureUnit(TPageSheet::TMeasureUnit::Millimeters);
        QCOMPARE(sheet.MarginLeft(), 0.5 * 25.4);
        sheet.SetMeasureUnit(TPageSheet::TMeasureUnit::Inches);
        QVERIFY(qAbs(sheet.MarginLeft() - 0.5) < 1e-12);
    }

    void afterEndDocPageOneIsShown()
    {
        TPageSheet sheet;
        sheet.SetPrinter(nullptr);
        sheet.BeginDoc();
        sheet.Canvas()->fillRect(0, 0, 50, 50, Qt::red);
        sheet.NewPage();
        QCOMPARE(sheet.CurrentPage(), 2);
        sheet.Canvas()->fillRect(0, 0, 80, 80, Qt::blue);
        sheet.EndDoc();
        QCOMPARE(sheet.PageCount(), 2);
        QCOMPARE(sheet.CurrentPage(), 1);
        QCOMPARE(opaqueBounds(playPage(sheet)), QRect(0, 0, 50, 50));
        try {
            sheet.SetCurrentPage(3);
            QFAIL("page 3 of 2 accepted");
        } catch (const EPageSheet &e) {
            QCOMPARE(e.Message(), QStringLiteral("Número da Página deve estar entre 1 e 2"));
        }
        QCOMPARE(sheet.CurrentPage(), 1);
    }

    void pageViewPaintsGradientShadowPageRecordingAndMargins()
    {
        TPageSheet sheet;
        sheet.SetPrinter(nullptr);
        sheet.SetScreenResolution(96, 96);
        sheet.SetColor(QColor(200, 100, 40));
        sheet.SetMarginLeft(1.0);
        sheet.SetMarginTop(1.0);
        sheet.SetMarginRight(1.0);
        sheet.SetMarginBottom(1.0);
        sheet.resize(400, 400);
        sheet.SetZoomPercent(25);
        sheet.BeginDoc();
        // A red square an inch from the printable corner, an inch wide.
        sheet.Canvas()->fillRect(300, 300, 300, 300, Qt::red);
        sheet.EndDoc();
        const QImage shot = sheet.PaintBox()->grab().toImage();
        const int h = shot.height();
        QCOMPARE(QColor(shot.pixel(0, 0)), QColor(0, 0, 0));
        QCOMPARE(QColor(shot.pixel(0, h - 1)), QColor(200, 100, 40));
        const QRect page = sheet.PageRect();
        QCOMPARE(page.size(), QSize(204, 264));
        QCOMPARE(page.left(), (sheet.PaintBox()->width() - 204) / 2);
        QCOMPARE(QColor(shot.pixel(page.left(), page.center().y())), QColor(Qt::black)); // border
        QCOMPARE(shot.pixel(page.right() + 2, page.center().y()), sheet.ShadowColor().rgb());
        QCOMPARE(shot.pixel(page.center().x(), page.bottom() + 2), sheet.ShadowColor().rgb());
        // The recording: 0.25 in edge (6 px) + 1 px, then 1 in = 24 px per inch.
        const QPoint red = page.topLeft() + QPoint(6 + 1 + 24 + 12, 6 + 1 + 24 + 12);
        QCOMPARE(QColor(shot.pixel(red)), QColor(Qt::red));
        QCOMPARE(QColor(shot.pixel(page.topLeft() + QPoint(20, 20))), QColor(Qt::white));
        // The margins: one inch in, dotted silver.
        const QRect margins = sheet.MarginRect();
        QCOMPARE(margins.left() - page.left(), 24);
        int silver = 0;
        for (int y = margins.top(); y < margins.top() + 20; ++y)
            silver += QColor(shot.pixel(margins.left(), y)) == QColor(192, 192, 192);
        QVERIFY2(silver >= 5 && silver <= 15, "margin line is not dotted silver");
    }

    void aRecordedPagePlaysBackAsDrawn()
    {
        // The same drawing straight onto an image and through a recording.
        const auto draw = [](QPainter &p) {
            p.fillRect(10, 10, 60, 40, Qt::red);
            p.setPen(QPen(Qt::blue, 3));
            p.setBrush(Qt::yellow);
            p.save();
            p.translate(100, 30);
            p.rotate(30);
            p.drawRect(0, 0, 50, 20);
            p.restore();
            p.setClipRect(20, 70, 40, 40);
            p.drawEllipse(10, 60, 80, 80);
            p.setClipping(false);
            QImage picture(4, 4, QImage::Format_RGB32);
            picture.fill(Qt::green);
            picture.setPixel(0, 0, qRgb(255, 0, 255));
            p.drawImage(QRect(120, 80, 40, 40), picture);
            p.setBrush(Qt::NoBrush);
            p.drawLine(0, 199, 199, 150);
        };
        QImage direct(200, 200, QImage::Format_ARGB32);
        direct.fill(Qt::white);
        {
            QPainter p(&direct);
            draw(p);
        }
        PageRecording page(QSize(200, 200), 300);
        {
            QPainter p(&page);
            draw(p);
        }
        QVERIFY(!page.IsEmpty());
        QImage played(200, 200, QImage::Format_ARGB32);
        played.fill(Qt::white);
        {
            QPainter p(&played);
            page.Play(p);
        }
        // The one-pixel diagonal line may step at a different pixel or so
        // (integer and real line drawing); everything else is exact.
        int differing = 0;
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 200; ++x)
                differing += played.pixel(x, y) != direct.pixel(x, y);
        QVERIFY2(differing <= 8, qPrintable(QString::number(differing)));
        QCOMPARE(played.copy(0, 0, 200, 140), direct.copy(0, 0, 200, 140));
        // Played at half size inside a clip: the drawing shrinks with it.
        QImage half(100, 100, QImage::Format_ARGB32);
        half.fill(Qt::white);
        {
            QPainter p(&half);
            p.scale(0.5, 0.5);
            page.Play(p);
        }
        QCOMPARE(QColor(half.pixel(20, 15)), QColor(Qt::red));
        QCOMPARE(QColor(half.pixel(70, 50)), QColor(Qt::green));
    }

    // ------------------------------------------------------------- sheets

    void nineCompositionsShowTheFirstEight()
    {
        openColoured(9);
        preview();
        QVERIFY(F_PREVIEW2->isVisible());
        QVERIFY(!F_PREVIEW->isVisible());
        for (int k = 1; k <= 8; ++k) {
            QVERIFY(PdfPages::Near(cellCentre(F_PREVIEW->Cell(k)), cellColour(k - 1), 0));
            QVERIFY(PdfPages::Near(cellCentre(F_PREVIEW2->Cell(k)), cellColour(k - 1), 0));
        }
        // The ninth is on neither sheet.
        const QImage page = F_PREVIEW->grab().toImage();
        const QImage screen = F_PREVIEW2->Cell(1)->parentWidget()->grab().toImage();
        for (const QImage &shot : {page, screen})
            for (int y = 0; y < shot.height(); y += 3)
                for (int x = 0; x < shot.width(); x += 3)
                    QVERIFY((shot.pixel(x, y) & 0xffffff) != cellColour(8));
        // The transfer file holds the last picture that passed.
        QVERIFY(QFile::exists(m_salon->AppDir() + QStringLiteral("Quenda5/Test.BMP")));
        QVERIFY(m_messages.isEmpty());
    }

    void aShorterPreviewLeavesNoEarlierClientBehind()
    {
        openColoured(3);
        preview();
        F_PREVIEW2->close(); // closed by its frame: the cells stay
        QVERIFY(!F_PREVIEW2->Cell(3)->IsEmpty());
        F_HAIR->MdiArea()->subWindowList().last()->close();
        F_HAIR->MdiArea()->subWindowList().last()->close();
        QTest::qWait(0);
        QCOMPARE(F_HAIR->CompositionCount(), 1);
        preview();
        QVERIFY(!F_PREVIEW->Cell(1)->Picture().isNull());
        QVERIFY(!F_PREVIEW2->Cell(1)->IsEmpty());
        for (int k = 2; k <= 8; ++k) {
            QVERIFY(F_PREVIEW->Cell(k)->Picture().isNull());
            QVERIFY(F_PREVIEW2->Cell(k)->IsEmpty());
        }
    }

    void cellsCentreTallAndWidePictures()
    {
        TImageAspect cell(QStringLiteral("ImageAspect1"));
        cell.resize(185, 257);
        QImage tall(100, 400, QImage::Format_RGB32);
        tall.fill(Qt::blue);
        cell.SetPicture(tall);
        QCOMPARE(cell.size(), QSize(185, 257));
        QCOMPARE(cell.DrawnRect(), QRect(60, 0, 64, 257));
        QImage wide(400, 100, QImage::Format_RGB32);
        wide.fill(Qt::blue);
        cell.SetPicture(wide);
        QCOMPARE(cell.DrawnRect(), QRect(0, 105, 185, 46));

        QWidget page;
        QPalette white;
        white.setColor(QPalette::Window, Qt::white);
        page.setPalette(white);
        page.setAutoFillBackground(true);
        TRasterIMG raster(QStringLiteral("RasterIMG1"), &page);
        raster.resize(185, 257);
        TRasterBMP picture(100, 400);
        picture.SetDimensions(100, 400);
        Picture24 blue(100, 400);
        blue.fill(0, 0, 255);
        picture.LoadFromBitmapHandle(blue);
        raster.SetPicture(picture);
        QCOMPARE(raster.DrawnRect(), QRect(60, 0, 64, 257));
        const QImage shot = raster.grab().toImage();
        QCOMPARE(QColor(shot.pixel(92, 128)), QColor(Qt::blue));
        QCOMPARE(QColor(shot.pixel(30, 128)), QColor(Qt::white)); // the cell's background
        QCOMPARE(QColor(shot.pixel(150, 128)), QColor(Qt::white));
        QCOMPARE(raster.Drawn().size(), QSize(64, 257));
        raster.Clear();
        QVERIFY(raster.IsEmpty());
        QVERIFY(raster.DrawnRect().isEmpty());
    }

    void oneCompositionFillsCellOneOnlyAndIsCentred()
    {
        openColoured(1);
        preview();
        // The composition window is relatively wider than a cell: centred
        // vertically, full width.
        TImageAspect *cell = F_PREVIEW->Cell(1);
        const QRect drawn = cell->DrawnRect();
        QCOMPARE(drawn.width(), 185);
        QVERIFY(drawn.top() > 0);
        QCOMPARE(drawn.top(), (257 - drawn.height()) / 2);
        for (int k = 2; k <= 8; ++k)
            QVERIFY(F_PREVIEW->Cell(k)->Picture().isNull());
    }

    void previewFinishesAResizeAndHidesTheColourPanel()
    {
        F_HAIR->OpenPhotoFile(m_salon->PhotoPath());
        TF_FILHO *c = F_HAIR->ActiveComposition();
        QVERIFY(c);
        F_HAIR->Inserir1Click();
        F_HAIR->Redimensionar1Click();
        QVERIFY(c->SH1->Attached());
        c->Image2->resize(90, 70);
        F_HAIR->GradientPanel1->show();
        preview();
        QVERIFY(!c->SH1->Attached());
        QCOMPARE(c->Image2->size(), QSize(90, 70));
        QCOMPARE(c->Image2->Picture().width(), 90); // baked at its on-screen size
        QVERIFY(!F_HAIR->GradientPanel1->isVisible());
    }

    void leavingThePreviewEmptiesItsCells_data()
    {
        QTest::addColumn<bool>("byEscape");
        QTest::newRow("Esc") << true;
        QTest::newRow("menu") << false;
    }

    void leavingThePreviewEmptiesItsCells()
    {
        QFETCH(bool, byEscape);
        openColoured(2);
        preview();
        QVERIFY(!F_PREVIEW2->Cell(2)->IsEmpty());
        if (byEscape)
            QTest::keyClick(F_PREVIEW2, Qt::Key_Escape);
        else
            F_PREVIEW2->Sair1->trigger();
        QVERIFY(!F_PREVIEW2->isVisible());
        for (int k = 1; k <= 8; ++k)
            QVERIFY(F_PREVIEW2->Cell(k)->IsEmpty());
        // The page form keeps its pictures for printing.
        QVERIFY(!F_PREVIEW->Cell(2)->Picture().isNull());
    }

    // ------------------------------------------------------- print window

    void printFromPreviewTakesThePageFormWithWhiteEdges()
    {
        openColoured(8);
        preview();
        F_PREVIEW2->Imprimir1->trigger();
        QVERIFY(F_IMPRESSAO->isVisible());
        const Picture24 &scratch = F_HAIR->ImageView1->Bitmap();
        QCOMPARE(scratch.width(), SheetLayout::kPageWidth);
        QCOMPARE(scratch.height(), SheetLayout::kPageHeight);
        for (int x = 0; x < scratch.width(); ++x)
            QCOMPARE(scratch.pixel(x, 0), 0xffffffu);
        for (int y = 0; y < scratch.height(); ++y)
            QCOMPARE(scratch.pixel(0, y), 0xffffffu);
        const QRect cell8 = F_PREVIEW->Cell(8)->geometry();
        QCOMPARE(scratch.pixel(cell8.center().x(), cell8.center().y()), std::uint32_t(cellColour(7)));
    }

    void sizeButtonsPlaceThePictureOnThePageView()
    {
        openColoured(2);
        toPrintWindow();
        QCOMPARE(F_IMPRESSAO->SizeMode(), 3);
        QVERIFY(F_IMPRESSAO->SpeedButton1->isChecked());
        TPageSheet *view = F_IMPRESSAO->PP_IMPRESSAO;
        QCOMPARE(view->Orientation(), QPageLayout::Landscape);
        QCOMPARE(view->ZoomPercent(), 25);
        QCOMPARE(view->CurrentPage(), 1);
        struct Case
        {
            QToolButton *button;
            int mode, origin;
        };
        const Case cases[] = {{F_IMPRESSAO->SpeedButton3, 5, 225},
                              {F_IMPRESSAO->SpeedButton2, 4, 300},
                              {F_IMPRESSAO->SpeedButton1, 3, 300}};
        for (const Case &c : cases) {
            QTest::mouseClick(c.button, Qt::LeftButton);
            QCOMPARE(F_IMPRESSAO->SizeMode(), c.mode);
            QVERIFY(c.button->isChecked());
            const QImage page = playPage(*view);
            // The sheet starts at the origin and ends at size-mode times
            // its size, cut by the page's edge.
            const QRect ink = opaqueBounds(page);
            QCOMPARE(ink.topLeft(), QPoint(c.origin, c.origin));
            QCOMPARE(ink.right() + 1, std::min(778 * c.mode, page.width()));
            QCOMPARE(ink.bottom() + 1, std::min(537 * c.mode, page.height()));
        }
        // The size chosen stays for the rest of the run.
        F_IMPRESSAO->close();
        toPrintWindow();
        QCOMPARE(F_IMPRESSAO->SizeMode(), 3);
        QVERIFY(F_IMPRESSAO->SpeedButton1->isChecked());
    }

    void pureGreenIsLeftOutOfThePageViewButPrinted()
    {
        F_HAIR->OpenPhotoFile(writePhoto(QStringLiteral("green.bmp"), qRgb(0, 255, 0)));
        toPrintWindow();
        const QRect cell = F_PREVIEW->Cell(1)->geometry();
        const QPoint centre = cell.center();
        const QImage page = playPage(*F_IMPRESSAO->PP_IMPRESSAO);
        // Size "1": the sheet point (x, y) lands near 300 + (3x - 300) * x / 778.
        const auto onPage = [](QPoint p) {
            return QPoint(300 + int((778.0 * 3 - 300) * p.x() / 778),
                          300 + int((537.0 * 3 - 300) * p.y() / 537));
        };
        QCOMPARE(qAlpha(page.pixel(onPage(centre))), 0);
        QCOMPARE(page.pixel(onPage(QPoint(700, 400))), qRgb(255, 255, 255)); // empty cell: white, drawn
        // Printed, the green is there.
        const QString pdf = printInto(QStringLiteral("green.pdf"));
        QTest::mouseClick(F_IMPRESSAO->BitBtn2, Qt::LeftButton);
        QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('\n'))));
        const QImage printed = PdfPages::Render(pdf, 75);
        QVERIFY(!printed.isNull());
        // 75 dpi render of a 300 dpi job: a quarter of the device pixels.
        const PrintGeometry::Size size = PrintGeometry::PrintedSheetSize(3150, 2400, 778, 537, 3);
        const QPoint at((75 + 100 + centre.x() * size.width / 778) / 4,
                        (75 + 100 + centre.y() * size.height / 537) / 4);
        QVERIFY2(PdfPages::Near(printed.pixel(at), qRgb(0, 255, 0)), "green not printed");
    }

    void escapeClosesThePrintWindow_data()
    {
        QTest::addColumn<QString>("from");
        QTest::newRow("window") << QString();
        QTest::newRow("Imprimir") << QStringLiteral("BitBtn2");
        QTest::newRow("Sair") << QStringLiteral("BitBtn1");
    }

    void escapeClosesThePrintWindow()
    {
        QFETCH(QString, from);
        openColoured(1);
        toPrintWindow();
        QWidget *target = from.isEmpty() ? static_cast<QWidget *>(F_IMPRESSAO)
                                         : F_IMPRESSAO->findChild<QPushButton *>(from);
        QVERIFY(target);
        bool asked = false;
        AppPrinter::SetSaveDialogRunner([&asked](const QString &) {
            asked = true;
            return QString();
        });
        QTest::keyClick(target, Qt::Key_Escape);
        QVERIFY(!F_IMPRESSAO->isVisible());
        QVERIFY(!asked); // Esc on "&Imprimir" does not print
    }

    void sairClosesThePrintWindow()
    {
        openColoured(1);
        toPrintWindow();
        QTest::mouseClick(F_IMPRESSAO->BitBtn1, Qt::LeftButton);
        QVERIFY(!F_IMPRESSAO->isVisible());
    }

    // ------------------------------------------------------------ printing

    void sheetPrintsLandscapeAtEachSize_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("mode");
        QTest::newRow("1") << 1 << 3;
        QTest::newRow("3") << 3 << 5;
    }

    void sheetPrintsLandscapeAtEachSize()
    {
        QFETCH(int, button);
        QFETCH(int, mode);
        openColoured(8);
        toPrintWindow();
        QTest::mouseClick(F_IMPRESSAO->findChild<QToolButton *>(QStringLiteral("SpeedButton%1").arg(button)),
                          Qt::LeftButton);
        const QString pdf = printInto(QStringLiteral("sheet.pdf"));
        QTest::mouseClick(F_IMPRESSAO->BitBtn2, Qt::LeftButton);
        QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('\n'))));
        QCOMPARE(PdfPages::PageCount(pdf), 1);
        const QImage page = PdfPages::Render(pdf, 100);
        QCOMPARE(page.size(), QSize(1100, 850)); // letter, landscape
        // 300 dpi job: printable corner 75, sheet 100 further; its height is
        // the printable height / divisor.
        const PrintGeometry::Size size = PrintGeometry::PrintedSheetSize(3150, 2400, 778, 537, mode);
        QCOMPARE(size.height, PrintGeometry::RoundHalfEven(2400 / PrintGeometry::SheetDivisor(mode)));
        // The ink is the cells: from cell 1's picture to cell 8's.
        const QRect first = F_PREVIEW->Cell(1)->DrawnRect().translated(F_PREVIEW->Cell(1)->pos());
        const QRect last = F_PREVIEW->Cell(8)->DrawnRect().translated(F_PREVIEW->Cell(8)->pos());
        const double sx = size.width / 778.0, sy = size.height / 537.0;
        const QRect expected(
            QPoint(int((175 + first.left() * sx) / 3), int((175 + first.top() * sy) / 3)),
            QPoint(int((175 + (last.right() + 1) * sx) / 3), int((175 + (last.bottom() + 1) * sy) / 3)));
        const QRect ink = PdfPages::InkBounds(page);
        QVERIFY2(PdfPages::Close(ink, expected, 2),
                 qPrintable(QStringLiteral("ink %1,%2 %3x%4 expected %5,%6 %7x%8")
                                .arg(ink.x())
                                .arg(ink.y())
                                .arg(ink.width())
                                .arg(ink.height())
                                .arg(expected.x())
                                .arg(expected.y())
                                .arg(expected.width())
                                .arg(expected.height())));
    }

    void oneCompositionPrintsWhatIsVisibleAtTwiceItsSize()
    {
        F_HAIR->OpenPhotoFile(m_salon->PhotoPath());
        TF_FILHO *c = F_HAIR->ActiveComposition();
        QVERIFY(c);
        c->Image1->SetZoom(200);
        c->Image1->SetViewXY(100000, 100000); // scrolled to the lower right
        const QImage shown = c->grab().toImage();
        const QString pdf = printInto(QStringLiteral("one.pdf"));
        F_HAIR->MenuItem(QStringLiteral("Imprimir1"))->trigger();
        QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('\n'))));
        QCOMPARE(PdfPages::PageCount(pdf), 1);
        const QImage page = PdfPages::Render(pdf, 300);
        QCOMPARE(page.size(), QSize(2550, 3300)); // letter, portrait, 300 dpi
        // 200 device pixels from the printable corner (a quarter inch in).
        const QRect where(275, 275, 2 * shown.width(), 2 * shown.height());
        QVERIFY(PdfPages::Close(PdfPages::InkBounds(page, 250), where, 2));
        // The photo's lower right corner as it was on screen, doubled.
        const QPoint corner = c->Image1->ClientArea()->mapTo(
            c, QPoint(c->Image1->ClientArea()->width() - 4, c->Image1->ClientArea()->height() - 4));
        const QRgb onScreen = shown.pixel(corner);
        QVERIFY(PdfPages::Near(onScreen, TestSalon::Photo().pixel(398, 298) | 0xff000000u, 6));
        QVERIFY(PdfPages::Near(page.pixel(275 + 2 * corner.x() + 1, 275 + 2 * corner.y() + 1), onScreen));
        const QPoint middle(shown.width() / 2, shown.height() / 2);
        QVERIFY(PdfPages::Near(page.pixel(275 + 2 * middle.x(), 275 + 2 * middle.y()), shown.pixel(middle)));
    }

    void aCancelledDialogPrintsNothing()
    {
        openColoured(1);
        bool asked = false;
        AppPrinter::SetSaveDialogRunner([&asked](const QString &suggested) {
            asked = true;
            // Offered in the user's documents folder.
            [&] { QVERIFY(suggested.endsWith(QLatin1String(".pdf"))); }();
            return QString();
        });
        const QString before = AppPrinter::Current().outputFileName();
        F_HAIR->Imprimir1Click();
        QVERIFY(asked);
        QCOMPARE(AppPrinter::Current().outputFileName(), before);
        QVERIFY(m_messages.isEmpty());
        // The scratch image already holds the snapshot.
        QCOMPARE(F_HAIR->ImageView1->Bitmap().width(), F_HAIR->ActiveComposition()->width());
    }

    void aFileThatCannotBeWrittenIsReported()
    {
        openColoured(1);
        const QString bad = m_salon->AppDir() + QStringLiteral("no/such/folder/x.pdf");
        AppPrinter::SetSaveDialogRunner([bad](const QString &) { return bad; });
        F_HAIR->Imprimir1Click();
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(m_messages[0].startsWith(QStringLiteral("Não foi possível gravar o arquivo.")));
        QVERIFY(m_messages[0].endsWith(bad));
        QVERIFY(!QFile::exists(bad));
        QCOMPARE(F_HAIR->CompositionCount(), 1);
    }

    void theSaveDialogNamesThePdf()
    {
        openColoured(1);
        const QString pdf = m_salon->AppDir() + QStringLiteral("dialog.pdf");
        // The real dialog, answered as a user would: a name typed, then Save.
        QTimer::singleShot(200, [pdf] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (!dialog) {
                qWarning() << "no file dialog" << QApplication::activeModalWidget();
                return;
            }
            auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            if (!edit) {
                qWarning() << "no file name field";
                return;
            }
            edit->selectAll();
            QTest::keyClicks(edit, pdf);
            QTest::keyClick(edit, Qt::Key_Return);
        });
        F_HAIR->Imprimir1Click();
        QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('\n'))));
        QCOMPARE(AppPrinter::Current().outputFileName(), pdf);
        QCOMPARE(PdfPages::PageCount(pdf), 1);
    }

    void aPictureFittedToOnePage()
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setResolution(300);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
        const QString pdf = m_salon->AppDir() + QStringLiteral("fitted.pdf");
        printer.setOutputFileName(pdf);
        Picture24 wide(300, 100);
        wide.fill(200, 30, 30);
        QVERIFY(PrintPictures::PrintFitted(printer, wide));
        const QImage page = PdfPages::Render(pdf, 100);
        QCOMPARE(page.width(), 827); // A4 portrait at 100 dpi
        QVERIFY(qAbs(page.height() - 1169) <= 1);
        // Printable width 190 mm: 748 px at 100 dpi, a third as high, centred.
        const QRect ink = PdfPages::InkBounds(page);
        QVERIFY(qAbs(ink.width() - 748) <= 2);
        QVERIFY(qAbs(ink.height() - 249) <= 2);
        QVERIFY(qAbs(ink.left() - 39) <= 2);
        QVERIFY(qAbs(ink.center().y() - 1169 / 2) <= 2);
        QVERIFY(!PrintPictures::PrintFitted(printer, Picture24()));
    }
};

int main(int argc, char **argv)
{
    // No printer of the machine may take part here: the spooler is sent to
    // a socket that does not exist, so every job goes to a PDF file.
    qputenv("CUPS_SERVER",
            QByteArray("/nonexistent/quenda-test-") + QByteArray::number(QCoreApplication::applicationPid()));
    // The real save dialog remembers its folder: not in the user's settings.
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    PrintWindowsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "PrintWindowsTest.moc"
