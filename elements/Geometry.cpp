#include "elements/Geometry.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace karvel {

std::int64_t RoundHalfEven(long double value) {
    if (!std::isfinite(value))
        return 0;
    constexpr long double limit = 9.0e18L;
    if (value > limit)
        return std::int64_t(limit);
    if (value < -limit)
        return -std::int64_t(limit);
    // nearbyint follows the current rounding mode, which is to-nearest-even unless someone
    // changed it; do the tie-breaking ourselves so the result never depends on that.
    const long double lower = std::floor(value);
    const long double fraction = value - lower;
    auto whole = std::int64_t(lower);
    if (fraction > 0.5L || (fraction == 0.5L && (whole & 1) != 0))
        ++whole;
    return whole;
}

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

long double TextToNumber(const QString& text) {
    QByteArray prefix;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool numeric =
            (u >= '0' && u <= '9') || u == '+' || u == '-' || u == ',' || u == '.' || u == 'E';
        if (!numeric)
            break;
        prefix.append(u == ',' ? '.' : char(u));
    }
    // Locale-independent: the program runs under the user's locale, whose decimal separator
    // must not change what a stored version text means. A malformed prefix such as "+-" or
    // "1.2.3" yields what can be read of it (0 when nothing).
    const char* first = prefix.constData();
    const char* last = first + prefix.size();
    long double sign = 1.0L;
    if (first != last && (*first == '+' || *first == '-')) {
        sign = *first == '-' ? -1.0L : 1.0L;
        ++first;
    }
    long double value = 0.0L;
    const auto result = std::from_chars(first, last, value);
    if (result.ec != std::errc() || !std::isfinite(value))
        return 0.0L;
    return sign * value;
}

} // namespace karvel
