#include "HairRenderer.h"

#include "FlowField.h"
#include "HairPictureCheck.h"
#include "PaletteQuantizer.h"
#include "TestHair.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

// A head-like shape: an upper half disc with two side locks.
HairMask headMask()
{
    HairMask m(260, 240);
    for (int y = 0; y < m.height(); ++y)
        for (int x = 0; x < m.width(); ++x) {
            const double dx = x - 130.0, dy = y - 120.0;
            const bool dome = dy < 0 && dx * dx + dy * dy < 110.0 * 110.0;
            const bool locks = dy >= 0 && y < 230 && std::abs(std::abs(dx) - 90) < 18;
            m.set(x, y, dome || locks);
        }
    return m;
}

double luma(const std::uint8_t *p)
{
    return 0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2];
}

} // namespace

TEST(HairRenderer, SameSeedSameHairOtherSeedOtherStrands)
{
    const HairMask m = headMask();
    const RgbPicture a = HairRenderer(42).render(m, colour("#C99A58"));
    const RgbPicture b = HairRenderer(42).render(m, colour("#C99A58"));
    const RgbPicture c = HairRenderer(43).render(m, colour("#C99A58"));
    EXPECT_EQ(a.rgb, b.rgb);
    EXPECT_NE(a.rgb, c.rgb);
}

TEST(HairRenderer, BackgroundIsExactlyTheKeyAndHairNeverNearIt)
{
    const HairMask m = headMask();
    // Even asked for white hair, the hair stays clear of a white key.
    for (const char *base : {"#FFFFFF", "#D6B27C", "#1E1A1A"}) {
        HairMask painted;
        const RgbPicture pic = HairRenderer(3).render(m, colour(base), 0xFFFFFF, &painted);
        // Frayed tips take a few pixels of the mask, never add any.
        EXPECT_GT(painted.hairCount(), m.hairCount() * 97 / 100);
        EXPECT_LT(painted.hairCount(), m.hairCount());
        for (int y = 0; y < m.height(); ++y)
            for (int x = 0; x < m.width(); ++x) {
                ASSERT_TRUE(!painted.at(x, y) || m.at(x, y));
                if (!painted.at(x, y)) {
                    ASSERT_EQ(pic.colour(x, y), 0xFFFFFFu) << base << " at " << x << "," << y;
                    continue;
                }
                const std::uint8_t *p = pic.pixel(x, y);
                ASSERT_LE(luma(p), HairRenderer::kMaxLuminance + 1.0) << base;
                ASSERT_LE(std::max({p[0], p[1], p[2]}), HairRenderer::kMaxChannel + 0.5) << base;
            }
    }
    // Another key colour is kept out of the hair too.
    HairMask painted;
    const RgbPicture black = HairRenderer(3).render(m, colour("#000000"), 0x000000, &painted);
    for (int y = 0; y < m.height(); ++y)
        for (int x = 0; x < m.width(); ++x) {
            if (painted.at(x, y)) {
                ASSERT_NE(black.colour(x, y), 0x000000u);
            }
        }
}

TEST(HairRenderer, FinishedPictureIsAWorkingOverlay)
{
    const HairMask m = headMask();
    const char *light = "#D2AE74", *dark = "#3A2618";
    const auto make = [&](const char *base) {
        HairMask painted;
        const RgbPicture pic = HairRenderer(9).render(m, colour(base), 0xFFFFFF, &painted);
        return PaletteQuantizer::quantize(pic, painted, 0xFFFFFF);
    };
    const HairPictureCheck::Result lr = HairPictureCheck::inspect(make(light));
    const HairPictureCheck::Result dr = HairPictureCheck::inspect(make(dark));
    for (const auto &p : lr.problems)
        ADD_FAILURE() << light << ": " << p;
    for (const auto &p : dr.problems)
        ADD_FAILURE() << dark << ": " << p;
    EXPECT_GT(lr.meanLuminance, dr.meanLuminance + 60);
}

TEST(HairRenderer, StrandsRunAlongTheLocks)
{
    // In an upright lock the colour changes across the strands, not along them.
    HairMask m(60, 320);
    for (int y = 10; y < 310; ++y)
        for (int x = 10; x < 50; ++x)
            m.set(x, y, true);
    const RgbPicture pic = HairRenderer(11).render(m, colour("#9C7048"));
    double across = 0, along = 0;
    int n = 0;
    for (int y = 100; y < 290; ++y)
        for (int x = 18; x < 42; ++x) {
            across += std::abs(luma(pic.pixel(x + 1, y)) - luma(pic.pixel(x, y)));
            along += std::abs(luma(pic.pixel(x, y + 1)) - luma(pic.pixel(x, y)));
            ++n;
        }
    EXPECT_GT(across, 1.8 * along) << "across " << across / n << " along " << along / n;
}

TEST(HairRenderer, EmptyMaskGivesBackgroundOnly)
{
    const RgbPicture pic = HairRenderer(1).render(HairMask(30, 20), colour("#C99A58"));
    ASSERT_EQ(pic.width, 30);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x)
            ASSERT_EQ(pic.colour(x, y), 0xFFFFFFu);
}

TEST(FlowField, HairFallsFromTheCrown)
{
    float dx, dy;
    // Straight below the crown: down.
    FlowField::fallDirection(100, 300, 100, 50, 200, dx, dy);
    EXPECT_NEAR(dx, 0.0f, 1e-4);
    EXPECT_NEAR(dy, 1.0f, 1e-4);
    // Beside the crown at its height: outwards, only slightly down.
    FlowField::fallDirection(20, 50, 100, 50, 200, dx, dy);
    EXPECT_LT(dx, -0.9f);
    EXPECT_GT(dy, 0.0f);
    // Low at the side: mostly down, still outwards.
    FlowField::fallDirection(180, 300, 100, 50, 200, dx, dy);
    EXPECT_GT(dy, 0.8f);
    EXPECT_GT(dx, 0.0f);
    EXPECT_NEAR(dx * dx + dy * dy, 1.0f, 1e-4);
}

TEST(FlowField, ThinLockFollowsItsOutline)
{
    // A slanting lock far below the crown: the flow runs along the lock, not
    // straight down with gravity.
    HairMask m(200, 200);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x)
            m.set(x, y, std::abs((x - 20) - (y - 20)) < 5 && x > 20 && x < 180);
    const DistanceField d(m);
    const FlowField f(m, d, 20, 0);
    float dx, dy;
    f.at(100, 100, dx, dy);
    EXPECT_NEAR(dx, std::sqrt(0.5f), 0.15f);
    EXPECT_NEAR(dy, std::sqrt(0.5f), 0.15f);
}
