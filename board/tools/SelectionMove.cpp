#include "board/tools/SelectionMove.h"

#include "board/Platine.h"
#include "board/tools/ToolManager.h"
#include "elements/Bauteil.h"
#include "elements/Geometry.h"
#include "platform/Canvas.h"

#include <algorithm>
#include <cmath>

namespace karvel {

namespace {

// Board units grown on each side, so that selection marks at the edges repaint too.
constexpr int RepaintMargin = 50;

int SnapAxis(int d, bool fine, double grid) {
    if (!fine)
        return d / HolePitch * HolePitch; // towards zero
    if (grid <= 1.0)
        return d;
    return int(std::lround(std::round(d / grid) * grid));
}

} // namespace

QPoint SnappedMoveOffset(QPoint d, bool fine, double fineGrid) {
    return {SnapAxis(d.x(), fine, fineGrid), SnapAxis(d.y(), fine, fineGrid)};
}

namespace {

int KeptAxis(int v, int lowest, int highest, double step) {
    if (v > highest)
        return int(std::floor(v - std::ceil((double(v) - highest) / step) * step));
    if (v < lowest)
        return int(std::ceil(v + std::ceil((double(lowest) - v) / step) * step));
    return v;
}

// The limits of a move that has come offset far already, counted from where it began.
MoveLimits FromStart(const MoveLimits& limits, QPoint offset) {
    const auto add = [](int a, int b) {
        return int(std::clamp<std::int64_t>(std::int64_t(a) + b, INT32_MIN, INT32_MAX));
    };
    return {{add(offset.x(), limits.Lowest.x()), add(offset.y(), limits.Lowest.y())},
            {add(offset.x(), limits.Highest.x()), add(offset.y(), limits.Highest.y())}};
}

} // namespace

QPoint KeptWithin(QPoint offset, const MoveLimits& limits, bool fine, double fineGrid) {
    const double step = !fine ? double(HolePitch) : std::max(fineGrid, 1.0);
    return {KeptAxis(offset.x(), limits.Lowest.x(), limits.Highest.x(), step),
            KeptAxis(offset.y(), limits.Lowest.y(), limits.Highest.y(), step)};
}

SelectionMove::SelectionMove(ToolManager& editor, QPoint anchorControl, QPoint offset)
    : editor_(editor), anchorControl_(anchorControl), offset_(offset) {}

void SelectionMove::Follow(const PointerEvent& event) {
    TPlatine& board = editor_.Board();
    editor_.BeforeDragChange();
    const QPoint d = board.ControlToBoard(event.Control) - board.ControlToBoard(anchorControl_);
    if (!limits_)
        limits_ = FromStart(LimitsOfMove(StoredSpan(board.Selected())), offset_);
    const double grid = board.View().FineGrid;
    const QPoint wanted = SnappedMoveOffset(d, event.Shift(), grid);
    const QPoint next = KeptWithin(wanted, *limits_, event.Shift(), grid);
    // Stopped at the end of the range: said once, as the pointer runs into it.
    const bool atLimit = next != wanted;
    if (atLimit && !atLimit_) {
        editor_.Host().Beep();
        board.ShowRangeLimit();
    }
    atLimit_ = atLimit;
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
