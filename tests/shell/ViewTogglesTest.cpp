#include "shell/BoardArea.h"
#include "shell/ScrollBoxEx.h"
#include "shell/ShellFixture.h"

#include <gtest/gtest.h>
#include <QtWidgets/QToolBar>
#include <QtWidgets/QToolButton>

namespace karvel {
namespace {

using test::Hole;

const QColor Surface(239, 204, 5);
const QColor CopperSeenDirectly(207, 172, 3);
const QColor CopperSeenThrough(208, 125, 2);

class ViewTogglesTest : public ::testing::Test {
protected:
    ViewTogglesTest() {
        const QString path = folder.filePath(QStringLiteral("view.rst"));
        EXPECT_EQ(test::WriteStripboardProject(path, {"Eins", "Zwei"}), u"");
        EXPECT_TRUE(shown->OpenProjectFile(path));
    }
    TPlatine& Board() const { return shown.Board(); }
    // The colour the screen shows at a board point.
    QColor At(QPoint boardPoint) const {
        return shown.Picture().pixelColor(Board().BoardToControl(boardPoint));
    }
    void Toggle(CommandId id) {
        shown->Action(id).trigger();
        QApplication::processEvents();
    }

    QTemporaryDir folder;
    test::ShownWindow shown;
    // Between the strips of rows 0 and 1, and on the strip of row 0 between two holes.
    const QPoint surface{127 + 254, 254};
    const QPoint copper{127 + 254, 127};
};

TEST_F(ViewTogglesTest, OutlineModeTurnsEveryBoardWhite) {
    EXPECT_EQ(At(surface), Surface);
    Toggle(CommandId::ViewOutline);
    EXPECT_TRUE(shown->Action(CommandId::ViewOutline).isChecked());
    EXPECT_EQ(At(surface), QColor(Qt::white));
    EXPECT_TRUE(shown->Board(0).UmrissModus());
    EXPECT_TRUE(shown->Board(1).UmrissModus());
    Toggle(CommandId::ViewOutline);
    EXPECT_EQ(At(surface), Surface);
}

TEST_F(ViewTogglesTest, SeeThroughShowsTheCopperFromTheOtherSide) {
    EXPECT_EQ(At(copper), CopperSeenDirectly);
    Toggle(CommandId::ViewSeeThrough);
    EXPECT_TRUE(shown->View().Durchsicht);
    EXPECT_TRUE(shown->Action(CommandId::ViewSeeThrough).isChecked());
    EXPECT_EQ(At(copper), CopperSeenThrough);
}

TEST_F(ViewTogglesTest, TheSolderSideMirrorsTheBoardAndKeepsTheViewCentre) {
    // The cut in row 1 shows the board between its copper ends.
    const QPoint cut{4 * 254 + 127, 381};
    // Close enough that the view scrolls, so that its centre can be kept.
    Toggle(CommandId::ZoomIn);
    Toggle(CommandId::ZoomIn);
    ASSERT_EQ(At(cut), Surface);
    const QPoint before = Board().BoardToControl(cut);
    TScrollBoxEx& scroll = shown->ScrollBox(shown->CurrentIndex());
    const QPoint middle = scroll.ScrollPosition() +
                          QPoint(scroll.ClientSize().width() / 2, scroll.ClientSize().height() / 2);
    const QPoint centre = Board().ControlToBoard(middle);

    Toggle(CommandId::ViewSolderSide);
    EXPECT_TRUE(shown->View().Loetseite);
    EXPECT_TRUE(shown->Action(CommandId::ViewSolderSide).isChecked());
    EXPECT_NE(Board().BoardToControl(cut).y(), before.y());
    EXPECT_EQ(At(cut), Surface) << "the cut is drawn where the turned board has it";
    EXPECT_NE(shown.Picture().pixelColor(before), Surface) << "row 3 has no cut";
    const QPoint middleAfter = scroll.ScrollPosition() + QPoint(scroll.ClientSize().width() / 2,
                                                                scroll.ClientSize().height() / 2);
    EXPECT_LE((Board().ControlToBoard(middleAfter) - centre).manhattanLength(), 12);
    EXPECT_EQ(Board().Infozeile2(), u"Lötseite");
    Toggle(CommandId::ViewSolderSide);
    EXPECT_EQ(Board().Infozeile2(), u"Bauteilseite");
}

TEST_F(ViewTogglesTest, XRayAndRenderingSwitchTheirViewFlags) {
    ASSERT_TRUE(shown->View().Roentgen);
    Toggle(CommandId::ViewXRay);
    EXPECT_FALSE(shown->View().Roentgen);
    EXPECT_FALSE(shown->Action(CommandId::ViewXRay).isChecked());
    EXPECT_EQ(Board().Infozeile1(), u"Platine");
    ASSERT_TRUE(shown->View().BitmapRendering);
    Toggle(CommandId::ViewRendering);
    EXPECT_FALSE(shown->View().BitmapRendering);
    EXPECT_FALSE(shown->Action(CommandId::ViewRendering).isChecked());
}

TEST_F(ViewTogglesTest, SwitchesClearTheSelectionButNotTheProbesMarks) {
    Board().SetSelected(Board().At(1), true);
    Toggle(CommandId::ViewXRay);
    EXPECT_EQ(Board().CountSelected(), 0);
    shown->ChooseTool(12);
    Board().SetSelected(Board().At(1), true);
    Toggle(CommandId::ViewXRay);
    EXPECT_EQ(Board().CountSelected(), 1) << "the test mode keeps what it shows";
}

TEST_F(ViewTogglesTest, EverySwitchRepaintsTheBoard) {
    for (const CommandId id :
         {CommandId::ViewOutline, CommandId::ViewSolderSide, CommandId::ViewSeeThrough,
          CommandId::ViewXRay, CommandId::ViewRendering}) {
        shown.Picture();
        const int before = shown.Control().BoardRenderCount();
        Toggle(id);
        EXPECT_GT(shown.Control().BoardRenderCount(), before) << int(id);
    }
}

TEST_F(ViewTogglesTest, TheToolBarButtonAndTheMenuItemStayInStep) {
    QToolBar& view = shown->ToolWindow(2);
    auto* button =
        qobject_cast<QToolButton*>(view.widgetForAction(&shown->Action(CommandId::ViewSeeThrough)));
    ASSERT_NE(button, nullptr);
    test::Click(*button, button->rect().center());
    EXPECT_TRUE(shown->View().Durchsicht);
    EXPECT_TRUE(shown->Action(CommandId::ViewSeeThrough).isChecked());
    EXPECT_TRUE(button->isChecked());
    shown->Action(CommandId::ViewSeeThrough).trigger();
    EXPECT_FALSE(button->isChecked());
    EXPECT_FALSE(shown->View().Durchsicht);
}

TEST_F(ViewTogglesTest, TheRulersHideAndShowTogether) {
    ASSERT_TRUE(shown->Area().RulersVisible());
    Toggle(CommandId::ViewRulers);
    EXPECT_FALSE(shown->Area().RulersVisible());
    EXPECT_FALSE(shown->Action(CommandId::ViewRulers).isChecked());
    Toggle(CommandId::ViewRulers);
    EXPECT_TRUE(shown->Area().RulersVisible());
}

TEST_F(ViewTogglesTest, ZoomCommandsActOnTheCurrentBoard) {
    const double other = shown->Board(0).Zoom();
    ASSERT_EQ(shown->CurrentIndex(), 1);
    const double fitted = Board().Zoom();
    Toggle(CommandId::ZoomIn);
    EXPECT_NEAR(Board().Zoom(), fitted * 1.4, 1e-9);
    Toggle(CommandId::ZoomOut);
    EXPECT_NEAR(Board().Zoom(), fitted, 1e-9);
    Toggle(CommandId::ZoomElements);
    EXPECT_NE(Board().Zoom(), fitted);
    Toggle(CommandId::ZoomBoard);
    EXPECT_NEAR(Board().Zoom(), fitted, 1e-9) << "the scroll bars of the closer view are gone";
    EXPECT_EQ(shown->Board(0).Zoom(), other) << "the other board stays as it was";
}

// The view a press of "zoom to elements" gives does not depend on the view before it: the
// first press already gives the final one, from far out as from close in.
TEST_F(ViewTogglesTest, ZoomToElementsGivesItsFinalViewAtTheFirstPress) {
    TScrollBoxEx& scroll = shown->ScrollBox(shown->CurrentIndex());
    for (const CommandId from : {CommandId::ZoomOut, CommandId::ZoomIn}) {
        Toggle(CommandId::ZoomBoard);
        for (int i = 0; i < 3; ++i)
            Toggle(from);
        Toggle(CommandId::ZoomElements);
        const double zoom = Board().Zoom();
        const QPoint position = scroll.ScrollPosition();
        const QSize client = scroll.ClientSize();
        Toggle(CommandId::ZoomElements);
        EXPECT_NEAR(Board().Zoom(), zoom, 1e-9) << int(from);
        EXPECT_EQ(scroll.ScrollPosition(), position) << int(from);
        EXPECT_EQ(scroll.ClientSize(), client) << int(from);
    }
}

} // namespace
} // namespace karvel
