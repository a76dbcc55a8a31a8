#pragma once
// The composite values of element payloads: points, point lists, colours and fixed-size text
// fields, in the forms the stored files use (including the 16-bit forms of the old format).

#include "board/stream/RecordContext.h"
#include "board/stream/ValueReader.h"
#include "board/stream/ValueWriter.h"
#include "platform/Colour.h"
#include "platform/Rect.h"

#include <cstdint>
#include <QtCore/QPoint>
#include <QtCore/QString>
#include <vector>

namespace karvel::record {

// Point: raw 8 bytes, x then y as signed 32-bit; in the old format raw 4 bytes of 16-bit values.
void WritePoint(ValueWriter& writer, QPoint p);
QPoint ReadPoint(const RecordContext& context, ValueReader& reader);

// Lists are stored as (count - 1) and the entries, so an empty list is -1 and nothing else.
void WritePointList(ValueWriter& writer, const std::vector<QPoint>& points);
std::vector<QPoint> ReadPointList(const RecordContext& context, ValueReader& reader);
// A list count: an Integer n meaning n + 1 entries, checked against what the stream still holds.
int ReadListCount(const RecordContext& context, ValueReader& reader, qint64 minBytesPerItem);
// An Integer that older files kept in 16 bits.
std::int32_t ReadInteger16InOldFormat(const RecordContext& context, ValueReader& reader);

void WriteColour(ValueWriter& writer, Colour colour);
Colour ReadColour(ValueReader& reader);

void WriteRawInt32(ValueWriter& writer, std::int32_t value);
std::int32_t ReadRawInt32(ValueReader& reader);
void WriteRawInt16(ValueWriter& writer, std::int16_t value);
std::int16_t ReadRawInt16(ValueReader& reader);

// A text field of fixed size: a length byte and `capacity` bytes in Windows-1252, the rest
// zero. Longer text loses its end; characters the code page lacks become '?'.
QByteArray EncodeShortString(const QString& text, int capacity);
// Reads such a field from bytes; a length byte beyond the capacity is cut to it.
QString DecodeShortString(QByteArrayView field, int capacity);

} // namespace karvel::record
