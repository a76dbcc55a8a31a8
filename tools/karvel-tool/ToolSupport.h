#pragma once
// What every karvel-tool command shares: exit codes, messages, the language option, loading a
// project and choosing one of its boards.

#include "board/ProjectFile.h"
#include "tools/karvel-tool/Arguments.h"

#include <QtCore/QJsonObject>

#include <optional>

namespace karvel::tool {

enum ExitCode { Ok = 0, Failed = 1, BadUse = 2 };

extern const char* const Usage;

int UsageError(const QString& message);
void PrintError(const QString& message);
void PrintJson(const QJsonObject& json);

// "--lang de|en"; nothing (and a usage error) for any other value. The texts a project makes
// (kind names, measures) default to German.
std::optional<Language> LanguageOf(const Arguments& args);
// Messages are English, the tool's own language, unless "--lang de" asks for German.
Language MessageLanguageOf(const Arguments& args);
ViewState MakeView(Language language);

// Reads a project; prints why it could not, in the language of messages, and sets the exit
// status then. A damaged project comes back with its error set.
std::optional<ProjectLoad> LoadProject(const QString& path, ViewState& view, Language messages,
                                       int& status);

// "--board N" counting from 1, default the first; nothing (usage error printed) when the
// project has no such board.
TPlatine* ChooseBoard(const Arguments& args, const ProjectLoad& load, int& status);

// Saves every board of a loaded project to OUT atomically; prints why it failed, in the
// language of messages. The exit status.
int SaveLoadedProject(const QString& out, const ProjectLoad& load, Language messages);

// Writes bytes to a temporary file beside the target and renames it over the target.
QString WriteAtomically(const QString& path, const QByteArray& bytes);

} // namespace karvel::tool
