#include "BmpCodec.h"
#include "RasterCanvas.h"
#include "TRasterBMP.h"
#include "TestPictures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <unistd.h>
#include <fstream>
#include <vector>

static std::uint32_t pixelAt(const TRasterRGB &bmp, int x, int row)
{
    const std::uint8_t *p = bmp.Rows(row) + 3 * x;
    return (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[1]) << 8) | p[0];
}

static void setPixel(TRasterRGB &bmp, int x, int row, std::uint32_t rgb)
{
    std::uint8_t *p = bmp.Rows(row) + 3 * x;
    p[0] = std::uint8_t(rgb);
    p[1] = std::uint8_t(rgb >> 8);
    p[2] = std::uint8_t(rgb >> 16);
}

// Pixel (x, row) gets a colour that names it.
static TRasterBMP numbered(int w, int h)
{
    TRasterBMP bmp(w, h);
    for (int r = 0; r < h; ++r)
        for (int x = 0; x < w; ++x)
            setPixel(bmp, x, r, std::uint32_t(0x010000 * r + 0x000100 * x + 0x7F));
    markPadding(bmp);
    return bmp;
}

TEST(RasterGeometry, NewBitmapIsEmpty)
{
    TRasterBMP bmp;
    EXPECT_EQ(bmp.Width(), 0);
    EXPECT_EQ(bmp.Height(), 0);
    EXPECT_EQ(bmp.ByteCount(), 0);
    EXPECT_EQ(bmp.Bits(), nullptr);
    EXPECT_TRUE(bmp.IsEmpty());
}

TEST(RasterGeometry, SetDimensionsKeepsContentsAtTheSameSize)
{
    TRasterBMP bmp = randomPicture(13, 7, 4);
    const TRasterBMP before = bmp;
    const std::uint8_t *bits = bmp.Bits();
    EXPECT_TRUE(bmp.SetDimensions(13, 7));
    EXPECT_EQ(bmp.Bits(), bits);
    EXPECT_TRUE(samePixels(bmp, before));
    EXPECT_TRUE(bmp.SetDimensions(14, 7));
    EXPECT_EQ(bmp.RowStride(), 44);
    EXPECT_EQ(bmp.RowPadding(), 2);
    for (int k = 0; k < bmp.ByteCount(); ++k)
        ASSERT_EQ(bmp.Bits()[k], 0);
}

TEST(RasterGeometry, RefusedSizesLeaveTheBitmapAsItWas)
{
    TRasterBMP bmp = randomPicture(5, 5, 1);
    const TRasterBMP before = bmp;
    EXPECT_FALSE(bmp.SetDimensions(70000, 2));
    EXPECT_FALSE(bmp.SetDimensions(60000, 60000));
    EXPECT_TRUE(samePixels(bmp, before));
    EXPECT_TRUE(bmp.SetDimensions(-4, 3));
    EXPECT_EQ(bmp.Width(), 0);
    EXPECT_EQ(bmp.Height(), 3);
    EXPECT_EQ(bmp.Bits(), nullptr);
}

TEST(RasterGeometry, PicturesMoveInAndOutWithoutCopies)
{
    Picture24 picture(6, 3);
    picture.setPixel(0, 0, 0x123456); // top-left = bottom row 2
    const std::uint8_t *bits = picture.bits();
    TRasterBMP bmp;
    bmp.AdoptPicture(std::move(picture));
    EXPECT_TRUE(picture.isNull());
    EXPECT_EQ(bmp.Bits(), bits);
    EXPECT_EQ(bmp.Width(), 6);
    EXPECT_EQ(pixelAt(bmp, 0, 2), 0x123456u);
    EXPECT_EQ(bmp.Rows(1), bits + 20);

    Picture24 other(2, 2);
    bmp.SwapPicture(other);
    EXPECT_EQ(other.bits(), bits);
    EXPECT_EQ(bmp.Width(), 2);
    EXPECT_EQ(bmp.RowStride(), 8);

    TRasterBMP copy;
    copy.LoadFromBitmapHandle(other);
    EXPECT_NE(copy.Bits(), other.bits());
    EXPECT_EQ(copy.Picture(), other);
}

