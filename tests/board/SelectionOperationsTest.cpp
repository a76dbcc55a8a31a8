#include "board/Platine.h"
#include "board/SelectionQueries.h"
#include "board/UndoHistory.h"
#include "elements/Geometry.h"
#include "elements/Gruppe.h"
#include "elements/Trenner.h"
#include "elements/Txtlabel.h"
#include "support/RecordBytes.h"
#include "support/SampleBoard.h"

#include <functional>
#include <gtest/gtest.h>

namespace karvel {
namespace {

using test::MakeWire;

// A board whose elements are named by one letter in their pen width (cuts are 'c').
class OrderBoard {
public:
    explicit OrderBoard(const std::string& letters) : board(view) {
        for (char letter : letters) {
            std::unique_ptr<TBauteil> e;
            if (letter == 'c')
                e = std::make_unique<TTrenner>();
            else
                e = MakeWire(TBauteilTyp::btLine, {{0, 0}, {254, 0}});
            e->SetStiftbreite(std::int16_t(letter));
            e->SetIstMarkiert(false);
            board.Add(std::move(e));
        }
    }
    void Select(const std::string& letters) {
        for (const auto& e : board.Bauteile())
            if (letters.find(char(e->Stiftbreite())) != std::string::npos)
                e->SetIstMarkiert(true);
    }
    // Each element's letter, 'G' for a group.
    std::string Order() const {
        std::string order;
        for (const auto& e : board.Bauteile())
            order += dynamic_cast<const TGruppe*>(e.get()) ? 'G' : char(e->Stiftbreite());
        return order;
    }

