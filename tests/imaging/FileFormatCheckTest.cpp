#include "FileFormatCheck.h"
#include "ImageFormat.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

class FileFormatCheckTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("quenda-formatcheck-" + std::to_string(::getpid()));
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string write(const std::string &name, const std::vector<std::uint8_t> &bytes)
    {
        const fs::path p = m_dir / name;
        std::ofstream out(p, std::ios::binary);
        out.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return p.string();
    }

    fs::path m_dir;
};

std::vector<std::uint8_t> padded(std::vector<std::uint8_t> head, std::size_t size = 128)
{
    head.resize(std::max(size, head.size()), 0);
    return head;
}

std::vector<std::uint8_t> pcxHeader()
{
    std::vector<std::uint8_t> h(128, 0);
    h[0] = 0x0A;
    h[1] = 5;
    h[2] = 1;
    h[3] = 8;
    h[8] = 9;  // xmax
    h[10] = 9; // ymax
    h[65] = 3;
    h[66] = 10;
    return h;
}

std::vector<std::uint8_t> emfHeader()
{
    std::vector<std::uint8_t> h(88, 0);
    h[0] = 1;
    h[40] = ' ';
    h[41] = 'E';
    h[42] = 'M';
    h[43] = 'F';
    return h;
}

struct Sample
{
    const char *name;
    std::vector<std::uint8_t> bytes;
    ImageFormat format;
};

