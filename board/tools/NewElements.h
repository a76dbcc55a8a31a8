#pragma once
// What a newly drawn element takes from the board: the side it is drawn on, the outline flag,
// and as asked the current pen, fill and brush.

#include "board/Platine.h"
#include "elements/Bauteil.h"

namespace karvel {

enum class Takes { SideOnly, Pen, PenAndFill, PenFillAndBrush };

inline void TakeDefaults(TBauteil& element, const TPlatine& board, Takes takes) {
    element.SetUmrissFlag(board.UmrissModus());
    element.SetIstAufLoetseite(board.View().NewElementsOnSolderSide());
    if (takes == Takes::SideOnly)
        return;
    element.SetStiftfarbe(board.CurrentPenColour);
    element.SetStiftbreite(std::int16_t(board.CurrentPenWidth));
    if (takes == Takes::Pen)
        return;
    element.SetFuellenFlag(board.CurrentFill);
    if (takes == Takes::PenFillAndBrush)
        element.SetBrushfarbe(board.CurrentBrushColour);
}

} // namespace karvel
