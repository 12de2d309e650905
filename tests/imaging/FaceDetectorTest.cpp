// The face search on the sample portraits and on pictures made from them:
// several people, mirrored, enlarged, retouched. The labelled faces were
// measured by hand on the photographs (cheek to cheek at eye height, brows
// to chin), never taken from the detector.
#include "FaceDetector.h"
#include "ImageFile.h"
#include "Picture24.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

namespace {

struct Label
{
    double cx, cy, width;
};

// Hand measurements on the shipped photographs.
constexpr Label kHopper{261, 250, 192};    // Modelo.JPG, 512 x 600
constexpr Label kCollins{227, 128, 86};    // Cliente 2, 512 x 512

Picture24 loadPhoto(const char *name)
{
    Picture24 p;
    const std::string path = std::string(QUENDA_TEST_PHOTOS) + "/" + name;
    const ImageStatus status = ImageFile::load(path, p);
    EXPECT_TRUE(bool(status)) << path << ": " << status.message;
    return p;
}

// Nearest-neighbour copy of `src` scaled by `scale` into `dst` at (x, y).
void paste(const Picture24 &src, double scale, Picture24 &dst, int x0, int y0, bool mirror = false)
{
    const int w = int(std::lround(src.width() * scale));
    const int h = int(std::lround(src.height() * scale));
    for (int y = 0; y < h && y0 + y < dst.height(); ++y)
        for (int x = 0; x < w && x0 + x < dst.width(); ++x) {
            int sx = std::min(src.width() - 1, int(x / scale));
            if (mirror)
                sx = src.width() - 1 - sx;
            const int sy = std::min(src.height() - 1, int(y / scale));
            dst.setPixel(x0 + x, y0 + y, src.pixel(sx, sy));
        }
}

void expectNear(const char *what, const FaceFound &f, const Label &want)
{
    const double dc = std::hypot(f.face.centerX() - want.cx, f.face.centerY() - want.cy);
    const double dw = std::abs(f.face.width - want.width);
    std::printf("[ figures  ] %-28s centre off by %5.1f px = %4.1f %% of face width, width off by %4.1f %%%s\n",
                what, dc, 100 * dc / want.width, 100 * dw / want.width, f.eyesFound ? " (eyes)" : "");
    EXPECT_LE(dc, 0.08 * want.width) << what;
    EXPECT_LE(dw, 0.15 * want.width) << what;
}

class FaceDetectorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!FaceDetector::Available())
            GTEST_FAIL() << "face cascades missing (opencv-data)";
    }
};

TEST_F(FaceDetectorTest, FindsTheFaceOnEachSamplePortrait)
{
    const Picture24 hopper = loadPhoto("grace_hopper.jpg");
    const auto a = FaceDetector::Detect(hopper);
    ASSERT_TRUE(a.has_value());
    expectNear("Modelo.JPG", *a, kHopper);

    const Picture24 collins = loadPhoto("astronaut_eileen_collins.png");
    const auto b = FaceDetector::Detect(collins);
    ASSERT_TRUE(b.has_value());
    expectNear("Cliente 2.png", *b, kCollins);
}

TEST_F(FaceDetectorTest, SeveralPeopleGiveTheLargestFace)
{
    const Picture24 hopper = loadPhoto("grace_hopper.jpg");
    const Picture24 collins = loadPhoto("astronaut_eileen_collins.png");
    // Two clients side by side, the second one further away.
    Picture24 group(1200, 640);
    group.fill(200, 200, 200);
    paste(collins, 0.9, group, 20, 60);
    paste(hopper, 1.0, group, 620, 20);
    const auto f = FaceDetector::Detect(group);
    ASSERT_TRUE(f.has_value());
    expectNear("group, larger on the right", *f, {620 + kHopper.cx, 20 + kHopper.cy, kHopper.width});

    // The same with the astronaut larger.
    Picture24 group2(1200, 900);
    group2.fill(90, 90, 90);
    paste(hopper, 0.6, group2, 40, 200);
    paste(collins, 1.6, group2, 380, 40);
    const auto g = FaceDetector::Detect(group2);
    ASSERT_TRUE(g.has_value());
    expectNear("group, larger on the left", *g,
               {380 + 1.6 * kCollins.cx, 40 + 1.6 * kCollins.cy, 1.6 * kCollins.width});
}

