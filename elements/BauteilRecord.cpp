// The base record every element payload starts with, and the fill bitmap block in it.

#include "elements/Bauteil.h"
#include "stream/RecordContext.h"
#include "stream/RecordIO.h"
#include "stream/StreamError.h"
#include "stream/ValueReader.h"
#include "stream/ValueWriter.h"

#include <QtCore/QBuffer>
#include <QtCore/QtEndian>
#include <QtGui/QImageReader>

namespace karvel {

namespace {

constexpr qint64 BmpFileHeaderSize = 14;
constexpr qint64 BmpSmallestInfoHeader = 12;

// A BMP file as it lies in the stream, and the picture it holds.
struct StoredBmp {
    QByteArray Bytes;
    QImage Image;
};

// Reads one BMP file from the device; its own header says how long it is. The picture's size
// is taken from its header and out of the stream's budget before any pixel is unpacked.
StoredBmp ReadBmp(QIODevice& device, DecodeBudget& budget) {
    const QByteArray header = device.read(BmpFileHeaderSize);
    if (header.size() != BmpFileHeaderSize)
        throw StreamError::ReadError();
    if (header[0] != 'B' || header[1] != 'M')
        throw StreamError::InvalidValue();
    const qint64 total = qFromLittleEndian<quint32>(header.constData() + 2);
    if (total < BmpFileHeaderSize + BmpSmallestInfoHeader)
        throw StreamError::InvalidValue();
    const qint64 rest = total - BmpFileHeaderSize;
    if (device.isSequential() ? false : rest > device.size() - device.pos())
        throw StreamError::ReadError();
    StoredBmp bmp{header + device.read(rest), {}};
    if (bmp.Bytes.size() != total)
        throw StreamError::ReadError();
    QBuffer buffer(&bmp.Bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "BMP");
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        throw StreamError::InvalidValue();
    budget.Take(qint64(size.width()) * size.height());
    if (!reader.read(&bmp.Image))
        throw StreamError::InvalidValue();
    return bmp;
}

} // namespace

void TBauteil::WriteToStream(RecordContext& context, ValueWriter& writer) {
    writer.WriteInteger(int(BauteilTyp));
    writer.WriteInteger(Stiftbreite());
    record::WriteColour(writer, Stiftfarbe());
    record::WriteColour(writer, Brushfarbe());
    writer.WriteBoolean(FuellenFlag());
    writer.WriteBoolean(InGroup);
    // The anchor list always holds one point per contact; a missing one is off the grid.
    const auto contacts = std::size_t(std::max(GetContactCount(), 0));
    // One list for every record written, so that a snapshot of thousands of elements does
    // not allocate one each; it is only used between here and the loop below.
    static thread_local std::vector<QPoint> current;
    current.clear();
    AppendCurrentAnchors(current);
    writer.WriteInteger(std::int32_t(contacts) - 1);
    for (std::size_t i = 0; i < contacts; ++i)
        record::WriteHolePoint(context, writer, i < current.size() ? current[i] : QPoint(-1, -1));
    writer.WriteBoolean(istAufLoetseite());
    const bool hasBitmap = HasteBitmap();
    writer.WriteBoolean(hasBitmap);
    if (hasBitmap)
        WriteFillBitmap(context, writer);
    writer.WriteBoolean(Glaetten());
    writer.WriteInteger(int(GlaettenStil()));
    record::WriteFloat(context, writer, GlaettenBetrag());
    writer.WriteBoolean(Fraesen());
}

void TBauteil::WriteFillBitmap(RecordContext& context, ValueWriter& writer) {
    TBitmapUsage* record = BMU();
    if (context.Is(StreamPurpose::Snapshot)) {
        // Inside the running program a snapshot shares the bitmap instead of copying it.
        record::WriteRawInt32(writer, record ? std::int32_t(record->Id) : 0);
        if (record && context.Snapshot() &&
            std::find(record->Snapshots.begin(), record->Snapshots.end(), context.Snapshot()) ==
                record->Snapshots.end())
            record->Snapshots.push_back(context.Snapshot());
        return;
    }
    writer.FlushBuffer();
    const bool ownPicture = record != nullptr && record->Bitmap.get() == Btmap();
    if (const QByteArray* stored = ownPicture ? record->StoredBytes() : nullptr) {
        writer.WriteRaw(*stored);
        return;
    }
    const QImage* bitmap = Btmap();
    QImage image = bitmap ? *bitmap : QImage(1, 1, QImage::Format_RGB32);
    if (!bitmap)
        image.fill(Qt::white);
    QBuffer bmp;
    bmp.open(QIODevice::WriteOnly);
    image.save(&bmp, "BMP");
    writer.WriteRaw(bmp.data());
}

void TBauteil::ReadFromStream(RecordContext& context, ValueReader& reader) {
    const std::int32_t kind = reader.ReadInteger() & 0xFF;
    if (kind >= BauteilTypCount)
        throw StreamError::InvalidValue();
    BauteilTyp = TBauteilTyp(kind);
    SetStiftbreite(std::int16_t(reader.ReadInteger()));
    SetStiftfarbe(record::ReadColour(reader));
    SetBrushfarbe(record::ReadColour(reader));
    SetFuellenFlag(reader.ReadBoolean());
    InGroup = reader.ReadBoolean();
    std::vector<QPoint> anchors = record::ReadPointList(context, reader);
    if (Anchors.empty())
        Anchors = std::move(anchors);
    else
        Anchors.insert(Anchors.end(), anchors.begin(), anchors.end());
    if (context.VersionAtLeast(1010))
        ReadSideFlag(context, reader);
    if (context.VersionAtLeast(3000))
        ReadFillBitmap(context, reader);
    if (context.VersionAbove(3010)) {
        SetGlaetten(reader.ReadBoolean());
        const std::int32_t style = reader.ReadInteger();
        if (style < 0 || style > int(TGlaettenStil::glRundung))
            throw StreamError::InvalidValue();
        SetGlaettenStil(TGlaettenStil(style));
        SetGlaettenBetrag(reader.ReadFloat());
    }
    if (context.VersionAbove(3055))
        SetFraesen(reader.ReadBoolean());
}

void TBauteil::ReadSideFlag(RecordContext&, ValueReader& reader) {
    SetIstAufLoetseite(reader.ReadBoolean());
}

void TBauteil::ReadFillBitmap(RecordContext& context, ValueReader& reader) {
    if (!reader.ReadBoolean())
        return;
    if (context.Is(StreamPurpose::Snapshot)) {
        const auto id = std::uint32_t(record::ReadRawInt32(reader));
        TBitmapUsageList* list = BMUsage();
        TBitmapUsage* record = list ? list->Find(id) : nullptr;
        if (record == nullptr)
            throw StreamError::InvalidValue();
        SetBMU(record);
        SetBtmap(record->Bitmap.get());
        SetHasteBitmap(true);
        record->InUse = true;
        return;
    }
    reader.SyncToStream();
    StoredBmp bmp = ReadBmp(context.Device(), context.Budget());
    ReleaseFillBitmap();
    AdoptFillBitmap(std::move(bmp.Image), std::move(bmp.Bytes));
}

} // namespace karvel
