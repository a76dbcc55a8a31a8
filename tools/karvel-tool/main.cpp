// karvel-tool: headless batch work on Karvel projects, with the same core as the editor.

#include "board/ElementClasses.h"
#include "tools/karvel-tool/Commands.h"
#include "tools/karvel-tool/ToolSupport.h"

#include <cstdio>
#include <functional>
#include <map>
#include <new>
#include <QtGui/QGuiApplication>

int main(int argc, char** argv) {
    // Text measurement needs fonts, and fonts need a GUI application, but never a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    karvel::RegisterElementClasses();
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    if (args.isEmpty())
        return karvel::tool::UsageError(QStringLiteral("no command"));
    const QString command = args.takeFirst();
    if (command == QLatin1String("version") || command == QLatin1String("--version")) {
        std::printf("karvel-tool %s (file version 3,08)\n", KARVEL_VERSION);
        return karvel::tool::Ok;
    }
    if (command == QLatin1String("help") || command == QLatin1String("--help")) {
        std::fputs(karvel::tool::Usage, stdout);
        return karvel::tool::Ok;
    }
    using Command = std::function<int(const QStringList&)>;
    const std::map<QString, Command> commands{{QStringLiteral("info"), karvel::tool::Info},
                                              {QStringLiteral("convert"), karvel::tool::Convert},
                                              {QStringLiteral("render"), karvel::tool::Render},
                                              {QStringLiteral("probe"), karvel::tool::Probe},
                                              {QStringLiteral("unused"), karvel::tool::Unused},
                                              {QStringLiteral("edit"), karvel::tool::Edit},
                                              {QStringLiteral("generate"), karvel::tool::Generate},
                                              {QStringLiteral("lists"), karvel::tool::Lists}};
    const auto it = commands.find(command);
    if (it == commands.end())
        return karvel::tool::UsageError(QStringLiteral("unknown command '%1'").arg(command));
    const qsizetype lang = args.indexOf(QStringLiteral("--lang"));
    const bool german = lang >= 0 && args.value(lang + 1) == QLatin1String("de");
    try {
        return it->second(args);
    } catch (const std::bad_alloc&) {
        // Plain C strings: there may be no memory left to make a QString.
        std::fputs(german ? "karvel-tool: Der Speicher reicht nicht aus; die Arbeit wurde "
                            "abgebrochen.\n"
                          : "karvel-tool: not enough memory; the work was stopped.\n",
                   stderr);
        return karvel::tool::Failed;
    }
}
