#include "TiffCodec.h"

#include "CodecTestPictures.h"
#include "TiffHandlerGuard.h"

#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <tiffio.h>
#include <vector>

namespace {

// Writes a TIFF with the library into a file and returns its bytes.
std::vector<std::uint8_t> libraryTiff(const ScopedTempDir &dir, const std::function<void(TIFF *)> &write)
{
    const std::string path = dir.file("made.tif");
    TIFF *tif = TIFFOpen(path.c_str(), "w");
    write(tif);
    TIFFClose(tif);
    return CodecTestPictures::readFile(path);
}

void basicTags(TIFF *tif, int w, int h, int bits, int samples, int photometric)
{
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, w);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, h);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, bits);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, samples);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, photometric);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_NONE);
}

// RGB test content: red follows x, green follows y, blue is their product.
std::uint32_t expectedRgb(int x, int y)
{
    return (std::uint32_t(x * 16 & 0xFF) << 16) | (std::uint32_t(y * 16 & 0xFF) << 8) |
           std::uint32_t(x * y & 0xFF);
}

void expectGradient(const Picture24 &p, int w, int h)
{
    ASSERT_EQ(p.width(), w);
    ASSERT_EQ(p.height(), h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            ASSERT_EQ(p.pixel(x, y), expectedRgb(x, y)) << x << "," << y;
}

} // namespace

TEST(TiffCodec, RoundTripIsExactForBothCompressions)
{
    const Picture24 source = CodecTestPictures::photoLike(45, 31);
    for (auto c : {TiffCodec::Compression::Lzw, TiffCodec::Compression::Deflate}) {
        std::vector<std::uint8_t> bytes;
        ASSERT_TRUE(TiffCodec::encode(source, bytes, c));
        Picture24 decoded;
        ASSERT_TRUE(TiffCodec::decode(bytes.data(), bytes.size(), decoded, 0));
        EXPECT_EQ(decoded, source);
    }
}

TEST(TiffCodec, StripsOfRgbAndGrey)
{
    ScopedTempDir dir;
    const int w = 9, h = 7;
    const auto rgb = libraryTiff(dir, [&](TIFF *tif) {
        basicTags(tif, w, h, 8, 3, PHOTOMETRIC_RGB);
        TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, 2);
        for (int y = 0; y < h; ++y) {
            std::vector<std::uint8_t> line;
            for (int x = 0; x < w; ++x) {
                const std::uint32_t c = expectedRgb(x, y);
                line.insert(line.end(), {std::uint8_t(c >> 16), std::uint8_t(c >> 8), std::uint8_t(c)});
            }
            TIFFWriteScanline(tif, line.data(), y, 0);
        }
    });
    Picture24 out;
    ASSERT_TRUE(TiffCodec::decode(rgb.data(), rgb.size(), out, 0));
    expectGradient(out, w, h);

    const auto grey = libraryTiff(dir, [&](TIFF *tif) {
        basicTags(tif, w, h, 8, 1, PHOTOMETRIC_MINISBLACK);
        for (int y = 0; y < h; ++y) {
            std::vector<std::uint8_t> line(w, std::uint8_t(y * 30));
            TIFFWriteScanline(tif, line.data(), y, 0);
        }
    });
    ASSERT_TRUE(TiffCodec::decode(grey.data(), grey.size(), out, 0));
    EXPECT_EQ(out.pixel(4, 5), 0x969696u);
}

TEST(TiffCodec, TiledImage)
{
    ScopedTempDir dir;
    const int w = 40, h = 36, tile = 16; // partial tiles at the right and bottom
    const auto bytes = libraryTiff(dir, [&](TIFF *tif) {
        basicTags(tif, w, h, 8, 3, PHOTOMETRIC_RGB);
        TIFFSetField(tif, TIFFTAG_TILEWIDTH, tile);
        TIFFSetField(tif, TIFFTAG_TILELENGTH, tile);
        std::vector<std::uint8_t> buffer(tile * tile * 3);
        for (int ty = 0; ty < h; ty += tile)
            for (int tx = 0; tx < w; tx += tile) {
                for (int y = 0; y < tile; ++y)
                    for (int x = 0; x < tile; ++x) {
                        const std::uint32_t c = expectedRgb(tx + x, ty + y);
                        std::uint8_t *p = &buffer[(y * tile + x) * 3];
                        p[0] = std::uint8_t(c >> 16);
                        p[1] = std::uint8_t(c >> 8);
                        p[2] = std::uint8_t(c);
                    }
                TIFFWriteTile(tif, buffer.data(), tx, ty, 0, 0);
            }
    });
    Picture24 out;
    ASSERT_TRUE(TiffCodec::decode(bytes.data(), bytes.size(), out, 0));
    expectGradient(out, w, h);
}

