// Profiles embedded in JPEG, PNG and TIFF files: converted at decode time,
// and files without one (or with an sRGB one) decoded exactly as before.

#include "CodecTestPictures.h"
#include "ColourReference.h"
#include "ImageFile.h"
#include "PhoneTestPictures.h"

#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>

namespace {

Picture24 decode(const std::vector<std::uint8_t> &bytes, ImageFormat format)
{
    Picture24 picture;
    const ImageStatus status = ImageFile::decode(bytes.data(), bytes.size(), format, picture);
    EXPECT_TRUE(status) << status.detail;
    return picture;
}

// Left half pure red, right half a skin tone, as a P3 camera would store them.
Picture24 redAndSkin()
{
    Picture24 picture(32, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x)
            picture.setPixel(x, y, x < 16 ? 0xFF0000 : 0xC8785A);
    return picture;
}

struct Writer
{
    const char *name;
    ImageFormat format;
    std::vector<std::uint8_t> (*write)(const Picture24 &, const std::vector<std::uint8_t> &);
};

const Writer kWriters[] = {
    {"JPEG", ImageFormat::Jpeg, &PhoneTestPictures::jpegWithProfile},
    {"PNG", ImageFormat::Png, &PhoneTestPictures::pngWithProfile},
    {"TIFF", ImageFormat::Tiff, &PhoneTestPictures::tiffWithProfile},
};

} // namespace

TEST(ProfileFilesTest, DisplayP3IsConvertedInEveryFormat)
{
    const auto p3 = PhoneTestPictures::displayP3Profile();
    const Picture24 picture = redAndSkin();
    for (const Writer &w : kWriters) {
        // The device values as the file stores them (JPEG is lossy), then
        // the conversion of those.
        const Picture24 device = decode(w.write(picture, {}), w.format);
        const Picture24 converted = decode(w.write(picture, p3), w.format);
        ASSERT_EQ(converted.width(), 32) << w.name;
        for (const int x : {4, 24}) {
            const std::uint32_t expected = ColourReference::p3ToSrgb(device.pixel(x, 8));
            EXPECT_LE(ColourReference::distance(converted.pixel(x, 8), expected), 1)
                << w.name << std::hex << " got " << converted.pixel(x, 8) << " expected " << expected;
        }
        EXPECT_GE(ColourReference::distance(converted.pixel(24, 8), device.pixel(24, 8)), 10) << w.name;
    }
}

TEST(ProfileFilesTest, NoProfileOrSrgbProfileDecodesBitIdentically)
{
    const auto srgb = PhoneTestPictures::srgbProfile();
    const Picture24 photo = CodecTestPictures::photoLike(67, 45, 11);
    for (const Writer &w : kWriters) {
        const Picture24 plain = decode(w.write(photo, {}), w.format);
        EXPECT_EQ(decode(w.write(photo, srgb), w.format), plain) << w.name;
        // A damaged profile is ignored: the pixels as stored. Its header
        // and tag table are sound (libpng checks those when writing), the
        // tags' contents are not.
        auto broken = PhoneTestPictures::displayP3Profile();
        const std::size_t tags = (std::size_t(broken[130]) << 8) | broken[131];
        for (std::size_t t = 0; t < tags; ++t) {
            const std::uint8_t *entry = &broken[132 + 12 * t];
            const std::size_t offset = (std::size_t(entry[0 + 4]) << 24) | (std::size_t(entry[5]) << 16) |
                                       (std::size_t(entry[6]) << 8) | entry[7];
            std::memcpy(&broken[offset], "zzzz", 4);
        }
        EXPECT_EQ(decode(w.write(photo, broken), w.format), plain) << w.name;
    }
    // The lossless formats give back exactly what was written.
    EXPECT_EQ(decode(PhoneTestPictures::pngWithProfile(photo, {}), ImageFormat::Png), photo);
    EXPECT_EQ(decode(PhoneTestPictures::tiffWithProfile(photo, {}), ImageFormat::Tiff), photo);
}

TEST(ProfileFilesTest, TiffAgreesWithLcmsOwnTificc)
{
    if (std::system("command -v tificc >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "tificc (liblcms2-utils) not installed";
    ScopedTempDir dir;
    const Picture24 photo = CodecTestPictures::photoLike(64, 40, 4);
    const auto p3File = PhoneTestPictures::tiffWithProfile(photo, PhoneTestPictures::displayP3Profile());
    CodecTestPictures::writeFile(dir.path() / "p3.tif", p3File);
    // tificc takes the embedded profile as input and writes sRGB.
    const std::string command = "tificc -t1 '" + dir.file("p3.tif") + "' '" + dir.file("srgb.tif") + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const Picture24 reference =
        decode(CodecTestPictures::readFile(dir.path() / "srgb.tif"), ImageFormat::Tiff);
    const Picture24 ours = decode(p3File, ImageFormat::Tiff);
    ASSERT_EQ(ours.width(), reference.width());
    int worst = 0;
    for (int y = 0; y < ours.height(); ++y)
        for (int x = 0; x < ours.width(); ++x)
            worst = std::max(worst, ColourReference::distance(ours.pixel(x, y), reference.pixel(x, y)));
    EXPECT_LE(worst, 1);
    EXPECT_GT(CodecTestPictures::meanAbsoluteDifference(ours, photo), 1.0); // it did convert
}
