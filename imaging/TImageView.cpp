#include "TImageView.h"

#include "ImageCursors.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>

#include <algorithm>

namespace {
// Scroll-bar arrows move one pixel, the page area ten.
constexpr int kLineStep = 1;
constexpr int kPageStep = 10;
// Repeat rate of the scroll while a freehand lasso leaves the picture.
constexpr int kAutoScrollMs = 40;

QColor inverse(const QColor &c)
{
    return QColor(QRgb(~c.rgb() & 0x00FFFFFFu));
}
} // namespace

TImageView::TImageView(QWidget *parent)
    : TViewBase(parent)
{
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("ImageViewClient"));
    m_client->setAttribute(Qt::WA_OpaquePaintEvent);
    m_client->setMouseTracking(true);  // the rubber line follows a free pointer
    m_client->installEventFilter(this);

    m_hBar = new QScrollBar(Qt::Horizontal, this);
    m_vBar = new QScrollBar(Qt::Vertical, this);
    for (QScrollBar *bar : {m_hBar, m_vBar}) {
        bar->hide();
        bar->setSingleStep(kLineStep);
        connect(bar, &QAbstractSlider::actionTriggered, this,
                [this, bar](int action) { onScrollAction(bar, action); });
    }
    connect(m_hBar, &QAbstractSlider::valueChanged, this, [this](int v) {
        if (!m_syncingBars)
            SetViewX(v);
    });
    connect(m_vBar, &QAbstractSlider::valueChanged, this, [this](int v) {
        if (!m_syncingBars)
            SetViewY(v);
    });

    m_animationTimer = new QTimer(this);
    m_animationTimer->setInterval(kAnimationMs);
    connect(m_animationTimer, &QTimer::timeout, this, &TImageView::animate);
    m_animationTimer->start();

    m_autoScrollTimer = new QTimer(this);
    m_autoScrollTimer->setInterval(kAutoScrollMs);
    connect(m_autoScrollTimer, &QTimer::timeout, this, &TImageView::autoScrollStep);

    // A new view shows a blank picture of its own size.
    m_bitmap.reset(width(), height());
    const QColor bg = Background();
    m_bitmap.fill(std::uint8_t(bg.red()), std::uint8_t(bg.green()), std::uint8_t(bg.blue()));

    SetCursorId(kDefaultCursorId);
    relayout();
}

TImageView::~TImageView() = default;

void TImageView::SetBitmap(Picture24 picture)
{
    m_bitmap = std::move(picture);
    Refresh();
}

void TImageView::Refresh()
{
    relayout();
    invalidateFrame();
}

void TImageView::RefreshPictureRect(int x, int y, int width, int height)
{
    if (width <= 0 || height <= 0)
        return;
    if (!m_frameValid || m_frame.isNull() || m_zoom != 100 || m_layout.bitmapWidth() != m_bitmap.width()
        || m_layout.bitmapHeight() != m_bitmap.height()) {
        invalidateFrame();
        return;
    }
    const ViewRect drawn = m_layout.drawnRect();
    const int left = std::max({x, 0, ClientToPictureX(drawn.x)});
    const int top = std::max({y, 0, ClientToPictureY(drawn.y)});
    const int right = std::min({x + width, m_bitmap.width(), ClientToPictureX(drawn.x) + drawn.width});
    const int bottom = std::min({y + height, m_bitmap.height(), ClientToPictureY(drawn.y) + drawn.height});
    if (right <= left || bottom <= top)
        return;
    const int cx = PictureToClientX(left);
    const int cy = PictureToClientY(top);
    for (int py = top; py < bottom; ++py) {
        const int fy = cy + (py - top);
        if (fy < 0 || fy >= m_frame.height())
            continue;
        const std::uint8_t *src = m_bitmap.scanLine(py) + 3 * left;
        auto *dst = reinterpret_cast<QRgb *>(m_frame.scanLine(fy));
        for (int px = left; px < right; ++px, src += 3) {
            const int fx = cx + (px - left);
            if (fx >= 0 && fx < m_frame.width())
                dst[fx] = qRgb(src[2], src[1], src[0]);
        }
    }
    m_client->update(QRect(cx, cy, right - left, bottom - top));
}

