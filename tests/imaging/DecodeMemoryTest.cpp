// Forged lengths in tiny files must not make a decoder reserve more than the
// picture needs. Each file is loaded by a helper process that records its
// largest memory request, under an address-space limit so that a regression
// fails here instead of taking the machine's memory.

#include "CodecTestPictures.h"
#include "ImageFile.h"

#include <algorithm>
#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr rlim_t kAddressSpace = rlim_t(768) << 20;

struct ProbeResult
{
    long long largest = -2;
    std::string status;
};

ProbeResult probe(const std::filesystem::path &file)
{
    int out[2];
    if (::pipe(out) != 0)
        return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::close(out[0]);
        ::close(out[1]);
        const rlimit limit = {kAddressSpace, kAddressSpace};
        ::setrlimit(RLIMIT_AS, &limit);
        ::execl(QUENDA_DECODE_MEMORY_PROBE, QUENDA_DECODE_MEMORY_PROBE, file.c_str(), static_cast<char *>(nullptr));
        ::_exit(127);
    }
    ::close(out[1]);
    std::string text;
    char buffer[256];
    for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, std::size_t(n));
    ::close(out[0]);
    int wstatus = 0;
    ::waitpid(child, &wstatus, 0);
    ProbeResult result;
    char status[32] = {};
    if (std::sscanf(text.c_str(), "largest %lld status %31s", &result.largest, status) == 2)
        result.status = status;
    return result;
}

std::vector<std::uint8_t> fromBase64(const std::string &text)
{
    static const std::string digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::vector<std::uint8_t> bytes;
    unsigned bits = 0;
    int count = 0;
    for (char c : text) {
        const std::size_t v = digits.find(c);
        if (v == std::string::npos)
            continue;
        bits = (bits << 6) | unsigned(v);
        count += 6;
        if (count >= 8) {
            count -= 8;
            bytes.push_back(std::uint8_t(bits >> count));
        }
    }
    return bytes;
}

// 256 x 256 palette picture whose tEXt chunk declares almost 2 GB.
const std::vector<std::uint8_t> &forgedPng()
{
    static const std::vector<std::uint8_t> bytes = fromBase64(
        "iVBORw0KGgoAAAANSUhEUgAAAQAAAAEAAQMAAABmvDolAAAAIGNIUk0AAHomAACAhIMAAPoAAACA6AAAdTAAAAJTAAAAWyV0RVh0ZG"
        "F0ZTpjdEVYdGQAAAC+DSFCYII=");
    return bytes;
}

void put32(std::vector<std::uint8_t> &b, std::size_t at, std::uint32_t v, bool bigEndian)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = std::uint8_t(bigEndian ? v >> (24 - 8 * i) : v >> (8 * i));
}

std::vector<std::uint8_t> iconAround(const std::vector<std::uint8_t> &payload)
{
    constexpr std::size_t kHeaders = 6 + 16;
    std::vector<std::uint8_t> ico(kHeaders + payload.size(), 0);
    ico[2] = 1; // icon
    ico[4] = 1; // one image
    put32(ico, 6 + 8, std::uint32_t(payload.size()), false);
    put32(ico, 6 + 12, std::uint32_t(kHeaders), false);
    std::copy(payload.begin(), payload.end(), ico.begin() + kHeaders);
    return ico;
}

class DecodeMemory : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const ProbeResult check = probe("/nonexistent");
        if (check.largest < 0)
            GTEST_SKIP() << "allocation probe unavailable in this build (sanitizers own malloc)";
    }

    ProbeResult load(const std::string &name, const std::vector<std::uint8_t> &bytes)
    {
        const auto path = m_dir.path() / name;
        CodecTestPictures::writeFile(path, bytes);
        return probe(path);
    }

    ScopedTempDir m_dir;
};

constexpr long long kPictureBytes = 256LL * 256 * 3;
constexpr long long kSlack = 1LL << 20;

TEST_F(DecodeMemory, ForgedChunkLengthReservesNothingLarge)
{
    const ProbeResult plain = load("forged.png", forgedPng());
    EXPECT_EQ(plain.status, "failed");
    EXPECT_LE(plain.largest, kPictureBytes + kSlack);

    // The same length, small enough to be granted under the limit, must
    // still not be reserved.
    std::vector<std::uint8_t> moderate = forgedPng();
    put32(moderate, 0x4c, 100u << 20, true);
    const ProbeResult granted = load("moderate.png", moderate);
    EXPECT_EQ(granted.status, "failed");
    EXPECT_LE(granted.largest, kPictureBytes + kSlack);
}

