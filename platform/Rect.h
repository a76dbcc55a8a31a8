#pragma once
// A rectangle as the board and its elements keep it: (Left, Top, Right, Bottom), with Right and
// Bottom lying outside the covered area. QRect counts its right edge inside, which is why board
// code never uses it for geometry.

#include <QtCore/QPoint>
#include <QtCore/QRect>

namespace karvel {

struct Rect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
    constexpr QPoint TopLeft() const { return {Left, Top}; }
    constexpr QPoint BottomRight() const { return {Right, Bottom}; }
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    constexpr bool operator==(const Rect&) const = default;

    // The pixels Left..Right-1 × Top..Bottom-1 as a QRect (the rectangle must be normalised).
    QRect ToQRect() const { return QRect(Left, Top, Right - Left, Bottom - Top); }
    static Rect FromQRect(const QRect& r) {
        return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
    }
};

// Whether two normalised rectangles share any area (touching edges do not count).
constexpr bool Intersects(const Rect& a, const Rect& b) {
    return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

// The common area of two normalised rectangles; empty (all zero) when they do not meet.
constexpr Rect Intersection(const Rect& a, const Rect& b) {
    if (!Intersects(a, b))
        return {};
    return {a.Left > b.Left ? a.Left : b.Left, a.Top > b.Top ? a.Top : b.Top,
            a.Right < b.Right ? a.Right : b.Right, a.Bottom < b.Bottom ? a.Bottom : b.Bottom};
}

// The smallest rectangle holding two normalised rectangles; an empty one is ignored.
constexpr Rect United(const Rect& a, const Rect& b) {
    if (a.IsEmpty())
        return b;
    if (b.IsEmpty())
        return a;
    return {a.Left < b.Left ? a.Left : b.Left, a.Top < b.Top ? a.Top : b.Top,
            a.Right > b.Right ? a.Right : b.Right, a.Bottom > b.Bottom ? a.Bottom : b.Bottom};
}

} // namespace karvel
