#pragma once
// The central table of the main window's commands, one entry per command in the order of
// CommandId. Menus, tool bars, context menus and keys are built from it.

#include "shell/Command.h"

#include <span>

namespace karvel {

std::span<const Command> CommandTable();
const Command& FindCommand(CommandId id);

} // namespace karvel
