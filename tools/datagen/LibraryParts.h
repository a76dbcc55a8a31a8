#pragma once
// The parts of the starter library, each built on the 2.54 mm grid with its contacts in hole
// centres. Parts stand with their contacts down a column of holes, first contact at the top,
// so that on a board with horizontal strips every contact lands on a strip of its own (a DIP
// socket then straddles a gap or a cut between its two columns). A part's first contact is
// its pin 1: the cathode of a diode or LED, the plus of an electrolytic capacitor.

#include "tools/datagen/Parts.h"

#include <array>
#include <memory>
#include <QtCore/QPoint>
#include <QtCore/QString>

namespace karvel::datagen {

// --- Two-lead parts, stretchable along their leads
// Resistors are colour-code components as the component assistant makes them: their bands
// follow the value the user gives them, snapped to E24 and shown in three bands beside a
// tolerance band (gold for carbon film, brown for the blue metal film). A resistor lying over
// the given number of pitches:
enum class ResistorKind { Carbon, MetalFilm };
struct ResistorSize {
    int BodyLength;    // board units
    int BodyThickness; // board units
};
std::unique_ptr<TGruppe> LyingResistor(const Identity& identity, QPoint first, int pitches,
                                       ResistorKind kind, const ResistorSize& size, int ohms);
// A resistor standing on its first lead, the second bent back over its top.
std::unique_ptr<TGruppe> StandingResistor(const Identity& identity, QPoint first, int ohms);

// A flat capacitor standing over its leads: a ceramic bead or disc, or a film box.
enum class FlatCapacitorKind { CeramicBead, CeramicDisc, FilmBox };
std::unique_ptr<TGruppe> FlatCapacitor(const Identity& identity, QPoint first, int pitches,
                                       FlatCapacitorKind kind);
// An electrolytic capacitor standing on its leads, seen from above: the minus stripe on the
// second lead's side.
std::unique_ptr<TGruppe> RadialElectrolytic(const Identity& identity, QPoint plus, int pitches,
                                            int diameter);
std::unique_ptr<TGruppe> AxialElectrolytic(const Identity& identity, QPoint plus, int pitches);

enum class DiodeCase { Do35, Do41 };
std::unique_ptr<TGruppe> Diode(const Identity& identity, QPoint cathode, DiodeCase diodeCase);
// A round LED of the given diameter (board units) with the flat of its rim at the cathode.
std::unique_ptr<TGruppe> RoundLed(const Identity& identity, QPoint cathode, int diameter);
std::unique_ptr<TGruppe> Crystal(const Identity& identity, QPoint first);

// --- Parts with three or more contacts, placed as they are
// The short names printed beside pins 1, 2 and 3.
using PinNames = std::array<QString, 3>;
// TO-92 seen from above with its flat face to the left: pin 1 at the top.
std::unique_ptr<TGruppe> To92(const Identity& identity, QPoint pin1, const PinNames& pins);
// TO-220 standing, its front to the left and its metal tab to the right.
std::unique_ptr<TGruppe> To220(const Identity& identity, QPoint pin1, const PinNames& pins);

// A DIP socket with pin 1 at the top of the left column; rowPitches 3 (7.62 mm) or 6
// (15.24 mm) apart. Pins count down the left column and up the right one.
std::unique_ptr<TGruppe> DipSocket(const Identity& identity, QPoint pin1, int pins, int rowPitches);
// A straight pin header of one or two columns; pins are numbered across the columns first.
std::unique_ptr<TGruppe> PinHeader(const Identity& identity, QPoint pin1, int rows, int columns);
// A screw terminal block at 5.08 mm, its wire entries to the left.
std::unique_ptr<TGruppe> ScrewTerminal(const Identity& identity, QPoint pin1, int ways);
// A 2.1 mm DC jack, its opening at the top: pin 1 the centre (plus), pin 2 the sleeve, pin 3
// the switch.
std::unique_ptr<TGruppe> DcJack(const Identity& identity, QPoint sleeve);

// A 16 mm potentiometer with its three pins at 5.08 mm down the left edge.
std::unique_ptr<TGruppe> Potentiometer(const Identity& identity, QPoint pin1);
// A 10 mm trimmer lying flat: its ends 10.16 mm apart, the wiper 5.08 mm to the right.
std::unique_ptr<TGruppe> LyingTrimmer(const Identity& identity, QPoint pin1);
// A multi-turn trimmer (3296W) with its pins in a column at 2.54 mm.
std::unique_ptr<TGruppe> SpindleTrimmer(const Identity& identity, QPoint pin1);

// A 6 x 6 mm push button: pins 1 and 2 are joined inside, so are 3 and 4; pressing joins the
// pairs. The joined pins share a row, so each pair lies on one strip.
std::unique_ptr<TGruppe> PushButton(const Identity& identity, QPoint pin1);
// A signal relay with two changeover contacts on the DIL-16 grid: pins 1, 4, 6, 8, 9, 11, 13,
// 16, the coil between pins 1 and 16.
std::unique_ptr<TGruppe> DilRelay(const Identity& identity, QPoint pin1);

} // namespace karvel::datagen
