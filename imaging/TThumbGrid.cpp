#include "TThumbGrid.h"

#include "PictureImage.h"
#include "ThumbnailReader.h"

#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

TThumbGrid::TThumbGrid(QWidget *parent) : TViewBase(parent)
{
    resize(180, 90);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_vbar = new QScrollBar(Qt::Vertical, this);
    m_vbar->hide();
    connect(m_vbar, &QScrollBar::valueChanged, this, &TThumbGrid::scrollBarMoved);
    layout();
}

QRect TThumbGrid::ClientRect() const
{
    QRect r = contentsRect();
    if (m_barShown)
        r.setWidth(std::max(0, r.width() - m_vbar->sizeHint().width()));
    return r;
}

QPoint TThumbGrid::toClient(const QPoint &widget) const
{
    return widget - ClientRect().topLeft();
}

void TThumbGrid::Clear()
{
    m_items.clear();
    m_selected = -1;
    layout();
    update();
}

int TThumbGrid::AppendImage()
{
    Item item;
    item.background = Background();
    m_items.push_back(std::move(item));
    layout();
    update();
    return ImageCount() - 1;
}

void TThumbGrid::SetImageBackground(int index, const QColor &colour)
{
    if (index < 0 || index >= ImageCount())
        return;
    Item &item = m_items[static_cast<std::size_t>(index)];
    if (item.background != colour) {
        item.background = colour;
        // Transparent parts were filled with the old colour.
        item.picture = QImage();
        item.loaded = false;
    }
    update();
}

void TThumbGrid::SetImageFileName(int index, const QString &fileName)
{
    if (index < 0 || index >= ImageCount())
        return;
    Item &item = m_items[static_cast<std::size_t>(index)];
    item.fileName = fileName;
    item.picture = QImage();
    item.loaded = false;
    update();
}

QString TThumbGrid::ImageFileName(int index) const
{
    if (index < 0 || index >= ImageCount())
        return {};
    return m_items[static_cast<std::size_t>(index)].fileName;
}

int TThumbGrid::ImageAtPos(int x, int y) const
{
    return ThumbGridLayout::ImageAtPosition(m_metrics, m_cells, x, y, m_offsetX, m_offsetY);
}

bool TThumbGrid::ImageLoaded(int index) const
{
    if (index < 0 || index >= ImageCount())
        return false;
    return !m_items[static_cast<std::size_t>(index)].picture.isNull();
}

int TThumbGrid::LoadedCount() const
{
    return static_cast<int>(
        std::count_if(m_items.begin(), m_items.end(), [](const Item &i) { return !i.picture.isNull(); }));
}

void TThumbGrid::SetThumbSize(int width, int height)
{
    m_metrics.thumbWidth = std::max(1, width);
    m_metrics.thumbHeight = std::max(1, height);
    for (Item &item : m_items) {
        item.picture = QImage();
        item.loaded = false;
    }
    layout();
    update();
}

void TThumbGrid::SetGridWidth(int columns)
{
    m_metrics.gridWidth = columns;
    layout();
    update();
}

void TThumbGrid::SetVisibleSelection(bool on)
{
    m_visibleSelection = on;
    update();
}

void TThumbGrid::SetSelectionWidth(int width)
{
    m_selectionWidth = std::max(0, width);
    update();
}

void TThumbGrid::SetSelectionColor(const QColor &colour)
{
    m_selectionColor = colour;
    update();
}

void TThumbGrid::SetScrollBars(int kind)
{
    m_scrollBars = kind;
    layout();
    update();
}

void TThumbGrid::SetSelectedImage(int index)
{
    m_selected = (index >= 0 && index < ImageCount()) ? index : -1;
    update();
}

void TThumbGrid::SetOffsets(int x, int y)
{
    const int nx = std::clamp(x, 0, m_maxOffsetX);
    const int ny = std::clamp(y, 0, m_maxOffsetY);
    if (nx == m_offsetX && ny == m_offsetY)
        return;
    m_offsetX = nx;
    m_offsetY = ny;
    if (m_barShown) {
        const QSignalBlocker block(m_vbar);
        m_vbar->setValue(m_offsetY);
    }
    update();
}

