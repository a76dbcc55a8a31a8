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

} // namespace karvel
