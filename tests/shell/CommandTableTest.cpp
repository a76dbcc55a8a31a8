#include "shell/CommandTable.h"
#include "board/CommandList.h"
#include "board/tools/ToolRules.h"
#include "shell/MenuLayout.h"
#include "shell/ShellFixture.h"

#include <gtest/gtest.h>
#include <map>
#include <QtCore/QTimer>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QToolBar>
#include <QtWidgets/QWidgetAction>
#include <set>

namespace karvel {
namespace {

using test::ShownWindow;

// Every action a user can reach: menus with their submenus, context menus, tool bars and the
// tool column.
void CollectMenu(const QMenu& menu, std::vector<QAction*>& found) {
    for (QAction* action : menu.actions()) {
        if (action->isSeparator())
            continue;
        found.push_back(action);
        if (action->menu() != nullptr)
            CollectMenu(*action->menu(), found);
    }
}

std::vector<QAction*> ReachableActions(MainWindow& window) {
    std::vector<QAction*> found;
    for (QAction* top : window.menuBar()->actions())
        CollectMenu(*top->menu(), found);
    for (QMenu* popup : {&window.ElementPopup(), &window.LibraryPopup(), &window.BoardTabPopup()})
        CollectMenu(*popup, found);
    for (int number = 1; number <= MainWindow::ToolWindowCount; ++number)
        for (QAction* action : window.ToolWindow(number).actions())
            if (!action->isSeparator() && qobject_cast<QWidgetAction*>(action) == nullptr)
                found.push_back(action);
    for (QAction* action : window.ToolColumnBar().actions())
        if (!action->isSeparator())
            found.push_back(action);
    return found;
}

std::map<const QAction*, CommandId> ActionIds(MainWindow& window) {
    std::map<const QAction*, CommandId> ids;
    for (const Command& command : CommandTable())
        ids[&window.Action(command.Id)] = command.Id;
    return ids;
}

TEST(CommandTableTest, EntriesStandInTheOrderOfTheirIds) {
    ASSERT_EQ(CommandTable().size(), std::size_t(CommandCount));
    for (int i = 0; i < CommandCount; ++i)
        EXPECT_EQ(CommandTable()[std::size_t(i)].Id, CommandId(i)) << "entry " << i;
}

TEST(CommandTableTest, EveryMenuItemAndToolButtonIsACommandOfTheTable) {
    ShownWindow shown;
    const auto ids = ActionIds(*shown);
    const std::vector<QAction*> reachable = ReachableActions(*shown);
    EXPECT_GT(reachable.size(), 140u);
    for (const QAction* action : reachable)
        EXPECT_TRUE(ids.contains(action)) << action->text().toStdString() << " is not in the table";
}

TEST(CommandTableTest, EveryCommandAppearsInAMenuABarOrTheKeys) {
    ShownWindow shown;
    const auto ids = ActionIds(*shown);
    std::set<CommandId> shown_ids;
    for (const QAction* action : ReachableActions(*shown))
        shown_ids.insert(ids.at(action));
    for (const CommandId key : WindowKeys())
        shown_ids.insert(key);
    // The layout editor's own commands appear in the editor only.
    for (const Command& command : CommandTable())
        if (!IsLayoutEditorCommand(command.Id)) {
            EXPECT_TRUE(shown_ids.contains(command.Id))
                << command.Name << " is nowhere to be found";
        }
}

// The window runs the handler of the commands routed to it; every other command goes by its
// route, and a handler named there would never run.
TEST(CommandTableTest, HandlersBelongToTheCommandsTheWindowCarriesOut) {
    for (const Command& command : CommandTable()) {
        const CommandRoute route = RouteOf(command.Id);
        const bool window = std::holds_alternative<WindowRoute>(route) ||
                            std::holds_alternative<BoardSwitchRoute>(route);
        EXPECT_EQ(command.Handle != nullptr, window) << command.Name;
    }
}

// A tool command names a mode that a tool button stands for and that a tool works in.
TEST(CommandTableTest, ToolCommandsChooseAToolThatExists) {
    int tools = 0;
    for (const Command& command : CommandTable()) {
        const CommandRoute route = RouteOf(command.Id);
        if (!std::holds_alternative<ToolRoute>(route))
            continue;
        ++tools;
        const TPlatinenModus mode = std::get<ToolRoute>(route).Mode;
        EXPECT_EQ(ModeForTag(ToolTag(mode)), mode) << command.Name;
    }
    EXPECT_EQ(tools, 17) << "the tool column's and the layout editor's buttons";
}

// Triggers every enabled item the way a click does and watches it arrive at its handler.
TEST(CommandTableTest, EveryEnabledItemReachesItsHandler) {
    ShownWindow shown;
    shown.window->Recent().Add(QStringLiteral("/nowhere/a.rst"));
    for (const Command& command : CommandTable()) {
        QAction& action = shown->Action(command.Id);
        if (!action.isEnabled() || command.Kind == CommandKind::Submenu ||
            command.Id == CommandId::FileExit)
            continue;
        std::vector<CommandId> executed;
        shown->OnCommandExecuted = [&](CommandId id) { executed.push_back(id); };
        // The print window and the layout editor are modal: close them once they are up,
        // the editor without taking its layout.
        shown.dialogs->saveAnswer = SaveAnswer::No;
        if (command.Id == CommandId::FilePrint || command.Id == CommandId::BoardEditLayout ||
            command.Id == CommandId::ToolEditLayout)
            QTimer::singleShot(0, [] {
                if (QWidget* modal = QApplication::activeModalWidget())
                    modal->close();
            });
        action.trigger();
        EXPECT_EQ(executed, std::vector<CommandId>{command.Id}) << command.Name;
        shown->OnCommandExecuted = nullptr;
        // Undo the switches again so that every command meets the same window.
        if (command.Kind == CommandKind::Toggle && action.isEnabled())
            action.trigger();
    }
}

TEST(CommandTableTest, ExitClosesTheWindow) {
    ShownWindow shown;
    shown->Action(CommandId::FileExit).trigger();
    EXPECT_FALSE(shown->isVisible());
}

// With everything selected, a filled clipboard and two boards, a command is disabled only where
// its own condition is missing; one that lost its way to run would stay disabled.
TEST(CommandTableTest, CommandsAreDisabledOnlyForTheirOwnReasons) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("two.rst"));
    ASSERT_EQ(test::WriteStripboardProject(path, {QStringLiteral("A"), QStringLiteral("B")}), u"");
    ShownWindow shown;
    ASSERT_TRUE(shown->OpenProjectFile(path));
    shown->Action(CommandId::EditSelectAll).trigger();
    shown->Action(CommandId::EditCopy).trigger();
    shown->DoMenues();
    using enum CommandId;
    constexpr const char* noLibrary = ": the window has no library";
    constexpr const char* editorOnly = ": only the layout editor offers it";
    constexpr const char* noContour = ": no selected contour has points to smooth";
    constexpr const char* noArea = ": no circle, rectangle or polygon is selected";
    const std::map<CommandId, const char*> reasons{
        {EditUndo, ": nothing to undo"},
        {EditRedo, ": nothing to redo"},
        {ArrangeUngroup, ": no group is selected"},
        {PopupUngroup, ": no group is selected"},
        {ComponentSplit, ": no component is selected"},
        {EditRotate, ": only a single component turns"},
        {PopupRotate, ": only a single component turns"},
        {PopupProperties, ": several elements are selected"},
        {ContourOriginal, noContour},
        {ContourSpline, noContour},
        {ContourChamfer, noContour},
        {ContourRounding, noContour},
        {FillBitmap, noArea},
        {MillNormal, noArea},
        {MillMilled, noArea},
        {FillBitmapRotate, ": no fill picture to turn"},
        {ComponentAddToLibrary, noLibrary},
        {PopupAddToLibrary, noLibrary},
        {LibraryNewPage, noLibrary},
        {LibraryDeletePage, noLibrary},
        {LibraryRenamePage, noLibrary},
        {LibraryToTop, noLibrary},
        {LibraryToBottom, noLibrary},
        {LibraryUp, noLibrary},
        {LibraryDown, noLibrary},
        {LibraryDeleteComponent, noLibrary},
        {LibPopupToTop, noLibrary},
        {LibPopupToBottom, noLibrary},
        {LibPopupUp, noLibrary},
        {LibPopupDown, noLibrary},
        {LibPopupDelete, noLibrary},
        {LibPopupProperties, noLibrary},
        {LibPopupNewPage, noLibrary},
        {LibPopupRenamePage, noLibrary},
        {LibPopupDeletePage, noLibrary},
        {ToolPadWithDrilling, editorOnly},
        {ToolPad, editorOnly},
        {ToolTrack, editorOnly},
        {LayoutAccept, editorOnly},
        {LayoutReject, editorOnly},
        {ViewShowTools, ": no tool window is hidden"},
    };
    for (const Command& command : CommandTable()) {
        // A hidden item is disabled with it: the recent files not in use, the tool windows
        // already shown.
        if (!shown->Action(command.Id).isVisible())
            continue;
        const auto reason = reasons.find(command.Id);
        EXPECT_EQ(shown->Action(command.Id).isEnabled(), reason == reasons.end())
            << command.Name << (reason == reasons.end() ? " is disabled" : reason->second);
    }
}

TEST(CommandTableTest, ShortcutsAreUniqueAndEqualTheTable) {
    ShownWindow shown;
    std::map<QKeySequence, CommandId> seen;
    for (const Command& command : CommandTable()) {
        EXPECT_EQ(shown->Action(command.Id).shortcut(), command.Shortcut) << command.Name;
        if (command.Shortcut.isEmpty())
            continue;
        const auto [it, fresh] = seen.emplace(command.Shortcut, command.Id);
        EXPECT_TRUE(fresh) << command.Name << " shares "
                           << command.Shortcut.toString().toStdString();
    }
}

TEST(CommandTableTest, ObjectNamesAreUnique) {
    std::set<std::string> names;
    for (const Command& command : CommandTable())
        EXPECT_TRUE(names.insert(command.Name).second) << command.Name;
}

} // namespace
} // namespace karvel
