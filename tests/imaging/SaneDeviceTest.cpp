#include "SaneDevice.h"
#include "SaneTestBackend.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <set>
#include <thread>

// These tests scan for real through the library's "test" backend: two
// virtual devices whose pictures (solid, colour pattern, grid) and quirks
// (three-pass, hand-scanner, padding, slow or failing reads) are known.

namespace {
class SaneDeviceTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { ASSERT_FALSE(UseSaneTestBackend().empty()); }

    void open(const std::string &name = "test:0")
    {
        const ImageStatus s = device.open(name);
        ASSERT_TRUE(s) << s.message << " / " << s.detail;
    }
    void set(const std::string &option, const std::string &value)
    {
        const ImageStatus s = device.setStringOption(option, value);
        ASSERT_TRUE(s) << option << ": " << s.detail;
    }
    void set(const std::string &option, bool value)
    {
        const ImageStatus s = device.setBoolOption(option, value);
        ASSERT_TRUE(s) << option << ": " << s.detail;
    }
    void setNumber(const std::string &option, double value)
    {
        const ImageStatus s = device.setNumberOption(option, value);
        ASSERT_TRUE(s) << option << ": " << s.detail;
    }
    Picture24 scan()
    {
        Picture24 out;
        const ImageStatus s = device.acquire(out);
        EXPECT_TRUE(s) << s.message << " / " << s.detail;
        return out;
    }

    SaneDevice device;
};

bool allPixels(const Picture24 &p, std::uint32_t rgb)
{
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x)
            if (p.pixel(x, y) != rgb)
                return false;
    return true;
}

std::set<std::uint32_t> colours(const Picture24 &p)
{
    std::set<std::uint32_t> seen;
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x)
            seen.insert(p.pixel(x, y));
    return seen;
}

// The left `width` columns of a picture.
Picture24 leftPart(const Picture24 &p, int width)
{
    Picture24 out(width, p.height());
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < width; ++x)
            out.setPixel(x, y, p.pixel(x, y));
    return out;
}
} // namespace

TEST_F(SaneDeviceTest, ListsBothVirtualDevices)
{
    std::vector<SaneDevice::Info> devices;
    ASSERT_TRUE(SaneDevice::listDevices(devices));
    std::set<std::string> names;
    for (const auto &d : devices) {
        names.insert(d.name);
        EXPECT_FALSE(d.vendor.empty());
        EXPECT_FALSE(d.type.empty());
    }
    EXPECT_TRUE(names.count("test:0"));
    EXPECT_TRUE(names.count("test:1"));
}

TEST_F(SaneDeviceTest, EmptyNameOpensTheFirstListedDevice)
{
    std::vector<SaneDevice::Info> devices;
    ASSERT_TRUE(SaneDevice::listDevices(devices));
    ASSERT_FALSE(devices.empty());
    open("");
    EXPECT_EQ(device.name(), devices.front().name);
}

TEST_F(SaneDeviceTest, UnknownDevicesFailCleanlyAndLeaveNothingOpen)
{
    for (const char *name : {"test:9", "nosuchbackend:0", "nosuchbackend"}) {
        const ImageStatus s = device.open(name);
        EXPECT_FALSE(s) << name;
        EXPECT_EQ(s.message, SaneDevice::kUnknownDevice) << name << " / " << s.detail;
        EXPECT_NE(s.detail.find(name), std::string::npos) << s.detail;
        EXPECT_FALSE(device.isOpen());
    }
    Picture24 out;
    EXPECT_EQ(device.acquire(out).message, SaneDevice::kNotOpen);
    EXPECT_EQ(device.setStringOption("mode", "Color").message, SaneDevice::kNotOpen);
}

TEST_F(SaneDeviceTest, ColourPictureHasTheAnnouncedSizeAtTheAskedResolution)
{
    open();
    ASSERT_TRUE(device.prepareColourPicture(150));
    set("test-picture", std::string("Color pattern"));
    std::string mode;
    ASSERT_TRUE(device.optionValue("mode", mode));
    EXPECT_EQ(mode, "Color");
    int width = 0, height = 0;
    ASSERT_TRUE(device.announcedSize(width, height));
    // The default scan area is 80 x 100 mm.
    EXPECT_NEAR(width, 80 / 25.4 * 150, 1.5);
    EXPECT_NEAR(height, 100 / 25.4 * 150, 1.5);

    const Picture24 p = scan();
    EXPECT_EQ(p.width(), width);
    EXPECT_EQ(p.height(), height);
    const auto seen = colours(p);
    EXPECT_GT(seen.size(), 4u);
    const bool someColour = std::any_of(seen.begin(), seen.end(), [](std::uint32_t c) {
        return ((c >> 16) & 0xFF) != ((c >> 8) & 0xFF) || ((c >> 8) & 0xFF) != (c & 0xFF);
    });
    EXPECT_TRUE(someColour);
}

