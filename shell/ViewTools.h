#pragma once
// The mouse in the two tools that only look at a board: the magnifier (a frame to zoom into, a
// right click to zoom out) and the continuity probe (a click marks the connected copper, a
// right click leaves the tool).

#include "shell/BoardMouseEvent.h"

#include <optional>

namespace karvel {

class TPlatine;
class BoardControl;

class ViewTools {
public:
    ViewTools() = default;

    // The status lines of a board at rest: "Board" and the side it is seen from.
    static void ResetStatusLines(TPlatine& board);

    // Each answers whether the event belonged to one of these tools.
    bool Press(BoardControl& control, const BoardMouseEvent& event);
    bool Move(BoardControl& control, const BoardMouseEvent& event);
    bool Release(BoardControl& control, const BoardMouseEvent& event);

    bool FrameActive() const { return frameStart_.has_value(); }

private:
    void ProbePress(TPlatine& board, const BoardMouseEvent& event);
    void ZoomPress(BoardControl& control, const BoardMouseEvent& event);

    std::optional<QPoint> frameStart_;
};

} // namespace karvel
