#include "PngCodec.h"

#include "CodecTestPictures.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <png.h>
#include <vector>
#include <zlib.h>

namespace {

struct PngSpec
{
    int width = 0;
    int height = 0;
    int colourType = PNG_COLOR_TYPE_RGB;
    int bitDepth = 8;
    bool interlaced = false;
    std::vector<png_color> palette;
    std::vector<png_byte> paletteAlpha; // tRNS for palette images
    bool colourKey = false;             // tRNS for grey and RGB images
    png_color_16 key = {};
    std::vector<std::uint8_t> pixels; // packed rows, as libpng wants them
};

void appendBytes(png_structp png, png_bytep data, png_size_t n)
{
    auto *out = static_cast<std::vector<std::uint8_t> *>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + n);
}

// Writes a PNG with the library itself, in any colour type and depth.
std::vector<std::uint8_t> libraryPng(const PngSpec &spec)
{
    std::vector<std::uint8_t> bytes;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &bytes, appendBytes, nullptr);
    png_set_IHDR(png, info, spec.width, spec.height, spec.bitDepth, spec.colourType,
                 spec.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!spec.palette.empty())
        png_set_PLTE(png, info, spec.palette.data(), int(spec.palette.size()));
    if (!spec.paletteAlpha.empty())
        png_set_tRNS(png, info, spec.paletteAlpha.data(), int(spec.paletteAlpha.size()), nullptr);
    if (spec.colourKey)
        png_set_tRNS(png, info, nullptr, 0, &spec.key);
    png_write_info(png, info);
    const std::size_t rowBytes = png_get_rowbytes(png, info);
    std::vector<png_bytep> rows(spec.height);
    for (int y = 0; y < spec.height; ++y)
        rows[y] = const_cast<png_bytep>(spec.pixels.data() + rowBytes * y);
    png_write_image(png, rows.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return bytes;
}

// What a pixel of colour c and alpha a looks like over the background.
int over(int c, int a, int background)
{
    return int(std::lround((c * a + background * (255 - a)) / 255.0));
}

constexpr std::uint32_t kBackground = 0x204060;

} // namespace

TEST(PngCodec, RoundTripIsExact)
{
    for (auto [w, h] : {std::pair{33, 17}, std::pair{1, 1}, std::pair{256, 3}}) {
        const Picture24 source = CodecTestPictures::photoLike(w, h);
        std::vector<std::uint8_t> bytes;
        ASSERT_TRUE(PngCodec::encode(source, bytes));
        Picture24 decoded;
        ASSERT_TRUE(PngCodec::decode(bytes.data(), bytes.size(), decoded, 0));
        EXPECT_EQ(decoded, source) << w << "x" << h;
    }
}

TEST(PngCodec, PaletteWithTransparentEntryUsesTheBackground)
{
    PngSpec spec;
    spec.width = 4;
    spec.height = 2;
    spec.colourType = PNG_COLOR_TYPE_PALETTE;
    spec.bitDepth = 4;
    spec.palette = {{255, 0, 0}, {0, 255, 0}, {10, 20, 30}, {200, 100, 50}};
    spec.paletteAlpha = {255, 255, 0, 128}; // entry 2 transparent, 3 half
    spec.pixels = {0x01, 0x23, 0x32, 0x10};
    const auto bytes = libraryPng(spec);
    Picture24 out;
    ASSERT_TRUE(PngCodec::decode(bytes.data(), bytes.size(), out, kBackground));
    ASSERT_EQ(out.width(), 4);
    EXPECT_EQ(out.pixel(0, 0), 0xFF0000u);
    EXPECT_EQ(out.pixel(1, 0), 0x00FF00u);
    EXPECT_EQ(out.pixel(2, 0), kBackground);
    EXPECT_EQ(out.pixel(1, 1), kBackground);
    const std::uint32_t half = out.pixel(3, 0);
    EXPECT_NEAR(int(half >> 16), over(200, 128, 0x20), 1);
    EXPECT_NEAR(int((half >> 8) & 0xFF), over(100, 128, 0x40), 1);
    EXPECT_NEAR(int(half & 0xFF), over(50, 128, 0x60), 1);
    EXPECT_EQ(out.pixel(3, 1), 0xFF0000u);
}

TEST(PngCodec, GreyDepthsAreScaledToFullRange)
{
    {
        PngSpec spec; // 1 bit: 0 black, 1 white
        spec.width = 8;
        spec.height = 1;
        spec.colourType = PNG_COLOR_TYPE_GRAY;
        spec.bitDepth = 1;
        spec.pixels = {0xA5};
        const auto bytes = libraryPng(spec);
        Picture24 out;
        ASSERT_TRUE(PngCodec::decode(bytes.data(), bytes.size(), out, 0));
        const unsigned bits = 0xA5;
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(out.pixel(x, 0), (bits >> (7 - x)) & 1 ? 0xFFFFFFu : 0u) << x;
    }
    {
        PngSpec spec; // 16 bit, big-endian samples
        spec.width = 4;
        spec.height = 1;
        spec.colourType = PNG_COLOR_TYPE_GRAY;
        spec.bitDepth = 16;
        spec.pixels = {0x00, 0x00, 0xFF, 0xFF, 0x80, 0x80, 0x12, 0x34};
        const auto bytes = libraryPng(spec);
        Picture24 out;
        ASSERT_TRUE(PngCodec::decode(bytes.data(), bytes.size(), out, 0));
        EXPECT_EQ(out.pixel(0, 0), 0x000000u);
        EXPECT_EQ(out.pixel(1, 0), 0xFFFFFFu);
        EXPECT_EQ(out.pixel(2, 0), 0x808080u);
        EXPECT_EQ(out.pixel(3, 0), 0x121212u);
    }
}

