#include "BitmapTestBytes.h"
#include "PcxCodec.h"

#include <gtest/gtest.h>

namespace {

struct PcxLayout
{
    int version = 5;
    int encoding = 1;
    int bits = 8;
    int planes = 1;
    int xmin = 0, ymin = 0, xmax = 0, ymax = 0;
    int bytesPerLine = 2;
    std::vector<std::uint32_t> headerPalette; // up to 16 entries, 0xRRGGBB
    std::vector<std::uint8_t> data;           // encoded pixel data
    std::vector<std::uint32_t> palette256;    // appended after marker 0x0C when not empty
};

std::vector<std::uint8_t> buildPcx(const PcxLayout &l)
{
    BitmapTestBytes b;
    b.u8(0x0A).u8(l.version).u8(l.encoding).u8(l.bits);
    b.u16(l.xmin).u16(l.ymin).u16(l.xmax).u16(l.ymax).u16(72).u16(72);
    for (int i = 0; i < 16; ++i) {
        const std::uint32_t c = i < int(l.headerPalette.size()) ? l.headerPalette[i] : 0;
        b.u8(c >> 16).u8(c >> 8).u8(c);
    }
    b.u8(0).u8(l.planes).u16(l.bytesPerLine).u16(1);
    b.zeros(128 - b.size());
    b.raw(l.data);
    if (!l.palette256.empty()) {
        b.u8(0x0C);
        for (int i = 0; i < 256; ++i) {
            const std::uint32_t c = i < int(l.palette256.size()) ? l.palette256[i] : 0;
            b.u8(c >> 16).u8(c >> 8).u8(c);
        }
    }
    return b.bytes;
}

// Each byte on its own, escaped when it would read as a run count.
std::vector<std::uint8_t> literal(std::initializer_list<std::uint8_t> bytes)
{
    std::vector<std::uint8_t> out;
    for (std::uint8_t v : bytes) {
        if ((v & 0xC0) == 0xC0)
            out.push_back(0xC1);
        out.push_back(v);
    }
    return out;
}

Picture24 decodeOk(const std::vector<std::uint8_t> &file)
{
    Picture24 p;
    const ImageStatus s = PcxCodec::decode(file.data(), file.size(), p);
    EXPECT_TRUE(s.ok) << s.message;
    return p;
}

void expectFailsUntouched(const std::vector<std::uint8_t> &file, const char *message = nullptr)
{
    Picture24 p = sentinelPicture();
    const ImageStatus s = PcxCodec::decode(file.data(), file.size(), p);
    EXPECT_FALSE(s.ok);
    if (message) {
        EXPECT_EQ(s.message, message);
    }
    EXPECT_EQ(p, sentinelPicture());
}

constexpr std::uint32_t W = 0xFFFFFF, K = 0x000000;

std::vector<std::uint32_t> sixteenColours()
{
    std::vector<std::uint32_t> v;
    for (std::uint32_t i = 0; i < 16; ++i)
        v.push_back((i * 16) << 16 | (255 - i * 16) << 8 | i);
    return v;
}

} // namespace

TEST(PcxDecode, MonochromeIsBlackAndWhite)
{
    PcxLayout l;
    l.bits = 1;
    l.xmax = 9;
    l.ymax = 1;
    l.headerPalette = {0x123456, 0x654321}; // not used for one plane
    l.data = literal({0xAA, 0x80, 0xFF, 0xC0});
    const Picture24 p = decodeOk(buildPcx(l));
    ASSERT_EQ(p.width(), 10);
    ASSERT_EQ(p.height(), 2);
    EXPECT_EQ(picturePixels(p), (std::vector<std::uint32_t>{W, K, W, K, W, K, W, K, W, K,
                                                             W, W, W, W, W, W, W, W, W, W}));
}

TEST(PcxDecode, FourBitPlanesUseTheHeaderPalette)
{
    PcxLayout l;
    l.bits = 1;
    l.planes = 4;
    l.xmax = 3;
    l.bytesPerLine = 2; // one byte of padding per plane, filled with junk
    l.headerPalette = sixteenColours();
    l.data = literal({0x50, 0xAB, 0x30, 0xAB, 0x50, 0xAB, 0x30, 0xAB}); // 0 5 10 15
    const auto c = sixteenColours();
    EXPECT_EQ(picturePixels(decodeOk(buildPcx(l))), (std::vector<std::uint32_t>{c[0], c[5], c[10], c[15]}));
}

