#pragma once
// What every karvel-tool command shares: exit codes, messages, the language option, loading a
// project and choosing one of its boards.

#include "board/ProjectFile.h"
#include "tools/karvel-tool/Arguments.h"

#include <QtCore/QJsonObject>

#include <optional>

namespace karvel::tool {

enum ExitCode { Ok = 0, Failed = 1, BadUse = 2 };

// The language of every message of this run: German when the command line holds
// "--lang de", else English. Set once by main before a command runs.
void SetMessageLanguage(Language language);
Language MessageLanguage();
// The text in the language of messages.
QString Say(const char* german, const char* english);

// Prints the message and the overview of the commands; the exit status of wrong use.
int UsageError(const QString& message);
void PrintError(const QString& message);
// Writes to standard output, checking that all of it went out (a full disk, a closed pipe);
// says why not, in the language of messages, and answers false then.
bool WriteToStandardOutput(const QByteArray& bytes, Language messages);
bool PrintJson(const QJsonObject& json, Language messages);
// "The output could not be written." with the system's reason for the error code, if any.
void ReportOutputFailure(Language messages, int code);

// "--lang de|en"; nothing (and a usage error) for any other value. One rule for everything a
// command says, its output included (kind names, measures, lists): English unless "--lang de".
std::optional<Language> LanguageOf(const Arguments& args);
// The same for messages, never failing: German only for "--lang de".
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

// Writes bytes to a temporary file beside the target and renames it over the target; into a
// device or pipe directly. The system's reason when that failed.
QString WriteAtomically(const QString& path, const QByteArray& bytes);

} // namespace karvel::tool
