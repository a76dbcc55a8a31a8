#pragma once
// Reads the typed values that ValueWriter writes, through a buffer, from a random-access
// device (a file or a memory buffer). Damaged or cut streams end in a StreamError, never in a
// crash or an allocation larger than what is left of the stream.

#include "stream/ValueTag.h"

#include <cstdint>
#include <cstring>
#include <optional>
#include <QtCore/QByteArray>
#include <QtCore/QByteArrayView>
#include <QtCore/QString>
#include <vector>

class QIODevice;

namespace karvel {

class ValueReader {
public:
    // bufferSize: 20000 for projects, snapshots and copies, 2000 for transfers and library
    // pages; it changes only how often the device is read.
    ValueReader(QIODevice& device, qsizetype bufferSize);
    // Leaves the device at Position(), so that whoever reads on finds the next value.
    ~ValueReader();
    ValueReader(const ValueReader&) = delete;
    ValueReader& operator=(const ValueReader&) = delete;

    // Int8, Int16 or Int32, sign-extended; in the old format cut to the low 16 bits. Inline for
    // the most frequent value of element payloads, an Int8 that lies in the buffer.
    std::int32_t ReadInteger() {
        BeginValue();
        if (Buffered() >= 2 &&
            ValueTag(std::uint8_t(buffer_[std::size_t(bufferPos_)])) == ValueTag::Int8) {
            bufferPos_ += 2;
            return std::int8_t(buffer_[std::size_t(bufferPos_ - 1)]); // 16 bits hold it
        }
        return ReadTaggedInteger();
    }
    // True exactly for the True tag; any other byte is false and is consumed as well.
    bool ReadBoolean() {
        BeginValue();
        return ValueTag(ReadByte()) == ValueTag::True;
    }
    // Extended, Double or any integer tag; infinities and NaN are invalid values.
    double ReadFloat();
    // String and LString as Windows-1252, WString as UTF-16, UTF8String as UTF-8.
    QString ReadString();
    // A String value (short Windows-1252 text) that lies whole in the buffer, as its bytes
    // there, valid until the next read: class names are looked up by the thousand without
    // making text of them. Nothing, reading nothing, for any other value.
    std::optional<QByteArrayView> TakeBufferedString();
    // Bytes without a tag.
    QByteArray ReadRaw(qint64 count);
    // The same into a caller's buffer, for the fixed-size raw fields read by the thousand;
    // inline for the common case of a field that lies in the buffer whole.
    void ReadRawInto(char* destination, qint64 count) {
        BeginValue();
        if (count >= 0 && count <= Buffered()) {
            std::memcpy(destination, buffer_.data() + bufferPos_, std::size_t(count));
            bufferPos_ += count;
            return;
        }
        ReadRawIntoBeyondBuffer(destination, count);
    }
    // The tag of the next value, left unread.
    ValueTag PeekTag();

    // Puts the device at Position() and empties the buffer, so that raw reads from the device
    // itself can follow; reading values goes on wherever the device then stands.
    void SyncToStream();

    // Files written before version 2.0 kept 16-bit integers.
    void SetOldFormat(bool oldFormat) { oldFormat_ = oldFormat; }
    bool IsOldFormat() const { return oldFormat_; }

    // Where the next value starts, counted on the device.
    qint64 Position() const {
        return Buffered() > 0 ? deviceAtBufferEnd_ - Buffered() : DevicePosition();
    }
    // Where the value read last (or being read) starts: the place a reading error points at.
    qint64 ValueStart() const { return valueStart_; }
    // Bytes between Position() and the end of the device.
    qint64 Remaining() const;
    // Throws the read error unless count items of at least minBytesPerItem bytes each can
    // still be in the stream. Call it before allocating for a count read from the stream.
    void CheckCount(qint64 count, qint64 minBytesPerItem) const;

private:
    void BeginValue() { valueStart_ = Position(); }
    qint64 DevicePosition() const;
    void ReadRawIntoBeyondBuffer(char* destination, qint64 count);
    QByteArray ReadBytes(qint64 count);
    std::uint8_t ReadByte() {
        if (Buffered() > 0)
            return std::uint8_t(buffer_[std::size_t(bufferPos_++)]);
        return ReadByteAfterFill();
    }
    std::uint8_t ReadByteAfterFill();
    std::int32_t ReadTaggedInteger();
    // Inline, so that the loop unrolls for the fixed sizes of the callers.
    std::uint64_t ReadLittleEndian(int byteCount) {
        if (Buffered() < byteCount)
            return ReadLittleEndianAcrossFill(byteCount);
        std::uint64_t value = 0;
        for (int i = 0; i < byteCount; ++i)
            value |= std::uint64_t(std::uint8_t(buffer_[std::size_t(bufferPos_ + i)])) << (8 * i);
        bufferPos_ += byteCount;
        return value;
    }
    std::uint64_t ReadLittleEndianAcrossFill(int byteCount);
    std::int64_t ReadSigned(int byteCount);
    QString ReadWindows1252(qint64 count);
    QString ReadUtf16(qint64 count);
    void ReadInto(char* destination, qint64 count);
    bool FillBuffer();
    qint64 Buffered() const { return bufferEnd_ - bufferPos_; }

    QIODevice& device_;
    std::vector<char> buffer_;
    qint64 bufferPos_ = 0;
    qint64 bufferEnd_ = 0;
    // Where the device stood after the buffer was filled last; while bytes are buffered the
    // reader knows its position without asking the device for each value.
    qint64 deviceAtBufferEnd_ = 0;
    bool oldFormat_ = false;
    qint64 valueStart_ = 0;
};

} // namespace karvel
