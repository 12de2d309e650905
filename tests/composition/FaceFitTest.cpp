// Fit geometry, the estimate for hairs without an entry, and the face file.
#include "FaceFit.h"
#include "FacePlaces.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

void expectRect(const FaceRect &r, double x, double y, double w, double h, double tol = 1e-9)
{
    EXPECT_NEAR(r.x, x, tol);
    EXPECT_NEAR(r.y, y, tol);
    EXPECT_NEAR(r.width, w, tol);
    EXPECT_NEAR(r.height, h, tol);
}

TEST(ViewMappingTest, ZoomAndScrollBothWays)
{
    const ViewMapping view{50, -30, 12};
    expectRect(view.toClient({100, 40, 80, 60}), 20, 32, 40, 30);
    expectRect(view.toPicture(view.toClient({100, 40, 80, 60})), 100, 40, 80, 60);
}

struct FitCase
{
    const char *name;
    ViewMapping view;
};

class FitTest : public ::testing::TestWithParam<FitCase>
{};

// Whatever the zoom and scroll, the hair's face rectangle lands centred on
// the face, one width with it (to a rounding pixel), scaled evenly.
TEST_P(FitTest, HairFaceCoversThePhotoFace)
{
    const ViewMapping view = GetParam().view;
    const FaceRect hairFace{120, 200, 150, 150};
    const int hw = 400, hh = 480;
    const FaceRect photoFace{300, 260, 190, 165};
    const OverlayBounds b = FaceFit::Fit(hairFace, hw, hh, photoFace, view);
    const FaceRect face = view.toClient(photoFace);
    const double sx = double(b.width) / hw, sy = double(b.height) / hh;
    EXPECT_NEAR(b.left + hairFace.centerX() * sx, face.centerX(), 0.5);
    EXPECT_NEAR(b.top + hairFace.centerY() * sy, face.centerY(), 0.5);
    EXPECT_NEAR(hairFace.width * sx, face.width, 1.0);
    EXPECT_NEAR(sx, sy, 2.0 / hh); // even scale, up to rounding of the sides
}

