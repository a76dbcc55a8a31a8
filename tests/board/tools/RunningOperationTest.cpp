// Commands that arrive while a tool is in the middle of something: every command that changes
// or removes elements first ends the running operation as Escape does, so that no tool goes on
// with an element that is gone, and the board is whole afterwards. Run these under the
// sanitizer build as well: a tool reaching for a freed element shows there at once.

#include "board/BoardCommands.h"
#include "board/CommandList.h"
#include "board/ElementClipboard.h"
#include "board/Platine.h"
#include "board/tools/ToolManager.h"
#include "board/UndoHistory.h"
#include "elements/Draht.h"
#include "elements/Geometry.h"
#include "elements/Gruppe.h"
#include "elements/Leiterbahn.h"
#include "elements/XSizer.h"
#include "support/FakeHost.h"
#include "support/RecordBytes.h"
#include "support/SampleBoard.h"
#include "support/Stripboard.h"

#include "elements/ComponentDialog.h"
#include "support/Printers.h"
#include "support/RecordingToolHost.h"
#include <functional>
#include <gtest/gtest.h>

namespace karvel {
namespace {

using test::RecordingToolHost;

using enum TPlatinenModus;

// A stripboard of 20 × 10 holes, one strip per row, holding a jumper wire, a line, and a strip
// cut, with nothing to undo or redo and something copied to paste.
struct Desk {
    Desk() {
        test::MakeStripboard(board, 20, 10);
        board.SetHost(&scroll);
        board.SetZoom(3.0);
        wire = Add(TBauteilTyp::btDraht, {Hole(2, 2), Hole(6, 2)});
        line = Add(TBauteilTyp::btLine, {Hole(2, 6), Hole(5, 6), Hole(5, 8)});
        editor.ChooseTool(pm_Trenner);
        Click(Hole(12.5, 4));
        editor.ChooseTool(pm_Standard);
        board.SetzeMarkierung(line, true);
        clipboard.Copy(board);
        board.MarkiereAlle(false);
        board.ClearHistory();
        board.SetModified(false);
    }

    static QPoint Hole(double column, double row) {
        return {int(std::lround(column * 254)), int(std::lround(row * 254 + 127))};
    }
    TDraht* Add(TBauteilTyp kind, std::vector<QPoint> nodes) {
        auto* added = static_cast<TDraht*>(board.Add(test::MakeWire(kind, std::move(nodes))));
        board.RecomputeAnchors(*added);
        return added;
    }
    PointerEvent Event(PointerAction action, QPoint p, Qt::MouseButton button,
                       Qt::KeyboardModifiers mods) const {
        return {action,
                board.BoardToControl(p),
                action == PointerAction::Move ? Qt::NoButton : button,
                {},
                mods};
    }
    void Down(QPoint p, Qt::KeyboardModifiers mods = {}) {
        editor.Press(Event(PointerAction::Press, p, Qt::LeftButton, mods));
    }
    void Up(QPoint p) { editor.Release(Event(PointerAction::Release, p, Qt::LeftButton, {})); }
    void MoveTo(QPoint p) { editor.Move(Event(PointerAction::Move, p, Qt::NoButton, {})); }
    void Click(QPoint p, Qt::KeyboardModifiers mods = {}) {
        Down(p, mods);
        Up(p);
    }
    void RightClick(QPoint p) {
        editor.Press(Event(PointerAction::Press, p, Qt::RightButton, {}));
        editor.Release(Event(PointerAction::Release, p, Qt::RightButton, {}));
    }
    void Escape() { editor.Key({Qt::Key_Escape, {}}); }
    void Select(TBauteil* element) {
        board.MarkiereAlle(false);
        board.SetzeMarkierung(element, true);
    }
    QByteArray Resistor(const QString& value = QStringLiteral("4k7")) {
        TPlatine source(view);
        auto part = test::MakeResistor();
        part->Value = value;
        source.SetzeMarkierung(source.Add(std::move(part)), true);
        return source.KopiereMarkierte();
    }
    QByteArray Stored() { return test::WriteBoard(board, StreamPurpose::File); }

