#pragma once
// One undo step around an edit: the board's state is written when the step opens and becomes
// an undo state when the step closes with the board changed, and the board is then modified.
// An edit that changes nothing, or that is taken back before the step closes, leaves no undo
// step and the modified flag as it was. A step opened while another one is open on the same
// board is part of that one.

#include <memory>

namespace karvel {

class SnapshotStream;
class TPlatine;

class UndoStep {
public:
    enum class Opening {
        Now,
        // At the first change (BeforeChange): a drag that may end without moving anything
        // costs no writing.
        AtFirstChange,
    };

    explicit UndoStep(TPlatine& board, Opening opening = Opening::Now);
    // Closes the step, also when an exception leaves the edit half done: whatever changed
    // until then can be undone.
    ~UndoStep();
    UndoStep(const UndoStep&) = delete;
    UndoStep& operator=(const UndoStep&) = delete;

    // Opens a step that waits for the first change; nothing once it is open.
    void BeforeChange();
    // Whether this step records: false inside another step, on boards without undo and
    // while it waits for the first change.
    bool Records() const { return before_ != nullptr; }
    // The state the board had when the step opened; null when the step does not record.
    const SnapshotStream* Before() const { return before_.get(); }

private:
    void Open();
    bool BoardChanged() const;

    TPlatine& board_;
    Opening opening_;
    bool waiting_ = false;
    std::unique_ptr<SnapshotStream> before_;
};

} // namespace karvel
