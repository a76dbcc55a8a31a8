#include "board/UndoStep.h"

#include "board/Bibo.h"
#include "board/Platine.h"
#include "board/UndoHistory.h"
#include "elements/Auge.h"
#include "stream/RecordIO.h"
#include "stream/StreamError.h"
#include "support/RecordBytes.h"
#include "support/SampleBoard.h"
#include "support/ScriptedBoard.h"

#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>

namespace karvel {
namespace {

using test::MakeWire;

QByteArray FileBytes(TPlatine& board) {
    return test::WriteBoard(board, StreamPurpose::File);
}

void AddPin(TPlatine& board, int column) {
    board.Add(MakeWire(TBauteilTyp::btPin, {{254 * column, 127}, {254 * column, 127}}));
}

// A sample board with one change undone, so that the redo list holds a state, and saved.
class UndoStepTest : public ::testing::Test {
protected:
    UndoStepTest() {
        test::FillSampleBoard(board);
        board.MarkiereAlle(false);
        {
            const UndoStep step(board);
            AddPin(board, 30);
        }
        board.Rueckgaengig();
        board.SetModified(false);
    }

    ViewState view;
    TPlatine board{view};
};

struct Edit {
    const char* name;
    std::function<void(TPlatine&)> run;
};

TEST_F(UndoStepTest, AnEditThatComesToNothingLeavesNoStepAndTheRedoListAsItWas) {
    const Edit edits[] = {
        {"nothing at all", [](TPlatine&) {}},
        {"an element moved there and back",
         [](TPlatine& b) {
             b.At(0)->MoveBy(254, 0);
             b.At(0)->MoveBy(-254, 0);
         }},
        {"an element added and removed again",
         [](TPlatine& b) {
             AddPin(b, 40);
             b.Remove(b.At(b.Count() - 1));
         }},
        {"the size set to what it is", [](TPlatine& b) { b.SetSize(b.Width(), b.Height()); }},
        {"only the selection changed", [](TPlatine& b) { b.MarkiereAlle(true); }},
        {"a command that sets what is set",
         [](TPlatine& b) {
             b.SetzeMarkierung(b.At(0), true);
             b.SetzeFraesen(b.At(0)->Fraesen());
         }},
    };
    for (const Edit& edit : edits) {
        const QByteArray before = FileBytes(board);
        {
            const UndoStep step(board);
            edit.run(board);
        }
        board.MarkiereAlle(false);
        EXPECT_EQ(FileBytes(board), before) << edit.name;
        EXPECT_EQ(board.History().UndoCount(), 0) << edit.name;
        EXPECT_EQ(board.History().RedoCount(), 1) << edit.name << ": redo stays";
        EXPECT_FALSE(board.Modified()) << edit.name;
    }
}

TEST_F(UndoStepTest, AnEditThatChangesLeavesOneStepThatUndoesAllOfIt) {
    const Edit edits[] = {
        {"one element moved", [](TPlatine& b) { b.At(0)->MoveBy(254, 0); }},
        {"several changes",
         [](TPlatine& b) {
             b.Remove(b.At(0));
             b.SetSize(5080, 2540);
             AddPin(b, 2);
         }},
        {"nested steps",
         [](TPlatine& b) {
             {
                 const UndoStep inner(b);
                 EXPECT_FALSE(inner.Records()) << "part of the outer step";
                 AddPin(b, 2);
             }
             const UndoStep second(b);
             b.Remove(b.At(0));
         }},
        {"a command inside an edit",
         [](TPlatine& b) {
             b.SetzeMarkierung(b.At(0), true);
             b.SetzeFraesen(!b.At(0)->Fraesen());
             AddPin(b, 2);
         }},
    };
    for (const Edit& edit : edits) {
        const QByteArray before = FileBytes(board);
        {
            const UndoStep step(board);
            EXPECT_TRUE(step.Records()) << edit.name;
            edit.run(board);
        }
        EXPECT_EQ(board.History().UndoCount(), 1) << edit.name;
        EXPECT_EQ(board.History().RedoCount(), 0) << edit.name << ": a change empties redo";
        EXPECT_TRUE(board.Modified()) << edit.name;
        board.Rueckgaengig();
        EXPECT_EQ(FileBytes(board), before) << edit.name;
        // Back to the fixture's state for the next case: nothing to undo, one state to redo.
        board.SetModified(false);
    }
}

TEST_F(UndoStepTest, AnEditStoppedByAnExceptionCanBeUndoneAsFarAsItCame) {
    struct Case {
        const char* name;
        bool changedFirst;
    };
    for (const Case c : {Case{"stopped after a change", true}, Case{"stopped at once", false}}) {
        const QByteArray before = FileBytes(board);
        EXPECT_THROW(
            {
                const UndoStep step(board);
                if (c.changedFirst)
                    board.Remove(board.At(0));
                throw std::runtime_error("stopped");
            },
            std::runtime_error)
            << c.name;
        EXPECT_EQ(board.History().UndoCount(), c.changedFirst ? 1 : 0) << c.name;
        EXPECT_EQ(board.Modified(), c.changedFirst) << c.name;
        board.Rueckgaengig();
        EXPECT_EQ(FileBytes(board), before) << c.name;
        board.SetModified(false);
    }
}

TEST_F(UndoStepTest, WhileAnEditRunsTheBoardCountsAsModifiedAndUndoable) {
    board.ClearHistory();
    {
        const UndoStep step(board);
        EXPECT_TRUE(board.Modified());
        EXPECT_TRUE(board.KannRueckgaengig());
    }
    EXPECT_FALSE(board.Modified());
    EXPECT_FALSE(board.KannRueckgaengig());
}

TEST_F(UndoStepTest, AStepOpenedAtTheFirstChangeRecordsTheStateFromJustBeforeIt) {
    AddPin(board, 2); // not part of the step: it came before the first change
    const QByteArray before = FileBytes(board);
    {
        UndoStep step(board, UndoStep::Opening::AtFirstChange);
        EXPECT_FALSE(step.Records());
        EXPECT_FALSE(board.Modified()) << "nothing written while it waits";
        step.BeforeChange();
        EXPECT_TRUE(step.Records());
        board.Remove(board.At(0));
        step.BeforeChange();
    }
    EXPECT_EQ(board.History().UndoCount(), 1);
    board.Rueckgaengig();
    EXPECT_EQ(FileBytes(board), before);
}

TEST_F(UndoStepTest, TheModifiedFlagSetOnPurposeInsideAnEditStays) {
    {
        const UndoStep step(board);
        board.SetModified(true);
    }
    EXPECT_TRUE(board.Modified());
    EXPECT_EQ(board.History().UndoCount(), 0);
}

TEST(UndoStepBitmapTest, AStepThatChangedNothingLetsGoOfTheBitmapsItHeld) {
    ViewState view;
    TPlatine board(view);
    TBauteil* element = board.Add(MakeWire(TBauteilTyp::btPolygon, {{0, 0}, {600, 0}, {300, 500}}));
    QImage bitmap(4, 3, QImage::Format_RGB32);
    bitmap.fill(qRgb(10, 20, 30));
    ASSERT_TRUE(element->AdoptFillBitmap(bitmap));
    { const UndoStep nothing(board); }
    {
        const UndoStep step(board);
        board.Remove(element);
    }
    EXPECT_EQ(board.BitmapUsages().Count(), 1u) << "the kept step needs the bitmap";
    board.ClearHistory();
    EXPECT_EQ(board.BitmapUsages().Count(), 0u) << "and nothing else does";
}

TEST(UndoStepLibraryTest, ALibraryPageKeepsNoUndo) {
    ViewState view;
    TBibo page(view);
    {
        const UndoStep step(page);
        EXPECT_FALSE(step.Records());
        AddPin(page, 1);
    }
    EXPECT_FALSE(page.KannRueckgaengig());
    EXPECT_FALSE(page.Modified());
}

// Editing as the window does it: a click or command that changes nothing leaves no undo step.
struct ScriptedEdit {
    const char* name;
    std::function<void(TPlatine&)> make;
    const char* script;
    int steps;
};

TEST(UndoStepScriptTest, OnlyEditsThatChangeTheBoardLeaveAStep) {
    const auto pad = [](TPlatine& b) {
        auto made = std::make_unique<TAuge>();
        made->Centre = {record::MaxCoordinate - 100, 127};
        made->Diameter = 2.0;
        b.Add(std::move(made));
    };
    const auto line = [](TPlatine& b) {
        b.Add(MakeWire(TBauteilTyp::btLine, {{127, 127}, {1143, 127}, {1143, 635}}));
    };
    const ScriptedEdit edits[] = {
        {"the origin set where it is", [](TPlatine&) {}, "tool Ursprung\nclick 0,0", 0},
        {"the origin set elsewhere", [](TPlatine&) {}, "tool Ursprung\nclick 3,2", 1},
        {"a pad nudged past the end of the range", pad, "select 0\nkey Right", 0},
        {"a pad nudged back into the range", pad, "select 0\nkey Left", 1},
        {"a line given the contour it has", line, "select 0\ncommand ContourOriginal", 0},
        {"a line given another contour", line, "select 0\ncommand ContourSpline", 1},
        {"a line set to the milling it has", line, "select 0\ncommand MillNormal", 0},
        {"a click on a line", line, "select none\nclick 2,0", 0},
        {"a line dragged elsewhere", line, "select none\ndown 2,0\nmove 5,0\nup 5,0", 1},
        {"a line dragged and brought back", line,
         "select none\ndown 2,0\nmove 5,0\nmove 2,0\nup 2,0", 0},
        {"a drag given up", line, "select none\ndown 2,0\nmove 5,0\nkey Escape", 0},
        {"undo in the middle of a drag takes back only the drag", line,
         "select 0\ncommand KeyRight\nselect none\ndown 3,0\nmove 6,0\ncommand EditUndo", 1},
    };
    for (const ScriptedEdit& edit : edits) {
        test::ScriptedBoard b;
        edit.make(b.board);
        b.board.SetModified(false);
        const QByteArray before = FileBytes(b.board);
        const std::optional<ScriptError> error = b.Run(QString::fromUtf8(edit.script));
        ASSERT_FALSE(error) << edit.name << ": " << error->Message.toStdString();
        EXPECT_EQ(b.board.History().UndoCount(), edit.steps) << edit.name;
        EXPECT_EQ(b.board.Modified(), edit.steps > 0) << edit.name;
        if (edit.steps == 0)
            EXPECT_EQ(FileBytes(b.board), before) << edit.name;
    }
}

// An undo step whose snapshot does not read back keeps what was read and says so.
TEST(SnapshotDamage, IsReportedNotIgnored) {
    ViewState view;
    TPlatine board(view);
    {
        const UndoStep undo(board);
        board.Add(test::MakeWire(TBauteilTyp::btDraht, {{254, 381}, {1016, 381}}));
        board.Add(test::MakeWire(TBauteilTyp::btDraht, {{254, 635}, {1016, 635}}));
    }
    {
        const UndoStep undo(board);
        board.Add(test::MakeWire(TBauteilTyp::btDraht, {{254, 889}, {1016, 889}}));
    }
    ASSERT_NE(board.History().Newest(), nullptr);
    // Memory going bad stands in for whatever could spoil a snapshot: its end is lost.
    QByteArray& bytes = const_cast<SnapshotStream*>(board.History().Newest())->Bytes;
    bytes.chop(bytes.size() / 3);

    std::vector<QString> reported;
    board.OnSnapshotDamaged = [&](TPlatine& damaged, const StreamError& error) {
        EXPECT_EQ(&damaged, &board);
        reported.push_back(error.Message(Language::English));
    };
    board.Rueckgaengig();
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_FALSE(reported.front().isEmpty());

    // A whole snapshot reads without a word.
    board.Rueckgaengig();
    EXPECT_EQ(reported.size(), 1u);
    EXPECT_EQ(board.Count(), 0);
}

} // namespace
} // namespace karvel
