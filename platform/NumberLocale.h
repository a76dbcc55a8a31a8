#pragma once
// Numbers are written as the program's language writes them: "0,4 mm" in German, "0.4 mm" in
// English, whatever the desktop's own locale is.

#include "platform/Language.h"

#include <QtCore/QLocale>

namespace karvel {

QLocale NumberLocale(Language language);
// A number with a fixed count of decimals in the language's format, without group separators.
QString FormatNumber(double value, int decimals, Language language);

} // namespace karvel
