#pragma once
// Handing a part of the component assistant from its preview board to a user's board: through
// the transfer stream into placing, with the next free number for a component, and an outline
// dissolved into free elements that are edited like drawn ones.

#include <QtCore/QByteArray>
#include <QtCore/QPoint>

namespace karvel {

class TBauteil;
class TPlatine;

// Copies the preview's elements into the transfer stream and inserts them into the target,
// which starts placing them. Answers the inserted part: the component group, or the first
// element of a dissolved outline; null when nothing arrived.
TBauteil* HandOverGeneratedPart(TPlatine& preview, TPlatine& target, QByteArray& transferStream);

// Moves the selection by whole hole pitches so that its centre comes as near the point as the
// grid allows, leads staying on holes; the placing that follows starts from there.
void MoveSelectionNear(TPlatine& board, QPoint point);

} // namespace karvel
