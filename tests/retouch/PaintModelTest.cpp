#include "PaintModel.h"

#include "PenLine.h"

#include <gtest/gtest.h>
#include <set>

namespace {
constexpr std::uint32_t kKey = 0x00FF00; // a hair's key colour
constexpr std::uint32_t kPen = 0x803010;

Picture24 filled(int w, int h, std::uint32_t rgb)
{
    Picture24 p(w, h);
    p.fill(std::uint8_t(rgb >> 16), std::uint8_t(rgb >> 8), std::uint8_t(rgb));
    return p;
}

int countColour(const Picture24 &p, std::uint32_t rgb)
{
    int n = 0;
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x)
            n += p.pixel(x, y) == rgb;
    return n;
}

// The bounding box of the pixels that differ, empty when none does.
PaintRect changedBetween(const Picture24 &a, const Picture24 &b)
{
    PaintRect r;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                r = r.united({x, y, 1, 1});
    return r;
}

bool inside(const PaintRect &inner, const PaintRect &outer)
{
    return inner.isEmpty() ||
           (inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.width <= outer.x + outer.width &&
            inner.y + inner.height <= outer.y + outer.height);
}
} // namespace

// ------------------------------------------------------------------ pen lines

TEST(PenLineTest, ThinLineLeavesOutItsEndPoint)
{
    Picture24 p = filled(20, 10, kKey);
    const PaintRect r = PenLine::Draw(p, 2, 5, 8, 5, 1, kPen);
    EXPECT_EQ(r, (PaintRect{2, 5, 6, 1}));
    EXPECT_EQ(countColour(p, kPen), 6);
    EXPECT_EQ(p.pixel(2, 5), kPen);
    EXPECT_EQ(p.pixel(7, 5), kPen);
    EXPECT_EQ(p.pixel(8, 5), kKey);

    Picture24 d = filled(20, 20, kKey);
    PenLine::Draw(d, 3, 3, 10, 10, 1, kPen);
    for (int i = 3; i < 10; ++i)
        EXPECT_EQ(d.pixel(i, i), kPen) << i;
    EXPECT_EQ(countColour(d, kPen), 7);
}

TEST(PenLineTest, ConsecutiveThinLinesTouchEachPixelOnce)
{
    Picture24 p = filled(30, 30, kKey);
    PenLine::Draw(p, 1, 1, 10, 4, 1, kPen);
    PenLine::Draw(p, 10, 4, 20, 20, 1, kPen);
    EXPECT_EQ(p.pixel(10, 4), kPen);
    EXPECT_EQ(p.pixel(20, 20), kKey);
}

TEST(PenLineTest, WideLinesAreExactlyTheirWidthAcross)
{
    for (int width : {2, 3, 4, 20, 21, 30}) {
        Picture24 p = filled(120, 80, kKey);
        PenLine::Draw(p, 40, 40, 80, 40, width, kPen);
        int column = 0;
        for (int y = 0; y < p.height(); ++y)
            column += p.pixel(60, y) == kPen;
        EXPECT_EQ(column, width) << width;
        Picture24 v = filled(80, 120, kKey);
        PenLine::Draw(v, 40, 40, 40, 80, width, kPen);
        int row = 0;
        for (int x = 0; x < v.width(); ++x)
            row += v.pixel(x, 60) == kPen;
        EXPECT_EQ(row, width) << width;
    }
}

TEST(PenLineTest, WideEndsAreRoundNotSquare)
{
    Picture24 p = filled(100, 100, kKey);
    // Width 20 ends at (60, 50): its cap reaches 9 pixels further along the
    // line's axis (half a pixel up and left for an even width) but not into
    // the corner of the square that a square end would fill.
    PenLine::Draw(p, 30, 50, 60, 50, 20, kPen);
    EXPECT_EQ(p.pixel(69, 50), kPen);
    EXPECT_EQ(p.pixel(70, 50), kKey);
    EXPECT_EQ(p.pixel(68, 58), kKey);
    EXPECT_EQ(p.pixel(60, 59), kPen);
    EXPECT_EQ(p.pixel(60, 60), kKey);
    // A dot of width 3 is the 3 x 3 square; of width 5 a rounded one.
    Picture24 d = filled(10, 10, kKey);
    PenLine::Draw(d, 5, 5, 5, 5, 3, kPen);
    EXPECT_EQ(countColour(d, kPen), 9);
    Picture24 e = filled(10, 10, kKey);
    PenLine::Draw(e, 5, 5, 5, 5, 5, kPen);
    EXPECT_EQ(countColour(e, kPen), 21);
    EXPECT_EQ(e.pixel(7, 7), kKey);
}

