#include "elements/Txtlabel.h"

#include "elements/Draht.h"
#include "elements/Geometry.h"
#include "elements/TextLabelDialog.h"
#include "stream/RecordIO.h"

#include <algorithm>
#include <cmath>

namespace karvel {

namespace {

constexpr Colour GhostText = 8421504; // grey; silver in outline mode

std::int16_t ClampToInt16(long long value) {
    return std::int16_t(std::clamp<long long>(value, INT16_MIN, INT16_MAX));
}

// Escapements are whole degrees in tenths: the font turns in steps of one degree. Whole turns
// are dropped so that a label turned many times still gives a valid escapement.
int EscapementOf(double angle) {
    return int(RoundHalfEven((long double)angle * 180.0L / Pi) % 360) * 10;
}

// A lead can steer a label only when it remembers at least two nodes and still has an end.
const TDraht* StretchingLead(TBauteil* element) {
    const auto* lead = dynamic_cast<const TDraht*>(element);
    if (lead == nullptr || !lead->RememberedNodes || lead->RememberedNodes->size() < 2 ||
        lead->Nodes.empty())
        return nullptr;
    return lead;
}

// The remembered node before the last one, where the lead's hole end lies for two-node leads.
QPoint RememberedHoleEnd(const TDraht& lead) {
    const std::vector<QPoint>& nodes = *lead.RememberedNodes;
    return nodes[nodes.size() - 2];
}

} // namespace

TTextLabel::TTextLabel(Language language) {
    BauteilTyp = TBauteilTyp::btText;
    SetStiftbreite(25);
    SetStiftfarbe(colours::Black);
    SetBrushfarbe(8421504);
    SetFuellenFlag(true);
    textString_ = Tr(language, QStringLiteral("Beschriftung"), QStringLiteral("new label"));
}

void TTextLabel::SetTextString(const QString& text) {
    textString_ = text;
}

std::array<QPoint, 4> TTextLabel::BoxCorners() const {
    const QPoint p = Position;
    const int w = TextWidth;
    const int h = TextHeight;
    return {RotatePoint(p, p, Angle), RotatePoint({p.x() + w, p.y()}, p, Angle),
            RotatePoint({p.x() + w, p.y() + h}, p, Angle),
            RotatePoint({p.x(), p.y() + h}, p, Angle)};
}

void TTextLabel::ApplyUprightRule() {
    const double pi = double(Pi);
    UpsideDown = (Angle > pi / 2 && Angle < 3 * pi / 2) || Angle < -pi / 2;
}

// --- Measuring and drawing ------------------------------------------------------------------

FontSpec TTextLabel::MakeFont(int escapement) const {
    FontSpec font;
    font.Face = Font.Face;
    font.Height = TextHeight;
    font.Escapement = escapement;
    font.Bold = Font.Bold;
    font.Italic = Font.Italic;
    font.Underline = Font.Underline;
    font.StrikeOut = Font.StrikeOut;
    return font;
}

void TTextLabel::MeasureText(Canvas& canvas) {
    const FontSpec previous = canvas.Font();
    canvas.SetFont(MakeFont(EscapementOf(Angle)));
    int width = canvas.TextExtent(textString_).width();
    // Italic glyphs lean out of their cell; a fifth of a "b" keeps the box around them.
    if (Font.Italic)
        width += canvas.TextExtent(QStringLiteral("b")).width() / 5;
    canvas.SetFont(previous);
    TextWidth = ClampToInt16(width);
}

Colour TTextLabel::TextColour() const {
    if (IstMarkiert())
        return colours::Selected;
    if (UmrissFlag())
        return colours::Black;
    return Stiftfarbe();
}

TTextLabel::Placement TTextLabel::TextPlacement() const {
    const long double w = TextWidth;
    const long double h = TextHeight;
    Placement p{Position, Angle};
    if (UpsideDown) {
        // Drawn from the far corner half a turn round, the text reads the right way up.
        p.At = BoxCorners()[2];
        p.Angle = Angle >= 0 ? Angle - double(Pi) : Angle + double(Pi);
    }
    const long double a = p.Angle;
    if (SpiegelnFlag()) {
        // A mirrored view runs the text backwards from the other end of its base line.
        p.At.rx() += RoundToUnit(std::cos(a) * w);
        p.At.ry() -= RoundToUnit(std::sin(a) * w);
    }
    if (View().Loetseite && !IsOnLibraryPage()) {
        // Seen from below, the top of the text lies on the far side of the box.
        p.At.rx() += RoundToUnit(std::sin(a) * h);
        p.At.ry() += RoundToUnit(std::cos(a) * h);
    }
    return p;
}

void TTextLabel::Draw(Canvas& canvas) {
    if ((!IsOnWorkingSide() && !IsXRayGhost()) || !Visible())
        return;
    canvas.SetTextColour(TextColour());
    const bool solid = IsFilledArea() && !IsXRayGhost();
    canvas.SetBrush(Brushfarbe(), solid ? BrushStyle::Solid : BrushStyle::Clear);
    MeasureText(canvas);
    const Placement placement = TextPlacement();
    BeginXRayStyle(canvas);
    DrawRotatedText(canvas, placement.At, EscapementOf(placement.Angle));
    EndXRayStyle(canvas);
}

void TTextLabel::DrawRotatedText(Canvas& canvas, QPoint at, int escapement) {
    const FontSpec previous = canvas.Font();
    canvas.SetFont(MakeFont(escapement));
    if (canvas.GetBrushStyle() == BrushStyle::Solid)
        FillTextCell(canvas, at);
    canvas.TextOut(at, textString_);
    canvas.SetFont(previous);
}

void TTextLabel::FillTextCell(Canvas& canvas, QPoint at) {
    // The cell turns with the glyphs on the screen, whichever way the mapping flips the board.
    const double width = canvas.LengthToDevice(canvas.TextExtent(textString_).width());
    const double height = canvas.LengthToDevice(TextHeight);
    const double theta = canvas.DeviceTextTurn() * double(Pi) / 180.0;
    const QPointF along(std::cos(theta), -std::sin(theta));
    const QPointF down(std::sin(theta), std::cos(theta));
    const QPointF origin = canvas.LPtoDP(at);
    const std::array<QPoint, 4> cell{origin.toPoint(), (origin + along * width).toPoint(),
                                     (origin + along * width + down * height).toPoint(),
                                     (origin + down * height).toPoint()};
    canvas.FillRegion(Region::FromPolygon(cell, FillMode::Alternate), canvas.BrushColour());
}

void TTextLabel::BeginXRayStyle(Canvas& canvas) {
    // A ghost's text changes colour only; a text has no outline to mask.
    if (IsXRayGhost())
        canvas.SetTextColour(UmrissFlag() ? colours::Silver : GhostText);
}

// --- Area and hit tests -----------------------------------------------------------------------

std::optional<Region> TTextLabel::CreateRegion(Canvas& canvas) {
    MeasureText(canvas);
    std::array<QPoint, 4> corners = BoxCorners();
    for (QPoint& corner : corners)
        corner = canvas.LPtoDP(corner);
    return Region::FromPolygon(corners, FillMode::Alternate);
}

bool TTextLabel::HitTest(QPoint device, Canvas& canvas) {
    if (!IsOnWorkingSide())
        return false;
    const Rect bounds = Normalised(canvas.LPtoDP(GetBounds(canvas)));
    if (device.x() < bounds.Left || device.x() >= bounds.Right || device.y() < bounds.Top ||
        device.y() >= bounds.Bottom)
        return false;
    const std::optional<Region> region = CreateRegion(canvas);
    return region && region->Contains(device);
}

Rect TTextLabel::GetBounds(Canvas& canvas) {
    MeasureText(canvas);
    const std::array<QPoint, 4> corners = BoxCorners();
    Rect r{corners[0].x(), corners[0].y(), corners[0].x(), corners[0].y()};
    for (const QPoint& c : corners) {
        r.Left = std::min(r.Left, c.x());
        r.Top = std::min(r.Top, c.y());
        r.Right = std::max(r.Right, c.x());
        r.Bottom = std::max(r.Bottom, c.y());
    }
    return r;
}

Rect TTextLabel::GetRedrawBounds(Canvas& canvas) {
    // Glyphs reach beyond the measured box (italics, accents): a wider margin than other elements.
    return InflateNormalised(GetBounds(canvas), 100);
}

// --- Editing ----------------------------------------------------------------------------------

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
    TextHeight = ClampToInt16(RoundHalfEven((long double)f * TextHeight));
}

