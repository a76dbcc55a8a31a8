#pragma once
// The board layout files users find in "Board Layouts" when they start a project: stripboards,
// pad boards, a bare board, boards with connectors and an IC board, named in German and, as
// further files, in English.

#include "board/Board.h"
#include "platform/Language.h"

#include <functional>
#include <QtCore/QDir>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <vector>

namespace karvel::datagen {

class LayoutBuilder;

struct StandardBoard {
    QString FileName;
    karvel::Language Language;
    // Named in both languages: each file is offered in its own language only.
    bool Twinned;
    int Width;
    int Height;
    QString Description;
    std::function<void(LayoutBuilder&)> Pattern;
};

std::vector<StandardBoard> StandardBoards();

// Lays the board's pattern on a layout; the layout is named after its file, as the program
// names a layout it opens.
void BuildStandardBoard(const StandardBoard& board, TBoard& layout);

// Writes every standard board into the folder, and the file that names the language of each
// twinned one; an empty text on success, else the reason.
QString WriteStandardBoards(const QDir& folder, QStringList& written);

} // namespace karvel::datagen
