#pragma once
// The pieces components are made of and the components of the sample project: leads, jumper
// wires, pins, bodies, labels, resistors with their colour bands, radial capacitors, LEDs and
// DIP ICs, all placed by hole (column, row) on the grid.

#include "elements/Draht.h"
#include "elements/Gruppe.h"
#include "elements/Kreis.h"
#include "elements/Txtlabel.h"
#include "platform/Colour.h"

#include <memory>
#include <optional>
#include <QtCore/QPoint>
#include <QtCore/QString>
#include <vector>

namespace karvel::datagen {

// --- Pieces
// A component lead: node 0 in the hole, node 1 at the body.
std::unique_ptr<TDraht> Lead(QPoint hole, QPoint bodyEnd);
// A jumper wire through the centres of the given holes.
std::unique_ptr<TDraht> JumperWire(const std::vector<QPoint>& holes, Colour insulation);
std::unique_ptr<TDraht> SolderPin(QPoint hole);
std::unique_ptr<TDraht> FilledRect(const Rect& rect, Colour fill);
std::unique_ptr<TDraht> Polyline(const std::vector<QPoint>& points, Colour colour, int width);
std::unique_ptr<TKreis> Disc(QPoint centre, int radius, Colour fill);
std::unique_ptr<TTextLabel> Label(const QString& text, QPoint position, int height,
                                  Colour colour = colours::Black);
std::unique_ptr<TTextLabel> PlaceholderLabel(TPlaceholder placeholder, QPoint position, int height,
                                             Colour colour = colours::Black);

// --- Components
struct Identity {
    QString Identifier; // with "#" where the number goes
    int Number;
    QString Value;
    QString Description;
};
// Where a component shows its identifier and, when given, its value (top-left corners of the
// labels, board units).
struct LabelPlaces {
    QPoint IdentifierAt;
    std::optional<QPoint> ValueAt;
};
std::unique_ptr<TGruppe> Component(const Identity& identity);
// Marks every member as grouped, fills the placeholder labels and, for a two-lead part,
// remembers the shape it is stretched from.
void FinishComponent(TGruppe& component);

// A resistor lying between two holes of one column or one row, its bands read from the value
// in ohms (two digits and a multiplier, gold tolerance).
std::unique_ptr<TGruppe> Resistor(const Identity& identity, QPoint from, QPoint to, int ohms,
                                  const LabelPlaces& labels);
// A radial part standing over two holes: a round body, its first lead the marked one (the
// plus of an electrolytic, the cathode of an LED).
enum class RadialKind { Electrolytic, Ceramic, Led };
std::unique_ptr<TGruppe> Radial(const Identity& identity, RadialKind kind, QPoint marked,
                                QPoint other, const LabelPlaces& labels);
// A DIP IC with pin 1 at the given hole, its pins running down the column and back up the
// column three holes to the right; the leads are its members in pin order.
std::unique_ptr<TGruppe> DipIc(const Identity& identity, QPoint pin1, int pins,
                               const LabelPlaces& labels);
// A two-pin connector for the supply, the first pin the positive one.
std::unique_ptr<TGruppe> SupplyPins(const Identity& identity, QPoint positive, QPoint negative,
                                    const LabelPlaces& labels);

} // namespace karvel::datagen
