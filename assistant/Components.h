#pragma once
// The four complete components of the assistant — resistor, axial electrolytic capacitor,
// capacitor and diode — each with two leads ending on holes, a body filled with a colour
// gradient, its labels and its marks.

#include <QtCore/QPoint>
#include <vector>

namespace karvel {

class TBt;

// Builds the members of the group's component style from its parameters, after Generate has
// emptied it. Other styles build nothing.
void BuildComponent(TBt& group);

// Where the two leads of a body of length span run: outer end on a hole a whole number of
// pitches from the centre, at least one pitch beyond the body, then inner end at the body.
struct LeadEnds {
    QPoint UpperOuter, UpperInner, LowerOuter, LowerInner;
};
LeadEnds LeadEndsFor(QPoint centre, long double span);

} // namespace karvel