TEST(TiffCodec, SixteenBitRgbKeepsTheHighByte)
{
    ScopedTempDir dir;
    const int w = 5, h = 3;
    const auto bytes = libraryTiff(dir, [&](TIFF *tif) {
        basicTags(tif, w, h, 16, 3, PHOTOMETRIC_RGB);
        for (int y = 0; y < h; ++y) {
            std::vector<std::uint16_t> line;
            for (int x = 0; x < w; ++x) {
                const std::uint32_t c = expectedRgb(x, y);
                for (int shift : {16, 8, 0})
                    line.push_back(std::uint16_t(((c >> shift) & 0xFF) * 257));
            }
            TIFFWriteScanline(tif, line.data(), y, 0);
        }
    });
    Picture24 out;
    ASSERT_TRUE(TiffCodec::decode(bytes.data(), bytes.size(), out, 0));
    expectGradient(out, w, h);
}

TEST(TiffCodec, PaletteAndBilevel)
{
    ScopedTempDir dir;
    const auto palette = libraryTiff(dir, [&](TIFF *tif) {
        basicTags(tif, 4, 1, 8, 1, PHOTOMETRIC_PALETTE);
        std::vector<std::uint16_t> r(256, 0), g(256, 0), b(256, 0);
        r[1] = 65535;
        g[2] = 65535;
        b[3] = 65535;
        r[3] = 32896; // 128 * 257
        TIFFSetField(tif, TIFFTAG_COLORMAP, r.data(), g.data(), b.data());
        std::uint8_t line[4] = {0, 1, 2, 3};
        TIFFWriteScanline(tif, line, 0, 0);
    });
    Picture24 out;
    ASSERT_TRUE(TiffCodec::decode(palette.data(), palette.size(), out, 0));
    EXPECT_EQ(out.pixel(0, 0), 0x000000u);
    EXPECT_EQ(out.pixel(1, 0), 0xFF0000u);
    EXPECT_EQ(out.pixel(2, 0), 0x00FF00u);
    EXPECT_EQ(out.pixel(3, 0), 0x8000FFu);

    const auto bilevel = libraryTiff(dir, [&](TIFF *tif) {
        basicTags(tif, 8, 1, 1, 1, PHOTOMETRIC_MINISWHITE);
        std::uint8_t line[1] = {0xF0};
        TIFFWriteScanline(tif, line, 0, 0);
    });
    ASSERT_TRUE(TiffCodec::decode(bilevel.data(), bilevel.size(), out, 0));
    EXPECT_EQ(out.pixel(0, 0), 0x000000u); // set bits are black in min-is-white
    EXPECT_EQ(out.pixel(7, 0), 0xFFFFFFu);
}

TEST(TiffCodec, CmykIsReadableColour)
{
    ScopedTempDir dir;
    const auto bytes = libraryTiff(dir, [&](TIFF *tif) {
        basicTags(tif, 3, 1, 8, 4, PHOTOMETRIC_SEPARATED);
        TIFFSetField(tif, TIFFTAG_INKSET, INKSET_CMYK);
        std::uint8_t line[12] = {0, 255, 255, 0, /**/ 0, 0, 0, 0, /**/ 0, 0, 0, 255};
        TIFFWriteScanline(tif, line, 0, 0);
    });
    Picture24 out;
    ASSERT_TRUE(TiffCodec::decode(bytes.data(), bytes.size(), out, 0));
    EXPECT_EQ(out.pixel(0, 0), 0xFF0000u);
    EXPECT_EQ(out.pixel(1, 0), 0xFFFFFFu);
    EXPECT_EQ(out.pixel(2, 0), 0x000000u);
}