INSTANTIATE_TEST_SUITE_P(Views, FitTest,
                         ::testing::Values(FitCase{"plain", {100, 0, 0}}, FitCase{"zoomed_out", {37, 0, 0}},
                                           FitCase{"zoomed_in_scrolled", {250, -400, -310}},
                                           FitCase{"centred_small", {20, 55, 80}}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(FitTest, ExactNumbersAtZoom100)
{
    // Face 150 wide in the hair, 300 on the photo: the hair doubles.
    const OverlayBounds b = FaceFit::Fit({100, 100, 150, 150}, 350, 400, {200, 50, 300, 280}, {100, 0, 0});
    EXPECT_EQ(b, (OverlayBounds{200 - 200, 190 - 350, 700, 800}));
}

TEST(FitTest, TinyFaceKeepsTheMinimumSide)
{
    const OverlayBounds b = FaceFit::Fit({0, 0, 400, 400}, 400, 400, {10, 10, 2, 2}, {100, 0, 0});
    EXPECT_EQ(b.width, FaceFit::kMinimumSide);
    EXPECT_EQ(b.height, FaceFit::kMinimumSide);
}

TEST(FitTest, EmptyInputsLeaveTheNaturalSize)
{
    const OverlayBounds b = FaceFit::Fit({}, 300, 200, {10, 10, 50, 50}, {100, 0, 0});
    EXPECT_EQ(b.width, 300);
    EXPECT_EQ(b.height, 200);
}

// Recording the operator's placement and fitting again gives the placement
// back, at any zoom and scroll.
TEST(RecordTest, FitReproducesARecordedPlacement)
{
    const FaceRect photoFace{310, 240, 180, 170};
    for (const ViewMapping view : {ViewMapping{100, 0, 0}, ViewMapping{60, -20, -45}, ViewMapping{175, -300, 10}}) {
        const OverlayBounds placed{-37, 15, 532, 610}; // 400 x 458 hair, even scale 1.33
        const FaceRect recorded = FaceFit::Recorded(placed, 400, 458, photoFace, view);
        const OverlayBounds again = FaceFit::Fit(recorded, 400, 458, photoFace, view);
        // The fit scales evenly, so a placement whose sides are not exactly
        // in the hair's proportion comes back within a rounding pixel.
        EXPECT_EQ(again.left, placed.left);
        EXPECT_EQ(again.width, placed.width);
        EXPECT_NEAR(again.top, placed.top, 1);
        EXPECT_NEAR(again.height, placed.height, 1);
    }
    // In exact proportion (1.5 both ways) it comes back exactly.
    for (const ViewMapping view : {ViewMapping{100, 0, 0}, ViewMapping{60, -20, -45}}) {
        const OverlayBounds placed{-37, 15, 600, 675};
        const OverlayBounds again =
            FaceFit::Fit(FaceFit::Recorded(placed, 400, 450, photoFace, view), 400, 450, photoFace, view);
        EXPECT_EQ(again, placed);
    }
}

TEST(RecordTest, NaturalSizeAtZoom100IsTheFaceOffset)
{
    const FaceRect r = FaceFit::Recorded({50, 20, 300, 400}, 300, 400, {150, 170, 120, 100}, {100, 0, 0});
    expectRect(r, 100, 150, 120, 100);
    EXPECT_TRUE(FaceFit::Recorded({0, 0, 0, 10}, 300, 400, {150, 170, 120, 100}, {100, 0, 0}).isEmpty());
}

// ---------------------------------------------------------------- estimate

struct Mask
{
    int w, h;
    std::vector<char> bits;
    Mask(int w_, int h_) : w(w_), h(h_), bits(size_t(w_ * h_), 0) {}
    void fill(int x0, int y0, int x1, int y1)
    {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                bits[size_t(y * w + x)] = 1;
    }
    bool operator()(int x, int y) const { return bits[size_t(y * w + x)] != 0; }
};

TEST(EstimateTest, LongHairFaceIsTheOpeningBetweenTheStrands)
{
    // Crown rows 10..59 across 20..279; strands 20..79 and 220..279 down to 299.
    Mask m(300, 320);
    m.fill(20, 10, 280, 60);
    m.fill(20, 60, 80, 300);
    m.fill(220, 60, 280, 300);
    const FaceRect f = FaceFit::Estimate(m.w, m.h, m);
    expectRect(f, 80, 60 + 14, 140, 140);
}

TEST(EstimateTest, ShortHairWithoutSideStrands)
{
    // A cap: hairline at the cap's bottom, face 60 % of its width, centred.
    Mask m(200, 150);
    m.fill(10, 5, 190, 50);
    const FaceRect f = FaceFit::Estimate(m.w, m.h, m);
    expectRect(f, 100 - 54, 50 + 10.8, 108, 108);
}

TEST(EstimateTest, OneSideStrandIsNotAnOpening)
{
    Mask m(200, 200);
    m.fill(10, 5, 190, 50);
    m.fill(10, 50, 40, 190); // only the left strand
    const FaceRect f = FaceFit::Estimate(m.w, m.h, m);
    EXPECT_NEAR(f.width, 108, 1e-9);
    EXPECT_NEAR(f.centerX(), 100, 1e-9);
}

TEST(EstimateTest, NoHairAtAll)
{
    Mask m(100, 80);
    const FaceRect f = FaceFit::Estimate(m.w, m.h, m);
    EXPECT_FALSE(f.isEmpty());
}

// ---------------------------------------------------------------- the file

TEST(FacePlacesTest, ReadsItsSectionsWithTheProfileRules)
{
    const std::string text = "; comment\n[3]\n esquerda = 10\nTOPO=20\nLargura=150.5\nAltura=\"140\"\n"
                             "[4]\nEsquerda=1\nTopo=2\nLargura=3\n"          // incomplete
                             "[5]\nEsquerda=1\nTopo=2\nLargura=0\nAltura=9\n" // empty
                             "[6]\nEsquerda=x\nTopo=2\nLargura=3\nAltura=4\n" // not a number
                             "[3]\nEsquerda=99\nTopo=99\nLargura=99\nAltura=99\n";
    const auto three = FacePlaces::Find(text, 3);
    ASSERT_TRUE(three.has_value());
    expectRect(*three, 10, 20, 150.5, 140);
    EXPECT_FALSE(FacePlaces::Find(text, 4).has_value());
    EXPECT_FALSE(FacePlaces::Find(text, 5).has_value());
    EXPECT_FALSE(FacePlaces::Find(text, 6).has_value());
    EXPECT_FALSE(FacePlaces::Find(text, 7).has_value());
    EXPECT_FALSE(FacePlaces::Find("", 1).has_value());
    EXPECT_FALSE(FacePlaces::Find("\x01\x02garbage[[[=", 1).has_value());
}

TEST(FacePlacesTest, WritingReplacesOneSectionAndKeepsTheRest)
{
    const std::string text = "; minha nota\n[1]\nEsquerda=1\nTopo=1\nLargura=10\nAltura=10\n\n"
                             "[2]\nEsquerda=2\nTopo=2\nLargura=20\nAltura=20\n; fim\n";
    const std::string out = FacePlaces::WithPlace(text, 1, {5.25, 6, 70, 71});
    EXPECT_NE(out.find("; minha nota"), std::string::npos);
    EXPECT_NE(out.find("; fim"), std::string::npos);
    expectRect(*FacePlaces::Find(out, 1), 5.3, 6, 70, 71);
    expectRect(*FacePlaces::Find(out, 2), 2, 2, 20, 20);
    // A new number is appended; the others stay.
    const std::string more = FacePlaces::WithPlace(out, 12, {1, 2, 3, 4});
    expectRect(*FacePlaces::Find(more, 12), 1, 2, 3, 4);
    expectRect(*FacePlaces::Find(more, 1), 5.3, 6, 70, 71);
    // The section header may be written in any spacing.
    const std::string spaced = FacePlaces::WithPlace(" [ 2 ] \nEsquerda=0\n", 2, {9, 9, 9, 9});
    expectRect(*FacePlaces::Find(spaced, 2), 9, 9, 9, 9);
    EXPECT_EQ(spaced.find("Esquerda=0"), std::string::npos);
}

TEST(FacePlacesTest, FormatReadsBack)
{
    const std::string text = FacePlaces::Format({{1, {1, 2, 150, 150}}, {10, {3.5, 4, 151, 149}}});
    expectRect(*FacePlaces::Find(text, 1), 1, 2, 150, 150);
    expectRect(*FacePlaces::Find(text, 10), 3.5, 4, 151, 149);
}

} // namespace
