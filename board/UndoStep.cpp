#include "board/UndoStep.h"

#include "board/Platine.h"
#include "board/UndoHistory.h"

namespace karvel {

UndoStep::UndoStep(TPlatine& board, Opening opening) : board_(board), opening_(opening) {
    if (opening == Opening::Now)
        Open();
    else
        waiting_ = true;
}

void UndoStep::BeforeChange() {
    if (!waiting_)
        return;
    waiting_ = false;
    Open();
}

void UndoStep::Open() {
    // The library has no undo; an inner step belongs to the one already open.
    if (board_.IsLibraryPage() || board_.openStep_ != nullptr)
        return;
    before_ = board_.history_->Capture([this](SnapshotStream& s) { board_.WriteSnapshot(s); });
    board_.openStep_ = this;
}

UndoStep::~UndoStep() {
    if (!before_)
        return;
    board_.openStep_ = nullptr;
    bool changed = true;
    try {
        changed = BoardChanged();
    } catch (...) {
        // Not knowing, the step stays: an undo step too many loses nothing.
    }
    try {
        if (changed) {
            board_.modified_ = true;
            board_.history_->Keep(board_.view_.UndoDepth, std::move(before_));
        } else {
            board_.history_->Release(std::move(before_));
            // A drag that moved and came back, or was given up: its change was taken back.
            if (opening_ == Opening::AtFirstChange)
                ++board_.changesTakenBack_;
        }
    } catch (...) {
        // Out of memory for the history: the edit stays, only its undo step is lost.
    }
}

bool UndoStep::BoardChanged() const {
    return board_.SnapshotBytes() != before_->Bytes;
}

} // namespace karvel
