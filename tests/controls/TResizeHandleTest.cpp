// Mouse events go through the window, as real ones do, so that the handle's
// mouse grab and the stacking of the widgets decide who receives them.
#define QTEST_QPA_MOUSE_HANDLING

#include "TResizeHandle.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

class TResizeHandleTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void attachFramesTheControl();
    void attachRefusesATopLevelWindow();
    void attachOnAnotherParentStartsAfresh();
    void pressAndReleaseWithoutMovingChangesNothing();
    void onePixelBodyDragMovesOnePixel();
    void cornerDragResizes();
    void cornerDraggedPastOppositeSideStopsAtMinimum();
    void outlineShowsTheFutureBoundsOnlyWhileDragging();
    void dragBeyondTheParentIsClamped();
    void snappingLinesUpOnTheGrid();
    void pressOutsideTheFrameReachesTheControlBelow();
    void grabbedPressElsewhereReachesThatControl();
    void rightPressInsideReportsWithoutDragging();
    void arrowKeysNudgeByOnePixel();
    void lockedHandleDoesNotMove();
    void severalControlsMoveTogether();
    void gripsArePaintedAndTheRestShowsThrough();
    void detachHidesAndReleasesTheMouse();
    void destroyedControlIsForgotten();

private:
    QPoint centreOfHandle() const { return m_handle->geometry().center(); }
    void drag(QPoint fromInParent, QPoint toInParent);

    std::unique_ptr<QWidget> m_form;
    QWidget *m_parent = nullptr;  // the framed controls' parent, inside the form
    QLabel *m_overlay = nullptr;
    QPushButton *m_button = nullptr;
    TResizeHandle *m_handle = nullptr;
};

