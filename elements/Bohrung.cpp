#include "elements/Bohrung.h"

#include "elements/Geometry.h"

namespace karvel {

namespace {

constexpr Colour DrillingBrush = 8421504;
// Drillings wider than this show a cross, the centre mark for the drill.
constexpr double CrossFromDiameter = 2.0;

} // namespace

TBohrung::TBohrung() {
    BauteilTyp = TBauteilTyp::btBohrung;
    TBauteil::SetKupferFlag(false);
    TBauteil::SetFraesen(false);
}

void TBohrung::Draw(Canvas& canvas) {
    if (!IsOnWorkingSide() && !IsXRayGhost())
        return;
    const int r = Radius();
    const QPoint c = Centre;
    canvas.SetPen(IstMarkiert() ? colours::Selected : colours::Silver, 0);
    canvas.SetBrush(DrillingBrush, UmrissFlag() ? BrushStyle::Clear : BrushStyle::Solid);
    canvas.DrawEllipse({c.x() - r, c.y() - r, c.x() + r, c.y() + r});
    if (Diameter > CrossFromDiameter) {
        const int arm = r / 2;
        canvas.SetPenColour(colours::Silver);
        canvas.Line({c.x() - arm, c.y()}, {c.x() + arm, c.y()});
        canvas.Line({c.x(), c.y() - arm}, {c.x(), c.y() + arm});
    }
}

std::optional<Region> TBohrung::CreateRegion(Canvas& canvas) {
    // One pixel more on every side, so that the outline drawn on the rim belongs to it.
    const Rect r = Normalised(canvas.LPtoDP(GetBounds(canvas)));
    return Region::FromEllipse(Inflated(r, 1));
}

QString TBohrung::GetKindName() const {
    return View().Tr(QStringLiteral("Bohrung"), QStringLiteral("Drilling"));
}

bool TBohrung::EditProperties() {
    if (dialog_ == nullptr)
        return false;
    const std::optional<double> diameter =
        dialog_->Ask(View().Tr(QStringLiteral("Bohrung"), QStringLiteral("Drilling")), Diameter);
    if (!diameter)
        return false;
    Diameter = *diameter;
    return true;
}

} // namespace karvel
