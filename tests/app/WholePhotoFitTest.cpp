// The whole-photo geometry: the largest whole zoom that shows all of the
// photo, rounded as the photo view rounds, and the hair carried along.
#include "WholePhotoFit.h"

#include <gtest/gtest.h>

namespace {
bool fits(int w, int h, int zoom, int availW, int availH)
{
    return WholePhotoFit::Zoomed(w, zoom) <= availW && WholePhotoFit::Zoomed(h, zoom) <= availH;
}

// The answer by brute force: the last zoom that fits, counting up.
int bruteForce(int w, int h, int availW, int availH)
{
    int best = 0;
    for (int z = 1; z <= 20000; ++z)
        if (fits(w, h, z, availW, availH))
            best = z;
    return best;
}
} // namespace

TEST(WholePhotoFit, LargestZoomMatchesABruteForceSearch)
{
    const struct
    {
        int w, h, aw, ah;
    } cases[] = {
        {400, 300, 400, 300},                                     // exact fit at 100 %
        {400, 300, 399, 300},                                     // one pixel short
        {4000, 3000, 1500, 860},                                  // phone photo in a full-HD frame
        {3000, 4000, 1500, 860},                                  // portrait: the height decides
        {241, 313, 241, 313},    {1, 1, 1, 1}, {3, 7, 1598, 901}, // tiny photo, large zoom
        {1000, 1000, 5, 5},                                       // half a percent rounds up to 5 pixels
        {997, 13, 500, 500},
    };
    for (const auto &c : cases) {
        const int z = WholePhotoFit::LargestZoom(c.w, c.h, c.aw, c.ah);
        EXPECT_EQ(z, bruteForce(c.w, c.h, c.aw, c.ah)) << c.w << "x" << c.h << " in " << c.aw << "x" << c.ah;
        if (z > 0) {
            EXPECT_TRUE(fits(c.w, c.h, z, c.aw, c.ah));
            EXPECT_FALSE(fits(c.w, c.h, z + 1, c.aw, c.ah));
        }
    }
}

TEST(WholePhotoFit, NoPhotoOrNoRoomGivesNoZoom)
{
    EXPECT_EQ(WholePhotoFit::LargestZoom(0, 300, 800, 600), 0);
    EXPECT_EQ(WholePhotoFit::LargestZoom(400, 0, 800, 600), 0);
    EXPECT_EQ(WholePhotoFit::LargestZoom(400, 300, 0, 600), 0);
    EXPECT_EQ(WholePhotoFit::LargestZoom(400, 300, 800, -5), 0);
    // 1 % of 40000 is 400 pixels: not even that fits in 300.
    EXPECT_EQ(WholePhotoFit::LargestZoom(40000, 100, 300, 300), 0);

    WholePhotoFit::Input in;
    in.photoWidth = 400;
    in.photoHeight = 300;
    in.areaWidth = 2; // nothing left inside the border
    in.areaHeight = 500;
    in.border = 1;
    EXPECT_FALSE(WholePhotoFit::Compute(in).ok);
}

TEST(WholePhotoFit, TheWindowTakesTheAreaAndTheBorderIsLeftOut)
{
    WholePhotoFit::Input in;
    in.photoWidth = 400;
    in.photoHeight = 300;
    in.areaWidth = 802;
    in.areaHeight = 1000;
    in.border = 1;
    const WholePhotoFit::Result r = WholePhotoFit::Compute(in);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.clientWidth, 802);
    EXPECT_EQ(r.clientHeight, 1000);
    EXPECT_EQ(r.zoom, 200); // 800 pixels inside the border, width decides
}

TEST(WholePhotoFit, TheHairStaysOverTheSamePhotoPoint)
{
    WholePhotoFit::Input in;
    in.photoWidth = 400;
    in.photoHeight = 300;
    in.areaWidth = 602;
    in.areaHeight = 602;
    in.border = 1;
    in.zoom = 50;
    in.viewX = 0;
    in.viewY = 0;
    in.hair = {30, 40, 50, 20};
    WholePhotoFit::Result r = WholePhotoFit::Compute(in);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.zoom, 150);
    // Three times the zoom: three times the position and size.
    EXPECT_EQ(r.hair, (WholePhotoFit::Rect{90, 120, 150, 60}));

    // Scrolled at 200 %: the hair's corner at client (10, 6) is over photo
    // point ((10 + 100) / 2, (6 + 50) / 2) = (55, 28).
    in.zoom = 200;
    in.viewX = 100;
    in.viewY = 50;
    in.hair = {10, 6, 81, 41};
    r = WholePhotoFit::Compute(in);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.zoom, 150);
    EXPECT_EQ(r.hair.left, 82); // 82.5, rounded half to even as the view rounds
    EXPECT_EQ(r.hair.top, 42);
    EXPECT_EQ(r.hair.width, 61);  // 60.75
    EXPECT_EQ(r.hair.height, 31); // 30.75
}

TEST(WholePhotoFit, ATinyHairNeverVanishes)
{
    WholePhotoFit::Input in;
    in.photoWidth = 4000;
    in.photoHeight = 3000;
    in.areaWidth = 402;
    in.areaHeight = 302;
    in.border = 1;
    in.zoom = 100;
    in.hair = {0, 0, 3, 3};
    const WholePhotoFit::Result r = WholePhotoFit::Compute(in);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.zoom, 10);
    EXPECT_EQ(r.hair.width, 1);
    EXPECT_EQ(r.hair.height, 1);
}
