#include "board/tools/WireTools.h"

#include "board/Platine.h"
#include "board/tools/NewElements.h"
#include "board/tools/ToolManager.h"
#include "elements/Draht.h"

namespace karvel {

using enum TPlatinenModus;

namespace {

constexpr QPoint NoHole{-1, -1};

} // namespace

bool WireTool::IsLead() const {
    return Board().Modus() == pm_Anschluss;
}

ToolAnswer WireTool::Press(const PointerEvent& event) {
    if (event.Right())
        return wire_ ? TakeBack() : ToolAnswer::LeaveTool;
    if (!event.Left())
        return ToolAnswer::Ignored;
    // Clicks right of or below the board make nothing.
    if (Editor().HoleIndexAt(event.Control).x() < 0)
        return ToolAnswer::Handled;
    if (!wire_) {
        if (Editor().HandedOver)
            ContinueHandedOver(event);
        else
            Start(event);
    } else if (event.Ctrl()) {
        if (int(wire_->Nodes.size()) < MaxPoints)
            AddPoint(Editor().HoleSnapped(event));
        else
            Editor().Host().Beep();
    } else {
        Finish(event);
    }
    return ToolAnswer::Handled;
}

void WireTool::Start(const PointerEvent& event) {
    TPlatine& board = Board();
    board.TakeTentativeSnapshot();
    board.MarkiereAlle(false);
    auto wire = std::make_unique<TDraht>();
    wire->BauteilTyp = IsLead() ? TBauteilTyp::btAnschluss : TBauteilTyp::btDraht;
    TakeDefaults(*wire, board, Takes::Pen);
    wire->Nodes = {Editor().HoleSnapped(event)};
    wire->Anchors.assign(IsLead() ? 1 : 2, NoHole);
    wire->Anchors[0] = Editor().HoleIndexAt(event.Control);
    wire_ = static_cast<TDraht*>(board.Add(std::move(wire)));
    atFirst_ = false;
    created_ = true;
    pointsAdded_ = 0;
    Editor().BeginOperation();
    ShowLine(Editor().HoleSnapped(event));
}

void WireTool::ContinueHandedOver(const PointerEvent& event) {
    TPlatine& board = Board();
    auto* wire = dynamic_cast<TDraht*>(Editor().HandedOver);
    Editor().HandedOver = nullptr;
    if (!wire || wire->Nodes.size() < 2) {
        Editor().Host().Beep();
        return;
    }
    // The snapshot goes first, so that the continued wire can be undone as a whole.
    board.TakeTentativeSnapshot();
    before_.emplace(wire->Nodes, wire->Anchors);
    const QPoint p = Editor().BoardPoint(event.Control);
    const auto distance = [&](QPoint q) { return (q - p).manhattanLength(); };
    atFirst_ = IsLead() || distance(wire->Nodes.front()) < distance(wire->Nodes.back());
    board.InvalidateElement(*wire);
    if (atFirst_)
        wire->RemoveFirstNode();
    else
        wire->RemoveLastNode();
    if (!wire->Anchors.empty())
        (atFirst_ ? wire->Anchors.front() : wire->Anchors.back()) = NoHole;
    board.SetzeMarkierung(wire, true);
    board.InvalidateElement(*wire);
    wire_ = wire;
    created_ = false;
    pointsAdded_ = 0;
    Editor().BeginOperation();
    ShowLine(Editor().HoleSnapped(event));
}

QPoint& WireTool::ExtendedEnd() const {
    return atFirst_ ? wire_->Nodes.front() : wire_->Nodes.back();
}

void WireTool::AddPoint(QPoint point) {
    Board().InvalidateElement(*wire_);
    if (atFirst_)
        wire_->InsertFirstNode(point);
    else
        wire_->AddNode(point);
    ++pointsAdded_;
    Board().InvalidateElement(*wire_);
    ShowLine(point);
}

void WireTool::Finish(const PointerEvent& event) {
    TPlatine& board = Board();
    AddPoint(Editor().HoleSnapped(event));
    if (!wire_->Anchors.empty()) {
        // A lead's free end is never anchored.
        if (!IsLead())
            (atFirst_ ? wire_->Anchors.front() : wire_->Anchors.back()) =
                Editor().HoleIndexAt(event.Control);
    }
    TDraht* wire = wire_;
    EndDrawing();
    board.SetzeMarkierung(wire, !IsLead());
    board.Fire(board.OnChange);
    if (board.VorigerModus() == pm_Standard) {
        board.MarkiereAlle(false);
        Editor().ChangeMode(pm_Standard);
    }
}

ToolAnswer WireTool::TakeBack() {
    TPlatine& board = Board();
    if (before_ && pointsAdded_ == 0) {
        // Nothing was drawn on: the end that was taken off comes back.
        board.InvalidateElement(*wire_);
        wire_->Nodes = before_->first;
        wire_->Anchors = before_->second;
        board.InvalidateElement(*wire_);
        EndDrawing();
        board.DropTentativeSnapshot();
        return ToolAnswer::Handled;
    }
    if (wire_->InGroup && wire_->Nodes.size() < 2) {
        Editor().Host().Beep();
        return ToolAnswer::Handled;
    }
    if (wire_->Nodes.size() <= 1) {
        board.InvalidateElement(*wire_);
        board.Remove(wire_);
        wire_ = nullptr;
        EndDrawing();
        if (created_)
            board.DropTentativeSnapshot();
        Editor().ChangeMode(board.VorigerModus());
        return ToolAnswer::Handled;
    }
    board.InvalidateElement(*wire_);
    if (atFirst_)
        wire_->RemoveFirstNode();
    else
        wire_->RemoveLastNode();
    pointsAdded_ = std::max(0, pointsAdded_ - 1);
    board.InvalidateElement(*wire_);
    ShowLine(ExtendedEnd());
    return ToolAnswer::Handled;
}

ToolAnswer WireTool::Move(const PointerEvent& event) {
    if (!wire_)
        return ToolAnswer::Ignored;
    ShowLine(Editor().HoleSnapped(event));
    return ToolAnswer::Handled;
}

void WireTool::ShowLine(QPoint to) {
    const QPoint from = ExtendedEnd();
    Editor().Host().ShowTempLine(TempLine{QLine(from, to), Board().CurrentPenWidth});
    Editor().ShowSegmentStatus(from, to);
}

void WireTool::EndDrawing() {
    wire_ = nullptr;
    before_.reset();
    Editor().Host().ShowTempLine(std::nullopt);
    Editor().EndOperation();
    Editor().ResetStatusLines();
}

// Escape: the board as before the wire.
void WireTool::Cancel() {
    if (!wire_)
        return;
    TPlatine& board = Board();
    board.InvalidateElement(*wire_);
    if (created_) {
        board.Remove(wire_);
    } else if (before_) {
        wire_->Nodes = before_->first;
        wire_->Anchors = before_->second;
        board.InvalidateElement(*wire_);
    }
    EndDrawing();
    board.DropTentativeSnapshot();
}

// A wire in the middle of drawing keeps what it has, if that makes a wire.
void WireTool::PointerLost() {
    if (!wire_)
        return;
    if (wire_->Nodes.size() < 2 || (before_ && pointsAdded_ == 0)) {
        Cancel();
        return;
    }
    EndDrawing();
}

// --- Pins ----------------------------------------------------------------------------------

ToolAnswer PinTool::Press(const PointerEvent& event) {
    if (event.Right())
        return ToolAnswer::LeaveTool;
    if (!event.Left() || Editor().HoleIndexAt(event.Control).x() < 0)
        return ToolAnswer::Handled;
    TPlatine& board = Board();
    const UndoStep undo(board);
    board.MarkiereAlle(false);
    auto pin = std::make_unique<TDraht>();
    pin->BauteilTyp = TBauteilTyp::btPin;
    TakeDefaults(*pin, board, Takes::Pen);
    const QPoint p = Editor().HoleSnapped(event);
    const QPoint hole = Editor().HoleIndexAt(event.Control);
    pin->Nodes = {p, p};
    pin->Anchors = {hole, hole};
    TBauteil* added = board.Add(std::move(pin));
    board.SetzeMarkierung(added, true);
    board.Fire(board.OnChange);
    return ToolAnswer::Handled;
}

} // namespace karvel
