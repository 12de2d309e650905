#include "JpegCodec.h"

#include "CodecTestPictures.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <jpeglib.h>
#include <vector>

namespace {

// Encodes raw samples with the library itself, for the colour spaces our
// encoder never writes.
std::vector<std::uint8_t> libraryJpeg(int width, int height, J_COLOR_SPACE input, int components,
                                      J_COLOR_SPACE stored, const std::vector<std::uint8_t> &samples)
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = width;
    cinfo.image_height = height;
    cinfo.input_components = components;
    cinfo.in_color_space = input;
    jpeg_set_defaults(&cinfo);
    jpeg_set_colorspace(&cinfo, stored);
    jpeg_set_quality(&cinfo, 95, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(samples.data() + cinfo.next_scanline * width * components);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::vector<std::uint8_t> bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

// An APP1 segment with an EXIF block whose IFD0 holds only the orientation.
std::vector<std::uint8_t> exifSegment(int orientation, bool bigEndian)
{
    std::vector<std::uint8_t> tiff;
    auto put16 = [&](unsigned v) {
        if (bigEndian) {
            tiff.push_back(std::uint8_t(v >> 8));
            tiff.push_back(std::uint8_t(v));
        } else {
            tiff.push_back(std::uint8_t(v));
            tiff.push_back(std::uint8_t(v >> 8));
        }
    };
    auto put32 = [&](unsigned v) {
        if (bigEndian) {
            put16(v >> 16);
            put16(v & 0xFFFF);
        } else {
            put16(v & 0xFFFF);
            put16(v >> 16);
        }
    };
    tiff.push_back(bigEndian ? 'M' : 'I');
    tiff.push_back(bigEndian ? 'M' : 'I');
    put16(42);
    put32(8);
    put16(2); // two entries: an unrelated tag first
    put16(0x010F);
    put16(2);
    put32(4);
    put32(0);
    put16(0x0112);
    put16(3);
    put32(1);
    put16(unsigned(orientation));
    put16(0);
    put32(0);

    std::vector<std::uint8_t> payload = {'E', 'x', 'i', 'f', 0, 0};
    payload.insert(payload.end(), tiff.begin(), tiff.end());
    std::vector<std::uint8_t> segment = {0xFF, 0xE1, std::uint8_t((payload.size() + 2) >> 8),
                                         std::uint8_t(payload.size() + 2)};
    segment.insert(segment.end(), payload.begin(), payload.end());
    return segment;
}

std::vector<std::uint8_t> withExif(std::vector<std::uint8_t> jpeg, int orientation, bool bigEndian)
{
    const std::vector<std::uint8_t> segment = exifSegment(orientation, bigEndian);
    jpeg.insert(jpeg.begin() + 2, segment.begin(), segment.end());
    return jpeg;
}

// Samples two pixels in from each corner so block edges do not matter.
struct Corners
{
    std::uint32_t topLeft, topRight, bottomLeft, bottomRight;
};

Corners cornersOf(const Picture24 &p)
{
    const int r = p.width() - 3, b = p.height() - 3;
    return {p.pixel(2, 2), p.pixel(r, 2), p.pixel(2, b), p.pixel(r, b)};
}

constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kYellow = 0xFFFF00;

} // namespace

TEST(JpegCodec, RoundTripKeepsSizeAndIsClose)
{
    // Odd sizes exercise the row padding of the bottom-up picture.
    for (auto [w, h] : {std::pair{64, 48}, std::pair{61, 37}, std::pair{1, 1}}) {
        const Picture24 source = CodecTestPictures::photoLike(w, h);
        std::vector<std::uint8_t> bytes;
        ASSERT_TRUE(JpegCodec::encode(source, 92, bytes));
        Picture24 decoded;
        ASSERT_TRUE(JpegCodec::decode(bytes.data(), bytes.size(), decoded));
        ASSERT_EQ(decoded.width(), w);
        ASSERT_EQ(decoded.height(), h);
        // The noise in the test picture is what JPEG drops first.
        EXPECT_LT(CodecTestPictures::meanAbsoluteDifference(source, decoded), 8.0) << w << "x" << h;
    }
}

TEST(JpegCodec, RowsAreNotUpsideDownAndChannelsNotSwapped)
{
    const Picture24 source = CodecTestPictures::quadrants(32, 32);
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(JpegCodec::encode(source, 95, bytes));
    Picture24 decoded;
    ASSERT_TRUE(JpegCodec::decode(bytes.data(), bytes.size(), decoded));
    const Corners c = cornersOf(decoded);
    EXPECT_LE(CodecTestPictures::colourDistance(c.topLeft, kRed), 24);
    EXPECT_LE(CodecTestPictures::colourDistance(c.topRight, kGreen), 24);
    EXPECT_LE(CodecTestPictures::colourDistance(c.bottomLeft, kBlue), 24);
    EXPECT_LE(CodecTestPictures::colourDistance(c.bottomRight, kYellow), 24);
}

TEST(JpegCodec, QualityChangesTheFile)
{
    const Picture24 source = CodecTestPictures::photoLike(96, 64);
    std::vector<std::uint8_t> low, high, clamped;
    ASSERT_TRUE(JpegCodec::encode(source, 10, low));
    ASSERT_TRUE(JpegCodec::encode(source, 95, high));
    EXPECT_LT(low.size() * 2, high.size());
    // Out-of-range qualities are clamped, not refused.
    ASSERT_TRUE(JpegCodec::encode(source, 1000, clamped));
    EXPECT_GE(clamped.size(), high.size());
}

TEST(JpegCodec, EncodingNothingFails)
{
    std::vector<std::uint8_t> bytes;
    EXPECT_FALSE(JpegCodec::encode(Picture24(), 75, bytes));
    EXPECT_TRUE(bytes.empty());
}

TEST(JpegCodec, GreyscaleFileGivesEqualChannels)
{
    const int w = 24, h = 16;
    std::vector<std::uint8_t> grey(w * h);
    for (int i = 0; i < w * h; ++i)
        grey[i] = std::uint8_t((i % w) * 10);
    const auto bytes = libraryJpeg(w, h, JCS_GRAYSCALE, 1, JCS_GRAYSCALE, grey);
    Picture24 decoded;
    ASSERT_TRUE(JpegCodec::decode(bytes.data(), bytes.size(), decoded));
    ASSERT_EQ(decoded.width(), w);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::uint32_t p = decoded.pixel(x, y);
            const int r = p >> 16, g = (p >> 8) & 0xFF, b = p & 0xFF;
            EXPECT_EQ(r, g);
            EXPECT_EQ(g, b);
            EXPECT_NEAR(r, x * 10, 8);
        }
}

