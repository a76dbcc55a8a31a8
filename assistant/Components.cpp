#include "assistant/Components.h"

#include "assistant/Bt.h"
#include "assistant/BtStyles.h"
#include "assistant/Contours.h"
#include "assistant/Farbcode.h"
#include "assistant/GradientBitmaps.h"
#include "elements/Draht.h"
#include "elements/Geometry.h"
#include "elements/HolePitch.h"
#include "elements/Txtlabel.h"

#include <numbers>

namespace karvel {

namespace {

constexpr Colour LeadColour = 0xC0C0C0;
constexpr Colour LabelBrush = 0x808080;
constexpr Colour ResistorBrush = 0x00FFFF;
constexpr Colour CapacitorBrush = 0x800000;
constexpr int BandPenWidth = 20;
constexpr int PlusPenWidth = 20;
constexpr int EndLinePenWidth = 10;

// What every builder reads: the group, its centre and its parameters in board units.
class Builder {
public:
    explicit Builder(TBt& group) : group_(group), c_(group.Centre) {}

    TBt& Group() const { return group_; }
    QPoint Centre() const { return c_; }
    long double Units(int i) const { return group_.ParamFloat(i) * 100; }
    int Style() const { return group_.Style; }

    void Identity(const QString& identifier, const QString& value, const QString& description) {
        group_.Identifier = identifier.left(TGruppe::IdentifierLength);
        group_.Value = value.left(TGruppe::ValueLength);
        group_.Description = description.left(TGruppe::DescriptionLength);
    }

    // A new member on the group's board.
    template <class T> std::unique_ptr<T> Make() const {
        auto element = std::make_unique<T>();
        element->SetParent(group_.Parent());
        element->SetBMUsage(group_.BMUsage());
        element->SetIstMarkiert(false);
        element->InGroup = true;
        return element;
    }

    std::unique_ptr<TDraht> Line(TBauteilTyp kind, QPoint from, QPoint to, int width,
                                 Colour colour) const {
        auto line = Make<TDraht>();
        line->BauteilTyp = kind;
        line->Nodes = {from, to};
        line->SetStiftbreite(std::int16_t(width));
        line->SetStiftfarbe(colour);
        return line;
    }

    void Leads(long double span, long double diameter) {
        const LeadEnds ends = LeadEndsFor(c_, span);
        AddLead(ends.UpperOuter, ends.UpperInner, diameter);
        AddLead(ends.LowerOuter, ends.LowerInner, diameter);
    }

    // Stroke-less, filled with the gradient chosen in parameter gradientParam.
    void Body(std::unique_ptr<TDraht> body, Colour brush, int gradientParam) {
        body->SetParent(group_.Parent());
        body->SetIstMarkiert(false);
        body->InGroup = true;
        body->SetStiftbreite(0);
        body->SetFuellenFlag(true);
        body->SetBrushfarbe(brush);
        body->SetBMUsage(group_.BMUsage());
        // A picture that is missing leaves the body without a fill bitmap.
        const TBtParam* gradient = group_.Param(gradientParam);
        const QString file = gradient
                                 ? GradientBitmapFile(group_.View().ProgramFolder, Style(),
                                                      group_.Sprache(), gradient->SelectedItem())
                                 : QString();
        if (!file.isEmpty())
            body->LoadFillBitmap(file);
        group_.AddMember(std::move(body));
    }

    void Label(QPoint at, long double height, const QString& text, TPlaceholder source,
               int colourParam) {
        auto label = std::make_unique<TTextLabel>(group_.Sprache());
        label->SetParent(group_.Parent());
        label->SetBMUsage(group_.BMUsage());
        label->SetIstMarkiert(false);
        label->SetStiftfarbe(TextColourOf(group_.ParamInt(colourParam)));
        label->SetBrushfarbe(LabelBrush);
        label->SetStiftbreite(0);
        label->SetFuellenFlag(false);
        label->Angle = 3 * std::numbers::pi / 2;
        label->InGroup = true;
        label->Placeholder = std::uint8_t(source);
        label->Position = at;
        label->TextHeight = std::int16_t(RoundToUnit(height));
        label->SetTextString(text);
        group_.AddMember(std::move(label));
    }

