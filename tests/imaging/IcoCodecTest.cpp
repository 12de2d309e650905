#include "BitmapTestBytes.h"
#include "IcoCodec.h"
#include "PngCodec.h"

#include <gtest/gtest.h>

namespace {

// An icon image as stored in the file: info header with doubled height,
// palette, colour bits, AND mask (both bottom-up, rows padded to 4 bytes).
std::vector<std::uint8_t> dibPayload(int w, int h, int bits, const std::vector<std::uint32_t> &palette,
                                     const std::vector<std::uint8_t> &colourRows,
                                     const std::vector<std::uint8_t> &maskRows)
{
    BitmapTestBytes b;
    b.u32(40).i32(w).i32(2 * h).u16(1).u16(bits).u32(0).u32(0).u32(0).u32(0).u32(0).u32(0);
    if (bits <= 8)
        for (int i = 0; i < (1 << bits); ++i) {
            const std::uint32_t c = i < int(palette.size()) ? palette[i] : 0;
            b.u8(c).u8(c >> 8).u8(c >> 16).u8(0);
        }
    b.raw(colourRows).raw(maskRows);
    return b.bytes;
}

// A solid-colour image of the given depth with an all-zero (opaque) mask.
std::vector<std::uint8_t> solidImage(int w, int h, int bits, std::uint32_t rgb)
{
    BitmapTestBytes colour;
    for (int r = 0; r < h; ++r) {
        const std::size_t start = colour.size();
        for (int x = 0; x < w; ++x) {
            if (bits == 24)
                colour.u8(rgb).u8(rgb >> 8).u8(rgb >> 16);
            else if (bits == 32)
                colour.u8(rgb).u8(rgb >> 8).u8(rgb >> 16).u8(0xFF);
            else if (bits == 8)
                colour.u8(1);
        }
        if (bits == 1)
            colour.u8(0xFF);
        colour.alignFrom(start);
    }
    const std::size_t maskStride = ((w + 31) / 32) * 4;
    return dibPayload(w, h, bits, {0, rgb}, colour.bytes, std::vector<std::uint8_t>(maskStride * h, 0));
}

struct Entry
{
    std::vector<std::uint8_t> payload;
    std::uint8_t width = 0, height = 0;
    std::uint16_t planes = 1, bits = 0; // hot spot x and y in cursors
    std::uint32_t declaredSize = 0;     // 0: the payload's size
};

std::vector<std::uint8_t> buildIco(int type, const std::vector<Entry> &entries)
{
    BitmapTestBytes b;
    b.u16(0).u16(type).u16(static_cast<std::uint32_t>(entries.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * entries.size());
    for (const Entry &e : entries) {
        b.u8(e.width).u8(e.height).u8(0).u8(0).u16(e.planes).u16(e.bits);
        b.u32(e.declaredSize ? e.declaredSize : static_cast<std::uint32_t>(e.payload.size())).u32(offset);
        offset += static_cast<std::uint32_t>(e.payload.size());
    }
    for (const Entry &e : entries)
        b.raw(e.payload);
    return b.bytes;
}

Picture24 decodeOk(const std::vector<std::uint8_t> &file, std::uint32_t background = 0)
{
    Picture24 p;
    const ImageStatus s = IcoCodec::decode(file.data(), file.size(), p, background);
    EXPECT_TRUE(s.ok) << s.message;
    return p;
}

void expectFailsUntouched(const std::vector<std::uint8_t> &file, const char *message = nullptr)
{
    Picture24 p = sentinelPicture();
    const ImageStatus s = IcoCodec::decode(file.data(), file.size(), p, 0);
    EXPECT_FALSE(s.ok);
    if (message) {
        EXPECT_EQ(s.message, message);
    }
    EXPECT_EQ(p, sentinelPicture());
}

} // namespace

TEST(IcoDecode, PicksTheLargestImageThenTheDeepest)
{
    const Entry small{solidImage(2, 2, 1, 0x111111), 0, 0}; // directory claims 256 x 256
    const Entry indexed{solidImage(4, 4, 8, 0x222222), 4, 4, 1, 8};
    const Entry rgb{solidImage(4, 4, 24, 0x333333), 4, 4, 1, 24};
    const Entry smallAlpha{solidImage(3, 3, 32, 0x444444), 3, 3, 1, 32};

    for (const auto &order : {std::vector<Entry>{small, indexed, rgb, smallAlpha},
                              std::vector<Entry>{rgb, smallAlpha, indexed, small},
                              std::vector<Entry>{smallAlpha, indexed, small, rgb}}) {
        const Picture24 p = decodeOk(buildIco(1, order));
        ASSERT_EQ(p.width(), 4);
        ASSERT_EQ(p.height(), 4);
        EXPECT_EQ(p.pixel(0, 0), 0x333333u);
        EXPECT_EQ(p.pixel(3, 3), 0x333333u);
    }
}

TEST(IcoDecode, AndMaskShowsTheBackground)
{
    BitmapTestBytes colour;
    for (int r = 0; r < 2; ++r)
        colour.raw({0, 0, 255, 0, 0, 255, 0, 0, 255}).u8(0).u8(0).u8(0);
    const std::vector<std::uint8_t> mask{0x00, 0, 0, 0, 0xA0, 0, 0, 0}; // bottom row, then top row
    const auto file = buildIco(1, {{dibPayload(3, 2, 24, {}, colour.bytes, mask), 3, 2}});
    EXPECT_EQ(picturePixels(decodeOk(file, 0x00FF00)),
              (std::vector<std::uint32_t>{0x00FF00, 0xFF0000, 0x00FF00, 0xFF0000, 0xFF0000, 0xFF0000}));
}

TEST(IcoDecode, AlphaBlendsOverTheBackgroundAndZeroAlphaFallsBackToTheMask)
{
    const std::vector<std::uint8_t> colour{0, 0, 255, 255, 0, 0, 255, 128, 0, 0, 255, 0};
    const std::vector<std::uint8_t> fullMask{0xE0, 0, 0, 0}; // ignored when alpha is present
    const auto withAlpha = buildIco(1, {{dibPayload(3, 1, 32, {}, colour, fullMask)}});
    EXPECT_EQ(picturePixels(decodeOk(withAlpha, 0x0000FF)),
              (std::vector<std::uint32_t>{0xFF0000, 0x80007F, 0x0000FF}));

    const std::vector<std::uint8_t> noAlpha{0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255, 0};
    const std::vector<std::uint8_t> mask{0x40, 0, 0, 0};
    const auto masked = buildIco(1, {{dibPayload(3, 1, 32, {}, noAlpha, mask)}});
    EXPECT_EQ(picturePixels(decodeOk(masked, 0x0000FF)),
              (std::vector<std::uint32_t>{0xFF0000, 0x0000FF, 0xFF0000}));
}

TEST(IcoDecode, CursorWithHotSpotInTheDepthFields)
{
    // 1-bit 2x2: top row 1 0, bottom row 0 1; the mask hides the top-right pixel.
    const auto payload = dibPayload(2, 2, 1, {0x102030, 0xA0B0C0}, {0x40, 0, 0, 0, 0x80, 0, 0, 0},
                                    {0x00, 0, 0, 0, 0x40, 0, 0, 0});
    Entry e{payload, 2, 2, 200, 300}; // hot spot (200, 300) where icons keep planes and depth
    EXPECT_EQ(picturePixels(decodeOk(buildIco(2, {e}), 0xFFFFFF)),
              (std::vector<std::uint32_t>{0xA0B0C0, 0xFFFFFF, 0x102030, 0xA0B0C0}));
}

TEST(IcoDecode, MissingMaskMeansOpaque)
{
    auto payload = solidImage(2, 2, 24, 0x445566);
    payload.resize(payload.size() - 8); // cut the AND mask off
    EXPECT_EQ(picturePixels(decodeOk(buildIco(1, {{payload}}), 0xFFFFFF)),
              std::vector<std::uint32_t>(4, 0x445566));
}

TEST(IcoDecode, DamagedBestImageFallsBackToTheNext)
{
    auto big = solidImage(8, 8, 24, 0x999999);
    big.resize(60); // header and a few pixels only
    const auto file = buildIco(1, {{big, 8, 8}, {solidImage(2, 2, 24, 0x123123), 2, 2}});
    const Picture24 p = decodeOk(file);
    EXPECT_EQ(p.width(), 2);
    EXPECT_EQ(p.pixel(1, 1), 0x123123u);
}

TEST(IcoDecode, PngPayload)
{
    Picture24 source(3, 2);
    source.setPixel(0, 0, 0xFF0000);
    source.setPixel(2, 1, 0x00FF00);
    std::vector<std::uint8_t> png;
    ASSERT_TRUE(PngCodec::encode(source, png).ok);
    const auto file = buildIco(1, {{solidImage(2, 2, 24, 0x777777)}, {png, 3, 2, 1, 32}});
    EXPECT_EQ(decodeOk(file), source);
}

TEST(IcoDecodeMalformed, DirectoriesThatCannotBeRead)
{
    expectFailsUntouched({}, ImageMessages::kEmpty);
    expectFailsUntouched({0, 0, 1}, ImageMessages::kCorrupt);
    expectFailsUntouched({0, 0, 1, 0, 0, 0}, ImageMessages::kCorrupt); // no images
    expectFailsUntouched({0, 0, 3, 0, 1, 0}, ImageMessages::kCorrupt); // neither icon nor cursor

    auto file = buildIco(1, {{solidImage(2, 2, 24, 0x777777)}});
    auto tooMany = file;
    tooMany[4] = 200; // more entries than the file holds
    expectFailsUntouched(tooMany, ImageMessages::kCorrupt);

    BitmapTestBytes pastEnd{file};
    pastEnd.patch32(6 + 12, 0xFFFFFF00u);
    expectFailsUntouched(pastEnd.bytes, ImageMessages::kCorrupt);

    BitmapTestBytes huge{file};
    huge.patch32(6 + 16 + 4, 100000); // width
    expectFailsUntouched(huge.bytes, ImageMessages::kTooLarge);
}

TEST(IcoDecodeMalformed, EveryTruncationFailsOrGivesTheWholeIcon)
{
    const auto payload = solidImage(2, 2, 8, 0x556677);
    const auto file = buildIco(1, {{payload, 2, 2, 1, 8}});
    const std::size_t colourEnd = file.size() - 8; // the AND mask is optional
    for (std::size_t n = 0; n < file.size(); ++n) {
        SCOPED_TRACE(n);
        const std::vector<std::uint8_t> cut(file.begin(), file.begin() + n);
        if (n < colourEnd) {
            expectFailsUntouched(cut);
        } else {
            EXPECT_EQ(picturePixels(decodeOk(cut, 0xFFFFFF)), std::vector<std::uint32_t>(4, 0x556677));
        }
    }
}

TEST(IcoDecode, HugeDeclaredSizesAreRefusedWithoutOverflow)
{
    // One entry whose PNG payload declares 4294967295 x 4294967295 pixels:
    // ranking the candidates must not overflow, and decoding refuses it.
    std::vector<std::uint8_t> file = {0, 0, 1, 0, 1, 0};
    const std::uint8_t png[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R',
                                0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 8, 6, 0, 0, 0};
    const std::uint32_t size = sizeof png;
    const std::uint32_t offset = 6 + 16;
    const std::uint8_t entry[16] = {0, 0, 0, 0, 1, 0, 32, 0,
                                    std::uint8_t(size), 0, 0, 0, std::uint8_t(offset), 0, 0, 0};
    file.insert(file.end(), entry, entry + 16);
    file.insert(file.end(), png, png + sizeof png);
    Picture24 out(3, 3);
    const Picture24 before = out;
    EXPECT_FALSE(IcoCodec::decode(file.data(), file.size(), out, 0xFFFFFF).ok);
    EXPECT_EQ(out, before);
}
