#pragma once
// The numbers behind the small dialogs, free of widgets: what a decimal field's text is worth,
// its limits and how it shows a value; the fine grid in millimetres; a font's size in
// millimetres; the X-ray contrast bars.

#include "platform/Colour.h"

#include <QtCore/QString>

namespace karvel {

// A decimal field's limits, step and shown decimals. Its values are held in single precision,
// as the sizes are stored.
struct NumberRange {
    float Minimum = 0;
    float Maximum = 0; // equal to Minimum: the field has no limits
    float Step = 1;
    int Decimals = 0;
};

// Every comma counts as a decimal point ("2,5" and "2.5" are both 2.5); trailing text is
// ignored and a text that is not a number is worth 0.
float ReadFieldNumber(const QString& text);
float ClampToRange(float value, const NumberRange& range);
// The value as the field shows it: a decimal point and the field's number of decimals.
QString FieldText(float value, const NumberRange& range);
// What a field shows once it is left with this text in it.
QString LeftFieldText(const QString& typed, const NumberRange& range);
// The characters a decimal field takes from the keyboard.
bool IsNumberCharacter(QChar c);

// The fine grid step is kept in board units (0.01 mm) and shown in millimetres.
double FineGridMillimetres(double boardUnits);
double FineGridBoardUnits(float millimetres);

// The text label dialog's height field is in millimetres, the font dialog's size in points
// (1/72 inch); a negative size (a character height) counts by its amount.
double FontHeightMillimetres(double points);
double FontPoints(double millimetres);

// An X-ray contrast bar runs from 0 to 100 over the grey levels 0 to 255 of its colour, read
// from the red byte.
int ContrastBarPosition(Colour grey);
Colour ContrastGrey(int barPosition);

} // namespace karvel
