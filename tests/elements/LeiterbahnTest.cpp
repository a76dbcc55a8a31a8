// Copper tracks: the outline kept in step with the ends, properties shared with it, and
// drawing, hits and previews on the copper.

#include "elements/Leiterbahn.h"
#include "board/Platine.h"
#include "elements/CopperColours.h"

#include <gtest/gtest.h>

namespace karvel {
namespace {

using Points = std::vector<QPoint>;

constexpr Colour Blue = RgbColour(0, 0, 255);

class LeiterbahnTest : public ::testing::Test {
protected:
    LeiterbahnTest() { image.fill(Qt::white); }

    // A horizontal track from pixel (30, 100) to (170, 100) at ten units per pixel.
    TLeiterbahn* AddTrack(Points nodes = {{300, 1000}, {1700, 1000}}) {
        auto track = std::make_unique<TLeiterbahn>();
        track->Nodes = std::move(nodes);
        track->SetIstMarkiert(false);
        track->RebuildOutline();
        return static_cast<TLeiterbahn*>(board.Add(std::move(track)));
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
};

TEST_F(LeiterbahnTest, DefaultsMakeAGreyFilledCopperTrack) {
    const TLeiterbahn track;
    EXPECT_EQ(track.BauteilTyp, TBauteilTyp::btLeiterbahn);
    EXPECT_EQ(track.Stiftbreite(), 125);
    EXPECT_EQ(track.Brushfarbe(), 8421504u);
    EXPECT_TRUE(track.FuellenFlag());
    EXPECT_TRUE(track.KupferFlag());
    const TDraht& outline = track.Contour();
    EXPECT_EQ(outline.BauteilTyp, TBauteilTyp::btPolygon);
    EXPECT_EQ(outline.Stiftbreite(), 0);
    EXPECT_TRUE(outline.InGroup);
    EXPECT_TRUE(outline.KupferFlag());
}

TEST_F(LeiterbahnTest, OutlineCornersLieHalfAWidthEitherSideOfTheTrack) {
    TLeiterbahn* track = AddTrack({{1000, 1000}, {3000, 1000}});
    EXPECT_EQ(track->Contour().Nodes,
              (Points{{1000, 875}, {3000, 875}, {3000, 1125}, {1000, 1125}}));
    // A diagonal up to the right: direction π/4, 125 · sin = 125 · cos = 88.39.
    track->Nodes = {{0, 0}, {1000, -1000}};
    track->RebuildOutline();
    EXPECT_EQ(track->Contour().Nodes, (Points{{-88, -88}, {912, -1088}, {1088, -912}, {88, 88}}));
    // Only the first and the last node count.
    track->Nodes = {{1000, 1000}, {5000, 7000}, {3000, 1000}};
    track->RebuildOutline();
    EXPECT_EQ(track->Contour().Nodes.front(), QPoint(1000, 875));
}

TEST_F(LeiterbahnTest, ShapeChangesKeepTheOutlineInStep) {
    TLeiterbahn* track = AddTrack({{1000, 1000}, {3000, 1000}});
    track->MoveBy(100, 200);
    EXPECT_EQ(track->Contour().Nodes.front(), QPoint(1100, 1075));
    track->Scale({1100, 1200}, 0.5, 1.0);
    EXPECT_EQ(track->Contour().Nodes[1], QPoint(2100, 1075));

    track->Rotate90({0, 0}, {0, 0});
    const Points turned = track->Contour().Nodes;
    track->RebuildOutline();
    EXPECT_EQ(turned, track->Contour().Nodes) << "the turned outline is the rebuilt one";
    EXPECT_TRUE(track->IsVertical());
    EXPECT_FALSE(track->IsHorizontal());
}

TEST_F(LeiterbahnTest, PropertiesGoToTheOutlineExceptThePenWidth) {
    TLeiterbahn* track = AddTrack();
    TDraht& outline = track->Contour();
    track->SetStiftbreite(200);
    EXPECT_EQ(outline.Stiftbreite(), 0) << "the track's pen width is its half width";
    track->SetFraesen(true);
    EXPECT_FALSE(track->Fraesen());
    EXPECT_TRUE(outline.Fraesen()) << "the outline, a polygon, may be milled";
    track->SetIstMarkiert(true);
    track->SetHatTestSpannung(true);
    track->SetIstFreierBereich(true);
    track->SetIstAufLoetseite(true);
    track->SetStiftfarbe(Blue);
    EXPECT_TRUE(outline.IstMarkiert() && outline.HatTestSpannung() && outline.istFreierBereich() &&
                outline.istAufLoetseite());
    EXPECT_EQ(outline.Stiftfarbe(), Blue);
    EXPECT_EQ(outline.Parent(), &board);
}

TEST_F(LeiterbahnTest, TrackIsHitAndBoundedByItsCopper) {
    QImage small(4, 4, QImage::Format_RGB32);
    Canvas canvas(small); // one unit per pixel
    TLeiterbahn* track = AddTrack({{1000, 1000}, {3000, 1000}});
    EXPECT_EQ(track->GetBounds(canvas), (Rect{1000, 875, 3000, 1125}));
    EXPECT_TRUE(track->HitTest({2000, 1100}, canvas)) << "on the copper, off the centre line";
    EXPECT_FALSE(track->HitTest({2000, 1150}, canvas));
    EXPECT_TRUE(track->IntersectsRect({1900, 1100, 2100, 1200}, canvas));
    EXPECT_FALSE(track->IntersectsRect({1900, 1130, 2100, 1200}, canvas));
    const std::optional<Region> region = track->CreateRegion(canvas);
    ASSERT_TRUE(region);
    EXPECT_TRUE(region->Contains({1500, 900}));
}

TEST_F(LeiterbahnTest, TrackIsDrawnAsCopper) {
    TLeiterbahn* track = AddTrack();
    Paint([&](Canvas& canvas) { track->Draw(canvas); });
    const Colour copper = CopperColours::For(view).Copper;
    EXPECT_EQ(At(100, 100), copper);
    EXPECT_EQ(At(100, 90), copper) << "125 units either side";
    EXPECT_EQ(At(100, 86), colours::White);
}

TEST_F(LeiterbahnTest, SelectedTrackShowsAMagentaOutlineAndItsNodes) {
    TLeiterbahn* track = AddTrack();
    track->SetIstMarkiert(true);
    Paint([&](Canvas& canvas) { track->Draw(canvas); });
    EXPECT_EQ(At(100, 88), colours::Selected) << "the copper's edge";
    EXPECT_EQ(At(100, 100), CopperColours::For(view).Copper);
    EXPECT_EQ(At(25, 97), colours::Black) << "the marker of the first node";
    EXPECT_EQ(track->Contour().Stiftfarbe(), colours::Black) << "the outline's own colour is back";

    image.fill(Qt::white);
    track->InGroup = true;
    Paint([&](Canvas& canvas) { track->Draw(canvas); });
    EXPECT_EQ(At(25, 97), colours::White) << "grouped tracks show no node markers";
}

TEST_F(LeiterbahnTest, PreviewRebuildsTheOutlineAndErasesItself) {
    TLeiterbahn* track = AddTrack({{300, 1000}, {300, 1000}});
    QPoint& end = track->Nodes.back();
    auto show = [&] { Paint([&](Canvas& canvas) { track->ShowGhost(end, canvas); }); };
    end = {1700, 1000};
    show();
    // The outline's edges, 125 units either side of the centre line, inverted on white.
    EXPECT_EQ(At(100, 88), colours::Black);
    EXPECT_EQ(At(170, 100), colours::Black);
    EXPECT_EQ(track->Contour().Nodes[1], QPoint(1700, 875)) << "rebuilt for the preview";
    end = {1700, 1500};
    show();
    EXPECT_EQ(At(100, 88), colours::White) << "the earlier outline is erased";
    EXPECT_EQ(At(170, 100), colours::White);
    // The upper edge now runs from (342, 882) to (1742, 1382).
    EXPECT_EQ(At(100, 112), colours::Black);
    Paint([&](Canvas& canvas) { track->HideGhost(canvas, end); });
    EXPECT_EQ(At(100, 112), colours::White);
    EXPECT_FALSE(track->Contour().GhostShown());
}

TEST_F(LeiterbahnTest, KindNameAndNoFillBitmap) {
    TLeiterbahn* track = AddTrack();
    EXPECT_EQ(track->GetKindName(), QStringLiteral("Leiterbahn"));
    view.Sprache = Language::English;
    EXPECT_EQ(track->GetKindName(), QStringLiteral("Track"));
    track->LoadFillBitmap(QStringLiteral("any.bmp"));
    EXPECT_FALSE(track->HasteBitmap());
    EXPECT_EQ(board.BitmapUsages().Count(), 0u);
}

} // namespace
} // namespace karvel
