#pragma once
// The colours the board itself draws with: the board surface, copper, and the light edge that
// gives the board a little depth. Targets with at most 4 bits per pixel get plain colours.

#include "elements/ViewState.h"
#include "platform/Colour.h"

namespace karvel {

struct CopperColours {
    Colour Surface;
    Colour Copper;

    static CopperColours For(const ViewState& view, int bitsPerPixel = 32) {
        if (bitsPerPixel <= 4)
            return {colours::White, RgbColour(255, 255, 0)};
        // Copper seen through the board is darker than copper seen directly.
        const bool direct = view.Loetseite == view.Durchsicht;
        return {RgbColour(239, 204, 5), direct ? RgbColour(207, 172, 3) : RgbColour(208, 125, 2)};
    }
};

inline constexpr Colour BoardEdgeHighlight = RgbColour(254, 245, 207);

} // namespace karvel
