// WebP decoding: lossless files must come back exactly, lossy ones as
// libwebp's own decoder gives them.

#include "WebpCodec.h"

#include "CodecTestPictures.h"
#include "ColourProfile.h"
#include "ColourReference.h"
#include "ImageFile.h"
#include "PhoneFuzzFindings.h"
#include "PhoneTestPictures.h"

#include <gtest/gtest.h>
#include <webp/decode.h>
#include <webp/demux.h>

namespace {

constexpr std::uint32_t kBackground = 0x336699;

// libwebp's plain decode to RGB, as a Picture24.
Picture24 referenceDecode(const std::vector<std::uint8_t> &bytes)
{
    int w = 0, h = 0;
    std::uint8_t *rgb = WebPDecodeRGB(bytes.data(), bytes.size(), &w, &h);
    Picture24 out;
    if (!rgb)
        return out;
    out.reset(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::uint8_t *p = rgb + (std::size_t(y) * w + x) * 3;
            out.setPixel(x, y, (std::uint32_t(p[0]) << 16) | (std::uint32_t(p[1]) << 8) | p[2]);
        }
    WebPFree(rgb);
    return out;
}

Picture24 decoded(const std::vector<std::uint8_t> &bytes, ImageStatus *statusOut = nullptr)
{
    Picture24 picture;
    const ImageStatus status =
        ImageFile::decode(bytes.data(), bytes.size(), ImageFormat::Webp, picture, LoadOptions{kBackground});
    if (statusOut)
        *statusOut = status;
    return picture;
}

std::uint32_t over(std::uint32_t colour, unsigned alpha, std::uint32_t background)
{
    std::uint32_t out = 0;
    for (int shift = 16; shift >= 0; shift -= 8) {
        const unsigned c = (colour >> shift) & 0xFF, b = (background >> shift) & 0xFF;
        out = (out << 8) | ((c * alpha + b * (255 - alpha) + 127) / 255);
    }
    return out;
}

void writeLe24(std::vector<std::uint8_t> &b, std::size_t at, std::uint32_t v)
{
    b[at] = std::uint8_t(v);
    b[at + 1] = std::uint8_t(v >> 8);
    b[at + 2] = std::uint8_t(v >> 16);
}

} // namespace

TEST(WebpCodecTest, LosslessComesBackExactly)
{
    // Odd width: the bottom-up rows of the picture carry padding.
    const Picture24 photo = CodecTestPictures::photoLike(77, 41, 3);
    const auto bytes = PhoneTestPictures::webp(photo, -1);
    ASSERT_FALSE(bytes.empty());
    ImageStatus status;
    EXPECT_EQ(decoded(bytes, &status), photo);
    EXPECT_TRUE(status) << status.detail;
}

TEST(WebpCodecTest, LossyMatchesLibwebpsOwnDecode)
{
    const Picture24 photo = CodecTestPictures::photoLike(120, 90, 5);
    const auto bytes = PhoneTestPictures::webp(photo, 80);
    ASSERT_FALSE(bytes.empty());
    const Picture24 ours = decoded(bytes);
    EXPECT_EQ(ours, referenceDecode(bytes));
    EXPECT_LT(CodecTestPictures::meanAbsoluteDifference(ours, photo), 8.0);
}

TEST(WebpCodecTest, AlphaIsCompositedOverTheBackground)
{
    const Picture24 photo = CodecTestPictures::photoLike(40, 30, 9);
    std::vector<std::uint8_t> alpha(40 * 30);
    for (std::size_t i = 0; i < alpha.size(); ++i)
        alpha[i] = std::uint8_t((i * 37) % 256);
    const auto bytes = PhoneTestPictures::webp(photo, -1, alpha);
    ASSERT_FALSE(bytes.empty());
    ImageStatus status;
    const Picture24 ours = decoded(bytes, &status);
    ASSERT_TRUE(status) << status.detail;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            const unsigned a = alpha[std::size_t(y) * 40 + x];
            // Fully transparent pixels may be stored with any colour.
            ASSERT_EQ(ours.pixel(x, y), a == 0 ? kBackground : over(photo.pixel(x, y), a, kBackground))
                << x << "," << y;
        }

    // Lossy colour with its alpha plane: transparent parts show the background.
    std::vector<std::uint8_t> half(40 * 30, 255);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 20; ++x)
            half[y * 40 + x] = 0;
    const Picture24 lossy = decoded(PhoneTestPictures::webp(photo, 75, half));
    ASSERT_FALSE(lossy.isNull());
    EXPECT_EQ(lossy.pixel(5, 15), kBackground);
    EXPECT_LE(CodecTestPictures::colourDistance(lossy.pixel(35, 15), photo.pixel(35, 15)), 40);
}

