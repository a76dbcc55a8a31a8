// How wires, leads, pins, lines and shapes look in every state, probed pixel by pixel. The
// canvas maps ten board units to one pixel on a white picture.

#include "board/Platine.h"
#include "elements/CopperColours.h"
#include "elements/Draht.h"
#include "elements/SolderPointPicture.h"

#include <gtest/gtest.h>
#include <QtCore/QTemporaryDir>

namespace karvel {
namespace {

using Points = std::vector<QPoint>;

constexpr Colour Red = RgbColour(255, 0, 0);
constexpr Colour Blue = RgbColour(0, 0, 255);
constexpr Colour Green = RgbColour(0, 255, 0);
constexpr Colour Grey = 8421504;

// A horizontal wire from pixel (30, 100) to (170, 100), ten pixels wide.
const Points WireNodes{{300, 1000}, {1700, 1000}};
// A rectangle from pixel (20, 20) to (100, 80).
const Points BoxNodes{{200, 200}, {1000, 200}, {1000, 800}, {200, 800}};

class DrahtDrawTest : public ::testing::Test {
protected:
    DrahtDrawTest() { image.fill(Qt::white); }

    TDraht* Add(TBauteilTyp kind, Points nodes, int penWidth, Colour pen = Red) {
        auto wire = std::make_unique<TDraht>();
        wire->BauteilTyp = kind;
        wire->Nodes = std::move(nodes);
        wire->SetStiftbreite(std::int16_t(penWidth));
        wire->SetStiftfarbe(pen);
        wire->SetIstMarkiert(false);
        return static_cast<TDraht*>(board.Add(std::move(wire)));
    }
    TDraht* AddWire(TBauteilTyp kind = TBauteilTyp::btDraht) { return Add(kind, WireNodes, 100); }
    TDraht* AddBox(TBauteilTyp kind = TBauteilTyp::btRect) {
        TDraht* box = Add(kind, BoxNodes, 40, Blue);
        box->SetBrushfarbe(Green);
        return box;
    }

    template <typename F> void Paint(F&& f) {
        Canvas canvas(image);
        canvas.SetMapping({0, 0}, {10, 10}, {0, 0}, {1, 1});
        f(canvas);
    }
    void Draw(TBauteil& element) {
        Paint([&](Canvas& canvas) { element.Draw(canvas); });
    }
    Colour At(int x, int y) const { return FromQColor(image.pixelColor(x, y)); }

