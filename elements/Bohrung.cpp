#include "elements/Bohrung.h"

namespace karvel {

TBohrung::TBohrung() {
    BauteilTyp = TBauteilTyp::btBohrung;
    TBauteil::SetKupferFlag(false);
    TBauteil::SetFraesen(false);
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
