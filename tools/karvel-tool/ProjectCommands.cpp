// info and convert: what a project holds, and bringing it to the current file version.

#include "tools/karvel-tool/Commands.h"
#include "tools/karvel-tool/InfoJson.h"
#include "tools/karvel-tool/ToolSupport.h"

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
    JsonStream out(stdout);
    out.BeginObject();
    out.Key(QStringLiteral("version"));
    out.Value(load->Version);
    out.Key(QStringLiteral("boards"));
    out.BeginArray();
    for (const auto& board : load->Boards)
        WriteBoardJson(*board, out);
    out.EndArray();
    out.EndObject();
    std::fflush(stdout);
    if (!out.Good()) {
        PrintError(Tr(messages, QStringLiteral("Die Ausgabe konnte nicht geschrieben werden."),
                      QStringLiteral("The output could not be written.")));
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
    if (!LanguageOf(*parsed))
        return BadUse;
    const Language messages = MessageLanguageOf(*parsed);
    ViewState view = MakeView(Language::German);
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
