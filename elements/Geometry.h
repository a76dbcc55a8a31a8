#pragma once
// Geometry and number-text helpers shared by the board, the elements, the generators and the
// dialogs. Their rounding is part of the stored geometry: turning and scaling an element again
// and again accumulates exactly these roundings, so keep them as they are.
//
// "Round" rounds halves to even; "div" truncates toward zero; angles are radians counted
// counter-clockwise on the screen, where y grows downward.

#include "platform/NumberText.h"
#include "platform/Rect.h"

#include <cstdint>
#include <QtCore/QPoint>
#include <QtCore/QString>

namespace karvel {

inline constexpr long double Pi = 3.141592653589793238462643383279502884L;

// The same, clamped into the 32-bit range of board units.
int RoundToUnit(long double value);
// Integer division truncating toward zero (C++ semantics, named for readability at call sites).
constexpr int Div(int a, int b) {
    return a / b;
}

int PointDistance(QPoint p, QPoint q);
// The direction from p to q in [0, 2π); π for p = q.
long double Direction(QPoint p, QPoint q);
// The direction of the line through p and q in (0, π]; both orientations give the same value.
long double LineDirection(QPoint p, QPoint q);
QPoint RotatePoint(QPoint point, QPoint centre, double angle);
// Swaps reversed sides and widens an empty extent by one unit on each side.
void NormaliseRect(Rect& rect);
Rect Normalised(Rect rect);
Rect InflateNormalised(Rect rect, int amount);
inline bool SamePoint(QPoint p, QPoint q) {
    return p == q;
}
long double DegToRad(long double degrees);
QPoint Midpoint(QPoint p, QPoint q);
QPoint ScalePoint(QPoint point, QPoint origin, long double factorX, long double factorY);

} // namespace karvel
