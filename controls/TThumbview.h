#pragma once

#include "Picture24.h"
#include "ThumbviewLayout.h"

#include <QScrollArea>
#include <QStringList>

#include <vector>

class TThumbNail;

/**
 * A scrolling view of every picture file of one folder, as framed
 * thumbnails with the file name above each. A press selects the thumbnail
 * under the pointer (or none); a click is reported with the selection
 * already updated.
 */
class TThumbview : public QScrollArea
{
    Q_OBJECT
public:
    /** Thumbnails a view holds at most: its count is 16 bits. */
    static constexpr int kMaxCount = 65535;

    explicit TThumbview(QWidget *parent = nullptr);
    ~TThumbview() override;

    QString Directory() const { return m_directory; }
    void SetDirectory(const QString &folder);
    int MaxWidth() const { return m_maxWidth; }
    void SetMaxWidth(int value);
    int MaxHeight() const { return m_maxHeight; }
    void SetMaxHeight(int value);
    int Size() const { return m_size; }
    /** Percent of MaxWidth x MaxHeight (0..255). */
    void SetSize(int percent);
    int ThumbGap() const { return m_thumbGap; }
    void SetThumbGap(int gap);
    Tscrollmode ScrollMode() const { return m_scrollMode; }
    void SetScrollMode(Tscrollmode mode);
    Tviewtype AlignView() const { return m_alignView; }
    void SetAlignView(Tviewtype align);
    bool Sorted() const { return m_sorted; }
    void SetSorted(bool on);
    bool AutoScrolling() const { return m_autoScrolling; }
    void SetAutoScrolling(bool on) { m_autoScrolling = on; }
    int Selected() const { return m_selected; }
    void SetSelected(int index);
    int Count() const { return static_cast<int>(m_thumbs.size()); }
    TThumbNail *Thumb(int index) const;

    int CellWidth() const { return m_cellWidth; }
    int CellHeight() const { return m_cellHeight; }
    int PerLine() const { return m_perLine; }
    /** The file lists of the last scan. */
    const QStringList &ScanOrderFiles() const { return m_scanList; }
    const QStringList &SortedFiles() const { return m_sortedList; }
    bool Busy() const { return m_busy; }
    /** True once the first scan after the first showing has run. */
    bool Shown() const { return m_shown; }
    /** The content widget the thumbnails live in. */
    QWidget *Content() const { return m_content; }

    /** A press at a point of the viewport (thumbnails forward theirs). */
    void ThumbPress(const QPoint &viewportPoint);
    /** A click anywhere on the view or its thumbnails. */
    void ThumbClick() { emit OnClick(); }
    void ThumbDblClick() { emit OnDblClick(); }

signals:
    void OnStartScanning(int maximum);
    void OnScanProgress(int position, bool &cancel);
    void OnStopScanning();
    void OnClick();
    void OnDblClick();

protected:
    bool viewportEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void scan(const QString &folder);
    void removeAll();
    struct ReadAhead
    {
        Picture24 picture;
        QSize fullSize;
        bool ok = false;
    };
    void addThumb(const QString &file, const ReadAhead *read);
    void recompute();
    void recomputePerLine();
    void layoutThumbs();
    void scrollIntoView(int index);
    ThumbRect positionOf(int number) const;

    QWidget *m_content;
    std::vector<TThumbNail *> m_thumbs;
    QStringList m_scanList;
    QStringList m_sortedList;
    QString m_directory;
    int m_maxWidth = 200;
    int m_maxHeight = 200;
    int m_size = 100;
    int m_thumbGap = 4;
    Tscrollmode m_scrollMode = Tscrollmode::SMHorizontal;
    Tviewtype m_alignView = Tviewtype::VTNormal;
    bool m_sorted = true;
    bool m_autoScrolling = true;
    int m_selected = -1;
    int m_cellWidth = 200;
    int m_cellHeight = 200;
    int m_perLine = 1;
    bool m_busy = false;
    bool m_shown = false;
    bool m_scanQueued = false;
};
