#include "HsvModel.h"
#include "THSVBox.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

namespace {

// A move with the left button held, delivered the way a drag delivers it.
void dragTo(QWidget *widget, const QPoint &pos)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(pos), QPointF(widget->mapToGlobal(pos)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

QRgb qrgbOf(const RgbColour &c) { return qRgb(c.red, c.green, c.blue); }

} // namespace

class THSVBoxTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void creationState();
    void squareCorners();
    void hueBarEnds();
    void gapPressPicksNothingButClicks();
    void dragFromSquareOverBar();
    void releaseOutsideIsNoClick();
    void otherButtonsDoNotPick();
    void settersClampAndStayQuiet();
    void screenShowsThePicture();
    void togglingMarkersTwiceLeavesNoTrace();
    void hiddenBoxTakesItsSize();

private:
    THSVBox *m_box = nullptr;
};

void THSVBoxTest::init()
{
    m_box = new THSVBox;
    m_box->resize(233, 100);
    m_box->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_box));
}

void THSVBoxTest::cleanup()
{
    delete m_box;
    m_box = nullptr;
}

void THSVBoxTest::creationState()
{
    THSVBox box;
    QCOMPARE(box.size(), QSize(105, 105));
    QCOMPARE(box.property("Hue").toInt(), 0);
    QCOMPARE(box.property("Sat").toInt(), 0);
    QCOMPARE(box.property("Val").toInt(), 0);
    QCOMPARE(box.property("Red").toInt(), 0);
    QCOMPARE(box.property("Green").toInt(), 0);
    QCOMPARE(box.property("Blue").toInt(), 0);
    QCOMPARE(box.property("Color").value<QColor>(), QColor(Qt::black));
    QCOMPARE(box.Background().rgb(), box.palette().color(QPalette::Button).rgb());
}

void THSVBoxTest::squareCorners()
{
    QCOMPARE(m_box->model().squareWidth(), 208);
    QSignalSpy changed(m_box, &THSVBox::OnChange);
    QSignalSpy clicked(m_box, &THSVBox::OnClick);

    QTest::mouseClick(m_box, Qt::LeftButton, {}, QPoint(207, 0));
    QCOMPARE(m_box->Sat(), 99);
    QCOMPARE(m_box->Val(), 99);
    QCOMPARE(m_box->Color(), QColor(255, 0, 0));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(clicked.count(), 1);

    QTest::mouseClick(m_box, Qt::LeftButton, {}, QPoint(0, 99));
    QCOMPARE(m_box->Sat(), 0);
    QCOMPARE(m_box->Val(), 0);
    QCOMPARE(m_box->Color(), QColor(Qt::black));
    QCOMPARE(changed.count(), 2);
    QCOMPARE(clicked.count(), 2);
}

void THSVBoxTest::hueBarEnds()
{
    QSignalSpy changed(m_box, &THSVBox::OnChange);
    m_box->setSat(99);
    m_box->setVal(99);
    QTest::mouseClick(m_box, Qt::LeftButton, {}, QPoint(225, 0));
    QCOMPARE(m_box->Hue(), 359);
    QCOMPARE(m_box->Color().rgb(), qrgbOf(HSVtoRGB(359, 99, 99)));
    QTest::mouseClick(m_box, Qt::LeftButton, {}, QPoint(225, 99));
    QCOMPARE(m_box->Hue(), 0);
    QCOMPARE(m_box->Color(), QColor(255, 0, 0));
    QCOMPARE(changed.count(), 2);
}

void THSVBoxTest::gapPressPicksNothingButClicks()
{
    m_box->setHue(100);
    m_box->setSat(50);
    m_box->setVal(50);
    const QImage before = m_box->grab().toImage();
    QSignalSpy changed(m_box, &THSVBox::OnChange);
    QSignalSpy clicked(m_box, &THSVBox::OnClick);

    QTest::mouseClick(m_box, Qt::LeftButton, {}, QPoint(210, 50));
    QCOMPARE(changed.count(), 0);
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(m_box->Hue(), 100);
    QCOMPARE(m_box->Sat(), 50);
    QCOMPARE(m_box->Val(), 50);
    QCOMPARE(m_box->grab().toImage(), before);
}

