#include "assistant/Farbcode.h"

#include "elements/Draht.h"
#include "elements/Geometry.h"
#include "stream/RecordContext.h"
#include "stream/RecordIO.h"
#include "stream/ValueReader.h"
#include "stream/ValueWriter.h"

#include <cmath>

namespace karvel {

namespace {

// The standard series of IEC 60063 as three-digit numbers.
constexpr std::array<double, 6> E6{100, 150, 220, 330, 470, 680};
constexpr std::array<double, 12> E12{100, 120, 150, 180, 220, 270, 330, 390, 470, 560, 680, 820};
constexpr std::array<double, 24> E24{100, 110, 120, 130, 150, 160, 180, 200, 220, 240, 270, 300,
                                     330, 360, 390, 430, 470, 510, 560, 620, 680, 750, 820, 910};
constexpr std::array<double, 48> E48{100, 105, 110, 115, 121, 127, 133, 140, 147, 154, 162, 169,
                                     178, 187, 196, 205, 215, 226, 237, 249, 261, 274, 287, 301,
                                     316, 332, 348, 365, 383, 402, 422, 442, 464, 487, 511, 536,
                                     562, 590, 619, 649, 681, 715, 750, 787, 825, 866, 909, 953};
constexpr std::array<double, 96> E96{
    100, 102, 105, 107, 110, 113, 115, 118, 121, 124, 127, 130, 133, 137, 140, 143,
    147, 150, 154, 158, 162, 165, 169, 174, 178, 182, 187, 191, 196, 200, 205, 210,
    215, 221, 226, 232, 237, 243, 249, 255, 261, 267, 274, 280, 287, 294, 301, 309,
    316, 324, 332, 340, 348, 357, 365, 374, 383, 392, 402, 412, 422, 432, 442, 453,
    464, 475, 487, 499, 511, 523, 536, 549, 562, 576, 590, 604, 619, 634, 649, 665,
    681, 698, 715, 732, 750, 768, 787, 806, 825, 845, 866, 887, 909, 931, 953, 976};

constexpr double StartDeviation = 100000.0;
constexpr double SmallestValue = 0.1;
constexpr int SilverPower = -2;
constexpr int GoldPower = -1;
constexpr int WhitePower = 9;

// Exact powers of ten: every double literal up to 1e22 is.
constexpr std::array<double, 23> PowersOfTen{1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                             1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                             1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// value · 10^n with a single rounding: multiplying or dividing by an exact power. Series
// values scaled this way are the doubles nearest their decimal values, so a snapped
// resistance equals the value a user types for it.
double ScaleByPowerOfTen(double value, int n) {
    while (n > 22) {
        value *= PowersOfTen[22];
        n -= 22;
    }
    while (n < -22) {
        value /= PowersOfTen[22];
        n += 22;
    }
    return n >= 0 ? value * PowersOfTen[std::size_t(n)] : value / PowersOfTen[std::size_t(-n)];
}

double Deviation(double value, double candidate) {
    return std::fabs(value - candidate) / candidate * 100.0;
}

} // namespace

const std::array<Colour, TFarbcode::ColourCount> TFarbcode::Colours{
    0x000000, // black
    0x0055BB, // brown
    0x0000FF, // red
    0x00B0FF, // orange
    0x00FFFF, // yellow
    0x00FF00, // green
    0xFF0000, // blue
    0xFF00FF, // violet
    0x808080, // grey
    0xFFFFFF, // white
    0xFFFF00, // no band
    0xC0C0C0, // silver
    0x008080, // gold
};

TFarbcode::TFarbcode(Language language) : TGruppe(language) {}

std::span<const double> TFarbcode::SeriesValues(int series) {
    switch (series) {
    case 0:
        return E6;
    case 1:
        return E12;
    case 2:
        return E24;
    case 3:
        return E48;
    case 4:
        return E96;
    default:
        return {};
    }
}

TDraht* TFarbcode::Band(int number) const {
    if (number < 1 || number > BandCount || std::size_t(number) > Members().size())
        return nullptr;
    return dynamic_cast<TDraht*>(Members()[std::size_t(number - 1)].get());
}

void TFarbcode::SetBandColour(int number, Colour colour) {
    if (TDraht* band = Band(number))
        band->SetStiftfarbe(colour);
}

Colour TFarbcode::BandColour(int number) const {
    const TDraht* band = Band(number);
    return band ? band->Stiftfarbe() : Colours[NoBand];
}

void TFarbcode::ApplyBandWidths() {
    for (int number = 1; number <= BandCount; ++number)
        if (TDraht* band = Band(number))
            band->SetStiftbreite(band->Stiftfarbe() == Colours[NoBand] ? 0
                                                                       : std::int16_t(BandWidth));
}

void TFarbcode::SetResistance(double value) {
    if (!std::isfinite(value))
        return;
    Resistance = value;
    Compute();
    ApplyBandWidths();
}

void TFarbcode::SetBandRect(int left, int top, int right, int bottom) {
    const long double height = (long double)bottom - top;
    const auto width = std::uint16_t(std::clamp<long long>(RoundHalfEven(height / 8), 0, 0x7FFF));
    for (int i = 0; i < BandCount; ++i) {
        TDraht* band = Band(BandCount - i);
        if (band == nullptr)
            continue;
        const int y = RoundToUnit(top + i * height / 4);
        band->Nodes = {{left, y}, {right, y}};
    }
    BandWidth = width;
    for (int number = 1; number <= BandCount; ++number)
        if (TDraht* band = Band(number))
            band->SetStiftbreite(std::int16_t(BandWidth));
}

void TFarbcode::Compute() {
    const std::span<const double> series = SeriesValues(Series);
    // A series from a damaged file names no table: the value and the bands stay as stored.
    if (series.empty() || !std::isfinite(Resistance) || Resistance < SmallestValue)
        return;

    int k = 13;
    while (k > -15 && Resistance < ScaleByPowerOfTen(1.0, k))
        --k;
    const double value = ScaleByPowerOfTen(Resistance, 2 - k);
    double best = series.front();
    double bestDeviation = StartDeviation;
    const auto consider = [&](double candidate) {
        const double deviation = Deviation(value, candidate);
        if (deviation < bestDeviation) {
            best = candidate;
            bestDeviation = deviation;
        }
    };
    for (const double candidate : series)
        consider(candidate);
    consider(10.0 * series.front()); // the next decade's first value
    Resistance = ScaleByPowerOfTen(best, k - 2);

    double mantissa = Resistance;
    int exponent = 0;
    while (mantissa < 1.0 && mantissa != 0.0) {
        mantissa *= 1000.0;
        exponent -= 3;
    }
    while (mantissa > 1000.0 && mantissa != 0.0) {
        mantissa /= 1000.0;
        exponent += 3;
    }
    ColourBands(mantissa, exponent);
}

void TFarbcode::ClearBands(int count) {
    for (int number = 1; number <= count; ++number)
        SetBandColour(number, Colours[NoBand]);
}

// The digits are read from the mantissa written with two decimals. The multiplier's power of
// ten follows from where the digits taken end against the decimal point, counted in the text
// rather than computed in floating point: a product such as 8.2 x 1e6 / 82 is not exactly
// 1e5, and compared for equality it made a gold band of 8.2 MOhm. After snapping, the digits
// that are not taken are zeros.
void TFarbcode::ColourBands(double mantissa, int exponent) {
    const QString text = QString::number(mantissa, 'f', 2);
    if (text.size() < 2) {
        ClearBands(BandCount);
        return;
    }
    const bool threeDigits = Series >= 3;
    const int digitCount = threeDigits ? 3 : 2;
    const int multiplierBand = digitCount + 1;
    std::vector<int> digits;
    int integerDigits = 0;
    bool beforePoint = true;
    for (const QChar c : text) {
        if (c == u'.')
            beforePoint = false;
        if (!c.isDigit())
            continue;
        if (beforePoint)
            ++integerDigits;
        if (int(digits.size()) < digitCount)
            digits.push_back(c.digitValue());
    }
    const int power = integerDigits - digitCount + exponent;
    if (power < SilverPower) {
        coding_ = Coding::BelowSilver;
        ClearBands(multiplierBand);
        return;
    }
    if (power > WhitePower) {
        coding_ = Coding::BeyondWhite;
        ClearBands(BandCount);
        return;
    }
    coding_ = Coding::Shown;
    for (int i = 0; i < int(digits.size()); ++i)
        SetBandColour(i + 1, Colours[std::size_t(digits[std::size_t(i)])]);
    const int colour = power == SilverPower ? SilverBand : power == GoldPower ? GoldBand : power;
    SetBandColour(multiplierBand, Colours[std::size_t(colour)]);
    if (!threeDigits)
        SetBandColour(BandCount, Colours[NoBand]);
}

void TFarbcode::WriteToStream(RecordContext& context, ValueWriter& writer) {
    WriteGroupRecord(context, writer);
    writer.WriteInteger(Series);
    record::WriteFloat(context, writer, Resistance);
}

void TFarbcode::ReadFromStream(RecordContext& context, ValueReader& reader) {
    ReadGroupRecord(context, reader);
    // The stored form does not keep the band width: the bands as stored tell it.
    for (int number = 1; number <= BandCount; ++number) {
        if (const TDraht* band = Band(number); band && band->Stiftbreite() > 0) {
            BandWidth = std::uint16_t(band->Stiftbreite());
            break;
        }
    }
    if (!context.VersionAtLeast(3045)) {
        // Files before the colour code had a value always showed 1 kOhm in E12.
        Series = 1;
        SetResistance(1000.0);
        return;
    }
    const std::int32_t series = reader.ReadInteger();
    const double value = reader.ReadFloat();
    Series = std::uint8_t(std::clamp(series, 0, 255));
    if (series < 0 || series >= SeriesCount) {
        // No table to snap to: keep what was stored.
        Series = std::uint8_t(std::clamp(series, SeriesCount, 255));
        if (std::isfinite(value))
            Resistance = value;
        return;
    }
    SetResistance(value);
}

} // namespace karvel
