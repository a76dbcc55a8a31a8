#include "board/Platine.h"
#include "board/tools/ToolManager.h"
#include "board/UndoHistory.h"
#include "elements/Draht.h"
#include "elements/Trenner.h"
#include "elements/XSizer.h"
#include "shell/BoardArea.h"
#include "shell/LibraryPanel.h"
#include "shell/ShellFixture.h"

#include <gtest/gtest.h>
#include <QtCore/QFile>
#include <QtCore/QProcess>
#include <QtTest/QTest>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QTabBar>

namespace karvel {
namespace {

const QColor Copper(207, 172, 3);

// The real window with a small stripboard project open.
class MouseEditingWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QString path = folder.filePath(QStringLiteral("board.rst"));
        ASSERT_EQ(test::WriteStripboardProject(path, {"Board"}), u"");
        ASSERT_TRUE(shown->OpenProjectFile(path));
    }

    QTemporaryDir folder;
    test::ShownWindow shown;
};

// The real window, driven by mouse events as the window system sends them: a wire, a cut and
// an undo, seen on the screen.
TEST_F(MouseEditingWindowTest, AWireAndACutDrawnWithTheMouseShowAndUndo) {
    TPlatine& board = shown.Board();
    BoardControl& control = shown.Control();
    const auto pixel = [&](QPoint p) { return board.BoardToControl(p); };
    const int elements = board.Count();

    ASSERT_TRUE(shown->Action(CommandId::ToolWire).isEnabled());
    shown->Action(CommandId::ToolWire).trigger();
    test::Click(control, pixel(test::Hole(1, 0)));
    test::MouseMove(control, pixel(test::Hole(1, 3)));
    EXPECT_TRUE(control.TemporaryLine()) << "the line follows the mouse while a wire is drawn";
    test::Click(control, pixel(test::Hole(1, 3)));
    ASSERT_EQ(board.Count(), elements + 1);
    auto* wire = dynamic_cast<TDraht*>(board.At(board.Count() - 1));
    ASSERT_TRUE(wire);
    EXPECT_EQ(wire->Nodes, (std::vector<QPoint>{test::Hole(1, 0), test::Hole(1, 3)}));
    EXPECT_FALSE(control.TemporaryLine());
    EXPECT_FALSE(control.PointerConfined());

    shown->Action(CommandId::ToolSplit).trigger();
    const QPoint strip(7 * 254, 2 * 254 + 127);
    test::MouseMove(control, pixel(strip));
    test::Click(control, pixel(strip));
    ASSERT_EQ(board.Count(), elements + 2);
    EXPECT_TRUE(dynamic_cast<TTrenner*>(board.At(0))) << "cuts go lowest";
    EXPECT_NE(shown.Picture().pixelColor(pixel(strip)), Copper) << "the cut shows";

    shown->Action(CommandId::EditUndo).trigger();
    EXPECT_EQ(board.Count(), elements + 1);
    EXPECT_EQ(shown.Picture().pixelColor(pixel(strip)), Copper) << "undo takes the cut away";
    shown->Action(CommandId::EditUndo).trigger();
    EXPECT_EQ(board.Count(), elements);
}