void THSVBoxTest::dragFromSquareOverBar()
{
    m_box->setHue(60);
    QSignalSpy changed(m_box, &THSVBox::OnChange);
    QTest::mousePress(m_box, Qt::LeftButton, {}, QPoint(100, 50));
    dragTo(m_box, QPoint(230, 20));
    QCOMPARE(m_box->Sat(), 99);
    QCOMPARE(m_box->Val(), 79);
    QCOMPARE(m_box->Hue(), 60);
    dragTo(m_box, QPoint(400, 300)); // far outside, right and below
    QCOMPARE(m_box->Sat(), 99);
    QCOMPARE(m_box->Val(), 0);
    QCOMPARE(changed.count(), 3);
    QTest::mouseRelease(m_box, Qt::LeftButton, {}, QPoint(150, 50));
    QCOMPARE(m_box->model().dragZone(), HsvBoxModel::NoZone);

    dragTo(m_box, QPoint(10, 10)); // no drag any more
    QCOMPARE(changed.count(), 3);
    QCOMPARE(m_box->Sat(), 99);
}

void THSVBoxTest::releaseOutsideIsNoClick()
{
    QSignalSpy clicked(m_box, &THSVBox::OnClick);
    QTest::mousePress(m_box, Qt::LeftButton, {}, QPoint(50, 50));
    dragTo(m_box, QPoint(300, 50));
    QTest::mouseRelease(m_box, Qt::LeftButton, {}, QPoint(300, 50));
    QCOMPARE(clicked.count(), 0);
    QCOMPARE(m_box->Sat(), 99);
}

void THSVBoxTest::otherButtonsDoNotPick()
{
    QSignalSpy changed(m_box, &THSVBox::OnChange);
    QSignalSpy clicked(m_box, &THSVBox::OnClick);
    QTest::mousePress(m_box, Qt::RightButton, {}, QPoint(150, 10));
    QMouseEvent move(QEvent::MouseMove, QPointF(120, 20), QPointF(m_box->mapToGlobal(QPoint(120, 20))),
                     Qt::NoButton, Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(m_box, &move);
    QTest::mouseRelease(m_box, Qt::RightButton, {}, QPoint(120, 20));
    QCOMPARE(changed.count(), 0);
    QCOMPARE(clicked.count(), 0);
    QCOMPARE(m_box->Sat(), 0);
    QCOMPARE(m_box->Val(), 0);
}

void THSVBoxTest::settersClampAndStayQuiet()
{
    QSignalSpy changed(m_box, &THSVBox::OnChange);
    QVERIFY(m_box->setProperty("Hue", 400));
    QCOMPARE(m_box->Hue(), 359);
    QVERIFY(m_box->setProperty("Sat", -5));
    QCOMPARE(m_box->Sat(), 0);
    m_box->setSat(120);
    m_box->setVal(99);
    QCOMPARE(m_box->Sat(), 99);
    QCOMPARE(m_box->Color().rgb(), qrgbOf(HSVtoRGB(359, 99, 99)));
    m_box->setBackground(QColor(10, 20, 30));
    QCOMPARE(m_box->Background(), QColor(10, 20, 30));
    QCOMPARE(changed.count(), 0);
    QCOMPARE(m_box->grab().toImage().pixel(210, 40), qRgb(10, 20, 30));
}

// The screen shows exactly the picture the model holds, markers included.
void THSVBoxTest::screenShowsThePicture()
{
    m_box->setHue(210);
    QTest::mouseClick(m_box, Qt::LeftButton, {}, QPoint(150, 30));
    const QImage shown = m_box->grab().toImage();
    const Picture24 &picture = m_box->model().PickerBitmap();
    QCOMPARE(shown.size(), QSize(233, 100));
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 233; ++x)
            QCOMPARE(shown.pixel(x, y) & 0xFFFFFFu, picture.pixel(x, y));
    // Top left of the square is white; the bottom row is black.
    QCOMPARE(shown.pixel(2, 0), qRgb(255, 255, 255));
    QCOMPARE(shown.pixel(60, 99), qRgb(0, 0, 0));
}

void THSVBoxTest::togglingMarkersTwiceLeavesNoTrace()
{
    m_box->setHue(300);
    m_box->setSat(70);
    m_box->setVal(40);
    const QImage before = m_box->grab().toImage();
    m_box->ToggleMarkers();
    const QImage erased = m_box->grab().toImage();
    QVERIFY(erased != before);
    m_box->ToggleMarkers();
    QCOMPARE(m_box->grab().toImage(), before);
}

void THSVBoxTest::hiddenBoxTakesItsSize()
{
    THSVBox box;
    box.resize(233, 100);
    box.setHue(30);
    QCOMPARE(box.model().width(), 233);
    QCOMPARE(box.model().height(), 100);
    QCOMPARE(box.grab().toImage().size(), QSize(233, 100));
}

QTEST_MAIN(THSVBoxTest)
#include "THSVBoxTest.moc"
