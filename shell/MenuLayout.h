#pragma once
// Where each command appears: the menus of the main window, its three context menus, the
// twelve tool bars and the tool column, as lists of command ids.

#include "board/CommandId.h"

#include <span>
#include <vector>

namespace karvel {

// Marks a separator in a list of commands.
inline constexpr CommandId Separator = CommandId::Count;

struct MenuDefinition {
    const char* Name;
    const char* German;
    const char* English;
    std::vector<CommandId> Items;
};

// Controls of a tool bar that are not command buttons.
enum class ToolBarWidget { None, InfoDisplay, PenWidthList, ColourGrid, ContourAmount };

struct ToolBarItem {
    CommandId Id = Separator;
    ToolBarWidget Widget = ToolBarWidget::None;
};

struct ToolBarDefinition {
    int Number; // 1 to 12, the tag of its "Show tools" item
    const char* Name;
    const char* German;
    const char* English;
    std::vector<ToolBarItem> Items;
    CommandId ShowItem;
};

std::span<const MenuDefinition> MainMenus();
// The items of the "Show tools" submenu: one per tool bar, then "Show all".
std::span<const CommandId> ShowToolsItems();
// The items of the "Language" submenu.
std::span<const CommandId> LanguageItems();
const MenuDefinition& ElementMenu();
const MenuDefinition& LibraryMenu();
const MenuDefinition& BoardTabMenu();
std::span<const ToolBarDefinition> ToolBars();
std::span<const CommandId> ToolColumn();
// The keys of the window that no menu shows.
std::span<const CommandId> WindowKeys();

} // namespace karvel
