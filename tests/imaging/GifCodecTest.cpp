#include "GifCodec.h"

#include "CodecTestPictures.h"

#include <gif_lib.h>
#include <gtest/gtest.h>
#include <set>
#include <vector>

namespace {

struct GifSpec
{
    int screenWidth = 0, screenHeight = 0;
    int backgroundIndex = 0;
    std::vector<GifColorType> globalMap; // power-of-two size or empty
    int left = 0, top = 0, width = 0, height = 0;
    bool interlaced = false;
    std::vector<GifColorType> localMap;
    int transparentIndex = -1;
    std::vector<GifPixelType> pixels; // frame rows from the top
};

int appendBytes(GifFileType *gif, const GifByteType *data, int n)
{
    auto *out = static_cast<std::vector<std::uint8_t> *>(gif->UserData);
    out->insert(out->end(), data, data + n);
    return n;
}

int bitsFor(std::size_t n)
{
    int bits = 1;
    while ((std::size_t(1) << bits) < n)
        ++bits;
    return bits;
}

// Writes a one-image GIF with the library itself.
std::vector<std::uint8_t> libraryGif(const GifSpec &spec)
{
    std::vector<std::uint8_t> bytes;
    int error = 0;
    GifFileType *gif = EGifOpen(&bytes, appendBytes, &error);
    EGifSetGifVersion(gif, true);
    ColorMapObject *global = spec.globalMap.empty()
                                 ? nullptr
                                 : GifMakeMapObject(int(spec.globalMap.size()), spec.globalMap.data());
    ColorMapObject *local =
        spec.localMap.empty() ? nullptr : GifMakeMapObject(int(spec.localMap.size()), spec.localMap.data());
    EGifPutScreenDesc(gif, spec.screenWidth, spec.screenHeight,
                      bitsFor(std::max(spec.globalMap.size(), spec.localMap.size())), spec.backgroundIndex,
                      global);
    if (spec.transparentIndex >= 0) {
        GraphicsControlBlock gcb = {};
        gcb.DisposalMode = DISPOSAL_UNSPECIFIED;
        gcb.DelayTime = 0;
        gcb.TransparentColor = spec.transparentIndex;
        GifByteType block[4];
        const std::size_t n = EGifGCBToExtension(&gcb, block);
        EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(n), block);
    }
    EGifPutImageDesc(gif, spec.left, spec.top, spec.width, spec.height, spec.interlaced, local);
    // The library writes lines in the order given: interlaced files need
    // their rows in pass order.
    std::vector<int> order;
    if (spec.interlaced) {
        const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass)
            for (int r = start[pass]; r < spec.height; r += step[pass])
                order.push_back(r);
    } else {
        for (int r = 0; r < spec.height; ++r)
            order.push_back(r);
    }
    for (int r : order)
        EGifPutLine(gif, const_cast<GifPixelType *>(spec.pixels.data() + r * spec.width), spec.width);
    EGifCloseFile(gif, &error);
    GifFreeMapObject(global);
    GifFreeMapObject(local);
    return bytes;
}

const std::vector<GifColorType> kFourColours = {{255, 255, 255}, {58, 42, 31}, {212, 169, 96}, {0, 0, 255}};

GifSpec simpleSpec(int w, int h)
{
    GifSpec spec;
    spec.screenWidth = spec.width = w;
    spec.screenHeight = spec.height = h;
    spec.globalMap = kFourColours;
    for (int i = 0; i < w * h; ++i)
        spec.pixels.push_back(GifPixelType((i / w + i % w) % 4));
    return spec;
}

std::uint32_t rgb(const GifColorType &c)
{
    return (std::uint32_t(c.Red) << 16) | (std::uint32_t(c.Green) << 8) | c.Blue;
}

} // namespace

TEST(GifCodec, TransparentIndexKeepsItsPaletteColourAndBecomesTheKey)
{
    GifSpec spec = simpleSpec(6, 4);
    spec.backgroundIndex = 3;
    spec.transparentIndex = 2;
    const auto bytes = libraryGif(spec);
    Picture24 out;
    std::uint32_t key = 0x123456;
    ASSERT_TRUE(GifCodec::decode(bytes.data(), bytes.size(), out, key));
    EXPECT_EQ(key, rgb(kFourColours[2]));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(out.pixel(x, y), rgb(kFourColours[spec.pixels[y * 6 + x]]));
}