TEST(PenLineTest, DirectionDoesNotChangeAWideLine)
{
    Picture24 a = filled(60, 60, kKey), b = filled(60, 60, kKey);
    PenLine::Draw(a, 5, 12, 47, 33, 7, kPen);
    PenLine::Draw(b, 47, 33, 5, 12, 7, kPen);
    EXPECT_EQ(a, b);
}

TEST(PenLineTest, OnlyThePenColourIsAddedSoTheKeyStaysOneColour)
{
    Picture24 p = filled(200, 150, kKey);
    int x = 10, y = 10;
    for (int i = 0; i < 40; ++i) {
        const int nx = (x * 7 + 13 * i) % 190, ny = (y * 5 + 11 * i) % 140;
        PenLine::Draw(p, x, y, nx, ny, 1 + i % 30, kPen);
        x = nx;
        y = ny;
    }
    std::set<std::uint32_t> colours;
    for (int yy = 0; yy < p.height(); ++yy)
        for (int xx = 0; xx < p.width(); ++xx)
            colours.insert(p.pixel(xx, yy));
    EXPECT_EQ(colours, (std::set<std::uint32_t>{kKey, kPen}));
}

TEST(PenLineTest, ReturnedRectangleHoldsEveryChangeAndIsClipped)
{
    const struct
    {
        int x0, y0, x1, y1, width;
    } lines[] = {{-20, -20, 30, 25, 9}, {10, 10, 90, 12, 30}, {5, 38, 70, 39, 1}, {50, 5, 50, 60, 4}};
    for (const auto &l : lines) {
        Picture24 p = filled(64, 40, kKey);
        const Picture24 before = p;
        const PaintRect r = PenLine::Draw(p, l.x0, l.y0, l.x1, l.y1, l.width, kPen);
        EXPECT_TRUE(inside(changedBetween(before, p), r));
        EXPECT_GE(r.x, 0);
        EXPECT_GE(r.y, 0);
        EXPECT_LE(r.x + r.width, 64);
        EXPECT_LE(r.y + r.height, 40);
    }
    Picture24 p = filled(64, 40, kKey);
    EXPECT_TRUE(PenLine::Draw(p, -100, -100, -50, -60, 20, kPen).isEmpty());
    EXPECT_TRUE(PenLine::Draw(p, 100, 5, 200, 5, 1, kPen).isEmpty());
    EXPECT_EQ(countColour(p, kPen), 0);
}

// ---------------------------------------------------------------- the model

TEST(PaintModelTest, StartsWithABlankWhiteSnapshotAndWhitePen)
{
    PaintModel m;
    EXPECT_EQ(m.Snapshot().width(), 105);
    EXPECT_EQ(m.Snapshot().height(), 105);
    EXPECT_EQ(countColour(m.Snapshot(), 0xFFFFFF), 105 * 105);
    EXPECT_EQ(m.PenColour(), 0xFFFFFFu);
    EXPECT_EQ(m.CurrentTool(), PaintModel::Tool::Pen);
    EXPECT_FALSE(m.Drawing());
}

TEST(PaintModelTest, RightPressInPenModePicksThenDrawsWhileHeld)
{
    Picture24 p = filled(50, 50, kKey);
    p.setPixel(10, 10, 0x123456);
    PaintModel m;
    m.Attach(&p);
    m.SetPenWidth(1);
    EXPECT_TRUE(m.Press(PaintModel::Button::Right, 10, 10));
    EXPECT_EQ(m.PenColour(), 0x123456u);
    EXPECT_TRUE(m.Drawing());
    m.Move(20, 10);
    EXPECT_EQ(p.pixel(15, 10), 0x123456u);
    m.Release();
    EXPECT_TRUE(m.Move(30, 30).isEmpty());
    EXPECT_EQ(p.pixel(25, 20), kKey);
}

TEST(PaintModelTest, DropperPicksEightPixelsRightAndBelowAndDrawsNothing)
{
    Picture24 p = filled(50, 50, kKey);
    p.setPixel(18, 28, 0xABCDEF);
    p.setPixel(10, 20, 0x111111);
    PaintModel m;
    m.Attach(&p);
    m.SetTool(PaintModel::Tool::Dropper);
    const Picture24 before = p;
    EXPECT_TRUE(m.Press(PaintModel::Button::Left, 10, 20));
    EXPECT_EQ(m.PenColour(), 0xABCDEFu);
    EXPECT_FALSE(m.Drawing());
    m.Move(40, 40);
    EXPECT_EQ(p, before);
    // Off the picture there is nothing to pick: the colour stays.
    EXPECT_FALSE(m.Press(PaintModel::Button::Left, 45, 45));
    EXPECT_EQ(m.PenColour(), 0xABCDEFu);
    // A right press with the dropper: the offset pick wins.
    EXPECT_TRUE(m.Press(PaintModel::Button::Right, 10, 20));
    EXPECT_EQ(m.PenColour(), 0xABCDEFu);
}

