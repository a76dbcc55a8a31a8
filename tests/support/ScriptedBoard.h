#pragma once
// A board with its own view state and clipboard that runs edit scripts as `karvel-tool edit`
// does.

#include "board/EditScript.h"
#include "board/ElementClipboard.h"
#include "board/Platine.h"
#include "elements/ViewState.h"

#include <optional>

namespace karvel::test {

struct ScriptedBoard {
    ViewState view;
    TPlatine board{view};
    ElementClipboard clipboard{view};

    std::optional<ScriptError> Run(const QString& text) {
        EditScript script;
        if (std::optional<ScriptError> error = EditScript::Parse(text, script))
            return error;
        return script.Run(board, clipboard);
    }
};

} // namespace karvel::test
