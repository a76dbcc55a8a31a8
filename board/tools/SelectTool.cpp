#include "board/tools/SelectTool.h"

#include "board/Platine.h"
#include "board/tools/ToolManager.h"
#include "elements/Bauteil.h"
#include "elements/Draht.h"
#include "elements/Geometry.h"
#include "elements/Gruppe.h"
#include "elements/XSizer.h"
#include "platform/Canvas.h"

namespace karvel {

using enum TPlatinenModus;

// --- Select tool -----------------------------------------------------------------------------

bool SelectTool::Busy() const {
    return move_ || vertex_ || frameStart_ || handleDrag_;
}

ToolAnswer SelectTool::Press(const PointerEvent& event) {
    if (event.Left())
        SelectPress(event);
    else if (event.Right() && !Busy())
        ContextPress(event);
    else
        return ToolAnswer::Ignored;
    return ToolAnswer::Handled;
}

void SelectTool::SelectPress(const PointerEvent& event) {
    TPlatine& board = Board();
    board.LabelsBehind();
    if (StartHandleDrag(event))
        return;
    TBauteil* selected = Editor().ElementAt(event.Control, true);
    if (selected && event.Shift()) {
        board.SetzeMarkierung(selected, false);
        return;
    }
    if (selected) {
        if (GrabVertex(*selected, event))
            return;
        StartMove(event);
        return;
    }
    TBauteil* hit = Editor().ElementAt(event.Control, false);
    if (!hit) {
        StartFrame(event, event.Shift() || event.Alt());
        return;
    }
    if (event.Shift()) {
        board.SetzeMarkierung(hit, !hit->IstMarkiert());
        return;
    }
    board.MarkiereAlle(false);
    board.SetzeMarkierung(hit, true);
    StartMove(event);
}

// A right click selects what it hits, alone unless it is selected already, and asks for the
// context menu; it never starts a drag or hands a wire end over.
void SelectTool::ContextPress(const PointerEvent& event) {
    TPlatine& board = Board();
    TBauteil* hit = Editor().ElementAt(event.Control, true);
    if (!hit) {
        hit = Editor().ElementAt(event.Control, false);
        if (hit) {
            board.MarkiereAlle(false);
            board.SetzeMarkierung(hit, true);
        }
    }
    board.Fire(board.OnPopupRequest);
}

bool SelectTool::GrabVertex(TBauteil& element, const PointerEvent& event) {
    TPlatine& board = Board();
    const QPoint p = Editor().BoardPoint(event.Control);
    Canvas& canvas = Editor().MeasuringCanvas();
    TBauteil* owner = &element;
    if (auto* group = dynamic_cast<TGruppe*>(&element)) {
        owner = group->ContactAt(p);
        if (!owner)
            return false;
    }
    QPoint* node = owner->NodeAt(p, canvas);
    if (!node)
        return false;
    if (owner == &element && HandsOverEnd(element, node)) {
        // Drawing goes on from this end with the wire or lead tool.
        Editor().HandedOver = &element;
        const TPlatinenModus drawing =
            element.BauteilTyp == TBauteilTyp::btAnschluss ? pm_Anschluss : pm_Draht;
        Editor().ChangeMode(drawing);
        Editor().Press(event);
        // The tool started as its button does, remembering itself; this wire ends back in the
        // select tool, which becomes the previous mode.
        board.SetModus(pm_Standard);
        board.SetModus(drawing);
        return true;
    }
    // The snapshot waits for the first change: a click on a point alone changes nothing.
    Editor().ArmUndoStep();
    vertex_ = VertexDrag{owner, &element, node, *node};
    Editor().ShowStatus(Editor().Tr(u"Verändern...", u"Change..."), QString());
    Editor().BeginOperation();
    board.Drag().VertexGrabbed = true;
    return true;
}

bool SelectTool::HandsOverEnd(TBauteil& element, const QPoint* node) const {
    auto* wire = dynamic_cast<TDraht*>(&element);
    if (!wire || wire->Nodes.empty())
        return false;
    const bool first = node == &wire->Nodes.front();
    const bool last = node == &wire->Nodes.back();
    if (element.BauteilTyp == TBauteilTyp::btDraht)
        return first || last;
    if (element.BauteilTyp == TBauteilTyp::btAnschluss)
        return first;
    return false;
}

void SelectTool::StartMove(const PointerEvent& event) {
    Editor().ArmUndoStep();
    Editor().ShowStatus(Editor().Tr(u"Verschieben...", u"Move..."), QString());
    move_.emplace(Editor(), event.Control);
    Board().Drag().Dragging = true;
    Editor().BeginOperation();
}

void SelectTool::StartFrame(const PointerEvent& event, bool keepSelection) {
    if (!keepSelection)
        Board().MarkiereAlle(false);
    frameStart_ = event.Control;
    frame_ = QRect(event.Control, event.Control);
    Editor().Host().ShowRubberBand(frame_);
    Board().Drag().RubberBand = true;
    Editor().ShowStatus(Editor().Tr(u"Objektauswahl...", u"Select..."), QString());
    Editor().BeginOperation();
}

ToolAnswer SelectTool::Move(const PointerEvent& event) {
    if (handleDrag_) {
        FollowHandle(event);
    } else if (vertex_) {
        FollowVertex(event);
    } else if (move_) {
        move_->Follow(event);
    } else if (frameStart_) {
        frame_ = QRect(*frameStart_, event.Control).normalized();
        Editor().Host().ShowRubberBand(frame_);
    } else {
        Hover(event);
    }
    return ToolAnswer::Handled;
}

void SelectTool::FollowVertex(const PointerEvent& event) {
    const QPoint to = Editor().HoleSnapped(event);
    if (*vertex_->Node == to)
        return;
    Editor().BeforeDragChange();
    Editor().Repaint(*vertex_->Selected);
    *vertex_->Node = to;
    Editor().Repaint(*vertex_->Selected);
    Editor().ShowElementStatus(*vertex_->Element);
}

ToolAnswer SelectTool::Release(const PointerEvent& event) {
    if (!event.Left())
        return ToolAnswer::Ignored;
    if (handleDrag_)
        EndHandleDrag();
    else if (vertex_)
        EndVertex();
    else if (frameStart_)
        EndFrame(event);
    else if (move_)
        EndMove();
    else {
        // A Shift click changes the selection without a move: the handles frame what it is now.
        Editor().ShowHandles();
        return ToolAnswer::Ignored;
    }
    Editor().EndOperation();
    Editor().ShowHandles();
    return ToolAnswer::Handled;
}

void SelectTool::EndVertex() {
    TPlatine& board = Board();
    board.RecomputeAnchors(*vertex_->Selected);
    Editor().Repaint(*vertex_->Selected);
    vertex_.reset();
    board.Drag().VertexGrabbed = false;
    Editor().CloseUndoStep();
    board.Fire(board.OnChange);
}

void SelectTool::EndFrame(const PointerEvent& event) {
    TPlatine& board = Board();
    const QRect frame = QRect(*frameStart_, event.Control).normalized();
    frameStart_.reset();
    frame_.reset();
    board.Drag().RubberBand = false;
    Editor().Host().ShowRubberBand(std::nullopt);
    Editor().ResetStatusLines();
    if (frame.width() <= MinFrame || frame.height() <= MinFrame)
        return;
    const Rect device{frame.left(), frame.top(), frame.right(), frame.bottom()};
    Canvas& canvas = Editor().MeasuringCanvas();
    for (const auto& element : board.Bauteile()) {
        const bool inside = element->IsOnWorkingSide() && element->IntersectsRect(device, canvas);
        if (inside)
            board.SetzeMarkierung(element.get(), true);
        else if (!event.Shift())
            board.SetzeMarkierung(element.get(), false);
    }
}

void SelectTool::EndMove() {
    move_->Place();
    move_.reset();
    Board().Drag().Dragging = false;
    Editor().CloseUndoStep();
    Editor().ResetStatusLines();
}

void SelectTool::Cancel() {
    TPlatine& board = Board();
    if (handleDrag_) {
        EndHandleDrag();
    } else if (vertex_) {
        Editor().Repaint(*vertex_->Selected);
        *vertex_->Node = vertex_->Before;
        EndVertex();
    } else if (move_) {
        // Back to where the move began.
        const QPoint back = -move_->Offset();
        for (TBauteil* element : board.Selected())
            element->MoveBy(back.x(), back.y());
        EndMove();
        board.Fire(board.OnChange);
    } else if (frameStart_) {
        frameStart_.reset();
        frame_.reset();
        board.Drag().RubberBand = false;
        Editor().Host().ShowRubberBand(std::nullopt);
    }
    Editor().ResetStatusLines();
}

void SelectTool::PointerLost() {
    if (handleDrag_)
        EndHandleDrag();
    else if (vertex_)
        EndVertex();
    else if (move_)
        EndMove();
    else
        Cancel();
}

void SelectTool::Hover(const PointerEvent& event) {
    TPlatine& board = Board();
    if (HoverHandles(event))
        return;
    if (TBauteil* selected = Editor().ElementAt(event.Control, true)) {
        if (event.Shift()) {
            Editor().Host().SetPointerShape(PointerShape::Arrow);
            return;
        }
        const QPoint p = Editor().BoardPoint(event.Control);
        TBauteil* owner = selected;
        if (auto* group = dynamic_cast<TGruppe*>(selected))
            owner = group->ContactAt(p);
        QPoint* node = owner ? owner->NodeAt(p, Editor().MeasuringCanvas()) : nullptr;
        if (!node)
            Editor().Host().SetPointerShape(PointerShape::Hand);
        else
            Editor().Host().SetPointerShape(owner == selected && HandsOverEnd(*selected, node)
                                                ? PointerShape::Iron
                                                : PointerShape::Solder);
        return;
    }
    if (TBauteil* hit = Editor().ElementAt(event.Control, false)) {
        Editor().ShowElementStatus(*hit);
        Editor().Host().SetPointerShape(event.Shift() ? PointerShape::Arrow : PointerShape::Finger);
        return;
    }
    if (board.CountSelected() == 0)
        Editor().ResetStatusLines();
    Editor().Host().SetPointerShape(PointerShape::ToolDefault);
}

// --- Resize handles ---------------------------------------------------------------------------

bool SelectTool::StartHandleDrag(const PointerEvent& event) {
    TSizer* sizer = Editor().Handles();
    if (!sizer)
        return false;
    Canvas& canvas = Editor().MeasuringCanvas();
    const int handle = sizer->HandleAt(event.Control, canvas);
    if (handle == TSizer::None) {
        Editor().HideHandles();
        return false;
    }
    Editor().ArmUndoStep();
    sizer->BeginDrag(handle, canvas);
    handleDrag_ = true;
    Board().Drag().HandleDrag = true;
    Editor().BeginOperation();
    return true;
}

void SelectTool::FollowHandle(const PointerEvent& event) {
    TSizer* sizer = Editor().Handles();
    if (!sizer)
        return;
    TPlatine& board = Board();
    sizer->Drag(Editor().FineSnapped(event), Editor().MeasuringCanvas());
    if (sizer->PreviousRect == sizer->CurrentRect)
        return;
    Editor().BeforeDragChange();
    for (TBauteil* element : board.Selected()) {
        board.InvalidateElement(*element);
        element->FitToRect(sizer->PreviousRect, sizer->CurrentRect);
        board.InvalidateElement(*element);
    }
    board.Fire(board.OnMyClick);
}

void SelectTool::EndHandleDrag() {
    handleDrag_ = false;
    Editor().CloseUndoStep();
    Board().Drag().HandleDrag = false;
    for (TBauteil* element : Board().Selected())
        Board().RecomputeAnchors(*element);
    Board().Fire(Board().OnChange);
}

// The cursor over a handle shows which way it sizes; seen from below, the diagonals swap.
bool SelectTool::HoverHandles(const PointerEvent& event) {
    TSizer* sizer = Editor().Handles();
    if (!sizer)
        return false;
    const int handle = sizer->HandleAt(event.Control, Editor().MeasuringCanvas());
    if (handle == TSizer::None)
        return false;
    const bool turned = Board().View().Loetseite;
    PointerShape shape = PointerShape::SizeAll;
    switch (handle) {
    case TSizer::TopLeft:
    case TSizer::BottomRight:
        shape = turned ? PointerShape::SizeNeSw : PointerShape::SizeNwSe;
        break;
    case TSizer::TopRight:
    case TSizer::BottomLeft:
        shape = turned ? PointerShape::SizeNwSe : PointerShape::SizeNeSw;
        break;
    case TSizer::TopMiddle:
    case TSizer::BottomMiddle:
        shape = PointerShape::SizeVertical;
        break;
    default:
        shape = PointerShape::SizeHorizontal;
        break;
    }
    Editor().Host().SetPointerShape(shape);
    return true;
}

// --- Placing -------------------------------------------------------------------------------

SelectionMove& PlacingTool::Mover() {
    if (!move_) {
        const DragState& drag = Board().Drag();
        move_.emplace(Editor(), drag.MoveAnchor, drag.MoveOffset);
    }
    return *move_;
}

ToolAnswer PlacingTool::Press(const PointerEvent& event) {
    if (event.Right()) {
        Cancel();
        return ToolAnswer::Handled;
    }
    return event.Left() ? ToolAnswer::Handled : ToolAnswer::Ignored;
}

ToolAnswer PlacingTool::Move(const PointerEvent& event) {
    Mover().Follow(event);
    Board().Drag().MoveOffset = Mover().Offset();
    return ToolAnswer::Handled;
}

ToolAnswer PlacingTool::Release(const PointerEvent& event) {
    if (!event.Left())
        return ToolAnswer::Ignored;
    Mover().Follow(event);
    Mover().Place();
    Finish();
    return ToolAnswer::Handled;
}

void PlacingTool::Cancel() {
    TPlatine& board = Board();
    board.RemoveUnplaced();
    board.DropTentativeSnapshot();
    Finish();
}

void PlacingTool::PointerLost() {
    Mover().Place();
    Finish();
}

void PlacingTool::Finish() {
    TPlatine& board = Board();
    move_.reset();
    board.Drag().Dragging = false;
    board.Drag().MoveOffset = {0, 0};
    Editor().EndOperation();
    Editor().ChangeMode(board.VorigerModus() == pm_Platzieren ? pm_Standard : board.VorigerModus());
    Editor().ShowHandles();
    board.Fire(board.OnChange);
}

} // namespace karvel
