#include "assistant/OhmText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <QtCore/QByteArray>
#include <QtCore/QLocale>

namespace karvel {

namespace {

struct Unit {
    long double Threshold;
    double Divisor;
    char Letter;
};

// The thresholds lie just below the powers of a thousand, so that 1000 already counts as
// 1 KOhm; the last that the value exceeds wins.
constexpr Unit Units[] = {
    {999.999999999999L, 1e3, 'K'},
    {999999.999999999999L, 1e6, 'M'},
    {1e9L, 1e9, 'G'},
    {1e12L, 1e12, 'T'},
};

bool IsNumberCharacter(QChar c) {
    return c.isDigit() || c == u' ' || c == u'+' || c == u',' || c == u'-' || c == u'.';
}

// "E" followed by digits (with or without a sign) continues a number as its exponent.
bool StartsExponent(const QString& text, qsizetype at) {
    if (at >= text.size() || (text[at] != u'E' && text[at] != u'e'))
        return false;
    qsizetype next = at + 1;
    if (next < text.size() && (text[next] == u'+' || text[next] == u'-'))
        ++next;
    return next < text.size() && text[next].isDigit();
}

std::optional<double> UnitMultiplier(QChar letter) {
    switch (letter.unicode()) {
    case u'K':
    case u'k':
        return 1e3;
    case u'M':
        return 1e6;
    case u'G':
        return 1e9;
    case u'T':
        return 1e12;
    case u'R':
    case u'r':
        return 1.0;
    default:
        return std::nullopt;
    }
}

// The longest leading run of sign, digit, separator and exponent characters, read with a
// point or a comma as the decimal separator. Nothing readable gives 0; a value beyond the
// range of a double gives none, one too small to hold gives 0.
std::optional<double> ReadLeadingNumber(const QString& text) {
    QByteArray run;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool numeric = (u >= '0' && u <= '9') || u == '+' || u == '-' || u == ',' ||
                             u == '.' || u == 'E' || u == 'e';
        if (!numeric)
            break;
        run.append(u == ',' ? '.' : char(u));
    }
    const char* first = run.constData();
    const char* last = first + run.size();
    double sign = 1.0;
    if (first != last && (*first == '+' || *first == '-')) {
        sign = *first == '-' ? -1.0 : 1.0;
        ++first;
    }
    double value = 0.0;
    const std::errc error = std::from_chars(first, last, value).ec;
    if (error == std::errc::result_out_of_range) {
        // Out of range either way: below the smallest double it is as good as 0.
        const qsizetype e = std::max(run.indexOf('e'), run.indexOf('E'));
        const bool tiny = e >= 0 && e + 1 < run.size() && run[e + 1] == '-';
        return tiny ? std::optional<double>(0.0) : std::nullopt;
    }
    if (error != std::errc())
        return 0.0;
    return sign * value;
}

} // namespace

QString FormatOhm(double value) {
    double divisor = 1.0;
    char letter = ' ';
    for (const Unit& unit : Units) {
        if ((long double)value > unit.Threshold) {
            divisor = unit.Divisor;
            letter = unit.Letter;
        }
    }
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    return locale.toString(value / divisor, 'g', 15) + u' ' + QLatin1Char(letter) +
           QStringLiteral("Ohm");
}

std::optional<double> ParseOhm(const QString& input) {
    const QString text = input.trimmed();
    qsizetype stop = 0;
    while (stop < text.size()) {
        if (IsNumberCharacter(text[stop]))
            ++stop;
        else if (StartsExponent(text, stop))
            stop += 2; // the "E" and its sign or first digit
        else
            break;
    }
    QString number = text.left(stop);
    const std::optional<double> multiplier =
        stop < text.size() ? UnitMultiplier(text[stop]) : std::nullopt;
    if (multiplier) {
        // The letter in place of the decimal point: "4k7", "2R2", "R47".
        qsizetype fraction = stop + 1;
        while (fraction < text.size() && text[fraction].isDigit())
            ++fraction;
        const bool plainInteger = !number.contains(u'.') && !number.contains(u',') &&
                                  !number.contains(u'E') && !number.contains(u'e');
        if (fraction > stop + 1 && plainInteger)
            number = number.trimmed() + u'.' + text.mid(stop + 1, fraction - stop - 1);
    }
    const std::optional<double> read = ReadLeadingNumber(number.trimmed());
    if (!read)
        return std::nullopt;
    const double value = *read * multiplier.value_or(1.0);
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace karvel
