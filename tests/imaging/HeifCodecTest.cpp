// HEIC decoding: compared with libheif's own decode of the same bytes, so the
// lossy HEVC coding does not blur what is checked.

#include "HeifCodec.h"

#include "CodecTestPictures.h"
#include "ColourReference.h"
#include "ImageFile.h"
#include "PhoneFuzzFindings.h"
#include "PhoneTestPictures.h"

#include <gtest/gtest.h>
#include <libheif/heif.h>

namespace {

constexpr std::uint32_t kBackground = 0x336699;

// libheif's decode to 8-bit interleaved RGB(A), as a Picture24 (alpha
// composited here over kBackground, straight alpha), transformations
// applied. Null picture on failure.
Picture24 referenceDecode(const std::vector<std::uint8_t> &bytes, bool applyTransforms = true)
{
    Picture24 out;
    heif_context *ctx = heif_context_alloc();
    heif_image_handle *handle = nullptr;
    heif_image *image = nullptr;
    heif_decoding_options *options = heif_decoding_options_alloc();
    options->convert_hdr_to_8bit = 1;
    options->ignore_transformations = applyTransforms ? 0 : 1;
    if (heif_context_read_from_memory_without_copy(ctx, bytes.data(), bytes.size(), nullptr).code == 0 &&
        heif_context_get_primary_image_handle(ctx, &handle).code == 0) {
        const bool alpha = heif_image_handle_has_alpha_channel(handle);
        if (heif_decode_image(handle, &image, heif_colorspace_RGB,
                              alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB, options)
                .code == 0) {
            const int w = heif_image_get_width(image, heif_channel_interleaved);
            const int h = heif_image_get_height(image, heif_channel_interleaved);
            int stride = 0;
            const std::uint8_t *plane =
                heif_image_get_plane_readonly(image, heif_channel_interleaved, &stride);
            out.reset(w, h);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    const std::uint8_t *p = plane + std::size_t(y) * stride + x * (alpha ? 4 : 3);
                    std::uint32_t rgb = 0;
                    for (int c = 0; c < 3; ++c) {
                        unsigned v = p[c];
                        if (alpha) {
                            const unsigned bg = (kBackground >> (16 - 8 * c)) & 0xFF;
                            v = (v * p[3] + bg * (255 - p[3]) + 127) / 255;
                        }
                        rgb = (rgb << 8) | v;
                    }
                    out.setPixel(x, y, rgb);
                }
        }
    }
    if (image)
        heif_image_release(image);
    if (handle)
        heif_image_handle_release(handle);
    heif_decoding_options_free(options);
    heif_context_free(ctx);
    return out;
}

Picture24 decoded(const std::vector<std::uint8_t> &bytes, ImageStatus *statusOut = nullptr)
{
    Picture24 picture;
    const ImageStatus status =
        ImageFile::decode(bytes.data(), bytes.size(), ImageFormat::Heif, picture, LoadOptions{kBackground});
    if (statusOut)
        *statusOut = status;
    return picture;
}

std::uint32_t readBig32(const std::vector<std::uint8_t> &b, std::size_t at)
{
    return (std::uint32_t(b[at]) << 24) | (std::uint32_t(b[at + 1]) << 16) | (std::uint32_t(b[at + 2]) << 8) |
           b[at + 3];
}

void writeBig32(std::vector<std::uint8_t> &b, std::size_t at, std::uint32_t v)
{
    b[at] = std::uint8_t(v >> 24);
    b[at + 1] = std::uint8_t(v >> 16);
    b[at + 2] = std::uint8_t(v >> 8);
    b[at + 3] = std::uint8_t(v);
}

class HeifCodecTest : public ::testing::Test
{
protected:
    const Picture24 m_photo = CodecTestPictures::photoLike(96, 64, 7);
};

} // namespace

TEST_F(HeifCodecTest, EightAndTenBitMatchLibheifsOwnDecode)
{
    for (const int bits : {8, 10}) {
        const auto bytes = PhoneTestPictures::heic(m_photo, 90, bits);
        ASSERT_FALSE(bytes.empty()) << bits;
        ImageStatus status;
        const Picture24 ours = decoded(bytes, &status);
        ASSERT_TRUE(status) << status.detail;
        const Picture24 reference = referenceDecode(bytes);
        ASSERT_FALSE(reference.isNull());
        EXPECT_EQ(ours, reference) << bits << "-bit";
        // And the coding kept the picture recognisable.
        EXPECT_LT(CodecTestPictures::meanAbsoluteDifference(ours, m_photo), 6.0) << bits << "-bit";
    }
}

