#include "platform/NumberLocale.h"

namespace karvel {

QLocale NumberLocale(Language language) {
    QLocale locale = UsesEnglish(language) ? QLocale(QLocale::English, QLocale::UnitedKingdom)
                                           : QLocale(QLocale::German, QLocale::Germany);
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale;
}

QString FormatNumber(double value, int decimals, Language language) {
    return NumberLocale(language).toString(value, 'f', decimals);
}

QString FormatDate(QDate date, Language language) {
    // Written out, as the locales' short formats cut the year to two digits in German.
    return date.toString(UsesEnglish(language) ? QStringLiteral("dd/MM/yyyy")
                                               : QStringLiteral("dd.MM.yyyy"));
}

QString FormatTime(QTime time, Language) {
    return time.toString(QStringLiteral("HH:mm:ss"));
}

} // namespace karvel
