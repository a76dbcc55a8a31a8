#pragma once
// Edit scripts: board operations written one per line, replayed onto a board without a
// window. They are how tests, bug reports and batch jobs drive the editor.
//
//   # a comment
//   select all | select none | select PATH      PATH: an element's index, "5/0" inside a group
//   command NAME                                 a board command by its enumerator name
//   pen WIDTH_MM #rrggbb                         as choosing them in the tool bar
//   brush #rrggbb
//   answer KEY=VALUE ...  |  answer cancel       for the next dialog a command asks
//   tool MODE                                    Standard, Draht, Trenner, Linie, ...
//   down|move|up|click COL,ROW [right] [shift] [ctrl] [alt]
//                                                the pointer at a hole (fractions allowed),
//                                                within the range a file can hold
//   key Escape|Space|Delete|Left|Right|Up|Down [shift] [ctrl] [alt]
//                                                as the board takes it, else as the window's
//                                                shortcut command (Delete, nudging, turning)
//
// An operation still running when the script ends (a wire being drawn, a part being placed)
// is cancelled as Escape cancels it: nothing half done is kept.

#include "platform/Language.h"

#include <memory>
#include <optional>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <vector>

namespace karvel {

class ElementClipboard;
class TPlatine;

struct ScriptError {
    int Line = 0;    // 1-based; 0 when the error belongs to no line
    QString Message; // English
    QString German;

    const QString& Text(Language language) const {
        return language == Language::German ? German : Message;
    }
};

// One parsed line.
struct ScriptStep {
    int Line = 0;
    QStringList Words;
};

class EditScript {
public:
    // Reads the whole script first, so that a faulty line stops it before anything changes.
    static std::optional<ScriptError> Parse(const QString& text, EditScript& script);
    // Runs the steps in order; the first failing step ends the run with its error.
    std::optional<ScriptError> Run(TPlatine& board, ElementClipboard& clipboard) const;

    const std::vector<ScriptStep>& Steps() const { return steps_; }

private:
    std::vector<ScriptStep> steps_;
};

} // namespace karvel
