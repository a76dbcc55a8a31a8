#include "shell/Ruler.h"
#include "board/Platine.h"
#include "shell/BoardArea.h"
#include "shell/RulerScale.h"
#include "shell/ScrollBoxEx.h"
#include "shell/ShellFixture.h"
#include "support/FakeHost.h"

#include <gtest/gtest.h>

namespace karvel {
namespace {

class RulerScaleTest : public ::testing::Test {
protected:
    RulerScaleTest() { board.SetHost(&host); }
    std::vector<RulerMark> Marks(Qt::Orientation orientation, int extent = 14) const {
        return RulerMarks(board, orientation, extent);
    }

    ViewState view;
    TPlatine board{view};
    test::FakeHost host;
};

TEST_F(RulerScaleTest, OneMarkPerHolePitchFromTheOrigin) {
    const std::vector<RulerMark> marks = Marks(Qt::Horizontal);
    ASSERT_EQ(marks.size(), 63u) << "0 to 16000 div 254";
    EXPECT_EQ(marks.front().Number, 0);
    EXPECT_EQ(marks.front().Position, 0);
    for (std::size_t i = 1; i < marks.size(); ++i)
        EXPECT_EQ(marks[i].Position - marks[i - 1].Position, 48);
    EXPECT_TRUE(marks[5].Major);
    EXPECT_FALSE(marks[6].Major);
    EXPECT_TRUE(marks[6].Tick);
    EXPECT_TRUE(marks[6].Label);
}

TEST_F(RulerScaleTest, NumbersCountFromTheOriginMarkerAndFollowTheScroll) {
    board.SetUrsprung({508 * 2, 127});
    host.SetScrollPosition({100, 0});
    const std::vector<RulerMark> marks = Marks(Qt::Horizontal);
    EXPECT_EQ(marks.front().Number, -4);
    const auto zero =
        std::find_if(marks.begin(), marks.end(), [](const RulerMark& m) { return m.Number == 0; });
    ASSERT_NE(zero, marks.end());
    EXPECT_EQ(zero->Position, board.BoardToHost(board.Ursprung()).x());
    EXPECT_EQ(zero->Position, 4 * 48 - 100);
}

TEST_F(RulerScaleTest, SmallZoomsLeaveOutMinorTicksAndLabels) {
    board.SetZoom(1.0); // 16 pixels per pitch
    const std::vector<RulerMark> marks = Marks(Qt::Horizontal);
    EXPECT_FALSE(marks[1].Tick);
    EXPECT_FALSE(marks[1].Label);
    EXPECT_TRUE(marks[5].Tick && marks[5].Label);
    const std::vector<RulerMark> rows = Marks(Qt::Vertical, 12);
    EXPECT_TRUE(rows[1].Tick) << "a label 12 high fits into 16";
    EXPECT_TRUE(rows[1].Label) << "rows are labelled from 15 pixels on";
    board.SetZoom(0.9);
    EXPECT_FALSE(Marks(Qt::Vertical, 12)[1].Label);
}

TEST_F(RulerScaleTest, TheSolderSideCountsRowsFromTheBottomUp) {
    const std::vector<RulerMark> top = Marks(Qt::Vertical);
    EXPECT_LT(top[0].Position, top[1].Position);
    EXPECT_EQ(top[0].Position, board.BoardToHost({0, 127}).y());
    view.Loetseite = true;
    const std::vector<RulerMark> below = Marks(Qt::Vertical);
    EXPECT_GT(below[0].Position, below[1].Position);
    EXPECT_EQ(below[0].Position, board.BoardToHost({0, 127}).y());
}

TEST(RulerTest, TheMarkerIsARedBarThatLeavesNoTrace) {
    Ruler ruler(Qt::Horizontal);
    ruler.resize(300, Ruler::Thickness);
    ruler.SetMarks({});
    ruler.SetMarker(100);
    QImage picture = ruler.grab().toImage();
    EXPECT_EQ(picture.pixelColor(100, 8), QColor(220, 0, 0));
    EXPECT_EQ(picture.pixelColor(150, 8), QColor::fromRgba(Ruler::Background));
    ruler.SetMarker(150);
    picture = ruler.grab().toImage();
    EXPECT_EQ(picture.pixelColor(100, 8), QColor::fromRgba(Ruler::Background));
    EXPECT_EQ(picture.pixelColor(150, 8), QColor(220, 0, 0));
}

TEST(RulerTest, MajorTicksRunTheFullHeight) {
    Ruler ruler(Qt::Horizontal);
    ruler.resize(300, Ruler::Thickness);
    ruler.SetMarks({{50, 5, true, true, true}, {80, 6, false, true, false}});
    const QImage picture = ruler.grab().toImage();
    EXPECT_EQ(picture.pixelColor(50, 1), QColor(Qt::black));
    EXPECT_EQ(picture.pixelColor(80, 1), QColor::fromRgba(Ruler::Background));
    EXPECT_EQ(picture.pixelColor(80, Ruler::Thickness - 5), QColor(192, 192, 192));
}

TEST(WindowRulerTest, TheRulersFollowZoomAndMouse) {
    test::ShownWindow shown;
    shown->Action(CommandId::ZoomIn).trigger();
    const std::vector<RulerMark>& marks = shown->Area().HorizontalRuler().Marks();
    ASSERT_GT(marks.size(), 2u);
    EXPECT_EQ(marks[2].Position - marks[1].Position, shown.Board().PixelsPerHole());
    test::MouseMove(shown.Control(), QPoint(120, 90));
    const QPoint scroll = shown->ScrollBox(0).ScrollPosition();
    EXPECT_EQ(shown->Area().HorizontalRuler().Marker(), 120 - scroll.x());
    EXPECT_EQ(shown->Area().VerticalRuler().Marker(), 90 - scroll.y());
}

} // namespace
} // namespace karvel
