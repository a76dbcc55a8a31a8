#pragma once
// A board's hole grid as the component assistant sees it: a point goes through the board's
// view (to pixels and back) before its hole is found, as a click on that point would.

#include "assistant/HoleGrid.h"
#include "board/Platine.h"

namespace karvel {

class BoardHoleGrid final : public HoleGrid {
public:
    explicit BoardHoleGrid(const TPlatine& board) : board_(board) {}

    QPoint HoleIndexOf(QPoint point) const override {
        return board_.HoleIndex(board_.ControlToBoard(board_.BoardToControl(point)));
    }

private:
    const TPlatine& board_;
};

} // namespace karvel
