#include "PaletteQuantizer.h"

#include "GifFile.h"
#include "TestHair.h"

#include <filesystem>
#include <unistd.h>
#include <fstream>
#include <gtest/gtest.h>
#include <set>

namespace {

double dist(std::uint32_t a, std::uint32_t b)
{
    const double dr = double(a >> 16 & 255) - double(b >> 16 & 255);
    const double dg = double(a >> 8 & 255) - double(b >> 8 & 255);
    const double db = double(a & 255) - double(b & 255);
    return std::sqrt(dr * dr + dg * dg + db * db);
}

} // namespace

TEST(PaletteQuantizer, KeyIsIndexZeroAndOnlyTheBackground)
{
    const IndexedPicture p = testHair(colour("#C99A58"));
    ASSERT_GT(p.paletteSize, 100);
    ASSERT_LE(p.paletteSize, 256);
    EXPECT_EQ(p.palette[0], 0xFFFFFFu);
    for (int i = 1; i < 256; ++i)
        EXPECT_NE(p.palette[i], 0xFFFFFFu) << "entry " << i << ", padding included";
    // Inside the ellipse every pixel is hair, outside every pixel key.
    EXPECT_EQ(p.index(0, p.height - 1), 0);
    EXPECT_NE(p.index(p.width / 2, p.height / 2), 0);
    // Ramp sorted dark to light.
    for (int i = 2; i < p.paletteSize; ++i) {
        const auto l = [](std::uint32_t c) {
            return 299 * (c >> 16 & 255) + 587 * (c >> 8 & 255) + 114 * (c & 255);
        };
        EXPECT_LE(l(p.palette[i - 1]), l(p.palette[i]));
    }
}

TEST(PaletteQuantizer, HairThatHappensToBeTheKeyIsMovedOffIt)
{
    // A painted pixel exactly white must not vanish from the overlay.
    HairMask mask(4, 1);
    RgbPicture rgb(4, 1);
    for (int x = 0; x < 4; ++x) {
        mask.set(x, 0, x >= 1);
        rgb.pixel(x, 0)[0] = rgb.pixel(x, 0)[1] = rgb.pixel(x, 0)[2] = 255;
    }
    const IndexedPicture p = PaletteQuantizer::quantize(rgb, mask, 0xFFFFFF);
    EXPECT_EQ(p.index(0, 0), 0);
    for (int x = 1; x < 4; ++x) {
        EXPECT_NE(p.index(x, 0), 0);
        EXPECT_NE(p.colour(x, 0), 0xFFFFFFu);
    }
}

TEST(PaletteQuantizer, ColoursStayCloseWithManyOrFewEntries)
{
    HairMask mask(64, 64);
    RgbPicture rgb(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            mask.set(x, y, true);
            std::uint8_t *c = rgb.pixel(x, y);
            c[0] = std::uint8_t(40 + 2 * x);
            c[1] = std::uint8_t(20 + 2 * y);
            c[2] = std::uint8_t(30 + x + y);
        }
    for (int colours : {255, 16, 1}) {
        const IndexedPicture p = PaletteQuantizer::quantize(rgb, mask, 0xFFFFFF, colours);
        EXPECT_LE(p.paletteSize, colours + 1);
        double worst = 0;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
                worst = std::max(worst, dist(p.colour(x, y), rgb.colour(x, y)));
        if (colours == 255) {
            EXPECT_LT(worst, 20.0);
        } else if (colours == 16) {
            EXPECT_LT(worst, 60.0);
        }
        EXPECT_NE(p.index(10, 10), 0);
    }
    const IndexedPicture empty = PaletteQuantizer::quantize(rgb, HairMask(64, 64), 0xFFFFFF);
    EXPECT_EQ(empty.paletteSize, 1);
    EXPECT_EQ(empty.colour(5, 5), 0xFFFFFFu);
}

class GifFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = std::filesystem::path(::testing::TempDir()) /
                ("giffile_" + std::to_string(::getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }
    std::filesystem::path m_dir;
};

TEST_F(GifFileTest, RoundTripKeepsEveryIndexAndColour)
{
    const IndexedPicture p = testHair(colour("#3A2A1F"), 257, 203, 5);
    const std::string path = (m_dir / "M\xC3\xA9"
                                      "dios 1.GIF")
                                 .string();
    std::string error;
    ASSERT_TRUE(GifFile::write(path, p, error)) << error;
    EXPECT_FALSE(std::filesystem::exists(path + ".part"));
    std::ifstream raw(path, std::ios::binary);
    char magic[6];
    raw.read(magic, 6);
    EXPECT_EQ(std::string(magic, 3), "GIF");

    IndexedPicture q;
    ASSERT_TRUE(GifFile::read(path, q, error)) << error;
    EXPECT_EQ(q.width, p.width);
    EXPECT_EQ(q.height, p.height);
    EXPECT_EQ(q.indices, p.indices);
    EXPECT_EQ(q.palette, p.palette);
}

TEST_F(GifFileTest, FailuresAreReportedAndLeaveNothing)
{
    const IndexedPicture p = testHair(colour("#3A2A1F"));
    std::string error;
    EXPECT_FALSE(GifFile::write((m_dir / "no such folder" / "1.GIF").string(), p, error));
    EXPECT_FALSE(error.empty());

    IndexedPicture broken = p;
    broken.indices.pop_back();
    error.clear();
    EXPECT_FALSE(GifFile::write((m_dir / "2.GIF").string(), broken, error));
    EXPECT_FALSE(std::filesystem::exists(m_dir / "2.GIF"));

    IndexedPicture q;
    error.clear();
    EXPECT_FALSE(GifFile::read((m_dir / "missing.GIF").string(), q, error));
    EXPECT_FALSE(error.empty());
    std::ofstream((m_dir / "text.GIF").string()) << "not a picture at all";
    EXPECT_FALSE(GifFile::read((m_dir / "text.GIF").string(), q, error));

    // A real GIF cut short.
    const std::string whole = (m_dir / "whole.GIF").string();
    ASSERT_TRUE(GifFile::write(whole, p, error));
    const auto size = std::filesystem::file_size(whole);
    std::filesystem::copy_file(whole, m_dir / "cut.GIF");
    std::filesystem::resize_file(m_dir / "cut.GIF", size / 2);
    EXPECT_FALSE(GifFile::read((m_dir / "cut.GIF").string(), q, error));
}
