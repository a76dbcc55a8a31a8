#pragma once
// TTrennerFest: a fixed strip cut of a legacy board type; it cannot be selected or moved and
// is never written back.

#include "elements/Trenner.h"

namespace karvel {

class TTrennerFest : public TTrenner {
public:
    TTrennerFest();
    std::string_view ClassName() const override { return "TTrennerFest"; }

    bool HitTest(QPoint, Canvas&) override { return false; }
    void MoveBy(int, int) override {}
    QString GetKindName() const override { return {}; }
    void SetIstMarkiert(bool) override { TTrenner::SetIstMarkiert(false); }
};

} // namespace karvel
