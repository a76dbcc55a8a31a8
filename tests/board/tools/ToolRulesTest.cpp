// Choosing a tool in the core: what each tool starts with (colours, pen width, selection,
// crosshair), applied the same whether a tool button, an edit script or another tool chose it.

#include "board/tools/ToolRules.h"
#include "board/Platine.h"
#include "board/tools/ToolManager.h"
#include "elements/Draht.h"
#include "support/FakeHost.h"
#include "support/RecordingToolHost.h"
#include "support/SampleBoard.h"
#include "support/Stripboard.h"

#include <gtest/gtest.h>

namespace karvel {
namespace {

using test::RecordingToolHost;

using enum TPlatinenModus;

constexpr Colour Red = RgbColour(255, 0, 0);
constexpr Colour LightGrey = RgbColour(192, 192, 192);
constexpr Colour Yellow = RgbColour(255, 255, 0);

QPoint Hole(int column, int row) {
    return {column * HolePitch, row * HolePitch + HalfPitch};
}

// A stripboard of 20 × 10 holes with a selected red line of 0.7 mm on it.
class ToolRulesTest : public ::testing::Test {
protected:
    ToolRulesTest() {
        test::MakeStripboard(board, 20, 10);
        board.SetHost(&scroll);
        board.SetZoom(3.0);
        line = board.Add(test::MakeWire(TBauteilTyp::btLine, {Hole(2, 6), Hole(5, 6)}));
        board.SetzeMarkierung(line, true);
        board.CurrentPenColour = Red;
        board.CurrentBrushColour = Red;
        board.CurrentPenWidth = 70;
    }

    void MoveTo(QPoint boardPoint, Qt::KeyboardModifiers mods = {}) {
        editor.Move(
            {PointerAction::Move, board.BoardToControl(boardPoint), Qt::NoButton, {}, mods});
    }

