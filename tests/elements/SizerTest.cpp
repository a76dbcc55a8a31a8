#include "elements/XSizer.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace karvel {
namespace {

class RecordingWindow : public RepaintTarget {
public:
    void InvalidateRect(const Rect& device, bool erase) override {
        rects.push_back(device);
        erased = erased || erase;
    }
    std::vector<Rect> rects;
    bool erased = false;
};

QImage Patterned(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x * 7 % 256, y * 5 % 256, 0x33));
    return image;
}

std::vector<QPoint> AroundEdges(const Rect& r, int band = 3) {
    std::vector<QPoint> points;
    for (int d = -band; d <= band; ++d) {
        for (int x = r.Left - band; x <= r.Right + band; ++x) {
            points.emplace_back(x, r.Top + d);
            points.emplace_back(x, r.Bottom + d);
        }
        for (int y = r.Top - band; y <= r.Bottom + band; ++y) {
            points.emplace_back(r.Left + d, y);
            points.emplace_back(r.Right + d, y);
        }
    }
    return points;
}

// Handles 20 units wide around (100, 100)-(300, 200) grown by 10, on a canvas of one pixel
// per unit: the grown frame is (90, 90)-(310, 210).
class HandleFixture : public ::testing::Test {
protected:
    HandleFixture() : image(400, 300, QImage::Format_RGB32), canvas(image) {
        image.fill(Qt::darkCyan);
        sizer.Frame = {100, 100, 300, 200};
        sizer.Margin = 10;
        sizer.HandleSize = 20;
    }

    QImage image;
    Canvas canvas;
    RecordingWindow window;
    TSizer sizer{&window};
};

TEST_F(HandleFixture, HandlesLieOutsideTheGrownFrame) {
    const Rect expected[] = {{70, 70, 90, 90},     {310, 70, 330, 90}, {310, 210, 330, 230},
                             {70, 210, 90, 230},   {190, 70, 210, 90}, {190, 210, 210, 230},
                             {310, 140, 330, 160}, {70, 140, 90, 160}};
    for (int handle = 1; handle <= 8; ++handle)
        EXPECT_EQ(sizer.HandleRect(handle), expected[handle - 1]) << handle;
}

TEST_F(HandleFixture, HandleAtAnswersTheCodeUnderADevicePoint) {
    const std::pair<QPoint, int> cases[] = {
        {{80, 80}, 1},   {{320, 80}, 2},  {{320, 220}, 3}, {{80, 220}, 4},  {{200, 80}, 5},
        {{200, 220}, 6}, {{320, 150}, 7}, {{80, 150}, 8},  {{200, 150}, 0}, {{70, 70}, 1},
        {{89, 89}, 1},   {{90, 90}, 0},   {{69, 80}, 0},   {{150, 80}, 0},
    };
    for (const auto& [point, code] : cases)
        EXPECT_EQ(sizer.HandleAt(point, canvas), code) << point.x() << "," << point.y();
}

TEST_F(HandleFixture, HandleAtFollowsTheMapping) {
    canvas.SetMapping({0, 0}, {2, 2}, {0, 0}, {1, 1}); // two units per pixel
    EXPECT_EQ(sizer.HandleAt({40, 40}, canvas), 1);
    EXPECT_EQ(sizer.HandleAt({80, 40}, canvas), 0);
    EXPECT_EQ(sizer.HandleAt({160, 75}, canvas), 7);
}

TEST(SizerTest, WhereSmallHandlesOverlapTheOneTestedLastWins) {
    QImage image(10, 10, QImage::Format_RGB32);
    Canvas canvas(image);
    TSizer sizer(nullptr);
    sizer.Frame = {100, 100, 110, 110};
    sizer.HandleSize = 20;
    // Handle 5 spans x 95..114 above the frame, over the corners 1 and 2; handles 7 and 8
    // reach over the corners beside them.
    const std::pair<QPoint, int> cases[] = {
        {{97, 90}, 5},   {{112, 90}, 5}, {{97, 120}, 6}, {{112, 120}, 6}, {{120, 97}, 7},
        {{120, 112}, 7}, {{90, 97}, 8},  {{90, 112}, 8}, {{85, 85}, 1},   {{125, 85}, 2},
    };
    for (const auto& [point, code] : cases)
        EXPECT_EQ(sizer.HandleAt(point, canvas), code) << point.x() << "," << point.y();
}

