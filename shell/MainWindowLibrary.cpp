// The main window's side of the library: its commands, and a clicked component handed to the
// current board for placing.

#include "board/ElementClipboard.h"
#include "board/GeneratedPart.h"
#include "board/Platine.h"
#include "shell/BoardControl.h"
#include "shell/InfoDisplay.h"
#include "shell/LibraryController.h"
#include "shell/LibraryPanel.h"
#include "shell/MainWindow.h"
#include "shell/ScrollBoxEx.h"

#include <algorithm>
#include <QtGui/QCursor>
#include <QtWidgets/QMenu>

namespace karvel {

void MainWindow::ConnectLibrary(const LibrarySetup& setup) {
    LibraryController::Hooks hooks;
    hooks.CurrentBoard = [this] { return current_ >= 0 ? &CurrentBoard() : nullptr; };
    hooks.BoardBusy = [this] { return BoardBusy(); };
    hooks.Place = [this](const QByteArray& part, bool stretchLeads) {
        PlaceLibraryPart(part, stretchLeads);
    };
    hooks.InDialog = [this](const std::function<void()>& dialog) {
        const DialogScope scope(*this);
        dialog();
    };
    hooks.ShowMenu = [this](QPoint global) { libraryMenu_->popup(global); };
    hooks.ShowLines = [this](const QString& first, const QString& second) {
        Display().SetLines(first, second);
    };
    hooks.Changed = [this] { DoMenues(); };
    libraryPages_ = std::make_unique<LibraryController>(view_, *library_, *dialogs_, this,
                                                        clipboard_->TransferStream(), hooks);
    libraryPages_->Open(setup.Folder);
    if (!setup.Problem.isEmpty())
        libraryPages_->Tell(
            {view_.Tr(QStringLiteral("Bibliothek"), QStringLiteral("Library")), setup.Problem});
}

void MainWindow::LibraryCommand(int tag) {
    libraryPages_->Run(CommandId(tag));
    Control(current_).InvalidateAll();
    DoMenues();
}

// The pointer goes to the middle of the board's view (of the board where it is narrower than
// the view), the part comes to lie there, and placing takes it on with the mouse.
void MainWindow::PlaceLibraryPart(const QByteArray& part, bool stretchLeads) {
    if (part.isEmpty() || !EndBoardOperation())
        return;
    TPlatine& board = CurrentBoard();
    TScrollBoxEx& scroll = ScrollBox(current_);
    const QSize client = scroll.ClientSize();
    const QSize control = board.ControlSize();
    const QPoint middle(std::min(client.width(), control.width()) / 2,
                        std::min(client.height(), control.height()) / 2);
    QCursor::setPos(scroll.viewport()->mapToGlobal(middle));
    const bool placing = stretchLeads ? board.PlatziereZweipol(part) : board.PlatziereBauteil(part);
    // A two-lead part goes where its first lead is clicked.
    if (placing && !stretchLeads)
        MoveSelectionNear(board, board.ControlToBoard(scroll.ScrollPosition() + middle));
    BoardControl& shown = Control(current_);
    shown.InvalidateAll();
    shown.setFocus();
    UpdateTitle();
    DoMenues();
}

} // namespace karvel
