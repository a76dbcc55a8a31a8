#pragma once
// What choosing a tool means, wherever the choice comes from (a tool button, an edit script, a
// tool that hands over to another): the board mode of each tool button tag, the colours, pen
// width and crosshair a tool starts with, and the cursor it shows.

#include "board/PlatinenTyp.h"
#include "platform/Colour.h"
#include "platform/Language.h"

#include <optional>
#include <QtCore/QString>

namespace karvel {

// The tool button tags: 1 select, 2 zoom, 3 wire, 4 lead, 5 cut, 6 text, 7 line, 8 rectangle,
// 9 circle, 10 polygon, 11 pin, 12 test, 13 drilling, 14 pad, 15 track, 16 pad with drilling,
// 17 origin.
std::optional<TPlatinenModus> ModeForTag(int tag);
// The tool button of a mode, whoever chose it; none for modes without a button.
std::optional<int> ButtonTagForMode(TPlatinenModus mode);
// The tool button that shows a mode the board chose by itself; none for modes the board never
// chooses that way.
std::optional<int> TagForMode(TPlatinenModus mode);
// The mode of a tool by its name in edit scripts ("Draht" for the wire tool, and so on).
std::optional<TPlatinenModus> ModeForToolName(const QString& name);
// Tools that ask for a size (drill, pad or track) before they start.
bool AsksForSize(TPlatinenModus mode);

// What a tool changes on the board when it starts. Colours and widths are values; the window
// shows them in its colour grid and pen width list.
struct ToolStart {
    bool ClearSelection = false;
    std::optional<Colour> PenColour;
    std::optional<Colour> FillColour;
    std::optional<int> PenWidth; // board units
    bool Crosshair = false;
};

ToolStart ToolStartFor(TPlatinenModus mode);

// Modes in which the pointer's movement takes the crosshair away instead of moving it along.
bool RemovesCrosshair(TPlatinenModus mode);

// The cursor of a mode: a name of the program's cursor pictures ("LUPE", "KOLBENDRAHT_UK"),
// "SPLIT" for the system's horizontal split cursor, "NONE" for a hidden cursor, or empty for
// the default arrow.
QString CursorNameForMode(TPlatinenModus mode, Language language);

} // namespace karvel
