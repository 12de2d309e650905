#include "HsvBoxModel.h"
#include "HsvModel.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace {

using Point = std::pair<int, int>;

constexpr int kW = 233; // the colour panel's picker
constexpr int kH = 100;
constexpr std::uint32_t kGrey = 0x00C0C0C0;

std::uint32_t rgb(const RgbColour &c)
{
    return (std::uint32_t(c.red) << 16) | (std::uint32_t(c.green) << 8) | c.blue;
}

// The picture without its markers: inverting them once more erases them.
Picture24 withoutMarkers(HsvBoxModel model)
{
    model.ToggleMarkers();
    return model.PickerBitmap();
}

std::set<Point> changedPixels(const Picture24 &a, const Picture24 &b)
{
    std::set<Point> out;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                out.insert({x, y});
    return out;
}

// Border pixels of a rectangle (right and bottom excluded) inside the panel.
std::set<Point> outline(int left, int top, int right, int bottom)
{
    std::set<Point> out;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if ((y == top || y == bottom - 1 || x == left || x == right - 1) && x >= 0
                && x < kW && y >= 0 && y < kH)
                out.insert({x, y});
    return out;
}

// A model that reached this state by the setters alone, freshly painted.
HsvBoxModel freshLike(const HsvBoxModel &m)
{
    HsvBoxModel fresh(m.width(), m.height(), m.Background());
    fresh.setHue(m.Hue());
    fresh.setSat(m.Sat());
    fresh.setVal(m.Val());
    return fresh;
}

class PanelPicker : public ::testing::Test
{
protected:
    HsvBoxModel box{kW, kH, kGrey};
};

} // namespace

TEST(HsvBoxModel, CreationState)
{
    HsvBoxModel box;
    EXPECT_EQ(box.width(), 105);
    EXPECT_EQ(box.height(), 105);
    EXPECT_EQ(box.PickerBitmap().width(), 105);
    EXPECT_EQ(box.PickerBitmap().height(), 105);
    EXPECT_EQ(box.Hue(), 0);
    EXPECT_EQ(box.Sat(), 0);
    EXPECT_EQ(box.Val(), 0);
    EXPECT_EQ(box.Red() + box.Green() + box.Blue(), 0);
    EXPECT_EQ(box.Color(), 0u);
    EXPECT_EQ(box.Background(), HsvBoxModel::kButtonFace);
    EXPECT_EQ(box.dragZone(), HsvBoxModel::NoZone);
}

TEST_F(PanelPicker, LayoutOfSquareGapAndBar)
{
    EXPECT_EQ(box.squareWidth(), 208);
    const Picture24 clean = withoutMarkers(box);
    for (int y = 0; y < kH; ++y) {
        for (int x = 208; x <= 212; ++x)
            ASSERT_EQ(clean.pixel(x, y), 0xC0C0C0u) << x << "," << y;
        // With 100 rows the value is the row index from the bottom.
        EXPECT_EQ(clean.pixel(207, y), rgb(HSVtoRGB(0, 99, kH - 1 - y))) << y;
        EXPECT_EQ(clean.pixel(0, y), rgb(HSVtoRGB(0, 0, kH - 1 - y))) << y;
    }
    // The bar is uniform across its 20 columns; bottom red.
    for (int x = 213; x < kW; ++x)
        EXPECT_EQ(clean.pixel(x, kH - 1), 0xFF0000u);
}

TEST_F(PanelPicker, BarStepsUseSinglePrecision)
{
    const Picture24 clean = withoutMarkers(box);
    // 360 / 100 in single precision is just below 3.6: row 5 from the bottom
    // is hue 17, not 18; the top row is hue 356.
    EXPECT_EQ(clean.pixel(220, kH - 1 - 5), rgb(HSVtoRGB(17, 99, 99)));
    EXPECT_NE(clean.pixel(220, kH - 1 - 5), rgb(HSVtoRGB(18, 99, 99)));
    EXPECT_EQ(clean.pixel(220, 0), rgb(HSVtoRGB(356, 99, 99)));
}

