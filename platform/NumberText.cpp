#include "platform/NumberText.h"

#include <charconv>
#include <cmath>
#include <QtCore/QByteArray>

namespace karvel {

std::int64_t RoundHalfEven(long double value) {
    if (!std::isfinite(value))
        return 0;
    constexpr long double limit = 9.0e18L;
    if (value > limit)
        return std::int64_t(limit);
    if (value < -limit)
        return -std::int64_t(limit);
    // nearbyint follows the current rounding mode, which is to-nearest-even unless someone
    // changed it; do the tie-breaking ourselves so the result never depends on that.
    const long double lower = std::floor(value);
    const long double fraction = value - lower;
    auto whole = std::int64_t(lower);
    if (fraction > 0.5L || (fraction == 0.5L && (whole & 1) != 0))
        ++whole;
    return whole;
}

long double TextToNumber(const QString& text) {
    QByteArray prefix;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool numeric =
            (u >= '0' && u <= '9') || u == '+' || u == '-' || u == ',' || u == '.' || u == 'E';
        if (!numeric)
            break;
        prefix.append(u == ',' ? '.' : char(u));
    }
    // Locale-independent: the program runs under the user's locale, whose decimal separator
    // must not change what a stored version text means. A malformed prefix such as "+-" or
    // "1.2.3" yields what can be read of it (0 when nothing).
    const char* first = prefix.constData();
    const char* last = first + prefix.size();
    long double sign = 1.0L;
    if (first != last && (*first == '+' || *first == '-')) {
        sign = *first == '-' ? -1.0L : 1.0L;
        ++first;
    }
    long double value = 0.0L;
    const auto result = std::from_chars(first, last, value);
    if (result.ec != std::errc() || !std::isfinite(value))
        return 0.0L;
    return sign * value;
}

} // namespace karvel
