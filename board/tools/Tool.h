#pragma once
// One tool mode of the board: what a press, a move, a release and a key do in it. The board's
// ToolManager creates the tool of the current mode and passes it every event; the shared
// mechanisms (snapping, the pending undo snapshot, confining the pointer, status lines) are
// the editor's.

#include "board/tools/PointerEvent.h"

namespace karvel {

class ToolManager;
class TPlatine;

enum class ToolAnswer {
    Ignored, // not this tool's event
    Handled,
    LeaveTool, // back to the select tool
};

class Tool {
public:
    explicit Tool(ToolManager& editor) : editor_(editor) {}
    virtual ~Tool() = default;
    Tool(const Tool&) = delete;
    Tool& operator=(const Tool&) = delete;

    virtual ToolAnswer Press(const PointerEvent&) { return ToolAnswer::Ignored; }
    virtual ToolAnswer Move(const PointerEvent&) { return ToolAnswer::Ignored; }
    virtual ToolAnswer Release(const PointerEvent&) { return ToolAnswer::Ignored; }
    virtual ToolAnswer Key(const KeyPress&) { return ToolAnswer::Ignored; }
    // True while an operation of this tool runs (a drag, a wire being drawn).
    virtual bool Busy() const { return false; }
    // Escape: ends the running operation and leaves the board as it was before it.
    virtual void Cancel() {}
    // The pointer grab was lost (a dialog, another window): ends the operation as a release
    // would, so that nothing is left unplaced or half done.
    virtual void PointerLost() { Cancel(); }

protected:
    ToolManager& Editor() const { return editor_; }
    TPlatine& Board() const;

private:
    ToolManager& editor_;
};

} // namespace karvel
