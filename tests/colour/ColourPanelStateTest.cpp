// The colour panel without widgets: slider ranges and hints, the fixed
// order of the effects against the one-by-one reference, the saved copy,
// the choice of target, and the hair pixel steps.
#include "ColourPanelState.h"

#include "EffectReference.h"
#include "HairPixels.h"
#include "PictureCanvas.h"
#include "TestPictures.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

using S = ColourPanelState;

Picture24 pictureOf(const TRasterBMP &bmp)
{
    return bmp.Picture();
}

bool sameBytes(const TRasterBMP &a, const TRasterBMP &b)
{
    return a.Width() == b.Width() && a.Height() == b.Height() &&
           std::memcmp(a.Bits(), b.Bits(), static_cast<std::size_t>(a.ByteCount())) == 0;
}

ColourPanelState captured(const TRasterBMP &picture)
{
    ColourPanelState state;
    state.Capture(picture.Picture(), ColourTargetStamp{});
    return state;
}

} // namespace

TEST(ColourPanelState, RangesAndNeutralPositions)
{
    EXPECT_EQ(S::RangeOf(S::Red).minimum, -255);
    EXPECT_EQ(S::RangeOf(S::Blue).maximum, 255);
    EXPECT_EQ(S::RangeOf(S::Contrast).minimum, -150);
    EXPECT_EQ(S::RangeOf(S::Lightness).maximum, 150);
    EXPECT_EQ(S::RangeOf(S::Saturation).neutral, 255);
    EXPECT_EQ(S::RangeOf(S::Saturation).maximum, 510);
    EXPECT_EQ(S::RangeOf(S::Sharpen).maximum, 10);
    ColourPanelState state;
    state.SetPosition(S::Sharpen, 40);
    state.SetPosition(S::Red, -300);
    EXPECT_EQ(state.Position(S::Sharpen), 10);
    EXPECT_EQ(state.Position(S::Red), -255);
    state.ResetPositions();
    for (int s = 0; s < S::SliderCount; ++s)
        EXPECT_EQ(state.Position(S::Slider(s)), S::RangeOf(S::Slider(s)).neutral);
}

TEST(ColourPanelState, TargetPrecedenceIsLassoThenHairThenPhoto)
{
    EXPECT_EQ(S::ChooseTarget(true, true), ColourTargetKind::Selection);
    EXPECT_EQ(S::ChooseTarget(true, false), ColourTargetKind::Selection);
    EXPECT_EQ(S::ChooseTarget(false, true), ColourTargetKind::Hair);
    EXPECT_EQ(S::ChooseTarget(false, false), ColourTargetKind::Photograph);
}

TEST(ColourPanelState, SaturationAt255IsSkippedAnd256ChangesNothing)
{
    const TRasterBMP photo = randomPicture(37, 11, 3);
    ColourPanelState state = captured(photo);
    state.Recompute();
    EXPECT_TRUE(sameBytes(state.Work(), photo));
    EXPECT_EQ(state.Hint(S::Saturation), "255");
    state.SetPosition(S::Saturation, 256);
    state.Recompute();
    EXPECT_TRUE(sameBytes(state.Work(), photo));
    // It ran: its hint shows the position.
    EXPECT_EQ(state.Hint(S::Saturation), "256");
}

TEST(ColourPanelState, GreenAloneAppliesAllThreeOffsetsAndSetsThreeHints)
{
    const TRasterBMP photo = randomPicture(20, 9, 5);
    ColourPanelState state = captured(photo);
    state.SetPosition(S::Green, -70);
    state.Recompute();
    TRasterBMP expected = photo;
    ref::channels(expected, 0, -70, 0);
    EXPECT_TRUE(sameBytes(state.Work(), expected));
    EXPECT_EQ(state.Hint(S::Red), "0");
    EXPECT_EQ(state.Hint(S::Green), "-70");
    EXPECT_EQ(state.Hint(S::Blue), "0");
    // A neutral slider keeps whatever its hint said last.
    state.SetPosition(S::Lightness, 12);
    state.Recompute();
    state.SetPosition(S::Lightness, 0);
    state.Recompute();
    EXPECT_EQ(state.Hint(S::Lightness), "12");
}

TEST(ColourPanelState, AllSlidersInTheFixedOrderFromTheSavedCopy)
{
    const TRasterBMP photo = randomPicture(41, 17, 9);
    ColourPanelState state = captured(photo);
    state.SetPosition(S::Red, 40);
    state.SetPosition(S::Green, -25);
    state.SetPosition(S::Blue, 90);
    state.SetPosition(S::Contrast, 60);
    state.SetPosition(S::Lightness, -30);
    state.SetPosition(S::Saturation, 350);
    state.SetPosition(S::Sharpen, 2);
    // Twice: the result never builds on the previous one.
    state.Recompute();
    state.Recompute();
    TRasterBMP expected = photo;
    ref::channels(expected, 40, -25, 90);
    ref::lightness(expected, -30);
    ref::contrast(expected, 60);
    ref::saturation(expected, 350);
    ref::sharpen(expected, 2);
    EXPECT_TRUE(sameBytes(state.Work(), expected));
    EXPECT_TRUE(sameBytes(state.Saved(), photo));
    EXPECT_EQ(state.Hint(S::Contrast), "60");
    EXPECT_EQ(state.Hint(S::Sharpen), "2");
}

