// Soft edges, mask-weighted resampling and the full-resolution composition,
// measured the way a client would see them: on a uniform grey photo no
// trace of the key colour, a one-to-two-pixel edge, and strands that stay
// strands after a resize.
#include "HairSoftEdge.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <set>
#include <vector>

namespace {

constexpr std::uint32_t kKey = 0x00FF00; // a colour no hair or photo is near
constexpr std::uint32_t kGrey = 0x808080;
constexpr std::uint32_t kDark = 0x402010; // the hair's two colours
constexpr std::uint32_t kLight = 0xA06030;

int ch(std::uint32_t c, int i)
{
    return int((c >> (16 - 8 * i)) & 0xFF);
}

// A hair of two colours in vertical bands inside a disc, on the key.
Picture24 discHair(int w, int h)
{
    Picture24 p(w, h);
    const double cx = w / 2.0, cy = h / 2.0, r = std::min(w, h) / 2.0 - 2;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
            const bool in = dx * dx + dy * dy <= r * r;
            p.setPixel(x, y, !in ? kKey : ((x / 3) % 2 ? kLight : kDark));
        }
    return p;
}

Picture24 uniform(int w, int h, std::uint32_t c)
{
    Picture24 p(w, h);
    p.fill(std::uint8_t(c >> 16), std::uint8_t(c >> 8), std::uint8_t(c));
    return p;
}

// How far a pixel is from any mix of the photo grey with a mix of the two
// hair colours: 0 for a clean blend, large when the key took part.
double blendResidual(std::uint32_t p)
{
    double best = 1e9;
    for (int ti = 0; ti <= 100; ++ti) {
        const double t = ti / 100.0;
        double h[3], g[3], v[3], d[3];
        for (int i = 0; i < 3; ++i) {
            h[i] = ch(kDark, i) + t * (ch(kLight, i) - ch(kDark, i));
            g[i] = ch(kGrey, i);
            v[i] = ch(p, i);
            d[i] = h[i] - g[i];
        }
        const double dd = d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
        double a = dd > 0 ? ((v[0] - g[0]) * d[0] + (v[1] - g[1]) * d[1] + (v[2] - g[2]) * d[2]) / dd : 0;
        a = std::clamp(a, 0.0, 1.0);
        double e = 0;
        for (int i = 0; i < 3; ++i) {
            const double r = v[i] - (g[i] + a * d[i]);
            e += r * r;
        }
        best = std::min(best, std::sqrt(e));
    }
    return best;
}

bool isHairColour(std::uint32_t c)
{
    return c == kDark || c == kLight;
}

// How much of the hair a pixel shows, along the grey-to-hair line.
double hairShare(std::uint32_t p)
{
    double d[3], v[3];
    for (int i = 0; i < 3; ++i) {
        d[i] = (ch(kDark, i) + ch(kLight, i)) / 2.0 - ch(kGrey, i);
        v[i] = ch(p, i) - ch(kGrey, i);
    }
    return (v[0] * d[0] + v[1] * d[1] + v[2] * d[2]) / (d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
}

} // namespace

TEST(HairSoftEdge, CacheFeathersTheBoundaryOnlyAndNeverTakesTheKey)
{
    // Hair on the left half (one colour), key on the right.
    Picture24 p(8, 6);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x)
            p.setPixel(x, y, x < 4 ? kDark : kKey);
    std::vector<std::uint32_t> soft(8 * 6), hard(8 * 6);
    HairSoftEdge::SoftCache(p, kKey, soft.data(), 8);
    HairSoftEdge::HardCache(p, kKey, hard.data(), 8);
    for (int y = 0; y < 6; ++y) {
        const std::uint32_t *s = soft.data() + 8 * y;
        const std::uint32_t *h = hard.data() + 8 * y;
        EXPECT_EQ(h[3], 0xFF000000u | kDark);
        EXPECT_EQ(h[4], 0u);
        // Away from the boundary the soft form is the hard one.
        for (int x : {0, 1, 2, 5, 6, 7})
            EXPECT_EQ(s[x], h[x]) << x << "," << y;
        // Across it: three quarters, then one quarter of the hair's colour.
        EXPECT_EQ(s[3] >> 24, 191u);
        EXPECT_EQ(s[4] >> 24, 64u);
        EXPECT_EQ((s[4] >> 16) & 0xFF, (0x40u * 64 + 127) / 255);
        EXPECT_EQ((s[4] >> 8) & 0xFF, (0x20u * 64 + 127) / 255);
        EXPECT_EQ(s[4] & 0xFF, (0x10u * 64 + 127) / 255);
    }
}

