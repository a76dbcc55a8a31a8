#include "board/EditScript.h"

#include "board/BoardCommands.h"
#include "board/CommandNames.h"
#include "board/ElementClipboard.h"
#include "board/Platine.h"
#include "elements/Gruppe.h"
#include "platform/NumberText.h"

#include <deque>
#include <QtCore/QHash>
#include <QtCore/QRegularExpression>

namespace karvel {

namespace {

// Answers queued by "answer" lines, handed to the next dialog a command opens.
struct QueuedAnswer {
    bool Cancel = false;
    QHash<QString, QString> Values;
};

class ScriptedComponentDialog : public ComponentDialog {
public:
    std::deque<QueuedAnswer> Answers;
    bool AskedWithoutAnswer = false;

    std::optional<ComponentFields> Ask(const ComponentFields& current) override {
        if (Answers.empty()) {
            AskedWithoutAnswer = true;
            return std::nullopt;
        }
        const QueuedAnswer answer = Answers.front();
        Answers.pop_front();
        if (answer.Cancel)
            return std::nullopt;
        ComponentFields fields = current;
        fields.Identifier = answer.Values.value(QStringLiteral("id"), fields.Identifier);
        fields.Value = answer.Values.value(QStringLiteral("value"), fields.Value);
        fields.Description = answer.Values.value(QStringLiteral("description"), fields.Description);
        if (answer.Values.contains(QStringLiteral("list")))
            fields.InComponentsList = answer.Values.value(QStringLiteral("list")) != u"0";
        return fields;
    }
};

// Installs the scripted dialog for one run and puts the program's own back afterwards.
class DialogScope {
public:
    explicit DialogScope(ComponentDialog* dialog) : previous_(TGruppe::Dialog()) {
        TGruppe::SetDialog(dialog);
    }
    ~DialogScope() { TGruppe::SetDialog(previous_); }
    DialogScope(const DialogScope&) = delete;
    DialogScope& operator=(const DialogScope&) = delete;

private:
    ComponentDialog* previous_;
};

std::optional<Colour> ParseColour(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^#([0-9a-fA-F]{6})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const uint rgb = match.captured(1).toUInt(nullptr, 16);
    return RgbColour(int((rgb >> 16) & 0xFF), int((rgb >> 8) & 0xFF), int(rgb & 0xFF));
}

// "3" or "5/0": the element at index 3, or member 0 of the group at index 5.
TBauteil* ElementAt(const TPlatine& board, const QString& path) {
    const QStringList parts = path.split(QLatin1Char('/'));
    const std::vector<std::unique_ptr<TBauteil>>* list = &board.Bauteile();
    TBauteil* found = nullptr;
    for (const QString& part : parts) {
        bool ok = false;
        const int index = part.toInt(&ok);
        if (!ok || list == nullptr || index < 0 || index >= int(list->size()))
            return nullptr;
        found = (*list)[std::size_t(index)].get();
        const auto* group = dynamic_cast<const TGruppe*>(found);
        list = group ? &group->Members() : nullptr;
    }
    return found;
}

ScriptError Fault(const ScriptStep& step, const QString& message) {
    return {step.Line, message};
}

std::optional<ScriptError> CheckShape(const ScriptStep& step) {
    const QString verb = step.Words.front();
    const qsizetype n = step.Words.size();
    if (verb == u"select" && n == 2)
        return std::nullopt;
    if (verb == u"command" && n == 2) {
        if (!CommandFromName(step.Words[1]))
            return Fault(step, QStringLiteral("unknown command \"%1\"").arg(step.Words[1]));
        return std::nullopt;
    }
    if (verb == u"pen" && n == 3) {
        bool ok = false;
        const double width = step.Words[1].toDouble(&ok);
        if (!ok || !(width >= 0.0 && width <= 10.0))
            return Fault(step, QStringLiteral("pen width must be 0 to 10 mm"));
        if (!ParseColour(step.Words[2]))
            return Fault(step, QStringLiteral("colour must be written #rrggbb"));
        return std::nullopt;
    }
    if (verb == u"brush" && n == 2) {
        if (!ParseColour(step.Words[1]))
            return Fault(step, QStringLiteral("colour must be written #rrggbb"));
        return std::nullopt;
    }
    if (verb == u"answer" && n >= 2) {
        if (n == 2 && step.Words[1] == u"cancel")
            return std::nullopt;
        for (qsizetype i = 1; i < n; ++i)
            if (!step.Words[i].contains(QLatin1Char('=')))
                return Fault(step, QStringLiteral("answers are written KEY=VALUE"));
        return std::nullopt;
    }
    return Fault(step, QStringLiteral("not a script line: \"%1\"").arg(step.Words.join(u' ')));
}

class Runner {
public:
    Runner(TPlatine& board, ElementClipboard& clipboard) : board_(board), clipboard_(clipboard) {}

