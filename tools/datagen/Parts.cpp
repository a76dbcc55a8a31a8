#include "tools/datagen/Parts.h"

#include "tools/datagen/HoleGrid.h"

#include <array>
#include <cmath>
#include <numbers>

namespace karvel::datagen {

namespace {

constexpr int LeadWidth = 60;
constexpr int WireWidth = 70;
constexpr int PinWidth = 110;
constexpr int OutlineWidth = 10;
constexpr int LabelHeight = 150;

constexpr Colour LeadColour = colours::Silver;
constexpr Colour ResistorBody = RgbColour(222, 196, 150);
constexpr Colour Gold = RgbColour(212, 175, 55);
constexpr Colour Marking = RgbColour(200, 200, 200);

// The colour code of the digits 0 to 9.
constexpr std::array<Colour, 10> BandColours{
    RgbColour(0, 0, 0),       RgbColour(140, 70, 20), RgbColour(220, 0, 0),
    RgbColour(255, 140, 0),   RgbColour(255, 220, 0), RgbColour(0, 160, 0),
    RgbColour(0, 80, 220),    RgbColour(150, 0, 210), RgbColour(128, 128, 128),
    RgbColour(255, 255, 255),
};

// The unit step from one hole towards another in the same row or column.
QPoint Towards(QPoint from, QPoint to) {
    return {(to.x() > from.x()) - (to.x() < from.x()), (to.y() > from.y()) - (to.y() < from.y())};
}

QPoint Middle(QPoint a, QPoint b) {
    return {(a.x() + b.x()) / 2, (a.y() + b.y()) / 2};
}

// A rectangle across an axis: length along it from `from` to `to`, half width across it.
Rect AcrossAxis(QPoint from, QPoint to, int halfWidth) {
    const bool vertical = from.x() == to.x();
    const QPoint across = vertical ? QPoint(halfWidth, 0) : QPoint(0, halfWidth);
    const QPoint a = from - across;
    const QPoint b = to + across;
    return {std::min(a.x(), b.x()), std::min(a.y(), b.y()), std::max(a.x(), b.x()),
            std::max(a.y(), b.y())};
}

// Two significant digits and the power of ten that follows them.
std::array<int, 3> ColourCode(int ohms) {
    int exponent = 0;
    while (ohms >= 100) {
        ohms /= 10;
        ++exponent;
    }
    return {ohms / 10, ohms % 10, exponent};
}

void AddLabels(TGruppe& component, const LabelPlaces& labels, Colour valueColour) {
    component.AddMember(
        PlaceholderLabel(TPlaceholder::Identifier, labels.IdentifierAt, LabelHeight));
    if (labels.ValueAt)
        component.AddMember(
            PlaceholderLabel(TPlaceholder::Value, *labels.ValueAt, LabelHeight, valueColour));
}

} // namespace

// --- Pieces ----------------------------------------------------------------------------------

std::unique_ptr<TDraht> Lead(QPoint hole, QPoint bodyEnd) {
    auto lead = std::make_unique<TDraht>();
    lead->BauteilTyp = TBauteilTyp::btAnschluss;
    lead->Nodes = {HoleCentre(hole), bodyEnd};
    lead->Anchors = {hole};
    lead->SetStiftbreite(LeadWidth);
    lead->SetStiftfarbe(LeadColour);
    lead->SetIstMarkiert(false);
    return lead;
}

std::unique_ptr<TDraht> JumperWire(const std::vector<QPoint>& holes, Colour insulation) {
    auto wire = std::make_unique<TDraht>();
    wire->BauteilTyp = TBauteilTyp::btDraht;
    for (const QPoint hole : holes)
        wire->AddNode(HoleCentre(hole));
    wire->Anchors = {holes.front(), holes.back()};
    wire->SetStiftbreite(WireWidth);
    wire->SetStiftfarbe(insulation);
    wire->SetIstMarkiert(false);
    return wire;
}

std::unique_ptr<TDraht> SolderPin(QPoint hole) {
    auto pin = std::make_unique<TDraht>();
    pin->BauteilTyp = TBauteilTyp::btPin;
    pin->Nodes = {HoleCentre(hole), HoleCentre(hole)};
    pin->Anchors = {hole};
    pin->SetStiftbreite(PinWidth);
    pin->SetStiftfarbe(RgbColour(90, 90, 90));
    pin->SetIstMarkiert(false);
    return pin;
}

std::unique_ptr<TDraht> FilledRect(const Rect& rect, Colour fill) {
    auto body = std::make_unique<TDraht>();
    body->BauteilTyp = TBauteilTyp::btRect;
    body->Nodes = {{rect.Left, rect.Top},
                   {rect.Right, rect.Top},
                   {rect.Right, rect.Bottom},
                   {rect.Left, rect.Bottom}};
    body->SetStiftbreite(OutlineWidth);
    body->SetStiftfarbe(colours::Black);
    body->SetBrushfarbe(fill);
    body->SetFuellenFlag(true);
    body->SetIstMarkiert(false);
    return body;
}

std::unique_ptr<TDraht> Polyline(const std::vector<QPoint>& points, Colour colour, int width) {
    auto line = std::make_unique<TDraht>();
    line->BauteilTyp = TBauteilTyp::btLine;
    line->Nodes = points;
    line->SetStiftbreite(std::int16_t(width));
    line->SetStiftfarbe(colour);
    line->SetIstMarkiert(false);
    return line;
}

std::unique_ptr<TKreis> Disc(QPoint centre, int radius, Colour fill) {
    auto disc = std::make_unique<TKreis>();
    disc->BauteilTyp = TBauteilTyp::btKreis;
    disc->Centre = centre;
    disc->RimPoint = centre + QPoint(radius, 0);
    disc->BuildCircle();
    disc->SetStiftbreite(OutlineWidth);
    disc->SetStiftfarbe(colours::Black);
    disc->SetBrushfarbe(fill);
    disc->SetIstMarkiert(false);
    return disc;
}

std::unique_ptr<TTextLabel> Label(const QString& text, QPoint position, int height, Colour colour) {
    auto label = std::make_unique<TTextLabel>(Language::German);
    label->SetTextString(text);
    label->Position = position;
    label->TextHeight = std::int16_t(height);
    label->SetStiftfarbe(colour);
    // Text stands on the board without a box behind it.
    label->SetFuellenFlag(false);
    label->SetIstMarkiert(false);
    return label;
}

std::unique_ptr<TTextLabel> PlaceholderLabel(TPlaceholder placeholder, QPoint position, int height,
                                             Colour colour) {
    auto label = Label(QString(), position, height, colour);
    label->Placeholder = std::uint8_t(placeholder);
    return label;
}

// --- Components ------------------------------------------------------------------------------

std::unique_ptr<TGruppe> Component(const Identity& identity) {
    auto component = std::make_unique<TGruppe>(Language::German);
    component->IsComponent = true;
    component->Identifier = identity.Identifier;
    component->Number = std::int16_t(identity.Number);
    component->Value = identity.Value;
    component->Description = identity.Description;
    return component;
}

void FinishComponent(TGruppe& component) {
    for (const auto& member : component.Members())
        member->InGroup = true;
    component.PropagateIdentity();
    component.SetIstMarkiert(false);
    if (component.GetContactCount() == 2)
        component.RememberShape();
}

std::unique_ptr<TGruppe> Resistor(const Identity& identity, QPoint from, QPoint to, int ohms,
                                  const LabelPlaces& labels) {
    constexpr int HalfLength = 300;
    constexpr int HalfWidth = 110;
    constexpr int BandHalf = 30;
    const QPoint a = HoleCentre(from);
    const QPoint b = HoleCentre(to);
    const QPoint axis = Towards(a, b);
    const QPoint mid = Middle(a, b);
    const QPoint bodyStart = mid - axis * HalfLength;
    const QPoint bodyEnd = mid + axis * HalfLength;

    auto component = Component(identity);
    component->AddMember(Lead(from, bodyStart));
    component->AddMember(Lead(to, bodyEnd));
    component->AddMember(FilledRect(AcrossAxis(bodyStart, bodyEnd, HalfWidth), ResistorBody));
    const std::array<int, 3> code = ColourCode(ohms);
    // Three bands near the first lead, the tolerance band apart near the other end.
    const std::array<std::pair<int, Colour>, 4> bands{{{100, BandColours[std::size_t(code[0])]},
                                                       {190, BandColours[std::size_t(code[1])]},
                                                       {280, BandColours[std::size_t(code[2])]},
                                                       {480, Gold}}};
    for (const auto& [offset, colour] : bands) {
        const QPoint centre = bodyStart + axis * offset;
        auto band = FilledRect(
            AcrossAxis(centre - axis * BandHalf, centre + axis * BandHalf, HalfWidth), colour);
        band->SetStiftbreite(0);
        component->AddMember(std::move(band));
    }
    AddLabels(*component, labels, colours::Black);
    FinishComponent(*component);
    return component;
}

std::unique_ptr<TGruppe> Radial(const Identity& identity, RadialKind kind, QPoint marked,
                                QPoint other, const LabelPlaces& labels) {
    // Leads reach from their holes a little way in under the body.
    constexpr int LeadIn = 60;
    const QPoint a = HoleCentre(marked);
    const QPoint b = HoleCentre(other);
    const QPoint axis = Towards(a, b);
    const QPoint centre = Middle(a, b);
    const int radius = kind == RadialKind::Ceramic ? 170 : 250;
    const Colour body = kind == RadialKind::Electrolytic ? RgbColour(30, 50, 130)
                        : kind == RadialKind::Led        ? RgbColour(225, 30, 30)
                                                         : RgbColour(205, 133, 63);
    auto component = Component(identity);
    component->AddMember(Lead(marked, a + axis * LeadIn));
    component->AddMember(Lead(other, b - axis * LeadIn));
    component->AddMember(Disc(centre, radius, body));
    // Marks beside the body go to its right, or below it when it lies in a row.
    const QPoint across(std::abs(axis.y()), std::abs(axis.x()));
    if (kind == RadialKind::Electrolytic) {
        // The printed stripe on the minus side, and a plus beside the plus lead.
        const QPoint stripe = centre + axis * 160;
        component->AddMember(Polyline({stripe - across * 190, stripe + across * 190}, Marking, 50));
        const QPoint beside = a + across * (radius + 30);
        component->AddMember(Label(QStringLiteral("+"), beside - QPoint(axis.x() * 60, 110), 180));
    } else if (kind == RadialKind::Led) {
        // The flat of the rim on the cathode side.
        const QPoint flat = centre - axis * 200;
        component->AddMember(
            Polyline({flat - across * 150, flat + across * 150}, colours::Black, 20));
    }
    AddLabels(*component, labels, colours::Black);
    FinishComponent(*component);
    return component;
}

std::unique_ptr<TGruppe> DipIc(const Identity& identity, QPoint pin1, int pins,
                               const LabelPlaces& labels) {
    constexpr int Inset = 64;
    constexpr int Overhang = 150;
    const int perSide = pins / 2;
    const QPoint firstLeft = HoleCentre(pin1);
    const QPoint lastRight = HoleCentre(pin1 + QPoint(3, perSide - 1));
    const Rect body{firstLeft.x() + Inset, firstLeft.y() - Overhang, lastRight.x() - Inset,
                    lastRight.y() + Overhang};

    auto component = Component(identity);
    for (int k = 0; k < perSide; ++k) {
        const QPoint hole = pin1 + QPoint(0, k);
        component->AddMember(Lead(hole, {body.Left, HoleCentre(hole).y()}));
    }
    for (int k = 0; k < perSide; ++k) {
        const QPoint hole = pin1 + QPoint(3, perSide - 1 - k);
        component->AddMember(Lead(hole, {body.Right, HoleCentre(hole).y()}));
    }
    component->AddMember(FilledRect(body, RgbColour(45, 45, 45)));
    // The notch in the short edge at pin 1's end, and the dot beside pin 1.
    std::vector<QPoint> notch;
    const QPoint notchCentre((body.Left + body.Right) / 2, body.Top);
    for (int i = 0; i <= 8; ++i) {
        const double t = std::numbers::pi * i / 8;
        notch.emplace_back(notchCentre.x() + int(std::lround(90 * std::cos(t))),
                           notchCentre.y() + int(std::lround(90 * std::sin(t))));
    }
    component->AddMember(Polyline(notch, Marking, 15));
    component->AddMember(Disc({body.Left + 100, body.Top + 110}, 40, Marking));
    AddLabels(*component, labels, colours::White);
    FinishComponent(*component);
    return component;
}

std::unique_ptr<TGruppe> SupplyPins(const Identity& identity, QPoint positive, QPoint negative,
                                    const LabelPlaces& labels) {
    auto component = Component(identity);
    component->AddMember(SolderPin(positive));
    component->AddMember(SolderPin(negative));
    AddLabels(*component, labels, colours::Black);
    FinishComponent(*component);
    return component;
}

} // namespace karvel::datagen
