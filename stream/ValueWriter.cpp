#include "stream/ValueWriter.h"

#include "platform/encoding/Extended80.h"
#include "stream/ValueTag.h"

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

bool IsAscii(QLatin1String text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return std::uint8_t(c) < 0x80; });
}

char AsciiByte(QChar c) {
    return char(c.unicode());
}

char AsciiByte(char c) {
    return c;
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

void ValueWriter::WriteWiderInteger(std::int32_t value) {
    if (value >= -32768 && value <= 32767) {
        WriteTag(ValueTag::Int16);
        WriteLittleEndian(std::uint64_t(value), 2);
    } else {
        WriteTag(ValueTag::Int32);
        WriteLittleEndian(std::uint64_t(value), 4);
    }
}

void ValueWriter::WriteFloat(double value) {
    WriteTag(ValueTag::Extended);
    const Extended80::Bytes bytes = Extended80::FromDouble(value).ToBytes();
    WriteRaw(QByteArrayView(bytes.data(), bytes.size()));
}

void ValueWriter::WriteString(QStringView text) {
    if (IsAscii(text)) {
        WriteAscii(text);
        return;
    }
    const QByteArray utf8 = text.toUtf8();
    WriteTag(ValueTag::Utf8String);
    WriteLittleEndian(StoredLength(utf8.size()), 4);
    WriteRaw(utf8);
}

void ValueWriter::WriteString(QLatin1String text) {
    if (IsAscii(text))
        WriteAscii(text);
    else
        WriteString(QString(text));
}

template <typename Text> void ValueWriter::WriteAscii(Text text) {
    if (text.size() <= ShortStringLimit) {
        WriteTag(ValueTag::String);
        WriteLittleEndian(std::uint64_t(text.size()), 1);
    } else {
        WriteTag(ValueTag::LString);
        WriteLittleEndian(StoredLength(text.size()), 4);
    }
    // Converted straight into the buffer, a buffer's worth at a time.
    for (auto from = text.begin(); from != text.end();) {
        if (used_ == bufferSize_)
            FlushBuffer();
        const auto count = std::min<qsizetype>(text.end() - from, bufferSize_ - used_);
        std::transform(from, from + count, block_ + used_, [](auto c) { return AsciiByte(c); });
        used_ += count;
        from += count;
    }
}

void ValueWriter::WriteRawBeyondBuffer(QByteArrayView bytes) {
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

void ValueWriter::WriteLittleEndianBeyondBuffer(std::uint64_t value, int byteCount) {
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
