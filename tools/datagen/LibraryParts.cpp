#include "tools/datagen/LibraryParts.h"

#include "assistant/Bt.h"
#include "assistant/BtStyles.h"
#include "assistant/Farbcode.h"
#include "tools/datagen/HoleGrid.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace karvel::datagen {

namespace {

constexpr int TextHeight = 130;
constexpr int PinTextHeight = 100;
constexpr int SignHeight = 160;
constexpr int LabelGap = 40;
// Leads of standing parts reach this far from their holes in under the body.
constexpr int LeadIn = 40;
constexpr int OutlineWidth = 10;
// The colour code's series of the resistors: E24.
constexpr int StandardSeries = 2;

constexpr Colour Outline = RgbColour(20, 20, 20);
constexpr Colour Plastic = RgbColour(35, 35, 35);
constexpr Colour DarkGrey = RgbColour(75, 75, 75);
constexpr Colour Silver = RgbColour(195, 195, 200);
constexpr Colour PinGold = RgbColour(210, 175, 70);
constexpr Colour White = RgbColour(245, 245, 245);
constexpr Colour CarbonBody = RgbColour(222, 196, 150);
constexpr Colour MetalFilmBody = RgbColour(120, 170, 215);
constexpr Colour ElectrolyticBlue = RgbColour(30, 50, 130);
constexpr Colour ElectrolyticStripe = RgbColour(195, 200, 215);
constexpr Colour Gold = RgbColour(212, 175, 55);
constexpr Colour Brown = RgbColour(140, 70, 20);

QPoint Down(QPoint hole, int rows) {
    return hole + QPoint(0, rows);
}

Rect Around(QPoint centre, int halfWidth, int halfHeight) {
    return {centre.x() - halfWidth, centre.y() - halfHeight, centre.x() + halfWidth,
            centre.y() + halfHeight};
}

// Points on an ellipse from one angle to another (radians, y growing downwards).
std::vector<QPoint> Arc(QPoint centre, int rx, int ry, double from, double to, int steps) {
    std::vector<QPoint> points;
    for (int i = 0; i <= steps; ++i) {
        const double t = from + (to - from) * i / steps;
        points.emplace_back(centre.x() + int(std::lround(rx * std::cos(t))),
                            centre.y() + int(std::lround(ry * std::sin(t))));
    }
    return points;
}

std::vector<QPoint> Circle(QPoint centre, int radius) {
    std::vector<QPoint> points = Arc(centre, radius, radius, 0, 2 * std::numbers::pi, 48);
    points.pop_back(); // the last point repeats the first
    return points;
}

// A rectangle with its corners rounded by a quarter circle each.
std::vector<QPoint> RoundedRect(const Rect& r, int radius) {
    constexpr double Quarter = std::numbers::pi / 2;
    const struct {
        QPoint Centre;
        double From;
    } corners[] = {{{r.Right - radius, r.Bottom - radius}, 0},
                   {{r.Left + radius, r.Bottom - radius}, Quarter},
                   {{r.Left + radius, r.Top + radius}, 2 * Quarter},
                   {{r.Right - radius, r.Top + radius}, 3 * Quarter}};
    std::vector<QPoint> points;
    for (const auto& corner : corners) {
        const std::vector<QPoint> arc =
            Arc(corner.Centre, radius, radius, corner.From, corner.From + Quarter, 6);
        points.insert(points.end(), arc.begin(), arc.end());
    }
    return points;
}

std::unique_ptr<TDraht> Shape(std::vector<QPoint> points, Colour fill, Colour pen = Outline,
                              int width = OutlineWidth) {
    auto shape = std::make_unique<TDraht>();
    shape->BauteilTyp = TBauteilTyp::btPolygon;
    shape->Nodes = std::move(points);
    shape->SetStiftbreite(std::int16_t(width));
    shape->SetStiftfarbe(pen);
    shape->SetBrushfarbe(fill);
    shape->SetFuellenFlag(true);
    shape->SetIstMarkiert(false);
    return shape;
}

std::unique_ptr<TDraht> Box(const Rect& rect, Colour fill, int outlineWidth = OutlineWidth) {
    auto box = FilledRect(rect, fill);
    box->SetStiftbreite(std::int16_t(outlineWidth));
    return box;
}

// A contact without a lead: a pin in its hole, drawn as a dot.
std::unique_ptr<TDraht> Pin(QPoint hole, Colour colour, int width) {
    auto pin = SolderPin(hole);
    pin->SetStiftfarbe(colour);
    pin->SetStiftbreite(std::int16_t(width));
    return pin;
}

// A short line across a point, as a slot in a screw head.
std::unique_ptr<TDraht> Slot(QPoint centre, QPoint halfLength, int width) {
    return Polyline({centre - halfLength, centre + halfLength}, Plastic, width);
}

// Identifier and value to the right of the body, one under the other.
void LabelsBeside(TGruppe& part, const Rect& body) {
    const QPoint at(body.Right + LabelGap, body.Top);
    part.AddMember(PlaceholderLabel(TPlaceholder::Identifier, at, TextHeight));
    part.AddMember(PlaceholderLabel(TPlaceholder::Value, at + QPoint(0, 170), TextHeight));
}

// Identifier and value in a row above a wide body.
void LabelsAbove(TGruppe& part, const Rect& body) {
    const QPoint at(body.Left, body.Top - 190);
    part.AddMember(PlaceholderLabel(TPlaceholder::Identifier, at, TextHeight));
    part.AddMember(PlaceholderLabel(TPlaceholder::Value, at + QPoint(400, 0), TextHeight));
}

// A pin name beside a pin, its text ending a little left of the given x.
void NameLeftOf(TGruppe& part, const QString& name, int right, int y, Colour colour) {
    // Arial capitals are about 0.7 of their height wide.
    const int width = int(name.size()) * PinTextHeight * 7 / 10;
    part.AddMember(
        Label(name, {right - LabelGap - width, y - PinTextHeight / 2 - 10}, PinTextHeight, colour));
}

// A plus sign whose right edge is at the point, vertically centred on it.
void PlusSign(TGruppe& part, QPoint rightMiddle) {
    part.AddMember(Label(QStringLiteral("+"),
                         rightMiddle - QPoint(SignHeight * 6 / 10, SignHeight / 2 + 10), SignHeight,
                         colours::Black));
}

// A resistor as the component assistant makes one: a component whose colour code follows its
// value, so that bands and value agree whatever value the user gives it.
std::unique_ptr<TBt> ResistorComponent(const Identity& identity) {
    auto part = std::make_unique<TBt>(Language::German);
    part->Style = std::uint8_t(BtStyle::Resistor);
    part->IsComponent = true;
    part->Identifier = identity.Identifier;
    part->Number = std::int16_t(identity.Number);
    part->Value = identity.Value;
    part->Description = identity.Description;
    return part;
}

// The colour bands of a value in a series (0 E6 .. 4 E96) laid across a rectangle: band 4 on
// its top edge, band 1 a quarter of its height above the bottom.
std::unique_ptr<TFarbcode> ColourCode(const Rect& bands, int series, int ohms) {
    auto code = std::make_unique<TFarbcode>(Language::German);
    for (int band = 0; band < TFarbcode::BandCount; ++band) {
        auto line = Polyline({{0, 0}, {1, 1}}, colours::Black, 20);
        line->BauteilTyp = TBauteilTyp::btLine;
        code->AddMember(std::move(line));
    }
    // The round ends of the band lines stay inside the body.
    const int inset = (bands.Bottom - bands.Top) / 16 + OutlineWidth;
    code->SetBandRect(bands.Left + inset, bands.Top, bands.Right - inset, bands.Bottom);
    code->SetSeries(std::uint8_t(series));
    code->SetResistance(ohms);
    code->SetIstMarkiert(false);
    return code;
}

// A band across a vertical body at a fraction of its length from the top.
std::unique_ptr<TDraht> Band(const Rect& body, double at, double width, Colour colour) {
    const int length = body.Bottom - body.Top;
    const int top = body.Top + int(std::lround(at * length));
    auto band = Box({body.Left, top, body.Right, top + int(std::lround(width * length))}, colour);
    band->SetStiftbreite(0);
    return band;
}

// The two leads of a part lying between two holes of a column, to the ends of its body.
void LyingLeads(TGruppe& part, QPoint first, int pitches, const Rect& body) {
    const int x = HoleCentre(first).x();
    part.AddMember(Lead(first, {x, body.Top}));
    part.AddMember(Lead(Down(first, pitches), {x, body.Bottom}));
}

// The two leads of a part standing over two holes of a column, reaching in under its body.
void StandingLeads(TGruppe& part, QPoint first, int pitches) {
    const QPoint a = HoleCentre(first);
    const QPoint b = HoleCentre(Down(first, pitches));
    part.AddMember(Lead(first, a + QPoint(0, LeadIn)));
    part.AddMember(Lead(Down(first, pitches), b - QPoint(0, LeadIn)));
}

// A vertical body centred between two holes of a column.
Rect BodyBetween(QPoint first, int pitches, int length, int thickness) {
    const QPoint a = HoleCentre(first);
    const QPoint mid(a.x(), a.y() + HolePitch * pitches / 2);
    return Around(mid, thickness / 2, length / 2);
}

QPoint Centre(const Rect& r) {
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

std::unique_ptr<TGruppe> Finished(std::unique_ptr<TGruppe> part) {
    FinishComponent(*part);
    return part;
}

// A resistor brings its value into the form its bands show only after it has handed the
// value on to its members: handing it on once more gives them that form too, as reading the
// page back does.
std::unique_ptr<TGruppe> FinishedResistor(std::unique_ptr<TGruppe> part) {
    FinishComponent(*part);
    part->PropagateIdentity();
    return part;
}

} // namespace

// --- Two-lead parts --------------------------------------------------------------------------

std::unique_ptr<TGruppe> LyingResistor(const Identity& identity, QPoint first, int pitches,
                                       ResistorKind kind, const ResistorSize& size, int ohms) {
    const bool metal = kind == ResistorKind::MetalFilm;
    const Rect body = BodyBetween(first, pitches, size.BodyLength, size.BodyThickness);
    auto part = ResistorComponent(identity);
    LyingLeads(*part, first, pitches, body);
    part->AddMember(
        Shape(RoundedRect(body, size.BodyThickness / 3), metal ? MetalFilmBody : CarbonBody));
    // The tolerance band near the first lead, the digits and the multiplier read from the
    // other end. Both kinds take E24 values, so that a value such as 68k or 470 stays what
    // the user typed (E96 would make them 68.1k and 475).
    const double step = metal ? 0.11 : 0.14;
    const double width = metal ? 0.07 : 0.09;
    part->AddMember(Band(body, 0.14, width, metal ? Brown : Gold));
    const int length = body.Bottom - body.Top;
    const int firstBand = body.Top + int(std::lround(0.80 * length));
    const int quarter = int(std::lround(step * length));
    part->AddMember(
        ColourCode({body.Left, firstBand - 3 * quarter, body.Right, firstBand + quarter},
                   StandardSeries, ohms));
    LabelsBeside(*part, body);
    return FinishedResistor(std::move(part));
}

std::unique_ptr<TGruppe> StandingResistor(const Identity& identity, QPoint first, int ohms) {
    constexpr int Radius = 130;
    constexpr int BandHalfWidth = 80;
    const QPoint a = HoleCentre(first);
    auto part = ResistorComponent(identity);
    part->AddMember(Lead(first, a + QPoint(0, LeadIn)));
    part->AddMember(Disc(a, Radius, CarbonBody));
    // The second lead comes up beside the body and is bent back over its top.
    part->AddMember(Lead(Down(first, 1), a + QPoint(0, LeadIn / 2)));
    // The bands across the top of the body, over the bent lead so that they show.
    part->AddMember(ColourCode({a.x() - BandHalfWidth, a.y() - BandHalfWidth, a.x() + BandHalfWidth,
                                a.y() + BandHalfWidth + 20},
                               StandardSeries, ohms));
    LabelsBeside(*part, Around(a, Radius, Radius));
    return FinishedResistor(std::move(part));
}

std::unique_ptr<TGruppe> FlatCapacitor(const Identity& identity, QPoint first, int pitches,
                                       FlatCapacitorKind kind) {
    struct Look {
        int Length;
        int Thickness;
        int Rounding;
        Colour Fill;
    };
    const Look look =
        kind == FlatCapacitorKind::CeramicBead   ? Look{420, 250, 125, RgbColour(225, 170, 40)}
        : kind == FlatCapacitorKind::CeramicDisc ? Look{640, 280, 140, RgbColour(205, 133, 63)}
                                                 : Look{720, 350, 35, RgbColour(200, 35, 35)};
    const Rect body = BodyBetween(first, pitches, look.Length, look.Thickness);
    auto part = Component(identity);
    part->AddMember(Shape(RoundedRect(body, look.Rounding), look.Fill));
    // Drawn over the body, so that the holes stay in sight.
    StandingLeads(*part, first, pitches);
    LabelsBeside(*part, body);
    return Finished(std::move(part));
}

std::unique_ptr<TGruppe> RadialElectrolytic(const Identity& identity, QPoint plus, int pitches,
                                            int diameter) {
    const int radius = diameter / 2;
    const Rect body = BodyBetween(plus, pitches, diameter, diameter);
    const QPoint centre = Centre(body);
    auto part = Component(identity);
    part->AddMember(Disc(centre, radius, ElectrolyticBlue));
    // The printed stripe along the minus side, on the second lead's half.
    constexpr double Half = 0.8;
    constexpr double Bottom = std::numbers::pi / 2;
    part->AddMember(Shape(Arc(centre, radius, radius, Bottom - Half, Bottom + Half, 12),
                          ElectrolyticStripe, Outline, 0));
    part->AddMember(Label(QStringLiteral("−"), centre + QPoint(-60, radius * 2 / 3 - 40),
                          SignHeight, ElectrolyticBlue));
    PlusSign(*part, {body.Left - 30, HoleCentre(plus).y()});
    StandingLeads(*part, plus, pitches);
    LabelsBeside(*part, body);
    return Finished(std::move(part));
}

std::unique_ptr<TGruppe> AxialElectrolytic(const Identity& identity, QPoint plus, int pitches) {
    const Rect body = BodyBetween(plus, pitches, 1000, 500);
    auto part = Component(identity);
    LyingLeads(*part, plus, pitches, body);
    part->AddMember(Shape(RoundedRect(body, 90), ElectrolyticBlue));
    // The minus end carries the stripe; the plus end the groove of its seal.
    part->AddMember(Band(body, 0.70, 0.24, ElectrolyticStripe));
    part->AddMember(Label(QStringLiteral("−"), {Centre(body).x() - 60, body.Top + 760}, SignHeight,
                          ElectrolyticBlue));
    part->AddMember(Polyline({{body.Left + 20, body.Top + 110}, {body.Right - 20, body.Top + 110}},
                             Outline, 15));
    PlusSign(*part, {body.Left - 30, body.Top + 60});
    LabelsBeside(*part, body);
    return Finished(std::move(part));
}

std::unique_ptr<TGruppe> Diode(const Identity& identity, QPoint cathode, DiodeCase diodeCase) {
    const bool glass = diodeCase == DiodeCase::Do35;
    const int pitches = glass ? 3 : 4;
    const Rect body =
        glass ? BodyBetween(cathode, pitches, 380, 180) : BodyBetween(cathode, pitches, 520, 270);
    auto part = Component(identity);
    LyingLeads(*part, cathode, pitches, body);
    part->AddMember(Shape(RoundedRect(body, glass ? 60 : 50),
                          glass ? RgbColour(235, 125, 55) : RgbColour(45, 45, 45)));
    // The cathode band at the first lead.
    part->AddMember(Band(body, 0.07, glass ? 0.16 : 0.17,
                         glass ? RgbColour(20, 20, 20) : RgbColour(205, 205, 205)));
    LabelsBeside(*part, body);
    return Finished(std::move(part));
}

std::unique_ptr<TGruppe> RoundLed(const Identity& identity, QPoint cathode, int diameter) {
    const int dome = diameter / 2;
    const int rim = dome + 40;
    const QPoint centre = Centre(BodyBetween(cathode, 1, 0, 0));
    auto part = Component(identity);
    // The rim is cut flat on the cathode side.
    std::vector<QPoint> outline = Circle(centre, rim);
    const int flat = centre.y() - rim + 45;
    for (QPoint& p : outline)
        p.setY(std::max(p.y(), flat));
    part->AddMember(Shape(std::move(outline), RgbColour(160, 20, 20)));
    part->AddMember(Disc(centre, dome, RgbColour(230, 40, 40)));
    part->AddMember(
        Disc(centre + QPoint(-dome / 3, -dome / 4), dome / 6, RgbColour(255, 150, 150)));
    StandingLeads(*part, cathode, 1);
    LabelsBeside(*part, Around(centre, rim, rim));
    return Finished(std::move(part));
}

std::unique_ptr<TGruppe> Crystal(const Identity& identity, QPoint first) {
    const Rect body = BodyBetween(first, 2, 1150, 470);
    auto part = Component(identity);
    part->AddMember(Shape(RoundedRect(body, 235), Silver));
    const Rect lid{body.Left + 60, body.Top + 60, body.Right - 60, body.Bottom - 60};
    part->AddMember(
        Shape(RoundedRect(lid, 175), RgbColour(220, 220, 225), RgbColour(150, 150, 155)));
    StandingLeads(*part, first, 2);
    LabelsBeside(*part, body);
    return Finished(std::move(part));
}

// --- Parts with three or more contacts ------------------------------------------------------

std::unique_ptr<TGruppe> To92(const Identity& identity, QPoint pin1, const PinNames& pins) {
    constexpr int Radius = 245;
    const QPoint middle = HoleCentre(Down(pin1, 1));
    const QPoint centre = middle + QPoint(40, 0);
    const int flat = centre.x() - 150;
    auto part = Component(identity);
    // The outer legs are bent out to their holes from under the body.
    for (int k = 0; k < 3; ++k) {
        const QPoint hole = HoleCentre(Down(pin1, k));
        const QPoint underBody =
            k == 1 ? hole + QPoint(LeadIn, 0) : QPoint(middle.x(), (middle.y() + hole.y()) / 2);
        part->AddMember(Lead(Down(pin1, k), underBody));
    }
    std::vector<QPoint> outline = Circle(centre, Radius);
    for (QPoint& p : outline)
        p.setX(std::max(p.x(), flat));
    part->AddMember(Shape(std::move(outline), Plastic));
    for (int k = 0; k < 3; ++k)
        NameLeftOf(*part, pins.at(std::size_t(k)), flat, HoleCentre(Down(pin1, k)).y(),
                   colours::Black);
    LabelsBeside(*part, Around(centre, Radius, Radius));
    return Finished(std::move(part));
}

std::unique_ptr<TGruppe> To220(const Identity& identity, QPoint pin1, const PinNames& pins) {
    const QPoint middle = HoleCentre(Down(pin1, 1));
    const Rect body{middle.x() - 230, middle.y() - 508, middle.x() + 220, middle.y() + 508};
    const Rect tab{body.Right, body.Top, body.Right + 130, body.Bottom};
    auto part = Component(identity);
    for (int k = 0; k < 3; ++k)
        part->AddMember(Lead(Down(pin1, k), HoleCentre(Down(pin1, k)) + QPoint(LeadIn, 0)));
    part->AddMember(Box(tab, Silver));
    part->AddMember(Box(body, Plastic));
    for (int k = 0; k < 3; ++k)
        NameLeftOf(*part, pins.at(std::size_t(k)), body.Left, HoleCentre(Down(pin1, k)).y(),
                   colours::Black);
    LabelsBeside(*part, {body.Left, body.Top, tab.Right, body.Bottom});
    return Finished(std::move(part));
}

std::unique_ptr<TGruppe> DipSocket(const Identity& identity, QPoint pin1, int pins,
                                   int rowPitches) {
    const int perSide = pins / 2;
    const QPoint first = HoleCentre(pin1);
    const QPoint last = HoleCentre(pin1 + QPoint(rowPitches, perSide - 1));
    const Rect frame{first.x() - 125, first.y() - 180, last.x() + 125, last.y() + 180};
    auto part = Component(identity);
    part->AddMember(Box(frame, Plastic));
    part->AddMember(
        Box({first.x() + 120, first.y() + 40, last.x() - 120, last.y() - 40}, DarkGrey));
    // The notch at pin 1's end, and a mark in the corner beside pin 1.
    const QPoint notch((frame.Left + frame.Right) / 2, frame.Top);
    part->AddMember(Polyline(Arc(notch, 75, 75, 0, std::numbers::pi, 8), Silver, 15));
    part->AddMember(Shape({{frame.Left + 10, frame.Top + 10},
                           {frame.Left + 100, frame.Top + 10},
                           {frame.Left + 10, frame.Top + 100}},
                          Silver, Outline, 0));
    for (int k = 0; k < perSide; ++k)
        part->AddMember(Pin(pin1 + QPoint(0, k), PinGold, 90));
    for (int k = perSide - 1; k >= 0; --k)
        part->AddMember(Pin(pin1 + QPoint(rowPitches, k), PinGold, 90));
    LabelsBeside(*part, frame);
    return Finished(std::move(part));
}

std::unique_ptr<TGruppe> PinHeader(const Identity& identity, QPoint pin1, int rows, int columns) {
    const QPoint first = HoleCentre(pin1);
    const QPoint last = HoleCentre(pin1 + QPoint(columns - 1, rows - 1));
    const Rect body{first.x() - HalfPitch, first.y() - HalfPitch, last.x() + HalfPitch,
                    last.y() + HalfPitch};
    auto part = Component(identity);
    part->AddMember(Box(body, RgbColour(25, 25, 25)));
    for (int row = 1; row < rows; ++row) {
        const int y = first.y() + row * HolePitch - HalfPitch;
        part->AddMember(
            Polyline({{body.Left + 20, y}, {body.Right - 20, y}}, RgbColour(80, 80, 80), 10));
    }
    for (int column = 1; column < columns; ++column) {
        const int x = first.x() + column * HolePitch - HalfPitch;
        part->AddMember(
            Polyline({{x, body.Top + 20}, {x, body.Bottom - 20}}, RgbColour(80, 80, 80), 10));
    }
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            const QPoint hole = pin1 + QPoint(column, row);
            auto square = Box(Around(HoleCentre(hole), 34, 34), PinGold, 0);
            part->AddMember(std::move(square));
            part->AddMember(Pin(hole, PinGold, 40));
        }
    }
    // Pin 1 is marked by a triangle pointing at it.
    part->AddMember(Shape({{body.Left - 150, first.y() - 60},
                           {body.Left - 150, first.y() + 60},
                           {body.Left - 40, first.y()}},
                          DarkGrey, Outline, 0));
    LabelsBeside(*part, body);
    return Finished(std::move(part));
}