TEST(PcxDecode, PackedFourBits)
{
    PcxLayout l;
    l.bits = 4;
    l.xmax = 2;
    l.headerPalette = sixteenColours();
    l.data = literal({0x1E, 0x70});
    const auto c = sixteenColours();
    EXPECT_EQ(picturePixels(decodeOk(buildPcx(l))), (std::vector<std::uint32_t>{c[1], c[14], c[7]}));

    // Version 3 files carry no palette; a blank header palette means the same.
    l.version = 3;
    EXPECT_EQ(picturePixels(decodeOk(buildPcx(l))), (std::vector<std::uint32_t>{0x0000AA, 0xFFFF55, 0xAAAAAA}));
    l.version = 5;
    l.headerPalette.clear();
    EXPECT_EQ(picturePixels(decodeOk(buildPcx(l))), (std::vector<std::uint32_t>{0x0000AA, 0xFFFF55, 0xAAAAAA}));
}

TEST(PcxDecode, EightBitWithTrailingPalette)
{
    PcxLayout l;
    l.xmax = 2;
    l.ymax = 1;
    l.bytesPerLine = 4;
    l.data = {0xC3, 5, 0, 1, 0xC1, 200, 2, 0};
    l.palette256.assign(256, 0x777777);
    l.palette256[1] = 0x010203;
    l.palette256[2] = 0x0A0B0C;
    l.palette256[5] = 0x112233;
    l.palette256[200] = 0xC8C9CA;
    EXPECT_EQ(picturePixels(decodeOk(buildPcx(l))),
              (std::vector<std::uint32_t>{0x112233, 0x112233, 0x112233, 0x010203, 0xC8C9CA, 0x0A0B0C}));

    l.palette256.clear(); // no palette: grey levels
    EXPECT_EQ(picturePixels(decodeOk(buildPcx(l))),
              (std::vector<std::uint32_t>{0x050505, 0x050505, 0x050505, 0x010101, 0xC8C8C8, 0x020202}));
}

TEST(PcxDecode, TwentyFourBitRunsCrossPlaneAndLineEnds)
{
    PcxLayout l;
    l.planes = 3;
    l.xmax = 1;
    l.ymax = 1;
    l.data = {10, 20, 0xC3, 30, 0xC3, 40, 50, 60, 0xC2, 70};
    EXPECT_EQ(picturePixels(decodeOk(buildPcx(l))),
              (std::vector<std::uint32_t>{0x0A1E1E, 0x141E28, 0x283246, 0x283C46}));
}

TEST(PcxDecode, WindowOffsetsGiveTheSize)
{
    PcxLayout l;
    l.xmin = 10;
    l.ymin = 5;
    l.xmax = 12;
    l.ymax = 5;
    l.bytesPerLine = 4;
    l.data = {1, 2, 3, 0};
    const Picture24 p = decodeOk(buildPcx(l));
    EXPECT_EQ(p.width(), 3);
    EXPECT_EQ(p.height(), 1);
    EXPECT_EQ(picturePixels(p), (std::vector<std::uint32_t>{0x010101, 0x020202, 0x030303}));
}

TEST(PcxDecode, UncompressedZeroRunsAndLastRunOverflow)
{
    PcxLayout raw;
    raw.encoding = 0;
    raw.xmax = 1;
    raw.data = {0xC5, 0xC6}; // bytes, not run counts
    EXPECT_EQ(picturePixels(decodeOk(buildPcx(raw))), (std::vector<std::uint32_t>{0xC5C5C5, 0xC6C6C6}));

    PcxLayout runs;
    runs.xmax = 1;
    runs.data = {0xC0, 9, 4, 0xFF, 8}; // a zero run yields nothing; the last run spills past the end
    EXPECT_EQ(picturePixels(decodeOk(buildPcx(runs))), (std::vector<std::uint32_t>{0x040404, 0x080808}));
}

TEST(PcxDecodeMalformed, HeadersThatCannotBeRead)
{
    expectFailsUntouched({}, ImageMessages::kEmpty);
    PcxLayout l;
    l.xmax = 1;
    l.data = {1, 2};
    std::vector<std::uint8_t> f = buildPcx(l);
    expectFailsUntouched(std::vector<std::uint8_t>(f.begin(), f.begin() + 127), ImageMessages::kCorrupt);

    std::vector<std::uint8_t> bad = f;
    bad[0] = 0x0B;
    expectFailsUntouched(bad, ImageMessages::kCorrupt);
    bad = f;
    bad[2] = 2; // unknown encoding
    expectFailsUntouched(bad, ImageMessages::kCorrupt);

    PcxLayout narrow = l;
    narrow.bytesPerLine = 1; // two pixels need two bytes
    expectFailsUntouched(buildPcx(narrow), ImageMessages::kCorrupt);
    narrow.bytesPerLine = 0;
    expectFailsUntouched(buildPcx(narrow), ImageMessages::kCorrupt);

    PcxLayout inverted = l;
    inverted.xmin = 5;
    inverted.xmax = 4;
    expectFailsUntouched(buildPcx(inverted), ImageMessages::kCorrupt);

    PcxLayout odd = l;
    odd.planes = 2;
    expectFailsUntouched(buildPcx(odd), ImageMessages::kUnsupported);
    odd.planes = 1;
    odd.bits = 16;
    expectFailsUntouched(buildPcx(odd), ImageMessages::kUnsupported);
}

