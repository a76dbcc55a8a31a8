#pragma once
// TBoard: a board whose elements are a copper layout — the layout sub-board of every main
// board, and the board the layout editor edits. Its elements always draw as copper.

#include "board/Platine.h"

namespace karvel {

class TBoard : public TPlatine {
public:
    explicit TBoard(ViewState& view) : TPlatine(view, false) {}

    void ZeichnePlatine(Canvas& canvas) override;
    void ZeichneBauteile(Canvas& canvas) override;
    // Kept for the layout editor's command table; copper draws with the elements.
    void ZeichneKupfer() {}
};

} // namespace karvel
