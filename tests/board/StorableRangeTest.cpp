// The coordinate range a file can hold binds the reader, the writer and every edit: elements at
// its edges are written and read back, a save that would write beyond it fails and keeps the
// old file, and no edit takes anything past it.

#include "board/StorableRange.h"
#include "board/EditScript.h"
#include "board/ElementClipboard.h"
#include "board/Platine.h"
#include "board/ProjectFile.h"
#include "board/tools/ToolManager.h"
#include "board/UndoHistory.h"
#include "stream/RecordIO.h"
#include "stream/StoreError.h"
#include "support/FakeHost.h"
#include "support/RecordBytes.h"
#include "support/RecordingToolHost.h"
#include "support/SampleBoard.h"
#include "support/ScriptedBoard.h"

#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>

namespace karvel {
namespace {

using test::RecordingToolHost;

constexpr int Max = record::MaxCoordinate;
constexpr int Pitch = HolePitch;

std::vector<TBauteil*> AllElements(const TPlatine& board) {
    std::vector<TBauteil*> all;
    for (const auto& element : board.Bauteile())
        all.push_back(element.get());
    return all;
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Saves the board as a project and reads it back; the read board's bytes, or a failure.
struct RoundTrip {
    QString SaveError;
    std::optional<StreamError> ReadError;
    QByteArray ReadBack;
};

RoundTrip SaveAndRead(TPlatine& board) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("range.rst"));
    RoundTrip trip;
    trip.SaveError = SaveProjectFile(path, {&board});
    if (!trip.SaveError.isEmpty())
        return trip;
    ViewState view;
    ProjectLoad load = ReadProjectFile(path, view);
    trip.ReadError = load.Error;
    if (!load.Boards.empty())
        trip.ReadBack = test::WriteBoard(*load.Boards.front(), StreamPurpose::File);
    return trip;
}

std::unique_ptr<TAuge> MakePad(QPoint centre, double diameter = 2.0) {
    auto pad = std::make_unique<TAuge>();
    pad->Centre = centre;
    pad->Diameter = diameter;
    return pad;
}

std::unique_ptr<TTextLabel> MakeLabel(QPoint position) {
    auto label = std::make_unique<TTextLabel>(Language::German);
    label->Position = position;
    label->RememberedPosition = position;
    label->SetTextString(QStringLiteral("Rand"));
    return label;
}

std::unique_ptr<TTrenner> MakeCut(Rect r) {
    auto cut = std::make_unique<TTrenner>();
    cut->BauteilTyp = TBauteilTyp::btTrenner;
    cut->CutRect = r;
    return cut;
}

struct EdgeCase {
    const char* what;
    std::function<void(TPlatine&)> make;
};

TEST(StorableRangeTest, ElementsAtTheEdgesOfTheRangeAreWrittenAndReadBack) {
    const EdgeCase cases[] = {
        {"a pad in the top right corner",
         [](TPlatine& b) {
             b.Add(MakePad({Max, -Max}));
         }},
        {"a drilling in the bottom left corner",
         [](TPlatine& b) {
             auto drilling = std::make_unique<TBohrung>();
             drilling->Centre = {-Max, Max};
             drilling->Diameter = 0.8;
             b.Add(std::move(drilling));
         }},
        {"a wire across the whole range",
         [](TPlatine& b) {
             b.Add(test::MakeWire(TBauteilTyp::btDraht, {{-Max, -Max}, {Max, Max}}));
         }},
        {"a text label in the bottom right corner",
         [](TPlatine& b) {
             b.Add(MakeLabel({Max, Max}));
         }},
        {"a strip cut over the whole range",
         [](TPlatine& b) {
             b.Add(MakeCut({-Max, -Max, Max, Max}));
         }},
        {"the origin marker and the board's offset at the edges",
         [](TPlatine& b) {
             b.SetUrsprung({-Max, Max});
             b.SetNullpunkt({Max - 1000, -Max});
             b.SetSize(1000, 1000);
         }},
        {"a pad of the layout in a corner",
         [](TPlatine& b) {
             b.Layout()->Add(MakePad({-Max, -Max}));
         }},
    };
    for (const EdgeCase& c : cases) {
        ViewState view;
        TPlatine board(view);
        c.make(board);
        const RoundTrip trip = SaveAndRead(board);
        ASSERT_TRUE(trip.SaveError.isEmpty()) << c.what << ": " << trip.SaveError.toStdString();
        EXPECT_FALSE(trip.ReadError) << c.what << ": " << trip.ReadError->what();
        EXPECT_EQ(trip.ReadBack, test::WriteBoard(board, StreamPurpose::File)) << c.what;
    }
}

struct RefusedCase {
    const char* what;
    std::function<void(TPlatine&)> spoil;
    const char* english;
    const char* german;
};

TEST(StorableRangeTest, ASaveThatWouldWriteWhatItsReaderRefusesFailsAndKeepsTheOldFile) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const RefusedCase cases[] = {
        {"a pad just beyond the right edge",
         [](TPlatine& b) {
             b.Add(MakePad({Max + 1, 127}));
         },
         "10,000 mm", "10.000 mm"},
        {"a wire node above the range",
         [](TPlatine& b) {
             b.Add(test::MakeWire(TBauteilTyp::btDraht, {{0, 0}, {0, -Max - 1}}));
         },
         "-10000.01 mm", "-10000,01 mm"},
        {"a label below the range",
         [](TPlatine& b) {
             b.Add(MakeLabel({0, Max + 254}));
         },
         "10002.54 mm", "10002,54 mm"},
        {"a strip cut left of the range",
         [](TPlatine& b) {
             b.Add(MakeCut({-Max - 1, 0, 10, 10}));
         },
         "10,000 mm", "10.000 mm"},
        {"the origin marker beyond the range",
         [](TPlatine& b) {
             b.SetUrsprung({2 * Max, 127});
         },
         "20000.00 mm", "20000,00 mm"},
        {"a pad of the layout beyond the range",
         [](TPlatine& b) {
             b.Layout()->Add(MakePad({0, -2 * Max}));
         },
         "10,000 mm", "10.000 mm"},
        {"a label turned by no number",
         [=](TPlatine& b) {
             auto label = MakeLabel({0, 0});
             label->Angle = nan;
             b.Add(std::move(label));
         },
         "not a finite number", "keine endliche Zahl"},
        {"a pad of infinite diameter",
         [=](TPlatine& b) {
             b.Add(MakePad({0, 127}, inf));
         },
         "not a finite number", "keine endliche Zahl"},
        {"a pad wider than a metre",
         [](TPlatine& b) {
             b.Add(MakePad({0, 127}, 1500.0));
         },
         "A diameter of 1500.00 mm", "Ein Durchmesser von 1500,00 mm"},
        {"a smoothing amount of no number",
         [=](TPlatine& b) {
             auto line = test::MakeWire(TBauteilTyp::btLine, {{0, 0}, {254, 0}});
             line->SetGlaettenBetrag(-inf);
             b.Add(std::move(line));
         },
         "not a finite number", "keine endliche Zahl"},
        {"a board wider than a metre", [](TPlatine& b) { b.SetSize(record::MaxExtent + 1, 100); },
         "board size 1000.01 mm", "Platinengröße 1000,01 mm"},
    };
    for (const Language language : {Language::English, Language::German}) {
        for (const RefusedCase& c : cases) {
            QTemporaryDir folder;
            const QString path = folder.filePath(QStringLiteral("kept.rst"));
            ViewState view;
            view.Sprache = language;
            TPlatine board(view);
            test::FillSampleBoard(board);
            ASSERT_EQ(SaveProjectFile(path, {&board}), u"");
            const QByteArray old = FileBytes(path);
            c.spoil(board);
            const QString error = SaveProjectFile(path, {&board});
            const char* expected = UsesEnglish(language) ? c.english : c.german;
            EXPECT_TRUE(error.contains(QString::fromUtf8(expected)))
                << c.what << ": " << error.toStdString();
            EXPECT_TRUE(error.contains(UsesEnglish(language)
                                           ? QStringLiteral("nothing was written")
                                           : QStringLiteral("wurde nichts geschrieben")))
                << c.what << ": " << error.toStdString();
            EXPECT_EQ(FileBytes(path), old) << c.what << ": the old file stays";
            EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"kept.rst"})
                << c.what << ": no temporary file is left";
        }
    }
}