TEST_F(PanelPicker, SquareStepsUseSinglePrecision)
{
    box.setHue(200);
    const Picture24 clean = withoutMarkers(box);
    // 100 / 208 in single precision is just below the exact quotient, so
    // column 52 gets saturation 24. With 100 rows the value is the row index.
    EXPECT_EQ(clean.pixel(52, 0), rgb(HSVtoRGB(200, 24, 99)));
    EXPECT_NE(clean.pixel(52, 0), rgb(HSVtoRGB(200, 25, 99)));
    EXPECT_EQ(clean.pixel(0, 0), 0xFFFFFFu);
    EXPECT_EQ(clean.pixel(207, 0), rgb(HSVtoRGB(200, 99, 99)));
    EXPECT_EQ(clean.pixel(150, 40), rgb(HSVtoRGB(200, 72, 59)));
    EXPECT_EQ(clean.pixel(150, kH - 1), 0u);
}

TEST_F(PanelPicker, MarkersAtCreationAreClippedOutlines)
{
    EXPECT_EQ(box.hueMarker(), (HsvBoxModel::MarkerRect{213, 97, 233, 101}));
    EXPECT_EQ(box.svMarker(), (HsvBoxModel::MarkerRect{-3, 96, 3, 102}));
    const Picture24 clean = withoutMarkers(box);
    const auto changed = changedPixels(clean, box.PickerBitmap());
    std::set<Point> expected = outline(213, 97, 233, 101);
    expected.merge(outline(-3, 96, 3, 102));
    EXPECT_EQ(changed.size(), 30u);
    EXPECT_EQ(changed, expected);
    for (const auto &[x, y] : changed)
        EXPECT_EQ(box.PickerBitmap().pixel(x, y), clean.pixel(x, y) ^ 0xFFFFFFu);
}

TEST_F(PanelPicker, MarkersFollowTheState)
{
    box.setHue(180);
    box.setSat(50);
    box.setVal(50);
    // y = Round(99 x 179 / 359) = 49; x = Round(50 / 99 x 207) = 105;
    // g = Round(99 x 50 / 99) = 50.
    EXPECT_EQ(box.hueMarker(), (HsvBoxModel::MarkerRect{213, 47, 233, 51}));
    EXPECT_EQ(box.svMarker(), (HsvBoxModel::MarkerRect{102, 46, 108, 52}));
    std::set<Point> expected = outline(213, 47, 233, 51);
    expected.merge(outline(102, 46, 108, 52));
    EXPECT_EQ(expected.size(), 64u);
    EXPECT_EQ(changedPixels(withoutMarkers(box), box.PickerBitmap()), expected);
}

TEST_F(PanelPicker, TogglingTwiceRestoresThePicture)
{
    box.setHue(77);
    box.setSat(33);
    box.setVal(88);
    const Picture24 before = box.PickerBitmap();
    box.ToggleMarkers();
    EXPECT_NE(box.PickerBitmap(), before);
    box.ToggleMarkers();
    EXPECT_EQ(box.PickerBitmap(), before);
}

TEST_F(PanelPicker, PressAtTheSquareCorners)
{
    EXPECT_TRUE(box.mousePress(0, 99));
    EXPECT_EQ(box.dragZone(), HsvBoxModel::SquareZone);
    EXPECT_EQ(box.Sat(), 0);
    EXPECT_EQ(box.Val(), 0);
    EXPECT_EQ(box.Color(), 0u);
    box.mouseRelease();
    EXPECT_EQ(box.dragZone(), HsvBoxModel::NoZone);

    EXPECT_TRUE(box.mousePress(207, 0));
    EXPECT_EQ(box.Sat(), 99);
    EXPECT_EQ(box.Val(), 99);
    EXPECT_EQ(box.Hue(), 0);
    EXPECT_EQ(box.Color(), 0x0000FFu) << "red sits in the low byte";
}