TEST(RasterGeometry, CopiesAndMovesOwnTheirRows)
{
    TRasterBMP a = randomPicture(7, 4, 2);
    TRasterBMP b = a;
    EXPECT_NE(a.Bits(), b.Bits());
    EXPECT_EQ(b.Rows(3), b.Bits() + 3 * b.RowStride());
    TRasterBMP c = std::move(b);
    EXPECT_TRUE(b.IsEmpty());
    EXPECT_TRUE(samePixels(a, c));
    EXPECT_EQ(c.Rows(2), c.Bits() + 2 * c.RowStride());
}

TEST(ScaleNearest, SameSizeCopiesAndEmptyDestinationIsLeft)
{
    const TRasterBMP src = randomPicture(9, 5, 6);
    TRasterBMP dst(9, 5);
    src.ScaleNearestInto(dst);
    EXPECT_TRUE(samePixels(src, dst));
    TRasterBMP none(0, 4);
    src.ScaleNearestInto(none);
    TRasterBMP empty;
    TRasterBMP target = randomPicture(3, 3, 1);
    const TRasterBMP before = target;
    empty.ScaleNearestInto(target); // nothing to sample: target untouched
    EXPECT_TRUE(samePixels(target, before));
}

TEST(ScaleNearest, ShrinkingPicksByFixedPointSteps)
{
    const TRasterBMP src = numbered(10, 7);
    TRasterBMP dst(4, 3);
    markPadding(dst);
    src.ScaleNearestInto(dst);
    // sx = 10*65536 div 4 = 163840 (2.5), sy = 7*65536 div 3 = 152917.
    const int cols[4] = {0, 2, 5, 7};
    const int rows[3] = {0, 2, 4};
    for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(pixelAt(dst, i, j), pixelAt(src, cols[i], rows[j])) << i << "," << j;
    EXPECT_TRUE(paddingIntact(dst));
}

TEST(ScaleNearest, EnlargingWritesBlocks)
{
    const TRasterBMP src = numbered(2, 3);
    TRasterBMP dst(5, 7);
    markPadding(dst);
    src.ScaleNearestInto(dst);
    // xf = 2.5: blocks of Round(3.0) = 3 columns starting at 0 and 2;
    // yf = 7/3: blocks of Round(2.83) = 3 rows starting at 0, 2, 4.
    const int cols[5] = {0, 0, 1, 1, 1};
    const int rows[7] = {0, 0, 1, 1, 2, 2, 2};
    for (int j = 0; j < 7; ++j)
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(pixelAt(dst, i, j), pixelAt(src, cols[i], rows[j])) << i << "," << j;
    EXPECT_TRUE(paddingIntact(dst));
}

TEST(ScaleNearest, ShrinkingOneWayUsesFixedPointForBoth)
{
    const TRasterBMP src = numbered(3, 8);
    TRasterBMP dst(6, 2); // wider, lower
    src.ScaleNearestInto(dst);
    for (int j = 0; j < 2; ++j)
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(pixelAt(dst, i, j), pixelAt(src, i / 2, j * 4));
}

// The bilinear formula, one pixel at a time.
static int bilinearByte(const TRasterBMP &src, int dw, int dh, int i, int j, int k)
{
    const long long sx = (static_cast<long long>(src.Width() - 1) * 32768) / dw;
    const long long sy = (static_cast<long long>(src.Height() - 1) * 32768) / dh;
    const long long fy = j * sy, fx = i * sx;
    const int row = static_cast<int>(fy / 32768);
    const int row2 = src.Height() == 1 ? row : row + 1;
    const long long fyf = fy % 32768, wt = 32768 - fyf;
    const int c = static_cast<int>(fx / 32768);
    const long long fxf = fx % 32768;
    const long long a = fxf * wt / 32768, b = fxf * fyf / 32768;
    const auto at = [&](int r, int col) { return static_cast<long long>(src.Rows(r)[3 * col + k]); };
    return static_cast<int>((at(row, c) * (wt - a) + at(row, c + 1) * a + at(row2, c) * (fyf - b)
                             + at(row2, c + 1) * b) / 32768);
}

TEST(ScaleBilinear, FollowsTheFixedPointFormula)
{
    const int sizes[][4] = {{5, 4, 13, 9}, {2, 2, 4, 4}, {9, 1, 20, 3}, {17, 11, 6, 5}, {3, 6, 3, 2}};
    for (const auto &s : sizes) {
        const TRasterBMP src = randomPicture(s[0], s[1], 12);
        TRasterBMP dst(s[2], s[3]);
        markPadding(dst);
        src.ScaleBilinearInto(dst);
        for (int j = 0; j < s[3]; ++j)
            for (int i = 0; i < s[2]; ++i)
                for (int k = 0; k < 3; ++k)
                    ASSERT_EQ(dst.Rows(j)[3 * i + k], bilinearByte(src, s[2], s[3], i, j, k))
                        << s[0] << "x" << s[1] << " -> " << s[2] << "x" << s[3] << " at " << i << "," << j;
        EXPECT_TRUE(paddingIntact(dst));
    }
}

