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

} // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
    CommandLine line;
    QStringList words;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == u"--no-splash") {
            line.Splash = false;
        } else if (argument == u"--lang" && i + 1 < arguments.size()) {
            line.Sprache = LanguageNamed(arguments[++i]);
        } else if (argument.startsWith(QStringLiteral("--lang="))) {
            line.Sprache = LanguageNamed(argument.mid(7));
        } else {
            words.append(argument);
        }
    }
    line.ProjectPath = words.join(u' ');
    return line;
}

} // namespace karvel
