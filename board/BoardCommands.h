#pragma once
// The commands whose whole work is an operation on the current board: the Edit, Arrange and
// Components menus, the element menu, the arrow and space keys, and the tool bar's align,
// fill, contour and milling buttons. The window and edit scripts run them through here.

#include "board/CommandId.h"

namespace karvel {

class ElementClipboard;
class TPlatine;

enum class CommandOutcome {
    Done,
    // The command needs a window (a file dialog, a colour chooser, another board).
    NeedsWindow,
    // The board's state does not allow it now (the enabling rules, or not in the select tool).
    NotNow,
};

// The commands routed to the board: an edit script runs them without a window.
bool IsBoardCommand(CommandId id);
CommandOutcome RunBoardCommand(CommandId id, TPlatine& board, ElementClipboard& clipboard);

} // namespace karvel
