// Reading a file the user named must never wait on it: anything but a
// regular file on an ordinary file system is refused before it is read.

#include "CodecTestPictures.h"
#include "FileFormatCheck.h"
#include "ImageFile.h"
#include "RegularFile.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

class RegularFileRead : public ::testing::Test
{
protected:
    // Every refusal leaves the caller's bytes as they were.
    void expectRefused(const std::string &path, const char *message)
    {
        std::vector<std::uint8_t> bytes{1, 2, 3};
        const ImageStatus status = RegularFile::read(path, RegularFile::kMaxImageBytes, bytes);
        EXPECT_FALSE(status) << path;
        EXPECT_EQ(status.message, message) << path;
        EXPECT_EQ(bytes, (std::vector<std::uint8_t>{1, 2, 3})) << path;
        std::uint8_t head[16] = {};
        EXPECT_EQ(RegularFile::readHead(path, head, sizeof head), 0u) << path;
        Picture24 picture;
        EXPECT_FALSE(ImageFile::load(path, picture)) << path;
        EXPECT_EQ(FileFormatCheck::check(path, false), ImageFormat::Unknown) << path;
    }

    ScopedTempDir m_dir;
};

TEST_F(RegularFileRead, FifoWithoutWriterIsRefusedAtOnce)
{
    // A plain open() of this would wait for a writer forever.
    const auto fifo = m_dir.path() / "photo.jpg";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    expectRefused(fifo.string(), ImageMessages::kUnreadable);
}

TEST_F(RegularFileRead, CharacterDevicesAreRefused)
{
    // One never ends, one never gives a byte; neither is opened.
    expectRefused("/dev/zero", ImageMessages::kUnreadable);
    expectRefused("/dev/null", ImageMessages::kUnreadable);
}

TEST_F(RegularFileRead, ProcFilesAreRefusedThoughTheyLookRegular)
{
    struct stat info = {};
    ASSERT_EQ(::stat("/proc/self/status", &info), 0);
    ASSERT_TRUE(S_ISREG(info.st_mode));
    expectRefused("/proc/self/status", ImageMessages::kUnreadable);
    // Readable by root only, and a read blocks until the kernel logs again.
    if (::access("/proc/kmsg", R_OK) == 0)
        expectRefused("/proc/kmsg", ImageMessages::kUnreadable);
}

TEST_F(RegularFileRead, SocketsAndFoldersAreRefused)
{
    const auto socketPath = m_dir.path() / "s.png";
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    ASSERT_LT(socketPath.string().size(), sizeof address.sun_path);
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socketPath.c_str());
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
    expectRefused(socketPath.string(), ImageMessages::kUnreadable);
    ::close(fd);
    expectRefused(m_dir.path().string(), ImageMessages::kUnreadable);
}

TEST_F(RegularFileRead, MissingEmptyAndOversizedFiles)
{
    expectRefused((m_dir.path() / "none.png").string(), ImageMessages::kNotFound);
    expectRefused((m_dir.path() / "none" / "deeper.png").string(), ImageMessages::kNotFound);
    const auto empty = m_dir.path() / "empty.png";
    CodecTestPictures::writeFile(empty, {});
    std::vector<std::uint8_t> bytes;
    EXPECT_EQ(RegularFile::read(empty.string(), 100, bytes).message, ImageMessages::kEmpty);

    const auto file = m_dir.path() / "ten.bin";
    CodecTestPictures::writeFile(file, std::vector<std::uint8_t>(10, 7));
    EXPECT_EQ(RegularFile::read(file.string(), 9, bytes).message, ImageMessages::kTooLarge);
    EXPECT_TRUE(bytes.empty());
    ASSERT_TRUE(RegularFile::read(file.string(), 10, bytes));
    EXPECT_EQ(bytes, std::vector<std::uint8_t>(10, 7));

    // A photo larger than a caller's cap is refused, not read in part.
    Picture24 picture(8, 8);
    std::vector<std::uint8_t> bmp;
    ASSERT_TRUE(ImageFile::encode(picture, ImageFormat::Bmp, {}, bmp));
    const auto photo = m_dir.path() / "photo.bmp";
    CodecTestPictures::writeFile(photo, bmp);
    LoadOptions small;
    small.maxFileBytes = bmp.size() - 1;
    Picture24 out;
    EXPECT_EQ(ImageFile::load(photo.string(), out, small).message, ImageMessages::kTooLarge);
    EXPECT_TRUE(out.isNull());
    small.maxFileBytes = bmp.size();
    EXPECT_TRUE(ImageFile::load(photo.string(), out, small));
}

TEST_F(RegularFileRead, HeadOfARegularFileAndASymlinkToIt)
{
    const auto file = m_dir.path() / "a.gif";
    CodecTestPictures::writeFile(file, {'G', 'I', 'F', '8', '9', 'a'});
    std::uint8_t head[4] = {};
    ASSERT_EQ(RegularFile::readHead(file.string(), head, sizeof head), 4u);
    EXPECT_EQ(head[0], 'G');
    const auto link = m_dir.path() / "link.gif";
    std::filesystem::create_symlink(file, link);
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(RegularFile::read(link.string(), 100, bytes));
    EXPECT_EQ(bytes.size(), 6u);
    // A link to a device is refused like the device.
    const auto devLink = m_dir.path() / "zero.gif";
    std::filesystem::create_symlink("/dev/zero", devLink);
    expectRefused(devLink.string(), ImageMessages::kUnreadable);
}

} // namespace
