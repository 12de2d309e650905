// HEIF and WebP in the by-extension dispatch, the content check, the list
// of extensions photo pages offer and the open dialog's filter.

#include "CodecTestPictures.h"
#include "FileFormatCheck.h"
#include "ImageDialogFilter.h"
#include "ImageFile.h"
#include "ImageFormat.h"
#include "PhoneTestPictures.h"

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>

namespace {

std::vector<std::uint8_t> ftyp(const char *major, std::vector<const char *> compatible)
{
    std::vector<std::uint8_t> box(16 + 4 * compatible.size(), 0);
    box[3] = std::uint8_t(box.size());
    std::memcpy(&box[4], "ftyp", 4);
    std::memcpy(&box[8], major, 4);
    for (std::size_t i = 0; i < compatible.size(); ++i)
        std::memcpy(&box[16 + 4 * i], compatible[i], 4);
    box.resize(128, 0);
    return box;
}

std::vector<std::uint8_t> riff(const char *form, const char *chunk)
{
    std::vector<std::uint8_t> b(128, 0);
    std::memcpy(&b[0], "RIFF", 4);
    b[4] = 120;
    std::memcpy(&b[8], form, 4);
    std::memcpy(&b[12], chunk, 4);
    return b;
}

} // namespace

TEST(PhoneFormatsTest, ExtensionsAreRecognisedWithoutCase)
{
    for (const char *name : {"a.heic", "b.HEIC", "c.Heif", "d/e.f.heif", "C:\\Fotos\\cliente.HeIc"})
        EXPECT_EQ(imageFormatForPath(name), ImageFormat::Heif) << name;
    for (const char *name : {"a.webp", "b.WEBP", "c.WebP"})
        EXPECT_EQ(imageFormatForPath(name), ImageFormat::Webp) << name;
    for (const char *name : {"a.heics", "a.hei", "a.web", "heic", "a.heic/b", "a.heic."})
        EXPECT_EQ(imageFormatForPath(name), ImageFormat::Unknown) << name;
    EXPECT_STREQ(imageFormatName(ImageFormat::Heif), "HEIF");
    EXPECT_STREQ(imageFormatName(ImageFormat::Webp), "WEBP");
}

TEST(PhoneFormatsTest, ReadableExtensionsAreExactlyWhatLoadingOpens)
{
    const auto &list = imageReadableExtensions();
    for (const char *ext : {"heic", "heif", "webp", "jpg", "jpeg", "png", "bmp", "gif", "tif", "pcx", "ico"})
        EXPECT_NE(std::find(list.begin(), list.end(), ext), list.end()) << ext;
    for (const char *ext : {"wmf", "emf", "avi"})
        EXPECT_EQ(std::find(list.begin(), list.end(), ext), list.end()) << ext;
    for (const std::string &ext : list)
        EXPECT_NE(imageFormatForPath("x." + ext), ImageFormat::Unknown) << ext;
}

TEST(PhoneFormatsTest, ContentCheckKnowsTheSignatures)
{
    EXPECT_EQ(FileFormatCheck::checkBytes(ftyp("heic", {"mif1", "heic"}).data(), 128), ImageFormat::Heif);
    EXPECT_EQ(FileFormatCheck::checkBytes(ftyp("heix", {}).data(), 128), ImageFormat::Heif);
    EXPECT_EQ(FileFormatCheck::checkBytes(ftyp("hevc", {"msf1"}).data(), 128), ImageFormat::Heif);
    // The general brand counts only next to an HEVC one.
    EXPECT_EQ(FileFormatCheck::checkBytes(ftyp("mif1", {"miaf", "heic"}).data(), 128), ImageFormat::Heif);
    EXPECT_EQ(FileFormatCheck::checkBytes(ftyp("mif1", {"avif", "miaf"}).data(), 128), ImageFormat::Unknown);
    EXPECT_EQ(FileFormatCheck::checkBytes(ftyp("avif", {"mif1"}).data(), 128), ImageFormat::Unknown);
    EXPECT_EQ(FileFormatCheck::checkBytes(ftyp("isom", {"mp41"}).data(), 128), ImageFormat::Unknown);
    // Cut short: the major brand missing.
    EXPECT_EQ(FileFormatCheck::checkBytes(ftyp("heic", {}).data(), 11), ImageFormat::Unknown);

    for (const char *chunk : {"VP8 ", "VP8L", "VP8X"})
        EXPECT_EQ(FileFormatCheck::checkBytes(riff("WEBP", chunk).data(), 128), ImageFormat::Webp) << chunk;
    EXPECT_EQ(FileFormatCheck::checkBytes(riff("AVI ", "LIST").data(), 128), ImageFormat::Unknown);
    EXPECT_EQ(FileFormatCheck::checkBytes(riff("WAVE", "fmt ").data(), 128), ImageFormat::Unknown);
    EXPECT_EQ(FileFormatCheck::checkBytes(riff("WEBP", "VP8 ").data(), 15), ImageFormat::Unknown);
}

