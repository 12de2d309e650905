#pragma once

#include "EBadAttach.h"
#include "ResizeGeometry.h"

#include <QColor>
#include <QCursor>
#include <QEvent>
#include <QList>
#include <QPointer>
#include <QWidget>

class QRubberBand;

/**
 * A frame with grips laid over one or several controls of the same parent,
 * with which the user moves and resizes them by mouse and arrow keys.
 *
 * Only the grips are painted; the framed controls show through the rest. A
 * press inside the frame (the framed controls grown by 2 pixels) starts a
 * drag of the zone under the pointer; an outline shows the future bounds
 * until the release applies them. A press on the transparent rest of the
 * handle is handed on, as an ordinary press, to the control below it.
 *
 * While attached the handle is visible, on top of its siblings, holds the
 * keyboard focus and grabs the mouse until the pointer first moves with the
 * left button up. Detached, it is hidden, disabled and 24 x 24.
 */
class TResizeHandle : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QColor Color READ Color WRITE SetColor)
    Q_PROPERTY(QColor SecondaryColor READ SecondaryColor WRITE SetSecondaryColor)
    Q_PROPERTY(bool Locked READ Locked WRITE SetLocked)
    Q_PROPERTY(int GridX READ GridX WRITE SetGridX)
    Q_PROPERTY(int GridY READ GridY WRITE SetGridY)
    Q_PROPERTY(bool SnapToGrid READ SnapToGrid WRITE SetSnapToGrid)
    Q_PROPERTY(QCursor DragCursor READ DragCursor WRITE SetDragCursor)

public:
    explicit TResizeHandle(QWidget *parent = nullptr);
    ~TResizeHandle() override;

    /**
     * Frames @p control as well. A null or already framed control is ignored;
     * a control on another parent first detaches the others.
     * @throws EBadAttach for a top-level window: "Handles can not be attached to a Form!"
     */
    void Attach(QWidget *control);
    /** Lets go of every framed control and hides the handle. */
    void Detach();
    /** True while at least one control is framed. */
    bool Attached() const;
    /** The framed controls that still exist, in the order they were attached. */
    QList<QWidget *> Controls() const;

    /**
     * Gives the handle new bounds (parent coordinates), moving and resizing
     * every framed control by the same differences. Does nothing when Locked.
     */
    void SetHandleBounds(const QRect &bounds);

    QColor Color() const { return m_color; }
    void SetColor(const QColor &color);
    QColor SecondaryColor() const { return m_secondaryColor; }
    void SetSecondaryColor(const QColor &color);
    bool Locked() const { return m_locked; }
    void SetLocked(bool locked);
    int GridX() const { return m_gridX; }
    void SetGridX(int grid);
    int GridY() const { return m_gridY; }
    void SetGridY(int grid);
    /** Reads true when either grid is above 1; setting it makes both grids 8, or both 1. */
    bool SnapToGrid() const { return m_gridX > 1 || m_gridY > 1; }
    void SetSnapToGrid(bool snap);
    QCursor DragCursor() const { return m_dragCursor; }
    void SetDragCursor(const QCursor &cursor) { m_dragCursor = cursor; }

    /** The zone the next press inside the frame would drag. */
    GrabZone CurrentGrabZone() const { return m_zone; }
    /** True from a press inside the frame to its release. */
    bool Dragging() const { return m_dragging; }
    /** The outline of the future bounds (parent coordinates) while dragging, else empty. */
    QRect OutlineRect() const;

signals:
    /** A press on the handle inside the frame; (x, y) in handle coordinates. */
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    /** A pointer move over the handle or during a drag; (x, y) in handle coordinates. */
    void MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x, int y);
    /** The release that ended a drag; (x, y) in handle coordinates. */
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    /** A key pressed while the handle has the focus, after any arrow-key nudge. */
    void KeyDown(int key, Qt::KeyboardModifiers modifiers);
    /** The framed controls were moved or resized by a drag or a key. */
    void BoundsChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void pruneControls();
    void updateCursorFor(QPoint handlePos);
    QPoint clampedParentPoint(QPointF globalPos) const;
    void showOutline(const QRect &handleBounds);
    void hideOutline();
    QWidget *widgetBelow(QPoint parentPos) const;
    void passOn(QEvent::Type type, QMouseEvent *event);
    void endDrag(QMouseEvent *event);

    QList<QPointer<QWidget>> m_controls;
    QColor m_color = Qt::black;
    QColor m_secondaryColor = QColor(128, 128, 128);
    bool m_locked = false;
    int m_gridX = 1;
    int m_gridY = 1;
    QCursor m_dragCursor = QCursor(Qt::SizeAllCursor);

    GrabZone m_zone = GrabZone::Body;
    bool m_dragging = false;
    QPoint m_dragStart;               // handle coordinates
    QRect m_outline;                  // parent coordinates; empty when none
    QPointer<QRubberBand> m_band;
    QPointer<QWidget> m_passedTo;     // receiver of a press handed on, until its release
    bool m_holdsGrab = false;
};
