#include "TResizeHandle.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>

namespace {

Bounds toBounds(const QRect &r)
{
    return {r.x(), r.y(), r.width(), r.height()};
}

QRect toRect(const Bounds &b)
{
    return QRect(b.left, b.top, b.width, b.height);
}

Qt::CursorShape shapeFor(GripCursor cursor)
{
    switch (cursor) {
    case GripCursor::DiagonalDown: return Qt::SizeFDiagCursor;
    case GripCursor::DiagonalUp: return Qt::SizeBDiagCursor;
    case GripCursor::Vertical: return Qt::SizeVerCursor;
    case GripCursor::Horizontal: return Qt::SizeHorCursor;
    case GripCursor::Default: break;
    }
    return Qt::ArrowCursor;
}

} // namespace

TResizeHandle::TResizeHandle(QWidget *parent) : QWidget(parent)
{
    // No background of its own: the framed controls show through everywhere
    // but on the grips.
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    resize(24, 24);
    setEnabled(false);
    hide();
}

TResizeHandle::~TResizeHandle()
{
    if (m_holdsGrab && QWidget::mouseGrabber() == this)
        releaseMouse();
}

void TResizeHandle::pruneControls()
{
    m_controls.removeIf([](const QPointer<QWidget> &c) { return c.isNull(); });
}

bool TResizeHandle::Attached() const
{
    for (const auto &c : m_controls)
        if (c)
            return true;
    return false;
}

QList<QWidget *> TResizeHandle::Controls() const
{
    QList<QWidget *> list;
    for (const auto &c : m_controls)
        if (c)
            list.append(c.data());
    return list;
}

void TResizeHandle::Attach(QWidget *control)
{
    if (!control)
        return;
    if (control->isWindow())
        throw EBadAttach("Handles can not be attached to a Form!");
    pruneControls();
    if (m_controls.contains(control))
        return;
    if (!m_controls.isEmpty() && m_controls.first()->parentWidget() != control->parentWidget())
        Detach();

    const Bounds controlBounds = toBounds(control->geometry());
    if (m_controls.isEmpty()) {
        if (parentWidget() != control->parentWidget())
            setParent(control->parentWidget());
        hideOutline();
        setEnabled(true);
        show();
        setGeometry(toRect(HandleBoundsFor(controlBounds)));
    } else {
        // Widening only adapts the frame; the controls already framed stay put.
        setGeometry(toRect(WidenHandleBounds(toBounds(geometry()), controlBounds)));
    }
    m_controls.append(control);
    m_zone = GrabZone::Body;
    raise();
    update();
    if (isVisible()) {
        grabMouse();
        m_holdsGrab = true;
    }
    setFocus(Qt::OtherFocusReason);
}

void TResizeHandle::Detach()
{
    if (m_holdsGrab) {
        if (QWidget::mouseGrabber() == this)
            releaseMouse();
        m_holdsGrab = false;
    }
    m_controls.clear();
    m_locked = false;
    m_dragging = false;
    m_zone = GrabZone::Body;
    // The handle stays a child of its last parent: a Qt parent is also the
    // owner, and a parentless widget would turn into a top-level window.
    resize(24, 24);
    setEnabled(false);
    hide();
    hideOutline();
    unsetCursor();
}

void TResizeHandle::SetHandleBounds(const QRect &bounds)
{
    if (m_locked)
        return;
    pruneControls();
    const Bounds oldHandle = toBounds(geometry());
    const Bounds newHandle = toBounds(bounds);
    if (oldHandle == newHandle)
        return;
    for (const auto &c : m_controls)
        c->setGeometry(toRect(FollowHandle(toBounds(c->geometry()), oldHandle, newHandle)));
    setGeometry(bounds);
    emit BoundsChanged();
}

void TResizeHandle::SetColor(const QColor &color)
{
    m_color = color;
    update();
}

void TResizeHandle::SetSecondaryColor(const QColor &color)
{
    m_secondaryColor = color;
    update();
}

void TResizeHandle::SetLocked(bool locked)
{
    m_locked = locked;
    if (locked && m_dragging) {
        m_dragging = false;
        hideOutline();
    }
}

void TResizeHandle::SetGridX(int grid)
{
    m_gridX = std::max(1, grid);
}

void TResizeHandle::SetGridY(int grid)
{
    m_gridY = std::max(1, grid);
}

void TResizeHandle::SetSnapToGrid(bool snap)
{
    m_gridX = m_gridY = snap ? 8 : 1;
}

