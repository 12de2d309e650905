// The colour panel, the preset colours, Flip and the Ajuste menu, driven
// through the real main window with its compositions.
#include "ChannelShift.h"
#include "ColourRecompute.h"
#include "HairPixels.h"
#include "HsvShift.h"
#include "PolygonCopy.h"
#include "ProgramWindows.h"
#include "TBitBtn.h"
#include "TColourPanel.h"
#include "TF_FILHO.h"
#include "TF_HAIR.h"
#include "TGradientPanel.h"
#include "THSVBox.h"
#include "TImage.h"
#include "TImageView.h"
#include "TLabel.h"
#include "TMenuItem.h"
#include "TRasterBMP.h"
#include "TResizeHandle.h"
#include "TToolItem.h"
#include "TestSalon.h"

#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

namespace {

using S = ColourPanelState;

// The saved pixels recomputed with the given settings, as the panel must show them.
Picture24 recomputed(const Picture24 &saved, const ColourRecompute::Settings &settings)
{
    TRasterBMP from;
    from.LoadFromBitmapHandle(saved);
    TRasterBMP work;
    ColourRecompute::Apply(from, work, settings);
    return work.Picture();
}

// An asymmetric hair on white: a dark block at the left, a light bar on top.
Picture24 asymmetricHair()
{
    Picture24 hair(60, 40);
    hair.fill(255, 255, 255);
    for (int y = 5; y < 35; ++y)
        for (int x = 4; x < 20; ++x)
            hair.setPixel(x, y, 0x402010);
    for (int y = 5; y < 9; ++y)
        for (int x = 20; x < 50; ++x)
            hair.setPixel(x, y, 0xC08040);
    return hair;
}

} // namespace

class ColourPanelTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestSalon> m_salon;
    QStringList m_messages;

    TColourPanel *panel() const { return F_HAIR->ColourPanel; }

    TF_FILHO *openPhoto()
    {
        const int before = F_HAIR->CompositionCount();
        F_HAIR->OpenPhotoFile(m_salon->PhotoPath());
        return F_HAIR->CompositionCount() == before + 1 ? F_HAIR->ActiveComposition() : nullptr;
    }

    TF_FILHO *openWithHair()
    {
        TF_FILHO *c = openPhoto();
        if (c)
            F_HAIR->Inserir1Click();
        return c;
    }

    // Runs the waiting (coalesced) recomputation, if any.
    static void settle() { QTRY_VERIFY(!F_HAIR->ColourPanel->RecomputePending()); }

    static void activate(TF_FILHO *c)
    {
        F_HAIR->MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(c->parentWidget()));
    }

    static QPoint handleCentre(QScrollBar *bar)
    {
        QStyleOptionSlider option;
        option.initFrom(bar);
        option.orientation = bar->orientation();
        option.minimum = bar->minimum();
        option.maximum = bar->maximum();
        option.sliderPosition = bar->sliderPosition();
        option.sliderValue = bar->value();
        option.singleStep = bar->singleStep();
        option.pageStep = bar->pageStep();
        option.upsideDown = bar->invertedAppearance();
        option.subControls = QStyle::SC_All;
        return bar->style()
            ->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar)
            .center();
    }

