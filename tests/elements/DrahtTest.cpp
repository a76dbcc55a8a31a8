// The node model of wires, leads, lines, rectangles, polygons and pins: texts, kinds, setters,
// shape changes, contacts, bounds, stretching and fill bitmaps.

#include "elements/Draht.h"
#include "board/Platine.h"
#include "elements/DrahtFest.h"
#include "elements/Geometry.h"
#include "platform/RepaintTarget.h"

#include <gtest/gtest.h>
#include <QtCore/QLocale>
#include <QtCore/QTemporaryDir>

namespace karvel {
namespace {

using Points = std::vector<QPoint>;

std::unique_ptr<TDraht> MakeWire(TBauteilTyp kind, Points nodes) {
    auto wire = std::make_unique<TDraht>();
    wire->BauteilTyp = kind;
    wire->Nodes = std::move(nodes);
    return wire;
}

// A board in either language to hold the element whose texts are asked for.
struct TextBoard {
    ViewState view;
    TPlatine board{view};
    explicit TextBoard(Language language) { view.Sprache = language; }
    TDraht* Add(TBauteilTyp kind, Points nodes) {
        return static_cast<TDraht*>(board.Add(MakeWire(kind, std::move(nodes))));
    }
};

const Points RectangleNodes{{0, 0}, {1000, 0}, {1000, 500}, {0, 500}};

// --- Kind names and measure texts -------------------------------------------------------------

struct TextCase {
    TBauteilTyp kind;
    Points nodes;
    const char* german;
    const char* english;
};

void PrintTo(const TextCase& c, std::ostream* os) {
    *os << c.english;
}

class DrahtKindNameTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(DrahtKindNameTest, InBothLanguages) {
    const TextCase& c = GetParam();
    TextBoard german(Language::German), english(Language::English);
    EXPECT_EQ(german.Add(c.kind, c.nodes)->GetKindName(), QString::fromUtf8(c.german));
    EXPECT_EQ(english.Add(c.kind, c.nodes)->GetKindName(), QString::fromUtf8(c.english));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, DrahtKindNameTest,
    ::testing::Values(
        // Four hole pitches: the hole distance is named.
        TextCase{TBauteilTyp::btDraht,
                 {{0, 127}, {1016, 127}},
                 "Draht Lochabstand 4",
                 "wire: hole distance 4"},
        // Bent, 2 + 3 pitches in all.
        TextCase{TBauteilTyp::btDraht,
                 {{0, 127}, {508, 127}, {508, 889}},
                 "Draht Lochabstand 5",
                 "wire: hole distance 5"},
        TextCase{TBauteilTyp::btDraht, {{0, 0}, {1000, 0}}, "Draht", "wire"},
        TextCase{TBauteilTyp::btAnschluss, {{0, 0}, {254, 0}}, "Bauteilanschluß", "Lead"},
        TextCase{TBauteilTyp::btLine, {{0, 0}, {254, 0}}, "Linie", "Line"},
        TextCase{TBauteilTyp::btRect, RectangleNodes, "Rechteck", "Rectangle"},
        TextCase{TBauteilTyp::btPolygon, {{0, 0}, {500, 0}, {0, 500}}, "Polygon", "Polygon"},
        TextCase{TBauteilTyp::btPin, {{0, 0}, {0, 0}}, "Pin", "Pin"},
        TextCase{TBauteilTyp::btDrahtFest, {{0, 0}, {254, 0}}, "", ""}));

class DrahtMeasureTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(DrahtMeasureTextTest, InBothLanguages) {
    const TextCase& c = GetParam();
    TextBoard german(Language::German), english(Language::English);
    EXPECT_EQ(german.Add(c.kind, c.nodes)->GetMeasureText(), QString::fromUtf8(c.german));
    EXPECT_EQ(english.Add(c.kind, c.nodes)->GetMeasureText(), QString::fromUtf8(c.english));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, DrahtMeasureTextTest,
    ::testing::Values(
        TextCase{TBauteilTyp::btDraht, {{0, 127}, {1016, 127}}, "L = 10.16 mm", "L = 10.16 mm"},
        TextCase{TBauteilTyp::btAnschluss, {{0, 0}, {300, 400}}, "L = 5 mm", "L = 5 mm"},
        TextCase{TBauteilTyp::btLine, {{0, 0}, {254, 0}, {254, 254}}, "3 Knoten", "3 Points"},
        TextCase{TBauteilTyp::btPolygon, {{0, 0}, {500, 0}, {0, 500}}, "3 Knoten", "3 Points"},
        TextCase{TBauteilTyp::btRect, RectangleNodes, "10 x 5 mm", "10 x 5 mm"},
        TextCase{TBauteilTyp::btPin, {{0, 0}, {0, 0}}, "", ""}));

TEST(DrahtTextTest, MeasureTextsUseTheSystemDecimalSeparatorWithoutGrouping) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    TextBoard board(Language::English);
    const QString wire = board.Add(TBauteilTyp::btDraht, {{0, 0}, {1016, 0}})->GetMeasureText();
    const QString longWire =
        board.Add(TBauteilTyp::btDraht, {{0, 0}, {254050, 0}})->GetMeasureText();
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(wire, QStringLiteral("L = 10,16 mm"));
    EXPECT_EQ(longWire, QStringLiteral("L = 2540,5 mm"));
}

// --- Rectangles and polygons ------------------------------------------------------------------

TEST(DrahtTest, IsRectangleNeedsAClosedKindAndAnAxisParallelCornerOrder) {
    auto shape = MakeWire(TBauteilTyp::btPolygon, RectangleNodes);
    EXPECT_TRUE(shape->IsRectangle());
    shape->Nodes.push_back({500, 800}); // a fifth node does not matter
    EXPECT_TRUE(shape->IsRectangle());
    shape->Nodes = {{0, 0}, {0, 500}, {1000, 500}, {1000, 0}}; // the other way round
    EXPECT_FALSE(shape->IsRectangle());
    shape->Nodes = {{0, 0}, {1000, 0}, {1000, 500}};
    EXPECT_FALSE(shape->IsRectangle()) << "three nodes";
    shape->Nodes = RectangleNodes;
    shape->BauteilTyp = TBauteilTyp::btLine;
    EXPECT_FALSE(shape->IsRectangle()) << "an open kind";
}

TEST(DrahtTest, TextsReclassifyRectanglesAndPolygons) {
    TextBoard board(Language::German);
    Points fiveNodes = RectangleNodes;
    fiveNodes.push_back({-200, 250});
    TDraht* polygon = board.Add(TBauteilTyp::btPolygon, fiveNodes);
    EXPECT_EQ(polygon->GetKindName(), QStringLiteral("Rechteck"));
    EXPECT_EQ(polygon->BauteilTyp, TBauteilTyp::btRect);

    TDraht* skewed = board.Add(TBauteilTyp::btRect, {{0, 0}, {1000, 0}, {900, 500}, {0, 500}});
    EXPECT_EQ(skewed->GetMeasureText(), QStringLiteral("4 Knoten"));
    EXPECT_EQ(skewed->BauteilTyp, TBauteilTyp::btPolygon);

    TDraht* line = board.Add(TBauteilTyp::btLine, RectangleNodes);
    EXPECT_EQ(line->GetKindName(), QStringLiteral("Linie"));
    EXPECT_EQ(line->BauteilTyp, TBauteilTyp::btLine) << "open kinds keep their kind";
}

// --- Setters ----------------------------------------------------------------------------------

struct SetterCase {
    TBauteilTyp kind;
    bool keepsFill;
    bool keepsMilling;
};

void PrintTo(const SetterCase& c, std::ostream* os) {
    *os << "kind " << int(c.kind);
}

class DrahtSetterTest : public ::testing::TestWithParam<SetterCase> {};

TEST_P(DrahtSetterTest, FillAndMillingFollowTheKind) {
    const SetterCase c = GetParam();
    auto wire = MakeWire(c.kind, {{0, 0}, {254, 0}});
    wire->SetFuellenFlag(true);
    wire->SetFraesen(true);
    EXPECT_EQ(wire->FuellenFlag(), c.keepsFill);
    EXPECT_EQ(wire->Fraesen(), c.keepsMilling);
}

INSTANTIATE_TEST_SUITE_P(Kinds, DrahtSetterTest,
                         ::testing::Values(SetterCase{TBauteilTyp::btDraht, false, false},
                                           SetterCase{TBauteilTyp::btAnschluss, false, false},
                                           SetterCase{TBauteilTyp::btLine, false, true},
                                           SetterCase{TBauteilTyp::btPin, false, false},
                                           SetterCase{TBauteilTyp::btRect, true, true},
                                           SetterCase{TBauteilTyp::btPolygon, true, true},
                                           SetterCase{TBauteilTyp::btDrahtFest, true, false}));

TEST(DrahtTest, DefaultsOfAWireAndAFixedWire) {
    const TDraht wire;
    EXPECT_EQ(wire.BauteilTyp, TBauteilTyp::btDraht);
    EXPECT_EQ(wire.Stiftbreite(), 50);
    EXPECT_EQ(wire.Stiftfarbe(), colours::White);
    EXPECT_TRUE(wire.IstMarkiert());
    EXPECT_FALSE(wire.Glaetten());
    EXPECT_EQ(wire.GlaettenBetrag(), 200.0);
    EXPECT_EQ(wire.ContourStep, 0.05);

    TDrahtFest fixed;
    EXPECT_EQ(fixed.BauteilTyp, TBauteilTyp::btDrahtFest);
    fixed.SetIstMarkiert(true);
    EXPECT_FALSE(fixed.IstMarkiert()) << "a fixed wire is never selected";
    EXPECT_EQ(fixed.GetContactCount(), 0);
}

// --- Shape changes ----------------------------------------------------------------------------

TEST(DrahtTest, Rotate90TurnsNodesAndAnchorsButNotTheRememberedShape) {
    auto wire = MakeWire(TBauteilTyp::btDraht, {{254, 127}, {762, 381}});
    wire->Anchors = {{1, 0}, {3, 1}};
    wire->RememberShape();
    wire->Rotate90({508, 254}, {2, 1});
    // (x, y) -> (c.x + c.y - y, x - c.x + c.y)
    EXPECT_EQ(wire->Nodes, (Points{{635, 0}, {381, 508}}));
    EXPECT_EQ(wire->Anchors, (Points{{3, 0}, {2, 2}}));
    EXPECT_EQ(*wire->RememberedNodes, (Points{{254, 127}, {762, 381}}));
}

TEST(DrahtTest, ScaleRoundsHalvesToEvenAndScalesTheSmoothingAmount) {
    auto shape = MakeWire(TBauteilTyp::btPolygon, {{100, 100}, {101, 103}, {105, 100}});
    shape->RememberShape();
    shape->Scale({100, 100}, 2.5, 0.5);
    // 100 + 2.5 * 1 = 102.5 -> 102; 100 + 0.5 * 3 = 101.5 -> 102; 100 + 2.5 * 5 = 112.5 -> 112
    EXPECT_EQ(shape->Nodes, (Points{{100, 100}, {102, 102}, {112, 100}}));
    EXPECT_DOUBLE_EQ(shape->GlaettenBetrag(), 200.0 * 1.5);
    EXPECT_EQ(shape->RememberedNodes->at(1), QPoint(101, 103)) << "the shape to stretch from stays";
}

TEST(DrahtTest, MoveByMovesNodesAndTheRememberedShape) {
    auto wire = MakeWire(TBauteilTyp::btDraht, {{0, 0}, {254, 0}});
    wire->RememberShape();
    wire->MoveBy(10, -20);
    EXPECT_EQ(wire->Nodes, (Points{{10, -20}, {264, -20}}));
    EXPECT_EQ(*wire->RememberedNodes, wire->Nodes);
    wire->ForgetShape();
    EXPECT_FALSE(wire->RememberedNodes.has_value());
}

// --- Contacts ---------------------------------------------------------------------------------

TEST(DrahtTest, ContactsByKind) {
    auto wire = MakeWire(TBauteilTyp::btDraht, {{0, 0}, {500, 0}, {500, 500}});
    std::vector<QPoint*> contacts;
    wire->FillContacts(contacts);
    ASSERT_EQ(contacts.size(), 2u);
    EXPECT_EQ(contacts[0], &wire->Nodes.front());
    EXPECT_EQ(contacts[1], &wire->Nodes.back());

    wire->BauteilTyp = TBauteilTyp::btAnschluss;
    contacts.clear();
    wire->FillContacts(contacts);
    EXPECT_EQ(contacts, std::vector<QPoint*>{&wire->Nodes.front()});
    wire->BauteilTyp = TBauteilTyp::btLine;
    EXPECT_EQ(wire->GetContactCount(), 0);
}

TEST(DrahtTest, ContactAtCountsTheLeftAndTopEdgesOfTheSquareOnly) {
    auto wire = MakeWire(TBauteilTyp::btDraht, {{1000, 1000}, {3000, 1000}});
    EXPECT_EQ(wire->ContactAt({1127, 1127}), wire.get()) << "contact on the square's top-left";
    EXPECT_EQ(wire->ContactAt({873, 1000}), nullptr) << "contact on the square's right edge";
    EXPECT_EQ(wire->ContactAt({1000, 873}), nullptr) << "contact on the square's bottom edge";
    EXPECT_EQ(wire->ContactAt({2999, 1000}), wire.get());
    EXPECT_EQ(wire->ContactAt({2000, 1000}), nullptr);
}

TEST(DrahtTest, WhichEndNearPrefersTheLastEndOfAWire) {
    auto wire = MakeWire(TBauteilTyp::btDraht, {{0, 0}, {200, 0}});
    EXPECT_EQ(wire->WhichEndNear({100, 0}), 1) << "both ends are near: the last wins";
    EXPECT_EQ(wire->WhichEndNear({-127, 0}), 0);
    EXPECT_EQ(wire->WhichEndNear({-128, 0}), -1);
    wire->BauteilTyp = TBauteilTyp::btAnschluss;
    EXPECT_EQ(wire->WhichEndNear({200, 0}), -1) << "a lead is continued at its hole end only";
    EXPECT_EQ(wire->WhichEndNear({0, 0}), 0);
}

// --- Bounds and repainting --------------------------------------------------------------------

struct BoundsCase {
    Points nodes;
    Rect expected;
};

void PrintTo(const BoundsCase& c, std::ostream* os) {
    *os << c.nodes.size() << " nodes";
    if (!c.nodes.empty())
        *os << " from (" << c.nodes.front().x() << ", " << c.nodes.front().y() << ")";
}

class DrahtBoundsTest : public ::testing::TestWithParam<BoundsCase> {};

TEST_P(DrahtBoundsTest, EnclosesTheNodesAndHalfThePen) {
    QImage image(4, 4, QImage::Format_RGB32);
    Canvas canvas(image);
    auto wire = MakeWire(TBauteilTyp::btLine, GetParam().nodes);
    wire->SetStiftbreite(51); // half the pen is 25, rounded toward zero
    EXPECT_EQ(wire->GetBounds(canvas), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Nodes, DrahtBoundsTest,
    ::testing::Values(BoundsCase{{{1000, 1000}, {2000, 1500}, {1500, 800}}, {975, 775, 2025, 1525}},
                      // Beyond 32000 units and left of or above the origin the rectangle is
                      // still the true one.
                      BoundsCase{{{40000, 100}, {41000, 35000}}, {39975, 75, 41025, 35025}},
                      BoundsCase{{{-500, -300}, {-100, -200}}, {-525, -325, -75, -175}},
                      // Fewer than two nodes: the unit rectangle at the origin, extended.
                      BoundsCase{{{500, 600}}, {0, 0, 525, 625}}, BoundsCase{{}, {0, 0, 1, 1}}));

TEST(DrahtTest, InvalidateAddsTheSurroundingsOfEveryNode) {
    struct Recorder : RepaintTarget {
        std::vector<Rect> rects;
        void InvalidateRect(const Rect& device, bool) override { rects.push_back(device); }
    } window;
    QImage image(4, 4, QImage::Format_RGB32);
    Canvas canvas(image);
    canvas.SetMapping({0, 0}, {10, 10}, {0, 0}, {1, 1});
    auto wire = MakeWire(TBauteilTyp::btDraht, {{1000, 1000}, {3000, 1000}});
    wire->Invalidate(window, canvas);
    ASSERT_EQ(window.rects.size(), 3u);
    EXPECT_EQ(window.rects[0], (Rect{93, 93, 308, 108})) << "bounds grown by 50 units";
    EXPECT_EQ(window.rects[1], (Rect{85, 85, 115, 115}));
    EXPECT_EQ(window.rects[2], (Rect{285, 85, 315, 115}));
}

// --- Stretching a two-lead component ------------------------------------------------------------

// A resistor as the component generator builds it: two leads from their holes to the body,
// and the body between them, all remembered when the component was formed.
struct Resistor {
    std::unique_ptr<TDraht> a = MakeWire(TBauteilTyp::btAnschluss, {{0, 127}, {300, 127}});
    std::unique_ptr<TDraht> b = MakeWire(TBauteilTyp::btAnschluss, {{1016, 127}, {716, 127}});
    std::unique_ptr<TDraht> body =
        MakeWire(TBauteilTyp::btRect, {{300, 77}, {716, 77}, {716, 177}, {300, 177}});
    Resistor() {
        a->RememberShape();
        b->RememberShape();
        body->RememberShape();
    }
    // What the group does: leads first, then the other members.
    void Stretch(TDraht* moved) {
        const double angle = double(Direction(a->Nodes.front(), b->Nodes.front()));
        for (TDraht* member : {a.get(), b.get(), body.get()})
            member->Stretch(a.get(), b.get(), angle, moved);
    }
};

TEST(DrahtStretchTest, StretchedResistorKeepsItsBodyLengthAndRelativePlace) {
    Resistor r;
    r.b->Nodes.front() = {1524, 127};
    r.Stretch(r.b.get());
    // Body middle at 508 of 1016 moves to 762 of 1524; the body stays 416 long.
    EXPECT_EQ(r.a->Nodes.back(), QPoint(554, 127));
    EXPECT_EQ(r.b->Nodes.back(), QPoint(970, 127));
    EXPECT_EQ(r.body->Nodes, (Points{{554, 77}, {970, 77}, {970, 177}, {554, 177}}));
    EXPECT_EQ(r.a->Nodes.front(), QPoint(0, 127)) << "hole ends are the board's business";

    // Back to the remembered distance: the remembered shape comes back exactly.
    r.b->Nodes.front() = {1016, 127};
    r.Stretch(r.b.get());
    EXPECT_EQ(r.a->Nodes.back(), QPoint(300, 127));
    EXPECT_EQ(r.body->Nodes, *r.body->RememberedNodes);
}

TEST(DrahtStretchTest, OffCentreBodyKeepsItsFractionAndFollowsTheFixedLead) {
    Resistor r;
    // Body from 100 to 400: its middle at a quarter of the distance.
    r.a->Nodes.back() = {100, 127};
    r.b->Nodes.back() = {400, 127};
    r.a->RememberShape();
    r.b->RememberShape();
    // The first lead is moved, 508 units to the left: the second lead stays fixed.
    r.a->Nodes.front() = {-508, 127};
    r.Stretch(r.a.get());
    // Middle 250 from the first hole = 766 from the fixed one; × 1.5 = 1149 from it.
    EXPECT_EQ(r.a->Nodes.back(), QPoint(1016 - 1149 - 150, 127));
    EXPECT_EQ(r.b->Nodes.back(), QPoint(1016 - 1149 + 150, 127));
}

TEST(DrahtStretchTest, TurningTheAxisTurnsLeadsAndBody) {
    Resistor r;
    // The second hole goes straight above the first: a quarter turn counter-clockwise.
    r.b->Nodes.front() = {0, 127 - 1016};
    r.Stretch(r.b.get());
    EXPECT_EQ(r.a->Nodes.back(), QPoint(0, 127 - 300));
    EXPECT_EQ(r.b->Nodes.back(), QPoint(0, 127 - 716));
    // The body turns about the first lead's body end and follows it.
    EXPECT_EQ(r.body->Nodes, (Points{{-50, -173}, {-50, -589}, {50, -589}, {50, -173}}));
}

TEST(DrahtStretchTest, NothingHappensWhenTheRememberedHolesCoincideOrAreMissing) {
    Resistor r;
    r.b->RememberedNodes->front() = r.a->RememberedNodes->front();
    r.b->Nodes.front() = {1524, 127};
    r.Stretch(r.b.get());
    EXPECT_EQ(r.b->Nodes.back(), QPoint(716, 127));
    EXPECT_EQ(r.body->Nodes.front(), QPoint(300, 77));

    Resistor unremembered;
    unremembered.a->ForgetShape();
    unremembered.Stretch(unremembered.b.get());
    EXPECT_EQ(unremembered.body->Nodes.front(), QPoint(300, 77));
}

// --- Fill bitmaps -----------------------------------------------------------------------------

TEST(DrahtTest, OnlyRectanglesAndPolygonsLoadAFillBitmap) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fill.bmp"));
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(path, "BMP"));

    ViewState view;
    TPlatine board(view);
    auto* shape = static_cast<TDraht*>(board.Add(MakeWire(TBauteilTyp::btPolygon, RectangleNodes)));
    shape->LoadFillBitmap(path);
    EXPECT_TRUE(shape->HasteBitmap());
    EXPECT_TRUE(shape->FuellenFlag());
    ASSERT_EQ(board.BitmapUsages().Count(), 1u);
    EXPECT_EQ(shape->BMU(), board.BitmapUsages().At(0));
    EXPECT_EQ(shape->Btmap()->pixelColor(1, 1), QColor(Qt::red));

    shape->LoadFillBitmap(dir.filePath(QStringLiteral("missing.bmp")));
    EXPECT_FALSE(shape->HasteBitmap()) << "the old bitmap is released first";
    EXPECT_EQ(board.BitmapUsages().Count(), 0u);

    auto* line = static_cast<TDraht*>(board.Add(MakeWire(TBauteilTyp::btLine, RectangleNodes)));
    line->LoadFillBitmap(path);
    EXPECT_FALSE(line->HasteBitmap());
    EXPECT_FALSE(line->FuellenFlag());
    EXPECT_EQ(board.BitmapUsages().Count(), 0u);
}

} // namespace
} // namespace karvel
