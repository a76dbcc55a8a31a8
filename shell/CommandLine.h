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
    // "--help" or "-h", "--version": print and leave without opening a window.
    bool Help = false;
    bool Version = false;
    // What was not understood, one line each ("unknown option --foo"); the program does not
    // start when there is any.
    QStringList Errors;
};

// Reads the arguments after the program name. "--" ends the switches: every argument after it
// is part of the path, even one that starts with "-".
CommandLine ParseCommandLine(const QStringList& arguments);

// The text "--help" prints, and the one "--version" prints.
QString UsageText(const QString& programName);
QString VersionText();

} // namespace karvel
