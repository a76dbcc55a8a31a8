#include "board/BoardProperties.h"
#include "board/Board.h"
#include "board/Platine.h"
#include "board/UndoHistory.h"
#include "elements/Bohrung.h"

#include <gtest/gtest.h>

namespace karvel {
namespace {

TEST(BoardPropertiesTest, NumbersAreReadLenientlyAndHeldToWhatABoardCanBe) {
    struct Case {
        BoardPropertiesText text;
        int width, height;
        QPoint offset;
    };
    const Case cases[] = {
        {{QStringLiteral("A"), QStringLiteral("160"), QStringLiteral("100"), QStringLiteral("1,27"),
          QStringLiteral("2.05")},
         16000,
         10000,
         {127, 205}},
        {{QStringLiteral("B"), QStringLiteral("80,5 mm"), QStringLiteral("0"), QStringLiteral("-3"),
          QStringLiteral("9")},
         8050,
         254,
         {0, 508}},
        {{QStringLiteral("C"), QStringLiteral("1E3"), QStringLiteral("-20"), QStringLiteral("x"),
          QStringLiteral("")},
         32000,
         254,
         {0, 0}},
    };
    for (const Case& c : cases) {
        ViewState view;
        TPlatine board(view);
        ApplyBoardProperties(board, c.text);
        EXPECT_EQ(board.Width(), c.width) << c.text.Name.toStdString();
        EXPECT_EQ(board.Height(), c.height) << c.text.Name.toStdString();
        EXPECT_EQ(board.Nullpunkt(), c.offset) << c.text.Name.toStdString();
        EXPECT_TRUE(board.Modified());
        EXPECT_EQ(board.History().UndoCount(), 1);
        board.Rueckgaengig();
        EXPECT_EQ(board.Width(), 16000) << "one undo step brings the size back";
    }
}

TEST(BoardPropertiesTest, ABoardOfAFixedTypeBecomesABoardOfItsOwn) {
    ViewState view;
    TPlatine board(view);
    board.SetPlatinenTyp(TPlatinenTyp::pt_612_B);
    ApplyBoardProperties(board, DefaultProperties(QStringLiteral("Own"), QLocale::c()));
    EXPECT_EQ(board.PlatinenTyp(), TPlatinenTyp::pt_UserBoard);
    EXPECT_EQ(board.Width(), 16000);
}

// A stored board keeps 36 characters of its name: a longer one would lose its end on saving.
TEST(BoardPropertiesTest, ANameStopsWhereAStoredBoardStops) {
    ViewState view;
    TPlatine board(view);
    const QString typed = QStringLiteral("Verstärker mit zwei Kanälen und Netzteil");
    ASSERT_EQ(typed.size(), 40);
    ApplyBoardProperties(board, DefaultProperties(typed, QLocale::c()));
    EXPECT_EQ(board.PlatinenName(), typed.left(36));
}

TEST(BoardPropertiesTest, TheFieldsShowTheBoardInTheLocale) {
    ViewState view;
    TPlatine board(view);
    board.SetPlatinenName(QStringLiteral("Verstärker"));
    board.SetSize(8128, 5080);
    board.SetNullpunkt({127, 205});
    const BoardPropertiesText text = PropertiesOf(board, QLocale(QLocale::German));
    EXPECT_EQ(text, (BoardPropertiesText{QStringLiteral("Verstärker"), QStringLiteral("81,28"),
                                         QStringLiteral("50,8"), QStringLiteral("1,27"),
                                         QStringLiteral("2,05")}));
    EXPECT_EQ(DefaultProperties(QString(), QLocale(QLocale::English)).X, QStringLiteral("1.27"));
}

BoardPropertiesText Size(const char* width, const char* height, const char* x = "0",
                         const char* y = "0") {
    return {QStringLiteral("S"), QString::fromLatin1(width), QString::fromLatin1(height),
            QString::fromLatin1(x), QString::fromLatin1(y)};
}

// Whole holes are those whose pitch cell lies on the board, as the standard layouts drill them.
TEST(BoardHolesTest, ASizeHoldsTheHolesWhoseCellsLieOnTheBoard) {
    struct Case {
        const char* name;
        BoardPropertiesText text;
        HoleCount holes;
    };
    const Case cases[] = {
        {"standard 100 x 80", Size("100", "80"), {38, 31}},
        {"cut to 76.2 x 50.8", Size("76,2", "50,8"), {29, 20}},
        {"default 160 x 100", Size("160", "100", "1,27", "2,05"), {62, 39}},
        {"whole holes from an offset", Size("76.2", "50.8", "1.27", "0"), {30, 20}},
        {"smaller than a hole", Size("1", "1"), {0, 1}},
        {"largest", Size("400", "400"), {125, 125}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WholeHoles(c.text), c.holes) << c.name;
}

// A count of holes gives the size whose edge lies half a pitch after the last hole, and that
// size holds exactly that count again, from every offset.
TEST(BoardHolesTest, ACountOfHolesGivesTheSizeThatHoldsIt) {
    const QLocale c = QLocale::c();
    EXPECT_EQ(WidthForColumns(Size("100", "80"), 30, c), u"77.47");
    EXPECT_EQ(WidthForColumns(Size("100", "80", "1.27"), 30, c), u"76.2");
    EXPECT_EQ(HeightForRows(Size("100", "80"), 20, c), u"50.8");
    EXPECT_EQ(HeightForRows(Size("100", "80", "0", "2.05"), 39, QLocale(QLocale::German)),
              u"99,55");
    EXPECT_EQ(WidthForColumns(Size("100", "80"), 500, c), u"320") << "held to the largest board";
    for (int offset = 0; offset <= MaxBoardOffset; offset += 23) {
        const QString at = QString::number(offset / 100.0);
        for (int holes = 1; holes <= MostHolesAcross(); ++holes) {
            BoardPropertiesText text = Size("10", "10", "0", "0");
            text.X = at;
            text.Y = at;
            text.Width = WidthForColumns(text, holes, c);
            text.Height = HeightForRows(text, holes, c);
            const HoleCount held = WholeHoles(text);
            const bool fits = text.Width != u"320" && text.Height != u"320";
            if (fits) {
                ASSERT_EQ(held, (HoleCount{holes, holes})) << "offset " << offset;
            } else {
                EXPECT_LE(held.Columns, holes) << "offset " << offset;
            }
        }
    }
}

// A stripboard's layout drills every whole hole of 100 x 80 mm; a smaller size whose edge runs
// through a column or row of them says how many.
TEST(BoardHolesTest, ASizeThatCutsDrillingsOfTheLayoutSaysHowMany) {
    ViewState view;
    TPlatine board(view);
    for (int column = 1; column <= 38; ++column)
        for (int row = 0; row <= 30; ++row) {
            auto drilling = std::make_unique<TBohrung>();
            drilling->Centre = {column * 254, row * 254 + 127};
            drilling->Diameter = 1.0;
            board.Layout()->Add(std::move(drilling));
        }
    const std::vector<Rect> holes = LayoutHoles(board);
    ASSERT_EQ(holes.size(), 38u * 31u);
    struct Case {
        const char* name;
        BoardPropertiesText text;
        int cut;
    };
    const Case cases[] = {
        {"as drilled", Size("100", "80"), 0},
        {"edge through column 30", Size("76,2", "80"), 31},
        {"edge through column 30 and past row 19", Size("76,2", "50,8"), 20},
        {"whole columns", Size("77,47", "50,8"), 0},
        {"edge through row 10", Size("100", "26,67"), 38},
        {"both edges, corner counted once", Size("76,2", "26,67"), 30 + 11 - 1},
        {"larger than the layout", Size("200", "150"), 0},
        {"offset past the first column", Size("100", "80", "2,6"), 31},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CutHoles(holes, c.text), c.cut) << c.name;
}

TEST(BoardHolesTest, TheNoteOnCutHolesSpeaksBothLanguages) {
    EXPECT_TRUE(CutHolesMessage(0, Language::German).isEmpty());
    EXPECT_TRUE(CutHolesMessage(0, Language::English).isEmpty());
    EXPECT_TRUE(CutHolesMessage(1, Language::German).startsWith(u"Der Rand schneidet ein Loch"));
    EXPECT_TRUE(CutHolesMessage(1, Language::English).startsWith(u"The edge cuts through a hole"));
    EXPECT_TRUE(CutHolesMessage(20, Language::German).startsWith(u"Der Rand schneidet 20 Löcher"));
    EXPECT_TRUE(
        CutHolesMessage(20, Language::English).startsWith(u"The edge cuts through 20 holes"));
}

} // namespace
} // namespace karvel
