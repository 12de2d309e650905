#pragma once

#include "Picture24.h"
#include "PolygonSelection.h"
#include "TViewBase.h"
#include "ViewLayout.h"

#include <QImage>
#include <QPoint>
#include <vector>

class QMouseEvent;
class QPainter;
class QPaintEvent;
class QScrollBar;
class QTimer;

/**
 * The zoomable, scrollable view of one 24-bit picture, with mouse panning,
 * a lasso (polygon) selection with an animated outline and the engine's
 * cursors.
 *
 * The picture is painted on a child widget, ClientArea(), which lies inside
 * the border and beside the managed scroll bars; its pixels are the view's
 * client coordinates. Widgets that must sit over the picture (overlays,
 * handles) belong on ClientArea().
 */
class TImageView : public TViewBase
{
    Q_OBJECT
public:
    enum MouseInteractFlag {
        miZoom = 1,
        miScroll = 2,
        miSelect = 4,
        miSelectPolygon = 8,
        miSelectCircle = 16,
        miSelectZoom = 32
    };
    enum TBackgroundStyle {
        bsSolid,
        bsHorizontal,
        bsVertical,
        bsFDiagonal,
        bsBDiagonal,
        bsCross,
        bsDiagCross,
        bsChessboard,
        bsDiagonals
    };
    enum TScrollBars { ssNone, ssHorizontal, ssVertical, ssBoth };

    /** Cursor number of a new view (a cross). */
    static constexpr int kDefaultCursorId = 1785;
    /** Interval of the outline animation. */
    static constexpr int kAnimationMs = 150;

    explicit TImageView(QWidget *parent = nullptr);
    ~TImageView() override;

    /** The picture (owned). After changing it call Refresh(). */
    Picture24 &Bitmap() { return m_bitmap; }
    const Picture24 &Bitmap() const { return m_bitmap; }
    /** Replaces the picture and refreshes. */
    void SetBitmap(Picture24 picture);
    /** Lays the view out again and repaints, e.g. after Bitmap() changed. */
    void Refresh();
    /** Repaints only the pixels of a picture rectangle that changed in
     *  place (size unchanged), so painting on a large picture costs the
     *  rectangle, not the window. Falls back to a full repaint when the
     *  shown frame cannot be patched (zoomed, or not yet built). */
    void RefreshPictureRect(int x, int y, int width, int height);

    int Zoom() const { return m_zoom; }
    /** Ignored for z <= 0 or the current zoom; otherwise lays out, repaints
     *  and raises OnViewChange(1). */
    void SetZoom(int z);

    int ViewX() const { return m_layout.ViewX(); }
    int ViewY() const { return m_layout.ViewY(); }
    /** Scroll offsets in zoomed pixels, clamped to 0 ... MaxViewX/Y; a
     *  change raises OnViewChange(0). */
    void SetViewX(int x);
    void SetViewY(int y);
    /** Both offsets at once: one repaint, one notification. */
    void SetViewXY(int x, int y);

    bool Center() const { return m_center; }
    void SetCenter(bool center);
    TScrollBars ScrollBars() const { return m_scrollBars; }
    void SetScrollBars(TScrollBars bars);
    bool AutoFit() const { return m_autoFit; }
    void SetAutoFit(bool autoFit);
    TBackgroundStyle BackgroundStyle() const { return m_backgroundStyle; }
    void SetBackgroundStyle(TBackgroundStyle style);
    /** Resampling filter; kept for callers, drawing always takes the nearest
     *  picture pixel. */
    int ZoomFilter() const { return m_zoomFilter; }
    void SetZoomFilter(int filter) { m_zoomFilter = filter; }

    int MouseInteract() const { return m_mouseInteract; }
    void SetMouseInteract(int flags) { m_mouseInteract = flags; }

    /** Hides the outline, empties the point list and repaints. */
    void RemoveSelection();
    bool SelectionShown() const { return m_selectionShown; }
    void SetSelectionShown(bool shown);
    /** The lasso's points in picture coordinates. */
    const std::vector<ViewPoint> &SelectionPoints() const { return m_selection.points(); }
    const PolygonSelection &Selection() const { return m_selection; }
    bool PolygonInProgress() const { return m_selection.inProgress(); }
    int AnimationPhase() const { return m_animationPhase; }

    int ClientToPictureX(int x) const { return m_layout.ClientToPictureX(x); }
    int ClientToPictureY(int y) const { return m_layout.ClientToPictureY(y); }
    int PictureToClientX(int x) const { return m_layout.PictureToClientX(x); }
    int PictureToClientY(int y) const { return m_layout.PictureToClientY(y); }

    /** One of the engine cursors 1778 ... 1785 (see ImageCursors). */
    void SetCursorId(int id);
    int CursorId() const { return m_cursorId; }

    /** The child widget that shows the picture and receives the mouse. */
    QWidget *ClientArea() const { return m_client; }
    /** The current layout values. */
    const ViewLayout &Layout() const { return m_layout; }

signals:
    /** After a zoom (kind 1) or scroll offset (kind 0) change. */
    void OnViewChange(int kind);
    /** After the selection changed through the mouse. */
    void OnSelectionChange();
    /** Mouse events of the client area, in client coordinates, after the
     *  view's own handling. */
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    void MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x, int y);
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    void DblClick();

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void backgroundChanged() override;

private:
    void relayout();
    bool applyView(int x, int y);
    void invalidateFrame();
    void placeChildren();
    int scrollBarExtent() const;
    void syncScrollBars();
    void paintClient(QPaintEvent *event);
    void buildFrame();
    void paintBackground(QImage &frame) const;
    void paintOutline(QPainter &painter) const;
    void paintRubberLine(QPainter &painter) const;
    void onScrollAction(QScrollBar *bar, int action);
    void animate();
    bool pointerOutsideDrawn(int &outX, int &outY) const;
    void autoScrollStep();
    ViewPoint constrainedToLast(ViewPoint pointer) const;
    ViewPoint clampToDrawn(QPoint p) const;

    void clientMousePress(QMouseEvent *event);
    void clientMouseMove(QMouseEvent *event);
    void clientMouseRelease(QMouseEvent *event);
    void clientDoubleClick(QMouseEvent *event);

    Picture24 m_bitmap;
    ViewLayout m_layout;
    PolygonSelection m_selection;
    QWidget *m_client = nullptr;
    QScrollBar *m_hBar = nullptr;
    QScrollBar *m_vBar = nullptr;
    QTimer *m_animationTimer = nullptr;
    QTimer *m_autoScrollTimer = nullptr;

    int m_zoom = 100;
    bool m_center = false;
    TScrollBars m_scrollBars = ssNone;
    bool m_autoFit = false;
    TBackgroundStyle m_backgroundStyle = bsSolid;
    int m_zoomFilter = 0;
    int m_mouseInteract = 0;
    bool m_selectionShown = true;
    int m_animationPhase = 0;
    int m_cursorId = kDefaultCursorId;

    int m_seenWidth = -1;
    int m_seenHeight = -1;
    bool m_inLayout = false;
    bool m_syncingBars = false;
    bool m_hBarShown = false;
    bool m_vBarShown = false;

    // Mouse state between press and release.
    bool m_mouseOperation = false;
    ViewPoint m_pressPoint;
    int m_pressViewX = 0;
    int m_pressViewY = 0;
    QPoint m_pointer;
    bool m_pointerKnown = false;
    Qt::KeyboardModifiers m_pointerModifiers;

    // The picture and background as last laid out, rebuilt only when the
    // layout, offsets, picture or background change.
    QImage m_frame;
    bool m_frameValid = false;
};
