// The board operations of the Edit, Arrange and Components menus, the element menu, the keys
// and the tool bar: the window only runs them on the current board and shows the result.

#include "board/BoardCommands.h"
#include "board/ElementClipboard.h"
#include "board/tools/ToolManager.h"
#include "board/UndoHistory.h"
#include "shell/BoardControl.h"
#include "shell/MainWindow.h"

namespace karvel {

void MainWindow::BoardCommand(int tag) {
    if (current_ < 0)
        return;
    TPlatine& board = CurrentBoard();
    const Rect size = board.BoardRect();
    RunBoardCommand(CommandId(tag), board, *clipboard_);
    // A new board size was fitted into the window when it was set; an undo or redo that brings
    // another size back fits that one, rather than showing a few huge holes.
    if (board.BoardRect() != size)
        board.FitBoard();
    // The handles frame the selection as it is now: turned, nudged, aligned or newly chosen.
    Control(current_).Editor().ShowHandles();
    Control(current_).InvalidateAll();
    UpdateTitle();
    DoMenues();
}

void MainWindow::ApplyToSelection(TPlatine::Attribut attribute) {
    if (current_ < 0 || CurrentBoard().AnzahlMarkierte() == 0)
        return;
    CurrentBoard().SetzeAttribut(attribute);
    Control(current_).Editor().ShowHandles();
    Control(current_).InvalidateAll();
    UpdateTitle();
    DoMenues();
}

void MainWindow::SetUndoDepth(int depth) {
    depth = UndoHistory::ClampDepth(depth);
    if (depth == view_.UndoDepth)
        return;
    for (const BoardView& board : boards_)
        board.Board->ClearHistory();
    view_.UndoDepth = depth;
    DoMenues();
}

void MainWindow::ElementPropertiesCommand(int) {
    if (BoardBusy())
        return;
    TPlatine& board = CurrentBoard();
    TBauteil* element = board.LastSelected();
    if (board.CountSelected() == 0 || element == nullptr) {
        EditBoardProperties(false);
        return;
    }
    {
        const DialogScope scope(*this);
        board.EditElementProperties(*element);
    }
    DoMenues();
}

} // namespace karvel