TEST_F(HandleFixture, DrawsFilledHandlesWithAWhiteRim) {
    sizer.Margin = 0;
    sizer.HandleColour = RgbColour(10, 20, 30);
    const Colour fill = RgbColour(10, 20, 30);
    const Colour background = FromQColor(QColor(Qt::darkCyan));
    auto at = [&](int x, int y) { return FromQColor(image.pixelColor(x, y)); };
    sizer.DrawHandles(canvas);
    EXPECT_EQ(at(90, 90), fill) << "handle 1";
    EXPECT_EQ(at(80, 80), colours::White) << "rim of handle 1";
    EXPECT_EQ(at(99, 99), colours::White) << "rim of handle 1";
    EXPECT_EQ(at(100, 100), background) << "the frame's own corner";
    EXPECT_EQ(at(310, 210), fill) << "handle 3";
    EXPECT_EQ(at(200, 150), background) << "inside the frame";
}

TEST_F(HandleFixture, DrawnMiddleHandlesRoundTheirHalves) {
    sizer.Margin = 0;
    sizer.Frame = {100, 100, 303, 200}; // w / 2 = 101.5
    sizer.DrawHandles(canvas);
    const Colour background = FromQColor(QColor(Qt::darkCyan));
    auto at = [&](int x, int y) { return FromQColor(image.pixelColor(x, y)); };
    // Drawn over round(191.5) = 192 to round(211.5) = 212; hit over 191 to 211.
    EXPECT_EQ(at(191, 90), background);
    EXPECT_EQ(at(192, 90), colours::White);
    EXPECT_EQ(at(211, 90), colours::White);
    EXPECT_EQ(sizer.HandleRect(5), (Rect{191, 80, 211, 100}));
    EXPECT_EQ(sizer.HandleAt({191, 90}, canvas), 5);
}

TEST_F(HandleFixture, DrawsNoHandlesWithoutTheFrame) {
    sizer.ShowFrame = false;
    sizer.DrawHandles(canvas);
    EXPECT_EQ(image.pixelColor(80, 80), QColor(Qt::darkCyan));
}

TEST_F(HandleFixture, InvalidatesEachHandleOnePixelWiderWithoutErasing) {
    sizer.InvalidateHandles(canvas);
    ASSERT_EQ(window.rects.size(), 8u);
    EXPECT_EQ(window.rects[0], (Rect{69, 69, 91, 91}));
    EXPECT_EQ(window.rects[6], (Rect{309, 139, 331, 161}));
    EXPECT_FALSE(window.erased);
}

TEST_F(HandleFixture, SetFrameInvalidatesTheOldAndTheNewHandles) {
    sizer.SetFrame({0, 0, 50, 50}, canvas);
    ASSERT_EQ(window.rects.size(), 16u);
    EXPECT_EQ(window.rects[0], (Rect{69, 69, 91, 91}));
    EXPECT_EQ(window.rects[8], (Rect{-31, -31, -9, -9}));
    EXPECT_EQ(sizer.Frame, (Rect{0, 0, 50, 50}));
}

TEST(SizerTest, DestroyingInvalidatesTheHandlesWhereTheyWereDrawn) {
    QImage image(400, 300, QImage::Format_RGB32);
    RecordingWindow window;
    {
        Canvas canvas(image);
        TSizer sizer(&window);
        sizer.Frame = {100, 100, 300, 200};
        sizer.HandleSize = 20;
        sizer.DrawHandles(canvas);
        EXPECT_TRUE(window.rects.empty());
    }
    ASSERT_EQ(window.rects.size(), 8u);
    EXPECT_EQ(window.rects[2], (Rect{299, 199, 321, 221}));
}

// Dragging in board units on a board of 10000 × 10000 units.
class DragFixture : public ::testing::Test {
protected:
    DragFixture() : image(10, 10, QImage::Format_RGB32), canvas(image) {
        sizer.Limits = {0, 0, 10000, 10000};
        sizer.MinSize = {0, 0, 3, 3};
        sizer.PreviousRect = {1000, 1000, 2000, 1500}; // 1000 × 500
        sizer.HandleSize = 40;
    }

    Rect DragOnce(int handle, QPoint to) {
        sizer.BeginDrag(handle, canvas);
        sizer.Drag(to, canvas);
        return sizer.CurrentRect;
    }

    QImage image;
    Canvas canvas;
    TSizer sizer{nullptr};
};