void TImageView::SetZoom(int z)
{
    if (z <= 0 || z == m_zoom)
        return;
    m_zoom = z;
    relayout();
    invalidateFrame();
    emit OnViewChange(1);
}

void TImageView::SetViewX(int x)
{
    if (x == ViewX())
        return;
    applyView(x, ViewY());
}

void TImageView::SetViewY(int y)
{
    if (y == ViewY())
        return;
    applyView(ViewX(), y);
}

void TImageView::SetViewXY(int x, int y)
{
    if (x == ViewX() && y == ViewY())
        return;
    applyView(x, y);
}

bool TImageView::applyView(int x, int y)
{
    const int cx = m_layout.clampViewX(x);
    const int cy = m_layout.clampViewY(y);
    // A request that clamps back to the current offsets (panning a picture
    // that fits) changes nothing, so it neither repaints nor notifies.
    if (cx == ViewX() && cy == ViewY())
        return false;
    m_layout.setView(cx, cy);
    syncScrollBars();
    invalidateFrame();
    emit OnViewChange(0);
    return true;
}

void TImageView::SetCenter(bool center)
{
    if (center == m_center)
        return;
    m_center = center;
    relayout();
}

void TImageView::SetScrollBars(TScrollBars bars)
{
    if (bars == m_scrollBars)
        return;
    m_scrollBars = bars;
    relayout();
}

void TImageView::SetAutoFit(bool autoFit)
{
    if (autoFit == m_autoFit)
        return;
    m_autoFit = autoFit;
    relayout();
}

void TImageView::SetBackgroundStyle(TBackgroundStyle style)
{
    if (style == m_backgroundStyle)
        return;
    m_backgroundStyle = style;
    invalidateFrame();
}

void TImageView::RemoveSelection()
{
    m_selection.clear();
    m_autoScrollTimer->stop();
    m_client->update();
}

void TImageView::SetSelectionShown(bool shown)
{
    if (shown == m_selectionShown)
        return;
    m_selectionShown = shown;
    m_client->update();
}

void TImageView::SetCursorId(int id)
{
    m_cursorId = id;
    m_client->setCursor(ImageCursors::cursor(id));
}

void TImageView::resizeEvent(QResizeEvent *event)
{
    TViewBase::resizeEvent(event);
    relayout();
}

void TImageView::backgroundChanged()
{
    TViewBase::backgroundChanged();
    invalidateFrame();
}

int TImageView::scrollBarExtent() const
{
    return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_hBar);
}

void TImageView::relayout()
{
    if (m_inLayout)
        return;
    m_inLayout = true;
    const int oldX = ViewX();
    const int oldY = ViewY();
    const int w = m_bitmap.width();
    const int h = m_bitmap.height();

    bool zoomChanged = false;
    if (m_autoFit && !m_bitmap.isNull()) {
        const int fit = ViewLayout::autoFitZoom(w, h, width(), height());
        if (fit > 0) {
            m_zoom = fit;
            zoomChanged = true;
        }
    }

    if (w != m_seenWidth || h != m_seenHeight) {
        m_seenWidth = w;
        m_seenHeight = h;
        // Points of another picture would select the wrong pixels.
        if (!m_selection.isEmpty() || m_selection.inProgress())
            RemoveSelection();
    }

    m_layout.setBitmapSize(w, h);
    m_layout.setZoom(m_zoom);
    m_layout.setCenter(m_center);
    m_layout.setOuterSize(width(), height());

    // Start without bars and add the ones the picture needs; a bar only ever
    // takes room, so the loop settles after at most two additions.
    const bool manageH = m_scrollBars == ssHorizontal || m_scrollBars == ssBoth;
    const bool manageV = m_scrollBars == ssVertical || m_scrollBars == ssBoth;
    const int inner = 2 * kBorderWidth;
    const int extent = scrollBarExtent();
    bool hShown = false;
    bool vShown = false;
    for (int pass = 0; pass < 4; ++pass) {
        m_layout.setClientSize(std::max(0, width() - inner - (vShown ? extent : 0)),
                               std::max(0, height() - inner - (hShown ? extent : 0)));
        m_layout.setView(m_layout.clampViewX(oldX), m_layout.clampViewY(oldY));
        const bool wantH = manageH && m_layout.horizontalScrollBar().visible;
        const bool wantV = manageV && m_layout.verticalScrollBar().visible;
        if (wantH == hShown && wantV == vShown)
            break;
        hShown = hShown || wantH;
        vShown = vShown || wantV;
    }
    m_hBarShown = hShown;
    m_vBarShown = vShown;
    placeChildren();
    syncScrollBars();
    invalidateFrame();
    m_inLayout = false;

    if (zoomChanged)
        emit OnViewChange(1);
    if (ViewX() != oldX || ViewY() != oldY)
        emit OnViewChange(0);
}

