// Cutting a hair out of a picture and making the catalogue picture of it.
#include "HairCutout.h"

#include "HairCatalogueImage.h"

#include <cmath>
#include <gtest/gtest.h>
#include <set>

namespace {

constexpr std::uint32_t kBackdrop = 0x20A040;
constexpr std::uint32_t kHair = 0x603010;

// A disc of hair on a plain backdrop, its rim blended half-way.
Picture24 discOnBackdrop(int w, int h, double radius, std::uint32_t hair = kHair)
{
    Picture24 p(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double d = std::hypot(x - w / 2.0, y - h / 2.0);
            std::uint32_t c = kBackdrop;
            if (d < radius - 0.5)
                c = hair;
            else if (d < radius + 0.5) {
                std::uint32_t mixed = 0;
                for (int s = 0; s < 24; s += 8)
                    mixed |= ((((hair >> s) & 0xFF) + ((kBackdrop >> s) & 0xFF)) / 2) << s;
                c = mixed;
            }
            p.setPixel(x, y, c);
        }
    return p;
}

int hairCount(const std::vector<std::uint8_t> &mask)
{
    int n = 0;
    for (auto m : mask)
        n += m;
    return n;
}

} // namespace

TEST(HairCutout, OpaquePictureLosesItsBackdropAndKeepsWhatTheHairEncloses)
{
    Picture24 p = discOnBackdrop(200, 160, 50);
    // Inside the hair: a patch near the backdrop's colour (30 away), which
    // the hair encloses, so it stays; and a pocket of the backdrop itself,
    // seen through the hair, which goes.
    for (int y = 75; y < 85; ++y)
        for (int x = 95; x < 105; ++x) {
            p.setPixel(x, y, kBackdrop + 30);
            p.setPixel(x - 30, y, kBackdrop);
        }
    HairCutout cutout;
    cutout.setSource(p, nullptr);
    EXPECT_FALSE(cutout.transparent());
    EXPECT_EQ(cutout.backdrop(), kBackdrop);
    const auto mask = cutout.mask(HairCutout::kDefaultTolerance);
    EXPECT_EQ(mask[80 * 200 + 100], 1);
    EXPECT_EQ(mask[80 * 200 + 70], 0);
    EXPECT_EQ(mask[0], 0);
    EXPECT_NEAR(hairCount(mask), M_PI * 50 * 50 - 100, M_PI * 2 * 50 * 1.5);

    const CutHair cut = cutout.finish(mask);
    ASSERT_FALSE(cut.empty());
    // Cropped to the hair with the margin each side.
    EXPECT_NEAR(cut.picture.width(), 100 + 2 * HairCutout::kMargin, 2);
    EXPECT_NEAR(cut.picture.height(), 100 + 2 * HairCutout::kMargin, 2);
    for (int x = 0; x < cut.picture.width(); ++x) {
        EXPECT_FALSE(cut.hairAt(x, 0));
        EXPECT_FALSE(cut.hairAt(x, cut.picture.height() - 1));
    }
    // No blend of the backdrop survives at the edge.
    for (int y = 0; y < cut.picture.height(); ++y)
        for (int x = 0; x < cut.picture.width(); ++x) {
            if (cut.hairAt(x, y) && !cut.hairAt(x - 1 < 0 ? 0 : x - 1, y) && (x < 60 || x > 80)) {
                EXPECT_EQ(cut.picture.pixel(x, y), kHair) << x << "," << y;
            }
        }
    // The source's centre lands on the cut's centre.
    EXPECT_NEAR(100 * cut.scale + cut.offsetX, cut.picture.width() / 2.0, 1.5);
}

TEST(HairCutout, ToleranceDecidesHowFarTheBackdropGrows)
{
    // Backdrop, then a ring close to it in colour, then the hair.
    Picture24 p(120, 120);
    p.fill(0x40, 0xA0, 0x20);
    for (int y = 20; y < 100; ++y)
        for (int x = 20; x < 100; ++x)
            p.setPixel(x, y, 0x30B038); // 10..20 away from the backdrop
    for (int y = 40; y < 80; ++y)
        for (int x = 40; x < 80; ++x)
            p.setPixel(x, y, kHair);
    HairCutout cutout;
    cutout.setSource(p, nullptr);
    EXPECT_EQ(hairCount(cutout.mask(5)), 80 * 80);
    EXPECT_EQ(hairCount(cutout.mask(40)), 40 * 40);
    EXPECT_EQ(hairCount(cutout.mask(HairCutout::kMaxTolerance + 500)), 0);
}

