#include "board/Continuity.h"
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

TEST_F(ProbeToolTest, TheUnusedAreasShowWhileTheButtonIsHeld) {
    QToolButton& button = shown->UnusedAreasButton();
    test::SendMouse(button, QEvent::MouseButtonPress, button.rect().center(), Qt::LeftButton);
    EXPECT_TRUE(Board().Analysis().UnusedShown());
    EXPECT_EQ(At(Strip(1, 2)), Unused);
    EXPECT_TRUE(shown->Action(CommandId::ToolStandard).isChecked());
    test::SendMouse(button, QEvent::MouseButtonRelease, button.rect().center(), Qt::LeftButton);
    EXPECT_FALSE(Board().Analysis().UnusedShown());
    EXPECT_EQ(At(Strip(1, 2)), Copper);
}

} // namespace
} // namespace karvel
