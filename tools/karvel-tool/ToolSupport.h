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

// "--lang de|en"; nothing (and a usage error) for any other value.
std::optional<Language> LanguageOf(const Arguments& args);
ViewState MakeView(Language language);

// Reads a project; prints why it could not and sets the exit status then. A damaged project
// comes back with its error set.
std::optional<ProjectLoad> LoadProject(const QString& path, ViewState& view, int& status);

// "--board N" counting from 1, default the first; nothing (usage error printed) when the
// project has no such board.
TPlatine* ChooseBoard(const Arguments& args, const ProjectLoad& load, int& status);

// Writes bytes to a temporary file beside the target and renames it over the target.
QString WriteAtomically(const QString& path, const QByteArray& bytes);

} // namespace karvel::tool
