#include "ThumbGridLayout.h"

#include <algorithm>

int ThumbGridLayout::Columns(const GridMetrics &m, int clientWidth, int itemCount)
{
    if (m.gridWidth > 0)
        return m.gridWidth;
    if (m.gridWidth == 0)
        return std::max(1, itemCount);
    const int step = m.horizBorder + m.thumbWidth;
    return step > 0 ? std::max(1, (clientWidth - m.horizBorder) / step) : 1;
}

std::vector<GridCell> ThumbGridLayout::Cells(const GridMetrics &m, int count, int columns)
{
    std::vector<GridCell> cells;
    if (count <= 0)
        return cells;
    columns = std::max(1, columns);
    cells.reserve(static_cast<std::size_t>(count));
    for (int j = 0; j < count; ++j) {
        GridCell c;
        c.row = j / columns;
        c.column = j % columns;
        c.x = m.horizBorder + c.column * (m.thumbWidth + m.horizBorder);
        c.y = m.vertBorder + c.row * (m.thumbHeight + m.vertBorder);
        cells.push_back(c);
    }
    return cells;
}

void ThumbGridLayout::ContentSize(const GridMetrics &m, const std::vector<GridCell> &cells, int &width,
                                  int &height)
{
    width = height = 0;
    if (cells.empty())
        return;
    int maxX = 0, maxY = 0;
    for (const GridCell &c : cells) {
        maxX = std::max(maxX, c.x);
        maxY = std::max(maxY, c.y);
    }
    width = maxX + m.thumbWidth + m.horizBorder;
    height = maxY + m.thumbHeight + m.vertBorder;
}

int ThumbGridLayout::ImageAtPosition(const GridMetrics &m, const std::vector<GridCell> &cells, int x, int y,
                                     int offsetX, int offsetY)
{
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const int left = cells[i].x - offsetX;
        const int top = cells[i].y - offsetY;
        if (x >= left && x <= left + m.thumbWidth - 1 && y >= top && y <= top + m.thumbHeight)
            return static_cast<int>(i);
    }
    return -1;
}

GridDrawRect ThumbGridLayout::DrawRect(const GridMetrics &m, int pictureWidth, int pictureHeight)
{
    if (pictureWidth <= 0 || pictureHeight <= 0)
        return {};
    const int available = m.thumbHeight - m.upperGap - m.bottomGap;
    const double scale = std::min(static_cast<double>(available) / pictureHeight,
                                  static_cast<double>(m.thumbWidth) / pictureWidth);
    GridDrawRect r;
    r.width = std::max(0, static_cast<int>(pictureWidth * scale));
    r.height = std::max(0, static_cast<int>(pictureHeight * scale));
    r.left = (m.thumbWidth - r.width) / 2;
    r.top = m.upperGap + (available - r.height) / 2;
    return r;
}

bool ThumbGridLayout::OutsideClient(const GridMetrics &m, const GridCell &cell, int offsetX, int offsetY,
                                    int clientWidth, int clientHeight)
{
    const int left = cell.x - offsetX, top = cell.y - offsetY;
    return left + m.thumbWidth <= 0 || top + m.thumbHeight <= 0 || left >= clientWidth || top >= clientHeight;
}

bool ThumbGridLayout::WhollyVisible(const GridMetrics &m, const GridCell &cell, int offsetX, int offsetY,
                                    int clientWidth, int clientHeight)
{
    const int left = cell.x - offsetX, top = cell.y - offsetY;
    return left >= 0 && top >= 0 && left + m.thumbWidth <= clientWidth && top + m.thumbHeight <= clientHeight;
}

int ThumbGridLayout::PageItems(const GridMetrics &m, int columns, int clientHeight)
{
    const int step = m.vertBorder + m.thumbHeight;
    return step > 0 ? columns * std::max(0, (clientHeight - m.vertBorder) / step) : 0;
}

GridKeyResult ThumbGridLayout::Key(GridKey key, int selected, int count, int columns, int pageItems)
{
    GridKeyResult result;
    result.selected = selected;
    if (count <= 0)
        return result;
    if (selected < 0 && key != GridKey::Home && key != GridKey::End)
        return result;
    int target = selected;
    GridKeyScroll scroll = GridKeyScroll::ToTopLeft;
    switch (key) {
    case GridKey::Left:
        target = selected - 1;
        break;
    case GridKey::Right:
        target = selected + 1;
        scroll = GridKeyScroll::ToBottomRight;
        break;
    case GridKey::Up:
        target = std::max(selected - columns, 0);
        break;
    case GridKey::Down:
        target = std::min(selected + columns, count - 1);
        scroll = GridKeyScroll::ToBottomRight;
        break;
    case GridKey::PageUp:
        target = selected - pageItems;
        break;
    case GridKey::PageDown:
        target = selected + pageItems;
        scroll = GridKeyScroll::ToBottomRight;
        break;
    case GridKey::Home:
        target = 0;
        scroll = GridKeyScroll::ToOrigin;
        break;
    case GridKey::End:
        target = count - 1;
        scroll = GridKeyScroll::ToBottomRight;
        break;
    }
    if (target >= 0 && target < count) {
        result.selected = target;
        result.scroll = scroll;
    }
    // The event follows also when the selection stayed where it was.
    result.raise = result.selected >= 0;
    return result;
}

void ThumbGridLayout::ScrollTo(const GridMetrics &m, const GridCell &cell, GridKeyScroll how, int clientWidth,
                               int clientHeight, int &offsetX, int &offsetY)
{
    switch (how) {
    case GridKeyScroll::None:
        break;
    case GridKeyScroll::ToOrigin:
        offsetX = offsetY = 0;
        break;
    case GridKeyScroll::ToTopLeft:
        offsetX = cell.x - m.horizBorder;
        offsetY = cell.y - m.vertBorder;
        break;
    case GridKeyScroll::ToBottomRight:
        offsetX = cell.x + m.thumbWidth + m.horizBorder - clientWidth;
        offsetY = cell.y + m.thumbHeight + m.vertBorder - clientHeight;
        break;
    }
}
