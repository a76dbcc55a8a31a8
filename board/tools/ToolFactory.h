#pragma once
// The tool of each mode.

#include "board/PlatinenTyp.h"

#include <memory>

namespace karvel {

class ToolManager;
class Tool;

std::unique_ptr<Tool> MakeTool(TPlatinenModus mode, ToolManager& editor);

} // namespace karvel
