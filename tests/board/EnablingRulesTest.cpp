#include "board/EnablingRules.h"
#include "elements/Gruppe.h"
#include "shell/InfoDisplay.h"
#include "shell/ShellFixture.h"
#include "support/Printers.h"

#include <gtest/gtest.h>
#include <QtWidgets/QComboBox>

namespace karvel {
namespace {

using enum CommandId;
using test::MakeWire;

class EnablingRulesTest : public ::testing::Test {
protected:
    // New elements come selected; these start unselected.
    TBauteil* AddUnselected(std::unique_ptr<TBauteil> element) {
        element->SetIstMarkiert(false);
        return board.Add(std::move(element));
    }
    TBauteil* AddLine() {
        return AddUnselected(MakeWire(TBauteilTyp::btLine, {{100, 100}, {900, 100}}));
    }
    TBauteil* AddLabel() {
        auto label = std::make_unique<TTextLabel>();
        label->SetTextString(QStringLiteral("Text"));
        return AddUnselected(std::move(label));
    }
    TBauteil* AddGroup(bool component) {
        auto group = std::make_unique<TGruppe>();
        group->IsComponent = component;
        group->AddMember(MakeWire(TBauteilTyp::btLine, {{0, 0}, {254, 0}}));
        return AddUnselected(std::move(group));
    }
    EnablingState Rules(RuleInputs inputs = {}) const { return EvaluateRules(board, inputs); }

