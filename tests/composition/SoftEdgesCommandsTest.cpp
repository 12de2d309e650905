// "Bordas Suaves", "Salvar em Alta Resolução..." and "Salvar Antes e
// Depois..." in real windows: where they stand in the menus, the pixels
// with the option off and on, the saved pictures and replay.
#include "HairSoftEdge.h"
#include "ImageFile.h"
#include "PictureImage.h"
#include "ProgramWindows.h"
#include "TF_FILHO.h"
#include "TF_PREVIEW.h"
#include "TF_PREVIEW2.h"
#include "TImageAspect.h"
#include "TF_HAIR.h"
#include "TImage.h"
#include "TImageView.h"
#include "TMenuItem.h"
#include "TSaveImageDialog.h"
#include "TestSalon.h"

#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <cmath>

namespace {

constexpr std::uint32_t kGrey = 0x808080;

int ch(std::uint32_t c, int i)
{
    return int((c >> (16 - 8 * i)) & 0xFF);
}

// Share of `hair` in a pixel along the grey-to-hair line, and how far the
// pixel lies off that line (a key blend lies far off it).
void splitBlend(std::uint32_t p, std::uint32_t hair, double &share, double &off)
{
    double d[3], v[3], dd = 0, vd = 0;
    for (int i = 0; i < 3; ++i) {
        d[i] = ch(hair, i) - ch(kGrey, i);
        v[i] = ch(p, i) - ch(kGrey, i);
        dd += d[i] * d[i];
        vd += v[i] * d[i];
    }
    share = std::clamp(vd / dd, 0.0, 1.0);
    double e = 0;
    for (int i = 0; i < 3; ++i)
        e += (v[i] - share * d[i]) * (v[i] - share * d[i]);
    off = std::sqrt(e);
}

Picture24 picture(const QString &file)
{
    return PictureImage::FromQImage(QImage(file).convertToFormat(QImage::Format_RGB32));
}

// Hair-weighted centre and bounds in a picture on the grey photo.
struct Footprint
{
    double cx = 0, cy = 0;
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
};

Footprint footprint(const Picture24 &p, std::uint32_t hair)
{
    Footprint f;
    double sum = 0;
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x) {
            double share, off;
            splitBlend(p.pixel(x, y), hair, share, off);
            if (share <= 0.02)
                continue;
            sum += share;
            f.cx += share * (x + 0.5);
            f.cy += share * (y + 0.5);
            if (share >= 0.5) {
                f.left = std::min(f.left, x);
                f.top = std::min(f.top, y);
                f.right = std::max(f.right, x);
                f.bottom = std::max(f.bottom, y);
            }
        }
    f.cx /= sum;
    f.cy /= sum;
    return f;
}

} // namespace

class SoftEdgesCommandsTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestSalon> m_salon;
    QStringList m_messages;
    QString m_grey;
    QString m_saved;

    void start()
    {
        m_messages.clear();
        TF_HAIR::SetMessageSink([this](const QString &text, const QString &) { m_messages << text; });
        ProgramWindows::Create(m_salon->AppDir());
        F_HAIR->resize(1200, 900);
        F_HAIR->show();
        F_HAIR->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(F_HAIR));
    }

    // The grey photo with hair 1 of the first category over it.
    TF_FILHO *openWithHair(QSize client = QSize(512, 600))
    {
        F_HAIR->OpenPhotoFile(m_grey);
        if (!F_HAIR->ActiveComposition())
            return nullptr;
        F_HAIR->InsertHair(QStringLiteral("1"));
        TF_FILHO *c = F_HAIR->ActiveComposition();
        if (c)
            c->SetClientSize(client.width(), client.height());
        return c;
    }

    // Where the photo shows in a grab of the window (no scroll bars, no
    // ground around a photo smaller than the view).
    static QRect viewOf(TF_FILHO *c)
    {
        QWidget *area = c->Image1->ClientArea();
        const QRect photo(QPoint(c->Image1->PictureToClientX(0), c->Image1->PictureToClientY(0)),
                          QPoint(c->Image1->PictureToClientX(c->Image1->Bitmap().width()) - 1,
                                 c->Image1->PictureToClientY(c->Image1->Bitmap().height()) - 1));
        return photo.intersected(area->rect()).translated(area->mapTo(c, QPoint(0, 0)));
    }

    static std::uint32_t hairColour() { return TestSalon::HairColour(0, 1); }

    void clickMenuEntry(const QString &name)
    {
        QAction *action = F_HAIR->MenuItem(name);
        QMenu *menu = nullptr;
        for (QAction *top : F_HAIR->menuBar()->actions())
            if (top->menu() && top->menu()->actions().contains(action))
                menu = top->menu();
        QVERIFY(menu);
        menu->popup(F_HAIR->mapToGlobal(QPoint(40, 40)));
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
        QTRY_VERIFY(!menu->isVisible());
    }

    void saveAs(const QString &file)
    {
        m_saved = file;
        TSaveImageDialog::SetRunner([file](TSaveImageDialog &d) {
            d.SetFileName(file);
            return true;
        });
    }

    // Every pixel of a saved picture is the photo, the hair, or a blend of
    // the two: no key, no key blend; the edge crosses in one or two pixels.
    void checkSoftEdge(const Picture24 &p, const QRect &view, int row, int fromX)
    {
        double worst = 0;
        QString where;
        for (int y = view.top(); y <= view.bottom(); ++y)
            for (int x = view.left(); x <= view.right(); ++x) {
                QVERIFY(p.pixel(x, y) != 0xFFFFFFu);
                double share, off;
                splitBlend(p.pixel(x, y), hairColour(), share, off);
                if (off > worst) {
                    worst = off;
                    where = QStringLiteral("%1 at %2,%3 of %4x%5")
                                .arg(p.pixel(x, y), 6, 16, QLatin1Char('0'))
                                .arg(x)
                                .arg(y)
                                .arg(p.width())
                                .arg(p.height());
                }
            }
        QVERIFY2(worst <= 3.0, qPrintable(where));
        int between = 0;
        for (int x = fromX; x < p.width(); ++x) {
            double share, off;
            splitBlend(p.pixel(x, row), hairColour(), share, off);
            if (share > 0.98)
                break;
            if (share > 0.02)
                ++between;
        }
        QVERIFY2(between >= 1 && between <= 2, qPrintable(QString::number(between)));
    }

