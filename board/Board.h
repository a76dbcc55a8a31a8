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

    // The copper pieces the last continuity or unused-area analysis split off the tracks;
    // drawn over the layout so that their marks show.
    const std::vector<std::unique_ptr<TBauteil>>& Pieces() const { return pieces_; }
    void AddPiece(std::unique_ptr<TBauteil> piece) { pieces_.push_back(std::move(piece)); }
    void ClearPieces() { pieces_.clear(); }

private:
    std::vector<std::unique_ptr<TBauteil>> pieces_;
};

} // namespace karvel
