#include "elements/Trenner.h"
#include "board/Platine.h"
#include "elements/CopperColours.h"
#include "elements/TrennerFest.h"
#include "support/Pixels.h"

#include <gtest/gtest.h>
#include <memory>

namespace karvel {
namespace {

using test::PixelAt;

constexpr Colour Background = RgbColour(0x40, 0x80, 0xC0);

// A cut over (200, 300)-(800, 700) on a board drawn at one pixel per five units: pixels
// (40, 60) to (160, 140).
class CutFixture : public ::testing::Test {
protected:
    CutFixture() : image(200, 200, QImage::Format_RGB32), board(view) {
        image.fill(ToQColor(Background));
        cut = static_cast<TTrenner*>(board.Add(std::make_unique<TTrenner>()));
        cut->CutRect = {200, 300, 800, 700};
    }

    static void MapFifth(Canvas& canvas) { canvas.SetMapping({0, 0}, {5, 5}, {0, 0}, {1, 1}); }

    QImage image;
    ViewState view;
    TPlatine board;
    TTrenner* cut = nullptr;
};

struct CutState {
    const char* name;
    bool selected, outline;
    Colour fill;
};

void PrintTo(const CutState& c, std::ostream* os) {
    *os << c.name;
}

class CutDrawingTest : public CutFixture, public ::testing::WithParamInterface<CutState> {};

TEST_P(CutDrawingTest, FillsTheRectangleWithoutAnOutline) {
    const CutState s = GetParam();
    cut->SetIstMarkiert(s.selected);
    cut->SetUmrissFlag(s.outline);
    Colour brushAfter = 0;
    {
        Canvas canvas(image);
        MapFifth(canvas);
        canvas.SetPen(colours::Black, 50);
        canvas.SetBrush(RgbColour(1, 2, 3));
        cut->Draw(canvas);
        brushAfter = canvas.BrushColour();
        EXPECT_EQ(canvas.GetPenStyle(), PenStyle::Solid);
    }
    EXPECT_EQ(brushAfter, RgbColour(1, 2, 3)) << "the brush is given back";
    EXPECT_EQ(PixelAt(image, 100, 100), s.fill);
    // Without a pen the fill leaves out the last column and row, as a null pen does.
    EXPECT_EQ(PixelAt(image, 40, 60), s.fill);
    EXPECT_EQ(PixelAt(image, 158, 138), s.fill);
    EXPECT_EQ(PixelAt(image, 159, 100), Background);
    EXPECT_EQ(PixelAt(image, 100, 139), Background);
    EXPECT_EQ(PixelAt(image, 39, 100), Background);
}

INSTANTIATE_TEST_SUITE_P(
    States, CutDrawingTest,
    ::testing::Values(CutState{"surface", false, false, CopperColours::For(ViewState{}).Surface},
                      CutState{"selected", true, false, colours::Selected},
                      CutState{"outline", false, true, colours::White},
                      CutState{"selectedOutline", true, true, colours::Selected}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CutFixture, IsHitInsideItsRectangleOnly) {
    Canvas canvas(image);
    MapFifth(canvas);
    const std::pair<QPoint, bool> cases[] = {
        {{40, 60}, true},    {{159, 139}, true}, {{160, 100}, false},
        {{100, 140}, false}, {{39, 100}, false}, {{100, 100}, true},
    };
    for (const auto& [point, hit] : cases)
        EXPECT_EQ(cut->HitTest(point, canvas), hit) << point.x() << "," << point.y();
    EXPECT_EQ(cut->CreateRegion(canvas)->Bounds(), (Rect{40, 60, 160, 140}));
}

TEST(TrennerTest, EdgeTowardsPicksTheSideOfTheLargerOffset) {
    QImage image(10, 10, QImage::Format_RGB32);
    Canvas canvas(image); // one unit per pixel
    TTrenner cut;
    cut.CutRect = {0, 0, 1001, 401}; // midpoint (500, 200)
    const std::pair<QPoint, int> cases[] = {
        {{700, 250}, 4}, {{300, 150}, 3}, {{520, 0}, 1},   {{480, 400}, 2},
        {{500, 200}, 1}, // the midpoint itself counts as top
        {{600, 300}, 2}, {{400, 300}, 2}, {{600, 100}, 1}, {{400, 100}, 1}, // diagonals
        {{499, 200}, 3}, {{501, 200}, 4},
    };
    for (const auto& [point, edge] : cases)
        EXPECT_EQ(cut.EdgeTowards(point, canvas), edge) << point.x() << "," << point.y();
}

TEST(TrennerTest, EdgeTowardsWorksInDevicePixels) {
    QImage image(10, 10, QImage::Format_RGB32);
    Canvas canvas(image);
    // The solder side turns the board over: y grows upwards on the screen.
    canvas.SetMapping({0, 1000}, {5, -5}, {0, 0}, {1, 1});
    TTrenner cut;
    cut.CutRect = {0, 0, 1000, 400}; // device midpoint (100, 160)
    EXPECT_EQ(cut.EdgeTowards({100, 100}, canvas), 1);
    EXPECT_EQ(cut.EdgeTowards({100, 190}, canvas), 2);
}

TEST(TrennerTest, ScalesBothCornersAndRefusesMilling) {
    TTrenner cut;
    cut.CutRect = {100, 200, 300, 400};
    cut.Scale({100, 200}, 2.0, 0.5);
    EXPECT_EQ(cut.CutRect, (Rect{100, 200, 500, 300}));
    cut.MoveBy(-100, 50);
    EXPECT_EQ(cut.CutRect, (Rect{0, 250, 400, 350}));
    cut.SetFraesen(true);
    EXPECT_FALSE(cut.Fraesen());
}

TEST(TrennerTest, AQuarterTurnLeavesTheCutWhereItIs) {
    TTrenner cut;
    cut.CutRect = {100, 200, 300, 400};
    cut.Rotate90({0, 0}, {0, 0});
    EXPECT_EQ(cut.CutRect, (Rect{100, 200, 300, 400}));
}

TEST(TrennerFestTest, CannotBeSelectedHitOrMoved) {
    QImage image(10, 10, QImage::Format_RGB32);
    Canvas canvas(image);
    TTrennerFest cut;
    cut.CutRect = {0, 0, 10, 10};
    cut.SetIstMarkiert(true);
    EXPECT_FALSE(cut.IstMarkiert());
    EXPECT_FALSE(cut.HitTest({5, 5}, canvas));
    cut.MoveBy(3, 3);
    EXPECT_EQ(cut.CutRect, (Rect{0, 0, 10, 10}));
    EXPECT_TRUE(cut.GetKindName().isEmpty());
    EXPECT_EQ(cut.BauteilTyp, TBauteilTyp::btTrennerFest);
}

} // namespace
} // namespace karvel
