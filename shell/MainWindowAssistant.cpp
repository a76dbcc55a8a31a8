// The component assistant's command: the dialog, and the part it made handed to the board.

#include "board/GeneratedPart.h"
#include "board/Platine.h"
#include "shell/BoardControl.h"
#include "shell/ComponentAssistantDialog.h"
#include "shell/MainWindow.h"
#include "shell/ScrollBoxEx.h"

namespace karvel {

namespace {

constexpr int SelectToolTag = 1;

} // namespace

void MainWindow::AssistantCommand(int) {
    if (BoardBusy())
        return;
    if (!assistant_)
        assistant_ = std::make_unique<ComponentAssistantDialog>(view_, *dialogs_, this);
    bool accepted = false;
    {
        const DialogScope scope(*this);
        accepted = dialogs_->RunComponentAssistant(*assistant_);
    }
    TPlatine& board = CurrentBoard();
    if (!accepted) {
        board.SetModus(TPlatinenModus::pm_Standard);
        ChooseTool(SelectToolTag);
        return;
    }
    if (HandOverGeneratedPart(assistant_->Preview(), board, transferStream_) == nullptr)
        return;
    // The part starts in the middle of what the view shows, as a library part does where the
    // pointer is put; placing takes it on from there.
    const TScrollBoxEx& scroll = ScrollBox(current_);
    const QSize client = scroll.ClientSize();
    const QPoint middle = scroll.ScrollPosition() + QPoint(client.width() / 2, client.height() / 2);
    MoveSelectionNear(board, board.ControlToBoard(middle));
    Control(current_).InvalidateAll();
    DoMenues();
}

} // namespace karvel
