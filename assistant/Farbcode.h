#pragma once
// TFarbcode: the colour bands across a resistor body, four lines coloured after the
// resistance value in a standard series. Setting a value snaps it to the nearest value of the
// series; two-digit series show three bands, three-digit series four.

#include "elements/Gruppe.h"

#include <array>
#include <span>

namespace karvel {

class TDraht;

class TFarbcode : public TGruppe {
public:
    static constexpr int BandCount = 4;
    static constexpr int SeriesCount = 5; // E6, E12, E24, E48, E96
    static constexpr int ColourCount = 13;
    // Band colours by index: the digits 0 to 9, then no band, silver and gold.
    static constexpr int NoBand = 10;
    static constexpr int SilverBand = 11;
    static constexpr int GoldBand = 12;
    static const std::array<Colour, ColourCount> Colours;

    explicit TFarbcode(Language language = Language::German);
    std::string_view ClassName() const override { return "TFarbcode"; }

    // What the bands say of the value: it, or nothing because its multiplier is smaller than
    // silver (x0.01) or larger than white (x1e9).
    enum class Coding { Shown, BelowSilver, BeyondWhite };

    double Resistance = 1000.0; // ohms
    std::uint8_t Series = 1;    // 0 E6, 1 E12, 2 E24, 3 E48, 4 E96
    std::uint16_t BandWidth = 20;

    // The series values from 100 up, three digits each; empty for a series that does not exist.
    static std::span<const double> SeriesValues(int series);

    // Snaps the value to the series and colours the bands; a band without colour gets width 0.
    // A value that is not finite is refused: everything stays as it was.
    void SetResistance(double value);
    // Callers set the series before the value: nothing is recomputed here.
    void SetSeries(std::uint8_t series) { Series = series; }
    // Lays the bands across a rectangle in board units, band 4 on its top edge and band 1 a
    // quarter of its height above the bottom, each an eighth of its height wide.
    void SetBandRect(int left, int top, int right, int bottom);
    // Snaps Resistance to the series and recolours the bands.
    void Compute();

    // The line of band 1 to 4, or null when the group lacks it.
    TDraht* Band(int number) const;
    // What the last computed bands say; a value that was not computed leaves it as it was.
    Coding BandCoding() const { return coding_; }

    void WriteToStream(RecordContext& context, ValueWriter& writer) override;
    void ReadFromStream(RecordContext& context, ValueReader& reader) override;

private:
    void SetBandColour(int number, Colour colour);
    Colour BandColour(int number) const;
    void ApplyBandWidths();
    void ColourBands(double mantissa, int exponent);
    void ClearBands(int count);

    Coding coding_ = Coding::Shown;
};

} // namespace karvel
