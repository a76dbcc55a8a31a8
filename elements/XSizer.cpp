#include "elements/XSizer.h"

#include "elements/Geometry.h"

#include <cstdlib>

namespace karvel {

namespace {

constexpr Colour FrameColour = 255; // red
constexpr Colour HandleOutline = colours::White;
// HandleAt tests in this order and keeps the last hit, so where the handles of a small frame
// overlap, the middle handles win over the corners.
constexpr std::array<int, 8> HitOrder{1, 2, 3, 4, 5, 6, 8, 7};

bool Covers(const Rect& r, QPoint p) {
    return p.x() >= r.Left && p.x() < r.Right && p.y() >= r.Top && p.y() < r.Bottom;
}

bool IsCorner(int handle) {
    return handle >= TSizer::TopLeft && handle <= TSizer::BottomLeft;
}

} // namespace

TSizer::~TSizer() {
    if (placed_)
        Invalidate(*placed_);
}

Rect TSizer::Placement(int handle, bool roundedMiddles) const {
    const Rect f = InflateNormalised(Frame, Margin);
    const int s = HandleSize;
    const int w = f.Width();
    const int h = f.Height();
    // The span [low, high) of a middle handle along an edge that starts at `start` and is
    // `length` long.
    auto middle = [&](int start, int length) -> std::pair<int, int> {
        if (roundedMiddles)
            return {RoundToUnit(start + length / 2.0L - s / 2.0L),
                    RoundToUnit(start + length / 2.0L + s / 2.0L)};
        return {start + length / 2 - s / 2, start + length / 2 + s / 2};
    };
    switch (handle) {
    case TopLeft:
        return {f.Left - s, f.Top - s, f.Left, f.Top};
    case TopRight:
        return {f.Right, f.Top - s, f.Right + s, f.Top};
    case BottomRight:
        return {f.Right, f.Bottom, f.Right + s, f.Bottom + s};
    case BottomLeft:
        return {f.Left - s, f.Bottom, f.Left, f.Bottom + s};
    case TopMiddle: {
        const auto [l, r] = middle(f.Left, w);
        return {l, f.Top - s, r, f.Top};
    }
    case BottomMiddle: {
        const auto [l, r] = middle(f.Left, w);
        return {l, f.Bottom, r, f.Bottom + s};
    }
    case RightMiddle: {
        const auto [t, b] = middle(f.Top, h);
        return {f.Right, t, f.Right + s, b};
    }
    case LeftMiddle: {
        const auto [t, b] = middle(f.Top, h);
        return {f.Left - s, t, f.Left, b};
    }
    default:
        return {};
    }
}

Rect TSizer::HandleRect(int handle) const {
    return Placement(handle, false);
}

void TSizer::SetFrame(const Rect& frame, Canvas& canvas) {
    InvalidateHandles(canvas);
    Frame = frame;
    InvalidateHandles(canvas);
}

void TSizer::DrawHandles(Canvas& canvas) {
    if (!ShowFrame)
        return;
    canvas.SetMixMode(MixMode::Copy);
    canvas.SetPen(HandleOutline, 0, PenStyle::Solid);
    canvas.SetBrush(HandleColour, BrushStyle::Solid);
    for (int handle = TopLeft; handle <= LeftMiddle; ++handle)
        canvas.DrawRectangle(Placement(handle, true));
    placed_ = InvalidationRects(canvas);
}

TSizer::DeviceRects TSizer::InvalidationRects(Canvas& canvas) const {
    DeviceRects rects;
    for (int handle = TopLeft; handle <= LeftMiddle; ++handle) {
        const Rect r = Normalised(canvas.LPtoDP(HandleRect(handle)));
        rects[std::size_t(handle - 1)] = {r.Left - 1, r.Top - 1, r.Right + 1, r.Bottom + 1};
    }
    return rects;
}

void TSizer::Invalidate(const DeviceRects& rects) {
    if (Window == nullptr)
        return;
    for (const Rect& r : rects)
        Window->InvalidateRect(r, false);
}

void TSizer::InvalidateHandles(Canvas& canvas) {
    placed_ = InvalidationRects(canvas);
    Invalidate(*placed_);
}

int TSizer::HandleAt(QPoint device, Canvas& canvas) const {
    int found = None;
    for (const int handle : HitOrder)
        if (Covers(Normalised(canvas.LPtoDP(HandleRect(handle))), device))
            found = handle;
    return found;
}

void TSizer::BeginDrag(int handle, Canvas& canvas) {
    ActiveHandle = handle;
    CurrentRect = PreviousRect;
    DrawnRect = PreviousRect;
    InvalidateHandles(canvas);
    dragging_ = true;
}

Rect TSizer::Candidate(const Rect& s, QPoint p) const {
    const long double w = s.Right - s.Left;
    const long double h = s.Bottom - s.Top;
    Rect c = s;
    // A flat rectangle gives no ratio to scale by: such handles stay where they are.
    if ((IsCorner(ActiveHandle) && (w == 0 || h == 0)) ||
        ((ActiveHandle == TopMiddle || ActiveHandle == BottomMiddle) && h == 0) ||
        ((ActiveHandle == RightMiddle || ActiveHandle == LeftMiddle) && w == 0))
        return c;
    // Distances from the fixed edge are taken absolutely, so the frame never turns inside out.
    auto fromBottom = [&] { return std::abs((long double)s.Bottom - p.y()) / std::abs(h); };
    auto fromTop = [&] { return std::abs((long double)s.Top - p.y()) / std::abs(h); };
    auto fromLeft = [&] { return std::abs((long double)s.Left - p.x()) / std::abs(w); };
    auto fromRight = [&] { return std::abs((long double)s.Right - p.x()) / std::abs(w); };
    switch (ActiveHandle) {
    case TopLeft:
        c.Left = RoundToUnit(s.Right - w * fromBottom());
        c.Top = RoundToUnit(s.Bottom - h * fromBottom());
        break;
    case TopRight:
        c.Right = RoundToUnit(s.Left + w * fromBottom());
        c.Top = RoundToUnit(s.Bottom - h * fromBottom());
        break;
    case BottomRight:
        c.Right = RoundToUnit(s.Left + w * fromTop());
        c.Bottom = RoundToUnit(s.Top + h * fromTop());
        break;
    case BottomLeft:
        c.Left = RoundToUnit(s.Right - w * fromTop());
        c.Bottom = RoundToUnit(s.Top + h * fromTop());
        break;
    case TopMiddle:
        c.Top = RoundToUnit(s.Bottom - fromBottom() * h);
        break;
    case BottomMiddle:
        c.Bottom = RoundToUnit(s.Top + fromTop() * h);
        break;
    case RightMiddle:
        c.Right = RoundToUnit(s.Left + fromLeft() * w);
        break;
    case LeftMiddle:
        c.Left = RoundToUnit(s.Right - fromRight() * w);
        break;
    default:
        break;
    }
    return c;
}

bool TSizer::Acceptable(const Rect& s, const Rect& c) const {
    // Only the edges that moved must stay strictly inside the limits.
    if ((c.Left != s.Left && c.Left <= Limits.Left) || (c.Top != s.Top && c.Top <= Limits.Top) ||
        (c.Right != s.Right && c.Right >= Limits.Right) ||
        (c.Bottom != s.Bottom && c.Bottom >= Limits.Bottom))
        return false;
    // A rectangle already below the minimum may keep its size, but not shrink further.
    const int width = std::abs(c.Right - c.Left);
    const int height = std::abs(c.Bottom - c.Top);
    const bool wideEnough =
        width >= std::abs(MinSize.Width()) || width >= std::abs(s.Right - s.Left);
    const bool highEnough =
        height >= std::abs(MinSize.Height()) || height >= std::abs(s.Bottom - s.Top);
    return wideEnough && highEnough;
}

void TSizer::Drag(QPoint point, Canvas& canvas) {
    if (!dragging_)
        return;
    PreviousRect = CurrentRect;
    const Rect s = PreviousRect;
    HideFrame(canvas);
    const Rect candidate = Candidate(s, point);
    if (Acceptable(s, candidate))
        CurrentRect = candidate;
    NormaliseRect(CurrentRect);
    DrawnRect = CurrentRect;
    if (ShowFrame) {
        framePen_ = RoundToUnit(HandleSize * 0.25L);
        DrawFrame(canvas);
        FrameShown = true;
    }
}

void TSizer::HideFrame(Canvas& canvas) {
    if (!FrameShown)
        return;
    DrawFrame(canvas);
    FrameShown = false;
}

void TSizer::DrawFrame(Canvas& canvas) {
    canvas.SetPen(FrameColour, framePen_, PenStyle::Solid);
    canvas.SetBrushStyle(BrushStyle::Clear);
    canvas.SetMixMode(MixMode::NotXorPen);
    canvas.DrawRectangle(DrawnRect);
    canvas.SetMixMode(MixMode::Copy);
}

} // namespace karvel
