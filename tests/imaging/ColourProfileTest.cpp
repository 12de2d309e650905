// Conversion of embedded profiles to sRGB, checked against the colour
// science done here by hand (matrices from the primaries), not against lcms.

#include "ColourProfile.h"

#include "ColourReference.h"
#include "PhoneTestPictures.h"

#include <gtest/gtest.h>

namespace {

Picture24 solid(int w, int h, std::uint32_t rgb)
{
    Picture24 p(w, h);
    p.fill(std::uint8_t(rgb >> 16), std::uint8_t(rgb >> 8), std::uint8_t(rgb));
    return p;
}

// Colours across the range, including the primaries and the greys.
const std::uint32_t kSamples[] = {0xFF0000, 0x00FF00, 0x0000FF, 0x000000, 0xFFFFFF, 0x808080, 0xC8785A,
                                  0xE0B090, 0x3A2A20, 0x7F1020, 0x10A0F0, 0x0A0A0A, 0xF5F5DC};

} // namespace

TEST(ColourProfileTest, RecognisesSrgbAndNothingElse)
{
    const auto srgb = PhoneTestPictures::srgbProfile();
    const auto p3 = PhoneTestPictures::displayP3Profile();
    ASSERT_FALSE(srgb.empty());
    ASSERT_FALSE(p3.empty());
    EXPECT_TRUE(ColourProfile::isSrgb(srgb.data(), srgb.size()));
    EXPECT_EQ(ColourProfile::toSrgb(srgb.data(), srgb.size(), ColourProfile::Layout::Bgr), nullptr);
    EXPECT_FALSE(ColourProfile::isSrgb(p3.data(), p3.size()));
    EXPECT_NE(ColourProfile::toSrgb(p3.data(), p3.size(), ColourProfile::Layout::Bgr), nullptr);
    // sRGB primaries rebuilt from their chromaticities are the same space.
    const auto rebuilt = ColourProfile::rgbProfile(0.64, 0.33, 0.30, 0.60, 0.15, 0.06, 0.3127, 0.3290);
    EXPECT_TRUE(ColourProfile::isSrgb(rebuilt.data(), rebuilt.size()));
}

TEST(ColourProfileTest, SrgbOrBrokenProfilesLeaveThePictureAlone)
{
    const Picture24 original = solid(9, 7, 0xC8785A);
    auto p3 = PhoneTestPictures::displayP3Profile();
    std::vector<std::vector<std::uint8_t>> ignored = {
        {},
        PhoneTestPictures::srgbProfile(),
        std::vector<std::uint8_t>(p3.begin(), p3.begin() + 100), // cut inside the header
        std::vector<std::uint8_t>(p3.begin(), p3.begin() + 200), // cut inside the tag table
        std::vector<std::uint8_t>(4000, 0xA5),                   // noise
    };
    // A header whose tag count runs past the end.
    auto lying = p3;
    lying[128] = 0x7F;
    ignored.push_back(lying);
    for (const auto &icc : ignored) {
        Picture24 picture = original;
        EXPECT_FALSE(ColourProfile::convertToSrgb(icc.data(), icc.size(), picture)) << icc.size();
        EXPECT_EQ(picture, original) << icc.size();
    }
}

TEST(ColourProfileTest, GreyProfilesAreNotAppliedToColourPixels)
{
    const auto grey = ColourReference::greyProfile();
    ASSERT_FALSE(grey.empty());
    Picture24 picture = solid(3, 3, 0x204060);
    EXPECT_FALSE(ColourProfile::convertToSrgb(grey.data(), grey.size(), picture));
    EXPECT_EQ(picture.pixel(1, 1), 0x204060u);
}

TEST(ColourProfileTest, DisplayP3ComesOutAsComputedFromItsPrimaries)
{
    const auto p3 = PhoneTestPictures::displayP3Profile();
    for (const std::uint32_t colour : kSamples) {
        Picture24 picture = solid(5, 3, colour);
        ASSERT_TRUE(ColourProfile::convertToSrgb(p3.data(), p3.size(), picture));
        const std::uint32_t expected = ColourReference::p3ToSrgb(colour);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                EXPECT_LE(ColourReference::distance(picture.pixel(x, y), expected), 1)
                    << std::hex << colour << " -> " << picture.pixel(x, y) << " expected " << expected;
    }
}

