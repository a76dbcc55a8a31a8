// DoMenues: the enabling rules, the information display and the check marks of the switches.

#include "board/ElementClipboard.h"
#include "shell/MainWindow.h"

#include "board/EnablingRules.h"
#include "board/Platine.h"
#include "shell/BoardArea.h"
#include "shell/CommandTable.h"
#include "shell/InfoDisplay.h"
#include "shell/LibraryController.h"

#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>

namespace karvel {

void MainWindow::DoMenues() {
    if (boards_.empty() || current_ < 0)
        return;
    // Keys should reach the window, not a list or field of a tool bar.
    QWidget& sink = area_->FocusSink();
    if (CurrentBoard().CountSelected() > 0 && sink.isVisible() && isActiveWindow())
        sink.setFocus();
    ApplyCommandStates();
    UpdateInformation();
    SyncToggles();
}

void MainWindow::ApplyCommandStates() {
    RuleInputs inputs;
    inputs.ClipboardFilled = clipboard_->CanPaste();
    inputs.HasUndo = CurrentBoard().KannRueckgaengig();
    inputs.HasRedo = CurrentBoard().KannWiederherstellen();
    inputs.BoardCount = BoardCount();
    inputs.LibraryComponentSelected = libraryPages_->HasCurrent();
    const EnablingState state = EvaluateRules(CurrentBoard(), inputs);
    for (const Command& command : CommandTable()) {
        // The submenu follows the hidden tool windows instead.
        if (command.Id == CommandId::ViewShowTools)
            continue;
        // While the editor is being built it has not yet said what it offers.
        const bool offered = IsLayoutEditor() ? editorCommands_.empty() ||
                                                    editorCommands_.at(std::size_t(command.Id))
                                              : !IsLayoutEditorCommand(command.Id);
        Action(command.Id).setEnabled(offered && state.Allows(command.Id));
    }
    for (const CommandId id : libraryPages_->UnavailableCommands())
        Action(id).setEnabled(false);
    penWidths_->setEnabled(state.PenWidthList);
    contourAmount_->setEnabled(state.ContourAmount);
}

void MainWindow::UpdateInformation() {
    const InformationLines lines = InformationFor(CurrentBoard(), view_.Sprache);
    display_->SetLines(lines.First, lines.Second);
}

void MainWindow::SyncToggles() {
    Action(CommandId::ViewOutline).setChecked(outlineMode_);
    Action(CommandId::ViewSolderSide).setChecked(view_.Loetseite);
    Action(CommandId::ViewSeeThrough).setChecked(view_.Durchsicht);
    Action(CommandId::ViewXRay).setChecked(view_.Roentgen);
    Action(CommandId::ViewRendering).setChecked(view_.BitmapRendering);
    Action(CommandId::ViewRulers).setChecked(rulersVisible_);
    Action(CommandId::ViewUnusedAreas).setChecked(unusedAreasShown_);
    if (current_ >= 0)
        Action(CommandId::FillToggle).setChecked(CurrentBoard().CurrentFill);
}

} // namespace karvel
