#include "ResizeGeometry.h"

#include <gtest/gtest.h>

#include <ostream>

static std::ostream &operator<<(std::ostream &os, const Bounds &b)
{
    return os << "{" << b.left << ", " << b.top << ", " << b.width << ", " << b.height << "}";
}

// The frame used throughout: a control at (10, 20) of 100 x 50.
static const Bounds kControl{10, 20, 100, 50};
static const Bounds kHandle{8, 18, 105, 55};

TEST(ResizeFrame, HandleSitsTwoBeforeAndThreeAfterTheControl)
{
    EXPECT_EQ(HandleBoundsFor(kControl), kHandle);
    EXPECT_EQ(FramedArea(kHandle), kControl);
    EXPECT_EQ(HandleBoundsFor({-30, -40, 1, 1}), (Bounds{-32, -42, 6, 6}));
}

TEST(ResizeFrame, WideningCoversASecondControl)
{
    // Second control up and to the right: the frame grows up and right only.
    EXPECT_EQ(WidenHandleBounds(kHandle, {200, 5, 30, 30}), (Bounds{8, 3, 225, 70}));
    // A control to the left and below grows it the other way.
    EXPECT_EQ(WidenHandleBounds(kHandle, {0, 60, 20, 40}), (Bounds{-2, 18, 115, 85}));
    // Already covered: nothing changes.
    EXPECT_EQ(WidenHandleBounds(kHandle, {30, 30, 10, 10}), kHandle);
    // The widened frame's area holds both controls exactly at its edges.
    const Bounds area = FramedArea(WidenHandleBounds(kHandle, {200, 5, 30, 30}));
    EXPECT_EQ(area.left, 10);
    EXPECT_EQ(area.top, 5);
    EXPECT_EQ(area.right(), 230);
    EXPECT_EQ(area.bottom(), 70);
}

TEST(ResizeFrame, InsideMeansTheControlGrownByTwo)
{
    EXPECT_TRUE(InsideFrame(kControl, {8, 18}));
    EXPECT_FALSE(InsideFrame(kControl, {7, 18}));
    EXPECT_FALSE(InsideFrame(kControl, {8, 17}));
    EXPECT_TRUE(InsideFrame(kControl, {111, 71}));
    EXPECT_FALSE(InsideFrame(kControl, {112, 50}));
    EXPECT_FALSE(InsideFrame(kControl, {50, 72}));
}

TEST(ResizeGrips, CornersAndEdgeMiddles)
{
    // The frame rectangle of kControl in handle coordinates.
    const auto squares = GripSquares({0, 0, 104, 54});
    const std::array<Bounds, 8> expected{{
        {0, 0, 10, 10}, {94, 0, 10, 10}, {0, 44, 10, 10}, {94, 44, 10, 10},
        {50, 0, 5, 5}, {0, 25, 5, 5}, {50, 49, 5, 5}, {99, 25, 5, 5},
    }};
    for (std::size_t i = 0; i < squares.size(); ++i)
        EXPECT_EQ(squares[i], expected[i]) << "square " << i;
}

TEST(ResizeGrips, OddSizesDropTheHalfPixel)
{
    const auto squares = GripSquares({4, 6, 11, 9});
    EXPECT_EQ(squares[4], (Bounds{7, 6, 5, 5}));  // 4 + 11/2 - 2
    EXPECT_EQ(squares[5], (Bounds{4, 8, 5, 5}));  // 6 + 9/2 - 2
}

struct ZoneCase
{
    int x, y, w, h;
    GrabZone zone;
};

class GrabZoneTable : public ::testing::TestWithParam<ZoneCase> {};

TEST_P(GrabZoneTable, ZoneUnderPointer)
{
    const ZoneCase c = GetParam();
    EXPECT_EQ(GrabZoneAt(c.x, c.y, c.w, c.h), c.zone) << "at " << c.x << "," << c.y;
}