TEST(WebpCodecTest, AnimationGivesItsFirstFrame)
{
    Picture24 first = CodecTestPictures::quadrants(32, 24);
    Picture24 second(32, 24);
    second.fill(10, 20, 30);
    const auto bytes = PhoneTestPictures::animatedWebp({first, second, first});
    ASSERT_FALSE(bytes.empty());
    WebPBitstreamFeatures features;
    ASSERT_EQ(WebPGetFeatures(bytes.data(), bytes.size(), &features), VP8_STATUS_OK);
    ASSERT_TRUE(features.has_animation);
    ImageStatus status;
    EXPECT_EQ(decoded(bytes, &status), first);
    EXPECT_TRUE(status) << status.detail;
}

TEST(WebpCodecTest, DisplayP3ProfileIsConvertedToSrgb)
{
    Picture24 picture(16, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x)
            picture.setPixel(x, y, x < 8 ? 0xFF0000 : 0xC8785A);
    const auto p3 = PhoneTestPictures::displayP3Profile();
    ImageStatus status;
    const Picture24 ours = decoded(PhoneTestPictures::webp(picture, -1, {}, p3), &status);
    ASSERT_TRUE(status) << status.detail;
    EXPECT_EQ(ours.pixel(2, 2), ColourReference::p3ToSrgb(0xFF0000));
    EXPECT_LE(ColourReference::distance(ours.pixel(12, 2), ColourReference::p3ToSrgb(0xC8785A)), 1);

    // With alpha the colour is converted, the background is not.
    std::vector<std::uint8_t> alpha(16 * 8, 255);
    alpha[0] = 0;
    const Picture24 withAlpha = decoded(PhoneTestPictures::webp(picture, -1, alpha, p3));
    EXPECT_EQ(withAlpha.pixel(0, 0), kBackground);
    EXPECT_LE(ColourReference::distance(withAlpha.pixel(12, 2), ColourReference::p3ToSrgb(0xC8785A)), 1);

    // An sRGB or a broken profile: the pixels exactly as stored.
    EXPECT_EQ(decoded(PhoneTestPictures::webp(picture, -1, {}, PhoneTestPictures::srgbProfile())), picture);
    EXPECT_EQ(decoded(PhoneTestPictures::webp(picture, -1, {},
                                              std::vector<std::uint8_t>(p3.begin(), p3.begin() + 150))),
              picture);
}

TEST(WebpCodecTest, BadInputFailsAndLeavesThePictureAlone)
{
    const Picture24 photo = CodecTestPictures::photoLike(64, 48, 2);
    const auto lossy = PhoneTestPictures::webp(photo, 80);
    const auto lossless = PhoneTestPictures::webp(photo, -1);
    const auto animated = PhoneTestPictures::animatedWebp({photo, CodecTestPictures::quadrants(64, 48)});
    ASSERT_FALSE(lossy.empty());
    ASSERT_FALSE(lossless.empty());
    ASSERT_FALSE(animated.empty());
    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> bad;
    for (const auto *source : {&lossy, &lossless, &animated})
        for (const std::size_t keep :
             {std::size_t(12), std::size_t(30), source->size() / 2, source->size() - 1})
            bad.emplace_back("cut at " + std::to_string(keep),
                             std::vector<std::uint8_t>(source->begin(), source->begin() + keep));

    auto noise = lossy;
    for (std::size_t i = 30; i < noise.size(); ++i)
        noise[i] = std::uint8_t(i * 2654435761u >> 11);
    bad.emplace_back("noise after the header", noise);

    // An extended header claiming a 100000 x 100000 canvas, with a small
    // animation behind it: nothing that size may be allocated.
    auto huge = animated;
    const long vp8x = PhoneTestPictures::find(huge, "VP8X");
    ASSERT_EQ(vp8x, 12);
    writeLe24(huge, vp8x + 12, 100000 - 1);
    writeLe24(huge, vp8x + 15, 100000 - 1);
    bad.emplace_back("100000 x 100000 canvas", huge);

    // Found by fuzzing: an extended header claiming 9473 x 9484 and an
    // ICC chunk cut short, nothing else. Refused before the 270 MB picture
    // is allocated (it used to be zeroed in full before libwebp said no).
    const std::uint8_t headerOnly[] = {
        'R', 'I', 'F', 'F', 0xA0, 0x02, 0,    0, 'W',  'E',  'B', 'P', 'V', 'P', '8', 'X',  0x0A, 0, 0,
        0,   0,   0,   0,   0,    0,    0x25, 0, 0x0B, 0x25, 0,   'I', 'c', 'C', 'P', 0x48, 0x02, 0};
    bad.emplace_back("header only", std::vector<std::uint8_t>(std::begin(headerOnly), std::end(headerOnly)));

    // A RIFF size larger than the file.
    auto lying = lossy;
    lying[4] = 0xFF;
    lying[5] = 0xFF;
    lying[6] = 0xFF;
    bad.emplace_back("lying RIFF size", lying);

    const Picture24 before = CodecTestPictures::quadrants(5, 4);
    for (const auto &[name, bytes] : bad) {
        Picture24 picture = before;
        const ImageStatus status = ImageFile::decode(bytes.data(), bytes.size(), ImageFormat::Webp, picture,
                                                     LoadOptions{kBackground});
        EXPECT_FALSE(status) << name;
        EXPECT_FALSE(status.message.empty()) << name;
        EXPECT_EQ(picture, before) << name;
    }
}

