#pragma once
// The component assistant's styles: their names in the style list, the default parameters
// of each, and the text colours the components offer.

#include "assistant/BtParam.h"
#include "platform/Colour.h"
#include "platform/Language.h"

#include <QtCore/QString>
#include <QtCore/QStringList>
#include <vector>

namespace karvel {

// Styles 0 to 10 are outlines (contours), 11 to 14 complete components.
enum class BtStyle : std::uint8_t {
    RegularPolygon = 0,
    Rectangle = 1,
    Ellipse = 2,
    LetterH = 3,
    LetterI = 4,
    LetterL = 5,
    LetterM = 6,
    LetterT = 7,
    LetterU = 8,
    ElkoOutline = 9,
    ResistorOutline = 10,
    Resistor = 11,
    Elko = 12,
    Capacitor = 13,
    Diode = 14,
};

inline constexpr int BtStyleCount = 15;
inline constexpr int FirstComponentStyle = 11;

// The entry of a style in the assistant's style list.
QString StyleEntry(int style, Language language);
QStringList StyleEntries(Language language);

// "Schwarz" to "Grau" / "Black" to "Gray", the choices of the text colour.
QStringList TextColourNames(Language language);
// The colour of a text colour choice; black for an index without one.
Colour TextColourOf(int index);

// The parameters a style starts with, captions in the language; the gradient choices list the
// pictures found below the program folder.
std::vector<TBtParam> DefaultParams(int style, Language language, const QString& programFolder);

} // namespace karvel