TEST(HairSoftEdge, CacheOfAllKeyOrAllHairHasNoEdge)
{
    std::vector<std::uint32_t> out(5 * 4);
    HairSoftEdge::SoftCache(uniform(5, 4, kKey), kKey, out.data(), 5);
    EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](std::uint32_t v) { return v == 0; }));
    HairSoftEdge::SoftCache(uniform(5, 4, kDark), kKey, out.data(), 5);
    EXPECT_TRUE(
        std::all_of(out.begin(), out.end(), [](std::uint32_t v) { return v == (0xFF000000u | kDark); }));
    // One pixel wide and one pixel high pictures read past no end.
    std::vector<std::uint32_t> one(1);
    HairSoftEdge::SoftCache(uniform(1, 1, kKey), kKey, one.data(), 1);
    EXPECT_EQ(one[0], 0u);
}

TEST(HairSoftEdge, ComposedEdgeHasNoKeyAndGoesFromPhotoToHairInOneOrTwoPixels)
{
    const Picture24 hair = discHair(120, 160);
    for (double scale : {1.0, 0.37, 100.0 / 37}) {
        SCOPED_TRACE(scale);
        Picture24 photo = uniform(400, 500, kGrey);
        const int w = int(std::lround(120 * scale)), h = int(std::lround(160 * scale));
        HairSoftEdge::Compose(photo, hair, 30, 40, w, h);
        double worst = 0;
        int blended = 0;
        for (int y = 0; y < photo.height(); ++y)
            for (int x = 0; x < photo.width(); ++x) {
                const std::uint32_t c = photo.pixel(x, y);
                ASSERT_NE(c, kKey);
                if (c == kGrey || isHairColour(c))
                    continue;
                ++blended;
                worst = std::max(worst, blendResidual(c));
            }
        EXPECT_GT(blended, 0);
        EXPECT_LE(worst, 3.0);
        // Along the middle row, from the photo to the hair (whose bands
        // average out when reduced, hence a share rather than a colour).
        const int row = 40 + h / 2;
        int between = 0;
        for (int x = 30; x < 30 + w / 2; ++x) {
            const double share = hairShare(photo.pixel(x, row));
            if (share > 0.8)
                break;
            if (share > 0.02)
                ++between;
        }
        if (scale <= 1.0) {
            EXPECT_GE(between, 1);
            EXPECT_LE(between, 2);
        } else {
            // Enlarged, the two feathered hair pixels and the interpolation
            // either side of them are stretched with everything else.
            EXPECT_GE(between, 2);
            EXPECT_LE(between, int(std::ceil(3 * scale)));
        }
    }
}

TEST(HairSoftEdge, ComposeLeavesOutWhatFallsOutsideThePhoto)
{
    Picture24 hair = uniform(50, 50, kDark);
    hair.setPixel(0, 49, kKey);
    Picture24 photo = uniform(40, 30, kGrey);
    HairSoftEdge::Compose(photo, hair, -25, 20, 50, 50);
    EXPECT_EQ(photo.pixel(0, 29), kDark);  // inside both
    EXPECT_EQ(photo.pixel(30, 25), kGrey); // right of the hair
    EXPECT_EQ(photo.pixel(10, 5), kGrey);  // above it
    Picture24 untouched = uniform(40, 30, kGrey);
    HairSoftEdge::Compose(untouched, hair, 500, -900, 50, 50);
    EXPECT_EQ(untouched, uniform(40, 30, kGrey));
    HairSoftEdge::Compose(untouched, hair, 0, 0, 0, 10);
    EXPECT_EQ(untouched, uniform(40, 30, kGrey));
}

TEST(HairSoftEdge, AWindowOfTheResamplingIsThatPartOfTheWhole)
{
    const Picture24 hair = discHair(37, 53);
    std::vector<std::uint32_t> cache(37 * 53);
    HairSoftEdge::SoftCache(hair, kKey, cache.data(), 37);
    const std::vector<std::uint32_t> whole = HairSoftEdge::Resample(cache.data(), 37, 53, 91, 120);
    const std::vector<std::uint32_t> part =
        HairSoftEdge::ResampleWindow(cache.data(), 37, 53, 91, 120, 13, 40, 50, 61);
    ASSERT_EQ(part.size(), 50u * 61);
    for (int y = 0; y < 61; ++y)
        for (int x = 0; x < 50; ++x)
            ASSERT_EQ(part[std::size_t(y) * 50 + x], whole[std::size_t(y + 40) * 91 + x + 13])
                << x << "," << y;
    EXPECT_TRUE(HairSoftEdge::ResampleWindow(cache.data(), 37, 53, 91, 120, 60, 0, 50, 10).empty());
}

