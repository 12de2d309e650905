#include "Picture24.h"
#include "ViewLayout.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>
#include <string>
#include <vector>

namespace {

ViewLayout makeLayout(int w, int h, int cw, int ch, int zoom, bool center = false,
                      int outerW = -1, int outerH = -1)
{
    ViewLayout l;
    l.setBitmapSize(w, h);
    l.setClientSize(cw, ch);
    // By default the control is the client plus a one-pixel border.
    l.setOuterSize(outerW < 0 ? cw + 2 : outerW, outerH < 0 ? ch + 2 : outerH);
    l.setZoom(zoom);
    l.setCenter(center);
    return l;
}

// ---------------------------------------------------------------- rounding

struct RoundCase
{
    double value;
    int expected;
};

void PrintTo(const RoundCase &c, std::ostream *os)
{
    *os << c.value << " -> " << c.expected;
}

class RoundTest : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundTest, HalfToEven)
{
    EXPECT_EQ(ViewLayout::Round(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Ties, RoundTest,
                         ::testing::Values(RoundCase{0.5, 0}, RoundCase{1.5, 2}, RoundCase{2.5, 2},
                                           RoundCase{3.5, 4}, RoundCase{-0.5, 0},
                                           RoundCase{-1.5, -2}, RoundCase{-2.5, -2},
                                           RoundCase{2.4999, 2}, RoundCase{2.5001, 3},
                                           RoundCase{-2.6, -3}, RoundCase{7.0, 7}));

TEST(RoundTest, HugeValuesDoNotOverflow)
{
    EXPECT_GT(ViewLayout::Round(1e30), 0);
    EXPECT_LT(ViewLayout::Round(-1e30), 0);
    EXPECT_EQ(ViewLayout::Round(std::numeric_limits<double>::quiet_NaN()), 0);
}

// ------------------------------------------------------------------ layout

struct LayoutCase
{
    const char *name;
    int w, h, cw, ch, zoom;
    bool center;
    int zoomedW, zoomedH, drawnW, drawnH, offsetX, offsetY, maxX, maxY;
};

class LayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(LayoutTest, DerivedValues)
{
    const LayoutCase &c = GetParam();
    const ViewLayout l = makeLayout(c.w, c.h, c.cw, c.ch, c.zoom, c.center);
    EXPECT_EQ(l.ZoomedWidth(), c.zoomedW);
    EXPECT_EQ(l.ZoomedHeight(), c.zoomedH);
    EXPECT_EQ(l.DrawnWidth(), c.drawnW);
    EXPECT_EQ(l.DrawnHeight(), c.drawnH);
    EXPECT_EQ(l.OffsetX(), c.offsetX);
    EXPECT_EQ(l.OffsetY(), c.offsetY);
    EXPECT_EQ(l.MaxViewX(), c.maxX);
    EXPECT_EQ(l.MaxViewY(), c.maxY);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, LayoutTest,
    ::testing::Values(
        // A 400 x 300 picture in a 300 x 200 client.
        LayoutCase{"Half", 400, 300, 300, 200, 50, false, 200, 150, 200, 150, 0, 0, 0, 0},
        LayoutCase{"HalfCentred", 400, 300, 300, 200, 50, true, 200, 150, 200, 150, 50, 25, 0, 0},
        LayoutCase{"Double", 400, 300, 300, 200, 200, false, 800, 600, 300, 200, 0, 0, 500, 400},
        // Centring only applies on an axis where the picture is smaller.
        LayoutCase{"WideCentred", 1000, 100, 300, 200, 100, true, 1000, 100, 300, 100, 0, 50, 700, 0},
        // Fits the control with its border: nothing to scroll, though a
        // pixel of each edge is beyond the client.
        LayoutCase{"FitsOuter", 301, 201, 300, 200, 100, false, 301, 201, 300, 200, 0, 0, 0, 0},
        LayoutCase{"JustTooBig", 303, 201, 300, 200, 100, false, 303, 201, 300, 200, 0, 0, 3, 1},
        // Ties of the zoomed size round to even.
        LayoutCase{"TieDown", 5, 5, 100, 100, 50, false, 2, 2, 2, 2, 0, 0, 0, 0},
        LayoutCase{"TieUp", 7, 7, 100, 100, 50, false, 4, 4, 4, 4, 0, 0, 0, 0},
        // Too small to show at all.
        LayoutCase{"ZeroZoomed", 40, 40, 100, 100, 1, true, 0, 0, 0, 0, 50, 50, 0, 0},
        LayoutCase{"NoPicture", 0, 0, 100, 100, 100, false, 0, 0, 0, 0, 0, 0, 0, 0}),
    [](const ::testing::TestParamInfo<LayoutCase> &info) { return std::string(info.param.name); });

TEST(LayoutTest, OffsetsClampToTheScrollRange)
{
    const ViewLayout l = makeLayout(400, 300, 300, 200, 200);
    EXPECT_EQ(l.clampViewX(900), 500);
    EXPECT_EQ(l.clampViewX(-3), 0);
    EXPECT_EQ(l.clampViewX(123), 123);
    EXPECT_EQ(l.clampViewY(401), 400);
    EXPECT_EQ(l.clampViewY(-1), 0);
    // Nothing to scroll at zoom 50.
    const ViewLayout half = makeLayout(400, 300, 300, 200, 50);
    EXPECT_EQ(half.clampViewX(10), 0);
    EXPECT_EQ(half.clampViewY(10), 0);
}

TEST(LayoutTest, ScrollBarsFollowTheMaximum)
{
    ViewLayout l = makeLayout(400, 300, 300, 200, 200);
    l.setView(120, 7);
    const ViewScrollBar h = l.horizontalScrollBar();
    EXPECT_TRUE(h.visible);
    EXPECT_EQ(h.maximum, 500);
    EXPECT_EQ(h.page, 300);
    EXPECT_EQ(h.position, 120);
    EXPECT_EQ(h.rangeEnd(), 799);  // 0 ... client + Max - 1
    const ViewScrollBar v = l.verticalScrollBar();
    EXPECT_TRUE(v.visible);
    EXPECT_EQ(v.maximum, 400);
    EXPECT_EQ(v.page, 200);
    EXPECT_EQ(v.position, 7);

    const ViewLayout half = makeLayout(400, 300, 300, 200, 50);
    EXPECT_FALSE(half.horizontalScrollBar().visible);
    EXPECT_FALSE(half.verticalScrollBar().visible);
    // A maximum of exactly 1 still shows the bar.
    const ViewLayout one = makeLayout(303, 150, 302, 200, 100, false, 302, 202);
    EXPECT_EQ(one.MaxViewX(), 1);
    EXPECT_TRUE(one.horizontalScrollBar().visible);
}

TEST(LayoutTest, AutoFitZoom)
{
    // The control's outer size, width and height each truncated.
    EXPECT_EQ(ViewLayout::autoFitZoom(400, 300, 302, 202), 67);
    EXPECT_EQ(ViewLayout::autoFitZoom(400, 300, 800, 1000), 200);
    EXPECT_EQ(ViewLayout::autoFitZoom(0, 300, 302, 202), 0);
    EXPECT_EQ(ViewLayout::autoFitZoom(400, 0, 302, 202), 0);
    // Far too big for the control: still a usable zoom, never 0.
    EXPECT_EQ(ViewLayout::autoFitZoom(60000, 60000, 10, 10), 1);
}

// ------------------------------------------------------------- conversions

struct ConversionCase
{
    const char *name;
    int zoom;
    bool center;
    int viewX, viewY;
    int client;     // window x (and y) converted to the picture
    int pictureX;   // expected
    int pictureY;
    int picture;    // picture x (and y) converted to the window
    int clientX;    // expected
    int clientY;
};

class ConversionTest : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(ConversionTest, BothDirections)
{
    const ConversionCase &c = GetParam();
    ViewLayout l = makeLayout(400, 300, 300, 200, c.zoom, c.center);
    l.setView(c.viewX, c.viewY);
    EXPECT_EQ(l.ClientToPictureX(c.client), c.pictureX);
    EXPECT_EQ(l.ClientToPictureY(c.client), c.pictureY);
    EXPECT_EQ(l.PictureToClientX(c.picture), c.clientX);
    EXPECT_EQ(l.PictureToClientY(c.picture), c.clientY);
}

INSTANTIATE_TEST_SUITE_P(
    Formulas, ConversionTest,
    ::testing::Values(
        ConversionCase{"Identity", 100, false, 0, 0, 37, 37, 37, 37, 37, 37},
        // 0.5 x (10 + 100) = 55; 0.5 x (10 + 50) = 30.
        ConversionCase{"DoubleScrolled", 200, false, 100, 50, 10, 55, 30, 55, 10, 60},
        // 0.5 x (1 + 100) = 50.5 rounds to the even 50, 0.5 x 51 = 25.5 to 26.
        ConversionCase{"DoubleTie", 200, false, 100, 50, 1, 50, 26, 50, 0, 50},
        // Centred at zoom 50: offsets 50 and 25; 1.5 + 50 = 51.5 -> 52 and
        // 1.5 + 25 = 26.5 -> 26.
        ConversionCase{"HalfCentred", 50, true, 0, 0, 51, 2, 52, 3, 52, 26},
        ConversionCase{"LeftOfPicture", 50, true, 0, 0, 0, -100, -50, 0, 50, 25},
        // 100/300 x 7 = 2.33 and 300 x 10 / 100 = 30 minus the offset 100.
        ConversionCase{"Triple", 300, false, 100, 100, 7, 36, 36, 10, -70, -70}),
    [](const ::testing::TestParamInfo<ConversionCase> &info) { return std::string(info.param.name); });

// ------------------------------------------------------- source rectangle

TEST(SourceRectTest, DoubleZoomAtTheFarCorner)
{
    ViewLayout l = makeLayout(400, 300, 300, 200, 200);
    l.setView(500, 400);
    EXPECT_EQ(l.sourceRect(), (ViewRect{250, 200, 150, 100}));
    EXPECT_EQ(l.drawnRect(), (ViewRect{0, 0, 300, 200}));
}

TEST(SourceRectTest, WholePictureWhenItFits)
{
    const ViewLayout l = makeLayout(400, 300, 300, 200, 50, true);
    EXPECT_EQ(l.sourceRect(), (ViewRect{0, 0, 400, 300}));
    EXPECT_EQ(l.drawnRect(), (ViewRect{50, 25, 200, 150}));
}

TEST(SourceRectTest, WidthShrinksWhenRoundingRunsPastTheEdge)
{
    // 7 pixels at zoom 200 in an 11-pixel client, scrolled to 3: the start
    // 1.5 and the width 5.5 both round up to 2 + 6 > 7.
    ViewLayout l = makeLayout(7, 7, 11, 11, 200);
    ASSERT_EQ(l.MaxViewX(), 3);
    l.setView(3, 3);
    EXPECT_EQ(l.sourceRect(), (ViewRect{2, 2, 5, 5}));
}

TEST(SourceRectTest, ZeroZoomedSizeDrawsNothing)
{
    // 40 x 40 at zoom 1 zooms to 0 x 0: nothing to draw, and no division by
    // the zoomed size.
    ViewLayout l = makeLayout(40, 40, 100, 100, 1);
    EXPECT_TRUE(l.sourceRect().isEmpty());
    EXPECT_TRUE(l.drawnRect().isEmpty());
    Picture24 picture(40, 40);
    std::vector<std::uint8_t> out(16, 0xAB);
    l.renderDrawn(picture, out.data(), 4);
    EXPECT_EQ(out, std::vector<std::uint8_t>(16, 0xAB));

    // One axis only: a 1-pixel-high strip at zoom 49.
    ViewLayout strip = makeLayout(100, 1, 100, 100, 49);
    EXPECT_EQ(strip.ZoomedHeight(), 0);
    EXPECT_TRUE(strip.sourceRect().isEmpty());
    EXPECT_EQ(strip.MaxViewX(), 0);
}

TEST(SourceRectTest, StaleOffsetsStayInsideThePicture)
{
    // Offsets from a bigger picture before the view clamps them.
    ViewLayout l = makeLayout(10, 10, 5, 5, 100);
    l.setView(1000, 1000);
    const ViewRect r = l.sourceRect();
    EXPECT_GE(r.x, 0);
    EXPECT_GE(r.width, 1);
    EXPECT_LE(r.x + r.width, 10);
    EXPECT_LE(r.y + r.height, 10);
}

// ------------------------------------------------------------- resampling

TEST(StretchTest, IndexMaps)
{
    EXPECT_EQ(ViewLayout::stretchIndices(0, 2, 4), (std::vector<int>{0, 0, 1, 1}));
    EXPECT_EQ(ViewLayout::stretchIndices(10, 4, 2), (std::vector<int>{10, 12}));
    EXPECT_EQ(ViewLayout::stretchIndices(3, 3, 3), (std::vector<int>{3, 4, 5}));
    EXPECT_TRUE(ViewLayout::stretchIndices(0, 0, 3).empty());
    EXPECT_TRUE(ViewLayout::stretchIndices(0, 3, 0).empty());
}

Picture24 numberedPicture(int w, int h)
{
    // Every pixel's colour names its position.
    Picture24 p(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            p.setPixel(x, y, std::uint32_t(x) << 12 | std::uint32_t(y));
    return p;
}

std::uint32_t outPixel(const std::vector<std::uint8_t> &out, int stride, int x, int y)
{
    const std::uint8_t *p = out.data() + y * stride + 3 * x;
    return std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
}

TEST(StretchTest, RenderDoubleZoomRepeatsEachPixel)
{
    const Picture24 picture = numberedPicture(40, 30);
    ViewLayout l = makeLayout(40, 30, 20, 16, 200);
    l.setView(l.clampViewX(10), l.clampViewY(4));
    const int stride = 20 * 3 + 4;
    std::vector<std::uint8_t> out(static_cast<std::size_t>(stride) * 16);
    l.renderDrawn(picture, out.data(), stride);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(outPixel(out, stride, x, y), picture.pixel(5 + x / 2, 2 + y / 2))
                << "at " << x << "," << y;
}

TEST(StretchTest, RenderHalfZoomTakesEveryOtherPixel)
{
    const Picture24 picture = numberedPicture(40, 30);
    const ViewLayout l = makeLayout(40, 30, 100, 100, 50);
    const int stride = 20 * 3;
    std::vector<std::uint8_t> out(static_cast<std::size_t>(stride) * 15);
    l.renderDrawn(picture, out.data(), stride);
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(outPixel(out, stride, x, y), picture.pixel(2 * x, 2 * y));
}

TEST(StretchTest, RenderRefusesAPictureOfAnotherSize)
{
    const Picture24 picture = numberedPicture(8, 8);
    const ViewLayout l = makeLayout(40, 30, 100, 100, 100);
    std::vector<std::uint8_t> out(100 * 3 * 30, 0x11);
    l.renderDrawn(picture, out.data(), 100 * 3);
    EXPECT_EQ(out, std::vector<std::uint8_t>(100 * 3 * 30, 0x11));
}

} // namespace
