#include "board/tools/SelectionMove.h"

#include "board/Platine.h"
#include "board/tools/BoardEditor.h"
#include "elements/Bauteil.h"
#include "elements/Geometry.h"
#include "platform/Canvas.h"

#include <cmath>

namespace karvel {

namespace {

// Board units grown on each side, so that selection marks at the edges repaint too.
constexpr int RepaintMargin = 50;

int SnapAxis(int d, bool fine, double grid) {
    if (!fine)
        return d / TPlatine::HolePitch * TPlatine::HolePitch; // towards zero
    if (grid <= 1.0)
        return d;
    return int(std::lround(std::round(d / grid) * grid));
}

} // namespace

QPoint SnappedMoveOffset(QPoint d, bool fine, double fineGrid) {
    return {SnapAxis(d.x(), fine, fineGrid), SnapAxis(d.y(), fine, fineGrid)};
}

SelectionMove::SelectionMove(BoardEditor& editor, QPoint anchorControl, QPoint offset)
    : editor_(editor), anchorControl_(anchorControl), offset_(offset) {}

void SelectionMove::Follow(const PointerEvent& event) {
    TPlatine& board = editor_.Board();
    editor_.TakeArmedSnapshot();
    const QPoint d = board.ControlToBoard(event.Control) - board.ControlToBoard(anchorControl_);
    const QPoint next = SnappedMoveOffset(d, event.Shift(), board.View().FineGrid);
    const QPoint step = next - offset_;
    if (step.isNull())
        return;
    RepaintSelection(board);
    for (TBauteil* element : board.Selected()) {
        element->MoveBy(step.x(), step.y());
        if (element->Placed() && board.Modus() == TPlatinenModus::pm_Standard)
            element->SetPlaced(false);
    }
    offset_ = next;
    RepaintSelection(board);
}

void SelectionMove::Place() {
    TPlatine& board = editor_.Board();
    for (TBauteil* element : board.Selected()) {
        element->SetPlaced(true);
        // Recomputed rather than shifted: a fine move leaves ends off their holes.
        board.RecomputeAnchors(*element);
    }
    board.Fire(board.OnChange);
}

void SelectionMove::RepaintSelection(TPlatine& board) {
    Canvas& canvas = editor_.MeasuringCanvas();
    for (TBauteil* element : board.Selected()) {
        const Rect r = Normalised(element->GetRedrawBounds(canvas));
        editor_.RepaintDevice(
            Normalised(canvas.LPtoDP(Rect{r.Left - RepaintMargin, r.Top - RepaintMargin,
                                          r.Right + RepaintMargin, r.Bottom + RepaintMargin})));
    }
}

} // namespace karvel
