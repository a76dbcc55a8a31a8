#pragma once
// The composite values of element payloads: points, point lists, colours and fixed-size text
// fields, in the forms the stored files use (including the 16-bit forms of the old format).

#include "platform/Colour.h"
#include "platform/Rect.h"
#include "stream/RecordContext.h"
#include "stream/ValueReader.h"
#include "stream/ValueWriter.h"

#include <cstdint>
#include <QtCore/QPoint>
#include <QtCore/QString>
#include <QtCore/QtEndian>
#include <vector>

namespace karvel::record {

// What stored boards may hold. The program makes boards of at most 320 mm; a coordinate beyond
// ten metres or a size beyond one metre is damage. Refusing it keeps every sum and difference
// of coordinates, and every bound around them, inside 32 bits, and keeps the regions and
// pictures made from an element within reach of memory. The same range binds the reader, the
// writer of files and every edit: what the program makes, it can read again.
inline constexpr std::int32_t MaxCoordinate = 1'000'000;
inline constexpr std::int32_t MaxExtent = 100'000;

constexpr bool IsStorableCoordinate(std::int64_t value) {
    return value >= -MaxCoordinate && value <= MaxCoordinate;
}
constexpr bool IsStorablePoint(QPoint p) {
    return IsStorableCoordinate(p.x()) && IsStorableCoordinate(p.y());
}

// The value if it lies within ±MaxCoordinate, else an invalid value.
std::int32_t CheckedCoordinate(std::int32_t value);
// A coordinate stored as an Integer (16 bits in the old format).
std::int32_t ReadCoordinate(const RecordContext& context, ValueReader& reader);
// A size stored as an Integer: 0 to MaxExtent.
std::int32_t ReadExtent(ValueReader& reader);
// A diameter in millimetres stored as a Float: 0 to MaxExtent units.
double ReadDiameter(ValueReader& reader);

// The writing side of each: a file refuses with a StoreError what the reader would refuse;
// every stream notes the coordinates written in the context's span.
// A point of two coordinates: raw 8 bytes, x then y as signed 32-bit (the old format's 16-bit
// points are only read).
inline void WritePoint(const RecordContext& context, ValueWriter& writer, QPoint p);
// A hole of the grid (an anchor) in the same form: checked, but no place of the element.
void WriteHolePoint(const RecordContext& context, ValueWriter& writer, QPoint hole);
// A point stored as two Integers.
void WriteIntegerPoint(const RecordContext& context, ValueWriter& writer, QPoint p);
void WriteExtent(const RecordContext& context, ValueWriter& writer, std::int32_t value);
void WriteDiameter(const RecordContext& context, ValueWriter& writer, double millimetres);
// Any other Float: finite, as the reader takes only finite ones.
void WriteFloat(const RecordContext& context, ValueWriter& writer, double value);
// Throws the StoreError for a point outside the range when the context refuses it.
void RefuseUnstorable(const RecordContext& context, QPoint p);

QPoint ReadPoint(const RecordContext& context, ValueReader& reader);

// Lists are stored as (count - 1) and the entries, so an empty list is -1 and nothing else.
void WritePointList(const RecordContext& context, ValueWriter& writer,
                    const std::vector<QPoint>& points);
std::vector<QPoint> ReadPointList(const RecordContext& context, ValueReader& reader);
// A list count: an Integer n meaning n + 1 entries, checked against what the stream still holds.
// For lists whose entries are read into memory at once.
int ReadListCount(const RecordContext& context, ValueReader& reader, qint64 minBytesPerItem);
// The same unchecked, for lists read entry by entry: what was whole before a damaged count
// stays.
qint64 ReadListLength(const RecordContext& context, ValueReader& reader);
// An Integer that older files kept in 16 bits.
std::int32_t ReadInteger16InOldFormat(const RecordContext& context, ValueReader& reader);

void WriteColour(ValueWriter& writer, Colour colour);
Colour ReadColour(ValueReader& reader);

// Inline: points and colours are most of what a snapshot of a big board writes and reads.
inline void WriteRawInt32(ValueWriter& writer, std::int32_t value) {
    char bytes[4];
    qToLittleEndian(value, bytes);
    writer.WriteRaw(QByteArrayView(bytes, 4));
}
inline std::int32_t ReadRawInt32(ValueReader& reader) {
    char bytes[4];
    reader.ReadRawInto(bytes, 4);
    return qFromLittleEndian<std::int32_t>(bytes);
}
void WriteRawInt16(ValueWriter& writer, std::int16_t value);
std::int16_t ReadRawInt16(ValueReader& reader);

// A text field of fixed size: a length byte and `capacity` bytes in Windows-1252, the rest
// zero. Longer text loses its end; characters the code page lacks become '?'.
QByteArray EncodeShortString(const QString& text, int capacity);
// Writes such a field raw; plain ASCII text, the common case, without making bytes first.
void WriteShortString(ValueWriter& writer, const QString& text, int capacity);
// Reads such a field from bytes; a length byte beyond the capacity is cut to it.
QString DecodeShortString(QByteArrayView field, int capacity);

inline void WritePoint(const RecordContext& context, ValueWriter& writer, QPoint p) {
    if (context.RefusesUnreadable() && !IsStorablePoint(p))
        RefuseUnstorable(context, p);
    context.NoteCoordinate(p);
    WriteRawInt32(writer, p.x());
    WriteRawInt32(writer, p.y());
}

} // namespace karvel::record
