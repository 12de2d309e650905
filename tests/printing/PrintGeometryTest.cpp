// Where pictures land on the sheets, the page view and the paper.
#include "PrintGeometry.h"

#include "PageGeometry.h"
#include "SheetLayout.h"

#include <gtest/gtest.h>

using namespace PrintGeometry;

TEST(RoundHalfEven, TiesGoToTheEvenNeighbour)
{
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(2.500001), 3);
    EXPECT_EQ(RoundHalfEven(2.4999), 2);
}

TEST(ImageAspectFit, CompositionWindowInACell)
{
    // The composition's client area is relatively wider than a cell: it
    // fills the width, 0.7676 x 313 = 240.26 truncated, centred vertically.
    EXPECT_EQ(ImageAspectFit(185, 257, 241, 313), (Rect{0, 8, 185, 240}));
}

TEST(ImageAspectFit, SidesAndOffsets)
{
    // sy = 257/400 < sx = 185/100: fills the height, 64 wide, centred.
    EXPECT_EQ(ImageAspectFit(185, 257, 100, 400), (Rect{60, 0, 64, 257}));
    // A wide picture fills the width and is centred vertically.
    EXPECT_EQ(ImageAspectFit(185, 257, 400, 100), (Rect{0, 105, 185, 46}));
    // Same aspect: fills the cell exactly.
    EXPECT_EQ(ImageAspectFit(185, 257, 370, 514), (Rect{0, 0, 185, 257}));
    // Truncation, not rounding: 257 * 2 / 3 = 171.33 -> 171, left (185-171)/2 = 7.
    EXPECT_EQ(ImageAspectFit(185, 257, 200, 300), (Rect{7, 0, 171, 257}));
    EXPECT_EQ(ImageAspectFit(185, 257, 0, 10), Rect{});
    EXPECT_EQ(ImageAspectFit(0, 257, 10, 10), Rect{});
}

TEST(RasterFit, RoundsAndSplitsEvenly)
{
    // a = 185/100 > b = 257/400: drawn width 0.6425 * 100 = 64.25 -> 64,
    // left (185 - 64.25) / 2 = 60.375 -> 60.
    EXPECT_EQ(RasterFit(185, 257, 100, 400), (Rect{60, 0, 64, 257}));
    // Wide: drawn height 1.85 * 25 = 46.25 -> 46, top (257 - 46.25)/2 = 105.375 -> 105.
    EXPECT_EQ(RasterFit(185, 257, 100, 25), (Rect{0, 105, 185, 46}));
    // Where truncation and rounding differ: 241 x 313 in 185 x 257.
    // b = 0.82109, drawn width 197.88 -> too wide? no: a = 0.7676 < b, so it
    // fills the width: height 0.7676 * 313 = 240.26 -> 240, top 8.37 -> 8.
    EXPECT_EQ(RasterFit(185, 257, 241, 313), (Rect{0, 8, 185, 240}));
    // Half-pixel offsets go to the even neighbour: 10 x 5 cell, 1 x 1 picture,
    // drawn 5 x 5, left (10 - 5) * 0.5 = 2.5 -> 2.
    EXPECT_EQ(RasterFit(10, 5, 1, 1), (Rect{2, 0, 5, 5}));
    EXPECT_EQ(RasterFit(10, 7, 1, 1), (Rect{2, 0, 7, 7})); // 1.5 -> 2
    EXPECT_EQ(RasterFit(12, 7, 1, 1), (Rect{2, 0, 7, 7})); // 2.5 -> 2
}

TEST(RasterFit, EmptyPictureSidesCountAsOne)
{
    EXPECT_EQ(RasterFit(185, 257, 0, 0), (Rect{0, 36, 185, 185}));
    EXPECT_EQ(RasterFit(0, 257, 10, 10), Rect{});
}

TEST(PageViewDestination, LargeStartsNearerTheCorner)
{
    EXPECT_EQ(PageViewDestination(kSizeSmall, 778, 537), (Rect{300, 300, 778 * 3 - 300, 537 * 3 - 300}));
    EXPECT_EQ(PageViewDestination(kSizeMedium, 778, 537), (Rect{300, 300, 778 * 4 - 300, 537 * 4 - 300}));
    EXPECT_EQ(PageViewDestination(kSizeLarge, 778, 537), (Rect{225, 225, 778 * 5 - 225, 537 * 5 - 225}));
}

