#include "tools/karvel-tool/ToolSupport.h"

#include "platform/AtomicFile.h"
#include "platform/ProgramFolder.h"
#include "platform/RegularFile.h"
#include "tools/karvel-tool/Help.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <QtCore/QJsonDocument>

namespace karvel::tool {

namespace {

Language messageLanguage = Language::English;

} // namespace

void SetMessageLanguage(Language language) {
    messageLanguage = language;
}

Language MessageLanguage() {
    return messageLanguage;
}

QString Say(const char* german, const char* english) {
    return Tr(messageLanguage, QString::fromUtf8(german), QString::fromUtf8(english));
}

int UsageError(const QString& message) {
    std::fprintf(stderr, "karvel-tool: %s\n%s", message.toUtf8().constData(),
                 GeneralUsage(messageLanguage).toUtf8().constData());
    return BadUse;
}

void PrintError(const QString& message) {
    std::fprintf(stderr, "%s\n", message.toUtf8().constData());
}

bool PrintJson(const QJsonObject& json, Language messages) {
    return WriteToStandardOutput(QJsonDocument(json).toJson(QJsonDocument::Indented), messages);
}

std::optional<Language> LanguageOf(const Arguments& args) {
    if (!args.Has(QStringLiteral("--lang")))
        return Language::English;
    const QString value = args.Value(QStringLiteral("--lang"));
    if (value == QLatin1String("de"))
        return Language::German;
    if (value == QLatin1String("en"))
        return Language::English;
    UsageError(
        Say("unbekannte Sprache '%1' (de oder en)", "unknown language '%1' (de or en)").arg(value));
    return std::nullopt;
}

Language MessageLanguageOf(const Arguments& args) {
    return args.Value(QStringLiteral("--lang")) == QLatin1String("de") ? Language::German
                                                                       : Language::English;
}

ViewState MakeView(Language language) {
    ViewState view;
    view.Sprache = language;
    view.ProgramFolder = FindProgramFolder();
    return view;
}

std::optional<ProjectLoad> LoadProject(const QString& path, ViewState& view, Language messages,
                                       int& status) {
    try {
        return ReadProjectFile(path, view);
    } catch (const VersionError& error) {
        PrintError(error.Message(messages));
        status = Failed;
    } catch (const FileOpenError& error) {
        PrintError(error.Message(messages));
        status = error.GetReason() == FileOpenError::Reason::TooLarge ? Failed : BadUse;
    }
    return std::nullopt;
}

TPlatine* ChooseBoard(const Arguments& args, const ProjectLoad& load, int& status) {
    int number = 1;
    if (args.Has(QStringLiteral("--board"))) {
        bool ok = false;
        number = args.Value(QStringLiteral("--board")).toInt(&ok);
        if (!ok)
            number = 0;
    }
    // Only boards that were read count: a damaged file's stand-in board is none of its own.
    const int count = int(std::min(load.BoardsRead, load.Boards.size()));
    if (number < 1 || number > count) {
        status = UsageError(Say("das Projekt hat keine Platine %1 (es hat %2)",
                                "the project has no board %1 (it has %2)")
                                .arg(args.Value(QStringLiteral("--board")))
                                .arg(count));
        return nullptr;
    }
    return load.Boards[std::size_t(number - 1)].get();
}

QString WriteAtomically(const QString& path, const QByteArray& bytes) {
    return WriteFileAtomically(path, bytes);
}

bool WriteToStandardOutput(const QByteArray& bytes, Language messages) {
    errno = 0;
    if (std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout) ==
            std::size_t(bytes.size()) &&
        std::fflush(stdout) == 0)
        return true;
    ReportOutputFailure(messages, errno);
    return false;
}

void ReportOutputFailure(Language messages, int code) {
    const QString reason = code != 0 ? qt_error_string(code) : QString();
    PrintError(Tr(messages, QStringLiteral("Die Ausgabe konnte nicht geschrieben werden."),
                  QStringLiteral("The output could not be written.")) +
               (reason.isEmpty() ? QString() : u' ' + reason));
}

int SaveLoadedProject(const QString& out, const ProjectLoad& load, Language messages) {
    std::vector<TPlatine*> boards;
    for (const auto& board : load.Boards)
        boards.push_back(board.get());
    const QString saveError = SaveProjectFile(out, boards);
    if (saveError.isEmpty())
        return Ok;
    PrintError(Tr(messages, QStringLiteral("%1 kann nicht geschrieben werden: %2"),
                  QStringLiteral("cannot write %1: %2"))
                   .arg(out, saveError));
    return Failed;
}

} // namespace karvel::tool
