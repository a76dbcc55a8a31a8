// The layout editor's working copy of a board's layout and taking an edited layout back.

#include "board/LayoutEditing.h"
#include "board/Board.h"
#include "board/ProjectFile.h"
#include "support/SampleBoard.h"

#include <gtest/gtest.h>
#include <QtCore/QTemporaryDir>

namespace karvel {

namespace {

struct Geometry {
    int Width, Height;
    QPoint Nullpunkt, Ursprung, Reserved;
    bool operator==(const Geometry&) const = default;
};

Geometry GeometryOf(const TPlatine& board) {
    return {board.Width(), board.Height(), board.Nullpunkt(), board.Ursprung(),
            board.ReservedPoint()};
}

class LayoutEditingTest : public ::testing::Test {
protected:
    void SetUp() override { test::FillSampleBoard(board_); }

    ViewState view_;
    TPlatine board_{view_};
};

} // namespace

TEST_F(LayoutEditingTest, TheWorkingCopyHoldsTheLayoutAndTheBoardsGeometryAndSharesNothing) {
    const int layoutCount = board_.Layout()->Count();
    ASSERT_GT(layoutCount, 0);
    const std::unique_ptr<TBoard> copy = CopyLayoutForEditing(board_, view_);
    EXPECT_EQ(copy->Count(), layoutCount);
    EXPECT_EQ(GeometryOf(*copy), GeometryOf(board_));
    EXPECT_TRUE(copy->Modified());
    EXPECT_FALSE(copy->IsMainBoard());

    copy->Clear();
    EXPECT_EQ(board_.Layout()->Count(), layoutCount);
}

TEST_F(LayoutEditingTest, AcceptingALargerLayoutEnlargesTheBoardAndEmptiesItsUndoHistory) {
    {
        const UndoStep step(board_);
        board_.Remove(board_.At(0));
    }
    ASSERT_TRUE(board_.KannRueckgaengig());
    board_.SetModified(false);
    const int elements = board_.Count();

    std::unique_ptr<TBoard> edited = CopyLayoutForEditing(board_, view_);
    edited->SetSize(12700, 7620);
    edited->SetNullpunkt({508, 0});
    edited->SetPlatinenName(QStringLiteral("Eigene Platine"));
    edited->Remove(edited->At(0));
    AcceptEditedLayout(board_, *edited);

    EXPECT_EQ(board_.Width(), 12700);
    EXPECT_EQ(board_.Height(), 7620);
    EXPECT_EQ(board_.Nullpunkt(), QPoint(508, 0));
    EXPECT_EQ(GeometryOf(*board_.Layout()), GeometryOf(board_));
    EXPECT_EQ(board_.Layout()->Count(), edited->Count());
    EXPECT_EQ(board_.Layout()->PlatinenName(), QStringLiteral("Eigene Platine"));
    EXPECT_EQ(board_.Count(), elements) << "the board's own elements stay";
    EXPECT_TRUE(board_.Modified());
    EXPECT_FALSE(board_.KannRueckgaengig());
}

TEST_F(LayoutEditingTest, ALayoutFileReadsBackIntoALayoutBoardNamedAfterTheFile) {
    QTemporaryDir folder;
    const std::unique_ptr<TBoard> layout = CopyLayoutForEditing(board_, view_);
    const QString path =
        folder.filePath(QStringLiteral("Eigenes Raster mit langem Namen 160x100.KVB"));
    ASSERT_EQ(SaveLayoutFile(path, *layout), u"");

    TBoard read(view_);
    ReadLayoutFile(path, read);
    EXPECT_EQ(read.Count(), layout->Count());
    EXPECT_EQ(GeometryOf(read), GeometryOf(*layout));
    EXPECT_EQ(read.PlatinenName(),
              QStringLiteral("Eigenes Raster mit langem Namen 160x100.KVB").left(35));

    // The main board's reading of the same file gives it the layout's size.
    TPlatine main(view_);
    ReadLayoutIntoBoard(path, main);
    EXPECT_EQ(main.Layout()->Count(), layout->Count());
    EXPECT_EQ(GeometryOf(main), GeometryOf(*layout));
}

TEST_F(LayoutEditingTest, AMissingLayoutFileThrowsAndLeavesTheBoardAlone) {
    TBoard read(view_);
    read.SetPlatinenName(QStringLiteral("vorher"));
    EXPECT_THROW(ReadLayoutFile(QStringLiteral("/nowhere/none.KVB"), read), FileOpenError);
    EXPECT_EQ(read.PlatinenName(), QStringLiteral("vorher"));
}

} // namespace karvel
