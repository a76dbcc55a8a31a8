#pragma once
// The questions the main window asks about a board's selection to enable its commands.

#include "elements/BauteilTyp.h"

#include <initializer_list>

namespace karvel {

class TPlatine;
class TBauteil;

// The selected element when exactly one is selected, else none.
TBauteil* SingleSelected(const TPlatine& board);
// Exactly one element selected and it is a group: a component when asked with true, a plain
// group when asked with false.
bool GroupSelected(const TPlatine& board, bool component);
bool CanAddToLibrary(const TPlatine& board);
bool CanBuildComponent(const TPlatine& board);
bool CanAlign(const TPlatine& board);
// A selected wire, line, rectangle, polygon or lead has more than two points.
bool HasContourPoints(const TPlatine& board);
// A selected element has a fill bitmap, bitmap rendering is on, and it is not milled.
bool HasTurnableBitmap(const TPlatine& board);
bool HasSelectedKind(const TPlatine& board, std::initializer_list<TBauteilTyp> kinds);
// Exactly one element is selected and it is a group without strip cuts, which turns about its
// first lead.
bool CanRotate(const TPlatine& board);

} // namespace karvel