TEST(TiffCodec, AlphaIsCompositedOverTheBackground)
{
    ScopedTempDir dir;
    const auto bytes = libraryTiff(dir, [&](TIFF *tif) {
        basicTags(tif, 3, 1, 8, 4, PHOTOMETRIC_RGB);
        const std::uint16_t extra[1] = {EXTRASAMPLE_UNASSALPHA};
        TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, 1, extra);
        std::uint8_t line[12] = {255, 0, 0, 255, /**/ 0, 255, 0, 0, /**/ 200, 200, 200, 128};
        TIFFWriteScanline(tif, line, 0, 0);
    });
    Picture24 out;
    ASSERT_TRUE(TiffCodec::decode(bytes.data(), bytes.size(), out, 0x000080));
    EXPECT_EQ(out.pixel(0, 0), 0xFF0000u);
    EXPECT_EQ(out.pixel(1, 0), 0x000080u);
    const std::uint32_t half = out.pixel(2, 0);
    EXPECT_NEAR(int(half >> 16), 100, 2);
    EXPECT_NEAR(int(half & 0xFF), 100 + 64, 2);
}

TEST(TiffCodec, BottomUpOrientationIsTurnedUpright)
{
    ScopedTempDir dir;
    const auto bytes = libraryTiff(dir, [&](TIFF *tif) {
        basicTags(tif, 1, 2, 8, 3, PHOTOMETRIC_RGB);
        TIFFSetField(tif, TIFFTAG_ORIENTATION, ORIENTATION_BOTLEFT);
        std::uint8_t first[3] = {255, 0, 0}, second[3] = {0, 0, 255};
        TIFFWriteScanline(tif, first, 0, 0);
        TIFFWriteScanline(tif, second, 1, 0);
    });
    Picture24 out;
    ASSERT_TRUE(TiffCodec::decode(bytes.data(), bytes.size(), out, 0));
    EXPECT_EQ(out.pixel(0, 0), 0x0000FFu);
    EXPECT_EQ(out.pixel(0, 1), 0xFF0000u);
}

TEST(TiffCodec, DamagedFilesReportTheLibraryMessage)
{
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(TiffCodec::encode(CodecTestPictures::photoLike(64, 64), bytes));
    Picture24 out(2, 1);
    const Picture24 before = out;
    for (std::size_t cut : {std::size_t(8), bytes.size() / 2, bytes.size() - 20}) {
        const ImageStatus status = TiffCodec::decode(bytes.data(), cut, out, 0);
        EXPECT_FALSE(status) << cut;
        EXPECT_EQ(out, before);
    }
    // A handmade header claiming 100000 x 100000.
    std::vector<std::uint8_t> lying = {'I', 'I', 42, 0, 8, 0, 0, 0, 3, 0};
    auto entry = [&](std::uint16_t tag, std::uint16_t type, std::uint32_t value) {
        const std::uint8_t e[12] = {std::uint8_t(tag),
                                    std::uint8_t(tag >> 8),
                                    std::uint8_t(type),
                                    0,
                                    1,
                                    0,
                                    0,
                                    0,
                                    std::uint8_t(value),
                                    std::uint8_t(value >> 8),
                                    std::uint8_t(value >> 16),
                                    std::uint8_t(value >> 24)};
        lying.insert(lying.end(), e, e + 12);
    };
    entry(256, 4, 100000);
    entry(257, 4, 100000);
    entry(273, 4, 0);
    lying.insert(lying.end(), {0, 0, 0, 0});
    const ImageStatus status = TiffCodec::decode(lying.data(), lying.size(), out, 0);
    EXPECT_FALSE(status);
    EXPECT_EQ(out, before);
}

namespace {
int g_outerErrors = 0;
void countingHandler(const char *, const char *, va_list)
{
    ++g_outerErrors;
}
} // namespace

TEST(TiffHandlerGuard, CapturesErrorsAndRestoresBothHandlers)
{
    const TIFFErrorHandler previousError = TIFFSetErrorHandler(countingHandler);
    const TIFFErrorHandler previousWarning = TIFFSetWarningHandler(countingHandler);
    g_outerErrors = 0;
    {
        TiffHandlerGuard guard;
        TIFFError("module", "bad %d", 42);
        TIFFWarning("module", "odd");
        EXPECT_STREQ(guard.lastError(), "module: bad 42");
        {
            TiffHandlerGuard inner;
            TIFFError(nullptr, "inner");
            EXPECT_STREQ(inner.lastError(), "inner");
        }
        EXPECT_STREQ(guard.lastError(), "module: bad 42");
        EXPECT_EQ(g_outerErrors, 0);
    }
    TIFFError("module", "after");
    TIFFWarning("module", "after");
    EXPECT_EQ(g_outerErrors, 2);
    TIFFSetErrorHandler(previousError);
    TIFFSetWarningHandler(previousWarning);
}
