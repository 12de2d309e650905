#include "ThumbGridLayout.h"

#include "JpegCodec.h"
#include "ThumbnailReader.h"

#include <gtest/gtest.h>

namespace {

GridMetrics browserGrid()
{
    GridMetrics m;
    m.gridWidth = -1;
    return m;
}

TEST(ThumbGridColumns, AsManyAsFitWithGridWidthMinusOne)
{
    const GridMetrics m = browserGrid();
    EXPECT_EQ(ThumbGridLayout::Columns(m, 666, 10), 6);
    // Less the width of a vertical scroll bar.
    EXPECT_EQ(ThumbGridLayout::Columns(m, 666 - 17, 10), 6);
    EXPECT_EQ(ThumbGridLayout::Columns(m, 628, 10), 6);
    EXPECT_EQ(ThumbGridLayout::Columns(m, 627, 10), 5);
    EXPECT_EQ(ThumbGridLayout::Columns(m, 50, 10), 1);
}

TEST(ThumbGridColumns, FixedAndSingleRow)
{
    GridMetrics m;
    m.gridWidth = 3;
    EXPECT_EQ(ThumbGridLayout::Columns(m, 1000, 10), 3);
    m.gridWidth = 0;
    EXPECT_EQ(ThumbGridLayout::Columns(m, 100, 10), 10);
    EXPECT_EQ(ThumbGridLayout::Columns(m, 100, 0), 1);
}

TEST(ThumbGridCells, PositionsRowsAndContentSize)
{
    const GridMetrics m = browserGrid();
    const std::vector<GridCell> cells = ThumbGridLayout::Cells(m, 8, 6);
    ASSERT_EQ(cells.size(), 8u);
    EXPECT_EQ(cells[0], (GridCell{4, 4, 0, 0}));
    EXPECT_EQ(cells[5], (GridCell{4 + 5 * 104, 4, 0, 5}));
    EXPECT_EQ(cells[6], (GridCell{4, 108, 1, 0}));
    int w = 0, h = 0;
    ThumbGridLayout::ContentSize(m, cells, w, h);
    EXPECT_EQ(w, 524 + 104);
    EXPECT_EQ(h, 108 + 104);
    EXPECT_EQ(ThumbGridLayout::MaxOffset(h, 150), 62);
    EXPECT_EQ(ThumbGridLayout::MaxOffset(h, 400), 0);
    ThumbGridLayout::ContentSize(m, {}, w, h);
    EXPECT_EQ(w, 0);
    EXPECT_EQ(h, 0);
}

TEST(ThumbGridHit, ImageAtPositionWithOffsets)
{
    const GridMetrics m = browserGrid();
    const std::vector<GridCell> cells = ThumbGridLayout::Cells(m, 8, 6);
    EXPECT_EQ(ThumbGridLayout::ImageAtPosition(m, cells, 4, 4, 0, 0), 0);
    EXPECT_EQ(ThumbGridLayout::ImageAtPosition(m, cells, 103, 50, 0, 0), 0);
    // Between two cells.
    EXPECT_EQ(ThumbGridLayout::ImageAtPosition(m, cells, 104, 50, 0, 0), -1);
    EXPECT_EQ(ThumbGridLayout::ImageAtPosition(m, cells, 107, 50, 0, 0), -1);
    EXPECT_EQ(ThumbGridLayout::ImageAtPosition(m, cells, 108, 50, 0, 0), 1);
    // The rows run to y + height inclusive.
    EXPECT_EQ(ThumbGridLayout::ImageAtPosition(m, cells, 50, 104, 0, 0), 0);
    EXPECT_EQ(ThumbGridLayout::ImageAtPosition(m, cells, 50, 105, 0, 0), -1);
    // Scrolled down one row: the second row sits where the first was.
    EXPECT_EQ(ThumbGridLayout::ImageAtPosition(m, cells, 50, 50, 0, 104), 6);
    // Past the last item of a partly filled row.
    EXPECT_EQ(ThumbGridLayout::ImageAtPosition(m, cells, 350, 150, 0, 0), -1);
}

TEST(ThumbGridDraw, WidePictureAndSmallPictureFillTheCell)
{
    const GridMetrics m = browserGrid();
    EXPECT_EQ(ThumbGridLayout::DrawRect(m, 400, 200), (GridDrawRect{0, 25, 100, 50}));
    EXPECT_EQ(ThumbGridLayout::DrawRect(m, 50, 50), (GridDrawRect{0, 0, 100, 100}));
    // A hair picture: 600 x 800 gives 75 x 100.
    EXPECT_EQ(ThumbGridLayout::DrawRect(m, 600, 800), (GridDrawRect{12, 0, 75, 100}));
    EXPECT_EQ(ThumbGridLayout::DrawRect(m, 0, 10), GridDrawRect{});
    GridMetrics gaps = m;
    gaps.upperGap = 10;
    gaps.bottomGap = 10;
    EXPECT_EQ(ThumbGridLayout::DrawRect(gaps, 100, 100), (GridDrawRect{10, 10, 80, 80}));
}

TEST(ThumbGridVisibility, OutsideAndWhollyVisible)
{
    const GridMetrics m = browserGrid();
    const GridCell second{4, 108, 1, 0};
    EXPECT_FALSE(ThumbGridLayout::OutsideClient(m, second, 0, 0, 600, 150));
    EXPECT_FALSE(ThumbGridLayout::WhollyVisible(m, second, 0, 0, 600, 150));
    EXPECT_TRUE(ThumbGridLayout::WhollyVisible(m, second, 0, 100, 600, 150));
    EXPECT_TRUE(ThumbGridLayout::OutsideClient(m, second, 0, 0, 600, 108));
    EXPECT_TRUE(ThumbGridLayout::OutsideClient(m, second, 0, 208, 600, 150));
    EXPECT_FALSE(ThumbGridLayout::OutsideClient(m, second, 0, 207, 600, 150));
}

TEST(ThumbGridKeys, TableOfMoves)
{
    // 20 items, 6 columns, 18 per page.
    auto key = [](GridKey k, int s) { return ThumbGridLayout::Key(k, s, 20, 6, 18); };
    EXPECT_EQ(key(GridKey::Left, 5).selected, 4);
    EXPECT_EQ(key(GridKey::Right, 5).selected, 6);
    EXPECT_EQ(key(GridKey::Right, 5).scroll, GridKeyScroll::ToBottomRight);
    EXPECT_EQ(key(GridKey::Up, 3).selected, 0);
    EXPECT_EQ(key(GridKey::Up, 9).selected, 3);
    EXPECT_EQ(key(GridKey::Down, 15).selected, 19);
    EXPECT_EQ(key(GridKey::PageDown, 1).selected, 19);
    EXPECT_EQ(key(GridKey::PageUp, 19).selected, 1);
    EXPECT_EQ(key(GridKey::Home, 12).selected, 0);
    EXPECT_EQ(key(GridKey::Home, 12).scroll, GridKeyScroll::ToOrigin);
    EXPECT_EQ(key(GridKey::End, 2).selected, 19);
    for (GridKey k : {GridKey::Left, GridKey::Right, GridKey::Down, GridKey::End})
        EXPECT_TRUE(key(k, 5).raise);
}

TEST(ThumbGridKeys, OutOfRangeKeepsTheSelectionButStillReports)
{
    const GridKeyResult left = ThumbGridLayout::Key(GridKey::Left, 0, 20, 6, 18);
    EXPECT_EQ(left.selected, 0);
    EXPECT_TRUE(left.raise);
    EXPECT_EQ(left.scroll, GridKeyScroll::None);
    EXPECT_EQ(ThumbGridLayout::Key(GridKey::Right, 19, 20, 6, 18).selected, 19);
    EXPECT_EQ(ThumbGridLayout::Key(GridKey::PageDown, 5, 20, 6, 18).selected, 5);
}

TEST(ThumbGridKeys, WithoutSelectionOnlyHomeAndEndAct)
{
    for (GridKey k :
         {GridKey::Left, GridKey::Right, GridKey::Up, GridKey::Down, GridKey::PageUp, GridKey::PageDown}) {
        const GridKeyResult r = ThumbGridLayout::Key(k, -1, 20, 6, 18);
        EXPECT_EQ(r.selected, -1);
        EXPECT_FALSE(r.raise);
    }
    EXPECT_EQ(ThumbGridLayout::Key(GridKey::Home, -1, 20, 6, 18).selected, 0);
    EXPECT_EQ(ThumbGridLayout::Key(GridKey::End, -1, 20, 6, 18).selected, 19);
    EXPECT_FALSE(ThumbGridLayout::Key(GridKey::End, -1, 0, 6, 18).raise);
}

TEST(ThumbGridKeys, PagesAndScrollTargets)
{
    const GridMetrics m = browserGrid();
    // (366 - 4) div 104 = 3 whole rows.
    EXPECT_EQ(ThumbGridLayout::PageItems(m, 6, 366), 18);
    EXPECT_EQ(ThumbGridLayout::PageItems(m, 6, 50), 0);
    const GridCell cell{108, 420, 4, 1};
    int x = 0, y = 0;
    ThumbGridLayout::ScrollTo(m, cell, GridKeyScroll::ToTopLeft, 600, 300, x, y);
    EXPECT_EQ(x, 104);
    EXPECT_EQ(y, 416);
    ThumbGridLayout::ScrollTo(m, cell, GridKeyScroll::ToBottomRight, 600, 300, x, y);
    EXPECT_EQ(x, 108 + 104 - 600);
    EXPECT_EQ(y, 420 + 104 - 300);
}

TEST(JpegThumbnailScale, SmallestScaleThatCoversTheBox)
{
    // 6000 x 4000 into 200 x 200 needs 200 x 134: one eighth (750 x 500) covers it.
    EXPECT_EQ(JpegCodec::scaleEighths(6000, 4000, 200, 200), 1);
    // 1600 x 1200 needs 200 x 150; 1/8 gives exactly that.
    EXPECT_EQ(JpegCodec::scaleEighths(1600, 1200, 200, 200), 1);
    // 1500 x 1000: 1/8 gives 188 x 125, short of 200 x 134.
    EXPECT_EQ(JpegCodec::scaleEighths(1500, 1000, 200, 200), 2);
    // Already inside the box: no reduction.
    EXPECT_EQ(JpegCodec::scaleEighths(150, 100, 200, 200), 8);
    EXPECT_EQ(JpegCodec::scaleEighths(0, 100, 200, 200), 8);
}

TEST(JpegThumbnailScale, ScaledDecodeCoversTheBoxAndKeepsTheColours)
{
    Picture24 photo(1600, 1200);
    photo.fill(200, 60, 30);
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(JpegCodec::encode(photo, 90, bytes).ok);
    Picture24 small;
    ASSERT_TRUE(JpegCodec::decodeScaled(bytes.data(), bytes.size(), 200, 200, small).ok);
    EXPECT_EQ(small.width(), 200);
    EXPECT_EQ(small.height(), 150);
    const std::uint32_t p = small.pixel(100, 75);
    EXPECT_NEAR(int(p >> 16), 200, 4);
    EXPECT_NEAR(int((p >> 8) & 0xFF), 60, 4);
    Picture24 untouched(3, 3);
    const std::vector<std::uint8_t> truncated(bytes.begin(), bytes.begin() + 100);
    EXPECT_FALSE(JpegCodec::decodeScaled(truncated.data(), truncated.size(), 200, 200, untouched).ok);
    EXPECT_EQ(untouched.width(), 3);
}

TEST(ThumbnailResample, EachPixelTakesTheNearestSourcePixel)
{
    Picture24 in(4, 2);
    for (int x = 0; x < 4; ++x) {
        in.setPixel(x, 0, 0x000010u * (x + 1));
        in.setPixel(x, 1, 0x100000u * (x + 1));
    }
    const Picture24 out = ThumbnailReader::Resample(in, 2, 1);
    ASSERT_EQ(out.width(), 2);
    ASSERT_EQ(out.height(), 1);
    EXPECT_EQ(out.pixel(0, 0), in.pixel(0, 0));
    EXPECT_EQ(out.pixel(1, 0), in.pixel(2, 0));
    EXPECT_TRUE(ThumbnailReader::Resample(in, 0, 5).isNull());
    EXPECT_TRUE(ThumbnailReader::Resample(Picture24(), 5, 5).isNull());
}

} // namespace
