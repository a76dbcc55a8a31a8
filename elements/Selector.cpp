#include "elements/Selector.h"

namespace karvel {

void TSelector::Begin(QPoint cursorScreen, Canvas& canvas) {
    // A rectangle left over from an earlier selection would otherwise stay on the screen.
    Erase(canvas);
    AnchorScreen = cursorScreen;
    StartScreen = cursorScreen;
    CurrentScreen = cursorScreen;
    SetClip({0, 0, Control.ClientSize.width(), Control.ClientSize.height()});
    Square = false;
    FromCentre = false;
    UpdateSelRect();
    Active = true;
    Draw(canvas);
}

void TSelector::Track(QPoint cursorScreen, Canvas& canvas) {
    if (!Active)
        return;
    Erase(canvas);
    ComputeCorners(cursorScreen);
    UpdateSelRect();
    Draw(canvas);
}

void TSelector::SetClip(const Rect& client) {
    const QPoint o = Control.ClientOrigin;
    ClipScreen = {client.Left + o.x(), client.Top + o.y(), client.Right + o.x(),
                  client.Bottom + o.y()};
}

void TSelector::Finish(Canvas& canvas) {
    Erase(canvas);
    Active = false;
}

void TSelector::ComputeCorners(QPoint c) {
    const QPoint a = AnchorScreen;
    if (Square) {
        // Signed differences: the square follows the larger one, whatever the direction.
        const int dx = c.x() - a.x();
        const int dy = c.y() - a.y();
        if (dy < dx)
            c.setY(a.y() + dx);
        else
            c.setX(a.x() + dy);
    }
    if (Square || FromCentre) {
        // Only the plain rectangle is held inside the view.
        CurrentScreen = c;
        StartScreen = FromCentre ? 2 * a - c : a;
        return;
    }
    const Rect& clip = ClipScreen;
    auto clamp = [](int v, int low, int high) {
        if (v > high - 1)
            return high - 2;
        if (v < low + 1)
            return low - 1;
        return v;
    };
    StartScreen = a;
    CurrentScreen = {clamp(c.x(), clip.Left, clip.Right), clamp(c.y(), clip.Top, clip.Bottom)};
}

void TSelector::UpdateSelRect() {
    const QPoint start = ToClient(StartScreen);
    const QPoint current = ToClient(CurrentScreen);
    SelRect = {start.x(), start.y(), current.x(), current.y()};
}

void TSelector::Draw(Canvas& canvas) {
    const QPoint s = ToClient(StartScreen);
    const QPoint c = ToClient(CurrentScreen);
    const Figure figure{{s.x() - 1, s.y() - 1, c.x() + 2, c.y() + 2}, PenWidth, Filled};
    Paint(canvas, figure);
    drawn_ = figure;
}

void TSelector::Erase(Canvas& canvas) {
    if (!drawn_)
        return;
    Paint(canvas, *drawn_);
    drawn_.reset();
}

void TSelector::Paint(Canvas& canvas, const Figure& figure) {
    canvas.SetPen(colours::Black, figure.PenWidth, PenStyle::Solid);
    canvas.SetBrush(colours::Black, figure.Filled ? BrushStyle::Solid : BrushStyle::Clear);
    canvas.SetMixMode(MixMode::NotXorPen);
    canvas.DrawRectangle(figure.Client);
    canvas.SetMixMode(MixMode::Copy);
}

} // namespace karvel
