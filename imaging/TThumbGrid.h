#pragma once

#include "TViewBase.h"
#include "ThumbGridLayout.h"

#include <QImage>
#include <QPoint>
#include <QString>

#include <vector>

class QScrollBar;

/**
 * The image engine's scrolling grid of picture files. Each item names a
 * file; its picture is read when the item is first drawn, kept at the size
 * it is drawn (never at the file's size) and released again when the item
 * scrolls out of view.
 */
class TThumbGrid : public TViewBase
{
    Q_OBJECT
public:
    enum MouseInteractFlag { mmiScroll = 1, mmiSelect = 2 };
    enum KeyInteractFlag { mkiMoveSelected = 1 };
    enum ScrollBarsKind { sbNone = 0, sbVertical = 1 };

    explicit TThumbGrid(QWidget *parent = nullptr);

    // Items.
    int ImageCount() const { return static_cast<int>(m_items.size()); }
    void Clear();
    int AppendImage();
    void SetImageBackground(int index, const QColor &colour);
    void SetImageFileName(int index, const QString &fileName);
    QString ImageFileName(int index) const;
    /** Index of the item under client point (x, y), -1 for none. */
    int ImageAtPos(int x, int y) const;
    /** True while the item holds its decoded thumbnail (tests, memory checks). */
    bool ImageLoaded(int index) const;
    /** Number of items holding a decoded thumbnail. */
    int LoadedCount() const;

    // Properties.
    int ThumbWidth() const { return m_metrics.thumbWidth; }
    int ThumbHeight() const { return m_metrics.thumbHeight; }
    void SetThumbSize(int width, int height);
    int HorizBorder() const { return m_metrics.horizBorder; }
    int VertBorder() const { return m_metrics.vertBorder; }
    int GridWidth() const { return m_metrics.gridWidth; }
    void SetGridWidth(int columns);
    bool VisibleSelection() const { return m_visibleSelection; }
    void SetVisibleSelection(bool on);
    int SelectionWidth() const { return m_selectionWidth; }
    void SetSelectionWidth(int width);
    QColor SelectionColor() const { return m_selectionColor; }
    void SetSelectionColor(const QColor &colour);
    int MouseInteract() const { return m_mouseInteract; }
    void SetMouseInteract(int flags) { m_mouseInteract = flags; }
    int KeyInteract() const { return m_keyInteract; }
    void SetKeyInteract(int flags) { m_keyInteract = flags; }
    int ScrollBars() const { return m_scrollBars; }
    void SetScrollBars(int kind);

    int SelectedImage() const { return m_selected; }
    void SetSelectedImage(int index);
    int OffsetX() const { return m_offsetX; }
    int OffsetY() const { return m_offsetY; }
    /** Sets the offsets, clamped to 0 .. Max; repaints. */
    void SetOffsets(int x, int y);
    int MaxOffsetX() const { return m_maxOffsetX; }
    int MaxOffsetY() const { return m_maxOffsetY; }
    int Columns() const { return m_columns; }
    /** The client area inside the border, less the scroll bar when shown. */
    QRect ClientRect() const;
    QScrollBar *VertScrollBar() const { return m_vbar; }

signals:
    void OnImageSelect(int index);
    /** The pointer moved over the grid, at client point (x, y). */
    void OnMouseMove(int x, int y);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    struct Item
    {
        QString fileName;
        QColor background;
        QImage picture;      ///< at its drawn size
        bool loaded = false; ///< read from the file (also when that failed)
    };

    void layout();
    void load(Item &item);
    void scrollBarMoved(int value);
    void panTo(const QPoint &client);
    QPoint toClient(const QPoint &widget) const;

    GridMetrics m_metrics;
    std::vector<Item> m_items;
    std::vector<GridCell> m_cells;
    int m_columns = 1;
    int m_selected = -1;
    int m_offsetX = 0;
    int m_offsetY = 0;
    int m_maxOffsetX = 0;
    int m_maxOffsetY = 0;
    bool m_visibleSelection = true;
    int m_selectionWidth = 3;
    QColor m_selectionColor = Qt::red;
    int m_mouseInteract = mmiSelect;
    int m_keyInteract = mkiMoveSelected;
    int m_scrollBars = sbNone;
    QScrollBar *m_vbar = nullptr;
    bool m_barShown = false;
    bool m_inLayout = false;
    bool m_pressed = false;
    QPoint m_pressPoint;
    int m_pressOffsetX = 0;
    int m_pressOffsetY = 0;
};
