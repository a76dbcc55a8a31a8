#include "board/Board.h"
#include "board/ElementClipboard.h"
#include "board/Platine.h"
#include "board/tools/CutTool.h"
#include "board/tools/SelectionMove.h"
#include "board/tools/ToolManager.h"
#include "board/tools/WireTools.h"
#include "board/UndoHistory.h"
#include "elements/Draht.h"
#include "elements/Geometry.h"
#include "elements/Gruppe.h"
#include "elements/Kreis.h"
#include "elements/Leiterbahn.h"
#include "elements/TextLabelDialog.h"
#include "elements/Trenner.h"
#include "elements/Txtlabel.h"
#include "elements/XSizer.h"
#include "support/FakeHost.h"
#include "support/RecordingToolHost.h"
#include "support/SampleBoard.h"
#include "support/Stripboard.h"

#include <gtest/gtest.h>

namespace karvel {
namespace {

using test::RecordingToolHost;

using enum TPlatinenModus;

// A stripboard of 20 × 10 holes with one strip per row, seen at zoom 3 in an 800 × 600 window.
class MouseEditingTest : public ::testing::Test {
protected:
    MouseEditingTest() {
        test::MakeStripboard(board, 20, 10);
        board.SetHost(&scroll);
        board.SetZoom(3.0);
        board.OnPopupRequest = [this](TPlatine&) { ++popups; };
    }

    static QPoint Hole(double column, double row) {
        return {int(std::lround(column * 254)), int(std::lround(row * 254 + 127))};
    }
    QPoint Control(QPoint boardPoint) const { return board.BoardToControl(boardPoint); }

    PointerEvent Event(PointerAction action, QPoint boardPoint, Qt::MouseButton button,
                       Qt::KeyboardModifiers mods) const {
        return {action,
                Control(boardPoint),
                action == PointerAction::Move ? Qt::NoButton : button,
                {},
                mods};
    }
    void Down(QPoint p, Qt::KeyboardModifiers mods = {}, Qt::MouseButton b = Qt::LeftButton) {
        editor.Press(Event(PointerAction::Press, p, b, mods));
    }
    void MoveTo(QPoint p, Qt::KeyboardModifiers mods = {}) {
        editor.Move(Event(PointerAction::Move, p, Qt::NoButton, mods));
    }
    void Up(QPoint p, Qt::KeyboardModifiers mods = {}, Qt::MouseButton b = Qt::LeftButton) {
        editor.Release(Event(PointerAction::Release, p, b, mods));
    }
    void Click(QPoint p, Qt::KeyboardModifiers mods = {}, Qt::MouseButton b = Qt::LeftButton) {
        Down(p, mods, b);
        Up(p, mods, b);
    }
    void RightClick(QPoint p) { Click(p, {}, Qt::RightButton); }

    TDraht* AddLine(std::vector<QPoint> nodes, TBauteilTyp kind = TBauteilTyp::btLine) {
        auto* line = static_cast<TDraht*>(board.Add(test::MakeWire(kind, std::move(nodes))));
        line->SetIstMarkiert(false);
        board.RecomputeAnchors(*line);
        return line;
    }
    int UndoSteps() const { return int(board.History().UndoCount()); }

