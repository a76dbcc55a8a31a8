#pragma once
// Opens the manual of the user's language at a topic, when a manual is installed; without one
// nothing happens, as the dialogs' help buttons expect.

#include <functional>
#include <QtCore/QString>

namespace karvel {

// How a manual file is shown; the program opens it with the desktop's viewer.
using ManualOpener = std::function<bool(const QString& file, int topic)>;

// The manual file for a language below the program folder: "Anleitung/Karvel30.CHM" in
// German, "Manual/Karvel30.CHM" in English (and every other language).
QString ManualFile(const QString& programFolder, bool english);

// True when a manual was there and was handed to the opener.
bool ShowHelpTopic(int topic, const QString& programFolder, bool english,
                   const ManualOpener& open = {});

} // namespace karvel
