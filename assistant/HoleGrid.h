#pragma once
// How a generator finds the hole a lead ends in: the board's hole grid, seen through its view.
// The board layer implements it for its boards; the generator knows only this.

#include "elements/HolePitch.h"
#include <QtCore/QPoint>

namespace karvel {

class HoleGrid {
public:
    // The hole (column, row) a board point lies in; (-1, -1) off the board.
    virtual QPoint HoleIndexOf(QPoint board) const = 0;

protected:
    HoleGrid() = default;
    HoleGrid(const HoleGrid&) = default;
    HoleGrid& operator=(const HoleGrid&) = default;
    ~HoleGrid() = default;
};

// The hole index by the 2.54 mm pitch alone, for a generator without a board.
inline QPoint PlainHoleIndex(QPoint board) {
    return {(board.x() + HalfPitch) / HolePitch, board.y() / HolePitch};
}

} // namespace karvel