void TResizeHandleTest::init()
{
    m_form = std::make_unique<QWidget>();
    m_form->resize(420, 320);
    m_parent = new QWidget(m_form.get());
    m_parent->setGeometry(20, 20, 300, 200);
    m_button = new QPushButton("below", m_parent);
    m_button->setGeometry(140, 40, 80, 30);
    m_overlay = new QLabel(m_parent);
    m_overlay->setAutoFillBackground(true);
    m_overlay->setStyleSheet("background: rgb(0, 0, 255)");
    m_overlay->setGeometry(50, 60, 100, 50);
    m_handle = new TResizeHandle(m_form.get());
    m_form->show();
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void TResizeHandleTest::cleanup()
{
    // Leave no button held for the next test.
    m_form.reset();
}

void TResizeHandleTest::drag(QPoint from, QPoint to)
{
    QTest::mousePress(m_parent, Qt::LeftButton, {}, from);
    QTest::mouseMove(m_parent, to);
    QTest::mouseRelease(m_parent, Qt::LeftButton, {}, to);
}

void TResizeHandleTest::attachFramesTheControl()
{
    QVERIFY(!m_handle->Attached());
    QVERIFY(!m_handle->isVisible());
    m_handle->Attach(m_overlay);
    QVERIFY(m_handle->Attached());
    QCOMPARE(m_handle->parentWidget(), m_parent);
    QCOMPARE(m_handle->geometry(), QRect(48, 58, 105, 55));
    QVERIFY(m_handle->isVisible());
    QVERIFY(m_handle->isEnabled());
    QTRY_VERIFY(m_handle->hasFocus());
    QCOMPARE(QWidget::mouseGrabber(), m_handle);
    // On top of every sibling.
    QCOMPARE(m_parent->childAt(100, 80), m_handle);
    // Null and repeated controls change nothing.
    m_handle->Attach(nullptr);
    m_handle->Attach(m_overlay);
    QCOMPARE(m_handle->Controls().size(), 1);
    QCOMPARE(m_handle->geometry(), QRect(48, 58, 105, 55));
}

void TResizeHandleTest::attachRefusesATopLevelWindow()
{
    QWidget window;
    try {
        m_handle->Attach(&window);
        QFAIL("a top-level window was framed");
    } catch (const EBadAttach &e) {
        QCOMPARE(QString::fromUtf8(e.what()), QString("Handles can not be attached to a Form!"));
    }
    QVERIFY(!m_handle->Attached());
    QVERIFY(!m_handle->isVisible());
}

void TResizeHandleTest::attachOnAnotherParentStartsAfresh()
{
    m_handle->Attach(m_overlay);
    auto *other = new QLabel(m_form.get());
    other->setGeometry(330, 100, 40, 40);
    m_handle->Attach(other);
    QCOMPARE(m_handle->Controls(), QList<QWidget *>{other});
    QCOMPARE(m_handle->parentWidget(), m_form.get());
    QCOMPARE(m_handle->geometry(), QRect(328, 98, 45, 45));
    QCOMPARE(m_overlay->geometry(), QRect(50, 60, 100, 50));
}

void TResizeHandleTest::pressAndReleaseWithoutMovingChangesNothing()
{
    m_handle->Attach(m_overlay);
    QSignalSpy down(m_handle, &TResizeHandle::MouseDown);
    QSignalSpy up(m_handle, &TResizeHandle::MouseUp);
    QSignalSpy changed(m_handle, &TResizeHandle::BoundsChanged);
    const QPoint p = centreOfHandle();
    QTest::mousePress(m_parent, Qt::LeftButton, {}, p);
    QVERIFY(m_handle->Dragging());
    QTest::mouseRelease(m_parent, Qt::LeftButton, {}, p);
    QVERIFY(!m_handle->Dragging());
    QCOMPARE(m_overlay->geometry(), QRect(50, 60, 100, 50));
    QCOMPARE(m_handle->geometry(), QRect(48, 58, 105, 55));
    QCOMPARE(down.count(), 1);
    QCOMPARE(down.first().at(0).value<Qt::MouseButton>(), Qt::LeftButton);
    QCOMPARE(down.first().at(2).toInt(), p.x() - 48);
    QCOMPARE(down.first().at(3).toInt(), p.y() - 58);
    QCOMPARE(up.count(), 1);
    QCOMPARE(changed.count(), 0);
}

void TResizeHandleTest::onePixelBodyDragMovesOnePixel()
{
    m_handle->Attach(m_overlay);
    QSignalSpy changed(m_handle, &TResizeHandle::BoundsChanged);
    const QPoint p = centreOfHandle();
    drag(p, p + QPoint(1, 0));
    QCOMPARE(m_overlay->geometry(), QRect(51, 60, 100, 50));
    QCOMPARE(m_handle->geometry(), QRect(49, 58, 105, 55));
    QCOMPARE(changed.count(), 1);
    drag(centreOfHandle(), centreOfHandle() + QPoint(0, -1));
    QCOMPARE(m_overlay->geometry(), QRect(51, 59, 100, 50));
}

void TResizeHandleTest::cornerDragResizes()
{
    m_handle->Attach(m_overlay);
    // Bottom-right grip, then the top-left one.
    drag(QPoint(150, 110), QPoint(170, 130));
    QCOMPARE(m_overlay->geometry(), QRect(50, 60, 120, 70));
    drag(QPoint(49, 59), QPoint(59, 64));
    QCOMPARE(m_overlay->geometry(), QRect(60, 65, 110, 65));
    // The middle of the right edge changes the width only. The handle's last
    // column lies outside the frame, so the grip is caught one further in.
    const QRect h = m_handle->geometry();
    drag(QPoint(h.x() + h.width() - 2, h.y() + h.height() / 2), QPoint(h.x() + h.width() - 32, 10));
    QCOMPARE(m_overlay->geometry(), QRect(60, 65, 80, 65));
}

void TResizeHandleTest::cornerDraggedPastOppositeSideStopsAtMinimum()
{
    m_handle->Attach(m_overlay);
    drag(QPoint(150, 110), QPoint(10, 10));
    QCOMPARE(m_overlay->geometry(), QRect(50, 60, 5, 5));
    QCOMPARE(m_handle->geometry(), QRect(48, 58, 10, 10));
    // The small frame still offers its grips. Every zone test hits on it and
    // the bottom-left one comes last, so that is the grip caught.
    drag(QPoint(56, 66), QPoint(26, 96));
    QCOMPARE(m_overlay->geometry(), QRect(20, 60, 35, 35));
}

void TResizeHandleTest::outlineShowsTheFutureBoundsOnlyWhileDragging()
{
    m_handle->Attach(m_overlay);
    QVERIFY(m_handle->OutlineRect().isEmpty());
    const QPoint p = centreOfHandle();
    QTest::mousePress(m_parent, Qt::LeftButton, {}, p);
    QTest::mouseMove(m_parent, p + QPoint(30, 20));
    QCOMPARE(m_handle->OutlineRect(), QRect(80, 80, 100, 50));
    QCOMPARE(m_overlay->geometry(), QRect(50, 60, 100, 50)); // not yet
    QTest::mouseMove(m_parent, p + QPoint(-10, 5));
    QCOMPARE(m_handle->OutlineRect(), QRect(40, 65, 100, 50));
    QTest::mouseRelease(m_parent, Qt::LeftButton, {}, p + QPoint(-10, 5));
    QCOMPARE(m_overlay->geometry(), QRect(40, 65, 100, 50));
    QVERIFY(m_handle->OutlineRect().isEmpty());
    // Nothing of the outline is left among the parent's visible children.
    for (QWidget *w : m_parent->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (w != m_overlay && w != m_button && w != m_handle)
            QVERIFY(!w->isVisible());
}

void TResizeHandleTest::dragBeyondTheParentIsClamped()
{
    m_handle->Attach(m_overlay);
    // The form has room beyond the parent's right and bottom edges; the
    // pointer counts as if it stopped at the parent's corner (300, 200).
    QTest::mousePress(m_parent, Qt::LeftButton, {}, QPoint(60, 70));
    QTest::mouseMove(m_form.get(), QPoint(400, 300));
    QCOMPARE(m_handle->OutlineRect(), QRect(290, 190, 100, 50));
    QTest::mouseRelease(m_form.get(), Qt::LeftButton, {}, QPoint(400, 300));
    QCOMPARE(m_overlay->geometry(), QRect(290, 190, 100, 50));
    // And beyond the top-left corner, to (0, 0), from the few body pixels
    // still inside the parent (nearer the corner is the top-left grip).
    QTest::mousePress(m_parent, Qt::LeftButton, {}, QPoint(298, 198));
    QTest::mouseMove(m_form.get(), QPoint(2, 3));
    QTest::mouseRelease(m_form.get(), Qt::LeftButton, {}, QPoint(2, 3));
    QCOMPARE(m_overlay->geometry(), QRect(-8, -8, 100, 50));
}

void TResizeHandleTest::snappingLinesUpOnTheGrid()
{
    m_handle->SetSnapToGrid(true);
    QCOMPARE(m_handle->GridX(), 8);
    QCOMPARE(m_handle->GridY(), 8);
    QVERIFY(m_handle->SnapToGrid());
    m_handle->Attach(m_overlay);
    const QPoint p = centreOfHandle();
    drag(p, p + QPoint(5, 13));
    QCOMPARE(m_overlay->geometry(), QRect(48, 72, 100, 50));
    drag(QPoint(148, 122), QPoint(153, 127)); // bottom-right grip
    QCOMPARE(m_overlay->geometry(), QRect(48, 72, 104, 48));

    m_handle->SetSnapToGrid(false);
    QCOMPARE(m_handle->GridX(), 1);
    QVERIFY(!m_handle->SnapToGrid());
    m_handle->SetGridY(3);
    QVERIFY(m_handle->SnapToGrid());
}

void TResizeHandleTest::pressOutsideTheFrameReachesTheControlBelow()
{
    // The button reaches under the handle's rightmost column, which lies
    // outside the frame (the control grown by 2).
    m_button->setGeometry(140, 70, 60, 30);
    m_handle->Attach(m_overlay);
    QSignalSpy pressed(m_button, &QPushButton::pressed);
    QSignalSpy clicked(m_button, &QPushButton::clicked);
    QSignalSpy down(m_handle, &TResizeHandle::MouseDown);
    const QPoint edge(152, 80);
    QCOMPARE(m_parent->childAt(edge), m_handle);
    QTest::mousePress(m_parent, Qt::LeftButton, {}, edge);
    QCOMPARE(pressed.count(), 1);
    QVERIFY(m_button->isDown());
    QVERIFY(!m_handle->Dragging());
    QTest::mouseRelease(m_parent, Qt::LeftButton, {}, edge);
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(down.count(), 0);
    QCOMPARE(m_overlay->geometry(), QRect(50, 60, 100, 50));
}

void TResizeHandleTest::grabbedPressElsewhereReachesThatControl()
{
    m_handle->Attach(m_overlay);
    QCOMPARE(QWidget::mouseGrabber(), m_handle);
    QSignalSpy clicked(m_button, &QPushButton::clicked);
    // While the handle holds the mouse it receives this press and hands it on.
    QTest::mouseClick(m_parent, Qt::LeftButton, {}, QPoint(180, 45));
    QCOMPARE(clicked.count(), 1);
    // A press outside the parent altogether lands where it was aimed.
    auto *far = new QPushButton("far", m_form.get());
    far->setGeometry(330, 250, 60, 30);
    far->show();
    QSignalSpy farClicked(far, &QPushButton::clicked);
    QTest::mouseClick(m_form.get(), Qt::LeftButton, {}, QPoint(350, 260));
    QCOMPARE(farClicked.count(), 1);
    QCOMPARE(m_overlay->geometry(), QRect(50, 60, 100, 50));
}

void TResizeHandleTest::rightPressInsideReportsWithoutDragging()
{
    m_handle->Attach(m_overlay);
    // As the composition does: a right press inside puts the handle away.
    connect(m_handle, &TResizeHandle::MouseDown, m_handle, [this](Qt::MouseButton b) {
        if (b == Qt::RightButton)
            m_handle->Detach();
    });
    QSignalSpy down(m_handle, &TResizeHandle::MouseDown);
    const QPoint p = centreOfHandle();
    QTest::mousePress(m_parent, Qt::RightButton, {}, p);
    QCOMPARE(down.count(), 1);
    QCOMPARE(down.first().at(0).value<Qt::MouseButton>(), Qt::RightButton);
    QVERIFY(!m_handle->Attached());
    QTest::mouseMove(m_parent, p + QPoint(20, 20));
    QTest::mouseRelease(m_parent, Qt::RightButton, {}, p + QPoint(20, 20));
    QCOMPARE(m_overlay->geometry(), QRect(50, 60, 100, 50));
}

void TResizeHandleTest::arrowKeysNudgeByOnePixel()
{
    m_handle->Attach(m_overlay);
    QTRY_COMPARE(QApplication::focusWidget(), m_handle);
    QWidget *focused = QApplication::focusWidget();
    QSignalSpy keys(m_handle, &TResizeHandle::KeyDown);
    QSignalSpy changed(m_handle, &TResizeHandle::BoundsChanged);
    QTest::keyClick(focused, Qt::Key_Left);
    QCOMPARE(m_overlay->geometry(), QRect(49, 60, 100, 50));
    QTest::keyClick(focused, Qt::Key_Down);
    QTest::keyClick(focused, Qt::Key_Down);
    QCOMPARE(m_overlay->geometry(), QRect(49, 62, 100, 50));
    QTest::keyClick(focused, Qt::Key_Right);
    QTest::keyClick(focused, Qt::Key_Up);
    QCOMPARE(m_overlay->geometry(), QRect(50, 61, 100, 50));
    QCOMPARE(m_handle->geometry(), QRect(48, 59, 105, 55));
    QCOMPARE(changed.count(), 5);
    // Other keys move nothing but are still reported.
    QTest::keyClick(focused, Qt::Key_A);
    QCOMPARE(m_overlay->geometry(), QRect(50, 61, 100, 50));
    QCOMPARE(keys.count(), 6);
    QCOMPARE(keys.last().at(0).toInt(), int(Qt::Key_A));
}

void TResizeHandleTest::lockedHandleDoesNotMove()
{
    m_handle->Attach(m_overlay);
    m_handle->SetLocked(true);
    const QPoint p = centreOfHandle();
    drag(p, p + QPoint(20, 20));
    QTest::keyClick(m_handle, Qt::Key_Left);
    QCOMPARE(m_overlay->geometry(), QRect(50, 60, 100, 50));
    QCOMPARE(m_handle->geometry(), QRect(48, 58, 105, 55));
    m_handle->Detach();
    QVERIFY(!m_handle->Locked());
}

void TResizeHandleTest::severalControlsMoveTogether()
{
    auto *second = new QLabel(m_parent);
    second->setGeometry(200, 20, 30, 30);
    m_handle->Attach(m_overlay);
    m_handle->Attach(second);
    QCOMPARE(m_handle->Controls().size(), 2);
    QCOMPARE(m_handle->geometry(), QRect(48, 18, 185, 95));
    // A press inside either control's frame drags the whole group.
    drag(QPoint(210, 30), QPoint(200, 35));
    QCOMPARE(m_overlay->geometry(), QRect(40, 65, 100, 50));
    QCOMPARE(second->geometry(), QRect(190, 25, 30, 30));
    QCOMPARE(m_handle->geometry(), QRect(38, 23, 185, 95));
    // Between the two is not inside: that press goes below and moves nothing.
    QSignalSpy down(m_handle, &TResizeHandle::MouseDown);
    drag(QPoint(170, 100), QPoint(180, 110));
    QCOMPARE(down.count(), 0);
    QCOMPARE(m_overlay->geometry(), QRect(40, 65, 100, 50));
}

void TResizeHandleTest::gripsArePaintedAndTheRestShowsThrough()
{
    m_handle->SetColor(Qt::red);
    QCOMPARE(m_handle->SecondaryColor(), QColor(128, 128, 128));
    m_handle->Attach(m_overlay);
    QImage shot = m_parent->grab().toImage();
    const QRgb red = qRgb(255, 0, 0);
    const QRgb blue = qRgb(0, 0, 255);
    QCOMPARE(shot.pixel(48, 58), red);          // top-left corner square
    QCOMPARE(shot.pixel(57, 67), red);
    QCOMPARE(shot.pixel(151, 111), red);        // bottom-right corner square
    QCOMPARE(shot.pixel(100, 58), red);         // top edge middle: 48 + 52 - 2 .. + 5
    QCOMPARE(shot.pixel(48, 85), red);          // left edge middle
    QCOMPARE(shot.pixel(100, 85), blue);        // the overlay shows through
    QCOMPARE(shot.pixel(75, 60), blue);         // between corner and edge grip

    auto *second = new QLabel(m_parent);
    second->setGeometry(200, 20, 30, 30);
    m_handle->Attach(second);
    shot = m_parent->grab().toImage();
    const QRgb grey = qRgb(128, 128, 128);
    QCOMPARE(shot.pixel(48, 58), grey);
    QCOMPARE(shot.pixel(198, 18), grey);
    QVERIFY(shot.pixel(100, 58) != grey); // no edge grips with several controls
    QCOMPARE(shot.pixel(100, 58), shot.pixel(100, 150)); // just the parent's background
}

void TResizeHandleTest::detachHidesAndReleasesTheMouse()
{
    m_handle->Attach(m_overlay);
    QCOMPARE(QWidget::mouseGrabber(), m_handle);
    m_handle->Detach();
    QVERIFY(!m_handle->Attached());
    QVERIFY(!m_handle->isVisible());
    QVERIFY(!m_handle->isEnabled());
    QCOMPARE(m_handle->size(), QSize(24, 24));
    QVERIFY(QWidget::mouseGrabber() != m_handle);
    QCOMPARE(m_overlay->geometry(), QRect(50, 60, 100, 50));
    // Presses reach the overlay's siblings directly again.
    QSignalSpy clicked(m_button, &QPushButton::clicked);
    QTest::mouseClick(m_parent, Qt::LeftButton, {}, QPoint(180, 45));
    QCOMPARE(clicked.count(), 1);

    // The grab also ends at the first move without the left button.
    m_handle->Attach(m_overlay);
    QCOMPARE(QWidget::mouseGrabber(), m_handle);
    QTest::mouseMove(m_parent, QPoint(10, 10));
    QVERIFY(QWidget::mouseGrabber() != m_handle);
    QVERIFY(m_handle->Attached());
}

void TResizeHandleTest::destroyedControlIsForgotten()
{
    m_handle->Attach(m_overlay);
    delete m_overlay;
    m_overlay = nullptr;
    QVERIFY(!m_handle->Attached());
    QTest::mouseClick(m_parent, Qt::LeftButton, {}, QPoint(100, 85));
    QTest::keyClick(m_handle, Qt::Key_Left);
    (void)m_parent->grab();
}

QTEST_MAIN(TResizeHandleTest)
#include "TResizeHandleTest.moc"
