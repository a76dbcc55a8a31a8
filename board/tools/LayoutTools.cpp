#include "board/tools/LayoutTools.h"

#include "board/Platine.h"
#include "board/tools/NewElements.h"
#include "board/tools/ToolManager.h"
#include "elements/Auge.h"
#include "elements/Bohrung.h"
#include "elements/Gruppe.h"
#include "elements/Leiterbahn.h"

#include <cmath>

namespace karvel {

namespace {

std::unique_ptr<TBauteil> MakePad(const TPlatine& board, QPoint at) {
    auto pad = std::make_unique<TAuge>();
    TakeDefaults(*pad, board, Takes::SideOnly);
    pad->Centre = at;
    pad->Diameter = board.PadDiameter;
    return pad;
}

std::unique_ptr<TBauteil> MakeDrilling(const TPlatine& board, QPoint at) {
    auto drilling = std::make_unique<TBohrung>();
    TakeDefaults(*drilling, board, Takes::SideOnly);
    drilling->Centre = at;
    drilling->Diameter = board.DrillDiameter;
    return drilling;
}

} // namespace

ToolAnswer PadTool::Press(const PointerEvent& event) {
    if (event.Right())
        return ToolAnswer::LeaveTool;
    if (!event.Left())
        return ToolAnswer::Ignored;
    TPlatine& board = Board();
    const QPoint at = Editor().HoleSnapped(event);
    std::unique_ptr<TBauteil> element;
    switch (kind_) {
    case Kind::Pad:
        element = MakePad(board, at);
        break;
    case Kind::Drilling:
        element = MakeDrilling(board, at);
        break;
    case Kind::PadWithDrilling: {
        auto group = std::make_unique<TGruppe>(board.View().Sprache);
        TakeDefaults(*group, board, Takes::SideOnly);
        group->AddMember(MakePad(board, at));
        group->AddMember(MakeDrilling(board, at));
        element = std::move(group);
        break;
    }
    }
    const UndoStep undo(board);
    board.MarkiereAlle(false);
    TBauteil* added = board.Add(std::move(element));
    board.SetzeMarkierung(added, true);
    board.InvalidateElement(*added);
    board.Fire(board.OnChange);
    return ToolAnswer::Handled;
}

// --- Tracks ----------------------------------------------------------------------------------

ToolAnswer TrackTool::Press(const PointerEvent& event) {
    if (event.Right()) {
        if (!track_)
            return ToolAnswer::LeaveTool;
        Cancel();
        return ToolAnswer::LeaveTool;
    }
    if (!event.Left())
        return ToolAnswer::Ignored;
    TPlatine& board = Board();
    const QPoint at = Editor().HoleSnapped(event);
    if (track_) {
        board.InvalidateElement(*track_);
        track_->Nodes.back() = at;
        track_->RebuildOutline();
        board.SetzeMarkierung(track_, true);
        board.InvalidateElement(*track_);
        End();
        board.Fire(board.OnChange);
        return ToolAnswer::Handled;
    }
    board.MarkiereAlle(false);
    board.TakeTentativeSnapshot();
    auto track = std::make_unique<TLeiterbahn>();
    TakeDefaults(*track, board, Takes::SideOnly);
    track->SetStiftbreite(std::int16_t(std::lround(board.TrackWidth * 50)));
    track->Nodes = {at, at};
    track->RebuildOutline();
    track_ = static_cast<TLeiterbahn*>(board.Add(std::move(track)));
    board.InvalidateElement(*track_);
    Editor().BeginOperation();
    return ToolAnswer::Handled;
}

ToolAnswer TrackTool::Move(const PointerEvent& event) {
    if (!track_)
        return ToolAnswer::Ignored;
    TPlatine& board = Board();
    const QPoint at = Editor().HoleSnapped(event);
    if (track_->Nodes.back() == at)
        return ToolAnswer::Handled;
    board.InvalidateElement(*track_);
    track_->Nodes.back() = at;
    track_->RebuildOutline();
    board.InvalidateElement(*track_);
    Editor().ShowSegmentStatus(track_->Nodes.front(), at);
    return ToolAnswer::Handled;
}

void TrackTool::Cancel() {
    if (!track_)
        return;
    Board().InvalidateElement(*track_);
    Board().Remove(track_);
    Board().DropTentativeSnapshot();
    End();
}

void TrackTool::PointerLost() {
    if (track_ && track_->Nodes.front() == track_->Nodes.back())
        Cancel();
    End();
}

void TrackTool::End() {
    track_ = nullptr;
    Editor().EndOperation();
    Editor().ResetStatusLines();
}

// --- Origin ----------------------------------------------------------------------------------

ToolAnswer OriginTool::Press(const PointerEvent& event) {
    TPlatine& board = Board();
    if (event.Left()) {
        const UndoStep undo(board);
        board.SetUrsprung(Editor().HoleSnapped(event));
        if (BoardHost* host = board.Host())
            host->Repaint();
        board.Fire(board.OnChange);
    }
    return ToolAnswer::LeaveTool;
}

} // namespace karvel
