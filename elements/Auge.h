#pragma once
// TAuge: a round copper pad.

#include "elements/RoundElement.h"

namespace karvel {

class TAuge : public RoundElement {
public:
    TAuge();
    std::string_view ClassName() const override { return "TAuge"; }

    void Draw(Canvas& canvas) override;
    std::optional<Region> CreateRegion(Canvas& canvas) override;
    Rect GetBounds(Canvas& canvas) override;
    QString GetKindName() const override;
    void SetKupferFlag(bool) override { RoundElement::SetKupferFlag(true); }

private:
    // The pad's circle: the square around the centre, each side rounded on its own.
    Rect CircleRect() const;
};

} // namespace karvel