    ViewState view;
    TPlatine board{view};
    test::FakeHost scroll;
    RecordingToolHost host;
    ToolManager editor{board, host};
    ElementClipboard clipboard{view};
    TDraht* wire = nullptr;
    TDraht* line = nullptr;
};

// Nothing half done is left: no wire or shape with a single point, nothing unplaced outside
// placing, no operation running and the pointer free.
void ExpectWhole(Desk& desk, const std::string& when) {
    TPlatine& board = desk.board;
    const bool placing = board.Modus() == pm_Platzieren || board.Modus() == pm_Zweipol;
    if (!placing) {
        EXPECT_FALSE(desk.editor.Busy()) << when;
        EXPECT_FALSE(board.Drag().Busy()) << when;
        EXPECT_FALSE(board.CursorCaptured()) << when;
    }
    for (const auto& element : board.Bauteile()) {
        if (const auto* drawn = dynamic_cast<const TDraht*>(element.get())) {
            EXPECT_GE(drawn->Nodes.size(), 2u) << when << ": a half-drawn element stayed";
        }
        if (!placing) {
            EXPECT_TRUE(element->Placed()) << when;
        }
    }
}

struct Operation {
    const char* Name;
    std::function<void(Desk&)> Start;
};

void PrintTo(const Operation& operation, std::ostream* out) {
    *out << operation.Name;
}

const Operation Operations[] = {
    {"Wire",
     [](Desk& d) {
         d.editor.ChooseTool(pm_Draht);
         d.Click(d.Hole(3, 4));
         d.Click(d.Hole(3, 7), Qt::ControlModifier);
         d.MoveTo(d.Hole(6, 7));
     }},
    {"Lead",
     [](Desk& d) {
         d.editor.ChooseTool(pm_Anschluss);
         d.Click(d.Hole(8, 4));
         d.MoveTo(d.Hole(9, 5));
     }},
    {"Line",
     [](Desk& d) {
         d.editor.ChooseTool(pm_Linie);
         d.Click(d.Hole(9, 1));
         d.Click(d.Hole(11, 1));
         d.MoveTo(d.Hole(11, 2));
     }},
    {"Polygon",
     [](Desk& d) {
         d.editor.ChooseTool(pm_Polygon);
         d.Click(d.Hole(15, 1));
         d.Click(d.Hole(17, 1));
         d.Click(d.Hole(17, 3));
     }},
    {"Circle",
     [](Desk& d) {
         d.editor.ChooseTool(pm_Kreis);
         d.Click(d.Hole(14, 6));
         d.MoveTo(d.Hole(15, 7));
     }},
    {"Rectangle",
     [](Desk& d) {
         d.editor.ChooseTool(pm_Rechteck);
         d.Click(d.Hole(9, 6));
         d.MoveTo(d.Hole(11, 8));
     }},
    {"Track",
     [](Desk& d) {
         d.editor.ChooseTool(pm_Leiterbahn);
         d.Click(d.Hole(9, 3));
         d.MoveTo(d.Hole(13, 3));
     }},
    {"NewStripCut",
     [](Desk& d) {
         d.editor.ChooseTool(pm_Trenner);
         d.Down(d.Hole(16.5, 5));
         d.MoveTo(d.Hole(17, 5));
     }},
    {"StripCutResized",
     [](Desk& d) {
         d.editor.ChooseTool(pm_Trenner);
         d.Down(d.Hole(12.5, 4) + QPoint(70, 0));
         d.MoveTo(d.Hole(13.5, 4));
     }},
    {"WireEndHandedOver",
     [](Desk& d) {
         d.Select(d.wire);
         d.Click(d.Hole(6, 2));
         d.MoveTo(d.Hole(8, 3));
     }},
    {"VertexDragged",
     [](Desk& d) {
         d.Select(d.line);
         d.Down(d.Hole(5, 6));
         d.MoveTo(d.Hole(7, 7));
     }},
    {"SelectionMoved",
     [](Desk& d) {
         d.Select(d.wire);
         d.Down(d.Hole(4, 2));
         d.MoveTo(d.Hole(5, 4));
     }},
    {"FrameDrawn",
     [](Desk& d) {
         d.Down(d.Hole(8, 7));
         d.MoveTo(d.Hole(11, 9));
     }},
    {"PastePlaced",
     [](Desk& d) {
         ASSERT_TRUE(d.clipboard.Paste(d.board));
         d.MoveTo(d.Hole(12, 7));
     }},
    {"PartStretched",
     [](Desk& d) {
         ASSERT_TRUE(d.board.PlatziereZweipol(d.Resistor()));
         d.Click(d.Hole(3, 8));
         d.MoveTo(d.Hole(8, 8));
     }},
};

const CommandId Commands[] = {CommandId::EditUndo, CommandId::EditRedo, CommandId::EditDelete,
                              CommandId::EditCut, CommandId::EditPaste};

class CommandDuringOperationTest
    : public ::testing::TestWithParam<std::tuple<Operation, CommandId>> {};

TEST_P(CommandDuringOperationTest, EndsTheOperationFirstAndLeavesAWholeBoard) {
    const auto& [operation, command] = GetParam();
    Desk desk;
    const QByteArray before = desk.Stored();
    operation.Start(desk);
    ASSERT_TRUE(desk.editor.Busy() || desk.board.Drag().Operation) << "the operation runs";

    RunBoardCommand(command, desk.board, desk.clipboard);
    ExpectWhole(desk, "after the command");
    if (command == CommandId::EditUndo || command == CommandId::EditRedo) {
        // With nothing to undo before, undo takes back exactly what the operation did.
        EXPECT_EQ(desk.Stored(), before);
        EXPECT_FALSE(desk.board.KannRueckgaengig());
        EXPECT_FALSE(desk.board.Modified());
    }

    // The editor goes on working: the pointer, a click, Escape; then every step back and
    // forth.
    desk.MoveTo(desk.Hole(10, 5));
    desk.Click(desk.Hole(10, 5));
    desk.MoveTo(desk.Hole(12, 5));
    desk.editor.Key({Qt::Key_Escape, {}});
    desk.editor.Key({Qt::Key_Escape, {}});
    ExpectWhole(desk, "after going on");
    while (desk.board.KannRueckgaengig())
        desk.board.Rueckgaengig();
    EXPECT_EQ(desk.Stored(), before) << "every step back leads to the board as it was";
    while (desk.board.KannWiederherstellen())
        desk.board.Wiederherstellen();
    ExpectWhole(desk, "after redoing everything");
}

INSTANTIATE_TEST_SUITE_P(
    EveryToolAndCommand, CommandDuringOperationTest,
    ::testing::Combine(::testing::ValuesIn(Operations), ::testing::ValuesIn(Commands)),
    [](const ::testing::TestParamInfo<CommandDuringOperationTest::ParamType>& info) {
        return std::string(std::get<0>(info.param).Name) + "_" +
               CommandName(std::get<1>(info.param)).toStdString();
    });

// --- A click that changes nothing leaves no undo step ------------------------------------------

class CancellingDialog : public ComponentDialog {
public:
    std::optional<ComponentFields> Ask(const ComponentFields&) override { return std::nullopt; }
};

struct Unchanging {
    const char* Name;
    std::function<void(Desk&)> Run;
};

void PrintTo(const Unchanging& action, std::ostream* out) {
    *out << action.Name;
}

const Unchanging NothingChanged[] = {
    {"VertexClicked",
     [](Desk& d) {
         d.Select(d.line);
         d.Click(d.Hole(5, 6));
     }},
    {"VertexDragGivenUp",
     [](Desk& d) {
         d.Select(d.line);
         d.Down(d.Hole(5, 6));
         d.MoveTo(d.Hole(6, 7));
         d.Escape();
     }},
    {"HandleClicked",
     [](Desk& d) {
         d.Click(d.Hole(3, 6));
         TSizer* handles = d.editor.Handles();
         ASSERT_TRUE(handles);
         const Rect r = Normalised(handles->HandleRect(TSizer::BottomRight));
         const QPoint grab((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
         d.Click(grab);
     }},
    {"MoveGivenUp",
     [](Desk& d) {
         d.Select(d.wire);
         d.Down(d.Hole(4, 2));
         d.MoveTo(d.Hole(7, 5));
         d.Escape();
     }},
    {"WireGivenUp",
     [](Desk& d) {
         d.editor.ChooseTool(pm_Draht);
         d.Click(d.Hole(3, 4));
         d.Click(d.Hole(3, 7), Qt::ControlModifier);
         d.Escape();
     }},
    {"WireTakenBackPointByPoint",
     [](Desk& d) {
         d.editor.ChooseTool(pm_Draht);
         d.Click(d.Hole(3, 4));
         d.Click(d.Hole(3, 7), Qt::ControlModifier);
         d.RightClick(d.Hole(3, 7));
         d.RightClick(d.Hole(3, 7));
     }},
    {"WireEndHandedBack",
     [](Desk& d) {
         d.Select(d.wire);
         d.Click(d.Hole(6, 2));
         d.RightClick(d.Hole(8, 3));
     }},
    {"PolygonOfOnePoint",
     [](Desk& d) {
         d.editor.ChooseTool(pm_Polygon);
         d.Click(d.Hole(15, 1));
         d.RightClick(d.Hole(15, 1));
     }},
    {"CircleGivenUp",
     [](Desk& d) {
         d.editor.ChooseTool(pm_Kreis);
         d.Click(d.Hole(14, 6));
         d.MoveTo(d.Hole(15, 7));
         d.RightClick(d.Hole(15, 7));
     }},
    {"TrackGivenUp",
     [](Desk& d) {
         d.editor.ChooseTool(pm_Leiterbahn);
         d.Click(d.Hole(9, 3));
         d.RightClick(d.Hole(12, 3));
     }},
    {"StripCutGivenUp",
     [](Desk& d) {
         d.editor.ChooseTool(pm_Trenner);
         d.Down(d.Hole(16.5, 5));
         d.MoveTo(d.Hole(17, 5));
         d.Escape();
     }},
    {"LibraryPartDiscarded",
     [](Desk& d) {
         ASSERT_TRUE(d.board.PlatziereBauteil(d.Resistor()));
         d.MoveTo(d.Hole(10, 5));
         d.RightClick(d.Hole(10, 5));
     }},
    {"LibraryPartDialogCancelled",
     [](Desk& d) {
         CancellingDialog dialog;
         TGruppe::SetDialog(&dialog);
         EXPECT_FALSE(d.board.PlatziereBauteil(d.Resistor(QStringLiteral("?"))));
         EXPECT_FALSE(d.board.PlatziereZweipol(d.Resistor(QStringLiteral("?"))));
         TGruppe::SetDialog(nullptr);
     }},
    {"TwoLeadPartDiscarded",
     [](Desk& d) {
         ASSERT_TRUE(d.board.PlatziereZweipol(d.Resistor()));
         d.RightClick(d.Hole(10, 5));
     }},
    {"PasteGivenUp",
     [](Desk& d) {
         ASSERT_TRUE(d.clipboard.Paste(d.board));
         d.MoveTo(d.Hole(12, 7));
         d.Escape();
     }},
};

class NoChangeNoUndoStepTest : public ::testing::TestWithParam<Unchanging> {};

TEST_P(NoChangeNoUndoStepTest, LeavesNoUndoStepAndTheBoardUnmodified) {
    Desk desk;
    const QByteArray before = desk.Stored();
    GetParam().Run(desk);
    ExpectWhole(desk, GetParam().Name);
    EXPECT_EQ(desk.Stored(), before);
    EXPECT_FALSE(desk.board.KannRueckgaengig());
    EXPECT_FALSE(desk.board.Modified()) << "no question to save changes that are none";
}

INSTANTIATE_TEST_SUITE_P(ClicksAndOperationsGivenUp, NoChangeNoUndoStepTest,
                         ::testing::ValuesIn(NothingChanged),
                         [](const ::testing::TestParamInfo<Unchanging>& info) {
                             return std::string(info.param.Name);
                         });

} // namespace
} // namespace karvel
