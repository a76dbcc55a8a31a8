#include "platform/Canvas.h"
#include "support/Pixels.h"
#include "support/Shapes.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <numbers>
#include <QtCore/QBuffer>
#include <QtCore/QCoreApplication>
#include <QtGui/QFontInfo>
#include <QtGui/QPdfWriter>
#include <QtGui/QPicture>
#include <QtGui/QPixmap>
#include <QtGui/QWindow>
#include <QtSvg/QSvgGenerator>
#include <QtWidgets/QWidget>

namespace karvel {
namespace {

using test::Pentagram;
using test::PixelAt;
using test::Square;

constexpr Colour Pen = RgbColour(0x12, 0x34, 0x56);
constexpr Colour Brush = RgbColour(0x20, 0x40, 0xE0);
constexpr Colour White = colours::White;

// --- Helpers

// The mapping a board view sets up: s = round(zoom × 16) pixels per hole pitch of 254 units,
// scrolled by (hx, hy); the solder side flips the board about its horizontal centre line.
struct BoardView {
    double zoom = 1.0;
    bool solder = false;
    int hx = 0;
    int hy = 0;
    int oy = 127;
    int height = 2540;
};

void PrintTo(const BoardView& v, std::ostream* os) {
    *os << "zoom " << v.zoom << (v.solder ? " solder" : " component") << " scrolled " << v.hx << ","
        << v.hy;
}

int PixelsPerPitch(double zoom) {
    return int(std::lround(zoom * 16));
}

void SetBoardMapping(Canvas& canvas, const BoardView& view) {
    const int s = PixelsPerPitch(view.zoom);
    if (view.solder)
        canvas.SetMapping({0, 2 * view.oy + view.height}, {254, -254}, {-view.hx, -view.hy},
                          {s, s});
    else
        canvas.SetMapping({0, 0}, {254, 254}, {-view.hx, -view.hy}, {s, s});
}

// y' = 100 - y: turns figures over like the solder side, one pixel per unit.
void SetFlippedMapping(Canvas& canvas) {
    canvas.SetMapping({0, 100}, {1, -1}, {0, 0}, {1, 1});
}

void SetDoubleMapping(Canvas& canvas) {
    canvas.SetMapping({0, 0}, {1, 1}, {0, 0}, {2, 2});
}

// The smallest rectangle holding every pixel that differs from the background.
QRect InkBounds(const QImage& image, Colour background) {
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (PixelAt(image, x, y) != background)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

class CanvasOnImage : public ::testing::Test {
protected:
    QImage image{120, 120, QImage::Format_RGB32};

    CanvasOnImage() { image.fill(Qt::white); }
    Colour At(int x, int y) const { return PixelAt(image, x, y); }
    void Draw(const std::function<void(Canvas&)>& paint) {
        Canvas canvas(image);
        paint(canvas);
    }
};

// --- Mapping

using CanvasMapping = CanvasOnImage;

TEST_F(CanvasMapping, ComponentSideAtZoomThree) {
    Canvas canvas(image);
    SetBoardMapping(canvas, {.zoom = 3.0, .hx = 10, .hy = 20});
    EXPECT_EQ(canvas.LPtoDP(QPoint(254, 508)), QPoint(48 - 10, 96 - 20));
    EXPECT_EQ(canvas.LPtoDP(QPoint(100, 0)), QPoint(19 - 10, -20)) << "18.9 pixels round up";
    EXPECT_EQ(canvas.DPtoLP(QPoint(38, 76)), QPoint(254, 508));
    EXPECT_EQ(canvas.DPtoLP(QPoint(9, -20)), QPoint(101, 0)) << "100.54 units round up";
}

TEST_F(CanvasMapping, SolderSideFlipsAboutTheBoardCentre) {
    Canvas canvas(image);
    // 2·oy + height = 2794; y_c = (2794 − y) · 48 / 254 − hy.
    SetBoardMapping(canvas, {.zoom = 3.0, .solder = true, .hx = 10, .hy = 20});
    EXPECT_EQ(canvas.LPtoDP(QPoint(254, 254)), QPoint(48 - 10, 480 - 20));
    EXPECT_EQ(canvas.LPtoDP(QPoint(0, 2794)), QPoint(-10, -20));
    EXPECT_EQ(canvas.LPtoDP(QPoint(0, 0)), QPoint(-10, 528 - 20));
    EXPECT_EQ(canvas.DPtoLP(QPoint(38, 460)), QPoint(254, 254));
}

class CanvasBoardMapping : public ::testing::TestWithParam<BoardView> {};

TEST_P(CanvasBoardMapping, OnePitchIsSPixelsAndConversionsRoundTrip) {
    QImage image(8, 8, QImage::Format_RGB32);
    Canvas canvas(image);
    const BoardView view = GetParam();
    SetBoardMapping(canvas, view);
    const int s = PixelsPerPitch(view.zoom);

    const QPoint step = canvas.LPtoDP(QPoint(254, 254)) - canvas.LPtoDP(QPoint(0, 0));
    EXPECT_EQ(step, QPoint(s, view.solder ? -s : s));
    EXPECT_DOUBLE_EQ(canvas.Scale(), s / 254.0);

    // The finer grid of the two survives the trip there and back.
    if (s <= 254) {
        for (int d = -300; d <= 300; ++d) {
            const QPoint device(d, 2 * d + 7);
            ASSERT_EQ(canvas.LPtoDP(canvas.DPtoLP(device)), device) << "device " << d;
        }
    } else {
        for (int l = -300; l <= 300; ++l) {
            const QPoint logical(l, 3000 - 2 * l);
            ASSERT_EQ(canvas.DPtoLP(canvas.LPtoDP(logical)), logical) << "logical " << l;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Zooms, CanvasBoardMapping,
                         ::testing::Values(BoardView{.zoom = 0.2}, BoardView{.zoom = 1.0},
                                           BoardView{.zoom = 3.0, .hx = 30, .hy = 45},
                                           BoardView{.zoom = 3.0, .solder = true, .hy = 45},
                                           BoardView{.zoom = 7.3, .solder = true, .hx = 3},
                                           BoardView{.zoom = 20.0},
                                           BoardView{.zoom = 20.0, .solder = true, .hy = 900}));

TEST_F(CanvasMapping, RoundsHalvesUp) {
    Canvas canvas(image);
    canvas.SetMapping({0, 0}, {2, 2}, {0, 0}, {1, 1});
    EXPECT_EQ(canvas.LPtoDP(QPoint(5, 7)), QPoint(3, 4));
    EXPECT_EQ(canvas.LPtoDP(QPoint(4, 1)), QPoint(2, 1));
    EXPECT_EQ(canvas.LengthToDevice(5), 3);
}

TEST_F(CanvasMapping, KeepsUnitsSquareBySmallerScale) {
    Canvas canvas(image);
    canvas.SetMapping({0, 0}, {100, 100}, {0, 0}, {50, 200});
    EXPECT_EQ(canvas.LPtoDP(QPoint(100, 100)), QPoint(50, 50));
    canvas.SetMapping({0, 0}, {100, 100}, {0, 0}, {50, -200});
    EXPECT_EQ(canvas.LPtoDP(QPoint(100, 100)), QPoint(50, -50)) << "the flip survives";
    canvas.SetMapping({0, 0}, {100, -100}, {0, 0}, {300, 60});
    EXPECT_EQ(canvas.LPtoDP(QPoint(100, 100)), QPoint(60, -60));
    EXPECT_DOUBLE_EQ(canvas.Scale(), 0.6);
}

TEST_F(CanvasMapping, IgnoresZeroExtents) {
    Canvas canvas(image);
    SetBoardMapping(canvas, {.zoom = 3.0});
    canvas.SetMapping({0, 0}, {254, 0}, {0, 0}, {48, 48});
    canvas.SetMapping({0, 0}, {254, 254}, {0, 0}, {0, 48});
    EXPECT_EQ(canvas.LPtoDP(QPoint(254, 254)), QPoint(48, 48));
}

TEST_F(CanvasMapping, RectanglesKeepTheirCornersUnsorted) {
    Canvas canvas(image);
    SetBoardMapping(canvas, {.zoom = 3.0, .solder = true});
    const Rect device = canvas.LPtoDP(Rect{0, 0, 254, 254});
    EXPECT_EQ(device, (Rect{0, 528, 48, 480}));
    EXPECT_EQ(canvas.DPtoLP(device), (Rect{0, 0, 254, 254}));
}

TEST_F(CanvasMapping, LengthsUseTheScaleOnly) {
    Canvas canvas(image);
    SetBoardMapping(canvas, {.zoom = 3.0, .solder = true, .hx = 77, .hy = 99});
    EXPECT_EQ(canvas.LengthToDevice(254), 48);
    EXPECT_EQ(canvas.LengthToDevice(100), 19);
    EXPECT_EQ(canvas.LengthToLogical(48), 254);
    EXPECT_EQ(canvas.LengthToLogical(19), 101);
    canvas.ResetMapping();
    EXPECT_EQ(canvas.LPtoDP(QPoint(-7, 13)), QPoint(-7, 13));
    EXPECT_EQ(canvas.LengthToDevice(13), 13);
}

// --- Lines and pens

struct LineCase {
    QPoint from;
    QPoint to;
    QPoint lastDrawn;
};

void PrintTo(const LineCase& c, std::ostream* os) {
    *os << "(" << c.from.x() << "," << c.from.y() << ") to (" << c.to.x() << "," << c.to.y() << ")";
}

class CanvasLineTo : public CanvasOnImage, public ::testing::WithParamInterface<LineCase> {};

TEST_P(CanvasLineTo, LeavesOutTheEndPixelInEveryDirection) {
    const LineCase& c = GetParam();
    Draw([&](Canvas& canvas) {
        canvas.SetPen(Pen);
        canvas.Line(c.from, c.to);
    });
    EXPECT_EQ(At(c.from.x(), c.from.y()), Pen);
    EXPECT_EQ(At(c.lastDrawn.x(), c.lastDrawn.y()), Pen);
    EXPECT_EQ(At(c.to.x(), c.to.y()), White);
}

INSTANTIATE_TEST_SUITE_P(Directions, CanvasLineTo,
                         ::testing::Values(LineCase{{10, 50}, {40, 50}, {39, 50}},
                                           LineCase{{40, 50}, {10, 50}, {11, 50}},
                                           LineCase{{50, 10}, {50, 40}, {50, 39}},
                                           LineCase{{50, 40}, {50, 10}, {50, 11}},
                                           LineCase{{10, 10}, {40, 40}, {39, 39}},
                                           LineCase{{40, 40}, {10, 10}, {11, 11}},
                                           LineCase{{20, 20}, {30, 60}, {30, 59}},
                                           LineCase{{30, 60}, {20, 20}, {20, 21}}));

TEST_F(CanvasOnImage, ZeroLengthLineDrawsNothing) {
    Draw([](Canvas& canvas) {
        canvas.SetPen(Pen);
        canvas.Line({30, 30}, {30, 30});
    });
    EXPECT_EQ(At(30, 30), White);
}

TEST_F(CanvasOnImage, LineToContinuesFromTheMappedCurrentPosition) {
    Draw([](Canvas& canvas) {
        SetBoardMapping(canvas, {.zoom = 3.0});
        canvas.SetPen(Pen);
        canvas.MoveTo({254, 254}); // (48, 48)
        canvas.LineTo({254, 508}); // (48, 96)
        canvas.LineTo({508, 508}); // (96, 96)
    });
    EXPECT_EQ(At(48, 48), Pen);
    EXPECT_EQ(At(48, 95), Pen);
    EXPECT_EQ(At(48, 96), Pen) << "the second line starts where the first ended";
    EXPECT_EQ(At(95, 96), Pen);
    EXPECT_EQ(At(96, 96), White);
    EXPECT_EQ(At(47, 60), White);
}

// XOR with white turns white black; a pixel drawn twice would turn white again.
TEST_F(CanvasOnImage, PolylineCoversEachCornerOnce) {
    Draw([](Canvas& canvas) {
        canvas.SetMixMode(MixMode::XorPen);
        canvas.SetPen(White);
        const std::vector<QPoint> points{{10, 10}, {50, 10}, {50, 40}, {10, 40}, {10, 20}};
        canvas.Polyline(points);
    });
    for (const QPoint p : {QPoint(10, 10), QPoint(50, 10), QPoint(50, 40), QPoint(10, 40),
                           QPoint(10, 21), QPoint(30, 10), QPoint(50, 25)})
        EXPECT_EQ(At(p.x(), p.y()), colours::Black) << p.x() << "," << p.y();
    EXPECT_EQ(At(10, 20), White) << "the polyline's end pixel is left out";
}

TEST_F(CanvasOnImage, PolygonOutlineCoversEachVertexOnce) {
    Draw([](Canvas& canvas) {
        canvas.SetMixMode(MixMode::XorPen);
        canvas.SetPen(White);
        canvas.SetBrushStyle(BrushStyle::Clear);
        const std::vector<QPoint> triangle{{10, 10}, {50, 10}, {30, 40}};
        canvas.Polygon(triangle);
    });
    for (const QPoint p : {QPoint(10, 10), QPoint(50, 10), QPoint(30, 40), QPoint(30, 10)})
        EXPECT_EQ(At(p.x(), p.y()), colours::Black) << p.x() << "," << p.y();
    EXPECT_EQ(At(30, 20), White) << "clear brush";
}

TEST_F(CanvasOnImage, PenColourIsStoredBlueGreenRed) {
    Draw([](Canvas& canvas) {
        canvas.SetPen(0x0000FF);
        canvas.Line({10, 10}, {20, 10});
    });
    EXPECT_EQ(image.pixelColor(12, 10), QColor(255, 0, 0));
}

// Pens narrower than a pixel after scaling draw a solid one-pixel line, not scattered dots.
class CanvasThinPen : public CanvasOnImage, public ::testing::WithParamInterface<int> {};

TEST_P(CanvasThinPen, DrawsOnePixelWithoutGaps) {
    Draw([](Canvas& canvas) {
        SetBoardMapping(canvas, {.zoom = 3.0});
        canvas.SetPen(Pen, GetParam());
        canvas.Line({0, 254}, {508, 254}); // (0, 48) to (96, 48)
    });
    for (int x = 0; x < 96; ++x)
        ASSERT_EQ(At(x, 48), Pen) << "x " << x;
    EXPECT_EQ(At(96, 48), White);
    for (int x = 0; x <= 96; ++x) {
        ASSERT_EQ(At(x, 47), White) << "x " << x;
        ASSERT_EQ(At(x, 49), White) << "x " << x;
    }
}

// Widths in units at 48 pixels per 254 units: 5 → 0.94 px, 7 → 1.32 px.
INSTANTIATE_TEST_SUITE_P(Widths, CanvasThinPen, ::testing::Values(0, 1, 5, 7));

TEST_F(CanvasOnImage, WidePenHasRoundCapsAndJoins) {
    Draw([](Canvas& canvas) {
        canvas.SetPen(Pen, 10);
        canvas.Line({30, 60}, {80, 60});
        const std::vector<QPoint> corner{{30, 20}, {80, 20}, {80, 50}};
        canvas.Polyline(corner);
    });
    EXPECT_EQ(At(55, 56), Pen);
    EXPECT_EQ(At(55, 64), Pen);
    EXPECT_EQ(At(55, 66), White);
    EXPECT_EQ(At(84, 60), Pen) << "the cap reaches past the end";
    EXPECT_EQ(At(26, 60), Pen) << "and past the start";
    EXPECT_EQ(At(84, 64), White) << "round, not square";
    EXPECT_EQ(At(25, 55), White) << "round, not square";
    EXPECT_EQ(At(84, 16), White) << "round join, not mitred";
    EXPECT_EQ(At(83, 18), Pen);
}

TEST_F(CanvasOnImage, PenWidthIsScaledToPixels) {
    Draw([](Canvas& canvas) {
        SetBoardMapping(canvas, {.zoom = 3.0});
        canvas.SetPen(Pen, 50); // 9.4 pixels
        canvas.Line({0, 254}, {508, 254});
    });
    EXPECT_EQ(At(48, 44), Pen);
    EXPECT_EQ(At(48, 51), Pen);
    EXPECT_EQ(At(48, 42), White);
    EXPECT_EQ(At(48, 54), White);
}

struct StyleCase {
    PenStyle style;
    int on;
    int off;
};

void PrintTo(const StyleCase& c, std::ostream* os) {
    *os << c.on << " on, " << c.off << " off";
}

class CanvasPenStyle : public CanvasOnImage, public ::testing::WithParamInterface<StyleCase> {};

TEST_P(CanvasPenStyle, OnePixelPatternRunsOnAcrossCorners) {
    const StyleCase& c = GetParam();
    Draw([&](Canvas& canvas) {
        canvas.SetPen(Pen, 0, c.style);
        canvas.Line({0, 20}, {100, 20});
        // The second side starts 10 pixels into the pattern.
        const std::vector<QPoint> corner{{0, 50}, {10, 50}, {10, 110}};
        canvas.Polyline(corner);
    });
    const int period = c.on + c.off;
    for (int x = 0; x < 2 * period; ++x)
        EXPECT_EQ(At(x, 20) == Pen, x % period < c.on) << "x " << x;
    for (int y = 50; y < 50 + period; ++y)
        EXPECT_EQ(At(10, y) == Pen, (y - 50 + 10) % period < c.on) << "y " << y;
}

INSTANTIATE_TEST_SUITE_P(Styles, CanvasPenStyle,
                         ::testing::Values(StyleCase{PenStyle::Dash, 18, 6},
                                           StyleCase{PenStyle::Dot, 3, 3}));

TEST_F(CanvasOnImage, WideStyledPenDrawsSolid) {
    Draw([](Canvas& canvas) {
        canvas.SetPen(Pen, 4, PenStyle::Dash);
        canvas.Line({10, 50}, {110, 50});
    });
    for (int x = 10; x < 110; ++x)
        ASSERT_EQ(At(x, 50), Pen) << "x " << x;
}

TEST_F(CanvasOnImage, ClearPenDrawsNoOutline) {
    Draw([](Canvas& canvas) {
        canvas.SetPen(Pen, 0, PenStyle::Clear);
        canvas.SetBrush(Brush);
        canvas.Line({0, 5}, {100, 5});
        canvas.DrawEllipse({10, 10, 50, 50});
        canvas.SetPenWidth(10);
        canvas.Polyline(Square(60, 60, 40));
    });
    EXPECT_EQ(At(50, 5), White);
    EXPECT_EQ(At(30, 30), Brush);
    EXPECT_NE(At(10, 30), Pen);
    EXPECT_NE(At(30, 10), Pen);
    EXPECT_EQ(At(80, 60), White);
}

// --- Mix modes

struct MixCase {
    MixMode mode;
    Colour expected; // pen 0x563412 over 0xAA0FF0
};

void PrintTo(const MixCase& c, std::ostream* os) {
    *os << "mode " << int(c.mode);
}

class CanvasMixMode : public ::testing::TestWithParam<MixCase> {};

TEST_P(CanvasMixMode, CombinesPenAndBrushWithThePicture) {
    constexpr Colour background = RgbColour(0xF0, 0x0F, 0xAA);
    for (const QImage::Format format :
         {QImage::Format_RGB32, QImage::Format_ARGB32, QImage::Format_ARGB32_Premultiplied}) {
        QImage image(60, 60, format);
        image.fill(ToQColor(background));
        {
            Canvas canvas(image);
            canvas.SetMixMode(GetParam().mode);
            canvas.SetPen(Pen);
            canvas.SetBrush(Pen);
            canvas.Line({5, 5}, {50, 5});
            canvas.SetPenStyle(PenStyle::Clear);
            canvas.DrawRectangle({10, 20, 40, 40});
        }
        EXPECT_EQ(PixelAt(image, 20, 5), GetParam().expected) << "pen, format " << format;
        EXPECT_EQ(PixelAt(image, 20, 30), GetParam().expected) << "brush, format " << format;
        EXPECT_EQ(PixelAt(image, 55, 55), background);
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, CanvasMixMode,
                         ::testing::Values(MixCase{MixMode::Copy, 0x563412},
                                           MixCase{MixMode::XorPen, 0xFC3BE2},
                                           MixCase{MixMode::NotXorPen, 0x03C41D},
                                           MixCase{MixMode::MaskNotPen, 0xA80BE0}));

// Every figure an element can draw, in colour, wide and thin, filled and not.
void DrawEveryFigure(Canvas& canvas) {
    canvas.SetMixMode(MixMode::NotXorPen);
    canvas.SetFillMode(FillMode::Alternate);
    canvas.SetBrush(RgbColour(30, 200, 90));
    canvas.SetPen(RgbColour(200, 40, 170), 7);
    canvas.Polygon(Pentagram({50, 50}, 40));
    canvas.DrawEllipse({5, 60, 70, 95});
    canvas.Polyline(Square(20, 20, 70));
    canvas.SetPen(RgbColour(250, 250, 10), 0, PenStyle::Dash);
    canvas.DrawRectangle({30, 30, 90, 80});
    canvas.PolyPolyline({{{0, 0}, {99, 60}, {10, 99}}, {{99, 0}, {0, 99}}});
    canvas.SetPenStyle(PenStyle::Solid);
    canvas.SetFillMode(FillMode::Winding);
    canvas.PolyPolygon({Square(60, 5, 30), Square(70, 15, 30)});
    canvas.Line({3, 97}, {97, 3});
}

QImage Patterned(QImage::Format format) {
    QImage image(100, 100, format);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            image.setPixelColor(x, y, QColor(x * 2, y * 2, (x ^ y) & 0xFF));
    return image;
}

class CanvasNotXorTwice : public ::testing::TestWithParam<QImage::Format> {};

TEST_P(CanvasNotXorTwice, RestoresTheImageBitForBit) {
    const QImage original = Patterned(GetParam());
    QImage image = original;
    {
        Canvas canvas(image);
        DrawEveryFigure(canvas);
    }
    ASSERT_NE(PixelAt(image, 50, 50), PixelAt(original, 50, 50)) << "the figure was drawn";
    {
        Canvas canvas(image);
        DrawEveryFigure(canvas);
    }
    EXPECT_TRUE(image == original);
}

INSTANTIATE_TEST_SUITE_P(Formats, CanvasNotXorTwice,
                         ::testing::Values(QImage::Format_RGB32, QImage::Format_ARGB32,
                                           QImage::Format_ARGB32_Premultiplied));

TEST(CanvasNotXorTwiceOnPixmap, RestoresThePixmap) {
    const QImage original = Patterned(QImage::Format_RGB32);
    QPixmap pixmap = QPixmap::fromImage(original);
    const QImage before = pixmap.toImage();
    for (int pass = 0; pass < 2; ++pass) {
        Canvas canvas(pixmap);
        DrawEveryFigure(canvas);
    }
    EXPECT_TRUE(pixmap.toImage() == before);
}

// --- Raster and vector targets

TEST(CanvasTargets, KnowsWhichKeepPixels) {
    QImage image(10, 10, QImage::Format_RGB32);
    QPixmap pixmap(10, 10);
    QPicture picture;
    QBuffer pdfBuffer;
    pdfBuffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&pdfBuffer);
    QBuffer svgBuffer;
    svgBuffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&svgBuffer);
    svg.setSize({10, 10});

    EXPECT_TRUE(Canvas(image).IsRaster());
    EXPECT_TRUE(Canvas(pixmap).IsRaster());
    for (QPaintDevice* device : std::initializer_list<QPaintDevice*>{&picture, &pdf, &svg}) {
        Canvas canvas(*device);
        EXPECT_FALSE(canvas.IsRaster()) << device->devType();
        EXPECT_FALSE(canvas.Pixel({1, 1}).has_value()) << device->devType();
    }
}

// A picture records the composition mode; played back on an image, an inverting mode would
// show as inverted pixels.
TEST(CanvasTargets, VectorTargetsDrawMixModesAsCopy) {
    QPicture picture;
    {
        Canvas canvas(picture);
        canvas.SetMixMode(MixMode::XorPen);
        canvas.SetPen(Pen, 0);
        canvas.SetBrush(Brush);
        canvas.Line({10, 20}, {50, 20});
        canvas.DrawRectangle({10, 30, 40, 50});
    }
    QImage image(60, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.drawPicture(0, 0, picture);
    }
    EXPECT_EQ(PixelAt(image, 20, 20), Pen);
    EXPECT_EQ(PixelAt(image, 20, 40), Brush);
}

// --- Rectangles and ellipses

TEST_F(CanvasOnImage, RectangleOutlineEndsBeforeRightAndBottom) {
    Draw([](Canvas& canvas) {
        canvas.SetPen(Pen);
        canvas.SetBrush(Brush);
        canvas.DrawRectangle({10, 10, 20, 16});
    });
    EXPECT_EQ(At(10, 10), Pen);
    EXPECT_EQ(At(19, 10), Pen);
    EXPECT_EQ(At(20, 10), White);
    EXPECT_EQ(At(10, 15), Pen);
    EXPECT_EQ(At(10, 16), White);
    EXPECT_EQ(At(19, 15), Pen);
    EXPECT_EQ(At(11, 11), Brush);
    EXPECT_EQ(At(18, 14), Brush);
}

TEST_F(CanvasOnImage, RectangleWithoutPenFillsOnePixelLess) {
    Draw([](Canvas& canvas) {
        canvas.SetPen(Pen, 0, PenStyle::Clear);
        canvas.SetBrush(Brush);
        canvas.DrawRectangle({10, 10, 20, 16});
    });
    EXPECT_EQ(At(10, 10), Brush);
    EXPECT_EQ(At(18, 14), Brush);
    EXPECT_EQ(At(19, 14), White);
    EXPECT_EQ(At(18, 15), White);
}

TEST_F(CanvasOnImage, RectangleTurnedOverByTheMappingKeepsItsSize) {
    Draw([](Canvas& canvas) {
        SetFlippedMapping(canvas);
        canvas.SetPen(Pen);
        canvas.SetBrush(Brush);
        canvas.DrawRectangle({10, 10, 20, 16}); // device rows 90 to 84
    });
    EXPECT_EQ(At(10, 84), Pen);
    EXPECT_EQ(At(10, 89), Pen);
    EXPECT_EQ(At(10, 90), White);
    EXPECT_EQ(At(19, 84), Pen);
    EXPECT_EQ(At(20, 84), White);
    EXPECT_EQ(At(15, 86), Brush);
}

TEST_F(CanvasOnImage, SmallestRectangles) {
    Draw([](Canvas& canvas) {
        canvas.SetPen(Pen);
        canvas.DrawRectangle({30, 30, 31, 31});
        canvas.DrawRectangle({40, 30, 41, 35});
        canvas.DrawRectangle({50, 30, 50, 35});
    });
    EXPECT_EQ(At(30, 30), Pen);
    EXPECT_EQ(At(31, 30), White);
    EXPECT_EQ(At(30, 31), White);
    EXPECT_EQ(At(40, 34), Pen);
    EXPECT_EQ(At(41, 34), White);
    EXPECT_EQ(At(40, 35), White);
    EXPECT_EQ(At(50, 32), White) << "no width, nothing drawn";
}

TEST_F(CanvasOnImage, EllipseStaysWithinRightAndBottomMinusOne) {
    Draw([](Canvas& canvas) {
        canvas.SetPen(Pen);
        canvas.SetBrush(Brush);
        canvas.DrawEllipse({10, 10, 31, 21}); // centre (20, 15)
    });
    EXPECT_EQ(At(10, 15), Pen);
    EXPECT_EQ(At(30, 15), Pen);
    EXPECT_EQ(At(31, 15), White);
    EXPECT_EQ(At(20, 10), Pen);
    EXPECT_EQ(At(20, 20), Pen);
    EXPECT_EQ(At(20, 21), White);
    EXPECT_EQ(At(20, 15), Brush);
    EXPECT_EQ(At(10, 10), White);
}

// --- Polygons

struct FillCase {
    FillMode mode;
    bool twiceWoundFilled;
};

void PrintTo(const FillCase& c, std::ostream* os) {
    *os << (c.mode == FillMode::Winding ? "winding" : "alternate");
}

class CanvasFillMode : public CanvasOnImage, public ::testing::WithParamInterface<FillCase> {};

TEST_P(CanvasFillMode, DecidesTwiceWoundAreas) {
    Draw([](Canvas& canvas) {
        canvas.SetFillMode(GetParam().mode);
        canvas.SetPen(Pen, 0, PenStyle::Clear);
        canvas.SetBrush(Brush);
        canvas.Polygon(Pentagram({50, 50}, 40));
        // A ring as two squares of one polygon set, turning the same way.
        canvas.SetPenStyle(PenStyle::Solid);
        canvas.PolyPolygon({Square(60, 60, 50), Square(75, 75, 20)});
    });
    EXPECT_EQ(At(50, 20), Brush) << "a point of the star";
    EXPECT_EQ(At(50, 50) == Brush, GetParam().twiceWoundFilled) << "the star's centre";
    EXPECT_EQ(At(65, 65), Brush);
    EXPECT_EQ(At(85, 85) == Brush, GetParam().twiceWoundFilled) << "inside the inner square";
    EXPECT_EQ(At(75, 85), Pen) << "the inner square is outlined";
    EXPECT_EQ(At(95, 85), Pen);
}

INSTANTIATE_TEST_SUITE_P(Modes, CanvasFillMode,
                         ::testing::Values(FillCase{FillMode::Alternate, false},
                                           FillCase{FillMode::Winding, true}));

TEST_F(CanvasOnImage, PolygonOutlineIncludesEveryEdge) {
    Draw([](Canvas& canvas) {
        canvas.SetPen(Pen);
        canvas.SetBrush(Brush);
        canvas.Polygon(Square(10, 10, 30));
    });
    EXPECT_EQ(At(40, 40), Pen);
    EXPECT_EQ(At(40, 25), Pen);
    EXPECT_EQ(At(25, 40), Pen);
    EXPECT_EQ(At(39, 39), Brush);
    EXPECT_EQ(At(41, 25), White);
}

TEST_F(CanvasOnImage, PolyPolylineKeepsItsLinesApart) {
    Draw([](Canvas& canvas) {
        canvas.SetPen(Pen);
        canvas.PolyPolyline({{{10, 10}, {40, 10}}, {{10, 30}, {40, 30}}});
    });
    EXPECT_EQ(At(10, 10), Pen);
    EXPECT_EQ(At(39, 30), Pen);
    EXPECT_EQ(At(40, 10), White);
    EXPECT_EQ(At(25, 20), White) << "no line from the first end to the second start";
}

// --- Plain fills

TEST_F(CanvasOnImage, FillRectIgnoresPenBrushAndMix) {
    Draw([](Canvas& canvas) {
        SetDoubleMapping(canvas);
        canvas.SetMixMode(MixMode::NotXorPen);
        canvas.SetPen(Pen, 0, PenStyle::Clear);
        canvas.SetBrushStyle(BrushStyle::Clear);
        canvas.FillRect({5, 5, 10, 10}, Brush); // device 10..19
    });
    EXPECT_EQ(At(10, 10), Brush);
    EXPECT_EQ(At(19, 19), Brush);
    EXPECT_EQ(At(20, 19), White);
    EXPECT_EQ(At(19, 20), White);
    EXPECT_EQ(At(9, 10), White);
}

TEST_F(CanvasOnImage, FillRegionPaintsDevicePixels) {
    const Region region = Region::FromRect({10, 10, 20, 20})
                              .Combined(Region::FromRect({30, 10, 40, 20}), CombineMode::Or);
    Draw([&](Canvas& canvas) {
        SetDoubleMapping(canvas);
        canvas.SetMixMode(MixMode::NotXorPen);
        canvas.FillRegion(region, Brush);
    });
    EXPECT_EQ(At(10, 10), Brush);
    EXPECT_EQ(At(19, 19), Brush);
    EXPECT_EQ(At(25, 15), White);
    EXPECT_EQ(At(35, 15), Brush);
    EXPECT_EQ(At(40, 15), White);
    EXPECT_EQ(At(65, 25), White) << "the region is not mapped a second time";
}

// --- Text

class CanvasText : public ::testing::Test {
protected:
    QImage image{240, 240, QImage::Format_RGB32};

    CanvasText() { image.fill(Qt::white); }
    QSize Extent(const FontSpec& font, const std::function<void(Canvas&)>& map,
                 const QString& text = QStringLiteral("Hg")) {
        Canvas canvas(image);
        map(canvas);
        canvas.SetFont(font);
        return canvas.TextExtent(text);
    }
};

TEST_F(CanvasText, FaceNamesIgnoreCase) {
    for (const QString& face : {QStringLiteral("ARIAL"), QStringLiteral("arial")}) {
        Canvas canvas(image);
        canvas.SetFont({.Face = face, .Height = -20});
        canvas.TextOut({0, 0}, QStringLiteral("x"));
        EXPECT_EQ(QFontInfo(canvas.Painter().font()).family(), QStringLiteral("Liberation Sans"));
    }
}

TEST_F(CanvasText, NegativeHeightIsTheEmAndPositiveTheCell) {
    const auto identity = [](Canvas&) {};
    // The cell of Arial-like faces is about 1.12 em high.
    const QSize em = Extent({.Height = -100}, identity);
    EXPECT_GE(em.height(), 109);
    EXPECT_LE(em.height(), 115);
    const QSize cell = Extent({.Height = 100}, identity);
    EXPECT_GE(cell.height(), 98);
    EXPECT_LE(cell.height(), 100);
}

TEST_F(CanvasText, HeightsAndExtentsAreLogical) {
    const auto board = [](Canvas& canvas) { SetBoardMapping(canvas, {.zoom = 3.0}); };
    const QSize cell = Extent({.Height = 254}, board);
    EXPECT_NEAR(cell.height(), 254, 6) << "one pixel is 5.3 units";

    const QSize doubled = Extent({.Height = -50}, SetDoubleMapping);
    const QSize plain = Extent({.Height = -100}, [](Canvas&) {});
    EXPECT_NEAR(doubled.width(), plain.width() / 2, 1);
    EXPECT_NEAR(doubled.height(), plain.height() / 2, 1);
}

TEST_F(CanvasText, ReferencePointIsTheTopLeftOfTheCell) {
    QSize extent;
    {
        Canvas canvas(image);
        canvas.SetFont({.Height = 40});
        extent = canvas.TextExtent(QStringLiteral("Hg"));
        canvas.TextOut({30, 50}, QStringLiteral("Hg"));
    }
    const QRect ink = InkBounds(image, White);
    EXPECT_GE(ink.left(), 30);
    EXPECT_LE(ink.left(), 36);
    EXPECT_LE(ink.right(), 30 + extent.width());
    // Whole-pixel font sizes cannot meet every cell height; the cell never grows beyond it.
    EXPECT_LE(extent.height(), 40);
    EXPECT_GE(extent.height(), 38);
    // Capitals start a little below the top of the cell, descenders reach almost its bottom.
    EXPECT_GE(ink.top(), 51);
    EXPECT_LE(ink.top(), 60);
    EXPECT_GE(ink.bottom(), 50 + extent.height() - 6);
    EXPECT_LT(ink.bottom(), 50 + extent.height());
}

struct TurnCase {
    int escapement;
    int xSign; // where the ink lies as seen from the reference point
    int ySign;
};

void PrintTo(const TurnCase& c, std::ostream* os) {
    *os << "escapement " << c.escapement;
}

class CanvasTextTurn : public CanvasText, public ::testing::WithParamInterface<TurnCase> {};

TEST_P(CanvasTextTurn, TurnsCounterClockwiseAboutTheReference) {
    const QPoint reference(120, 120);
    {
        Canvas canvas(image);
        canvas.SetFont({.Height = 40, .Escapement = GetParam().escapement});
        canvas.TextOut(reference, QStringLiteral("Hello"));
    }
    const QRect ink = InkBounds(image, White);
    ASSERT_FALSE(ink.isEmpty());
    const QPoint offset = ink.center() - reference;
    EXPECT_EQ(offset.x() > 0 ? 1 : -1, GetParam().xSign) << offset.x();
    EXPECT_EQ(offset.y() > 0 ? 1 : -1, GetParam().ySign) << offset.y();
    // The long side follows the direction of writing.
    EXPECT_EQ(ink.width() > ink.height(), GetParam().escapement % 1800 == 0);
}

INSTANTIATE_TEST_SUITE_P(Escapements, CanvasTextTurn,
                         ::testing::Values(TurnCase{0, 1, 1}, TurnCase{900, 1, -1},
                                           TurnCase{1800, -1, -1}, TurnCase{2700, -1, 1}));

struct FlipCase {
    const char* name;
    bool flipX, flipY;
    int xSign, ySign; // where the ink of a quarter turn lies as seen from the reference point
};

void PrintTo(const FlipCase& c, std::ostream* os) {
    *os << c.name;
}

class CanvasTextFlip : public CanvasText, public ::testing::WithParamInterface<FlipCase> {};

// Turned text keeps to the side of its base line that the mapping turns the board to: one
// flipped axis reverses the turn, two flipped axes turn the picture by half a turn and keep it.
TEST_P(CanvasTextFlip, OneFlippedAxisReversesTheTurn) {
    const FlipCase c = GetParam();
    {
        Canvas canvas(image);
        canvas.SetMapping({0, 0}, {c.flipX ? -1 : 1, c.flipY ? -1 : 1}, {120, 120}, {1, 1});
        canvas.SetFont({.Height = 40, .Escapement = 900});
        EXPECT_EQ(canvas.DeviceTextTurn(), c.flipX != c.flipY ? -90.0 : 90.0);
        canvas.TextOut({0, 0}, QStringLiteral("Hello"));
    }
    const QRect ink = InkBounds(image, White);
    ASSERT_FALSE(ink.isEmpty());
    const QPoint offset = ink.center() - QPoint(120, 120);
    EXPECT_EQ(offset.x() > 0 ? 1 : -1, c.xSign) << offset.x();
    EXPECT_EQ(offset.y() > 0 ? 1 : -1, c.ySign) << offset.y();
    EXPECT_GT(ink.height(), ink.width()) << "still a quarter turn";
}

INSTANTIATE_TEST_SUITE_P(Mappings, CanvasTextFlip,
                         ::testing::Values(FlipCase{"None", false, false, 1, -1},
                                           FlipCase{"X", true, false, -1, 1},
                                           FlipCase{"Y", false, true, -1, 1},
                                           FlipCase{"Both", true, true, 1, -1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CanvasText, DrawsInTextColourOnATransparentBackground) {
    constexpr Colour background = RgbColour(250, 0, 0);
    constexpr Colour text = RgbColour(0, 0, 255);
    image.fill(ToQColor(background));
    {
        Canvas canvas(image);
        canvas.SetMixMode(MixMode::NotXorPen);
        canvas.SetBrush(Brush);
        canvas.SetTextColour(text);
        canvas.SetFont({.Height = -60, .Bold = true});
        canvas.TextOut({20, 20}, QStringLiteral("H"));
    }
    bool textColourFound = false;
    for (int x = 20; x < 80; ++x)
        textColourFound = textColourFound || PixelAt(image, x, 50) == text;
    EXPECT_TRUE(textColourFound);
    EXPECT_EQ(PixelAt(image, 20, 20), background) << "the cell is not filled";
    EXPECT_EQ(PixelAt(image, 60, 25), background);
}

// --- Bitmaps

QImage FourColours() {
    QImage image(2, 2, QImage::Format_RGB32);
    image.setPixelColor(0, 0, Qt::red);
    image.setPixelColor(1, 0, Qt::green);
    image.setPixelColor(0, 1, Qt::blue);
    image.setPixelColor(1, 1, Qt::black);
    return image;
}

TEST_F(CanvasOnImage, StretchDrawFillsTheRectangleExactly) {
    Draw([](Canvas& canvas) {
        canvas.SetMixMode(MixMode::XorPen);
        canvas.StretchDraw({10, 10, 30, 30}, FourColours());
    });
    EXPECT_EQ(image.pixelColor(10, 10), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(19, 19), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(20, 10), QColor(Qt::green));
    EXPECT_EQ(image.pixelColor(10, 20), QColor(Qt::blue));
    EXPECT_EQ(image.pixelColor(29, 29), QColor(Qt::black));
    EXPECT_EQ(At(30, 29), White);
    EXPECT_EQ(At(29, 30), White);
}

TEST_F(CanvasOnImage, StretchDrawMirrorsWhereTheMappingTurnsOver) {
    Draw([](Canvas& canvas) {
        SetFlippedMapping(canvas);
        canvas.StretchDraw({10, 10, 30, 30}, FourColours()); // device rows 70..89
    });
    EXPECT_EQ(image.pixelColor(10, 89), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(29, 89), QColor(Qt::green));
    EXPECT_EQ(image.pixelColor(10, 70), QColor(Qt::blue));
    EXPECT_EQ(At(10, 90), White);
}

// --- Reading pixels and clipping

TEST_F(CanvasOnImage, PixelReadsThroughTheMapping) {
    Canvas canvas(image);
    SetDoubleMapping(canvas);
    canvas.FillRect({10, 10, 11, 11}, Brush); // device 20..21
    EXPECT_EQ(canvas.Pixel({10, 10}), Brush);
    EXPECT_EQ(canvas.Pixel({11, 11}), White);
    EXPECT_EQ(canvas.Pixel({59, 59}), White);
    EXPECT_EQ(canvas.Pixel({60, 60}), std::nullopt) << "device (120, 120) is off the image";
    EXPECT_EQ(canvas.Pixel({-1, 0}), std::nullopt);
    canvas.SelectClipRegion(Region::FromRect({0, 0, 20, 20}));
    EXPECT_EQ(canvas.Pixel({10, 10}), std::nullopt) << "outside the clip region";
    EXPECT_EQ(canvas.Pixel({9, 9}), White);
}

TEST(CanvasOnPixmap, PixelReadsThePixmap) {
    QPixmap pixmap(30, 30);
    pixmap.fill(Qt::white);
    Canvas canvas(pixmap);
    canvas.FillRect({5, 5, 10, 10}, Brush);
    EXPECT_EQ(canvas.Pixel({7, 7}), Brush);
    EXPECT_EQ(canvas.Pixel({12, 7}), White);
}

TEST_F(CanvasOnImage, ClipRegionIsInDevicePixelsAndCanBeRestored) {
    const Region clip = Region::FromRect({10, 10, 20, 20});
    Draw([&](Canvas& canvas) {
        SetDoubleMapping(canvas);
        EXPECT_EQ(canvas.ClipRegion(), std::nullopt);
        canvas.SelectClipRegion(clip);
        EXPECT_EQ(canvas.ClipRegion(), clip);
        canvas.FillRect({0, 0, 60, 60}, Pen);

        const std::optional<Region> saved = canvas.ClipRegion();
        canvas.SelectClipRegion(std::nullopt);
        EXPECT_EQ(canvas.ClipRegion(), std::nullopt);
        canvas.FillRect({0, 0, 5, 5}, Brush);

        canvas.SelectClipRegion(saved);
        canvas.SetPen(White, 200);
        canvas.Line({0, 0}, {60, 60});
    });
    EXPECT_EQ(At(15, 15), White) << "the clip was restored for the wide line";
    EXPECT_EQ(At(5, 5), Brush) << "no clip while cleared";
    EXPECT_EQ(At(10, 5), White) << "outside the clip";
    EXPECT_EQ(At(25, 25), White) << "outside the clip";
    EXPECT_EQ(At(9, 9), Brush);
}

// --- Painters

TEST(CanvasPainter, OwnedPainterEndsWithTheCanvas) {
    QImage image(10, 10, QImage::Format_RGB32);
    {
        Canvas canvas(image);
        EXPECT_TRUE(image.paintingActive());
    }
    EXPECT_FALSE(image.paintingActive());
}

TEST(CanvasPainter, BorrowedPainterDrawsInDeviceSpaceAndIsGivenBack) {
    QImage image(80, 80, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const QPen ownersPen(Qt::red, 3);
    painter.setPen(ownersPen);
    painter.setCompositionMode(QPainter::CompositionMode_Multiply);
    painter.translate(5, 5);
    painter.setClipRect(0, 0, 20, 20);
    {
        Canvas canvas(painter);
        EXPECT_TRUE(canvas.IsRaster());
        canvas.SetMixMode(MixMode::XorPen);
        canvas.SetPen(Pen, 4);
        canvas.SelectClipRegion(Region::FromRect({40, 40, 70, 70}));
        canvas.FillRect({40, 40, 50, 50}, Brush);
    }
    EXPECT_TRUE(painter.isActive());
    EXPECT_EQ(painter.pen(), ownersPen);
    EXPECT_EQ(painter.compositionMode(), QPainter::CompositionMode_Multiply);
    EXPECT_EQ(painter.transform(), QTransform::fromTranslate(5, 5));
    EXPECT_EQ(painter.clipBoundingRect(), QRectF(0, 0, 20, 20));
    painter.end();
    EXPECT_EQ(PixelAt(image, 40, 40), Brush) << "not moved by the owner's translation";
    EXPECT_EQ(PixelAt(image, 49, 49), Brush);
    EXPECT_EQ(PixelAt(image, 50, 50), White);
}

// A widget that hands its paint event's painter to a test.
class PaintedWidget : public QWidget {
public:
    using QWidget::QWidget;
    std::function<void(QPainter&)> paint;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        paint(painter);
    }
};

TEST(CanvasPainter, WidgetPaintEventIsRasterAndReadable) {
    constexpr Colour background = RgbColour(0xF0, 0x0F, 0xAA);
    constexpr Colour inverted = 0x03C41D; // NOT (pen XOR background)
    QWidget window;
    window.resize(200, 200);
    PaintedWidget widget(&window);
    widget.setGeometry(30, 40, 100, 80);
    bool raster = false;
    std::optional<Colour> read;
    widget.paint = [&](QPainter& painter) {
        Canvas canvas(painter);
        raster = canvas.IsRaster();
        canvas.FillRect({0, 0, 100, 80}, background);
        canvas.SetMixMode(MixMode::NotXorPen);
        canvas.SetPen(Pen);
        canvas.Line({5, 10}, {50, 10});
        read = canvas.Pixel({20, 10});
    };
    window.show();
    for (int i = 0; i < 100 && !window.windowHandle()->isExposed(); ++i)
        QCoreApplication::processEvents();
    ASSERT_TRUE(window.windowHandle()->isExposed());
    widget.repaint();
    EXPECT_TRUE(raster);
    EXPECT_EQ(read, inverted) << "read in the window's backing store, at the widget's offset";

    const QImage shot = widget.grab().toImage();
    EXPECT_EQ(PixelAt(shot, 20, 10), inverted);
    EXPECT_EQ(PixelAt(shot, 20, 11), background);
}

} // namespace
} // namespace karvel
