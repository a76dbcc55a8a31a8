#include "board/tools/ShapeTools.h"

#include "board/Platine.h"
#include "board/StorableRange.h"
#include "board/tools/NewElements.h"
#include "board/tools/ToolManager.h"
#include "elements/Draht.h"
#include "elements/Kreis.h"
#include "elements/Txtlabel.h"

namespace karvel {

using enum TPlatinenModus;

namespace {

bool InsideStorableRange(TBauteil& element) {
    return Excess(StoredSpan({&element})) == 0;
}

} // namespace

// --- Lines and polygons ----------------------------------------------------------------------

ToolAnswer LineTool::Press(const PointerEvent& event) {
    TPlatine& board = Board();
    if (event.Right()) {
        if (!line_)
            return ToolAnswer::LeaveTool;
        Finish();
        return ToolAnswer::Handled;
    }
    if (!event.Left())
        return ToolAnswer::Ignored;
    const QPoint p = Editor().FineSnapped(event);
    if (!line_) {
        board.TakeTentativeSnapshot();
        board.MarkiereAlle(false);
        auto line = std::make_unique<TDraht>();
        line->BauteilTyp = TBauteilTyp::btLine;
        TakeDefaults(*line, board, Takes::PenAndFill);
        line->Nodes = {p};
        line_ = static_cast<TDraht*>(board.Add(std::move(line)));
        Editor().BeginOperation();
    } else {
        board.InvalidateElement(*line_);
        line_->AddNode(p);
        board.InvalidateElement(*line_);
    }
    ShowLine(p);
    return ToolAnswer::Handled;
}

ToolAnswer LineTool::Move(const PointerEvent& event) {
    if (!line_)
        return ToolAnswer::Ignored;
    ShowLine(Editor().FineSnapped(event));
    return ToolAnswer::Handled;
}

void LineTool::ShowLine(QPoint to) {
    const QPoint from = line_->Nodes.back();
    Editor().Host().ShowTempLine(TempLine{QLine(from, to), Board().CurrentPenWidth});
    Editor().ShowSegmentStatus(from, to);
}

void LineTool::Finish() {
    if (!line_)
        return;
    TPlatine& board = Board();
    TDraht* line = line_;
    line_ = nullptr;
    Editor().Host().ShowTempLine(std::nullopt);
    Editor().EndOperation();
    Editor().ResetStatusLines();
    if (board.Modus() == pm_Polygon) {
        line->BauteilTyp = TBauteilTyp::btPolygon;
        line->SetFuellenFlag(board.CurrentFill);
        // A polygon closed on its first point keeps that point once.
        if (line->Nodes.size() > 1 && line->Nodes.back() == line->Nodes.front())
            line->RemoveLastNode();
    }
    if (line->Nodes.size() < 2) {
        board.Remove(line);
        board.DropTentativeSnapshot();
        return;
    }
    board.SetzeMarkierung(line, true);
    board.InvalidateElement(*line);
    board.Fire(board.OnChange);
}

void LineTool::Cancel() {
    if (!line_)
        return;
    Board().InvalidateElement(*line_);
    Board().Remove(line_);
    Board().DropTentativeSnapshot();
    line_ = nullptr;
    Editor().Host().ShowTempLine(std::nullopt);
    Editor().EndOperation();
    Editor().ResetStatusLines();
}

// --- Rectangles ------------------------------------------------------------------------------

ToolAnswer RectangleTool::Press(const PointerEvent& event) {
    if (!event.Left())
        return event.Right() ? ToolAnswer::Handled : ToolAnswer::Ignored;
    TPlatine& board = Board();
    if (!corner_) {
        board.MarkiereAlle(false);
        corner_ = event.Control;
        Editor().Host().ShowRubberBand(QRect(event.Control, event.Control));
        Editor().BeginOperation();
        return ToolAnswer::Handled;
    }
    const QRect frame = QRect(*corner_, event.Control).normalized();
    Cancel();
    const double grid = board.View().FineGrid;
    const bool snap = !event.Shift();
    const auto corner = [&](QPoint control) { return board.SnapToGrid(control, grid, snap); };
    const UndoStep undo(board);
    auto rect = std::make_unique<TDraht>();
    rect->BauteilTyp = TBauteilTyp::btRect;
    TakeDefaults(*rect, board, Takes::PenFillAndBrush);
    rect->Nodes = {corner(frame.topLeft()), corner(frame.topRight()), corner(frame.bottomRight()),
                   corner(frame.bottomLeft())};
    TBauteil* added = board.Add(std::move(rect));
    board.SetzeMarkierung(added, true);
    board.InvalidateElement(*added);
    board.Fire(board.OnChange);
    return ToolAnswer::Handled;
}

ToolAnswer RectangleTool::Move(const PointerEvent& event) {
    if (!corner_)
        return ToolAnswer::Ignored;
    Editor().Host().ShowRubberBand(QRect(*corner_, event.Control).normalized());
    const QPoint a = Editor().BoardPoint(*corner_);
    const QPoint b = Editor().BoardPoint(event.Control);
    Editor().ShowStatus(
        QStringLiteral("dx = ") + QLocale().toString(std::abs(b.x() - a.x()) / 100.0),
        QStringLiteral("dy = ") + QLocale().toString(std::abs(b.y() - a.y()) / 100.0));
    return ToolAnswer::Handled;
}

// The right button acts on its release: it drops the frame, or else leaves the tool.
ToolAnswer RectangleTool::Release(const PointerEvent& event) {
    if (!event.Right())
        return ToolAnswer::Ignored;
    if (corner_) {
        Cancel();
        return ToolAnswer::Handled;
    }
    return ToolAnswer::LeaveTool;
}

void RectangleTool::Cancel() {
    corner_.reset();
    Editor().Host().ShowRubberBand(std::nullopt);
    Editor().EndOperation();
    Editor().ResetStatusLines();
}

// --- Circles ---------------------------------------------------------------------------------

ToolAnswer CircleTool::Press(const PointerEvent& event) {
    if (!event.Left())
        return event.Right() ? ToolAnswer::Handled : ToolAnswer::Ignored;
    TPlatine& board = Board();
    if (circle_) {
        // The second click fixes the rim.
        board.SetzeMarkierung(circle_, true);
        End();
        board.Fire(board.OnChange);
        return ToolAnswer::Handled;
    }
    auto circle = std::make_unique<TKreis>();
    TakeDefaults(*circle, board, Takes::PenFillAndBrush);
    const QPoint centre = board.SnapToGrid(event.Control, board.View().FineGrid, true);
    circle->Centre = centre;
    circle->RimPoint = centre + QPoint(0, 2 * board.CurrentPenWidth);
    circle->BuildCircle();
    if (!InsideStorableRange(*circle)) {
        Editor().Host().Beep();
        board.ShowRangeLimit();
        return ToolAnswer::Handled;
    }
    board.TakeTentativeSnapshot();
    board.MarkiereAlle(false);
    circle_ = static_cast<TKreis*>(board.Add(std::move(circle)));
    board.InvalidateElement(*circle_);
    Editor().BeginOperation();
    return ToolAnswer::Handled;
}

// The rim follows the pointer without snapping, drawn as it will be.
ToolAnswer CircleTool::Move(const PointerEvent& event) {
    if (!circle_)
        return ToolAnswer::Ignored;
    TPlatine& board = Board();
    board.InvalidateElement(*circle_);
    const QPoint before = circle_->RimPoint;
    circle_->RimPoint = Editor().BoardPoint(event.Control);
    circle_->BuildCircle();
    // The rim stops where the circle would reach beyond the range a file can hold.
    const bool stopped = !InsideStorableRange(*circle_);
    if (stopped) {
        circle_->RimPoint = before;
        circle_->BuildCircle();
    }
    board.InvalidateElement(*circle_);
    Editor().ShowElementStatus(*circle_);
    if (stopped)
        board.ShowRangeLimit();
    return ToolAnswer::Handled;
}

ToolAnswer CircleTool::Release(const PointerEvent& event) {
    if (!event.Right())
        return ToolAnswer::Ignored;
    if (circle_) {
        Cancel();
        return ToolAnswer::Handled;
    }
    return ToolAnswer::LeaveTool;
}

void CircleTool::Cancel() {
    if (!circle_)
        return;
    Board().InvalidateElement(*circle_);
    Board().Remove(circle_);
    Board().DropTentativeSnapshot();
    End();
}

void CircleTool::PointerLost() {
    if (circle_)
        Board().SetzeMarkierung(circle_, true);
    End();
}

void CircleTool::End() {
    circle_ = nullptr;
    Editor().EndOperation();
    Editor().ResetStatusLines();
}

// --- Text ------------------------------------------------------------------------------------

ToolAnswer TextTool::Press(const PointerEvent& event) {
    if (event.Right())
        return ToolAnswer::LeaveTool;
    if (!event.Left())
        return ToolAnswer::Ignored;
    TPlatine& board = Board();
    auto label = std::make_unique<TTextLabel>(board.View().Sprache);
    TakeDefaults(*label, board, Takes::PenFillAndBrush);
    label->SetStiftfarbe(colours::Black);
    label->Position = Editor().FineSnapped(event);
    board.MarkiereAlle(false);
    // The dialog decides; a cancelled label leaves nothing, not even an undo step.
    if (!label->EditProperties())
        return ToolAnswer::Handled;
    const UndoStep undo(board);
    TBauteil* added = board.Add(std::move(label));
    board.SetzeMarkierung(added, true);
    board.InvalidateElement(*added);
    board.Fire(board.OnChange);
    return ToolAnswer::Handled;
}

} // namespace karvel