TEST_F(DecodeMemory, ForgedPngInsideAnIconReservesNothingLarge)
{
    const ProbeResult result = load("forged.ico", iconAround(forgedPng()));
    EXPECT_EQ(result.status, "failed");
    EXPECT_LE(result.largest, kPictureBytes + kSlack);
}

TEST_F(DecodeMemory, ProbeSeesThePictureOfAGoodFile)
{
    // Keeps the limits above honest: a real 256 x 256 picture is decoded
    // under the same limit and its pixels show up in the measure.
    Picture24 picture(256, 256);
    std::vector<std::uint8_t> png;
    ASSERT_TRUE(ImageFile::encode(picture, ImageFormat::Png, {}, png));
    const ProbeResult result = load("good.png", png);
    EXPECT_EQ(result.status, "ok");
    EXPECT_GE(result.largest, kPictureBytes);
    EXPECT_LE(result.largest, kPictureBytes + kSlack);
}

// Found by fuzzing: 200 bytes of a sequential JPEG of 1537 x 63486 whose
// entropy data stops at once; every row would have been invented as grey.
TEST_F(DecodeMemory, JpegWhoseDataEndsInItsFirstRowsIsRefusedBeforeThePicture)
{
    const ProbeResult result = load(
        "short.jpg",
        fromBase64("/9j/4AAQSkZJRgABAQAAAQABAAD/2wBDAAgtWFhYWFhYWFhYWFhYWFhYWFhYWFhYWFhYWFhYWFhYWFhYWFhYWFhYWFgGBwYFC"
                   "AddNDQ0Hyc5PTgyPC4zNDL/2wBDAQkJCQsMDBgNDRgyIRwhMjIyMjIyMjItNjg1OTU5NDAxKzIyMjIyMjIyMjIyMjJyMjIyMjIy"
                   "MjIyMjIyMjIyMjL/wAARCAYB9/4DASMAAhEBAxEB+v/aAAwDAQACEQMRAD8A+f6KKKAP/9k="));
    EXPECT_EQ(result.status, "failed");
    // The library's own row buffers, a band of 1537-pixel rows; the picture
    // would have been 290 MB.
    EXPECT_LE(result.largest, 4 * kSlack);
}

// Found by fuzzing: 129 bytes of a valid GIF, a one-pixel frame on a screen
// of 8691 x 8619. The screen is the picture, so it is allocated, but nothing
// beyond it.
TEST_F(DecodeMemory, GifScreenCostsThePictureAndNoMore)
{
    const ProbeResult result = load(
        "screen.gif",
        fromBase64("R0lGOCEh8yGrISEhISEhISEhISEhISEhISEhISEhIUdJRjg3YQEAAQCAAAAAAAAAAAAsAAAAAAEAAQAAAgJEAQA7ISEhISEhId/aIS"
                   "EhISEhISEhISEhITshISEhISEhITdhAQB6AQCAAAAAAAAAAAAsAAAAAAEAAQAA/v27AQA7"));
    EXPECT_EQ(result.status, "ok");
    const long long picture = 8691LL * 8619 * 3;
    EXPECT_GE(result.largest, picture);
    EXPECT_LE(result.largest, picture + kSlack);
}

// Found by fuzzing: 214 bytes of an RLE4 bitmap of 1537 x 59631 whose
// stream stops long before the picture is complete.
TEST_F(DecodeMemory, RleBitmapThatStopsShortIsRefusedBeforeThePicture)
{
    const ProbeResult result = load(
        "short.bmp",
        fromBase64("Qk06AAAAAAIAADgAAAAoAAAAAQYAAO/oAAAAAAQAAgAAAAQmJiYmJiYzAAD//////////////////////////////////////////"
                   "/////////////////////////////////////////////////8AAEJNAQAAAAAZAAAyAAAAARPIADgAAAAoAAAAAQAAAO/oAAAAAAQ"
                   "AAgAAAAQmJiYmJiYzAAD///////8AAEJNAQAAAAAZAAAyAAAAARPIEgAQYQASABBhAAAC////AAAAGQAAMg=="));
    EXPECT_EQ(result.status, "failed");
    EXPECT_LE(result.largest, kSlack);
}

} // namespace