    ViewState view;
    TPlatine board{view};
};

TEST_F(EnablingRulesTest, NothingSelectedDisablesWhatNeedsASelection) {
    AddLine();
    const EnablingState state = Rules();
    for (const CommandId id :
         {EditCut, EditCopy, EditDuplicate, EditDelete, ArrangeToFront, ArrangeToBack, ArrangeGroup,
          ZoomSelected, EditPaste, AlignLeft, ComponentBuild, ComponentAddToLibrary, EditRotate})
        EXPECT_FALSE(state.Allows(id)) << int(id);
    EXPECT_TRUE(state.Allows(ZoomElements));
    EXPECT_TRUE(state.Allows(EditSelectAll));
    EXPECT_TRUE(state.Allows(FileSave));
    EXPECT_FALSE(state.PenWidthList);
}

TEST_F(EnablingRulesTest, PasteFollowsTheClipboard) {
    EXPECT_FALSE(Rules().Allows(EditPaste));
    EXPECT_TRUE(Rules({.ClipboardFilled = true}).Allows(EditPaste));
    EXPECT_TRUE(Rules({.ClipboardFilled = true}).Allows(PopupPaste));
}

TEST_F(EnablingRulesTest, AnEmptyBoardHasNothingToZoomToOrSelect) {
    const EnablingState state = Rules();
    EXPECT_FALSE(state.Allows(ZoomElements));
    EXPECT_FALSE(state.Allows(EditSelectAll));
    EXPECT_FALSE(state.Allows(ComponentRenumber));
    EXPECT_FALSE(state.Allows(BoardComponentsList));
}

TEST_F(EnablingRulesTest, TwoSelectedElementsCanBeGroupedAndAligned) {
    board.SetSelected(AddLine(), true);
    board.SetSelected(AddLine(), true);
    const EnablingState state = Rules();
    EXPECT_TRUE(state.Allows(ArrangeGroup));
    EXPECT_TRUE(state.Allows(PopupGroup));
    EXPECT_TRUE(state.Allows(ComponentBuild));
    for (const CommandId id : {AlignLeft, AlignVCentre, AlignRight, AlignTop, AlignHCentre,
                               AlignBottom, EditCut, ZoomSelected})
        EXPECT_TRUE(state.Allows(id)) << int(id);
    EXPECT_FALSE(state.Allows(ArrangeUngroup));
    EXPECT_FALSE(state.Allows(PopupProperties));
}

TEST_F(EnablingRulesTest, ATextLabelTakesColoursButNoPenWidth) {
    board.SetSelected(AddLabel(), true);
    const EnablingState state = Rules();
    EXPECT_TRUE(state.Allows(PenSwatch));
    EXPECT_TRUE(state.Allows(FillSwatch));
    EXPECT_TRUE(state.Allows(FillToggle));
    EXPECT_FALSE(state.PenWidthList);
    EXPECT_FALSE(state.Allows(ArrangeGroup));
    EXPECT_TRUE(state.Allows(PopupProperties));
}

TEST_F(EnablingRulesTest, ALineTakesAPenWidthButNoFill) {
    board.SetSelected(AddLine(), true);
    const EnablingState state = Rules();
    EXPECT_TRUE(state.PenWidthList);
    EXPECT_TRUE(state.Allows(PenSwatch));
    EXPECT_FALSE(state.Allows(FillSwatch));
    EXPECT_FALSE(state.Allows(FillBitmap));
    EXPECT_FALSE(state.Allows(ContourSpline)) << "a line of two points has no contour to smooth";
    EXPECT_FALSE(state.Allows(PopupProperties)) << "a plain line has no dialog of its own";
}

TEST_F(EnablingRulesTest, ALineOfThreePointsCanBeSmoothed) {
    board.SetSelected(board.Add(MakeWire(TBauteilTyp::btLine, {{0, 0}, {500, 0}, {500, 500}})),
                      true);
    const EnablingState state = Rules();
    EXPECT_TRUE(state.Allows(ContourSpline));
    EXPECT_TRUE(state.ContourAmount);
}

TEST_F(EnablingRulesTest, GroupsAndComponentsAreToldApart) {
    TBauteil* group = AddGroup(false);
    TBauteil* component = AddGroup(true);
    board.SetSelected(group, true);
    EnablingState state = Rules();
    EXPECT_TRUE(state.Allows(ArrangeUngroup));
    EXPECT_FALSE(state.Allows(ComponentSplit));
    EXPECT_TRUE(state.Allows(ComponentBuild));
    EXPECT_TRUE(state.Allows(EditRotate));

    group->SetIstMarkiert(false);
    board.SetSelected(component, true);
    state = Rules();
    EXPECT_FALSE(state.Allows(ArrangeUngroup));
    EXPECT_TRUE(state.Allows(ComponentSplit));
    EXPECT_FALSE(state.Allows(ComponentBuild)) << "a component is a component already";
    EXPECT_TRUE(state.Allows(ComponentAddToLibrary));
    EXPECT_TRUE(state.Allows(PopupProperties));
}

TEST_F(EnablingRulesTest, ABoardCanOnlyBeDeletedFromSeveral) {
    EXPECT_FALSE(Rules({.BoardCount = 1}).Allows(BoardDelete));
    EXPECT_TRUE(Rules({.BoardCount = 2}).Allows(BoardDelete));
    EXPECT_TRUE(Rules({.BoardCount = 2}).Allows(TabDelete));
}

struct InformationCase {
    Language Sprache;
    const char* First;
};

void PrintTo(const InformationCase& c, std::ostream* os) {
    PrintTo(c.Sprache, os);
    *os << ": " << c.First;
}

class InformationLinesTest : public ::testing::TestWithParam<InformationCase> {};

INSTANTIATE_TEST_SUITE_P(BothLanguages, InformationLinesTest,
                         ::testing::Values(InformationCase{Language::German, "3 Objekte gewählt."},
                                           InformationCase{Language::English,
                                                           "3 objects selected"}));

TEST_P(InformationLinesTest, SeveralSelectedElementsAreCounted) {
    ViewState view;
    view.Sprache = GetParam().Sprache;
    TPlatine board(view);
    for (int i = 0; i < 3; ++i)
        board.SetSelected(board.Add(MakeWire(TBauteilTyp::btLine, {{0, 0}, {254, 0}})), true);
    const InformationLines lines = InformationFor(board, view.Sprache);
    EXPECT_EQ(lines.First, QString::fromUtf8(GetParam().First));
    EXPECT_EQ(lines.Second, u"");
}

TEST(InformationLinesTest, OneElementShowsItsKindAndMeasureNothingTheBoardLines) {
    ViewState view;
    TPlatine board(view);
    board.SetInfozeilen(QStringLiteral("Platine"), QStringLiteral("Bauteilseite"));
    TBauteil* line = board.Add(MakeWire(TBauteilTyp::btLine, {{0, 0}, {254, 0}}));
    line->SetIstMarkiert(false);
    EXPECT_EQ(InformationFor(board, view.Sprache).Second, u"Bauteilseite");
    board.SetSelected(line, true);
    const InformationLines lines = InformationFor(board, view.Sprache);
    EXPECT_EQ(lines.First, line->GetKindName());
    EXPECT_EQ(lines.Second, line->GetMeasureText());
    EXPECT_FALSE(lines.First.isEmpty());
}

// The rules as the window applies them: a selection made by "select all" enables the
// commands that need one, and the display counts it.
TEST(WindowEnablingTest, SelectAllEnablesSelectionCommandsAndCountsThem) {
    test::ShownWindow shown(Language::English);
    TPlatine& board = shown.Board();
    for (int i = 0; i < 3; ++i)
        board.Add(MakeWire(TBauteilTyp::btLine, {{0, 254 * i}, {508, 254 * i}}))
            ->SetIstMarkiert(false);
    shown->DoMenues();
    EXPECT_FALSE(shown->Action(ZoomSelected).isEnabled());
    EXPECT_FALSE(shown->PenWidths().isEnabled());
    shown->Action(EditSelectAll).trigger();
    EXPECT_EQ(board.CountSelected(), 3);
    EXPECT_TRUE(shown->Action(ZoomSelected).isEnabled());
    EXPECT_TRUE(shown->PenWidths().isEnabled());
    EXPECT_EQ(shown->Display().First(), u"3 objects selected");
    EXPECT_FALSE(shown->Action(EditUndo).isEnabled());

    // The menus reach the board: cut empties it, and undo and paste become possible.
    ASSERT_TRUE(shown->Action(EditCut).isEnabled());
    shown->Action(EditCut).trigger();
    EXPECT_EQ(board.Count(), 0);
    EXPECT_TRUE(shown->Action(EditUndo).isEnabled());
    EXPECT_TRUE(shown->Action(EditPaste).isEnabled());
    shown->Action(EditUndo).trigger();
    EXPECT_EQ(board.Count(), 3);
    EXPECT_TRUE(shown->Action(EditRedo).isEnabled());

    // Setting the depth it already has keeps the history; a new depth empties it.
    shown->SetUndoDepth(shown->View().UndoDepth);
    EXPECT_TRUE(shown->Action(EditRedo).isEnabled());
    shown->SetUndoDepth(99);
    EXPECT_EQ(shown->View().UndoDepth, 50) << "clamped to the dialog's range";
    EXPECT_FALSE(shown->Action(EditRedo).isEnabled());
    EXPECT_FALSE(board.KannRueckgaengig());
}

} // namespace
} // namespace karvel
