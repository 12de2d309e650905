#pragma once

/**
 * Where pictures land on the sheets, the page view and the printed page.
 * Plain values only, so every rule can be checked without a display or a
 * printer; the windows and the page view call these.
 */
namespace PrintGeometry {

struct Rect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect &) const = default;
};

struct Size
{
    int width = 0;
    int height = 0;
    bool operator==(const Size &) const = default;
};

/** Nearest whole number, halves to the even neighbour. */
int RoundHalfEven(double value);

/**
 * A picture fitted inside a cell with its aspect kept and centred: it fills
 * the cell's height when that is the tighter side, its width otherwise; the
 * other side is truncated. An empty cell or picture gives an empty rect.
 */
Rect ImageAspectFit(int cellWidth, int cellHeight, int pictureWidth, int pictureHeight);

/**
 * The bilinear cell's fit: the same choice of side, but sizes and offsets
 * rounded (halves to even) and the free space split evenly. Picture sides
 * below 1 count as 1.
 */
Rect RasterFit(int cellWidth, int cellHeight, int pictureWidth, int pictureHeight);

/** Size mode of the print window's buttons "1", "2", "3". */
constexpr int kSizeSmall = 3;
constexpr int kSizeMedium = 4;
constexpr int kSizeLarge = 5;

/**
 * Where the sheet picture of `width` x `height` goes on the page view's
 * canvas, in printer pixels from the printable corner: it starts 225 pixels
 * in for the large size and 300 otherwise, and ends at size-mode times the
 * picture's size.
 */
Rect PageViewDestination(int sizeMode, int width, int height);

/** How much smaller than the page the printed sheet is: 2.0, 1.6, 1.2. */
double SheetDivisor(int sizeMode);

/**
 * The printed sheet's size on a page of `pageWidth` x `pageHeight` device
 * pixels: the picture scaled to the page's narrower fit, divided by the
 * size mode's divisor, halves to even.
 */
Size PrintedSheetSize(int pageWidth, int pageHeight, int width, int height, int sizeMode);

/** Where one composition prints: 200 device pixels in, at twice its size. */
Rect SingleCompositionRect(int width, int height);

/**
 * A picture on one page, as large as the printable area allows with its
 * aspect kept, centred. Rounded to whole device pixels.
 */
Rect FitOnPage(int areaWidth, int areaHeight, int pictureWidth, int pictureHeight);

/**
 * One channel of the page view's background on row `row` of a gradient of
 * `rows` rows from `top` to `bottom`. A single row is drawn in the bottom
 * colour rather than dividing by zero.
 */
int GradientChannel(int row, int rows, int top, int bottom);

} // namespace PrintGeometry
