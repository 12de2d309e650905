#include "DrawComboGeometry.h"

#include "BasicColours.h"

#include <gtest/gtest.h>
#include <set>

using G = DrawComboGeometry;

TEST(BasicColoursTest, SixteenDistinctColoursNamedAfterTheirIdentifiers)
{
    const auto &entries = BasicColours::Entries();
    std::set<std::uint32_t> values;
    for (const auto &e : entries)
        values.insert(e.bgr);
    EXPECT_EQ(values.size(), 16u);
    EXPECT_EQ(BasicColours::ItemText(entries[0].bgr), "Black");
    EXPECT_EQ(BasicColours::ItemText(0x000080), "Maroon");
    EXPECT_EQ(BasicColours::ItemText(0xFF00FF), "Fuchsia");
    EXPECT_EQ(BasicColours::ItemText(entries[15].bgr), "White");
    // Red is stored with red in the low byte: it is 0x0000FF, not 0xFF0000.
    EXPECT_EQ(BasicColours::ItemText(0x0000FF), "Red");
    EXPECT_EQ(BasicColours::ItemText(0xFF0000), "Blue");
}

TEST(BasicColoursTest, ColourWithoutIdentifierGivesItsHexadecimalForm)
{
    EXPECT_EQ(BasicColours::ItemText(0x123456), "$00123456");
}

TEST(BasicColoursTest, ByteOrderConversionSwapsRedAndBlueOnly)
{
    EXPECT_EQ(BasicColours::ToRgb(0x0000FF), 0xFF0000u);
    EXPECT_EQ(BasicColours::ToRgb(0x008000), 0x008000u);
    EXPECT_EQ(BasicColours::FromRgb(BasicColours::ToRgb(0x123456)), 0x123456u);
}

TEST(DrawComboGeometryTest, SwatchFillsTheItemButItsMarginsWhenShownAlone)
{
    const G::Rect item{0, 17, 46, 34};
    EXPECT_EQ(G::ColourBox(item, G::ssOnlyColor), (G::Rect{4, 19, 42, 32}));
}

TEST(DrawComboGeometryTest, NamedSwatchIs22WideAndTheNameStarts8PixelsRightOfIt)
{
    const G::Rect item{10, 0, 200, 17};
    const G::Rect box = G::ColourBox(item, G::ssColorAndText);
    EXPECT_EQ(box, (G::Rect{14, 2, 36, 15}));
    EXPECT_EQ(box.width(), 22);
    EXPECT_EQ(G::TextOrigin(item), (G::Point{box.right + 8, 2}));
}

TEST(DrawComboGeometryTest, SampleLineIsShortenedByItsOwnThickness)
{
    const G::Rect item{0, 0, 61, 17};
    for (int index : {0, 4, 29}) {
        const G::LineSample s = G::WidthSample(item, index);
        EXPECT_EQ(s.penWidth, index + 1);
        EXPECT_EQ(s.x1, 6 + s.penWidth);
        EXPECT_EQ(s.x2, 61 - 6 - s.penWidth);
        EXPECT_EQ(s.box, (G::Rect{4, 2, 57, 15}));
    }
}

TEST(DrawComboGeometryTest, SampleHeightRoundsTheMiddleDown)
{
    EXPECT_EQ(G::WidthSample({0, 0, 50, 17}, 0).y, 8);
    EXPECT_EQ(G::WidthSample({0, 17, 50, 34}, 0).y, 25);
    EXPECT_EQ(G::WidthSample({0, 3, 50, 7}, 0).y, 5);
}

TEST(DrawComboGeometryTest, NamedItemsFollowTheFontButNeverGoBelowNine)
{
    EXPECT_EQ(G::NamedItemHeight(3), 9);
    EXPECT_EQ(G::NamedItemHeight(7), 9);
    EXPECT_EQ(G::NamedItemHeight(8), 10);
    EXPECT_EQ(G::NamedItemHeight(30), 32);
}
