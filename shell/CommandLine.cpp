#include "shell/CommandLine.h"

namespace karvel {

namespace {

std::optional<Language> LanguageNamed(const QString& name) {
    const QString lower = name.toLower();
    if (lower == u"en" || lower == u"english")
        return Language::English;
    if (lower == u"de" || lower == u"german" || lower == u"deutsch")
        return Language::German;
    return std::nullopt;
}

void TakeLanguage(CommandLine& line, const QString& name) {
    line.Sprache = LanguageNamed(name);
    if (!line.Sprache)
        line.Errors.append(QStringLiteral("unknown language \"%1\" (use de or en)").arg(name));
}

// A lone "-" is a word of a path, as in "Relais - alt.rst" given unquoted.
bool IsSwitch(const QString& argument) {
    return argument.size() > 1 && argument.front() == u'-';
}

} // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
    CommandLine line;
    QStringList words;
    bool switches = true;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (!switches || !IsSwitch(argument)) {
            words.append(argument);
        } else if (argument == u"--") {
            switches = false;
        } else if (argument == u"--help" || argument == u"-h") {
            line.Help = true;
        } else if (argument == u"--version") {
            line.Version = true;
        } else if (argument == u"--no-splash") {
            line.Splash = false;
        } else if (argument == u"--lang") {
            if (i + 1 < arguments.size())
                TakeLanguage(line, arguments[++i]);
            else
                line.Errors.append(QStringLiteral("--lang needs a language (de or en)"));
        } else if (argument.startsWith(QStringLiteral("--lang="))) {
            TakeLanguage(line, argument.mid(7));
        } else {
            line.Errors.append(QStringLiteral("unknown option %1").arg(argument));
        }
    }
    line.ProjectPath = words.join(u' ');
    return line;
}

QString UsageText(const QString& programName) {
    return QStringLiteral("Usage: %1 [OPTION]... [PROJECT.rst]\n"
                          "Layout editor for stripboards and perfboards.\n"
                          "\n"
                          "  --lang de|en   German or English, whatever SPRACHE.INI says\n"
                          "  --no-splash    start without the title picture\n"
                          "  -h, --help     show this text and leave\n"
                          "      --version  show the version and leave\n"
                          "  --             what follows is the project's path\n"
                          "\n"
                          "A path with spaces may be given unquoted; its pieces are joined.\n")
        .arg(programName);
}

QString VersionText() {
    return QStringLiteral("Karvel " KARVEL_VERSION "\n");
}

} // namespace karvel
