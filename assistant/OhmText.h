#pragma once
// Resistances as text: "4,7 KOhm" with the system's decimal separator, and back from what a
// user types ("4.7k", "4k7", "2R2", "1M5", "470 Ohm").

#include <optional>
#include <QtCore/QString>

namespace karvel {

// The value in the largest unit (K, M, G, T) it exceeds, in its shortest decimal form, then a
// blank, the unit letter (a blank without one) and "Ohm": "470  Ohm", "4,7 KOhm".
QString FormatOhm(double value);

// The leading number times the unit letter that ends it (K or k, M, G, T). A unit letter, or
// R for ohms, with digits straight after it stands for the decimal point: "4k7" is 4700.
// Text without a number reads as 0; a value too large to hold is refused (none).
std::optional<double> ParseOhm(const QString& text);

} // namespace karvel
