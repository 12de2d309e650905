#include "ColourRecompute.h"
#include "EffectReference.h"
#include "ParallelRows.h"
#include "PixelEffects.h"
#include "TestPictures.h"

#include <gtest/gtest.h>

#include <cstring>

#include <functional>
#include <string>
#include <vector>

// A 1 x 1 picture holding one pixel.
static TRasterBMP onePixel(int red, int green, int blue)
{
    TRasterBMP bmp(1, 1);
    markPadding(bmp);
    bmp.Rows(0)[0] = static_cast<std::uint8_t>(blue);
    bmp.Rows(0)[1] = static_cast<std::uint8_t>(green);
    bmp.Rows(0)[2] = static_cast<std::uint8_t>(red);
    return bmp;
}

// A 256-pixel row whose pixel v holds v in all three channels, so that
// the row shows a table effect's whole table.
static TRasterBMP allValues()
{
    TRasterBMP bmp(256, 1);
    for (int v = 0; v < 256; ++v)
        for (int k = 0; k < 3; ++k)
            bmp.Rows(0)[3 * v + k] = static_cast<std::uint8_t>(v);
    return bmp;
}

static int valueAfter(const TRasterBMP &bmp, int v) { return bmp.Rows(0)[3 * v]; }

TEST(TableEffects, ContrastExamples)
{
    TRasterBMP up = allValues();
    AdjustContrast(up, 150);
    EXPECT_EQ(valueAfter(up, 0), 0);
    EXPECT_EQ(valueAfter(up, 100), 84);
    EXPECT_EQ(valueAfter(up, 255), 255);
    TRasterBMP down = allValues();
    AdjustContrast(down, -150);
    EXPECT_EQ(valueAfter(down, 0), 75);
    EXPECT_EQ(valueAfter(down, 255), 181);
    // 127 and 128 are the turning point: nothing moves them at |amount| < 256.
    EXPECT_EQ(valueAfter(down, 127), 127);
    EXPECT_EQ(valueAfter(up, 128), 128);
}

TEST(TableEffects, LightnessExamples)
{
    TRasterBMP up = allValues();
    AdjustLightness(up, 150);
    EXPECT_EQ(valueAfter(up, 0), 149);
    EXPECT_EQ(valueAfter(up, 255), 255);
    TRasterBMP down = allValues();
    AdjustLightness(down, -150);
    EXPECT_EQ(valueAfter(down, 255), 106);
    EXPECT_EQ(valueAfter(down, 0), 0);
}

TEST(TableEffects, ChannelOffsetsSaturate)
{
    TRasterBMP bmp = randomPicture(9, 4, 3);
    AdjustChannels(bmp, 255, -255, 255);
    for (int r = 0; r < bmp.Height(); ++r)
        for (int x = 0; x < bmp.Width(); ++x) {
            EXPECT_EQ(bmp.Rows(r)[3 * x], 255);     // blue
            EXPECT_EQ(bmp.Rows(r)[3 * x + 1], 0);   // green
            EXPECT_EQ(bmp.Rows(r)[3 * x + 2], 255); // red
        }
    EXPECT_TRUE(paddingIntact(bmp));
}

TEST(TableEffects, NeutralAmountsChangeNothing)
{
    const TRasterBMP original = randomPicture(57, 9, 11);
    TRasterBMP bmp = original;
    AdjustContrast(bmp, 0);
    AdjustLightness(bmp, 0);
    AdjustSaturation(bmp, 256);
    AdjustChannels(bmp, 0, 0, 0);
    SharpenAtDistance(bmp, 0);
    EXPECT_TRUE(samePixels(bmp, original));
}

TEST(Saturation, Example510)
{
    TRasterBMP bmp = onePixel(200, 100, 50);
    AdjustSaturation(bmp, 510);
    EXPECT_EQ(bmp.Rows(0)[2], 255);
    EXPECT_EQ(bmp.Rows(0)[1], 84);
    EXPECT_EQ(bmp.Rows(0)[0], 0);
    EXPECT_TRUE(paddingIntact(bmp));
}

TEST(Saturation, ZeroGivesTheGreyLevel)
{
    TRasterBMP bmp = randomPicture(61, 5, 2);
    const TRasterBMP original = bmp;
    AdjustSaturation(bmp, 0);
    for (int r = 0; r < bmp.Height(); ++r)
        for (int x = 0; x < bmp.Width(); ++x) {
            const std::uint8_t *o = original.Rows(r) + 3 * x;
            const int grey = (o[0] + o[1] + o[2]) / 3;
            for (int k = 0; k < 3; ++k)
                ASSERT_EQ(bmp.Rows(r)[3 * x + k], grey) << x << "," << r;
        }
}

