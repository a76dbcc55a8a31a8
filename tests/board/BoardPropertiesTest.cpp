#include "board/BoardProperties.h"
#include "board/Platine.h"
#include "board/UndoHistory.h"

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

} // namespace
} // namespace karvel
