// Printing as a user would, through a real print spooler: a spooler of the
// test's own (private configuration, spool and output folders, listening
// only on a socket in a temporary folder) with a virtual PDF printer. The
// PDF it writes is rendered and measured.
#include "AppPrinter.h"
#include "ImageFile.h"
#include "PdfPages.h"
#include "PrintGeometry.h"
#include "ProgramWindows.h"
#include "SheetLayout.h"
#include "TBitBtn.h"
#include "TF_FILHO.h"
#include "TF_HAIR.h"
#include "TF_IMPRESSAO.h"
#include "TF_PREVIEW.h"
#include "TF_PREVIEW2.h"
#include "TImageAspect.h"
#include "TMenuItem.h"
#include "TToolItem.h"
#include "TestSalon.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <cstdlib>

namespace {
QString g_spoolerDir;
QString g_spoolerProblem;

QString shellQuote(const QString &s)
{
    QString q = s;
    q.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QLatin1Char('\'') + q + QLatin1Char('\'');
}

/** Accepts the print dialog once it is up, leaving the printer it shows. */
void acceptPrintDialogSoon(QString *printerShown)
{
    QTimer::singleShot(300, [printerShown] {
        auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        *printerShown = dialog->printer()->printerName();
        static_cast<QDialog *>(dialog)->accept();
    });
}
} // namespace

class SpoolerPrintTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestSalon> m_salon;
    QStringList m_messages;

    /** The PDF the virtual printer wrote for the next job. */
    QString waitForOutput(const QStringList &before)
    {
        QDir out(g_spoolerDir + QStringLiteral("/out"));
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 60000) {
            const QStringList now = out.entryList({QStringLiteral("*.pdf")}, QDir::Files);
            for (const QString &name : now)
                if (!before.contains(name) && PdfPages::PageCount(out.filePath(name)) > 0)
                    return out.filePath(name);
            QTest::qWait(200);
        }
        return {};
    }

    QStringList outputs() const
    {
        return QDir(g_spoolerDir + QStringLiteral("/out")).entryList({QStringLiteral("*.pdf")}, QDir::Files);
    }

    void openColoured(int n)
    {
        for (int k = 0; k < n; ++k) {
            Picture24 photo(400, 500);
            photo.fill(40 + 25 * k, 200 - 20 * k, 90);
            const QString path = m_salon->AppDir() + QStringLiteral("p%1.bmp").arg(k);
            ImageFile::save(QFile::encodeName(path).toStdString(), photo);
            F_HAIR->OpenPhotoFile(path);
        }
        QCOMPARE(F_HAIR->CompositionCount(), n);
    }