void TThumbGrid::layout()
{
    if (m_inLayout)
        return;
    m_inLayout = true;
    // The scroll bar's appearance changes the client width, which can change
    // the columns and so the content height: settle in a few rounds.
    for (int round = 0; round < 3; ++round) {
        const QRect client = ClientRect();
        m_columns = ThumbGridLayout::Columns(m_metrics, client.width(), ImageCount());
        m_cells = ThumbGridLayout::Cells(m_metrics, ImageCount(), m_columns);
        int contentWidth = 0, contentHeight = 0;
        ThumbGridLayout::ContentSize(m_metrics, m_cells, contentWidth, contentHeight);
        m_maxOffsetX = ThumbGridLayout::MaxOffset(contentWidth, client.width());
        m_maxOffsetY = ThumbGridLayout::MaxOffset(contentHeight, client.height());
        m_offsetX = std::clamp(m_offsetX, 0, m_maxOffsetX);
        m_offsetY = std::clamp(m_offsetY, 0, m_maxOffsetY);

        const bool show = m_scrollBars == sbVertical && m_maxOffsetY > 0;
        {
            const QSignalBlocker block(m_vbar);
            m_vbar->setRange(0, m_maxOffsetY);
            m_vbar->setPageStep(std::max(1, client.height()));
            m_vbar->setSingleStep(1);
            m_vbar->setValue(m_offsetY);
        }
        const QRect inner = contentsRect();
        const int barWidth = m_vbar->sizeHint().width();
        m_vbar->setGeometry(inner.right() - barWidth + 1, inner.top(), barWidth, inner.height());
        if (show == m_barShown)
            break;
        m_barShown = show;
        m_vbar->setVisible(show);
    }
    m_inLayout = false;
}

void TThumbGrid::scrollBarMoved(int value)
{
    SetOffsets(m_offsetX, value);
}

void TThumbGrid::load(Item &item)
{
    item.loaded = true;
    item.picture = QImage();
    if (item.fileName.isEmpty())
        return;
    Picture24 full;
    LoadOptions options;
    options.background = item.background.rgb() & 0xFFFFFF;
    const ImageStatus status =
        ThumbnailReader::Read(QFile::encodeName(item.fileName).toStdString(), m_metrics.thumbWidth,
                              m_metrics.thumbHeight, full, options);
    if (!status || full.isNull())
        return;
    const GridDrawRect r = ThumbGridLayout::DrawRect(m_metrics, full.width(), full.height());
    if (r.width <= 0 || r.height <= 0)
        return;
    // Kept at the size it is drawn: one picture pixel per screen pixel.
    item.picture = PictureImage::ToQImage(ThumbnailReader::Resample(full, r.width, r.height));
}

void TThumbGrid::paintEvent(QPaintEvent *event)
{
    TViewBase::paintEvent(event);
    const QRect client = ClientRect();
    QPainter painter(this);
    painter.setClipRect(client);
    painter.translate(client.topLeft());
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        Item &item = m_items[i];
        const GridCell &cell = m_cells[i];
        const bool selected = static_cast<int>(i) == m_selected;
        if (ThumbGridLayout::OutsideClient(m_metrics, cell, m_offsetX, m_offsetY, client.width(),
                                           client.height())) {
            if (!selected && item.loaded) {
                item.picture = QImage();
                item.loaded = false;
            }
            continue;
        }
        if (!item.loaded)
            load(item);
        const QRect cellRect(cell.x - m_offsetX, cell.y - m_offsetY, m_metrics.thumbWidth,
                             m_metrics.thumbHeight);
        painter.fillRect(cellRect, item.background);
        if (!item.picture.isNull()) {
            const GridDrawRect r =
                ThumbGridLayout::DrawRect(m_metrics, item.picture.width(), item.picture.height());
            painter.drawImage(cellRect.left() + r.left, cellRect.top() + r.top, item.picture);
        }
        if (selected && m_visibleSelection) {
            const int n = hasFocus() ? m_selectionWidth : 1;
            painter.setPen(QPen(m_selectionColor, 1));
            painter.setBrush(Qt::NoBrush);
            for (int k = 1; k <= n; ++k)
                painter.drawRect(cellRect.adjusted(-k, -k, k - 1, k - 1));
        }
    }
}

