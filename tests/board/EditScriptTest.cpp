#include "board/EditScript.h"
#include "board/ElementClipboard.h"
#include "board/Platine.h"
#include "board/UndoHistory.h"
#include "elements/Draht.h"
#include "elements/Gruppe.h"
#include "elements/Leiterbahn.h"
#include "elements/Trenner.h"
#include "support/RecordBytes.h"
#include "support/SampleBoard.h"
#include "support/ScriptedBoard.h"

#include <gtest/gtest.h>
#include <random>

namespace karvel {
namespace {

using test::ScriptedBoard;

TEST(EditScriptTest, FaultyLinesAreRefusedWithTheirLineNumbersBeforeAnythingRuns) {
    struct Case {
        const char* script;
        int line;
        const char* message;
        const char* german;
    };
    const Case cases[] = {
        {"select all\nfrobnicate\n", 2, "not a script line", "keine Skriptzeile"},
        {"# comment\n\ncommand EditUnndo", 3, "unknown command", "unbekannter Befehl"},
        {"pen 0.4 red", 1, "#rrggbb", "Farbe"},
        {"pen 99 #ff0000", 1, "0 to 10 mm", "Stiftbreite"},
        {"answer id", 1, "KEY=VALUE", "SCHLÜSSEL=WERT"},
        {"tool Hammer", 1, "unknown tool", "unbekanntes Werkzeug"},
        {"click 3", 1, "COLUMN,ROW", "SPALTE,ZEILE"},
        {"click 3,4 twice", 1, "after the position", "nach der Position"},
        {"key F5", 1, "unknown key", "unbekannte Taste"},
        {"key Left right", 1, "after the key", "nach der Taste"},
        {"tool Auge\nclick nan,1", 2, "finite numbers", "endliche Zahlen"},
        {"move 1,inf", 1, "finite numbers", "endliche Zahlen"},
        {"down -inf,0", 1, "finite numbers", "endliche Zahlen"},
        {"tool BohrAuge\nclick 0,4000", 2, "10,000 mm", "10.000 mm"},
        {"click 3937.01,0", 1, "10,000 mm", "10.000 mm"},
        {"up 0,3937", 1, "10,000 mm", "10.000 mm"},
        {"click -3938,0", 1, "10,000 mm", "10.000 mm"},
    };
    for (const Case& c : cases) {
        ScriptedBoard b;
        b.board.Add(test::MakeWire(TBauteilTyp::btLine, {{0, 0}, {254, 0}}))->SetIstMarkiert(false);
        const std::optional<ScriptError> error = b.Run(QString::fromUtf8(c.script));
        ASSERT_TRUE(error) << c.script;
        EXPECT_EQ(error->Line, c.line) << c.script;
        EXPECT_TRUE(error->Text(Language::English).contains(QLatin1String(c.message)))
            << error->Message.toStdString();
        EXPECT_TRUE(error->Text(Language::German).contains(QString::fromUtf8(c.german)))
            << error->German.toStdString();
        EXPECT_EQ(b.board.AnzahlMarkierte(), 0) << "nothing ran: " << c.script;
    }
}

TEST(EditScriptTest, RunTimeErrorsNameTheCommandAndTheLine) {
    struct Case {
        const char* script;
        int line;
        const char* message;
        const char* german;
    };
    const Case cases[] = {
        {"select 7", 1, "no element", "kein Element"},
        {"command FileOpen", 1, "needs the program's window", "braucht das Programmfenster"},
        {"select none\ncommand ArrangeGroup", 2, "not available", "nicht verfügbar"},
        {"select all\ncommand ComponentBuild", 2, "no answer is queued", "keine Antwort"},
        {"answer id=R#", 1, "never asked", "nie abgefragt"},
        {"command EditUndo", 1, "not available", "nicht verfügbar"},
        {"command EditRedo", 1, "not available", "nicht verfügbar"},
    };
    for (const Case& c : cases) {
        ScriptedBoard b;
        b.board.Add(test::MakeWire(TBauteilTyp::btLine, {{0, 0}, {254, 0}}));
        b.board.Add(test::MakeWire(TBauteilTyp::btLine, {{0, 254}, {254, 254}}));
        const std::optional<ScriptError> error = b.Run(QString::fromUtf8(c.script));
        ASSERT_TRUE(error) << c.script;
        EXPECT_EQ(error->Line, c.line) << c.script;
        EXPECT_TRUE(error->Text(Language::English).contains(QLatin1String(c.message)))
            << error->Message.toStdString();
        EXPECT_TRUE(error->Text(Language::German).contains(QString::fromUtf8(c.german)))
            << error->German.toStdString();
    }
}

TEST(EditScriptTest, BuildsAComponentFromTheAnswersAndUndoesIt) {
    ScriptedBoard b;
    b.board.Add(test::MakeResistor());
    b.board.Add(test::MakeWire(TBauteilTyp::btLine, {{0, 0}, {254, 0}}));
    b.board.Add(test::MakeWire(TBauteilTyp::btLine, {{0, 254}, {254, 254}}));
    const std::optional<ScriptError> error =
        b.Run(QStringLiteral("select none\nselect 1\nselect 2   # the two lines\n"
                             "answer id=R# value=10k description=Metal\ncommand ComponentBuild\n"
                             "pen 0.2 #102030\n"));
    ASSERT_FALSE(error) << error->Message.toStdString();
    ASSERT_EQ(b.board.Count(), 2);
    const auto* built = dynamic_cast<TGruppe*>(b.board.At(1));
    ASSERT_NE(built, nullptr);
    EXPECT_EQ(built->IdentifierText(), QStringLiteral("R4")) << "after the sample's R3";
    EXPECT_EQ(built->Value, QStringLiteral("10k"));
    EXPECT_EQ(built->Stiftfarbe(), RgbColour(0x10, 0x20, 0x30));
    EXPECT_EQ(b.board.History().UndoCount(), 2) << "the pen line is one step";
    ASSERT_FALSE(b.Run(QStringLiteral("command EditUndo\ncommand EditUndo")));
    EXPECT_EQ(b.board.Count(), 3);
}

// Any sequence of edits, undone to the start, gives back the start's bytes; redone, the end's.
TEST(EditScriptTest, RandomEditsUndoAndRedoToTheSameBytes) {
    const char* const commands[] = {
        "EditDelete",        "EditCopy",      "EditPaste",    "EditDuplicate",  "EditRotate",
        "ArrangeToFront",    "ArrangeToBack", "ArrangeGroup", "ArrangeUngroup", "ComponentSplit",
        "ComponentRenumber", "AlignLeft",     "AlignBottom",  "KeyLeft",        "KeyFineDown",
        "ContourSpline",     "MillMilled",    "FillToggle",   "EditCut"};
    for (unsigned seed = 1; seed <= 4; ++seed) {
        ScriptedBoard b;
        b.view.UndoDepth = 50;
        test::FillSampleBoard(b.board);
        b.board.MarkiereAlle(false);
        const QByteArray start = test::WriteBoard(b.board, StreamPurpose::File);
        std::mt19937 random(seed);
        // Refusals and edits that change nothing leave no step: the walk is long enough for
        // several real changes, and short enough for the history to hold them all.
        int steps = 0;
        for (int i = 0; i < 80; ++i) {
            b.board.Drag() = {};
            b.board.SetModus(TPlatinenModus::pm_Standard);
            QString line;
            switch (random() % 4) {
            case 0:
                line = QStringLiteral("select none");
                break;
            case 1:
                line = QStringLiteral("select %1").arg(random() % std::max(b.board.Count(), 1));
                break;
            case 2:
                line = QStringLiteral("pen 0.%1 #%2a0b0").arg(random() % 9).arg(random() % 90 + 10);
                break;
            default:
                line = QStringLiteral("command ") +
                       QString::fromLatin1(commands[random() % std::size(commands)]);
            }
            const int before = b.board.History().UndoCount();
            b.Run(line); // refusals are part of a random walk
            steps += b.board.History().UndoCount() - before;
        }
        b.board.Drag() = {};
        const QByteArray end = test::WriteBoard(b.board, StreamPurpose::File);
        ASSERT_LE(b.board.History().UndoCount(), 50);
        while (b.board.KannRueckgaengig())
            b.board.Rueckgaengig();
        EXPECT_EQ(test::WriteBoard(b.board, StreamPurpose::File), start) << "seed " << seed;
        while (b.board.KannWiederherstellen())
            b.board.Wiederherstellen();
        EXPECT_EQ(test::WriteBoard(b.board, StreamPurpose::File), end) << "seed " << seed;
        EXPECT_GT(steps, 5) << "the walk changed the board, seed " << seed;
    }
}

} // namespace
} // namespace karvel

