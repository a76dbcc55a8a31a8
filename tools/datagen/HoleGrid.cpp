#include "tools/datagen/HoleGrid.h"

#include <cmath>
#include <cstdlib>

namespace karvel::datagen {

namespace {

std::vector<int> Steps(int first, int last, int step) {
    std::vector<int> values;
    for (int v = first; v <= last; v += step)
        values.push_back(v);
    return values;
}

// Smallest k with offset + HolePitch*k >= low, and largest with offset + HolePitch*k <= high.
int FirstIndexFrom(int low, int offset) {
    return int(std::ceil(double(low - offset) / HolePitch));
}
int LastIndexUpTo(int high, int offset) {
    return int(std::floor(double(high - offset) / HolePitch));
}

struct AxisHoles {
    int First;
    int Last;
};

// The holes of one axis between two edges. With a step of two, of the two interleaved choices
// the one with more holes wins, and between equals the one with the more even margins.
AxisHoles Axis(int low, int high, int offset, int step) {
    const int margin = HalfPitch * step;
    const int first = FirstIndexFrom(low + margin, offset);
    const int last = LastIndexUpTo(high - margin, offset);
    if (step == 1)
        return {first, last};
    auto lastOf = [&](int start) { return start + (last - start) / step * step; };
    auto imbalance = [&](int start) {
        const int a = offset + HolePitch * start - low;
        const int b = high - (offset + HolePitch * lastOf(start));
        return std::abs(a - b);
    };
    const int countA = (last - first) / step + 1;
    const int countB = (last - first - 1) / step + 1;
    const bool takeB =
        countB > countA || (countB == countA && imbalance(first + 1) < imbalance(first));
    const int start = takeB ? first + 1 : first;
    return {start, lastOf(start)};
}

} // namespace

std::vector<int> HoleField::Columns() const {
    return Steps(FirstColumn, LastColumn, Step);
}
std::vector<int> HoleField::Rows() const {
    return Steps(FirstRow, LastRow, Step);
}

std::vector<QPoint> HoleField::Holes() const {
    std::vector<QPoint> holes;
    for (int row : Rows())
        for (int column : Columns())
            holes.emplace_back(column, row);
    return holes;
}

HoleField HoleField::WithoutColumns(int atStart, int atEnd) const {
    HoleField field = *this;
    field.FirstColumn += atStart * Step;
    field.LastColumn = FirstColumn + (LastColumn - FirstColumn) / Step * Step - atEnd * Step;
    return field;
}

HoleField HoleField::WithoutRows(int atStart, int atEnd) const {
    HoleField field = *this;
    field.FirstRow += atStart * Step;
    field.LastRow = FirstRow + (LastRow - FirstRow) / Step * Step - atEnd * Step;
    return field;
}

HoleField FieldOnBoard(QPoint nullpunkt, int width, int height, int step) {
    const AxisHoles columns = Axis(nullpunkt.x(), nullpunkt.x() + width, 0, step);
    const AxisHoles rows = Axis(nullpunkt.y(), nullpunkt.y() + height, HalfPitch, step);
    return {columns.First, columns.Last, rows.First, rows.Last, step};
}

} // namespace karvel::datagen
