#include "ColourQuantiser.h"

#include "CodecTestPictures.h"

#include <gtest/gtest.h>
#include <set>

namespace {

Picture24 fromIndices(const Picture24 &shape, const std::vector<std::uint32_t> &palette,
                      const std::vector<std::uint8_t> &indices)
{
    Picture24 p(shape.width(), shape.height());
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x)
            p.setPixel(x, y, palette.at(indices.at(std::size_t(y) * p.width() + x)));
    return p;
}

} // namespace

TEST(ColourQuantiser, UpTo256ColoursAreKeptExactly)
{
    for (int count : {1, 2, 255, 256}) {
        const Picture24 source = CodecTestPictures::distinctColours(32, 16, count);
        std::vector<std::uint32_t> palette;
        std::vector<std::uint8_t> indices;
        ColourQuantiser().quantise(source, palette, indices);
        EXPECT_EQ(palette.size(), std::size_t(count));
        EXPECT_EQ(std::set<std::uint32_t>(palette.begin(), palette.end()).size(), palette.size());
        EXPECT_EQ(fromIndices(source, palette, indices), source) << count;
    }
}

TEST(ColourQuantiser, SmallerLimitIsHonoured)
{
    const Picture24 source = CodecTestPictures::distinctColours(16, 16, 20);
    std::vector<std::uint32_t> palette;
    std::vector<std::uint8_t> indices;
    ColourQuantiser(16).quantise(source, palette, indices);
    EXPECT_LE(palette.size(), 16u);
    for (std::uint8_t i : indices)
        ASSERT_LT(i, palette.size());
}

TEST(ColourQuantiser, OneColourTooManyStillGivesAFaithfulPalette)
{
    const Picture24 source = CodecTestPictures::distinctColours(32, 32, 257);
    std::vector<std::uint32_t> palette;
    std::vector<std::uint8_t> indices;
    ColourQuantiser().quantise(source, palette, indices);
    ASSERT_LE(palette.size(), 256u);
    ASSERT_EQ(indices.size(), 32u * 32u);
    EXPECT_LT(CodecTestPictures::meanAbsoluteDifference(source, fromIndices(source, palette, indices)), 4.0);
}

TEST(ColourQuantiser, PhotographKeepsItsColoursClose)
{
    const Picture24 source = CodecTestPictures::photoLike(160, 120, 7);
    std::vector<std::uint32_t> palette;
    std::vector<std::uint8_t> indices;
    ColourQuantiser().quantise(source, palette, indices);
    EXPECT_GT(palette.size(), 200u); // median cut spends the whole palette
    EXPECT_LT(CodecTestPictures::meanAbsoluteDifference(source, fromIndices(source, palette, indices)), 6.0);
}

TEST(ColourQuantiser, DitheringKeepsTheAverageOfASmoothArea)
{
    // A smooth ramp reduced to four colours: without diffusion each band
    // takes one flat colour; with it, the local average follows the ramp.
    Picture24 source(256, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 256; ++x)
            source.setPixel(x, y, (std::uint32_t(x) << 16) | (std::uint32_t(x) << 8) | std::uint32_t(x));
    auto bandError = [&](bool dither) {
        ColourQuantiser q(4);
        q.setDithering(dither);
        std::vector<std::uint32_t> palette;
        std::vector<std::uint8_t> indices;
        q.quantise(source, palette, indices);
        const Picture24 result = fromIndices(source, palette, indices);
        double error = 0;
        for (int x0 = 0; x0 < 256; x0 += 16) {
            double want = 0, got = 0;
            for (int y = 0; y < 16; ++y)
                for (int x = x0; x < x0 + 16; ++x) {
                    want += source.pixel(x, y) & 0xFF;
                    got += result.pixel(x, y) & 0xFF;
                }
            error += std::abs(want - got) / 256.0;
        }
        return error / 16;
    };
    const double plain = bandError(false);
    const double dithered = bandError(true);
    EXPECT_LT(dithered, plain / 2) << "plain " << plain << " dithered " << dithered;
    EXPECT_LT(dithered, 6.0);
}

TEST(ColourQuantiser, NullPictureGivesNothing)
{
    std::vector<std::uint32_t> palette = {1, 2};
    std::vector<std::uint8_t> indices = {1};
    ColourQuantiser().quantise(Picture24(), palette, indices);
    EXPECT_TRUE(palette.empty());
    EXPECT_TRUE(indices.empty());
}
