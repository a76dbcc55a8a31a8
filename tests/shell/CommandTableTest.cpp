#include "shell/CommandTable.h"
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

// The drawing tools have their handler, the tool choice, while their board part is missing.
TEST(CommandTableTest, AvailableCommandsHaveAHandler) {
    for (const Command& command : CommandTable())
        if (command.Available && command.Kind != CommandKind::Submenu) {
            EXPECT_NE(command.Handle, nullptr) << command.Name;
        }
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

TEST(CommandTableTest, CommandsStillWaitingStayDisabledWhateverIsSelected) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("two.rst"));
    ASSERT_EQ(test::WriteStripboardProject(path, {QStringLiteral("A"), QStringLiteral("B")}), u"");
    ShownWindow shown;
    ASSERT_TRUE(shown->OpenProjectFile(path));
    shown->Action(CommandId::EditSelectAll).trigger();
    for (const Command& command : CommandTable())
        if (!command.Available && command.Kind != CommandKind::Submenu) {
            EXPECT_FALSE(shown->Action(command.Id).isEnabled()) << command.Name;
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
