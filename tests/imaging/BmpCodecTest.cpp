#include "BitmapTestBytes.h"
#include "BmpCodec.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct BmpLayout
{
    std::uint32_t headerSize = 40;
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint16_t bits = 24;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;
    std::vector<std::uint32_t> palette; // 0xRRGGBB
    std::vector<std::uint32_t> masks;   // red, green, blue[, alpha]
    std::vector<std::uint8_t> pixels;   // rows as stored, already padded
    std::size_t gap = 0;                // junk between palette and pixels
};

std::vector<std::uint8_t> buildBmp(const BmpLayout &l)
{
    BitmapTestBytes b;
    b.text("BM").u32(0).u32(0).u32(0);
    if (l.headerSize == 12) {
        b.u32(12).u16(l.width).u16(l.height).u16(1).u16(l.bits);
    } else {
        const std::size_t start = b.size();
        b.u32(l.headerSize).i32(l.width).i32(l.height).u16(1).u16(l.bits).u32(l.compression);
        b.u32(static_cast<std::uint32_t>(l.pixels.size())).u32(2835).u32(2835).u32(l.colorsUsed).u32(0);
        if (l.headerSize >= 52)
            for (std::size_t i = 0; i < l.masks.size() && i < (l.headerSize >= 56 ? 4u : 3u); ++i)
                b.u32(l.masks[i]);
        while (b.size() - start < l.headerSize)
            b.u8(0);
        b.bytes.resize(start + l.headerSize); // short OS/2 2.x headers
        if (l.headerSize == 40)
            for (std::uint32_t m : l.masks)
                b.u32(m);
    }
    for (std::uint32_t c : l.palette) {
        b.u8(c).u8(c >> 8).u8(c >> 16);
        if (l.headerSize != 12)
            b.u8(0);
    }
    for (std::size_t i = 0; i < l.gap; ++i)
        b.u8(0xEE);
    b.patch32(10, static_cast<std::uint32_t>(b.size()));
    b.raw(l.pixels);
    b.patch32(2, static_cast<std::uint32_t>(b.size()));
    return b.bytes;
}

// Rows in stored order, each padded to 4 bytes.
std::vector<std::uint8_t> rows(std::initializer_list<std::vector<std::uint8_t>> list)
{
    BitmapTestBytes b;
    for (const auto &r : list) {
        const std::size_t start = b.size();
        b.raw(r).alignFrom(start);
    }
    return b.bytes;
}

Picture24 decodeOk(const std::vector<std::uint8_t> &file)
{
    Picture24 p;
    const ImageStatus s = BmpCodec::decode(file.data(), file.size(), p);
    EXPECT_TRUE(s.ok) << s.message;
    return p;
}

void expectFailsUntouched(const std::vector<std::uint8_t> &file, const char *message = nullptr)
{
    Picture24 p = sentinelPicture();
    const ImageStatus s = BmpCodec::decode(file.data(), file.size(), p);
    EXPECT_FALSE(s.ok);
    EXPECT_FALSE(s.message.empty());
    if (message) {
        EXPECT_EQ(s.message, message);
    }
    EXPECT_EQ(p, sentinelPicture());
}

constexpr std::uint32_t R = 0xFF0000, G = 0x00FF00, B = 0x0000FF, K = 0x000000;

} // namespace

TEST(BmpDecode, IndexedDepthsReadTheirPalette)
{
    BmpLayout one;
    one.width = 3;
    one.height = 2;
    one.bits = 1;
    one.palette = {R, G};
    one.pixels = rows({{0xC0}, {0x40}}); // bottom row G G R, top row R G R
    Picture24 p = decodeOk(buildBmp(one));
    ASSERT_EQ(p.width(), 3);
    ASSERT_EQ(p.height(), 2);
    EXPECT_EQ(picturePixels(p), (std::vector<std::uint32_t>{R, G, R, G, G, R}));

    BmpLayout two;
    two.width = 5;
    two.bits = 2;
    two.palette = {R, G, B, 0x808080};
    two.pixels = rows({{0x1B, 0x80}}); // 0 1 2 3 2
    EXPECT_EQ(picturePixels(decodeOk(buildBmp(two))),
              (std::vector<std::uint32_t>{R, G, B, 0x808080, B}));

    BmpLayout four;
    four.width = 3;
    four.bits = 4;
    for (std::uint32_t i = 0; i < 16; ++i)
        four.palette.push_back(i * 0x111111);
    four.pixels = rows({{0xF0, 0x70}}); // 15 0 7
    EXPECT_EQ(picturePixels(decodeOk(buildBmp(four))),
              (std::vector<std::uint32_t>{0xFFFFFF, 0x000000, 0x777777}));
}

