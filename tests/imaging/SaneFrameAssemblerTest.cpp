#include "SaneFrameAssembler.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using Kind = SaneFrameAssembler::Kind;
using Layout = SaneFrameAssembler::Layout;

namespace {
// Feeds `bytes` in chunks of `chunk` bytes, so lines split across reads.
ImageStatus feedChunked(SaneFrameAssembler &a, const std::vector<std::uint8_t> &bytes, std::size_t chunk)
{
    for (std::size_t at = 0; at < bytes.size(); at += chunk) {
        const std::size_t n = std::min(chunk, bytes.size() - at);
        if (ImageStatus s = a.feed(bytes.data() + at, n); !s)
            return s;
    }
    return ImageStatus::success();
}

std::vector<std::uint8_t> word16(std::initializer_list<std::uint16_t> values)
{
    std::vector<std::uint8_t> out(values.size() * 2);
    std::size_t i = 0;
    for (std::uint16_t v : values) {
        std::memcpy(out.data() + i, &v, 2); // the machine's own byte order
        i += 2;
    }
    return out;
}
} // namespace

TEST(SaneFrameAssembler, GreyLinesWithPaddingAcrossOddChunksLandTopDown)
{
    SaneFrameAssembler a;
    // 3 pixels a line, 5 bytes a line: two bytes of padding the picture must skip.
    ASSERT_TRUE(a.beginFrame({Kind::Gray, 8, 3, 5, 2}));
    const std::vector<std::uint8_t> bytes = {10, 20, 30, 0xEE, 0xEE, 40, 50, 60, 0xEE, 0xEE};
    ASSERT_TRUE(feedChunked(a, bytes, 3));
    a.endFrame();
    Picture24 out;
    ASSERT_TRUE(a.finish(out));
    ASSERT_EQ(out.width(), 3);
    ASSERT_EQ(out.height(), 2);
    EXPECT_EQ(out.pixel(0, 0), 0x0A0A0Au);
    EXPECT_EQ(out.pixel(2, 0), 0x1E1E1Eu);
    EXPECT_EQ(out.pixel(0, 1), 0x282828u);
    EXPECT_EQ(out.pixel(2, 1), 0x3C3C3Cu);
    // Bottom-up storage: memory row 0 is the last picture line.
    EXPECT_EQ(out.row(0)[0], 40);
}

TEST(SaneFrameAssembler, LineArtSetBitIsBlackLeftmostPixelInHighBit)
{
    SaneFrameAssembler a;
    // 10 pixels need 2 bytes; the unused low bits of the second byte are ignored.
    ASSERT_TRUE(a.beginFrame({Kind::Gray, 1, 10, 2, 1}));
    const std::uint8_t line[] = {0b1000'0001, 0b0111'1111};
    ASSERT_TRUE(a.feed(line, sizeof line));
    Picture24 out;
    ASSERT_TRUE(a.finish(out));
    EXPECT_EQ(out.pixel(0, 0), 0x000000u);
    for (int x = 1; x < 7; ++x)
        EXPECT_EQ(out.pixel(x, 0), 0xFFFFFFu) << x;
    EXPECT_EQ(out.pixel(7, 0), 0x000000u);
    EXPECT_EQ(out.pixel(8, 0), 0xFFFFFFu);
    EXPECT_EQ(out.pixel(9, 0), 0x000000u);
}

TEST(SaneFrameAssembler, ColourAtSixteenBitsKeepsTheHighByte)
{
    SaneFrameAssembler a;
    ASSERT_TRUE(a.beginFrame({Kind::Rgb, 16, 2, 12, 1}));
    ASSERT_TRUE(a.feed(word16({0x12FF, 0x3400, 0xFF01, 0x0000, 0x8080, 0xFFFF}).data(), 12));
    Picture24 out;
    ASSERT_TRUE(a.finish(out));
    EXPECT_EQ(out.pixel(0, 0), 0x1234FFu);
    EXPECT_EQ(out.pixel(1, 0), 0x0080FFu);
}

TEST(SaneFrameAssembler, ColourAtOneBitLightsChannels)
{
    SaneFrameAssembler a;
    // 3 pixels x 3 samples = 9 bits: red, green+blue, white.
    ASSERT_TRUE(a.beginFrame({Kind::Rgb, 1, 3, 2, 1}));
    const std::uint8_t line[] = {0b1000'1111, 0b1000'0000};
    ASSERT_TRUE(a.feed(line, sizeof line));
    Picture24 out;
    ASSERT_TRUE(a.finish(out));
    EXPECT_EQ(out.pixel(0, 0), 0xFF0000u);
    EXPECT_EQ(out.pixel(1, 0), 0x00FFFFu);
    EXPECT_EQ(out.pixel(2, 0), 0xFFFFFFu);
}

TEST(SaneFrameAssembler, ThreeBandFramesInAnyOrderMakeOneColourPicture)
{
    SaneFrameAssembler a;
    const struct { Kind kind; std::uint8_t value; } bands[] = {{Kind::Blue, 0x33}, {Kind::Red, 0x11}, {Kind::Green, 0x22}};
    for (const auto &band : bands) {
        ASSERT_TRUE(a.beginFrame({band.kind, 8, 2, 2, 2}));
        const std::vector<std::uint8_t> bytes(4, band.value);
        ASSERT_TRUE(a.feed(bytes.data(), bytes.size()));
        a.endFrame();
    }
    Picture24 out;
    ASSERT_TRUE(a.finish(out));
    ASSERT_EQ(out.height(), 2);
    EXPECT_EQ(out.pixel(1, 1), 0x112233u);
}

