#pragma once
// The hole grid in the generator's terms: holes are named by (column, row), which is also the
// index wires and leads store, and a rectangular field of holes can be walked at a step of one
// or two pitches (the 2.54 mm and 5.08 mm boards).

#include "elements/HolePitch.h"

#include <QtCore/QPoint>
#include <vector>

namespace karvel::datagen {

// The board point of a hole centre.
constexpr QPoint HoleCentre(int column, int row) {
    return {HolePitch * column, HolePitch * row + HalfPitch};
}
constexpr QPoint HoleCentre(QPoint hole) {
    return HoleCentre(hole.x(), hole.y());
}

// Columns first..last and rows first..last, every step-th hole of each.
struct HoleField {
    int FirstColumn = 0;
    int LastColumn = -1;
    int FirstRow = 0;
    int LastRow = -1;
    int Step = 1;

    std::vector<int> Columns() const;
    std::vector<int> Rows() const;
    std::vector<QPoint> Holes() const;
    // The field with its first and last columns moved inwards by whole steps.
    HoleField WithoutColumns(int atStart, int atEnd) const;
    HoleField WithoutRows(int atStart, int atEnd) const;
};

// The holes that fit a board at the given step, at least half a step's pitch inside every
// edge; with a step of two the grid lies as centred as the board allows.
HoleField FieldOnBoard(QPoint nullpunkt, int width, int height, int step = 1);

} // namespace karvel::datagen
