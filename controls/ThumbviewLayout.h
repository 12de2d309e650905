#pragma once

#include <string>
#include <vector>

/** Direction in which a thumbnail view grows and scrolls. */
enum class Tscrollmode { SMHorizontal = 0, SMVertical = 1 };
/** Horizontal placement of the rows of a thumbnail view. */
enum class Tviewtype { VTNormal = 0, VTCenter = 1, VTFitToScreen = 2 };

/** A thumbnail's rectangle in pixels. */
struct ThumbRect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const ThumbRect &) const = default;
};

/** The result of the box reduction of a stored picture. */
struct ThumbReduction
{
    int scale = 100; ///< percent; above 100 (and above 255) for small pictures
    int width = 0;   ///< target size
    int height = 0;
    bool reduce = false; ///< false: the picture is kept as it is
};

/**
 * Geometry of the thumbnail view, free of any toolkit: every value is
 * computed from the plain numbers it is given. The "x 0.01" and "/" scales
 * are evaluated in double precision and truncated toward zero.
 */
class ThumbviewLayout
{
public:
    /** Room kept beside the rows for the scroll bar. */
    static constexpr int kScrollBarRoom = 20;

    /** max x 0.01 x size, truncated (200 at 50 % gives 100). */
    static int CellExtent(int maxExtent, int sizePercent);

    /** Thumbnails per row (vertical mode) or per column (horizontal mode), at least 1. */
    static int PerLine(Tscrollmode mode, int controlWidth, int controlHeight, int gap, int cellWidth,
                       int cellHeight);

    /** Where thumbnail number `a` (1-based) lies in content coordinates. */
    static ThumbRect Position(int a, Tscrollmode mode, Tviewtype align, int perLine, int cellWidth,
                              int cellHeight, int gap, int controlWidth, int controlHeight);

    /**
     * Index selected by a press at client point (x, y) with the view scrolled
     * by (scrollX, scrollY); -1 when the point lies on a gap, beyond the last
     * thumbnail or in the empty part of a row.
     */
    static int PressIndex(int x, int y, int scrollX, int scrollY, int count, Tscrollmode mode,
                          Tviewtype align, int perLine, int cellWidth, int cellHeight, int gap,
                          int controlWidth, int controlHeight);

    /**
     * New scroll position that brings a thumbnail (start and extent on the
     * scrolling axis, relative to the control) half a thumbnail inside a
     * control of `controlExtent`; clamped to 0..maxPosition.
     */
    static int ScrollIntoView(int position, int start, int extent, int controlExtent, int maxPosition);

    /** The picture control inside a thumbnail of thumbWidth x thumbHeight. */
    static ThumbRect Fit(int pictureWidth, int pictureHeight, int clientWidth, int clientHeight,
                         int thumbWidth, int thumbHeight, int titleHeight);

    /** The box reduction of a stored picture (MinimizeMemory). */
    static ThumbReduction Reduction(int width, int height, int boxWidth, int boxHeight);

    /** Picture area of a thumbnail: width - 2 x border - 8, height - title - 8. */
    static int ClientWidth(int width, int borderWidth) { return width - 2 * borderWidth - 8; }
    static int ClientHeight(int height, int titleHeight) { return height - titleHeight - 8; }
};
