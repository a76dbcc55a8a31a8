#pragma once
// TAuge: a round copper pad.

#include "elements/RoundElement.h"

namespace karvel {

class TAuge : public TRoundElement {
public:
    TAuge();
    std::string_view ClassName() const override { return "TAuge"; }

    QString GetKindName() const override;
    void SetKupferFlag(bool) override { TRoundElement::SetKupferFlag(true); }
};

} // namespace karvel