std::unique_ptr<TGruppe> ScrewTerminal(const Identity& identity, QPoint pin1, int ways) {
    constexpr int Step = 2; // 5.08 mm
    const QPoint first = HoleCentre(pin1);
    const QPoint last = HoleCentre(Down(pin1, Step * (ways - 1)));
    const Rect body{first.x() - 380, first.y() - HolePitch, first.x() + 350, last.y() + HolePitch};
    auto part = Component(identity);
    part->AddMember(Box(body, RgbColour(30, 135, 75)));
    for (int way = 1; way < ways; ++way) {
        const int y = first.y() + way * Step * HolePitch - HolePitch;
        part->AddMember(Polyline({{body.Left, y}, {body.Right, y}}, RgbColour(15, 85, 45), 15));
    }
    for (int way = 0; way < ways; ++way) {
        const QPoint hole = Down(pin1, Step * way);
        const QPoint centre = HoleCentre(hole);
        // The wire entry on the left, the screw above the pin.
        part->AddMember(Box({body.Left, centre.y() - 130, body.Left + 90, centre.y() + 130},
                            RgbColour(25, 45, 30)));
        part->AddMember(Disc(centre, 155, Silver));
        part->AddMember(Slot(centre, {95, -95}, 30));
        part->AddMember(Pin(hole, RgbColour(90, 90, 90), 40));
    }
    LabelsBeside(*part, body);
    return Finished(std::move(part));
}