    ViewState view;
    TPlatine board{view};
    test::FakeHost scroll;
    RecordingToolHost host;
    ToolManager editor{board, host};
    int popups = 0;
};

// --- Select tool -------------------------------------------------------------------------------

TEST(SelectionMoveTest, MovesInWholePitchesTowardsZeroOrOnTheFineGridWithShift) {
    struct Case {
        QPoint distance;
        bool shift;
        double grid;
        QPoint offset;
    };
    const Case cases[] = {
        {{380, -380}, false, 10, {254, -254}},
        {{253, 600}, false, 10, {0, 508}},
        {{380, 381}, true, 10, {380, 380}},
        {{383, -17}, true, 1, {383, -17}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SnappedMoveOffset(c.distance, c.shift, c.grid), c.offset)
            << c.distance.x() << "," << c.distance.y();
}

TEST_F(MouseEditingTest, DraggingASelectedElementMovesItByTheSnappedStepAsOneUndoStep) {
    TDraht* wire = AddLine({Hole(2, 2), Hole(6, 2)}, TBauteilTyp::btDraht);
    board.SetzeMarkierung(wire, true);
    const int before = UndoSteps();
    const QPoint grab = Hole(4, 2);
    Down(grab);
    MoveTo(grab + QPoint(200, 0));
    MoveTo(grab + QPoint(380, 0));
    Up(grab + QPoint(380, 0));
    EXPECT_EQ(wire->Nodes, (std::vector<QPoint>{Hole(3, 2), Hole(7, 2)}));
    EXPECT_EQ(wire->Anchors, (std::vector<QPoint>{{3, 2}, {7, 2}})) << "anchors follow the move";
    EXPECT_TRUE(wire->Placed());
    EXPECT_EQ(UndoSteps(), before + 1);
    EXPECT_FALSE(host.confined);
    board.Rueckgaengig();
    EXPECT_EQ(static_cast<TDraht*>(board.At(0))->Nodes.front(), Hole(2, 2));
}

TEST_F(MouseEditingTest, AFineMoveLeavesTheAnchorsOfEndsOffTheirHoles) {
    TDraht* wire = AddLine({Hole(2, 2), Hole(6, 2)}, TBauteilTyp::btDraht);
    board.SetzeMarkierung(wire, true);
    view.FineGrid = 10;
    Down(Hole(4, 2)); // Shift at the press would toggle the selection
    MoveTo(Hole(4, 2) + QPoint(50, 0), Qt::ShiftModifier);
    MoveTo(Hole(4, 2) + QPoint(100, 0), Qt::ShiftModifier);
    Up(Hole(4, 2) + QPoint(100, 0), Qt::ShiftModifier);
    EXPECT_EQ(wire->Nodes.front(), Hole(2, 2) + QPoint(100, 0));
    EXPECT_EQ(wire->Anchors, (std::vector<QPoint>{{-1, -1}, {-1, -1}}));
}

// A window closes with handles shown: its editor goes while the board's host may be half
// destroyed, and must not repaint through it.
TEST_F(MouseEditingTest, AnEditorThatGoesWithItsWindowRepaintsNothing) {
    TDraht* wire = AddLine({Hole(2, 2), Hole(6, 2)});
    board.SetzeMarkierung(wire, true);
    auto closing = std::make_unique<ToolManager>(board, host);
    closing->ShowHandles();
    ASSERT_TRUE(closing->Handles());
    scroll.invalidated.clear();
    closing.reset();
    EXPECT_TRUE(scroll.invalidated.empty());
}

// The status bar names holes as the rulers and the wire list number them.
TEST_F(MouseEditingTest, TheHoleUnderThePointerCountsFromTheOriginMarker) {
    MoveTo(Hole(5, 4));
    EXPECT_EQ(editor.HoleUnderPointer(), QPoint(5, 4));
    board.SetUrsprung(Hole(2, 1));
    MoveTo(Hole(5, 4));
    EXPECT_EQ(editor.HoleUnderPointer(), QPoint(3, 3));
    MoveTo(Hole(1, 0));
    EXPECT_EQ(editor.HoleUnderPointer(), QPoint(-1, -1));
    MoveTo(Hole(30, 4));
    EXPECT_EQ(editor.HoleUnderPointer(), std::nullopt);
}

TEST_F(MouseEditingTest, AClickAloneSelectsAndLeavesNoUndoStep) {
    TDraht* a = AddLine({Hole(2, 2), Hole(6, 2)});
    TDraht* b = AddLine({Hole(2, 5), Hole(6, 5)});
    board.SetzeMarkierung(a, true);
    const int before = UndoSteps();
    Click(Hole(4, 5));
    EXPECT_FALSE(a->IstMarkiert());
    EXPECT_TRUE(b->IstMarkiert());
    Click(Hole(4, 5));
    Click(Hole(4, 2), Qt::ShiftModifier);
    EXPECT_TRUE(a->IstMarkiert() && b->IstMarkiert()) << "Shift adds";
    ASSERT_TRUE(editor.Handles()) << "the handles frame both";
    EXPECT_NEAR(editor.Handles()->Frame.Top, Hole(2, 2).y(), 2);
    EXPECT_NEAR(editor.Handles()->Frame.Bottom, Hole(2, 5).y(), 2);
    Click(Hole(4, 2), Qt::ShiftModifier);
    EXPECT_FALSE(a->IstMarkiert()) << "Shift toggles";
    ASSERT_TRUE(editor.Handles());
    EXPECT_NEAR(editor.Handles()->Frame.Top, Hole(2, 5).y(), 2) << "and then the one left";
    EXPECT_EQ(UndoSteps(), before);
    EXPECT_EQ(a->Nodes.front(), Hole(2, 2));
    Click(Hole(15, 8));
    EXPECT_EQ(board.CountSelected(), 0) << "a click on empty board deselects";
}

TEST_F(MouseEditingTest, AClickPutsLabelsBehindSoThatItReachesWhatTheyLieOn) {
    auto label = std::make_unique<TTextLabel>();
    label->Position = Hole(4, 2);
    label->SetTextString(QStringLiteral("VCC"));
    TDraht* wire = AddLine({Hole(2, 2), Hole(6, 2)}, TBauteilTyp::btDraht);
    TBauteil* added = board.Add(std::move(label));
    added->SetIstMarkiert(false);
    TDraht* other = AddLine({Hole(2, 5), Hole(6, 5)});
    Click(Hole(15, 8));
    EXPECT_EQ(board.At(0), added);
    EXPECT_EQ(board.At(1), wire);
    EXPECT_EQ(board.At(2), other) << "the others keep their order";
}

TEST_F(MouseEditingTest, AFrameSelectsWhatItTouchesOnTheWorkingSideAndShiftAdds) {
    TDraht* left = AddLine({Hole(1, 1), Hole(3, 1)});
    TDraht* right = AddLine({Hole(10, 1), Hole(12, 1)});
    TDraht* below = AddLine({Hole(1, 6), Hole(3, 6)});
    TDraht* underneath = AddLine({Hole(2, 2), Hole(3, 2)});
    underneath->SetIstAufLoetseite(true);
    const auto frame = [&](QPoint from, QPoint to, Qt::KeyboardModifiers mods) {
        Down(from, mods);
        MoveTo(to, mods);
        Up(to, mods);
    };
    frame(Hole(0, 0), Hole(5, 3), {});
    EXPECT_TRUE(left->IstMarkiert());
    EXPECT_FALSE(right->IstMarkiert() || below->IstMarkiert() || underneath->IstMarkiert());
    frame(Hole(9, 0), Hole(14, 3), Qt::ShiftModifier);
    EXPECT_TRUE(left->IstMarkiert() && right->IstMarkiert());
    frame(Hole(9, 0), Hole(14, 3), {});
    EXPECT_FALSE(left->IstMarkiert());
    EXPECT_TRUE(right->IstMarkiert());
    EXPECT_FALSE(host.band) << "the frame is gone after the release";

    // A frame of 5 × 40 pixels selects nothing.
    const QPoint start = Control(Hole(0.5, 0.5));
    editor.Press({PointerAction::Press, start, Qt::LeftButton, {}, {}});
    editor.Move({PointerAction::Move, start + QPoint(5, 40), Qt::NoButton, {}, {}});
    editor.Release({PointerAction::Release, start + QPoint(5, 40), Qt::LeftButton, {}, {}});
    EXPECT_EQ(board.CountSelected(), 0);
}

TEST_F(MouseEditingTest, DraggingAVertexMovesOnlyThatPoint) {
    TDraht* line = AddLine({Hole(2, 2), Hole(5, 2), Hole(5, 6)});
    board.SetzeMarkierung(line, true);
    const int before = UndoSteps();
    Down(Hole(5, 2));
    MoveTo(Hole(7, 3));
    Up(Hole(7, 3));
    EXPECT_EQ(line->Nodes, (std::vector<QPoint>{Hole(2, 2), Hole(7, 3), Hole(5, 6)}));
    EXPECT_EQ(UndoSteps(), before + 1);
}

TEST_F(MouseEditingTest, ARightClickSelectsAndAsksForTheMenuButNeverChangesAWire) {
    TDraht* wire = AddLine({Hole(2, 2), Hole(6, 2)}, TBauteilTyp::btDraht);
    TDraht* other = AddLine({Hole(2, 5), Hole(6, 5)});
    board.SetzeMarkierung(other, true);
    const std::vector<QPoint> before = wire->Nodes;
    for (const QPoint at : {Hole(2, 2), Hole(6, 2), Hole(4, 2)}) {
        RightClick(at);
        EXPECT_EQ(wire->Nodes, before);
        EXPECT_EQ(board.Modus(), pm_Standard);
        EXPECT_TRUE(wire->IstMarkiert());
        EXPECT_FALSE(other->IstMarkiert());
    }
    RightClick(Hole(15, 8));
    EXPECT_TRUE(wire->IstMarkiert()) << "on empty board nothing is deselected";
    EXPECT_EQ(popups, 4);
}

TEST_F(MouseEditingTest, LosingThePointerMidMoveLeavesEveryElementPlaced) {
    TDraht* a = AddLine({Hole(2, 2), Hole(6, 2)});
    TDraht* b = AddLine({Hole(2, 4), Hole(6, 4)});
    board.MarkiereAlle(true);
    Down(Hole(3, 2));
    MoveTo(Hole(5, 3));
    EXPECT_FALSE(a->Placed());
    editor.PointerLost();
    EXPECT_TRUE(a->Placed() && b->Placed());
    EXPECT_FALSE(editor.Busy());
    EXPECT_FALSE(board.CursorCaptured());
    EXPECT_EQ(a->Nodes.front(), Hole(4, 3));
}

TEST_F(MouseEditingTest, EscapeEndsAMoveWhereItBegan) {
    TDraht* a = AddLine({Hole(2, 2), Hole(6, 2)});
    board.SetzeMarkierung(a, true);
    Down(Hole(3, 2));
    MoveTo(Hole(8, 5));
    EXPECT_TRUE(editor.Key({Qt::Key_Escape, {}}));
    EXPECT_EQ(a->Nodes.front(), Hole(2, 2));
    EXPECT_TRUE(a->Placed());
    EXPECT_FALSE(editor.Busy());
}

TEST_F(MouseEditingTest, AHandleResizesTheSelectionAsOneUndoStep) {
    TDraht* rect = AddLine({Hole(2, 2), Hole(6, 2), Hole(6, 5), Hole(2, 5)}, TBauteilTyp::btRect);
    Click(Hole(4, 2));
    ASSERT_TRUE(rect->IstMarkiert());
    TSizer* handles = editor.Handles();
    ASSERT_TRUE(handles) << "a click leaves the handles around the selection";
    const Rect corner = Normalised(handles->HandleRect(TSizer::BottomRight));
    const QPoint grab((corner.Left + corner.Right) / 2, (corner.Top + corner.Bottom) / 2);
    MoveTo(grab);
    EXPECT_EQ(host.pointer, PointerShape::SizeNwSe);
    const int before = UndoSteps();
    Down(grab);
    MoveTo(grab + QPoint(400, 300));
    Up(grab + QPoint(400, 300));
    EXPECT_EQ(UndoSteps(), before + 1);
    EXPECT_EQ(rect->Nodes[0], Hole(2, 2)) << "the opposite corner stays";
    // A corner follows the pointer's height and keeps the proportions.
    const QPoint far = rect->Nodes[2] - rect->Nodes[0];
    EXPECT_NEAR(rect->Nodes[2].y(), grab.y() + 300, 20);
    EXPECT_NEAR(double(far.x()) / far.y(), 4.0 / 3.0, 0.02);
    ASSERT_TRUE(editor.Handles());
    editor.ChooseTool(pm_Draht);
    MoveTo(Hole(1, 1));
    EXPECT_FALSE(editor.Handles()) << "other tools show no handles";
}

// --- Placing ---------------------------------------------------------------------------------

TEST_F(MouseEditingTest, PlacingFollowsThePointerAndARightClickRemovesExactlyTheInserted) {
    AddLine({Hole(2, 2), Hole(6, 2)});
    TDraht* copied = AddLine({Hole(2, 4), Hole(4, 4)});
    board.MarkiereAlle(false);
    board.SetzeMarkierung(copied, true);
    const QByteArray stream = board.KopiereMarkierte();
    board.MarkiereAlle(false);

    board.EinfuegenAusStream(stream);
    ASSERT_EQ(board.Modus(), pm_Platzieren);
    ASSERT_EQ(board.Count(), 3);
    RightClick(Hole(10, 8));
    EXPECT_EQ(board.Count(), 2);
    EXPECT_EQ(board.At(1), copied);
    EXPECT_EQ(board.Modus(), pm_Standard);

    board.EinfuegenAusStream(stream);
    const QPoint anchor = board.ControlToBoard(board.Drag().MoveAnchor);
    MoveTo(anchor + QPoint(3 * 254, 2 * 254));
    Click(anchor + QPoint(3 * 254, 2 * 254));
    ASSERT_EQ(board.Count(), 3);
    auto* placed = static_cast<TDraht*>(board.At(2));
    EXPECT_TRUE(placed->Placed());
    EXPECT_EQ(placed->Nodes.front(), copied->Nodes.front() + QPoint(3 * 254, 2 * 254));
    EXPECT_EQ(board.Modus(), pm_Standard);
    ASSERT_TRUE(editor.Handles()) << "the placed copy stays selected inside its handles";
    EXPECT_EQ(editor.Handles()->Frame,
              Normalised(placed->GetInnerBounds(editor.MeasuringCanvas())));
}

// --- Drawing tools -----------------------------------------------------------------------------

TEST_F(MouseEditingTest, AWireRunsHoleToHoleWithBendsUpToTheLimit) {
    editor.ChooseTool(pm_Draht);
    const int before = UndoSteps();
    Click(Hole(2, 2) + QPoint(40, -30));
    Click(Hole(2, 4), Qt::ControlModifier);
    Click(Hole(6, 4));
    ASSERT_EQ(board.Count(), 1);
    auto* wire = static_cast<TDraht*>(board.At(0));
    EXPECT_EQ(wire->BauteilTyp, TBauteilTyp::btDraht);
    EXPECT_EQ(wire->Nodes, (std::vector<QPoint>{Hole(2, 2), Hole(2, 4), Hole(6, 4)}));
    EXPECT_EQ(wire->Anchors, (std::vector<QPoint>{{2, 2}, {6, 4}}));
    EXPECT_EQ(UndoSteps(), before + 1);
    EXPECT_EQ(board.Modus(), pm_Draht) << "the tool stays for the next wire";
    EXPECT_FALSE(host.line);

    Click(Hole(1, 1));
    for (int i = 1; i < WireTool::MaxPoints; ++i)
        Click(Hole(1 + i % 10, 1 + i / 10 % 8), Qt::ControlModifier);
    EXPECT_EQ(host.beeps, 0);
    Click(Hole(3, 3), Qt::ControlModifier);
    EXPECT_EQ(host.beeps, 1);
    EXPECT_EQ(static_cast<TDraht*>(board.At(1))->Nodes.size(), std::size_t(WireTool::MaxPoints));
}

TEST_F(MouseEditingTest, WireClicksBesideTheBoardMakeNothing) {
    editor.ChooseTool(pm_Draht);
    Click(Hole(25, 2));
    EXPECT_EQ(board.Count(), 0);
    EXPECT_FALSE(editor.Busy());
}

TEST_F(MouseEditingTest, RightClicksTakeBackPointsAndEscapeLeavesTheBoardAsBefore) {
    editor.ChooseTool(pm_Draht);
    Click(Hole(2, 2));
    Click(Hole(2, 5), Qt::ControlModifier);
    RightClick(Hole(4, 4));
    auto* wire = static_cast<TDraht*>(board.At(0));
    EXPECT_EQ(wire->Nodes, (std::vector<QPoint>{Hole(2, 2)}));
    RightClick(Hole(4, 4));
    EXPECT_EQ(board.Count(), 0) << "the last point takes the wire with it";

    Click(Hole(2, 2));
    Click(Hole(2, 5), Qt::ControlModifier);
    EXPECT_TRUE(editor.Key({Qt::Key_Escape, {}}));
    EXPECT_EQ(board.Count(), 0);
    EXPECT_FALSE(board.CursorCaptured());
}

TEST_F(MouseEditingTest, GrabbingAWireEndContinuesTheWireAndAnEarlyRightClickRestoresIt) {
    TDraht* wire = AddLine({Hole(2, 2), Hole(6, 2)}, TBauteilTyp::btDraht);
    board.SetzeMarkierung(wire, true);
    const int before = UndoSteps();
    Down(Hole(6, 2));
    Up(Hole(6, 2));
    EXPECT_EQ(board.Modus(), pm_Draht);
    EXPECT_EQ(UndoSteps(), before + 1) << "the snapshot is taken at the hand-over";
    EXPECT_EQ(wire->Nodes.size(), 1u);
    RightClick(Hole(8, 4));
    EXPECT_EQ(wire->Nodes, (std::vector<QPoint>{Hole(2, 2), Hole(6, 2)}));
    EXPECT_EQ(wire->Anchors, (std::vector<QPoint>{{2, 2}, {6, 2}}));

    board.SetModus(pm_Standard);
    board.SetModus(pm_Standard);
    board.MarkiereAlle(false);
    board.SetzeMarkierung(wire, true);
    Down(Hole(6, 2));
    Up(Hole(6, 2));
    Click(Hole(9, 5));
    EXPECT_EQ(wire->Nodes, (std::vector<QPoint>{Hole(2, 2), Hole(9, 5)}));
    EXPECT_EQ(board.Modus(), pm_Standard) << "back to the select tool it came from";
}

TEST_F(MouseEditingTest, LinesAndPolygonsOnTheFineGrid) {
    struct Case {
        TPlatinenModus mode;
        std::vector<QPoint> clicks;
        std::size_t points; // 0: dropped
        TBauteilTyp kind;
    };
    const Case cases[] = {
        {pm_Linie, {{500, 500}, {1000, 500}, {1000, 900}}, 3, TBauteilTyp::btLine},
        {pm_Linie, {{500, 500}}, 0, TBauteilTyp::btLine},
        {pm_Polygon, {{500, 500}, {1000, 500}, {1000, 900}, {500, 500}}, 3, TBauteilTyp::btPolygon},
    };
    for (const Case& c : cases) {
        board.Clear();
        editor.ChooseTool(c.mode);
        for (const QPoint p : c.clicks)
            Click(p);
        RightClick(c.clicks.back());
        ASSERT_EQ(board.Count(), c.points ? 1 : 0) << int(c.mode);
        if (!c.points)
            continue;
        auto* line = static_cast<TDraht*>(board.At(0));
        EXPECT_EQ(line->Nodes.size(), c.points);
        EXPECT_EQ(line->BauteilTyp, c.kind);
        EXPECT_EQ(line->Nodes[1], QPoint(1000, 500));
    }
}

TEST_F(MouseEditingTest, RectanglesAndCirclesTakeTwoClicksAndTheCurrentPen) {
    // The pen chosen after the tool, since the tool starts with a pen of its own.
    editor.ChooseTool(pm_Rechteck);
    board.CurrentPenWidth = 70;
    board.CurrentBrushColour = RgbColour(10, 200, 30);
    Click({500, 500});
    MoveTo({1500, 1000});
    EXPECT_TRUE(host.band);
    Click({1500, 1000});
    ASSERT_EQ(board.Count(), 1);
    auto* rect = static_cast<TDraht*>(board.At(0));
    EXPECT_EQ(rect->BauteilTyp, TBauteilTyp::btRect);
    EXPECT_EQ(rect->Nodes.front(), QPoint(500, 500));
    EXPECT_EQ(rect->Nodes[2], QPoint(1500, 1000));
    EXPECT_EQ(rect->Stiftbreite(), 70);
    EXPECT_EQ(rect->Brushfarbe(), RgbColour(10, 200, 30));

    editor.ChooseTool(pm_Kreis);
    Click({2000, 1000});
    MoveTo({2500, 1000});
    Click({2500, 1000});
    ASSERT_EQ(board.Count(), 2);
    auto* circle = dynamic_cast<TKreis*>(board.At(1));
    ASSERT_TRUE(circle);
    EXPECT_EQ(circle->Centre, QPoint(2000, 1000));
    EXPECT_NEAR(circle->RimPoint.x(), 2500, 2);

    Click({3000, 1000});
    EXPECT_TRUE(editor.Key({Qt::Key_Escape, {}}));
    EXPECT_EQ(board.Count(), 2) << "Escape drops the circle being drawn";
}

class AnsweringTextDialog : public TextLabelDialog {
public:
    bool accept = false;
    std::optional<TextLabelFields> Ask(const TextLabelFields& fields) override {
        if (!accept)
            return std::nullopt;
        TextLabelFields answer = fields;
        answer.Text = QStringLiteral("GND");
        return answer;
    }
    int PixelsPerInch() const override { return 96; }
};

TEST_F(MouseEditingTest, ATextLabelComesOnlyWhenItsDialogIsAccepted) {
    AnsweringTextDialog dialog;
    TTextLabel::SetDialog(&dialog);
    editor.ChooseTool(pm_Text);
    const int before = UndoSteps();
    Click({800, 800});
    EXPECT_EQ(board.Count(), 0);
    EXPECT_EQ(UndoSteps(), before) << "Cancel leaves nothing, not even an undo step";
    dialog.accept = true;
    Click({800, 800});
    ASSERT_EQ(board.Count(), 1);
    EXPECT_EQ(static_cast<TTextLabel*>(board.At(0))->TextString(), QStringLiteral("GND"));
    TTextLabel::SetDialog(nullptr);
}

TEST(CutToolTest, ACutSizesFromTheTrackAndKeepsItsSizeWhenAnEdgeIsPushed) {
    CutEdge grabbed = CutEdge::None;
    // A vertical strip of half width 100 at x = 1270, clicked at y = 500.
    EXPECT_EQ(CutAcross({1270, 500}, true, 1270, 100, grabbed), (Rect{1150, 428, 1390, 588}));
    EXPECT_EQ(grabbed, CutEdge::Bottom);
    EXPECT_EQ(CutAcross({500, 1397}, false, 1397, 100, grabbed), (Rect{428, 1277, 588, 1517}));
    EXPECT_EQ(grabbed, CutEdge::Right);

    struct Case {
        CutEdge edge;
        int to;
        Rect expected;
    };
    const Rect cut{100, 400, 300, 600};
    const Case cases[] = {
        {CutEdge::Top, 300, {100, 300, 300, 600}},  {CutEdge::Top, 700, {100, 700, 300, 720}},
        {CutEdge::Top, 995, {100, 980, 300, 1000}}, {CutEdge::Bottom, 390, {100, 370, 300, 390}},
        {CutEdge::Bottom, 5, {100, 0, 300, 20}},    {CutEdge::Left, 290, {290, 400, 310, 600}},
        {CutEdge::Right, 50, {30, 400, 50, 600}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MoveCutEdge(cut, c.edge, c.to, 2000, 1000), c.expected)
            << int(c.edge) << " to " << c.to;
}

TEST_F(MouseEditingTest, ClickingAStripCutsItAndDraggingMovesTheGrabbedEdge) {
    editor.ChooseTool(pm_Trenner);
    MoveTo(Hole(5, 3));
    EXPECT_EQ(host.pointer, PointerShape::SplitHorizontal);
    const int before = UndoSteps();
    Down(Hole(5, 3));
    ASSERT_EQ(board.Count(), 1);
    auto* cut = dynamic_cast<TTrenner*>(board.At(0));
    ASSERT_TRUE(cut);
    const int y = 3 * 254 + 127;
    EXPECT_EQ(cut->CutRect, (Rect{1270 - 80, y - 120, 1270 + 80, y + 120}));
    MoveTo(Hole(5.5, 3));
    Up(Hole(5.5, 3));
    EXPECT_EQ(cut->CutRect.Right, Hole(5.5, 3).x());
    EXPECT_EQ(UndoSteps(), before + 1);
    EXPECT_FALSE(editor.Busy());
    RightClick(Hole(9, 9));
    EXPECT_EQ(board.Modus(), pm_Standard);
}

TEST_F(MouseEditingTest, LayoutToolsPlaceAtTheHoleAndTheOriginToolReturns) {
    board.PadDiameter = 2.5;
    const TPlatinenModus modes[] = {pm_Auge, pm_Bohrung, pm_BohrAuge, pm_Pin};
    for (const TPlatinenModus mode : modes) {
        board.Clear();
        editor.ChooseTool(mode);
        Click(Hole(3, 3) + QPoint(60, 40));
        Click(Hole(4, 3));
        EXPECT_EQ(board.Count(), 2) << int(mode) << ": the tool repeats";
        EXPECT_TRUE(board.At(1)->IstMarkiert());
        EXPECT_FALSE(board.At(0)->IstMarkiert());
        RightClick(Hole(4, 3));
        EXPECT_EQ(board.Modus(), pm_Standard);
    }
    editor.ChooseTool(pm_Ursprung);
    Click(Hole(7, 2) + QPoint(30, 30));
    EXPECT_EQ(board.Ursprung(), Hole(7, 2));
    EXPECT_EQ(board.Modus(), pm_Standard);
}

TEST_F(MouseEditingTest, StretchingAPartAnchorsBothLeadsInTheirHoles) {
    ElementClipboard clipboard(view);
    TPlatine source(view);
    TBauteil* part = source.Add(test::MakeResistor());
    ASSERT_TRUE(part->CanStretchLeads());
    source.SetzeMarkierung(part, true);
    ASSERT_TRUE(board.PlatziereZweipol(source.KopiereMarkierte()));
    ASSERT_EQ(board.Modus(), pm_Zweipol);
    Click(Hole(2, 4));
    MoveTo(Hole(9, 4));
    Click(Hole(9, 4));
    ASSERT_EQ(board.Count(), 1);
    auto* placed = static_cast<TGruppe*>(board.At(0));
    EXPECT_TRUE(placed->Placed());
    EXPECT_EQ(board.Modus(), pm_Standard);
    std::vector<QPoint> anchors = placed->CurrentAnchors();
    std::sort(anchors.begin(), anchors.end(), [](QPoint a, QPoint b) { return a.x() < b.x(); });
    EXPECT_EQ(anchors, (std::vector<QPoint>{{2, 4}, {9, 4}}));
}

// --- Shared mechanisms -----------------------------------------------------------------------

TEST_F(MouseEditingTest, AutoscrollRunsNearTheEdgesAndTheVerticalWinsInACorner) {
    struct Case {
        QPoint hostPixel;
        ToolManager::ScrollDirection direction;
    };
    using D = ToolManager::ScrollDirection;
    const Case cases[] = {
        {{400, 300}, D::None}, {{790, 300}, D::Right}, {{5, 300}, D::Left},
        {{400, 590}, D::Down}, {{400, 5}, D::Up},      {{790, 10}, D::Up},
    };
    TDraht* a = AddLine({Hole(2, 2), Hole(6, 2)});
    board.SetzeMarkierung(a, true);
    Down(Hole(3, 2));
    for (const Case& c : cases) {
        editor.Move({PointerAction::Move,
                     c.hostPixel + scroll.ScrollPosition(),
                     Qt::NoButton,
                     Qt::LeftButton,
                     {}});
        EXPECT_EQ(editor.AutoscrollDirection(), c.direction)
            << c.hostPixel.x() << "," << c.hostPixel.y();
        EXPECT_EQ(host.autoscrolling, c.direction != D::None);
    }
    const QPoint scrolled = scroll.ScrollPosition();
    editor.AutoscrollTick();
    EXPECT_EQ(scroll.ScrollPosition(), scrolled + QPoint(0, -ToolManager::AutoscrollStep));
}

TEST_F(MouseEditingTest, SmallWheelStepsAddUpToANotch) {
    const double zoom = board.Zoom();
    for (int i = 0; i < 3; ++i)
        editor.Wheel({{300, 300}, {0, 30}, {}});
    EXPECT_EQ(board.Zoom(), zoom);
    editor.Wheel({{300, 300}, {0, 30}, {}});
    EXPECT_GT(board.Zoom(), zoom);
    const QPoint scrolled = scroll.ScrollPosition();
    editor.Wheel({{300, 300}, {0, -120}, Qt::ShiftModifier});
    EXPECT_GT(scroll.ScrollPosition().y(), scrolled.y());
    EXPECT_EQ(scroll.ScrollPosition().x(), scrolled.x());
}

// Zooming with the wheel keeps the hole under the pointer under it, notch after notch, seen
// from either side; rounding the scroll position at each notch must not add up to a slide.
TEST_F(MouseEditingTest, TheWheelZoomsAboutTheHoleUnderThePointer) {
    struct Case {
        const char* name;
        int notches; // positive zooms in
        Qt::KeyboardModifiers modifiers;
        bool solderSide;
        QPoint hole;
    };
    const Case cases[] = {
        {"in", 3, {}, false, {5, 7}},
        {"out", -3, {}, false, {5, 7}},
        {"in and out", 0, {}, false, {13, 2}},
        {"with Ctrl", 3, Qt::ControlModifier, false, {17, 8}},
        {"from the solder side", 3, {}, true, {5, 7}},
        {"far in", 5, {}, false, {3, 4}},
    };
    for (const Case& c : cases) {
        view.Loetseite = c.solderSide;
        board.SetZoom(3.0);
        scroll.SetScrollPosition({40, 30});
        const QPoint hole = Hole(c.hole.x(), c.hole.y());
        const QPoint pointer = Control(hole);
        const QPoint hostPixel = pointer - scroll.ScrollPosition();
        // The pointer rests on its pixel of the window while the board moves beneath it.
        const auto notches = [&](int count, int angle) {
            for (int i = 0; i < count; ++i)
                editor.Wheel({hostPixel + scroll.ScrollPosition(), {0, angle}, c.modifiers});
        };
        if (c.notches == 0) {
            notches(3, 120);
            notches(3, -120);
        } else {
            notches(std::abs(c.notches), c.notches > 0 ? 120 : -120);
        }
        EXPECT_NEAR(board.Zoom(), 3.0 * std::pow(TPlatine::ZoomStep, c.notches), 1e-9) << c.name;
        const QPoint drift = board.BoardToHost(hole) - hostPixel;
        EXPECT_LE(std::abs(drift.x()), 1) << c.name << ": " << drift.x() << "," << drift.y();
        EXPECT_LE(std::abs(drift.y()), 1) << c.name << ": " << drift.x() << "," << drift.y();
    }
}

// Shift scrolls up and down; Alt or a sideways turn scroll sideways; none of them zooms.
TEST_F(MouseEditingTest, TheWheelScrollsWithShiftAltOrASidewaysTurn) {
    struct Case {
        const char* name;
        QPoint angle;
        Qt::KeyboardModifiers modifiers;
        QPoint direction;
    };
    const Case cases[] = {
        {"Shift down", {0, -120}, Qt::ShiftModifier, {0, 1}},
        {"Shift up", {0, 120}, Qt::ShiftModifier, {0, -1}},
        {"Alt", {0, -120}, Qt::AltModifier, {1, 0}},
        {"tilt right", {-120, 0}, {}, {1, 0}},
        {"tilt left", {120, 0}, {}, {-1, 0}},
    };
    for (const Case& c : cases) {
        board.SetZoom(3.0);
        scroll.SetScrollPosition({400, 300});
        editor.Wheel({{300, 300}, c.angle, c.modifiers});
        const QPoint moved = scroll.ScrollPosition() - QPoint(400, 300);
        EXPECT_EQ(board.Zoom(), 3.0) << c.name;
        EXPECT_EQ(QPoint(moved.x() > 0   ? 1
                         : moved.x() < 0 ? -1
                                         : 0,
                         moved.y() > 0   ? 1
                         : moved.y() < 0 ? -1
                                         : 0),
                  c.direction)
            << c.name;
    }
}

// A pinch grows the zoom by its factor about the pointer, and stops at the zoom's limits.
TEST_F(MouseEditingTest, APinchZoomsAboutThePointer) {
    board.SetZoom(3.0);
    scroll.SetScrollPosition({40, 30});
    const QPoint hole = Hole(9, 4);
    const QPoint hostPixel = board.BoardToHost(hole);
    for (int i = 0; i < 20; ++i)
        editor.Pinch(hostPixel + scroll.ScrollPosition(), 1.05);
    EXPECT_NEAR(board.Zoom(), 3.0 * std::pow(1.05, 20), 1e-9);
    const QPoint drift = board.BoardToHost(hole) - hostPixel;
    EXPECT_LE(std::abs(drift.x()), 1) << drift.x();
    EXPECT_LE(std::abs(drift.y()), 1) << drift.y();
    const QPoint before = scroll.ScrollPosition();
    board.SetZoom(TPlatine::MaxZoom);
    scroll.SetScrollPosition(before);
    editor.Pinch(hostPixel + before, 1.5);
    EXPECT_EQ(board.Zoom(), TPlatine::MaxZoom);
    EXPECT_EQ(scroll.ScrollPosition(), before) << "a zoom at its limit moves nothing";
    editor.Pinch(hostPixel + before, std::nan(""));
    editor.Pinch(hostPixel + before, -1.0);
    EXPECT_EQ(board.Zoom(), TPlatine::MaxZoom);
}

} // namespace
} // namespace karvel
