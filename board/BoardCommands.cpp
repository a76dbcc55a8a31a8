#include "board/BoardCommands.h"

#include "board/CommandList.h"
#include "board/ElementClipboard.h"
#include "board/Platine.h"
#include "board/SelectionQueries.h"
#include "elements/Gruppe.h"

namespace karvel {

namespace {

using enum CommandId;

// Cut, copy, paste, duplicate and delete act only while the select tool is chosen.
bool InSelectTool(const TPlatine& board) {
    return board.Modus() == TPlatinenModus::pm_Standard;
}

// The selection becomes one component with the identity the dialog gives; its number follows
// the components that already carry the identifier.
CommandOutcome BuildComponent(TPlatine& board) {
    if (!CanBuildComponent(board))
        return CommandOutcome::NotNow;
    ComponentDialog* dialog = TGruppe::Dialog();
    if (dialog == nullptr)
        return CommandOutcome::NeedsWindow;
    const std::optional<ComponentFields> fields = dialog->Ask({});
    if (!fields)
        return CommandOutcome::Done;
    // A single plain group becomes the component itself rather than being wrapped again.
    const UndoStep undo(board);
    TGruppe* component = nullptr;
    if (auto* single = dynamic_cast<TGruppe*>(SingleSelected(board))) {
        component = single;
        component->IsComponent = true;
    } else {
        component = board.Gruppiere(true);
    }
    component->Identifier = fields->Identifier.left(TGruppe::IdentifierLength);
    component->Value = fields->Value.left(TGruppe::ValueLength);
    component->Description = fields->Description.left(TGruppe::DescriptionLength);
    component->InComponentsList = fields->InComponentsList;
    component->Number = std::int16_t(board.NaechsteNummer(component->Identifier));
    component->PropagateIdentity();
    board.InvalidateElement(*component);
    board.Fire(board.OnChange);
    return CommandOutcome::Done;
}

CommandOutcome Clip(bool ran) {
    return ran ? CommandOutcome::Done : CommandOutcome::NotNow;
}

CommandOutcome Nudge(TPlatine& board, TPlatine::Richtung direction, bool fine) {
    board.SchiebeMarkierte(direction, fine);
    return CommandOutcome::Done;
}

CommandOutcome Align(TPlatine& board, TPlatine::Alignment alignment) {
    if (!CanAlign(board))
        return CommandOutcome::NotNow;
    board.AlignSelection(alignment);
    return CommandOutcome::Done;
}

template <typename Operation> CommandOutcome Run(Operation&& operation) {
    operation();
    return CommandOutcome::Done;
}

} // namespace

bool IsBoardCommand(CommandId id) {
    const CommandRoute route = RouteOf(id);
    return std::holds_alternative<BoardRoute>(route) ||
           std::holds_alternative<BoardSwitchRoute>(route);
}

namespace {

// Copying leaves the board as it is; undo ends the operation itself, as it takes back only
// the drawing then.
bool EndsRunningOperation(CommandId id) {
    return id != EditCopy && id != PopupCopy && id != EditUndo;
}

} // namespace

CommandOutcome RunBoardCommand(CommandId id, TPlatine& board, ElementClipboard& clipboard) {
    using R = TPlatine::Richtung;
    using A = TPlatine::Alignment;
    // No command works on elements a tool is still drawing, moving or placing: the running
    // operation ends first, as Escape ends it.
    if (EndsRunningOperation(id))
        board.EndRunningOperation();
    const bool standard = InSelectTool(board);
    switch (id) {
    case EditUndo:
        // In the middle of a drawing, undo takes back only the drawing, whether or not the
        // history holds a step.
        if (board.EndRunningOperation())
            return CommandOutcome::Done;
        if (!board.KannRueckgaengig())
            return CommandOutcome::NotNow;
        return Run([&] { board.Rueckgaengig(); });
    case EditRedo:
        if (!board.KannWiederherstellen())
            return CommandOutcome::NotNow;
        return Run([&] { board.Wiederherstellen(); });
    case EditCut:
    case PopupCut:
        return Clip(standard && clipboard.Cut(board));
    case EditCopy:
    case PopupCopy:
        return Clip(standard && clipboard.Copy(board));
    case EditPaste:
    case PopupPaste:
        return Clip(standard && clipboard.Paste(board));
    case EditDuplicate:
    case PopupDuplicate:
        return Clip(standard && clipboard.Duplicate(board));
    case EditDelete:
    case PopupDelete:
        if (!standard)
            return CommandOutcome::NotNow;
        return Run([&] { board.LoescheMarkierte(); });
    case EditRotate:
    case PopupRotate:
    case KeyRotate:
        if (!CanRotate(board))
            return CommandOutcome::NotNow;
        return Run([&] { board.Drehe(); });
    case EditSelectAll:
        return Run([&] { board.MarkiereAlle(true); });
    case ArrangeToFront:
    case PopupToFront:
        return Run([&] { board.NachVorne(); });
    case ArrangeToBack:
    case PopupToBack:
        return Run([&] { board.NachHinten(); });
    case ArrangeGroup:
    case PopupGroup:
        if (board.AnzahlMarkierte() < 2)
            return CommandOutcome::NotNow;
        return Run([&] { board.Gruppiere(false); });
    case ArrangeUngroup:
    case PopupUngroup:
        if (!GroupSelected(board, false))
            return CommandOutcome::NotNow;
        return Run([&] { board.LoeseGruppe(); });
    case ComponentBuild:
        return BuildComponent(board);
    case ComponentSplit:
        if (!GroupSelected(board, true))
            return CommandOutcome::NotNow;
        return Run([&] { board.LoeseGruppe(); });
    case ComponentRenumber:
        return Run([&] { board.NummeriereNeu(); });
    case AlignLeft:
        return Align(board, A::Left);
    case AlignVCentre:
        return Align(board, A::Centre);
    case AlignRight:
        return Align(board, A::Right);
    case AlignTop:
        return Align(board, A::Top);
    case AlignHCentre:
        return Align(board, A::Middle);
    case AlignBottom:
        return Align(board, A::Bottom);
    case FillToggle:
        return Run([&] {
            board.CurrentFill = !board.CurrentFill;
            board.SetzeAttribut(TPlatine::Attribut::Fill);
        });
    case FillBitmapRotate:
        return Run([&] { board.DreheFuellbilder(); });
    case ContourOriginal:
        return Run([&] { board.SmoothSelectedContours(std::nullopt); });
    case ContourSpline:
        return Run([&] { board.SmoothSelectedContours(TGlaettenStil::glSpline); });
    case ContourChamfer:
        return Run([&] { board.SmoothSelectedContours(TGlaettenStil::glFase); });
    case ContourRounding:
        return Run([&] { board.SmoothSelectedContours(TGlaettenStil::glRundung); });
    case MillNormal:
        return Run([&] { board.SetzeFraesen(false); });
    case MillMilled:
        return Run([&] { board.SetzeFraesen(true); });
    case KeyLeft:
        return Nudge(board, R::Left, false);
    case KeyUp:
        return Nudge(board, R::Up, false);
    case KeyRight:
        return Nudge(board, R::Right, false);
    case KeyDown:
        return Nudge(board, R::Down, false);
    case KeyFineLeft:
        return Nudge(board, R::Left, true);
    case KeyFineUp:
        return Nudge(board, R::Up, true);
    case KeyFineRight:
        return Nudge(board, R::Right, true);
    case KeyFineDown:
        return Nudge(board, R::Down, true);
    default:
        return CommandOutcome::NeedsWindow;
    }
}

} // namespace karvel