    ViewState view;
    TPlatine board{view};
    QImage image{200, 200, QImage::Format_RGB32};
};

// --- Wires and leads --------------------------------------------------------------------------

TEST_F(DrahtDrawTest, WireHasItsColourTinnedEndsAndAHighlight) {
    Draw(*AddWire());
    EXPECT_EQ(At(100, 96), Red) << "the wire";
    EXPECT_EQ(At(100, 100), colours::Silver) << "the highlight along its middle";
    EXPECT_EQ(At(100, 90), colours::White);
    EXPECT_EQ(At(27, 103), colours::Silver) << "the tinned first end";
    EXPECT_EQ(At(168, 102), colours::Silver) << "the tinned last end";
}

TEST_F(DrahtDrawTest, SilverWireGetsAWhiteHighlight) {
    TDraht* wire = AddWire();
    wire->SetStiftfarbe(colours::Silver);
    Draw(*wire);
    EXPECT_EQ(At(100, 100), colours::White);
    EXPECT_EQ(At(100, 96), colours::Silver);
}

TEST_F(DrahtDrawTest, LeadEndsInADotOfItsColourAtTheBody) {
    TDraht* lead = AddWire(TBauteilTyp::btAnschluss);
    Draw(*lead);
    EXPECT_EQ(At(27, 103), colours::Silver) << "the hole end is tinned";
    EXPECT_EQ(At(168, 102), Red) << "the body end is not";
    EXPECT_EQ(At(160, 100), colours::Silver) << "the highlight stops under the end dot";

    lead->SetIstMarkiert(true);
    Draw(*lead);
    EXPECT_EQ(At(170, 100), colours::Selected) << "a magenta dot marks the selected end";
}

TEST_F(DrahtDrawTest, OutlineModeDrawsAThinBlackLineOnly) {
    TDraht* wire = AddWire(TBauteilTyp::btAnschluss);
    wire->SetUmrissFlag(true);
    Draw(*wire);
    EXPECT_EQ(At(100, 100), colours::Black);
    EXPECT_EQ(At(100, 98), colours::White) << "ten units wide";
    EXPECT_EQ(At(27, 103), colours::White) << "no tinned ends";
    EXPECT_EQ(At(168, 102), colours::White) << "no end dot";
}

TEST_F(DrahtDrawTest, TestVoltageTurnsTheHighlightCyanEvenInOutlineMode) {
    TDraht* wire = AddWire();
    wire->SetHatTestSpannung(true);
    Draw(*wire);
    EXPECT_EQ(At(100, 100), colours::TestVoltage);
    EXPECT_EQ(At(100, 96), Red);

    image.fill(Qt::white);
    wire->SetUmrissFlag(true);
    Draw(*wire);
    EXPECT_EQ(At(100, 100), colours::TestVoltage);
    EXPECT_EQ(At(27, 103), colours::Silver) << "the ends show as well";
}

TEST_F(DrahtDrawTest, SelectedWireShowsItsNodePolylineAndNodeMarkers) {
    TDraht* wire = AddWire();
    wire->SetIstMarkiert(true);
    Draw(*wire);
    EXPECT_EQ(At(100, 100), colours::Selected);
    EXPECT_EQ(At(100, 101), colours::Selected) << "half the pen wide";
    EXPECT_EQ(At(100, 96), Red);
    EXPECT_EQ(At(25, 97), colours::Black) << "the left side of the first node's marker";
    EXPECT_EQ(At(165, 104), colours::Black) << "the left side of the last node's marker";

    image.fill(Qt::white);
    wire->InGroup = true;
    Draw(*wire);
    EXPECT_EQ(At(100, 100), colours::Selected);
    EXPECT_NE(At(25, 97), colours::Black) << "grouped elements show no node markers";
}

TEST_F(DrahtDrawTest, GhostOfTheOtherSideIsMaskedWithTheXRayColours) {
    TDraht* wire = AddWire();
    view.Loetseite = true;
    Draw(*wire);
    EXPECT_EQ(At(100, 96), colours::White) << "the other side is hidden without X-ray";

    view.Roentgen = true;
    Draw(*wire);
    // White AND NOT the ghost pen: the pen colour comes from the "XRayBrush" setting.
    const Colour ghost = ~view.XRay.Brush & 0xFFFFFF;
    EXPECT_EQ(At(100, 96), ghost);
    EXPECT_EQ(At(100, 100), ghost) << "no highlight on a ghost";
    // The tinned ends are masked once more, their inside by the brush ("XRayPen").
    EXPECT_EQ(At(27, 103), ghost & ~view.XRay.Pen);
}

// --- Pins and lines ---------------------------------------------------------------------------

TEST_F(DrahtDrawTest, PinIsAShortStrokeCyanUnderTestVoltage) {
    TDraht* pin = Add(TBauteilTyp::btPin, {{1000, 1000}, {1000, 1000}}, 100);
    Draw(*pin);
    EXPECT_EQ(At(100, 100), Red);
    EXPECT_EQ(At(100, 107), colours::White);
    pin->SetHatTestSpannung(true);
    Draw(*pin);
    EXPECT_EQ(At(100, 100), colours::TestVoltage);
    pin->SetIstMarkiert(true);
    Draw(*pin);
    EXPECT_EQ(At(100, 100), colours::Selected) << "selected pins are magenta, pen wide";
    EXPECT_EQ(At(96, 100), colours::Selected);
    EXPECT_EQ(At(95, 95), colours::White) << "and have no node markers";
}

TEST_F(DrahtDrawTest, LineOfPenWidthZeroIsInvisibleExceptInOutlineMode) {
    TDraht* line = Add(TBauteilTyp::btLine, WireNodes, 0);
    Draw(*line);
    EXPECT_EQ(At(100, 100), colours::White);
    line->SetUmrissFlag(true);
    Draw(*line);
    EXPECT_EQ(At(100, 100), colours::Black);

    TDraht* wide = Add(TBauteilTyp::btLine, {{300, 1500}, {1700, 1500}}, 60);
    Draw(*wide);
    EXPECT_EQ(At(100, 152), Red);
    EXPECT_EQ(At(100, 155), colours::White);
}

// --- Rectangles and polygons ------------------------------------------------------------------

TEST_F(DrahtDrawTest, FilledShapeHasItsBrushInsideAndItsPenOnTheEdge) {
    TDraht* box = AddBox();
    box->SetFuellenFlag(true);
    Draw(*box);
    EXPECT_EQ(At(60, 50), Green);
    EXPECT_EQ(At(20, 50), Blue);
    EXPECT_EQ(At(60, 85), colours::White);
}

TEST_F(DrahtDrawTest, UnfilledAndOutlinedShapesLeaveTheInsideAlone) {
    TDraht* box = AddBox(TBauteilTyp::btPolygon);
    Draw(*box);
    EXPECT_EQ(At(60, 50), colours::White);
    EXPECT_EQ(At(20, 50), Blue);

    box->SetFuellenFlag(true);
    box->SetUmrissFlag(true);
    Draw(*box);
    EXPECT_EQ(At(60, 50), colours::White) << "outline mode draws no areas";
    EXPECT_EQ(At(20, 50), colours::Black);
    EXPECT_EQ(At(22, 50), colours::White) << "ten units wide";
}

class DrahtBitmapDrawTest : public DrahtDrawTest {
protected:
    // Red, except the middle pixel, which is one of the five the average is taken from.
    TDraht* AddBitmapBox() {
        QImage picture(10, 10, QImage::Format_RGB32);
        picture.fill(Qt::red);
        picture.setPixelColor(5, 5, Qt::blue);
        const QString path = dir.filePath(QStringLiteral("fill.bmp"));
        EXPECT_TRUE(picture.save(path, "BMP"));
        TDraht* box = AddBox(TBauteilTyp::btPolygon);
        box->LoadFillBitmap(path);
        return box;
    }
    QTemporaryDir dir;
};

TEST_F(DrahtBitmapDrawTest, FillBitmapIsStretchedOverTheShape) {
    Draw(*AddBitmapBox());
    EXPECT_EQ(At(30, 30), Red);
    EXPECT_EQ(At(20, 50), Blue) << "the outline is drawn over the bitmap";
    EXPECT_EQ(At(60, 85), colours::White);
}

TEST_F(DrahtBitmapDrawTest, WithoutBitmapRenderingTheShapeIsFilledWithTheBitmapAverage) {
    TDraht* box = AddBitmapBox();
    view.BitmapRendering = false;
    Draw(*box);
    // Four red probes and a blue one, each channel averaged with integer division.
    EXPECT_EQ(At(30, 30), RgbColour(204, 0, 51));
}

TEST_F(DrahtDrawTest, MilledShapeIsGreyWithASilverPathOnEitherSide) {
    TDraht* box = AddBox(TBauteilTyp::btPolygon);
    box->SetFraesen(true);
    view.Loetseite = true; // the other side, without X-ray
    Draw(*box);
    EXPECT_EQ(At(60, 50), Grey) << "milled shapes are filled";
    EXPECT_EQ(At(20, 50), colours::Silver) << "the milling path";
    EXPECT_EQ(At(21, 50), Grey) << "the pen, grey as well";

    image.fill(Qt::white);
    box->SetUmrissFlag(true);
    Draw(*box);
    EXPECT_EQ(At(21, 50), Grey) << "keeps its own pen width in outline mode";
}

struct CopperCase {
    bool outline, unused, testVoltage;
    Colour (*expected)(const ViewState&);
};

void PrintTo(const CopperCase& c, std::ostream* os) {
    *os << (c.outline ? "outline" : "colour") << (c.unused ? ", unused" : "")
        << (c.testVoltage ? ", test voltage" : "");
}

class DrahtCopperDrawTest : public DrahtDrawTest,
                            public ::testing::WithParamInterface<CopperCase> {};

TEST_P(DrahtCopperDrawTest, CopperAreaColourFollowsTheAnalyses) {
    const CopperCase c = GetParam();
    TDraht* copper = Add(TBauteilTyp::btPolygon, BoxNodes, 0);
    copper->SetKupferFlag(true);
    copper->SetUmrissFlag(c.outline);
    copper->SetIstFreierBereich(c.unused);
    copper->SetHatTestSpannung(c.testVoltage);
    Draw(*copper);
    EXPECT_EQ(At(60, 50), c.expected(view));
    EXPECT_EQ(At(60, 85), colours::White);
}

INSTANTIATE_TEST_SUITE_P(
    States, DrahtCopperDrawTest,
    ::testing::Values(
        CopperCase{false, false, false,
                   [](const ViewState& v) { return CopperColours::For(v).Copper; }},
        CopperCase{true, false, false, [](const ViewState&) { return Colour(15395562); }},
        CopperCase{false, true, false, [](const ViewState&) { return colours::Unused; }},
        CopperCase{true, true, false, [](const ViewState&) { return colours::Unused; }},
        CopperCase{false, true, true, [](const ViewState&) { return colours::TestVoltage; }}));

TEST_F(DrahtDrawTest, CopperColoursAreGivenBackAfterDrawing) {
    TDraht* copper = Add(TBauteilTyp::btPolygon, BoxNodes, 0);
    copper->SetKupferFlag(true);
    Paint([&](Canvas& canvas) {
        canvas.SetPen(Red);
        canvas.SetBrush(Blue);
        copper->DrawContour(canvas);
        EXPECT_EQ(canvas.PenColour(), Red);
        EXPECT_EQ(canvas.BrushColour(), Blue);
    });
}

TEST_F(DrahtDrawTest, FewerThanTwoNodesDrawNothing) {
    TDraht* wire = Add(TBauteilTyp::btDraht, {{1000, 1000}}, 100);
    Draw(*wire);
    EXPECT_EQ(At(100, 100), colours::White);
}

// --- Solder joints ----------------------------------------------------------------------------

TEST_F(DrahtDrawTest, SolderJointsSeenFromTheComponentSideAreSmallBlackDots) {
    TDraht* wire = AddWire();
    Paint([&](Canvas& canvas) { wire->DrawSolderJoints(canvas); });
    EXPECT_EQ(At(30, 100), colours::Black);
    EXPECT_EQ(At(170, 100), colours::Black);
    EXPECT_EQ(At(30, 105), colours::White) << "radius 35 units";
    EXPECT_EQ(At(100, 100), colours::White);
}

TEST_F(DrahtDrawTest, SolderJointsSeenFromTheSolderSideAreSilverDiscs) {
    view.Loetseite = true;
    view.BitmapRendering = false;
    TDraht* lead = AddWire(TBauteilTyp::btAnschluss);
    Paint([&](Canvas& canvas) { lead->DrawSolderJoints(canvas); });
    EXPECT_EQ(At(30, 100), colours::Silver);
    EXPECT_EQ(At(37, 100), colours::Silver) << "radius 100 units";
    EXPECT_EQ(At(30, 88), colours::White);
    EXPECT_EQ(At(170, 100), colours::White) << "a lead has a joint at its hole end only";
}

TEST_F(DrahtDrawTest, SolderJointsOnTheSolderSideShowTheSolderPointPictureInTheirCircle) {
    view.Loetseite = true;
    TDraht* pin = Add(TBauteilTyp::btPin, {{1000, 1000}, {1000, 1000}}, 50);
    Paint([&](Canvas& canvas) { pin->DrawSolderJoints(canvas); });
    // The picture stretched over the square 90..110: the pixel at its middle shows the
    // picture's middle; the square's corner, outside the circle, is left alone.
    const QImage& picture = SolderPointPicture(view.ProgramFolder, view.Sprache);
    ASSERT_FALSE(picture.isNull());
    const QImage stretched = picture.scaled(20, 20);
    EXPECT_EQ(At(100, 100), FromQColor(stretched.pixelColor(10, 10)));
    EXPECT_EQ(At(91, 91), colours::White);
}

TEST_F(DrahtDrawTest, SolderJointsInOutlineModeAreCrosses) {
    TDraht* wire = AddWire();
    wire->SetUmrissFlag(true);
    view.Loetseite = true;
    Paint([&](Canvas& canvas) { wire->DrawSolderJoints(canvas); });
    // The diagonals of the square ± 35 units: pixels 27..34 around (30, 100).
    EXPECT_EQ(At(30, 100), colours::Black);
    EXPECT_EQ(At(28, 98), colours::Black);
    EXPECT_EQ(At(33, 98), colours::Black);
    EXPECT_EQ(At(30, 97), colours::White);
    EXPECT_EQ(At(33, 100), colours::White);
}

TEST_F(DrahtDrawTest, LinesAndShapesHaveNoSolderJoints) {
    TDraht* line = Add(TBauteilTyp::btLine, WireNodes, 100);
    Paint([&](Canvas& canvas) { line->DrawSolderJoints(canvas); });
    EXPECT_EQ(At(30, 100), colours::White);
}

// --- Preview ----------------------------------------------------------------------------------

TEST_F(DrahtDrawTest, PreviewFollowsTheDraggedNodeAndErasesItself) {
    TDraht* wire = Add(TBauteilTyp::btDraht, WireNodes, 20);
    QPoint& end = wire->Nodes.back();
    auto show = [&] { Paint([&](Canvas& canvas) { wire->ShowGhost(end, canvas); }); };

    end = {1700, 1500};
    show();
    EXPECT_EQ(At(100, 125), colours::Black) << "the line to the dragged end";
    end = {1700, 500};
    show();
    EXPECT_EQ(At(100, 125), colours::White) << "the earlier preview is erased";
    EXPECT_EQ(At(100, 75), colours::Black);
    Paint([&](Canvas& canvas) { wire->HideGhost(canvas, wire->GhostPos()); });
    EXPECT_EQ(At(100, 75), colours::White);
    EXPECT_EQ(At(30, 100), colours::White);
}

TEST_F(DrahtDrawTest, PreviewOfAClosedShapeIncludesTheClosingSide) {
    TDraht* box = AddBox(TBauteilTyp::btPolygon);
    Paint([&](Canvas& canvas) { box->DrawGhost(canvas, box->Nodes[0]); });
    EXPECT_EQ(At(20, 50), colours::Black);
    EXPECT_EQ(At(60, 50), colours::White);
}

} // namespace
} // namespace karvel
