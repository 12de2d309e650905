#include "TThumbview.h"

#include "TThumbNail.h"
#include "ThumbviewFiles.h"

#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>
#include <future>

TThumbview::TThumbview(QWidget *parent) : QScrollArea(parent)
{
    resize(600, 480);
    m_content = new QWidget;
    m_content->setObjectName(QStringLiteral("ThumbviewContent"));
    setWidget(m_content);
    setWidgetResizable(false);
    // Both bars follow the thumb while it is dragged.
    horizontalScrollBar()->setTracking(true);
    verticalScrollBar()->setTracking(true);
    recompute();
    layoutThumbs();
}

TThumbview::~TThumbview() = default;

TThumbNail *TThumbview::Thumb(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return m_thumbs[static_cast<std::size_t>(index)];
}

void TThumbview::recompute()
{
    m_cellWidth = ThumbviewLayout::CellExtent(m_maxWidth, m_size);
    m_cellHeight = ThumbviewLayout::CellExtent(m_maxHeight, m_size);
    recomputePerLine();
}

void TThumbview::recomputePerLine()
{
    m_perLine =
        ThumbviewLayout::PerLine(m_scrollMode, width(), height(), m_thumbGap, m_cellWidth, m_cellHeight);
}

ThumbRect TThumbview::positionOf(int number) const
{
    return ThumbviewLayout::Position(number, m_scrollMode, m_alignView, m_perLine, m_cellWidth, m_cellHeight,
                                     m_thumbGap, width(), height());
}

void TThumbview::layoutThumbs()
{
    // Positions are worked out with the view scrolled to its origin.
    const int sx = horizontalScrollBar()->value();
    const int sy = verticalScrollBar()->value();
    int right = 0, bottom = 0;
    for (int i = 0; i < Count(); ++i) {
        const ThumbRect r = positionOf(i + 1);
        m_thumbs[static_cast<std::size_t>(i)]->setGeometry(r.left, r.top, r.width, r.height);
        right = std::max(right, r.left + r.width);
        bottom = std::max(bottom, r.top + r.height);
    }
    const QSize viewport = maximumViewportSize();
    if (m_scrollMode == Tscrollmode::SMVertical)
        m_content->resize(std::max(viewport.width() - verticalScrollBar()->sizeHint().width(), right),
                          bottom + m_thumbGap);
    else
        m_content->resize(right + m_thumbGap,
                          std::max(viewport.height() - horizontalScrollBar()->sizeHint().height(), bottom));
    horizontalScrollBar()->setValue(sx);
    verticalScrollBar()->setValue(sy);
}

void TThumbview::SetMaxWidth(int value)
{
    m_maxWidth = std::max(0, value);
    recompute();
    layoutThumbs();
}

void TThumbview::SetMaxHeight(int value)
{
    // A smaller height keeps the old one: thumbnails already reduced to
    // the old box would not match the new one.
    m_maxHeight = std::max(m_maxHeight, value);
    recompute();
    layoutThumbs();
}

void TThumbview::SetSize(int percent)
{
    m_size = std::clamp(percent, 0, 255);
    recompute();
    layoutThumbs();
}

void TThumbview::SetThumbGap(int gap)
{
    m_thumbGap = std::clamp(gap, 0, 255);
    if (m_alignView == Tviewtype::VTFitToScreen)
        return;
    recomputePerLine();
    layoutThumbs();
}

void TThumbview::SetAlignView(Tviewtype align)
{
    if (align == m_alignView)
        return;
    m_alignView = align;
    layoutThumbs();
}

void TThumbview::SetScrollMode(Tscrollmode mode)
{
    if (mode == m_scrollMode)
        return;
    m_scrollMode = mode;
    recompute();
    layoutThumbs();
    if (m_selected >= 0)
        scrollIntoView(m_selected);
}

void TThumbview::SetSorted(bool on)
{
    if (!m_shown || on == m_sorted)
        return;
    m_sorted = on;
    scan(m_directory);
}

void TThumbview::SetDirectory(const QString &folder)
{
    m_selected = -1;
    if (m_busy)
        return;
    if (!m_shown) {
        m_directory = folder;
        return;
    }
    scan(folder);
}

void TThumbview::removeAll()
{
    for (TThumbNail *thumb : m_thumbs)
        delete thumb;
    m_thumbs.clear();
    m_selected = -1;
    layoutThumbs();
}

