#pragma once
// The sixteen colours of the colour grid and the entries of the pen width list.

#include "platform/Colour.h"
#include "platform/Language.h"

#include <optional>
#include <QtCore/QString>

namespace karvel {

inline constexpr int PaletteSize = 16;
inline constexpr int PenWidthCount = 13;
// The pen width list starts at 0.4 mm, the colour grid's foreground at light grey.
inline constexpr int StartPenWidthIndex = 4;
inline constexpr int StartForegroundIndex = 7;
inline constexpr int StartBackgroundIndex = 15;

// Index 0 to 15: black, maroon, green, olive, navy, purple, teal, light grey, dark grey, red,
// lime, yellow, blue, fuchsia, aqua, white.
Colour PaletteColour(int index);

// The list's text: "unsichtbar" / "invisible", then "0,1 mm" to "2,0 mm" ("0.1 mm" to "2.0 mm"
// in English).
QString PenWidthText(int index, Language language);
// The pen width of an entry in board units, round(w x 100).
int PenWidthUnits(int index);
// The cell of a colour in the grid and the entry of a pen width in the list, where they have
// one.
std::optional<int> PaletteIndex(Colour colour);
std::optional<int> PenWidthIndex(int units);

} // namespace karvel
