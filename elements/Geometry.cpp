#include "elements/Geometry.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace karvel {

int RoundToUnit(long double value) {
    const std::int64_t r = RoundHalfEven(value);
    if (r > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (r < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return int(r);
}

int PointDistance(QPoint p, QPoint q) {
    if (p == q)
        return 0;
    const double dx = double(p.x()) - double(q.x());
    const double dy = double(p.y()) - double(q.y());
    return RoundToUnit(std::sqrt(dx * dx + dy * dy));
}

long double Direction(QPoint p, QPoint q) {
    const long double a = (long double)q.x() - p.x();
    const long double b = (long double)p.y() - q.y();
    if (p.y() == q.y())
        return p.x() < q.x() ? 0.0L : Pi;
    if (p.x() == q.x())
        return p.y() < q.y() ? 3.0L * Pi / 2.0L : Pi / 2.0L;
    if (a > 0 && b > 0)
        return std::atan(b / a);
    if (a > 0 && b < 0)
        return 2.0L * Pi - std::atan(-b / a);
    if (a < 0 && b > 0)
        return Pi - std::atan(b / -a);
    return Pi + std::atan(b / a);
}

long double LineDirection(QPoint p, QPoint q) {
    long double angle = Direction(p, q);
    while (angle <= 0.0L)
        angle += Pi;
    while (angle > Pi)
        angle -= Pi;
    return angle;
}

QPoint RotatePoint(QPoint point, QPoint centre, double angle) {
    if (angle == 0.0)
        return point;
    const long double theta = Direction(centre, point) + angle;
    // The radius is rounded before turning, so a point turned again and again drifts by up to
    // half a unit each time; stored layouts were made that way.
    const long double r = PointDistance(centre, point);
    return {RoundToUnit(centre.x() + r * std::cos(theta)),
            RoundToUnit(centre.y() - r * std::sin(theta))};
}

void NormaliseRect(Rect& rect) {
    if (rect.Right < rect.Left)
        std::swap(rect.Left, rect.Right);
    if (rect.Bottom < rect.Top)
        std::swap(rect.Top, rect.Bottom);
    if (rect.Left == rect.Right) {
        rect.Left = SaturatingAdd(rect.Left, -1);
        rect.Right = SaturatingAdd(rect.Right, 1);
    }
    if (rect.Top == rect.Bottom) {
        rect.Top = SaturatingAdd(rect.Top, -1);
        rect.Bottom = SaturatingAdd(rect.Bottom, 1);
    }
}

Rect Normalised(Rect rect) {
    NormaliseRect(rect);
    return rect;
}

Rect InflateNormalised(Rect rect, int amount) {
    NormaliseRect(rect);
    return Inflated(rect, amount);
}

long double DegToRad(long double degrees) {
    return degrees * Pi / 180.0L;
}

QPoint Midpoint(QPoint p, QPoint q) {
    // Halved in 64 bits: the difference of two far-apart points does not fit 32.
    return {int(p.x() + ((long long)q.x() - p.x()) / 2),
            int(p.y() + ((long long)q.y() - p.y()) / 2)};
}

QPoint ScalePoint(QPoint point, QPoint origin, long double factorX, long double factorY) {
    return {RoundToUnit(factorX * ((long double)point.x() - origin.x()) + origin.x()),
            RoundToUnit(factorY * ((long double)point.y() - origin.y()) + origin.y())};
}

} // namespace karvel
