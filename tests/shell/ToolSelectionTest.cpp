#include "board/Continuity.h"
#include "board/tools/ToolRules.h"
#include "shell/BoardControl.h"
#include "shell/ColourGrid.h"
#include "shell/CursorLibrary.h"
#include "shell/Palette.h"
#include "shell/ShellFixture.h"

#include <gtest/gtest.h>
#include <QtWidgets/QComboBox>

namespace karvel {
namespace {

using enum TPlatinenModus;
using test::ShownWindow;

class ToolSelectionTest : public ::testing::Test {
protected:
    ToolSelectionTest() {
        TPlatine& board = shown.Board();
        line = board.Add(test::MakeWire(TBauteilTyp::btLine, {{254, 381}, {762, 381}}));
        board.SetSelected(line, true);
    }
    TPlatine& Board() const { return shown.Board(); }

    ShownWindow shown;
    TBauteil* line = nullptr;
};

TEST_F(ToolSelectionTest, TheWireToolStartsLightGreyAtPointFourAndClearsTheSelection) {
    shown->ChooseTool(3);
    EXPECT_EQ(Board().Modus(), pm_Draht);
    EXPECT_EQ(Board().VorigerModus(), pm_Draht) << "the wire tool remembers itself";
    EXPECT_TRUE(shown->Action(CommandId::ToolWire).isChecked());
    EXPECT_FALSE(shown->Action(CommandId::ToolStandard).isChecked());
    EXPECT_EQ(Board().CurrentPenColour, RgbColour(192, 192, 192));
    EXPECT_EQ(shown->Colours().Foreground(), 7);
    EXPECT_EQ(shown->PenWidths().currentText(), u"0,4 mm");
    EXPECT_EQ(Board().CurrentPenWidth, 40);
    EXPECT_EQ(Board().CountSelected(), 0);
}

TEST_F(ToolSelectionTest, TheTextToolWritesBlackOnYellowAndKeepsTheWidth) {
    shown->PenWidths().setCurrentIndex(11);
    shown->ChooseTool(6);
    EXPECT_EQ(Board().Modus(), pm_Text);
    EXPECT_EQ(Board().VorigerModus(), pm_Standard);
    EXPECT_EQ(Board().CurrentPenColour, colours::Black);
    EXPECT_EQ(Board().CurrentBrushColour, RgbColour(255, 255, 0));
    EXPECT_EQ(shown->Colours().Background(), 11);
    EXPECT_EQ(shown->PenWidths().currentText(), u"1,5 mm");
    EXPECT_EQ(Board().CountSelected(), 0);
}

TEST_F(ToolSelectionTest, DrawingToolsAndPinsStartWithTheirColoursAndWidths) {
    const struct {
        int Tag;
        TPlatinenModus Mode;
        int PenColour;
        const char* Width;
    } cases[] = {{7, pm_Linie, 0, "0,1 mm"},    {9, pm_Kreis, 0, "0,1 mm"},
                 {8, pm_Rechteck, 0, "0,1 mm"}, {10, pm_Polygon, 0, "0,1 mm"},
                 {11, pm_Pin, 15, "0,6 mm"},    {4, pm_Anschluss, 7, "0,4 mm"}};
    for (const auto& c : cases) {
        shown->ChooseTool(c.Tag);
        EXPECT_EQ(Board().Modus(), c.Mode) << c.Tag;
        EXPECT_EQ(Board().CurrentPenColour, PaletteColour(c.PenColour)) << c.Tag;
        EXPECT_EQ(shown->PenWidths().currentText(), QString::fromLatin1(c.Width)) << c.Tag;
    }
}

TEST_F(ToolSelectionTest, CancellingTheDrillingSizeReturnsToTheSelectTool) {
    shown->AskToolSize = [](int tag, TPlatine&) { return tag != 13; };
    shown->ChooseTool(13);
    EXPECT_EQ(Board().Modus(), pm_Standard);
    EXPECT_TRUE(shown->Action(CommandId::ToolStandard).isChecked());
    shown->AskToolSize = [](int, TPlatine& board) {
        board.DrillDiameter = 1.2;
        return true;
    };
    shown->ChooseTool(13);
    EXPECT_EQ(Board().Modus(), pm_Bohrung);
    EXPECT_TRUE(shown->Action(CommandId::ToolDrill).isChecked());
    EXPECT_EQ(Board().CountSelected(), 1) << "the drilling tool keeps the selection";
}

TEST_F(ToolSelectionTest, WithoutASizeDialogTheDrillingToolDoesNotStart) {
    shown->ChooseTool(13);
    EXPECT_EQ(Board().Modus(), pm_Standard);
}

TEST_F(ToolSelectionTest, TheBoardLeavingAToolPressesTheSelectButton) {
    shown->Action(CommandId::ToolTest).trigger();
    ASSERT_TRUE(shown->Action(CommandId::ToolTest).isChecked());
    Board().SetModus(pm_Standard);
    Board().Fire(Board().OnModeChange);
    EXPECT_TRUE(shown->Action(CommandId::ToolStandard).isChecked());
}

TEST_F(ToolSelectionTest, TheBoardMenusSetOriginChoosesTheOriginTool) {
    shown->Action(CommandId::BoardSetOrigin).trigger();
    EXPECT_EQ(Board().Modus(), pm_Ursprung);
    EXPECT_TRUE(shown->Action(CommandId::ToolOrigin).isChecked());
    EXPECT_EQ(shown.Control().cursor().shape(), Qt::BlankCursor) << "the crosshair stands for it";
}

// A tool the board chooses by itself (the select tool handing a wire end to the wire tool)
// starts as its button starts it, and the window shows that start.
TEST_F(ToolSelectionTest, AWireEndHandedToTheWireToolShowsTheWireToolsStart) {
    TBauteil* wire = Board().Add(test::MakeWire(TBauteilTyp::btDraht, {{254, 635}, {762, 635}}));
    Board().MarkiereAlle(false);
    Board().SetzeMarkierung(wire, true);
    shown->PenWidths().setCurrentIndex(11);
    test::Click(shown.Control(), Board().BoardToControl(QPoint(762, 635)));
    EXPECT_EQ(Board().Modus(), pm_Draht);
    EXPECT_TRUE(shown->Action(CommandId::ToolWire).isChecked());
    EXPECT_EQ(Board().CurrentPenColour, RgbColour(192, 192, 192));
    EXPECT_EQ(shown->Colours().Foreground(), 7);
    EXPECT_EQ(shown->PenWidths().currentText(), u"0,4 mm");
}

TEST_F(ToolSelectionTest, ToolsShowTheirCursors) {
    shown->ChooseTool(2);
    EXPECT_EQ(shown.Control().cursor().shape(), Qt::BitmapCursor);
    shown->ChooseTool(5);
    EXPECT_EQ(shown.Control().cursor().shape(), Qt::SplitHCursor);
    shown->ChooseTool(1);
    EXPECT_EQ(shown.Control().cursor().shape(), Qt::ArrowCursor);
}

TEST_F(ToolSelectionTest, TheCrosshairFollowsTheSnappedCursorOnlyInToolsThatShowIt) {
    BoardControl& control = shown.Control();
    const QPoint near = Board().BoardToControl(test::Hole(2, 1)) + QPoint(3, -4);
    test::MouseMove(control, near);
    EXPECT_FALSE(control.Crosshair().has_value());
    shown->ChooseTool(3);
    test::MouseMove(control, near + QPoint(1, 0));
    ASSERT_TRUE(control.Crosshair().has_value());
    EXPECT_EQ(*control.Crosshair(), test::Hole(2, 1));
    shown->ChooseTool(1);
    EXPECT_FALSE(control.Crosshair().has_value());
}

TEST_F(ToolSelectionTest, TheMagnifierZoomsIntoAFrameAndOutWithARightClick) {
    shown->ChooseTool(2);
    BoardControl& control = shown.Control();
    const double before = Board().Zoom();
    test::SendMouse(control, QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton);
    EXPECT_EQ(Board().Infozeile1(), u"Zoom...");
    test::SendMouse(control, QEvent::MouseMove, {300, 220}, Qt::LeftButton);
    ASSERT_TRUE(control.RubberBand().has_value());
    EXPECT_EQ(*control.RubberBand(), QRect(QPoint(100, 100), QPoint(300, 220)));
    test::SendMouse(control, QEvent::MouseButtonRelease, {300, 220}, Qt::LeftButton);
    EXPECT_FALSE(control.RubberBand().has_value());
    const double framed = Board().Zoom();
    EXPECT_GT(framed, before * 2);
    EXPECT_EQ(Board().Infozeile1(), u"Platine");
    test::Click(control, {50, 50}, Qt::RightButton);
    EXPECT_NEAR(Board().Zoom(), framed / 1.4, 1e-9);
    EXPECT_EQ(Board().Modus(), pm_Zoom) << "a right click zooms out and stays in the tool";
}

TEST(ToolTableTest, ModesMapToTagsAndBack) {
    for (int tag = 1; tag <= 12; ++tag) {
        const std::optional<TPlatinenModus> mode = ModeForTag(tag);
        ASSERT_TRUE(mode.has_value()) << tag;
        EXPECT_EQ(TagForMode(*mode), tag);
    }
    EXPECT_FALSE(ModeForTag(0).has_value());
    EXPECT_FALSE(TagForMode(pm_Platzieren).has_value());
    EXPECT_FALSE(TagForMode(pm_Bohrung).has_value()) << "the board never chooses it by itself";
}

TEST(ToolTableTest, CursorNamesFollowTheModeAndTheLanguage) {
    const struct {
        TPlatinenModus Mode;
        const char* German;
        const char* English;
    } cases[] = {{pm_Zoom, "LUPE", "LUPE"},
                 {pm_Draht, "KOLBENDRAHT", "KOLBENDRAHT_UK"},
                 {pm_Zweipol, "KOLBEN2POL", "KOLBEN2POL_UK"},
                 {pm_Test, "KOLBENTEST", "KOLBENTEST"},
                 {pm_Text, "STIFTTEXT", "STIFTTEXT"},
                 {pm_Trenner, "SPLIT", "SPLIT"},
                 {pm_Bohrung, "NONE", "NONE"},
                 {pm_Ursprung, "NONE", "NONE"},
                 {pm_Standard, "", ""}};
    for (const auto& c : cases) {
        EXPECT_EQ(CursorNameForMode(c.Mode, Language::German), QString::fromLatin1(c.German));
        EXPECT_EQ(CursorNameForMode(c.Mode, Language::English), QString::fromLatin1(c.English));
    }
}

// The window shows a tool's start in its colour grid and pen width list: each start value must
// have its cell and its entry there.
TEST(ToolTableTest, EveryToolStartHasItsCellInTheColourGridAndItsEntryInTheWidthList) {
    for (int tag = 1; tag <= 17; ++tag) {
        const ToolStart start = ToolStartFor(*ModeForTag(tag));
        if (start.PenColour)
            EXPECT_TRUE(PaletteIndex(*start.PenColour).has_value()) << tag;
        if (start.FillColour)
            EXPECT_TRUE(PaletteIndex(*start.FillColour).has_value()) << tag;
        if (start.PenWidth)
            EXPECT_TRUE(PenWidthIndex(*start.PenWidth).has_value()) << tag;
    }
    EXPECT_FALSE(PaletteIndex(RgbColour(1, 2, 3)).has_value());
    EXPECT_FALSE(PenWidthIndex(45).has_value());
}

TEST(ToolTableTest, EveryNamedCursorHasAPictureWithItsHotSpotInside) {
    ASSERT_EQ(CursorPictures().size(), 16u);
    for (const CursorPicture& picture : CursorPictures()) {
        const QCursor cursor = NamedCursor(QString::fromLatin1(picture.Name));
        EXPECT_EQ(cursor.shape(), Qt::BitmapCursor) << picture.Name;
        EXPECT_FALSE(cursor.pixmap().isNull()) << picture.Name;
        EXPECT_TRUE(QRect(0, 0, 32, 32).contains(picture.HotSpot)) << picture.Name;
        // The hot spot lies on the drawing, where the tool touches the board.
        const QImage image = cursor.pixmap().toImage();
        const QPoint at = picture.HotSpot * cursor.pixmap().devicePixelRatio();
        EXPECT_GT(qAlpha(image.pixel(at)), 0) << picture.Name;
    }
    EXPECT_NE(FindCursor(QStringLiteral("LOETEN_UK")), nullptr);
}

} // namespace
} // namespace karvel
