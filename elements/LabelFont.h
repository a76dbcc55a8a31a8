#pragma once
// The font of a text label as it is stored: face, styles and character set. The height is the
// label's own, since a label scales its text with the board.

#include <cstdint>
#include <QtCore/QString>

namespace karvel {

struct LabelFont {
    QString Face = QStringLiteral("ARIAL");
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    std::uint8_t Charset = 1; // kept for the stored form only
    bool operator==(const LabelFont&) const = default;
};

} // namespace karvel
