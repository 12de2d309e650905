#include "HsvModel.h"
#include "HsvShift.h"
#include "Picture24.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

std::uint32_t rgb(int r, int g, int b) { return (std::uint32_t(r) << 16) | (std::uint32_t(g) << 8) | std::uint32_t(b); }

std::uint32_t rgb(const RgbColour &c) { return rgb(c.red, c.green, c.blue); }

} // namespace

TEST(ShiftHSV, DarkeningPresetsTurnWhiteIntoTheirGreys)
{
    Picture24 brown(3, 2);
    brown.fill(255, 255, 255);
    ShiftHSV(brown, 0, 0, -20);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(brown.pixel(x, y), rgb(203, 203, 203));

    Picture24 black(3, 2);
    black.fill(255, 255, 255);
    ShiftHSV(black, 0, 0, -40);
    EXPECT_EQ(black.pixel(2, 1), rgb(152, 152, 152));
}

TEST(ShiftHSV, ZeroShiftQuantisesToTheModel)
{
    Picture24 p(1, 1);
    p.setPixel(0, 0, rgb(206, 155, 103)); // HSV 30, 49, 80
    ShiftHSV(p, 0, 0, 0);
    EXPECT_EQ(p.pixel(0, 0), rgb(206, 157, 106));

    p.setPixel(0, 0, rgb(203, 203, 203)); // a grey on a model level stays
    ShiftHSV(p, 0, 0, 0);
    EXPECT_EQ(p.pixel(0, 0), rgb(203, 203, 203));
}

TEST(ShiftHSV, ResultsAreClampedNotWrapped)
{
    Picture24 p(1, 1);
    p.setPixel(0, 0, rgb(255, 0, 0));
    ShiftHSV(p, -30, 0, 0); // hue 0 - 30 stays 0, it does not become 330
    EXPECT_EQ(p.pixel(0, 0), rgb(255, 0, 0));

    ShiftHSV(p, 1000, 0, 0);
    EXPECT_EQ(p.pixel(0, 0), rgb(HSVtoRGB(359, 99, 99)));

    p.setPixel(0, 0, rgb(100, 100, 100));
    ShiftHSV(p, 0, 0, 500);
    EXPECT_EQ(p.pixel(0, 0), rgb(255, 255, 255));
}

TEST(ShiftHSV, ExtremeDeltasDoNotOverflow)
{
    Picture24 p(2, 1);
    p.setPixel(0, 0, rgb(10, 200, 30));
    p.setPixel(1, 0, rgb(10, 200, 30));
    ShiftHSV(p, INT_MAX, INT_MAX, INT_MIN);
    EXPECT_EQ(p.pixel(0, 0), rgb(0, 0, 0));
    p.setPixel(0, 0, rgb(10, 10, 10));
    ShiftHSV(p, INT_MIN, INT_MIN, INT_MAX);
    EXPECT_EQ(p.pixel(0, 0), rgb(255, 255, 255));
}

TEST(ShiftHSV, EveryPixelIsConvertedOnItsOwn)
{
    // Alternating colours, so a remembered conversion must not leak into the
    // next pixel.
    Picture24 p(5, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 5; ++x)
            p.setPixel(x, y, (x + y) % 2 ? rgb(255, 255, 255) : rgb(0, 0, 255));
    ShiftHSV(p, 0, 0, -20);
    const std::uint32_t blue = rgb(HSVtoRGB(240, 99, 79));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(p.pixel(x, y), (x + y) % 2 ? rgb(203, 203, 203) : blue) << x << "," << y;
}

TEST(ShiftHSV, RowPaddingIsLeftAlone)
{
    Picture24 p(1, 3); // 3 bytes of pixel, 1 of padding per row
    p.fill(255, 255, 255);
    for (int r = 0; r < 3; ++r)
        p.row(r)[3] = 0xAB;
    ShiftHSV(p, 0, 0, -40);
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(p.row(r)[3], 0xAB);
        EXPECT_EQ(p.pixel(0, r), rgb(152, 152, 152));
    }

    Picture24 empty;
    ShiftHSV(empty, 0, 0, -20);
    EXPECT_TRUE(empty.isNull());
}
