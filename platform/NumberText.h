#pragma once
// Rounding and number text shared from the stored format up: the version text of a record
// ("3,08") and the millimetre fields read numbers the same way, and rounding halves to even is
// part of the stored geometry.

#include <cstdint>
#include <QtCore/QString>

namespace karvel {

// Rounds to the nearest integer, halves to even; non-finite values give 0 and huge ones clamp
// to about ±9e18.
std::int64_t RoundHalfEven(long double value);
// Reads the leading number of a text with a decimal comma or point ("3,08", "2,5 mm").
long double TextToNumber(const QString& text);

} // namespace karvel
