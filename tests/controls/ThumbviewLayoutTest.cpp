#include "ThumbviewLayout.h"

#include "ThumbviewFiles.h"

#include <gtest/gtest.h>

namespace {

// The photos page: 200 x 200 at 50 %, gap 4, vertical, normal placement.
constexpr int kGap = 4;
constexpr int kCell = 100;

int press(int x, int y, int count, int perLine, int scrollY = 0)
{
    return ThumbviewLayout::PressIndex(x, y, 0, scrollY, count, Tscrollmode::SMVertical, Tviewtype::VTNormal,
                                       perLine, kCell, kCell, kGap, 600, 480);
}

TEST(ThumbviewCells, SizeIsTruncatedPercentOfTheMaximum)
{
    EXPECT_EQ(ThumbviewLayout::CellExtent(200, 50), 100);
    EXPECT_EQ(ThumbviewLayout::CellExtent(200, 100), 200);
    // 7 % of 333 is 23.31.
    EXPECT_EQ(ThumbviewLayout::CellExtent(333, 7), 23);
    EXPECT_EQ(ThumbviewLayout::CellExtent(200, 0), 0);
}

TEST(ThumbviewCells, PerLineKeepsRoomForTheScrollBarAndNeverDropsBelowOne)
{
    // (600 - 20) div 104
    EXPECT_EQ(ThumbviewLayout::PerLine(Tscrollmode::SMVertical, 600, 480, kGap, kCell, kCell), 5);
    EXPECT_EQ(ThumbviewLayout::PerLine(Tscrollmode::SMVertical, 644, 480, kGap, kCell, kCell), 6);
    EXPECT_EQ(ThumbviewLayout::PerLine(Tscrollmode::SMVertical, 643, 480, kGap, kCell, kCell), 5);
    // A narrower control reflows, down to one per row.
    EXPECT_EQ(ThumbviewLayout::PerLine(Tscrollmode::SMVertical, 100, 480, kGap, kCell, kCell), 1);
    EXPECT_EQ(ThumbviewLayout::PerLine(Tscrollmode::SMVertical, 0, 0, kGap, kCell, kCell), 1);
    EXPECT_EQ(ThumbviewLayout::PerLine(Tscrollmode::SMVertical, 600, 480, 0, 0, 0), 1);
    // Horizontal mode counts down a column, from the height.
    EXPECT_EQ(ThumbviewLayout::PerLine(Tscrollmode::SMHorizontal, 600, 480, kGap, kCell, kCell), 4);
}

TEST(ThumbviewPositions, RowsAndColumnsOfThePhotosPage)
{
    auto at = [](int a) {
        return ThumbviewLayout::Position(a, Tscrollmode::SMVertical, Tviewtype::VTNormal, 5, kCell, kCell,
                                         kGap, 600, 480);
    };
    EXPECT_EQ(at(1), (ThumbRect{4, 4, 100, 100}));
    EXPECT_EQ(at(2), (ThumbRect{108, 4, 100, 100}));
    EXPECT_EQ(at(3), (ThumbRect{212, 4, 100, 100}));
    EXPECT_EQ(at(5), (ThumbRect{420, 4, 100, 100}));
    EXPECT_EQ(at(6), (ThumbRect{4, 108, 100, 100}));
    EXPECT_EQ(at(12), (ThumbRect{108, 212, 100, 100}));
}

TEST(ThumbviewPositions, CentredAndSpreadRows)
{
    // Centred: moved by (600 - 20) div 2 - (104 x 5) div 2 = 290 - 260.
    EXPECT_EQ(ThumbviewLayout::Position(1, Tscrollmode::SMVertical, Tviewtype::VTCenter, 5, kCell, kCell,
                                        kGap, 600, 480)
                  .left,
              34);
    // Spread: g = (600 - 500 - 20) div 6 = 13.
    const ThumbRect second = ThumbviewLayout::Position(2, Tscrollmode::SMVertical, Tviewtype::VTFitToScreen,
                                                       5, kCell, kCell, kGap, 600, 480);
    EXPECT_EQ(second.left, 100 + 13 * 2);
    EXPECT_EQ(second.top, 4);
}

TEST(ThumbviewPositions, HorizontalModeFillsColumnsTopToBottom)
{
    auto at = [](int a) {
        return ThumbviewLayout::Position(a, Tscrollmode::SMHorizontal, Tviewtype::VTNormal, 4, kCell, kCell,
                                         kGap, 600, 480);
    };
    EXPECT_EQ(at(1), (ThumbRect{4, 4, 100, 100}));
    EXPECT_EQ(at(2), (ThumbRect{4, 108, 100, 100}));
    EXPECT_EQ(at(5), (ThumbRect{108, 4, 100, 100}));
}

TEST(ThumbviewPress, InsideAThumbnailSelectsIt)
{
    EXPECT_EQ(press(50, 50, 12, 5), 0);
    EXPECT_EQ(press(150, 50, 12, 5), 1);
    EXPECT_EQ(press(150, 150, 12, 5), 6);
    // Scrolled down by a row: the same point is one row further.
    EXPECT_EQ(press(150, 50, 12, 5, 104), 6);
}

TEST(ThumbviewPress, GapsEdgesAndEmptyPlacesSelectNothing)
{
    // The four-pixel gap between the first two thumbnails.
    for (int x = 104; x <= 108; ++x)
        EXPECT_EQ(press(x, 50, 12, 5), -1) << x;
    // Edges are outside: the rectangle holds its points strictly.
    EXPECT_EQ(press(4, 50, 12, 5), -1);
    EXPECT_EQ(press(50, 4, 12, 5), -1);
    EXPECT_EQ(press(5, 5, 12, 5), 0);
    // Before the first thumbnail.
    EXPECT_EQ(press(0, 0, 12, 5), -1);
    // The empty part of the last row and below it.
    EXPECT_EQ(press(300, 250, 12, 5), -1);
    EXPECT_EQ(press(50, 400, 12, 5), -1);
    // Right of the last column of a full row.
    EXPECT_EQ(press(560, 50, 12, 5), -1);
    EXPECT_EQ(press(50, 50, 0, 5), -1);
}

TEST(ThumbviewPress, CentredRowsAreHitWhereTheyAreDrawn)
{
    const int index = ThumbviewLayout::PressIndex(34 + 50, 50, 0, 0, 3, Tscrollmode::SMVertical,
                                                  Tviewtype::VTCenter, 5, kCell, kCell, kGap, 600, 480);
    EXPECT_EQ(index, 0);
}

TEST(ThumbviewScroll, AThumbnailAboveTheTopEndsHalfAThumbnailInside)
{
    // Scrolled to 300: a thumbnail at content 212 sits at -88.
    const int position = ThumbviewLayout::ScrollIntoView(300, -88, 100, 480, 1000);
    EXPECT_EQ(212 - position, 50);
}

TEST(ThumbviewScroll, AThumbnailBelowTheBottomEndsHalfAThumbnailInside)
{
    const int position = ThumbviewLayout::ScrollIntoView(0, 420, 100, 480, 1000);
    EXPECT_EQ(420 - position + 100, 480 - 50);
}

TEST(ThumbviewScroll, VisibleThumbnailsStayAndPositionsAreClamped)
{
    EXPECT_EQ(ThumbviewLayout::ScrollIntoView(40, 100, 100, 480, 1000), 40);
    EXPECT_EQ(ThumbviewLayout::ScrollIntoView(20, -10, 100, 480, 1000), 0);
    EXPECT_EQ(ThumbviewLayout::ScrollIntoView(0, 460, 100, 480, 60), 60);
}

TEST(ThumbviewFit, FourHundredByThreeHundredAfterReductionSitsAtFourTwentyThree)
{
    const ThumbReduction reduced = ThumbviewLayout::Reduction(400, 300, 200, 200);
    EXPECT_EQ(reduced.scale, 50);
    EXPECT_TRUE(reduced.reduce);
    EXPECT_EQ(reduced.width, 200);
    EXPECT_EQ(reduced.height, 150);
    // A 100 x 100 thumbnail without border: picture area 92 x 77.
    EXPECT_EQ(ThumbviewLayout::ClientWidth(100, 0), 92);
    EXPECT_EQ(ThumbviewLayout::ClientHeight(100, 15), 77);
    EXPECT_EQ(ThumbviewLayout::Fit(reduced.width, reduced.height, 92, 77, 100, 100, 15),
              (ThumbRect{4, 23, 92, 69}));
}

TEST(ThumbviewFit, SixtyBySixtyIsNeitherReducedNorEnlarged)
{
    // 200 / 60 x 100 = 333.3: the target is 199.8, truncated, in double.
    const ThumbReduction reduced = ThumbviewLayout::Reduction(60, 60, 200, 200);
    EXPECT_EQ(reduced.scale, 333);
    EXPECT_EQ(reduced.width, 199);
    EXPECT_FALSE(reduced.reduce);
    const ThumbRect shown = ThumbviewLayout::Fit(60, 60, 92, 77, 100, 100, 15);
    EXPECT_EQ(shown.width, 60);
    EXPECT_EQ(shown.height, 60);
    EXPECT_EQ(shown.left, 20);
    EXPECT_EQ(shown.top, 7 + 50 - 30);
}

TEST(ThumbviewFit, TinyAndDegeneratePictures)
{
    // Scale above 255 does not wrap.
    EXPECT_EQ(ThumbviewLayout::Reduction(1, 1, 200, 200).scale, 20000);
    EXPECT_FALSE(ThumbviewLayout::Reduction(1, 1, 200, 200).reduce);
    // A very thin picture would reduce to nothing: it is kept.
    EXPECT_FALSE(ThumbviewLayout::Reduction(100000, 1, 200, 200).reduce);
    EXPECT_EQ(ThumbviewLayout::Fit(0, 10, 92, 77, 100, 100, 15), ThumbRect{});
    // Only one side too big still reduces by that side.
    const ThumbRect tall = ThumbviewLayout::Fit(50, 154, 92, 77, 100, 100, 15);
    EXPECT_EQ(tall.width, 25);
    EXPECT_EQ(tall.height, 77);
}

TEST(ThumbviewFiles, MasksInOrderWithoutRegardToCase)
{
    EXPECT_EQ(ThumbviewFiles::MaskIndex("z.BMP"), 0);
    EXPECT_EQ(ThumbviewFiles::MaskIndex("M.jpg"), 1);
    EXPECT_EQ(ThumbviewFiles::MaskIndex("a.gif"), 5);
    EXPECT_EQ(ThumbviewFiles::MaskIndex("a.GIF"), 5);
    EXPECT_EQ(ThumbviewFiles::MaskIndex("Cliente.jpeg"), 6);
    EXPECT_EQ(ThumbviewFiles::MaskIndex("Cliente.PNG"), 7);
    EXPECT_EQ(ThumbviewFiles::MaskIndex("scan.tiff"), 9);
    EXPECT_EQ(ThumbviewFiles::MaskIndex("notes.txt"), -1);
    EXPECT_EQ(ThumbviewFiles::MaskIndex("bmp"), -1);
    EXPECT_EQ(ThumbviewFiles::MaskIndex(".jpg"), -1);
    EXPECT_EQ(ThumbviewFiles::MaskIndex("photo.jpg.txt"), -1);
}

TEST(ThumbviewFiles, SortedAndScanOrder)
{
    const std::vector<std::string> listing = {"a.gif", "notes.txt", "z.BMP", "M.jpg"};
    const std::vector<std::string> scan = ThumbviewFiles::ScanOrder(listing);
    EXPECT_EQ(scan, (std::vector<std::string>{"z.BMP", "M.jpg", "a.gif"}));
    EXPECT_EQ(ThumbviewFiles::Sorted(scan), (std::vector<std::string>{"a.gif", "M.jpg", "z.BMP"}));
}

TEST(ThumbviewFiles, OtherPhotoFormatsFollowTheSixMasks)
{
    const std::vector<std::string> scan =
        ThumbviewFiles::ScanOrder({"c.png", "b.jpeg", "a.gif", "d.pcx", "e.tif", "f.ico", "g.emf", "h.wmf"});
    EXPECT_EQ(scan, (std::vector<std::string>{"h.wmf", "g.emf", "f.ico", "a.gif", "b.jpeg", "c.png", "e.tif",
                                              "d.pcx"}));
    // Phone photos come last, in the order HEIC, HEIF, WebP, any case.
    EXPECT_EQ(ThumbviewFiles::ScanOrder({"p.WEBP", "q.heif", "r.HEIC", "s.jpg", "t.txt"}),
              (std::vector<std::string>{"s.jpg", "r.HEIC", "q.heif", "p.WEBP"}));
}

TEST(ThumbviewFiles, NamesDifferingOnlyInCaseKeepAFixedOrder)
{
    EXPECT_EQ(ThumbviewFiles::Sorted({"b.jpg", "A.jpg", "a.jpg"}),
              (std::vector<std::string>{"A.jpg", "a.jpg", "b.jpg"}));
}

} // namespace
