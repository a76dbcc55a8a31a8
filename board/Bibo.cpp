#include "board/Bibo.h"

namespace karvel {

Mapping TBibo::CurrentMapping() const {
    const int s = PixelsPerHole();
    Mapping m;
    m.WindowExt = {HolePitch, HolePitch};
    m.ViewportExt = {s, s};
    return m;
}

} // namespace karvel