// Undo in the middle of a wire (Alt+Backspace) ends the wire as Escape does and takes back
// only that; the tool draws on afterwards.
TEST_F(MouseEditingWindowTest, UndoInTheMiddleOfAWireTakesBackOnlyTheWire) {
    TPlatine& board = shown.Board();
    BoardControl& control = shown.Control();
    const auto pixel = [&](QPoint p) { return board.BoardToControl(p); };
    const int elements = board.Count();
    EXPECT_EQ(shown->Action(CommandId::EditUndo).shortcut(),
              QKeySequence(Qt::ALT | Qt::Key_Backspace));

    shown->Action(CommandId::ToolWire).trigger();
    test::Click(control, pixel(test::Hole(1, 0)));
    test::MouseMove(control, pixel(test::Hole(1, 3)));
    ASSERT_EQ(board.Count(), elements + 1);
    ASSERT_TRUE(shown->Action(CommandId::EditUndo).isEnabled());
    shown->Action(CommandId::EditUndo).trigger();
    EXPECT_EQ(board.Count(), elements);
    EXPECT_FALSE(control.TemporaryLine());
    EXPECT_FALSE(control.PointerConfined());
    EXPECT_FALSE(board.Modified()) << "nothing is left to save";
    EXPECT_FALSE(shown->Action(CommandId::EditUndo).isEnabled());

    test::MouseMove(control, pixel(test::Hole(4, 3)));
    test::Click(control, pixel(test::Hole(4, 3)));
    test::Click(control, pixel(test::Hole(6, 3)));
    ASSERT_EQ(board.Count(), elements + 1);
    auto* wire = dynamic_cast<TDraht*>(board.At(board.Count() - 1));
    ASSERT_TRUE(wire);
    EXPECT_EQ(wire->Nodes, (std::vector<QPoint>{test::Hole(4, 3), test::Hole(6, 3)}));
}

// The status bar stands from the start: the first mouse move names the hole under the pointer,
// counted from the origin marker, and does not push the board up to make room.
TEST_F(MouseEditingWindowTest, TheFirstMouseMoveNamesTheHoleAndLeavesTheBoardWhereItIs) {
    TPlatine& board = shown.Board();
    board.SetUrsprung(test::Hole(1, 1));
    BoardControl& control = shown.Control();
    QApplication::processEvents();
    const QWidget& view = *control.parentWidget();
    const QSize before = view.size();
    test::MouseMove(control, board.BoardToControl(test::Hole(4, 3)));
    QApplication::processEvents();
    EXPECT_EQ(view.size(), before);
    const auto* hole = shown->findChild<QLabel*>(QStringLiteral("HoleUnderPointer"));
    ASSERT_TRUE(hole);
    EXPECT_EQ(hole->text(), QStringLiteral("Loch 3, 2"));
}

// The board properties fit a new size into the window; undo and redo fit the size they bring
// back.
TEST_F(MouseEditingWindowTest, UndoingANewBoardSizeFitsTheBoardItBringsBack) {
    TPlatine& board = shown.Board();
    board.FitBoard();
    const double fitted = board.Zoom();
    shown.dialogs->nextProperties =
        BoardPropertiesText{QStringLiteral("Size"), QStringLiteral("0"), QStringLiteral("0"),
                            QStringLiteral("0"), QStringLiteral("0")};
    shown->Action(CommandId::BoardProperties).trigger();
    const double tiny = board.Zoom();
    ASSERT_GT(tiny, fitted * 3);
    shown->Action(CommandId::EditUndo).trigger();
    EXPECT_DOUBLE_EQ(board.Zoom(), fitted);
    shown->Action(CommandId::EditRedo).trigger();
    EXPECT_DOUBLE_EQ(board.Zoom(), tiny);
}

// Keys and menu commands that move or change the selection leave the handles around it where
// it now lies, not where it was.
TEST_F(MouseEditingWindowTest, HandlesFollowTheSelectionThroughKeysAndCommands) {
    TPlatine& board = shown.Board();
    BoardControl& control = shown.Control();
    const auto pixel = [&](QPoint p) { return board.BoardToControl(p); };
    shown->Action(CommandId::ToolWire).trigger();
    test::Click(control, pixel(test::Hole(2, 0)));
    test::Click(control, pixel(test::Hole(2, 2)));
    auto* wire = dynamic_cast<TDraht*>(board.At(board.Count() - 1));
    ASSERT_TRUE(wire);
    shown->Action(CommandId::ToolStandard).trigger();
    test::Click(control, pixel(test::Hole(2, 1)));
    ASSERT_TRUE(wire->IstMarkiert());
    ASSERT_TRUE(control.Editor().Handles());
    const Rect before = control.Editor().Handles()->Frame;

    const struct {
        CommandId command;
        QPoint shift;
    } steps[] = {{CommandId::KeyDown, {0, 254}}, {CommandId::KeyRight, {254, 254}}};
    for (const auto& step : steps) {
        shown->Action(step.command).trigger();
        ASSERT_TRUE(control.Editor().Handles());
        const Rect now = control.Editor().Handles()->Frame;
        EXPECT_EQ(QPoint(now.Left - before.Left, now.Top - before.Top), step.shift);
        EXPECT_EQ(now.Right - now.Left, before.Right - before.Left);
    }

    // Select all frames everything, the wire and the text label beside it.
    shown->Action(CommandId::EditSelectAll).trigger();
    ASSERT_GT(board.AnzahlMarkierte(), 1);
    ASSERT_TRUE(control.Editor().Handles());
    EXPECT_GT(control.Editor().Handles()->Frame.Right - control.Editor().Handles()->Frame.Left,
              before.Right - before.Left);
}

