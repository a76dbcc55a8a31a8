#pragma once
// Writes typed values (tag byte and little-endian data) to a device through a buffer that
// does not show in the bytes; the one encoder for files, undo snapshots and the clipboard.

#include "stream/ValueTag.h"

#include <cstdint>
#include <cstring>
#include <QtCore/QByteArray>
#include <QtCore/QByteArrayView>
#include <QtCore/QLatin1String>
#include <QtCore/QString>
#include <QtCore/QStringView>

class QIODevice;

namespace karvel {

class ValueWriter {
public:
    // bufferSize: 20000 for projects, snapshots and copies, 2000 for transfers and library
    // pages; it changes only how often the device is written to.
    ValueWriter(QIODevice& device, qsizetype bufferSize);
    // Writes what is still buffered; a failure there goes unreported, so call FlushBuffer()
    // first wherever a failed write matters.
    ~ValueWriter();
    ValueWriter(const ValueWriter&) = delete;
    ValueWriter& operator=(const ValueWriter&) = delete;

    // The smallest of Int8, Int16 and Int32 that holds the value. Inline, as the booleans, for
    // the thousands of small values of element payloads.
    void WriteInteger(std::int32_t value) {
        if (value >= -128 && value <= 127) {
            WriteTag(ValueTag::Int8);
            WriteLittleEndian(std::uint64_t(value), 1);
        } else {
            WriteWiderInteger(value);
        }
    }
    void WriteBoolean(bool value) { WriteTag(value ? ValueTag::True : ValueTag::False); }
    // As Extended; every double fits exactly.
    void WriteFloat(double value);
    // Pure ASCII as String (up to 255 bytes) or LString; any other text as UTF8String, so that
    // no character is lost.
    void WriteString(QStringView text);
    // The same for Latin-1 text such as class names, without making a QString first.
    void WriteString(QLatin1String text);
    // Bytes without a tag. The common case, a few bytes that fit the buffer, is inline: element
    // payloads write their points and colours this way by the thousand.
    void WriteRaw(QByteArrayView bytes) {
        if (bytes.size() > 0 && bytes.size() <= bufferSize_ - used_) {
            std::memcpy(block_ + used_, bytes.data(), std::size_t(bytes.size()));
            used_ += bytes.size();
            return;
        }
        WriteRawBeyondBuffer(bytes);
    }

    // Hands the buffer to the device, so that raw writes to the device itself can follow.
    // Throws std::runtime_error when the device refuses bytes.
    void FlushBuffer();
    // Where the next value goes, counted on the device.
    qint64 Position() const;

private:
    void WriteTag(ValueTag tag) { WriteLittleEndian(std::uint8_t(tag), 1); }
    void WriteLittleEndian(std::uint64_t value, int byteCount) {
        if (byteCount <= bufferSize_ - used_) {
            for (int i = 0; i < byteCount; ++i)
                block_[used_ + i] = char(std::uint8_t(value >> (8 * i)));
            used_ += byteCount;
            return;
        }
        WriteLittleEndianBeyondBuffer(value, byteCount);
    }
    void WriteWiderInteger(std::int32_t value);
    void WriteLittleEndianBeyondBuffer(std::uint64_t value, int byteCount);
    void WriteRawBeyondBuffer(QByteArrayView bytes);
    // The tag and length of pure ASCII text, then its characters as bytes.
    template <typename Text> void WriteAscii(Text text);
    void WriteToDevice(QByteArrayView bytes);

    QIODevice& device_;
    qsizetype bufferSize_;
    // A fixed block filled up to used_: appending to it is a plain copy, which matters for
    // undo snapshots of big boards.
    QByteArray buffer_;
    char* block_;
    qsizetype used_ = 0;
};

} // namespace karvel
