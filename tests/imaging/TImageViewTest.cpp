#include "ImageCursors.h"
#include "Picture24.h"
#include "TImageView.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

#include <cmath>
#include <memory>

namespace {

// Every pixel's colour names its position, so a window pixel tells which
// picture pixel it was taken from.
Picture24 numberedPicture(int w, int h)
{
    Picture24 p(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            p.setPixel(x, y, std::uint32_t(x) << 12 | std::uint32_t(y));
    return p;
}

QPoint decode(QRgb c)
{
    const std::uint32_t v = c & 0xFFFFFFu;
    return QPoint(int(v >> 12), int(v & 0xFFFu));
}

Picture24 solidPicture(int w, int h, std::uint32_t rgb)
{
    Picture24 p(w, h);
    p.fill(std::uint8_t(rgb >> 16), std::uint8_t(rgb >> 8), std::uint8_t(rgb));
    return p;
}

// A pointer move with no button held; QTest only moves the cursor then.
void hover(QWidget *w, QPoint pos, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QMouseEvent e(QEvent::MouseMove, QPointF(pos), QPointF(w->mapToGlobal(pos)), Qt::NoButton,
                  Qt::NoButton, mods);
    QApplication::sendEvent(w, &e);
}

} // namespace

class TImageViewTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TImageView> m_view;

    // A view whose client area is 300 x 200 (the border takes one pixel on
    // each side) showing a 400 x 300 numbered picture.
    TImageView *makeView(int zoom = 100)
    {
        m_view = std::make_unique<TImageView>();
        m_view->resize(302, 202);
        m_view->SetBitmap(numberedPicture(400, 300));
        m_view->SetZoom(zoom);
        m_view->show();
        if (!QTest::qWaitForWindowExposed(m_view.get()))
            qWarning("view not exposed");
        return m_view.get();
    }

    QImage grabClient() { return m_view->ClientArea()->grab().toImage().convertToFormat(QImage::Format_RGB32); }

private slots:
    void cleanup() { m_view.reset(); }

    void startValues()
    {
        TImageView view;
        QCOMPARE(view.Zoom(), 100);
        QCOMPARE(view.ViewX(), 0);
        QCOMPARE(view.ViewY(), 0);
        QVERIFY(!view.Center());
        QCOMPARE(view.ScrollBars(), TImageView::ssNone);
        QCOMPARE(view.BackgroundStyle(), TImageView::bsSolid);
        QCOMPARE(view.MouseInteract(), 0);
        QVERIFY(view.SelectionShown());
        QVERIFY(!view.PolygonInProgress());
        QCOMPARE(view.CursorId(), 1785);
        QCOMPARE(view.Background(), view.palette().color(QPalette::Button));
        // The first picture is the control's size in the background colour.
        QCOMPARE(view.Bitmap().width(), view.width());
        QCOMPARE(view.Bitmap().height(), view.height());
        QCOMPARE(view.Bitmap().pixel(0, 0), std::uint32_t(view.Background().rgb() & 0xFFFFFF));
    }