TEST(GifCodec, WithoutTransparencyTheKeyIsTheBackgroundIndexColour)
{
    GifSpec spec = simpleSpec(5, 5);
    spec.backgroundIndex = 1;
    const auto bytes = libraryGif(spec);
    Picture24 out;
    std::uint32_t key = 0;
    ASSERT_TRUE(GifCodec::decode(bytes.data(), bytes.size(), out, key));
    EXPECT_EQ(key, rgb(kFourColours[1]));
}

TEST(GifCodec, CompositedDecodePutsTheBackgroundUnderTransparentPixels)
{
    GifSpec spec = simpleSpec(6, 4);
    spec.transparentIndex = 0;
    const auto bytes = libraryGif(spec);
    Picture24 out;
    ASSERT_TRUE(GifCodec::decodeComposited(bytes.data(), bytes.size(), out, 0xABCDEF));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) {
            const int index = spec.pixels[y * 6 + x];
            EXPECT_EQ(out.pixel(x, y), index == 0 ? 0xABCDEFu : rgb(kFourColours[index]));
        }
}

TEST(GifCodec, FrameSmallerThanTheScreenSitsOnTheBackgroundColour)
{
    GifSpec spec;
    spec.screenWidth = 10;
    spec.screenHeight = 8;
    spec.backgroundIndex = 3;
    spec.globalMap = kFourColours;
    spec.left = 3;
    spec.top = 2;
    spec.width = 4;
    spec.height = 3;
    spec.pixels.assign(12, 1);
    const auto bytes = libraryGif(spec);
    Picture24 out;
    std::uint32_t key = 0;
    ASSERT_TRUE(GifCodec::decode(bytes.data(), bytes.size(), out, key));
    ASSERT_EQ(out.width(), 10);
    ASSERT_EQ(out.height(), 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 10; ++x) {
            const bool inside = x >= 3 && x < 7 && y >= 2 && y < 5;
            EXPECT_EQ(out.pixel(x, y), rgb(kFourColours[inside ? 1 : 3])) << x << "," << y;
        }
}

TEST(GifCodec, FrameReachingPastTheScreenIsClipped)
{
    GifSpec spec;
    spec.screenWidth = 4;
    spec.screenHeight = 4;
    spec.globalMap = kFourColours;
    spec.left = 2;
    spec.top = 2;
    spec.width = 5;
    spec.height = 5;
    spec.pixels.assign(25, 2);
    const auto bytes = libraryGif(spec);
    Picture24 out;
    std::uint32_t key = 0;
    ASSERT_TRUE(GifCodec::decode(bytes.data(), bytes.size(), out, key));
    ASSERT_EQ(out.width(), 4);
    EXPECT_EQ(out.pixel(3, 3), rgb(kFourColours[2]));
    EXPECT_EQ(out.pixel(1, 1), rgb(kFourColours[0]));
}

TEST(GifCodec, LocalColourMapWinsOverTheGlobalOne)
{
    GifSpec spec = simpleSpec(4, 4);
    spec.localMap = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}};
    spec.backgroundIndex = 0;
    const auto bytes = libraryGif(spec);
    Picture24 out;
    std::uint32_t key = 0;
    ASSERT_TRUE(GifCodec::decode(bytes.data(), bytes.size(), out, key));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(out.pixel(x, y), rgb(spec.localMap[spec.pixels[y * 4 + x]]));
    // The screen background still comes from the global table.
    EXPECT_EQ(key, rgb(kFourColours[0]));
}

TEST(GifCodec, InterlacedRowsLandInTheirPlace)
{
    const int w = 3, h = 19; // covers every pass, with a ragged last group
    GifSpec spec;
    spec.screenWidth = spec.width = w;
    spec.screenHeight = spec.height = h;
    std::vector<GifColorType> map(32);
    for (int i = 0; i < 32; ++i)
        map[i] = GifColorType{GifByteType(i * 8), GifByteType(255 - i * 8), GifByteType(i)};
    spec.globalMap = map;
    spec.interlaced = true;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            spec.pixels.push_back(GifPixelType(y));
    const auto bytes = libraryGif(spec);
    Picture24 out;
    std::uint32_t key = 0;
    ASSERT_TRUE(GifCodec::decode(bytes.data(), bytes.size(), out, key));
    for (int y = 0; y < h; ++y)
        EXPECT_EQ(out.pixel(1, y), rgb(map[y])) << "row " << y;
}