void TTextLabel::Stretch(TBauteil* firstLead, TBauteil* secondLead, double angle, TBauteil*) {
    const TDraht* first = StretchingLead(firstLead);
    const TDraht* second = StretchingLead(secondLead);
    if (first == nullptr || second == nullptr || !HasRememberedShape)
        return;
    const QPoint from = RememberedHoleEnd(*first);
    const QPoint to = RememberedHoleEnd(*second);
    if (from == to)
        return;
    const double delta = double((long double)angle - Direction(from, to));
    Angle = RememberedAngle + delta;
    ApplyUprightRule();
    const QPoint rememberedEnd = first->RememberedNodes->back();
    Position = RotatePoint(RememberedPosition, rememberedEnd, delta) +
               (first->Nodes.back() - rememberedEnd);
}

bool TTextLabel::EditProperties() {
    if (dialog_ == nullptr)
        return false;
    const double pixelsPerInch = std::max(dialog_->PixelsPerInch(), 1);
    TextLabelFields fields;
    fields.Font = Font;
    fields.FontColour = Stiftfarbe();
    fields.Text = textString_;
    fields.Height = TextHeight / 100.0 * 72.0 / pixelsPerInch;
    fields.AngleDegrees = Angle * 180.0 / double(Pi);
    fields.Placeholder = Placeholder;
    const std::optional<TextLabelFields> answer = dialog_->Ask(fields);
    if (!answer)
        return false;
    Font = answer->Font;
    SetStiftfarbe(answer->FontColour);
    SetTextString(answer->Text);
    TextHeight =
        ClampToInt16(RoundHalfEven((long double)answer->Height * 100.0L / 72.0L * pixelsPerInch));
    Angle = answer->AngleDegrees * double(Pi) / 180.0;
    Placeholder = std::uint8_t(std::clamp(answer->Placeholder, 0, 3));
    return true;
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
    record::WritePoint(context, writer, Position);
    record::WritePoint(context, writer, RememberedPosition);
    writer.WriteInteger(TextHeight);
    record::WriteFloat(context, writer, Angle);
    record::WriteFloat(context, writer, RememberedAngle);
    writer.WriteString(textString_);
    const char placeholder = char(Placeholder);
    writer.WriteRaw(QByteArrayView(&placeholder, 1));
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
    char placeholder = 0;
    reader.ReadRawInto(&placeholder, 1);
    Placeholder = std::uint8_t(placeholder);
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