TEST_F(PanelPicker, PressAtTheEndsOfTheHueBar)
{
    EXPECT_TRUE(box.mousePress(213, 0));
    EXPECT_EQ(box.dragZone(), HsvBoxModel::BarZone);
    EXPECT_EQ(box.Hue(), 359);
    box.mouseRelease();
    EXPECT_TRUE(box.mousePress(232, 99));
    EXPECT_EQ(box.Hue(), 0);
    box.mouseRelease();
    EXPECT_TRUE(box.mousePress(220, 50)); // 359 - Round(181.3)
    EXPECT_EQ(box.Hue(), 178);
    // The square was repainted for the new hue.
    EXPECT_EQ(withoutMarkers(box).pixel(207, 0), rgb(HSVtoRGB(178, 99, 99)));
}

TEST_F(PanelPicker, PressInTheGapChangesNothing)
{
    box.setHue(90);
    box.setSat(40);
    box.setVal(60);
    const Picture24 before = box.PickerBitmap();
    const std::uint32_t colour = box.Color();
    for (int x = 208; x <= 212; ++x) {
        EXPECT_FALSE(box.mousePress(x, 50));
        EXPECT_EQ(box.dragZone(), HsvBoxModel::NoZone);
        box.mouseRelease();
    }
    EXPECT_EQ(box.Color(), colour);
    EXPECT_EQ(box.PickerBitmap(), before);
    EXPECT_FALSE(box.PickAt(210, 50));
    EXPECT_EQ(box.PickerBitmap(), before);
}

TEST_F(PanelPicker, DragFromTheSquareStaysInTheSquare)
{
    box.setHue(45);
    ASSERT_TRUE(box.mousePress(100, 50));
    EXPECT_TRUE(box.mouseMove(230, 20)); // over the bar: rightmost column
    EXPECT_EQ(box.Sat(), 99);
    EXPECT_EQ(box.Val(), 79);
    EXPECT_EQ(box.Hue(), 45);
    EXPECT_TRUE(box.mouseMove(210, 500)); // over the gap, below the control
    EXPECT_EQ(box.Sat(), 99);
    EXPECT_EQ(box.Val(), 0);
    EXPECT_TRUE(box.mouseMove(-40, -40));
    EXPECT_EQ(box.Sat(), 0);
    EXPECT_EQ(box.Val(), 99);
    EXPECT_EQ(box.Hue(), 45);
    box.mouseRelease();
    EXPECT_FALSE(box.mouseMove(100, 50));
    EXPECT_EQ(box.Sat(), 0);
}

TEST_F(PanelPicker, DragFromTheBarStaysInTheBar)
{
    box.setSat(20);
    box.setVal(30);
    ASSERT_TRUE(box.mousePress(220, 50));
    EXPECT_TRUE(box.mouseMove(5, 10)); // over the square: first bar column
    EXPECT_EQ(box.Hue(), 323);         // 359 - Round(36.26)
    EXPECT_EQ(box.Sat(), 20);
    EXPECT_EQ(box.Val(), 30);
    EXPECT_TRUE(box.mouseMove(1000, -7));
    EXPECT_EQ(box.Hue(), 359);
}

TEST_F(PanelPicker, DragStartedInTheGapPicksNothing)
{
    const Picture24 before = box.PickerBitmap();
    EXPECT_FALSE(box.mousePress(210, 40));
    EXPECT_FALSE(box.mouseMove(50, 40));
    EXPECT_FALSE(box.mouseMove(220, 40));
    EXPECT_EQ(box.Sat(), 0);
    EXPECT_EQ(box.Hue(), 0);
    EXPECT_EQ(box.PickerBitmap(), before);
}

