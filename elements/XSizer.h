#pragma once
// TSizer: the eight resize handles around the selection, and the rectangle dragged with them.
// The handles are plain filled squares that vanish through invalidation; the dragged
// rectangle is drawn in an inverting mode and erased by drawing it again.

#include "platform/Canvas.h"
#include "platform/Colour.h"
#include "platform/Rect.h"
#include "platform/RepaintTarget.h"

#include <array>
#include <optional>
#include <QtCore/QPoint>

namespace karvel {

class TSizer {
public:
    // Handle numbers; the board picks its hover cursors by them.
    enum Handle {
        None = 0,
        TopLeft = 1,
        TopRight = 2,
        BottomRight = 3,
        BottomLeft = 4,
        TopMiddle = 5,
        BottomMiddle = 6,
        RightMiddle = 7,
        LeftMiddle = 8,
    };

    explicit TSizer(RepaintTarget* window) : Window(window) {}
    // Invalidates the handles where they were last placed.
    ~TSizer();
    TSizer(const TSizer&) = delete;
    TSizer& operator=(const TSizer&) = delete;

    // All rectangles are in board units; device pixels come in only through the canvas's
    // mapping, in HandleAt and in invalidation.
    Rect Frame;
    int Margin = 0;
    int HandleSize = 0;
    Colour HandleColour = colours::Black;
    bool ShowFrame = true;
    RepaintTarget* Window;
    Rect PreviousRect;
    Rect CurrentRect;
    Rect DrawnRect;
    bool FrameShown = false;
    int ActiveHandle = None;
    Rect MinSize;
    Rect Limits;

    bool Dragging() const { return dragging_; }

    void SetFrame(const Rect& frame, Canvas& canvas);
    void DrawHandles(Canvas& canvas);
    void InvalidateHandles(Canvas& canvas);
    // The handle under a device point, 1 to 8, or 0.
    int HandleAt(QPoint device, Canvas& canvas) const;
    void BeginDrag(int handle, Canvas& canvas);
    // Follows the active handle to a board point; CurrentRect holds the result and
    // PreviousRect the rectangle before this step.
    void Drag(QPoint point, Canvas& canvas);
    void HideFrame(Canvas& canvas);

    // A handle's rectangle in board units, as hit tests and invalidation place it.
    Rect HandleRect(int handle) const;

private:
    using DeviceRects = std::array<Rect, 8>;

    // The middle handles are drawn with the halves rounded, and hit and invalidated with them
    // truncated, so the two may differ by a unit.
    Rect Placement(int handle, bool roundedMiddles) const;

    Rect Candidate(const Rect& s, QPoint p) const;
    bool Acceptable(const Rect& s, const Rect& candidate) const;
    void DrawFrame(Canvas& canvas);
    DeviceRects InvalidationRects(Canvas& canvas) const;
    void Invalidate(const DeviceRects& rects);

    bool dragging_ = false;
    int framePen_ = 0;
    // Where the handles were last placed on the device, for the destructor, which has no canvas.
    std::optional<DeviceRects> placed_;
};

} // namespace karvel
