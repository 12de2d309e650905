#include "PolygonSelection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// ------------------------------------------------------------ point list

TEST(PolygonStorageTest, GrowsInBlocksOf64)
{
    PolygonSelection s;
    s.addPoint({1, 1});
    EXPECT_EQ(s.capacity(), 64u);
    for (int i = 1; i < 64; ++i)
        s.addPoint({i, i});
    EXPECT_EQ(s.count(), 64u);
    EXPECT_EQ(s.capacity(), 64u);
    s.addPoint({99, 99});
    EXPECT_EQ(s.capacity(), 128u);
    EXPECT_EQ(s.points().back(), (ViewPoint{99, 99}));
}

TEST(PolygonStorageTest, BoundsFollowEveryPoint)
{
    PolygonSelection s;
    s.addPoint({10, 20});
    EXPECT_EQ(s.bounds(), (ViewBounds{10, 20, 10, 20}));
    s.addPoint({5, 30});
    EXPECT_EQ(s.bounds(), (ViewBounds{5, 20, 10, 30}));
    s.addPoint({40, 1});
    EXPECT_EQ(s.bounds(), (ViewBounds{5, 1, 40, 30}));
    s.addPoint({7, 7});  // inside: no change
    EXPECT_EQ(s.bounds(), (ViewBounds{5, 1, 40, 30}));
}

TEST(PolygonStorageTest, DoubleClickDropsItsOwnPointAndCloses)
{
    PolygonSelection s;
    s.setInProgress(true);
    for (ViewPoint p : {ViewPoint{0, 0}, ViewPoint{10, 0}, ViewPoint{10, 10}, ViewPoint{0, 10},
                        ViewPoint{5, 5}})
        s.addPoint(p);
    s.addPoint({50, 60});  // added by the double click's second press
    ASSERT_EQ(s.count(), 6u);
    EXPECT_TRUE(s.closeByDoubleClick());
    EXPECT_EQ(s.count(), 5u);
    EXPECT_FALSE(s.inProgress());
    EXPECT_EQ(s.points().back(), (ViewPoint{5, 5}));
    // The dropped point no longer widens the box.
    EXPECT_EQ(s.bounds(), (ViewBounds{0, 0, 10, 10}));

    // A closed polygon is left alone by a further double click.
    EXPECT_FALSE(s.closeByDoubleClick());
    EXPECT_EQ(s.count(), 5u);
}

TEST(PolygonStorageTest, ClearEndsThePolygon)
{
    PolygonSelection s;
    s.setInProgress(true);
    s.addPoint({1, 2});
    s.clear();
    EXPECT_TRUE(s.isEmpty());
    EXPECT_FALSE(s.inProgress());
}

// ------------------------------------------------------------ Ctrl rule

struct ConstrainCase
{
    const char *name;
    ViewPoint pointer;   // the last point is (100, 100)
    ViewPoint expected;
};

class ConstrainTest : public ::testing::TestWithParam<ConstrainCase> {};

