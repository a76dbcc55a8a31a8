#include "board/tools/ToolFactory.h"

#include "board/tools/CutTool.h"
#include "board/tools/LayoutTools.h"
#include "board/tools/SelectTool.h"
#include "board/tools/ShapeTools.h"
#include "board/tools/StretchTool.h"
#include "board/tools/ToolManager.h"
#include "board/tools/ViewingTools.h"
#include "board/tools/WireTools.h"

namespace karvel {

using enum TPlatinenModus;

std::unique_ptr<Tool> MakeTool(TPlatinenModus mode, ToolManager& editor) {
    switch (mode) {
    case pm_Zoom:
        return std::make_unique<MagnifierTool>(editor);
    case pm_Standard:
        return std::make_unique<SelectTool>(editor);
    case pm_Test:
        return std::make_unique<ProbeTool>(editor);
    case pm_Platzieren:
        return std::make_unique<PlacingTool>(editor);
    case pm_Draht:
    case pm_Anschluss:
        return std::make_unique<WireTool>(editor);
    case pm_Pin:
        return std::make_unique<PinTool>(editor);
    case pm_Linie:
    case pm_Polygon:
        return std::make_unique<LineTool>(editor);
    case pm_Rechteck:
        return std::make_unique<RectangleTool>(editor);
    case pm_Kreis:
        return std::make_unique<CircleTool>(editor);
    case pm_Text:
        return std::make_unique<TextTool>(editor);
    case pm_Trenner:
        return std::make_unique<CutTool>(editor);
    case pm_Auge:
        return std::make_unique<PadTool>(editor, PadTool::Kind::Pad);
    case pm_Bohrung:
        return std::make_unique<PadTool>(editor, PadTool::Kind::Drilling);
    case pm_BohrAuge:
        return std::make_unique<PadTool>(editor, PadTool::Kind::PadWithDrilling);
    case pm_Leiterbahn:
        return std::make_unique<TrackTool>(editor);
    case pm_Ursprung:
        return std::make_unique<OriginTool>(editor);
    case pm_Zweipol:
        return std::make_unique<StretchTool>(editor);
    }
    return nullptr;
}

} // namespace karvel
