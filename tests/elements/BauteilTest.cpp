#include "elements/Bauteil.h"
#include "board/Bibo.h"
#include "board/Platine.h"
#include "support/ProbeElement.h"

#include <gtest/gtest.h>

namespace karvel {
namespace {

using test::ProbeElement;

TEST(BauteilTest, DefaultsAfterConstruction) {
    const TBauteil e;
    EXPECT_EQ(e.BauteilTyp, TBauteilTyp::btNone);
    EXPECT_FALSE(e.UmrissFlag() || e.SpiegelnFlag() || e.istAufLoetseite() || e.Glaetten());
    EXPECT_EQ(e.GlaettenStil(), TGlaettenStil::glSpline);
    EXPECT_EQ(e.GlaettenBetrag(), 0.0);
    EXPECT_EQ(e.Stiftbreite(), 0);
    EXPECT_EQ(e.Stiftfarbe(), 0u);
    EXPECT_EQ(e.Brushfarbe(), 0u);
    EXPECT_TRUE(e.Visible());
    EXPECT_TRUE(e.Placed());
    EXPECT_FALSE(e.InGroup);
    EXPECT_FALSE(e.HasteBitmap() || e.FuellenFlag() || e.Fraesen() || e.IstMarkiert());
    EXPECT_FALSE(e.KupferFlag() || e.istFreierBereich() || e.HatTestSpannung());
    EXPECT_EQ(e.Parent(), nullptr);
    EXPECT_EQ(e.Btmap(), nullptr);
    EXPECT_TRUE(e.Anchors.empty());
    EXPECT_TRUE(e.GetKindName().isEmpty());
}

TEST(BauteilTest, BaseAnswersAreEmpty) {
    QImage image(10, 10, QImage::Format_RGB32);
    Canvas canvas(image);
    TBauteil e;
    EXPECT_EQ(e.GetBounds(canvas), Rect{});
    EXPECT_FALSE(e.CreateRegion(canvas).has_value());
    EXPECT_FALSE(e.HitTest({0, 0}, canvas));
    EXPECT_EQ(e.NodeAt({0, 0}, canvas), nullptr);
    EXPECT_FALSE(e.IntersectsRect({-5, -5, 5, 5}, canvas));
    EXPECT_FALSE(e.EditProperties());
    EXPECT_FALSE(e.CanStretchLeads());
    e.BeginContacts();
    EXPECT_FALSE(e.NextContact().has_value());
}

TEST(BauteilTest, RedrawBoundsOfAPointAre102UnitsSquare) {
    QImage image(10, 10, QImage::Format_RGB32);
    Canvas canvas(image);
    TBauteil e;
    const Rect r = e.GetRedrawBounds(canvas);
    EXPECT_EQ(r, (Rect{-51, -51, 51, 51}));
    EXPECT_EQ(r.Width(), 102);
    EXPECT_EQ(r.Height(), 102);
}

struct SideCase {
    bool solderView, seeThrough, onSolderSide, xray;
    bool working, ghost;
};

void PrintTo(const SideCase& c, std::ostream* os) {
    *os << (c.solderView ? "solder view" : "component view")
        << (c.seeThrough ? ", see-through" : "") << (c.onSolderSide ? ", on the solder side" : "")
        << (c.xray ? ", X-ray" : "");
}

class WorkingSideTest : public ::testing::TestWithParam<SideCase> {};

TEST_P(WorkingSideTest, FollowsViewSideSeeThroughAndXRay) {
    const SideCase c = GetParam();
    ViewState view;
    view.Loetseite = c.solderView;
    view.Durchsicht = c.seeThrough;
    view.Roentgen = c.xray;
    TPlatine board(view);
    auto* e = board.Add(std::make_unique<ProbeElement>());
    e->SetIstAufLoetseite(c.onSolderSide);
    EXPECT_EQ(e->IsOnWorkingSide(), c.working);
    EXPECT_EQ(e->IsXRayGhost(), c.ghost);
}

INSTANTIATE_TEST_SUITE_P(TruthTable, WorkingSideTest,
                         ::testing::Values(
                             // Without see-through the viewed side is the working side...
                             SideCase{false, false, false, false, true, false},
                             SideCase{false, false, true, false, false, false},
                             SideCase{false, false, true, true, false, true},
                             SideCase{true, false, true, false, true, false},
                             SideCase{true, false, false, false, false, false},
                             SideCase{true, false, false, true, false, true},
                             // ...with see-through the roles swap.
                             SideCase{false, true, true, false, true, false},
                             SideCase{false, true, false, true, false, true},
                             SideCase{true, true, false, false, true, false},
                             SideCase{true, true, true, true, false, true}));

TEST(BauteilTest, ThroughBoardCopperAndMilledElementsAreAlwaysOnTheWorkingSide) {
    ViewState view;
    view.Loetseite = true;
    view.Roentgen = true;
    TPlatine board(view);
    for (const char* name : {"TTrenner", "TTrennerFest", "TAuge", "TBohrung"}) {
        auto* e = board.Add(std::make_unique<ProbeElement>(Rect{}, name));
        EXPECT_TRUE(e->IsOnWorkingSide()) << name;
        EXPECT_FALSE(e->IsXRayGhost()) << name;
    }
    auto* wire = board.Add(std::make_unique<ProbeElement>(Rect{}, "TDraht"));
    EXPECT_FALSE(wire->IsOnWorkingSide());
    wire->SetKupferFlag(true);
    EXPECT_TRUE(wire->IsOnWorkingSide());
    wire->SetKupferFlag(false);
    wire->SetFraesen(true);
    EXPECT_TRUE(wire->IsOnWorkingSide());

    TBibo page(view);
    auto* part = page.Add(std::make_unique<ProbeElement>(Rect{}, "TDraht"));
    EXPECT_TRUE(part->IsOnLibraryPage());
    EXPECT_TRUE(part->IsOnWorkingSide());
}

TEST(BauteilTest, FilledAreaRules) {
    ViewState view;
    TPlatine board(view);
    auto* e = board.Add(std::make_unique<ProbeElement>());
    EXPECT_FALSE(e->IsFilledArea());
    e->SetFuellenFlag(true);
    EXPECT_TRUE(e->IsFilledArea());
    e->SetUmrissFlag(true);
    EXPECT_FALSE(e->IsFilledArea()) << "outline mode draws only the outline";
    // An X-ray ghost stays filled even in outline mode.
    view.Loetseite = true;
    view.Roentgen = true;
    EXPECT_TRUE(e->IsXRayGhost());
    EXPECT_TRUE(e->IsFilledArea());
    e->SetFuellenFlag(false);
    EXPECT_FALSE(e->IsFilledArea());
    e->SetHasteBitmap(true);
    EXPECT_TRUE(e->IsFilledArea());
    e->SetHasteBitmap(false);
    for (auto set :
         {&TBauteil::SetFraesen, &TBauteil::SetIstFreierBereich, &TBauteil::SetKupferFlag}) {
        (e->*set)(true);
        EXPECT_TRUE(e->IsFilledArea());
        (e->*set)(false);
    }
}

TEST(BauteilTest, XRayStyleMasksWithTheGhostColours) {
    ViewState view;
    view.Loetseite = true;
    view.Roentgen = true;
    view.XRay = {1, 2, 3, 4};
    TPlatine board(view);
    auto* e = board.Add(std::make_unique<ProbeElement>());
    QImage image(4, 4, QImage::Format_RGB32);
    Canvas canvas(image);
    canvas.SetPen(99);
    canvas.SetBrush(98);
    e->BeginXRayStyle(canvas);
    // Keys ending in Pen give the brush, keys ending in Brush the pen.
    EXPECT_EQ(canvas.BrushColour(), 1u);
    EXPECT_EQ(canvas.PenColour(), 2u);
    EXPECT_EQ(canvas.GetMixMode(), MixMode::MaskNotPen);
    e->EndXRayStyle(canvas);
    EXPECT_EQ(canvas.GetMixMode(), MixMode::Copy);

    e->SetUmrissFlag(true);
    e->BeginXRayStyle(canvas);
    EXPECT_EQ(canvas.BrushColour(), 3u);
    EXPECT_EQ(canvas.PenColour(), 4u);
    e->EndXRayStyle(canvas);

    canvas.SetPen(99);
    e->SetKupferFlag(true); // copper is never a ghost
    e->BeginXRayStyle(canvas);
    EXPECT_EQ(canvas.PenColour(), 99u);
    EXPECT_EQ(canvas.GetMixMode(), MixMode::Copy);
}

TEST(BauteilTest, FitToRectMovesThenScalesAndTreatsZeroExtentsAsOne) {
    ProbeElement e({0, 0, 0, 100});
    e.SetGlaettenBetrag(100.0);
    e.FitToRect({10, 20, 10, 120}, {30, 40, 230, 90});
    ASSERT_EQ(e.moves.size(), 1u);
    EXPECT_EQ(e.moves[0], std::make_pair(20, 20));
    EXPECT_EQ(e.scaleOrigin, QPoint(30, 40));
    EXPECT_DOUBLE_EQ(e.scaleX, 200.0) << "zero old width scales by the new width";
    EXPECT_DOUBLE_EQ(e.scaleY, 0.5);
    EXPECT_DOUBLE_EQ(e.GlaettenBetrag(), 100.0 * (200.0 + 0.5) / 2);
}

TEST(BauteilTest, InnerBoundsShrinkByHalfThePenWidth) {
    QImage image(4, 4, QImage::Format_RGB32);
    Canvas canvas(image);
    ProbeElement e({0, 0, 100, 50});
    e.SetStiftbreite(5);
    EXPECT_EQ(e.GetInnerBounds(canvas), (Rect{2, 2, 98, 48}));
    e.SetStiftbreite(200); // shrinks past itself: normalised again
    EXPECT_EQ(e.GetInnerBounds(canvas), (Rect{0, -50, 100, 100}));
}

TEST(BauteilTest, ContactsAreHandedOutOnce) {
    ProbeElement e;
    e.contactPoints = {{1, 2}, {3, 4}};
    e.BeginContacts();
    EXPECT_EQ(e.NextContact(), QPoint(1, 2));
    EXPECT_EQ(e.NextContact(), QPoint(3, 4));
    EXPECT_FALSE(e.NextContact().has_value());
    e.BeginContacts();
    EXPECT_EQ(e.NextContact(), QPoint(1, 2));
}

// Shifting the "no hole" marker made up a hole, (1, -2) here.
TEST(BauteilTest, AnchorsMoveByWholeHolesAndFreeEndsStayFree) {
    TBauteil e;
    e.Anchors = {{1, 1}, NoHoleAnchor, {5, 0}};
    e.MoveAnchorsBy(2, -1);
    EXPECT_EQ(e.Anchors, (std::vector<QPoint>{{3, 0}, NoHoleAnchor, {7, -1}}));
}

TEST(BauteilTest, GhostIsErasedByDrawingItAgain) {
    struct GhostProbe : TBauteil {
        std::vector<QPoint> drawn;
        void DrawGhost(Canvas&, const QPoint& at) override { drawn.push_back(at); }
    } e;
    QImage image(4, 4, QImage::Format_RGB32);
    Canvas canvas(image);
    e.HideGhost(canvas, {0, 0});
    EXPECT_TRUE(e.drawn.empty()) << "nothing to hide yet";
    e.ShowGhost({5, 5}, canvas);
    e.ShowGhost({7, 7}, canvas);
    e.HideGhost(canvas, e.GhostPos());
    EXPECT_EQ(e.drawn, (std::vector<QPoint>{{5, 5}, {5, 5}, {7, 7}, {7, 7}}));
    EXPECT_FALSE(e.GhostShown());
}

// --- Fill bitmaps -----------------------------------------------------------------------------

QImage ColourImage(int w, int h, QRgb colour) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

TEST(BauteilTest, FillBitmapRecordLivesWhileASnapshotRefersToIt) {
    TBitmapUsageList list;
    auto e = std::make_unique<ProbeElement>();
    e->SetBMUsage(&list);
    ASSERT_TRUE(e->UseBitmap(ColourImage(2, 2, qRgb(255, 0, 0))));
    ASSERT_EQ(list.Count(), 1u);
    TBitmapUsage* record = list.At(0);
    EXPECT_TRUE(record->InUse);
    EXPECT_EQ(e->BMU(), record);
    EXPECT_EQ(e->Btmap(), record->Bitmap.get());
    EXPECT_TRUE(e->HasteBitmap());

    // An undo snapshot recorded the element: releasing keeps the bitmap alive.
    const auto* snapshot = reinterpret_cast<const SnapshotStream*>(&list);
    record->Snapshots.push_back(snapshot);
    e.reset();
    ASSERT_EQ(list.Count(), 1u);
    EXPECT_FALSE(record->InUse);
    EXPECT_FALSE(record->Bitmap->isNull());

    // The snapshot is discarded: the record is unused and the board frees it.
    record->Snapshots.clear();
    list.FreeUnused();
    EXPECT_EQ(list.Count(), 0u);
}

TEST(BauteilTest, ReleasingTheOnlyUserFreesTheRecordAtOnce) {
    TBitmapUsageList list;
    ProbeElement e;
    e.SetBMUsage(&list);
    ASSERT_TRUE(e.UseBitmap(ColourImage(2, 2, qRgb(0, 0, 255))));
    ASSERT_TRUE(e.UseBitmap(ColourImage(3, 3, qRgb(0, 255, 0))));
    EXPECT_EQ(list.Count(), 1u) << "replacing a bitmap releases the old one";
    e.ReleaseFillBitmap();
    EXPECT_EQ(list.Count(), 0u);
    EXPECT_FALSE(e.HasteBitmap());
    EXPECT_EQ(e.Btmap(), nullptr);
    EXPECT_EQ(e.BMU(), nullptr);
    e.ReleaseFillBitmap(); // twice is harmless
}

TEST(BauteilTest, ABitmapNeedsAListToLiveIn) {
    ProbeElement e;
    EXPECT_FALSE(e.UseBitmap(ColourImage(2, 2, qRgb(0, 0, 255))));
    EXPECT_FALSE(e.HasteBitmap());
}

TEST(BauteilTest, Rotate90TurnsTheFillBitmapClockwise) {
    TBitmapUsageList list;
    ProbeElement e;
    e.SetBMUsage(&list);
    QImage image(3, 2, QImage::Format_RGB32);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            image.setPixel(x, y, qRgb(10 * x, 100 * y, 7));
    ASSERT_TRUE(e.UseBitmap(image));
    e.Rotate90({0, 0}, {0, 0});
    const QImage& turned = *e.Btmap();
    ASSERT_EQ(turned.size(), QSize(2, 3));
    // Pixel (x, y) of a bitmap of height H moves to (H - 1 - y, x).
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(turned.pixel(2 - 1 - y, x), image.pixel(x, y)) << x << "," << y;
    EXPECT_EQ(list.At(0)->Bitmap.get(), e.Btmap()) << "the record holds the turned bitmap";
}

TEST(BauteilTest, DrawFillBitmapStretchesInsideTheRegionOnly) {
    ViewState view;
    TPlatine board(view);
    auto* e =
        static_cast<ProbeElement*>(board.Add(std::make_unique<ProbeElement>(Rect{2, 2, 6, 6})));
    ASSERT_TRUE(e->UseBitmap(ColourImage(1, 1, qRgb(255, 0, 0))));
    QImage target = ColourImage(10, 10, qRgb(255, 255, 255));
    {
        Canvas canvas(target);
        e->DrawFillBitmap(canvas);
    }
    EXPECT_EQ(target.pixel(2, 2), qRgb(255, 0, 0));
    EXPECT_EQ(target.pixel(5, 5), qRgb(255, 0, 0));
    EXPECT_EQ(target.pixel(6, 6), qRgb(255, 255, 255));
    EXPECT_EQ(target.pixel(1, 1), qRgb(255, 255, 255));

    view.BitmapRendering = false;
    QImage untouched = ColourImage(10, 10, qRgb(255, 255, 255));
    {
        Canvas canvas(untouched);
        e->DrawFillBitmap(canvas);
    }
    EXPECT_EQ(untouched.pixel(3, 3), qRgb(255, 255, 255));
}

TEST(BauteilTest, IntersectsRectTouchesTheRegionNotJustTheBounds) {
    QImage image(20, 20, QImage::Format_RGB32);
    Canvas canvas(image);
    ProbeElement e({5, 5, 10, 10});
    EXPECT_TRUE(e.IntersectsRect({0, 0, 6, 6}, canvas));
    EXPECT_TRUE(e.IntersectsRect({9, 9, 0, 0}, canvas)) << "a band drawn backwards";
    EXPECT_FALSE(e.IntersectsRect({10, 10, 15, 15}, canvas));
    EXPECT_FALSE(e.IntersectsRect({0, 0, 5, 20}, canvas));
}

TEST(BauteilTest, InvalidateAsksForTheRedrawAreaInPixels) {
    struct Recorder : RepaintTarget {
        std::vector<Rect> rects;
        void InvalidateRect(const Rect& device, bool) override { rects.push_back(device); }
    } window;
    QImage image(4, 4, QImage::Format_RGB32);
    Canvas canvas(image);
    canvas.SetMapping({0, 0}, {254, 254}, {0, 0}, {127, 127}); // half scale
    ProbeElement e({100, 100, 300, 200});
    e.Invalidate(window, canvas);
    ASSERT_EQ(window.rects.size(), 1u);
    EXPECT_EQ(window.rects[0], (Rect{25, 25, 175, 125}));
}

} // namespace
} // namespace karvel