// Undo snapshots and the clipboard are written in the middle of editing: they never refuse.
TEST(StorableRangeTest, StreamsInMemoryWriteWhatAFileWouldRefuse) {
    ViewState view;
    TPlatine board(view);
    board.Add(MakePad({Max + 1, 127}));
    EXPECT_NO_THROW({
        const UndoStep step(board);
        board.SetSize(5080, 2540);
    });
    EXPECT_TRUE(board.KannRueckgaengig());
    EXPECT_NO_THROW(board.KopiereMarkierte());
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_THROW(WriteProject(buffer, {&board}), StoreError);
}

// --- Edits stop at the range -----------------------------------------------------------------

using test::ScriptedBoard;

struct MoveCase {
    const char* what;
    std::function<void(TPlatine&)> make;
    const char* script;
    // A coordinate the edit must reach: the elements went as far as the range lets them.
    std::function<bool(const CoordinateSpan&, const TPlatine&)> reached;
};

TEST(StorableRangeTest, EveryWayOfMovingPastTheRangeEndsInsideIt) {
    const auto padNearRightEdge = [](TPlatine& b) { b.Add(MakePad({Max - 100, 127})); };
    // Ten holes of wire in row 10, its right end ten holes before the last column.
    const auto wireNearRightEdge = [](TPlatine& b) {
        b.Add(test::MakeWire(TBauteilTyp::btDraht, {{3917 * Pitch, 10 * Pitch + Pitch / 2},
                                                    {3927 * Pitch, 10 * Pitch + Pitch / 2}}));
    };
    const auto rightAt = [](int x) {
        return [x](const CoordinateSpan& s, const TPlatine&) { return s.Right == x; };
    };
    const int lastColumn = Max / Pitch * Pitch;                        // 999,998
    const int lastRow = (Max - Pitch / 2) / Pitch * Pitch + Pitch / 2; // 999,871
    const MoveCase cases[] = {
        {"arrow keys", padNearRightEdge, "select 0\nkey Right\nkey Right\ncommand KeyRight",
         rightAt(Max - 100)},
        {"fine arrow keys", padNearRightEdge,
         "select 0\nkey Right shift\nkey Right shift\nkey Right shift\nkey Right shift\n"
         "key Right shift\nkey Right shift\nkey Right shift\nkey Right shift\nkey Right shift\n"
         "key Right shift\nkey Right shift\ncommand KeyFineRight",
         rightAt(Max)},
        {"a drag with the mouse", wireNearRightEdge,
         "select none\ndown 3922,10\nmove 3937,10\nup 3937,10", rightAt(3937 * Pitch)},
        {"placing a pasted copy", wireNearRightEdge,
         "select 0\ncommand EditCopy\ncommand EditPaste\nmove 3937,10\nup 3937,10",
         rightAt(3937 * Pitch)},
        {"placing a pad", [](TPlatine&) {}, "tool Auge\nclick 3937,3936.5",
         [=](const CoordinateSpan& s, const TPlatine&) {
             return s.Right == lastColumn && s.Bottom == lastRow;
         }},
        {"placing a drilling", [](TPlatine&) {}, "tool Bohrung\nclick 3937,3936.5",
         [=](const CoordinateSpan& s, const TPlatine&) { return s.Bottom == lastRow; }},
        {"placing a pad with drilling", [](TPlatine&) {}, "tool BohrAuge\nclick 3937,3936.5",
         [=](const CoordinateSpan& s, const TPlatine& b) {
             return b.Count() == 1 && s.Bottom == lastRow;
         }},
        {"setting the origin", [](TPlatine&) {}, "tool Ursprung\nclick 3937,3936.5",
         [=](const CoordinateSpan&, const TPlatine& b) {
             return b.Ursprung() == QPoint(lastColumn, lastRow);
         }},
        {"aligning a long wire with a pad at the edge",
         [](TPlatine& b) {
             b.Add(MakePad({Max - 254, 127}));
             b.Add(test::MakeWire(TBauteilTyp::btLine, {{0, 381}, {20 * Pitch, 381}}));
         },
         "select 0\nselect 1\ncommand AlignLeft",
         [](const CoordinateSpan& s, const TPlatine&) { return s.Left == 0; }},
        {"turning a component at the bottom edge",
         [](TPlatine& b) {
             TBauteil* part = b.Add(test::MakeResistor());
             part->MoveBy(0, Max - 1397 - 200);
         },
         "select 0\ncommand EditRotate",
         [](const CoordinateSpan& s, const TPlatine&) { return s.Bottom == Max - 103; }},
        {"a circle's rim", [](TPlatine&) {},
         "tool Kreis\nclick 3930,0\nmove 3930,20\nclick 3930,20",
         [](const CoordinateSpan& s, const TPlatine& b) { return b.Count() == 1 && !s.Empty(); }},
    };
    for (const MoveCase& c : cases) {
        ScriptedBoard b;
        c.make(b.board);
        const std::optional<ScriptError> error = b.Run(QString::fromUtf8(c.script));
        ASSERT_FALSE(error) << c.what << ": " << error->Message.toStdString();
        b.board.Drag() = {};
        const CoordinateSpan span = StoredSpan(AllElements(b.board));
        EXPECT_EQ(Excess(span), 0) << c.what;
        EXPECT_TRUE(record::IsStorablePoint(b.board.Ursprung())) << c.what;
        EXPECT_TRUE(c.reached(span, b.board))
            << c.what << ": span " << span.Left << ".." << span.Right << " x " << span.Top << ".."
            << span.Bottom;
        const RoundTrip trip = SaveAndRead(b.board);
        EXPECT_TRUE(trip.SaveError.isEmpty()) << c.what << ": " << trip.SaveError.toStdString();
        EXPECT_FALSE(trip.ReadError) << c.what;
    }
}

