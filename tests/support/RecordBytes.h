#pragma once
// Builds stored board records byte by byte, the way files of older program versions hold
// them, and reads and writes boards through memory streams.

#include "board/Platine.h"
#include "stream/RecordContext.h"
#include "stream/ValueReader.h"
#include "stream/ValueWriter.h"

#include <functional>
#include <memory>
#include <QtCore/QBuffer>
#include <QtCore/QtEndian>

namespace karvel::test {

class RecordBytes {
public:
    RecordBytes() {
        buffer_.open(QIODevice::WriteOnly);
        writer_ = std::make_unique<ValueWriter>(buffer_, 20000);
    }

    RecordBytes& Header(const QByteArray& name, const QByteArray& version) {
        QByteArray header(41, '\0');
        header[0] = char(name.size());
        std::copy_n(name.constData(), std::min<qsizetype>(name.size(), 36), header.begin() + 1);
        std::copy_n(version.constData(), std::min<qsizetype>(version.size(), 4),
                    header.begin() + 37);
        return Raw(header);
    }
    RecordBytes& Int(int v) {
        return Do([&] { writer_->WriteInteger(v); });
    }
    RecordBytes& Bool(bool v) {
        return Do([&] { writer_->WriteBoolean(v); });
    }
    RecordBytes& Float(double v) {
        return Do([&] { writer_->WriteFloat(v); });
    }
    RecordBytes& Str(const QString& v) {
        return Do([&] { writer_->WriteString(v); });
    }
    RecordBytes& Raw(const QByteArray& v) {
        return Do([&] { writer_->WriteRaw(v); });
    }
    RecordBytes& Raw32(std::int32_t v) { return Raw(Little(v)); }
    RecordBytes& Raw16(std::int16_t v) { return Raw(Little(v)); }
    RecordBytes& Point32(int x, int y) { return Raw32(x).Raw32(y); }
    RecordBytes& Point16(int x, int y) { return Raw16(std::int16_t(x)).Raw16(std::int16_t(y)); }

    QByteArray Bytes() {
        writer_->FlushBuffer();
        return buffer_.data();
    }

private:
    template <typename T> static QByteArray Little(T v) {
        QByteArray bytes(sizeof(T), '\0');
        qToLittleEndian(v, bytes.data());
        return bytes;
    }
    template <typename F> RecordBytes& Do(F&& f) {
        f();
        return *this;
    }

    QBuffer buffer_;
    std::unique_ptr<ValueWriter> writer_;
};

// One board record written for a purpose, only the selected elements when asked.
inline QByteArray WriteBoard(TPlatine& board, StreamPurpose purpose, bool onlySelected = false,
                             const SnapshotStream* snapshot = nullptr) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    RecordContext context(purpose, buffer);
    context.SetSnapshot(snapshot);
    ValueWriter writer(buffer, 20000);
    board.SpeichereInStream(context, writer, onlySelected);
    writer.FlushBuffer();
    return buffer.data();
}

// Reads one board record into a board; rethrows what reading throws.
inline void ReadBoard(TPlatine& board, const QByteArray& bytes, StreamPurpose purpose,
                      bool placed = true) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    RecordContext context(purpose, buffer);
    ValueReader reader(buffer, 20000);
    board.LadeAusStream(context, reader, placed);
}

} // namespace karvel::test
