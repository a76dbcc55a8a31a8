#pragma once
// TBohrung: a round drilling through the board.

#include "elements/DrillingDialog.h"
#include "elements/RoundElement.h"

namespace karvel {

class TBohrung : public RoundElement {
public:
    TBohrung();
    std::string_view ClassName() const override { return "TBohrung"; }

    void Draw(Canvas& canvas) override;
    std::optional<Region> CreateRegion(Canvas& canvas) override;
    QString GetKindName() const override;
    bool EditProperties() override;
    void SetKupferFlag(bool) override { RoundElement::SetKupferFlag(false); }

    // The dialog EditProperties opens; the program sets it once at start.
    static void SetDialog(DrillingDialog* dialog) { dialog_ = dialog; }

private:
    static inline DrillingDialog* dialog_ = nullptr;
};

} // namespace karvel
