#pragma once
// A stripboard of columns × rows holes with one copper strip along each row, the board the
// editing tests draw on.

#include "board/Board.h"
#include "board/Platine.h"
#include "elements/Leiterbahn.h"

#include <memory>

namespace karvel::test {

inline void MakeStripboard(TPlatine& board, int columns, int rows) {
    board.SetSize(columns * 254, rows * 254);
    board.Layout()->SetSize(columns * 254, rows * 254);
    for (int row = 0; row < rows; ++row) {
        auto strip = std::make_unique<TLeiterbahn>();
        strip->Nodes = {{0, row * 254 + 127}, {columns * 254, row * 254 + 127}};
        strip->SetStiftbreite(100);
        strip->RebuildOutline();
        board.Layout()->Add(std::move(strip));
    }
}

} // namespace karvel::test
