#pragma once
// The command line of one karvel-tool command: flags, options with a value, and positional
// arguments, checked against what the command accepts.

#include <optional>
#include <QtCore/QMap>
#include <QtCore/QPoint>
#include <QtCore/QSet>
#include <QtCore/QStringList>

namespace karvel::tool {

struct ArgumentSpec {
    QSet<QString> flags;   // e.g. "--solder"
    QSet<QString> options; // e.g. "--zoom", each followed by a value
    int minPositional = 0;
    int maxPositional = 0;
};

class Arguments {
public:
    // Parses; on failure returns nothing and sets the reason.
    static std::optional<Arguments> Parse(const QStringList& args, const ArgumentSpec& accepted,
                                          QString& error);

    bool Has(const QString& flag) const { return flags_.contains(flag) || options_.contains(flag); }
    QString Value(const QString& option) const { return options_.value(option); }
    const QStringList& Positional() const { return positional_; }

private:
    QSet<QString> flags_;
    QMap<QString, QString> options_;
    QStringList positional_;
};

// "12,7" as a hole (column, row); nothing when it is not two integers.
std::optional<QPoint> ParseHole(const QString& text);

} // namespace karvel::tool