TEST(PaintModelTest, UndoRestoresThePictureOfThePressThatBeganTheStroke)
{
    Picture24 p = filled(40, 40, kKey);
    PaintModel m;
    m.Attach(&p);
    m.SetPenColour(kPen);
    m.SetPenWidth(5);
    m.Press(PaintModel::Button::Left, 5, 5);
    m.Move(30, 5);
    m.Release();
    const Picture24 afterFirst = p;
    m.Press(PaintModel::Button::Left, 5, 30);
    m.Move(30, 30);
    m.Move(30, 10);
    m.Release();
    m.Undo();
    EXPECT_EQ(p, afterFirst);
    m.Undo();
    EXPECT_EQ(p, afterFirst);
}

TEST(PaintModelTest, EveryPressTakesTheSnapshotInBothTools)
{
    Picture24 p = filled(40, 40, kKey);
    PaintModel m;
    m.Attach(&p);
    m.SetPenColour(kPen);
    m.SetPenWidth(3);
    m.Press(PaintModel::Button::Left, 5, 5);
    m.Move(20, 20);
    m.Release();
    const Picture24 drawn = p;
    m.SetTool(PaintModel::Tool::Dropper);
    m.Press(PaintModel::Button::Left, 1, 1);
    EXPECT_EQ(m.Snapshot(), drawn);
}

TEST(PaintModelTest, UndoTakesTheSnapshotsSizeToo)
{
    Picture24 p = filled(300, 200, kKey);
    PaintModel m;
    m.Attach(&p);
    m.Undo();
    EXPECT_EQ(p.width(), 105);
    EXPECT_EQ(p.pixel(0, 0), 0xFFFFFFu);
    p = filled(300, 200, kKey);
    m.TakeSnapshot();
    p.setPixel(3, 3, kPen);
    m.AfterOutsideChange();
    m.Undo();
    EXPECT_EQ(p, filled(300, 200, kKey));
}

TEST(PaintModelTest, ClearAndPasteStartAtTheCornerAndAreClipped)
{
    Picture24 p = filled(30, 20, kKey);
    PaintModel m;
    m.Attach(&p);
    EXPECT_EQ(m.ClearTopLeft(500, 10), (PaintRect{0, 0, 30, 10}));
    EXPECT_EQ(countColour(p, 0xFFFFFF), 300);
    EXPECT_EQ(p.pixel(29, 9), 0xFFFFFFu);
    EXPECT_EQ(p.pixel(0, 10), kKey);

    Picture24 clip = filled(50, 5, kPen);
    clip.setPixel(0, 0, 0x010203);
    EXPECT_EQ(m.Paste(clip), (PaintRect{0, 0, 30, 5}));
    EXPECT_EQ(p.pixel(0, 0), 0x010203u);
    EXPECT_EQ(countColour(p, kPen), 30 * 5 - 1);
    EXPECT_EQ(p.width(), 30);
    EXPECT_TRUE(m.Paste(Picture24()).isEmpty());
}

TEST(PaintModelTest, ANewPictureIsItsOwnSnapshotUntilItChanges)
{
    Picture24 old = filled(40, 40, kPen);
    PaintModel m;
    m.Attach(&old);
    m.Press(PaintModel::Button::Left, 1, 1); // snapshot of an earlier showing
    m.Release();
    Picture24 p = filled(60, 30, kKey);
    m.Attach(&p);
    m.StartWithPicture();
    EXPECT_EQ(m.Snapshot(), p);
    m.Undo();
    EXPECT_EQ(p, filled(60, 30, kKey));
    // Changes before any press (a paste) still undo to the opened picture.
    m.Paste(filled(10, 10, 0x010101));
    m.Undo();
    EXPECT_EQ(p, filled(60, 30, kKey));
    // A picture read from outside: the snapshot is what was there before.
    m.SetPenColour(kPen);
    m.Press(PaintModel::Button::Left, 5, 5);
    m.Move(30, 5);
    m.Release();
    const Picture24 drawn = p;
    m.Press(PaintModel::Button::Left, 0, 0);
    m.Release();
    m.BeforeOutsideChange();
    p = filled(20, 20, 0x999999);
    m.AfterOutsideChange();
    m.Undo();
    EXPECT_EQ(p, drawn);
}