void TImageView::placeChildren()
{
    const int cw = m_layout.clientWidth();
    const int ch = m_layout.clientHeight();
    const int extent = scrollBarExtent();
    m_client->setGeometry(kBorderWidth, kBorderWidth, cw, ch);
    m_hBar->setGeometry(kBorderWidth, kBorderWidth + ch, cw, extent);
    m_vBar->setGeometry(kBorderWidth + cw, kBorderWidth, extent, ch);
    m_hBar->setVisible(m_hBarShown);
    m_vBar->setVisible(m_vBarShown);
}

void TImageView::syncScrollBars()
{
    m_syncingBars = true;
    const ViewScrollBar hs = m_layout.horizontalScrollBar();
    m_hBar->setRange(0, hs.maximum);
    m_hBar->setPageStep(std::max(1, hs.page));
    m_hBar->setValue(hs.position);
    const ViewScrollBar vs = m_layout.verticalScrollBar();
    m_vBar->setRange(0, vs.maximum);
    m_vBar->setPageStep(std::max(1, vs.page));
    m_vBar->setValue(vs.position);
    m_syncingBars = false;
}

void TImageView::onScrollAction(QScrollBar *bar, int action)
{
    // The page step sizes the thumb to the client; a page click still moves
    // only ten pixels.
    if (action == QAbstractSlider::SliderPageStepAdd)
        bar->setSliderPosition(bar->value() + kPageStep);
    else if (action == QAbstractSlider::SliderPageStepSub)
        bar->setSliderPosition(bar->value() - kPageStep);
}

void TImageView::invalidateFrame()
{
    m_frameValid = false;
    m_client->update();
}

// ---------------------------------------------------------------- painting

void TImageView::paintBackground(QImage &frame) const
{
    QPainter p(&frame);
    const QColor bg = Background();
    const QColor inv = inverse(bg);
    const QRect all(0, 0, frame.width(), frame.height());
    auto hatch = [&](Qt::BrushStyle style) {
        p.fillRect(all, Qt::white);
        p.fillRect(all, QBrush(bg, style));
    };
    switch (m_backgroundStyle) {
    case bsSolid: p.fillRect(all, bg); break;
    case bsHorizontal: hatch(Qt::HorPattern); break;
    case bsVertical: hatch(Qt::VerPattern); break;
    case bsFDiagonal: hatch(Qt::FDiagPattern); break;
    case bsBDiagonal: hatch(Qt::BDiagPattern); break;
    case bsCross: hatch(Qt::CrossPattern); break;
    case bsDiagCross: hatch(Qt::DiagCrossPattern); break;
    case bsChessboard: {
        constexpr int kSquare = 16;
        for (int row = 0; row * kSquare < frame.height(); ++row)
            for (int col = 0; col * kSquare < frame.width(); ++col)
                p.fillRect(col * kSquare, row * kSquare, kSquare, kSquare,
                           ((row + col) % 2 == 0) ? bg : inv);
        break;
    }
    case bsDiagonals:
        p.fillRect(all, bg);
        p.setPen(QPen(inv, 1));
        p.drawLine(0, 0, frame.width() - 1, frame.height() - 1);
        p.drawLine(frame.width() - 1, 0, 0, frame.height() - 1);
        break;
    }
}