TEST(GifCodec, FewColoursAreWrittenExactly)
{
    for (const Picture24 &source :
         {CodecTestPictures::hairLike(61, 47), CodecTestPictures::distinctColours(20, 20, 256),
          CodecTestPictures::distinctColours(3, 1, 2)}) {
        std::vector<std::uint8_t> bytes;
        ASSERT_TRUE(GifCodec::encode(source, bytes));
        Picture24 decoded;
        std::uint32_t key = 0;
        ASSERT_TRUE(GifCodec::decode(bytes.data(), bytes.size(), decoded, key));
        EXPECT_EQ(decoded, source);
    }
}

TEST(GifCodec, PhotographIsReducedToAClosePalette)
{
    const Picture24 source = CodecTestPictures::photoLike(120, 90);
    for (bool dither : {false, true}) {
        std::vector<std::uint8_t> bytes;
        ASSERT_TRUE(GifCodec::encode(source, bytes, dither));
        Picture24 decoded;
        std::uint32_t key = 0;
        ASSERT_TRUE(GifCodec::decode(bytes.data(), bytes.size(), decoded, key));
        ASSERT_EQ(decoded.width(), 120);
        std::set<std::uint32_t> colours;
        for (int y = 0; y < decoded.height(); ++y)
            for (int x = 0; x < decoded.width(); ++x)
                colours.insert(decoded.pixel(x, y));
        EXPECT_LE(colours.size(), 256u);
        EXPECT_GT(colours.size(), 64u);
        EXPECT_LT(CodecTestPictures::meanAbsoluteDifference(source, decoded), dither ? 9.0 : 6.0);
    }
}

TEST(GifCodec, NotAGifLeavesPictureAndKeyAlone)
{
    const std::vector<std::uint8_t> bytes = {'G', 'I', 'X', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0};
    Picture24 out(2, 2);
    const Picture24 before = out;
    std::uint32_t key = 0x010203;
    EXPECT_FALSE(GifCodec::decode(bytes.data(), bytes.size(), out, key));
    EXPECT_EQ(out, before);
    EXPECT_EQ(key, 0x010203u);
}

TEST(GifCodec, TruncatedAndHugeFilesFailWithoutTouchingTheKey)
{
    const auto bytes = libraryGif(simpleSpec(40, 40));
    for (std::size_t cut : {std::size_t(10), std::size_t(13), bytes.size() / 2, bytes.size() - 2}) {
        Picture24 out(1, 1);
        std::uint32_t key = 7;
        EXPECT_FALSE(GifCodec::decode(bytes.data(), cut, out, key)) << cut;
        EXPECT_EQ(out.width(), 1);
        EXPECT_EQ(key, 7u);
    }
    // A frame of 60000 x 3000 pixels cannot fit in a few bytes of LZW data.
    GifSpec lying = simpleSpec(4, 4);
    const auto small = libraryGif(lying);
    std::vector<std::uint8_t> patched = small;
    // The image descriptor follows the 13-byte screen and the 12-byte table.
    ASSERT_EQ(patched[13 + 12], 0x2C);
    patched[13 + 12 + 5] = 0x60;
    patched[13 + 12 + 6] = 0xEA;
    patched[13 + 12 + 7] = 0xB8;
    patched[13 + 12 + 8] = 0x0B;
    {
        Picture24 out(1, 1);
        std::uint32_t key = 7;
        const ImageStatus status = GifCodec::decode(patched.data(), patched.size(), out, key);
        EXPECT_FALSE(status);
        EXPECT_NE(status.detail.find("too short"), std::string::npos)
            << "refused before decoding: " << status.detail;
        EXPECT_EQ(out.width(), 1);
    }
    GifSpec huge = simpleSpec(4, 4);
    huge.screenWidth = 65535;
    huge.screenHeight = 65535;
    const auto big = libraryGif(huge);
    Picture24 out(1, 1);
    std::uint32_t key = 7;
    const ImageStatus status = GifCodec::decode(big.data(), big.size(), out, key);
    EXPECT_FALSE(status);
    EXPECT_EQ(status.message, ImageMessages::kTooLarge);
    EXPECT_EQ(out.width(), 1);
}
