#include "elements/Selector.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace karvel {
namespace {

// A background whose every pixel differs from its inverse.
QImage Patterned(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x * 7 % 256, y * 5 % 256, 0x33));
    return image;
}

bool Inverted(const QImage& now, const QImage& before, QPoint p) {
    return now.pixel(p) == (~before.pixel(p) | 0xFF000000u);
}

// The pixels a frame with a pen a few pixels wide may touch: a band around each edge.
std::vector<QPoint> AroundEdges(const Rect& r, int band = 3) {
    std::vector<QPoint> points;
    const int left = std::min(r.Left, r.Right), right = std::max(r.Left, r.Right);
    const int top = std::min(r.Top, r.Bottom), bottom = std::max(r.Top, r.Bottom);
    for (int d = -band; d <= band; ++d) {
        for (int x = left - band; x <= right + band; ++x) {
            points.emplace_back(x, top + d);
            points.emplace_back(x, bottom + d);
        }
        for (int y = top - band; y <= bottom + band; ++y) {
            points.emplace_back(left + d, y);
            points.emplace_back(right + d, y);
        }
    }
    return points;
}

// The control's client area lies at (10, 20) on the screen and is 200 × 150 pixels.
const SelectorControl Control{{10, 20}, {200, 150}};

class SelectorFixture : public ::testing::Test {
protected:
    SelectorFixture() : before(Patterned(220, 180)), image(before) {}

    QImage before;
    QImage image;
    TSelector selector{Control};
};

TEST_F(SelectorFixture, BeginStartsAtTheCursorInClientCoordinates) {
    Canvas canvas(image);
    selector.Square = true;
    selector.FromCentre = true;
    selector.Begin({60, 70}, canvas);
    EXPECT_TRUE(selector.Active);
    EXPECT_FALSE(selector.Square);
    EXPECT_FALSE(selector.FromCentre);
    EXPECT_EQ(selector.AnchorScreen, QPoint(60, 70));
    EXPECT_EQ(selector.SelRect, (Rect{50, 50, 50, 50}));
    EXPECT_EQ(selector.ClipScreen, (Rect{10, 20, 210, 170}));
}

TEST_F(SelectorFixture, DrawsAnInvertedFrameThatFinishErases) {
    Canvas canvas(image);
    selector.Begin({60, 70}, canvas);
    selector.Track({110, 100}, canvas);
    // Client corners (50, 50) and (100, 80): the frame runs from (49, 49) to (102, 82).
    EXPECT_EQ(selector.SelRect, (Rect{50, 50, 100, 80}));
    const QPoint onFrame[] = {{49, 49}, {75, 49}, {49, 65}, {101, 65}, {75, 81}};
    for (const QPoint& p : onFrame)
        EXPECT_TRUE(Inverted(image, before, p)) << p.x() << "," << p.y();
    EXPECT_EQ(image.pixel(75, 65), before.pixel(75, 65)) << "not filled";
    EXPECT_EQ(image.pixel(75, 40), before.pixel(75, 40));

    selector.Track({90, 130}, canvas);
    selector.Track({40, 60}, canvas); // up and left of the anchor
    selector.Finish(canvas);
    EXPECT_FALSE(selector.Active);
    EXPECT_FALSE(selector.Shown());
    // Every frame drawn on the way, in client pixels, is gone again.
    for (const Rect& frame :
         {Rect{49, 49, 52, 52}, Rect{49, 49, 102, 82}, Rect{49, 49, 82, 112}, Rect{49, 49, 32, 42}})
        for (const QPoint& p : AroundEdges(frame))
            ASSERT_EQ(image.pixel(p), before.pixel(p)) << p.x() << "," << p.y();
}

TEST_F(SelectorFixture, FilledFrameInvertsItsInsideToo) {
    Canvas canvas(image);
    selector.Filled = true;
    selector.PenWidth = 4;
    selector.Begin({60, 70}, canvas);
    selector.Track({110, 100}, canvas);
    EXPECT_TRUE(Inverted(image, before, {75, 65}));
    // Changing the settings while a frame shows still erases the frame that was drawn.
    selector.Filled = false;
    selector.PenWidth = 1;
    selector.Finish(canvas);
    for (const QPoint p : {QPoint(75, 65), QPoint(49, 49), QPoint(102, 82), QPoint(47, 47)})
        EXPECT_EQ(image.pixel(p), before.pixel(p)) << p.x() << "," << p.y();
}

TEST_F(SelectorFixture, TrackDoesNothingUnlessActive) {
    Canvas canvas(image);
    selector.Track({110, 100}, canvas);
    EXPECT_FALSE(selector.Shown());
    EXPECT_EQ(image.pixel(101, 65), before.pixel(101, 65));
}

struct CornerCase {
    const char* name;
    bool square, fromCentre;
    QPoint cursor;         // screen
    QPoint start, current; // screen
};

class SelectorCornerTest : public ::testing::TestWithParam<CornerCase> {};

TEST_P(SelectorCornerTest, FollowsTheCursor) {
    const CornerCase c = GetParam();
    QImage image(220, 180, QImage::Format_RGB32);
    Canvas canvas(image);
    TSelector selector(Control);
    selector.Begin({110, 95}, canvas); // anchor
    selector.Square = c.square;
    selector.FromCentre = c.fromCentre;
    selector.Track(c.cursor, canvas);
    EXPECT_EQ(selector.StartScreen, c.start);
    EXPECT_EQ(selector.CurrentScreen, c.current);
    const QPoint s = c.start - Control.ClientOrigin;
    const QPoint e = c.current - Control.ClientOrigin;
    EXPECT_EQ(selector.SelRect, (Rect{s.x(), s.y(), e.x(), e.y()}));
}

INSTANTIATE_TEST_SUITE_P(
    Modes, SelectorCornerTest,
    ::testing::Values(
        CornerCase{"plain", false, false, {150, 60}, {110, 95}, {150, 60}},
        // Client area on screen: x 10..209, y 20..169.
        CornerCase{"clampedRightBottom", false, false, {500, 400}, {110, 95}, {208, 168}},
        CornerCase{"lastPixelKept", false, false, {209, 169}, {110, 95}, {209, 169}},
        CornerCase{"firstPixelMovesOut", false, false, {10, 20}, {110, 95}, {9, 19}},
        CornerCase{"clampedLeftTop", false, false, {-50, -50}, {110, 95}, {9, 19}},
        // dx = 30, dy = -10: the square follows the larger signed difference.
        CornerCase{"squareRightUp", true, false, {140, 85}, {110, 95}, {140, 125}},
        CornerCase{"squareDown", true, false, {120, 135}, {110, 95}, {150, 135}},
        CornerCase{"squareNotClamped", true, false, {400, 400}, {110, 95}, {415, 400}},
        CornerCase{"fromCentre", false, true, {130, 105}, {90, 85}, {130, 105}},
        CornerCase{"fromCentreNotClamped", false, true, {400, 95}, {-180, 95}, {400, 95}},
        CornerCase{"squareFromCentre", true, true, {140, 85}, {80, 65}, {140, 125}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SelectorTest, SetClipLimitsTheCornerToPartOfTheClientArea) {
    QImage image(220, 180, QImage::Format_RGB32);
    Canvas canvas(image);
    TSelector selector(Control);
    selector.Begin({60, 70}, canvas);
    selector.SetClip({0, 0, 100, 80});
    selector.Track({300, 300}, canvas);
    EXPECT_EQ(selector.CurrentScreen, QPoint(108, 98));
    EXPECT_EQ(selector.SelRect, (Rect{50, 50, 98, 78}));
}

} // namespace
} // namespace karvel