void TImageView::buildFrame()
{
    const int cw = m_layout.clientWidth();
    const int ch = m_layout.clientHeight();
    m_frameValid = true;
    if (cw <= 0 || ch <= 0) {
        m_frame = QImage();
        return;
    }
    if (m_frame.width() != cw || m_frame.height() != ch)
        m_frame = QImage(cw, ch, QImage::Format_RGB32);
    paintBackground(m_frame);
    if (m_bitmap.isNull())
        return;
    const ViewRect drawn = m_layout.drawnRect();
    if (m_layout.sourceRect().isEmpty() || drawn.isEmpty())
        return;
    // Only the visible part is resampled, so large photos pan and zoom at
    // the cost of the window's size, not the picture's.
    QImage part(drawn.width, drawn.height, QImage::Format_BGR888);
    m_layout.renderDrawn(m_bitmap, part.bits(), int(part.bytesPerLine()));
    QPainter p(&m_frame);
    p.drawImage(drawn.x, drawn.y, part);
}

void TImageView::paintOutline(QPainter &painter) const
{
    if (!m_selectionShown || m_selection.count() < 2)
        return;
    std::vector<ViewPoint> client;
    client.reserve(m_selection.count());
    for (const ViewPoint &p : m_selection.points())
        client.push_back({PictureToClientX(p.x), PictureToClientY(p.y)});
    const std::vector<OutlinePixel> pixels =
        PolygonSelection::outlinePixels(client, !m_selection.inProgress(), m_animationPhase);
    const QRect area = m_client->rect();
    QList<QPoint> black, white;
    for (const OutlinePixel &px : pixels) {
        if (!area.contains(px.x, px.y))
            continue;
        (px.white ? white : black).append(QPoint(px.x, px.y));
    }
    painter.setPen(QPen(Qt::black, 1));
    painter.drawPoints(black.constData(), int(black.size()));
    painter.setPen(QPen(Qt::white, 1));
    painter.drawPoints(white.constData(), int(white.size()));
}

ViewPoint TImageView::constrainedToLast(ViewPoint pointer) const
{
    if (m_selection.isEmpty())
        return pointer;
    const ViewPoint last = m_selection.points().back();
    return PolygonSelection::constrain({PictureToClientX(last.x), PictureToClientY(last.y)},
                                       pointer);
}

void TImageView::paintRubberLine(QPainter &painter) const
{
    if (!m_pointerKnown || m_selection.isEmpty())
        return;
    const ViewPoint last = m_selection.points().back();
    ViewPoint to{m_pointer.x(), m_pointer.y()};
    if (m_pointerModifiers & Qt::ControlModifier)
        to = constrainedToLast(to);
    painter.save();
    // Inverting what lies below keeps the line visible on any picture, and a
    // full repaint of the frame removes it again.
    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(PictureToClientX(last.x), PictureToClientY(last.y), to.x, to.y);
    painter.restore();
}

void TImageView::paintClient(QPaintEvent *)
{
    if (!m_frameValid)
        buildFrame();
    QPainter painter(m_client);
    if (!m_frame.isNull())
        painter.drawImage(0, 0, m_frame);
    paintOutline(painter);
    if (m_selection.inProgress() && (m_mouseInteract & miSelectPolygon))
        paintRubberLine(painter);
}

// ------------------------------------------------------------------- mouse

bool TImageView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_client)
        return TViewBase::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Paint:
        paintClient(static_cast<QPaintEvent *>(event));
        return true;
    case QEvent::MouseButtonPress:
        clientMousePress(static_cast<QMouseEvent *>(event));
        return true;
    case QEvent::MouseMove:
        clientMouseMove(static_cast<QMouseEvent *>(event));
        return true;
    case QEvent::MouseButtonRelease:
        clientMouseRelease(static_cast<QMouseEvent *>(event));
        return true;
    case QEvent::MouseButtonDblClick:
        clientDoubleClick(static_cast<QMouseEvent *>(event));
        return true;
    default:
        return TViewBase::eventFilter(watched, event);
    }
}

ViewPoint TImageView::clampToDrawn(QPoint p) const
{
    const ViewRect r = m_layout.drawnRect();
    return {std::clamp(p.x(), r.x, r.x + std::max(0, r.width - 1)),
            std::clamp(p.y(), r.y, r.y + std::max(0, r.height - 1))};
}

