// Where wires, lines and shapes are hit: segment hulls, regions, hit tests, rubber bands and
// node grabbing. The canvas maps one board unit to one pixel, so device points read as units.

#include "board/Platine.h"
#include "elements/Draht.h"
#include "elements/DrahtFest.h"

#include <gtest/gtest.h>

namespace karvel {
namespace {

using Points = std::vector<QPoint>;

class DrahtHitTest : public ::testing::Test {
protected:
    TDraht* Add(TBauteilTyp kind, Points nodes, int penWidth = 50) {
        auto wire = std::make_unique<TDraht>();
        wire->BauteilTyp = kind;
        wire->Nodes = std::move(nodes);
        wire->SetStiftbreite(std::int16_t(penWidth));
        return static_cast<TDraht*>(board.Add(std::move(wire)));
    }

    ViewState view;
    TPlatine board{view};
    QImage image{8, 8, QImage::Format_RGB32};
    Canvas canvas{image};
};

// --- Segment hulls ----------------------------------------------------------------------------

TEST_F(DrahtHitTest, SegmentHullIsAHexagonOfHalfWidthGAroundTheSegment) {
    TDraht* wire = Add(TBauteilTyp::btDraht, {});
    wire->BuildSegmentHull({3000, 1000}, {1000, 1000}); // given right to left
    const std::array<QPoint, 7> expected{QPoint(1000, 1040), QPoint(960, 1000),  QPoint(1000, 960),
                                         QPoint(3000, 960),  QPoint(3040, 1000), QPoint(3000, 1040),
                                         QPoint(1000, 1040)};
    EXPECT_EQ(wire->SegmentHull, expected);
}

TEST_F(DrahtHitTest, CoincidentNodesStillGiveAHullWithArea) {
    TDraht* wire = Add(TBauteilTyp::btDraht, {});
    wire->BuildSegmentHull({0, 0}, {0, 0});
    const std::array<QPoint, 7> expected{QPoint(-40, 40), QPoint(-40, -40), QPoint(40, -40),
                                         QPoint(41, -39), QPoint(41, 41),   QPoint(-39, 41),
                                         QPoint(-40, 40)};
    EXPECT_EQ(wire->SegmentHull, expected);
    const Region hull = Region::FromPolygon(wire->SegmentHull, FillMode::Winding);
    EXPECT_TRUE(hull.Contains({0, 0}));
    EXPECT_TRUE(hull.Contains({30, -30}));
}

struct HalfWidthCase {
    int penWidth;
    int offset; // from the wire's axis, across it
    bool hit;
};

void PrintTo(const HalfWidthCase& c, std::ostream* os) {
    *os << "pen " << c.penWidth << ", " << c.offset << " off the axis";
}

class DrahtHalfWidthTest : public DrahtHitTest,
                           public ::testing::WithParamInterface<HalfWidthCase> {};

TEST_P(DrahtHalfWidthTest, WireIsHitWithinItsHullOnly) {
    const HalfWidthCase c = GetParam();
    TDraht* wire = Add(TBauteilTyp::btDraht, {{1000, 1000}, {3000, 1000}}, c.penWidth);
    EXPECT_EQ(wire->HitTest({2000, 1000 + c.offset}, canvas), c.hit) << c.offset;
    EXPECT_EQ(wire->HitTest({2000, 1000 - c.offset}, canvas), c.hit) << -c.offset;
}

// Pens narrower than 20 units still get a hull of half width 20; wider ones 0.8 of the pen.
INSTANTIATE_TEST_SUITE_P(PenWidths, DrahtHalfWidthTest,
                         ::testing::Values(HalfWidthCase{10, 0, true}, HalfWidthCase{10, 18, true},
                                           HalfWidthCase{10, 22, false},
                                           HalfWidthCase{50, 38, true},
                                           HalfWidthCase{50, 42, false},
                                           HalfWidthCase{100, 78, true},
                                           HalfWidthCase{100, 82, false}));

// --- Hit tests --------------------------------------------------------------------------------

TEST_F(DrahtHitTest, NodeSquaresAreHitAheadOfTheHull) {
    TDraht* wire = Add(TBauteilTyp::btDraht, {{1000, 1000}, {3000, 1000}}, 10);
    // Beside the first node, outside the hull of half width 20 but inside the node square.
    EXPECT_TRUE(wire->HitTest({1050, 1050}, canvas));
    EXPECT_FALSE(wire->HitTest({1060, 1000 + 24}, canvas)) << "beyond the square and the hull";
    // Beyond the last node the square reaches further than the hull.
    EXPECT_TRUE(wire->HitTest({3054, 1000}, canvas));
}

TEST_F(DrahtHitTest, ElementsOffTheWorkingSideAreNotHit) {
    TDraht* wire = Add(TBauteilTyp::btDraht, {{1000, 1000}, {3000, 1000}});
    view.Loetseite = true;
    view.Roentgen = true; // even drawn as a ghost
    EXPECT_FALSE(wire->HitTest({2000, 1000}, canvas));
    wire->SetIstAufLoetseite(true);
    EXPECT_TRUE(wire->HitTest({2000, 1000}, canvas));
}

TEST_F(DrahtHitTest, SmoothedLineIsHitOnItsCurveNotOnTheCutCorner) {
    TDraht* line = Add(TBauteilTyp::btLine, {{0, 0}, {2000, 0}, {2000, 2000}}, 10);
    EXPECT_TRUE(line->HitTest({1900, 0}, canvas)) << "near the sharp corner";
    line->SetGlaetten(true);
    line->SetGlaettenStil(TGlaettenStil::glFase);
    line->SetGlaettenBetrag(1000.0);
    EXPECT_FALSE(line->HitTest({1900, 0}, canvas)) << "cut off by the chamfer";
    EXPECT_TRUE(line->HitTest({1500, 500}, canvas)) << "on the chamfer";
}

TEST_F(DrahtHitTest, OutlinedPolygonIsHitOnItsEdgesOnly) {
    TDraht* shape = Add(TBauteilTyp::btPolygon, {{0, 0}, {2000, 0}, {2000, 2000}, {0, 2000}}, 10);
    EXPECT_TRUE(shape->HitTest({1000, 0}, canvas));
    EXPECT_TRUE(shape->HitTest({0, 1000}, canvas)) << "the closing edge";
    EXPECT_FALSE(shape->HitTest({1000, 1000}, canvas)) << "inside";

    shape->SetFuellenFlag(true);
    EXPECT_TRUE(shape->HitTest({1000, 1000}, canvas));
    EXPECT_FALSE(shape->HitTest({1000, 2040}, canvas)) << "outside, within the redraw area";
}

TEST_F(DrahtHitTest, SmoothedPolygonIsHitOnItsClosingNodeSegmentToo) {
    // The spline runs inside the corners, but the straight segment from the last node back to
    // the first still counts.
    TDraht* shape = Add(TBauteilTyp::btPolygon, {{0, 0}, {2000, 0}, {2000, 2000}, {0, 2000}}, 10);
    shape->SetGlaetten(true);
    EXPECT_TRUE(shape->HitTest({0, 1900}, canvas)) << "near the corner, on the closing segment";
    EXPECT_FALSE(shape->HitTest({2000, 1900}, canvas)) << "the same spot on a spline-only side";
}

// --- Regions ----------------------------------------------------------------------------------

TEST_F(DrahtHitTest, WireRegionIsItsHullsAndNodeSquares) {
    TDraht* wire = Add(TBauteilTyp::btAnschluss, {{1000, 1000}, {3000, 1000}}, 10);
    const std::optional<Region> region = wire->CreateRegion(canvas);
    ASSERT_TRUE(region);
    EXPECT_TRUE(region->Contains({2000, 1018}));
    EXPECT_FALSE(region->Contains({2000, 1025}));
    EXPECT_TRUE(region->Contains({946, 946})) << "corner of the node square";
    EXPECT_FALSE(region->Contains({944, 1000}));
}

TEST_F(DrahtHitTest, ShapeRegionIsTheAreaWhenFilledElseTheOutline) {
    TDraht* shape = Add(TBauteilTyp::btRect, {{0, 0}, {2000, 0}, {2000, 2000}, {0, 2000}}, 10);
    std::optional<Region> region = shape->CreateRegion(canvas);
    ASSERT_TRUE(region);
    EXPECT_TRUE(region->Contains({1000, 10}));
    EXPECT_FALSE(region->Contains({1000, 1000}));
    shape->SetFuellenFlag(true);
    region = shape->CreateRegion(canvas);
    ASSERT_TRUE(region);
    EXPECT_TRUE(region->Contains({1000, 1000}));
    EXPECT_FALSE(region->Contains({1000, 2010})) << "the filled area ends at its edge";
}

TEST_F(DrahtHitTest, PinRegionIsItsPenSquare) {
    TDraht* pin = Add(TBauteilTyp::btPin, {{1000, 1000}, {1000, 1000}}, 60);
    const std::optional<Region> region = pin->CreateRegion(canvas);
    ASSERT_TRUE(region);
    EXPECT_EQ(region->Bounds(), (Rect{970, 970, 1030, 1030}));
    EXPECT_FALSE(Add(TBauteilTyp::btNone, {{0, 0}, {10, 10}})->CreateRegion(canvas));
}

// --- Rubber bands -----------------------------------------------------------------------------

TEST_F(DrahtHitTest, RubberBandCatchesTheOutlineOrTheArea) {
    TDraht* shape = Add(TBauteilTyp::btPolygon, {{0, 0}, {2000, 0}, {2000, 2000}, {0, 2000}}, 10);
    EXPECT_TRUE(shape->IntersectsRect({1900, 900, 2100, 1100}, canvas));
    EXPECT_TRUE(shape->IntersectsRect({2100, 1100, 1900, 900}, canvas)) << "drawn backwards";
    EXPECT_FALSE(shape->IntersectsRect({800, 800, 1200, 1200}, canvas)) << "inside the outline";
    EXPECT_FALSE(shape->IntersectsRect({2100, 0, 2300, 100}, canvas)) << "outside the bounds";
    shape->SetFuellenFlag(true);
    EXPECT_TRUE(shape->IntersectsRect({800, 800, 1200, 1200}, canvas));
}

TEST_F(DrahtHitTest, RubberBandIgnoresNodeSquares) {
    TDraht* shape = Add(TBauteilTyp::btPolygon, {{0, 0}, {2000, 0}, {2000, 2000}, {0, 2000}}, 10);
    // Inside the corner's node square, clear of the edges' hulls.
    EXPECT_TRUE(shape->HitTest({45, 45}, canvas));
    EXPECT_FALSE(shape->IntersectsRect({40, 40, 50, 50}, canvas));
    EXPECT_TRUE(shape->IntersectsRect({10, 40, 50, 50}, canvas)) << "touches the left edge";
}

// --- Node grabbing ----------------------------------------------------------------------------

struct NodeCase {
    TBauteilTyp kind;
    bool inGroup;
    std::array<bool, 3> grabbable; // first, middle, last node
};

void PrintTo(const NodeCase& c, std::ostream* os) {
    *os << "kind " << int(c.kind) << (c.inGroup ? " in a group" : "");
}

class DrahtNodeAtTest : public DrahtHitTest, public ::testing::WithParamInterface<NodeCase> {};

TEST_P(DrahtNodeAtTest, GroupedElementsAreGrabbedAtTheirEndsOnly) {
    const NodeCase c = GetParam();
    TDraht* wire = Add(c.kind, {{0, 0}, {1000, 0}, {1000, 1000}});
    wire->InGroup = c.inGroup;
    for (std::size_t i = 0; i < 3; ++i) {
        QPoint* node = wire->NodeAt(wire->Nodes[i] + QPoint(20, -30), canvas);
        EXPECT_EQ(node, c.grabbable[i] ? &wire->Nodes[i] : nullptr) << "node " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, DrahtNodeAtTest,
    ::testing::Values(NodeCase{TBauteilTyp::btDraht, false, {true, true, true}},
                      NodeCase{TBauteilTyp::btDraht, true, {true, false, true}},
                      NodeCase{TBauteilTyp::btAnschluss, false, {true, true, true}},
                      NodeCase{TBauteilTyp::btAnschluss, true, {true, false, false}},
                      NodeCase{TBauteilTyp::btLine, true, {true, false, false}},
                      NodeCase{TBauteilTyp::btPin, false, {false, false, false}}));

TEST_F(DrahtHitTest, NodeSquareLeavesOutItsRightAndBottomEdges) {
    TDraht* wire = Add(TBauteilTyp::btLine, {{1000, 1000}, {3000, 1000}});
    EXPECT_EQ(wire->NodeAt({950, 950}, canvas), &wire->Nodes[0]);
    EXPECT_EQ(wire->NodeAt({1049, 1049}, canvas), &wire->Nodes[0]);
    EXPECT_EQ(wire->NodeAt({1050, 1000}, canvas), nullptr);
    EXPECT_EQ(wire->NodeAt({1000, 1050}, canvas), nullptr);
}

TEST_F(DrahtHitTest, OfOverlappingNodesTheLastIsGrabbed) {
    TDraht* wire = Add(TBauteilTyp::btLine, {{1000, 1000}, {1000, 1000}, {3000, 1000}});
    EXPECT_EQ(wire->NodeAt({1000, 1000}, canvas), &wire->Nodes[1]);
}

TEST_F(DrahtHitTest, FixedWireIsNeverHitGrabbedMovedOrCaught) {
    auto fixed = std::make_unique<TDrahtFest>();
    fixed->Nodes = {{1000, 1000}, {3000, 1000}};
    TDraht* wire = static_cast<TDraht*>(board.Add(std::move(fixed)));
    EXPECT_FALSE(wire->HitTest({2000, 1000}, canvas));
    EXPECT_EQ(wire->NodeAt({1000, 1000}, canvas), nullptr);
    EXPECT_FALSE(wire->IntersectsRect({0, 0, 4000, 4000}, canvas));
    wire->MoveBy(100, 100);
    EXPECT_EQ(wire->Nodes.front(), QPoint(1000, 1000));
}

} // namespace
} // namespace karvel