TEST(PhoneFormatsTest, FilesFromAPhoneLoadByNameAndByContent)
{
    ScopedTempDir dir;
    const Picture24 photo = CodecTestPictures::photoLike(40, 30, 6);
    const auto heic = PhoneTestPictures::heic(photo, 90);
    const auto webp = PhoneTestPictures::webp(photo, -1);
    ASSERT_FALSE(heic.empty());
    ASSERT_FALSE(webp.empty());
    CodecTestPictures::writeFile(dir.path() / "IMG_0001.HEIC", heic);
    CodecTestPictures::writeFile(dir.path() / "foto.webp", webp);
    // Renamed by hand: the content wins over the extension.
    CodecTestPictures::writeFile(dir.path() / "renamed.jpg", heic);
    CodecTestPictures::writeFile(dir.path() / "renamed.png", webp);

    struct Case
    {
        const char *name;
        ImageFormat used;
        ImageFormat checked; // with the extension checked too
    } cases[] = {
        {"IMG_0001.HEIC", ImageFormat::Heif, ImageFormat::Heif},
        {"foto.webp", ImageFormat::Webp, ImageFormat::Webp},
        {"renamed.jpg", ImageFormat::Heif, ImageFormat::Unknown},
        {"renamed.png", ImageFormat::Webp, ImageFormat::Unknown},
    };
    for (const Case &c : cases) {
        Picture24 picture;
        ImageFormat used = ImageFormat::Unknown;
        const ImageStatus status = ImageFile::load(dir.file(c.name), picture, {}, used);
        ASSERT_TRUE(status) << c.name << ": " << status.detail;
        EXPECT_EQ(used, c.used) << c.name;
        EXPECT_EQ(picture.width(), 40) << c.name;
        EXPECT_EQ(FileFormatCheck::check(dir.file(c.name), true), c.checked) << c.name;
        EXPECT_EQ(FileFormatCheck::check(dir.file(c.name), false), c.used) << c.name;
    }
    EXPECT_EQ(ImageFile::load(dir.file("foto.webp"), *std::make_unique<Picture24>()).ok, true);

    // Saving keeps its own list: a photo opened from a HEIC is saved as
    // JPEG or BMP, never as HEIC or WebP.
    EXPECT_FALSE(ImageFile::save(dir.file("out.heic"), photo));
    EXPECT_FALSE(ImageFile::save(dir.file("out.webp"), photo));
    EXPECT_TRUE(ImageFile::save(dir.file("out.jpg"), photo));
}

TEST(PhoneFormatsTest, OpenDialogOffersTheFormatsAndSaveDialogDoesNot)
{
    const QStringList open = ImageDialogFilter::ToEntries(ImageDialogFilter::Open());
    const QStringList save = ImageDialogFilter::ToEntries(ImageDialogFilter::Standard());
    ASSERT_EQ(open.size(), save.size() + 2);
    EXPECT_TRUE(open.first().endsWith(QStringLiteral("*.avi *.heic *.heif *.webp)")))
        << open.first().toStdString();
    EXPECT_EQ(open.at(open.size() - 2), QStringLiteral("HEIF files (*.heic *.heif)"));
    EXPECT_EQ(open.last(), QStringLiteral("WebP files (*.webp)"));
    EXPECT_EQ(ImageDialogFilter::Extensions(ImageDialogFilter::Open(), int(open.size()) - 2),
              QStringList({QStringLiteral("heic"), QStringLiteral("heif")}));
    for (const QString &entry : save)
        EXPECT_FALSE(entry.contains(QStringLiteral("heic")) || entry.contains(QStringLiteral("webp")));
    // The entries before the new ones are the save dialog's, unchanged.
    for (qsizetype i = 1; i < save.size(); ++i)
        EXPECT_EQ(open.at(i), save.at(i));
}