TEST(ColourPanelState, UndoRestoresTheSavedBytesAndTheHints)
{
    const TRasterBMP photo = randomPicture(13, 7, 1);
    ColourPanelState state = captured(photo);
    for (int s = 0; s < S::SliderCount; ++s)
        state.SetPosition(S::Slider(s), S::RangeOf(S::Slider(s)).maximum);
    state.Recompute();
    EXPECT_FALSE(sameBytes(state.Work(), photo));
    state.Undo();
    state.Recompute();
    EXPECT_TRUE(sameBytes(state.Work(), photo));
    for (int s = 0; s < S::SliderCount; ++s)
        EXPECT_EQ(state.Hint(S::Slider(s)), s == S::Saturation ? "255" : "0");
}

TEST(ColourPanelState, APickReplacesTheColoursAndKeepsTheOtherFour)
{
    ColourPanelState state;
    state.SetPosition(S::Red, -100);
    state.SetPosition(S::Contrast, 20);
    state.SetPosition(S::Lightness, -5);
    state.SetPosition(S::Saturation, 400);
    state.SetPosition(S::Sharpen, 3);
    state.SetPicked(250, 0, 17);
    EXPECT_EQ(state.Position(S::Red), 250);
    EXPECT_EQ(state.Position(S::Green), 0);
    EXPECT_EQ(state.Position(S::Blue), 17);
    EXPECT_EQ(state.Position(S::Contrast), 20);
    EXPECT_EQ(state.Position(S::Lightness), -5);
    EXPECT_EQ(state.Position(S::Saturation), 400);
    EXPECT_EQ(state.Position(S::Sharpen), 3);
}

TEST(ColourPanelState, ANewCaptureReplacesTheSavedCopyAndForgetDropsIt)
{
    const TRasterBMP first = randomPicture(10, 10, 1);
    const TRasterBMP second = randomPicture(6, 4, 2);
    ColourPanelState state = captured(first);
    ColourTargetStamp stamp;
    stamp.kind = ColourTargetKind::Hair;
    stamp.hairRevision = 7;
    state.Capture(second.Picture(), stamp);
    EXPECT_TRUE(sameBytes(state.Saved(), second));
    EXPECT_EQ(state.Stamp(), stamp);
    state.Forget();
    EXPECT_FALSE(state.Captured());
    EXPECT_TRUE(state.Saved().IsEmpty());
    state.SetPosition(S::Red, 30);
    state.Recompute(); // nothing to work on: no crash, nothing made up
    EXPECT_TRUE(state.Work().IsEmpty());
}

TEST(PictureCanvas, DrawAtCopiesClippedAndLeavesTheRest)
{
    const TRasterBMP work = randomPicture(5, 4, 8);
    Picture24 target(3, 6);
    target.fill(1, 1, 1);
    PictureCanvas canvas(target);
    work.DrawAt(canvas, 0, 0);
    const Picture24 source = pictureOf(work);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(target.pixel(x, y), y < 4 ? source.pixel(x, y) : 0x010101u) << x << "," << y;
    // Stretched: each target pixel takes the nearest source pixel.
    Picture24 big(10, 8);
    PictureCanvas bigCanvas(big);
    work.DrawStretched(bigCanvas, 0, 0, 10, 8);
    EXPECT_EQ(big.pixel(9, 7), source.pixel(4, 3));
    EXPECT_EQ(big.pixel(3, 2), source.pixel(1, 1));
}

TEST(HairPixels, BackgroundAtOneOneTurnsWhiteEverywhere)
{
    Picture24 hair(4, 3);
    hair.fill(203, 203, 203);
    hair.setPixel(2, 1, 0x102030);
    hair.setPixel(3, 2, 0xCBCBCC); // one off the key: stays
    WhitenHairBackground(hair);
    EXPECT_EQ(hair.pixel(0, 0), 0xFFFFFFu);
    EXPECT_EQ(hair.pixel(1, 1), 0xFFFFFFu);
    EXPECT_EQ(hair.pixel(2, 1), 0x102030u);
    EXPECT_EQ(hair.pixel(3, 2), 0xCBCBCCu);
    Picture24 tiny(1, 5);
    tiny.fill(1, 2, 3);
    WhitenHairBackground(tiny);
    EXPECT_EQ(tiny.pixel(0, 0), 0x010203u);
}

TEST(HairPixels, MirrorTwiceRestoresAndOnceReverses)
{
    const TRasterBMP raster = randomPicture(7, 3, 4);
    Picture24 hair = raster.Picture();
    const Picture24 before = hair;
    MirrorHair(hair);
    EXPECT_EQ(hair.width(), 7);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x)
            EXPECT_EQ(hair.pixel(x, y), before.pixel(6 - x, y));
    MirrorHair(hair);
    EXPECT_EQ(hair, before);
}