TEST(HairCutout, TransparencyDecidesAtHalfOpacityAndColoursAreRecovered)
{
    Picture24 black(60, 40), white(60, 40);
    white.fill(255, 255, 255);
    // Left half: alpha 0.6 of colour (200,100,50); right: alpha 0.4.
    const auto put = [&](int x0, int x1, double a) {
        for (int y = 5; y < 35; ++y)
            for (int x = x0; x < x1; ++x) {
                const int c[3] = {200, 100, 50};
                std::uint32_t b = 0, w = 0;
                for (int k = 0; k < 3; ++k) {
                    b = (b << 8) | std::uint32_t(std::lround(a * c[k]));
                    w = (w << 8) | std::uint32_t(std::lround(a * c[k] + (1 - a) * 255));
                }
                black.setPixel(x, y, b);
                white.setPixel(x, y, w);
            }
    };
    put(5, 30, 0.6);
    put(30, 55, 0.4);
    HairCutout cutout;
    cutout.setSource(black, &white);
    ASSERT_TRUE(cutout.transparent());
    const auto mask = cutout.mask(0);
    EXPECT_EQ(mask[20 * 60 + 10], 1);
    EXPECT_EQ(mask[20 * 60 + 40], 0);
    EXPECT_EQ(hairCount(mask), 25 * 30);
    const std::uint32_t c = cutout.work().pixel(10, 20);
    EXPECT_NEAR(int(c >> 16), 200, 2);
    EXPECT_NEAR(int(c >> 8 & 0xFF), 100, 2);
    EXPECT_NEAR(int(c & 0xFF), 50, 2);

    // The same picture without transparency: over black and over white alike.
    HairCutout opaque;
    opaque.setSource(black, &black);
    EXPECT_FALSE(opaque.transparent());
}

TEST(HairCutout, ThePreviewFollowsTheSameCutOnASmallCopy)
{
    Picture24 p = discOnBackdrop(2400, 1800, 700);
    HairCutout cutout;
    cutout.setSource(p, nullptr);
    const Picture24 &small = cutout.previewWork();
    EXPECT_LE(std::max(small.width(), small.height()), HairCutout::kPreviewSide);
    const auto mask = cutout.previewMask(HairCutout::kDefaultTolerance);
    const double share = double(hairCount(mask)) / mask.size();
    EXPECT_NEAR(share, M_PI * 700 * 700 / (2400.0 * 1800), 0.01);
    const Picture24 shown = HairCutout::Preview(small, mask, 480, 480);
    EXPECT_LE(std::max(shown.width(), shown.height()), 480);
    // Hair in the middle, checkerboard greys in the corner.
    EXPECT_EQ(shown.pixel(shown.width() / 2, shown.height() / 2), kHair);
    const std::uint32_t corner = shown.pixel(0, 0);
    EXPECT_TRUE(corner == 0xF0F0F0 || corner == 0xC8C8C8);
}

TEST(HairCutout, SpecksGoLargeIslandsStay)
{
    std::vector<std::uint8_t> mask(100 * 100, 0);
    const auto box = [&](int x0, int y0, int s) {
        for (int y = y0; y < y0 + s; ++y)
            for (int x = x0; x < x0 + s; ++x)
                mask[y * 100 + x] = 1;
    };
    box(10, 10, 50);
    box(80, 80, 3);  // 9 pixels: a speck
    box(70, 10, 10); // 100 pixels: a lock of hair
    HairCutout::removeSpecks(mask, 100, 100, 16);
    EXPECT_EQ(mask[81 * 100 + 81], 0);
    EXPECT_EQ(mask[15 * 100 + 75], 1);
    EXPECT_EQ(hairCount(mask), 2500 + 100);
}

TEST(HairCutout, AllBackgroundGivesNoCut)
{
    Picture24 p(50, 50);
    p.fill(10, 200, 10);
    HairCutout cutout;
    cutout.setSource(p, nullptr);
    const auto mask = cutout.mask(HairCutout::kDefaultTolerance);
    EXPECT_EQ(hairCount(mask), 0);
    EXPECT_TRUE(cutout.finish(mask).empty());
    EXPECT_TRUE(HairCutout().finish({}).empty());
}