bool TImageView::pointerOutsideDrawn(int &outX, int &outY) const
{
    const ViewRect r = m_layout.drawnRect();
    const int x = m_pointer.x();
    const int y = m_pointer.y();
    outX = x < r.x ? x - r.x : (x > r.x + r.width - 1 ? x - (r.x + r.width - 1) : 0);
    outY = y < r.y ? y - r.y : (y > r.y + r.height - 1 ? y - (r.y + r.height - 1) : 0);
    return outX != 0 || outY != 0;
}

void TImageView::autoScrollStep()
{
    int dx = 0, dy = 0;
    // One step per tick instead of a loop, so that the user can still move
    // the pointer back in and stop the scroll.
    if (!m_mouseOperation || !pointerOutsideDrawn(dx, dy) || !applyView(ViewX() + dx, ViewY() + dy))
        m_autoScrollTimer->stop();
}

void TImageView::clientMousePress(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    m_mouseOperation = true;
    m_pressPoint = clampToDrawn(pos);
    m_pressViewX = ViewX();
    m_pressViewY = ViewY();
    m_pointer = pos;
    m_pointerKnown = true;
    m_pointerModifiers = event->modifiers();

    if ((m_mouseInteract & miSelectPolygon) && event->button() == Qt::LeftButton) {
        if (!m_selection.inProgress())
            RemoveSelection();
        ViewPoint p = m_pressPoint;
        if ((event->modifiers() & Qt::ControlModifier) && !m_selection.isEmpty())
            p = constrainedToLast(p);
        m_selection.addPoint({ClientToPictureX(p.x), ClientToPictureY(p.y)});
        m_selection.setInProgress(true);
        m_client->update();
        emit OnSelectionChange();
    }
    emit MouseDown(event->button(), event->modifiers(), pos.x(), pos.y());
}

void TImageView::clientMouseMove(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    m_pointer = pos;
    m_pointerKnown = true;
    m_pointerModifiers = event->modifiers();
    const bool held = m_mouseOperation && event->buttons() != Qt::NoButton;

    if (held && (m_mouseInteract & miScroll))
        SetViewXY(m_pressViewX + m_pressPoint.x - pos.x(), m_pressViewY + m_pressPoint.y - pos.y());

    if (m_mouseInteract & miSelectPolygon) {
        if (held && (event->buttons() & Qt::LeftButton) && m_selection.inProgress()) {
            int dx = 0, dy = 0;
            if (pointerOutsideDrawn(dx, dy)) {
                applyView(ViewX() + dx, ViewY() + dy);
                if (!m_autoScrollTimer->isActive())
                    m_autoScrollTimer->start();
            } else {
                m_autoScrollTimer->stop();
            }
            // Kept on the picture: a point off its edge selects nothing.
            const ViewPoint p = clampToDrawn(pos);
            m_selection.addPoint({ClientToPictureX(p.x), ClientToPictureY(p.y)});
            m_client->update();
            emit OnSelectionChange();
        } else if (m_selection.inProgress()) {
            m_client->update();  // the rubber line moves
        }
    }
    emit MouseMove(event->buttons(), event->modifiers(), pos.x(), pos.y());
}

void TImageView::clientMouseRelease(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    m_pointer = pos;
    if (m_mouseOperation && (m_mouseInteract & miScroll))
        SetViewXY(m_pressViewX + m_pressPoint.x - pos.x(), m_pressViewY + m_pressPoint.y - pos.y());
    if (event->buttons() == Qt::NoButton) {
        m_mouseOperation = false;
        m_autoScrollTimer->stop();
    }
    emit MouseUp(event->button(), event->modifiers(), pos.x(), pos.y());
}

void TImageView::clientDoubleClick(QMouseEvent *event)
{
    // The double click stands in for the second press: that press is handled
    // first (and adds its point), then the double click takes the point back
    // and closes the polygon.
    clientMousePress(event);
    if ((m_mouseInteract & miSelectPolygon) && event->button() == Qt::LeftButton
        && m_selection.closeByDoubleClick()) {
        m_client->update();
        emit OnSelectionChange();
    }
    emit DblClick();
}

void TImageView::animate()
{
    if (m_mouseOperation)
        return;
    m_animationPhase = (m_animationPhase + 1) % PolygonSelection::kPhaseCount;
    if (m_selectionShown && m_selection.count() >= 2)
        m_client->update();
}