TEST_F(DragFixture, CornerKeepsTheAspectAndStepsFromThePreviousRectangle) {
    sizer.PreviousRect = {2000, 1000, 3000, 1500}; // 1000 × 500
    sizer.BeginDrag(1, canvas);
    EXPECT_TRUE(sizer.Dragging());
    EXPECT_EQ(sizer.CurrentRect, sizer.PreviousRect);
    // 1000 units above the bottom edge, whatever the x: twice the height, so twice the size.
    sizer.Drag({9000, 500}, canvas);
    EXPECT_EQ(sizer.CurrentRect, (Rect{1000, 500, 3000, 1500}));
    EXPECT_EQ(sizer.PreviousRect, (Rect{2000, 1000, 3000, 1500}));
    sizer.Drag({0, 700}, canvas);
    EXPECT_EQ(sizer.PreviousRect, (Rect{1000, 500, 3000, 1500}));
    EXPECT_EQ(sizer.CurrentRect, (Rect{1400, 700, 3000, 1500}));
    sizer.Drag({0, 1000}, canvas);
    EXPECT_EQ(sizer.CurrentRect, (Rect{2000, 1000, 3000, 1500}));
}

struct DragCase {
    int handle;
    QPoint to;
    Rect expected;
};

TEST_F(DragFixture, EachHandleMovesItsEdgesAndNeverTurnsTheFrameOver) {
    const DragCase cases[] = {
        {2, {0, 500}, {1000, 500, 3000, 1500}},
        {3, {0, 2000}, {1000, 1000, 3000, 2000}},
        {4, {0, 1250}, {1500, 1000, 2000, 1250}},
        {5, {0, 800}, {1000, 800, 2000, 1500}},
        {6, {0, 1600}, {1000, 1000, 2000, 1600}},
        {7, {2400, 0}, {1000, 1000, 2400, 1500}},
        {8, {600, 0}, {600, 1000, 2000, 1500}},
        // Across the opposite edge the moving edge mirrors back to its own side.
        {7, {700, 0}, {1000, 1000, 1300, 1500}},
        {8, {2300, 0}, {1700, 1000, 2000, 1500}},
        {5, {0, 1800}, {1000, 1200, 2000, 1500}},
        {6, {0, 700}, {1000, 1000, 2000, 1300}},
        {1, {0, 2000}, {1000, 1000, 2000, 1500}}, // 500 below the bottom: the same size
        {3, {0, 750}, {1000, 1000, 1500, 1250}},
    };
    for (const DragCase& c : cases) {
        sizer.PreviousRect = {1000, 1000, 2000, 1500};
        EXPECT_EQ(DragOnce(c.handle, c.to), c.expected) << "handle " << c.handle;
    }
}

TEST_F(DragFixture, ACandidateLeavingTheBoardKeepsThePreviousRectangle) {
    EXPECT_EQ(DragOnce(1, {0, -100}), (Rect{1000, 1000, 2000, 1500}));
    // The limits themselves are outside too.
    EXPECT_EQ(DragOnce(8, {0, 0}), (Rect{1000, 1000, 2000, 1500}));
    EXPECT_EQ(DragOnce(8, {1, 0}), (Rect{1, 1000, 2000, 1500}));
    sizer.PreviousRect = {1000, 1000, 2000, 1500};
    EXPECT_EQ(DragOnce(7, {10000, 0}), (Rect{1000, 1000, 2000, 1500}));
    EXPECT_EQ(DragOnce(7, {9999, 0}), (Rect{1000, 1000, 9999, 1500}));
}

TEST_F(DragFixture, OnlyTheEdgesThatMoveAreHeldInsideTheLimits) {
    sizer.Limits = {1500, 0, 10000, 10000}; // the frame already reaches left of them
    EXPECT_EQ(DragOnce(7, {2500, 0}), (Rect{1000, 1000, 2500, 1500}));
    sizer.PreviousRect = {1000, 1000, 2000, 1500};
    EXPECT_EQ(DragOnce(8, {1200, 0}), (Rect{1000, 1000, 2000, 1500}));
}

