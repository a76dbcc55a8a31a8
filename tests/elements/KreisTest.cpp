// Circles: the 16-corner contour, what is passed to it, texts, drawing, hits, turning,
// stretching and the circle tool's preview.

#include "elements/Kreis.h"
#include "board/Platine.h"
#include "elements/Geometry.h"

#include <gtest/gtest.h>
#include <QtCore/QTemporaryDir>

namespace karvel {
namespace {

using Points = std::vector<QPoint>;

class KreisTest : public ::testing::Test {
protected:
    KreisTest() { image.fill(Qt::white); }

    // A circle of radius 254 about (1000, 1000): pixel (100, 100) at ten units per pixel.
    TKreis* AddCircle(QPoint centre = {1000, 1000}, int radius = 254) {
        auto circle = std::make_unique<TKreis>();
        circle->Centre = centre;
        circle->RimPoint = centre + QPoint(0, radius);
        circle->BuildCircle();
        return static_cast<TKreis*>(board.Add(std::move(circle)));
    }
    template <typename F> void Paint(F&& f) {
        Canvas canvas(image);
        canvas.SetMapping({0, 0}, {10, 10}, {0, 0}, {1, 1});
        f(canvas);
    }
    Colour At(int x, int y) const { return FromQColor(image.pixelColor(x, y)); }

