#pragma once
// Moving the selection with the pointer, as the select tool and placing share it: the step is
// whole hole pitches (towards zero), or the fine grid with Shift, counted from where the drag
// began, and the undo snapshot is taken at the first step.

#include "board/StorableRange.h"

#include <optional>
#include <QtCore/QPoint>

namespace karvel {

class ToolManager;
class TPlatine;
struct PointerEvent;

// The offset a move has reached for a pointer distance d (board units).
QPoint SnappedMoveOffset(QPoint d, bool fine, double fineGrid);
// The offset kept within limits: an offset beyond them steps back by whole steps of its grid
// (the hole pitch, or the fine grid) until it lies inside, so that it stays on the grid.
QPoint KeptWithin(QPoint offset, const MoveLimits& limits, bool fine, double fineGrid);

class SelectionMove {
public:
    SelectionMove(ToolManager& editor, QPoint anchorControl, QPoint offset = {0, 0});
    void Follow(const PointerEvent& event);
    // Places the moved elements and sets their anchors from their new points.
    void Place();
    QPoint Offset() const { return offset_; }

private:
    void RepaintSelection(TPlatine& board);

    ToolManager& editor_;
    QPoint anchorControl_;
    QPoint offset_;
    // The offsets that keep the moved elements inside the range a file can hold, measured at
    // the first step; whether the last step ran into them.
    std::optional<MoveLimits> limits_;
    bool atLimit_ = false;
};

} // namespace karvel
