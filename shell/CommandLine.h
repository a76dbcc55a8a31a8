#pragma once
// What the program is told when it starts: the project to open and a few switches.

#include "platform/Language.h"

#include <optional>
#include <QtCore/QString>
#include <QtCore/QStringList>

namespace karvel {

struct CommandLine {
    // All arguments that are not switches, joined by single spaces, so that an unquoted path
    // with spaces still names one file.
    QString ProjectPath;
    bool Splash = true;
    // "--lang en" or "--lang de"; none leaves the language to the settings.
    std::optional<Language> Sprache;
};

// Reads the arguments after the program name.
CommandLine ParseCommandLine(const QStringList& arguments);

} // namespace karvel
