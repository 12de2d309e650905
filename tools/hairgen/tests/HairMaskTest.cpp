#include "HairMask.h"

#include "DistanceField.h"
#include "PlaneBlur.h"
#include "Random.h"

#include <array>
#include <cmath>
#include <gtest/gtest.h>

namespace {

HairMask fromRows(const std::vector<std::string> &rows)
{
    HairMask m(int(rows[0].size()), int(rows.size()));
    for (int y = 0; y < m.height(); ++y)
        for (int x = 0; x < m.width(); ++x)
            m.set(x, y, rows[y][x] == '#');
    return m;
}

} // namespace

TEST(HairMask, SpecksGoLargePartsStay)
{
    HairMask m = fromRows({
        "##.......",
        "##...###.",
        ".....###.",
        "#....###.",
        ".........",
    });
    m.removeSpecks(5);
    EXPECT_FALSE(m.at(0, 0)) << "4-pixel island is a speck";
    EXPECT_FALSE(m.at(0, 3));
    EXPECT_TRUE(m.at(5, 2));
    EXPECT_EQ(m.hairCount(), 9);
}

TEST(HairMask, LooseBitsGoByShareOfTheLargestPart)
{
    HairMask m(100, 40);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 100; ++x)
            m.set(x, y, true); // 3000 pixels
    for (int x = 0; x < 20; ++x)
        m.set(x, 35, true); // 20 pixels, 0.67 %
    for (int x = 0; x < 50; ++x)
        m.set(x, 38, true); // 50 pixels, 1.67 %
    m.removeSpecks(5, 0.01);
    EXPECT_FALSE(m.at(0, 35));
    EXPECT_TRUE(m.at(0, 38));
    EXPECT_EQ(m.hairCount(), 3050);
}

TEST(HairMask, DiagonalNeighboursBelongTogether)
{
    // A thin diagonal lock is one part, not many single pixels.
    HairMask m = fromRows({
        "#.....",
        ".#....",
        "..#...",
        "...#..",
        "....#.",
    });
    m.removeSpecks(5);
    EXPECT_EQ(m.hairCount(), 5);
}

TEST(HairMask, PinholesFilledOpenGapsKept)
{
    HairMask m = fromRows({
        "#######",
        "#.##..#",
        "####..#",
        "#######",
        "##...##",
        "##.....",
    });
    m.fillPinholes(3);
    EXPECT_TRUE(m.at(1, 1)) << "one-pixel hole";
    EXPECT_FALSE(m.at(4, 1)) << "4-pixel hole is a real gap";
    EXPECT_FALSE(m.at(3, 4)) << "open to the border: background";
}

TEST(HairMask, MirrorPadAndBounds)
{
    HairMask m = fromRows({
        "##..",
        "#...",
    });
    const HairMask r = m.mirrored();
    EXPECT_TRUE(r.at(3, 0) && r.at(2, 0) && r.at(3, 1));
    EXPECT_FALSE(r.at(0, 0));
    const HairMask p = m.padded(3);
    EXPECT_EQ(p.width(), 10);
    EXPECT_EQ(p.height(), 8);
    int l, t, rr, b;
    ASSERT_TRUE(p.bounds(l, t, rr, b));
    EXPECT_EQ(l, 3);
    EXPECT_EQ(t, 3);
    EXPECT_EQ(rr, 4);
    EXPECT_EQ(b, 4);
    EXPECT_FALSE(p.at(0, p.height() - 1)) << "the corner the overlay keys on";
    EXPECT_FALSE(HairMask(4, 4).bounds(l, t, rr, b));
    EXPECT_FALSE(m.at(-1, 0));
    EXPECT_FALSE(m.at(0, 2));
}

TEST(DistanceField, MatchesBruteForceOnRandomMasks)
{
    Random rng(7);
    for (int trial = 0; trial < 20; ++trial) {
        const int w = 5 + rng.below(30), h = 5 + rng.below(30);
        HairMask m(w, h);
        const double density = rng.uniform(0.3, 0.97);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                m.set(x, y, rng.uniform() < density);
        const DistanceField d(m);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                // Nearest background, the frame outside the mask included.
                double best = std::min({x + 1, y + 1, w - x, h - y});
                if (m.at(x, y)) {
                    for (int yy = 0; yy < h; ++yy)
                        for (int xx = 0; xx < w; ++xx)
                            if (!m.at(xx, yy))
                                best = std::min(best, std::hypot(double(xx - x), double(yy - y)));
                } else {
                    best = 0;
                }
                ASSERT_NEAR(d.at(x, y), best, 1e-3) << "trial " << trial << " at " << x << "," << y;
            }
    }
}

TEST(DistanceField, FullMaskCountsOutsideAsBackground)
{
    HairMask m(9, 9);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 9; ++x)
            m.set(x, y, true);
    const DistanceField d(m);
    EXPECT_FLOAT_EQ(d.at(4, 4), 5.0f);
    EXPECT_FLOAT_EQ(d.at(0, 4), 1.0f);
    const DistanceField empty{HairMask()};
    EXPECT_TRUE(empty.values().empty());
}

TEST(PlaneBlur, RunningSumsMatchTheWindowAverage)
{
    Random rng(3);
    for (const auto [w, h, r] : {std::array<int, 3>{17, 11, 2}, {5, 40, 3}, {3, 3, 4}, {1, 9, 1}}) {
        std::vector<float> plane(std::size_t(w) * h);
        for (float &v : plane)
            v = float(rng.uniform(-5, 5));
        std::vector<float> once = plane;
        PlaneBlur::box(once, w, h, r);
        // Separable: rows then columns, windows cut at the edges.
        std::vector<float> rows(plane.size()), expected(plane.size());
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                double s = 0;
                int n = 0;
                for (int i = std::max(0, x - r); i <= std::min(w - 1, x + r); ++i, ++n)
                    s += plane[std::size_t(y) * w + i];
                rows[std::size_t(y) * w + x] = float(s / n);
            }
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                double s = 0;
                int n = 0;
                for (int j = std::max(0, y - r); j <= std::min(h - 1, y + r); ++j, ++n)
                    s += rows[std::size_t(j) * w + x];
                expected[std::size_t(y) * w + x] = float(s / n);
            }
        for (std::size_t i = 0; i < plane.size(); ++i)
            ASSERT_NEAR(once[i], expected[i], 1e-4) << w << "x" << h << " r" << r << " at " << i;
    }
    // A flat plane stays flat after any number of passes.
    std::vector<float> flat(64, 2.5f);
    PlaneBlur::box(flat, 8, 8, 3, 4);
    for (float v : flat)
        EXPECT_NEAR(v, 2.5f, 1e-5);
}
