#include "elements/RoundElement.h"

#include "board/RecordIO.h"
#include "elements/Geometry.h"

namespace karvel {

TRoundElement::TRoundElement() {
    TBauteil::SetStiftbreite(25);
    TBauteil::SetStiftfarbe(colours::Black);
    TBauteil::SetBrushfarbe(8421504);
    TBauteil::SetFuellenFlag(true);
    TBauteil::SetGlaetten(false);
}

int TRoundElement::Radius() const { return RoundToUnit((long double)Diameter * 100.0L / 2.0L); }

void TRoundElement::RememberShape() {
    RememberedCentre = Centre;
    HasRememberedShape = true;
}

void TRoundElement::Rotate90(QPoint c, QPoint k) {
    TBauteil::Rotate90(c, k);
    Centre = {c.x() + c.y() - Centre.y(), Centre.x() - c.x() + c.y()};
}

void TRoundElement::WriteToStream(RecordContext& context, ValueWriter& writer) {
    TBauteil::WriteToStream(context, writer);
    writer.WriteFloat(Diameter);
    writer.WriteInteger(Centre.x());
    writer.WriteInteger(Centre.y());
}

void TRoundElement::ReadFromStream(RecordContext& context, ValueReader& reader) {
    TBauteil::ReadFromStream(context, reader);
    Diameter = reader.ReadFloat();
    const int x = reader.ReadInteger();
    Centre = {x, reader.ReadInteger()};
}

} // namespace karvel
