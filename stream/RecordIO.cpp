#include "stream/RecordIO.h"

#include "platform/encoding/CodePage.h"
#include "stream/StoreError.h"
#include "stream/StreamError.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <QtCore/QtEndian>

namespace karvel::record {

void WriteRawInt16(ValueWriter& writer, std::int16_t value) {
    char bytes[2];
    qToLittleEndian(value, bytes);
    writer.WriteRaw(QByteArrayView(bytes, 2));
}

std::int16_t ReadRawInt16(ValueReader& reader) {
    const QByteArray bytes = reader.ReadRaw(2);
    return qFromLittleEndian<std::int16_t>(bytes.constData());
}

QPoint ReadPoint(const RecordContext& context, ValueReader& reader) {
    if (context.OldFormat()) {
        const int x = ReadRawInt16(reader);
        return {x, ReadRawInt16(reader)};
    }
    const int x = CheckedCoordinate(ReadRawInt32(reader));
    return {x, CheckedCoordinate(ReadRawInt32(reader))};
}

std::int32_t CheckedCoordinate(std::int32_t value) {
    if (value < -MaxCoordinate || value > MaxCoordinate)
        throw StreamError::InvalidValue();
    return value;
}

std::int32_t ReadCoordinate(const RecordContext& context, ValueReader& reader) {
    return CheckedCoordinate(ReadInteger16InOldFormat(context, reader));
}

std::int32_t ReadExtent(ValueReader& reader) {
    const std::int32_t value = reader.ReadInteger();
    if (value < 0 || value > MaxExtent)
        throw StreamError::InvalidValue();
    return value;
}

double ReadDiameter(ValueReader& reader) {
    const double millimetres = reader.ReadFloat();
    if (!(millimetres >= 0.0 && millimetres * 100.0 <= MaxExtent))
        throw StreamError::InvalidValue();
    return millimetres;
}

void WritePointList(const RecordContext& context, ValueWriter& writer,
                    const std::vector<QPoint>& points) {
    writer.WriteInteger(std::int32_t(points.size()) - 1);
    for (const QPoint& p : points)
        WritePoint(context, writer, p);
}

void RefuseUnstorable(const RecordContext& context, QPoint p) {
    if (!context.RefusesUnreadable() || IsStorablePoint(p))
        return;
    throw StoreError(StoreError::Kind::Coordinate,
                     IsStorableCoordinate(p.x()) ? double(p.y()) : double(p.x()));
}

void WriteHolePoint(const RecordContext& context, ValueWriter& writer, QPoint hole) {
    RefuseUnstorable(context, hole);
    WriteRawInt32(writer, hole.x());
    WriteRawInt32(writer, hole.y());
}

void WriteIntegerPoint(const RecordContext& context, ValueWriter& writer, QPoint p) {
    RefuseUnstorable(context, p);
    context.NoteCoordinate(p);
    writer.WriteInteger(p.x());
    writer.WriteInteger(p.y());
}

void WriteExtent(const RecordContext& context, ValueWriter& writer, std::int32_t value) {
    if (context.RefusesUnreadable() && (value < 0 || value > MaxExtent))
        throw StoreError(StoreError::Kind::Extent, double(value));
    writer.WriteInteger(value);
}

void WriteDiameter(const RecordContext& context, ValueWriter& writer, double millimetres) {
    // A value that is not a finite number is left to WriteFloat's refusal.
    if (context.RefusesUnreadable() && std::isfinite(millimetres) &&
        (millimetres < 0.0 || millimetres * 100.0 > MaxExtent))
        throw StoreError(StoreError::Kind::Diameter, millimetres);
    WriteFloat(context, writer, millimetres);
}

void WriteFloat(const RecordContext& context, ValueWriter& writer, double value) {
    if (context.RefusesUnreadable() && !std::isfinite(value))
        throw StoreError(StoreError::Kind::NotFinite, 0.0);
    writer.WriteFloat(value);
}

std::int32_t ReadInteger16InOldFormat(const RecordContext& context, ValueReader& reader) {
    const std::int32_t value = reader.ReadInteger();
    return context.OldFormat() ? std::int32_t(std::int16_t(value)) : value;
}

qint64 ReadListLength(const RecordContext& context, ValueReader& reader) {
    const std::int32_t last = ReadInteger16InOldFormat(context, reader);
    if (last < -1)
        throw StreamError::InvalidValue();
    return qint64(last) + 1;
}

int ReadListCount(const RecordContext& context, ValueReader& reader, qint64 minBytesPerItem) {
    const qint64 count = ReadListLength(context, reader);
    reader.CheckCount(count, minBytesPerItem);
    return int(count);
}

std::vector<QPoint> ReadPointList(const RecordContext& context, ValueReader& reader) {
    const int count = ReadListCount(context, reader, context.OldFormat() ? 4 : 8);
    std::vector<QPoint> points;
    points.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i)
        points.push_back(ReadPoint(context, reader));
    return points;
}

void WriteColour(ValueWriter& writer, Colour colour) {
    WriteRawInt32(writer, std::int32_t(colour));
}

Colour ReadColour(ValueReader& reader) {
    return Colour(ReadRawInt32(reader));
}

QByteArray EncodeShortString(const QString& text, int capacity) {
    QByteArray encoded = EncodeWindows1252(text).left(capacity);
    QByteArray field(capacity + 1, '\0');
    field[0] = char(encoded.size());
    std::copy(encoded.begin(), encoded.end(), field.begin() + 1);
    return field;
}

void WriteShortString(ValueWriter& writer, const QString& text, int capacity) {
    constexpr int MaxCapacity = 255; // what the length byte can count
    if (capacity < 0 || capacity > MaxCapacity) {
        writer.WriteRaw(EncodeShortString(text, capacity));
        return;
    }
    // Encoded straight into the field: no text of its own for each string written.
    std::array<char, MaxCapacity + 1> field{};
    field[0] = char(EncodeWindows1252Into(text, field.data() + 1, capacity));
    writer.WriteRaw(QByteArrayView(field.data(), capacity + 1));
}

QString DecodeShortString(QByteArrayView field, int capacity) {
    if (field.isEmpty())
        return {};
    const int length = std::min<int>(static_cast<unsigned char>(field[0]), capacity);
    return DecodeWindows1252(field.sliced(1, std::min<qsizetype>(length, field.size() - 1)));
}

} // namespace karvel::record
