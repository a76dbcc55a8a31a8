#include "board/EnablingRules.h"

#include "board/Platine.h"
#include "board/SelectionQueries.h"
#include "elements/Gruppe.h"

namespace karvel {

namespace {

using enum CommandId;
using enum TBauteilTyp;

class RuleSetter {
public:
    explicit RuleSetter(EnablingState& state) : state_(state) {}
    void Set(std::initializer_list<CommandId> ids, bool allowed) {
        for (const CommandId id : ids)
            state_.Commands.set(std::size_t(id), allowed);
    }

private:
    EnablingState& state_;
};

// The element menu's properties item edits the board with nothing selected, and one selected
// component, text label or drilling.
bool PropertiesAllowed(const TPlatine& board) {
    const int n = board.CountSelected();
    if (n == 0)
        return true;
    const TBauteil* single = SingleSelected(board);
    if (single == nullptr)
        return false;
    if (const auto* group = dynamic_cast<const TGruppe*>(single))
        return group->IsComponent;
    return single->BauteilTyp == btText || single->BauteilTyp == btBohrung;
}

void SelectionRules(RuleSetter& rules, const TPlatine& board, const RuleInputs& inputs) {
    const int n = board.CountSelected();
    const int all = board.Count();
    rules.Set({ZoomSelected}, n > 0);
    rules.Set({ZoomElements, EditSelectAll, ComponentRenumber, BoardComponentsList}, all > 0);
    rules.Set({EditUndo}, inputs.HasUndo);
    rules.Set({EditRedo}, inputs.HasRedo);
    rules.Set({EditCut, EditCopy, EditDuplicate, EditDelete, ArrangeToFront, ArrangeToBack,
               PopupCut, PopupCopy, PopupDuplicate, PopupDelete, PopupToFront, PopupToBack},
              n > 0);
    rules.Set({EditPaste, PopupPaste}, inputs.ClipboardFilled);
    rules.Set({ArrangeGroup}, n >= 2);
    rules.Set({PopupGroup}, n > 1);
    rules.Set({ArrangeUngroup, PopupUngroup}, GroupSelected(board, false));
    rules.Set({ComponentBuild}, CanBuildComponent(board));
    rules.Set({ComponentSplit}, GroupSelected(board, true));
    rules.Set({ComponentAddToLibrary, PopupAddToLibrary}, CanAddToLibrary(board));
    rules.Set({EditRotate, PopupRotate}, CanRotate(board));
    rules.Set({PopupProperties}, PropertiesAllowed(board));
}

void ToolBarRules(RuleSetter& rules, EnablingState& state, const TPlatine& board) {
    const bool contour = HasContourPoints(board);
    rules.Set({ContourOriginal, ContourSpline, ContourChamfer, ContourRounding}, contour);
    state.ContourAmount = contour;
    rules.Set({FillBitmapRotate}, HasTurnableBitmap(board));
    rules.Set({FillBitmap, MillNormal, MillMilled},
              HasSelectedKind(board, {btKreis, btRect, btPolygon}));
    state.PenWidthList =
        HasSelectedKind(board, {btDraht, btLine, btKreis, btRect, btPolygon, btAnschluss, btPin});
    rules.Set({PenSwatch}, HasSelectedKind(board, {btDraht, btLine, btKreis, btRect, btPolygon,
                                                   btAnschluss, btPin, btText}));
    rules.Set({FillSwatch, FillToggle},
              HasSelectedKind(board, {btKreis, btRect, btPolygon, btText}));
    rules.Set({AlignLeft, AlignVCentre, AlignRight, AlignTop, AlignHCentre, AlignBottom},
              CanAlign(board));
}

} // namespace

EnablingState EvaluateRules(const TPlatine& board, const RuleInputs& inputs) {
    EnablingState state;
    state.Commands.set();
    RuleSetter rules(state);
    SelectionRules(rules, board, inputs);
    ToolBarRules(rules, state, board);
    rules.Set({BoardDelete, TabDelete}, inputs.BoardCount > 1);
    rules.Set({LibraryToTop, LibraryToBottom, LibraryUp, LibraryDown, LibraryDeleteComponent,
               LibPopupDelete},
              inputs.LibraryComponentSelected);
    return state;
}

InformationLines InformationFor(const TPlatine& board, Language language) {
    const int n = board.CountSelected();
    // While a tool works, its own lines (the wire's dx and dy, the frame's size) come first.
    if (n == 0 || board.CursorCaptured())
        return {board.Infozeile1(), board.Infozeile2()};
    if (const TBauteil* single = SingleSelected(board))
        return {single->GetKindName(), single->GetMeasureText()};
    return {QString::number(n) + Tr(language, QStringLiteral(" Objekte gewählt."),
                                    QStringLiteral(" objects selected")),
            QString()};
}

} // namespace karvel