    ViewState view;
    TPlatine board{view};
    test::FakeHost scroll;
    RecordingToolHost host;
    ToolManager editor{board, host};
    TBauteil* line = nullptr;
};

struct StartCase {
    const char* Name;
    TPlatinenModus Mode;
    Colour PenColour;
    Colour BrushColour;
    int PenWidth;
    bool SelectionCleared;
    TPlatinenModus Previous;
};

void PrintTo(const StartCase& c, std::ostream* os) {
    *os << c.Name;
}

class ToolStartTest : public ToolRulesTest, public ::testing::WithParamInterface<StartCase> {};

TEST_P(ToolStartTest, TheChosenToolSetsWhatItStartsWith) {
    const StartCase& c = GetParam();
    editor.ChooseTool(c.Mode);
    EXPECT_EQ(board.Modus(), c.Mode);
    EXPECT_EQ(board.VorigerModus(), c.Previous);
    EXPECT_EQ(board.CurrentPenColour, c.PenColour);
    EXPECT_EQ(board.CurrentBrushColour, c.BrushColour);
    EXPECT_EQ(board.CurrentPenWidth, c.PenWidth);
    EXPECT_EQ(board.CountSelected(), c.SelectionCleared ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    EveryTool, ToolStartTest,
    ::testing::Values(StartCase{"Select", pm_Standard, Red, Red, 70, false, pm_Standard},
                      StartCase{"Magnifier", pm_Zoom, Red, Red, 70, false, pm_Standard},
                      StartCase{"Wire", pm_Draht, LightGrey, Red, 40, true, pm_Draht},
                      StartCase{"Lead", pm_Anschluss, LightGrey, Red, 40, true, pm_Anschluss},
                      StartCase{"Line", pm_Linie, colours::Black, Red, 10, true, pm_Standard},
                      StartCase{"Polygon", pm_Polygon, colours::Black, Red, 10, true, pm_Standard},
                      StartCase{"Rectangle", pm_Rechteck, colours::Black, Red, 10, true,
                                pm_Standard},
                      StartCase{"Circle", pm_Kreis, colours::Black, Red, 10, true, pm_Standard},
                      StartCase{"Text", pm_Text, colours::Black, Yellow, 70, true, pm_Standard},
                      StartCase{"Pin", pm_Pin, colours::White, Red, 60, true, pm_Standard},
                      StartCase{"Cut", pm_Trenner, Red, Red, 70, false, pm_Standard},
                      StartCase{"Probe", pm_Test, Red, Red, 70, false, pm_Standard},
                      StartCase{"Pad", pm_Auge, Red, Red, 70, false, pm_Standard},
                      StartCase{"Drilling", pm_Bohrung, Red, Red, 70, false, pm_Standard},
                      StartCase{"Track", pm_Leiterbahn, Red, Red, 70, false, pm_Standard},
                      StartCase{"PadWithDrilling", pm_BohrAuge, Red, Red, 70, false, pm_Standard},
                      StartCase{"Origin", pm_Ursprung, Red, Red, 70, false, pm_Standard}),
    [](const ::testing::TestParamInfo<StartCase>& info) { return std::string(info.param.Name); });

TEST_F(ToolRulesTest, TheCrosshairFollowsTheSnappedPointerOnlyInToolsThatShowIt) {
    const struct {
        TPlatinenModus Mode;
        bool Follows;
    } cases[] = {{pm_Draht, true},    {pm_Anschluss, true}, {pm_Pin, true},
                 {pm_Auge, true},     {pm_Bohrung, true},   {pm_Leiterbahn, true},
                 {pm_BohrAuge, true}, {pm_Ursprung, true},  {pm_Standard, false},
                 {pm_Zoom, false},    {pm_Linie, false},    {pm_Text, false},
                 {pm_Trenner, false}, {pm_Test, false}};
    for (const auto& c : cases) {
        editor.ChooseTool(pm_Standard);
        editor.ChooseTool(c.Mode);
        MoveTo(Hole(3, 4) + QPoint(40, -30));
        if (c.Follows)
            EXPECT_EQ(host.crosshair, Hole(3, 4)) << int(c.Mode);
        else
            EXPECT_EQ(host.crosshair, std::nullopt) << int(c.Mode);
        editor.Key({Qt::Key_Escape, {}});
    }
}

TEST_F(ToolRulesTest, ShiftPutsTheCrosshairOnTheFineGridAndLeavingTheToolTakesItAway) {
    board.View().FineGrid = 10;
    editor.ChooseTool(pm_Draht);
    const QPoint pointer = Hole(3, 4) + QPoint(41, -29);
    MoveTo(pointer, Qt::ShiftModifier);
    ASSERT_TRUE(host.crosshair.has_value());
    EXPECT_NE(*host.crosshair, Hole(3, 4));
    EXPECT_EQ(host.crosshair->x() % 10, 0);
    EXPECT_EQ(host.crosshair->y() % 10, 0);
    EXPECT_LE((*host.crosshair - pointer).manhattanLength(), 20);
    editor.ChooseTool(pm_Standard);
    EXPECT_EQ(host.crosshair, std::nullopt) << "gone at once, not at the next move";
}

// The select tool hands a grabbed wire end over to the wire tool: the wire tool starts as its
// button starts it, and when the wire ends the select tool comes back.
TEST_F(ToolRulesTest, AWireEndHandedOverStartsTheWireToolAndEndsInTheSelectTool) {
    auto* wire = static_cast<TDraht*>(
        board.Add(test::MakeWire(TBauteilTyp::btDraht, {Hole(2, 2), Hole(6, 2)})));
    board.RecomputeAnchors(*wire);
    board.MarkiereAlle(false);
    board.SetzeMarkierung(wire, true);
    const auto click = [&](QPoint p) {
        const QPoint at = board.BoardToControl(p);
        editor.Press({PointerAction::Press, at, Qt::LeftButton, {}, {}});
        editor.Release({PointerAction::Release, at, Qt::LeftButton, {}, {}});
    };
    click(Hole(6, 2));
    EXPECT_EQ(board.Modus(), pm_Draht);
    EXPECT_EQ(board.CurrentPenColour, LightGrey);
    EXPECT_EQ(board.CurrentPenWidth, 40);
    EXPECT_EQ(board.VorigerModus(), pm_Standard);
    click(Hole(9, 4));
    EXPECT_EQ(wire->Nodes, (std::vector<QPoint>{Hole(2, 2), Hole(9, 4)}));
    EXPECT_EQ(board.Modus(), pm_Standard);
}

TEST(ToolTableTest, EveryButtonChoosesItsModeAndTheOnlyOnesAskingForASizeAreTheLayoutTools) {
    for (int tag = 1; tag <= 17; ++tag) {
        const std::optional<TPlatinenModus> mode = ModeForTag(tag);
        ASSERT_TRUE(mode.has_value()) << tag;
        EXPECT_EQ(ButtonTagForMode(*mode), tag);
        EXPECT_EQ(AsksForSize(*mode), tag >= 13 && tag <= 16) << tag;
    }
    EXPECT_FALSE(ModeForTag(18).has_value());
    EXPECT_FALSE(ButtonTagForMode(pm_Platzieren).has_value());
    EXPECT_FALSE(ButtonTagForMode(pm_Zweipol).has_value());
}

} // namespace
} // namespace karvel
