#pragma once

#include "PrintGeometry.h"

/** The eight cells of both contact sheets: two rows of four, 185 x 257. */
namespace SheetLayout {
constexpr int kCells = 8;
constexpr int kCellWidth = 185;
constexpr int kCellHeight = 257;
/** The hidden page form's client area: the cells with 8 pixels all round. */
constexpr int kPageWidth = 778;
constexpr int kPageHeight = 537;

/** Cell `index` (0-based) of the page form; its fourth cell sits at 585. */
constexpr PrintGeometry::Rect PageCell(int index)
{
    constexpr int lefts[kCells] = {8, 200, 392, 585, 8, 200, 392, 584};
    return {lefts[index], index < 4 ? 8 : 272, kCellWidth, kCellHeight};
}

/** Cell `index` (0-based) of the on-screen sheet. */
constexpr PrintGeometry::Rect ScreenCell(int index)
{
    constexpr int lefts[kCells] = {8, 200, 392, 584, 8, 200, 392, 584};
    return {lefts[index], index < 4 ? 8 : 272, kCellWidth, kCellHeight};
}
} // namespace SheetLayout
