#pragma once
#include "elements/Draht.h"

namespace karvel {

// TDrahtFest: a fixed wire that belongs to a legacy board type; never selected, hit or moved.
class TDrahtFest : public TDraht {
public:
    TDrahtFest();
    std::string_view ClassName() const override { return "TDrahtFest"; }

    void SetIstMarkiert(bool) override { TDraht::SetIstMarkiert(false); }
};

} // namespace karvel