TEST(Saturation, At255ALowChannelRisesWhichIsWhyThePanelSkipsIt)
{
    TRasterBMP bmp = onePixel(9, 0, 0); // grey level 3
    AdjustSaturation(bmp, 255);
    EXPECT_EQ(bmp.Rows(0)[0], 1);
}

TEST(Sharpen, UniformPicturesStayUnchanged)
{
    for (int d : {1, 2, 5, 10, 40}) {
        TRasterBMP bmp(23, 17);
        for (int r = 0; r < bmp.Height(); ++r)
            for (int x = 0; x < bmp.Width(); ++x) {
                bmp.Rows(r)[3 * x] = 40;
                bmp.Rows(r)[3 * x + 1] = 128;
                bmp.Rows(r)[3 * x + 2] = 250;
            }
        markPadding(bmp);
        const TRasterBMP original = bmp;
        SharpenAtDistance(bmp, d);
        EXPECT_TRUE(samePixels(bmp, original)) << "distance " << d;
    }
}

TEST(Sharpen, OnePixelStaysUnchanged)
{
    TRasterBMP bmp = onePixel(17, 200, 99);
    SharpenAtDistance(bmp, 1);
    EXPECT_EQ(bmp.Rows(0)[0], 99);
    EXPECT_EQ(bmp.Rows(0)[1], 200);
    EXPECT_EQ(bmp.Rows(0)[2], 17);
    EXPECT_TRUE(paddingIntact(bmp));
}

TEST(Sharpen, ReadsAlreadySharpenedSamples)
{
    // One row of three pixels, so every sample row is the row itself.
    // Pixel 0 (left sample is itself): S = 2*(100+100+120) + 100 + 120 = 860,
    // 2*100 - 860/8 = 92.5 -> 92. Pixel 1 sees the new 92 on its left:
    // S = 2*(92+120+120) + 92 + 120 = 876, 240 - 109.5 -> 130 (a copy-based
    // filter would give 127). Pixel 2: S = 2*(130+120+120) + 130 + 120 = 990,
    // 240 - 123.75 -> 116.
    TRasterBMP bmp(3, 1);
    const int values[3] = {100, 120, 120};
    for (int x = 0; x < 3; ++x)
        for (int k = 0; k < 3; ++k)
            bmp.Rows(0)[3 * x + k] = static_cast<std::uint8_t>(values[x]);
    markPadding(bmp);
    TRasterBMP plain = bmp;
    SharpenAtDistance(bmp, 1);
    ref::sharpen(plain, 1);
    const int expected[3] = {92, 130, 116};
    for (int x = 0; x < 3; ++x)
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(bmp.Rows(0)[3 * x + k], expected[x]) << x;
            EXPECT_EQ(plain.Rows(0)[3 * x + k], expected[x]) << x;
        }
    EXPECT_TRUE(paddingIntact(bmp));
}

TEST(Sharpen, DistanceBeyondThePictureClampsToTheBorders)
{
    TRasterBMP a = randomPicture(9, 6, 5);
    TRasterBMP b = a;
    SharpenAtDistance(a, 9);
    SharpenAtDistance(b, 1000);
    EXPECT_TRUE(samePixels(a, b));
    TRasterBMP c = randomPicture(9, 6, 5);
    ref::sharpen(c, 9);
    EXPECT_TRUE(samePixels(a, c));
}

TEST(Mirror, TwiceRestoresAndOnePixelWideIsUnchanged)
{
    for (const auto &size : kSizes) {
        const TRasterBMP original = randomPicture(size[0], size[1], 8);
        TRasterBMP bmp = original;
        MirrorRows(bmp);
        if (size[0] > 1) {
            EXPECT_FALSE(samePixels(bmp, original)) << size[0];
        }
        MirrorRows(bmp);
        EXPECT_TRUE(samePixels(bmp, original)) << size[0] << " x " << size[1];
    }
    const TRasterBMP narrow = randomPicture(1, 9, 4);
    TRasterBMP bmp = narrow;
    MirrorRows(bmp);
    EXPECT_TRUE(samePixels(bmp, narrow));
}

