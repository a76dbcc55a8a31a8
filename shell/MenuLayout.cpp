#include "shell/MenuLayout.h"

namespace karvel {

namespace {

using enum CommandId;

const std::vector<MenuDefinition>& Menus() {
    static const std::vector<MenuDefinition> menus{
        {"Datei1",
         "&Datei",
         "&File",
         {FileNew, FileOpen, FileSave, FileSaveAs, Separator, FileExport, FilePrint, Separator,
          FileAutoSave, Separator, FileExit, Separator, Recent1, Recent2, Recent3, Recent4}},
        {"Bearbeiten1",
         "&Bearbeiten",
         "&Edit",
         {EditUndo, EditRedo, Separator, EditCut, EditCopy, EditPaste, EditDuplicate, Separator,
          EditRotate, EditSelectAll, Separator, EditDelete}},
        {"Anordnen1",
         "&Anordnen",
         "&Arrange",
         {ArrangeToFront, ArrangeToBack, Separator, ArrangeGroup, ArrangeUngroup}},
        {"Bauteil1",
         "Bau&teil",
         "&Components",
         {ComponentBuild, ComponentSplit, Separator, ComponentAddToLibrary, Separator,
          ComponentRenumber}},
        {"Bibliothek1",
         "B&ibliothek",
         "&Library",
         {LibraryNewPage, LibraryDeletePage, LibraryRenamePage, Separator, LibraryToTop,
          LibraryToBottom, LibraryUp, LibraryDown, Separator, LibraryDeleteComponent}},
        {"Ansicht1",
         "A&nsicht",
         "&View",
         {ViewShowTools, Separator, ZoomIn, ZoomOut, ZoomBoard, ZoomElements, Separator, ViewRulers,
          ViewFineGrid, Separator, ViewOutline, ViewSolderSide, ViewSeeThrough, ViewXRay,
          ViewRendering, ViewUnusedAreas}},
        {"Platine1",
         "&Platine",
         "&Board",
         {BoardProperties, Separator, BoardAdd, BoardDuplicate, BoardDelete, BoardImport, Separator,
          BoardToFirst, BoardToLast, BoardMoveLeft, BoardMoveRight, Separator, BoardAnnotations,
          BoardComponentsList, Separator, BoardEditLayout, BoardSetOrigin}},
        {"Einstellungen1", "&Einstellungen", "&Settings", {SettingsLanguage}},
        {"Hilfe1", "&?", "&?", {HelpContents, HelpInfo}},
    };
    return menus;
}

} // namespace

std::span<const MenuDefinition> MainMenus() {
    return Menus();
}

std::span<const CommandId> LanguageItems() {
    static const std::vector<CommandId> items{LanguageGerman, LanguageEnglish};
    return items;
}

std::span<const CommandId> ShowToolsItems() {
    static const std::vector<CommandId> items{
        ShowToolArrange, ShowToolView,   ShowToolDisplay, ShowToolAdjust, ShowToolEdit,
        ShowToolWidth,   ShowToolColour, ShowToolFill,    ShowToolZoom,   ShowToolFile,
        ShowToolContour, ShowToolMill,   ShowAllTools};
    return items;
}

const MenuDefinition& ElementMenu() {
    static const MenuDefinition menu{"PopupMenu1",
                                     "",
                                     "",
                                     {PopupCut, PopupCopy, PopupPaste, PopupDuplicate, PopupDelete,
                                      Separator, PopupRotate, PopupToFront, PopupToBack, Separator,
                                      PopupGroup, PopupUngroup, Separator, PopupProperties,
                                      PopupAddToLibrary}};
    return menu;
}

const MenuDefinition& LibraryMenu() {
    static const MenuDefinition menu{"BiboPopup",
                                     "",
                                     "",
                                     {LibPopupToTop, LibPopupToBottom, LibPopupUp, LibPopupDown,
                                      Separator, LibPopupDelete, LibPopupProperties, Separator,
                                      LibPopupNewPage, LibPopupRenamePage, LibPopupDeletePage}};
    return menu;
}

const MenuDefinition& BoardTabMenu() {
    static const MenuDefinition menu{"TabPopup",
                                     "",
                                     "",
                                     {TabAdd, TabDuplicate, TabRename, TabDelete, TabImport,
                                      Separator, TabToFirst, TabToLast, TabMoveLeft, TabMoveRight}};
    return menu;
}

std::span<const ToolBarDefinition> ToolBars() {
    using W = ToolBarWidget;
    static const std::vector<ToolBarDefinition> bars{
        {1,
         "ToolBar_Anordnen",
         "Anordnen",
         "Arrange",
         {{ArrangeGroup}, {ArrangeUngroup}, {ArrangeToFront}, {ArrangeToBack}},
         ShowToolArrange},
        {2,
         "Toolbar_Ansicht",
         "Ansicht",
         "View",
         {{ViewOutline},
          {ViewSolderSide},
          {ViewSeeThrough},
          {ViewXRay},
          {ViewRendering},
          {Separator},
          {ViewUnusedAreas}},
         ShowToolView},
        {3, "DisplayPanel", "Anzeige", "Display", {{Separator, W::InfoDisplay}}, ShowToolDisplay},
        {4,
         "ToolBar_ausrichten",
         "Ausrichten",
         "Adjust",
         {{AlignLeft}, {AlignVCentre}, {AlignRight}, {AlignTop}, {AlignHCentre}, {AlignBottom}},
         ShowToolAdjust},
        {5,
         "Toolbar_Bearbeiten",
         "Bearbeiten",
         "Edit",
         {{EditCopy},
          {EditCut},
          {EditPaste},
          {EditDuplicate},
          {EditDelete},
          {Separator},
          {EditUndo},
          {UndoDepth},
          {EditRedo}},
         ShowToolEdit},
        {6,
         "BreitePanel",
         "Breite",
         "Width",
         {{PenSwatch}, {Separator, W::PenWidthList}},
         ShowToolWidth},
        {7, "FarbPanel", "Farben", "Colour", {{Separator, W::ColourGrid}}, ShowToolColour},
        {8,
         "FuellenPanel",
         "Füllen",
         "Fill",
         {{FillSwatch}, {FillToggle}, {FillBitmap}, {FillBitmapRotate}},
         ShowToolFill},
        {9,
         "ZoomPanel",
         "Zoom",
         "Zoom",
         {{ZoomIn}, {ZoomOut}, {ZoomBoard}, {ZoomElements}, {ZoomSelected}},
         ShowToolZoom},
        {10,
         "ToolBar_Datei",
         "Datei",
         "File",
         {{FileNew}, {FileOpen}, {FileSave}, {FilePrint}},
         ShowToolFile},
        {11,
         "Kontur_Panel",
         "Kontur",
         "Contour",
         {{ContourOriginal},
          {ContourSpline},
          {ContourChamfer},
          {ContourRounding},
          {Separator, W::ContourAmount}},
         ShowToolContour},
        {12, "ToolBar_Fraesen", "Fräsen", "Mill", {{MillNormal}, {MillMilled}}, ShowToolMill},
    };
    return bars;
}

std::span<const CommandId> ToolColumn() {
    static const std::vector<CommandId> column{
        ToolStandard,  ToolZoom,    Separator,     ToolLine,       ToolCircle,
        ToolRectangle, ToolPolygon, ToolText,      Separator,      ToolWire,
        ToolPin,       ToolLead,    ToolSplit,     ToolDrill,      Separator,
        ToolTest,      Separator,   ToolAssistant, ToolEditLayout, ToolOrigin};
    return column;
}

std::span<const CommandId> WindowKeys() {
    static const std::vector<CommandId> keys{KeyRotate,   KeyLeft,     KeyUp,     KeyRight,
                                             KeyDown,     KeyFineLeft, KeyFineUp, KeyFineRight,
                                             KeyFineDown, KeyNextBoard};
    return keys;
}

} // namespace karvel