// Escape, pressed as the keyboard does, reaches the board wherever the focus is in the window:
// it ends a wire being drawn, and in the select tool it clears the selection.
TEST_F(MouseEditingWindowTest, EscapeReachesTheBoardWhereverTheFocusIs) {
    TPlatine& board = shown.Board();
    BoardControl& control = shown.Control();
    const auto pixel = [&](QPoint p) { return board.BoardToControl(p); };
    const struct {
        const char* name;
        std::function<QWidget*()> widget;
    } targets[] = {
        {"board", [&] { return static_cast<QWidget*>(&control); }},
        {"window's focus sink", [&] { return &shown->Area().FocusSink(); }},
        {"pen width list", [&] { return static_cast<QWidget*>(&shown->PenWidths()); }},
        {"contour field", [&] { return static_cast<QWidget*>(&shown->ContourAmount()); }},
        {"library's page list",
         [&] { return static_cast<QWidget*>(shown->Library().findChild<QComboBox*>()); }},
        {"tab row", [&] { return static_cast<QWidget*>(&shown->Area().Tabs()); }},
    };
    const int elements = board.Count();
    for (const auto& target : targets) {
        shown->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(shown.window.get()));
        // The key goes where the focus would send it; a disabled field cannot hold the focus
        // but still gets no say over Escape.
        QWidget* widget = target.widget();
        ASSERT_NE(widget, nullptr) << target.name;
        const auto escape = [&] {
            widget->setFocus(Qt::OtherFocusReason);
            QApplication::processEvents();
            QTest::keyClick(widget, Qt::Key_Escape);
        };

        shown->Action(CommandId::ToolWire).trigger();
        test::Click(control, pixel(test::Hole(1, 0)));
        test::MouseMove(control, pixel(test::Hole(1, 3)));
        ASSERT_TRUE(control.TemporaryLine()) << target.name;
        escape();
        EXPECT_FALSE(control.TemporaryLine()) << target.name << ": the wire ends";
        EXPECT_FALSE(control.PointerConfined()) << target.name;
        EXPECT_FALSE(control.Editor().Busy()) << target.name;
        EXPECT_EQ(board.Count(), elements) << target.name << ": no wire is left behind";

        shown->Action(CommandId::ToolStandard).trigger();
        board.SetzeMarkierung(board.At(0), true);
        shown->DoMenues();
        escape();
        EXPECT_EQ(board.CountSelected(), 0) << target.name << ": the selection is cleared";
    }
}

// A tool drawn with through the window and the same steps in an edit script give the same
// stored file: the tool's start (colour, width) is the tool's, not the window's.
struct DrawnTool {
    const char* Name;
    CommandId Button;
    const char* ScriptTool;
    std::vector<QPoint> Holes;
};

void PrintTo(const DrawnTool& c, std::ostream* os) {
    *os << c.Name;
}

class SameFileFromWindowAndScriptTest : public ::testing::TestWithParam<DrawnTool> {};