TEST(BmpDecode, ShortPaletteGivesBlackBeyondItsEnd)
{
    BmpLayout l;
    l.width = 4;
    l.bits = 8;
    l.colorsUsed = 3;
    l.palette = {R, G, B};
    l.pixels = rows({{2, 1, 0, 200}});
    EXPECT_EQ(picturePixels(decodeOk(buildBmp(l))), (std::vector<std::uint32_t>{B, G, R, K}));
}

TEST(BmpDecode, AbsurdColourCountIsLimitedToTheDataBeforeThePixels)
{
    BmpLayout l;
    l.width = 2;
    l.bits = 8;
    l.colorsUsed = 0xFFFFFFFF;
    l.palette = {R, G};
    l.pixels = rows({{1, 0}});
    EXPECT_EQ(picturePixels(decodeOk(buildBmp(l))), (std::vector<std::uint32_t>{G, R}));
}

TEST(BmpDecode, TopDownAndBottomUp24Bit)
{
    BmpLayout l;
    l.width = 2;
    l.height = -2;
    l.pixels = rows({{0, 0, 255, 0, 255, 0}, {255, 0, 0, 1, 2, 3}}); // first stored row is the top
    EXPECT_EQ(picturePixels(decodeOk(buildBmp(l))), (std::vector<std::uint32_t>{R, G, B, 0x030201}));
    l.height = 2;
    EXPECT_EQ(picturePixels(decodeOk(buildBmp(l))), (std::vector<std::uint32_t>{B, 0x030201, R, G}));
}

TEST(BmpDecode, SixteenBitDefaultsTo555)
{
    BmpLayout l;
    l.width = 4;
    l.bits = 16;
    l.pixels = rows({{0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0x10, 0x42}});
    EXPECT_EQ(picturePixels(decodeOk(buildBmp(l))), (std::vector<std::uint32_t>{R, G, B, 0x848484}));
}

TEST(BmpDecode, SixteenBit565FromMasksAfterOrInsideTheHeader)
{
    BmpLayout l;
    l.width = 3;
    l.bits = 16;
    l.compression = 3;
    l.masks = {0xF800, 0x07E0, 0x001F};
    l.pixels = rows({{0xE0, 0x07, 0x00, 0x84, 0x1F, 0x00}}); // green, r=16 g=32, blue
    const std::vector<std::uint32_t> expected{G, 0x848200, B};
    EXPECT_EQ(picturePixels(decodeOk(buildBmp(l))), expected);
    for (std::uint32_t header : {52u, 56u, 108u, 124u}) {
        l.headerSize = header;
        EXPECT_EQ(picturePixels(decodeOk(buildBmp(l))), expected) << "header " << header;
    }
}

TEST(BmpDecode, ThirtyTwoBitIgnoresZeroAlpha)
{
    BmpLayout l;
    l.width = 2;
    l.bits = 32;
    l.pixels = rows({{0x10, 0x20, 0x30, 0x00, 0xFF, 0xFF, 0xFF, 0x00}});
    EXPECT_EQ(picturePixels(decodeOk(buildBmp(l))), (std::vector<std::uint32_t>{0x302010, 0xFFFFFF}));
}

TEST(BmpDecode, ThirtyTwoBitWithReorderedMasks)
{
    BmpLayout l;
    l.headerSize = 108;
    l.width = 1;
    l.bits = 32;
    l.compression = 3;
    l.masks = {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000};
    l.pixels = {0x11, 0x22, 0x33, 0x80};
    EXPECT_EQ(picturePixels(decodeOk(buildBmp(l))), (std::vector<std::uint32_t>{0x112233}));
}