QRect TResizeHandle::OutlineRect() const
{
    return m_outline;
}

void TResizeHandle::paintEvent(QPaintEvent *)
{
    const QList<QWidget *> controls = Controls();
    if (controls.isEmpty())
        return;
    QPainter painter(this);
    const bool single = controls.size() == 1;
    const QColor colour = single ? m_color : m_secondaryColor;
    for (QWidget *c : controls) {
        const QRect frame = c->geometry().translated(-pos()).adjusted(-2, -2, 2, 2);
        const auto squares = GripSquares(toBounds(frame));
        const int count = single ? 8 : 4; // with several controls, corners only
        for (int i = 0; i < count; ++i)
            painter.fillRect(toRect(squares[i]), colour);
    }
}

void TResizeHandle::updateCursorFor(QPoint handlePos)
{
    const QList<QWidget *> controls = Controls();
    if (controls.size() == 1)
        m_zone = GrabZoneAt(handlePos.x(), handlePos.y(), width(), height());
    else
        m_zone = GrabZone::Body;
    if (m_locked)
        setCursor(Qt::ForbiddenCursor);
    else
        setCursor(shapeFor(CursorForZone(m_zone)));
}

QPoint TResizeHandle::clampedParentPoint(QPointF globalPos) const
{
    const QWidget *p = parentWidget();
    const QPoint inParent = p ? p->mapFromGlobal(globalPos.toPoint()) : mapToParent(mapFromGlobal(globalPos.toPoint()));
    const int w = p ? p->width() : 0;
    const int h = p ? p->height() : 0;
    const PixelPoint c = ClampToArea({inParent.x(), inParent.y()}, w, h);
    return QPoint(c.x, c.y);
}

void TResizeHandle::showOutline(const QRect &handleBounds)
{
    QWidget *p = parentWidget();
    if (!p)
        return;
    m_outline = toRect(FramedArea(toBounds(handleBounds)));
    if (!m_band) {
        m_band = new QRubberBand(QRubberBand::Rectangle, p);
        m_band->setAttribute(Qt::WA_TransparentForMouseEvents);
    } else if (m_band->parentWidget() != p) {
        m_band->setParent(p);
    }
    m_band->setGeometry(m_outline);
    m_band->show();
    m_band->raise();
}

void TResizeHandle::hideOutline()
{
    m_outline = QRect();
    if (m_band)
        m_band->hide();
}

QWidget *TResizeHandle::widgetBelow(QPoint parentPos) const
{
    QWidget *p = parentWidget();
    if (!p)
        return nullptr;
    const QObjectList &kids = p->children();
    // Topmost first: the children list runs in stacking order.
    for (auto it = kids.crbegin(); it != kids.crend(); ++it) {
        auto *w = qobject_cast<QWidget *>(*it);
        if (!w || w->isWindow() || !w->isVisible() || qobject_cast<TResizeHandle *>(w)
            || w->testAttribute(Qt::WA_TransparentForMouseEvents))
            continue;
        if (!w->geometry().contains(parentPos))
            continue;
        // Down to the widget that would have taken the press itself, such as
        // the viewport inside a scrolling view.
        QWidget *deepest = w->childAt(w->mapFromParent(parentPos));
        return deepest ? deepest : w;
    }
    return p;
}

void TResizeHandle::passOn(QEvent::Type type, QMouseEvent *event)
{
    const QPoint global = event->globalPosition().toPoint();
    QWidget *target = nullptr;
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
        QWidget *p = parentWidget();
        const QPoint inParent = p ? p->mapFromGlobal(global) : QPoint();
        if (p && !p->rect().contains(inParent)) {
            // The grab caught a press elsewhere in the window: let go of the
            // mouse and give the press to whatever lies under it.
            if (m_holdsGrab && QWidget::mouseGrabber() == this)
                releaseMouse();
            m_holdsGrab = false;
            QWidget *top = window();
            target = top->childAt(top->mapFromGlobal(global));
            if (!target)
                target = top;
        } else {
            target = widgetBelow(inParent);
        }
        m_passedTo = target;
    } else {
        target = m_passedTo;
        if (!target && parentWidget())
            target = widgetBelow(parentWidget()->mapFromGlobal(global));
        if (type == QEvent::MouseButtonRelease && event->buttons() == Qt::NoButton)
            m_passedTo = nullptr;
    }
    if (!target || target == this)
        return;
    const QPointF local = target->mapFromGlobal(event->globalPosition());
    QMouseEvent copy(type, local, target->window()->mapFromGlobal(event->globalPosition()),
                     event->globalPosition(), event->button(), event->buttons(), event->modifiers(),
                     event->pointingDevice());
    QCoreApplication::sendEvent(target, &copy);
}

