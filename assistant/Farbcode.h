#pragma once
// TFarbcode: the colour bands across a resistor body, four lines coloured after the
// resistance value in a standard series.

#include "elements/Gruppe.h"

namespace karvel {

class TFarbcode : public TGruppe {
public:
    explicit TFarbcode(Language language = Language::German);
    std::string_view ClassName() const override { return "TFarbcode"; }

    double Resistance = 1000.0; // ohms
    std::uint8_t Series = 1;    // 0 E6, 1 E12, 2 E24, 3 E48, 4 E96
    std::uint16_t BandWidth = 20;

    void WriteToStream(RecordContext& context, ValueWriter& writer) override;
    void ReadFromStream(RecordContext& context, ValueReader& reader) override;
};

} // namespace karvel
