#include "HsvModel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

RgbColour grey(std::uint8_t level) { return {level, level, level}; }

} // namespace

TEST(RoundHalfEven, ExactHalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(roundHalfEven(0.5L), 0);
    EXPECT_EQ(roundHalfEven(1.5L), 2);
    EXPECT_EQ(roundHalfEven(2.5L), 2);
    EXPECT_EQ(roundHalfEven(3.5L), 4);
    EXPECT_EQ(roundHalfEven(-0.5L), 0);
    EXPECT_EQ(roundHalfEven(-1.5L), -2);
    EXPECT_EQ(roundHalfEven(-2.5L), -2);
}

TEST(RoundHalfEven, OtherValuesGoToTheNearestInteger)
{
    EXPECT_EQ(roundHalfEven(2.4999999L), 2);
    EXPECT_EQ(roundHalfEven(2.5000001L), 3);
    EXPECT_EQ(roundHalfEven(-2.6L), -3);
    EXPECT_EQ(roundHalfEven(-0.4L), 0);
    EXPECT_EQ(roundHalfEven(7.0L), 7);
    EXPECT_EQ(roundHalfEven(-7.0L), -7);
}

TEST(HsvModel, ReferenceColours)
{
    EXPECT_EQ(RGBtoHSV(255, 255, 255), (HsvColour{0, 0, 99}));
    EXPECT_EQ(RGBtoHSV(0, 0, 0), (HsvColour{0, 0, 0}));
    EXPECT_EQ(HSVtoRGB(0, 0, 99), grey(255));
    EXPECT_EQ(HSVtoRGB(0, 0, 79), grey(203));
    EXPECT_EQ(HSVtoRGB(0, 0, 59), grey(152));
    EXPECT_EQ(HSVtoRGB(0, 99, 99), (RgbColour{255, 0, 0}));
    EXPECT_EQ(RGBtoHSV(255, 0, 0), (HsvColour{0, 99, 99}));
    EXPECT_EQ(RGBtoHSV(203, 203, 203), (HsvColour{0, 0, 79}));
}

TEST(HsvModel, HueSectors)
{
    EXPECT_EQ(RGBtoHSV(0, 255, 0), (HsvColour{120, 99, 99}));
    EXPECT_EQ(RGBtoHSV(0, 0, 255), (HsvColour{240, 99, 99}));
    // Red and green tie for the maximum: red's formula wins.
    EXPECT_EQ(RGBtoHSV(255, 255, 0), (HsvColour{60, 99, 99}));
    EXPECT_EQ(HSVtoRGB(120, 99, 99), (RgbColour{0, 255, 0}));
    EXPECT_EQ(HSVtoRGB(240, 99, 99), (RgbColour{0, 0, 255}));
    EXPECT_EQ(HSVtoRGB(300, 99, 99), (RgbColour{255, 0, 255}));
}

TEST(HsvModel, NegativeHueWrapsButTruncatesTowardZeroFirst)
{
    // Blue level 50 above green: (-50 x 60) div 99 = -30, so 330.
    EXPECT_EQ(RGBtoHSV(255, 0, 128), (HsvColour{330, 99, 99}));
    // Blue level 1: (-1 x 60) div 99 truncates to 0; flooring would give 359.
    EXPECT_EQ(RGBtoHSV(255, 0, 3).hue, 0);
}

TEST(HsvModel, TruncationLosesSaturationOnTheWayBack)
{
    // p = 80 - 4000 div 99 = 40, t = 80 - 120000 div 5940 = 60.
    EXPECT_EQ(HSVtoRGB(30, 50, 80), (RgbColour{206, 155, 103}));
    // (80 - 40) x 99 div 80 = 49.
    EXPECT_EQ(RGBtoHSV(206, 155, 103), (HsvColour{30, 49, 80}));
}

TEST(HsvModel, OutOfRangeInputsAreClamped)
{
    EXPECT_EQ(HSVtoRGB(400, 120, 120), HSVtoRGB(359, 99, 99));
    EXPECT_EQ(HSVtoRGB(-10, 50, 50), HSVtoRGB(0, 50, 50));
    EXPECT_EQ(HSVtoRGB(100, -1, 70), grey(HSVtoRGB(0, 0, 70).red));
    EXPECT_EQ(HSVtoRGB(100, 50, -3), grey(0));
}

// Every HSV colour, converted to RGB and back: the value survives exactly,
// saturation never grows and survives exactly at full value; greys and pure
// hues survive whole.
TEST(HsvModel, HsvRoundTripOverTheWholeModel)
{
    int valueLost = 0, saturationGained = 0, saturationLostAtFullValue = 0;
    for (int h = 0; h < 360; ++h) {
        for (int s = 0; s < 100; ++s) {
            for (int v = 0; v < 100; ++v) {
                const RgbColour c = HSVtoRGB(h, s, v);
                const HsvColour back = RGBtoHSV(c.red, c.green, c.blue);
                valueLost += back.val != v;
                saturationGained += back.sat > s;
                saturationLostAtFullValue += (v == 99 && back.sat != s);
            }
        }
    }
    EXPECT_EQ(valueLost, 0);
    EXPECT_EQ(saturationGained, 0);
    EXPECT_EQ(saturationLostAtFullValue, 0);

    for (int v = 0; v < 100; ++v) {
        const RgbColour c = HSVtoRGB(0, 0, v);
        EXPECT_EQ(RGBtoHSV(c.red, c.green, c.blue), (HsvColour{0, 0, v})) << "grey " << v;
    }
    for (int h = 0; h < 360; ++h) {
        const RgbColour c = HSVtoRGB(h, 99, 99);
        EXPECT_EQ(RGBtoHSV(c.red, c.green, c.blue), (HsvColour{h, 99, 99})) << "hue " << h;
    }
}

// The brightest channel is the value's level and the darkest is the level of
// p = V - S x V div 99, for every colour of the model.
TEST(HsvModel, ExtremeChannelsFollowValueAndSaturation)
{
    int mismatches = 0;
    for (int h = 0; h < 360; ++h) {
        for (int s = 0; s < 100; ++s) {
            for (int v = 0; v < 100; ++v) {
                const RgbColour c = HSVtoRGB(h, s, v);
                const auto hi = std::max({c.red, c.green, c.blue});
                const auto lo = std::min({c.red, c.green, c.blue});
                mismatches += hi != HSVtoRGB(0, 0, v).red;
                mismatches += lo != HSVtoRGB(0, 0, v - (s * v) / 99).red;
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

// Every RGB colour, converted to HSV and back: the result lies on the model's
// 100 levels and its brightest channel is within one step of the original's.
TEST(HsvModel, RgbRoundTripKeepsBrightness)
{
    bool onLevel[256] = {};
    for (int v = 0; v < 100; ++v)
        onLevel[HSVtoRGB(0, 0, v).red] = true;

    int offLevel = 0, brightnessOff = 0;
    for (int r = 0; r < 256; ++r) {
        for (int g = 0; g < 256; ++g) {
            for (int b = 0; b < 256; ++b) {
                const HsvColour hsv = RGBtoHSV(r, g, b);
                const RgbColour c = HSVtoRGB(hsv.hue, hsv.sat, hsv.val);
                offLevel += !onLevel[c.red] || !onLevel[c.green] || !onLevel[c.blue];
                const int before = std::max({r, g, b});
                const int after = std::max({c.red, c.green, c.blue});
                brightnessOff += std::abs(before - after) > 1;
            }
        }
    }
    EXPECT_EQ(offLevel, 0);
    EXPECT_EQ(brightnessOff, 0);
}