TEST(SaneFrameAssembler, BandFramesMustMatchAndFollowOnlyBands)
{
    {
        SaneFrameAssembler a;
        ASSERT_TRUE(a.beginFrame({Kind::Rgb, 8, 2, 6, 1}));
        a.endFrame();
        EXPECT_FALSE(a.beginFrame({Kind::Red, 8, 2, 2, 1}));
    }
    {
        SaneFrameAssembler a;
        ASSERT_TRUE(a.beginFrame({Kind::Red, 8, 2, 2, 1}));
        a.endFrame();
        EXPECT_FALSE(a.beginFrame({Kind::Green, 8, 3, 3, 1}));
    }
    {
        // A band frame longer than the first adds no lines.
        SaneFrameAssembler a;
        ASSERT_TRUE(a.beginFrame({Kind::Red, 8, 1, 1, -1}));
        const std::uint8_t two[] = {1, 2};
        ASSERT_TRUE(a.feed(two, 2));
        a.endFrame();
        ASSERT_TRUE(a.beginFrame({Kind::Green, 8, 1, 1, -1}));
        const std::uint8_t five[] = {9, 9, 9, 9, 9};
        ASSERT_TRUE(a.feed(five, 5));
        EXPECT_EQ(a.rows(), 2);
    }
}

TEST(SaneFrameAssembler, UnknownHeightGrowsAndDropsAPartialLastLine)
{
    SaneFrameAssembler a;
    ASSERT_TRUE(a.beginFrame({Kind::Gray, 8, 4, 4, -1}));
    std::vector<std::uint8_t> bytes(4 * 37 + 3, 0x80);
    bytes[4 * 36] = 0x01; // first pixel of the last complete line
    ASSERT_TRUE(feedChunked(a, bytes, 64));
    a.endFrame();
    EXPECT_EQ(a.rows(), 37);
    Picture24 out;
    ASSERT_TRUE(a.finish(out));
    EXPECT_EQ(out.height(), 37);
    EXPECT_EQ(out.pixel(0, 36), 0x010101u);
    EXPECT_EQ(out.pixel(1, 36), 0x808080u);
}

TEST(SaneFrameAssembler, EndlessDeviceIsStoppedAtTheSizeLimit)
{
    SaneFrameAssembler a;
    ASSERT_TRUE(a.beginFrame({Kind::Gray, 8, 1, 1, -1}));
    const std::vector<std::uint8_t> bytes(std::size_t(Picture24::kMaxSide) + 1, 7);
    const ImageStatus s = a.feed(bytes.data(), bytes.size());
    EXPECT_FALSE(s);
    EXPECT_EQ(s.message, ImageMessages::kTooLarge);
    EXPECT_EQ(a.rows(), Picture24::kMaxSide);
}

TEST(SaneFrameAssembler, LayoutsThatCannotBeRightAreRefused)
{
    EXPECT_FALSE(SaneFrameAssembler::checkLayout({Kind::Gray, 4, 10, 5, 1}));
    EXPECT_FALSE(SaneFrameAssembler::checkLayout({Kind::Gray, 8, 0, 0, 1}));
    EXPECT_FALSE(SaneFrameAssembler::checkLayout({Kind::Rgb, 8, 10, 29, 1}));  // needs 30
    EXPECT_FALSE(SaneFrameAssembler::checkLayout({Kind::Rgb, 16, 10, 59, 1})); // needs 60
    EXPECT_FALSE(SaneFrameAssembler::checkLayout({Kind::Gray, 1, 9, 1, 1}));   // needs 2
    EXPECT_FALSE(SaneFrameAssembler::checkLayout({Kind::Gray, 8, Picture24::kMaxSide + 1, Picture24::kMaxSide + 1, 1}));
    EXPECT_FALSE(SaneFrameAssembler::checkLayout({Kind::Gray, 8, 20000, 20000, 20000})); // 400 M pixels
    EXPECT_TRUE(SaneFrameAssembler::checkLayout({Kind::Gray, 1, 9, 2, -1}));
    EXPECT_TRUE(SaneFrameAssembler::checkLayout({Kind::Rgb, 16, 10, 64, 5}));
    SaneFrameAssembler a;
    EXPECT_FALSE(a.beginFrame({Kind::Gray, 12, 10, 20, 1}));
    const std::uint8_t byte = 0;
    EXPECT_FALSE(a.feed(&byte, 1)) << "data before any frame";
}

TEST(SaneFrameAssembler, NoCompleteLineIsAFailureThatLeavesThePicture)
{
    SaneFrameAssembler a;
    ASSERT_TRUE(a.beginFrame({Kind::Gray, 8, 4, 4, 3}));
    const std::uint8_t part[] = {1, 2, 3};
    ASSERT_TRUE(a.feed(part, 3));
    a.endFrame();
    Picture24 out(2, 2);
    out.fill(9, 9, 9);
    const Picture24 before = out;
    EXPECT_FALSE(a.finish(out));
    EXPECT_TRUE(out == before);
}
