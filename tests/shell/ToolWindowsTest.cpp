#include "shell/ShellFixture.h"

#include <gtest/gtest.h>
#include <QtWidgets/QMenu>
#include <QtWidgets/QToolBar>

namespace karvel {
namespace {

using Dock = ToolWindowPlacement::Dock;

TEST(ToolWindowsTest, StoredPlacementsDockOrFloatTheToolBars) {
    test::ShownWindow shown;
    QToolBar& zoom = shown->ToolWindow(9);
    shown->PlaceToolWindow(9,
                           ToolWindowPlacement::FromStored(QStringLiteral("none"), 140, 120, true));
    EXPECT_TRUE(zoom.isFloating());
    EXPECT_EQ(zoom.pos(), QPoint(140, 120));
    shown->PlaceToolWindow(
        9, ToolWindowPlacement::FromStored(QStringLiteral("Bottom_ControlBar"), 100, 100, true));
    EXPECT_FALSE(zoom.isFloating());
    EXPECT_EQ(shown->toolBarArea(&zoom), Qt::BottomToolBarArea);
    shown->PlaceToolWindow(
        9, ToolWindowPlacement::FromStored(QStringLiteral("top_controlbar"), 100, 100, false));
    EXPECT_EQ(shown->toolBarArea(&zoom), Qt::TopToolBarArea);
    EXPECT_TRUE(zoom.isHidden());
}

TEST(ToolWindowsTest, UnknownParentsFloat) {
    const ToolWindowPlacement placement =
        ToolWindowPlacement::FromStored(QStringLiteral("Panel7"), 5, 6, true);
    EXPECT_EQ(placement.Where, Dock::Floating);
    EXPECT_EQ(placement.StoredParent(), u"none");
    EXPECT_EQ(ToolWindowPlacement::FromStored(QStringLiteral("Top_ControlBar"), 0, 0, true)
                  .StoredParent(),
              u"Top_ControlBar");
}

TEST(ToolWindowsTest, HiddenToolWindowsAreOfferedInTheShowToolsMenu) {
    test::ShownWindow shown;
    EXPECT_FALSE(shown->Action(CommandId::ViewShowTools).isEnabled());
    EXPECT_FALSE(shown->Action(CommandId::ShowToolEdit).isVisible());
    shown->ToolWindow(5).hide();
    EXPECT_TRUE(shown->Action(CommandId::ViewShowTools).isEnabled());
    EXPECT_TRUE(shown->Action(CommandId::ShowToolEdit).isVisible());
    EXPECT_FALSE(shown->Action(CommandId::ShowToolZoom).isVisible());

    // A dialog hides the floating tool windows for a while, and does not bring back this one.
    shown->Action(CommandId::FileOpen).trigger();
    EXPECT_TRUE(shown->ToolWindow(5).isHidden());

    shown->Action(CommandId::ShowToolEdit).trigger();
    EXPECT_FALSE(shown->ToolWindow(5).isHidden());
    EXPECT_FALSE(shown->Action(CommandId::ShowToolEdit).isVisible());

    shown->ToolWindow(1).hide();
    shown->ToolWindow(12).hide();
    shown->Action(CommandId::ShowAllTools).trigger();
    EXPECT_FALSE(shown->ToolWindow(1).isHidden());
    EXPECT_FALSE(shown->ToolWindow(12).isHidden());
    EXPECT_FALSE(shown->Action(CommandId::ViewShowTools).isEnabled());
}

TEST(ToolWindowsTest, DialogsHideFloatingToolWindowsWhileTheyAreOpen) {
    bool hiddenDuringDialog = false;
    struct Watching : test::FakeDialogs {
        std::function<void()> during;
        void ShowAbout(QWidget*, Language) override { during(); }
    };
    auto watching = std::make_unique<Watching>();
    Watching* dialogs = watching.get();
    MainWindow window({Language::German, std::move(watching), {}});
    window.show();
    window.PlaceToolWindow(7,
                           ToolWindowPlacement::FromStored(QStringLiteral("none"), 100, 100, true));
    dialogs->during = [&] { hiddenDuringDialog = window.ToolWindow(7).isHidden(); };
    window.Action(CommandId::HelpInfo).trigger();
    EXPECT_TRUE(hiddenDuringDialog);
    EXPECT_FALSE(window.ToolWindow(7).isHidden());
}

} // namespace
} // namespace karvel