TEST_P(SameFileFromWindowAndScriptTest, SavesByteForByte) {
    const DrawnTool& c = GetParam();
    QTemporaryDir folder;
    const QString start = folder.filePath(QStringLiteral("start.rst"));
    ASSERT_EQ(test::WriteStripboardProject(start, {"Board"}), u"");

    QString script = QStringLiteral("tool %1\n").arg(QLatin1String(c.ScriptTool));
    for (const QPoint hole : c.Holes)
        script += QStringLiteral("click %1,%2\n").arg(hole.x()).arg(hole.y());
    const QString scripted = folder.filePath(QStringLiteral("scripted.rst"));
    QProcess tool;
    tool.start(QStringLiteral(KARVEL_TOOL_PATH), {QStringLiteral("edit"), start, scripted});
    tool.write(script.toUtf8());
    tool.closeWriteChannel();
    ASSERT_TRUE(tool.waitForFinished(60000));
    ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();

    const QString drawn = folder.filePath(QStringLiteral("drawn.rst"));
    ASSERT_TRUE(QFile::copy(start, drawn));
    test::ShownWindow shown;
    ASSERT_TRUE(shown->OpenProjectFile(drawn));
    TPlatine& board = shown.Board();
    shown->Action(c.Button).trigger();
    for (const QPoint hole : c.Holes) {
        const QPoint at = board.BoardToControl(test::Hole(hole.x(), hole.y()));
        test::MouseMove(shown.Control(), at);
        test::Click(shown.Control(), at);
    }
    ASSERT_TRUE(shown->SaveProject(false));

    QFile a(scripted);
    QFile b(drawn);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly));
    ASSERT_TRUE(b.open(QIODevice::ReadOnly));
    const QByteArray fromScript = a.readAll();
    const QByteArray fromWindow = b.readAll();
    QFile original(start);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    EXPECT_NE(fromWindow, original.readAll()) << "the window drew something";
    EXPECT_EQ(fromWindow.toHex().toStdString(), fromScript.toHex().toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Tools, SameFileFromWindowAndScriptTest,
    ::testing::Values(DrawnTool{"Wire", CommandId::ToolWire, "Draht", {{2, 2}, {6, 2}}},
                      DrawnTool{"Lead", CommandId::ToolLead, "Anschluss", {{1, 3}, {5, 1}}},
                      DrawnTool{"Pin", CommandId::ToolPin, "Pin", {{7, 2}}}),
    [](const ::testing::TestParamInfo<DrawnTool>& info) { return std::string(info.param.Name); });

// Grabbing the end of a selected wire in the select tool draws the wire on; once it ends, the
// select tool is back, as it is for an edit script.
TEST_F(MouseEditingWindowTest, AWireContinuedFromTheSelectToolEndsBackInTheSelectTool) {
    TPlatine& board = shown.Board();
    BoardControl& control = shown.Control();
    const auto pixel = [&](QPoint p) { return board.BoardToControl(p); };
    shown->Action(CommandId::ToolWire).trigger();
    test::Click(control, pixel(test::Hole(2, 2)));
    test::Click(control, pixel(test::Hole(6, 2)));
    shown->Action(CommandId::ToolStandard).trigger();
    auto* wire = dynamic_cast<TDraht*>(board.At(board.Count() - 1));
    ASSERT_TRUE(wire);
    ASSERT_TRUE(wire->IstMarkiert());

    test::Click(control, pixel(test::Hole(6, 2)));
    EXPECT_EQ(board.Modus(), TPlatinenModus::pm_Draht);
    test::MouseMove(control, pixel(test::Hole(8, 3)));
    test::Click(control, pixel(test::Hole(8, 3)));
    EXPECT_EQ(wire->Nodes, (std::vector<QPoint>{test::Hole(2, 2), test::Hole(8, 3)}));
    EXPECT_EQ(board.Modus(), TPlatinenModus::pm_Standard);
    EXPECT_TRUE(shown->Action(CommandId::ToolStandard).isChecked());
}

} // namespace
} // namespace karvel
