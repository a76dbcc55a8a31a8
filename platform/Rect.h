#pragma once
// A rectangle as the board and its elements keep it: (Left, Top, Right, Bottom), with Right and
// Bottom lying outside the covered area. QRect counts its right edge inside, which is why board
// code never uses it for geometry.

#include <limits>
#include <QtCore/QPoint>
#include <QtCore/QRect>

namespace karvel {

// Board arithmetic near the ends of the 32-bit range: sums and differences are taken in 64
// bits and clamped, so that a far-off element gets bounds at the edge of the range instead of
// bounds that wrapped around to the other side.
constexpr int ClampToInt(long long value) {
    if (value > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (value < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return int(value);
}
constexpr int SaturatingAdd(int a, long long b) {
    return ClampToInt((long long)a + b);
}

struct Rect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    constexpr int Width() const { return ClampToInt((long long)Right - Left); }
    constexpr int Height() const { return ClampToInt((long long)Bottom - Top); }
    constexpr QPoint TopLeft() const { return {Left, Top}; }
    constexpr QPoint BottomRight() const { return {Right, Bottom}; }
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    constexpr bool operator==(const Rect&) const = default;

    // The pixels Left..Right-1 × Top..Bottom-1 as a QRect (the rectangle must be normalised).
    QRect ToQRect() const { return QRect(Left, Top, Width(), Height()); }
    static Rect FromQRect(const QRect& r) {
        return {r.left(), r.top(), SaturatingAdd(r.left(), r.width()),
                SaturatingAdd(r.top(), r.height())};
    }
};

// The square reaching half units from a centre on every side.
constexpr Rect SquareAround(QPoint centre, int half) {
    return {SaturatingAdd(centre.x(), -(long long)half),
            SaturatingAdd(centre.y(), -(long long)half), SaturatingAdd(centre.x(), half),
            SaturatingAdd(centre.y(), half)};
}

// A rectangle grown by amount on every side (shrunk for a negative amount).
constexpr Rect Inflated(const Rect& r, int amount) {
    return {SaturatingAdd(r.Left, -(long long)amount), SaturatingAdd(r.Top, -(long long)amount),
            SaturatingAdd(r.Right, amount), SaturatingAdd(r.Bottom, amount)};
}

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
