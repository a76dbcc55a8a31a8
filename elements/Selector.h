#pragma once
// TSelector: the rubber-band rectangle of the selection, zoom and rectangle tools. It follows
// the cursor, drawn in an inverting mode and erased by drawing it again.

#include "platform/Canvas.h"
#include "platform/Rect.h"

#include <optional>
#include <QtCore/QPoint>
#include <QtCore/QSize>

namespace karvel {

// The window a selection belongs to: where its client area lies on the screen, and its size.
struct SelectorControl {
    QPoint ClientOrigin; // screen position of the client area's top-left pixel
    QSize ClientSize;
};

class TSelector {
public:
    explicit TSelector(SelectorControl control) : Control(control) {}

    SelectorControl Control;
    bool Active = false;
    // Cursor positions are screen coordinates; the rectangle is drawn in the control's client
    // pixels, so the canvas must map one unit to one client pixel (no mapping set).
    QPoint StartScreen;
    QPoint CurrentScreen;
    Rect ClipScreen;
    // Left/Top the anchor, Right/Bottom the current corner, in client coordinates; not
    // normalised, the board does that when it reads it.
    Rect SelRect;
    QPoint AnchorScreen;
    int PenWidth = 2; // pixels
    bool Filled = false;
    // Set by the board before every Track.
    bool Square = false;
    bool FromCentre = false;

    bool Shown() const { return drawn_.has_value(); }

    void Begin(QPoint cursorScreen, Canvas& canvas);
    void Track(QPoint cursorScreen, Canvas& canvas);
    // Limits the current corner to a client rectangle of the control.
    void SetClip(const Rect& client);
    void Finish(Canvas& canvas);

private:
    struct Figure {
        Rect Client;
        int PenWidth;
        bool Filled;
    };

    QPoint ToClient(QPoint screen) const { return screen - Control.ClientOrigin; }
    void ComputeCorners(QPoint cursor);
    void UpdateSelRect();
    void Draw(Canvas& canvas);
    void Erase(Canvas& canvas);
    static void Paint(Canvas& canvas, const Figure& figure);

    std::optional<Figure> drawn_;
};

} // namespace karvel
