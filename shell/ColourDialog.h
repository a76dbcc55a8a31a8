#pragma once
// The system colour dialog, whose sixteen custom colours outlive the program: they are read
// from "Colors.dat" before the dialog opens and written back after OK.

#include "platform/SettingsStore.h"

#include <optional>
#include <QtGui/QColor>

class QWidget;

namespace karvel {

// The colour chosen, or none when the dialog was cancelled. A missing or unreadable
// "Colors.dat" gives white custom colours, as unused ones are.
std::optional<QColor> AskColour(QWidget* parent, const QColor& initial, const SettingsStore& store);

// The settings beside the program, where the program start reads its other settings files.
SettingsStore ProgramSettingsStore();

} // namespace karvel
