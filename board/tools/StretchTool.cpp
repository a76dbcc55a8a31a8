#include "board/tools/StretchTool.h"

#include "board/Platine.h"
#include "board/tools/ToolManager.h"
#include "elements/Draht.h"
#include "elements/Geometry.h"
#include "elements/Gruppe.h"

namespace karvel {

using enum TPlatinenModus;

// The part being placed: the newest one not yet placed.
TGruppe* StretchTool::Part() const {
    const auto& elements = Board().Bauteile();
    for (auto it = elements.rbegin(); it != elements.rend(); ++it)
        if (!(*it)->Placed())
            return dynamic_cast<TGruppe*>(it->get());
    return nullptr;
}

bool StretchTool::FindLeads(TGruppe& part) {
    if (!part.CanStretchLeads())
        return false;
    part.BeginContacts();
    const std::optional<QPoint> a = part.NextContact();
    const std::optional<QPoint> b = part.NextContact();
    first_ = a ? dynamic_cast<TDraht*>(part.ContactAt(*a)) : nullptr;
    second_ = b ? dynamic_cast<TDraht*>(part.ContactAt(*b)) : nullptr;
    return first_ && second_ && !first_->Nodes.empty() && !second_->Nodes.empty();
}

ToolAnswer StretchTool::Press(const PointerEvent& event) {
    if (event.Right()) {
        if (!part_) {
            Cancel();
            return ToolAnswer::Handled;
        }
        if (second_->Nodes.size() < 3) {
            Editor().Host().Beep();
            return ToolAnswer::Handled;
        }
        Board().InvalidateElement(*part_);
        second_->Nodes.erase(second_->Nodes.begin() + 1);
        Board().InvalidateElement(*part_);
        return ToolAnswer::Handled;
    }
    if (!event.Left() || Editor().HoleIndexAt(event.Control).x() < 0)
        return ToolAnswer::Handled;
    if (!part_) {
        TGruppe* part = Part();
        if (!part || !FindLeads(*part)) {
            Cancel();
            return ToolAnswer::Handled;
        }
        Anchor(*part, event);
        return ToolAnswer::Handled;
    }
    Place(event);
    return ToolAnswer::Handled;
}

void StretchTool::Anchor(TGruppe& part, const PointerEvent& event) {
    TPlatine& board = Board();
    board.MarkiereAlle(false);
    part_ = &part;
    part.SetVisible(true);
    const QPoint at = Editor().HoleSnapped(event);
    const QPoint by = at - first_->Nodes.front();
    part.MoveBy(by.x(), by.y());
    first_->Nodes.front() = at;
    if (!first_->Anchors.empty())
        first_->Anchors.front() = Editor().HoleIndexAt(event.Control);
    if (!second_->Anchors.empty())
        second_->Anchors.front() = {-1, -1};
    lastCell_ = Editor().HoleIndexAt(event.Control);
    Editor().BeginOperation();
    Follow(second_->Nodes.front());
}

ToolAnswer StretchTool::Move(const PointerEvent& event) {
    if (!part_)
        return ToolAnswer::Handled;
    const QPoint cell = Editor().HoleIndexAt(event.Control);
    if (cell == lastCell_ && !event.Shift())
        return ToolAnswer::Handled;
    lastCell_ = cell;
    Follow(Editor().HoleSnapped(event));
    return ToolAnswer::Handled;
}

void StretchTool::Follow(QPoint end) {
    TPlatine& board = Board();
    board.InvalidateElement(*part_);
    second_->Nodes.front() = end;
    const QPoint anchored = first_->Nodes.front();
    if (end != anchored)
        part_->Stretch(first_, second_, double(Direction(anchored, end)), second_);
    board.InvalidateElement(*part_);
    Editor().ShowSegmentStatus(anchored, end);
}

void StretchTool::Place(const PointerEvent& event) {
    Follow(Editor().HoleSnapped(event));
    if (!second_->Anchors.empty())
        second_->Anchors.front() = Editor().HoleIndexAt(event.Control);
    part_->SetPlaced(true);
    part_->CollectAnchors();
    Board().SetzeMarkierung(part_, true);
    Finish();
    Board().Fire(Board().OnChange);
}

// Escape or a right click before the first hole: the part goes again.
void StretchTool::Cancel() {
    TPlatine& board = Board();
    board.RemoveUnplaced();
    board.DropTentativeSnapshot();
    part_ = nullptr;
    Finish();
}

void StretchTool::PointerLost() {
    if (part_ && first_->Nodes.front() != second_->Nodes.front()) {
        part_->SetPlaced(true);
        part_->CollectAnchors();
        part_ = nullptr;
        Finish();
        return;
    }
    Cancel();
}

void StretchTool::Finish() {
    TPlatine& board = Board();
    part_ = nullptr;
    Editor().EndOperation();
    Editor().ResetStatusLines();
    const TPlatinenModus back = board.VorigerModus();
    Editor().ChangeMode(back == pm_Zweipol || back == pm_Platzieren ? pm_Standard : back);
}

} // namespace karvel
