#pragma once
// The tool of each mode. Modes without a tool yet answer false, and the window keeps their
// buttons disabled.

#include "board/PlatinenTyp.h"

#include <memory>

namespace karvel {

class ToolManager;
class Tool;

bool ToolExists(TPlatinenModus mode);
std::unique_ptr<Tool> MakeTool(TPlatinenModus mode, ToolManager& editor);

} // namespace karvel
