#pragma once
// Polygons the drawing and region tests fill: a self-crossing star and an axis-parallel square.

#include <cmath>
#include <numbers>
#include <QtCore/QPoint>
#include <vector>

namespace karvel::test {

// A five-pointed star drawn in one stroke: its inner pentagon is wound twice, so the fill modes
// disagree exactly there.
inline std::vector<QPoint> Pentagram(QPoint centre, int radius) {
    std::vector<QPoint> points;
    for (int k = 0; k < 5; ++k) {
        const double angle = (-90.0 + 144.0 * k) * std::numbers::pi / 180.0;
        points.emplace_back(centre.x() + int(std::lround(radius * std::cos(angle))),
                            centre.y() + int(std::lround(radius * std::sin(angle))));
    }
    return points;
}

inline std::vector<QPoint> Square(int left, int top, int size) {
    return {{left, top}, {left + size, top}, {left + size, top + size}, {left, top + size}};
}

} // namespace karvel::test
