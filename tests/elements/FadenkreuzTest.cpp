#include "elements/Fadenkreuz.h"

#include <gtest/gtest.h>

namespace karvel {
namespace {

QImage Patterned(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x * 7 % 256, y * 5 % 256, 0x33));
    return image;
}

constexpr Colour Grey = RgbColour(128, 128, 128);

// Board unit (0, 0) is pixel (20, 30), one pixel per unit; the surface is 200 × 150 pixels.
class CrosshairFixture : public ::testing::Test {
protected:
    CrosshairFixture() : before(Patterned(200, 150)), image(before), canvas(image) {
        canvas.SetMapping({-20, -30}, {1, 1}, {0, 0}, {1, 1});
        crosshair.LineColour = Grey;
    }

    bool Crossed(int x, int y) const {
        return image.pixel(x, y) == (before.pixel(x, y) ^ 0x808080u);
    }
    bool Untouched(int x, int y) const { return image.pixel(x, y) == before.pixel(x, y); }

    QImage before;
    QImage image;
    Canvas canvas;
    TFadenKreuz crosshair;
};

TEST_F(CrosshairFixture, LinesRunFromTheBoardOriginToTheClipEdges) {
    crosshair.SetPosition({50, 40}, canvas); // pixel (70, 70)
    EXPECT_TRUE(crosshair.Shown());
    EXPECT_EQ(crosshair.DrawnPosition, QPoint(50, 40));
    // Horizontal: from x = 0 (pixel 20) to the right edge of the surface.
    EXPECT_TRUE(Crossed(20, 70));
    EXPECT_TRUE(Crossed(199, 70));
    EXPECT_TRUE(Untouched(19, 70));
    // Vertical: from y = 0 (pixel 30) down to the bottom and up to the top.
    EXPECT_TRUE(Crossed(70, 149));
    EXPECT_TRUE(Crossed(70, 10));
    EXPECT_TRUE(Untouched(71, 100));
}

TEST_F(CrosshairFixture, HidingAndMovingEraseWhatWasDrawn) {
    crosshair.SetPosition({50, 40}, canvas);
    crosshair.SetPosition({100, 90}, canvas); // pixel (120, 120)
    EXPECT_TRUE(Untouched(150, 70));
    EXPECT_TRUE(Untouched(70, 100));
    EXPECT_TRUE(Crossed(150, 120));
    EXPECT_TRUE(Crossed(120, 10));
    crosshair.Hide(canvas);
    EXPECT_FALSE(crosshair.Shown());
    for (int x = 0; x < 200; ++x)
        for (const int y : {70, 120})
            ASSERT_TRUE(Untouched(x, y)) << x << "," << y;
    for (int y = 0; y < 150; ++y)
        for (const int x : {70, 120})
            ASSERT_TRUE(Untouched(x, y)) << x << "," << y;
    crosshair.Hide(canvas); // hiding twice changes nothing
    EXPECT_TRUE(Untouched(150, 120));
}

TEST_F(CrosshairFixture, StopsAtTheClipRegionAndErasesThereEvenAfterItChanges) {
    canvas.SelectClipRegion(Region::FromRect({0, 0, 100, 150}));
    crosshair.SetPosition({50, 40}, canvas);
    EXPECT_TRUE(Crossed(99, 70));
    canvas.SelectClipRegion(std::nullopt);
    EXPECT_TRUE(Untouched(100, 70));
    crosshair.Hide(canvas);
    // Erasing repeats the lines that were drawn, so nothing beyond the old clip is touched.
    EXPECT_TRUE(Untouched(99, 70));
    EXPECT_TRUE(Untouched(150, 70));
}

TEST_F(CrosshairFixture, GivesThePenBackInCopyMode) {
    canvas.SetPen(RgbColour(1, 2, 3), 7, PenStyle::Dot);
    crosshair.Show(canvas);
    EXPECT_EQ(canvas.PenColour(), RgbColour(1, 2, 3));
    EXPECT_EQ(canvas.PenWidth(), 7);
    EXPECT_EQ(canvas.GetPenStyle(), PenStyle::Dot);
    EXPECT_EQ(canvas.GetMixMode(), MixMode::Copy);
}

} // namespace
} // namespace karvel
