#include "elements/Fadenkreuz.h"

#include <algorithm>
#include <QtGui/QPaintDevice>

namespace karvel {

void TFadenKreuz::SetPosition(QPoint position, Canvas& canvas) {
    Position = position;
    Show(canvas);
}

void TFadenKreuz::Show(Canvas& canvas) {
    Hide(canvas);
    const Lines lines = Compute(canvas);
    Paint(canvas, lines);
    drawn_ = lines;
    DrawnPosition = Position;
}

void TFadenKreuz::Hide(Canvas& canvas) {
    if (!drawn_)
        return;
    Paint(canvas, *drawn_);
    drawn_.reset();
}

TFadenKreuz::Lines TFadenKreuz::Compute(Canvas& canvas) const {
    // The clip box in board units: the clip region's bounds, or the whole surface.
    Rect device{0, 0, canvas.Painter().device()->width(), canvas.Painter().device()->height()};
    if (const std::optional<Region> clip = canvas.ClipRegion())
        device = clip->Bounds();
    const Rect logical = canvas.DPtoLP(device);
    const int right = std::max(logical.Left, logical.Right);
    const int top = std::min(logical.Top, logical.Bottom);
    const int bottom = std::max(logical.Top, logical.Bottom);
    const QPoint p = Position;
    return {{0, p.y()}, {right, p.y()}, {p.x(), 0}, {p.x(), bottom}, {p.x(), top}, LineColour};
}

void TFadenKreuz::Paint(Canvas& canvas, const Lines& lines) {
    const Colour pen = canvas.PenColour();
    const int width = canvas.PenWidth();
    const PenStyle style = canvas.GetPenStyle();
    canvas.SetPen(lines.Pen, 1, PenStyle::Solid);
    canvas.SetMixMode(MixMode::XorPen);
    canvas.Line(lines.HorizontalFrom, lines.HorizontalTo);
    canvas.Line(lines.VerticalFrom, lines.VerticalDown);
    canvas.Line(lines.VerticalFrom, lines.VerticalUp);
    canvas.SetPen(pen, width, style);
    canvas.SetMixMode(MixMode::Copy);
}

} // namespace karvel
