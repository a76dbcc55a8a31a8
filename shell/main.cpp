// Karvel, the desktop program.

#include "board/ElementClasses.h"
#include "shell/CommandLine.h"
#include "shell/ElementDialogs.h"
#include "shell/MainWindow.h"
#include "shell/ProgramStart.h"
#include "shell/ToolSizeDialogs.h"
#include "shell/ViewDialogs.h"

#include <cstdio>
#include <QtWidgets/QApplication>

namespace {

QStringList Arguments(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

void Print(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
}

} // namespace

int main(int argc, char** argv) {
    // Read before the application exists, so that "--help" needs no display.
    const karvel::CommandLine line = karvel::ParseCommandLine(Arguments(argc, argv));
    const QString name = QStringLiteral("karvel");
    if (!line.Errors.isEmpty()) {
        for (const QString& error : line.Errors)
            Print(stderr, name + QStringLiteral(": ") + error + u'\n');
        Print(stderr, QStringLiteral("Try \"%1 --help\".\n").arg(name));
        return 2;
    }
    if (line.Help) {
        Print(stdout, karvel::UsageText(name));
        return 0;
    }
    if (line.Version) {
        Print(stdout, karvel::VersionText());
        return 0;
    }

    QApplication app(argc, argv);
    karvel::RegisterElementClasses();
    karvel::NameApplication();
    karvel::StartRequest request;
    request.Line = line;
    // The settings files lie beside the program (or in the user's copy when that folder cannot
    // take them).
    request.SettingsFolder = QApplication::applicationDirPath();
    const std::unique_ptr<karvel::MainWindow> window = karvel::StartProgram(std::move(request));
    const karvel::Language language = window->View().Sprache;
    const karvel::ElementDialogScope dialogs(
        window.get(), language, karvel::ManualHelp(window->View().ProgramFolder, language));
    window->AskToolSize = karvel::ToolSizeQuestion(window.get(), window->Sprache());
    karvel::AttachXRayContrastWindow(*window);
    return QApplication::exec();
}
