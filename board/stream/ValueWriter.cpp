#include "board/stream/ValueWriter.h"

#include "board/stream/ValueTag.h"
#include "platform/Extended80.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <QtCore/QIODevice>
#include <stdexcept>

namespace karvel {

namespace {

constexpr qsizetype ShortStringLimit = 255;

bool IsAscii(QStringView text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

// Lengths are stored in four bytes.
std::uint32_t StoredLength(qsizetype size) {
    if (size > std::numeric_limits<std::int32_t>::max())
        throw std::length_error("text too long to store");
    return std::uint32_t(size);
}

} // namespace

ValueWriter::ValueWriter(QIODevice& device, qsizetype bufferSize)
    : device_(device), bufferSize_(std::max<qsizetype>(bufferSize, 1)),
      buffer_(bufferSize_, Qt::Uninitialized), block_(buffer_.data()) {}

ValueWriter::~ValueWriter() {
    try {
        FlushBuffer();
    } catch (const std::exception&) {
        // A destructor cannot report it; callers that care have flushed already.
    }
}

void ValueWriter::WriteInteger(std::int32_t value) {
    if (value >= -128 && value <= 127) {
        WriteTag(ValueTag::Int8);
        WriteLittleEndian(std::uint64_t(value), 1);
    } else if (value >= -32768 && value <= 32767) {
        WriteTag(ValueTag::Int16);
        WriteLittleEndian(std::uint64_t(value), 2);
    } else {
        WriteTag(ValueTag::Int32);
        WriteLittleEndian(std::uint64_t(value), 4);
    }
}

void ValueWriter::WriteBoolean(bool value) {
    WriteTag(value ? ValueTag::True : ValueTag::False);
}

void ValueWriter::WriteFloat(double value) {
    WriteTag(ValueTag::Extended);
    const Extended80::Bytes bytes = Extended80::FromDouble(value).ToBytes();
    WriteRaw(QByteArrayView(bytes.data(), bytes.size()));
}

void ValueWriter::WriteString(QStringView text) {
    if (IsAscii(text)) {
        const QByteArray bytes = text.toLatin1();
        if (bytes.size() <= ShortStringLimit) {
            WriteTag(ValueTag::String);
            WriteLittleEndian(std::uint64_t(bytes.size()), 1);
        } else {
            WriteTag(ValueTag::LString);
            WriteLittleEndian(StoredLength(bytes.size()), 4);
        }
        WriteRaw(bytes);
        return;
    }
    const QByteArray utf8 = text.toUtf8();
    WriteTag(ValueTag::Utf8String);
    WriteLittleEndian(StoredLength(utf8.size()), 4);
    WriteRaw(utf8);
}

void ValueWriter::WriteRaw(QByteArrayView bytes) {
    if (bytes.isEmpty())
        return; // an empty view may have no data pointer at all
    if (used_ + bytes.size() > bufferSize_)
        FlushBuffer();
    if (bytes.size() >= bufferSize_) {
        WriteToDevice(bytes); // a large block passes the buffer by; the bytes are the same
        return;
    }
    std::memcpy(block_ + used_, bytes.data(), std::size_t(bytes.size()));
    used_ += bytes.size();
}

void ValueWriter::FlushBuffer() {
    if (used_ == 0)
        return;
    WriteToDevice(QByteArrayView(buffer_.constData(), used_));
    used_ = 0;
}

qint64 ValueWriter::Position() const {
    return device_.pos() + used_;
}

void ValueWriter::WriteTag(ValueTag tag) {
    WriteLittleEndian(std::uint8_t(tag), 1);
}

void ValueWriter::WriteLittleEndian(std::uint64_t value, int byteCount) {
    if (used_ + byteCount <= bufferSize_) {
        for (int i = 0; i < byteCount; ++i)
            block_[used_ + i] = char(std::uint8_t(value >> (8 * i)));
        used_ += byteCount;
        return;
    }
    char bytes[8];
    for (int i = 0; i < byteCount; ++i)
        bytes[i] = char(std::uint8_t(value >> (8 * i)));
    WriteRaw(QByteArrayView(bytes, byteCount));
}

void ValueWriter::WriteToDevice(QByteArrayView bytes) {
    while (!bytes.isEmpty()) {
        const qint64 written = device_.write(bytes.data(), bytes.size());
        if (written <= 0)
            throw std::runtime_error("Stream-Schreibfehler: " +
                                     device_.errorString().toStdString());
        bytes = bytes.sliced(written);
    }
}

} // namespace karvel
