#pragma once
// The range every reader of stored boards accepts (±record::MaxCoordinate in each axis), as
// editing sees it: how far elements reach in it, and how far a move may take them. Whatever
// editing makes, a file can hold and read again.

#include "stream/RecordContext.h"

#include <QtCore/QPoint>
#include <vector>

namespace karvel {

class TBauteil;

// The rectangle around every coordinate the elements store, found by writing them as a
// stream would: it can never differ from what a file holds. Empty for no coordinates.
CoordinateSpan StoredSpan(const std::vector<TBauteil*>& elements);

// How far a span reaches beyond the range (0 inside it).
std::int64_t Excess(const CoordinateSpan& span);

// The offsets a span may be moved by: moved, it stays inside the range, or, lying beyond it
// already, goes no further out. Lowest is at most (0, 0) and Highest at least (0, 0).
struct MoveLimits {
    QPoint Lowest;
    QPoint Highest;

    bool Allows(QPoint offset) const {
        return offset.x() >= Lowest.x() && offset.x() <= Highest.x() && offset.y() >= Lowest.y() &&
               offset.y() <= Highest.y();
    }
};
MoveLimits LimitsOfMove(const CoordinateSpan& span);

// Whether a change that turned the span before into the span after stays storable: inside the
// range, or no further out than before.
bool StaysStorable(const CoordinateSpan& before, const CoordinateSpan& after);

// v when it lies inside the range, else the grid point round(phase + k·step) inside the range
// nearest to it. A step below one unit is no grid: v is clamped to the range.
int ClampToStorableGrid(int v, long double step, long double phase = 0.0L);

} // namespace karvel
