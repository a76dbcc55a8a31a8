#include "shell/Palette.h"

#include "platform/NumberLocale.h"

#include <array>
#include <cmath>

namespace karvel {

namespace {

constexpr std::array<Colour, PaletteSize> Colours{
    RgbColour(0, 0, 0),      RgbColour(128, 0, 0),     RgbColour(0, 128, 0),
    RgbColour(128, 128, 0),  RgbColour(0, 0, 128),     RgbColour(128, 0, 128),
    RgbColour(0, 128, 128),  RgbColour(192, 192, 192), RgbColour(128, 128, 128),
    RgbColour(255, 0, 0),    RgbColour(0, 255, 0),     RgbColour(255, 255, 0),
    RgbColour(0, 0, 255),    RgbColour(255, 0, 255),   RgbColour(0, 255, 255),
    RgbColour(255, 255, 255)};

constexpr std::array<double, PenWidthCount> Millimetres{0.0, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6,
                                                        0.7, 0.8, 0.9, 1.0, 1.5, 2.0};

} // namespace

Colour PaletteColour(int index) {
    return Colours.at(std::size_t(index));
}

QString PenWidthText(int index, Language language) {
    if (index == 0)
        return Tr(language, QStringLiteral("unsichtbar"), QStringLiteral("invisible"));
    return FormatNumber(Millimetres.at(std::size_t(index)), 1, language) + QStringLiteral(" mm");
}

int PenWidthUnits(int index) {
    return int(std::lround(Millimetres.at(std::size_t(index)) * 100.0));
}

std::optional<int> PaletteIndex(Colour colour) {
    for (int index = 0; index < PaletteSize; ++index)
        if (Colours[std::size_t(index)] == colour)
            return index;
    return std::nullopt;
}

std::optional<int> PenWidthIndex(int units) {
    for (int index = 0; index < PenWidthCount; ++index)
        if (PenWidthUnits(index) == units)
            return index;
    return std::nullopt;
}

} // namespace karvel