TEST(BmpDecode, MasksNarrowerAndWiderThanEightBits)
{
    // 10-bit channels keep their top 8 bits; narrow ones repeat their bits.
    BmpLayout wide;
    wide.headerSize = 56;
    wide.width = 2;
    wide.bits = 32;
    wide.compression = 3;
    wide.masks = {0x3FF00000, 0x000FFC00, 0x000003FF, 0};
    wide.pixels = rows({{0x01, 0x00, 0xF8, 0x3F, 0x00, 0x00, 0x00, 0x00}});
    EXPECT_EQ(picturePixels(decodeOk(buildBmp(wide))), (std::vector<std::uint32_t>{0xFF8000, 0x000000}));

    BmpLayout narrow;
    narrow.width = 3;
    narrow.bits = 16;
    narrow.compression = 3;
    narrow.masks = {0x8000, 0x7000, 0x0003}; // 1, 3 and 2 bits
    narrow.pixels = rows({{0x00, 0x80, 0x02, 0x50, 0x01, 0x00}});
    EXPECT_EQ(picturePixels(decodeOk(buildBmp(narrow))),
              (std::vector<std::uint32_t>{0xFF0000, 0x00B6AA, 0x000055}));
}

TEST(BmpDecode, Rle8RunsAbsoluteDeltaAndEscapes)
{
    BmpLayout l;
    l.width = 4;
    l.height = 3;
    l.bits = 8;
    l.compression = 1;
    const std::uint32_t navy = 0x000080;
    l.palette = {navy, R, G, B};
    l.pixels = {
        3, 1, 0, 0,                // bottom: 1 1 1, last pixel skipped
        0, 3, 2, 3, 2, 0, 1, 1, 0, 0, // absolute 2 3 2 (padded), then 1
        0, 2, 2, 0, 2, 3, 0, 1,    // delta to x=2, two 3s, end of bitmap
    };
    EXPECT_EQ(picturePixels(decodeOk(buildBmp(l))),
              (std::vector<std::uint32_t>{navy, navy, B, B, G, B, G, R, R, R, R, navy}));
}

TEST(BmpDecode, Rle8DeltaSkipsRows)
{
    BmpLayout l;
    l.width = 2;
    l.height = 3;
    l.bits = 8;
    l.compression = 1;
    l.palette = {K, R};
    l.pixels = {0, 2, 1, 2, 1, 1, 0, 1};
    EXPECT_EQ(picturePixels(decodeOk(buildBmp(l))), (std::vector<std::uint32_t>{K, R, K, K, K, K}));
}

TEST(BmpDecode, Rle4NibblesOddAbsoluteRunAndDelta)
{
    BmpLayout l;
    l.width = 5;
    l.height = 3;
    l.bits = 4;
    l.compression = 2;
    for (std::uint32_t i = 0; i < 16; ++i)
        l.palette.push_back(i * 0x100000 + i);
    l.pixels = {
        5, 0x12, 0, 0,                   // 1 2 1 2 1
        0, 5, 0x34, 0x57, 0x80, 0, 0, 0, // absolute 3 4 5 7 8, 3 bytes + pad
        0, 2, 4, 0, 1, 0x66, 0, 1,       // delta to x=4, one 6
    };
    auto c = [](std::uint32_t i) { return i * 0x100000 + i; };
    EXPECT_EQ(picturePixels(decodeOk(buildBmp(l))),
              (std::vector<std::uint32_t>{c(0), c(0), c(0), c(0), c(6), c(3), c(4), c(5), c(7), c(8),
                                          c(1), c(2), c(1), c(2), c(1)}));
}

