// karvel-tool: headless batch work on Karvel projects, with the same core as the editor.

#include "board/ElementClasses.h"
#include "tools/karvel-tool/Commands.h"
#include "tools/karvel-tool/Help.h"
#include "tools/karvel-tool/ToolSupport.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <new>
#include <QtGui/QGuiApplication>

namespace {

// "--lang de" anywhere on the command line makes every message German, also those that come
// before the command has read its arguments.
karvel::Language LanguageOnCommandLine(const QStringList& args) {
    const qsizetype lang = args.indexOf(QStringLiteral("--lang"));
    return lang >= 0 && args.value(lang + 1) == QLatin1String("de") ? karvel::Language::German
                                                                    : karvel::Language::English;
}

QStringList WithoutLanguage(QStringList args) {
    const qsizetype lang = args.indexOf(QStringLiteral("--lang"));
    if (lang >= 0)
        args.remove(lang, std::min<qsizetype>(2, args.size() - lang));
    return args;
}

bool IsHelp(const QString& arg) {
    return arg == QLatin1String("--help") || arg == QLatin1String("-h");
}

// "help", "help COMMAND", "help generate STYLE"; and "COMMAND --help" comes here too.
int Help(const QStringList& topics) {
    using namespace karvel::tool;
    const karvel::Language language = MessageLanguage();
    if (topics.size() == 2 && topics[0] == QLatin1String("generate")) {
        QStringList args{topics[1], QStringLiteral("--help")};
        if (language == karvel::Language::German)
            args << QStringLiteral("--lang") << QStringLiteral("de");
        return Generate(args);
    }
    const QString help = topics.isEmpty()     ? GeneralUsage(language)
                         : topics.size() == 1 ? CommandHelp(topics[0], language)
                                              : QString();
    if (help.isEmpty())
        return UsageError(Say("keine Hilfe zu '%1'", "no help on '%1'").arg(topics.join(u' ')));
    return WriteToStandardOutput(help.toUtf8(), language) ? Ok : Failed;
}

} // namespace

int main(int argc, char** argv) {
    // Text measurement needs fonts, and fonts need a GUI application, but never a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    karvel::RegisterElementClasses();
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    using namespace karvel::tool;
    SetMessageLanguage(LanguageOnCommandLine(args));
    // "--lang de" may also come before the command.
    if (args.value(0) == QLatin1String("--lang")) {
        const QString value = args.value(1);
        if (value != QLatin1String("de") && value != QLatin1String("en"))
            return UsageError(
                Say("unbekannte Sprache '%1' (de oder en)", "unknown language '%1' (de or en)")
                    .arg(value));
        args.remove(0, std::min<qsizetype>(2, args.size()));
    }
    if (args.isEmpty())
        return UsageError(Say("kein Befehl", "no command"));
    const QString command = args.takeFirst();
    if (command == QLatin1String("version") || command == QLatin1String("--version")) {
        std::printf("karvel-tool %s (file version 3,08)\n", KARVEL_VERSION);
        return Ok;
    }
    if (command == QLatin1String("help") || IsHelp(command))
        return Help(WithoutLanguage(args));
    using Command = std::function<int(const QStringList&)>;
    const std::map<QString, Command> commands{
        {QStringLiteral("info"), Info},         {QStringLiteral("convert"), Convert},
        {QStringLiteral("render"), Render},     {QStringLiteral("probe"), Probe},
        {QStringLiteral("unused"), Unused},     {QStringLiteral("edit"), Edit},
        {QStringLiteral("generate"), Generate}, {QStringLiteral("lists"), Lists}};
    const auto it = commands.find(command);
    if (it == commands.end())
        return UsageError(Say("unbekannter Befehl '%1'", "unknown command '%1'").arg(command));
    // "COMMAND --help" is the command's help; "generate STYLE --help" lists the style's
    // parameters, which generate does itself.
    const bool styleHelp =
        command == QLatin1String("generate") &&
        std::any_of(args.begin(), args.end(), [](const QString& a) { return !a.startsWith(u'-'); });
    if (!styleHelp && std::any_of(args.begin(), args.end(), IsHelp))
        return Help({command});
    try {
        return it->second(args);
    } catch (const std::bad_alloc&) {
        // Plain C strings: there may be no memory left to make a QString.
        std::fputs(MessageLanguage() == karvel::Language::German
                       ? "karvel-tool: Der Speicher reicht nicht aus; die Arbeit wurde "
                         "abgebrochen.\n"
                       : "karvel-tool: not enough memory; the work was stopped.\n",
                   stderr);
        return Failed;
    }
}
