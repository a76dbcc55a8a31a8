#include "stream/ValueReader.h"

#include "platform/encoding/CodePage.h"
#include "platform/encoding/Extended80.h"
#include "stream/StreamError.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <optional>
#include <QtCore/QIODevice>
#include <stdexcept>

namespace karvel {

namespace {

// The data size of the integer tags; nothing for other tags.
std::optional<int> IntegerSize(ValueTag tag) {
    switch (tag) {
    case ValueTag::Int8:
        return 1;
    case ValueTag::Int16:
        return 2;
    case ValueTag::Int32:
        return 4;
    case ValueTag::Int64:
        return 8;
    default:
        return std::nullopt;
    }
}

} // namespace

ValueReader::ValueReader(QIODevice& device, qsizetype bufferSize)
    : device_(device), buffer_(std::size_t(std::max<qsizetype>(bufferSize, 1))) {}

ValueReader::~ValueReader() {
    try {
        SyncToStream();
    } catch (const std::exception&) {
        // A device that cannot seek keeps the bytes read ahead; nothing more can be done here.
    }
}

std::int32_t ValueReader::ReadTaggedInteger() {
    const auto tag = ValueTag(ReadByte());
    const std::optional<int> size = IntegerSize(tag);
    if (!size || *size > 4)
        throw StreamError::InvalidValue();
    const auto value = std::int32_t(ReadSigned(*size));
    return oldFormat_ ? std::int16_t(value) : value; // keeps the low 16 bits, as Int16 did
}

double ValueReader::ReadFloat() {
    BeginValue();
    const auto tag = ValueTag(ReadByte());
    double value = 0.0;
    if (tag == ValueTag::Extended) {
        Extended80::Bytes bytes;
        ReadInto(reinterpret_cast<char*>(bytes.data()), Extended80::ByteCount);
        value = Extended80::FromBytes(bytes).ToDouble();
    } else if (tag == ValueTag::Double) {
        value = std::bit_cast<double>(ReadLittleEndian(8));
    } else if (const std::optional<int> size = IntegerSize(tag)) {
        value = double(ReadSigned(*size));
    } else {
        throw StreamError::InvalidValue();
    }
    // No stored quantity is infinite; such a value is a damaged one, and it would poison every
    // size and angle computed from it.
    if (!std::isfinite(value))
        throw StreamError::InvalidValue();
    return value;
}

QString ValueReader::ReadString() {
    BeginValue();
    switch (ValueTag(ReadByte())) {
    case ValueTag::String:
        return ReadWindows1252(qint64(ReadLittleEndian(1)));
    case ValueTag::LString:
        return ReadWindows1252(qint64(ReadLittleEndian(4)));
    case ValueTag::WString:
        return ReadUtf16(qint64(ReadLittleEndian(4)));
    case ValueTag::Utf8String:
        return QString::fromUtf8(ReadBytes(qint64(ReadLittleEndian(4))));
    default:
        throw StreamError::InvalidValue();
    }
}

std::optional<QByteArrayView> ValueReader::TakeBufferedString() {
    if (Buffered() < 2 || ValueTag(std::uint8_t(buffer_[bufferPos_])) != ValueTag::String)
        return std::nullopt;
    const auto length = qint64(std::uint8_t(buffer_[bufferPos_ + 1]));
    if (Buffered() < 2 + length)
        return std::nullopt;
    BeginValue();
    const QByteArrayView bytes(buffer_.data() + bufferPos_ + 2, length);
    bufferPos_ += 2 + length;
    return bytes;
}

QByteArray ValueReader::ReadRaw(qint64 count) {
    BeginValue();
    return ReadBytes(count);
}

void ValueReader::ReadRawIntoBeyondBuffer(char* destination, qint64 count) {
    if (count < 0)
        throw StreamError::InvalidValue();
    ReadInto(destination, count);
}

QByteArray ValueReader::ReadBytes(qint64 count) {
    if (count < 0)
        throw StreamError::InvalidValue();
    CheckCount(count, 1);
    QByteArray bytes(count, Qt::Uninitialized);
    ReadInto(bytes.data(), count);
    return bytes;
}

ValueTag ValueReader::PeekTag() {
    if (Buffered() == 0 && !FillBuffer())
        throw StreamError::ReadError();
    return ValueTag(std::uint8_t(buffer_[bufferPos_]));
}

void ValueReader::SyncToStream() {
    if (Buffered() > 0) {
        if (device_.isSequential())
            throw std::logic_error("a sequential device cannot take back bytes read ahead");
        device_.seek(Position());
    }
    bufferPos_ = 0;
    bufferEnd_ = 0;
    valueStart_ = device_.pos();
}

qint64 ValueReader::DevicePosition() const {
    return device_.pos();
}

qint64 ValueReader::Remaining() const {
    // A sequential device can only tell what has arrived so far.
    const qint64 onDevice =
        device_.isSequential() ? device_.bytesAvailable() : device_.size() - device_.pos();
    return Buffered() + std::max<qint64>(onDevice, 0);
}

void ValueReader::CheckCount(qint64 count, qint64 minBytesPerItem) const {
    if (count <= 0)
        return;
    // What the buffer holds needs no question to the device. Both factors are at most what is
    // buffered before they are multiplied, so the product cannot overflow.
    const qint64 perItem = std::max<qint64>(minBytesPerItem, 1);
    const qint64 buffered = Buffered();
    if (count <= buffered && perItem <= buffered && count * perItem <= buffered)
        return;
    // Divided rather than multiplied, so that no count can overflow the comparison.
    if (count > Remaining() / perItem)
        throw StreamError::ReadError();
}

std::uint8_t ValueReader::ReadByteAfterFill() {
    const ValueTag next = PeekTag();
    ++bufferPos_;
    return std::uint8_t(next);
}

std::uint64_t ValueReader::ReadLittleEndianAcrossFill(int byteCount) {
    unsigned char bytes[8];
    ReadInto(reinterpret_cast<char*>(bytes), byteCount);
    std::uint64_t value = 0;
    for (int i = byteCount - 1; i >= 0; --i)
        value = (value << 8) | bytes[i];
    return value;
}

std::int64_t ValueReader::ReadSigned(int byteCount) {
    const int unused = 64 - 8 * byteCount;
    return std::int64_t(ReadLittleEndian(byteCount) << unused) >> unused;
}

QString ValueReader::ReadWindows1252(qint64 count) {
    // Short texts such as class names lie in the buffer whole and are decoded where they lie.
    if (count >= 0 && count <= Buffered()) {
        const QByteArrayView bytes(buffer_.data() + bufferPos_, count);
        bufferPos_ += count;
        return DecodeWindows1252(bytes);
    }
    return DecodeWindows1252(ReadBytes(count));
}

QString ValueReader::ReadUtf16(qint64 count) {
    CheckCount(count, 2);
    const QByteArray bytes = ReadBytes(2 * count);
    QString text(count, Qt::Uninitialized);
    for (qint64 i = 0; i < count; ++i) {
        const auto low = std::uint8_t(bytes[2 * i]);
        const auto high = std::uint8_t(bytes[2 * i + 1]);
        text[i] = QChar(char16_t(low | (high << 8)));
    }
    return text;
}

void ValueReader::ReadInto(char* destination, qint64 count) {
    while (count > 0) {
        if (Buffered() == 0 && count >= qint64(buffer_.size())) {
            // A block at least as large as the buffer goes straight to its destination.
            const qint64 got = device_.read(destination, count);
            if (got <= 0)
                throw StreamError::ReadError();
            destination += got;
            count -= got;
            continue;
        }
        if (Buffered() == 0 && !FillBuffer())
            throw StreamError::ReadError();
        const qint64 taken = std::min(count, Buffered());
        std::memcpy(destination, buffer_.data() + bufferPos_, std::size_t(taken));
        bufferPos_ += taken;
        destination += taken;
        count -= taken;
    }
}

bool ValueReader::FillBuffer() {
    bufferPos_ = 0;
    bufferEnd_ = std::max<qint64>(device_.read(buffer_.data(), qint64(buffer_.size())), 0);
    deviceAtBufferEnd_ = device_.pos();
    return bufferEnd_ > 0;
}

} // namespace karvel
