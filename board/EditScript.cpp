#include "board/EditScript.h"

#include "board/BoardCommands.h"
#include "board/CommandList.h"
#include "board/ElementClipboard.h"
#include "board/Platine.h"
#include "board/tools/ToolManager.h"
#include "board/tools/ToolRules.h"
#include "elements/Gruppe.h"
#include "platform/NumberText.h"
#include "stream/RecordIO.h"

#include <cmath>
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

ScriptError Fault(const ScriptStep& step, const QString& german, const QString& english) {
    return {step.Line, english, german};
}

const QHash<QString, int>& KeyNames() {
    static const QHash<QString, int> names{
        {QStringLiteral("Escape"), Qt::Key_Escape}, {QStringLiteral("Space"), Qt::Key_Space},
        {QStringLiteral("Delete"), Qt::Key_Delete}, {QStringLiteral("Left"), Qt::Key_Left},
        {QStringLiteral("Right"), Qt::Key_Right},   {QStringLiteral("Up"), Qt::Key_Up},
        {QStringLiteral("Down"), Qt::Key_Down},
    };
    return names;
}

// "12,3.5": a hole, fractions allowed, as the probe takes it; any two numbers.
std::optional<QPointF> ParseHolePosition(const QString& text) {
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 2)
        return std::nullopt;
    bool okX = false;
    bool okY = false;
    const double x = parts[0].toDouble(&okX);
    const double y = parts[1].toDouble(&okY);
    if (!okX || !okY)
        return std::nullopt;
    return QPointF(x, y);
}

// The command a key runs in the window when the board does not take it.
std::optional<CommandId> KeyCommand(int key, bool fine) {
    switch (key) {
    case Qt::Key_Space:
        return CommandId::KeyRotate;
    case Qt::Key_Delete:
        return CommandId::EditDelete;
    case Qt::Key_Left:
        return fine ? CommandId::KeyFineLeft : CommandId::KeyLeft;
    case Qt::Key_Right:
        return fine ? CommandId::KeyFineRight : CommandId::KeyRight;
    case Qt::Key_Up:
        return fine ? CommandId::KeyFineUp : CommandId::KeyUp;
    case Qt::Key_Down:
        return fine ? CommandId::KeyFineDown : CommandId::KeyDown;
    default:
        return std::nullopt;
    }
}

// The board point of a hole position: the hole's centre, as the board's grid lays it.
QPointF HoleCentre(QPointF hole) {
    constexpr double Pitch = HolePitch;
    return {hole.x() * Pitch, hole.y() * Pitch + Pitch / 2.0};
}

// A position a file could hold: finite, and within the coordinate range the reader accepts.
std::optional<ScriptError> CheckHolePosition(const ScriptStep& step, QPointF hole) {
    if (!std::isfinite(hole.x()) || !std::isfinite(hole.y()))
        return Fault(step, QStringLiteral("eine Position braucht endliche Zahlen"),
                     QStringLiteral("a position needs finite numbers"));
    const QPointF p = HoleCentre(hole);
    if (std::abs(p.x()) > record::MaxCoordinate || std::abs(p.y()) > record::MaxCoordinate)
        return Fault(step,
                     QStringLiteral("eine Position liegt höchstens 10.000 mm (rund 3936 Löcher) "
                                    "vom Nullpunkt"),
                     QStringLiteral("a position lies at most 10,000 mm (about 3,936 holes) "
                                    "from the zero point"));
    return std::nullopt;
}

struct PointerWords {
    Qt::MouseButton Button = Qt::LeftButton;
    Qt::KeyboardModifiers Modifiers;
};

// The words after the position: a button and modifier keys, or nothing when one is unknown.
std::optional<PointerWords> ParsePointerWords(const QStringList& words, qsizetype from) {
    PointerWords result;
    for (qsizetype i = from; i < words.size(); ++i) {
        const QString& w = words[i];
        if (w == u"right")
            result.Button = Qt::RightButton;
        else if (w == u"shift")
            result.Modifiers |= Qt::ShiftModifier;
        else if (w == u"ctrl")
            result.Modifiers |= Qt::ControlModifier;
        else if (w == u"alt")
            result.Modifiers |= Qt::AltModifier;
        else
            return std::nullopt;
    }
    return result;
}

bool IsPointerVerb(const QString& verb) {
    return verb == u"down" || verb == u"move" || verb == u"up" || verb == u"click";
}

