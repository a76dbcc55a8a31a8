#pragma once
// Moving the selection with the pointer, as the select tool and placing share it: the step is
// whole hole pitches (towards zero), or the fine grid with Shift, counted from where the drag
// began, and the undo snapshot is taken at the first step.

#include <QtCore/QPoint>

namespace karvel {

class BoardEditor;
class TPlatine;
struct PointerEvent;

// The offset a move has reached for a pointer distance d (board units).
QPoint SnappedMoveOffset(QPoint d, bool fine, double fineGrid);

class SelectionMove {
public:
    SelectionMove(BoardEditor& editor, QPoint anchorControl, QPoint offset = {0, 0});
    void Follow(const PointerEvent& event);
    // Places the moved elements and sets their anchors from their new points.
    void Place();
    QPoint Offset() const { return offset_; }

private:
    void RepaintSelection(TPlatine& board);

    BoardEditor& editor_;
    QPoint anchorControl_;
    QPoint offset_;
};

} // namespace karvel
