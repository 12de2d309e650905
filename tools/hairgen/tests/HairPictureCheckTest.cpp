#include "HairPictureCheck.h"

#include "TestHair.h"

#include <gtest/gtest.h>

namespace {

bool mentions(const HairPictureCheck::Result &r, const std::string &word)
{
    for (const std::string &p : r.problems)
        if (p.find(word) != std::string::npos)
            return true;
    return false;
}

std::string all(const HairPictureCheck::Result &r)
{
    std::string s;
    for (const std::string &p : r.problems)
        s += p + "; ";
    return s;
}

bool nextToKey(const IndexedPicture &p, int x, int y)
{
    const auto key = [&](int xx, int yy) {
        return xx >= 0 && yy >= 0 && xx < p.width && yy < p.height && p.index(xx, yy) == 0;
    };
    return p.index(x, y) != 0 && (key(x - 1, y) || key(x + 1, y) || key(x, y - 1) || key(x, y + 1));
}

} // namespace

TEST(HairPictureCheck, PaintedHairPasses)
{
    const IndexedPicture p = testHair(colour("#C99A58"));
    const HairPictureCheck::Result r = HairPictureCheck::inspect(p);
    EXPECT_TRUE(r.ok()) << all(r);
    EXPECT_EQ(r.key, 0xFFFFFFu);
    EXPECT_GT(r.hairPixels, p.width * p.height / 2);
    EXPECT_GT(r.meanLuminance, 60);
    EXPECT_LT(r.meanLuminance, 205);
}

TEST(HairPictureCheck, AntialiasedOutlineIsAHalo)
{
    // What a smooth-edged export looks like: outline pixels half way to white.
    IndexedPicture p = testHair(colour("#3A2A1F"), 240, 220, 1, 200);
    const int blended = p.paletteSize;
    p.palette[blended] = 0x9D9490; // #3A2A1F mixed half with white
    p.paletteSize = blended + 1;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            if (nextToKey(p, x, y))
                p.indices[std::size_t(y) * p.width + x] = std::uint8_t(blended);
    const HairPictureCheck::Result r = HairPictureCheck::inspect(p);
    EXPECT_TRUE(mentions(r, "halo")) << all(r);
}

TEST(HairPictureCheck, NearWhiteHairIsRefused)
{
    IndexedPicture p = testHair(colour("#C99A58"), 240, 220, 1, 200);
    // Make the lightest ramp entries almost white: on a photo they would
    // read as specks of background.
    p.palette[p.paletteSize - 1] = 0xF4F4F0;
    const HairPictureCheck::Result r = HairPictureCheck::inspect(p);
    EXPECT_TRUE(mentions(r, "within")) << all(r);
}

TEST(HairPictureCheck, HairInTheKeyColourIsCounted)
{
    IndexedPicture p = testHair(colour("#C99A58"), 240, 220, 1, 200);
    const std::uint8_t hair = p.index(p.width / 2, p.height / 2);
    p.palette[hair] = 0xFFFFFF;
    const HairPictureCheck::Result r = HairPictureCheck::inspect(p);
    EXPECT_TRUE(mentions(r, "carry the key colour")) << all(r);
}

TEST(HairPictureCheck, BackgroundMustBeWhiteAndFrameThePicture)
{
    IndexedPicture p = testHair(colour("#C99A58"));
    p.palette[0] = 0x00FF00;
    HairPictureCheck::Result r = HairPictureCheck::inspect(p);
    EXPECT_TRUE(mentions(r, "bottom-left")) << all(r);
    // The same picture is fine when green is the key asked for.
    EXPECT_TRUE(HairPictureCheck::inspect(p, 0x00FF00).ok());

    IndexedPicture q = testHair(colour("#C99A58"));
    q.indices[std::size_t(q.height / 2) * q.width + q.width - 1] = q.index(q.width / 2, q.height / 2);
    r = HairPictureCheck::inspect(q);
    EXPECT_TRUE(mentions(r, "border")) << all(r);

    // Hair in the bottom-left corner makes hair the key.
    IndexedPicture c = testHair(colour("#C99A58"));
    c.indices[std::size_t(c.height - 1) * c.width] = c.index(c.width / 2, c.height / 2);
    r = HairPictureCheck::inspect(c);
    EXPECT_TRUE(mentions(r, "bottom-left")) << all(r);
}

TEST(HairPictureCheck, FlatShapeIsNotHair)
{
    IndexedPicture p = testHair(colour("#C99A58"));
    for (auto &i : p.indices)
        if (i != 0)
            i = 1;
    const HairPictureCheck::Result r = HairPictureCheck::inspect(p);
    EXPECT_TRUE(mentions(r, "flat")) << all(r);
}

TEST(HairPictureCheck, BrokenPicturesAreReportedNotRead)
{
    IndexedPicture p = testHair(colour("#C99A58"));
    p.paletteSize = 10;
    EXPECT_TRUE(mentions(HairPictureCheck::inspect(p), "beyond the palette"));

    EXPECT_TRUE(mentions(HairPictureCheck::inspect(testHair(colour("#C99A58"), 150, 150)), "size"));
    EXPECT_TRUE(mentions(HairPictureCheck::inspect(testHair(colour("#C99A58"), 240, 800)), "size"));
    IndexedPicture none = testHair(colour("#C99A58"));
    for (auto &i : none.indices)
        i = 0;
    EXPECT_TRUE(mentions(HairPictureCheck::inspect(none), "almost no hair"));
    EXPECT_FALSE(HairPictureCheck::inspect(IndexedPicture{}).ok());
}
