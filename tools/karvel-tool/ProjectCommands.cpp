// info and convert: what a project holds, and bringing it to the current file version.

#include "tools/karvel-tool/Commands.h"
#include "tools/karvel-tool/InfoJson.h"
#include "tools/karvel-tool/ToolSupport.h"

#include <cerrno>
#include <cstdio>

namespace karvel::tool {

int Info(const QStringList& args) {
    QString error;
    const auto parsed = Arguments::Parse(args, {{}, {QStringLiteral("--lang")}, 1, 1}, error);
    if (!parsed)
        return UsageError(error);
    const std::optional<Language> language = LanguageOf(*parsed);
    if (!language)
        return BadUse;
    const Language messages = MessageLanguageOf(*parsed);
    ViewState view = MakeView(*language);
    int status = Ok;
    std::optional<ProjectLoad> load =
        LoadProject(parsed->Positional().front(), view, messages, status);
    if (!load)
        return status;
    if (load->BoardsRead == 0) {
        // Not even a board's name could be read: there is nothing to show.
        PrintError(load->Error ? load->Error->Message(messages) : QString());
        return Failed;
    }
    JsonStream out(stdout);
    out.BeginObject();
    out.Key(QStringLiteral("version"));
    out.Value(load->Version);
    out.Key(QStringLiteral("boards"));
    out.BeginArray();
    // Boards past the damage were never read; a project's stand-in board is no board of the file.
    for (std::size_t i = 0; i < load->BoardsRead && i < load->Boards.size(); ++i)
        WriteBoardJson(*load->Boards[i], out);
    out.EndArray();
    out.EndObject();
    errno = 0;
    std::fflush(stdout);
    if (!out.Good()) {
        ReportOutputFailure(messages, errno);
        return Failed;
    }
    if (load->Error) {
        PrintError(load->Error->Message(messages));
        return Failed;
    }
    return Ok;
}

int Convert(const QStringList& args) {
    QString error;
    const auto parsed = Arguments::Parse(args, {{}, {QStringLiteral("--lang")}, 2, 2}, error);
    if (!parsed)
        return UsageError(error);
    const std::optional<Language> language = LanguageOf(*parsed);
    if (!language)
        return BadUse;
    const Language messages = MessageLanguageOf(*parsed);
    ViewState view = MakeView(*language);
    int status = Ok;
    std::optional<ProjectLoad> load = LoadProject(parsed->Positional()[0], view, messages, status);
    if (!load)
        return status;
    if (load->Error) {
        // Writing what could be read would pass a damaged project off as a whole one.
        PrintError(load->Error->Message(messages) + u' ' +
                   Tr(messages, QStringLiteral("Es wurde nichts geschrieben."),
                      QStringLiteral("Nothing was written.")));
        return Failed;
    }
    return SaveLoadedProject(parsed->Positional()[1], *load, messages);
}

} // namespace karvel::tool