TEST(ScaleBilinear, HandExample)
{
    // 2 x 1 source, values 0 and 255, scaled to 4 x 1: sx = 8192, weights
    // a = fx' (wt = 32768), so 0, 63, 127, 191.
    TRasterBMP src(2, 1);
    setPixel(src, 1, 0, 0xFFFFFF);
    TRasterBMP dst(4, 1);
    src.ScaleBilinearInto(dst);
    EXPECT_EQ(dst.Rows(0)[0], 0);
    EXPECT_EQ(dst.Rows(0)[3], 63);
    EXPECT_EQ(dst.Rows(0)[6], 127);
    EXPECT_EQ(dst.Rows(0)[9], 191);
}

TEST(ScaleBilinear, SameSizeCopiesAndOnePixelWideIsNearest)
{
    const TRasterBMP src = randomPicture(11, 6, 3);
    TRasterBMP same(11, 6);
    src.ScaleBilinearInto(same);
    EXPECT_TRUE(samePixels(src, same));

    const TRasterBMP narrow = randomPicture(1, 5, 7);
    TRasterBMP a(4, 9), b(4, 9);
    narrow.ScaleBilinearInto(a);
    narrow.ScaleNearestInto(b);
    EXPECT_TRUE(samePixels(a, b));
}

TEST(CopyBlock, ClipsAgainstBothBitmaps)
{
    const TRasterBMP src = numbered(6, 5);
    TRasterBMP dst(4, 4);
    markPadding(dst);
    // Negative destination origin shifts the source the other way.
    src.CopyBlockInto(dst, -1, -2, 4, 4, 1, 0);
    EXPECT_EQ(pixelAt(dst, 0, 0), pixelAt(src, 2, 2));
    EXPECT_EQ(pixelAt(dst, 2, 1), pixelAt(src, 4, 3));
    EXPECT_EQ(pixelAt(dst, 3, 0), 0u); // block was 3 wide after clipping
    EXPECT_EQ(pixelAt(dst, 0, 2), 0u); // and 2 high

    TRasterBMP dst2(4, 4);
    // Negative source origin moves the destination instead and shortens
    // the block: 1 x 2 at (2, 1).
    src.CopyBlockInto(dst2, 0, 0, 3, 3, -2, -1);
    EXPECT_EQ(pixelAt(dst2, 2, 1), pixelAt(src, 0, 0));
    EXPECT_EQ(pixelAt(dst2, 2, 2), pixelAt(src, 0, 1));
    EXPECT_EQ(pixelAt(dst2, 3, 1), 0u);
    EXPECT_EQ(pixelAt(dst2, 1, 1), 0u);

    TRasterBMP dst3(4, 4);
    src.CopyBlockInto(dst3, 0, 0, 10, 10, 6, 0); // beyond the last column
    src.CopyBlockInto(dst3, 0, 0, 10, 10, 0, 5); // beyond the last row
    src.CopyBlockInto(dst3, 2, 2, 10, 10, 0, 0); // clipped to the destination
    EXPECT_EQ(pixelAt(dst3, 3, 3), pixelAt(src, 1, 1));
    EXPECT_EQ(pixelAt(dst3, 1, 1), 0u);
    EXPECT_TRUE(paddingIntact(dst));
}

TEST(Tile, RepeatsFromTheOrigin)
{
    const TRasterBMP src = numbered(3, 2);
    TRasterBMP dst(11, 7);
    markPadding(dst);
    src.TileInto(dst);
    for (int j = 0; j < 7; ++j)
        for (int i = 0; i < 11; ++i)
            ASSERT_EQ(pixelAt(dst, i, j), pixelAt(src, i % 3, j % 2)) << i << "," << j;
    EXPECT_TRUE(paddingIntact(dst));

    TRasterBMP small(2, 1);
    numbered(5, 5).TileInto(small); // larger source: just its corner
    EXPECT_EQ(pixelAt(small, 1, 0), pixelAt(numbered(5, 5), 1, 0));
    TRasterBMP empty;
    empty.TileInto(dst); // must return, not loop
}