TEST_F(PanelPicker, SettersClampAndRecomputeTheColour)
{
    box.setHue(400);
    EXPECT_EQ(box.Hue(), 359);
    box.setHue(-3);
    EXPECT_EQ(box.Hue(), 0);
    box.setSat(-5);
    EXPECT_EQ(box.Sat(), 0);
    box.setSat(150);
    EXPECT_EQ(box.Sat(), 99);
    box.setVal(100);
    EXPECT_EQ(box.Val(), 99);
    box.setVal(-1);
    EXPECT_EQ(box.Val(), 0);
    box.setVal(70);
    box.setHue(120);
    const RgbColour expected = HSVtoRGB(120, 99, 70);
    EXPECT_EQ(box.Red(), expected.red);
    EXPECT_EQ(box.Green(), expected.green);
    EXPECT_EQ(box.Blue(), expected.blue);
    EXPECT_EQ(box.dragZone(), HsvBoxModel::NoZone);
}

TEST_F(PanelPicker, SaturationAndValueLeaveTheSquareAlone)
{
    box.setHue(250);
    Picture24 before = withoutMarkers(box);
    box.setSat(60);
    box.setVal(20);
    EXPECT_EQ(withoutMarkers(box), before);
    box.setHue(10);
    EXPECT_NE(withoutMarkers(box), before);
}

// Whatever happened before, the picture equals a freshly painted one for the
// same state: no old marker leaves a trace.
TEST_F(PanelPicker, NoTraceOfOldMarkers)
{
    box.mousePress(30, 80);
    box.mouseMove(120, 10);
    box.mouseMove(400, 60);
    box.mouseRelease();
    box.mousePress(225, 3);
    box.mouseMove(225, 70);
    box.mouseRelease();
    box.mousePress(210, 0);
    box.setHue(359);
    box.setSat(99);
    box.setVal(0);
    box.mousePress(0, 0);
    box.mouseRelease();
    box.setBackground(0x00123456);
    EXPECT_EQ(box.PickerBitmap(), freshLike(box).PickerBitmap());

    box.resize(150, 60);
    box.mousePress(149, 59);
    box.mouseMove(0, 0);
    EXPECT_EQ(box.PickerBitmap().width(), 150);
    EXPECT_EQ(box.PickerBitmap(), freshLike(box).PickerBitmap());
}

TEST_F(PanelPicker, BackgroundFillsTheGap)
{
    box.setBackground(0x00336699); // red 0x99, green 0x66, blue 0x33
    const Picture24 clean = withoutMarkers(box);
    for (int x = 208; x <= 212; ++x)
        EXPECT_EQ(clean.pixel(x, 10), 0x996633u);
    EXPECT_EQ(box.Background(), 0x00336699u);
}

// Sizes the program never uses must still be safe: nothing out of range, no
// division by zero.
TEST(HsvBoxModel, TinyControlsStaySafe)
{
    const std::pair<int, int> sizes[] = {{0, 0}, {-5, 10}, {1, 1}, {26, 1}, {27, 2}, {10, 50}, {24, 3}};
    for (const auto &[w, h] : sizes) {
        HsvBoxModel box(w, h);
        for (int x : {0, w / 2, w - 1}) {
            for (int y : {0, h - 1}) {
                box.mousePress(x, y);
                box.mouseMove(x + 100, y - 100);
                box.mouseMove(-100, y + 100);
                box.mouseRelease();
            }
        }
        box.setHue(200);
        box.setSat(50);
        box.setVal(50);
        EXPECT_GE(box.Hue(), 0);
        EXPECT_LE(box.Hue(), 359);
        EXPECT_GE(box.Sat(), 0);
        EXPECT_LE(box.Sat(), 99);
        EXPECT_GE(box.Val(), 0);
        EXPECT_LE(box.Val(), 99);
        EXPECT_EQ(box.PickerBitmap(), freshLike(box).PickerBitmap()) << w << "x" << h;
    }
}