std::vector<Sample> samples()
{
    return {
        {"a.bmp", padded({'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 40}), ImageFormat::Bmp},
        {"core.dib", padded({'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 12}), ImageFormat::Bmp},
        {"v5.bmp", padded({'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 124}), ImageFormat::Bmp},
        {"a.jpg", padded({0xFF, 0xD8, 0xFF, 0xE0}), ImageFormat::Jpeg},
        {"a.jpeg", padded({0xFF, 0xD8, 0xFF, 0xDB}), ImageFormat::Jpeg},
        {"a.png", padded({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}), ImageFormat::Png},
        {"a.gif", padded({'G', 'I', 'F', '8', '7', 'a'}), ImageFormat::Gif},
        {"b.gif", padded({'G', 'I', 'F', '8', '9', 'a'}), ImageFormat::Gif},
        {"a.tif", padded({'I', 'I', '*', 0}), ImageFormat::Tiff},
        {"a.tiff", padded({'M', 'M', 0, '*'}), ImageFormat::Tiff},
        {"a.pcx", pcxHeader(), ImageFormat::Pcx},
        {"a.ico", padded({0, 0, 1, 0, 1, 0}), ImageFormat::Ico},
        {"a.cur", padded({0, 0, 2, 0, 3, 0}), ImageFormat::Cur},
        {"a.wmf", padded({0xD7, 0xCD, 0xC6, 0x9A}), ImageFormat::Wmf},
        {"b.wmf", padded({1, 0, 9, 0, 0, 3}), ImageFormat::Wmf},
        {"a.emf", emfHeader(), ImageFormat::Emf},
    };
}

} // namespace

TEST_F(FileFormatCheckTest, EachFormatIsRecognisedWithAndWithoutTheExtensionCheck)
{
    for (const Sample &s : samples()) {
        SCOPED_TRACE(s.name);
        const std::string path = write(s.name, s.bytes);
        EXPECT_EQ(FileFormatCheck::check(path, true), s.format);
        EXPECT_EQ(FileFormatCheck::check(path, false), s.format);
        EXPECT_EQ(FileFormatCheck::checkBytes(s.bytes.data(), s.bytes.size()), s.format);
    }
}

TEST_F(FileFormatCheckTest, LyingExtensionIsRejectedOnlyWhenChecked)
{
    const std::string path = write("photo.jpg", padded({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}));
    EXPECT_EQ(FileFormatCheck::check(path, true), ImageFormat::Unknown);
    EXPECT_EQ(FileFormatCheck::check(path, false), ImageFormat::Png);

    // Icons and cursors share a decoder but not a registration.
    const std::string icon = write("pointer.cur", padded({0, 0, 1, 0, 1, 0}));
    EXPECT_EQ(FileFormatCheck::check(icon, true), ImageFormat::Unknown);
    EXPECT_EQ(FileFormatCheck::check(icon, false), ImageFormat::Ico);
}

TEST_F(FileFormatCheckTest, CatalogueNamesInUpperCase)
{
    const std::string path = write("1.GIF", padded({'G', 'I', 'F', '8', '9', 'a'}));
    EXPECT_EQ(FileFormatCheck::check(path, true), ImageFormat::Gif);
    const std::string jpeg = write("12.JPEG", padded({0xFF, 0xD8, 0xFF, 0xE1}));
    EXPECT_EQ(FileFormatCheck::check(jpeg, true), ImageFormat::Jpeg);
}

TEST_F(FileFormatCheckTest, NameWithoutRegisteredExtensionFailsTheCheck)
{
    const auto gif = padded({'G', 'I', 'F', '8', '9', 'a'});
    for (const char *name : {"noextension", "hair.txt", "dotted.gif.bak"}) {
        SCOPED_TRACE(name);
        const std::string path = write(name, gif);
        EXPECT_EQ(FileFormatCheck::check(path, true), ImageFormat::Unknown);
        EXPECT_EQ(FileFormatCheck::check(path, false), ImageFormat::Gif);
    }
}

TEST_F(FileFormatCheckTest, MissingEmptyShortAndUnknownFiles)
{
    EXPECT_EQ(FileFormatCheck::check((m_dir / "missing.gif").string(), true), ImageFormat::Unknown);
    EXPECT_EQ(FileFormatCheck::check((m_dir / "missing.gif").string(), false), ImageFormat::Unknown);
    EXPECT_EQ(FileFormatCheck::check(write("empty.gif", {}), false), ImageFormat::Unknown);
    EXPECT_EQ(FileFormatCheck::check(write("short.gif", {'G', 'I', 'F'}), false), ImageFormat::Unknown);
    EXPECT_EQ(FileFormatCheck::check(write("text.gif", padded({'h', 'e', 'l', 'l', 'o'})), false),
              ImageFormat::Unknown);
    EXPECT_EQ(FileFormatCheck::check(write("note.bmp", padded({'B', 'M', 'W', ' ', 'c', 'a', 'r'})), true),
              ImageFormat::Unknown);
    EXPECT_EQ(FileFormatCheck::check(m_dir.string(), false), ImageFormat::Unknown);
    // A PNG signature cut short is not a PNG.
    EXPECT_EQ(FileFormatCheck::check(write("cut.png", {0x89, 'P', 'N', 'G'}), true), ImageFormat::Unknown);
    // An icon directory with no images.
    EXPECT_EQ(FileFormatCheck::check(write("none.ico", padded({0, 0, 1, 0, 0, 0})), true),
              ImageFormat::Unknown);
}

TEST(FileFormatCheckBytes, PcxHeaderMustBePlausible)
{
    auto h = pcxHeader();
    EXPECT_EQ(FileFormatCheck::checkBytes(h.data(), h.size()), ImageFormat::Pcx);
    for (auto [offset, value] : {std::pair{1, 1}, {1, 6}, {2, 7}, {3, 3}, {3, 24}, {65, 0}, {65, 5}, {8, 0}}) {
        auto bad = pcxHeader();
        bad[offset] = static_cast<std::uint8_t>(value);
        if (offset == 8) // xmax below xmin
            bad[4] = 5;
        EXPECT_EQ(FileFormatCheck::checkBytes(bad.data(), bad.size()), ImageFormat::Unknown)
            << "offset " << offset << " value " << value;
    }
}

TEST(ImageFormatNames, EveryFormatHasItsShortName)
{
    const std::vector<std::pair<ImageFormat, std::string>> names{
        {ImageFormat::Unknown, "UNKNOWN"}, {ImageFormat::Bmp, "BMP"}, {ImageFormat::Jpeg, "JPEG"},
        {ImageFormat::Png, "PNG"},         {ImageFormat::Gif, "GIF"}, {ImageFormat::Tiff, "TIFF"},
        {ImageFormat::Pcx, "PCX"},         {ImageFormat::Ico, "ICO"}, {ImageFormat::Cur, "CUR"},
        {ImageFormat::Wmf, "WMF"},         {ImageFormat::Emf, "EMF"}, {ImageFormat::Avi, "AVI"},
    };
    for (const auto &[format, name] : names)
        EXPECT_EQ(imageFormatName(format), name);
    EXPECT_STREQ(imageFormatName(static_cast<ImageFormat>(99)), "UNKNOWN");
}

TEST(ImageFormatForPath, LastExtensionOfTheFileNameWithoutCase)
{
    EXPECT_EQ(imageFormatForPath("C:\\Quenda\\Quenda5\\Curtos e Claros\\1.GIF"), ImageFormat::Gif);
    EXPECT_EQ(imageFormatForPath("/salon/photo.JpEg"), ImageFormat::Jpeg);
    EXPECT_EQ(imageFormatForPath("photo.jpe"), ImageFormat::Jpeg);
    EXPECT_EQ(imageFormatForPath("photo.jpg"), ImageFormat::Jpeg);
    EXPECT_EQ(imageFormatForPath("scan.TIF"), ImageFormat::Tiff);
    EXPECT_EQ(imageFormatForPath("scan.tiff"), ImageFormat::Tiff);
    EXPECT_EQ(imageFormatForPath("Temp3.BMP"), ImageFormat::Bmp);
    EXPECT_EQ(imageFormatForPath("clip.dib"), ImageFormat::Bmp);
    EXPECT_EQ(imageFormatForPath("a.png"), ImageFormat::Png);
    EXPECT_EQ(imageFormatForPath("a.pcx"), ImageFormat::Pcx);
    EXPECT_EQ(imageFormatForPath("a.ico"), ImageFormat::Ico);
    EXPECT_EQ(imageFormatForPath("a.cur"), ImageFormat::Cur);
    EXPECT_EQ(imageFormatForPath("a.wmf"), ImageFormat::Wmf);
    EXPECT_EQ(imageFormatForPath("a.emf"), ImageFormat::Emf);
    EXPECT_EQ(imageFormatForPath("a.avi"), ImageFormat::Avi);
    EXPECT_EQ(imageFormatForPath("archive.png.gz"), ImageFormat::Unknown);
    EXPECT_EQ(imageFormatForPath("hair.gif.bmp"), ImageFormat::Bmp);
    // A dot in a folder name is no extension.
    EXPECT_EQ(imageFormatForPath("/photos.png/readme"), ImageFormat::Unknown);
    EXPECT_EQ(imageFormatForPath("C:\\fotos.jpg\\cliente"), ImageFormat::Unknown);
    EXPECT_EQ(imageFormatForPath("name."), ImageFormat::Unknown);
    EXPECT_EQ(imageFormatForPath(""), ImageFormat::Unknown);
    EXPECT_EQ(imageFormatForPath(".gif"), ImageFormat::Gif); // a hidden file named only by extension
    EXPECT_EQ(imageFormatForPath("a.jpgx"), ImageFormat::Unknown);
}