TEST(HairSoftEdge, AHairEnlargedFarPastThePhotoIsLaidOnQuickly)
{
    // Forty thousand pixels square: only the photo's part is ever built
    // (the whole would take 6.4 GB).
    Picture24 hair = uniform(120, 160, kDark);
    hair.setPixel(0, 159, kKey);
    Picture24 photo = uniform(300, 200, kGrey);
    HairSoftEdge::Compose(photo, hair, -20000, -20000, 40000, 40000);
    EXPECT_EQ(photo, uniform(300, 200, kDark));
}

TEST(HairSoftEdge, SmoothResizeKeepsOneKeyAndTheHalfCoverageRule)
{
    const Picture24 hair = discHair(60, 80);
    for (auto [w, h] : {std::pair{104, 138}, std::pair{31, 40}, std::pair{60, 80}}) {
        SCOPED_TRACE(w);
        const Picture24 out = HairSoftEdge::SmoothResize(hair, w, h);
        ASSERT_EQ(out.width(), w);
        ASSERT_EQ(out.height(), h);
        EXPECT_EQ(out.pixel(0, h - 1), kKey);
        int hairPixels = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const std::uint32_t c = out.pixel(x, y);
                if (c == kKey)
                    continue;
                ++hairPixels;
                // Hair colours mixed with each other only, never with the key.
                const int g = ch(c, 1);
                EXPECT_LE(g, 0x60 + 1) << x << "," << y;
                EXPECT_GE(g, 0x20 - 1) << x << "," << y;
            }
        // The disc's area scales with the picture (within its rim).
        int original = 0;
        for (int y = 0; y < 80; ++y)
            for (int x = 0; x < 60; ++x)
                original += hair.pixel(x, y) != kKey;
        const double expected = original * double(w) * h / (60.0 * 80);
        EXPECT_NEAR(hairPixels, expected, 2 * (w + h) * 0.5);
    }
}

TEST(HairSoftEdge, SmoothResizeNudgesAHairPixelThatComesOutAsTheKey)
{
    // Columns alternating one step below and above the key: their means
    // land exactly on it.
    const std::uint32_t key = 0x808080;
    Picture24 hair(12, 10);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 12; ++x)
            hair.setPixel(x, y, x % 2 ? 0x818181 : 0x7F7F7F);
    hair.setPixel(0, 9, key);
    const Picture24 out = HairSoftEdge::SmoothResize(hair, 24, 20);
    int keys = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 24; ++x)
            keys += out.pixel(x, y) == key;
    // Only the key pixel itself (and the one or two it covers mostly).
    EXPECT_LE(keys, 4);
    EXPECT_EQ(out.pixel(0, 19), key);
    EXPECT_EQ(out.pixel(12, 10), 0x808081u); // would have been the key
}

TEST(HairSoftEdge, SmoothResizeOfNothingIsNothing)
{
    EXPECT_TRUE(HairSoftEdge::SmoothResize(Picture24(), 10, 10).isNull());
    EXPECT_TRUE(HairSoftEdge::SmoothResize(discHair(10, 10), 0, 10).isNull());
}

namespace {

// Diagonal strands: a fast wave across them, a slow gradient along them.
Picture24 strandHair(int n)
{
    Picture24 p(n, n);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            const double v = 110 + 50 * std::sin(2 * M_PI * (x + y) / 16.0) + 0.3 * (x - y);
            const auto g = std::uint32_t(std::clamp(int(std::lround(v)), 0, 255));
            p.setPixel(x, y, (g << 16) | (g << 8) | (g / 2));
        }
    p.setPixel(0, n - 1, kKey);
    return p;
}

