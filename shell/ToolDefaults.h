#pragma once
// What choosing a tool means: the board mode of each tool button tag, the cursor it shows, and
// the colours, pen width and crosshair a tool starts with.

#include "board/PlatinenTyp.h"
#include "platform/Language.h"

#include <optional>
#include <QtCore/QString>

namespace karvel {

// The tool button tags: 1 select, 2 zoom, 3 wire, 4 lead, 5 cut, 6 text, 7 line, 8 rectangle,
// 9 circle, 10 polygon, 11 pin, 12 test, 13 drilling, 14 pad, 15 track, 16 pad with drilling,
// 17 origin.
std::optional<TPlatinenModus> ModeForTag(int tag);
// The tool button that shows a mode the board chose by itself; none for modes without one.
std::optional<int> TagForMode(TPlatinenModus mode);
// Tags that ask for a size before the tool starts.
bool AsksForSize(int tag);

struct ToolStart {
    bool ClearSelection = false;
    std::optional<int> PenColour;  // index into the colour grid
    std::optional<int> FillColour; // index into the colour grid
    std::optional<int> PenWidth;   // index into the pen width list
    bool Crosshair = false;
};

ToolStart ToolStartFor(TPlatinenModus mode);
// Tools that keep the mouse pointer inside the visible board while they work.
bool ConfinesCursor(TPlatinenModus mode);

// The cursor of a mode: a name of the program's cursor pictures ("LUPE", "KOLBENDRAHT_UK"),
// "SPLIT" for the system's horizontal split cursor, "NONE" for a hidden cursor, or empty for
// the default arrow.
QString CursorNameForMode(TPlatinenModus mode, Language language);

} // namespace karvel