private slots:
    void init()
    {
        m_salon = std::make_unique<TestSalon>(3);
        QVERIFY(m_salon->WriteHair(QStringLiteral("Quenda5/Curtos e Claros/3.GIF"), asymmetricHair()));
        m_messages.clear();
        TF_HAIR::SetMessageSink([this](const QString &text, const QString &) { m_messages << text; });
        ProgramWindows::Create(m_salon->AppDir());
        F_HAIR->resize(1100, 800);
        F_HAIR->show();
        F_HAIR->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(F_HAIR));
    }

    void cleanup()
    {
        ProgramWindows::Destroy();
        TF_HAIR::SetMessageSink({});
        QDir::setCurrent(QDir::tempPath());
        m_salon.reset();
        QVERIFY(m_messages.isEmpty());
    }

    // ------------------------------------------------------------ the panel

    void panelHoldsItsControlsAtTheirPlaces()
    {
        QVERIFY(!F_HAIR->ToolItem("BT_SLIDERS")->isEnabled());
        TF_FILHO *c = openPhoto();
        QVERIFY(c);
        QVERIFY(F_HAIR->ToolItem("BT_SLIDERS")->isEnabled());
        F_HAIR->ToolItem("BT_SLIDERS")->trigger();
        TGradientPanel *gp = F_HAIR->GradientPanel1;
        QVERIFY(gp->isVisible());
        QVERIFY(F_HAIR->ColourPanelOpen);
        QCOMPARE(gp->size(), QSize(257, 242));
        QCOMPARE(gp->x(), 264);
        TColourPanel *p = panel();
        QCOMPARE(p->PanelLabel1->Caption(), QStringLiteral("Color Panel"));
        QVERIFY(p->PanelLabel1->font().bold());
        QCOMPARE(p->BitBtn1->geometry(), QRect(211, 3, 26, 20));
        QCOMPARE(p->BitBtn2->geometry(), QRect(185, 3, 26, 20));
        QCOMPARE(p->BitBtn21->geometry(), QRect(237, 3, 19, 20));
        QCOMPARE(p->BitBtn1->Hint(), QStringLiteral("Undo"));
        QCOMPARE(p->BitBtn2->Hint(), QStringLiteral("Esconde/Mostra Seleção"));
        QCOMPARE(p->BitBtn21->Hint(), QStringLiteral("Fechar Color Panel"));
        const QStringList captions{"Vermelho", "Verde", "Azul", "Contraste", "Luz", "Saturação", "Nitidez"};
        const int tops[] = {29, 42, 55, 68, 81, 94, 107};
        for (int s = 0; s < S::SliderCount; ++s) {
            QScrollBar *bar = p->Slider(S::Slider(s));
            QCOMPARE(bar->geometry(), QRect(58, tops[s], 192, 12));
            QCOMPARE(bar->minimum(), S::RangeOf(S::Slider(s)).minimum);
            QCOMPARE(bar->maximum(), S::RangeOf(S::Slider(s)).maximum);
            QCOMPARE(bar->value(), S::RangeOf(S::Slider(s)).neutral);
            QCOMPARE(bar->singleStep(), 1);
            QCOMPARE(bar->pageStep(), 10);
            QCOMPARE(p->SliderLabels[s]->Caption(), captions[s]);
            QCOMPARE(p->SliderLabels[s]->objectName(), QStringLiteral("PanelLabel%1").arg(s + 2));
            QCOMPARE(p->SliderLabels[s]->geometry().right() + 1, 56);
        }
        QCOMPARE(p->Panel1->geometry(), QRect(8, 125, 241, 108));
        QVERIFY(p->Panel1->geometry().contains(p->HSVBox1->geometry().translated(p->Panel1->pos())));
        QVERIFY(p->Label1->isHidden());
        QCOMPARE(p->Label1->Caption(), QStringLiteral("1"));
        // Edge dragging has no lasting effect.
        gp->resize(300, 100);
        gp->setGeometry(gp->x(), gp->y(), 10, 500);
        QCOMPARE(gp->size(), QSize(257, 242));
        // Dragged by its surface.
        const QPoint at = gp->pos();
        QTest::mousePress(gp, Qt::LeftButton, Qt::NoModifier, QPoint(120, 240));
        QTest::mouseMove(gp, QPoint(150, 250));
        QTest::mouseRelease(gp, Qt::LeftButton, Qt::NoModifier, QPoint(150, 250));
        QCOMPARE(gp->pos(), at + QPoint(30, 10));
    }

    void hairHiddenAndLassoOffRecolourTheWholePhoto()
    {
        TF_FILHO *c = openPhoto();
        QVERIFY(c);
        QVERIFY(c->Image2->isHidden());
        const Picture24 photo = c->Image1->Bitmap();
        const Picture24 hair = c->Image2->Picture();
        F_HAIR->BT_SLIDERSClick();
        panel()->sBlue->setValue(-80);
        settle();
        ColourRecompute::Settings s;
        s.blue = -80;
        QCOMPARE(c->Image1->Bitmap(), recomputed(photo, s));
        QCOMPARE(c->Image2->Picture(), hair);
        QCOMPARE(panel()->sRed->toolTip(), QStringLiteral("0"));
        QCOMPARE(panel()->sBlue->toolTip(), QStringLiteral("-80"));
    }

    void realMouseOnASliderRecoloursTheHair()
    {
        TF_FILHO *c = openWithHair();
        QVERIFY(c);
        const Picture24 hair = c->Image2->Picture();
        const QSize onScreen = c->Image2->size();
        F_HAIR->ColorPanel1Click();
        QVERIFY(F_HAIR->ToolItem("BT_SLIDERS")->isChecked());
        QScrollBar *red = panel()->sRed;
        // A click on the groove right of the handle: one large step.
        QTest::mouseClick(red, Qt::LeftButton, Qt::NoModifier, QPoint(red->width() - 30, red->height() / 2));
        settle();
        QCOMPARE(red->value(), 10);
        ColourRecompute::Settings s;
        s.red = 10;
        QCOMPARE(c->Image2->Picture(), recomputed(hair, s));
        // Drag the handle to the right and let go.
        const QPoint from = handleCentre(red);
        QTest::mousePress(red, Qt::LeftButton, Qt::NoModifier, from);
        for (int dx = 5; dx <= 40; dx += 5)
            QTest::mouseMove(red, from + QPoint(dx, 0));
        const int before = panel()->RecomputeCount();
        QTest::mouseRelease(red, Qt::LeftButton, Qt::NoModifier, from + QPoint(40, 0));
        // The end of the action recomputes at once, with the final position.
        QCOMPARE(panel()->RecomputeCount(), before + 1);
        QVERIFY(red->value() > 10);
        s.red = red->value();
        QCOMPARE(c->Image2->Picture(), recomputed(hair, s));
        QCOMPARE(red->toolTip(), QString::number(red->value()));
        QCOMPARE(c->Image2->size(), onScreen);
    }

    void movementsDuringADragAreCoalesced()
    {
        TF_FILHO *c = openWithHair();
        QVERIFY(c);
        const Picture24 hair = c->Image2->Picture();
        F_HAIR->BT_SLIDERSClick();
        QScrollBar *light = panel()->sLightness;
        const int start = panel()->RecomputeCount();
        light->setSliderDown(true);
        for (int v : {5, 17, 33, 60})
            light->setValue(v);
        // Nothing computed yet, one recomputation waiting.
        QCOMPARE(panel()->RecomputeCount(), start);
        QVERIFY(panel()->RecomputePending());
        settle();
        QCOMPARE(panel()->RecomputeCount(), start + 1);
        ColourRecompute::Settings s;
        s.lightness = 60;
        QCOMPARE(c->Image2->Picture(), recomputed(hair, s));
        light->setValue(-20);
        light->setSliderDown(false); // the end-of-scroll notification
        QCOMPARE(panel()->RecomputeCount(), start + 2);
        QVERIFY(!panel()->RecomputePending());
        s.lightness = -20;
        QCOMPARE(c->Image2->Picture(), recomputed(hair, s));
    }

    void undoShowsTheCapturedBytesAndResetsTheHints()
    {
        TF_FILHO *c = openWithHair();
        QVERIFY(c);
        const Picture24 hair = c->Image2->Picture();
        F_HAIR->BT_SLIDERSClick();
        TColourPanel *p = panel();
        p->sGreen->setValue(100);
        p->sContrast->setValue(-40);
        p->sSaturation->setValue(400);
        p->sSharpen->setValue(3);
        settle();
        QVERIFY(c->Image2->Picture() != hair);
        QTest::mouseClick(p->BitBtn1, Qt::LeftButton);
        QCOMPARE(c->Image2->Picture(), hair);
        for (int s = 0; s < S::SliderCount; ++s) {
            QCOMPARE(p->Slider(S::Slider(s))->value(), S::RangeOf(S::Slider(s)).neutral);
            QCOMPARE(p->Slider(S::Slider(s))->toolTip(),
                     s == S::Saturation ? QStringLiteral("255") : QStringLiteral("0"));
        }
    }

    void aPickKeepsTheOtherSlidersAndFollowsTheActiveComposition()
    {
        TF_FILHO *a = openWithHair();
        QVERIFY(a);
        F_HAIR->BT_SLIDERSClick();
        TColourPanel *p = panel();
        p->sContrast->setValue(30);
        settle();
        const Picture24 hairA = TestSalon::HairPicture(0, 1);
        // A click in the picker's square.
        QTest::mouseClick(p->HSVBox1, Qt::LeftButton, Qt::NoModifier, QPoint(40, 30));
        const int r = p->HSVBox1->Red(), g = p->HSVBox1->Green(), b = p->HSVBox1->Blue();
        QCOMPARE(p->sRed->value(), r);
        QCOMPARE(p->sGreen->value(), g);
        QCOMPARE(p->sBlue->value(), b);
        QCOMPARE(p->sContrast->value(), 30);
        ColourRecompute::Settings s;
        s.red = r;
        s.green = g;
        s.blue = b;
        s.contrast = 30;
        QCOMPARE(a->Image2->Picture(), recomputed(hairA, s));
        const Picture24 aAfter = a->Image2->Picture();

        // Another composition with another hair becomes active: the pick
        // opens the panel on it afresh (sliders reset) first.
        F_HAIR->InsertHair(QStringLiteral("2"));
        TF_FILHO *b2 = F_HAIR->ActiveComposition();
        QVERIFY(b2 && b2 != a);
        QCOMPARE(b2->HairNumber, 2);
        const Picture24 hairB = b2->Image2->Picture();
        p->HSVBox1Click();
        QCOMPARE(p->Label1->Caption(), QStringLiteral("2"));
        QCOMPARE(p->sContrast->value(), 0);
        ColourRecompute::Settings t;
        t.red = p->HSVBox1->Red();
        t.green = p->HSVBox1->Green();
        t.blue = p->HSVBox1->Blue();
        QCOMPARE(b2->Image2->Picture(), recomputed(hairB, t));
        QCOMPARE(a->Image2->Picture(), aAfter);
    }

    void closingAndReopeningKeepsTheChanges()
    {
        TF_FILHO *c = openWithHair();
        QVERIFY(c);
        F_HAIR->BT_SLIDERSClick();
        panel()->sRed->setValue(-90);
        settle();
        const Picture24 changed = c->Image2->Picture();
        QTest::mouseClick(panel()->BitBtn21, Qt::LeftButton);
        QVERIFY(!F_HAIR->GradientPanel1->isVisible());
        QVERIFY(!F_HAIR->ColourPanelOpen);
        QVERIFY(F_HAIR->ToolItem("BT_SCROLL")->isChecked());
        QVERIFY(!F_HAIR->ToolItem("BT_SLIDERS")->isChecked());
        QCOMPARE(c->Image2->Picture(), changed);
        F_HAIR->BT_SLIDERSClick();
        QCOMPARE(panel()->sRed->value(), 0);
        panel()->sBlue->setValue(20);
        settle();
        ColourRecompute::Settings s;
        s.blue = 20;
        QCOMPARE(c->Image2->Picture(), recomputed(changed, s));
        panel()->BitBtn1Click();
        QCOMPARE(c->Image2->Picture(), changed);
    }

    void toolsHideThePanelWithoutClearingTheFlag()
    {
        TF_FILHO *c = openWithHair();
        QVERIFY(c);
        for (const char *tool : {"BT_ZOOM", "BT_MOVE", "BT_LACO", "BT_SCROLL"}) {
            F_HAIR->BT_SLIDERSClick();
            QVERIFY(F_HAIR->GradientPanel1->isVisible());
            F_HAIR->ToolItem(QString::fromLatin1(tool))->trigger();
            QVERIFY2(!F_HAIR->GradientPanel1->isVisible(), tool);
            QVERIFY(F_HAIR->ColourPanelOpen);
        }
    }

    // ------------------------------------------------------- re-capturing

    void aNewHairIsCapturedAgainBeforeTheNextMovement()
    {
        TF_FILHO *c = openWithHair();
        QVERIFY(c);
        F_HAIR->BT_SLIDERSClick();
        panel()->sRed->setValue(50);
        settle();
        c->FormKeyUp(Qt::Key_Right, Qt::NoModifier);
        QCOMPARE(c->HairNumber, 2);
        const Picture24 hair2 = c->Image2->Picture();
        QCOMPARE(hair2, TestSalon::HairPicture(0, 2));
        panel()->sGreen->setValue(-30);
        settle();
        ColourRecompute::Settings s;
        s.red = 50;
        s.green = -30;
        QCOMPARE(c->Image2->Picture(), recomputed(hair2, s));
        QCOMPARE(c->Image2->size(), QSize(hair2.width(), hair2.height()));

        // A preset replaces the overlay too.
        F_HAIR->Marrom1Click();
        const Picture24 brown = c->Image2->Picture();
        panel()->sGreen->setValue(-31);
        settle();
        s.green = -31;
        QCOMPARE(c->Image2->Picture(), recomputed(brown, s));

        // Flip and Original size replace the overlay's pixels as well; the
        // panel, hidden by their move-tool step, is opened again by the user
        // with the sliders where they were.
        F_HAIR->Flip1Click();
        const Picture24 flipped = c->Image2->Picture();
        panel()->sGreen->setValue(-32);
        settle();
        s.green = -32;
        QCOMPARE(c->Image2->Picture(), recomputed(flipped, s));
        F_HAIR->tamanhoOriginal1Click();
        const Picture24 original = c->Image2->Picture();
        QCOMPARE(original, TestSalon::HairPicture(0, 2));
        panel()->sGreen->setValue(-33);
        settle();
        s.green = -33;
        QCOMPARE(c->Image2->Picture(), recomputed(original, s));
    }

    void anotherActiveCompositionIsCapturedAndTheFirstLeftAlone()
    {
        TF_FILHO *a = openPhoto();
        TF_FILHO *b = openPhoto();
        QVERIFY(a && b);
        activate(a);
        QCOMPARE(F_HAIR->ActiveComposition(), a);
        F_HAIR->BT_SLIDERSClick();
        panel()->sLightness->setValue(40);
        settle();
        const Picture24 aChanged = a->Image1->Bitmap();
        activate(b);
        QCOMPARE(F_HAIR->ActiveComposition(), b);
        // The same photo file, but not the same pixels any more.
        for (int y = 0; y < 50; ++y)
            for (int x = 0; x < 80; ++x)
                b->Image1->Bitmap().setPixel(x, y, 0x204060);
        b->Image1->Refresh();
        const Picture24 bBefore = b->Image1->Bitmap();
        panel()->sLightness->setValue(41);
        settle();
        ColourRecompute::Settings s;
        s.lightness = 41;
        QCOMPARE(b->Image1->Bitmap(), recomputed(bBefore, s));
        QCOMPARE(a->Image1->Bitmap(), aChanged);
    }

    void aClosedCompositionLeavesNothingBehind()
    {
        TF_FILHO *c = openPhoto();
        QVERIFY(c);
        F_HAIR->BT_SLIDERSClick();
        panel()->sRed->setValue(10);
        settle();
        F_HAIR->Fechar1Click();
        QTRY_COMPARE(F_HAIR->CompositionCount(), 0);
        QVERIFY(!panel()->State().Captured());
        const int count = panel()->RecomputeCount();
        panel()->sRed->setValue(20);
        settle();
        panel()->sRedScroll();
        panel()->HSVBox1Click();
        QCOMPARE(panel()->RecomputeCount(), count);

        TF_FILHO *d = openPhoto();
        QVERIFY(d);
        const Picture24 fresh = d->Image1->Bitmap();
        panel()->sRed->setValue(21);
        settle();
        ColourRecompute::Settings s;
        s.red = 21;
        QCOMPARE(d->Image1->Bitmap(), recomputed(fresh, s));
    }

    // ------------------------------------------------------------- lasso

    void ajusteFotoWithTheLassoRecoloursOnlyTheSelection()
    {
        TF_FILHO *c = openWithHair();
        QVERIFY(c);
        // The lasso tool hides the hair; Ajuste Foto hides it in any case.
        F_HAIR->ToolItem("BT_LACO")->trigger();
        c->Image2->show();
        QWidget *client = c->Image1->ClientArea();
        const QList<QPoint> corners{{20, 20}, {150, 30}, {120, 140}, {30, 120}};
        for (const QPoint &pt : corners)
            QTest::mouseClick(client, Qt::LeftButton, Qt::NoModifier, pt);
        QTest::mouseDClick(client, Qt::LeftButton, Qt::NoModifier, QPoint(31, 121));
        QTest::mouseRelease(client, Qt::LeftButton, Qt::NoModifier, QPoint(31, 121));
        const std::vector<ViewPoint> points = c->Image1->SelectionPoints();
        QCOMPARE(points.size(), std::size_t(4));
        const Picture24 photo = c->Image1->Bitmap();
        F_HAIR->AjusteFoto1Click();
        QVERIFY(c->Image2->isHidden());
        QVERIFY(F_HAIR->GradientPanel1->isVisible());
        panel()->sRed->setValue(-200);
        settle();
        ColourRecompute::Settings s;
        s.red = -200;
        const Picture24 all = recomputed(photo, s);
        const Picture24 &now = c->Image1->Bitmap();
        const auto spans = PolygonCopy::Spans(points);
        int inside = 0;
        for (int y = 0; y < photo.height(); ++y) {
            for (int x = 0; x < photo.width(); ++x) {
                bool in = false;
                for (const PolygonSpan &sp : spans)
                    in = in || (sp.y == y && x >= sp.x0 && x < sp.x1);
                inside += in;
                if (now.pixel(x, y) != (in ? all.pixel(x, y) : photo.pixel(x, y)))
                    QFAIL(qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
            }
        }
        QVERIFY(inside > 1000);
        // The outline toggles; the polygon stays.
        const bool shown = c->Image1->SelectionShown();
        QTest::mouseClick(panel()->BitBtn2, Qt::LeftButton);
        QCOMPARE(c->Image1->SelectionShown(), !shown);
        QCOMPARE(c->Image1->SelectionPoints().size(), std::size_t(4));
        // A hair decoded through the scratch view meanwhile changes nothing.
        c->FormKeyUp(Qt::Key_Right, Qt::NoModifier);
        panel()->sGreen->setValue(60);
        settle();
        s.green = 60;
        const Picture24 again = recomputed(photo, s);
        for (const PolygonSpan &sp : spans)
            for (int x = sp.x0; x < sp.x1; ++x)
                QCOMPARE(c->Image1->Bitmap().pixel(x, sp.y), again.pixel(x, sp.y));
    }

    void ajusteCabeloOpensOnTheVisibleHairElseThePhoto()
    {
        TF_FILHO *c = openWithHair();
        QVERIFY(c);
        const Picture24 photo = c->Image1->Bitmap();
        const Picture24 hair = c->Image2->Picture();
        F_HAIR->AjusteCabelo1Click();
        panel()->sBlue->setValue(33);
        settle();
        QCOMPARE(c->Image1->Bitmap(), photo);
        QVERIFY(c->Image2->Picture() != hair);
        F_HAIR->ApagarCabelo1Click();
        F_HAIR->AjusteCabelo1Click();
        panel()->sBlue->setValue(34);
        settle();
        QVERIFY(c->Image1->Bitmap() != photo);
    }

    void overlayCacheLeavesOutOnlyTheKeyColourWhenTransparent()
    {
        // Width 4: rows without padding, so the last pixel of the last row
        // ends the pixel block.
        Picture24 p(4, 2);
        p.fill(10, 20, 30);
        p.setPixel(3, 0, 0x0A141F); // one off the key in blue
        p.setPixel(2, 1, 0x0A141E); // the key (bottom-left) colour
        TImage image(QStringLiteral("probe"));
        image.SetAutoSize(true);
        image.SetPicture(p);
        QImage opaque = image.Rendered(Qt::magenta);
        QCOMPARE(opaque.pixel(3, 1), 0xFF0A141Eu);
        image.SetTransparent(true);
        const QImage cut = image.Rendered(Qt::magenta);
        QCOMPARE(cut.pixel(3, 1), 0xFFFF00FFu);
        QCOMPARE(cut.pixel(0, 0), 0xFFFF00FFu);
        QCOMPARE(cut.pixel(3, 0), 0xFF0A141Fu);
        const std::uint64_t before = image.Revision();
        Picture24 other(4, 2);
        image.ExchangePicture(other);
        QCOMPARE(other, p);
        QCOMPARE(image.Revision(), before + 1);
    }

    // ------------------------------------------------------------ presets

    void amareloLeavesWhiteAndMovesTheHairColour()
    {
        TF_FILHO *c = openWithHair();
        QVERIFY(c);
        F_HAIR->Amarelo1Click();
        const Picture24 shown = c->Image2->Picture();
        QCOMPARE(shown.pixel(0, 0), 0xFFFFFFu);
        Picture24 expected = TestSalon::HairPicture(0, 1);
        ShiftChannels(expected, 100, 100, 0);
        QCOMPARE(shown, expected);
        // The master keeps the loaded colours.
        QCOMPARE(c->ImageAux2->Bitmap(), TestSalon::HairPicture(0, 1));
    }

    void marromTurnsTheGreyBackgroundWhiteAgain()
    {
        TF_FILHO *c = openWithHair();
        QVERIFY(c);
        QTest::keyClick(F_HAIR, Qt::Key_F5);
        Picture24 expected = TestSalon::HairPicture(0, 1);
        ShiftHSV(expected, 0, 0, -20);
        QCOMPARE(expected.pixel(0, 0), 0xCBCBCBu); // 203 before the background step
        WhitenHairBackground(expected);
        QCOMPARE(c->Image2->Picture(), expected);
        QCOMPARE(c->Image2->Picture().pixel(0, 0), 0xFFFFFFu);
        // Amarelo then Marrom is Marrom alone.
        F_HAIR->Amarelo1Click();
        F_HAIR->Marrom1Click();
        QCOMPARE(c->Image2->Picture(), expected);
        QCOMPARE(c->ImageAux2->Bitmap(), TestSalon::HairPicture(0, 1));
    }

    void normalRestoresSizeAndColours()
    {
        TF_FILHO *c = openWithHair();
        QVERIFY(c);
        c->Image2->move(30, 40);
        F_HAIR->Preto1Click();
        F_HAIR->ToolItem("BT_MOVE")->trigger();
        c->Image2->resize(120, 90);
        F_HAIR->ToolItem("BT_SCROLL")->trigger(); // fixes the new size
        QCOMPARE(c->Image2->Picture().width(), 120);
        F_HAIR->Normal1Click();
        QCOMPARE(c->Image2->Picture(), TestSalon::HairPicture(0, 1));
        QCOMPARE(c->Image2->size(), QSize(TestSalon::HairWidth(1), TestSalon::HairHeight(1)));
        QCOMPARE(c->Image2->pos(), QPoint(30, 40));
    }

    void flipMirrorsTheOverlayOnlyAndTwiceRestores()
    {
        TF_FILHO *c = openPhoto();
        QVERIFY(c);
        c->ChangeHair(3);
        F_HAIR->Inserir1Click();
        const Picture24 hair = asymmetricHair();
        QCOMPARE(c->Image2->Picture(), hair);
        QTest::keyClick(F_HAIR, Qt::Key_F, Qt::ControlModifier);
        const Picture24 once = c->Image2->Picture();
        QVERIFY(c->Image2->isVisible());
        for (int x = 0; x < hair.width(); ++x)
            QCOMPARE(once.pixel(x, 6), hair.pixel(hair.width() - 1 - x, 6));
        QCOMPARE(c->ImageAux2->Bitmap(), hair);
        F_HAIR->Flip1Click();
        QCOMPARE(c->Image2->Picture(), hair);
        // A preset after Flip shows the loaded orientation.
        F_HAIR->Flip1Click();
        F_HAIR->Normal1Click();
        QCOMPARE(c->Image2->Picture(), hair);
        // With no visible hair, Flip changes nothing.
        F_HAIR->ApagarCabelo1Click();
        F_HAIR->Flip1Click();
        QCOMPARE(c->Image2->Picture(), hair);
        QVERIFY(c->Image2->isHidden());
    }

    void flipOfAResizedHairMirrorsTheResizedPixels()
    {
        TF_FILHO *c = openPhoto();
        QVERIFY(c);
        c->ChangeHair(3);
        F_HAIR->Inserir1Click();
        F_HAIR->ToolItem("BT_MOVE")->trigger();
        c->Image2->resize(90, 50);
        F_HAIR->Flip1Click(); // the move tool fixes the size first
        const Picture24 flipped = c->Image2->Picture();
        QCOMPARE(flipped.width(), 90);
        QCOMPARE(c->Image2->size(), QSize(90, 50));
        F_HAIR->Flip1Click();
        const Picture24 back = c->Image2->Picture();
        for (int x = 0; x < 90; ++x)
            QCOMPARE(flipped.pixel(x, 10), back.pixel(89 - x, 10));
    }
};

QTEST_MAIN(ColourPanelTest)
#include "ColourPanelTest.moc"