TEST_P(ConstrainTest, FromLastPoint)
{
    EXPECT_EQ(PolygonSelection::constrain({100, 100}, GetParam().pointer), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ConstrainTest,
    ::testing::Values(
        // 100 right and 10 below: a horizontal line at the same height.
        ConstrainCase{"Horizontal", {200, 110}, {200, 100}},
        ConstrainCase{"HorizontalLeft", {20, 60}, {20, 100}},
        ConstrainCase{"Vertical", {110, 200}, {100, 200}},
        ConstrainCase{"VerticalUp", {90, 20}, {100, 20}},
        // 20 right and 15 below: 20 right and 20 below.
        ConstrainCase{"RightBelowWide", {120, 115}, {120, 120}},
        ConstrainCase{"RightBelowTall", {110, 120}, {120, 120}},
        // Left and above: the longer leg is shortened.
        ConstrainCase{"LeftAboveTall", {90, 80}, {90, 90}},
        ConstrainCase{"LeftAboveWide", {80, 90}, {90, 90}},
        ConstrainCase{"LeftBelowTall", {90, 120}, {80, 120}},
        ConstrainCase{"LeftBelowWide", {80, 110}, {80, 120}},
        ConstrainCase{"LeftSameHeight", {80, 100}, {80, 120}},
        ConstrainCase{"RightAboveTall", {110, 80}, {120, 80}},
        ConstrainCase{"RightAboveWide", {120, 90}, {120, 80}},
        ConstrainCase{"StraightAbove", {100, 80}, {120, 80}},
        // Right at the same height, or straight below: unchanged.
        ConstrainCase{"RightSameHeight", {120, 100}, {120, 100}},
        ConstrainCase{"StraightBelow", {100, 120}, {100, 120}},
        ConstrainCase{"OnThePoint", {100, 100}, {100, 100}},
        // A leg exactly 30 longer is still made diagonal, 31 is not.
        ConstrainCase{"ThirtyLonger", {110, 140}, {140, 140}},
        ConstrainCase{"ThirtyOneLonger", {110, 141}, {100, 141}},
        ConstrainCase{"ThirtyWider", {140, 110}, {140, 140}},
        ConstrainCase{"ThirtyOneWider", {141, 110}, {141, 100}}),
    [](const ::testing::TestParamInfo<ConstrainCase> &info) { return std::string(info.param.name); });

// --------------------------------------------------------------- outline

TEST(EdgePixelsTest, StartIncludedEndExcluded)
{
    EXPECT_EQ(PolygonSelection::edgePixels({0, 0}, {3, 3}),
              (std::vector<ViewPoint>{{0, 0}, {1, 1}, {2, 2}}));
    EXPECT_EQ(PolygonSelection::edgePixels({3, 0}, {0, 0}),
              (std::vector<ViewPoint>{{3, 0}, {2, 0}, {1, 0}}));
    EXPECT_TRUE(PolygonSelection::edgePixels({5, 5}, {5, 5}).empty());
}

TEST(EdgePixelsTest, SteepLineIsConnected)
{
    const std::vector<ViewPoint> px = PolygonSelection::edgePixels({0, 0}, {2, 7});
    ASSERT_EQ(px.size(), 7u);
    for (std::size_t i = 0; i < px.size(); ++i) {
        EXPECT_EQ(px[i].y, int(i));
        if (i > 0) {
            EXPECT_GE(px[i].x, px[i - 1].x);
            EXPECT_LE(px[i].x - px[i - 1].x, 1);
        }
    }
    EXPECT_EQ(px.front().x, 0);
    EXPECT_LE(px.back().x, 2);
}

std::string colours(const std::vector<OutlinePixel> &pixels)
{
    std::string s;
    for (const OutlinePixel &p : pixels)
        s += p.white ? 'W' : 'B';
    return s;
}

const std::vector<ViewPoint> kCorner{{0, 0}, {4, 0}, {4, 2}};

TEST(OutlineTest, CounterRunsOnAcrossEdges)
{
    // Edge 1 has four pixels, edge 2 two; the counter starts at phase 1 and
    // keeps counting into the second edge.
    const std::vector<OutlinePixel> open = PolygonSelection::outlinePixels(kCorner, false, 1);
    EXPECT_EQ(colours(open), "BBWWWB");
    EXPECT_EQ(open[4], (OutlinePixel{4, 0, true}));
    EXPECT_EQ(open[5], (OutlinePixel{4, 1, false}));
}

TEST(OutlineTest, ClosingEdgeOnlyWhenClosed)
{
    const std::vector<OutlinePixel> closed = PolygonSelection::outlinePixels(kCorner, true, 1);
    ASSERT_EQ(closed.size(), 10u);
    EXPECT_EQ(colours(closed), "BBWWWBBBWW");
    EXPECT_EQ((ViewPoint{closed[6].x, closed[6].y}), (ViewPoint{4, 2}));
    EXPECT_EQ((ViewPoint{closed[9].x, closed[9].y}), (ViewPoint{1, 1}));
}

TEST(OutlineTest, PhaseShiftsThePattern)
{
    EXPECT_EQ(colours(PolygonSelection::outlinePixels(kCorner, false, 0)), "BBBWWW");
    EXPECT_EQ(colours(PolygonSelection::outlinePixels(kCorner, false, 3)), "WWWBBB");
    EXPECT_EQ(colours(PolygonSelection::outlinePixels(kCorner, false, 5)), "WBBBWW");
}

TEST(OutlineTest, NothingBelowTwoPoints)
{
    EXPECT_TRUE(PolygonSelection::outlinePixels({}, true, 0).empty());
    EXPECT_TRUE(PolygonSelection::outlinePixels({{3, 3}}, true, 0).empty());
}

} // namespace
