#pragma once
// The enabling rules of the main window: which commands a board's state allows, and what the
// two-line information display shows.

#include "board/CommandId.h"
#include "platform/Language.h"

#include <bitset>
#include <QtCore/QString>

namespace karvel {

class TPlatine;

struct RuleInputs {
    bool ClipboardFilled = false;
    bool HasUndo = false;
    bool HasRedo = false;
    int BoardCount = 1;
    bool LibraryComponentSelected = false;
};

struct EnablingState {
    // Commands without a rule are allowed.
    std::bitset<CommandCount> Commands;
    bool PenWidthList = false;
    bool ContourAmount = false;

    bool Allows(CommandId id) const { return Commands.test(std::size_t(id)); }
};

EnablingState EvaluateRules(const TPlatine& board, const RuleInputs& inputs);

struct InformationLines {
    QString First;
    QString Second;
};

// Nothing selected: the board's own status lines; one element: its kind and measurements;
// several: how many are selected.
InformationLines InformationFor(const TPlatine& board, Language language);

} // namespace karvel
