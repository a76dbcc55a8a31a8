#pragma once
// The central table of the main window's commands, one entry per command in the order of
// CommandId. Menus, tool bars, context menus and keys are built from it.

#include "board/PlatinenTyp.h"
#include "shell/Command.h"

#include <span>

namespace karvel {

std::span<const Command> CommandTable();
const Command& FindCommand(CommandId id);
// The tag ChooseTool and the tool size questions know a tool's mode by.
int ToolTag(TPlatinenModus mode);

} // namespace karvel
