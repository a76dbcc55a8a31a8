// edit: replays an edit script onto one board of a project and saves the result.

#include "board/EditScript.h"
#include "board/ElementClipboard.h"
#include "board/Project.h"
#include "tools/karvel-tool/Commands.h"
#include "tools/karvel-tool/ToolSupport.h"

#include <cstdio>
#include <QtCore/QFile>

namespace karvel::tool {

namespace {

std::optional<QString> ReadScript(const Arguments& args, Language messages) {
    QFile file;
    const QString path = args.Value(QStringLiteral("--script"));
    const bool fromStdin = path.isEmpty() || path == u"-";
    const bool opened = fromStdin ? file.open(stdin, QIODevice::ReadOnly)
                                  : (file.setFileName(path), file.open(QIODevice::ReadOnly));
    if (!opened) {
        PrintError(Tr(messages, QStringLiteral("Das Skript %1 kann nicht gelesen werden: %2"),
                      QStringLiteral("cannot read the script %1: %2"))
                       .arg(fromStdin ? QStringLiteral("(stdin)") : path, file.errorString()));
        return std::nullopt;
    }
    // A script is a few lines; a megabyte of them is a mistake, not a script.
    constexpr qint64 Limit = 1 << 20;
    const QByteArray bytes = file.read(Limit + 1);
    if (bytes.size() > Limit) {
        PrintError(Tr(messages, QStringLiteral("Das Skript ist länger als 1 MB."),
                      QStringLiteral("the script is longer than 1 MB")));
        return std::nullopt;
    }
    return QString::fromUtf8(bytes);
}

void PrintScriptError(const ScriptError& error, Language messages) {
    PrintError(
        Tr(messages, QStringLiteral("Skript, Zeile %1: %2"), QStringLiteral("script line %1: %2"))
            .arg(error.Line)
            .arg(error.Text(messages)));
}

} // namespace

int Edit(const QStringList& args) {
    QString error;
    const auto parsed = Arguments::Parse(
        args,
        {{},
         {QStringLiteral("--board"), QStringLiteral("--script"), QStringLiteral("--lang")},
         2,
         2},
        error);
    if (!parsed)
        return UsageError(error);
    const std::optional<Language> language = LanguageOf(*parsed);
    if (!language)
        return BadUse;
    const Language messages = MessageLanguageOf(*parsed);
    const std::optional<QString> text = ReadScript(*parsed, messages);
    if (!text)
        return Failed;
    EditScript script;
    if (const std::optional<ScriptError> fault = EditScript::Parse(*text, script)) {
        PrintScriptError(*fault, messages);
        return BadUse;
    }

    ViewState view = MakeView(*language);
    int status = Ok;
    std::optional<ProjectLoad> load = LoadProject(parsed->Positional()[0], view, messages, status);
    if (!load)
        return status;
    if (load->Error) {
        PrintError(load->Error->Message(messages));
        return Failed;
    }
    TPlatine* board = ChooseBoard(*parsed, *load, status);
    if (board == nullptr)
        return status;
    // The project as the window holds it: the boards keep their places, the script edits one.
    Project project(view);
    project.Open({std::move(load->Boards), std::nullopt}, parsed->Positional()[0]);
    ElementClipboard clipboard(view);
    if (const std::optional<ScriptError> fault = script.Run(*board, clipboard)) {
        PrintScriptError(*fault, messages);
        return BadUse;
    }

    const QString out = parsed->Positional()[1];
    const std::optional<FileProblem> problem = project.Save(out);
    if (!problem)
        return Ok;
    PrintError(Tr(messages, QStringLiteral("%1 kann nicht geschrieben werden: %2"),
                  QStringLiteral("cannot write %1: %2"))
                   .arg(out, problem->Reason));
    return Failed;
}

} // namespace karvel::tool
