#pragma once

#include <vector>

/** A cell of the thumbnail grid in content pixels. */
struct GridCell
{
    int x = 0;
    int y = 0;
    int row = 0;
    int column = 0;
    bool operator==(const GridCell &) const = default;
};

/** Where a picture is drawn inside its cell, relative to the cell. */
struct GridDrawRect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const GridDrawRect &) const = default;
};

/** Keys the grid handles itself. */
enum class GridKey { Left, Right, Up, Down, PageUp, PageDown, Home, End };

/** How the grid scrolls after a key moved the selection. */
enum class GridKeyScroll { None, ToTopLeft, ToBottomRight, ToOrigin };

/** Outcome of a key: the new selection, whether the select event follows. */
struct GridKeyResult
{
    int selected = -1;
    bool raise = false;
    GridKeyScroll scroll = GridKeyScroll::None;
};

/** The settings the grid's geometry depends on. */
struct GridMetrics
{
    int thumbWidth = 100;
    int thumbHeight = 100;
    int horizBorder = 4;
    int vertBorder = 4;
    int gridWidth = 0; ///< columns; 0 one row; -1 as many as fit
    int upperGap = 0;
    int bottomGap = 0;
};

/**
 * Geometry of the thumbnail grid, free of any toolkit: columns, cells,
 * content size, hit testing, drawing rectangles and the keyboard table.
 */
class ThumbGridLayout
{
public:
    /** Number of columns for a client width, at least 1. */
    static int Columns(const GridMetrics &m, int clientWidth, int itemCount);

    /** Cells of `count` items laid out in `columns` columns. */
    static std::vector<GridCell> Cells(const GridMetrics &m, int count, int columns);

    /** Content width and height; (0, 0) without items. */
    static void ContentSize(const GridMetrics &m, const std::vector<GridCell> &cells, int &width,
                            int &height);

    /** max(0, content - client). */
    static int MaxOffset(int content, int client) { return content > client ? content - client : 0; }

    /** First item whose shifted cell holds client point (x, y): columns
     *  x .. x + width - 1, rows y .. y + height. -1 when none. */
    static int ImageAtPosition(const GridMetrics &m, const std::vector<GridCell> &cells, int x, int y,
                               int offsetX, int offsetY);

    /** A w x h picture drawn into its cell: scaled to fit the available
     *  height (thumb height less the gaps) and the width, centred. */
    static GridDrawRect DrawRect(const GridMetrics &m, int pictureWidth, int pictureHeight);

    /** True when the cell shifted by the offsets lies wholly outside the client area. */
    static bool OutsideClient(const GridMetrics &m, const GridCell &cell, int offsetX, int offsetY,
                              int clientWidth, int clientHeight);
    /** True when the shifted cell lies wholly inside the client area. */
    static bool WhollyVisible(const GridMetrics &m, const GridCell &cell, int offsetX, int offsetY,
                              int clientWidth, int clientHeight);

    /** Items of one page: columns x whole rows that fit the client height. */
    static int PageItems(const GridMetrics &m, int columns, int clientHeight);

    /** The keyboard table applied to selection `selected` of `count` items. */
    static GridKeyResult Key(GridKey key, int selected, int count, int columns, int pageItems);

    /** Offsets that show a cell after a key, before clamping. */
    static void ScrollTo(const GridMetrics &m, const GridCell &cell, GridKeyScroll how, int clientWidth,
                         int clientHeight, int &offsetX, int &offsetY);
};