TEST(PrintedSheetSize, DivisorsAndHalfEvenRounding)
{
    EXPECT_DOUBLE_EQ(SheetDivisor(kSizeSmall), 2.0);
    EXPECT_DOUBLE_EQ(SheetDivisor(kSizeMedium), 1.6);
    EXPECT_DOUBLE_EQ(SheetDivisor(kSizeLarge), 1.2);
    EXPECT_DOUBLE_EQ(SheetDivisor(7), 2.0);

    // Landscape letter at 300 dpi, printable 3150 x 2400: fits the height.
    // width 778 * 2400 / 537 = 3477.09; / 1.2 = 2897.58 -> 2898; 2400 / 1.2 = 2000.
    EXPECT_EQ(PrintedSheetSize(3150, 2400, 778, 537, kSizeLarge), (Size{2898, 2000}));
    EXPECT_EQ(PrintedSheetSize(3150, 2400, 778, 537, kSizeSmall), (Size{1739, 1200}));
    EXPECT_EQ(PrintedSheetSize(3150, 2400, 778, 537, kSizeMedium), (Size{2173, 1500}));
    // A portrait page fits the width instead.
    EXPECT_EQ(PrintedSheetSize(2400, 3150, 778, 537, kSizeSmall), (Size{1200, 828}));
    // Exact halves: page height 5, d 2 -> 2.5 -> 2; width 10 * (5/5) / 2 = 5.
    EXPECT_EQ(PrintedSheetSize(100, 5, 10, 5, kSizeSmall), (Size{5, 2}));
    EXPECT_EQ(PrintedSheetSize(100, 7, 10, 7, kSizeSmall), (Size{5, 4})); // 3.5 -> 4
    EXPECT_EQ(PrintedSheetSize(100, 7, 0, 7, kSizeSmall), Size{});
}

TEST(SingleComposition, TwiceItsSizeTwoHundredIn)
{
    EXPECT_EQ(SingleCompositionRect(241, 313), (Rect{200, 200, 482, 626}));
}

TEST(FitOnPage, KeepsAspectAndCentres)
{
    // 2:1 picture on a 1000 x 1000 area: 1000 x 500, top 250.
    EXPECT_EQ(FitOnPage(1000, 1000, 200, 100), (Rect{0, 250, 1000, 500}));
    EXPECT_EQ(FitOnPage(1000, 1000, 100, 200), (Rect{250, 0, 500, 1000}));
    // Tiny pictures are blown up; odd leftovers go to the right and bottom.
    EXPECT_EQ(FitOnPage(1001, 500, 1, 1), (Rect{250, 0, 500, 500}));
    // A sliver never vanishes.
    EXPECT_EQ(FitOnPage(100, 100, 10000, 1).height, 1);
    EXPECT_EQ(FitOnPage(100, 100, 0, 1), Rect{});
}

TEST(Gradient, EndsAndOneRowGuard)
{
    EXPECT_EQ(GradientChannel(0, 101, 0, 200), 0);
    EXPECT_EQ(GradientChannel(100, 101, 0, 200), 200);
    EXPECT_EQ(GradientChannel(50, 101, 0, 200), 100);
    EXPECT_EQ(GradientChannel(1, 4, 0, 10), 3); // 10 / 3 truncated
    EXPECT_EQ(GradientChannel(0, 1, 0, 77), 77);
    EXPECT_EQ(GradientChannel(0, 0, 0, 77), 77);
}

TEST(SheetLayout, CellsFitThePageFormWithEightPixelsAllRound)
{
    int right = 0, bottom = 0;
    for (int i = 0; i < SheetLayout::kCells; ++i) {
        const Rect r = SheetLayout::PageCell(i);
        right = std::max(right, r.left + r.width);
        bottom = std::max(bottom, r.top + r.height);
        EXPECT_GE(r.left, 8);
        EXPECT_GE(r.top, 8);
    }
    EXPECT_EQ(SheetLayout::kPageWidth - right, 8);
    EXPECT_EQ(SheetLayout::kPageHeight - bottom, 8);
    EXPECT_EQ(SheetLayout::PageCell(3).left, 585);
    EXPECT_EQ(SheetLayout::ScreenCell(3).left, 584);
    EXPECT_EQ(SheetLayout::PageCell(7).left, 584);
}

// ---------------------------------------------------------------- page

namespace {
PageGeometry::Printer letterLandscape600()
{
    PageGeometry::Printer p;
    p.usable = true;
    p.physicalWidth = 6600;
    p.physicalHeight = 5100;
    p.offsetX = 75;  // 1/8 inch
    p.offsetY = 150; // 1/4 inch
    p.dpiX = 600;
    p.dpiY = 600;
    return p;
}
} // namespace

TEST(PageGeometry, FromThePrinter)
{
    const PageGeometry g(letterLandscape600(), PageGeometry::Unit::Inches);
    EXPECT_DOUBLE_EQ(g.PageWidth(), 11.0);
    EXPECT_DOUBLE_EQ(g.PageHeight(), 8.5);
    EXPECT_DOUBLE_EQ(g.MinMarginX(), 0.125);
    EXPECT_DOUBLE_EQ(g.MinMarginY(), 0.25);
    EXPECT_EQ(g.ToPixelsX(1.0), 600);
    EXPECT_DOUBLE_EQ(g.FromPixelsY(300), 0.5);
    EXPECT_EQ(g.PagePixelsWidth(), 6600 - 75);
    EXPECT_EQ(g.PagePixelsHeight(), 5100 - 150);

    const PageGeometry mm(letterLandscape600(), PageGeometry::Unit::Millimeters);
    EXPECT_DOUBLE_EQ(mm.PageWidth(), 279.4);
    EXPECT_DOUBLE_EQ(mm.MinMarginX(), 3.175);
    EXPECT_EQ(mm.ToPixelsX(25.4), 600);
}