TEST_F(HeifCodecTest, RotationAndMirroringAreApplied)
{
    // A wide picture with a red marker in its top-left corner.
    Picture24 picture(64, 32);
    picture.fill(200, 200, 200);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            picture.setPixel(x, y, 0xE01010);
    struct Case
    {
        int orientation;
        int width, height;
        int markerX, markerY; // where the top-left corner lands
    } cases[] = {
        {1, 64, 32, 0, 0},  {2, 64, 32, 63, 0}, {3, 64, 32, 63, 31},
        {4, 64, 32, 0, 31}, {6, 32, 64, 31, 0}, {8, 32, 64, 0, 63},
    };
    for (const Case &c : cases) {
        const auto bytes = PhoneTestPictures::heic(picture, 95, 8, c.orientation);
        ASSERT_FALSE(bytes.empty());
        ImageStatus status;
        const Picture24 ours = decoded(bytes, &status);
        ASSERT_TRUE(status) << status.detail;
        ASSERT_EQ(ours.width(), c.width) << c.orientation;
        ASSERT_EQ(ours.height(), c.height) << c.orientation;
        const int inX = c.markerX == 0 ? 2 : c.markerX - 2, inY = c.markerY == 0 ? 2 : c.markerY - 2;
        EXPECT_LE(CodecTestPictures::colourDistance(ours.pixel(inX, inY), 0xE01010), 12) << c.orientation;
        // The opposite corner is grey.
        EXPECT_LE(
            CodecTestPictures::colourDistance(ours.pixel(c.width - 1 - inX, c.height - 1 - inY), 0xC8C8C8),
            12)
            << c.orientation;
        EXPECT_EQ(ours, referenceDecode(bytes)) << c.orientation;
    }
}

TEST_F(HeifCodecTest, AlphaIsCompositedOverTheBackground)
{
    Picture24 picture(48, 32);
    picture.fill(0x20, 0xC0, 0x40);
    std::vector<std::uint8_t> alpha(48 * 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 48; ++x)
            alpha[y * 48 + x] = x < 16 ? 0 : (x < 32 ? 128 : 255);
    const auto bytes = PhoneTestPictures::heic(picture, 95, 8, 1, alpha);
    ASSERT_FALSE(bytes.empty());
    ImageStatus status;
    const Picture24 ours = decoded(bytes, &status);
    ASSERT_TRUE(status) << status.detail;
    EXPECT_EQ(ours, referenceDecode(bytes));
    // Well inside each band, away from the coding's edges.
    EXPECT_LE(CodecTestPictures::colourDistance(ours.pixel(4, 16), kBackground), 3);
    EXPECT_LE(CodecTestPictures::colourDistance(ours.pixel(44, 16), 0x20C040), 6);
    const std::uint32_t half = ours.pixel(24, 16);
    EXPECT_LE(CodecTestPictures::colourDistance(half, 0x29936C), 8) << std::hex << half;
}