TEST_F(FaceDetectorTest, MirroredAndEnlargedPhotos)
{
    const Picture24 hopper = loadPhoto("grace_hopper.jpg");
    Picture24 mirrored(hopper.width(), hopper.height());
    paste(hopper, 1.0, mirrored, 0, 0, true);
    const auto m = FaceDetector::Detect(mirrored);
    ASSERT_TRUE(m.has_value());
    expectNear("Modelo.JPG mirrored", *m, {hopper.width() - kHopper.cx, kHopper.cy, kHopper.width});

    // A phone-sized picture: the search runs on a reduced copy, the result
    // comes back in the photo's own pixels.
    const Picture24 collins = loadPhoto("astronaut_eileen_collins.png");
    Picture24 big(4000, 3000);
    big.fill(180, 170, 160);
    paste(collins, 5.5, big, 600, 100);
    const auto b = FaceDetector::Detect(big);
    ASSERT_TRUE(b.has_value());
    expectNear("Cliente 2 at 12 MP", *b, {600 + 5.5 * kCollins.cx, 100 + 5.5 * kCollins.cy, 5.5 * kCollins.width});
}

TEST_F(FaceDetectorTest, NoFaceInPlainOrTinyPictures)
{
    Picture24 plain(800, 600);
    plain.fill(120, 140, 160);
    EXPECT_FALSE(FaceDetector::Detect(plain).has_value());
    EXPECT_FALSE(FaceDetector::Detect(Picture24(10, 10)).has_value());
    EXPECT_FALSE(FaceDetector::Detect(Picture24()).has_value());
    Picture24 thin(5000, 3);
    EXPECT_FALSE(FaceDetector::Detect(thin).has_value());
}

TEST(FaceCacheTest, SearchesOncePerFileAndPicture)
{
    FaceCache::Clear();
    const Picture24 hopper = loadPhoto("grace_hopper.jpg");
    const int before = FaceCache::SearchCount();
    const auto a = FaceCache::Find("/salon/Modelo.JPG", hopper);
    const auto b = FaceCache::Find("/salon/Modelo.JPG", hopper);
    EXPECT_EQ(FaceCache::SearchCount(), before + 1);
    ASSERT_EQ(a.has_value(), b.has_value());
    if (a) {
        EXPECT_EQ(a->face, b->face);
    }

    // A retouched photo (one pixel) is searched again, and so is the same
    // picture under another file name.
    Picture24 retouched = hopper;
    retouched.setPixel(10, 10, 0x123456);
    FaceCache::Find("/salon/Modelo.JPG", retouched);
    EXPECT_EQ(FaceCache::SearchCount(), before + 2);
    FaceCache::Find("/salon/Temp1.BMP", hopper);
    EXPECT_EQ(FaceCache::SearchCount(), before + 3);
    // The first one is still remembered.
    FaceCache::Find("/salon/Modelo.JPG", hopper);
    EXPECT_EQ(FaceCache::SearchCount(), before + 3);
}

TEST(FaceFingerprintTest, EveryByteCounts)
{
    Picture24 p(37, 5);
    p.fill(1, 2, 3);
    const auto base = FaceDetector::Fingerprint(p);
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x) {
            Picture24 q = p;
            q.setPixel(x, y, 0x010204);
            EXPECT_NE(FaceDetector::Fingerprint(q), base) << x << "," << y;
        }
    // Same bytes, other shape.
    Picture24 wide(74, 5);
    EXPECT_NE(FaceDetector::Fingerprint(wide), FaceDetector::Fingerprint(Picture24(37, 10)));
}

} // namespace