std::unique_ptr<TGruppe> DcJack(const Identity& identity, QPoint sleeve) {
    const QPoint centrePin = Down(sleeve, 2);
    const QPoint switchPin = sleeve + QPoint(2, 1);
    const QPoint s = HoleCentre(sleeve);
    const Rect body{s.x() - 450, s.y() - 700, s.x() + 450, s.y() + 700};
    auto part = Component(identity);
    part->AddMember(Box(body, Plastic));
    // The collar around the opening at the front.
    part->AddMember(Box({body.Left, body.Top, body.Right, body.Top + 170}, DarkGrey));
    part->AddMember(Label(QStringLiteral("DC"), {s.x() - 110, s.y() - 420}, PinTextHeight, White));
    part->AddMember(Pin(centrePin, Silver, 100));
    part->AddMember(Pin(sleeve, Silver, 100));
    part->AddMember(Lead(switchPin, {body.Right, HoleCentre(switchPin).y()}));
    part->AddMember(Label(QStringLiteral("+"), HoleCentre(centrePin) + QPoint(-190, -70),
                          PinTextHeight, White));
    part->AddMember(Label(QStringLiteral("−"), s + QPoint(-190, -70), PinTextHeight, White));
    LabelsBeside(*part, {body.Left, body.Top, HoleCentre(switchPin).x(), body.Bottom});
    return Finished(std::move(part));
}