// Adobe programs store CMYK inverted (0 = full ink); the library writes the
// Adobe marker for CMYK and YCCK, so these are the files users meet.
class JpegCmyk : public ::testing::TestWithParam<J_COLOR_SPACE>
{
};

TEST_P(JpegCmyk, InksBecomeTheirColours)
{
    const int w = 32, h = 16;
    struct Patch
    {
        int c, m, y, k;
        std::uint32_t expected;
    };
    const Patch patches[] = {
        {0, 255, 255, 0, kRed},   // magenta + yellow
        {255, 0, 255, 0, kGreen}, // cyan + yellow
        {0, 0, 0, 0, 0xFFFFFF},   // no ink
        {0, 0, 0, 255, 0x000000}, // black
        {0, 0, 0, 128, 0x7F7F7F}, // half black
    };
    // Each patch is a vertical band of w / 4 columns; the last one repeats.
    std::vector<std::uint8_t> samples(w * h * 4);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const Patch &p = patches[std::min(x / 8, 4) + (y >= h / 2 && x / 8 == 3 ? 1 : 0)];
            std::uint8_t *s = &samples[(y * w + x) * 4];
            s[0] = std::uint8_t(255 - p.c);
            s[1] = std::uint8_t(255 - p.m);
            s[2] = std::uint8_t(255 - p.y);
            s[3] = std::uint8_t(255 - p.k);
        }
    const auto bytes = libraryJpeg(w, h, JCS_CMYK, 4, GetParam(), samples);
    Picture24 decoded;
    ASSERT_TRUE(JpegCodec::decode(bytes.data(), bytes.size(), decoded));
    EXPECT_LE(CodecTestPictures::colourDistance(decoded.pixel(4, 4), kRed), 16);
    EXPECT_LE(CodecTestPictures::colourDistance(decoded.pixel(12, 4), kGreen), 16);
    EXPECT_LE(CodecTestPictures::colourDistance(decoded.pixel(20, 4), 0xFFFFFF), 16);
    EXPECT_LE(CodecTestPictures::colourDistance(decoded.pixel(28, 4), 0x000000), 16);
    EXPECT_LE(CodecTestPictures::colourDistance(decoded.pixel(28, 12), 0x7F7F7F), 16);
}

