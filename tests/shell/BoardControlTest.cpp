#include "shell/BoardControl.h"
#include "board/Platine.h"
#include "shell/ScrollBoxEx.h"

#include <gtest/gtest.h>
#include <QtGui/QNativeGestureEvent>
#include <QtGui/QPointingDevice>
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

// Three notches in over hole (5, 15) keep that hole under the pointer in the scroll box,
// with and without Ctrl; a pinch does the same.
TEST(BoardControlTest, WheelAndPinchKeepTheHoleUnderThePointer) {
    enum class Input { Wheel, CtrlWheel, Pinch };
    for (const Input input : {Input::Wheel, Input::CtrlWheel, Input::Pinch}) {
        ShownBoard shown;
        shown.host.SetScrollPosition({0, 400});
        const QPoint hole(5 * 254, 15 * 254 + 127);
        const QPoint pointer = shown.board.BoardToHost(hole);
        ASSERT_TRUE(shown.host.viewport()->rect().contains(pointer));
        for (int notch = 0; notch < 3; ++notch) {
            const QPointF at = shown.control->mapFrom(shown.host.viewport(), pointer);
            const QPointF global = shown.control->mapToGlobal(at);
            if (input == Input::Pinch) {
                QNativeGestureEvent pinch(Qt::ZoomNativeGesture,
                                          QPointingDevice::primaryPointingDevice(), 2, at, at,
                                          global, TPlatine::ZoomStep - 1.0, {}, {});
                QApplication::sendEvent(shown.control, &pinch);
            } else {
                QWheelEvent turn(at, global, QPoint(), QPoint(0, 120), Qt::NoButton,
                                 input == Input::CtrlWheel ? Qt::ControlModifier : Qt::NoModifier,
                                 Qt::NoScrollPhase, false);
                QApplication::sendEvent(shown.control, &turn);
            }
        }
        EXPECT_NEAR(shown.board.Zoom(), 3.0 * 1.4 * 1.4 * 1.4, 1e-9);
        const QPoint drift = shown.board.BoardToHost(hole) - pointer;
        EXPECT_LE(std::abs(drift.x()), 1) << int(input) << ": " << drift.x() << "," << drift.y();
        EXPECT_LE(std::abs(drift.y()), 1) << int(input) << ": " << drift.x() << "," << drift.y();
    }
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
