#pragma once
// The sixteen custom colours of the colour dialog, kept in "Colors.dat" beside the other
// settings: one line per colour, "ColorA" to "ColorP", each the six hex digits of its
// 0x00BBGGRR value.

#include "platform/Colour.h"
#include "platform/SettingsStore.h"

#include <array>

namespace karvel {

using CustomColours = std::array<Colour, 16>;

QString CustomColoursFile();
// A missing file or line, or one that is not a colour, gives white, as an unused custom colour
// of the dialog is.
CustomColours ReadCustomColours(const SettingsStore& store);
CustomColours CustomColoursFromIni(const IniFile& ini);
SettingsWriteResult WriteCustomColours(const SettingsStore& store, const CustomColours& colours);

} // namespace karvel
