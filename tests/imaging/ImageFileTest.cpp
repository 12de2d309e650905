#include "ImageFile.h"

#include "CodecTestPictures.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> filesIn(const fs::path &dir)
{
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

struct SaveCase
{
    const char *name;
    ImageFormat format;
    bool lossless;
};

class ImageFileSave : public ::testing::TestWithParam<SaveCase>
{
};

TEST_P(ImageFileSave, WritesByExtensionAndLoadsBack)
{
    const SaveCase c = GetParam();
    ScopedTempDir dir;
    const Picture24 source = c.format == ImageFormat::Gif ? CodecTestPictures::hairLike(41, 29)
                                                          : CodecTestPictures::photoLike(41, 29);
    const std::string path = dir.file(c.name);
    ASSERT_TRUE(ImageFile::save(path, source));
    EXPECT_EQ(filesIn(dir.path()), std::vector<std::string>{c.name}) << "no temporary file left behind";

    Picture24 loaded;
    ImageFormat used = ImageFormat::Unknown;
    const ImageStatus status = ImageFile::load(path, loaded, {}, used);
    ASSERT_TRUE(status) << status.message << " " << status.detail;
    EXPECT_EQ(used, c.format);
    ASSERT_EQ(loaded.width(), 41);
    ASSERT_EQ(loaded.height(), 29);
    if (c.lossless)
        EXPECT_EQ(loaded, source);
    else
        EXPECT_LT(CodecTestPictures::meanAbsoluteDifference(source, loaded), 8.0);
}

INSTANTIATE_TEST_SUITE_P(
    Extensions, ImageFileSave,
    ::testing::Values(SaveCase{"a.bmp", ImageFormat::Bmp, true}, SaveCase{"a.BMP", ImageFormat::Bmp, true},
                      SaveCase{"a.jpg", ImageFormat::Jpeg, false},
                      SaveCase{"a.JPEG", ImageFormat::Jpeg, false}, SaveCase{"a.png", ImageFormat::Png, true},
                      SaveCase{"a.tif", ImageFormat::Tiff, true}, SaveCase{"a.Tiff", ImageFormat::Tiff, true},
                      SaveCase{"a.pcx", ImageFormat::Pcx, true}, SaveCase{"a.gif", ImageFormat::Gif, true}),
    [](const auto &info) {
        std::string n = info.param.name;
        std::replace(n.begin(), n.end(), '.', '_');
        return n;
    });

TEST(ImageFile, NameWithoutExtensionIsSavedAsBitmap)
{
    ScopedTempDir dir;
    const Picture24 source = CodecTestPictures::photoLike(10, 10);
    ASSERT_TRUE(ImageFile::save(dir.file("composition"), source));
    EXPECT_EQ(filesIn(dir.path()), std::vector<std::string>{"composition.bmp"});
    const auto bytes = CodecTestPictures::readFile(dir.path() / "composition.bmp");
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
}

TEST(ImageFile, SavePathFor)
{
    EXPECT_EQ(ImageFile::savePathFor("/x/photo"), "/x/photo.bmp");
    EXPECT_EQ(ImageFile::savePathFor("/x/photo.PNG"), "/x/photo.PNG");
    EXPECT_EQ(ImageFile::savePathFor("/x.y/photo"), "/x.y/photo.bmp");
    EXPECT_EQ(ImageFile::savePathFor("C:\\Salao.v5\\foto"), "C:\\Salao.v5\\foto.bmp");
    EXPECT_EQ(ImageFile::savePathFor("/x/photo."), "/x/photo.bmp");
}

TEST(ImageFile, UnknownExtensionIsRefusedAndNothingWritten)
{
    ScopedTempDir dir;
    const Picture24 source = CodecTestPictures::photoLike(8, 8);
    for (const char *name : {"a.xyz", "a.jpe"}) {
        const ImageStatus status = ImageFile::save(dir.file(name), source);
        EXPECT_FALSE(status) << name;
        EXPECT_EQ(status.message, ImageMessages::kUnknownExtension) << name;
    }
    // Formats the save list shows but that are only read: the message says
    // which ones can be written.
    for (const char *name : {"a.ico", "a.wmf", "a.EMF", "a.cur", "a.avi"}) {
        const ImageStatus status = ImageFile::save(dir.file(name), source);
        EXPECT_FALSE(status) << name;
        EXPECT_EQ(status.message, ImageMessages::kReadOnlyFormat) << name;
    }
    EXPECT_TRUE(filesIn(dir.path()).empty());
}

TEST(ImageFile, EmptyPictureIsNotSaved)
{
    ScopedTempDir dir;
    const ImageStatus status = ImageFile::save(dir.file("a.png"), Picture24());
    EXPECT_EQ(status.message, ImageMessages::kNothingToSave);
    EXPECT_TRUE(filesIn(dir.path()).empty());
}

TEST(ImageFile, FailedSaveLeavesTheEarlierFileIntact)
{
    ScopedTempDir dir;
    const std::string path = dir.file("keep.png");
    ASSERT_TRUE(ImageFile::save(path, CodecTestPictures::photoLike(12, 12, 1)));
    const auto earlier = CodecTestPictures::readFile(path);
    fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
    if (::geteuid() == 0) {
        fs::permissions(dir.path(), fs::perms::owner_all);
        GTEST_SKIP() << "running as root: folder permissions do not stop writing";
    }
    const ImageStatus status = ImageFile::save(path, CodecTestPictures::photoLike(12, 12, 2));
    fs::permissions(dir.path(), fs::perms::owner_all);
    EXPECT_FALSE(status);
    EXPECT_EQ(status.message, ImageMessages::kCannotWrite);
    EXPECT_EQ(CodecTestPictures::readFile(path), earlier);
    EXPECT_EQ(filesIn(dir.path()), std::vector<std::string>{"keep.png"});
}

TEST(ImageFile, WriteFailureHalfWayLeavesTheEarlierFileIntact)
{
    // A file size limit makes the disk refuse the new bytes part-way, even
    // for root: the state a full disk or a pulled pen drive leaves.
    ScopedTempDir dir;
    const std::string path = dir.file("keep.bmp");
    ASSERT_TRUE(ImageFile::save(path, CodecTestPictures::photoLike(8, 8, 1)));
    const auto earlier = CodecTestPictures::readFile(path);
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const ImageStatus status = ImageFile::save(path, CodecTestPictures::photoLike(200, 200, 2));
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(status);
    EXPECT_EQ(status.message, ImageMessages::kCannotWrite);
    EXPECT_EQ(CodecTestPictures::readFile(path), earlier);
    EXPECT_EQ(filesIn(dir.path()), std::vector<std::string>{"keep.bmp"});
}

TEST(ImageFile, SaveIntoAMissingFolderFails)
{
    ScopedTempDir dir;
    const ImageStatus status =
        ImageFile::save(dir.file("no/such/folder/a.png"), CodecTestPictures::photoLike(4, 4));
    EXPECT_FALSE(status);
    EXPECT_EQ(status.message, ImageMessages::kCannotWrite);
    EXPECT_TRUE(filesIn(dir.path()).empty());
}

TEST(ImageFile, SaveOverAFolderFailsAndLeavesItAlone)
{
    ScopedTempDir dir;
    fs::create_directory(dir.path() / "taken.png");
    CodecTestPictures::writeFile(dir.path() / "taken.png" / "inside", {1, 2, 3});
    const ImageStatus status = ImageFile::save(dir.file("taken.png"), CodecTestPictures::photoLike(4, 4));
    EXPECT_FALSE(status);
    EXPECT_EQ(filesIn(dir.path()), std::vector<std::string>{"taken.png"});
    EXPECT_EQ(CodecTestPictures::readFile(dir.path() / "taken.png" / "inside"),
              (std::vector<std::uint8_t>{1, 2, 3}));
}

TEST(ImageFile, ReadAllReportsMissingEmptyAndUnreadable)
{
    ScopedTempDir dir;
    std::vector<std::uint8_t> bytes = {9};
    EXPECT_EQ(ImageFile::readAll(dir.file("missing.jpg"), bytes).message, ImageMessages::kNotFound);
    CodecTestPictures::writeFile(dir.path() / "empty.jpg", {});
    EXPECT_EQ(ImageFile::readAll(dir.file("empty.jpg"), bytes).message, ImageMessages::kEmpty);
    EXPECT_EQ(ImageFile::readAll(dir.path().string(), bytes).message, ImageMessages::kUnreadable);
    EXPECT_EQ(bytes, std::vector<std::uint8_t>{9});
    CodecTestPictures::writeFile(dir.path() / "three", {1, 2, 3});
    ASSERT_TRUE(ImageFile::readAll(dir.file("three"), bytes));
    EXPECT_EQ(bytes, (std::vector<std::uint8_t>{1, 2, 3}));
}

TEST(ImageFile, LoadFailuresLeaveThePictureAlone)
{
    ScopedTempDir dir;
    const Picture24 before = CodecTestPictures::quadrants(4, 4);
    CodecTestPictures::writeFile(dir.path() / "drawing.wmf", {0xD7, 0xCD, 0xC6, 0x9A, 0, 0});
    CodecTestPictures::writeFile(dir.path() / "drawing.emf", {1, 0, 0, 0, 0, 0});
    CodecTestPictures::writeFile(dir.path() / "broken.png", {0x89, 'P', 'N', 'G', 1, 2, 3});
    CodecTestPictures::writeFile(dir.path() / "empty.gif", {});
    const struct
    {
        const char *name;
        const char *message;
    } cases[] = {
        {"drawing.wmf", ImageMessages::kUnsupported}, {"drawing.emf", ImageMessages::kUnsupported},
        {"broken.png", ImageMessages::kCorrupt},      {"empty.gif", ImageMessages::kEmpty},
        {"missing.jpg", ImageMessages::kNotFound},
    };
    for (const auto &c : cases) {
        Picture24 out = before;
        const ImageStatus status = ImageFile::load(dir.file(c.name), out);
        EXPECT_EQ(status.message, c.message) << c.name;
        EXPECT_EQ(out, before) << c.name;
    }
}

TEST(ImageFile, ContentWinsOverAContradictingExtension)
{
    ScopedTempDir dir;
    const Picture24 source = CodecTestPictures::photoLike(9, 5);
    std::vector<std::uint8_t> png;
    ASSERT_TRUE(ImageFile::encode(source, ImageFormat::Png, {}, png));
    CodecTestPictures::writeFile(dir.path() / "renamed.JPG", png);
    Picture24 out;
    ImageFormat used = ImageFormat::Unknown;
    ASSERT_TRUE(ImageFile::load(dir.file("renamed.JPG"), out, {}, used));
    EXPECT_EQ(used, ImageFormat::Png);
    EXPECT_EQ(out, source);
}

TEST(ImageFile, LoadCompositesGifTransparencyButLoadGifDoesNot)
{
    ScopedTempDir dir;
    // Hair picture: white key, written exactly (two colours).
    const Picture24 hair = CodecTestPictures::hairLike(30, 20);
    ASSERT_TRUE(ImageFile::save(dir.file("1.GIF"), hair));
    Picture24 out;
    std::uint32_t background = 0x123456;
    ASSERT_TRUE(ImageFile::loadGif(dir.file("1.GIF"), out, background));
    EXPECT_EQ(out, hair);
    EXPECT_EQ(out.pixel(0, out.height() - 1), 0xFFFFFFu);

    // A non-GIF file given to loadGif changes nothing, whatever its name.
    const Picture24 before = out;
    CodecTestPictures::writeFile(dir.path() / "2.GIF", {'B', 'M', 0, 0, 0, 0});
    background = 0x654321;
    EXPECT_FALSE(ImageFile::loadGif(dir.file("2.GIF"), out, background));
    EXPECT_EQ(out, before);
    EXPECT_EQ(background, 0x654321u);
}

TEST(ImageFile, JpegQualityOptionIsUsed)
{
    ScopedTempDir dir;
    const Picture24 source = CodecTestPictures::photoLike(64, 64);
    SaveOptions low, high;
    low.jpegQuality = 15;
    high.jpegQuality = 95;
    ASSERT_TRUE(ImageFile::save(dir.file("low.jpg"), source, low));
    ASSERT_TRUE(ImageFile::save(dir.file("high.jpg"), source, high));
    EXPECT_LT(fs::file_size(dir.path() / "low.jpg") * 2, fs::file_size(dir.path() / "high.jpg"));
}
