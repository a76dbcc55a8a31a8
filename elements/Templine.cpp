#include "elements/Templine.h"

namespace karvel {

template <typename T> void TTempline::Change(T& field, T value, Canvas& canvas) {
    if (field == value)
        return;
    const bool wasShown = shown_;
    if (wasShown)
        Hide(canvas);
    field = value;
    if (wasShown)
        Show(canvas);
}

void TTempline::SetStartPoint(QPoint p, Canvas& canvas) {
    Change(start_, p, canvas);
}

void TTempline::SetEndPoint(QPoint p, Canvas& canvas) {
    Change(end_, p, canvas);
}

void TTempline::SetLineWidth(int width, Canvas& canvas) {
    Change(lineWidth_, width, canvas);
}

void TTempline::Show(Canvas& canvas) {
    if (shown_)
        Hide(canvas);
    DrawInverted(canvas, start_, end_, lineWidth_);
    // What was drawn is what the next Hide must draw again, whatever changes meanwhile.
    drawnStart_ = start_;
    drawnEnd_ = end_;
    drawnWidth_ = lineWidth_;
    shown_ = true;
}

void TTempline::Hide(Canvas& canvas) {
    if (!shown_)
        return;
    DrawInverted(canvas, drawnStart_, drawnEnd_, drawnWidth_);
    shown_ = false;
}

void TTempline::DrawInverted(Canvas& canvas, QPoint from, QPoint to, int width) const {
    canvas.SetPen(colours::White, width);
    canvas.SetMixMode(MixMode::XorPen);
    canvas.Line(from, to);
    canvas.SetMixMode(MixMode::Copy);
}

} // namespace karvel