    ComponentDialog& Dialog() { return dialog_; }

    std::optional<ScriptError> Step(const ScriptStep& step) {
        const QString verb = step.Words.front();
        if (verb == u"select")
            return Select(step);
        if (verb == u"command")
            return Command(step);
        if (verb == u"pen") {
            board_.CurrentPenWidth = int(RoundHalfEven(step.Words[1].toDouble() * 100.0));
            board_.CurrentPenColour = *ParseColour(step.Words[2]);
            board_.SetzeAttribute({TPlatine::Attribut::PenWidth, TPlatine::Attribut::PenColour});
            return std::nullopt;
        }
        if (verb == u"brush") {
            board_.CurrentBrushColour = *ParseColour(step.Words[1]);
            board_.SetzeAttribut(TPlatine::Attribut::BrushColour);
            return std::nullopt;
        }
        return Queue(step);
    }

    // Answers nobody asked for are a mistake in the script, not something to keep for later.
    std::optional<ScriptError> Finish(int lastLine) const {
        if (!dialog_.Answers.empty())
            return ScriptError{lastLine, QStringLiteral("an answer was never asked for")};
        return std::nullopt;
    }

private:
    std::optional<ScriptError> Select(const ScriptStep& step) {
        const QString what = step.Words[1];
        if (what == u"all") {
            board_.MarkiereAlle(true);
        } else if (what == u"none") {
            board_.MarkiereAlle(false);
        } else if (TBauteil* element = ElementAt(board_, what)) {
            board_.SetzeMarkierung(element, true);
        } else {
            return Fault(step, QStringLiteral("no element at \"%1\"").arg(what));
        }
        return std::nullopt;
    }

    std::optional<ScriptError> Command(const ScriptStep& step) {
        const QString name = step.Words[1];
        const CommandId id = *CommandFromName(name);
        if (!IsBoardCommand(id))
            return Fault(step, QStringLiteral("command %1 needs the program's window").arg(name));
        dialog_.AskedWithoutAnswer = false;
        const CommandOutcome outcome = RunBoardCommand(id, board_, clipboard_);
        if (dialog_.AskedWithoutAnswer)
            return Fault(
                step,
                QStringLiteral("command %1 asks a dialog, and no answer is queued").arg(name));
        switch (outcome) {
        case CommandOutcome::Done:
            return std::nullopt;
        case CommandOutcome::NeedsWindow:
            return Fault(step, QStringLiteral("command %1 needs the program's window").arg(name));
        case CommandOutcome::NotNow:
            return Fault(step,
                         QStringLiteral("command %1 is not available in this state").arg(name));
        }
        return std::nullopt;
    }

    std::optional<ScriptError> Queue(const ScriptStep& step) {
        QueuedAnswer answer;
        if (step.Words[1] == u"cancel") {
            answer.Cancel = true;
        } else {
            for (qsizetype i = 1; i < step.Words.size(); ++i) {
                const qsizetype eq = step.Words[i].indexOf(QLatin1Char('='));
                answer.Values.insert(step.Words[i].left(eq), step.Words[i].mid(eq + 1));
            }
        }
        dialog_.Answers.push_back(answer);
        return std::nullopt;
    }

    TPlatine& board_;
    ElementClipboard& clipboard_;
    ScriptedComponentDialog dialog_;
};

} // namespace

std::optional<ScriptError> EditScript::Parse(const QString& text, EditScript& script) {
    script.steps_.clear();
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        const qsizetype hash = line.indexOf(QLatin1Char('#'));
        // "#" starts a comment unless it begins a colour word ("#rrggbb").
        if (hash >= 0 && (hash == 0 || line[hash - 1].isSpace()) &&
            !ParseColour(line.mid(hash).section(QLatin1Char(' '), 0, 0)))
            line.truncate(hash);
        const QStringList words = line.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.isEmpty())
            continue;
        ScriptStep step{int(i + 1), words};
        if (std::optional<ScriptError> error = CheckShape(step))
            return error;
        script.steps_.push_back(std::move(step));
    }
    return std::nullopt;
}

std::optional<ScriptError> EditScript::Run(TPlatine& board, ElementClipboard& clipboard) const {
    Runner runner(board, clipboard);
    const DialogScope scope(&runner.Dialog());
    for (const ScriptStep& step : steps_)
        if (std::optional<ScriptError> error = runner.Step(step))
            return error;
    return runner.Finish(steps_.empty() ? 0 : steps_.back().Line);
}

} // namespace karvel
