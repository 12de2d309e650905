#include "PolygonCopy.h"

#include "Picture24.h"

#include <gtest/gtest.h>

namespace {

// Every pixel a different colour, so a copied pixel tells where it came from.
Picture24 numbered(int w, int h)
{
    Picture24 p(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            p.setPixel(x, y, std::uint32_t(0x100000 + 256 * y + x));
    return p;
}

std::vector<ViewPoint> rectangle(int l, int t, int r, int b)
{
    return {{l, t}, {r, t}, {r, b}, {l, b}};
}

} // namespace

TEST(PolygonCopySpans, RectangleCoversItsPixelsLikeAFilledRegion)
{
    const auto spans = PolygonCopy::Spans(rectangle(2, 3, 6, 5));
    ASSERT_EQ(spans.size(), 2u);
    EXPECT_EQ(spans[0], (PolygonSpan{3, 2, 6}));
    EXPECT_EQ(spans[1], (PolygonSpan{4, 2, 6}));
}

TEST(PolygonCopySpans, ConcaveShapeGivesTwoRunsOnALine)
{
    // A U shape: two arms joined at the bottom.
    const std::vector<ViewPoint> u{{0, 0}, {2, 0}, {2, 4}, {4, 4}, {4, 0}, {6, 0}, {6, 6}, {0, 6}};
    const auto spans = PolygonCopy::Spans(u);
    int onLine1 = 0;
    for (const PolygonSpan &s : spans)
        if (s.y == 1)
            ++onLine1;
    EXPECT_EQ(onLine1, 2);
    EXPECT_EQ(spans.back(), (PolygonSpan{5, 0, 6}));
}

TEST(PolygonCopySpans, FewerThanThreePointsOrFlatGiveNothing)
{
    EXPECT_TRUE(PolygonCopy::Spans({}).empty());
    EXPECT_TRUE(PolygonCopy::Spans({{0, 0}, {5, 5}}).empty());
    EXPECT_TRUE(PolygonCopy::Spans({{0, 2}, {5, 2}, {9, 2}}).empty());
}

TEST(PolygonCopyIn, CopiesOnlyInsideToTheOriginAndGrowsTheScratch)
{
    const Picture24 source = numbered(20, 10);
    Picture24 scratch(10, 2);
    scratch.fill(1, 2, 3);
    // A triangle with its corner at the top left of its box.
    const std::vector<ViewPoint> tri{{4, 2}, {12, 2}, {4, 8}};
    PolygonCopy::In(source, tri, ViewPoint{0, 0}, scratch);
    EXPECT_EQ(scratch.width(), 10); // never narrower than before
    EXPECT_EQ(scratch.height(), 7);
    // The old pixels stay where the polygon does not reach.
    EXPECT_EQ(scratch.pixel(9, 1), 0x010203u);
    EXPECT_EQ(scratch.pixel(8, 1), 0x010203u);
    EXPECT_EQ(scratch.pixel(3, 0), source.pixel(7, 2));
    EXPECT_EQ(scratch.pixel(0, 5), source.pixel(4, 7));
    // Outside the triangle (bottom right of the box): untouched black.
    EXPECT_EQ(scratch.pixel(8, 6), 0u);
    EXPECT_EQ(scratch.pixel(6, 4), 0u);
}

TEST(PolygonCopyIn, NeverShrinksAndClipsAtTheSourceEdges)
{
    const Picture24 source = numbered(10, 10);
    Picture24 scratch(50, 40);
    scratch.fill(9, 9, 9);
    // Reaches beyond the source to the left and below.
    PolygonCopy::In(source, rectangle(-3, 6, 4, 14), ViewPoint{0, 0}, scratch);
    EXPECT_EQ(scratch.width(), 50);
    EXPECT_EQ(scratch.height(), 40);
    EXPECT_EQ(scratch.pixel(3, 0), source.pixel(0, 6));
    EXPECT_EQ(scratch.pixel(2, 0), 0x090909u); // left of the source
    EXPECT_EQ(scratch.pixel(3, 4), 0x090909u); // below it
}

TEST(PolygonCopyOut, RoundTripChangesOnlyThePolygon)
{
    Picture24 photo = numbered(30, 20);
    const Picture24 before = photo;
    const std::vector<ViewPoint> tri{{5, 4}, {20, 6}, {9, 15}};
    Picture24 scratch;
    PolygonCopy::In(photo, tri, ViewPoint{0, 0}, scratch);
    scratch.fill(255, 0, 0);
    PolygonCopy::Out(scratch, tri, ViewPoint{0, 0}, photo);
    int changed = 0;
    const auto spans = PolygonCopy::Spans(tri);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 30; ++x) {
            bool inside = false;
            for (const PolygonSpan &s : spans)
                inside = inside || (s.y == y && x >= s.x0 && x < s.x1);
            EXPECT_EQ(photo.pixel(x, y), inside ? 0xFF0000u : before.pixel(x, y)) << x << "," << y;
            changed += inside;
        }
    }
    EXPECT_GT(changed, 40);
}

TEST(PolygonCopyOut, FewerThanThreePointsChangeNothing)
{
    Picture24 photo = numbered(8, 8);
    const Picture24 before = photo;
    Picture24 scratch(8, 8);
    PolygonCopy::Out(scratch, {{0, 0}, {7, 7}}, ViewPoint{0, 0}, photo);
    EXPECT_EQ(photo, before);
    Picture24 untouched(3, 3);
    PolygonCopy::In(before, {{0, 0}, {7, 7}}, ViewPoint{0, 0}, untouched);
    EXPECT_EQ(untouched, Picture24(3, 3));
}
