#include "elements/Auge.h"
#include "board/Platine.h"
#include "elements/Bohrung.h"
#include "elements/CopperColours.h"
#include "elements/Draht.h"
#include "elements/Geometry.h"
#include "support/Pixels.h"

#include <gtest/gtest.h>
#include <memory>

namespace karvel {
namespace {

using test::PixelAt;

constexpr Colour Background = RgbColour(0x40, 0x80, 0xC0);

// A board with one pad at (500, 500), drawn at one pixel per five units: the pad's centre is
// pixel (100, 100) and its default radius of 100 units is 20 pixels.
class PadFixture : public ::testing::Test {
protected:
    PadFixture() : image(200, 200, QImage::Format_RGB32), board(view) {
        image.fill(ToQColor(Background));
        pad = static_cast<TAuge*>(board.Add(std::make_unique<TAuge>()));
        pad->Centre = {500, 500};
    }

    static void MapFifth(Canvas& canvas) { canvas.SetMapping({0, 0}, {5, 5}, {0, 0}, {1, 1}); }

    QImage image;
    ViewState view;
    TPlatine board;
    TAuge* pad = nullptr;
};

struct PadState {
    const char* name;
    bool testVoltage, unused, selected, outline;
    Colour fill, rim;
};

void PrintTo(const PadState& c, std::ostream* os) {
    *os << c.name;
}

class PadDrawingTest : public PadFixture, public ::testing::WithParamInterface<PadState> {};

TEST_P(PadDrawingTest, FillsAndRimsTheCircleInTheStateColour) {
    const PadState s = GetParam();
    pad->SetHatTestSpannung(s.testVoltage);
    pad->SetIstFreierBereich(s.unused);
    pad->SetIstMarkiert(s.selected);
    pad->SetUmrissFlag(s.outline);
    {
        Canvas canvas(image);
        MapFifth(canvas);
        canvas.SetPen(colours::Black, 50); // a wide pen left over from another element
        pad->Draw(canvas);
    }
    EXPECT_EQ(PixelAt(image, 100, 100), s.fill);
    EXPECT_EQ(PixelAt(image, 80, 100), s.rim) << "left rim";
    EXPECT_EQ(PixelAt(image, 100, 119), s.rim) << "bottom rim";
    EXPECT_EQ(PixelAt(image, 78, 100), Background) << "the pen stays on the circle";
    EXPECT_EQ(PixelAt(image, 88, 88), s.fill) << "inside the circle towards the corner";
    EXPECT_EQ(PixelAt(image, 82, 82), Background) << "outside the circle in the corner";
}

const Colour Copper = CopperColours::For(ViewState{}).Copper;

INSTANTIATE_TEST_SUITE_P(
    States, PadDrawingTest,
    ::testing::Values(
        PadState{"copper", false, false, false, false, Copper, Copper},
        PadState{"selected", false, false, true, false, Copper, colours::Selected},
        PadState{"outline", false, false, false, true, 15395562, 15395562},
        PadState{"selectedOutline", false, false, true, true, Copper, colours::Selected},
        PadState{"unused", false, true, true, false, colours::Unused, colours::Unused},
        PadState{"testVoltage", true, true, true, true, colours::TestVoltage,
                 colours::TestVoltage}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PadFixture, SeenThroughTheBoardTheCopperIsDarker) {
    view.Loetseite = true;
    {
        Canvas canvas(image);
        MapFifth(canvas);
        pad->Draw(canvas);
    }
    EXPECT_EQ(PixelAt(image, 100, 100), RgbColour(208, 125, 2));
}

TEST_F(PadFixture, IsHitUpToHalfThePenWidthBeyondTheRim) {
    QImage unit(10, 10, QImage::Format_RGB32);
    Canvas canvas(unit); // one unit per pixel
    pad->Centre = {0, 0};
    ASSERT_EQ(pad->Radius() + pad->Stiftbreite() / 2, 112);
    const std::pair<QPoint, bool> cases[] = {
        {{0, 0}, true},    {{112, 0}, true},   {{113, 0}, false},
        {{0, -112}, true}, {{0, -113}, false}, {{79, 79}, true}, // 111.7 rounds to 112
        {{80, 80}, false},                                       // 113.1 rounds to 113
    };
    for (const auto& [point, hit] : cases)
        EXPECT_EQ(pad->HitTest(point, canvas), hit) << point.x() << "," << point.y();
}

TEST_F(PadFixture, HitTestConvertsDevicePixelsToBoardUnits) {
    Canvas canvas(image);
    MapFifth(canvas);
    EXPECT_TRUE(pad->HitTest({122, 100}, canvas));  // 110 units right of the centre
    EXPECT_FALSE(pad->HitTest({123, 100}, canvas)); // 115 units
}

TEST_F(PadFixture, RegionIsTheCircleInDevicePixels) {
    Canvas canvas(image);
    MapFifth(canvas);
    EXPECT_EQ(pad->GetBounds(canvas), (Rect{400, 400, 600, 600}));
    const std::optional<Region> region = pad->CreateRegion(canvas);
    ASSERT_TRUE(region.has_value());
    EXPECT_TRUE(region->Contains({100, 100}));
    EXPECT_TRUE(region->Contains({80, 100}));
    EXPECT_FALSE(region->Contains({79, 100}));
    EXPECT_FALSE(region->Contains({81, 81}));
}

TEST_F(PadFixture, BoundsOfAPadWithoutDiameterAreNormalised) {
    Canvas canvas(image);
    pad->Diameter = 0.0;
    EXPECT_EQ(pad->GetBounds(canvas), (Rect{499, 499, 501, 501}));
}

TEST_F(PadFixture, GhostCircleReachesTheCursorRowAndIsErasedByHiding) {
    Canvas canvas(image);
    MapFifth(canvas);
    // Radius |600 - 500| = 100 units = 20 pixels; the pen of 25 units is 5 pixels wide.
    pad->ShowGhost({0, 600}, canvas);
    EXPECT_NE(PixelAt(image, 120, 100), Background);
    EXPECT_EQ(PixelAt(image, 100, 100), Background) << "the brush is clear";
    // Showing it larger erases the smaller one.
    pad->ShowGhost({0, 300}, canvas);
    EXPECT_EQ(PixelAt(image, 120, 100), Background);
    EXPECT_NE(PixelAt(image, 140, 100), Background);
    pad->HideGhost(canvas, {0, 300});
    for (const int x : {120, 140, 60, 80})
        EXPECT_EQ(PixelAt(image, x, 100), Background) << x;
    EXPECT_EQ(canvas.GetMixMode(), MixMode::Copy);
}

TEST(AugeTest, FixedPropertiesIgnoreWhatTheyAreGiven) {
    TAuge pad;
    pad.SetKupferFlag(false);
    pad.SetFuellenFlag(false);
    pad.SetFraesen(true);
    pad.SetGlaetten(true);
    pad.SetStiftfarbe(colours::White);
    pad.SetBrushfarbe(colours::White);
    QImage bitmap(2, 2, QImage::Format_RGB32);
    pad.SetBtmap(&bitmap);
    EXPECT_TRUE(pad.KupferFlag());
    EXPECT_TRUE(pad.FuellenFlag());
    EXPECT_FALSE(pad.Fraesen());
    EXPECT_FALSE(pad.Glaetten());
    EXPECT_EQ(pad.Stiftfarbe(), colours::Black);
    EXPECT_EQ(pad.Brushfarbe(), 8421504u);
    EXPECT_EQ(pad.Btmap(), nullptr);
    EXPECT_EQ(pad.BauteilTyp, TBauteilTyp::btAuge);
}

TEST(AugeTest, ResizingASelectionMovesThePadButKeepsItsDiameter) {
    QImage image(10, 10, QImage::Format_RGB32);
    Canvas canvas(image);
    TAuge pad;
    pad.Centre = {1000, 1000};
    pad.Diameter = 1.8;
    pad.FitToRect({1000, 1000, 2000, 2000}, {500, 700, 2500, 3700});
    EXPECT_EQ(pad.Centre, QPoint(500, 700));
    EXPECT_EQ(pad.Diameter, 1.8);
    EXPECT_EQ(pad.GetBounds(canvas), (Rect{410, 610, 590, 790}));
}

TEST(AugeTest, Rotate90TurnsTheCentreClockwiseOnScreen) {
    TAuge pad;
    const QPoint c{1000, 1000};
    const std::pair<QPoint, QPoint> cases[] = {
        {{1254, 1000}, {1000, 1254}}, // right of the centre goes below it
        {{1000, 1254}, {746, 1000}},
        {{1000, 1000}, {1000, 1000}},
        {{1100, 900}, {1100, 1100}},
    };
    for (const auto& [from, to] : cases) {
        pad.Centre = from;
        pad.Rotate90(c, {3, 3});
        EXPECT_EQ(pad.Centre, to);
    }
}

// Two leads of a resistor remembered 1016 units apart, hole ends at node 0, body ends 300
// units inside; the pad sits in the middle of the body.
class PadStretchTest : public ::testing::Test {
protected:
    PadStretchTest() {
        first.Nodes = {{0, 0}, {300, 0}};
        second.Nodes = {{1016, 0}, {716, 0}};
        first.RememberedNodes = first.Nodes;
        second.RememberedNodes = second.Nodes;
        pad.Centre = {508, 0};
        pad.RememberShape();
    }

    TDraht first, second;
    TAuge pad;
};

TEST_F(PadStretchTest, FollowsTheFirstBodyEndAlongTheAxis) {
    // Second lead dragged to 1524: the body moves to the same fraction of the distance, and
    // the first body end with it (the lead's own stretching, done before the pad's).
    second.Nodes = {{1524, 0}, {970, 0}};
    first.Nodes = {{0, 0}, {554, 0}};
    pad.Stretch(&first, &second, 0.0, &second);
    EXPECT_EQ(pad.Centre, QPoint(762, 0));
}

TEST_F(PadStretchTest, TurnsWithTheAxis) {
    // The second hole end dragged straight up: the axis turns a quarter turn to the left.
    second.Nodes = {{0, -1016}, {0, -716}};
    first.Nodes = {{0, 0}, {0, -300}};
    pad.Stretch(&first, &second, double(Pi / 2), &second);
    EXPECT_EQ(pad.Centre, QPoint(0, -508));
}

TEST_F(PadStretchTest, StaysWithoutARememberedShape) {
    pad.ForgetShape();
    first.Nodes = {{0, 0}, {554, 0}};
    pad.Stretch(&first, &second, 0.0, &second);
    EXPECT_EQ(pad.Centre, QPoint(508, 0));
    // Leads without remembered nodes give nothing to stretch from either.
    pad.RememberShape();
    first.RememberedNodes.reset();
    pad.Stretch(&first, &second, 0.0, &second);
    EXPECT_EQ(pad.Centre, QPoint(508, 0));
    pad.Stretch(nullptr, &second, 0.0, &second);
    EXPECT_EQ(pad.Centre, QPoint(508, 0));
}

TEST_F(PadStretchTest, DrillingsStretchTheSameWay) {
    TBohrung drilling;
    drilling.Centre = {508, 0};
    drilling.RememberShape();
    second.Nodes = {{1524, 0}, {970, 0}};
    first.Nodes = {{0, 0}, {554, 0}};
    drilling.Stretch(&first, &second, 0.0, &second);
    EXPECT_EQ(drilling.Centre, QPoint(762, 0));
}

} // namespace
} // namespace karvel