    ViewState view;
    TPlatine board;
};

TEST(SelectionOperationsTest, DrawingOrderKeepsStripCutsLowest) {
    struct Case {
        std::string start, selected;
        bool toFront;
        std::string expected;
    };
    const Case cases[] = {
        {"ccXYZ", "Z", false, "ccZXY"},  {"ccXYZ", "XY", true, "ccZXY"},
        {"XcYZ", "c", true, "XcYZ"},     // a cut never moves to the front
        {"cXcYZ", "YZ", false, "cYZXc"}, // only the leading cuts stay put
        {"XYZ", "", true, "XYZ"},
    };
    for (const Case& c : cases) {
        OrderBoard b(c.start);
        b.Select(c.selected);
        if (c.toFront)
            b.board.NachVorne();
        else
            b.board.NachHinten();
        EXPECT_EQ(b.Order(), c.expected) << c.start << " with " << c.selected;
        EXPECT_EQ(b.board.KannRueckgaengig(), c.start != c.expected);
    }
}

TEST(SelectionOperationsTest, RenumberingCountsEachIdentifierFromOne) {
    ViewState view;
    TPlatine board(view);
    const struct {
        const char* identifier;
        int number;
        const char* expected;
    } parts[] = {
        {"R#", 7, "R1"}, {"R#", 7, "R2"}, {"C#", 4, "C1"}, {"X1", 9, "X1"}, {"R#", 1, "R3"}};
    for (const auto& p : parts) {
        auto component = test::MakeResistor();
        component->Identifier = QString::fromLatin1(p.identifier);
        component->Number = std::int16_t(p.number);
        board.Add(std::move(component));
    }
    // A component nested in a plain group is numbered in its place in the drawing order.
    auto outer = std::make_unique<TGruppe>();
    auto nested = test::MakeResistor();
    nested->Identifier = QStringLiteral("C#");
    outer->AddMember(std::move(nested));
    board.Add(std::move(outer));

    board.NummeriereNeu();
    for (std::size_t i = 0; i < std::size(parts); ++i)
        EXPECT_EQ(static_cast<TGruppe*>(board.At(int(i)))->IdentifierText(),
                  QString::fromLatin1(parts[i].expected));
    auto* nestedAfter =
        static_cast<TGruppe*>(static_cast<TGruppe*>(board.At(5))->Members().front().get());
    EXPECT_EQ(nestedAfter->IdentifierText(), QStringLiteral("C2"));
    EXPECT_EQ(static_cast<TGruppe*>(board.At(3))->Number, 9) << "no '#', number kept";
    EXPECT_EQ(board.NaechsteNummer(QStringLiteral("R#")), 4);
    EXPECT_EQ(board.NaechsteNummer(QStringLiteral("D#")), 1);
}

TEST(SelectionOperationsTest, GroupingAndUngroupingKeepOrderAndTakeOneUndoStepEach) {
    OrderBoard b("WXYZ");
    b.Select("XZ");
    TGruppe* component = b.board.Gruppiere(true);
    ASSERT_NE(component, nullptr);
    EXPECT_EQ(b.Order(), "WYG") << "the group is appended at the end";
    EXPECT_TRUE(component->IsComponent);
    EXPECT_EQ(b.board.Selected(), std::vector<TBauteil*>{component});
    for (const auto& member : component->Members())
        EXPECT_TRUE(member->InGroup);

    b.board.MarkiereAlle(false);
    b.Select("WY");
    b.board.Gruppiere(false);
    EXPECT_EQ(b.Order(), "GG");

    // Both groups selected: only the first in drawing order is dissolved, in its place.
    b.board.MarkiereAlle(true);
    b.board.LoeseGruppe();
    EXPECT_EQ(b.Order(), "XZG");
    EXPECT_FALSE(b.board.At(0)->InGroup);
    EXPECT_EQ(b.board.History().UndoCount(), 3);
    for (int i = 0; i < 3; ++i)
        b.board.Rueckgaengig();
    EXPECT_EQ(b.Order(), "WXYZ");
}

TEST(SelectionOperationsTest, SelectAllSkipsTheOtherSide) {
    OrderBoard b("XY");
    b.board.At(1)->SetIstAufLoetseite(true);
    b.view.Loetseite = true;
    b.board.MarkiereAlle(true);
    EXPECT_EQ(b.board.Selected(), std::vector<TBauteil*>{b.board.At(1)});
    b.view.Durchsicht = true; // see-through works on the component side again
    b.board.MarkiereAlle(false);
    b.board.MarkiereAlle(true);
    EXPECT_EQ(b.board.Selected(), std::vector<TBauteil*>{b.board.At(0)});
}

TEST(SelectionOperationsTest, NudgingMovesByAPitchOrTheFineGridAndKeepsAnchorsTrue) {
    ViewState view;
    view.FineGrid = 10;
    TPlatine board(view);
    TBauteil* wire = board.Add(MakeWire(TBauteilTyp::btDraht, {{254, 127}, {762, 381}}));
    wire->Anchors = {{1, 0}, {3, 1}};
    wire->SetIstMarkiert(true);
    const auto nodes = [&] { return static_cast<TDraht*>(wire)->Nodes; };

    board.SchiebeMarkierte(TPlatine::Richtung::Right, false);
    EXPECT_EQ(nodes().front(), QPoint(508, 127));
    EXPECT_EQ(wire->Anchors, (std::vector<QPoint>{{2, 0}, {4, 1}}));

    board.SchiebeMarkierte(TPlatine::Richtung::Down, true);
    EXPECT_EQ(nodes().front(), QPoint(508, 137));
    EXPECT_EQ(wire->Anchors, (std::vector<QPoint>{{-1, -1}, {-1, -1}})) << "off the hole centres";
    board.SchiebeMarkierte(TPlatine::Richtung::Up, true);
    EXPECT_EQ(wire->Anchors, (std::vector<QPoint>{{2, 0}, {4, 1}})) << "back on the holes";
    EXPECT_EQ(board.History().UndoCount(), 3);

    board.SetModus(TPlatinenModus::pm_Draht);
    board.SchiebeMarkierte(TPlatine::Richtung::Left, false);
    EXPECT_EQ(nodes().front(), QPoint(508, 127)) << "only the select tool nudges";
}

TEST(SelectionOperationsTest, TurningAComponentIsOneUndoStep) {
    ViewState view;
    TPlatine board(view);
    TBauteil* resistor = board.Add(test::MakeResistor());
    resistor->SetIstMarkiert(false);
    const QByteArray before = test::WriteBoard(board, StreamPurpose::File);
    EXPECT_FALSE(CanRotate(board)) << "nothing selected";
    resistor->SetIstMarkiert(true);
    ASSERT_TRUE(CanRotate(board));
    board.Drehe();
    EXPECT_TRUE(board.Modified());
    EXPECT_NE(test::WriteBoard(board, StreamPurpose::File), before);
    board.Rueckgaengig();
    EXPECT_EQ(test::WriteBoard(board, StreamPurpose::File), before);
}

// --- Anchors after nudging, aligning and turning ----------------------------------------------

// A resistor whose first lead ends in hole (4, 5) and whose second lead ends between holes:
// its anchors are (4, 5) and "no hole".
std::unique_ptr<TGruppe> ResistorWithAFreeEnd() {
    auto resistor = test::MakeResistor();
    auto* second = static_cast<TDraht*>(resistor->Members()[1].get());
    second->Nodes.front() = {2100, 1397};
    second->Anchors = {NoHoleAnchor};
    resistor->CollectAnchors();
    return resistor;
}

struct AnchorCase {
    const char* name;
    std::function<void(TPlatine&)> edit;
    std::vector<QPoint> anchors;
};

void PrintTo(const AnchorCase& c, std::ostream* os) {
    *os << c.name;
}

class AnchorsAfterAnEdit : public ::testing::TestWithParam<AnchorCase> {};

// Shifting or turning the "no hole" marker made up holes such as (5, -1) or (10, 0).
TEST_P(AnchorsAfterAnEdit, SayWhereThePointsLie) {
    ViewState view;
    TPlatine board(view);
    board.SetSize(40 * 254, 30 * 254);
    auto pin = test::MakeWire(TBauteilTyp::btPin, {{508, 381}, {508, 381}});
    pin->SetIstMarkiert(false);
    TBauteil* reference = board.Add(std::move(pin));
    TBauteil* resistor = board.Add(ResistorWithAFreeEnd());
    resistor->SetIstMarkiert(false);
    board.SetzeMarkierung(reference, true);
    board.SetzeMarkierung(resistor, true);
    board.SetzeMarkierung(reference, false);
    GetParam().edit(board);
    board.RecomputeAnchors(*resistor);
    const std::vector<QPoint> fromThePoints = resistor->Anchors;
    EXPECT_EQ(resistor->CurrentAnchors(), GetParam().anchors);
    EXPECT_EQ(GetParam().anchors, fromThePoints) << "the case itself is wrong";
}

INSTANTIATE_TEST_SUITE_P(
    Table, AnchorsAfterAnEdit,
    ::testing::Values(
        AnchorCase{"NudgeRight",
                   [](TPlatine& b) { b.SchiebeMarkierte(TPlatine::Richtung::Right, false); },
                   {{5, 5}, NoHoleAnchor}},
        AnchorCase{"NudgeUp",
                   [](TPlatine& b) { b.SchiebeMarkierte(TPlatine::Richtung::Up, false); },
                   {{4, 4}, NoHoleAnchor}},
        AnchorCase{"AlignLeftToAPinTwoHolesLeft",
                   [](TPlatine& b) {
                       b.MarkiereAlle(false);
                       b.SetzeMarkierung(b.At(0), true);
                       b.SetzeMarkierung(b.At(1), true);
                       b.AlignSelection(TPlatine::Alignment::Left);
                   },
                   {{2, 5}, NoHoleAnchor}},
        AnchorCase{"Rotate", [](TPlatine& b) { b.Drehe(); }, {{4, 5}, NoHoleAnchor}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SelectionOperationsTest, AnchorsStayOnTheirHolesWhenATurnEndsOnHoles) {
    ViewState view;
    TPlatine board(view);
    board.SetSize(40 * 254, 30 * 254);
    TBauteil* resistor = board.Add(test::MakeResistor());
    board.SetzeMarkierung(resistor, true);
    board.Drehe();
    EXPECT_EQ(resistor->CurrentAnchors(), (std::vector<QPoint>{{4, 5}, {4, 9}}));
}

TEST(SelectionOperationsTest, AttributesApplyToTheSelectionOnly) {
    OrderBoard b("XY");
    b.Select("X");
    b.board.CurrentPenColour = RgbColour(1, 2, 3);
    b.board.SetzeAttribut(TPlatine::Attribut::PenColour);
    EXPECT_EQ(b.board.At(0)->Stiftfarbe(), RgbColour(1, 2, 3));
    EXPECT_NE(b.board.At(1)->Stiftfarbe(), RgbColour(1, 2, 3));
    b.board.MarkiereAlle(false);
    b.board.SetzeAttribut(TPlatine::Attribut::PenColour);
    EXPECT_EQ(b.board.History().UndoCount(), 1) << "nothing selected, nothing recorded";
    EXPECT_FALSE(b.board.SetzeFuellbild(QStringLiteral("/nonexistent/picture.bmp")));
}

TEST(SelectionOperationsTest, AlignmentMovesOthersToTheFirstOnTheGrid) {
    ViewState view;
    TPlatine board(view);
    TBauteil* first = board.Add(MakeWire(TBauteilTyp::btLine, {{2540, 1000}, {3048, 1000}}));
    TBauteil* second = board.Add(MakeWire(TBauteilTyp::btLine, {{254, 3000}, {508, 3000}}));
    board.SetzeMarkierung(first, true);
    board.SetzeMarkierung(second, true);
    ASSERT_TRUE(CanAlign(board));
    board.AlignSelection(TPlatine::Alignment::Left);
    EXPECT_EQ(static_cast<TDraht*>(second)->Nodes.front(), QPoint(2540, 3000));
    EXPECT_EQ(static_cast<TDraht*>(first)->Nodes.front(), QPoint(2540, 1000));
    EXPECT_EQ(board.History().UndoCount(), 1);
}

// Alignment moved everything by whole pitches, so labels 1.04 mm apart stayed apart.
TEST(SelectionOperationsTest, AlignmentLinesUpLabelsExactlyAndKeepsPartsOnHoles) {
    ViewState view;
    TPlatine board(view);
    board.SetSize(40 * 254, 30 * 254);
    const auto label = [](QPoint at) {
        auto text = std::make_unique<TTextLabel>(Language::German);
        text->Position = at;
        text->SetTextString(QStringLiteral("R1"));
        text->SetIstMarkiert(false);
        return text;
    };
    TBauteil* first = board.Add(label({1000, 1000}));
    TBauteil* second = board.Add(label({1104, 2000}));
    TBauteil* resistor = board.Add(test::MakeResistor());
    resistor->SetIstMarkiert(false);
    for (TBauteil* e : {first, second, resistor})
        board.SetzeMarkierung(e, true);
    const auto left = [&](TBauteil* e) {
        return board.WithMeasuringCanvas([&](Canvas& c) { return Normalised(e->GetBounds(c)); })
            .Left;
    };
    const int reference = left(first);
    const int resistorLeft = left(resistor);
    board.AlignSelection(TPlatine::Alignment::Left);
    EXPECT_EQ(left(second), reference);
    EXPECT_EQ(static_cast<TTextLabel*>(second)->Position, QPoint(1000, 2000));
    const int moved = left(resistor) - resistorLeft;
    EXPECT_EQ(moved % HolePitch, 0) << "a part on holes moves by whole pitches";
    EXPECT_LE(std::abs(left(resistor) - reference), HolePitch / 2);
    EXPECT_EQ(resistor->CurrentAnchors(),
              (std::vector<QPoint>{{4 + moved / 254, 5}, {8 + moved / 254, 5}}));
    EXPECT_EQ(board.History().UndoCount(), 1);
}

} // namespace
} // namespace karvel
