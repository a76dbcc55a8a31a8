#pragma once
// The strip-cut tool: hovering finds a cut (to resize by an edge) or a copper track; a click
// on a track cuts it at the nearest half pitch, sized from the track's width; dragging moves
// the grabbed edge.

#include "board/tools/Tool.h"

#include "platform/Rect.h"

namespace karvel {

class TBauteil;
class TTrenner;

// Edges of a cut as its EdgeTowards names them.
enum class CutEdge { None = 0, Top = 1, Bottom = 2, Left = 3, Right = 4 };

// Moves one edge of a cut rectangle to a coordinate, keeping MinCutSize to the opposite edge
// and pushing that edge along while it stays within the board.
Rect MoveCutEdge(Rect cut, CutEdge edge, int to, int boardWidth, int boardHeight);
// The cut a click at a board point makes across a track; the grabbed edge is set too.
Rect CutAcross(QPoint point, bool vertical, int trackCoordinate, int trackHalfWidth,
               CutEdge& grabbed);

class CutTool : public Tool {
public:
    static constexpr int MinCutSize = 20;

    using Tool::Tool;
    ToolAnswer Press(const PointerEvent& event) override;
    ToolAnswer Move(const PointerEvent& event) override;
    ToolAnswer Release(const PointerEvent& event) override;
    bool Busy() const override { return cut_ != nullptr; }
    // Escape: a cut made by this click goes again, a resized one gets its size back.
    void Cancel() override;
    // The pointer lost: the cut stays as sized.
    void PointerLost() override { End(); }

private:
    void Hover(const PointerEvent& event);
    TTrenner* CutAt(QPoint control) const;
    TBauteil* TrackAt(QPoint control) const;
    void End();

    TTrenner* cut_ = nullptr;
    bool created_ = false;
    Rect before_;
    CutEdge edge_ = CutEdge::None;
    TBauteil* track_ = nullptr;
};

} // namespace karvel
