#pragma once
// The JSON picture of boards and elements that `karvel-tool info` prints. Keys are never
// renamed; later versions only add keys.

#include <QtCore/QJsonObject>

namespace karvel {

class TBauteil;
class TPlatine;

QJsonObject ElementToJson(TBauteil& element);
QJsonObject BoardToJson(TPlatine& board);

} // namespace karvel
