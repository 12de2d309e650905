#include "CodecTestPictures.h"
#include "ImageFile.h"

#include <gtest/gtest.h>
#include <random>

// Every decoder behind ImageFile::decode, fed broken bytes: an error (or, for
// a cut that spares the pixels, a whole picture), never a crash, and the
// caller's picture as it was on every failure.
class MalformedInput : public ::testing::TestWithParam<ImageFormat>
{
protected:
    void SetUp() override
    {
        const Picture24 source = CodecTestPictures::photoLike(48, 40);
        ASSERT_TRUE(ImageFile::encode(source, GetParam(), {}, m_valid));
        Picture24 check;
        ASSERT_TRUE(ImageFile::decode(m_valid.data(), m_valid.size(), GetParam(), check));
        ASSERT_EQ(check.width(), 48);
    }

    // Decodes and checks the outcome is either a defined error with the
    // picture untouched, or a picture of the original size.
    void expectSafe(const std::vector<std::uint8_t> &bytes, std::size_t size, const std::string &what)
    {
        const Picture24 before = CodecTestPictures::quadrants(6, 4);
        Picture24 out = before;
        const ImageStatus status = ImageFile::decode(bytes.data(), size, GetParam(), out);
        if (status) {
            EXPECT_EQ(out.width(), 48) << what;
            EXPECT_EQ(out.height(), 40) << what;
        } else {
            EXPECT_FALSE(status.message.empty()) << what;
            EXPECT_EQ(out, before) << what;
        }
    }

    std::vector<std::uint8_t> m_valid;
};

TEST_P(MalformedInput, EmptyInputFails)
{
    Picture24 out(2, 2);
    const std::uint8_t nothing = 0;
    EXPECT_EQ(ImageFile::decode(&nothing, 0, GetParam(), out).message, ImageMessages::kEmpty);
    EXPECT_EQ(ImageFile::decode(nullptr, 10, GetParam(), out).message, ImageMessages::kEmpty);
    EXPECT_EQ(out.width(), 2);
}

TEST_P(MalformedInput, TruncatedAtManyOffsets)
{
    const std::size_t n = m_valid.size();
    for (std::size_t cut : {std::size_t(1), std::size_t(2), std::size_t(8), std::size_t(20), std::size_t(60),
                            n / 4, n / 2, n * 3 / 4, n - 16, n - 1})
        if (cut < n)
            expectSafe(m_valid, cut, "cut at " + std::to_string(cut));
}

TEST_P(MalformedInput, TruncatedPixelDataIsAnError)
{
    // Half the file is gone: no picture may come back from the codecs on
    // the system libraries. The in-house codecs keep their own policy.
    if (GetParam() == ImageFormat::Bmp || GetParam() == ImageFormat::Pcx)
        GTEST_SKIP() << "truncation policy belongs to the in-house codec";
    Picture24 out(3, 3);
    const Picture24 before = out;
    EXPECT_FALSE(ImageFile::decode(m_valid.data(), m_valid.size() / 2, GetParam(), out));
    EXPECT_EQ(out, before);
}

TEST_P(MalformedInput, WrongMagicFails)
{
    std::vector<std::uint8_t> bytes = m_valid;
    bytes[0] ^= 0xFF;
    bytes[1] ^= 0xFF;
    Picture24 out(3, 3);
    const Picture24 before = out;
    EXPECT_FALSE(ImageFile::decode(bytes.data(), bytes.size(), GetParam(), out));
    EXPECT_EQ(out, before);
}

TEST_P(MalformedInput, FlippedBytesNeverCrash)
{
    std::mt19937 random(1234);
    for (int round = 0; round < 150; ++round) {
        std::vector<std::uint8_t> bytes = m_valid;
        const int flips = 1 + round % 8;
        for (int i = 0; i < flips; ++i) {
            // Favour the headers, where sizes and offsets live.
            const std::size_t limit = round % 2 ? std::min<std::size_t>(bytes.size(), 128) : bytes.size();
            bytes[random() % limit] = std::uint8_t(random());
        }
        const Picture24 before = CodecTestPictures::quadrants(6, 4);
        Picture24 out = before;
        const ImageStatus status = ImageFile::decode(bytes.data(), bytes.size(), GetParam(), out);
        if (!status)
            ASSERT_EQ(out, before) << "round " << round;
        else
            ASSERT_TRUE(Picture24::sizeAcceptable(out.width(), out.height()));
    }
}

TEST_P(MalformedInput, RandomGarbageFails)
{
    std::mt19937 random(99);
    for (std::size_t size : {std::size_t(3), std::size_t(64), std::size_t(4096)}) {
        std::vector<std::uint8_t> bytes(size);
        for (auto &b : bytes)
            b = std::uint8_t(random());
        Picture24 out(3, 3);
        const Picture24 before = out;
        EXPECT_FALSE(ImageFile::decode(bytes.data(), bytes.size(), GetParam(), out)) << size;
        EXPECT_EQ(out, before);
    }
}

INSTANTIATE_TEST_SUITE_P(Decoders, MalformedInput,
                         ::testing::Values(ImageFormat::Jpeg, ImageFormat::Png, ImageFormat::Gif,
                                           ImageFormat::Tiff, ImageFormat::Bmp, ImageFormat::Pcx),
                         [](const auto &info) { return std::string(imageFormatName(info.param)); });

TEST(MalformedInput, UnsupportedFormatsFailClearly)
{
    const std::vector<std::uint8_t> bytes(64, 0x11);
    for (ImageFormat f : {ImageFormat::Wmf, ImageFormat::Emf, ImageFormat::Avi, ImageFormat::Unknown}) {
        Picture24 out(1, 1);
        EXPECT_EQ(ImageFile::decode(bytes.data(), bytes.size(), f, out).message, ImageMessages::kUnsupported);
        EXPECT_EQ(out.width(), 1);
    }
}