std::unique_ptr<TGruppe> Potentiometer(const Identity& identity, QPoint pin1) {
    const QPoint first = HoleCentre(pin1);
    const QPoint middle = HoleCentre(Down(pin1, 2));
    const Rect body{first.x() + 180, middle.y() - 820, first.x() + 1820, middle.y() + 820};
    const QPoint shaft = Centre(body);
    auto part = Component(identity);
    for (int k = 0; k < 3; ++k) {
        const QPoint hole = Down(pin1, 2 * k);
        part->AddMember(Lead(hole, {body.Left, HoleCentre(hole).y()}));
    }
    part->AddMember(Box(body, RgbColour(170, 170, 175)));
    part->AddMember(Disc(shaft, 480, RgbColour(200, 200, 205)));
    part->AddMember(Disc(shaft, 300, RgbColour(230, 230, 230)));
    part->AddMember(Slot(shaft, {0, 240}, 45));
    LabelsAbove(*part, body);
    return Finished(std::move(part));
}

std::unique_ptr<TGruppe> LyingTrimmer(const Identity& identity, QPoint pin1) {
    const QPoint first = HoleCentre(pin1);
    const QPoint centre = first + QPoint(HalfPitch, HolePitch * 2);
    const Rect body = Around(centre, 500, 560);
    auto part = Component(identity);
    part->AddMember(Box(body, RgbColour(40, 90, 200)));
    part->AddMember(Disc(centre + QPoint(-60, 0), 230, White));
    part->AddMember(Slot(centre + QPoint(-60, 0), {150, 0}, 40));
    part->AddMember(Slot(centre + QPoint(-60, 0), {0, 150}, 40));
    part->AddMember(Pin(pin1, Silver, 90));
    part->AddMember(Pin(pin1 + QPoint(2, 2), Silver, 90));
    part->AddMember(Pin(Down(pin1, 4), Silver, 90));
    LabelsBeside(*part, body);
    return Finished(std::move(part));
}

