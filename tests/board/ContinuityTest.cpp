#include "board/Continuity.h"
#include "board/Board.h"
#include "board/Platine.h"
#include "elements/Auge.h"
#include "elements/Bohrung.h"
#include "elements/Draht.h"
#include "elements/Geometry.h"
#include "elements/Leiterbahn.h"
#include "elements/Trenner.h"
#include "support/SampleBoard.h"

#include <gtest/gtest.h>

namespace karvel {
namespace {

// A stripboard of 10 × 5 holes: one strip per row, 2.0 mm of copper on a 2.54 mm pitch.
class ContinuityTest : public ::testing::Test {
protected:
    ContinuityTest() {
        board.SetSize(2540, 1270);
        board.Layout()->SetSize(2540, 1270);
        for (int row = 0; row < 5; ++row)
            strips.push_back(AddStrip(row, 100));
    }

    TLeiterbahn* AddStrip(int row, int halfWidth) {
        auto strip = std::make_unique<TLeiterbahn>();
        const int y = row * 254 + 127;
        strip->Nodes = {{0, y}, {2540, y}};
        strip->SetStiftbreite(std::int16_t(halfWidth));
        strip->RebuildOutline();
        return static_cast<TLeiterbahn*>(board.Layout()->Add(std::move(strip)));
    }
    TTrenner* Cut(Rect r) {
        auto cut = std::make_unique<TTrenner>();
        cut->CutRect = r;
        return static_cast<TTrenner*>(board.Add(std::move(cut)));
    }
    // A cut across row `row` around column `column`, covering the strip's whole width.
    TTrenner* CutStrip(int row, int column) {
        const int x = column * 254 + 127;
        return Cut({x - 70, row * 254, x + 70, row * 254 + 254});
    }
    TDraht* Wire(TBauteilTyp kind, QPoint from, QPoint to) {
        return static_cast<TDraht*>(board.Add(test::MakeWire(kind, {from, to})));
    }
    static QPoint Hole(int column, int row) { return {column * 254, row * 254 + 127}; }

    // The marked pieces, as the columns of the holes they cover on a row.
    std::vector<TBauteil*> MarkedPieces() {
        std::vector<TBauteil*> marked;
        for (TBauteil* piece : board.Analysis().Pieces())
            if (piece->HatTestSpannung())
                marked.push_back(piece);
        return marked;
    }
    bool PieceAtMarked(QPoint p) {
        QImage image(1, 1, QImage::Format_RGB32);
        Canvas canvas(image);
        for (TBauteil* piece : board.Analysis().Pieces()) {
            const Rect b = Normalised(piece->GetBounds(canvas));
            if (p.x() >= b.Left && p.x() < b.Right && p.y() >= b.Top && p.y() < b.Bottom)
                return piece->HatTestSpannung();
        }
        return false;
    }