void TThumbGrid::resizeEvent(QResizeEvent *event)
{
    TViewBase::resizeEvent(event);
    layout();
}

void TThumbGrid::mousePressEvent(QMouseEvent *event)
{
    setFocus(Qt::MouseFocusReason);
    m_pressed = true;
    m_pressPoint = toClient(event->position().toPoint());
    m_pressOffsetX = m_offsetX;
    m_pressOffsetY = m_offsetY;
}

void TThumbGrid::panTo(const QPoint &client)
{
    SetOffsets(m_pressOffsetX + m_pressPoint.x() - client.x(),
               m_pressOffsetY + m_pressPoint.y() - client.y());
}

void TThumbGrid::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint client = toClient(event->position().toPoint());
    if (m_pressed && (m_mouseInteract & mmiScroll) && event->buttons() != Qt::NoButton)
        panTo(client);
    emit OnMouseMove(client.x(), client.y());
}

void TThumbGrid::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint client = toClient(event->position().toPoint());
    const bool wasPressed = m_pressed;
    m_pressed = false;
    if (m_mouseInteract & mmiSelect) {
        const int index = ImageAtPos(client.x(), client.y());
        if (index >= 0) {
            m_selected = index;
            update();
            emit OnImageSelect(index);
        }
    }
    if (wasPressed && (m_mouseInteract & mmiScroll))
        panTo(client);
}

void TThumbGrid::keyPressEvent(QKeyEvent *event)
{
    GridKey key;
    switch (event->key()) {
    case Qt::Key_Left:
        key = GridKey::Left;
        break;
    case Qt::Key_Right:
        key = GridKey::Right;
        break;
    case Qt::Key_Up:
        key = GridKey::Up;
        break;
    case Qt::Key_Down:
        key = GridKey::Down;
        break;
    case Qt::Key_PageUp:
        key = GridKey::PageUp;
        break;
    case Qt::Key_PageDown:
        key = GridKey::PageDown;
        break;
    case Qt::Key_Home:
        key = GridKey::Home;
        break;
    case Qt::Key_End:
        key = GridKey::End;
        break;
    default:
        TViewBase::keyPressEvent(event);
        return;
    }
    event->accept();
    if (!(m_keyInteract & mkiMoveSelected))
        return;
    const QRect client = ClientRect();
    const GridKeyResult result =
        ThumbGridLayout::Key(key, m_selected, ImageCount(), m_columns,
                             ThumbGridLayout::PageItems(m_metrics, m_columns, client.height()));
    m_selected = result.selected;
    if (result.scroll != GridKeyScroll::None && m_selected >= 0) {
        const GridCell &cell = m_cells[static_cast<std::size_t>(m_selected)];
        const bool home = result.scroll == GridKeyScroll::ToOrigin;
        if (home || !ThumbGridLayout::WhollyVisible(m_metrics, cell, m_offsetX, m_offsetY, client.width(),
                                                    client.height())) {
            int x = m_offsetX, y = m_offsetY;
            ThumbGridLayout::ScrollTo(m_metrics, cell, result.scroll, client.width(), client.height(), x, y);
            SetOffsets(x, y);
        }
    }
    update();
    if (result.raise)
        emit OnImageSelect(m_selected);
}

void TThumbGrid::wheelEvent(QWheelEvent *event)
{
    // One row per notch of the wheel.
    const int notches = event->angleDelta().y() / 120;
    if (notches != 0)
        SetOffsets(m_offsetX, m_offsetY - notches * (m_metrics.thumbHeight + m_metrics.vertBorder));
    event->accept();
}

void TThumbGrid::focusInEvent(QFocusEvent *event)
{
    TViewBase::focusInEvent(event);
    update();
}

void TThumbGrid::focusOutEvent(QFocusEvent *event)
{
    TViewBase::focusOutEvent(event);
    update();
}