// The variance of the red channel along the strand x + y = sum, kept away
// from the picture's border.
double strandVariance(const Picture24 &p, int sum, int margin)
{
    std::vector<double> v;
    for (int x = margin; x < p.width() - margin; ++x) {
        const int y = sum - x;
        if (y < margin || y >= p.height() - margin)
            continue;
        v.push_back(ch(p.pixel(x, y), 0));
    }
    double mean = 0;
    for (double a : v)
        mean += a;
    mean /= double(v.size());
    double var = 0;
    for (double a : v)
        var += (a - mean) * (a - mean);
    return var / double(v.size());
}

// What a plain stretch does: each pixel takes the nearest source pixel.
Picture24 plainStretch(const Picture24 &src, int w, int h)
{
    Picture24 out(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            out.setPixel(x, y, src.pixel(x * src.width() / w, y * src.height() / h));
    return out;
}

} // namespace

TEST(HairSoftEdge, ResizeTo173PercentKeepsTheStrands)
{
    const Picture24 hair = strandHair(200);
    const int n = int(std::lround(200 * 1.73));
    const Picture24 smooth = HairSoftEdge::SmoothResize(hair, n, n);
    const Picture24 plain = plainStretch(hair, n, n);
    // The same strand in both: pixel centres map back to the same sum.
    double worstSmooth = 0;
    double worstPlain = 0;
    for (int s : {150, 200, 250}) {
        const double before = strandVariance(hair, s, 6);
        const int scaled = int(std::lround((s + 1) * 1.73 - 1));
        worstSmooth = std::max(worstSmooth, std::abs(strandVariance(smooth, scaled, 10) / before - 1));
        worstPlain = std::max(worstPlain, std::abs(strandVariance(plain, scaled, 10) / before - 1));
    }
    EXPECT_LE(worstSmooth, 0.10);
    // The yardstick itself tells stripes apart.
    EXPECT_GT(worstPlain, 0.10);
}

TEST(HairSoftEdge, ReduceAndSideBySide)
{
    const Picture24 grey = uniform(300, 5000, kGrey);
    const Picture24 small = uniform(100, 80, kDark);
    const Picture24 pair = HairSoftEdge::SideBySide(grey, small, 2048);
    ASSERT_EQ(pair.height(), 2048);
    ASSERT_EQ(pair.width(), 123 + 100); // 300 x 2048 / 5000, rounded
    EXPECT_EQ(pair.pixel(0, 0), kGrey);
    EXPECT_EQ(pair.pixel(122, 2047), kGrey);
    // The smaller picture is not enlarged and sits in the middle on white.
    EXPECT_EQ(pair.pixel(123, 0), 0xFFFFFFu);
    EXPECT_EQ(pair.pixel(123, (2048 - 80) / 2), kDark);
    EXPECT_EQ(pair.pixel(222, (2048 - 80) / 2 + 79), kDark);
    EXPECT_TRUE(HairSoftEdge::SideBySide(Picture24(), Picture24(), 2048).isNull());
    // A reduction keeps a level colour level.
    const Picture24 r = HairSoftEdge::Reduce(uniform(97, 61, kLight), 13, 7);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 13; ++x)
            ASSERT_EQ(r.pixel(x, y), kLight);
}

TEST(HairSoftEdge, EnlargedDiagonalOutlineStaysStraight)
{
    // A 45-degree hair edge, enlarged four times: the outline must follow
    // the line, not the source pixels' stair.
    Picture24 hair(40, 40);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            hair.setPixel(x, y, x > y ? kDark : kKey);
    const Picture24 big = HairSoftEdge::SmoothResize(hair, 160, 160);
    std::vector<double> xs, ys;
    for (int y = 20; y < 140; ++y) {
        int first = 0;
        while (first < 160 && big.pixel(first, y) == kKey)
            ++first;
        xs.push_back(first);
        ys.push_back(y);
    }
    // Least-squares line through the outline, then the worst distance.
    const double n = double(xs.size());
    double sx = 0, sy = 0, sxy = 0, syy = 0;
    for (std::size_t i = 0; i < xs.size(); ++i) {
        sx += xs[i];
        sy += ys[i];
        sxy += xs[i] * ys[i];
        syy += ys[i] * ys[i];
    }
    const double slope = (n * sxy - sx * sy) / (n * syy - sy * sy);
    const double offset = (sx - slope * sy) / n;
    EXPECT_NEAR(slope, 1.0, 0.02);
    double worst = 0;
    for (std::size_t i = 0; i < xs.size(); ++i)
        worst = std::max(worst, std::abs(xs[i] - (offset + slope * ys[i])));
    EXPECT_LE(worst, 1.0) << worst;
}