// An edit that would leave the range changes nothing: no undo step, the board as it was, the
// selection kept, and the status lines say why.
TEST(StorableRangeTest, AnEditStoppedAtTheRangeLeavesNoTrace) {
    struct Case {
        const char* what;
        const char* command;
    };
    const Case cases[] = {{"a nudge", "KeyDown"}, {"a turn", "EditRotate"}};
    for (const Case& c : cases) {
        ScriptedBoard b;
        TBauteil* part = b.board.Add(test::MakeResistor());
        part->MoveBy(0, Max - 1397 - 200);
        b.board.SetModified(false);
        const QByteArray before = test::WriteBoard(b.board, StreamPurpose::File);
        ASSERT_FALSE(b.Run(QStringLiteral("select 0\ncommand %1").arg(QLatin1String(c.command))))
            << c.what;
        EXPECT_EQ(test::WriteBoard(b.board, StreamPurpose::File), before) << c.what;
        EXPECT_EQ(b.board.History().UndoCount(), 0) << c.what;
        EXPECT_FALSE(b.board.Modified()) << c.what;
        EXPECT_EQ(b.board.CountSelected(), 1) << c.what;
        EXPECT_EQ(b.board.Infozeile1(), QStringLiteral("Ende des Bereichs")) << c.what;
    }
}