void TThumbview::scan(const QString &folder)
{
    m_selected = -1;
    if (m_busy)
        return;
    if (folder.isEmpty()) {
        removeAll();
        m_directory.clear();
        return;
    }
    m_busy = true;
    m_scanList.clear();
    m_sortedList.clear();
    const QDir dir(folder);
    if (dir.exists()) {
        const QString base = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
        // Plain files only: no folders, no hidden files.
        const QStringList entries = dir.entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::NoSort);
        std::vector<std::string> names;
        names.reserve(static_cast<std::size_t>(entries.size()));
        for (const QString &e : entries)
            names.push_back(e.toStdString());
        for (const std::string &name : ThumbviewFiles::ScanOrder(names))
            m_scanList << base + QString::fromStdString(name);
        std::vector<std::string> full;
        for (const QString &f : m_scanList)
            full.push_back(f.toStdString());
        for (const std::string &f : ThumbviewFiles::Sorted(full))
            m_sortedList << QString::fromStdString(f);
    }
    const QStringList &list = m_sorted ? m_sortedList : m_scanList;
    removeAll();
    if (!list.isEmpty()) {
        emit OnStartScanning(static_cast<int>(list.size()) - 1);
        // JPEG photographs are read on a second thread one file ahead, so
        // both cores decode; the thumbnails themselves are made here.
        const int boxWidth = m_maxWidth, boxHeight = m_maxHeight;
        auto readAhead = [boxWidth, boxHeight](const QString &file) {
            ReadAhead r;
            r.ok = TThumbNail::ReadPicture(file, boxWidth, boxHeight, r.picture, r.fullSize);
            return r;
        };
        auto jpeg = [](const QString &file) {
            return file.endsWith(QLatin1String(".jpg"), Qt::CaseInsensitive) ||
                   file.endsWith(QLatin1String(".jpeg"), Qt::CaseInsensitive);
        };
        std::future<ReadAhead> next;
        int position = 0;
        for (qsizetype i = 0; i < list.size(); ++i) {
            if (Count() >= kMaxCount)
                break;
            const QString &file = list[i];
            ReadAhead current;
            bool have = false;
            if (next.valid()) {
                current = next.get();
                have = true;
            }
            // In pairs: this file here while the next one is read there.
            if (!have && i + 1 < list.size() && jpeg(list[i + 1]) && jpeg(file))
                next = std::async(std::launch::async, readAhead, list[i + 1]);
            bool cancel = false;
            emit OnScanProgress(++position, cancel);
            if (have)
                addThumb(file, &current);
            else
                addThumb(file, nullptr);
            if (cancel)
                break;
        }
        // A cancelled scan still waits for its last read before going on.
        if (next.valid())
            next.wait();
        emit OnStopScanning();
    }
    m_busy = false;
    m_directory = folder;
    if (Count() > 0)
        SetSelected(0);
}

void TThumbview::addThumb(const QString &file, const ReadAhead *read)
{
    auto *thumb = new TThumbNail(this);
    m_thumbs.push_back(thumb);
    if (read && thumb->MinimizeMemory())
        thumb->SetFilename(file, read->picture, read->fullSize, read->ok);
    else
        thumb->SetFilename(file);
    const ThumbRect r = positionOf(Count());
    thumb->setGeometry(r.left, r.top, r.width, r.height);
    thumb->show();
    recompute();
    layoutThumbs();
}

void TThumbview::SetSelected(int index)
{
    if (Count() == 0)
        return;
    if (index >= Count())
        index = -1;
    if (TThumbNail *old = Thumb(m_selected)) {
        old->SetTitleColor(palette().color(QPalette::Button));
        old->SetTitleTextColor(palette().color(QPalette::WindowText));
    }
    if (TThumbNail *now = Thumb(index)) {
        now->SetTitleColor(palette().color(QPalette::Highlight));
        now->SetTitleTextColor(palette().color(QPalette::HighlightedText));
        scrollIntoView(index);
    }
    m_selected = std::max(index, -1);
}

void TThumbview::scrollIntoView(int index)
{
    TThumbNail *thumb = Thumb(index);
    if (!thumb || !m_autoScrolling)
        return;
    const QRect onView(thumb->mapTo(viewport(), QPoint(0, 0)), thumb->size());
    const QSize area = viewport()->size();
    const bool insideV = onView.top() >= 0 && onView.bottom() < area.height();
    const bool insideH = onView.left() >= 0 && onView.right() < area.width();
    if (insideV && insideH)
        return;
    if (m_scrollMode == Tscrollmode::SMVertical) {
        QScrollBar *bar = verticalScrollBar();
        bar->setValue(ThumbviewLayout::ScrollIntoView(bar->value(), onView.top(), onView.height(),
                                                      area.height(), bar->maximum()));
    } else {
        QScrollBar *bar = horizontalScrollBar();
        bar->setValue(ThumbviewLayout::ScrollIntoView(bar->value(), onView.left(), onView.width(),
                                                      area.width(), bar->maximum()));
    }
}

void TThumbview::ThumbPress(const QPoint &viewportPoint)
{
    const int index =
        ThumbviewLayout::PressIndex(viewportPoint.x(), viewportPoint.y(), horizontalScrollBar()->value(),
                                    verticalScrollBar()->value(), Count(), m_scrollMode, m_alignView,
                                    m_perLine, m_cellWidth, m_cellHeight, m_thumbGap, width(), height());
    SetSelected(index);
    if (index < 0)
        m_selected = -1;
}

bool TThumbview::viewportEvent(QEvent *event)
{
    const bool result = QScrollArea::viewportEvent(event);
    if (event->type() == QEvent::Paint && !m_shown && !m_scanQueued) {
        // The first scan follows the first paint, once the empty page is on
        // the screen: a folder of large photographs then shows the page under
        // the hourglass rather than nothing at all.
        m_scanQueued = true;
        QTimer::singleShot(0, this, [this] {
            m_scanQueued = false;
            if (m_shown)
                return;
            m_shown = true;
            scan(m_directory);
        });
    }
    return result;
}

void TThumbview::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    recomputePerLine();
    layoutThumbs();
}

void TThumbview::mousePressEvent(QMouseEvent *event)
{
    // Presses on the content and on the empty viewport arrive here, in
    // viewport coordinates.
    ThumbPress(event->position().toPoint());
    QScrollArea::mousePressEvent(event);
}

void TThumbview::mouseReleaseEvent(QMouseEvent *event)
{
    QScrollArea::mouseReleaseEvent(event);
    ThumbClick();
}

void TThumbview::mouseDoubleClickEvent(QMouseEvent *event)
{
    QScrollArea::mouseDoubleClickEvent(event);
    ThumbDblClick();
}
