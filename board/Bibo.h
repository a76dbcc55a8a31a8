#pragma once
// TBibo: a page of the component library shown as a board. It is always seen from the
// component side, and its elements always count as being on the working side.

#include "board/Platine.h"

namespace karvel {

class TBibo : public TPlatine {
public:
    explicit TBibo(ViewState& view) : TPlatine(view, false) {}

    bool IsLibraryPage() const override { return true; }
    Mapping CurrentMapping() const override;
};

} // namespace karvel
