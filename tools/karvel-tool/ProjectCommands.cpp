// info and convert: what a project holds, and bringing it to the current file version.

#include "tools/karvel-tool/Commands.h"
#include "tools/karvel-tool/InfoJson.h"
#include "tools/karvel-tool/ToolSupport.h"

#include <QtCore/QJsonArray>

namespace karvel::tool {

int Info(const QStringList& args) {
    QString error;
    const auto parsed = Arguments::Parse(args, {{}, {QStringLiteral("--lang")}, 1, 1}, error);
    if (!parsed)
        return UsageError(error);
    const std::optional<Language> language = LanguageOf(*parsed);
    if (!language)
        return BadUse;
    ViewState view = MakeView(*language);
    int status = Ok;
    std::optional<ProjectLoad> load = LoadProject(parsed->Positional().front(), view, status);
    if (!load)
        return status;
    QJsonArray boards;
    for (const auto& board : load->Boards)
        boards.append(BoardToJson(*board));
    PrintJson({{QStringLiteral("version"), load->Version}, {QStringLiteral("boards"), boards}});
    if (load->Error) {
        PrintError(load->Error->Message());
        return Failed;
    }
    return Ok;
}

int Convert(const QStringList& args) {
    QString error;
    const auto parsed = Arguments::Parse(args, {{}, {}, 2, 2}, error);
    if (!parsed)
        return UsageError(error);
    ViewState view = MakeView(Language::German);
    int status = Ok;
    std::optional<ProjectLoad> load = LoadProject(parsed->Positional()[0], view, status);
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
    const QString out = parsed->Positional()[1];
    const QString saveError = SaveProjectFile(out, boards);
    if (!saveError.isEmpty()) {
        PrintError(QStringLiteral("cannot write %1: %2").arg(out, saveError));
        return Failed;
    }
    return Ok;
}

} // namespace karvel::tool
