// The rubber-band line: it inverts the picture along a line and restores it when drawn again.

#include "elements/Templine.h"

#include <gtest/gtest.h>

#include <QtGui/QPainter>
#include <QtGui/QPicture>

#include <memory>

namespace karvel {
namespace {

constexpr Colour kLeft = RgbColour(200, 30, 60);
constexpr Colour kRight = RgbColour(20, 120, 240);

Colour Inverted(Colour c) {
    return c ^ 0xFFFFFF;
}

// A picture in two colours, so that inverting shows on either; one pixel per board unit.
class Picture {
public:
    Picture() : image_(100, 60, QImage::Format_RGB32) {
        image_.fill(ToQColor(kLeft));
        for (int y = 0; y < image_.height(); ++y)
            for (int x = 50; x < image_.width(); ++x)
                image_.setPixelColor(x, y, ToQColor(kRight));
        canvas_ = std::make_unique<Canvas>(image_);
    }
    Canvas& canvas() { return *canvas_; }
    // Pixels are read once the painting has ended.
    Colour At(int x, int y) {
        canvas_.reset();
        const Colour c = FromQColor(image_.pixelColor(x, y));
        canvas_ = std::make_unique<Canvas>(image_);
        return c;
    }

private:
    QImage image_;
    std::unique_ptr<Canvas> canvas_;
};

// Points on a horizontal line at y = 20 from x = 10 to x = 90, across both colours.
TTempline MakeLine(Picture& picture) {
    TTempline line;
    line.SetStartPoint({10, 20}, picture.canvas());
    line.SetEndPoint({90, 20}, picture.canvas());
    return line;
}

TEST(TemplineTest, ShowInvertsAndHideRestoresOnEveryColour) {
    Picture picture;
    TTempline line = MakeLine(picture);
    EXPECT_EQ(line.LineWidth(), 2);
    line.Show(picture.canvas());
    EXPECT_TRUE(line.Shown());
    EXPECT_EQ(picture.At(30, 20), Inverted(kLeft));
    EXPECT_EQ(picture.At(70, 20), Inverted(kRight));
    EXPECT_EQ(picture.At(30, 30), kLeft) << "nothing beside the line";

    line.Hide(picture.canvas());
    EXPECT_FALSE(line.Shown());
    for (int x : {10, 11, 30, 49, 50, 70, 89, 90})
        for (int y : {18, 19, 20, 21, 22})
            EXPECT_EQ(picture.At(x, y), x < 50 ? kLeft : kRight) << x << "," << y;

    // Hiding what is not shown must not invert the picture again.
    line.Hide(picture.canvas());
    EXPECT_EQ(picture.At(30, 20), kLeft);
}

TEST(TemplineTest, ShowingAgainMovesTheLineInsteadOfDoublingIt) {
    Picture picture;
    TTempline line = MakeLine(picture);
    line.Show(picture.canvas());
    line.Show(picture.canvas());
    EXPECT_EQ(picture.At(30, 20), Inverted(kLeft)) << "shown once, not erased by a second show";
    line.Hide(picture.canvas());
    EXPECT_EQ(picture.At(30, 20), kLeft);
}

TEST(TemplineTest, MovingTheEndWhileShownErasesTheOldLineAndDrawsTheNew) {
    Picture picture;
    TTempline line = MakeLine(picture);
    line.Show(picture.canvas());
    line.SetEndPoint({10, 50}, picture.canvas());
    EXPECT_EQ(picture.At(70, 20), kRight) << "old line erased";
    EXPECT_EQ(picture.At(10, 35), Inverted(kLeft)) << "new line drawn";
    line.SetStartPoint({40, 50}, picture.canvas());
    EXPECT_EQ(picture.At(10, 35), kLeft);
    EXPECT_EQ(picture.At(25, 50), Inverted(kLeft));
    line.Hide(picture.canvas());
    EXPECT_EQ(picture.At(25, 50), kLeft);
}

// A recording keeps every figure as drawn: on it inverting twice does not cancel out, so an
// erase-and-redraw in place shows as well as any other drawing.
class Recording {
public:
    Recording() : canvas_(std::make_unique<Canvas>(picture_)) {}
    Canvas& canvas() { return *canvas_; }
    bool DrewAnything() {
        canvas_.reset();
        QImage image(100, 60, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        painter.drawPicture(0, 0, picture_);
        painter.end();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixelColor(x, y) != Qt::black)
                    return true;
        return false;
    }

private:
    QPicture picture_;
    std::unique_ptr<Canvas> canvas_;
};

TEST(TemplineTest, UnchangedOrHiddenLinesDrawNothing) {
    Picture picture;
    TTempline line = MakeLine(picture);
    line.Show(picture.canvas());

    Recording unchanged;
    line.SetEndPoint({90, 20}, unchanged.canvas());
    line.SetStartPoint({10, 20}, unchanged.canvas());
    line.SetLineWidth(2, unchanged.canvas());
    EXPECT_FALSE(unchanged.DrewAnything());
    EXPECT_TRUE(line.Shown());

    Recording moved;
    line.SetEndPoint({90, 21}, moved.canvas());
    EXPECT_TRUE(moved.DrewAnything()) << "a real change redraws";

    line.Hide(picture.canvas());
    Recording hidden;
    line.SetEndPoint({90, 40}, hidden.canvas());
    line.SetStartPoint({0, 0}, hidden.canvas());
    line.SetLineWidth(6, hidden.canvas());
    EXPECT_FALSE(hidden.DrewAnything());
    EXPECT_EQ(line.StartPoint(), QPoint(0, 0));
    EXPECT_EQ(line.EndPoint(), QPoint(90, 40));
    EXPECT_EQ(line.LineWidth(), 6);
    EXPECT_FALSE(line.Shown());
}

TEST(TemplineTest, WidthIsInBoardUnitsAndErasesWhatItDrew) {
    Picture picture;
    TTempline line = MakeLine(picture);
    line.Show(picture.canvas());
    line.SetLineWidth(9, picture.canvas());
    EXPECT_EQ(picture.At(30, 23), Inverted(kLeft)) << "a wide line covers beside its axis";
    EXPECT_EQ(picture.At(30, 17), Inverted(kLeft));
    EXPECT_EQ(picture.At(30, 27), kLeft);
    line.Hide(picture.canvas());
    for (int y : {16, 20, 24})
        EXPECT_EQ(picture.At(30, y), kLeft) << y;
}

} // namespace
} // namespace karvel
