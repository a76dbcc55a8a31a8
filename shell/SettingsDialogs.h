#pragma once
// Small dialogs of the program's settings and of a board: the board properties (or only its
// name, to rename it), the undo depth and the periodic backup.

#include "board/BoardProperties.h"
#include "platform/Language.h"
#include "shell/DialogNumbers.h"
#include "shell/HelpDialog.h"

#include <optional>
#include <vector>

class QWidget;

namespace karvel {

struct AutoSaveSettings {
    bool Enabled = true;
    int Minutes = 10;
    bool operator==(const AutoSaveSettings&) const = default;
};

// Whole numbers: 1 to 50 undo steps, a backup every 1 to 60 minutes.
NumberRange UndoDepthRange();
NumberRange AutoSaveMinutesRange();

// The undo depth dialog speaks French as well as German and English.
struct UndoDepthTexts {
    QString Caption;
    QString Group;
    QString Explanation; // lines end in "\n"
    QString Cancel;
};
UndoDepthTexts UndoDepthTextsFor(Language language);

// The layout's holes let the dialog say when a size cuts through some of them.
std::optional<BoardPropertiesText> RunBoardPropertiesDialog(QWidget* parent,
                                                            const BoardPropertiesText& current,
                                                            bool nameOnly, Language language,
                                                            const HelpRequest& help,
                                                            std::vector<Rect> layoutHoles = {});
// The undo depth dialog has no help.
std::optional<int> RunUndoDepthDialog(QWidget* parent, int depth, Language language);
std::optional<AutoSaveSettings> RunAutoSaveDialog(QWidget* parent, AutoSaveSettings current,
                                                  Language language, const HelpRequest& help);

} // namespace karvel