TEST_F(SaneDeviceTest, GreyModeGivesGreyPixelsOnly)
{
    open();
    set("mode", std::string("Gray"));
    setNumber("resolution", 60);
    set("test-picture", std::string("Color pattern"));
    const Picture24 p = scan();
    ASSERT_FALSE(p.isNull());
    const auto seen = colours(p);
    EXPECT_GT(seen.size(), 2u);
    for (std::uint32_t c : seen)
        EXPECT_TRUE(((c >> 16) & 0xFF) == (c & 0xFF) && ((c >> 8) & 0xFF) == (c & 0xFF)) << std::hex << c;
}

// Solid white and black at every depth, single and three-pass: the sample
// conventions (line art inverted, 16-bit high byte) must give the same
// white and black.
TEST_F(SaneDeviceTest, SolidPicturesAtEveryDepthAndPassCount)
{
    open();
    setNumber("resolution", 20);
    struct Case { const char *mode; int depth; bool threePass; };
    const Case cases[] = {{"Gray", 1, false}, {"Gray", 8, false}, {"Gray", 16, false},
                          {"Color", 1, false}, {"Color", 8, false}, {"Color", 16, false},
                          {"Color", 8, true}, {"Color", 16, true}};
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.mode) + " " + std::to_string(c.depth) + (c.threePass ? " three-pass" : ""));
        set("mode", std::string(c.mode));
        setNumber("depth", c.depth);
        if (std::string(c.mode) == "Color")
            set("three-pass", c.threePass);
        for (const auto &[picture, rgb] : {std::pair{"Solid white", 0xFFFFFFu}, std::pair{"Solid black", 0u}}) {
            set("test-picture", std::string(picture));
            const Picture24 p = scan();
            ASSERT_FALSE(p.isNull());
            EXPECT_TRUE(allPixels(p, rgb)) << picture << " first pixel " << std::hex << p.pixel(0, 0);
        }
    }
}

TEST_F(SaneDeviceTest, ThreePassGivesTheSamePictureAsOnePass)
{
    open();
    ASSERT_TRUE(device.prepareColourPicture(40));
    set("test-picture", std::string("Color pattern"));
    for (int depth : {8, 16}) {
        setNumber("depth", depth);
        set("three-pass", false);
        const Picture24 reference = scan();
        ASSERT_GT(colours(reference).size(), 4u);
        set("three-pass", true);
        for (const char *order : {"RGB", "BGR", "GRB"}) {
            set("three-pass-order", std::string(order));
            EXPECT_TRUE(scan() == reference) << order << " at " << depth << " bits";
        }
    }
}

// At 16 bits the colour pattern's high byte runs with x and its low byte
// with y; the byte-swapping option turns that round. Reading the wrong byte
// would show the ramp in the wrong direction.
TEST_F(SaneDeviceTest, SixteenBitSamplesAreReadInTheMachinesByteOrder)
{
    open();
    ASSERT_TRUE(device.prepareColourPicture(40));
    set("test-picture", std::string("Color pattern"));
    setNumber("depth", 16);
    auto red = [](const Picture24 &p, int x, int y) { return int(p.pixel(x, y) >> 16); };
    auto rampsAlongRows = [&](const Picture24 &p) {
        const int y = p.height() / 2, x0 = p.width() / 4, x1 = 3 * p.width() / 4;
        for (int x = x0; x < x1; ++x)
            if (red(p, x + 1, y) < red(p, x, y))
                return false;
        return red(p, x1, y) > red(p, x0, y) + 16;
    };
    auto constantDownColumns = [&](const Picture24 &p) {
        const int x = p.width() / 2;
        for (int y = p.height() / 4; y < 3 * p.height() / 4; ++y)
            if (red(p, x, y) != red(p, x, p.height() / 4))
                return false;
        return true;
    };
    const Picture24 native = scan();
    EXPECT_TRUE(rampsAlongRows(native));
    EXPECT_TRUE(constantDownColumns(native));
    set("invert-endianess", true);
    const Picture24 swapped = scan();
    EXPECT_FALSE(rampsAlongRows(swapped));
    EXPECT_FALSE(constantDownColumns(swapped));
}

TEST_F(SaneDeviceTest, HandScannerWithUnknownHeightStillGivesAPicture)
{
    open();
    ASSERT_TRUE(device.prepareColourPicture(30));
    set("hand-scanner", true);
    set("test-picture", std::string("Grid"));
    int width = 0, height = 0;
    ASSERT_TRUE(device.announcedSize(width, height));
    EXPECT_EQ(height, -1);
    const Picture24 p = scan();
    // A hand scanner is 11 cm wide.
    EXPECT_NEAR(p.width(), 110 / 25.4 * 30, 1.5);
    EXPECT_GT(p.height(), 10);
    EXPECT_EQ(colours(p), (std::set<std::uint32_t>{0x000000u, 0xFFFFFFu}));
}

