#include "board/tools/ToolFactory.h"

#include "board/tools/BoardEditor.h"
#include "board/tools/SelectTool.h"
#include "board/tools/ViewingTools.h"

namespace karvel {

using enum TPlatinenModus;

bool ToolExists(TPlatinenModus mode) {
    switch (mode) {
    case pm_Zoom:
    case pm_Standard:
    case pm_Test:
    case pm_Platzieren:
        return true;
    default:
        return false;
    }
}

std::unique_ptr<Tool> MakeTool(TPlatinenModus mode, BoardEditor& editor) {
    switch (mode) {
    case pm_Zoom:
        return std::make_unique<MagnifierTool>(editor);
    case pm_Standard:
        return std::make_unique<SelectTool>(editor);
    case pm_Test:
        return std::make_unique<ProbeTool>(editor);
    case pm_Platzieren:
        return std::make_unique<PlacingTool>(editor);
    default:
        return nullptr;
    }
}

} // namespace karvel
