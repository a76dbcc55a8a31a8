#pragma once
// Where the numbers and ticks of the two rulers go: one mark per hole pitch, counted from the
// board's origin marker, at the pixels where the board's own mapping puts the holes.

#include <QtCore/Qt>
#include <vector>

namespace karvel {

class TPlatine;

struct RulerMark {
    int Position = 0; // pixel along the ruler, in the scroll host's coordinates
    int Number = 0;
    bool Major = false; // every fifth number: a full-height tick and always a label
    bool Tick = false;
    bool Label = false;
};

// labelExtent: the width of "XX" for the horizontal ruler, the label height for the vertical
// one; minor ticks are drawn only where they leave room for it.
std::vector<RulerMark> RulerMarks(const TPlatine& board, Qt::Orientation orientation,
                                  int labelExtent);

} // namespace karvel