TEST(HairCutout, TallPicturesAreScaledDownTo800Lines)
{
    // A tall lock of hair: 1300 x 3200 on a 1400 x 3300 backdrop.
    Picture24 p(1400, 3300);
    p.fill(0x40, 0xA0, 0x20);
    for (int y = 50; y < 3250; ++y)
        for (int x = 50; x < 1350; ++x)
            p.setPixel(x, y, kHair);
    HairCutout cutout;
    cutout.setSource(p, nullptr);
    EXPECT_LE(cutout.work().height(), HairCutout::kWorkHeight);
    const CutHair cut = cutout.finish(cutout.mask(HairCutout::kDefaultTolerance));
    ASSERT_FALSE(cut.empty());
    EXPECT_LE(cut.picture.height(), HairCutout::kMaxHeight);
    EXPECT_GE(cut.picture.height(), HairCutout::kMaxHeight - 2);
    // A source point maps through scale and offset: the lock's corner.
    EXPECT_NEAR(50 * cut.scale + cut.offsetY, HairCutout::kMargin, 1);
    EXPECT_NEAR(3250 * cut.scale + cut.offsetY, cut.picture.height() - HairCutout::kMargin, 1);
    // Area resampling of hair pixels only: the edge keeps the hair's colour.
    EXPECT_EQ(cut.picture.pixel(HairCutout::kMargin, cut.picture.height() / 2), kHair);
    EXPECT_EQ(cut.picture.pixel(cut.picture.width() / 2, cut.picture.height() / 2), kHair);
}

TEST(HairCatalogueImage, KeyIsWhiteUnlessTheHairHasWhite)
{
    EXPECT_EQ(HairCatalogueImage::KeyColourFor({0x000000, 0x808080}), 0xFFFFFFu);
    EXPECT_EQ(HairCatalogueImage::KeyColourFor({0xFFFFFF, 0xFFFFFE}), 0xFFFFFDu);

    for (std::uint32_t hair : {kHair, 0xFFFFFFu}) {
        HairCutout cutout;
        cutout.setSource(discOnBackdrop(80, 80, 30, hair), nullptr);
        const CutHair cut = cutout.finish(cutout.mask(HairCutout::kDefaultTolerance));
        std::uint32_t key = 0;
        const Picture24 out = HairCatalogueImage::Make(cut, key);
        ASSERT_FALSE(out.isNull());
        EXPECT_EQ(key, hair == 0xFFFFFFu ? 0xFFFFFEu : 0xFFFFFFu);
        EXPECT_EQ(out.pixel(0, out.height() - 1), key);
        for (int y = 0; y < out.height(); ++y)
            for (int x = 0; x < out.width(); ++x)
                EXPECT_EQ(out.pixel(x, y) == key, !cut.hairAt(x, y));
    }
}

TEST(HairCatalogueImage, ManyColoursBecome255InsideTheHairOnly)
{
    // A hair of smooth gradients: thousands of colours, white among them.
    Picture24 p(300, 300);
    p.fill(0, 0, 255);
    for (int y = 20; y < 280; ++y)
        for (int x = 20; x < 280; ++x)
            p.setPixel(x, y,
                       (std::uint32_t(x - 20 + (y & 1) * 0) << 16) | (std::uint32_t(y - 20) << 8) |
                           std::uint32_t((x + y) / 2));
    p.setPixel(150, 150, 0xFFFFFF);
    HairCutout cutout;
    cutout.setSource(p, nullptr);
    const CutHair cut = cutout.finish(cutout.mask(10));
    ASSERT_FALSE(cut.empty());
    std::uint32_t key = 0;
    const Picture24 out = HairCatalogueImage::Make(cut, key);
    std::set<std::uint32_t> hairColours;
    double error = 0;
    int n = 0;
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            if (!cut.hairAt(x, y)) {
                EXPECT_EQ(out.pixel(x, y), key);
                continue;
            }
            EXPECT_NE(out.pixel(x, y), key);
            hairColours.insert(out.pixel(x, y));
            const std::uint32_t a = out.pixel(x, y), b = cut.picture.pixel(x, y);
            for (int s = 0; s < 24; s += 8)
                error += std::abs(int(a >> s & 0xFF) - int(b >> s & 0xFF));
            ++n;
        }
    EXPECT_LE(hairColours.size(), 255u);
    EXPECT_GT(hairColours.size(), 200u);
    // Diffusion keeps each pixel near its own colour.
    EXPECT_LT(error / n / 3, 6.0);
}

TEST(HairCatalogueImage, DiffusionNeitherTouchesNorFeedsTheBackground)
{
    Picture24 p(20, 4);
    p.fill(0x80, 0x80, 0x80);
    std::vector<std::uint8_t> mask(80, 1);
    for (int y = 0; y < 4; ++y)
        for (int x = 10; x < 20; ++x) {
            mask[y * 20 + x] = 0;
            p.setPixel(x, y, 0x123456);
        }
    HairCatalogueImage::Diffuse(p, mask, {0x000000, 0xFFFFFF});
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 20; ++x) {
            const std::uint32_t c = p.pixel(x, y);
            if (x >= 10)
                EXPECT_EQ(c, 0x123456u);
            else
                EXPECT_TRUE(c == 0 || c == 0xFFFFFF);
        }
}
