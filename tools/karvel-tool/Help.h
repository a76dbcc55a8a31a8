#pragma once
// The help of karvel-tool in both languages: the overview of all commands, and the help of one
// command with its options.

#include "platform/Language.h"

#include <QtCore/QString>

namespace karvel::tool {

// "usage: karvel-tool <command> ..." with every command and the rules they share.
QString GeneralUsage(Language language);
// The help of one command; empty when there is no such command.
QString CommandHelp(const QString& command, Language language);

} // namespace karvel::tool