INSTANTIATE_TEST_SUITE_P(StoredAs, JpegCmyk, ::testing::Values(JCS_CMYK, JCS_YCCK));

struct OrientationCase
{
    int orientation;
    Corners expected;
};

class JpegOrientation : public ::testing::TestWithParam<std::tuple<OrientationCase, bool>>
{
};

TEST_P(JpegOrientation, PhotoIsShownUpright)
{
    const auto [c, bigEndian] = GetParam();
    const Picture24 source = CodecTestPictures::quadrants(48, 32);
    std::vector<std::uint8_t> plain;
    ASSERT_TRUE(JpegCodec::encode(source, 95, plain));
    const auto bytes = withExif(plain, c.orientation, bigEndian);
    Picture24 decoded;
    ASSERT_TRUE(JpegCodec::decode(bytes.data(), bytes.size(), decoded));
    const bool exchanged = c.orientation >= 5;
    EXPECT_EQ(decoded.width(), exchanged ? 32 : 48);
    EXPECT_EQ(decoded.height(), exchanged ? 48 : 32);
    const Corners got = cornersOf(decoded);
    EXPECT_LE(CodecTestPictures::colourDistance(got.topLeft, c.expected.topLeft), 24);
    EXPECT_LE(CodecTestPictures::colourDistance(got.topRight, c.expected.topRight), 24);
    EXPECT_LE(CodecTestPictures::colourDistance(got.bottomLeft, c.expected.bottomLeft), 24);
    EXPECT_LE(CodecTestPictures::colourDistance(got.bottomRight, c.expected.bottomRight), 24);
}

// Where the stored corners (red, green / blue, yellow) must appear once the
// camera's rotation or mirroring is undone.
INSTANTIATE_TEST_SUITE_P(
    AllValues, JpegOrientation,
    ::testing::Combine(::testing::Values(OrientationCase{1, {kRed, kGreen, kBlue, kYellow}},
                                         OrientationCase{2, {kGreen, kRed, kYellow, kBlue}},
                                         OrientationCase{3, {kYellow, kBlue, kGreen, kRed}},
                                         OrientationCase{4, {kBlue, kYellow, kRed, kGreen}},
                                         OrientationCase{5, {kRed, kBlue, kGreen, kYellow}},
                                         OrientationCase{6, {kBlue, kRed, kYellow, kGreen}},
                                         OrientationCase{7, {kYellow, kGreen, kBlue, kRed}},
                                         OrientationCase{8, {kGreen, kYellow, kRed, kBlue}}),
                       ::testing::Bool()));