TEST_F(SaneDeviceTest, PaddedLinesAndTinyReadsDoNotShiftPixels)
{
    open();
    ASSERT_TRUE(device.prepareColourPicture(50));
    set("test-picture", std::string("Color pattern"));
    const Picture24 reference = scan();

    set("read-limit", true);
    setNumber("read-limit-size", 7);
    EXPECT_TRUE(scan() == reference);
    set("read-limit", false);

    // Pixels wasted at the end of each line: a narrower picture of the same rows.
    setNumber("ppl-loss", 5);
    const Picture24 lossy = scan();
    ASSERT_EQ(lossy.height(), reference.height());
    ASSERT_EQ(lossy.width(), reference.width() - 5);
    EXPECT_TRUE(lossy == leftPart(reference, lossy.width()));
}

TEST_F(SaneDeviceTest, ReadErrorsAreReportedWithTheLibraryText)
{
    open();
    ASSERT_TRUE(device.prepareColourPicture(30));
    Picture24 out(3, 3);
    const Picture24 before = out;

    set("read-return-value", std::string("SANE_STATUS_JAMMED"));
    ImageStatus s = device.acquire(out);
    EXPECT_FALSE(s);
    EXPECT_EQ(s.message, SaneDevice::kScanFailed);
    EXPECT_NE(s.detail.find("jam"), std::string::npos) << s.detail;
    EXPECT_TRUE(out == before);

    set("read-return-value", std::string("SANE_STATUS_CANCELLED"));
    s = device.acquire(out);
    EXPECT_EQ(s.message, SaneDevice::kCancelled);

    // The device recovers for the next scan.
    set("read-return-value", std::string("Default"));
    EXPECT_FALSE(scan().isNull());
}

TEST_F(SaneDeviceTest, CancelStopsASlowScanAndTheDeviceScansAgainAfterwards)
{
    open();
    ASSERT_TRUE(device.prepareColourPicture(100));
    set("read-limit", true);
    setNumber("read-limit-size", 1024);
    set("read-delay", true);
    setNumber("read-delay-duration", 200000);
    // ~370 kB, the backend pausing 0.2 s after each 64 kB: over a second
    // unless cancelled.
    std::atomic<bool> cancel{false};
    SaneDevice::Progress progress;
    Picture24 out(2, 2);
    const Picture24 before = out;
    ImageStatus result;
    const auto started = std::chrono::steady_clock::now();
    std::thread worker([&] { result = device.acquire(out, &cancel, &progress); });
    while (progress.bytesRead == 0 && std::chrono::steady_clock::now() - started < std::chrono::seconds(20))
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_GT(progress.bytesExpected.load(), 300'000);
    cancel = true;
    worker.join();
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(20));
    EXPECT_FALSE(result);
    EXPECT_EQ(result.message, SaneDevice::kCancelled);
    EXPECT_TRUE(out == before);
    EXPECT_LT(progress.bytesRead.load(), progress.bytesExpected.load());

    set("read-delay", false);
    set("read-limit", false);
    setNumber("resolution", 20);
    EXPECT_FALSE(scan().isNull());

    // A flag already set stops before the scan begins.
    cancel = true;
    EXPECT_EQ(device.acquire(out, &cancel).message, SaneDevice::kCancelled);
}

TEST_F(SaneDeviceTest, OptionsMatchListsWithoutCaseAndKeepToTheirRanges)
{
    open();
    set("mode", std::string("color"));
    std::string value;
    ASSERT_TRUE(device.optionValue("mode", value));
    EXPECT_EQ(value, "Color");

    EXPECT_EQ(device.setStringOption("mode", "Sepia").message, SaneDevice::kBadValue);
    EXPECT_EQ(device.setStringOption("no-such-option", "x").message, SaneDevice::kNoOption);
    EXPECT_EQ(device.setBoolOption("mode", true).message, SaneDevice::kBadValue);

    setNumber("resolution", 5000);
    ASSERT_TRUE(device.optionValue("resolution", value));
    EXPECT_EQ(value, "1200");
    setNumber("resolution", 0.2);
    ASSERT_TRUE(device.optionValue("resolution", value));
    EXPECT_EQ(value, "1");
    // A word list: the nearest depth.
    setNumber("depth", 11);
    ASSERT_TRUE(device.optionValue("depth", value));
    EXPECT_EQ(value, "8");

    // Three-pass exists only in colour mode.
    set("mode", std::string("Gray"));
    EXPECT_FALSE(device.hasOption("three-pass"));
    EXPECT_EQ(device.setBoolOption("three-pass", true).message, SaneDevice::kNoOption);
    set("mode", std::string("Color"));
    EXPECT_TRUE(device.hasOption("three-pass"));
}

TEST_F(SaneDeviceTest, SessionsNestAndTheLibraryComesBackAfterTheLast)
{
    {
        SaneDevice::Session outer;
        ASSERT_TRUE(outer.ok());
        {
            SaneDevice::Session inner;
            ASSERT_TRUE(inner.ok());
        }
        std::vector<SaneDevice::Info> devices;
        EXPECT_TRUE(SaneDevice::listDevices(devices));
        EXPECT_FALSE(devices.empty());
    }
    std::vector<SaneDevice::Info> devices;
    EXPECT_TRUE(SaneDevice::listDevices(devices));
    EXPECT_GE(devices.size(), 2u);
}
