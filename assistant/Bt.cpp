#include "assistant/Bt.h"

#include "assistant/BtStyles.h"
#include "assistant/Components.h"
#include "assistant/Contours.h"
#include "assistant/Farbcode.h"
#include "assistant/HoleGrid.h"
#include "assistant/OhmText.h"
#include "elements/Draht.h"
#include "elements/Geometry.h"
#include "elements/Kreis.h"
#include "stream/ValueReader.h"
#include "stream/ValueWriter.h"

namespace karvel {

namespace {

constexpr int ContourPenWidth = 10; // 0.1 mm

std::unique_ptr<TDraht> Outline(TBauteilTyp kind, std::vector<QPoint> vertices) {
    auto outline = std::make_unique<TDraht>();
    outline->BauteilTyp = kind;
    outline->Nodes = std::move(vertices);
    return outline;
}

} // namespace

TBt::TBt(Language language) : TGruppe(language), language_(language) {
    BuildParams();
    SetStiftfarbe(colours::Black);
}

TBt::~TBt() = default;

void TBt::SetStyle(std::uint8_t style) {
    if (style == Style && paramsStyle_ == style)
        return;
    Style = style;
    BuildParams();
}

void TBt::BuildParams() {
    ClearParams();
    Params = DefaultParams(Style, language_, View().ProgramFolder);
    paramsStyle_ = Style;
}

const TBtParam* TBt::Param(int i) const {
    if (i < 0 || i >= int(Params.size()))
        return nullptr;
    return &Params[std::size_t(i)];
}

std::int32_t TBt::ParamInt(int i) const {
    const TBtParam* param = Param(i);
    return param ? param->IntValue : 0;
}

long double TBt::ParamFloat(int i) const {
    const TBtParam* param = Param(i);
    return param ? param->FloatValue : 0.0L;
}

QString TBt::ParamText(int i) const {
    const TBtParam* param = Param(i);
    return param ? param->Text : QString();
}

QPoint TBt::HoleIndexOf(QPoint board) const {
    return Board ? Board->HoleIndexOf(board) : PlainHoleIndex(board);
}

void TBt::ClearMembers() {
    while (!Members().empty())
        TakeMember(Members().back().get());
}

void TBt::Generate() {
    SetStiftfarbe(colours::Black);
    ClearMembers();
    if (paramsStyle_ != Style)
        BuildParams();
    if (Style < FirstComponentStyle)
        BuildContour();
    else
        BuildComponent(*this);
}

void TBt::BuildContour() {
    const QPoint c = Centre;
    const auto length = [this](int i) { return ParamFloat(i) * 100; };
    const auto angle = [this](int i) { return DegToRad(ParamFloat(i)); };
    std::unique_ptr<TBauteil> outline;
    switch (BtStyle(Style)) {
    case BtStyle::RegularPolygon:
        outline = Outline(TBauteilTyp::btPolygon,
                          RegularPolygonVertices(c, length(0), ParamInt(1), angle(2)));
        break;
    case BtStyle::Rectangle:
        outline =
            Outline(TBauteilTyp::btRect, RectangleVertices(c, length(0), length(1), angle(2)));
        break;
    case BtStyle::Ellipse: {
        auto ellipse = std::make_unique<TKreis>();
        ellipse->BauteilTyp = TBauteilTyp::btKreis;
        ellipse->SetFuellenFlag(false);
        ellipse->Centre = c;
        ellipse->RimPoint = c + QPoint(0, RoundToUnit(length(1) / 2));
        ellipse->Contour().Nodes = EllipseVertices(c, length(0), length(1), angle(2));
        outline = std::move(ellipse);
        break;
    }
    case BtStyle::LetterI:
        outline = Outline(TBauteilTyp::btPolygon,
                          IVertices(c, length(0), length(1), length(2), length(3), angle(4)));
        break;
    case BtStyle::LetterM:
        outline = Outline(TBauteilTyp::btPolygon, LetterVertices('M', c,
                                                                 {.D1 = length(0),
                                                                  .D2 = length(1),
                                                                  .D3 = length(2),
                                                                  .Width = length(3),
                                                                  .Height = length(4)},
                                                                 angle(5)));
        break;
    case BtStyle::LetterH:
    case BtStyle::LetterL:
    case BtStyle::LetterT:
    case BtStyle::LetterU: {
        static constexpr char Letters[] = "HILMTU";
        const char letter = Letters[Style - int(BtStyle::LetterH)];
        outline =
            Outline(TBauteilTyp::btPolygon,
                    LetterVertices(
                        letter, c,
                        {.D1 = length(0), .D2 = length(1), .Width = length(2), .Height = length(3)},
                        angle(4)));
        break;
    }
    case BtStyle::ElkoOutline: {
        outline =
            Outline(TBauteilTyp::btPolygon, ElkoOutlineVertices(c, length(0), length(1), angle(2)));
        outline->SetGlaetten(true);
        outline->SetGlaettenStil(TGlaettenStil::glRundung);
        outline->SetGlaettenBetrag(double(length(0) / 20));
        break;
    }
    case BtStyle::ResistorOutline:
        outline = Outline(TBauteilTyp::btPolygon,
                          ResistorOutlineVertices(c, length(0), length(1), angle(2)));
        outline->SetGlaettenStil(TGlaettenStil::glSpline);
        outline->SetGlaettenBetrag(1.0);
        outline->SetGlaetten(true);
        break;
    default:
        return;
    }
    // Every outline lies on the group's board, the electrolytic capacitor's too.
    outline->SetParent(Parent());
    outline->SetBMUsage(BMUsage());
    outline->SetIstMarkiert(false);
    outline->SetStiftfarbe(colours::Black);
    outline->SetStiftbreite(ContourPenWidth);
    outline->InGroup = Style != std::uint8_t(BtStyle::RegularPolygon);
    AddMember(std::move(outline));
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

void TBt::PropagateIdentity() {
    TGruppe::PropagateIdentity();
    if (Style == std::uint8_t(BtStyle::Resistor))
        UpdateResistorBands();
}

void TBt::UpdateResistorBands() {
    for (const auto& member : Members()) {
        auto* code = dynamic_cast<TFarbcode*>(member.get());
        if (code == nullptr)
            continue;
        // A value that cannot be read as a finite resistance leaves the bands as they are and
        // the group's value at what they show.
        if (const std::optional<double> resistance = ParseOhm(Value))
            code->SetResistance(*resistance);
        Value = FormatOhm(code->Resistance).left(ValueLength);
    }
}

} // namespace karvel