TEST(EmptyBitmaps, EffectsDoNothing)
{
    for (auto size : {std::pair{0, 0}, std::pair{0, 5}, std::pair{7, 0}}) {
        TRasterBMP bmp(size.first, size.second);
        EXPECT_EQ(bmp.Bits(), nullptr);
        AdjustChannels(bmp, 10, 20, 30);
        AdjustLightness(bmp, 100);
        AdjustContrast(bmp, 100);
        AdjustSaturation(bmp, 0);
        SharpenAtDistance(bmp, 3);
        MirrorRows(bmp);
        EXPECT_EQ(bmp.Width(), size.first);
        EXPECT_EQ(bmp.Height(), size.second);
    }
}

// Every effect against its plain reference, on every test size, with the
// amounts at and beyond the ends of the panel's ranges (the vector code
// hands over to tables there), checking the padding too.
struct EffectCase
{
    std::string name;
    std::function<void(TRasterBMP &)> fast;
    std::function<void(TRasterBMP &)> plain;
};

static std::vector<EffectCase> effectCases()
{
    std::vector<EffectCase> cases;
    for (int dr : {-255, -31, 0, 7, 255, 300, -1000}) {
        const int dg = dr / 2 + 3;
        const int db = -dr;
        cases.push_back({"channels " + std::to_string(dr),
                         [=](TRasterBMP &b) { AdjustChannels(b, dr, dg, db); },
                         [=](TRasterBMP &b) { ref::channels(b, dr, dg, db); }});
    }
    for (int a : {-1000, -257, -256, -150, -77, -1, 1, 99, 150, 256, 257, 1000}) {
        cases.push_back({"lightness " + std::to_string(a), [=](TRasterBMP &b) { AdjustLightness(b, a); },
                         [=](TRasterBMP &b) { ref::lightness(b, a); }});
        cases.push_back({"contrast " + std::to_string(a), [=](TRasterBMP &b) { AdjustContrast(b, a); },
                         [=](TRasterBMP &b) { ref::contrast(b, a); }});
    }
    for (int a : {-512, 512, -1}) {
        cases.push_back({"contrast " + std::to_string(a), [=](TRasterBMP &b) { AdjustContrast(b, a); },
                         [=](TRasterBMP &b) { ref::contrast(b, a); }});
    }
    for (int a : {-50, 0, 1, 100, 200, 255, 257, 300, 400, 510, 511, 512, 2000, 100000}) {
        cases.push_back({"saturation " + std::to_string(a), [=](TRasterBMP &b) { AdjustSaturation(b, a); },
                         [=](TRasterBMP &b) { ref::saturation(b, a); }});
    }
    for (int d : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 16, -2}) {
        cases.push_back({"sharpen " + std::to_string(d), [=](TRasterBMP &b) { SharpenAtDistance(b, d); },
                         [=](TRasterBMP &b) { ref::sharpen(b, d < 0 ? -d : d); }});
    }
    cases.push_back({"mirror", [](TRasterBMP &b) { MirrorRows(b); }, [](TRasterBMP &b) { ref::mirror(b); }});
    return cases;
}

TEST(AgainstReference, EveryEffectOnEverySize)
{
    const auto cases = effectCases();
    unsigned seed = 1;
    for (const auto &size : kSizes) {
        for (const auto &c : cases) {
            TRasterBMP fast = randomPicture(size[0], size[1], seed);
            TRasterBMP plain = fast;
            c.fast(fast);
            c.plain(plain);
            ASSERT_TRUE(samePixels(fast, plain)) << c.name << " on " << size[0] << " x " << size[1];
            ASSERT_TRUE(paddingIntact(fast)) << c.name << " on " << size[0] << " x " << size[1];
            ++seed;
        }
    }
}

TEST(AgainstReference, NegativeSharpenDistanceSamplesLikeItsMagnitude)
{
    TRasterBMP a = randomPicture(31, 12, 9);
    TRasterBMP b = a;
    SharpenAtDistance(a, -3);
    SharpenAtDistance(b, 3);
    EXPECT_TRUE(samePixels(a, b));
}

// Big enough for the second thread, with padding (width mod 4 = 1).
TEST(AgainstReference, TwoThreadsGiveTheSameResult)
{
    const TRasterBMP original = randomPicture(733, 480, 77);
    ASSERT_GE(static_cast<std::size_t>(original.ByteCount()), ParallelRows::kMinBytes);
    for (const auto &c : effectCases()) {
        TRasterBMP fast = original;
        TRasterBMP plain = original;
        c.fast(fast);
        c.plain(plain);
        ASSERT_TRUE(samePixels(fast, plain)) << c.name;
        ASSERT_TRUE(paddingIntact(fast)) << c.name;
    }
}