void TResizeHandle::mousePressEvent(QMouseEvent *event)
{
    if (!Attached()) {
        event->ignore();
        return;
    }
    pruneControls();
    const QPoint inParent = mapToParent(event->position().toPoint());
    bool inside = false;
    for (const auto &c : m_controls)
        inside = inside || InsideFrame(toBounds(c->geometry()), {inParent.x(), inParent.y()});
    if (!inside || !parentWidget() || !parentWidget()->rect().contains(inParent)) {
        unsetCursor();
        passOn(event->type(), event);
        return;
    }
    // A press can come without a move before it, so the zone is taken here too.
    if (!m_dragging)
        updateCursorFor(event->position().toPoint());
    if (event->button() == Qt::LeftButton && !m_locked) {
        m_dragStart = event->position().toPoint();
        m_dragging = true;
    }
    const QPoint p = event->position().toPoint();
    emit MouseDown(event->button(), event->modifiers(), p.x(), p.y());
}

void TResizeHandle::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double click: handled like any press, and handed
    // on as a double click so the control below sees what it would have seen.
    mousePressEvent(event);
}

void TResizeHandle::mouseMoveEvent(QMouseEvent *event)
{
    if (m_passedTo) {
        passOn(QEvent::MouseMove, event);
        return;
    }
    if (!Attached()) {
        event->ignore();
        return;
    }
    const bool leftDown = event->buttons().testFlag(Qt::LeftButton);
    if (!leftDown && m_holdsGrab) {
        if (QWidget::mouseGrabber() == this)
            releaseMouse();
        m_holdsGrab = false;
    }
    if (!m_dragging && leftDown && !m_locked) {
        m_dragStart = event->position().toPoint();
        m_dragging = true;
    }
    if (m_dragging) {
        const QPoint pointer = clampedParentPoint(event->globalPosition()) - pos();
        if (m_zone == GrabZone::Body)
            setCursor(m_dragCursor);
        const Bounds next = DraggedBounds(m_zone, toBounds(geometry()), {m_dragStart.x(), m_dragStart.y()},
                                          {pointer.x(), pointer.y()}, m_gridX, m_gridY);
        showOutline(toRect(next));
    } else {
        updateCursorFor(event->position().toPoint());
    }
    const QPoint p = event->position().toPoint();
    emit MouseMove(event->buttons(), event->modifiers(), p.x(), p.y());
}

void TResizeHandle::endDrag(QMouseEvent *event)
{
    const QPoint pointer = clampedParentPoint(event->globalPosition()) - pos();
    if (pointer != m_dragStart) {
        update();
        SetHandleBounds(toRect(DraggedBounds(m_zone, toBounds(geometry()), {m_dragStart.x(), m_dragStart.y()},
                                             {pointer.x(), pointer.y()}, m_gridX, m_gridY)));
    }
    hideOutline();
    if (parentWidget())
        parentWidget()->update();
    update();
    setFocus(Qt::MouseFocusReason);
    m_dragging = false;
    unsetCursor();
    if (m_holdsGrab && QWidget::mouseGrabber() == this)
        releaseMouse();
    m_holdsGrab = false;
    const QPoint p = event->position().toPoint();
    emit MouseUp(event->button(), event->modifiers(), p.x(), p.y());
}

void TResizeHandle::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_dragging) {
        endDrag(event);
        return;
    }
    if (m_passedTo || Attached())
        passOn(QEvent::MouseButtonRelease, event);
    else
        event->ignore();
}

void TResizeHandle::keyPressEvent(QKeyEvent *event)
{
    int dx = 0, dy = 0;
    switch (event->key()) {
    case Qt::Key_Left: dx = -1; break;
    case Qt::Key_Right: dx = 1; break;
    case Qt::Key_Up: dy = -1; break;
    case Qt::Key_Down: dy = 1; break;
    default: break;
    }
    const bool arrow = dx != 0 || dy != 0;
    if (arrow && Attached())
        SetHandleBounds(toRect(NudgedBounds(toBounds(geometry()), dx, dy)));
    emit KeyDown(event->key(), event->modifiers());
    if (arrow)
        event->accept();
    else
        QWidget::keyPressEvent(event);
}