    ViewState view;
    TPlatine board{view};
    QImage image{200, 200, QImage::Format_RGB32};
    QImage unit{4, 4, QImage::Format_RGB32};
    Canvas unitCanvas{unit}; // one unit per pixel
};

TEST_F(KreisTest, ContourCornersLieOnTheCircumscribedSixteenGon) {
    TKreis* circle = AddCircle();
    const Points& nodes = circle->Contour().Nodes;
    ASSERT_EQ(nodes.size(), 16u);
    // 254 / cos(π/16) = 258.98
    for (const QPoint& node : nodes)
        EXPECT_EQ(PointDistance(node, circle->Centre), 259) << node.x() << "," << node.y();
    EXPECT_EQ(nodes[0], QPoint(1239, 1099)) << "the first corner at π/8";
    EXPECT_EQ(nodes[3], QPoint(1000, 1259));
    EXPECT_EQ(nodes[15], QPoint(1259, 1000)) << "the last at a full turn";
}

TEST_F(KreisTest, DefaultsAndWhatTheContourKeeps) {
    TKreis* circle = AddCircle();
    EXPECT_EQ(circle->BauteilTyp, TBauteilTyp::btRect);
    EXPECT_EQ(circle->Stiftbreite(), 25);
    EXPECT_EQ(circle->Brushfarbe(), 8421504u);
    EXPECT_TRUE(circle->FuellenFlag());
    TDraht& contour = circle->Contour();
    EXPECT_EQ(contour.BauteilTyp, TBauteilTyp::btPolygon);
    EXPECT_EQ(contour.Stiftbreite(), 25);

    // The contour is always a B-spline and never selected, whatever the circle says.
    circle->SetGlaetten(false);
    circle->SetGlaettenStil(TGlaettenStil::glFase);
    circle->SetIstMarkiert(true);
    EXPECT_FALSE(circle->Glaetten());
    EXPECT_TRUE(contour.Glaetten());
    EXPECT_EQ(contour.GlaettenStil(), TGlaettenStil::glSpline);
    EXPECT_TRUE(circle->IstMarkiert());
    EXPECT_FALSE(contour.IstMarkiert());
    // The analyses' marks and visibility stay on the circle.
    circle->SetHatTestSpannung(true);
    circle->SetIstFreierBereich(true);
    circle->SetVisible(false);
    EXPECT_FALSE(contour.HatTestSpannung() || contour.istFreierBereich());
    EXPECT_TRUE(contour.Visible());
    circle->SetFraesen(true);
    circle->SetIstAufLoetseite(true);
    EXPECT_TRUE(contour.Fraesen() && contour.istAufLoetseite());
    EXPECT_EQ(contour.Parent(), &board);
}

TEST_F(KreisTest, KindNameStaysEllipseAndMeasureTextReportsTheBounds) {
    TKreis* circle = AddCircle();
    view.Sprache = Language::English;
    EXPECT_EQ(circle->GetKindName(), QStringLiteral("Ellipse"));
    // Corners at ± 259, the pen's half (12) around them.
    EXPECT_EQ(circle->GetBounds(unitCanvas), (Rect{729, 729, 1271, 1271}));
    EXPECT_EQ(circle->GetMeasureText(), QStringLiteral("5.42 x 5.42 mm"));

    circle->Scale(circle->Centre, 2.0, 1.0);
    circle->GetBounds(unitCanvas);
    EXPECT_EQ(circle->GetKindName(), QStringLiteral("Ellipse"));
    EXPECT_EQ(circle->GetMeasureText(), QStringLiteral("10.6 x 5.42 mm"));
}

TEST_F(KreisTest, CircleIsDrawnAsItsSmoothedContour) {
    TKreis* circle = AddCircle();
    Paint([&](Canvas& canvas) { circle->Draw(canvas); });
    // The spline passes straight below the centre at radius 254, between the corners at 259.
    EXPECT_EQ(At(100, 125), colours::Black);
    EXPECT_EQ(At(100, 100), Colour(8421504));
    EXPECT_EQ(At(100, 128), colours::White);
    EXPECT_EQ(At(100, 75), colours::Black);
}

TEST_F(KreisTest, SelectedCircleHasAMagentaOutline) {
    TKreis* circle = AddCircle();
    circle->SetIstMarkiert(true);
    Paint([&](Canvas& canvas) { circle->Draw(canvas); });
    EXPECT_EQ(At(100, 125), colours::Selected);
    EXPECT_EQ(At(100, 100), Colour(8421504));
    EXPECT_EQ(circle->Contour().Stiftfarbe(), colours::Black) << "the contour's colour is back";
}

TEST_F(KreisTest, CircleOfTheOtherSideIsHiddenWithoutXRay) {
    TKreis* circle = AddCircle();
    view.Loetseite = true;
    Paint([&](Canvas& canvas) { circle->Draw(canvas); });
    EXPECT_EQ(At(100, 100), colours::White);
}

TEST_F(KreisTest, CircleIsHitOnItsAreaAndCaughtByItsOutline) {
    TKreis* circle = AddCircle();
    EXPECT_TRUE(circle->HitTest({1000, 1000}, unitCanvas));
    EXPECT_TRUE(circle->HitTest({1000, 1250}, unitCanvas));
    EXPECT_FALSE(circle->HitTest({1000, 1316}, unitCanvas)) << "below the lowest corner's square";
    EXPECT_TRUE(circle->IntersectsRect({1150, 1150, 1300, 1300}, unitCanvas));
    EXPECT_FALSE(circle->IntersectsRect({729, 729, 760, 760}, unitCanvas)) << "outside the curve";
    const std::optional<Region> region = circle->CreateRegion(unitCanvas);
    ASSERT_TRUE(region);
    EXPECT_TRUE(region->Contains({800, 1000}));
    EXPECT_EQ(circle->NodeAt({1259, 1000}, unitCanvas), nullptr) << "circles have no nodes";
}

TEST_F(KreisTest, Rotate90TurnsTheContourAndKeepsTheRimBelowTheCentre) {
    TKreis* circle = AddCircle();
    circle->RimPoint = {1100, 1254};
    circle->Rotate90({0, 0}, {0, 0});
    EXPECT_EQ(circle->Centre, QPoint(-1000, 1000));
    // The rim turned to (-1254, 1100): its horizontal offset goes below the centre.
    EXPECT_EQ(circle->RimPoint, QPoint(-1000, 1254));
    EXPECT_EQ(circle->Contour().Nodes[3], QPoint(-1259, 1000));
}

TEST_F(KreisTest, MovingAndScalingChangeOnlyTheContour) {
    TKreis* circle = AddCircle();
    circle->MoveBy(100, -100);
    EXPECT_EQ(circle->Contour().Nodes[15], QPoint(1359, 900));
    EXPECT_EQ(circle->Centre, QPoint(1000, 1000));
    EXPECT_EQ(circle->RimPoint, QPoint(1000, 1254));
}

TEST_F(KreisTest, StretchingMovesTheContourWithTheComponentBody) {
    auto lead = [](Points nodes) {
        auto wire = std::make_unique<TDraht>();
        wire->BauteilTyp = TBauteilTyp::btAnschluss;
        wire->Nodes = std::move(nodes);
        wire->RememberShape();
        return wire;
    };
    auto a = lead({{0, 127}, {300, 127}});
    auto b = lead({{1016, 127}, {716, 127}});
    TKreis* body = AddCircle({508, 127}, 100);
    body->RememberShape();
    const Points before = body->Contour().Nodes;

    b->Nodes.front() = {1524, 127};
    const double angle = double(Direction(a->Nodes.front(), b->Nodes.front()));
    a->Stretch(a.get(), b.get(), angle, b.get());
    b->Stretch(a.get(), b.get(), angle, b.get());
    body->Stretch(a.get(), b.get(), angle, b.get());
    for (std::size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(body->Contour().Nodes[i], before[i] + QPoint(254, 0)) << i;
}

TEST_F(KreisTest, FillBitmapLivesOnTheContour) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fill.bmp"));
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    ASSERT_TRUE(picture.save(path, "BMP"));
    TKreis* circle = AddCircle();
    circle->SetFuellenFlag(false);
    circle->LoadFillBitmap(path);
    EXPECT_TRUE(circle->HasteBitmap());
    EXPECT_TRUE(circle->Contour().HasteBitmap());
    EXPECT_TRUE(circle->FuellenFlag()) << "filled for its bitmap, like the contour";
    ASSERT_EQ(board.BitmapUsages().Count(), 1u);
    EXPECT_EQ(circle->BMU(), board.BitmapUsages().At(0));
    Paint([&](Canvas& canvas) { circle->Draw(canvas); });
    EXPECT_EQ(At(100, 100), RgbColour(0, 0, 255));
    circle->ReleaseFillBitmap();
    EXPECT_EQ(board.BitmapUsages().Count(), 0u);
}

TEST_F(KreisTest, PreviewFollowsTheRimAndKeepsItBelowTheCentre) {
    TKreis* circle = AddCircle({1000, 1000}, 50);
    auto show = [&] {
        Paint([&](Canvas& canvas) { circle->ShowGhost(circle->RimPoint, canvas); });
    };
    circle->RimPoint = {1300, 1400};
    show();
    // A circle of radius 400 through the rim's height: pixels 60..139, as ellipses are drawn.
    EXPECT_EQ(At(100, 139), colours::Black);
    EXPECT_EQ(circle->RimPoint, QPoint(1000, 1400)) << "the rim goes straight below the centre";
    EXPECT_EQ(PointDistance(circle->Contour().Nodes[3], {1000, 1000}), 510)
        << "contour built from the rim at 500 units";

    circle->RimPoint = {1200, 700};
    show();
    EXPECT_EQ(At(100, 139), colours::White) << "the earlier preview is erased";
    EXPECT_EQ(circle->RimPoint, QPoint(1000, 1300)) << "reflected below the centre";
    EXPECT_EQ(At(100, 129), colours::Black);

    circle->RimPoint = {1000, 1010};
    show();
    EXPECT_EQ(circle->RimPoint, QPoint(1000, 1025)) << "at least a pen width from the centre";
    EXPECT_EQ(At(100, 101), colours::Black) << "a small circle of radius 25";
    Paint([&](Canvas& canvas) { circle->HideGhost(canvas, circle->RimPoint); });
    EXPECT_EQ(At(100, 129), colours::White);
    EXPECT_EQ(At(100, 101), colours::White);
}

} // namespace
} // namespace karvel
