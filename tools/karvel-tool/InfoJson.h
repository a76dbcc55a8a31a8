#pragma once
// The JSON picture of boards and elements that `karvel-tool info` prints. Keys are never
// renamed; later versions only add keys.

#include "tools/karvel-tool/JsonStream.h"

#include <QtCore/QJsonObject>

namespace karvel {

class Canvas;
class TBauteil;
class TPlatine;

// Bounds are measured on the canvas, which carries the board's mapping.
QJsonObject ElementToJson(TBauteil& element, Canvas& canvas);
// Writes a board with its elements and its layout as they are made, element by element.
void WriteBoardJson(TPlatine& board, tool::JsonStream& out);

} // namespace karvel
