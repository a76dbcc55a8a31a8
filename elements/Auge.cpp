#include "elements/Auge.h"

namespace karvel {

TAuge::TAuge() {
    BauteilTyp = TBauteilTyp::btAuge;
    TBauteil::SetKupferFlag(true);
}

QString TAuge::GetKindName() const {
    return View().Tr(QStringLiteral("Auge"), QStringLiteral("Pad"));
}

} // namespace karvel