TEST(JpegExif, MalformedBlocksMeanUpright)
{
    const auto good = exifSegment(6, false);
    const std::uint8_t *payload = good.data() + 4;
    const std::size_t size = good.size() - 4;
    EXPECT_EQ(JpegCodec::exifOrientation(payload, size), 6);
    // Cut anywhere before the orientation entry ends (the next-IFD link
    // follows it): never read past the end, never a value.
    for (std::size_t cut = 0; cut < size - 4; ++cut)
        EXPECT_EQ(JpegCodec::exifOrientation(payload, cut), 1) << cut;
    EXPECT_EQ(JpegCodec::exifOrientation(payload, size - 4), 6);

    std::vector<std::uint8_t> bad(payload, payload + size);
    bad[6] = 'X'; // byte order mark
    EXPECT_EQ(JpegCodec::exifOrientation(bad.data(), bad.size()), 1);

    std::vector<std::uint8_t> farIfd(payload, payload + size);
    farIfd[10] = 0xF0; // IFD offset beyond the block
    EXPECT_EQ(JpegCodec::exifOrientation(farIfd.data(), farIfd.size()), 1);

    const auto outOfRange = exifSegment(9, true);
    EXPECT_EQ(JpegCodec::exifOrientation(outOfRange.data() + 4, outOfRange.size() - 4), 1);
    EXPECT_EQ(JpegCodec::exifOrientation(nullptr, 100), 1);
}

TEST(JpegCodec, TruncatedFileIsAnErrorAndLeavesThePicture)
{
    const Picture24 source = CodecTestPictures::photoLike(80, 60);
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(JpegCodec::encode(source, 90, bytes));
    const Picture24 before = CodecTestPictures::quadrants(4, 2);
    for (std::size_t cut : {bytes.size() / 3, bytes.size() / 2, bytes.size() - 40}) {
        Picture24 out = before;
        const ImageStatus status = JpegCodec::decode(bytes.data(), cut, out);
        EXPECT_FALSE(status) << cut;
        EXPECT_EQ(status.message, ImageMessages::kCorrupt);
        EXPECT_FALSE(status.detail.empty());
        EXPECT_EQ(out, before);
    }
}

TEST(JpegCodec, HeaderOverTheSizeLimitIsRefusedBeforeDecoding)
{
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(JpegCodec::encode(CodecTestPictures::photoLike(16, 16), 75, bytes));
    // Find the baseline frame header and claim 65000 x 65000.
    std::size_t sof = 2;
    while (sof + 9 < bytes.size() && !(bytes[sof] == 0xFF && bytes[sof + 1] == 0xC0))
        sof += 2 + (bytes[sof + 2] << 8 | bytes[sof + 3]);
    ASSERT_LT(sof + 9, bytes.size());
    bytes[sof + 5] = 0xFD;
    bytes[sof + 6] = 0xE8;
    bytes[sof + 7] = 0xFD;
    bytes[sof + 8] = 0xE8;
    Picture24 out(2, 2);
    const ImageStatus status = JpegCodec::decode(bytes.data(), bytes.size(), out);
    EXPECT_FALSE(status);
    EXPECT_EQ(status.message, ImageMessages::kTooLarge);
    EXPECT_EQ(out.width(), 2);
}

TEST(JpegOrientationTransform, SwapsSidesForTheQuarterTurns)
{
    Picture24 in(3, 2);
    int n = 0;
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            in.setPixel(x, y, std::uint32_t(++n));
    Picture24 out;
    JpegCodec::applyOrientation(in, 6, out);
    ASSERT_EQ(out.width(), 2);
    ASSERT_EQ(out.height(), 3);
    // Rotated clockwise: the stored bottom-left (4) comes to the top-left.
    EXPECT_EQ(out.pixel(0, 0), 4u);
    EXPECT_EQ(out.pixel(1, 0), 1u);
    EXPECT_EQ(out.pixel(0, 2), 6u);
    EXPECT_EQ(out.pixel(1, 2), 3u);
    // A quarter turn four times is the identity.
    Picture24 turned = in;
    for (int i = 0; i < 4; ++i) {
        Picture24 next;
        JpegCodec::applyOrientation(turned, 8, next);
        turned.swap(next);
    }
    EXPECT_EQ(turned, in);
}
