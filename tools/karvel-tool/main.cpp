// karvel-tool: headless batch work on Karvel projects, with the same core as the editor.

#include "board/ProjectFile.h"
#include "platform/ProgramFolder.h"
#include "tools/karvel-tool/InfoJson.h"

#include <QtCore/QJsonArray>
#include <QtCore/QJsonDocument>
#include <QtGui/QGuiApplication>
#include <cstdio>
#include <optional>

namespace karvel {
namespace {

constexpr const char* Usage =
    "usage: karvel-tool <command> [arguments]\n"
    "commands:\n"
    "  version                       the program version and the file version it writes\n"
    "  info FILE [--lang de|en]      the boards and elements of a project as JSON\n"
    "  convert IN OUT                read a project of any version, write the current one\n";

enum ExitCode { Ok = 0, Failed = 1, BadUse = 2 };

int UsageError(const QString& message) {
    std::fprintf(stderr, "karvel-tool: %s\n%s", qPrintable(message), Usage);
    return BadUse;
}

void PrintError(const QString& message) { std::fprintf(stderr, "%s\n", message.toUtf8().constData()); }

struct Options {
    QStringList positional;
    Language language = Language::German;
};

std::optional<Options> ParseOptions(const QStringList& args, QString& error) {
    Options options;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--lang")) {
            if (i + 1 >= args.size()) {
                error = QStringLiteral("--lang needs de or en");
                return std::nullopt;
            }
            const QString value = args[++i];
            if (value == QLatin1String("de"))
                options.language = Language::German;
            else if (value == QLatin1String("en"))
                options.language = Language::English;
            else {
                error = QStringLiteral("unknown language '%1' (de or en)").arg(value);
                return std::nullopt;
            }
        } else if (arg.startsWith(QLatin1String("--"))) {
            error = QStringLiteral("unknown option '%1'").arg(arg);
            return std::nullopt;
        } else {
            options.positional << arg;
        }
    }
    return options;
}

ViewState MakeView(Language language) {
    ViewState view;
    view.Sprache = language;
    view.ProgramFolder = FindProgramFolder();
    return view;
}

// Reads a project for a command; prints why it could not and gives nothing then.
std::optional<ProjectLoad> Load(const QString& path, ViewState& view, int& status) {
    try {
        return ReadProjectFile(path, view);
    } catch (const VersionError& error) {
        PrintError(error.Message(view.Sprache));
        status = Failed;
    } catch (const FileOpenError& error) {
        PrintError(error.Message(view.Sprache));
        status = BadUse;
    }
    return std::nullopt;
}

int Info(const QStringList& args) {
    QString error;
    const std::optional<Options> options = ParseOptions(args, error);
    if (!options)
        return UsageError(error);
    if (options->positional.size() != 1)
        return UsageError(QStringLiteral("info takes one file"));
    ViewState view = MakeView(options->language);
    int status = Ok;
    std::optional<ProjectLoad> load = Load(options->positional.front(), view, status);
    if (!load)
        return status;
    QJsonArray boards;
    for (const auto& board : load->Boards)
        boards.append(BoardToJson(*board));
    const QJsonObject json{{QStringLiteral("version"), load->Version},
                           {QStringLiteral("boards"), boards}};
    std::fputs(QJsonDocument(json).toJson(QJsonDocument::Indented).constData(), stdout);
    if (load->Error) {
        PrintError(load->Error->Message());
        return Failed;
    }
    return Ok;
}

int Convert(const QStringList& args) {
    QString error;
    const std::optional<Options> options = ParseOptions(args, error);
    if (!options)
        return UsageError(error);
    if (options->positional.size() != 2)
        return UsageError(QStringLiteral("convert takes an input and an output file"));
    ViewState view = MakeView(options->language);
    int status = Ok;
    std::optional<ProjectLoad> load = Load(options->positional[0], view, status);
    if (!load)
        return status;
    if (load->Error) {
        // Writing what could be read would pass a damaged project off as a whole one.
        PrintError(load->Error->Message() + QStringLiteral(": nothing written"));
        return Failed;
    }
    std::vector<TPlatine*> boards;
    for (const auto& board : load->Boards)
        boards.push_back(board.get());
    const QString saveError = SaveProjectFile(options->positional[1], boards);
    if (!saveError.isEmpty()) {
        PrintError(QStringLiteral("cannot write %1: %2").arg(options->positional[1], saveError));
        return Failed;
    }
    return Ok;
}

} // namespace
} // namespace karvel

int main(int argc, char** argv) {
    // Text measurement needs fonts, and fonts need a GUI application, but never a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    if (args.isEmpty())
        return karvel::UsageError(QStringLiteral("no command"));
    const QString command = args.takeFirst();
    if (command == QLatin1String("version") || command == QLatin1String("--version")) {
        std::printf("karvel-tool %s (file version 3,08)\n", KARVEL_VERSION);
        return karvel::Ok;
    }
    if (command == QLatin1String("help") || command == QLatin1String("--help")) {
        std::fputs(karvel::Usage, stdout);
        return karvel::Ok;
    }
    if (command == QLatin1String("info"))
        return karvel::Info(args);
    if (command == QLatin1String("convert"))
        return karvel::Convert(args);
    return karvel::UsageError(QStringLiteral("unknown command '%1'").arg(command));
}