TEST(ColourProfileTest, PureP3RedIsClippedNotWrapped)
{
    // P3 red lies outside sRGB: its green and blue come out negative and
    // must stop at 0, its red above 1 and must stop at 255.
    const auto p3 = PhoneTestPictures::displayP3Profile();
    Picture24 picture = solid(2, 2, 0xFF0000);
    ASSERT_TRUE(ColourProfile::convertToSrgb(p3.data(), p3.size(), picture));
    EXPECT_EQ(picture.pixel(0, 0), ColourReference::p3ToSrgb(0xFF0000));
    EXPECT_EQ(picture.pixel(0, 0), 0xFF0000u);
    // A less saturated P3 red is inside sRGB and does move.
    Picture24 muted = solid(2, 2, 0xC04040);
    ASSERT_TRUE(ColourProfile::convertToSrgb(p3.data(), p3.size(), muted));
    EXPECT_GE(ColourReference::distance(muted.pixel(0, 0), 0xC04040), 10);
}

TEST(ColourProfileTest, TwoThreadsGiveTheSamePixelsAsOne)
{
    const auto p3 = PhoneTestPictures::displayP3Profile();
    // Tall enough for the second thread, odd sizes so rows carry padding.
    Picture24 one(1021, 517);
    for (int y = 0; y < one.height(); ++y)
        for (int x = 0; x < one.width(); ++x)
            one.setPixel(x, y, std::uint32_t((x * 131 + y * 7) & 0xFFFFFF) ^ std::uint32_t(y << 12));
    Picture24 two = one;
    const auto conversion = ColourProfile::toSrgb(p3.data(), p3.size(), ColourProfile::Layout::Bgr);
    ASSERT_NE(conversion, nullptr);
    conversion->convert(one, 1);
    conversion->convert(two, 2);
    EXPECT_EQ(one, two);
    // Padding bytes stay zero.
    const int padding = one.stride() - 3 * one.width();
    ASSERT_GT(padding, 0);
    for (int r = 0; r < one.height(); ++r)
        for (int i = 0; i < padding; ++i)
            ASSERT_EQ(two.row(r)[3 * two.width() + i], 0);
}

TEST(ColourProfileTest, AlphaIsCarriedThroughUnchanged)
{
    const auto p3 = PhoneTestPictures::displayP3Profile();
    const auto conversion = ColourProfile::toSrgb(p3.data(), p3.size(), ColourProfile::Layout::Bgra);
    ASSERT_NE(conversion, nullptr);
    std::vector<std::uint8_t> row = {0x5A, 0x78, 0xC8, 0x00, 0x5A, 0x78, 0xC8, 0x80, 0x5A, 0x78, 0xC8, 0xFF};
    conversion->convertRows(row.data(), 3, 1, 0);
    const std::uint32_t expected = ColourReference::p3ToSrgb(0xC8785A);
    for (int i = 0; i < 3; ++i) {
        const std::uint32_t got = (std::uint32_t(row[4 * i + 2]) << 16) | (row[4 * i + 1] << 8) | row[4 * i];
        EXPECT_LE(ColourReference::distance(got, expected), 1);
    }
    EXPECT_EQ(row[3], 0x00);
    EXPECT_EQ(row[7], 0x80);
    EXPECT_EQ(row[11], 0xFF);
}

TEST(ColourProfileTest, FastPathAgreesWithLcmsAcrossTheColourCube)
{
    // Display P3, and a gamma-2.2 space with wider greens (the kind cameras
    // offer besides sRGB), both matrix-and-curves profiles.
    const std::vector<std::vector<std::uint8_t>> profiles = {
        PhoneTestPictures::displayP3Profile(),
        ColourReference::gammaProfile(2.2, 0.64, 0.33, 0.21, 0.71, 0.15, 0.06),
    };
    Picture24 cube(52 * 52, 52);
    for (int r = 0; r < 52; ++r)
        for (int g = 0; g < 52; ++g)
            for (int b = 0; b < 52; ++b)
                cube.setPixel(r * 52 + g, b,
                              (std::uint32_t(r * 5) << 16) | (std::uint32_t(g * 5) << 8) | (b * 5));
    for (const auto &icc : profiles) {
        const auto fast = ColourProfile::toSrgb(icc.data(), icc.size(), ColourProfile::Layout::Bgr);
        const auto lcms =
            ColourProfile::toSrgbThroughLcms(icc.data(), icc.size(), ColourProfile::Layout::Bgr);
        ASSERT_NE(fast, nullptr);
        ASSERT_NE(lcms, nullptr);
        EXPECT_TRUE(fast->isMatrixShaper());
        EXPECT_FALSE(lcms->isMatrixShaper());
        Picture24 a = cube, b = cube;
        fast->convert(a);
        lcms->convert(b);
        int worst = 0;
        for (int y = 0; y < cube.height(); ++y)
            for (int x = 0; x < cube.width(); ++x)
                worst = std::max(worst, ColourReference::distance(a.pixel(x, y), b.pixel(x, y)));
        EXPECT_LE(worst, 1);
        EXPECT_NE(a, cube);
    }
}
