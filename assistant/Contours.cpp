#include "assistant/Contours.h"

#include "elements/Geometry.h"

#include <cmath>
#include <utility>

namespace karvel {

namespace {

using Offsets = std::vector<std::pair<long double, long double>>;

// Offsets from the centre, each rounded to a whole unit and then turned about the centre.
std::vector<QPoint> Place(QPoint centre, const Offsets& offsets, long double rotation) {
    std::vector<QPoint> vertices;
    vertices.reserve(offsets.size());
    for (const auto& [x, y] : offsets) {
        const QPoint upright{RoundToUnit(centre.x() + x), RoundToUnit(centre.y() + y)};
        vertices.push_back(RotatePoint(upright, centre, double(rotation)));
    }
    return vertices;
}

Offsets LetterOffsets(char letter, const LetterMeasures& m) {
    const long double w = m.Width / 2;
    const long double h = m.Height / 2;
    switch (letter) {
    case 'H':
        return {{-w, -h},
                {-w + m.D1, -h},
                {-w + m.D1, -m.D2 / 2},
                {w - m.D1, -m.D2 / 2},
                {w - m.D1, -h},
                {w, -h},
                {w, h},
                {w - m.D1, h},
                {w - m.D1, m.D2 / 2},
                {-w + m.D1, m.D2 / 2},
                {-w + m.D1, h},
                {-w, h}};
    case 'L':
        return {{-w, -h}, {-w + m.D1, -h}, {-w + m.D1, h - m.D2}, {w, h - m.D2}, {w, h}, {-w, h}};
    case 'M':
        return {{-w, -h},
                {w, -h},
                {w, h},
                {w - m.D1, h},
                {w - m.D1, -h + m.D2},
                {m.D3 / 2, -h + m.D2},
                {m.D3 / 2, h},
                {-m.D3 / 2, h},
                {-m.D3 / 2, -h + m.D2},
                {-w + m.D1, -h + m.D2},
                {-w + m.D1, h},
                {-w, h}};
    case 'T':
        return {{-w, -h},      {w, -h},        {w, -h + m.D2},         {m.D1 / 2, -h + m.D2},
                {m.D1 / 2, h}, {-m.D1 / 2, h}, {-m.D1 / 2, -h + m.D2}, {-w, -h + m.D2}};
    case 'U':
        return {{-w, -h},
                {-w + m.D1, -h},
                {-w + m.D1, h - m.D2},
                {w - m.D1, h - m.D2},
                {w - m.D1, -h},
                {w, -h},
                {w, h},
                {-w, h}};
    default:
        return {};
    }
}

} // namespace

std::vector<QPoint> RegularPolygonVertices(QPoint centre, long double diameter, int corners,
                                           long double rotation) {
    std::vector<QPoint> vertices;
    if (corners <= 0)
        return vertices;
    const long double radius = diameter / 2;
    const long double step = 2 * Pi / corners;
    long double angle = rotation;
    for (int i = 0; i < corners; ++i) {
        vertices.emplace_back(RoundToUnit(centre.x() + radius * std::cos(angle)),
                              RoundToUnit(centre.y() - radius * std::sin(angle)));
        angle += step;
    }
    return vertices;
}

std::vector<QPoint> RectangleVertices(QPoint centre, long double width, long double height,
                                      long double rotation) {
    const long double w = width / 2;
    const long double h = height / 2;
    return Place(centre, {{-w, -h}, {w, -h}, {w, h}, {-w, h}}, rotation);
}

std::vector<QPoint> EllipseVertices(QPoint centre, long double d1, long double d2,
                                    long double rotation) {
    Offsets offsets;
    for (int i = 1; i <= 16; ++i) {
        const long double angle = i * 2 * Pi / 16;
        offsets.emplace_back(d1 / 2 * std::cos(angle), d2 / 2 * std::sin(angle));
    }
    return Place(centre, offsets, rotation);
}

std::vector<QPoint> LetterVertices(char letter, QPoint centre, const LetterMeasures& measures,
                                   long double rotation) {
    return Place(centre, LetterOffsets(letter, measures), rotation);
}

std::vector<QPoint> IVertices(QPoint centre, long double d1, long double d2, long double l1,
                              long double l2, long double rotation) {
    return Place(centre,
                 {{-d2 / 2, -l1 / 2 - l2},
                  {-d2 / 2, -l1 / 2},
                  {-d1 / 2, -l1 / 2},
                  {-d1 / 2, l1 / 2},
                  {-d2 / 2, l1 / 2},
                  {-d2 / 2, l1 / 2 + l2},
                  {d2 / 2, l1 / 2 + l2},
                  {d2 / 2, l1 / 2},
                  {d1 / 2, l1 / 2},
                  {d1 / 2, -l1 / 2},
                  {d2 / 2, -l1 / 2},
                  {d2 / 2, -l1 / 2 - l2}},
                 rotation);
}

std::vector<QPoint> ElkoOutlineVertices(QPoint centre, long double d, long double l,
                                        long double rotation) {
    const long double g = d / 10; // depth of the groove
    const long double r = d / 2;
    const long double h = l / 2;
    return Place(centre,
                 {{-r, -h},
                  {r, -h},
                  {r, h - 4 * g},
                  {r - g, h - 3 * g},
                  {r, h - 2 * g},
                  {r, h},
                  {-r, h},
                  {-r, h - 2 * g},
                  {-r + g, h - 3 * g},
                  {-r, h - 4 * g}},
                 rotation);
}

std::vector<QPoint> ResistorOutlineVertices(QPoint centre, long double d, long double l,
                                            long double rotation) {
    return IVertices(centre, d - d / 10, d, 0.6L * l, 0.2L * l, rotation);
}

} // namespace karvel