std::unique_ptr<TGruppe> SpindleTrimmer(const Identity& identity, QPoint pin1) {
    const QPoint middle = HoleCentre(Down(pin1, 1));
    const Rect body = Around(middle, 240, 476);
    auto part = Component(identity);
    part->AddMember(Box(body, RgbColour(40, 90, 200)));
    const QPoint screw(middle.x() + 120, body.Top + 120);
    part->AddMember(Disc(screw, 95, RgbColour(205, 165, 60)));
    part->AddMember(Slot(screw, {60, 0}, 25));
    for (int k = 0; k < 3; ++k)
        part->AddMember(Pin(Down(pin1, k), Silver, 80));
    LabelsBeside(*part, body);
    return Finished(std::move(part));
}

std::unique_ptr<TGruppe> PushButton(const Identity& identity, QPoint pin1) {
    const QPoint first = HoleCentre(pin1);
    const QPoint centre = first + QPoint(HolePitch * 3 / 2, HolePitch);
    const Rect body = Around(centre, 300, 300);
    auto part = Component(identity);
    for (const QPoint offset : {QPoint(0, 0), QPoint(3, 0), QPoint(0, 2), QPoint(3, 2)}) {
        const QPoint hole = pin1 + offset;
        const int edge = offset.x() == 0 ? body.Left : body.Right;
        part->AddMember(Lead(hole, {edge, HoleCentre(hole).y()}));
    }
    part->AddMember(Box(body, RgbColour(40, 40, 40)));
    for (const QPoint corner : {QPoint(-1, -1), QPoint(1, -1), QPoint(1, 1), QPoint(-1, 1)})
        part->AddMember(Disc(centre + corner * 215, 35, RgbColour(150, 150, 150)));
    part->AddMember(Disc(centre, 175, RgbColour(95, 95, 95)));
    // Beside the legs on the right, not over them.
    LabelsBeside(*part, {body.Left, body.Top, first.x() + 3 * HolePitch + 60, body.Bottom});
    return Finished(std::move(part));
}