    // The component flag, the shapes its leads are stretched from, its anchors.
    void Finish() {
        group_.IsComponent = true;
        group_.RememberShape();
        group_.CollectAnchors();
    }

    int X(long double dx) const { return c_.x() + RoundToUnit(dx); }
    int Y(long double dy) const { return RoundToUnit(c_.y() + dy); }

private:
    void AddLead(QPoint outer, QPoint inner, long double diameter) {
        auto lead = Make<TDraht>();
        lead->BauteilTyp = TBauteilTyp::btAnschluss;
        lead->SetStiftfarbe(LeadColour);
        lead->SetStiftbreite(std::int16_t(RoundToUnit(diameter)));
        lead->Nodes = {outer, inner};
        lead->Anchors.push_back(group_.HoleIndexOf(outer));
        group_.AddMember(std::move(lead));
    }

    TBt& group_;
    QPoint c_;
};

void BuildResistor(Builder& b) {
    TBt& group = b.Group();
    const long double d = b.Units(0);
    const long double l = b.Units(1);
    const QPoint c = b.Centre();
    b.Identity(QStringLiteral("R#"), QStringLiteral("?"), group.ParamText(3));
    b.Leads(l, b.Units(2));

    auto body = std::make_unique<TDraht>();
    body->BauteilTyp = TBauteilTyp::btPolygon;
    body->Nodes = ResistorOutlineVertices(c, d, l, 0);
    body->SetGlaettenStil(TGlaettenStil::glSpline);
    body->SetGlaettenBetrag(1.0);
    body->SetGlaetten(true);
    b.Body(std::move(body), ResistorBrush, 6);

    b.Label({c.x() + RoundToUnit(d / 2 * 6 / 10), b.Y(-l / 2 * 9 / 10)}, d * 6 / 10,
            QStringLiteral("R1"), TPlaceholder::Identifier, 7);

    auto code = std::make_unique<TFarbcode>(group.Sprache());
    code->SetParent(group.Parent());
    code->SetBMUsage(group.BMUsage());
    for (int band = 0; band < TFarbcode::BandCount; ++band)
        code->AddMember(b.Line(TBauteilTyp::btLine, {0, 0}, {1, 1}, BandPenWidth, colours::Black));
    const int quarter = RoundToUnit(l / 4);
    const int half = RoundToUnit(d / 2 * 9 / 10);
    const int inset = RoundToUnit(quarter / 16.0L);
    code->SetBandRect(c.x() - half + inset, c.y(), c.x() + half - inset, c.y() + quarter);
    code->SetSeries(std::uint8_t(std::clamp(group.ParamInt(5), 0, 255)));
    code->SetIstMarkiert(false);
    code->InGroup = true;
    code->SetResistance(double(group.ParamFloat(4)));
    group.Value = group.ParamText(4).left(TGruppe::ValueLength);
    group.AddMember(std::move(code));

    b.Finish();
    if (group.OnResistorBuilt)
        group.OnResistorBuilt(group);
}

void BuildElko(Builder& b) {
    TBt& group = b.Group();
    const long double d = b.Units(0);
    const long double l = b.Units(1);
    const QPoint c = b.Centre();
    b.Identity(QStringLiteral("C#"), group.ParamText(4), group.ParamText(3));
    b.Leads(l, b.Units(2));

    for (const auto& [colour, dy] : {std::pair{colours::White, -l / 2}, {colours::Black, l / 2}})
        group.AddMember(b.Line(TBauteilTyp::btPolygon, {RoundToUnit(c.x() - 0.4L * d), b.Y(dy)},
                               {RoundToUnit(c.x() + 0.4L * d), b.Y(dy)}, EndLinePenWidth, colour));

    auto body = std::make_unique<TDraht>();
    body->BauteilTyp = TBauteilTyp::btPolygon;
    body->Nodes = ElkoOutlineVertices(c, d, l, 0);
    body->SetGlaetten(true);
    body->SetGlaettenStil(TGlaettenStil::glRundung);
    body->SetGlaettenBetrag(double(d / 20));
    b.Body(std::move(body), CapacitorBrush, 5);

    const Colour text = TextColourOf(group.ParamInt(6));
    const QPoint plus{c.x(), b.Y(l / 2 * 7 / 10)};
    const long double s = d / 4;
    group.AddMember(b.Line(TBauteilTyp::btPolygon, {RoundToUnit(plus.x() - s / 2), plus.y()},
                           {RoundToUnit(plus.x() + s / 2), plus.y()}, PlusPenWidth, text));
    group.AddMember(b.Line(TBauteilTyp::btPolygon, {plus.x(), RoundToUnit(plus.y() - s / 2)},
                           {plus.x(), RoundToUnit(plus.y() + s / 2)}, PlusPenWidth, text));

    const int top = b.Y(-l / 2 * 9 / 10);
    b.Label({b.X(d / 2 * 9 / 10), top}, d * 3 / 10, QStringLiteral("C1"), TPlaceholder::Identifier,
            6);
    b.Label({b.X(-d / 2 / 10), top}, d * 3 / 10, group.Value, TPlaceholder::Value, 6);
    b.Finish();
}

// The capacitor and the diode share a rounded rectangular body.
std::unique_ptr<TDraht> RoundedBody(QPoint c, long double w, long double l) {
    auto body = std::make_unique<TDraht>();
    body->BauteilTyp = TBauteilTyp::btRect;
    body->Nodes = RectangleVertices(c, w, l, 0);
    body->SetGlaetten(true);
    body->SetGlaettenBetrag(double(RoundHalfEven((w + l) / 2 / 20)));
    body->SetGlaettenStil(TGlaettenStil::glRundung);
    return body;
}

void BuildCapacitor(Builder& b) {
    TBt& group = b.Group();
    const long double w = b.Units(0);
    const long double l = b.Units(1);
    b.Identity(QStringLiteral("C#"), group.ParamText(5), group.ParamText(4));
    b.Leads(b.Units(3), b.Units(2));
    b.Body(RoundedBody(b.Centre(), w, l), CapacitorBrush, 6);
    const int top = b.Y(-l / 2 * 9 / 10);
    b.Label({b.X(w / 2 * 9 / 10), top}, w * 3 / 10, QStringLiteral("C1"), TPlaceholder::Identifier,
            7);
    b.Label({b.X(-w / 2 / 10), top}, w * 3 / 10, group.Value, TPlaceholder::Value, 7);
    b.Finish();
}

void BuildDiode(Builder& b) {
    TBt& group = b.Group();
    const long double w = b.Units(0);
    const long double l = b.Units(1);
    const QPoint c = b.Centre();
    b.Identity(QStringLiteral("D#"), group.ParamText(4), group.ParamText(3));
    b.Leads(l, b.Units(2));
    b.Body(RoundedBody(c, w, l), CapacitorBrush, 5);
    b.Label({b.X(w / 2 * 6 / 10), b.Y(-l / 2 * 9 / 10)}, w * 6 / 10, QStringLiteral("D1"),
            TPlaceholder::Identifier, 6);
    const int bandY = b.Y(l / 2 * 7 / 10);
    group.AddMember(b.Line(TBauteilTyp::btLine, {RoundToUnit(c.x() - w / 2 + l / 30), bandY},
                           {RoundToUnit(c.x() + w / 2 - l / 30), bandY}, RoundToUnit(l / 15),
                           TextColourOf(group.ParamInt(6))));
    b.Finish();
}

} // namespace

LeadEnds LeadEndsFor(QPoint centre, long double span) {
    const int pitches = RoundToUnit(span / 2 / HolePitch + 1);
    const int outer = pitches * HolePitch;
    const int cx = centre.x();
    const int cy = centre.y();
    return {{cx, cy - outer},
            {cx, RoundToUnit(cy - span / 2)},
            {cx, cy + outer},
            {cx, RoundToUnit(cy + span / 2)}};
}

void BuildComponent(TBt& group) {
    Builder builder(group);
    switch (BtStyle(group.Style)) {
    case BtStyle::Resistor:
        BuildResistor(builder);
        break;
    case BtStyle::Elko:
        BuildElko(builder);
        break;
    case BtStyle::Capacitor:
        BuildCapacitor(builder);
        break;
    case BtStyle::Diode:
        BuildDiode(builder);
        break;
    default:
        break;
    }
}

} // namespace karvel