// Records what would be drawn.
class RecordingCanvas : public RasterCanvas
{
public:
    struct Call
    {
        int x, y, width, height, left, top, sourceWidth, sourceHeight;
        std::uint32_t topLeft;
    };
    std::vector<Call> calls;
    void drawBlock(const TRasterRGB &source, int x, int y, int width, int height, int left, int top,
                   int sourceWidth, int sourceHeight) override
    {
        calls.push_back({x, y, width, height, left, top, sourceWidth, sourceHeight,
                         pixelAt(source, std::max(left, 0), source.Height() - 1 - std::max(top, 0))});
    }
};

TEST(Drawing, SourceOriginCountsFromTheBottom)
{
    const TRasterBMP bmp = numbered(8, 6);
    RecordingCanvas canvas;
    bmp.DrawAt(canvas, 3, 4);
    bmp.DrawPart(canvas, 0, 0, 2, 3, 1, 1);
    bmp.DrawPartStretched(canvas, 0, 0, 20, 30, 1, 0, 4, 2);
    bmp.DrawStretched(canvas, 1, 2, 16, 12);
    ASSERT_EQ(canvas.calls.size(), 4u);
    EXPECT_EQ(canvas.calls[0].x, 3);
    EXPECT_EQ(canvas.calls[0].width, 8);
    EXPECT_EQ(canvas.calls[0].topLeft, pixelAt(bmp, 0, 5));
    // Block from bottom-left (1, 1), 3 high: memory rows 1..3, top line 2.
    EXPECT_EQ(canvas.calls[1].top, 2);
    EXPECT_EQ(canvas.calls[1].topLeft, pixelAt(bmp, 1, 3));
    EXPECT_EQ(canvas.calls[2].top, 4);
    EXPECT_EQ(canvas.calls[2].sourceWidth, 4);
    EXPECT_EQ(canvas.calls[3].width, 16);
}

TEST(Drawing, TiledDrawsOneTiledBlockAndNothingWhenEmpty)
{
    RecordingCanvas canvas;
    TRasterBMP empty(0, 3);
    empty.DrawTiled(canvas, 0, 0, 10, 10);
    numbered(3, 3).DrawTiled(canvas, 0, 0, 0, 10);
    EXPECT_TRUE(canvas.calls.empty());
    numbered(3, 3).DrawTiled(canvas, 5, 6, 10, 7);
    ASSERT_EQ(canvas.calls.size(), 1u);
    EXPECT_EQ(canvas.calls[0].width, 10);
    EXPECT_EQ(canvas.calls[0].height, 7);
}

class BitmapFileTest : public ::testing::Test
{
protected:
    // Each test case runs as a process of its own, possibly two at once.
    std::filesystem::path dir = std::filesystem::temp_directory_path()
                                / ("quenda_colour_test_" + std::to_string(::getpid()));
    void SetUp() override { std::filesystem::create_directories(dir); }
    void TearDown() override { std::filesystem::remove_all(dir); }
};

TEST_F(BitmapFileTest, ReadsABitmapFile)
{
    const TRasterBMP original = randomPicture(7, 5, 3);
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(BmpCodec::encode(original.Picture(), bytes));
    const auto path = (dir / "Test.BMP").string();
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char *>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    TRasterBMP bmp;
    ASSERT_TRUE(bmp.LoadFromBitmapFile(path));
    ASSERT_EQ(bmp.Width(), 7);
    ASSERT_EQ(bmp.Height(), 5);
    for (int r = 0; r < 5; ++r)
        for (int x = 0; x < 7; ++x)
            ASSERT_EQ(pixelAt(bmp, x, r), pixelAt(original, x, r));
}

TEST_F(BitmapFileTest, ReportsMissingAndMalformedFiles)
{
    TRasterBMP bmp = randomPicture(4, 4, 1);
    const TRasterBMP before = bmp;
    const ImageStatus missing = bmp.LoadFromBitmapFile((dir / "none.BMP").string());
    EXPECT_FALSE(missing.ok);
    EXPECT_FALSE(missing.message.empty());
    const auto path = (dir / "bad.BMP").string();
    std::ofstream(path, std::ios::binary) << "BM this is not a bitmap at all";
    EXPECT_FALSE(bmp.LoadFromBitmapFile(path));
    EXPECT_TRUE(samePixels(bmp, before));
}
