#include "board/tools/CutTool.h"

#include "board/Board.h"
#include "board/Platine.h"
#include "board/tools/NewElements.h"
#include "board/tools/ToolManager.h"
#include "elements/Geometry.h"
#include "elements/Leiterbahn.h"
#include "elements/Trenner.h"
#include "platform/Canvas.h"

#include <algorithm>

namespace karvel {

namespace {

// A cut reaches this far beyond the copper and this far along it from the click.
constexpr int CutOverhang = 20;
constexpr int CutHalfLength = 80;

int FloorDiv(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

} // namespace

Rect MoveCutEdge(Rect r, CutEdge edge, int to, int boardWidth, int boardHeight) {
    constexpr int Min = CutTool::MinCutSize;
    switch (edge) {
    case CutEdge::Top:
        r.Top = to;
        if (r.Bottom - r.Top < Min)
            r.Bottom = std::min(r.Top + Min, boardHeight);
        r.Top = std::min(r.Top, r.Bottom - Min);
        break;
    case CutEdge::Bottom:
        r.Bottom = to;
        if (r.Bottom - r.Top < Min)
            r.Top = std::max(r.Bottom - Min, 0);
        r.Bottom = std::max(r.Bottom, r.Top + Min);
        break;
    case CutEdge::Left:
        r.Left = to;
        if (r.Right - r.Left < Min)
            r.Right = std::min(r.Left + Min, boardWidth);
        r.Left = std::min(r.Left, r.Right - Min);
        break;
    case CutEdge::Right:
        r.Right = to;
        if (r.Right - r.Left < Min)
            r.Left = std::max(r.Right - Min, 0);
        r.Right = std::max(r.Right, r.Left + Min);
        break;
    case CutEdge::None:
        break;
    }
    return r;
}

Rect CutAcross(QPoint p, bool vertical, int t, int w, CutEdge& grabbed) {
    const int column = FloorDiv(p.x() + 64, HalfPitch);
    const int row = FloorDiv(p.y() + 64, HalfPitch);
    if (vertical) {
        grabbed = CutEdge::Bottom;
        return {t - w - CutOverhang, row * HalfPitch - CutHalfLength, t + w + CutOverhang,
                row * HalfPitch + CutHalfLength};
    }
    grabbed = CutEdge::Right;
    return {column * HalfPitch - CutHalfLength, t - w - CutOverhang,
            column * HalfPitch + CutHalfLength, t + w + CutOverhang};
}

TTrenner* CutTool::CutAt(QPoint control) const {
    Canvas& canvas = Editor().MeasuringCanvas();
    const auto& elements = Board().Bauteile();
    for (auto it = elements.rbegin(); it != elements.rend(); ++it)
        if (auto* cut = dynamic_cast<TTrenner*>(it->get()); cut && cut->HitTest(control, canvas))
            return cut;
    return nullptr;
}

TBauteil* CutTool::TrackAt(QPoint control) const {
    const TBoard* layout = Board().Layout();
    if (!layout)
        return nullptr;
    Canvas& canvas = Editor().MeasuringCanvas();
    for (const auto& element : layout->Bauteile())
        if (element->BauteilTyp == TBauteilTyp::btLeiterbahn && element->HitTest(control, canvas))
            return element.get();
    return nullptr;
}

ToolAnswer CutTool::Press(const PointerEvent& event) {
    if (event.Right())
        return cut_ ? ToolAnswer::Handled : ToolAnswer::LeaveTool;
    if (!event.Left())
        return ToolAnswer::Ignored;
    TPlatine& board = Board();
    const QPoint p = Editor().BoardPoint(event.Control);
    if (TTrenner* cut = CutAt(event.Control)) {
        board.TakeTentativeSnapshot();
        cut_ = cut;
        created_ = false;
        before_ = cut->CutRect;
        edge_ = CutEdge(cut->EdgeTowards(event.Control, Editor().MeasuringCanvas()));
        Editor().BeginOperation();
        return Move(event);
    }
    auto* track = dynamic_cast<TLeiterbahn*>(TrackAt(event.Control));
    if (!track || track->Nodes.empty())
        return ToolAnswer::Handled;
    const bool vertical = track->IsVertical();
    if (!vertical && !track->IsHorizontal())
        return ToolAnswer::Handled;
    board.TakeTentativeSnapshot();
    auto cut = std::make_unique<TTrenner>();
    TakeDefaults(*cut, board, Takes::SideOnly);
    const QPoint start = track->Nodes.front();
    cut->CutRect = Normalised(
        CutAcross(p, vertical, vertical ? start.x() : start.y(), track->Stiftbreite(), edge_));
    board.MarkiereAlle(false);
    cut_ = static_cast<TTrenner*>(board.Insert(0, std::move(cut)));
    created_ = true;
    board.SetzeMarkierung(cut_, true);
    board.InvalidateElement(*cut_);
    Editor().BeginOperation();
    board.Fire(board.OnChange);
    return ToolAnswer::Handled;
}

ToolAnswer CutTool::Move(const PointerEvent& event) {
    if (!cut_) {
        Hover(event);
        return ToolAnswer::Handled;
    }
    TPlatine& board = Board();
    const QPoint p = Editor().BoardPoint(event.Control);
    const bool across = edge_ == CutEdge::Top || edge_ == CutEdge::Bottom;
    board.InvalidateElement(*cut_);
    cut_->CutRect =
        MoveCutEdge(cut_->CutRect, edge_, across ? p.y() : p.x(), board.Width(), board.Height());
    board.InvalidateElement(*cut_);
    Editor().ShowElementStatus(*cut_);
    return ToolAnswer::Handled;
}

ToolAnswer CutTool::Release(const PointerEvent& event) {
    if (!event.Left() || !cut_)
        return ToolAnswer::Ignored;
    End();
    Board().Fire(Board().OnChange);
    return ToolAnswer::Handled;
}

void CutTool::Cancel() {
    if (!cut_)
        return;
    TPlatine& board = Board();
    board.InvalidateElement(*cut_);
    if (created_) {
        board.Remove(cut_);
    } else {
        cut_->CutRect = before_;
        board.InvalidateElement(*cut_);
    }
    board.DropTentativeSnapshot();
    End();
    board.Fire(board.OnChange);
}

void CutTool::End() {
    cut_ = nullptr;
    edge_ = CutEdge::None;
    Editor().EndOperation();
}

void CutTool::Hover(const PointerEvent& event) {
    TPlatine& board = Board();
    ToolHost& host = Editor().Host();
    TTrenner* cut = CutAt(event.Control);
    for (TBauteil* selected : board.Selected())
        if (selected != cut && selected->BauteilTyp == TBauteilTyp::btTrenner)
            board.SetzeMarkierung(selected, false);
    if (cut) {
        board.SetzeMarkierung(cut, true);
        const int edge = cut->EdgeTowards(event.Control, Editor().MeasuringCanvas());
        host.SetPointerShape(edge <= 2 ? PointerShape::SplitVertical
                                       : PointerShape::SplitHorizontal);
        return;
    }
    auto* track = dynamic_cast<TLeiterbahn*>(TrackAt(event.Control));
    track_ = track;
    if (track && track->IsVertical())
        host.SetPointerShape(PointerShape::SplitVertical);
    else if (track && track->IsHorizontal())
        host.SetPointerShape(PointerShape::SplitHorizontal);
    else
        host.SetPointerShape(PointerShape::Cross);
}

} // namespace karvel