std::unique_ptr<TGruppe> DilRelay(const Identity& identity, QPoint pin1) {
    constexpr int RowPitches = 3;
    constexpr int PerSide = 8;
    const QPoint first = HoleCentre(pin1);
    const QPoint last = HoleCentre(pin1 + QPoint(RowPitches, PerSide - 1));
    const Rect body{first.x() - 130, first.y() - 160, last.x() + 130, last.y() + 160};
    auto part = Component(identity);
    part->AddMember(Box(body, RgbColour(55, 95, 180)));
    part->AddMember(Shape({{body.Left + 15, body.Top + 15},
                           {body.Left + 105, body.Top + 15},
                           {body.Left + 15, body.Top + 105}},
                          White, Outline, 0));
    part->AddMember(Label(QStringLiteral("5V"), Centre(body) + QPoint(-90, -80), 150, White));
    // Pins 1, 4, 6 and 8 down the left column, 9, 11, 13 and 16 up the right one.
    for (const int row : {0, 3, 5, 7})
        part->AddMember(Pin(pin1 + QPoint(0, row), Silver, 90));
    for (const int row : {7, 5, 3, 0})
        part->AddMember(Pin(pin1 + QPoint(RowPitches, row), Silver, 90));
    LabelsBeside(*part, body);
    return Finished(std::move(part));
}

} // namespace karvel::datagen