TEST(BmpDecode, RleRunsLeavingThePictureAreClipped)
{
    BmpLayout l;
    l.width = 3;
    l.height = 2;
    l.bits = 8;
    l.compression = 1;
    l.palette = {K, R, G};
    l.pixels = {255, 1, 0, 0, 0, 5, 2, 2, 2, 2, 2, 0, 0, 2, 200, 200, 1, 2};
    // Line 0 holds three 1s, not wrapped into line 1; line 1 gets its three
    // 2s; the delta then leaves the picture and decoding ends there.
    EXPECT_EQ(picturePixels(decodeOk(buildBmp(l))), (std::vector<std::uint32_t>{G, G, G, R, R, R}));
}

TEST(BmpDecode, RleWithoutEndMarker)
{
    BmpLayout l;
    l.width = 1;
    l.height = 2;
    l.bits = 8;
    l.compression = 1;
    l.palette = {K, R};
    l.pixels = {1, 1, 0, 0, 1, 1, 0, 0}; // every line ended, no end of bitmap
    EXPECT_EQ(picturePixels(decodeOk(buildBmp(l))), (std::vector<std::uint32_t>{R, R}));
    l.pixels = {1, 1, 0, 0}; // stops one line short
    expectFailsUntouched(buildBmp(l), ImageMessages::kCorrupt);
}

TEST(BmpDecode, Os2CoreHeaderWithThreeByteEntries)
{
    BmpLayout l;
    l.headerSize = 12;
    l.width = 3;
    l.height = 2;
    l.bits = 8;
    l.palette = {R, G, B}; // fewer than 256: the pixel offset ends the palette
    l.pixels = rows({{0, 1, 2}, {2, 2, 1}});
    EXPECT_EQ(picturePixels(decodeOk(buildBmp(l))), (std::vector<std::uint32_t>{B, B, G, R, G, B}));

    BmpLayout rgb;
    rgb.headerSize = 12;
    rgb.width = 1;
    rgb.pixels = rows({{1, 2, 3}});
    EXPECT_EQ(picturePixels(decodeOk(buildBmp(rgb))), (std::vector<std::uint32_t>{0x030201}));
}

TEST(BmpDecode, CorePaletteEndsAtThePixelsNotAtItsDeclaredSize)
{
    // 8 bits declare 256 entries; only two are stored, and the bytes after
    // them are pixels, not colours.
    BmpLayout l;
    l.headerSize = 12;
    l.width = 4;
    l.bits = 8;
    l.palette = {R, G};
    l.pixels = rows({{1, 0, 2, 3}});
    EXPECT_EQ(picturePixels(decodeOk(buildBmp(l))), (std::vector<std::uint32_t>{G, R, K, K}));
}

TEST(BmpDecode, Os2SecondVersionHeaders)
{
    BmpLayout l;
    l.headerSize = 64;
    l.width = 3;
    l.bits = 4;
    l.colorsUsed = 2;
    l.palette = {R, G};
    l.pixels = rows({{0x10, 0x10}});
    EXPECT_EQ(picturePixels(decodeOk(buildBmp(l))), (std::vector<std::uint32_t>{G, R, G}));

    BmpLayout shortHeader;
    shortHeader.headerSize = 16;
    shortHeader.width = 1;
    shortHeader.pixels = rows({{9, 8, 7}});
    EXPECT_EQ(picturePixels(decodeOk(buildBmp(shortHeader))), (std::vector<std::uint32_t>{0x070809}));

    // OS/2 reuses compression 3 for Huffman coding, which is not BITFIELDS.
    BmpLayout huffman = l;
    huffman.bits = 1;
    huffman.compression = 3;
    expectFailsUntouched(buildBmp(huffman), ImageMessages::kUnsupported);
}

TEST(BmpDecode, V5With8BitPalette)
{
    BmpLayout l;
    l.headerSize = 124;
    l.width = 2;
    l.height = -1;
    l.bits = 8;
    l.colorsUsed = 2;
    l.palette = {0x102030, 0x405060};
    l.pixels = rows({{1, 0}});
    EXPECT_EQ(picturePixels(decodeOk(buildBmp(l))), (std::vector<std::uint32_t>{0x405060, 0x102030}));
}