TEST_F(DragFixture, MinimumSizeStopsShrinkingButNotASmallFrameGrowing) {
    sizer.MinSize = {0, 0, 100, 100};
    EXPECT_EQ(DragOnce(7, {1050, 0}), (Rect{1000, 1000, 2000, 1500}));
    EXPECT_EQ(DragOnce(6, {0, 1099}), (Rect{1000, 1000, 2000, 1500}));
    EXPECT_EQ(DragOnce(6, {0, 1100}), (Rect{1000, 1000, 2000, 1100}));

    sizer.PreviousRect = {1000, 1000, 1010, 1500}; // narrower than the minimum already
    sizer.BeginDrag(7, canvas);
    sizer.Drag({1050, 0}, canvas);
    EXPECT_EQ(sizer.CurrentRect, (Rect{1000, 1000, 1050, 1500})) << "wider than before";
    sizer.Drag({1005, 0}, canvas);
    EXPECT_EQ(sizer.CurrentRect, (Rect{1000, 1000, 1050, 1500})) << "narrower than both";
}

TEST_F(DragFixture, AFlatFrameIgnoresCornersAndTheHandlesAcrossIt) {
    for (int handle = 1; handle <= 6; ++handle) {
        sizer.PreviousRect = {1000, 1000, 2000, 1000};
        // Nothing moves; the result is only normalised, which widens the empty height.
        EXPECT_EQ(DragOnce(handle, {3000, 3000}), (Rect{1000, 999, 2000, 1001})) << handle;
    }
    sizer.PreviousRect = {1000, 1000, 2000, 1000};
    EXPECT_EQ(DragOnce(7, {2500, 3000}), (Rect{1000, 999, 2500, 1001}));
}

TEST(SizerTest, DraggedFrameIsInvertedAndErasedByTheNextStep) {
    const QImage before = Patterned(300, 200);
    QImage image = before;
    Canvas canvas(image);
    TSizer sizer(nullptr);
    sizer.Limits = {0, 0, 300, 200};
    sizer.MinSize = {0, 0, 3, 3};
    sizer.HandleSize = 8; // a frame pen of 2 pixels
    sizer.PreviousRect = {100, 50, 200, 100};
    sizer.BeginDrag(7, canvas);
    sizer.Drag({250, 0}, canvas);
    EXPECT_TRUE(sizer.FrameShown);
    EXPECT_EQ(sizer.DrawnRect, (Rect{100, 50, 250, 100}));
    // NOT XOR with a red pen keeps red and inverts green and blue.
    const QRgb was = before.pixel(175, 50);
    const QRgb now = image.pixel(175, 50);
    EXPECT_EQ(qRed(now), qRed(was));
    EXPECT_EQ(qGreen(now), 255 - qGreen(was));
    EXPECT_EQ(qBlue(now), 255 - qBlue(was));

    sizer.Drag({220, 0}, canvas);
    EXPECT_EQ(image.pixel(249, 75), before.pixel(249, 75)) << "the earlier right edge is gone";
    EXPECT_NE(image.pixel(219, 75), before.pixel(219, 75)) << "the new right edge shows";
    sizer.HideFrame(canvas);
    EXPECT_FALSE(sizer.FrameShown);
    for (const Rect& frame : {Rect{100, 50, 250, 100}, Rect{100, 50, 220, 100}})
        for (const QPoint& p : AroundEdges(frame))
            ASSERT_EQ(image.pixel(p), before.pixel(p)) << p.x() << "," << p.y();
}

TEST(SizerTest, WithoutTheFrameShownDraggingDrawsNothing) {
    const QImage before = Patterned(300, 200);
    QImage image = before;
    Canvas canvas(image);
    TSizer sizer(nullptr);
    sizer.Limits = {0, 0, 300, 200};
    sizer.HandleSize = 8;
    sizer.ShowFrame = false;
    sizer.PreviousRect = {100, 50, 200, 100};
    sizer.BeginDrag(7, canvas);
    sizer.Drag({250, 0}, canvas);
    EXPECT_EQ(sizer.CurrentRect, (Rect{100, 50, 250, 100}));
    EXPECT_FALSE(sizer.FrameShown);
    for (const QPoint& p : AroundEdges(Rect{100, 50, 250, 100}))
        ASSERT_EQ(image.pixel(p), before.pixel(p)) << p.x() << "," << p.y();
}

TEST(SizerTest, BeginDragInvalidatesTheHandles) {
    QImage image(10, 10, QImage::Format_RGB32);
    Canvas canvas(image);
    RecordingWindow window;
    TSizer sizer(&window);
    sizer.Frame = {100, 100, 300, 200};
    sizer.HandleSize = 20;
    sizer.BeginDrag(3, canvas);
    EXPECT_EQ(sizer.ActiveHandle, 3);
    EXPECT_EQ(window.rects.size(), 8u);
}

} // namespace
} // namespace karvel
