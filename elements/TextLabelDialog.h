#pragma once
// What a text label asks of the dialog that edits it; the desktop program shows a real dialog,
// a test answers directly.

#include "elements/LabelFont.h"
#include "platform/Colour.h"

#include <optional>
#include <QtCore/QString>

namespace karvel {

// The dialog's fields, in the units the dialog shows them.
struct TextLabelFields {
    LabelFont Font;
    Colour FontColour = colours::Black;
    QString Text;
    double Height = 0.0; // the "Höhe in mm" field
    double AngleDegrees = 0.0;
    int Placeholder =
        0; // the checked radio button: 0 fixed text, 1 identifier, 2 value, 3 description
    bool operator==(const TextLabelFields&) const = default;
};

class TextLabelDialog {
public:
    virtual ~TextLabelDialog() = default;
    // The resolution of the dialog's font, in pixels per inch; the height field is in its terms.
    virtual int PixelsPerInch() const = 0;
    // Shows the fields; the edited fields on OK, else nothing.
    virtual std::optional<TextLabelFields> Ask(const TextLabelFields& fields) = 0;
};

} // namespace karvel