std::optional<ScriptError> CheckShape(const ScriptStep& step) {
    const QString verb = step.Words.front();
    const qsizetype n = step.Words.size();
    if (verb == u"tool" && n == 2) {
        if (!ModeForToolName(step.Words[1]))
            return Fault(step, QStringLiteral("unbekanntes Werkzeug \"%1\"").arg(step.Words[1]),
                         QStringLiteral("unknown tool \"%1\"").arg(step.Words[1]));
        return std::nullopt;
    }
    if (IsPointerVerb(verb) && n >= 2) {
        const std::optional<QPointF> hole = ParseHolePosition(step.Words[1]);
        if (!hole)
            return Fault(step,
                         QStringLiteral("eine Position ist ein Loch, geschrieben SPALTE,ZEILE"),
                         QStringLiteral("a position is a hole written COLUMN,ROW"));
        if (std::optional<ScriptError> error = CheckHolePosition(step, *hole))
            return error;
        if (!ParsePointerWords(step.Words, 2))
            return Fault(step, QStringLiteral("nach der Position nur right, shift, ctrl und alt"),
                         QStringLiteral("after the position only right, shift, ctrl and alt"));
        return std::nullopt;
    }
    if (verb == u"key" && n >= 2) {
        if (!KeyNames().contains(step.Words[1]))
            return Fault(step, QStringLiteral("unbekannte Taste \"%1\"").arg(step.Words[1]),
                         QStringLiteral("unknown key \"%1\"").arg(step.Words[1]));
        const std::optional<PointerWords> mods = ParsePointerWords(step.Words, 2);
        if (!mods || mods->Button != Qt::LeftButton)
            return Fault(step, QStringLiteral("nach der Taste nur shift, ctrl und alt"),
                         QStringLiteral("after the key only shift, ctrl and alt"));
        return std::nullopt;
    }
    if (verb == u"select" && n == 2)
        return std::nullopt;
    if (verb == u"command" && n == 2) {
        if (!CommandFromName(step.Words[1]))
            return Fault(step, QStringLiteral("unbekannter Befehl \"%1\"").arg(step.Words[1]),
                         QStringLiteral("unknown command \"%1\"").arg(step.Words[1]));
        return std::nullopt;
    }
    if (verb == u"pen" && n == 3) {
        bool ok = false;
        const double width = step.Words[1].toDouble(&ok);
        if (!ok || !(width >= 0.0 && width <= 10.0))
            return Fault(step, QStringLiteral("die Stiftbreite muss 0 bis 10 mm betragen"),
                         QStringLiteral("pen width must be 0 to 10 mm"));
        if (!ParseColour(step.Words[2]))
            return Fault(step, QStringLiteral("eine Farbe wird #rrggbb geschrieben"),
                         QStringLiteral("colour must be written #rrggbb"));
        return std::nullopt;
    }
    if (verb == u"brush" && n == 2) {
        if (!ParseColour(step.Words[1]))
            return Fault(step, QStringLiteral("eine Farbe wird #rrggbb geschrieben"),
                         QStringLiteral("colour must be written #rrggbb"));
        return std::nullopt;
    }
    if (verb == u"answer" && n >= 2) {
        if (n == 2 && step.Words[1] == u"cancel")
            return std::nullopt;
        for (qsizetype i = 1; i < n; ++i)
            if (!step.Words[i].contains(QLatin1Char('=')))
                return Fault(step, QStringLiteral("Antworten werden SCHLÜSSEL=WERT geschrieben"),
                             QStringLiteral("answers are written KEY=VALUE"));
        return std::nullopt;
    }
    return Fault(step, QStringLiteral("keine Skriptzeile: \"%1\"").arg(step.Words.join(u' ')),
                 QStringLiteral("not a script line: \"%1\"").arg(step.Words.join(u' ')));
}

// The window as a script sees it: no pointer to confine, no timer, and beeps only counted.
class ScriptHost : public ToolHost {
public:
    int Beeps = 0;
    void SetPointerShape(PointerShape) override {}
    void ConfinePointer(bool) override {}
    void Beep() override { ++Beeps; }
    void SetAutoscrollTimer(bool) override {}
    void ShowRubberBand(std::optional<QRect>) override {}
    void ShowTempLine(std::optional<TempLine>) override {}
    void ShowCrosshair(std::optional<QPoint>) override {}
};

