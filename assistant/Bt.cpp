#include "assistant/Bt.h"

#include "board/stream/ValueReader.h"
#include "board/stream/ValueWriter.h"

namespace karvel {

TBt::TBt(Language language) : TGruppe(language) {
    SetStiftfarbe(colours::Black);
}

void TBt::MoveBy(int dx, int dy) {
    TGruppe::MoveBy(dx, dy);
    Centre += QPoint(dx, dy);
}

void TBt::WriteToStream(RecordContext& context, ValueWriter& writer) {
    WriteGroupRecord(context, writer);
    writer.WriteRaw(QByteArray(1, char(Style)));
}

void TBt::ReadFromStream(RecordContext& context, ValueReader& reader) {
    ReadGroupRecord(context, reader);
    Style = std::uint8_t(reader.ReadRaw(1).at(0));
}

} // namespace karvel