TEST_F(HeifCodecTest, DisplayP3ProfileIsConvertedToSrgb)
{
    Picture24 picture(32, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            picture.setPixel(x, y, x < 16 ? 0xFF0000 : 0xC8785A);
    const auto withProfile =
        PhoneTestPictures::heic(picture, 95, 8, 1, {}, PhoneTestPictures::displayP3Profile());
    ASSERT_FALSE(withProfile.empty());
    ImageStatus status;
    const Picture24 ours = decoded(withProfile, &status);
    ASSERT_TRUE(status) << status.detail;
    // Whatever the HEVC coding made of the colours, the conversion is that
    // of the decoded device values.
    const Picture24 device = referenceDecode(withProfile);
    for (const int x : {4, 24}) {
        const std::uint32_t expected = ColourReference::p3ToSrgb(device.pixel(x, 16));
        EXPECT_LE(ColourReference::distance(ours.pixel(x, 16), expected), 1) << std::hex << ours.pixel(x, 16);
    }
    EXPECT_GE(ColourReference::distance(ours.pixel(24, 16), device.pixel(24, 16)), 10);

    // An sRGB profile changes nothing: bit-identical to the bare decode.
    const auto srgb = PhoneTestPictures::heic(picture, 95, 8, 1, {}, PhoneTestPictures::srgbProfile());
    EXPECT_EQ(decoded(srgb), referenceDecode(srgb));
}

TEST_F(HeifCodecTest, BadInputFailsAndLeavesThePictureAlone)
{
    const auto good = PhoneTestPictures::heic(m_photo, 80);
    ASSERT_FALSE(good.empty());
    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> bad;
    for (const std::size_t keep : {std::size_t(12), std::size_t(40), good.size() / 3, good.size() - 20})
        bad.emplace_back("cut at " + std::to_string(keep),
                         std::vector<std::uint8_t>(good.begin(), good.begin() + keep));

    // The primary image names an item that does not exist.
    auto noPrimary = good;
    const long pitm = PhoneTestPictures::find(noPrimary, "pitm");
    ASSERT_GT(pitm, 0);
    noPrimary[pitm + 8] = 0x7F; // version 0: 16-bit item id after version/flags
    noPrimary[pitm + 9] = 0x7F;
    bad.emplace_back("missing primary", noPrimary);

    // The size box claims 100000 x 100000.
    auto huge = good;
    const long ispe = PhoneTestPictures::find(huge, "ispe");
    ASSERT_GT(ispe, 0);
    writeBig32(huge, ispe + 8, 100000);
    writeBig32(huge, ispe + 12, 100000);
    bad.emplace_back("100000 x 100000", huge);

    // The coded data overwritten with noise.
    auto noise = good;
    const long mdat = PhoneTestPictures::find(noise, "mdat");
    ASSERT_GT(mdat, 0);
    for (std::size_t i = mdat + 8; i < noise.size(); ++i)
        noise[i] = std::uint8_t(i * 2654435761u >> 13);
    bad.emplace_back("noisy data", noise);

    // A box length running past the end of the file.
    auto lying = good;
    const long meta = PhoneTestPictures::find(lying, "meta");
    ASSERT_GT(meta, 4);
    writeBig32(lying, meta - 4, readBig32(lying, meta - 4) + 100000);
    bad.emplace_back("lying box length", lying);

    const Picture24 before = CodecTestPictures::quadrants(5, 4);
    for (const auto &[name, bytes] : bad) {
        Picture24 picture = before;
        const ImageStatus status = ImageFile::decode(bytes.data(), bytes.size(), ImageFormat::Heif, picture,
                                                     LoadOptions{kBackground});
        EXPECT_FALSE(status) << name;
        EXPECT_FALSE(status.message.empty()) << name;
        EXPECT_EQ(picture, before) << name;
    }
}

TEST_F(HeifCodecTest, HugeSizeIsReportedAsTooLarge)
{
    auto huge = PhoneTestPictures::heic(m_photo, 80);
    const long ispe = PhoneTestPictures::find(huge, "ispe");
    ASSERT_GT(ispe, 0);
    writeBig32(huge, ispe + 8, 100000);
    writeBig32(huge, ispe + 12, 100000);
    Picture24 picture;
    const ImageStatus status = HeifCodec::decode(huge.data(), huge.size(), picture, kBackground);
    EXPECT_EQ(status.message, ImageMessages::kTooLarge) << status.detail;
    EXPECT_TRUE(picture.isNull());
}

TEST_F(HeifCodecTest, OddSizesDecodeWhole)
{
    for (const auto &[w, h] : {std::pair{7, 5}, std::pair{1, 1}, std::pair{33, 17}}) {
        const Picture24 small = CodecTestPictures::photoLike(w, h, 3);
        const auto bytes = PhoneTestPictures::heic(small, 90);
        ASSERT_FALSE(bytes.empty());
        ImageStatus status;
        const Picture24 ours = decoded(bytes, &status);
        ASSERT_TRUE(status) << w << "x" << h << ": " << status.detail;
        EXPECT_EQ(ours.width(), w);
        EXPECT_EQ(ours.height(), h);
        EXPECT_EQ(ours, referenceDecode(bytes));
    }
}

TEST_F(HeifCodecTest, BitstreamLargerThanTheDeclaredSizeIsRefused)
{
    Picture24 picture = CodecTestPictures::quadrants(3, 3);
    const Picture24 before = picture;
    const ImageStatus status =
        HeifCodec::decode(kHeifCodedSizeLie, sizeof kHeifCodedSizeLie, picture, kBackground);
    EXPECT_FALSE(status);
    EXPECT_EQ(status.message, ImageMessages::kCorrupt);
    EXPECT_EQ(picture, before);
}

TEST_F(HeifCodecTest, BitstreamClaimingAHugePictureIsRefusedBeforeDecoding)
{
    Picture24 picture = CodecTestPictures::quadrants(3, 3);
    const Picture24 before = picture;
    const ImageStatus status =
        HeifCodec::decode(kHeifHugeCodedPicture, sizeof kHeifHugeCodedPicture, picture, kBackground);
    EXPECT_EQ(status.message, ImageMessages::kCorrupt);
    // Refused by libheif's size check, not after a decode of 400 million pixels.
    EXPECT_NE(status.detail.find("Security limit"), std::string::npos) << status.detail;
    EXPECT_EQ(picture, before);
}