    ViewState view;
    TPlatine board{view};
    std::vector<TLeiterbahn*> strips;
};

TEST_F(ContinuityTest, ACutSplitsTheStripAndTheProbeStaysOnItsSide) {
    CutStrip(1, 4);
    board.Analysis().Probe(Hole(1, 1));
    EXPECT_EQ(board.Analysis().Pieces().size(), 6u) << "four whole strips and two halves";
    EXPECT_EQ(board.Layout()->Pieces().size(), 2u);
    EXPECT_TRUE(PieceAtMarked(Hole(2, 1)));
    EXPECT_FALSE(PieceAtMarked(Hole(7, 1)));
    EXPECT_FALSE(PieceAtMarked(Hole(2, 2)));
    EXPECT_EQ(MarkedPieces().size(), 1u);
}

TEST_F(ContinuityTest, AWireAcrossTheCutCarriesTheProbe) {
    CutStrip(1, 4);
    TDraht* wire = Wire(TBauteilTyp::btDraht, Hole(2, 1), Hole(7, 1));
    TDraht* other = Wire(TBauteilTyp::btDraht, Hole(8, 1), Hole(8, 3));
    board.Analysis().Probe(Hole(1, 1));
    EXPECT_TRUE(wire->HatTestSpannung());
    EXPECT_TRUE(PieceAtMarked(Hole(9, 1)));
    EXPECT_TRUE(other->HatTestSpannung()) << "the right half carries on through the next wire";
    EXPECT_TRUE(PieceAtMarked(Hole(0, 3)));
    EXPECT_FALSE(PieceAtMarked(Hole(0, 2)));
}

TEST_F(ContinuityTest, ALeadIsMarkedButDoesNotConduct) {
    TDraht* lead = Wire(TBauteilTyp::btAnschluss, Hole(3, 0), Hole(3, 2));
    TDraht* pin = Wire(TBauteilTyp::btPin, Hole(5, 0), Hole(5, 0));
    board.Analysis().Probe(Hole(0, 0));
    EXPECT_TRUE(lead->HatTestSpannung());
    EXPECT_TRUE(pin->HatTestSpannung());
    EXPECT_FALSE(PieceAtMarked(Hole(0, 2))) << "a part's body does not conduct";
    EXPECT_EQ(MarkedPieces().size(), 1u);
}

TEST_F(ContinuityTest, OnlyACutAcrossTheWholeStripInterrupts) {
    // Narrower than the copper: 40 units above and below the centre of 2.0 mm copper.
    Cut({1000, 254 + 127 - 40, 1100, 254 + 127 + 40});
    board.Analysis().Probe(Hole(0, 1));
    EXPECT_TRUE(PieceAtMarked(Hole(9, 1)));
    EXPECT_EQ(board.Layout()->Pieces().size(), 0u);
}

TEST_F(ContinuityTest, ADrillingInterruptsOnlyWhereItCoversTheStrip) {
    auto drill = [&](QPoint centre) {
        auto drilling = std::make_unique<TBohrung>();
        drilling->Centre = centre;
        drilling->Diameter = 0.8; // a square of ± 40 units
        board.Add(std::move(drilling));
    };
    drill(Hole(4, 1));
    board.Analysis().Probe(Hole(0, 1));
    EXPECT_TRUE(PieceAtMarked(Hole(9, 1))) << "2.0 mm of copper is wider than the drilling";

    TLeiterbahn* narrow = AddStrip(5, 30); // 0.6 mm of copper
    board.SetSize(2540, 1524);
    drill(Hole(4, 5));
    board.Analysis().Probe(Hole(0, 5));
    EXPECT_TRUE(PieceAtMarked(Hole(2, 5)));
    EXPECT_FALSE(PieceAtMarked(Hole(8, 5)));
    EXPECT_FALSE(narrow->HatTestSpannung()) << "the split strip gives way to its pieces";
}

TEST_F(ContinuityTest, OverlappingPadsConduct) {
    TBoard& layout = *board.Layout();
    layout.Clear();
    auto pad = [&](QPoint centre) {
        auto p = std::make_unique<TAuge>();
        p->Centre = centre;
        return static_cast<TAuge*>(layout.Add(std::move(p)));
    };
    TAuge* a = pad({300, 300});
    TAuge* b = pad({480, 300});  // circles of radius 100 overlap
    TAuge* c = pad({1000, 300}); // far away
    board.Analysis().Probe({300, 300});
    EXPECT_TRUE(a->HatTestSpannung());
    EXPECT_TRUE(b->HatTestSpannung());
    EXPECT_FALSE(c->HatTestSpannung());
}

TEST_F(ContinuityTest, ProbingEmptySpaceClearsTheLastMarks) {
    TDraht* wire = Wire(TBauteilTyp::btDraht, Hole(1, 0), Hole(1, 1));
    board.Analysis().Probe(Hole(0, 0));
    ASSERT_TRUE(wire->HatTestSpannung());
    ASSERT_EQ(MarkedPieces().size(), 2u);
    board.Analysis().Probe({1270, 1400}); // below the last strip
    EXPECT_TRUE(MarkedPieces().empty());
    EXPECT_FALSE(wire->HatTestSpannung());
    for (TLeiterbahn* strip : strips)
        EXPECT_FALSE(strip->HatTestSpannung());
}

TEST_F(ContinuityTest, ComponentLeadsInsideGroupsTakePart) {
    auto resistor = test::MakeResistor(); // leads at holes (4, 5) and (8, 5)
    resistor->MoveBy(0, -4 * 254);        // now on row 1
    board.Add(std::move(resistor));
    board.Analysis().Probe(Hole(0, 1));
    const auto& connections = board.Analysis().Connections();
    const auto marked = std::count_if(connections.begin(), connections.end(),
                                      [](TBauteil* e) { return e->HatTestSpannung(); });
    EXPECT_EQ(marked, 2);
}

TEST_F(ContinuityTest, UnusedAreasAreThePiecesNothingTouches) {
    CutStrip(2, 4);
    TDraht* pin = Wire(TBauteilTyp::btPin, Hole(7, 2), Hole(7, 2));
    board.Analysis().ShowUnused();
    EXPECT_TRUE(board.Analysis().UnusedShown());
    int unused = 0;
    for (TBauteil* piece : board.Analysis().Pieces())
        unused += piece->istFreierBereich() ? 1 : 0;
    EXPECT_EQ(unused, 5) << "five strips and one half, less the half the pin touches";
    EXPECT_FALSE(pin->IstMarkiert());

    board.Analysis().HideUnused();
    EXPECT_FALSE(board.Analysis().UnusedShown());
    for (TBauteil* piece : board.Analysis().Pieces())
        EXPECT_FALSE(piece->istFreierBereich());
}

// Pixels of one colour on a picture of the whole board.
int CountColour(TPlatine& board, QRgb colour) {
    QImage image(board.ControlSize(), QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        Canvas canvas(image);
        board.Paint(canvas);
    }
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == colour ? 1 : 0;
    return n;
}

constexpr QRgb Unused = qRgb(0, 128, 0);
constexpr QRgb TestVoltage = qRgb(0, 255, 255);

// A strip shown as unused and cut afterwards is no piece any more when the display is hidden:
// its own mark must go as well, or it shows through the cut and where the cut was.
TEST_F(ContinuityTest, HidingUnusedAreasLeavesNoGreenWhereTheCopperChanged) {
    board.Analysis().ShowUnused();
    ASSERT_GT(CountColour(board, Unused), 1000);
    TTrenner* cut = CutStrip(1, 4);
    board.Analysis().HideUnused();
    EXPECT_EQ(CountColour(board, Unused), 0);
    board.Remove(cut);
    EXPECT_EQ(CountColour(board, Unused), 0);
    for (TLeiterbahn* strip : strips)
        EXPECT_FALSE(strip->istFreierBereich());
}

TEST_F(ContinuityTest, ShowingUnusedAreasAgainDropsTheMarksOfStripsSplitSince) {
    board.Analysis().ShowUnused();
    ASSERT_TRUE(strips[1]->istFreierBereich());
    CutStrip(1, 4);
    Wire(TBauteilTyp::btPin, Hole(2, 1), Hole(2, 1));
    board.Analysis().ShowUnused();
    EXPECT_FALSE(strips[1]->istFreierBereich()) << "split into pieces, no piece itself";
    EXPECT_FALSE(PieceAtMarked(Hole(2, 1)));
    EXPECT_TRUE(strips[2]->istFreierBereich());
}

TEST_F(ContinuityTest, EndingATestLeavesNoCyanWhereTheCopperChanged) {
    board.Analysis().Probe(Hole(0, 1));
    ASSERT_GT(CountColour(board, TestVoltage), 1000);
    TTrenner* cut = CutStrip(1, 4);
    board.Analysis().EndTest();
    EXPECT_EQ(CountColour(board, TestVoltage), 0);
    board.Remove(cut);
    EXPECT_EQ(CountColour(board, TestVoltage), 0);

    // The next probe ends the last test the same way.
    board.Analysis().Probe(Hole(0, 2));
    CutStrip(2, 4);
    board.Analysis().Probe(Hole(0, 4));
    EXPECT_FALSE(strips[2]->HatTestSpannung());
    EXPECT_TRUE(strips[4]->HatTestSpannung());
}

TEST_F(ContinuityTest, TheResultDoesNotDependOnTheViewsZoom) {
    CutStrip(1, 4);
    Wire(TBauteilTyp::btDraht, Hole(2, 1), Hole(2, 3));
    std::vector<bool> results;
    for (double zoom : {0.2, 3.0, 20.0}) {
        board.SetZoom(zoom);
        board.Analysis().Probe(Hole(0, 1));
        for (TBauteil* piece : board.Analysis().Pieces())
            results.push_back(piece->HatTestSpannung());
    }
    ASSERT_EQ(results.size() % 3, 0u);
    const std::size_t n = results.size() / 3;
    EXPECT_TRUE(std::equal(results.begin(), results.begin() + std::ptrdiff_t(n),
                           results.begin() + std::ptrdiff_t(n)));
    EXPECT_TRUE(std::equal(results.begin(), results.begin() + std::ptrdiff_t(n),
                           results.begin() + std::ptrdiff_t(2 * n)));
}

} // namespace
} // namespace karvel
