#include "tools/karvel-tool/Arguments.h"

#include "tools/karvel-tool/ToolSupport.h"

#include <QtCore/QPoint>

namespace karvel::tool {

std::optional<Arguments> Arguments::Parse(const QStringList& args, const ArgumentSpec& accepted,
                                          QString& error) {
    Arguments parsed;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (accepted.flags.contains(arg)) {
            parsed.flags_.insert(arg);
        } else if (accepted.options.contains(arg)) {
            if (i + 1 >= args.size()) {
                error = Say("%1 braucht einen Wert", "%1 needs a value").arg(arg);
                return std::nullopt;
            }
            parsed.options_.insert(arg, args[++i]);
        } else if (arg.startsWith(QLatin1String("--"))) {
            error = Say("unbekannte Option '%1'", "unknown option '%1'").arg(arg);
            return std::nullopt;
        } else {
            parsed.positional_ << arg;
        }
    }
    const qsizetype n = parsed.positional_.size();
    if (n < accepted.minPositional || n > accepted.maxPositional) {
        error = Say("falsche Anzahl von Dateien", "wrong number of files");
        return std::nullopt;
    }
    return parsed;
}

std::optional<QPoint> ParseHole(const QString& text) {
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 2)
        return std::nullopt;
    bool okColumn = false, okRow = false;
    const int column = parts[0].trimmed().toInt(&okColumn);
    const int row = parts[1].trimmed().toInt(&okRow);
    if (!okColumn || !okRow)
        return std::nullopt;
    return QPoint(column, row);
}

} // namespace karvel::tool