namespace karvel {
namespace {

TEST(EditScriptTest, MouseLinesDrawAsTheMouseDoes) {
    ScriptedBoard b;
    b.board.SetSize(10 * 254, 5 * 254);
    auto strip = std::make_unique<TLeiterbahn>();
    strip->Nodes = {{0, 2 * 254 + 127}, {10 * 254, 2 * 254 + 127}};
    strip->SetStiftbreite(100);
    strip->RebuildOutline();
    b.board.Layout()->Add(std::move(strip));
    const std::optional<ScriptError> error = b.Run(QStringLiteral("tool Draht\n"
                                                                  "click 1,1\n"
                                                                  "click 1,3 ctrl\n"
                                                                  "click 4,3\n"
                                                                  "tool Trenner\n"
                                                                  "click 6,2\n"
                                                                  "tool Standard\n"
                                                                  "down 1,2\n"
                                                                  "move 2,2.2\n"
                                                                  "up 2,2.2\n"
                                                                  "key Escape\n"));
    ASSERT_FALSE(error) << error->Message.toStdString();
    ASSERT_EQ(b.board.Count(), 2);
    auto* wire = dynamic_cast<TDraht*>(b.board.At(1));
    ASSERT_TRUE(wire);
    EXPECT_EQ(wire->Nodes, (std::vector<QPoint>{{508, 381}, {508, 889}, {1270, 889}}))
        << "dragged by one pitch; a fifth of a row is no step";
    EXPECT_TRUE(dynamic_cast<TTrenner*>(b.board.At(0)));
    EXPECT_EQ(b.board.CountSelected(), 0);
}

// A wire dragged with one end off the board and then nudged ended with the anchors
// (8, 1) and (-2, -1): the arrow key shifted the "no hole" marker into a made-up hole.
TEST(EditScriptTest, NudgingAfterAMouseMoveKeepsAFreeEndFree) {
    ScriptedBoard b;
    b.board.SetSize(10 * 254, 5 * 254);
    const std::optional<ScriptError> error = b.Run(QStringLiteral("tool Draht\n"
                                                                  "click 5,1\n"
                                                                  "click 8,1\n"
                                                                  "tool Standard\n"
                                                                  "down 6.5,1\n"
                                                                  "move 10.5,1\n"
                                                                  "up 10.5,1\n"
                                                                  "key Left\n"));
    ASSERT_FALSE(error) << error->Message.toStdString();
    ASSERT_EQ(b.board.Count(), 1);
    auto* wire = dynamic_cast<TDraht*>(b.board.At(0));
    ASSERT_TRUE(wire);
    EXPECT_EQ(wire->Nodes, (std::vector<QPoint>{{8 * 254, 381}, {11 * 254, 381}}))
        << "moved four pitches right, then one back";
    EXPECT_EQ(wire->Anchors, (std::vector<QPoint>{{8, 1}, NoHoleAnchor}))
        << "the second end lies past the board's last column";
}

TEST(EditScriptTest, FaultyMouseLinesAreRefused) {
    for (const char* line :
         {"tool Wire", "click 1", "down 1,x", "up 1,2 middle", "key F5", "move 9999,1"}) {
        EditScript script;
        const std::optional<ScriptError> error = EditScript::Parse(QString::fromUtf8(line), script);
        EXPECT_TRUE(error) << line;
    }
}

} // namespace
} // namespace karvel

