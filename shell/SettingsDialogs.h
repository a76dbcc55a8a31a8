#pragma once
// Small dialogs of the program's settings and of a board: the board properties (or only its
// name, to rename it), the undo depth and the periodic backup.

#include "board/BoardProperties.h"
#include "platform/Language.h"

#include <optional>

class QWidget;

namespace karvel {

struct AutoSaveSettings {
    bool Enabled = true;
    int Minutes = 10;
    bool operator==(const AutoSaveSettings&) const = default;
};

std::optional<BoardPropertiesText> RunBoardPropertiesDialog(QWidget* parent,
                                                            const BoardPropertiesText& current,
                                                            bool nameOnly, Language language);
std::optional<int> RunUndoDepthDialog(QWidget* parent, int depth, Language language);
std::optional<AutoSaveSettings> RunAutoSaveDialog(QWidget* parent, AutoSaveSettings current,
                                                  Language language);

} // namespace karvel
