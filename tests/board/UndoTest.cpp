#include "board/Platine.h"
#include "board/UndoHistory.h"
#include "support/FakeHost.h"
#include "support/RecordBytes.h"
#include "support/SampleBoard.h"

#include <gtest/gtest.h>

namespace karvel {
namespace {

using test::MakeWire;

QByteArray FileBytes(TPlatine& board) {
    return test::WriteBoard(board, StreamPurpose::File);
}

// One change as an editing command makes it, inside an undo step.
void AddPin(TPlatine& board, int column) {
    const UndoStep step(board);
    board.Add(MakeWire(TBauteilTyp::btPin, {{254 * column, 127}, {254 * column, 127}}));
}

TEST(UndoTest, TheHistoryKeepsAsManyStatesAsTheDepthAndDropsTheOldest) {
    ViewState view;
    view.UndoDepth = 10;
    TPlatine board(view);
    for (int change = 1; change <= 12; ++change)
        AddPin(board, change);
    EXPECT_EQ(board.History().UndoCount(), 10);
    for (int i = 0; i < 10; ++i)
        board.Rueckgaengig();
    EXPECT_EQ(board.Count(), 2) << "back to the state after the second change";
    EXPECT_FALSE(board.KannRueckgaengig());
    EXPECT_EQ(board.History().RedoCount(), 10);
}

TEST(UndoTest, UndoAndRedoRestoreTheSameBytesAndANewChangeEmptiesRedo) {
    ViewState view;
    TPlatine board(view);
    test::FillSampleBoard(board);
    const QByteArray before = FileBytes(board);
    {
        const UndoStep step(board);
        board.Remove(board.At(0));
        board.SetSize(5080, 2540);
    }
    const QByteArray after = FileBytes(board);

    board.Rueckgaengig();
    EXPECT_EQ(FileBytes(board), before);
    EXPECT_TRUE(board.KannWiederherstellen());
    board.Wiederherstellen();
    EXPECT_EQ(FileBytes(board), after);

    board.Rueckgaengig();
    AddPin(board, 3);
    EXPECT_FALSE(board.KannWiederherstellen());
}

TEST(UndoTest, UndoRestoresSizeAndDeselectsButLeavesAnnotationsAndLayout) {
    ViewState view;
    TPlatine board(view);
    test::FakeHost host;
    board.SetHost(&host);
    board.Add(MakeWire(TBauteilTyp::btPin, {{254, 127}, {254, 127}}));
    const QSize controlBefore = board.ControlSize();
    {
        const UndoStep step(board);
        board.SetSize(2540, 2540);
        board.Anmerkungen().SetPlainText(QStringLiteral("changed after the snapshot"));
        board.Layout()->Add(MakeWire(TBauteilTyp::btPin, {{508, 127}, {508, 127}}));
        board.SetSelected(board.At(0), true);
    }

    board.Rueckgaengig();
    EXPECT_EQ(board.Width(), 16000);
    EXPECT_EQ(host.controlSize, controlBefore) << "the control takes the restored size";
    EXPECT_EQ(board.Anmerkungen().PlainText(), QStringLiteral("changed after the snapshot"));
    EXPECT_EQ(board.Layout()->Count(), 1);
    ASSERT_EQ(board.Count(), 1);
    EXPECT_FALSE(board.At(0)->IstMarkiert());
    EXPECT_EQ(board.LastSelected(), nullptr);
}

TEST(UndoTest, AFillBitmapComesBackFromItsSharedRecordAndGoesWithItsLastSnapshot) {
    ViewState view;
    view.UndoDepth = 1;
    TPlatine board(view);
    auto polygon = MakeWire(TBauteilTyp::btPolygon, {{0, 0}, {600, 0}, {300, 500}});
    TBauteil* element = board.Add(std::move(polygon));
    QImage bitmap(4, 3, QImage::Format_RGB32);
    bitmap.fill(qRgb(10, 20, 30));
    ASSERT_TRUE(element->AdoptFillBitmap(bitmap));
    ASSERT_EQ(board.BitmapUsages().Count(), 1u);

    {
        const UndoStep step(board);
        board.Remove(element);
    }
    EXPECT_EQ(board.BitmapUsages().Count(), 1u) << "the snapshot keeps the record alive";

    board.Rueckgaengig();
    ASSERT_EQ(board.Count(), 1);
    ASSERT_NE(board.At(0)->Btmap(), nullptr);
    EXPECT_EQ(board.At(0)->Btmap()->pixel(2, 1), qRgb(10, 20, 30));

    // Delete again; the new change drops the redo state, and depth 1 drops the undo state
    // that still had the bitmap: nothing refers to the record any more.
    {
        const UndoStep step(board);
        board.Remove(board.At(0));
    }
    AddPin(board, 1);
    EXPECT_EQ(board.BitmapUsages().Count(), 0u);
}

TEST(UndoTest, NothingHappensWhileTheMouseDragsOrWhenTheListIsEmpty) {
    ViewState view;
    TPlatine board(view);
    board.Rueckgaengig();
    board.Wiederherstellen();
    EXPECT_EQ(board.Count(), 0);
    AddPin(board, 1);
    board.Drag().Dragging = true;
    board.Rueckgaengig();
    EXPECT_EQ(board.Count(), 1);
    board.Drag().Dragging = false;
    board.Rueckgaengig();
    EXPECT_EQ(board.Count(), 0);
}

TEST(UndoTest, EveryChangeMarksTheBoardModified) {
    ViewState view;
    TPlatine board(view);
    EXPECT_FALSE(board.Modified());
    AddPin(board, 1);
    EXPECT_TRUE(board.Modified());
}

} // namespace
} // namespace karvel
