#include "shell/BoardControl.h"
#include "board/Platine.h"
#include "shell/ScrollBoxEx.h"

#include <gtest/gtest.h>
#include <QtGui/QWheelEvent>
#include <QtWidgets/QApplication>

namespace karvel {
namespace {

struct ShownBoard {
    ViewState view;
    TPlatine board{view};
    TScrollBoxEx host;
    BoardControl* control = nullptr;

    ShownBoard() {
        control = new BoardControl(board);
        host.setWidget(control);
        host.resize(640, 480);
        board.SetHost(&host);
        host.show();
        QApplication::processEvents();
    }
};

TEST(BoardControlTest, TheHostSizesTheControlForTheZoom) {
    ShownBoard shown;
    EXPECT_EQ(shown.control->size(), QSize(3024, 1890));
    shown.board.SetZoom(1.0);
    EXPECT_EQ(shown.control->size(), shown.board.ControlSize());
    EXPECT_EQ(shown.host.ClientSize(), shown.host.viewport()->size());
}

TEST(BoardControlTest, PaintsTheBoardThroughTheCanvas) {
    ShownBoard shown;
    const QImage picture = shown.control->grab(QRect(0, 0, 200, 200)).toImage();
    EXPECT_EQ(picture.pixelColor(100, 100), QColor(239, 204, 5));
}

TEST(BoardControlTest, TheWheelZoomsAboutTheCursor) {
    ShownBoard shown;
    const QPointF at(300, 200);
    QWheelEvent up(at, shown.control->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(shown.control, &up);
    EXPECT_DOUBLE_EQ(shown.board.Zoom(), 3.0 * 1.4);
    QWheelEvent down(at, shown.control->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(shown.control, &down);
    EXPECT_NEAR(shown.board.Zoom(), 3.0, 1e-12);
}

TEST(BoardControlTest, ScrollPositionRoundTripsThroughTheHost) {
    ShownBoard shown;
    shown.host.SetScrollPosition({120, 80});
    EXPECT_EQ(shown.host.ScrollPosition(), QPoint(120, 80));
    EXPECT_EQ(shown.board.BoardToHost({0, 0}), QPoint(-120, -80));
}

TEST(BoardControlTest, OverlaysRepaintFromTheCacheWithoutDrawingTheBoard) {
    ShownBoard shown;
    const QImage before = shown.control->grab(QRect(0, 0, 300, 300)).toImage();
    const int renders = shown.control->BoardRenderCount();
    shown.control->SetRubberBand(QRect(20, 20, 100, 80));
    QApplication::processEvents();
    EXPECT_EQ(shown.control->BoardRenderCount(), renders);
    // Drawn inverting on the board: the band's edge differs from the board beneath it.
    const QImage banded = shown.control->grab(QRect(0, 0, 300, 300)).toImage();
    EXPECT_NE(banded.pixelColor(60, 20), before.pixelColor(60, 20));
    EXPECT_EQ(banded.pixelColor(60, 50), before.pixelColor(60, 50));
    shown.control->SetRubberBand(std::nullopt);
    EXPECT_EQ(shown.control->grab(QRect(0, 0, 300, 300)).toImage().pixelColor(60, 20),
              before.pixelColor(60, 20));
}

// A tool that changes the board and moves its preview in the same step (a line gets a point,
// its rubber line moves on) must see the board drawn afresh where both meet.
TEST(BoardControlTest, APreviewOverAFreshChangeDoesNotServeTheOldPicture) {
    ShownBoard shown;
    const QLine line(QPoint(500, 500), QPoint(2500, 2500));
    shown.control->ShowTempLine(TempLine{line, 50});
    QApplication::processEvents();
    const int renders = shown.control->BoardRenderCount();
    const QPoint middle = shown.board.BoardToControl(QPoint(1500, 1500));
    shown.control->InvalidateBoard(QRect(middle - QPoint(2, 2), QSize(4, 4)));
    shown.control->ShowTempLine(TempLine{QLine(line.p1(), QPoint(2500, 2600)), 50});
    QApplication::processEvents();
    EXPECT_GT(shown.control->BoardRenderCount(), renders);
}

} // namespace
} // namespace karvel