INSTANTIATE_TEST_SUITE_P(LargeHandle, GrabZoneTable, ::testing::Values(
    ZoneCase{0, 0, 105, 55, GrabZone::TopLeft},
    ZoneCase{9, 9, 105, 55, GrabZone::TopLeft},
    ZoneCase{10, 0, 105, 55, GrabZone::Body},
    ZoneCase{105, 55, 105, 55, GrabZone::BottomRight},
    ZoneCase{96, 46, 105, 55, GrabZone::BottomRight},
    ZoneCase{104, 0, 105, 55, GrabZone::TopRight},
    ZoneCase{0, 54, 105, 55, GrabZone::BottomLeft},
    ZoneCase{52, 0, 105, 55, GrabZone::Top},
    ZoneCase{54, 4, 105, 55, GrabZone::Top},
    ZoneCase{55, 0, 105, 55, GrabZone::Body},
    ZoneCase{50, 51, 105, 55, GrabZone::Bottom},
    ZoneCase{0, 27, 105, 55, GrabZone::Left},
    ZoneCase{105, 25, 105, 55, GrabZone::Right},
    ZoneCase{50, 27, 105, 55, GrabZone::Body}));

// On a tiny handle every test hits; the later ones in the order win.
INSTANTIATE_TEST_SUITE_P(SmallHandle, GrabZoneTable, ::testing::Values(
    ZoneCase{5, 0, 10, 10, GrabZone::Top},
    ZoneCase{5, 10, 10, 10, GrabZone::Bottom},
    ZoneCase{0, 5, 10, 10, GrabZone::Left},
    ZoneCase{10, 5, 10, 10, GrabZone::Right},
    ZoneCase{1, 1, 10, 10, GrabZone::BottomLeft},
    ZoneCase{9, 1, 10, 10, GrabZone::BottomLeft},
    ZoneCase{1, 1, 10, 30, GrabZone::TopRight},
    ZoneCase{9, 9, 10, 10, GrabZone::BottomLeft}));

TEST(ResizeDragPoint, ClampedToTheParentWithBothEndsIncluded)
{
    EXPECT_EQ(ClampToArea({-5, 300}, 200, 100), (PixelPoint{0, 100}));
    EXPECT_EQ(ClampToArea({200, 100}, 200, 100), (PixelPoint{200, 100}));
    EXPECT_EQ(ClampToArea({201, -1}, 200, 100), (PixelPoint{200, 0}));
    EXPECT_EQ(ClampToArea({7, 8}, 200, 100), (PixelPoint{7, 8}));
}

TEST(ResizeSnap, MultiplesOfTheGridTowardZero)
{
    EXPECT_EQ(SnapToGridValue(17, 8), 16);
    EXPECT_EQ(SnapToGridValue(16, 8), 16);
    EXPECT_EQ(SnapToGridValue(7, 8), 0);
    EXPECT_EQ(SnapToGridValue(-7, 8), 0);
    EXPECT_EQ(SnapToGridValue(-9, 8), -8);
    EXPECT_EQ(SnapToGridValue(13, 1), 13);
    EXPECT_EQ(SnapToGridValue(13, 0), 13);
    EXPECT_EQ(SnapToGridValue(13, -4), 13);
}

struct DragCase
{
    const char *name;
    GrabZone zone;
    int dx, dy;
    int gridX, gridY;
    Bounds expected; // handle bounds after the drag, from kHandle
};

class DragTable : public ::testing::TestWithParam<DragCase> {};

TEST_P(DragTable, NewBounds)
{
    const DragCase c = GetParam();
    const PixelPoint start{40, 30};
    const Bounds got = DraggedBounds(c.zone, kHandle, start, {start.x + c.dx, start.y + c.dy}, c.gridX, c.gridY);
    EXPECT_EQ(got, c.expected);
    // The frame stays 2 before and 3 after whatever it frames.
    EXPECT_EQ(HandleBoundsFor(FramedArea(got)), got);
}

