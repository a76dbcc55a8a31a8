// The main window's view of the current board: tools, colours and pen widths, the view
// switches, zoom, rulers and the mouse.

#include "shell/MainWindow.h"

#include "board/tools/ToolManager.h"
#include "board/tools/ToolRules.h"

#include "board/CommandList.h"
#include "board/Continuity.h"
#include "board/Platine.h"
#include "platform/HelpTopic.h"
#include "platform/ProgramSettings.h"
#include "shell/BoardArea.h"
#include "shell/BoardControl.h"
#include "shell/ColourGrid.h"
#include "shell/CommandTable.h"
#include "shell/CursorLibrary.h"
#include "shell/Icons.h"
#include "shell/LibraryController.h"
#include "shell/Palette.h"
#include "shell/Ruler.h"
#include "shell/RulerScale.h"

#include "shell/ScrollBoxEx.h"
#include "shell/ViewDialogs.h"
#include <QtWidgets/QLabel>
#include <QtWidgets/QStatusBar>

#include <QtCore/QTimer>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QToolButton>

namespace karvel {

namespace {

using enum TPlatinenModus;

// The tool button of a tag: the buttons that choose a tool, and the origin button.
CommandId ToolButtonFor(int tag) {
    const std::optional<TPlatinenModus> mode = ModeForTag(tag);
    for (const Command& command : CommandTable())
        if (const CommandRoute route = RouteOf(command.Id);
            std::holds_alternative<ToolRoute>(route) && std::get<ToolRoute>(route).Mode == mode)
            return command.Id;
    return CommandId::ToolStandard;
}

// Runs a change that clears the selection and selects again what was selected before.
template <typename Change> void KeepingSelection(TPlatine& board, Change&& change) {
    std::vector<TBauteil*> selected;
    for (const auto& element : board.Bauteile())
        if (element->IstMarkiert())
            selected.push_back(element.get());
    change();
    for (TBauteil* element : selected)
        element->SetIstMarkiert(true);
}

QPoint VisibleCentre(const TScrollBoxEx& scroll) {
    const QSize client = scroll.ClientSize();
    return scroll.ScrollPosition() + QPoint(client.width() / 2, client.height() / 2);
}

} // namespace

// --- Tools -------------------------------------------------------------------------------------

void MainWindow::SetOriginCommand(int) {
    ChooseTool(ToolTag(pm_Ursprung));
}

// StandardBtnClick: the steps every tool button runs. What the tool starts with is the board's
// tool manager's to decide; the window asks for a size first and shows the outcome.
void MainWindow::ChooseTool(int tag) {
    const std::optional<TPlatinenModus> chosen = ModeForTag(tag);
    if (!chosen || current_ < 0)
        return;
    TPlatine& board = CurrentBoard();
    // The probe marks the same copper pieces the unused areas are shown on.
    if (*chosen == pm_Test && unusedAreasShown_)
        HideUnusedAreas();
    TPlatinenModus mode = *chosen;
    if (AsksForSize(mode) && !(AskToolSize && AskToolSize(tag, board)))
        mode = pm_Standard;
    Control(current_).Editor().ChooseTool(mode);
    ShowTool(*ButtonTagForMode(mode));
}

void MainWindow::ShowTool(int tag) {
    Action(ToolButtonFor(tag)).setChecked(true);
    Control(current_).SetPointerShape(PointerShape::ToolDefault);
    ShowToolStart(CurrentBoard().Modus());
    DoMenues();
}

// The colour grid, the swatches and the pen width list show what the tool started with.
void MainWindow::ShowToolStart(TPlatinenModus mode) {
    const ToolStart start = ToolStartFor(mode);
    const TPlatine& board = CurrentBoard();
    if (start.PenColour) {
        if (const std::optional<int> index = PaletteIndex(board.CurrentPenColour))
            colourGrid_->SetForeground(*index);
        Action(CommandId::PenSwatch).setIcon(SwatchIcon(ToQColor(board.CurrentPenColour), true));
    }
    if (start.FillColour) {
        if (const std::optional<int> index = PaletteIndex(board.CurrentBrushColour))
            colourGrid_->SetBackground(*index);
        Action(CommandId::FillSwatch)
            .setIcon(SwatchIcon(ToQColor(board.CurrentBrushColour), false));
    }
    if (start.PenWidth)
        if (const std::optional<int> index = PenWidthIndex(board.CurrentPenWidth))
            penWidths_->setCurrentIndex(*index);
}

void MainWindow::BoardModeChanged(TPlatine& board) {
    if (!IsCurrent(board))
        return;
    if (const std::optional<int> tag = TagForMode(board.Modus()))
        ShowTool(*tag);
    UpdateRulers(true);
}

// --- Colours and widths --------------------------------------------------------------------------

void MainWindow::SetForeground(int index) {
    colourGrid_->SetForeground(index);
    const Colour colour = PaletteColour(index);
    if (current_ >= 0) {
        CurrentBoard().CurrentPenColour = colour;
        ApplyToSelection(TPlatine::Attribut::PenColour);
    }
    Action(CommandId::PenSwatch).setIcon(SwatchIcon(ToQColor(colour), true));
}

void MainWindow::SetBackground(int index) {
    colourGrid_->SetBackground(index);
    const Colour colour = PaletteColour(index);
    if (current_ >= 0) {
        CurrentBoard().CurrentBrushColour = colour;
        ApplyToSelection(TPlatine::Attribut::BrushColour);
    }
    Action(CommandId::FillSwatch).setIcon(SwatchIcon(ToQColor(colour), false));
}

void MainWindow::PenWidthChosen(int index) {
    if (index < 0 || index >= PenWidthCount)
        return;
    CurrentBoard().CurrentPenWidth = PenWidthUnits(index);
    ApplyToSelection(TPlatine::Attribut::PenWidth);
    DoMenues();
}

void MainWindow::PenColourCommand(int) {
    TPlatine& board = CurrentBoard();
    std::optional<QColor> chosen;
    {
        const DialogScope scope(*this);
        chosen = dialogs_->ChooseColour(this, ToQColor(board.CurrentPenColour));
    }
    if (!chosen)
        return;
    board.CurrentPenColour = FromQColor(*chosen);
    ApplyToSelection(TPlatine::Attribut::PenColour);
    Action(CommandId::PenSwatch).setIcon(SwatchIcon(*chosen, true));
}

void MainWindow::FillColourCommand(int) {
    TPlatine& board = CurrentBoard();
    std::optional<QColor> chosen;
    {
        const DialogScope scope(*this);
        chosen = dialogs_->ChooseColour(this, ToQColor(board.CurrentBrushColour));
    }
    if (!chosen)
        return;
    board.CurrentBrushColour = FromQColor(*chosen);
    ApplyToSelection(TPlatine::Attribut::BrushColour);
    Action(CommandId::FillSwatch).setIcon(SwatchIcon(*chosen, false));
}

void MainWindow::FillCommand(int) {
    CurrentBoard().CurrentFill = Action(CommandId::FillToggle).isChecked();
    ApplyToSelection(TPlatine::Attribut::Fill);
}

// --- Selection -----------------------------------------------------------------------------------

void MainWindow::ClearSelection(TPlatine& board) {
    bool changed = false;
    for (const auto& element : board.Bauteile()) {
        if (element->IstMarkiert()) {
            element->SetIstMarkiert(false);
            changed = true;
        }
    }
    if (!changed)
        return;
    for (const BoardView& view : boards_)
        if (view.Board == &board)
            view.Control->InvalidateAll();
}

// The view switches clear the selection, except where the continuity test shows its marks.
void MainWindow::SelectionClearedByView() {
    if (CurrentBoard().Modus() != pm_Test)
        ClearSelection(CurrentBoard());
}

// --- View switches -------------------------------------------------------------------------------

void MainWindow::RepaintAllBoards() {
    for (const BoardView& view : boards_)
        view.Control->InvalidateAll();
}

void MainWindow::OutlineCommand(int) {
    SetOutlineMode(!outlineMode_);
    DoMenues();
}

void MainWindow::SetOutlineMode(bool on) {
    outlineMode_ = on;
    for (const BoardView& view : boards_)
        view.Board->SetUmrissModus(outlineMode_);
    SyncToggles();
}

void MainWindow::ApplySettings(const WindowSettings& settings) {
    editFile_ = settings.EditFile;
    SetAutoSave(settings.AutoSave, settings.AutoSaveInterval);
    exportDir_ = settings.ExportDir;
    SetOutlineMode(settings.Umrissmodus);
    SetRulersVisible(settings.RulersVisible);
    libraryPages_->ShowPage(settings.LastLib);
}

void MainWindow::SolderSideCommand(int) {
    TPlatine& board = CurrentBoard();
    const bool wasSolderSide = view_.Loetseite;
    view_.Loetseite = !wasSolderSide;
    KeepCentreAcrossTurn(board, wasSolderSide);
    SelectionClearedByView();
    ResetStatusLines(board);
    RepaintAllBoards();
    UpdateRulers(true);
    DoMenues();
}

// The board point in the middle of the view stays there when the board is turned over.
void MainWindow::KeepCentreAcrossTurn(TPlatine& board, bool wasSolderSide) {
    TScrollBoxEx& scroll = ScrollBox(current_);
    view_.Loetseite = wasSolderSide;
    const QPoint centre = board.ControlToBoard(VisibleCentre(scroll));
    view_.Loetseite = !wasSolderSide;
    const QSize client = scroll.ClientSize();
    scroll.SetScrollPosition(board.BoardToControl(centre) -
                             QPoint(client.width() / 2, client.height() / 2));
}

void MainWindow::SeeThroughCommand(int) {
    view_.Durchsicht = !view_.Durchsicht;
    ClearSelection(CurrentBoard());
    RepaintAllBoards();
    DoMenues();
}

void MainWindow::XRayCommand(int) {
    view_.Roentgen = !view_.Roentgen;
    SelectionClearedByView();
    TPlatine& board = CurrentBoard();
    board.SetInfozeilen(view_.Tr(QStringLiteral("Platine"), QStringLiteral("Board")),
                        board.Infozeile2());
    RepaintAllBoards();
    DoMenues();
}

void MainWindow::RenderingCommand(int) {
    view_.BitmapRendering = !view_.BitmapRendering;
    SelectionClearedByView();
    RepaintAllBoards();
    DoMenues();
}

// A switch that stays on: the select tool is chosen and the selection cleared, as showing
// the areas asks; from then on every edit and every tab change shows them anew.
void MainWindow::UnusedAreasCommand(int) {
    if (unusedAreasShown_) {
        HideUnusedAreas();
        DoMenues();
        return;
    }
    ChooseTool(1);
    unusedAreasShown_ = true;
    TPlatine& board = CurrentBoard();
    board.Analysis().ShowUnused();
    Control(current_).InvalidateAll();
    DoMenues();
}

void MainWindow::HideUnusedAreas() {
    unusedAreasShown_ = false;
    unusedRefreshPending_ = false;
    for (const BoardView& view : boards_) {
        if (view.Board->Analysis().UnusedShown()) {
            view.Board->Analysis().HideUnused();
            view.Control->InvalidateAll();
        }
    }
    SyncToggles();
}

// Edits and tab changes arrive in the middle of an operation; the areas are worked out once
// it has finished.
void MainWindow::ScheduleUnusedAreasRefresh() {
    if (!unusedAreasShown_ || unusedRefreshPending_)
        return;
    unusedRefreshPending_ = true;
    QTimer::singleShot(0, this, [this] { RefreshUnusedAreas(); });
}

// Works the areas out again on the current board and takes them off the boards that are not
// shown. Showing and hiding the areas clears the selection; here nobody asked for that.
void MainWindow::RefreshUnusedAreas() {
    if (!unusedRefreshPending_ || !unusedAreasShown_ || current_ < 0)
        return;
    unusedRefreshPending_ = false;
    for (int i = 0; i < BoardCount(); ++i) {
        CopperAnalysis& analysis = Board(i).Analysis();
        if (i == current_ || analysis.UnusedShown()) {
            KeepingSelection(Board(i), [&] {
                if (i == current_)
                    analysis.ShowUnused();
                else
                    analysis.HideUnused();
            });
            Control(i).InvalidateAll();
        }
    }
}

// --- Zoom and rulers -----------------------------------------------------------------------------

void MainWindow::ZoomCommand(int tag) {
    TPlatine& board = CurrentBoard();
    switch (tag) {
    case 1:
        board.FitBoard();
        break;
    case 2:
        board.FitElements(false);
        break;
    case 3:
        board.FitElements(true);
        break;
    case 4:
    case 5:
        board.ZoomAbout(VisibleCentre(ScrollBox(current_)), tag == 4);
        break;
    default:
        break;
    }
}

void MainWindow::BoardChanged(TPlatine& board) {
    if (IsCurrent(board))
        UpdateRulers(false);
}

void MainWindow::RulersCommand(int) {
    SetRulersVisible(!rulersVisible_);
}

void MainWindow::FineGridCommand(int) {
    // A drag that confines the cursor snaps to the step it started with.
    if (current_ < 0 || CurrentBoard().CursorCaptured())
        return;
    const DialogScope scope(*this);
    const HelpRequest help = [this](int topic) {
        ShowManual(*dialogs_, view_.ProgramFolder, view_.Sprache, topic);
    };
    if (const std::optional<double> step =
            dialogs_->AskFineGrid(this, view_.FineGrid, view_.Sprache, help))
        view_.FineGrid = *step;
}

void MainWindow::SetRulersVisible(bool visible) {
    rulersVisible_ = visible;
    area_->SetRulersVisible(visible);
    UpdateRulers(true);
    SyncToggles();
}

void MainWindow::UpdateRulers(bool force) {
    if (!rulersVisible_ || boards_.empty() || current_ < 0)
        return;
    TPlatine& board = CurrentBoard();
    const RulerState now{board.Zoom(), ScrollBox(current_).ScrollPosition(), current_,
                         view_.Loetseite, board.Ursprung()};
    const bool same = now.Zoom == lastRulers_.Zoom && now.Scroll == lastRulers_.Scroll &&
                      now.Board == lastRulers_.Board && now.Solder == lastRulers_.Solder &&
                      now.Origin == lastRulers_.Origin;
    if (same && !force)
        return;
    lastRulers_ = now;
    Ruler& horizontal = area_->HorizontalRuler();
    Ruler& vertical = area_->VerticalRuler();
    horizontal.SetMarks(RulerMarks(board, Qt::Horizontal, horizontal.LabelExtent()));
    vertical.SetMarks(RulerMarks(board, Qt::Vertical, vertical.LabelExtent()));
}

// --- Mouse ---------------------------------------------------------------------------------------

// Escape belongs to the current board wherever the focus is in the window — the board, a tool
// bar and its fields, the library or the tab row — as a key press on the board would.
void MainWindow::EscapeKey() {
    if (current_ < 0)
        return;
    Control(current_).Editor().Key({Qt::Key_Escape, {}});
    DoMenues();
}

bool MainWindow::BoardBusy() const {
    return current_ < 0 || CurrentBoard().CursorCaptured() || Control(current_).Editor().Busy();
}

bool MainWindow::EndBoardOperation() {
    if (current_ < 0)
        return false;
    CurrentBoard().EndRunningOperation();
    return !BoardBusy();
}

void MainWindow::MouseMoved(BoardControl& control, const BoardMouseEvent& event) {
    if (!IsCurrent(control.Board()))
        return;
    const QPoint host = event.Control - ScrollBox(current_).ScrollPosition();
    area_->HorizontalRuler().SetMarker(host.x());
    area_->VerticalRuler().SetMarker(host.y());
    control.Editor().Move(ToPointer(PointerAction::Move, event));
    ShowHoleUnderPointer(control.Editor().HoleUnderPointer());
}

// Column and row of the hole under the pointer, as the grid numbering counts them.
void MainWindow::ShowHoleUnderPointer(std::optional<QPoint> hole) {
    if (!holeLabel_) {
        holeLabel_ = new QLabel(statusBar());
        holeLabel_->setObjectName(QStringLiteral("HoleUnderPointer"));
        statusBar()->addPermanentWidget(holeLabel_);
    }
    holeLabel_->setText(hole
                            ? view_.Tr(QStringLiteral("Loch %1, %2"), QStringLiteral("Hole %1, %2"))
                                  .arg(hole->x())
                                  .arg(hole->y())
                            : QString());
}

void MainWindow::MousePressed(BoardControl& control, const BoardMouseEvent& event) {
    control.Editor().Press(ToPointer(PointerAction::Press, event));
}

void MainWindow::MouseReleased(BoardControl& control, const BoardMouseEvent& event) {
    control.Editor().Release(ToPointer(PointerAction::Release, event));
}

// --- Help and leaving ----------------------------------------------------------------------------

void MainWindow::HelpCommand(int) {
    if (BoardBusy())
        return;
    ShowManual(*dialogs_, view_.ProgramFolder, view_.Sprache,
               IsLayoutEditor() ? ManualTopic::LayoutEditor : ManualTopic::MainWindow);
}

void MainWindow::AboutCommand(int) {
    const DialogScope scope(*this);
    dialogs_->ShowAbout(this, view_.Sprache);
}

void MainWindow::ExitCommand(int) {
    close();
}

} // namespace karvel