TEST(BmpDecode, PixelOffsetIsHonoured)
{
    BmpLayout l;
    l.width = 1;
    l.gap = 7;
    l.pixels = rows({{1, 2, 3}});
    EXPECT_EQ(picturePixels(decodeOk(buildBmp(l))), (std::vector<std::uint32_t>{0x030201}));

    // A zero offset: the pixels follow the palette.
    BmpLayout zero;
    zero.width = 2;
    zero.bits = 8;
    zero.colorsUsed = 2;
    zero.palette = {R, G};
    zero.pixels = rows({{1, 0}});
    std::vector<std::uint8_t> file = buildBmp(zero);
    std::memset(file.data() + 10, 0, 4);
    EXPECT_EQ(picturePixels(decodeOk(file)), (std::vector<std::uint32_t>{G, R}));
}

TEST(BmpDecodeMalformed, EmptyAndTooShort)
{
    expectFailsUntouched({}, ImageMessages::kEmpty);
    expectFailsUntouched({'B'});
    expectFailsUntouched({'B', 'M', 0, 0});
    Picture24 p = sentinelPicture();
    EXPECT_FALSE(BmpCodec::decode(nullptr, 10, p).ok);
    EXPECT_EQ(p, sentinelPicture());
}

TEST(BmpDecodeMalformed, EveryTruncationFails)
{
    BmpLayout plain;
    plain.width = 3;
    plain.height = 2;
    plain.bits = 8;
    plain.palette = {R, G, B};
    plain.colorsUsed = 3;
    plain.pixels = rows({{0, 1, 2}, {2, 1, 0}});

    BmpLayout rle = plain;
    rle.compression = 1;
    rle.pixels = {3, 1, 0, 0, 0, 3, 0, 1, 2, 0, 0, 1};

    BmpLayout masked;
    masked.headerSize = 124;
    masked.width = 2;
    masked.bits = 16;
    masked.compression = 3;
    masked.masks = {0xF800, 0x07E0, 0x001F};
    masked.pixels = rows({{1, 2, 3, 4}});

    for (const BmpLayout &l : {plain, rle, masked}) {
        const std::vector<std::uint8_t> file = buildBmp(l);
        decodeOk(file);
        for (std::size_t n = 0; n < file.size(); ++n) {
            SCOPED_TRACE(n);
            expectFailsUntouched(std::vector<std::uint8_t>(file.begin(), file.begin() + n));
        }
    }
}

TEST(BmpDecodeMalformed, AbsurdSizesAreRefused)
{
    BmpLayout l;
    l.width = 100000;
    l.height = 100000;
    l.pixels = rows({{1, 2, 3}});
    expectFailsUntouched(buildBmp(l), ImageMessages::kTooLarge);
    l.width = 60000; // each side allowed, the product not
    l.height = -60000;
    expectFailsUntouched(buildBmp(l), ImageMessages::kTooLarge);
    l.width = 1;
    l.height = INT32_MIN;
    expectFailsUntouched(buildBmp(l), ImageMessages::kTooLarge);
    // A size that could be held, with far too little data behind it.
    l.width = 10000;
    l.height = 10000;
    expectFailsUntouched(buildBmp(l), ImageMessages::kCorrupt);
    l.width = 0;
    l.height = 1;
    expectFailsUntouched(buildBmp(l), ImageMessages::kCorrupt);
    l.width = -5;
    expectFailsUntouched(buildBmp(l), ImageMessages::kCorrupt);
}

TEST(BmpDecodeMalformed, OffsetsAndHeaderSizesOutsideTheFile)
{
    BmpLayout l;
    l.width = 1;
    l.pixels = rows({{1, 2, 3}});
    const std::vector<std::uint8_t> good = buildBmp(l);

    std::vector<std::uint8_t> f = good;
    BitmapTestBytes patch{f};
    patch.patch32(10, static_cast<std::uint32_t>(good.size() + 1));
    expectFailsUntouched(patch.bytes, ImageMessages::kCorrupt);
    patch.patch32(10, 0xFFFFFFF0u);
    expectFailsUntouched(patch.bytes, ImageMessages::kCorrupt);
    patch.patch32(10, 20); // inside the info header
    expectFailsUntouched(patch.bytes, ImageMessages::kCorrupt);

    BitmapTestBytes header{good};
    header.patch32(14, 0x7FFFFFFF);
    expectFailsUntouched(header.bytes, ImageMessages::kCorrupt);
    header.patch32(14, 13);
    expectFailsUntouched(header.bytes, ImageMessages::kCorrupt);

    // Masks announced after a 40-byte header that the file does not hold.
    BmpLayout masks;
    masks.width = 1;
    masks.bits = 16;
    masks.compression = 3;
    std::vector<std::uint8_t> noMasks = buildBmp(masks);
    noMasks.resize(54);
    expectFailsUntouched(noMasks, ImageMessages::kCorrupt);
}