private slots:
    void init()
    {
        m_salon = std::make_unique<TestSalon>(3);
        m_grey = m_salon->AppDir() + QStringLiteral("Cinza.bmp");
        Picture24 grey(1600, 1400);
        grey.fill(0x80, 0x80, 0x80);
        QVERIFY(ImageFile::save(m_grey.toStdString(), grey));
    }

    void cleanup()
    {
        ProgramWindows::Destroy();
        TF_HAIR::SetMessageSink({});
        TSaveImageDialog::SetRunner({});
        QDir::setCurrent(QDir::tempPath());
        m_salon.reset();
    }

    void entriesStandAsideFromTheEnablingRule()
    {
        start();
        TMenuItem *soft = F_HAIR->MenuItem(QStringLiteral("BordasSuaves1"));
        TMenuItem *hiRes = F_HAIR->MenuItem(QStringLiteral("SalvarAltaResolucao1"));
        TMenuItem *pair = F_HAIR->MenuItem(QStringLiteral("SalvarAntesDepois1"));
        QVERIFY(soft && hiRes && pair);
        QCOMPARE(soft->text(), QStringLiteral("Bordas &Suaves"));
        QCOMPARE(hiRes->text(), QStringLiteral("Salvar em Alta &Resolução..."));
        QCOMPARE(pair->text(), QStringLiteral("Salvar Antes e &Depois..."));
        QCOMPARE(hiRes->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
        QVERIFY(soft->isCheckable());
        QVERIFY(!soft->isChecked());
        // Shown after "Salvar Como..." and last in the Imagem menu ...
        const QList<QAction *> arquivo = F_HAIR->MenuAction(0)->menu()->actions();
        const qsizetype at = arquivo.indexOf(F_HAIR->MenuItem(QStringLiteral("Salvarcomo1")));
        QCOMPARE(arquivo.value(at + 1), hiRes);
        QCOMPARE(arquivo.value(at + 2), pair);
        QCOMPARE(F_HAIR->MenuAction(2)->menu()->actions().last(), soft);
        // ... while the positions the rule counts are those of before.
        QCOMPARE(F_HAIR->MenuEntry(0, 5), F_HAIR->MenuItem(QStringLiteral("Salvarcomo1")));
        QCOMPARE(F_HAIR->MenuEntry(0, 7), F_HAIR->MenuItem(QStringLiteral("ConfigurarImpressora1")));
        QCOMPARE(F_HAIR->MenuEntry(0, 8), F_HAIR->MenuItem(QStringLiteral("Imprimir1")));
        QCOMPARE(F_HAIR->MenuEntry(0, 9), F_HAIR->MenuItem(QStringLiteral("PrintPreview1")));
        QCOMPARE(F_HAIR->MenuEntry(0, 11), F_HAIR->MenuItem(QStringLiteral("Sair1")));
        // Without a photo the picture commands are off, the option is not.
        QVERIFY(!hiRes->isEnabled());
        QVERIFY(!pair->isEnabled());
        QVERIFY(soft->isEnabled());
        QVERIFY(!F_HAIR->MenuItem(QStringLiteral("Imprimir1"))->isEnabled());
        F_HAIR->OpenPhotoFile(m_grey);
        QVERIFY(F_HAIR->ActiveComposition());
        QVERIFY(hiRes->isEnabled());
        QVERIFY(pair->isEnabled());
        QVERIFY(F_HAIR->MenuItem(QStringLiteral("Imprimir1"))->isEnabled());
        QVERIFY(F_HAIR->MenuItem(QStringLiteral("Sair1"))->isEnabled());
    }

    void offDrawsTodaysPixelsOnDrawsSoftOnes()
    {
        start();
        TF_FILHO *c = openWithHair();
        QVERIFY(c);
        c->SetHairBounds(QRect(40, 50, 93, 71)); // stretched from 50 x 35
        const Picture24 &hair = c->Image2->Picture();
        // Today's rule: the nearest pixel, the key left out.
        const std::uint32_t key = c->Image2->TransparentColour();
        QImage expected(c->Image2->size(), QImage::Format_RGB32);
        for (int y = 0; y < expected.height(); ++y)
            for (int x = 0; x < expected.width(); ++x) {
                const std::uint32_t v =
                    hair.pixel(x * hair.width() / expected.width(), y * hair.height() / expected.height());
                expected.setPixel(x, y, v == key ? 0xFF0000FFu : (0xFF000000u | v));
            }
        const QImage off = c->Image2->Rendered(Qt::blue);
        QCOMPARE(off, expected);
        // With the option off the fixed resize is the plain stretch.
        QCOMPARE(
            c->Image2->Picture(),
            PictureImage::FromQImage(PictureImage::ToQImage(TestSalon::HairPicture(0, 1))
                                         .scaled(93, 71, Qt::IgnoreAspectRatio, Qt::FastTransformation)));

        clickMenuEntry(QStringLiteral("BordasSuaves1"));
        QVERIFY(F_HAIR->SoftEdgesOn());
        QVERIFY(c->SoftEdges());
        QVERIFY(c->Image2->Rendered(Qt::blue) != off);
        // The overlay's own pixels are not touched by the option.
        QCOMPARE(c->Image2->Picture(), hair);
        clickMenuEntry(QStringLiteral("BordasSuaves1"));
        QVERIFY(!F_HAIR->SoftEdgesOn());
        QCOMPARE(c->Image2->Rendered(Qt::blue), expected);
    }

    void savedWindowHasSoftEdgesAtZoom100And37()
    {
        start();
        F_HAIR->MenuItem(QStringLiteral("BordasSuaves1"))->trigger();
        TF_FILHO *c = openWithHair();
        QVERIFY(c);
        QVERIFY(c->SoftEdges());
        for (int zoom : {100, 37}) {
            c->Image1->SetZoom(zoom);
            c->SetHairBounds(QRect(60, 80, 50, 35)); // natural size
            const QString file = m_salon->AppDir() + QStringLiteral("janela%1.png").arg(zoom);
            saveAs(file);
            QTest::keyClick(F_HAIR, Qt::Key_S, Qt::ControlModifier);
            QVERIFY(m_messages.isEmpty());
            const Picture24 saved = picture(file);
            QVERIFY(!saved.isNull());
            // The hair's 5-pixel white margin is the key: it must not show.
            checkSoftEdge(saved, viewOf(c), 80 + 17, 50);
        }
        // And a resize to 173 % fixed smoothly: still no key anywhere.
        c->SetHairBounds(QRect(60, 80, 87, 61));
        const std::uint32_t key = c->Image2->TransparentColour();
        QCOMPARE(key, 0xFFFFFFu);
        const QString file = m_salon->AppDir() + QStringLiteral("janela173.png");
        saveAs(file);
        QTest::keyClick(F_HAIR, Qt::Key_S, Qt::ControlModifier);
        checkSoftEdge(picture(file), viewOf(c), 80 + 30, 50);
    }

    // Printing and the previews take the window as drawn: the sheet's cell
    // holds the soft edge too, and no key colour.
    void printSheetCellsCarryTheSoftEdge()
    {
        start();
        F_HAIR->MenuItem(QStringLiteral("BordasSuaves1"))->trigger();
        TF_FILHO *c = openWithHair();
        QVERIFY(c);
        c->Image1->SetZoom(100);
        c->SetHairBounds(QRect(60, 80, 50, 35));
        const QRect view = viewOf(c);
        const QSize window = c->size();
        F_HAIR->PrintPreview1Click();
        // Cells follow the compositions in the order they were made.
        const QImage cell = F_PREVIEW->Cell(F_HAIR->Compositions().indexOf(c) + 1)->Picture();
        if (F_PREVIEW2)
            F_PREVIEW2->close();
        QCOMPARE(cell.size(), window);
        checkSoftEdge(PictureImage::FromQImage(cell), view, 80 + 17, 50);
    }

    void fullResolutionLandsWhereTheScreenShowsIt()
    {
        start();
        F_HAIR->MenuItem(QStringLiteral("BordasSuaves1"))->trigger();
        TF_FILHO *c = openWithHair(QSize(400, 450));
        QVERIFY(c);
        c->Image1->SetZoom(25);
        c->Image1->SetViewX(30);
        c->Image1->SetViewY(20);
        c->SetHairBounds(QRect(101, 143, 87, 61));
        const QImage grab = c->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QString file = m_salon->AppDir() + QStringLiteral("alta.png");
        saveAs(file);
        QTest::keyClick(F_HAIR, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(m_messages.isEmpty());
        const Picture24 full = picture(file);
        QCOMPARE(full.width(), 1600);
        QCOMPARE(full.height(), 1400);
        // The export reduced to the screen's scale, against the grab.
        const Picture24 reduced = HairSoftEdge::Reduce(full, 400, 350);
        const QRect view = viewOf(c);
        const Footprint onScreen = footprint(PictureImage::FromQImage(grab.copy(view)), hairColour());
        Footprint exported = footprint(reduced, hairColour());
        // From reduced photo pixels to the cut-out grab's.
        const QPoint area = c->Image1->ClientArea()->mapTo(c, QPoint(0, 0));
        const double ox = area.x() + c->Image1->PictureToClientX(0) - view.x();
        const double oy = area.y() + c->Image1->PictureToClientY(0) - view.y();
        QVERIFY2(std::abs(exported.cx + ox - onScreen.cx) <= 1.0,
                 qPrintable(QStringLiteral("%1 %2").arg(exported.cx + ox).arg(onScreen.cx)));
        QVERIFY(std::abs(exported.cy + oy - onScreen.cy) <= 1.0);
        QVERIFY(std::abs(exported.left + ox - onScreen.left) <= 1);
        QVERIFY(std::abs(exported.right + ox - onScreen.right) <= 1);
        QVERIFY(std::abs(exported.top + oy - onScreen.top) <= 1);
        QVERIFY(std::abs(exported.bottom + oy - onScreen.bottom) <= 1);
        // Full resolution is soft-edged too: no key in the photo.
        for (int y = 0; y < full.height(); y += 3)
            for (int x = 0; x < full.width(); x += 3)
                QVERIFY(full.pixel(x, y) != 0xFFFFFFu);
    }

    void fullResolutionFailureIsReported()
    {
        start();
        QVERIFY(openWithHair());
        saveAs(m_salon->AppDir() + QStringLiteral("nao/existe/alta.png"));
        QTest::keyClick(F_HAIR, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(!QFile::exists(m_saved));
    }

    void beforeAndAfterSideBySide()
    {
        start();
        TF_FILHO *c = openWithHair();
        QVERIFY(c);
        c->SetHairBounds(QRect(60, 80, 50, 35));
        const QString file = m_salon->AppDir() + QStringLiteral("antes.png");
        saveAs(file);
        clickMenuEntry(QStringLiteral("SalvarAntesDepois1"));
        QVERIFY(m_messages.isEmpty());
        const Picture24 p = picture(file);
        QCOMPARE(p.width(), 3200);
        QCOMPARE(p.height(), 1400);
        // Before: the grey photo alone; after: the hair on it.
        bool hairLeft = false, hairRight = false;
        for (int y = 0; y < p.height(); y += 2)
            for (int x = 0; x < 1600; x += 2) {
                hairLeft |= p.pixel(x, y) != kGrey;
                hairRight |= p.pixel(1600 + x, y) == hairColour();
            }
        QVERIFY(!hairLeft);
        QVERIFY(hairRight);
    }

    void replayAndNewWindowsKeepTheOption()
    {
        start();
        TF_FILHO *c = openWithHair();
        QVERIFY(c);
        QVERIFY(!c->SoftEdges());
        F_HAIR->MenuItem(QStringLiteral("BordasSuaves1"))->trigger();
        QVERIFY(c->SoftEdges());
        QTest::keyClick(F_HAIR, Qt::Key_R, Qt::ControlModifier);
        TF_FILHO *replayed = F_HAIR->ActiveComposition();
        QVERIFY(replayed && replayed != c);
        QVERIFY(replayed->SoftEdges());
        QVERIFY(replayed->Image2->SoftEdges());
        // A resize fixed there is the smooth one: the key remains one colour
        // and only the hair's own colour (or none) is inside.
        const Picture24 before = replayed->Image2->Picture();
        replayed->SetHairBounds(QRect(10, 10, 87, 61));
        QCOMPARE(replayed->Image2->Picture(), HairSoftEdge::SmoothResize(before, 87, 61));
    }
};

QTEST_MAIN(SoftEdgesCommandsTest)
#include "SoftEdgesCommandsTest.moc"