    void invalidZoomIsIgnored()
    {
        TImageView *view = makeView();
        QSignalSpy spy(view, &TImageView::OnViewChange);
        view->SetZoom(0);
        view->SetZoom(-5);
        view->SetZoom(100);
        QCOMPARE(spy.count(), 0);
        QCOMPARE(view->Zoom(), 100);
        view->SetZoom(50);
        QCOMPARE(view->Zoom(), 50);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toInt(), 1);
    }

    void layoutOfTheExamplePicture()
    {
        TImageView *view = makeView(50);
        QCOMPARE(view->ClientArea()->size(), QSize(300, 200));
        QCOMPARE(view->Layout().ZoomedWidth(), 200);
        QCOMPARE(view->Layout().ZoomedHeight(), 150);
        QCOMPARE(view->Layout().MaxViewX(), 0);
        QCOMPARE(view->Layout().MaxViewY(), 0);
        // Top-left without Center, background beyond.
        const QImage shot = grabClient();
        QCOMPARE(decode(shot.pixel(0, 0)), QPoint(0, 0));
        QCOMPARE(shot.pixel(250, 100), view->Background().rgb());
        QCOMPARE(shot.pixel(100, 170), view->Background().rgb());

        view->SetCenter(true);
        QCOMPARE(view->Layout().OffsetX(), 50);
        QCOMPARE(view->Layout().OffsetY(), 25);
        QCOMPARE(view->ClientToPictureX(50), 0);
        QCOMPARE(view->PictureToClientY(0), 25);
        QCOMPARE(decode(grabClient().pixel(50, 25)), QPoint(0, 0));
    }

    void offsetsClampAndNotify()
    {
        TImageView *view = makeView(200);
        QCOMPARE(view->Layout().ZoomedWidth(), 800);
        QCOMPARE(view->Layout().MaxViewX(), 500);
        QSignalSpy spy(view, &TImageView::OnViewChange);
        view->SetViewX(900);
        QCOMPARE(view->ViewX(), 500);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toInt(), 0);
        view->SetViewX(900);  // clamps to the same offset: nothing happens
        QCOMPARE(spy.count(), 1);
        view->SetViewX(-3);
        QCOMPARE(view->ViewX(), 0);
        QCOMPARE(spy.count(), 2);

        spy.clear();
        view->SetViewXY(30, 40);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(view->ViewX(), 30);
        QCOMPARE(view->ViewY(), 40);
        view->SetViewXY(30, 40);
        QCOMPARE(spy.count(), 1);

        // Zooming out clamps the offsets and says so.
        spy.clear();
        view->SetZoom(50);
        QCOMPARE(view->ViewX(), 0);
        QCOMPARE(view->ViewY(), 0);
        QList<int> kinds;
        for (const QList<QVariant> &args : spy)
            kinds << args.at(0).toInt();
        QVERIFY(kinds.contains(0));
        QVERIFY(kinds.contains(1));
    }

    void managedScrollBars()
    {
        TImageView *view = makeView(200);
        view->SetScrollBars(TImageView::ssBoth);
        QScrollBar *h = nullptr;
        QScrollBar *v = nullptr;
        for (QScrollBar *bar : view->findChildren<QScrollBar *>())
            (bar->orientation() == Qt::Horizontal ? h : v) = bar;
        QVERIFY(h && v);
        QVERIFY(h->isVisible());
        QVERIFY(v->isVisible());
        const int cw = view->ClientArea()->width();
        const int ch = view->ClientArea()->height();
        QCOMPARE(cw, 300 - v->width());
        QCOMPARE(ch, 200 - h->height());
        QCOMPARE(h->maximum(), 800 - cw);
        QCOMPARE(h->pageStep(), cw);

        h->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(view->ViewX(), 1);
        h->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(view->ViewX(), 11);
        h->triggerAction(QAbstractSlider::SliderPageStepSub);
        QCOMPARE(view->ViewX(), 1);
        v->triggerAction(QAbstractSlider::SliderToMaximum);
        QCOMPARE(view->ViewY(), 600 - ch);
        v->triggerAction(QAbstractSlider::SliderToMinimum);
        QCOMPARE(view->ViewY(), 0);
        // Offsets set in code move the bars.
        view->SetViewX(77);
        QCOMPARE(h->value(), 77);

        // A picture that fits hides them and gives the room back.
        view->SetZoom(50);
        QVERIFY(!h->isVisible());
        QVERIFY(!v->isVisible());
        QCOMPARE(view->ClientArea()->size(), QSize(300, 200));
    }

    void onlyTheManagedBarIsShown()
    {
        TImageView *view = makeView(200);
        view->SetScrollBars(TImageView::ssHorizontal);
        int shown = 0;
        for (QScrollBar *bar : view->findChildren<QScrollBar *>())
            if (bar->isVisible()) {
                ++shown;
                QCOMPARE(bar->orientation(), Qt::Horizontal);
            }
        QCOMPARE(shown, 1);
    }

    void dragPans()
    {
        TImageView *view = makeView(200);
        view->SetMouseInteract(TImageView::miScroll);
        view->SetViewXY(100, 100);
        QWidget *client = view->ClientArea();
        QTest::mousePress(client, Qt::LeftButton, Qt::NoModifier, QPoint(150, 100));
        QTest::mouseMove(client, QPoint(110, 70));
        QCOMPARE(view->ViewX(), 140);
        QCOMPARE(view->ViewY(), 130);
        QTest::mouseRelease(client, Qt::LeftButton, Qt::NoModifier, QPoint(200, 150));
        QCOMPARE(view->ViewX(), 50);
        QCOMPARE(view->ViewY(), 50);
        // Moving after the release no longer pans.
        hover(client, QPoint(10, 10));
        QCOMPARE(view->ViewX(), 50);
    }

    void pictureThatFitsDoesNotPan()
    {
        TImageView *view = makeView(50);
        view->SetMouseInteract(TImageView::miScroll);
        QSignalSpy spy(view, &TImageView::OnViewChange);
        QWidget *client = view->ClientArea();
        QTest::mousePress(client, Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
        QTest::mouseMove(client, QPoint(20, 30));
        QTest::mouseRelease(client, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
        QCOMPARE(view->ViewX(), 0);
        QCOMPARE(view->ViewY(), 0);
        QCOMPARE(spy.count(), 0);
    }

    void mouseSignalsCarryClientCoordinates()
    {
        TImageView *view = makeView();
        QSignalSpy down(view, &TImageView::MouseDown);
        QSignalSpy up(view, &TImageView::MouseUp);
        QTest::mouseClick(view->ClientArea(), Qt::RightButton, Qt::ShiftModifier, QPoint(12, 34));
        QCOMPARE(down.count(), 1);
        QCOMPARE(down.at(0).at(0).value<Qt::MouseButton>(), Qt::RightButton);
        QCOMPARE(down.at(0).at(2).toInt(), 12);
        QCOMPARE(down.at(0).at(3).toInt(), 34);
        QCOMPARE(up.count(), 1);
    }

    void fiveClicksAndADoubleClickGiveFivePoints()
    {
        TImageView *view = makeView();
        view->SetMouseInteract(TImageView::miSelectPolygon);
        QSignalSpy changes(view, &TImageView::OnSelectionChange);
        QSignalSpy dbl(view, &TImageView::DblClick);
        QWidget *client = view->ClientArea();
        const QList<QPoint> corners{{20, 20}, {120, 25}, {150, 120}, {60, 150}, {30, 90}};
        for (const QPoint &p : corners)
            QTest::mouseClick(client, Qt::LeftButton, Qt::NoModifier, p);
        QVERIFY(view->PolygonInProgress());
        QCOMPARE(view->SelectionPoints().size(), std::size_t(5));
        // The double click's second press, slightly off the first.
        QTest::mouseDClick(client, Qt::LeftButton, Qt::NoModifier, QPoint(31, 91));
        QTest::mouseRelease(client, Qt::LeftButton, Qt::NoModifier, QPoint(31, 91));
        QVERIFY(!view->PolygonInProgress());
        QCOMPARE(dbl.count(), 1);
        QVERIFY(changes.count() >= 5);
        const std::vector<ViewPoint> &pts = view->SelectionPoints();
        QCOMPARE(pts.size(), std::size_t(5));
        for (int i = 0; i < corners.size(); ++i)
            QCOMPARE(QPoint(pts[std::size_t(i)].x, pts[std::size_t(i)].y), corners[i]);

        // The next press starts a new polygon.
        QTest::mouseClick(client, Qt::LeftButton, Qt::NoModifier, QPoint(200, 100));
        QVERIFY(view->PolygonInProgress());
        QCOMPARE(view->SelectionPoints().size(), std::size_t(1));
        QCOMPARE(view->SelectionPoints().front(), (ViewPoint{200, 100}));
    }

    void pointsAreInPictureCoordinates()
    {
        TImageView *view = makeView(200);
        view->SetViewXY(100, 40);
        view->SetMouseInteract(TImageView::miSelectPolygon);
        QTest::mouseClick(view->ClientArea(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 20));
        // (10 + 100) / 2, (20 + 40) / 2
        QCOMPARE(view->SelectionPoints().front(), (ViewPoint{55, 30}));
    }

    void pressesOffThePictureAreKeptOnIt()
    {
        TImageView *view = makeView(50);  // the picture covers 200 x 150
        view->SetMouseInteract(TImageView::miSelectPolygon);
        QTest::mouseClick(view->ClientArea(), Qt::LeftButton, Qt::NoModifier, QPoint(280, 190));
        QCOMPARE(view->SelectionPoints().front(), (ViewPoint{398, 298}));
    }

    void ctrlConstrainsTheNewPoint()
    {
        TImageView *view = makeView();
        view->SetMouseInteract(TImageView::miSelectPolygon);
        QWidget *client = view->ClientArea();
        QTest::mouseClick(client, Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
        QTest::mouseClick(client, Qt::LeftButton, Qt::ControlModifier, QPoint(150, 60));
        QCOMPARE(view->SelectionPoints().back(), (ViewPoint{150, 50}));
        QTest::mouseClick(client, Qt::LeftButton, Qt::ControlModifier, QPoint(170, 65));
        QCOMPARE(view->SelectionPoints().back(), (ViewPoint{170, 70}));
        // Without Ctrl the point is taken as it is.
        QTest::mouseClick(client, Qt::LeftButton, Qt::NoModifier, QPoint(180, 72));
        QCOMPARE(view->SelectionPoints().back(), (ViewPoint{180, 72}));
    }

    void holdingTheButtonDrawsFreehand()
    {
        TImageView *view = makeView();
        view->SetMouseInteract(TImageView::miSelectPolygon);
        QWidget *client = view->ClientArea();
        QTest::mousePress(client, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
        QTest::mouseMove(client, QPoint(20, 12));
        QTest::mouseMove(client, QPoint(30, 15));
        QTest::mouseRelease(client, Qt::LeftButton, Qt::NoModifier, QPoint(30, 15));
        const std::vector<ViewPoint> &pts = view->SelectionPoints();
        QCOMPARE(pts.size(), std::size_t(3));
        QCOMPARE(pts[1], (ViewPoint{20, 12}));
        QCOMPARE(pts[2], (ViewPoint{30, 15}));
    }

    void freehandOutsideScrollsTowardsThePointer()
    {
        TImageView *view = makeView(200);
        view->SetViewXY(100, 100);
        view->SetMouseInteract(TImageView::miSelectPolygon);
        QWidget *client = view->ClientArea();
        QTest::mousePress(client, Qt::LeftButton, Qt::NoModifier, QPoint(10, 50));
        QTest::mouseMove(client, QPoint(-20, 50));
        QCOMPARE(view->ViewX(), 80);  // one step at once
        QTRY_COMPARE(view->ViewX(), 0);
        QCOMPARE(view->ViewY(), 100);
        QTest::mouseRelease(client, Qt::LeftButton, Qt::NoModifier, QPoint(-20, 50));
        // The point is kept on the picture's edge.
        QCOMPARE(view->SelectionPoints().back().x, 40);
    }

    void bitmapOfAnotherSizeRemovesTheSelection()
    {
        TImageView *view = makeView();
        view->SetMouseInteract(TImageView::miSelectPolygon);
        QWidget *client = view->ClientArea();
        QTest::mouseClick(client, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
        QTest::mouseClick(client, Qt::LeftButton, Qt::NoModifier, QPoint(100, 10));
        view->SetBitmap(numberedPicture(400, 300));  // same size: kept
        QCOMPARE(view->SelectionPoints().size(), std::size_t(2));
        view->SetBitmap(numberedPicture(200, 100));
        QVERIFY(view->SelectionPoints().empty());
        QVERIFY(!view->PolygonInProgress());
    }

    void paintingTakesEachWindowPixelFromOnePicturePixel_data()
    {
        QTest::addColumn<int>("zoom");
        QTest::addColumn<int>("viewX");
        QTest::addColumn<int>("viewY");
        // Offsets that are whole picture pixels put every picture pixel on
        // exactly zoom/100 window pixels.
        QTest::addColumn<bool>("aligned");
        QTest::newRow("double") << 200 << 0 << 0 << true;
        QTest::newRow("double scrolled") << 200 << 120 << 60 << true;
        QTest::newRow("half") << 50 << 0 << 0 << true;
        QTest::newRow("same scrolled") << 100 << 37 << 11 << true;
        QTest::newRow("triple, part pixel") << 300 << 301 << 150 << false;
        QTest::newRow("odd zoom") << 137 << 55 << 21 << false;
    }

    void paintingTakesEachWindowPixelFromOnePicturePixel()
    {
        QFETCH(int, zoom);
        QFETCH(int, viewX);
        QFETCH(int, viewY);
        QFETCH(bool, aligned);
        TImageView *view = makeView(zoom);
        view->SetViewXY(viewX, viewY);
        QCOMPARE(view->ViewX(), viewX);
        QCOMPARE(view->ViewY(), viewY);
        const QImage shot = grabClient();
        const ViewRect drawn = view->Layout().drawnRect();
        const ViewRect source = view->Layout().sourceRect();
        QVERIFY(!drawn.isEmpty());
        // Between neighbouring window pixels the picture advances by the
        // same whole step, give or take one.
        const double ratio = double(source.width) / drawn.width;
        const int minStep = int(std::floor(ratio));
        const int maxStep = int(std::ceil(ratio));
        for (int y = drawn.y; y < drawn.y + drawn.height; ++y) {
            QPoint previous(-1, -1);
            for (int x = drawn.x; x < drawn.x + drawn.width; ++x) {
                const QPoint src = decode(shot.pixel(x, y));
                const QString where = QStringLiteral("window %1,%2 shows %3,%4")
                                          .arg(x).arg(y).arg(src.x()).arg(src.y());
                QVERIFY2(source.contains(src.x(), src.y()), qPrintable(where));
                if (x > drawn.x) {
                    QVERIFY2(src.y() == previous.y(), qPrintable(where));
                    const int step = src.x() - previous.x();
                    QVERIFY2(step >= minStep && step <= maxStep, qPrintable(where));
                }
                if (aligned) {
                    const double scale = zoom / 100.0;
                    const QPoint expected(int((x - drawn.x + viewX) / scale),
                                          int((y - drawn.y + viewY) / scale));
                    QVERIFY2(src == expected, qPrintable(where));
                }
                previous = src;
            }
        }
        // The drawn area spans the whole source rectangle: it starts on its
        // first pixel and ends less than one step before its last.
        QCOMPARE(decode(shot.pixel(drawn.x, drawn.y)), QPoint(source.x, source.y));
        const QPoint last = decode(shot.pixel(drawn.x + drawn.width - 1, drawn.y + drawn.height - 1));
        QVERIFY(source.x + source.width - 1 - last.x() < std::max(1, maxStep));
        QVERIFY(source.y + source.height - 1 - last.y() < std::max(1, maxStep));
    }

    void chessboardBackground()
    {
        TImageView *view = makeView();
        view->SetBitmap(solidPicture(4, 4, 0x00FF00));
        view->SetBackground(QColor(10, 20, 30));
        view->SetBackgroundStyle(TImageView::bsChessboard);
        const QImage shot = grabClient();
        const QRgb bg = qRgb(10, 20, 30);
        const QRgb inv = qRgb(245, 235, 225);
        QCOMPARE(shot.pixel(2, 2), qRgb(0, 255, 0));  // the picture
        QCOMPARE(shot.pixel(8, 1), bg);               // square (0,0) beside the picture
        QCOMPARE(shot.pixel(16, 0), inv);
        QCOMPARE(shot.pixel(31, 15), inv);
        QCOMPARE(shot.pixel(32, 0), bg);
        // The next row of squares starts with the other colour.
        QCOMPARE(shot.pixel(0, 16), inv);
        QCOMPARE(shot.pixel(16, 16), bg);
        QCOMPARE(shot.pixel(0, 32), bg);
        QCOMPARE(shot.pixel(295, 195), ((295 / 16 + 195 / 16) % 2) ? inv : bg);
    }

    void diagonalsAndSolidBackground()
    {
        TImageView *view = makeView();
        view->SetBitmap(solidPicture(4, 4, 0x00FF00));
        view->SetBackground(QColor(200, 100, 0));
        view->SetBackgroundStyle(TImageView::bsDiagonals);
        QImage shot = grabClient();
        const QRgb bg = qRgb(200, 100, 0);
        const QRgb inv = qRgb(55, 155, 255);
        QCOMPARE(shot.pixel(299, 199), inv);
        QCOMPARE(shot.pixel(299, 0), inv);
        QCOMPARE(shot.pixel(0, 199), inv);
        QCOMPARE(shot.pixel(150, 10), bg);
        view->SetBackgroundStyle(TImageView::bsSolid);
        shot = grabClient();
        QCOMPARE(shot.pixel(299, 199), bg);
        QCOMPARE(shot.pixel(150, 10), bg);
    }

    void zeroZoomedSizePaintsOnlyBackground()
    {
        TImageView *view = makeView();
        view->SetBitmap(solidPicture(40, 40, 0x00FF00));
        view->SetZoom(1);
        QCOMPARE(view->Layout().ZoomedWidth(), 0);
        const QImage shot = grabClient();
        QCOMPARE(shot.pixel(0, 0), view->Background().rgb());
        QCOMPARE(shot.pixel(150, 100), view->Background().rgb());
    }

    void autoFitChoosesTheZoom()
    {
        TImageView *view = makeView();
        QSignalSpy spy(view, &TImageView::OnViewChange);
        view->SetAutoFit(true);
        // min(202 / 3, 302 / 4), truncated.
        QCOMPARE(view->Zoom(), 67);
        QVERIFY(!spy.isEmpty());
        QCOMPARE(spy.at(0).at(0).toInt(), 1);
        view->resize(802, 1002);
        QCOMPARE(view->Zoom(), 200);
    }

    void outlineIsDrawnAndAnimated()
    {
        TImageView *view = makeView();
        view->SetBitmap(solidPicture(400, 300, 0x808080));
        view->SetMouseInteract(TImageView::miSelectPolygon);
        QWidget *client = view->ClientArea();
        QTest::mouseClick(client, Qt::LeftButton, Qt::NoModifier, QPoint(20, 50));
        QTest::mouseClick(client, Qt::LeftButton, Qt::NoModifier, QPoint(220, 50));
        QTest::mouseClick(client, Qt::LeftButton, Qt::NoModifier, QPoint(220, 150));
        QTest::mouseDClick(client, Qt::LeftButton, Qt::NoModifier, QPoint(220, 150));
        QTest::mouseRelease(client, Qt::LeftButton, Qt::NoModifier, QPoint(220, 150));
        QCOMPARE(view->SelectionPoints().size(), std::size_t(3));

        // Along the top edge the counter starts at the phase: three black,
        // three white.
        int phase = view->AnimationPhase();
        QImage shot = grabClient();
        for (int x = 20; x < 220; ++x) {
            const bool white = (phase + (x - 20)) % 6 >= 3;
            QCOMPARE(shot.pixel(x, 50), white ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
        }
        // The closing edge from (220,150) back to (20,50) is drawn.
        QVERIFY(shot.pixel(120, 100) != qRgb(128, 128, 128));

        // The timer moves the pattern on.
        QTRY_VERIFY(view->AnimationPhase() != phase);
        phase = view->AnimationPhase();
        shot = grabClient();
        for (int x = 20; x < 30; ++x) {
            const bool white = (phase + (x - 20)) % 6 >= 3;
            QCOMPARE(shot.pixel(x, 50), white ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
        }

        view->SetSelectionShown(false);
        QCOMPARE(grabClient().pixel(100, 50), qRgb(128, 128, 128));
        view->SetSelectionShown(true);
        QVERIFY(grabClient().pixel(100, 50) != qRgb(128, 128, 128));
        view->RemoveSelection();
        QVERIFY(view->SelectionPoints().empty());
        QCOMPARE(grabClient().pixel(100, 50), qRgb(128, 128, 128));
    }

    void openPolygonHasNoClosingEdge()
    {
        TImageView *view = makeView();
        view->SetBitmap(solidPicture(400, 300, 0x808080));
        view->SetMouseInteract(TImageView::miSelectPolygon);
        QWidget *client = view->ClientArea();
        QTest::mouseClick(client, Qt::LeftButton, Qt::NoModifier, QPoint(20, 50));
        QTest::mouseClick(client, Qt::LeftButton, Qt::NoModifier, QPoint(220, 50));
        QTest::mouseClick(client, Qt::LeftButton, Qt::NoModifier, QPoint(220, 150));
        hover(client, QPoint(220, 150));  // rubber line of length 0
        QCOMPARE(grabClient().pixel(120, 100), qRgb(128, 128, 128));
    }

    void rubberLineFollowsThePointerAndLeavesNothing()
    {
        TImageView *view = makeView();
        view->SetBitmap(solidPicture(400, 300, 0x6496C8));
        view->SetMouseInteract(TImageView::miSelectPolygon);
        QWidget *client = view->ClientArea();
        QTest::mouseClick(client, Qt::LeftButton, Qt::NoModifier, QPoint(10, 100));
        hover(client, QPoint(210, 100));
        QImage shot = grabClient();
        const QRgb inverted = qRgb(255 - 0x64, 255 - 0x96, 255 - 0xC8);
        QCOMPARE(shot.pixel(110, 100), inverted);
        QCOMPARE(shot.pixel(110, 101), qRgb(0x64, 0x96, 0xC8));
        hover(client, QPoint(10, 190));
        shot = grabClient();
        QCOMPARE(shot.pixel(110, 100), qRgb(0x64, 0x96, 0xC8));
        QCOMPARE(shot.pixel(10, 150), inverted);
        // With Ctrl the line is constrained like the next point would be.
        hover(client, QPoint(200, 110), Qt::ControlModifier);
        shot = grabClient();
        QCOMPARE(shot.pixel(190, 100), inverted);
    }

    void cursors()
    {
        TImageView *view = makeView();
        QVERIFY(!view->ClientArea()->cursor().pixmap().isNull());
        view->SetCursorId(ImageCursors::Hand);
        QCOMPARE(view->CursorId(), 1782);
        QCOMPARE(view->ClientArea()->cursor().pixmap().size(), QSize(32, 32));
        for (int id = 1778; id <= 1785; ++id) {
            const QCursor c = ImageCursors::cursor(id);
            QCOMPARE(c.shape(), Qt::BitmapCursor);
            QCOMPARE(c.pixmap().size(), QSize(32, 32));
            QVERIFY(QRect(0, 0, 32, 32).contains(c.hotSpot()));
            // The hot spot of the pointing cursors is on their drawing.
            const QImage img = c.pixmap().toImage();
            bool inked = false;
            for (int dy = -2; dy <= 2 && !inked; ++dy)
                for (int dx = -2; dx <= 2 && !inked; ++dx)
                    if (img.valid(c.hotSpot() + QPoint(dx, dy)))
                        inked = qAlpha(img.pixel(c.hotSpot() + QPoint(dx, dy))) > 0;
            if (id != ImageCursors::ZoomIn && id != ImageCursors::ZoomOut)
                QVERIFY2(inked, ImageCursors::name(id));
        }
        // Zoom in and out differ by the sign.
        QVERIFY(ImageCursors::cursor(1779).pixmap().toImage()
                != ImageCursors::cursor(1778).pixmap().toImage());
        QCOMPARE(QString::fromLatin1(ImageCursors::name(1784)), QStringLiteral("CROSS1"));
        QCOMPARE(ImageCursors::cursor(42).shape(), Qt::ArrowCursor);
    }

    void overlayChildrenSitInClientCoordinates()
    {
        TImageView *view = makeView();
        auto *overlay = new QWidget(view->ClientArea());
        overlay->setGeometry(10, 20, 30, 40);
        overlay->show();
        QCOMPARE(overlay->mapTo(view, QPoint(0, 0)), QPoint(11, 21));
    }
};

QTEST_MAIN(TImageViewTest)
#include "TImageViewTest.moc"
