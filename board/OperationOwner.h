#pragma once
// Whoever runs operations with the mouse on a board: its editor. A command that changes or
// removes elements first ends the running operation through it, the way Escape ends it, so
// that no tool goes on with an element that is gone or was replaced.

namespace karvel {

class OperationOwner {
public:
    virtual ~OperationOwner() = default;
    // Ends what a tool is in the middle of as Escape does; nothing when nothing runs.
    virtual void CancelOperation() = 0;
};

} // namespace karvel
