#include "elements/Txtlabel.h"

#include "board/RecordIO.h"
#include "elements/Geometry.h"

#include <cmath>

namespace karvel {

TTextLabel::TTextLabel(Language language) {
    BauteilTyp = TBauteilTyp::btText;
    SetStiftbreite(25);
    SetStiftfarbe(colours::Black);
    SetBrushfarbe(8421504);
    SetFuellenFlag(true);
    textString_ = Tr(language, QStringLiteral("Beschriftung"), QStringLiteral("new label"));
}

void TTextLabel::SetTextString(const QString& text) { textString_ = text; }

std::array<QPoint, 4> TTextLabel::BoxCorners() const {
    const QPoint p = Position;
    const int w = TextWidth;
    const int h = TextHeight;
    return {RotatePoint(p, p, Angle), RotatePoint({p.x() + w, p.y()}, p, Angle),
            RotatePoint({p.x() + w, p.y() + h}, p, Angle), RotatePoint({p.x(), p.y() + h}, p, Angle)};
}

void TTextLabel::ApplyUprightRule() {
    const double pi = double(Pi);
    UpsideDown = (Angle > pi / 2 && Angle < 3 * pi / 2) || Angle < -pi / 2;
}

void TTextLabel::MoveBy(int dx, int dy) {
    Position += QPoint(dx, dy);
    if (HasRememberedShape)
        RememberedPosition += QPoint(dx, dy);
}

void TTextLabel::Rotate90(QPoint c, QPoint k) {
    TBauteil::Rotate90(c, k);
    const double pi = double(Pi);
    Angle -= pi / 2;
    Position = {c.x() + c.y() - Position.y(), Position.x() - c.x() + c.y()};
    ApplyUprightRule();
    if (Angle < -pi / 2)
        Angle += 2 * pi;
}

void TTextLabel::Scale(QPoint origin, double factorX, double factorY) {
    TBauteil::Scale(origin, factorX, factorY);
    Position = ScalePoint(Position, origin, factorX, factorY);
    double f = factorX;
    if (factorX == 1.0)
        f = factorY;
    else if (factorY != 1.0)
        f = (factorX + factorY) / 2.0;
    TextHeight = std::int16_t(RoundToUnit((long double)f * TextHeight));
}

void TTextLabel::RememberShape() {
    RememberedPosition = Position;
    RememberedAngle = Angle;
    HasRememberedShape = true;
}

QString TTextLabel::GetKindName() const {
    return View().Tr(QStringLiteral("Text"), QStringLiteral("text"));
}

// --- Stored form ------------------------------------------------------------------------------

void TTextLabel::WriteToStream(RecordContext& context, ValueWriter& writer) {
    TBauteil::WriteToStream(context, writer);
    record::WritePoint(writer, Position);
    record::WritePoint(writer, RememberedPosition);
    writer.WriteInteger(TextHeight);
    writer.WriteFloat(Angle);
    writer.WriteFloat(RememberedAngle);
    writer.WriteString(textString_);
    writer.WriteRaw(QByteArray(1, char(Placeholder)));
    writer.WriteBoolean(HasRememberedShape);
    writer.WriteBoolean(UpsideDown);
    writer.WriteString(Font.Face);
    writer.WriteBoolean(Font.Bold);
    writer.WriteBoolean(Font.Italic);
    writer.WriteBoolean(Font.Underline);
    writer.WriteBoolean(Font.StrikeOut);
}

void TTextLabel::ReadFromStream(RecordContext& context, ValueReader& reader) {
    TBauteil::ReadFromStream(context, reader);
    Position = record::ReadPoint(context, reader);
    RememberedPosition = record::ReadPoint(context, reader);
    TextHeight = std::int16_t(reader.ReadInteger());
    Angle = reader.ReadFloat();
    RememberedAngle = reader.ReadFloat();
    SetTextString(reader.ReadString());
    Placeholder = std::uint8_t(reader.ReadRaw(1).at(0));
    HasRememberedShape = reader.ReadBoolean();
    UpsideDown = reader.ReadBoolean();
    if (context.VersionAbove(3035)) {
        Font.Face = reader.ReadString();
        Font.Bold = reader.ReadBoolean();
        Font.Italic = reader.ReadBoolean();
        Font.Underline = reader.ReadBoolean();
        Font.StrikeOut = reader.ReadBoolean();
    } else {
        SetFuellenFlag(false);
    }
}

} // namespace karvel