namespace karvel {
namespace {

// A script that stops in the middle of drawing leaves the board as Escape would: nothing half
// drawn is kept, and no undo step.
TEST(EditScriptTest, AScriptEndingInTheMiddleOfDrawingCancelsIt) {
    const char* const scripts[] = {
        "tool Draht\nclick 24,16\n",
        "tool Draht\nclick 2,2\nclick 2,5 ctrl\n",
        "tool Anschluss\nclick 3,3\n",
        "tool Linie\nclick 1,1\nclick 4,1\n",
        "tool Polygon\nclick 1,1\nclick 4,1\nclick 4,4\n",
        "tool Kreis\nclick 5,5\nmove 6,6\n",
        "tool Rechteck\nclick 5,5\nmove 8,8\n",
        "tool Leiterbahn\nclick 2,2\nmove 6,2\n",
        "tool Standard\ndown 10,1\nmove 12,3\n",
    };
    for (const char* text : scripts) {
        ScriptedBoard b;
        b.board.Add(test::MakeWire(TBauteilTyp::btLine, {{0, 0}, {254, 0}}))->SetIstMarkiert(false);
        const QByteArray before = test::WriteBoard(b.board, StreamPurpose::File);
        const std::optional<ScriptError> error = b.Run(QString::fromUtf8(text));
        ASSERT_FALSE(error) << text << error->Message.toStdString();
        EXPECT_EQ(test::WriteBoard(b.board, StreamPurpose::File), before) << text;
        EXPECT_FALSE(b.board.KannRueckgaengig()) << text;
        EXPECT_FALSE(b.board.Modified()) << text;
        EXPECT_FALSE(b.board.CursorCaptured()) << text;
    }
}

// Keys the board does not take run as the window's commands: in the middle of drawing they
// end it first, and outside the select tool Delete deletes nothing, as in the window.
TEST(EditScriptTest, KeysRunAsCommandsAndEndWhatIsBeingDrawnFirst) {
    struct Case {
        const char* script;
        int elements; // of the one line the board starts with
        int undoSteps;
    };
    const Case cases[] = {
        {"tool Polygon\nclick 15,14\nkey Delete\nclick 4,4\nkey Escape\n", 1, 0},
        {"tool Linie\nclick 15,14\nclick 16,14\nkey Delete\nclick 4,4\nkey Escape\n", 1, 0},
        {"tool Leiterbahn\nclick 15,14\nkey Delete\nclick 4,4\nkey Escape\n", 1, 0},
        {"tool Anschluss\nclick 15,14\nkey Delete\nclick 4,4\nkey Escape\n", 1, 0},
        {"tool Draht\nclick 15,14\nkey Space\nkey Left\nkey Delete\nclick 4,4\nkey Escape\n", 1, 0},
        {"tool Draht\nclick 2,15\ncommand EditUndo\nmove 5,15\nclick 5,15\n", 1, 0},
        {"select 0\nkey Delete\n", 0, 1},
    };
    for (const Case& c : cases) {
        ScriptedBoard b;
        b.board.Add(test::MakeWire(TBauteilTyp::btLine, {{0, 0}, {254, 0}}))->SetIstMarkiert(false);
        const std::optional<ScriptError> error = b.Run(QString::fromUtf8(c.script));
        ASSERT_FALSE(error) << c.script << error->Message.toStdString();
        EXPECT_EQ(b.board.Count(), c.elements) << c.script;
        EXPECT_EQ(b.board.History().UndoCount(), c.undoSteps) << c.script;
    }
}

// The contour buttons smooth the selected contours: the original contour keeps the amount it
// had, a spline takes none, a chamfer and a rounding take the board's contour amount.
TEST(EditScriptTest, ContourCommandsSmoothTheSelectedContours) {
    struct Case {
        const char* command;
        bool smoothed;
        TGlaettenStil style;
        double amount;
    };
    constexpr double Before = 7.0;
    const Case cases[] = {
        {"ContourOriginal", false, TGlaettenStil::glFase, Before},
        {"ContourSpline", true, TGlaettenStil::glSpline, Before},
        {"ContourChamfer", true, TGlaettenStil::glFase, 50.0},
        {"ContourRounding", true, TGlaettenStil::glRundung, 50.0},
    };
    for (const Case& c : cases) {
        ScriptedBoard b;
        b.board.ContourAmount = 0.5;
        TBauteil* rectangle = b.board.Add(
            test::MakeWire(TBauteilTyp::btRect, {{0, 0}, {508, 0}, {508, 254}, {0, 254}}));
        rectangle->SetIstMarkiert(false);
        rectangle->SetGlaetten(true);
        rectangle->SetGlaettenStil(TGlaettenStil::glFase);
        rectangle->SetGlaettenBetrag(Before);
        const QString script = QStringLiteral("select all\ncommand %1\n").arg(c.command);
        const std::optional<ScriptError> error = b.Run(script);
        ASSERT_FALSE(error) << c.command << error->Message.toStdString();
        EXPECT_EQ(rectangle->Glaetten(), c.smoothed) << c.command;
        EXPECT_EQ(rectangle->GlaettenStil(), c.style) << c.command;
        EXPECT_DOUBLE_EQ(rectangle->GlaettenBetrag(), c.amount) << c.command;
        EXPECT_EQ(b.board.History().UndoCount(), 1) << c.command;
    }
}

} // namespace
} // namespace karvel
