#include "board/CommandList.h"

#include <array>

namespace karvel {

namespace {

using enum CommandId;
using enum TPlatinenModus;

struct CommandEntry {
    CommandId Id = CommandId::Count;
    const char* Name = "";
    CommandRoute Route;
};

// In the order of the enumeration; the checks below catch an entry missing, out of place or
// without its route.
constexpr std::array<CommandEntry, CommandCount> Commands{{
    {FileNew, "FileNew", FileRoute{}},
    {FileOpen, "FileOpen", WindowRoute{}},
    {FileSave, "FileSave", FileRoute{}},
    {FileSaveAs, "FileSaveAs", FileRoute{}},
    {FileExport, "FileExport", WindowRoute{}},
    {FilePrint, "FilePrint", WindowRoute{}},
    {FileAutoSave, "FileAutoSave", FileRoute{}},
    {FileExit, "FileExit", WindowRoute{}},
    {Recent1, "Recent1", WindowRoute{}},
    {Recent2, "Recent2", WindowRoute{}},
    {Recent3, "Recent3", WindowRoute{}},
    {Recent4, "Recent4", WindowRoute{}},
    {EditUndo, "EditUndo", BoardRoute{}},
    {EditRedo, "EditRedo", BoardRoute{}},
    {EditCut, "EditCut", BoardRoute{}},
    {EditCopy, "EditCopy", BoardRoute{}},
    {EditPaste, "EditPaste", BoardRoute{}},
    {EditDuplicate, "EditDuplicate", BoardRoute{}},
    {EditRotate, "EditRotate", BoardRoute{}},
    {EditSelectAll, "EditSelectAll", BoardRoute{}},
    {EditDelete, "EditDelete", BoardRoute{}},
    {ArrangeToFront, "ArrangeToFront", BoardRoute{}},
    {ArrangeToBack, "ArrangeToBack", BoardRoute{}},
    {ArrangeGroup, "ArrangeGroup", BoardRoute{}},
    {ArrangeUngroup, "ArrangeUngroup", BoardRoute{}},
    {ComponentBuild, "ComponentBuild", BoardRoute{}},
    {ComponentSplit, "ComponentSplit", BoardRoute{}},
    {ComponentAddToLibrary, "ComponentAddToLibrary", LibraryRoute{}},
    {ComponentRenumber, "ComponentRenumber", BoardRoute{}},
    {LibraryNewPage, "LibraryNewPage", LibraryRoute{}},
    {LibraryDeletePage, "LibraryDeletePage", LibraryRoute{}},
    {LibraryRenamePage, "LibraryRenamePage", LibraryRoute{}},
    {LibraryToTop, "LibraryToTop", LibraryRoute{}},
    {LibraryToBottom, "LibraryToBottom", LibraryRoute{}},
    {LibraryUp, "LibraryUp", LibraryRoute{}},
    {LibraryDown, "LibraryDown", LibraryRoute{}},
    {LibraryDeleteComponent, "LibraryDeleteComponent", LibraryRoute{}},
    {ViewShowTools, "ViewShowTools", SubmenuRoute{}},
    {ShowToolArrange, "ShowToolArrange", WindowRoute{}},
    {ShowToolView, "ShowToolView", WindowRoute{}},
    {ShowToolDisplay, "ShowToolDisplay", WindowRoute{}},
    {ShowToolAdjust, "ShowToolAdjust", WindowRoute{}},
    {ShowToolEdit, "ShowToolEdit", WindowRoute{}},
    {ShowToolWidth, "ShowToolWidth", WindowRoute{}},
    {ShowToolColour, "ShowToolColour", WindowRoute{}},
    {ShowToolFill, "ShowToolFill", WindowRoute{}},
    {ShowToolZoom, "ShowToolZoom", WindowRoute{}},
    {ShowToolFile, "ShowToolFile", WindowRoute{}},
    {ShowToolContour, "ShowToolContour", WindowRoute{}},
    {ShowToolMill, "ShowToolMill", WindowRoute{}},
    {ShowAllTools, "ShowAllTools", WindowRoute{}},
    {ZoomIn, "ZoomIn", WindowRoute{}},
    {ZoomOut, "ZoomOut", WindowRoute{}},
    {ZoomBoard, "ZoomBoard", WindowRoute{}},
    {ZoomElements, "ZoomElements", WindowRoute{}},
    {ZoomSelected, "ZoomSelected", WindowRoute{}},
    {ViewRulers, "ViewRulers", WindowRoute{}},
    {ViewFineGrid, "ViewFineGrid", WindowRoute{}},
    {ViewOutline, "ViewOutline", WindowRoute{}},
    {ViewSolderSide, "ViewSolderSide", WindowRoute{}},
    {ViewSeeThrough, "ViewSeeThrough", WindowRoute{}},
    {ViewXRay, "ViewXRay", WindowRoute{}},
    {ViewRendering, "ViewRendering", WindowRoute{}},
    {ViewUnusedAreas, "ViewUnusedAreas", WindowRoute{}},
    {BoardProperties, "BoardProperties", FileRoute{}},
    {BoardAdd, "BoardAdd", FileRoute{}},
    {BoardDuplicate, "BoardDuplicate", FileRoute{}},
    {BoardDelete, "BoardDelete", FileRoute{}},
    {BoardImport, "BoardImport", FileRoute{}},
    {BoardToFirst, "BoardToFirst", FileRoute{}},
    {BoardToLast, "BoardToLast", FileRoute{}},
    {BoardMoveLeft, "BoardMoveLeft", FileRoute{}},
    {BoardMoveRight, "BoardMoveRight", FileRoute{}},
    {BoardAnnotations, "BoardAnnotations", WindowRoute{}},
    {BoardComponentsList, "BoardComponentsList", WindowRoute{}},
    {BoardEditLayout, "BoardEditLayout", WindowRoute{}},
    {BoardSetOrigin, "BoardSetOrigin", WindowRoute{}},
    {SettingsLanguage, "SettingsLanguage", SubmenuRoute{}},
    {LanguageGerman, "LanguageGerman", WindowRoute{}},
    {LanguageEnglish, "LanguageEnglish", WindowRoute{}},
    {HelpContents, "HelpContents", WindowRoute{}},
    {HelpInfo, "HelpInfo", WindowRoute{}},
    {ToolStandard, "ToolStandard", ToolRoute{pm_Standard}},
    {ToolZoom, "ToolZoom", ToolRoute{pm_Zoom}},
    {ToolLine, "ToolLine", ToolRoute{pm_Linie}},
    {ToolCircle, "ToolCircle", ToolRoute{pm_Kreis}},
    {ToolRectangle, "ToolRectangle", ToolRoute{pm_Rechteck}},
    {ToolPolygon, "ToolPolygon", ToolRoute{pm_Polygon}},
    {ToolText, "ToolText", ToolRoute{pm_Text}},
    {ToolWire, "ToolWire", ToolRoute{pm_Draht}},
    {ToolPin, "ToolPin", ToolRoute{pm_Pin}},
    {ToolLead, "ToolLead", ToolRoute{pm_Anschluss}},
    {ToolSplit, "ToolSplit", ToolRoute{pm_Trenner}},
    {ToolDrill, "ToolDrill", ToolRoute{pm_Bohrung}},
    {ToolTest, "ToolTest", ToolRoute{pm_Test}},
    {ToolAssistant, "ToolAssistant", WindowRoute{}},
    {ToolEditLayout, "ToolEditLayout", WindowRoute{}},
    {ToolOrigin, "ToolOrigin", ToolRoute{pm_Ursprung}},
    {ToolPadWithDrilling, "ToolPadWithDrilling", ToolRoute{pm_BohrAuge}},
    {ToolPad, "ToolPad", ToolRoute{pm_Auge}},
    {ToolTrack, "ToolTrack", ToolRoute{pm_Leiterbahn}},
    {LayoutAccept, "LayoutAccept", WindowRoute{}},
    {LayoutReject, "LayoutReject", WindowRoute{}},
    {UndoDepth, "UndoDepth", FileRoute{}},
    {AlignLeft, "AlignLeft", BoardRoute{}},
    {AlignVCentre, "AlignVCentre", BoardRoute{}},
    {AlignRight, "AlignRight", BoardRoute{}},
    {AlignTop, "AlignTop", BoardRoute{}},
    {AlignHCentre, "AlignHCentre", BoardRoute{}},
    {AlignBottom, "AlignBottom", BoardRoute{}},
    {PenSwatch, "PenSwatch", WindowRoute{}},
    {FillSwatch, "FillSwatch", WindowRoute{}},
    {FillToggle, "FillToggle", BoardSwitchRoute{}},
    {FillBitmap, "FillBitmap", FileRoute{}},
    {FillBitmapRotate, "FillBitmapRotate", BoardRoute{}},
    {ContourOriginal, "ContourOriginal", BoardRoute{}},
    {ContourSpline, "ContourSpline", BoardRoute{}},
    {ContourChamfer, "ContourChamfer", BoardRoute{}},
    {ContourRounding, "ContourRounding", BoardRoute{}},
    {MillNormal, "MillNormal", BoardRoute{}},
    {MillMilled, "MillMilled", BoardRoute{}},
    {PopupCut, "PopupCut", BoardRoute{}},
    {PopupCopy, "PopupCopy", BoardRoute{}},
    {PopupPaste, "PopupPaste", BoardRoute{}},
    {PopupDuplicate, "PopupDuplicate", BoardRoute{}},
    {PopupDelete, "PopupDelete", BoardRoute{}},
    {PopupRotate, "PopupRotate", BoardRoute{}},
    {PopupToFront, "PopupToFront", BoardRoute{}},
    {PopupToBack, "PopupToBack", BoardRoute{}},
    {PopupGroup, "PopupGroup", BoardRoute{}},
    {PopupUngroup, "PopupUngroup", BoardRoute{}},
    {PopupProperties, "PopupProperties", WindowRoute{}},
    {PopupAddToLibrary, "PopupAddToLibrary", LibraryRoute{}},
    {LibPopupToTop, "LibPopupToTop", LibraryRoute{}},
    {LibPopupToBottom, "LibPopupToBottom", LibraryRoute{}},
    {LibPopupUp, "LibPopupUp", LibraryRoute{}},
    {LibPopupDown, "LibPopupDown", LibraryRoute{}},
    {LibPopupDelete, "LibPopupDelete", LibraryRoute{}},
    {LibPopupProperties, "LibPopupProperties", LibraryRoute{}},
    {LibPopupNewPage, "LibPopupNewPage", LibraryRoute{}},
    {LibPopupRenamePage, "LibPopupRenamePage", LibraryRoute{}},
    {LibPopupDeletePage, "LibPopupDeletePage", LibraryRoute{}},
    {TabAdd, "TabAdd", FileRoute{}},
    {TabDuplicate, "TabDuplicate", FileRoute{}},
    {TabRename, "TabRename", FileRoute{}},
    {TabDelete, "TabDelete", FileRoute{}},
    {TabImport, "TabImport", FileRoute{}},
    {TabToFirst, "TabToFirst", FileRoute{}},
    {TabToLast, "TabToLast", FileRoute{}},
    {TabMoveLeft, "TabMoveLeft", FileRoute{}},
    {TabMoveRight, "TabMoveRight", FileRoute{}},
    {KeyRotate, "KeyRotate", BoardRoute{}},
    {KeyLeft, "KeyLeft", BoardRoute{}},
    {KeyUp, "KeyUp", BoardRoute{}},
    {KeyRight, "KeyRight", BoardRoute{}},
    {KeyDown, "KeyDown", BoardRoute{}},
    {KeyFineLeft, "KeyFineLeft", BoardRoute{}},
    {KeyFineUp, "KeyFineUp", BoardRoute{}},
    {KeyFineRight, "KeyFineRight", BoardRoute{}},
    {KeyFineDown, "KeyFineDown", BoardRoute{}},
    {KeyNextBoard, "KeyNextBoard", WindowRoute{}},
}};

constexpr bool EveryEntryIsInPlaceWithARoute() {
    for (std::size_t i = 0; i < Commands.size(); ++i) {
        const CommandEntry& entry = Commands[i];
        if (entry.Id != CommandId(i) || entry.Name[0] == '\0' ||
            std::holds_alternative<NoRoute>(entry.Route))
            return false;
    }
    return true;
}
static_assert(EveryEntryIsInPlaceWithARoute(),
              "every command needs its entry, in the order of CommandId, with a name and a route");

const CommandEntry* EntryOf(CommandId id) {
    const auto index = std::size_t(id);
    return index < Commands.size() ? &Commands[index] : nullptr;
}

} // namespace

QString CommandName(CommandId id) {
    const CommandEntry* entry = EntryOf(id);
    return entry != nullptr ? QString::fromLatin1(entry->Name) : QString();
}

std::optional<CommandId> CommandFromName(const QString& name) {
    for (const CommandEntry& entry : Commands)
        if (name == QLatin1String(entry.Name))
            return entry.Id;
    return std::nullopt;
}

CommandRoute RouteOf(CommandId id) {
    const CommandEntry* entry = EntryOf(id);
    return entry != nullptr ? entry->Route : CommandRoute{};
}

} // namespace karvel
