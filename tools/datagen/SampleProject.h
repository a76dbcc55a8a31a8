#pragma once
// The sample project: a 555 timer blinking an LED, built on a small stripboard as a hobbyist
// would solder it — parts across the strips, the strips cut under the IC, jumper wires for
// the supply and the timing node.

#include "board/Platine.h"

#include <QtCore/QString>

namespace karvel::datagen {

// The hole of the 555's pin 1; its other pins, and the parts around it, are placed from it.
inline constexpr QPoint Ic555Pin1{13, 6};

// Fills a main board (and its layout) with the blinker.
void Build555Blinker(TPlatine& board);

// Writes the project file; an empty text on success, else the reason.
QString WriteSampleProject(const QString& path);

} // namespace karvel::datagen
