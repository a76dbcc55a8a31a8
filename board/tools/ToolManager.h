#pragma once
// The editing side of one board: it takes the window's plain input values, hands them to the
// tool of the board's current mode, and keeps what every tool shares — the snap flag, the
// undo step of a drag, confining the pointer, autoscroll, the status lines, panning and
// wheel zoom. The window only forwards; tests and edit scripts drive it the same way.

#include "board/OperationOwner.h"
#include "board/PlatinenTyp.h"
#include "board/tools/PointerEvent.h"
#include "board/tools/PointerZoom.h"
#include "board/tools/Tool.h"
#include "board/tools/ToolHost.h"
#include "board/UndoStep.h"
#include "platform/Rect.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace karvel {

class Canvas;
class TBauteil;
class TPlatine;
class TSizer;

// The status lines of a board at rest: "Board" and the side it is seen from.
void ResetStatusLines(TPlatine& board);

class ToolManager : public OperationOwner {
public:
    // Autoscroll starts this close to the visible edge and moves by this much per tick.
    static constexpr int AutoscrollBand = 20;
    static constexpr int AutoscrollStep = 40;
    static constexpr int WheelNotch = 120;

    enum class ScrollDirection { None = 0, Up = 1, Down = 2, Left = 3, Right = 4 };

    // The editor becomes the board's operation owner until it goes.
    ToolManager(TPlatine& board, ToolHost& host);
    ~ToolManager() override;
    ToolManager(const ToolManager&) = delete;
    ToolManager& operator=(const ToolManager&) = delete;

    TPlatine& Board() const { return board_; }
    ToolHost& Host() const { return host_; }

    // --- Input from the window
    void Press(const PointerEvent& event);
    void Move(const PointerEvent& event);
    void Release(const PointerEvent& event);
    // True when the key was used (Escape with something to cancel).
    bool Key(const KeyPress& key);
    // The plain wheel and Ctrl+wheel zoom about the pointer, Shift+wheel scrolls up and down,
    // Alt+wheel and a sideways turn scroll sideways.
    void Wheel(const WheelTurn& turn);
    // A touchpad's pinch: the zoom grows by the factor about the pointer.
    void Pinch(QPoint control, double factor);
    // The window lost the pointer grab or the focus.
    void PointerLost();
    void AutoscrollTick();
    // True while an operation runs; the window refuses disturbing commands meanwhile.
    bool Busy() const;
    // Ends the running operation as Escape does: what was being drawn or placed goes, a move
    // or a dragged point returns, and an operation that changed nothing leaves no undo step.
    // Every command that changes or removes elements comes here first.
    void CancelOperation() override;
    // The hole (column, row) under the pointer's last position, numbered from the origin marker
    // as the rulers number it, or none beside the board.
    std::optional<QPoint> HoleUnderPointer() const;
    // Chooses a tool as its button does: the running operation ends, the probe's marks go, and
    // the tool starts with its colours, width and crosshair (ToolStartFor). The wire and lead
    // tools remember themselves as the previous mode, so that they stay after each wire.
    void ChooseTool(TPlatinenModus mode);
    // Whether the crosshair follows the pointer in the current tool.
    bool CrosshairShown() const { return crosshair_; }

    // --- For the tools
    QPoint BoardPoint(QPoint control) const;
    // The nearest hole centre; with Shift held the fine grid.
    QPoint HoleSnapped(const PointerEvent& event) const;
    // The fine grid; with Shift held no snapping.
    QPoint FineSnapped(const PointerEvent& event) const;
    // The hole index of a control pixel: (-1, -1) right of or below the board.
    QPoint HoleIndexAt(QPoint control) const;
    // Whether a control pixel lies on the board rectangle.
    bool OnBoard(QPoint control) const;
    void BeginOperation();
    void EndOperation();
    // The undo step of a drag opens at its first movement: a click alone leaves none, and
    // neither does a drag given up or ending where it began.
    void ArmUndoStep();
    void BeforeDragChange();
    void CloseUndoStep();
    // Sets the mode as the board's own tools do and tells the window. A mode with a button of
    // its own (TagForMode) starts as if its button had been pressed.
    void ChangeMode(TPlatinenModus mode);
    // Back to the select tool, operation ended.
    void LeaveTool();
    // The element a wire end or lead end was handed over with, for the tool that takes it in
    // the same event.
    TBauteil* HandedOver = nullptr;

    // The topmost element under a control pixel, or among the selected ones only.
    TBauteil* ElementAt(QPoint control, bool selectedOnly) const;
    void Repaint(TBauteil& element);
    void RepaintDevice(const Rect& device);
    // Runs with a canvas mapped like the view (hit tests, bounds).
    Canvas& MeasuringCanvas() const;

    void ResetStatusLines();
    void ShowSegmentStatus(QPoint from, QPoint to);
    void ShowElementStatus(TBauteil& element);
    void ShowStatus(const QString& first, const QString& second);
    QString Tr(const char16_t* german, const char16_t* english) const;

    ScrollDirection AutoscrollDirection() const { return scrollDirection_; }

    // --- Resize handles around the selection of the select tool
    // Puts the handles around what is selected now, or hides them when nothing is.
    void ShowHandles();
    void HideHandles();
    TSizer* Handles() const { return sizer_.get(); }
    // Draws what the editor shows over the board (the handles); the canvas is mapped like
    // the board.
    void PaintOverlays(Canvas& canvas);

private:
    Tool& CurrentTool();
    // The tool of the current mode when it is in the middle of something. A tool that ended by
    // changing the mode is kept until the next event, but is no longer at work.
    Tool* BusyTool() const;
    void Answer(ToolAnswer answer);
    // Sets the mode and what the tool starts with; the operation has ended before.
    void StartTool(TPlatinenModus mode);
    // The crosshair follows the hole-snapped pointer where the tool shows it.
    void FollowCrosshair(const PointerEvent& event);
    // Tools keep pointers to the elements they work on from one event to the next. When
    // elements left the board in between without the operation being ended first, the tool
    // is dropped with its pointers, untouched, rather than reach for an element that is gone.
    void ForgetStaleOperation();
    void NoteRemovals();
    void FollowAutoscroll(QPoint control);
    void Pan(QPoint control);

    TPlatine& board_;
    ToolHost& host_;
    std::unique_ptr<Tool> tool_;
    TPlatinenModus toolMode_ = TPlatinenModus::pm_Standard;
    OperationOwner* previousOwner_ = nullptr;
    std::uint64_t seenRemovals_ = 0;
    std::optional<UndoStep> dragStep_;
    bool operation_ = false;
    bool crosshair_ = false;
    ScrollDirection scrollDirection_ = ScrollDirection::None;
    std::optional<QPoint> panStart_; // host pixel where a middle-button drag began
    QPoint panScroll_;
    int wheelRest_ = 0;
    PointerZoom pointerZoom_;
    std::optional<QPoint> lastPointer_;
    mutable std::unique_ptr<struct MeasuringSurface> measuring_;
    std::unique_ptr<TSizer> sizer_;
};

} // namespace karvel