TEST(BmpDecodeMalformed, DepthAndCompressionMustAgree)
{
    BmpLayout l;
    l.width = 1;
    l.pixels = rows({{0, 0, 0}});
    l.bits = 7;
    expectFailsUntouched(buildBmp(l), ImageMessages::kCorrupt);
    l.bits = 4;
    l.compression = 1; // RLE8 on 4 bits
    expectFailsUntouched(buildBmp(l), ImageMessages::kCorrupt);
    l.bits = 24;
    l.compression = 3; // bit fields on 24 bits
    expectFailsUntouched(buildBmp(l), ImageMessages::kCorrupt);
    l.compression = 4; // embedded JPEG
    expectFailsUntouched(buildBmp(l), ImageMessages::kUnsupported);
    l.compression = 77;
    expectFailsUntouched(buildBmp(l), ImageMessages::kUnsupported);
}

TEST(BmpEncode, HeaderFieldsAndRoundTripAtEveryPadding)
{
    for (int w = 1; w <= 5; ++w) {
        for (int h = 1; h <= 3; ++h) {
            SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
            Picture24 picture(w, h);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    picture.setPixel(x, y, std::uint32_t(x * 0x3F1F0F + y * 0x010A55 + 0x0C0000));
            std::vector<std::uint8_t> file;
            ASSERT_TRUE(BmpCodec::encode(picture, file).ok);

            const std::size_t stride = ((w * 3 + 3) / 4) * 4;
            ASSERT_EQ(file.size(), 54 + stride * h);
            auto u32 = [&](std::size_t at) {
                return std::uint32_t(file[at]) | std::uint32_t(file[at + 1]) << 8
                       | std::uint32_t(file[at + 2]) << 16 | std::uint32_t(file[at + 3]) << 24;
            };
            auto u16 = [&](std::size_t at) { return std::uint32_t(file[at]) | std::uint32_t(file[at + 1]) << 8; };
            EXPECT_EQ(file[0], 'B');
            EXPECT_EQ(file[1], 'M');
            EXPECT_EQ(u32(2), file.size());
            EXPECT_EQ(u32(10), 54u);
            EXPECT_EQ(u32(14), 40u);
            EXPECT_EQ(u32(18), std::uint32_t(w));
            EXPECT_EQ(u32(22), std::uint32_t(h)); // positive: bottom-up
            EXPECT_EQ(u16(26), 1u);
            EXPECT_EQ(u16(28), 24u);
            EXPECT_EQ(u32(30), 0u);
            EXPECT_EQ(u32(34), stride * h);
            EXPECT_EQ(u32(38), 2835u);
            EXPECT_EQ(u32(42), 2835u);
            // Bottom-up: the first stored pixel is the bottom-left one.
            EXPECT_EQ(file[54], std::uint8_t(picture.pixel(0, h - 1)));

            Picture24 back;
            ASSERT_TRUE(BmpCodec::decode(file.data(), file.size(), back).ok);
            EXPECT_EQ(back, picture);
        }
    }
}

TEST(BmpEncode, EmptyPictureIsRefused)
{
    std::vector<std::uint8_t> file{1, 2, 3};
    const ImageStatus s = BmpCodec::encode(Picture24(), file);
    EXPECT_FALSE(s.ok);
    EXPECT_EQ(s.message, ImageMessages::kNothingToSave);
    EXPECT_EQ(file, (std::vector<std::uint8_t>{1, 2, 3}));
}