INSTANTIATE_TEST_SUITE_P(Grid1, DragTable, ::testing::Values(
    DragCase{"BodyStill", GrabZone::Body, 0, 0, 1, 1, kHandle},
    DragCase{"BodyOnePixelRight", GrabZone::Body, 1, 0, 1, 1, {9, 18, 105, 55}},
    DragCase{"BodyAnyWay", GrabZone::Body, 5, -3, 1, 1, {13, 15, 105, 55}},
    DragCase{"BottomRight", GrabZone::BottomRight, 10, 20, 1, 1, {8, 18, 115, 75}},
    DragCase{"TopLeft", GrabZone::TopLeft, 10, 5, 1, 1, {18, 23, 95, 50}},
    DragCase{"TopRight", GrabZone::TopRight, 7, -4, 1, 1, {8, 14, 112, 59}},
    DragCase{"BottomLeft", GrabZone::BottomLeft, -3, 6, 1, 1, {5, 18, 108, 61}},
    DragCase{"TopIgnoresX", GrabZone::Top, 4, 4, 1, 1, {8, 22, 105, 51}},
    DragCase{"LeftIgnoresY", GrabZone::Left, -4, 9, 1, 1, {4, 18, 109, 55}},
    DragCase{"BottomIgnoresX", GrabZone::Bottom, 9, -10, 1, 1, {8, 18, 105, 45}},
    DragCase{"RightIgnoresY", GrabZone::Right, -30, 3, 1, 1, {8, 18, 75, 55}}),
    [](const auto &info) { return std::string(info.param.name); });

// Pulling a grip past the opposite side stops at the minimum; the grabbed
// edge keeps following the pointer and carries the frame along.
INSTANTIATE_TEST_SUITE_P(Minimum, DragTable, ::testing::Values(
    DragCase{"TopLeftPastBottomRight", GrabZone::TopLeft, 200, 100, 1, 1, {208, 118, 10, 10}},
    DragCase{"BottomRightPastTopLeft", GrabZone::BottomRight, -200, -100, 1, 1, {8, 18, 10, 10}},
    DragCase{"RightExactlyToMinimum", GrabZone::Right, -95, 0, 1, 1, {8, 18, 10, 55}},
    DragCase{"TopPastBottom", GrabZone::Top, 0, 60, 1, 1, {8, 78, 105, 10}}),
    [](const auto &info) { return std::string(info.param.name); });

// The grid lines up the framed control's edges and sizes, not the frame's.
INSTANTIATE_TEST_SUITE_P(Snapping, DragTable, ::testing::Values(
    DragCase{"BodyGrid8", GrabZone::Body, 5, 0, 8, 8, {6, 14, 105, 55}},
    DragCase{"BodyGrid8FarEnough", GrabZone::Body, 7, 13, 8, 8, {14, 30, 105, 55}},
    DragCase{"BottomRightGrid8", GrabZone::BottomRight, 5, 5, 8, 8, {8, 18, 109, 53}},
    DragCase{"TopLeftGrid8", GrabZone::TopLeft, 3, 3, 8, 8, {6, 14, 107, 59}},
    DragCase{"GridXOnly", GrabZone::Body, 3, 3, 8, 1, {6, 21, 105, 55}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ResizeFollow, ControlsTakeTheHandlesDifferences)
{
    EXPECT_EQ(NudgedBounds(kHandle, -1, 0), (Bounds{7, 18, 105, 55}));
    EXPECT_EQ(NudgedBounds(kHandle, 0, 1), (Bounds{8, 19, 105, 55}));

    const Bounds moved{9, 17, 110, 45};
    EXPECT_EQ(FollowHandle(kControl, kHandle, moved), (Bounds{11, 19, 105, 40}));
    // A control framed together with a larger one, beside it in the group.
    EXPECT_EQ(FollowHandle({200, 5, 30, 30}, kHandle, moved), (Bounds{201, 4, 35, 20}));
}

TEST(ResizeFollow, SmallerMemberOfAGroupKeepsAPixel)
{
    // The group's frame shrinks by 50 x 40; a 30 x 30 member can not follow.
    const Bounds group{8, 3, 225, 70};
    const Bounds shrunk{8, 3, 175, 30};
    EXPECT_EQ(FollowHandle({200, 5, 30, 30}, group, shrunk), (Bounds{200, 5, 1, 1}));
}