TEST(PngCodec, GreyColourKeyIsTransparent)
{
    PngSpec spec;
    spec.width = 3;
    spec.height = 1;
    spec.colourType = PNG_COLOR_TYPE_GRAY;
    spec.bitDepth = 8;
    spec.colourKey = true;
    spec.key.gray = 77;
    spec.pixels = {10, 77, 200};
    const auto bytes = libraryPng(spec);
    Picture24 out;
    ASSERT_TRUE(PngCodec::decode(bytes.data(), bytes.size(), out, kBackground));
    EXPECT_EQ(out.pixel(0, 0), 0x0A0A0Au);
    EXPECT_EQ(out.pixel(1, 0), kBackground);
    EXPECT_EQ(out.pixel(2, 0), 0xC8C8C8u);
}

TEST(PngCodec, GreyAlphaAndRgbaAreCompositedOverTheBackground)
{
    {
        PngSpec spec;
        spec.width = 3;
        spec.height = 1;
        spec.colourType = PNG_COLOR_TYPE_GRAY_ALPHA;
        spec.pixels = {100, 255, 100, 0, 100, 64};
        const auto bytes = libraryPng(spec);
        Picture24 out;
        ASSERT_TRUE(PngCodec::decode(bytes.data(), bytes.size(), out, kBackground));
        EXPECT_EQ(out.pixel(0, 0), 0x646464u);
        EXPECT_EQ(out.pixel(1, 0), kBackground);
        const std::uint32_t p = out.pixel(2, 0);
        EXPECT_NEAR(int(p >> 16), over(100, 64, 0x20), 1);
        EXPECT_NEAR(int(p & 0xFF), over(100, 64, 0x60), 1);
    }
    {
        PngSpec spec; // 16-bit RGBA
        spec.width = 2;
        spec.height = 1;
        spec.colourType = PNG_COLOR_TYPE_RGBA;
        spec.bitDepth = 16;
        spec.pixels = {0xFF, 0xFF, 0, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0xFF, 0xFF, 0, 0, 0, 0};
        const auto bytes = libraryPng(spec);
        Picture24 out;
        ASSERT_TRUE(PngCodec::decode(bytes.data(), bytes.size(), out, kBackground));
        EXPECT_EQ(out.pixel(0, 0), 0xFF0000u);
        EXPECT_EQ(out.pixel(1, 0), kBackground);
    }
}

TEST(PngCodec, InterlacedImagesWithAndWithoutAlpha)
{
    const int w = 13, h = 11;
    for (bool alpha : {false, true}) {
        PngSpec spec;
        spec.width = w;
        spec.height = h;
        spec.interlaced = true;
        spec.colourType = alpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB;
        const int channels = alpha ? 4 : 3;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                spec.pixels.push_back(std::uint8_t(x * 19));
                spec.pixels.push_back(std::uint8_t(y * 23));
                spec.pixels.push_back(std::uint8_t(x * y));
                if (channels == 4)
                    spec.pixels.push_back(255);
            }
        const auto bytes = libraryPng(spec);
        Picture24 out;
        ASSERT_TRUE(PngCodec::decode(bytes.data(), bytes.size(), out, 0));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                ASSERT_EQ(out.pixel(x, y), (std::uint32_t(x * 19 & 0xFF) << 16) |
                                               (std::uint32_t(y * 23 & 0xFF) << 8) |
                                               std::uint32_t(x * y & 0xFF))
                    << x << "," << y << " alpha " << alpha;
    }
}

TEST(PngCodec, DamagedChecksumIsAnError)
{
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(PngCodec::encode(CodecTestPictures::photoLike(20, 20), bytes));
    // Damage the stored checksum of the first IDAT chunk, not its data: the
    // pixels still inflate, so only the CRC check can catch it.
    std::size_t idat = 8;
    std::size_t length = 0;
    for (;;) {
        ASSERT_LT(idat + 8, bytes.size());
        length =
            std::size_t(bytes[idat]) << 24 | bytes[idat + 1] << 16 | bytes[idat + 2] << 8 | bytes[idat + 3];
        if (std::memcmp(&bytes[idat + 4], "IDAT", 4) == 0)
            break;
        idat += 12 + length;
    }
    bytes[idat + 8 + length] ^= 0x55;
    Picture24 out(1, 1);
    const ImageStatus status = PngCodec::decode(bytes.data(), bytes.size(), out, 0);
    EXPECT_FALSE(status);
    EXPECT_EQ(status.message, ImageMessages::kCorrupt);
    EXPECT_NE(status.detail.find("CRC"), std::string::npos) << status.detail;
    EXPECT_EQ(out.width(), 1);
}

TEST(PngCodec, HeaderOverTheSizeLimitIsRefused)
{
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(PngCodec::encode(CodecTestPictures::photoLike(8, 8), bytes));
    // IHDR data starts at 16; patch 100000 x 100000 and fix the chunk CRC so
    // that only the size is wrong.
    for (int i : {16, 20}) {
        bytes[i] = 0x00;
        bytes[i + 1] = 0x01;
        bytes[i + 2] = 0x86;
        bytes[i + 3] = 0xA0;
    }
    const uLong crc = crc32(0, &bytes[12], 17);
    bytes[29] = std::uint8_t(crc >> 24);
    bytes[30] = std::uint8_t(crc >> 16);
    bytes[31] = std::uint8_t(crc >> 8);
    bytes[32] = std::uint8_t(crc);
    Picture24 out(3, 3);
    const Picture24 before = out;
    EXPECT_FALSE(PngCodec::decode(bytes.data(), bytes.size(), out, 0));
    EXPECT_EQ(out, before);
}
