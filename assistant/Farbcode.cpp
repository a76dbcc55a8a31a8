#include "assistant/Farbcode.h"

#include "board/stream/RecordContext.h"
#include "board/stream/ValueReader.h"
#include "board/stream/ValueWriter.h"

namespace karvel {

TFarbcode::TFarbcode(Language language) : TGruppe(language) {}

void TFarbcode::WriteToStream(RecordContext& context, ValueWriter& writer) {
    WriteGroupRecord(context, writer);
    writer.WriteInteger(Series);
    writer.WriteFloat(Resistance);
}

void TFarbcode::ReadFromStream(RecordContext& context, ValueReader& reader) {
    ReadGroupRecord(context, reader);
    if (context.VersionAtLeast(3045)) {
        Series = std::uint8_t(reader.ReadInteger());
        Resistance = reader.ReadFloat();
    } else {
        Series = 1;
        Resistance = 1000.0;
    }
}

} // namespace karvel
