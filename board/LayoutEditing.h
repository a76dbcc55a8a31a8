#pragma once
// The layout editor's side of a main board: a working copy of the board's copper layout to
// edit, and taking an edited layout back. Both go through copy streams, so the copy shares
// nothing with the board it came from.

#include <memory>

namespace karvel {

class TBoard;
class TPlatine;
struct ViewState;

// A fresh layout board holding copies of the layout's elements, named as the layout, with the
// main board's size, offset, origin and reserved point.
std::unique_ptr<TBoard> CopyLayoutForEditing(TPlatine& board, ViewState& view);

// Replaces the main board's layout by the edited one's elements and takes its name, size,
// offset, origin and reserved point; marks the board modified. The board's undo history is
// emptied: its snapshots hold no layout, so undoing across this step would put the old size
// under the new layout.
void AcceptEditedLayout(TPlatine& board, TPlatine& edited);

} // namespace karvel