TEST(PageGeometry, FallbacksWithoutAPrinter)
{
    const PageGeometry in({}, PageGeometry::Unit::Inches);
    EXPECT_FALSE(in.Usable());
    EXPECT_DOUBLE_EQ(in.PageWidth(), 8.5);
    EXPECT_DOUBLE_EQ(in.PageHeight(), 11.0);
    EXPECT_DOUBLE_EQ(in.MinMarginX(), 0.25);
    EXPECT_EQ(in.DpiX(), 300);
    EXPECT_EQ(in.ToPixelsY(1.0), 300);
    const PageGeometry mm({}, PageGeometry::Unit::Millimeters);
    EXPECT_DOUBLE_EQ(mm.PageWidth(), 210.0);
    EXPECT_DOUBLE_EQ(mm.PageHeight(), 297.0);
    EXPECT_DOUBLE_EQ(mm.MinMarginY(), 6.0);
    // A printer that answers with no resolution is as good as none.
    PageGeometry::Printer broken = letterLandscape600();
    broken.dpiX = 0;
    EXPECT_FALSE(PageGeometry(broken, PageGeometry::Unit::Inches).Usable());
}

TEST(PageGeometry, MarginsClampedToThePrintableRange)
{
    const PageGeometry g(letterLandscape600(), PageGeometry::Unit::Inches);
    EXPECT_DOUBLE_EQ(g.ClampMarginX(0.0), 0.125);
    EXPECT_DOUBLE_EQ(g.ClampMarginY(0.1), 0.25);
    EXPECT_DOUBLE_EQ(g.ClampMarginX(1.0), 1.0);
    EXPECT_DOUBLE_EQ(g.ClampMarginX(20.0), 11.0 - 0.125);
    EXPECT_DOUBLE_EQ(g.ClampMarginY(20.0), 8.5 - 0.25);
}

TEST(PageGeometry, ScreenSizes)
{
    const PageGeometry g(letterLandscape600(), PageGeometry::Unit::Inches);
    EXPECT_EQ(g.ScreenPageWidth(25, 96), 264);
    EXPECT_EQ(g.ScreenPageHeight(25, 96), 204);
    EXPECT_EQ(g.ScreenPageWidth(100, 96), 1056);
    // A length: whole screen pixels first (0.125 * 96 = 12), then zoomed.
    EXPECT_EQ(g.ScreenLength(0.125, 25, 96), 3);
    // 1 inch at 96 dpi and zoom 44: 42.24 -> 42.
    EXPECT_EQ(g.ScreenLength(1.0, 44, 96), 42);
    // Halves to even: 0.25 in at 10 dpi = 2.5 -> 2, at zoom 100 stays 2.
    EXPECT_EQ(g.ScreenLength(0.25, 100, 10), 2);
    EXPECT_EQ(g.ScreenLength(0.35, 100, 10), 4); // 3.5 -> 4

    const PageGeometry none({}, PageGeometry::Unit::Millimeters);
    // 210 mm = 8.2677 in * 96 * 0.25 = 198.4 -> 198.
    EXPECT_EQ(none.ScreenPageWidth(25, 96), 198);
    EXPECT_EQ(none.ScreenPageHeight(25, 96), 281); // 11.693 * 24 = 280.6
}

TEST(PageGeometry, ScrollRangeAndPosition)
{
    EXPECT_EQ(PageGeometry::ScrollRange(264, 5), 276);
    EXPECT_EQ(PageGeometry::ScrollRange(264, 0), 266);
    EXPECT_EQ(PageGeometry::ScrollPosition(false, 1000, 300), 0);
    EXPECT_EQ(PageGeometry::ScrollPosition(true, 1000, 300), 350);
    EXPECT_EQ(PageGeometry::ScrollPosition(true, 200, 300), 0);
    using Z = PageGeometry::ZoomLocation;
    EXPECT_FALSE(PageGeometry::CentresX(Z::TopLeft));
    EXPECT_TRUE(PageGeometry::CentresX(Z::TopCenter));
    EXPECT_FALSE(PageGeometry::CentresY(Z::TopCenter));
    EXPECT_TRUE(PageGeometry::CentresY(Z::Center));
}

TEST(PageGeometry, UnitConversionFactor)
{
    using U = PageGeometry::Unit;
    EXPECT_DOUBLE_EQ(PageGeometry::ConversionFactor(U::Inches, U::Millimeters), 25.4);
    EXPECT_DOUBLE_EQ(PageGeometry::ConversionFactor(U::Millimeters, U::Inches), 1 / 25.4);
    EXPECT_DOUBLE_EQ(PageGeometry::ConversionFactor(U::Inches, U::Inches), 1.0);
}