TEST(PaddingAndLayout, WidthsOneToFive)
{
    const int padding[] = {1, 2, 3, 0, 1};
    const int stride[] = {4, 8, 12, 12, 16};
    for (int w = 1; w <= 5; ++w) {
        TRasterBMP bmp = randomPicture(w, 3, static_cast<unsigned>(w));
        EXPECT_EQ(bmp.RowPadding(), padding[w - 1]);
        EXPECT_EQ(bmp.RowStride(), stride[w - 1]);
        EXPECT_EQ(bmp.ByteCount(), stride[w - 1] * 3);
        for (int r = 0; r < 3; ++r)
            EXPECT_EQ(bmp.Rows(r), bmp.Bits() + r * stride[w - 1]);
        AdjustChannels(bmp, 9, -9, 90);
        AdjustLightness(bmp, -40);
        AdjustContrast(bmp, 120);
        AdjustSaturation(bmp, 300);
        SharpenAtDistance(bmp, 1);
        MirrorRows(bmp);
        EXPECT_TRUE(paddingIntact(bmp)) << "width " << w;
    }
}

static void sequentialRecompute(const TRasterBMP &saved, TRasterBMP &work, const ColourRecompute::Settings &s)
{
    work = saved;
    if (s.red != 0 || s.green != 0 || s.blue != 0)
        ref::channels(work, s.red, s.green, s.blue);
    if (s.lightness != 0)
        ref::lightness(work, s.lightness);
    if (s.contrast != 0)
        ref::contrast(work, s.contrast);
    if (s.saturation != 255)
        ref::saturation(work, s.saturation);
    if (s.sharpen != 0)
        ref::sharpen(work, s.sharpen);
}

TEST(Recompute, MatchesTheSequentialEffects)
{
    const ColourRecompute::Settings settings[] = {
        {},
        {0, 5, 0, 0, 0, 255, 0},
        {40, -20, 255, 0, 0, 255, 0},
        {0, 0, 0, -150, 150, 0, 0},
        {-255, 100, 3, 150, -150, 510, 1},
        {10, 20, 30, 40, 50, 256, 2},
        {0, 0, 0, 0, 0, 255, 10},
        {1, 1, 1, 1, 1, 1, 1},
    };
    for (int sizeIndex : {0, 6, 12}) {
        const TRasterBMP saved = randomPicture(kSizes[sizeIndex][0], kSizes[sizeIndex][1], 5);
        for (const auto &s : settings) {
            TRasterBMP work(1, 1); // another size: must follow the saved picture
            TRasterBMP expected;
            ColourRecompute::Apply(saved, work, s);
            sequentialRecompute(saved, expected, s);
            ASSERT_TRUE(samePixels(work, expected))
                << s.red << " " << s.green << " " << s.blue << " " << s.lightness << " "
                << s.contrast << " " << s.saturation << " " << s.sharpen;
        }
    }
}

TEST(Recompute, TwoThreadsGiveTheSameResult)
{
    const TRasterBMP saved = randomPicture(801, 450, 21);
    const ColourRecompute::Settings s{-30, 12, 90, 60, -40, 400, 0};
    TRasterBMP work;
    TRasterBMP expected;
    ColourRecompute::Apply(saved, work, s);
    sequentialRecompute(saved, expected, s);
    EXPECT_TRUE(samePixels(work, expected));
}

// Distance 1 takes rows two at a time with the upper one lagging by blocks
// of pixels: every width around the block edges and every height parity
// must still give the plain sequential result, padding untouched.
TEST(AgainstReference, SharpenDistanceOneRowPairs)
{
    for (int w : {1, 2, 31, 32, 33, 95, 96, 97, 127, 128, 129, 160, 161, 300}) {
        for (int h : {1, 2, 3, 4, 5, 6, 9}) {
            TRasterBMP fast = randomPicture(w, h, static_cast<unsigned>(w * 31 + h));
            markPadding(fast);
            TRasterBMP plain = fast;
            SharpenAtDistance(fast, 1);
            ref::sharpen(plain, 1);
            ASSERT_EQ(std::memcmp(fast.Bits(), plain.Bits(), static_cast<std::size_t>(fast.ByteCount())), 0)
                << w << " x " << h;
            EXPECT_TRUE(paddingIntact(fast));
        }
    }
}
