#pragma once
// The vertices of the assistant's outline styles. Measures are board units and angles radians;
// every vertex is rounded to a whole unit (halves to even) and, except for the regular
// polygon, built upright about the centre and then turned counter-clockwise about it.

#include <QtCore/QPoint>
#include <vector>

namespace karvel {

// N corners on a circle, the first at the rotation angle, running counter-clockwise.
std::vector<QPoint> RegularPolygonVertices(QPoint centre, long double diameter, int corners,
                                           long double rotation);
std::vector<QPoint> RectangleVertices(QPoint centre, long double width, long double height,
                                      long double rotation);
// 16 points, half axes d1/2 along x and d2/2 along y; the last lies on the positive x axis.
std::vector<QPoint> EllipseVertices(QPoint centre, long double d1, long double d2,
                                    long double rotation);

// The letters H, L, M, T and U: d1 the width of the upright strokes, d2 the thickness of the
// crossing ones, d3 the middle leg of the M.
struct LetterMeasures {
    long double D1 = 0;
    long double D2 = 0;
    long double D3 = 0;
    long double Width = 0;
    long double Height = 0;
};
std::vector<QPoint> LetterVertices(char letter, QPoint centre, const LetterMeasures& measures,
                                   long double rotation);
// The I: a waist d1 wide and l1 long between caps d2 wide and l2 long.
std::vector<QPoint> IVertices(QPoint centre, long double d1, long double d2, long double l1,
                              long double l2, long double rotation);

// An axial electrolytic capacitor of diameter d and length l with its groove near the lower end.
std::vector<QPoint> ElkoOutlineVertices(QPoint centre, long double d, long double l,
                                        long double rotation);
// A resistor body: the I with a waist of 0.9 d and caps of a fifth of the length.
std::vector<QPoint> ResistorOutlineVertices(QPoint centre, long double d, long double l,
                                            long double rotation);

} // namespace karvel
