// The stored form of a board: one board record per board, for files, undo snapshots, board
// copies and the clipboard.

#include "board/Board.h"
#include "board/Platine.h"
#include "elements/ElementFactory.h"
#include "elements/Gruppe.h"
#include "platform/encoding/CodePage.h"
#include "stream/LoadError.h"
#include "stream/RecordIO.h"
#include "stream/StreamError.h"
#include "stream/ValueReader.h"
#include "stream/ValueWriter.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <utility>

namespace karvel {

namespace {

constexpr int HeaderSize = 41;
constexpr int HeaderNameLength = TPlatine::StoredNameLength;
constexpr std::int32_t UserBoard = std::int32_t(TPlatinenTyp::pt_UserBoard);

QLatin1String ClassNameOf(const TBauteil& element) {
    const std::string_view name = element.ClassName();
    return QLatin1String(name.data(), qsizetype(name.size()));
}

QByteArray EncodeHeader(const QString& name) {
    const QByteArray encoded = EncodeWindows1252(name);
    QByteArray header(HeaderSize, '\0');
    header[0] = char(std::min<qsizetype>(encoded.size(), 255));
    // A name longer than 36 characters loses its end to the version text.
    std::copy_n(encoded.constData(), std::min<qsizetype>(encoded.size(), HeaderNameLength),
                header.begin() + 1);
    const QByteArray version = FileVersion::Current().Text().toLatin1();
    std::copy_n(version.constData(), 4, header.begin() + 37);
    return header;
}

} // namespace

void TPlatine::SpeichereInStream(RecordContext& context, ValueWriter& writer, bool onlySelected) {
    writer.WriteRaw(EncodeHeader(name_));
    std::vector<TBauteil*> written;
    written.reserve(bauteile_.size());
    for (const auto& element : bauteile_) {
        if (onlySelected && !element->IstMarkiert())
            continue;
        // Fixed cuts come from the board type's layout, never from the board itself.
        if (element->ClassName() == "TTrennerFest")
            continue;
        written.push_back(element.get());
    }
    writer.WriteInteger(std::int32_t(written.size()));
    for (TBauteil* element : written) {
        writer.WriteString(ClassNameOf(*element));
        element->WriteToStream(context, writer);
    }
    writer.WriteInteger(std::int32_t(typ_));
    record::WriteExtent(context, writer, width_);
    record::WriteExtent(context, writer, height_);
    record::WriteIntegerPoint(context, writer, nullpunkt_);
    record::WritePoint(context, writer, ursprung_);
    record::WritePoint(context, writer, reserved_);
    if (context.Is(StreamPurpose::Snapshot))
        return;
    writer.WriteInteger(std::int32_t(anmerkungen_.Rtf().size()));
    writer.WriteRaw(anmerkungen_.Rtf());
    if (layout_)
        layout_->SpeichereInStream(context, writer, false);
}

void TPlatine::LadeAusStream(RecordContext& context, ValueReader& reader, bool placed) {
    const QByteArray header = reader.ReadRaw(HeaderSize);
    const QString version = header[37] == '\0'
                                ? QStringLiteral("1,00")
                                : DecodeWindows1252(QByteArrayView(header).sliced(37, 4));
    context.SetVersion(FileVersion(version));
    if (context.Version().IsTooNew())
        throw VersionError(version);
    if (context.Is(StreamPurpose::File)) {
        const int length = std::min<int>(static_cast<unsigned char>(header[0]), HeaderNameLength);
        name_ = DecodeWindows1252(QByteArrayView(header).sliced(1, length));
    }
    reader.SetOldFormat(context.OldFormat());

    // Nothing is allocated for the count: elements are taken in one by one, so a damaged count
    // keeps every whole element and fails only where the data end.
    const std::int32_t count = reader.ReadInteger();
    if (count < 0)
        throw StreamError::InvalidValue();
    const bool select = IsMainBoard() || context.Is(StreamPurpose::Transfer);
    for (std::int32_t i = 0; i < count; ++i) {
        std::unique_ptr<TBauteil> created = ReadElementOfClass(reader, view_.Sprache);
        TBauteil* element = Add(std::move(created));
        if (auto* group = element->AsGroup())
            group->OnBtKennungRequest = [this](TGruppe& g) { KennungAnfordern(g); };
        element->ReadFromStream(context, reader);
        if (context.Is(StreamPurpose::Transfer))
            element->SetIstAufLoetseite(view_.NewElementsOnSolderSide());
        element->SetUmrissFlag(umrissModus_);
        element->SetPlaced(placed);
        element->SetIstMarkiert(select);
        lastSelected_ = element;
    }
    if (!context.Is(StreamPurpose::Transfer))
        ReadBoardFields(context, reader, placed);
    Fire(OnMyClick);
}

void TPlatine::ReadBoardFields(RecordContext& context, ValueReader& reader, bool placed) {
    const std::int32_t typ = reader.ReadInteger();
    if (typ < 0 || typ > UserBoard)
        throw StreamError::InvalidValue();
    if (IsMainBoard() && typ != UserBoard)
        ConvertBoardType(typ);
    width_ = record::ReadExtent(reader);
    height_ = record::ReadExtent(reader);
    nullpunkt_ = {0, 0};
    if (!context.OldFormat()) {
        const int x = record::ReadCoordinate(context, reader);
        nullpunkt_ = {x, record::ReadCoordinate(context, reader)};
    }
    // The 5.08 mm pad boards lay their grid half a hole lower than the others.
    if (typ == std::int32_t(TPlatinenTyp::pt_augen508))
        nullpunkt_.ry() -= HalfPitch;
    typ_ = TPlatinenTyp::pt_UserBoard;
    if (context.VersionAbove(3075)) {
        ursprung_ = record::ReadPoint(context, reader);
        reserved_ = record::ReadPoint(context, reader);
    } else {
        ursprung_ = {0, HalfPitch};
        reserved_ = {0, 0};
    }
    if (context.Is(StreamPurpose::Snapshot))
        return;
    if (context.VersionAbove(3025)) {
        const std::int32_t size = reader.ReadInteger();
        if (size < 0)
            throw StreamError::InvalidValue();
        reader.CheckCount(size, 1);
        anmerkungen_.SetRtf(reader.ReadRaw(size));
    } else {
        // Older files had no annotations; the new board's default text would name the wrong
        // board.
        anmerkungen_.SetRtf({});
    }
    if (layout_ && context.VersionAbove(3065)) {
        RecordContext nested(context.Purpose(), context.Device());
        nested.ShareBudgetWith(context);
        layout_->LadeAusStream(nested, reader, placed);
    }
}

void TPlatine::ConvertBoardType(int typ) {
    const QString path =
        QDir(view_.ProgramFolder).filePath(QStringLiteral("Data/P%1.dat").arg(typ));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileOpenError::For(file);
    // Only the first board record of the layout file is the layout; its own version rules
    // apply to it, the outer file keeps its version.
    RecordContext context(StreamPurpose::File, file);
    ValueReader reader(file, 2000);
    layout_->LadeAusStream(context, reader, true);
    std::erase_if(bauteile_, [this](const std::unique_ptr<TBauteil>& e) {
        const bool fixed = e->ClassName() == "TTrennerFest" || e->ClassName() == "TDrahtFest";
        if (fixed && lastSelected_ == e.get())
            lastSelected_ = nullptr;
        return fixed;
    });
}

namespace {

// Visits every component of a list of elements, nested ones included.
void ForEachComponent(const std::vector<std::unique_ptr<TBauteil>>& elements,
                      const std::function<void(const TGruppe&)>& visit) {
    for (const auto& element : elements) {
        if (const auto* group = std::as_const(*element).AsGroup()) {
            if (group->IsComponent)
                visit(*group);
            ForEachComponent(group->Members(), visit);
        }
    }
}

} // namespace

int TPlatine::HighestNumber(const QString& identifier) const {
    std::optional<int> highest;
    ForEachComponent(bauteile_, [&](const TGruppe& component) {
        if (component.Identifier == identifier)
            highest = std::max<int>(highest.value_or(component.Number), component.Number);
    });
    return highest.value_or(0);
}

void TPlatine::KennungAnfordern(TGruppe& group) {
    group.Number = std::int16_t(HighestNumber(group.Identifier) + 1);
    group.PropagateIdentity();
    if (host_)
        host_->Repaint();
}

} // namespace karvel