TEST(PcxDecodeMalformed, AbsurdSizes)
{
    PcxLayout l;
    l.xmax = 65535;
    l.ymax = 65535;
    l.bytesPerLine = 65535;
    l.data = {0xFF, 0};
    expectFailsUntouched(buildPcx(l), ImageMessages::kTooLarge);
    // Allowed size, but the data could never fill it.
    l.xmax = 9999;
    l.ymax = 9999;
    l.bytesPerLine = 10000;
    expectFailsUntouched(buildPcx(l), ImageMessages::kCorrupt);
}

TEST(PcxDecodeMalformed, EveryTruncationFails)
{
    PcxLayout indexed;
    indexed.xmax = 2;
    indexed.ymax = 1;
    indexed.bytesPerLine = 4;
    indexed.data = {0xC3, 5, 0, 1, 0xC1, 200, 2, 0};
    indexed.palette256 = {0x111111, 0x222222};

    PcxLayout rgb;
    rgb.planes = 3;
    rgb.xmax = 1;
    rgb.ymax = 1;
    rgb.data = {10, 20, 0xC3, 30, 0xC3, 40, 50, 60, 0xC2, 70};

    for (const PcxLayout &l : {indexed, rgb}) {
        const std::vector<std::uint8_t> file = buildPcx(l);
        decodeOk(file);
        for (std::size_t n = 0; n < file.size(); ++n) {
            // An 8-bit file that ends right after its pixels is a complete
            // grey picture, not a truncated one.
            if (l.palette256.size() && n == 128 + l.data.size())
                continue;
            SCOPED_TRACE(n);
            expectFailsUntouched(std::vector<std::uint8_t>(file.begin(), file.begin() + n));
        }
    }
}

TEST(PcxEncode, RoundTripAndHeaderAtEveryWidth)
{
    for (int w = 1; w <= 5; ++w) {
        for (int h = 1; h <= 3; ++h) {
            SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
            Picture24 picture(w, h);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) // values above 0xC0 need escaping; repeats make runs
                    picture.setPixel(x, y, x < 2 ? 0xC1C2FF : std::uint32_t(0x10 * x + 0x50 * y) * 0x010101);
            std::vector<std::uint8_t> file;
            ASSERT_TRUE(PcxCodec::encode(picture, file).ok);
            ASSERT_GE(file.size(), 128u);
            EXPECT_EQ(file[0], 0x0A);
            EXPECT_EQ(file[1], 5);
            EXPECT_EQ(file[2], 1);
            EXPECT_EQ(file[3], 8);
            EXPECT_EQ(file[65], 3);
            const int xmax = file[8] | file[9] << 8, ymax = file[10] | file[11] << 8;
            const int bytesPerLine = file[66] | file[67] << 8;
            EXPECT_EQ(xmax, w - 1);
            EXPECT_EQ(ymax, h - 1);
            EXPECT_EQ(bytesPerLine % 2, 0);
            EXPECT_GE(bytesPerLine, w);
            Picture24 back;
            ASSERT_TRUE(PcxCodec::decode(file.data(), file.size(), back).ok);
            EXPECT_EQ(back, picture);
        }
    }
}

TEST(PcxEncode, LongRunsAreSplitAt63AndStayInTheirPlane)
{
    Picture24 picture(100, 2);
    picture.fill(0x20, 0x40, 0x60);
    std::vector<std::uint8_t> file;
    ASSERT_TRUE(PcxCodec::encode(picture, file).ok);
    // Per plane line: a run of 63 and a run of 37, two bytes each.
    EXPECT_EQ(file.size(), 128u + 2 * 3 * 4);
    EXPECT_EQ(file[128], 0xC0 | 63);
    EXPECT_EQ(file[129], 0x20);
    EXPECT_EQ(file[130], 0xC0 | 37);
    EXPECT_EQ(file[132], 0xC0 | 63);
    EXPECT_EQ(file[133], 0x40);
}

TEST(PcxEncode, EmptyPictureIsRefused)
{
    std::vector<std::uint8_t> file;
    EXPECT_EQ(PcxCodec::encode(Picture24(), file).message, ImageMessages::kNothingToSave);
    EXPECT_TRUE(file.empty());
}
