#include "elements/DrahtFest.h"

namespace karvel {

TDrahtFest::TDrahtFest() {
    BauteilTyp = TBauteilTyp::btDrahtFest;
    TDrahtFest::SetIstMarkiert(false);
}

} // namespace karvel
