#pragma once
// Numbers are written as the program's language writes them: "0,4 mm" in German, "0.4 mm" in
// English, whatever the desktop's own locale is.

#include "platform/Language.h"

#include <QtCore/QDate>
#include <QtCore/QLocale>
#include <QtCore/QTime>

namespace karvel {

QLocale NumberLocale(Language language);
// A number with a fixed count of decimals in the language's format, without group separators.
QString FormatNumber(double value, int decimals, Language language);
// Dates and times in lists and the title block, as the language writes them and whatever the
// desktop's locale is: "11.12.2026" and "14:05:09" in German, "11/12/2026" in English.
QString FormatDate(QDate date, Language language);
QString FormatTime(QTime time, Language language);

} // namespace karvel