private slots:
    void initTestCase()
    {
        if (!g_spoolerProblem.isEmpty())
            QSKIP(qPrintable(g_spoolerProblem));
        QCOMPARE(QPrinterInfo::availablePrinterNames(), QStringList({QStringLiteral("QuendaPDF")}));
        QVERIFY(AppPrinter::HasInstalledPrinter());
        QCOMPARE(AppPrinter::Current().printerName(), QStringLiteral("QuendaPDF"));
        QCOMPARE(AppPrinter::Current().outputFormat(), QPrinter::NativeFormat);
    }

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
        ProgramWindows::Destroy();
        TF_HAIR::SetMessageSink({});
        m_salon.reset();
    }

    void oneCompositionPrintsOnAPortraitPage()
    {
        F_HAIR->OpenPhotoFile(m_salon->PhotoPath());
        TF_FILHO *c = F_HAIR->ActiveComposition();
        QVERIFY(c);
        const QSize shown = c->size();
        const QStringList before = outputs();
        QString printerShown;
        acceptPrintDialogSoon(&printerShown);
        QWidget *button = F_HAIR->ToolBar1->widgetForAction(F_HAIR->ToolItem(QStringLiteral("BT_Imprimir")));
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(printerShown, QStringLiteral("QuendaPDF"));
        QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('\n'))));
        const QString pdf = waitForOutput(before);
        QVERIFY2(!pdf.isEmpty(), "the virtual printer wrote nothing");
        QCOMPARE(PdfPages::PageCount(pdf), 1);

        QPrinter &printer = AppPrinter::Current();
        const int dpi = printer.resolution();
        const QSizeF paper = printer.pageLayout().fullRect(QPageLayout::Inch).size();
        const QMarginsF edge = printer.pageLayout().margins(QPageLayout::Inch);
        const QImage page = PdfPages::Render(pdf, 100);
        QVERIFY(!page.isNull());
        QVERIFY(page.height() > page.width()); // portrait
        QVERIFY(qAbs(page.width() - paper.width() * 100) <= 1.5);
        QVERIFY(qAbs(page.height() - paper.height() * 100) <= 1.5);
        // 200 device pixels from the printable corner, twice the window's size.
        const QRectF inches(edge.left() + 200.0 / dpi, edge.top() + 200.0 / dpi, 2.0 * shown.width() / dpi,
                            2.0 * shown.height() / dpi);
        const QRect expected(qRound(inches.left() * 100), qRound(inches.top() * 100),
                             qRound(inches.width() * 100), qRound(inches.height() * 100));
        const QRect ink = PdfPages::InkBounds(page, 250);
        QVERIFY2(PdfPages::Close(ink, expected, 3),
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

    void contactSheetPrintsOnALandscapePage()
    {
        openColoured(8);
        F_HAIR->MenuItem(QStringLiteral("PrintPreview1"))->trigger();
        F_PREVIEW2->Imprimir1->trigger();
        F_IMPRESSAO->FormActivate();
        QTest::mouseClick(F_IMPRESSAO->SpeedButton3, Qt::LeftButton);
        QCOMPARE(F_IMPRESSAO->SizeMode(), 5);
        const QStringList before = outputs();
        QString printerShown;
        acceptPrintDialogSoon(&printerShown);
        QTest::mouseClick(F_IMPRESSAO->BitBtn2, Qt::LeftButton);
        QCOMPARE(printerShown, QStringLiteral("QuendaPDF"));
        QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('\n'))));
        const QString pdf = waitForOutput(before);
        QVERIFY2(!pdf.isEmpty(), "the virtual printer wrote nothing");
        QCOMPARE(PdfPages::PageCount(pdf), 1);

        QPrinter &printer = AppPrinter::Current();
        QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Landscape);
        const int dpi = printer.resolution();
        const QRect printable = printer.pageRect(QPrinter::DevicePixel).toRect();
        const QMarginsF edge = printer.pageLayout().margins(QPageLayout::Inch);
        QImage page = PdfPages::Render(pdf, 100);
        QVERIFY(!page.isNull());
        // The paper goes through the printer upright: a landscape job comes
        // out as a portrait sheet with the picture turned a quarter to the
        // left. Turned back, it must read as the landscape page.
        if (page.height() > page.width())
            page = page.transformed(QTransform().rotate(90));
        QVERIFY2(page.width() > page.height(), "not landscape");
        const PrintGeometry::Size size =
            PrintGeometry::PrintedSheetSize(printable.width(), printable.height(), 778, 537, 5);
        // Size "3": the sheet is the printable height / 1.2 high.
        QCOMPARE(size.height, PrintGeometry::RoundHalfEven(printable.height() / 1.2));
        const QRect first = F_PREVIEW->Cell(1)->DrawnRect().translated(F_PREVIEW->Cell(1)->pos());
        const QRect last = F_PREVIEW->Cell(8)->DrawnRect().translated(F_PREVIEW->Cell(8)->pos());
        const double sx = double(size.width) / 778, sy = double(size.height) / 537;
        const auto at = [&](double devX, double devY) {
            return QPoint(qRound((edge.left() + (100 + devX) / dpi) * 100),
                          qRound((edge.top() + (100 + devY) / dpi) * 100));
        };
        const QRect expected(at(first.left() * sx, first.top() * sy),
                             at((last.right() + 1) * sx, (last.bottom() + 1) * sy));
        const QRect ink = PdfPages::InkBounds(page);
        // Turned the right way: cell 1 top left, cell 8 bottom right.
        const QPoint one = at(first.center().x() * sx, first.center().y() * sy);
        const QPoint eight = at(last.center().x() * sx, last.center().y() * sy);
        QVERIFY(PdfPages::Near(page.pixel(one), qRgb(40, 200, 90)));
        QVERIFY(PdfPages::Near(page.pixel(eight), qRgb(40 + 25 * 7, 200 - 20 * 7, 90)));
        QVERIFY2(PdfPages::Close(ink, expected, 3),
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
};

int main(int argc, char **argv)
{
    // The spooler must be up, and the print system pointed at it, before
    // anything asks for printers.
    QByteArray dir = qgetenv("TMPDIR");
    if (dir.isEmpty())
        dir = "/tmp";
    dir += "/quenda-spooler-XXXXXX";
    if (!mkdtemp(dir.data())) {
        g_spoolerProblem = QStringLiteral("no temporary folder for the spooler");
    } else {
        g_spoolerDir = QString::fromLocal8Bit(dir);
        const QString start =
            QStringLiteral("bash %1 start %2 >%2/start.log 2>&1")
                .arg(shellQuote(QStringLiteral(QUENDA_PRIVATE_SPOOLER)), shellQuote(g_spoolerDir));
        const int rc = std::system(start.toLocal8Bit().constData());
        if (rc != 0) {
            QFile log(g_spoolerDir + QStringLiteral("/start.log"));
            log.open(QIODevice::ReadOnly);
            g_spoolerProblem = QStringLiteral("the private spooler could not start: ") +
                               QString::fromLocal8Bit(log.readAll()).trimmed();
        }
        qputenv("CUPS_SERVER", (g_spoolerDir + QStringLiteral("/cups.sock")).toLocal8Bit());
    }
    int result;
    {
        QApplication app(argc, argv);
        SpoolerPrintTest test;
        result = QTest::qExec(&test, argc, argv);
    }
    if (!g_spoolerDir.isEmpty()) {
        const QString stop =
            QStringLiteral("bash %1 stop %2")
                .arg(shellQuote(QStringLiteral(QUENDA_PRIVATE_SPOOLER)), shellQuote(g_spoolerDir));
        std::system(stop.toLocal8Bit().constData());
        if (qEnvironmentVariableIsEmpty("QUENDA_KEEP_SPOOLER"))
            QDir(g_spoolerDir).removeRecursively();
    }
    return result;
}

#include "SpoolerPrintTest.moc"
