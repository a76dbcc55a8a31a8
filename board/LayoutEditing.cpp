#include "board/LayoutEditing.h"

#include "board/Board.h"
#include "board/ProjectFile.h"

namespace karvel {

namespace {

void CopyGeometry(const TPlatine& from, TPlatine& to) {
    to.SetSize(from.Width(), from.Height());
    to.SetNullpunkt(from.Nullpunkt());
    to.SetUrsprung(from.Ursprung());
    to.SetReservedPoint(from.ReservedPoint());
}

} // namespace

std::unique_ptr<TBoard> CopyLayoutForEditing(TPlatine& board, ViewState& view) {
    auto copy = std::make_unique<TBoard>(view);
    if (TBoard* layout = board.Layout()) {
        CopyThroughStream(*layout, *copy);
        copy->SetPlatinenName(layout->PlatinenName());
    }
    CopyGeometry(board, *copy);
    copy->SetModified(true);
    return copy;
}

void AcceptEditedLayout(TPlatine& board, TPlatine& edited) {
    TBoard* layout = board.Layout();
    if (layout == nullptr)
        return;
    layout->Clear();
    layout->ClearPieces();
    CopyThroughStream(edited, *layout);
    layout->SetPlatinenName(edited.PlatinenName());
    CopyGeometry(edited, *layout);
    CopyGeometry(edited, board);
    board.ClearHistory();
    board.SetModified(true);
}

} // namespace karvel
