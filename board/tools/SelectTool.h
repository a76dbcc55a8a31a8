#pragma once
// The select tool: a click selects (Shift toggles), a drag on a selected element moves the
// selection, a drag on one of its points moves that point, a drag on empty board draws a
// frame that selects what it touches. A right click selects and asks for the context menu.
// Placing pasted or library elements shares the move.

#include "board/tools/SelectionMove.h"
#include "board/tools/Tool.h"

#include <optional>
#include <QtCore/QPoint>

namespace karvel {

class TBauteil;

class SelectTool : public Tool {
public:
    // Frames of at most this many pixels either way select nothing.
    static constexpr int MinFrame = 5;

    using Tool::Tool;
    ToolAnswer Press(const PointerEvent& event) override;
    ToolAnswer Move(const PointerEvent& event) override;
    ToolAnswer Release(const PointerEvent& event) override;
    bool Busy() const override;
    void Cancel() override;
    void PointerLost() override;

private:
    struct VertexDrag {
        TBauteil* Element;  // the element whose point moves (a group's member)
        TBauteil* Selected; // what is selected and repainted
        QPoint* Node;
        QPoint Before;
    };

    void SelectPress(const PointerEvent& event);
    void ContextPress(const PointerEvent& event);
    bool GrabVertex(TBauteil& element, const PointerEvent& event);
    bool HandsOverEnd(TBauteil& element, const QPoint* node) const;
    void StartMove(const PointerEvent& event);
    void StartFrame(const PointerEvent& event, bool keepSelection);
    void FollowVertex(const PointerEvent& event);
    void EndVertex();
    void EndFrame(const PointerEvent& event);
    void EndMove();
    void Hover(const PointerEvent& event);
    bool HoverHandles(const PointerEvent& event);
    bool StartHandleDrag(const PointerEvent& event);
    void FollowHandle(const PointerEvent& event);
    void EndHandleDrag();

    std::optional<SelectionMove> move_;
    std::optional<VertexDrag> vertex_;
    std::optional<QPoint> frameStart_;
    std::optional<QRect> frame_;
    bool handleDrag_ = false;
};

// Placing mode: inserted elements follow the pointer until a left click places them; a right
// click or Escape removes them again.
class PlacingTool : public Tool {
public:
    using Tool::Tool;
    ToolAnswer Press(const PointerEvent& event) override;
    ToolAnswer Move(const PointerEvent& event) override;
    ToolAnswer Release(const PointerEvent& event) override;
    bool Busy() const override { return true; }
    void Cancel() override;
    void PointerLost() override;

private:
    SelectionMove& Mover();
    void Finish();

    std::optional<SelectionMove> move_;
};

} // namespace karvel
