#pragma once
// Every command's name, as edit scripts and error messages spell it, and where it goes when it
// runs: one table in the order of CommandId holds both.

#include "board/CommandId.h"
#include "board/PlatinenTyp.h"

#include <optional>
#include <QtCore/QString>
#include <variant>

namespace karvel {

// The route of an entry the table left without one; no command keeps it (the table's
// compile-time check refuses it).
struct NoRoute {};
// An operation on the current board, run by RunBoardCommand from the window and from edit
// scripts alike.
struct BoardRoute {};
// The fill switch: the window's button keeps its state and gives it to the selection; an edit
// script flips the board's fill and gives that to the selection.
struct BoardSwitchRoute {};
// The project and its boards: new, save, the board list, the board's properties, the undo
// depth, the fill picture.
struct FileRoute {};
// The library's pages and components, adding the selection to the library included.
struct LibraryRoute {};
// A tool button: the current board works in that mode.
struct ToolRoute {
    TPlatinenModus Mode = TPlatinenModus::pm_Standard;
};
// The window's own work: its dialogs, the view, the tool windows, the language, help.
struct WindowRoute {};
// A menu item that opens a submenu and runs nothing itself.
struct SubmenuRoute {};

using CommandRoute = std::variant<NoRoute, BoardRoute, BoardSwitchRoute, FileRoute, LibraryRoute,
                                  ToolRoute, WindowRoute, SubmenuRoute>;

QString CommandName(CommandId id);
// The command of that name (exact spelling), or none.
std::optional<CommandId> CommandFromName(const QString& name);
CommandRoute RouteOf(CommandId id);

} // namespace karvel
