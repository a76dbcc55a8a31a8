#include "shell/DialogNumbers.h"

#include "platform/NumberText.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace karvel {

float ReadFieldNumber(const QString& text) {
    // Numbers beyond single precision would not convert; they are clamped by the field anyway.
    constexpr long double largest = std::numeric_limits<float>::max();
    return float(std::clamp(TextToNumber(text), -largest, largest));
}

float ClampToRange(float value, const NumberRange& range) {
    if (range.Minimum == range.Maximum)
        return value;
    // Written so that a value that is not a number becomes the minimum.
    if (!(value >= range.Minimum))
        return range.Minimum;
    return std::min(value, range.Maximum);
}

QString FieldText(float value, const NumberRange& range) {
    // "-0.0" would read as a different number to the user.
    if (value == 0)
        value = 0;
    return QString::number(double(value), 'f', std::max(0, range.Decimals));
}

QString LeftFieldText(const QString& typed, const NumberRange& range) {
    return FieldText(ClampToRange(ReadFieldNumber(typed), range), range);
}

bool IsNumberCharacter(QChar c) {
    return (c >= u'0' && c <= u'9') || c == u'.' || c == u',' || c == u'-' || c == u'+';
}

double FineGridMillimetres(double boardUnits) {
    return boardUnits / 100.0;
}

double FineGridBoardUnits(float millimetres) {
    return double(millimetres) * 100.0;
}

double FontHeightMillimetres(double points) {
    return std::abs(points) * 25.4 / 72.0;
}

double FontPoints(double millimetres) {
    return millimetres * 72.0 / 25.4;
}

int ContrastBarPosition(Colour grey) {
    return int(RoundHalfEven((long double)RedOf(grey) / 255.0L * 100.0L));
}

Colour ContrastGrey(int barPosition) {
    const int g =
        int(RoundHalfEven((long double)std::clamp(barPosition, 0, 100) * 255.0L / 100.0L));
    return RgbColour(g, g, g);
}

} // namespace karvel
