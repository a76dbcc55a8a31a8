// Keeping the edits of a board inside the range a file can hold.

#include "board/Platine.h"
#include "board/StorableRange.h"

namespace karvel {

TPlatine::RangeCheck TPlatine::BeginRangeCheck(const std::vector<TBauteil*>& elements) const {
    return {StoredSpan(elements), modified_};
}

bool TPlatine::EndRangeCheck(const RangeCheck& check, const std::vector<TBauteil*>& elements) {
    if (StaysStorable(check.Before, StoredSpan(elements)))
        return true;
    RestoreStepStart(check.WasModified);
    ShowRangeLimit();
    return false;
}

void TPlatine::ShowRangeLimit() {
    SetInfozeilen(view_.Tr(QStringLiteral("Ende des Bereichs"), QStringLiteral("End of the range")),
                  view_.Tr(QStringLiteral("Nichts liegt weiter als 10.000 mm vom Nullpunkt"),
                           QStringLiteral("Nothing lies more than 10,000 mm from the zero point")));
}

} // namespace karvel
