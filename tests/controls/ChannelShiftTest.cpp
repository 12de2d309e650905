#include "ChannelShift.h"

#include "GradientStrips.h"
#include "HsvModel.h"
#include "HsvShift.h"
#include "Picture24.h"

#include <algorithm>
#include <climits>
#include <gtest/gtest.h>

namespace {

std::uint32_t rgb(int r, int g, int b)
{
    return (std::uint32_t(r) << 16) | (std::uint32_t(g) << 8) | std::uint32_t(b);
}

} // namespace

TEST(ShiftChannels, EachOffsetGoesToItsOwnChannelAndClamps)
{
    Picture24 p(3, 1);
    p.setPixel(0, 0, rgb(255, 255, 255));
    p.setPixel(1, 0, rgb(10, 200, 100));
    p.setPixel(2, 0, rgb(0, 0, 0));
    ShiftChannels(p, 100, 100, 0); // the yellow preset
    EXPECT_EQ(p.pixel(0, 0), rgb(255, 255, 255));
    EXPECT_EQ(p.pixel(1, 0), rgb(110, 255, 100));
    EXPECT_EQ(p.pixel(2, 0), rgb(100, 100, 0));

    ShiftChannels(p, -120, 0, -1);
    EXPECT_EQ(p.pixel(1, 0), rgb(0, 255, 99));
    EXPECT_EQ(p.pixel(2, 0), rgb(0, 100, 0));
}

TEST(ShiftChannels, ExtremeOffsetsSaturateWithoutOverflow)
{
    Picture24 p(2, 2);
    p.fill(128, 1, 254);
    ShiftChannels(p, INT_MAX, INT_MIN, 0);
    EXPECT_EQ(p.pixel(1, 1), rgb(255, 0, 254));
}

TEST(ShiftChannels, LeavesRowPaddingAlone)
{
    // Width 1: 3 bytes of pixel, 1 of padding per row.
    Picture24 p(1, 2);
    p.bits()[3] = 0x5A;
    p.bits()[7] = 0xA5;
    ShiftChannels(p, 255, 255, 255);
    EXPECT_EQ(p.bits()[3], 0x5A);
    EXPECT_EQ(p.bits()[7], 0xA5);
    EXPECT_EQ(p.pixel(0, 0), rgb(255, 255, 255));
}

TEST(GradientStrips, GreyAtBothEdgesSilverInTheMiddle)
{
    const std::uint32_t grey = 0x808080, silver = 0xC0C0C0;
    const auto strips = GradientStrips(257, grey, silver);
    ASSERT_EQ(strips.size(), 100u);
    // Colour 1 of the table at the left edge, colour 0 at the right one.
    EXPECT_EQ(strips.front().rgb, 0x808080u); // 128 + trunc(64 / 100)
    EXPECT_EQ(strips.back().rgb, grey);
    // Colour 99 in strip 49: 128 + trunc(99 * 64 / 100) = 191.
    EXPECT_EQ(strips[49].rgb, 0xBFBFBFu);
    EXPECT_EQ(strips[50].rgb, 0xBEBEBEu); // colour 98: 128 + 62
    // The strips tile the width without gaps or overlaps.
    int x = 0;
    for (const GradientStrip &s : strips) {
        EXPECT_EQ(s.left, x);
        EXPECT_GT(s.right, s.left);
        x = s.right;
    }
    EXPECT_EQ(x, 257);
}

TEST(GradientStrips, HalvesRoundToEvenAndEmptyStripsAreLeftOut)
{
    // 50 x 257 / 100 = 128.5 rounds to 128; 150 / 100 = 1.5 rounds to 2.
    const auto wide = GradientStrips(257, 0, 0xFFFFFF);
    EXPECT_EQ(wide[49].right, 128);
    const auto narrow = GradientStrips(3, 0, 0xFFFFFF);
    ASSERT_FALSE(narrow.empty());
    EXPECT_LT(narrow.size(), 100u);
    EXPECT_EQ(narrow.back().right, 3);
    EXPECT_TRUE(GradientStrips(0, 0, 0).empty());
}

TEST(GradientStrips, FallingColoursTruncateTowardsZero)
{
    // From 200 down to 100: colour 1 is 200 + trunc(-100 / 100) = 199,
    // colour 3 is 200 + trunc(-300 / 100) = 197.
    const auto strips = GradientStrips(100, 0xC8C8C8, 0x646464);
    EXPECT_EQ(strips[0].rgb, 0xC7C7C7u);
    EXPECT_EQ(strips[1].rgb, 0xC5C5C5u);
}

TEST(ShiftHSV, ManyColoursSharingCacheSlotsConvertEachPixelOnItsOwn)
{
    // 65536 distinct colours: far more than the converted-colour cache
    // holds, so slots are reused by other colours all the time.
    Picture24 p(256, 256);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            p.setPixel(x, y, rgb(x, y, (x * 7 + y * 13) & 0xFF));
    const Picture24 before = p;
    ShiftHSV(p, 25, -10, -20);
    for (int y = 0; y < 256; y += 3) {
        for (int x = 0; x < 256; x += 5) {
            const std::uint32_t c = before.pixel(x, y);
            const HsvColour h = RGBtoHSV(std::uint8_t(c >> 16), std::uint8_t(c >> 8), std::uint8_t(c));
            const RgbColour out =
                HSVtoRGB(std::min(359, h.hue + 25), std::max(0, h.sat - 10), std::max(0, h.val - 20));
            ASSERT_EQ(p.pixel(x, y), rgb(out.red, out.green, out.blue)) << x << "," << y;
        }
    }
}
