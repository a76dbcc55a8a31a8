#include "tools/karvel-tool/ToolSupport.h"

#include "platform/ProgramFolder.h"

#include <cstdio>
#include <QtCore/QJsonDocument>
#include <QtCore/QSaveFile>

namespace karvel::tool {

const char* const Usage =
    "usage: karvel-tool <command> [arguments]\n"
    "commands:\n"
    "  version                     the program version and the file version it writes\n"
    "  info FILE [--lang de|en]    the boards and elements of a project as JSON\n"
    "  convert IN OUT [--lang de|en]   read a project of any version, write the current one\n"
    "  render FILE OUT [options]   a picture of a board: OUT ending in .png, .pdf or .svg\n"
    "      --board N               the N-th board of the project (from 1; default 1)\n"
    "      --solder --see-through --xray --outline --no-bitmaps    view modes\n"
    "      --zoom Z | --dpi D      screen zoom (0.2 to 20, default 3) or print resolution\n"
    "      --no-components --no-layout --grid-numbers --title TEXT  print options\n"
    "      --probe COL,ROW         show the continuity from a hole\n"
    "      --unused                show the unused copper\n"
    "      --lang de|en            texts of the title block and messages\n"
    "  probe FILE --at COL,ROW [--board N] [--lang de|en]   what is connected to a hole\n"
    "  unused FILE [--board N] [--lang de|en]   the copper nothing touches, as JSON\n"
    "  edit IN OUT [--board N] [--script FILE] [--lang de|en]\n"
    "                              replay an edit script (standard input without --script)\n"
    "                              onto a board and save the project to OUT\n"
    "  generate STYLE [NAME=VALUE ...] OUT [--lang de|en]   a part of the component assistant\n"
    "                              (style 0 to 14) as a one-board project; names as its table\n"
    "  lists FILE [--board N] [--order] [--lang de|en] [--format text|rtf|csv]\n"
    "                              the components list (or with --order the order list) and\n"
    "                              the jumper wires of a board; CSV gives one row per\n"
    "                              component (per kind of part with --order) and no wires\n"
    "FILE may be a pipe (/dev/stdin). Messages are English unless --lang de is given.\n"
    "Exit status: 0 done, 1 the file or the work failed, 2 wrong use.\n";

int UsageError(const QString& message) {
    std::fprintf(stderr, "karvel-tool: %s\n%s", message.toUtf8().constData(), Usage);
    return BadUse;
}

void PrintError(const QString& message) {
    std::fprintf(stderr, "%s\n", message.toUtf8().constData());
}

void PrintJson(const QJsonObject& json) {
    std::fputs(QJsonDocument(json).toJson(QJsonDocument::Indented).constData(), stdout);
}

std::optional<Language> LanguageOf(const Arguments& args) {
    if (!args.Has(QStringLiteral("--lang")))
        return Language::German;
    const QString value = args.Value(QStringLiteral("--lang"));
    if (value == QLatin1String("de"))
        return Language::German;
    if (value == QLatin1String("en"))
        return Language::English;
    UsageError(QStringLiteral("unknown language '%1' (de or en)").arg(value));
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
    if (number < 1 || number > int(load.Boards.size())) {
        status = UsageError(QStringLiteral("the project has no board %1 (it has %2)")
                                .arg(args.Value(QStringLiteral("--board")))
                                .arg(load.Boards.size()));
        return nullptr;
    }
    return load.Boards[std::size_t(number - 1)].get();
}

QString WriteAtomically(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return file.errorString();
    }
    if (!file.commit())
        return file.errorString();
    return {};
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
