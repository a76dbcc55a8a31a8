#pragma once
// What only a window can do for the editing tools: the pointer's shape, keeping the pointer
// on the board while an operation runs, the warning sound, the autoscroll timer and the
// inverting previews. The previews are state, not drawing: the window paints them over its
// picture of the board in its paint event. Repainting the board itself and scrolling go
// through the board's BoardHost.

#include <optional>
#include <QtCore/QLine>
#include <QtCore/QPoint>
#include <QtCore/QRect>

namespace karvel {

enum class PointerShape {
    ToolDefault, // the cursor of the current tool mode
    Arrow,
    Finger,
    Solder,
    Hand,
    Iron,
    SizeAll,
    SizeNwSe,
    SizeNeSw,
    SizeVertical,
    SizeHorizontal,
    SplitVertical,
    SplitHorizontal,
    Cross,
};

// The line from the end being extended to the pointer, in board units.
struct TempLine {
    QLine Line;
    int Width = 2; // board units
    bool operator==(const TempLine&) const = default;
};

class ToolHost {
public:
    virtual ~ToolHost() = default;
    virtual void SetPointerShape(PointerShape shape) = 0;
    // While confined, the window grabs the pointer and keeps it on the visible board; losing
    // the grab must reach the editor as ToolManager::PointerLost.
    virtual void ConfinePointer(bool confined) = 0;
    virtual void Beep() = 0;
    // A 10 ms timer calling ToolManager::AutoscrollTick while running.
    virtual void SetAutoscrollTimer(bool running) = 0;
    virtual void ShowRubberBand(std::optional<QRect> control) = 0;
    virtual void ShowTempLine(std::optional<TempLine> line) = 0;
    // The crosshair at a board point (the hole-snapped pointer), or none; the tool manager
    // decides when it shows.
    virtual void ShowCrosshair(std::optional<QPoint> board) = 0;
};

} // namespace karvel
