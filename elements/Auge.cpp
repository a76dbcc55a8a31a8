#include "elements/Auge.h"

#include "elements/CopperColours.h"
#include "elements/Geometry.h"

namespace karvel {

namespace {

constexpr Colour OutlineFill = 15395562;

void FilledCircle(Canvas& canvas, const Rect& r, Colour colour) {
    canvas.SetPenColour(colour);
    canvas.SetBrushColour(colour);
    canvas.DrawEllipse(r);
}

} // namespace

TAuge::TAuge() {
    BauteilTyp = TBauteilTyp::btAuge;
    TBauteil::SetKupferFlag(true);
}

Rect TAuge::CircleRect() const {
    const long double r = (long double)Diameter * 100.0L / 2.0L;
    return {RoundToUnit(Centre.x() - r), RoundToUnit(Centre.y() - r), RoundToUnit(Centre.x() + r),
            RoundToUnit(Centre.y() + r)};
}

Rect TAuge::GetBounds(Canvas& canvas) {
    return Normalised(RoundElement::GetBounds(canvas));
}

std::optional<Region> TAuge::CreateRegion(Canvas& canvas) {
    return Region::FromEllipse(Normalised(canvas.LPtoDP(GetBounds(canvas))));
}

void TAuge::Draw(Canvas& canvas) {
    if (!IsOnWorkingSide() && !IsXRayGhost())
        return;
    const Rect circle = CircleRect();
    const Colour copper = CopperColours::For(View()).Copper;
    canvas.SetPenWidth(0);
    canvas.SetPenStyle(PenStyle::Solid);
    canvas.SetBrushStyle(BrushStyle::Solid);
    // Test voltage and unused area outrank the selection, so the continuity result stays
    // visible on a selected pad.
    if (HatTestSpannung()) {
        FilledCircle(canvas, circle, colours::TestVoltage);
    } else if (istFreierBereich()) {
        FilledCircle(canvas, circle, colours::Unused);
    } else if (IstMarkiert()) {
        const Colour brush = canvas.BrushColour();
        canvas.SetBrushColour(copper);
        canvas.SetPenColour(colours::Selected);
        canvas.DrawEllipse(circle);
        canvas.SetBrushColour(brush);
    } else if (UmrissFlag()) {
        FilledCircle(canvas, circle, OutlineFill);
    } else {
        const Colour pen = canvas.PenColour();
        const Colour brush = canvas.BrushColour();
        FilledCircle(canvas, circle, copper);
        canvas.SetPenColour(pen);
        canvas.SetBrushColour(brush);
    }
}

QString TAuge::GetKindName() const {
    return View().Tr(QStringLiteral("Auge"), QStringLiteral("Pad"));
}

} // namespace karvel
