#include "board/Continuity.h"
#include "elements/Draht.h"
#include "shell/ShellFixture.h"

#include <gtest/gtest.h>
#include <QtWidgets/QToolButton>

namespace karvel {
namespace {

const QColor TestVoltage(0, 255, 255);
const QColor Unused(0, 128, 0);
const QColor Copper(207, 172, 3);

class ProbeToolTest : public ::testing::Test {
protected:
    ProbeToolTest() {
        const QString path = folder.filePath(QStringLiteral("probe.rst"));
        EXPECT_EQ(test::WriteStripboardProject(path, {"Probe"}), u"");
        EXPECT_TRUE(shown->OpenProjectFile(path));
        shown->Action(CommandId::ViewXRay).trigger();
    }
    TPlatine& Board() const { return shown.Board(); }
    QPoint Pixel(QPoint boardPoint) const { return Board().BoardToControl(boardPoint); }
    QColor At(QPoint boardPoint) const { return shown.Picture().pixelColor(Pixel(boardPoint)); }
    // On the strip of a row, between two holes.
    static QPoint Strip(int column, int row) { return {column * 254 + 127, row * 254 + 127}; }

    QTemporaryDir folder;
    test::ShownWindow shown;
};

TEST_F(ProbeToolTest, AClickMarksTheConnectedCopperOnly) {
    shown->Action(CommandId::ToolTest).trigger();
    ASSERT_EQ(Board().Modus(), TPlatinenModus::pm_Test);
    EXPECT_EQ(At(Strip(1, 1)), Copper);
    test::Click(shown.Control(), Pixel(Strip(1, 1)));
    EXPECT_EQ(At(Strip(1, 1)), TestVoltage);
    EXPECT_EQ(At(Strip(3, 1)), TestVoltage);
    EXPECT_EQ(At(Strip(6, 1)), Copper) << "the cut in row 1 stops the test";
    EXPECT_EQ(At(Strip(1, 2)), Copper);
    // The next probe clears the marks of the last one.
    test::Click(shown.Control(), Pixel(Strip(7, 1)));
    EXPECT_EQ(At(Strip(1, 1)), Copper);
    EXPECT_EQ(At(Strip(7, 1)), TestVoltage);
}

TEST_F(ProbeToolTest, LeavingTheToolEndsTheTest) {
    shown->ChooseTool(12);
    test::Click(shown.Control(), Pixel(Strip(1, 0)));
    ASSERT_EQ(At(Strip(1, 0)), TestVoltage);
    shown->ChooseTool(2);
    EXPECT_EQ(At(Strip(1, 0)), Copper);

    shown->ChooseTool(12);
    test::Click(shown.Control(), Pixel(Strip(1, 0)));
    ASSERT_EQ(At(Strip(1, 0)), TestVoltage);
    test::Click(shown.Control(), Pixel(Strip(1, 0)), Qt::RightButton);
    EXPECT_EQ(Board().Modus(), TPlatinenModus::pm_Standard);
    EXPECT_TRUE(shown->Action(CommandId::ToolStandard).isChecked());
    EXPECT_EQ(At(Strip(1, 0)), Copper);
}

TEST_F(ProbeToolTest, ClicksInTheSelectToolProbeNothing) {
    test::Click(shown.Control(), Pixel(Strip(1, 0)));
    EXPECT_EQ(At(Strip(1, 0)), Copper);
}

TEST_F(ProbeToolTest, TheUnusedAreasButtonIsASwitchThatStaysOnUntilSwitchedOff) {
    QToolButton& button = shown->UnusedAreasButton();
    QAction& item = shown->Action(CommandId::ViewUnusedAreas);
    shown->ChooseTool(2);
    test::Click(button, button.rect().center());
    EXPECT_TRUE(shown->UnusedAreasShown());
    EXPECT_TRUE(button.isChecked());
    EXPECT_TRUE(item.isChecked()) << "the menu item stays in step";
    EXPECT_TRUE(shown->Action(CommandId::ToolStandard).isChecked());
    EXPECT_EQ(At(Strip(1, 2)), Unused);
    QApplication::processEvents();
    EXPECT_EQ(At(Strip(1, 2)), Unused) << "still shown after the click is over";
    item.trigger();
    EXPECT_FALSE(shown->UnusedAreasShown());
    EXPECT_FALSE(button.isChecked());
    EXPECT_EQ(At(Strip(1, 2)), Copper);
}

// Selected elements are drawn magenta; none may stay so once nothing is selected.
int SelectedPixels(const QImage& picture) {
    int count = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            count += picture.pixelColor(x, y) == QColor(255, 0, 255) ? 1 : 0;
    return count;
}

TEST_F(ProbeToolTest, ShowingTheUnusedAreasRepaintsTheSelectionItClears) {
    ASSERT_EQ(SelectedPixels(shown.Picture()), 0);
    shown->Action(CommandId::EditSelectAll).trigger();
    ASSERT_GT(SelectedPixels(shown.Picture()), 50);
    shown->Action(CommandId::ViewUnusedAreas).trigger();
    EXPECT_EQ(Board().CountSelected(), 0);
    EXPECT_EQ(SelectedPixels(shown.Picture()), 0);
    EXPECT_FALSE(shown->Action(CommandId::EditCopy).isEnabled()) << "the commands follow as well";
}

TEST_F(ProbeToolTest, AnEditWhileTheUnusedAreasShowWorksThemOutAgain) {
    shown->Action(CommandId::ViewUnusedAreas).trigger();
    ASSERT_EQ(At(Strip(1, 2)), Unused);
    // A wire soldered into row 2 uses its strip; the board reports the edit as a click.
    auto wire = std::make_unique<TDraht>();
    wire->BauteilTyp = TBauteilTyp::btDraht;
    wire->Nodes = {test::Hole(2, 2), test::Hole(2, 3)};
    TBauteil* added = Board().Add(std::move(wire));
    Board().SetSelected(added, true);
    Board().Fire(Board().OnMyClick);
    QApplication::processEvents();
    EXPECT_EQ(At(Strip(6, 2)), Copper);
    EXPECT_EQ(At(Strip(6, 3)), Copper);
    EXPECT_EQ(At(Strip(8, 4)), Unused);
    EXPECT_EQ(Board().CountSelected(), 1) << "working them out again keeps the selection";
}

TEST_F(ProbeToolTest, TheUnusedAreasFollowTheTabsAndGiveWayToTheProbe) {
    const QString path = folder.filePath(QStringLiteral("two.rst"));
    ASSERT_EQ(test::WriteStripboardProject(path, {"Eins", "Zwei"}), u"");
    ASSERT_TRUE(shown->OpenProjectFile(path));
    shown->SelectBoard(0);
    shown->Action(CommandId::ViewUnusedAreas).trigger();
    Board().SetSelected(Board().At(1), true);
    shown->SelectBoard(1);
    QApplication::processEvents();
    EXPECT_TRUE(Board().Analysis().UnusedShown());
    EXPECT_FALSE(shown->Board(0).Analysis().UnusedShown());
    EXPECT_EQ(shown->Board(0).CountSelected(), 1) << "a tab change keeps the selection";
    EXPECT_EQ(At(Strip(1, 2)), Unused);
    shown->Action(CommandId::ToolTest).trigger();
    EXPECT_FALSE(shown->UnusedAreasShown());
    EXPECT_FALSE(shown->Action(CommandId::ViewUnusedAreas).isChecked());
    EXPECT_EQ(At(Strip(1, 2)), Copper);
}

} // namespace
} // namespace karvel
