#include "elements/TrennerFest.h"

namespace karvel {

TTrennerFest::TTrennerFest() {
    BauteilTyp = TBauteilTyp::btTrennerFest;
    TTrennerFest::SetIstMarkiert(false);
}

} // namespace karvel