class Runner {
public:
    Runner(TPlatine& board, ElementClipboard& clipboard)
        : board_(board), clipboard_(clipboard), editor_(board, host_) {}

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
        if (verb == u"tool") {
            editor_.ChooseTool(*ModeForToolName(step.Words[1]));
            return std::nullopt;
        }
        if (IsPointerVerb(verb))
            return Pointer(step);
        if (verb == u"key")
            return Key(step);
        return Queue(step);
    }

    // A script that stops in the middle of drawing or placing leaves nothing half done.
    void EndRunningOperation() { editor_.CancelOperation(); }

    // Answers nobody asked for are a mistake in the script, not something to keep for later.
    std::optional<ScriptError> Finish(int lastLine) const {
        if (!dialog_.Answers.empty())
            return ScriptError{lastLine, QStringLiteral("an answer was never asked for"),
                               QStringLiteral("eine Antwort wurde nie abgefragt")};
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
            return Fault(step, QStringLiteral("kein Element an \"%1\"").arg(what),
                         QStringLiteral("no element at \"%1\"").arg(what));
        }
        return std::nullopt;
    }

    std::optional<ScriptError> Command(const ScriptStep& step) {
        const QString name = step.Words[1];
        const CommandId id = *CommandFromName(name);
        if (!IsBoardCommand(id))
            return Fault(step,
                         QStringLiteral("der Befehl %1 braucht das Programmfenster").arg(name),
                         QStringLiteral("command %1 needs the program's window").arg(name));
        dialog_.AskedWithoutAnswer = false;
        const CommandOutcome outcome = RunBoardCommand(id, board_, clipboard_);
        if (dialog_.AskedWithoutAnswer)
            return Fault(
                step,
                QStringLiteral("der Befehl %1 fragt einen Dialog, und keine Antwort steht bereit")
                    .arg(name),
                QStringLiteral("command %1 asks a dialog, and no answer is queued").arg(name));
        switch (outcome) {
        case CommandOutcome::Done:
            return std::nullopt;
        case CommandOutcome::NeedsWindow:
            return Fault(step,
                         QStringLiteral("der Befehl %1 braucht das Programmfenster").arg(name),
                         QStringLiteral("command %1 needs the program's window").arg(name));
        case CommandOutcome::NotNow:
            return Fault(
                step,
                QStringLiteral("der Befehl %1 ist in diesem Zustand nicht verfügbar").arg(name),
                QStringLiteral("command %1 is not available in this state").arg(name));
        }
        return std::nullopt;
    }

    std::optional<ScriptError> Pointer(const ScriptStep& step) {
        const QPointF hole = *ParseHolePosition(step.Words[1]);
        const PointerWords words = *ParsePointerWords(step.Words, 2);
        const QPoint boardPoint = HoleCentre(hole).toPoint();
        const QPoint control = board_.BoardToControl(boardPoint);
        const QString verb = step.Words.front();
        const auto event = [&](PointerAction action, Qt::MouseButtons held) {
            return PointerEvent{action, control,
                                action == PointerAction::Move ? Qt::NoButton : words.Button, held,
                                words.Modifiers};
        };
        if (verb == u"down" || verb == u"click")
            editor_.Press(event(PointerAction::Press, words.Button));
        if (verb == u"move")
            editor_.Move(event(PointerAction::Move, held_));
        if (verb == u"up" || verb == u"click")
            editor_.Release(event(PointerAction::Release, Qt::NoButton));
        held_ = verb == u"down" ? Qt::MouseButtons(words.Button) : Qt::MouseButtons();
        return std::nullopt;
    }

    std::optional<ScriptError> Key(const ScriptStep& step) {
        const int key = KeyNames().value(step.Words[1]);
        const PointerWords words = *ParsePointerWords(step.Words, 2);
        if (editor_.Key({key, words.Modifiers}))
            return std::nullopt;
        // The keys the board does not take are the window's shortcuts: they run as commands,
        // so that they end a running operation first, and do nothing where the command may not.
        if (const std::optional<CommandId> command =
                KeyCommand(key, words.Modifiers.testFlag(Qt::ShiftModifier)))
            RunBoardCommand(*command, board_, clipboard_);
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
    ScriptHost host_;
    ToolManager editor_;
    Qt::MouseButtons held_;
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
    for (const ScriptStep& step : steps_) {
        if (std::optional<ScriptError> error = runner.Step(step)) {
            runner.EndRunningOperation();
            return error;
        }
    }
    runner.EndRunningOperation();
    return runner.Finish(steps_.empty() ? 0 : steps_.back().Line);
}

} // namespace karvel
