#pragma once
// Colours as the stored files and settings hold them: 0x00BBGGRR in 32 bits.

#include <cstdint>
#include <QtGui/QColor>

namespace karvel {

using Colour = std::uint32_t;

constexpr Colour RgbColour(int r, int g, int b) {
    return Colour(r & 0xFF) | (Colour(g & 0xFF) << 8) | (Colour(b & 0xFF) << 16);
}
constexpr int RedOf(Colour c) {
    return int(c & 0xFF);
}
constexpr int GreenOf(Colour c) {
    return int((c >> 8) & 0xFF);
}
constexpr int BlueOf(Colour c) {
    return int((c >> 16) & 0xFF);
}

inline QColor ToQColor(Colour c) {
    return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}
inline Colour FromQColor(const QColor& c) {
    return RgbColour(c.red(), c.green(), c.blue());
}

namespace colours {
constexpr Colour Black = 0x000000;
constexpr Colour White = 0xFFFFFF;
constexpr Colour Silver = 0xC0C0C0;
constexpr Colour Selected = 16711935;    // magenta
constexpr Colour TestVoltage = 16776960; // cyan
constexpr Colour Unused = 32768;         // dark green
} // namespace colours

} // namespace karvel