TEST(StorableRangeTest, ThePointerBeyondTheRangeMakesNothingAndDragsStopAtIt) {
    ViewState view;
    TPlatine board(view);
    test::FakeHost host;
    board.SetHost(&host);
    RecordingToolHost tools;
    ToolManager editor(board, tools);
    const auto at = [&](QPoint p, PointerAction action, Qt::MouseButtons held) {
        return PointerEvent{action, board.BoardToControl(p),
                            action == PointerAction::Move ? Qt::NoButton : Qt::LeftButton, held,
                            Qt::NoModifier};
    };

    editor.ChooseTool(TPlatinenModus::pm_Auge);
    editor.Press(at({Max + 5000, 127}, PointerAction::Press, Qt::LeftButton));
    editor.Release(at({Max + 5000, 127}, PointerAction::Release, Qt::NoButton));
    EXPECT_EQ(board.Count(), 0);
    EXPECT_EQ(tools.beeps, 1);
    EXPECT_EQ(board.Infozeile2(),
              QStringLiteral("Nichts liegt weiter als 10.000 mm vom Nullpunkt"));

    editor.ChooseTool(TPlatinenModus::pm_Standard);
    board.Add(test::MakeWire(TBauteilTyp::btLine, {{Max - 2000, 127}, {Max - 1000, 127}}))
        ->SetStiftbreite(100);
    board.MarkiereAlle(false);
    editor.Press(at({Max - 1500, 127}, PointerAction::Press, Qt::LeftButton));
    for (int x : {Max, Max + 1000, 2 * Max})
        editor.Move(at({x, 127}, PointerAction::Move, Qt::LeftButton));
    editor.Release(at({2 * Max, 127}, PointerAction::Release, Qt::NoButton));
    const auto& wire = dynamic_cast<const TDraht&>(*board.At(0));
    EXPECT_LE(wire.Nodes.back().x(), Max);
    EXPECT_GT(wire.Nodes.back().x(), Max - Pitch) << "the wire went as far as it could";
    EXPECT_EQ(tools.beeps, 2) << "one beep as the drag ran into the range";
    board.SetHost(nullptr);
}

TEST(StorableRangeTest, SnappingStopsAtTheLastGridPointInside) {
    struct Case {
        int value;
        long double step;
        long double phase;
        int expected;
    };
    const Case cases[] = {
        {Max, 254, 0, Max},
        {Max + 1, 254, 0, 999'998},
        {-Max - 300, 254, 0, -999'998},
        {1'000'125, 254, 127, 999'871},
        {-1'000'125, 254, 127, -999'871},
        {Max + 3, 7, 0, 999'999},
        {Max + 3, 12.5L, 0, Max},
        {Max + 3, 0.5L, 0, Max},
        {-5 * Max, 0, 0, -Max},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClampToStorableGrid(c.value, c.step, c.phase), c.expected)
            << c.value << " on a grid of " << double(c.step);
}

} // namespace
} // namespace karvel