TEST(WebpCodecTest, WildProfileIsConvertedLikeLcmsWould)
{
    // The profile is readable, so the picture is converted; the fast path
    // and lcms's general transform must agree on it.
    const std::vector<std::uint8_t> bytes(std::begin(kWebpWildProfile), std::end(kWebpWildProfile));
    ImageStatus status;
    const Picture24 ours = decoded(bytes, &status);
    ASSERT_TRUE(status) << status.detail;
    Picture24 raw = referenceDecode(bytes);
    ASSERT_EQ(raw.width(), ours.width());
    WebPData data = {bytes.data(), bytes.size()};
    WebPDemuxer *demux = WebPDemux(&data);
    ASSERT_NE(demux, nullptr);
    WebPChunkIterator chunk;
    ASSERT_TRUE(WebPDemuxGetChunk(demux, "ICCP", 1, &chunk));
    const auto lcms =
        ColourProfile::toSrgbThroughLcms(chunk.chunk.bytes, chunk.chunk.size, ColourProfile::Layout::Bgr);
    WebPDemuxReleaseChunkIterator(&chunk);
    WebPDemuxDelete(demux);
    ASSERT_NE(lcms, nullptr);
    lcms->convert(raw);
    int worst = 0;
    for (int y = 0; y < raw.height(); ++y)
        for (int x = 0; x < raw.width(); ++x)
            worst = std::max(worst, ColourReference::distance(ours.pixel(x, y), raw.pixel(x, y)));
    EXPECT_LE(worst, 1);
}

TEST(WebpCodecTest, TinyFileForAHugeFlatPictureDecodesAndItsDamageIsRefused)
{
    // A flat lossless 3000 x 2000 picture takes a few hundred bytes: far
    // below a byte per 64 pixels, the way a lying header looks too.
    Picture24 flat(3000, 2000);
    flat.fill(0x12, 0x9A, 0xE0);
    const auto bytes = PhoneTestPictures::webp(flat, -1);
    ASSERT_FALSE(bytes.empty());
    ASSERT_LT(bytes.size() * 64, std::size_t(3000) * 2000);
    ImageStatus status;
    EXPECT_EQ(decoded(bytes, &status), flat);
    EXPECT_TRUE(status) << status.detail;

    // Its coded data scrambled after the header: refused, picture untouched.
    auto damaged = bytes;
    for (std::size_t i = 30; i < damaged.size(); ++i)
        damaged[i] ^= std::uint8_t(0x5A + i);
    Picture24 picture = CodecTestPictures::quadrants(4, 4);
    const Picture24 before = picture;
    EXPECT_FALSE(ImageFile::decode(damaged.data(), damaged.size(), ImageFormat::Webp, picture));
    EXPECT_EQ(picture, before);
}

TEST(WebpCodecTest, BareBitstreamWithoutContainerIsNotAWebpFile)
{
    // libwebp would take the VP8L chunk alone; the file format is RIFF.
    const auto bytes = PhoneTestPictures::webp(CodecTestPictures::quadrants(8, 8), -1);
    const long vp8l = PhoneTestPictures::find(bytes, "VP8L");
    ASSERT_EQ(vp8l, 12);
    const std::vector<std::uint8_t> bare(bytes.begin() + vp8l, bytes.end());
    Picture24 picture;
    EXPECT_FALSE(ImageFile::decode(bare.data(), bare.size(), ImageFormat::Webp, picture));
    EXPECT_TRUE(picture.isNull());
}
