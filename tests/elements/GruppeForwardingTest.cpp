#include "board/Platine.h"
#include "elements/Auge.h"
#include "elements/Draht.h"
#include "elements/Gruppe.h"
#include "elements/Trenner.h"
#include "platform/RepaintTarget.h"
#include "support/Pixels.h"
#include "support/ProbeElement.h"

#include <gtest/gtest.h>

namespace karvel {
namespace {

using test::PixelAt;

using test::ProbeElement;

// A probe of a chosen kind that is hit on its rectangle and can offer a node.
class Member : public ProbeElement {
public:
    explicit Member(Rect bounds, TBauteilTyp kind = TBauteilTyp::btRect) : ProbeElement(bounds) {
        BauteilTyp = kind;
    }
    bool HitTest(QPoint device, Canvas& canvas) override {
        const std::optional<Region> region = CreateRegion(canvas);
        return region && region->Contains(device);
    }
    QPoint* NodeAt(QPoint, Canvas&) override { return node ? &*node : nullptr; }
    void DrawSolderJoints(Canvas&) override { ++solderJoints; }

    std::optional<QPoint> node;
    int solderJoints = 0;
};

// A member that claims every hit, wherever it lies.
class GreedyMember : public Member {
public:
    using Member::Member;
    bool HitTest(QPoint, Canvas&) override { return true; }
};

template <class T> T* AddTo(TGruppe& group, std::unique_ptr<T> element) {
    T* raw = element.get();
    group.AddMember(std::move(element));
    return raw;
}

// A group on a board, with the view switches at hand; one logical unit is one pixel.
class GruppeForwardingTest : public ::testing::Test {
protected:
    GruppeForwardingTest() : board(view), image(300, 300, QImage::Format_RGB32), canvas(image) {
        image.fill(Qt::white);
        group = static_cast<TGruppe*>(board.Add(std::make_unique<TGruppe>()));
    }

    template <class T> T* Add(std::unique_ptr<T> element, TGruppe* into = nullptr) {
        element->SetParent(&board);
        return AddTo(into ? *into : *group, std::move(element));
    }
    Member* AddMember(Rect bounds, TBauteilTyp kind = TBauteilTyp::btRect,
                      TGruppe* into = nullptr) {
        return Add(std::make_unique<Member>(bounds, kind), into);
    }
    // Puts the group on the side not being looked at.
    void LookFromTheOtherSide(bool xray) {
        view.Loetseite = true;
        view.Roentgen = xray;
    }

    ViewState view;
    TPlatine board;
    QImage image;
    Canvas canvas;
    TGruppe* group = nullptr;
};

// --- Properties -------------------------------------------------------------------------------

// Groups built in code, not read from a stream: members must still know the board they lie
// on, or they count as on the working side and ignore X-ray, bitmaps and language.
TEST(GruppeParentTest, MembersOfAnAddedGroupLieOnItsBoard) {
    ViewState view;
    TPlatine board(view);
    auto built = std::make_unique<TGruppe>();
    auto* early = AddTo(*built, std::make_unique<Member>(Rect{0, 0, 10, 10}));
    auto* nested = AddTo(*built, std::make_unique<TGruppe>());
    auto* deep = AddTo(*nested, std::make_unique<Member>(Rect{0, 0, 10, 10}));
    auto* group = static_cast<TGruppe*>(board.Add(std::move(built)));
    auto* late = AddTo(*group, std::make_unique<Member>(Rect{0, 0, 10, 10}));
    auto* lateDeep = AddTo(*nested, std::make_unique<Member>(Rect{0, 0, 10, 10}));

    view.Loetseite = true;
    view.Roentgen = true;
    for (TBauteil* member : std::vector<TBauteil*>{early, nested, deep, late, lateDeep}) {
        EXPECT_EQ(member->Parent(), &board);
        EXPECT_EQ(member->BMUsage(), &board.BitmapUsages());
        EXPECT_TRUE(member->IsXRayGhost()) << "a component-side member seen from below";
    }

    TPlatine other(view);
    std::unique_ptr<TBauteil> moved = board.Take(group);
    other.Add(std::move(moved));
    EXPECT_EQ(deep->Parent(), &other);
    EXPECT_EQ(late->BMUsage(), &other.BitmapUsages());
}

TEST_F(GruppeForwardingTest, PropertySettersReachEveryMemberAndNestedGroups) {
    Member* direct = AddMember({});
    TGruppe* nested = Add(std::make_unique<TGruppe>());
    Member* deep = AddMember({}, TBauteilTyp::btRect, nested);
    const std::vector<TBauteil*> all{group, direct, nested, deep};

    struct Setter {
        const char* name;
        void (TBauteil::*set)(bool);
        bool (TBauteil::*get)() const;
    };
    const Setter setters[] = {
        {"IstMarkiert", &TBauteil::SetIstMarkiert, &TBauteil::IstMarkiert},
        {"Visible", &TBauteil::SetVisible, &TBauteil::Visible},
        {"UmrissFlag", &TBauteil::SetUmrissFlag, &TBauteil::UmrissFlag},
        {"SpiegelnFlag", &TBauteil::SetSpiegelnFlag, &TBauteil::SpiegelnFlag},
        {"istAufLoetseite", &TBauteil::SetIstAufLoetseite, &TBauteil::istAufLoetseite},
        {"KupferFlag", &TBauteil::SetKupferFlag, &TBauteil::KupferFlag},
    };
    for (const Setter& s : setters) {
        for (const bool value : {true, false, true}) {
            (group->*s.set)(value);
            for (const TBauteil* e : all)
                EXPECT_EQ((e->*s.get)(), value) << s.name;
        }
    }
}

TEST_F(GruppeForwardingTest, RealMembersApplyTheirOwnSetterRules) {
    TAuge* pad = Add(std::make_unique<TAuge>());
    TTrenner* cut = Add(std::make_unique<TTrenner>());
    group->SetKupferFlag(false);
    EXPECT_FALSE(group->KupferFlag());
    EXPECT_TRUE(pad->KupferFlag()); // a pad is always copper
    group->SetIstMarkiert(true);
    EXPECT_TRUE(pad->IstMarkiert());
    EXPECT_TRUE(cut->IstMarkiert());
    group->SetIstAufLoetseite(true);
    EXPECT_TRUE(pad->istAufLoetseite());
    EXPECT_TRUE(cut->istAufLoetseite());
}

TEST_F(GruppeForwardingTest, MillingIsRefusedAndMembersKeepTheirs) {
    Member* milled = AddMember({});
    milled->SetFraesen(true);
    Member* plain = AddMember({});
    group->SetFraesen(true);
    EXPECT_FALSE(group->Fraesen());
    EXPECT_TRUE(milled->Fraesen());
    EXPECT_FALSE(plain->Fraesen());
}

TEST_F(GruppeForwardingTest, PlacedReachesMembersAndTheGroup) {
    Member* member = AddMember({});
    TGruppe* nested = Add(std::make_unique<TGruppe>());
    Member* deep = AddMember({}, TBauteilTyp::btRect, nested);
    group->SetPlaced(false);
    EXPECT_FALSE(group->Placed());
    EXPECT_FALSE(member->Placed());
    EXPECT_FALSE(nested->Placed());
    EXPECT_FALSE(deep->Placed());
}

TEST_F(GruppeForwardingTest, MovesReachRealMembers) {
    TAuge* pad = Add(std::make_unique<TAuge>());
    pad->Centre = {254, 127};
    TTrenner* cut = Add(std::make_unique<TTrenner>());
    cut->CutRect = {0, 0, 50, 100};
    TGruppe* nested = Add(std::make_unique<TGruppe>());
    Member* deep = AddMember({0, 0, 10, 10}, TBauteilTyp::btRect, nested);

    group->MoveBy(254, -254);

    EXPECT_EQ(pad->Centre, QPoint(508, -127));
    EXPECT_EQ(cut->CutRect, (Rect{254, -254, 304, -154}));
    EXPECT_EQ(deep->moves, (std::vector<std::pair<int, int>>{{254, -254}}));
}

// --- Bounds, regions and hit tests ------------------------------------------------------------

TEST_F(GruppeForwardingTest, BoundsUniteTheMembersNormalisedBounds) {
    AddMember({30, 40, 10, 20}); // reversed sides
    TGruppe* nested = Add(std::make_unique<TGruppe>());
    AddMember({50, 5, 60, 15}, TBauteilTyp::btRect, nested);
    EXPECT_EQ(group->GetBounds(canvas), (Rect{10, 5, 60, 40}));

    // A member without extent still counts, widened by normalising.
    AddMember({100, 100, 100, 100});
    EXPECT_EQ(group->GetBounds(canvas), (Rect{10, 5, 101, 101}));
}

TEST_F(GruppeForwardingTest, AnEmptyGroupHasTheEmptyRectangleAndNoRegion) {
    EXPECT_EQ(group->GetBounds(canvas), Rect{});
    EXPECT_FALSE(group->CreateRegion(canvas).has_value());
    EXPECT_FALSE(group->HitTest({0, 0}, canvas));
    EXPECT_FALSE(group->IntersectsRect({-10, -10, 10, 10}, canvas));
}

TEST_F(GruppeForwardingTest, RegionIsTheUnionOfTheMembers) {
    AddMember({10, 10, 20, 20});
    TGruppe* nested = Add(std::make_unique<TGruppe>());
    AddMember({40, 10, 50, 20}, TBauteilTyp::btRect, nested);
    const std::optional<Region> region = group->CreateRegion(canvas);
    ASSERT_TRUE(region.has_value());
    EXPECT_TRUE(region->Contains({15, 15}));
    EXPECT_TRUE(region->Contains({45, 15}));
    EXPECT_FALSE(region->Contains({30, 15}));
}

TEST_F(GruppeForwardingTest, HitWhenAMemberIsHitWithinTheRedrawBounds) {
    AddMember({10, 10, 20, 20});
    TGruppe* nested = Add(std::make_unique<TGruppe>());
    AddMember({100, 100, 120, 120}, TBauteilTyp::btRect, nested);
    EXPECT_TRUE(group->HitTest({15, 15}, canvas));
    EXPECT_TRUE(group->HitTest({110, 110}, canvas));
    EXPECT_FALSE(group->HitTest({60, 60}, canvas)); // inside the bounds, on no member
}

TEST_F(GruppeForwardingTest, NoHitOutsideTheRedrawBoundsWhateverMembersSay) {
    Add(std::make_unique<GreedyMember>(Rect{100, 100, 120, 120}));
    // The redraw bounds reach 50 units beyond the bounds: 50..169 (right edge outside).
    EXPECT_TRUE(group->HitTest({50, 50}, canvas));
    EXPECT_TRUE(group->HitTest({169, 169}, canvas));
    EXPECT_FALSE(group->HitTest({170, 120}, canvas));
    EXPECT_FALSE(group->HitTest({49, 120}, canvas));
}

TEST_F(GruppeForwardingTest, NotOnTheWorkingSideMeansNoHitAndNoRubberBand) {
    AddMember({10, 10, 20, 20});
    EXPECT_TRUE(group->HitTest({15, 15}, canvas));
    EXPECT_TRUE(group->IntersectsRect({0, 0, 12, 12}, canvas));
    EXPECT_FALSE(group->IntersectsRect({0, 0, 5, 5}, canvas));

    for (const bool xray : {false, true}) {
        LookFromTheOtherSide(xray);
        EXPECT_FALSE(group->HitTest({15, 15}, canvas)) << xray;
        EXPECT_FALSE(group->IntersectsRect({0, 0, 12, 12}, canvas)) << xray;
    }
}

TEST_F(GruppeForwardingTest, RubberBandCatchesNestedMembers) {
    TGruppe* nested = Add(std::make_unique<TGruppe>());
    AddMember({200, 200, 210, 210}, TBauteilTyp::btRect, nested);
    EXPECT_TRUE(group->IntersectsRect({205, 205, 250, 250}, canvas));
    EXPECT_FALSE(group->IntersectsRect({0, 0, 150, 150}, canvas));
}

TEST_F(GruppeForwardingTest, NodeAtGivesTheFirstMemberAnswer) {
    AddMember({});
    Member* second = AddMember({});
    second->node = QPoint(5, 6);
    Member* third = AddMember({});
    third->node = QPoint(7, 8);
    EXPECT_EQ(group->NodeAt({0, 0}, canvas), &*second->node);
    second->node.reset();
    EXPECT_EQ(group->NodeAt({0, 0}, canvas), &*third->node);
    third->node.reset();
    EXPECT_EQ(group->NodeAt({0, 0}, canvas), nullptr);
}

// --- Drawing ----------------------------------------------------------------------------------

TEST_F(GruppeForwardingTest, DrawLeavesStripCutsToTheCutLayer) {
    Member* body = AddMember({10, 10, 40, 40});
    body->SetBrushfarbe(RgbColour(0, 0, 255));
    TTrenner* cut = Add(std::make_unique<TTrenner>());
    cut->CutRect = {100, 100, 140, 140};
    TGruppe* nested = Add(std::make_unique<TGruppe>());
    TTrenner* nestedCut = Add(std::make_unique<TTrenner>(), nested);
    nestedCut->CutRect = {200, 200, 240, 240};

    group->Draw(canvas);
    EXPECT_EQ(PixelAt(image, 25, 25), RgbColour(0, 0, 255));
    EXPECT_EQ(PixelAt(image, 120, 120), colours::White);
    EXPECT_EQ(PixelAt(image, 220, 220), colours::White);

    group->DrawMembersOfKind(canvas, TBauteilTyp::btTrenner);
    EXPECT_NE(PixelAt(image, 120, 120), colours::White);
    EXPECT_NE(PixelAt(image, 220, 220), colours::White);
}

TEST_F(GruppeForwardingTest, DrawFollowsSideXRayAndVisibility) {
    Member* member = AddMember({10, 10, 20, 20});
    group->Draw(canvas);
    EXPECT_EQ(member->draws, 1);

    LookFromTheOtherSide(false);
    group->Draw(canvas);
    EXPECT_EQ(member->draws, 1);

    LookFromTheOtherSide(true); // drawn as a ghost
    group->Draw(canvas);
    EXPECT_EQ(member->draws, 2);

    view.Loetseite = false;
    view.Roentgen = false;
    group->SetVisible(false);
    group->Draw(canvas);
    EXPECT_EQ(member->draws, 2);
}

TEST_F(GruppeForwardingTest, InvalidatingCoversTheJointsOfLeadsAtTheEdge) {
    class Recorder : public RepaintTarget {
    public:
        void InvalidateRect(const Rect& device, bool) override { rects.push_back(device); }
        bool Covers(QPoint p) const {
            return std::any_of(rects.begin(), rects.end(), [p](const Rect& r) {
                return p.x() >= r.Left && p.x() < r.Right && p.y() >= r.Top && p.y() < r.Bottom;
            });
        }
        std::vector<Rect> rects;
    } window;
    auto lead = std::make_unique<TDraht>();
    lead->BauteilTyp = TBauteilTyp::btAnschluss;
    lead->Nodes = {{150, 150}, {200, 150}};
    lead->SetStiftbreite(10);
    Add(std::move(lead));
    group->Invalidate(window, canvas);
    EXPECT_TRUE(window.Covers({150 - 90, 150}));
    EXPECT_TRUE(window.Covers({150, 150 + 90}));
}

TEST_F(GruppeForwardingTest, DrawMembersOfKindDrawsOnlyThatKindWithinTheClip) {
    canvas.SelectClipRegion(Region::FromRect({0, 0, 100, 100}));
    Member* inside = AddMember({10, 10, 20, 20}, TBauteilTyp::btText);
    // The redraw bounds reach 50 units out: from 149 they meet the clip, from 150 they miss.
    Member* nearEdge = AddMember({149, 20, 159, 30}, TBauteilTyp::btText);
    Member* outside = AddMember({150, 20, 160, 30}, TBauteilTyp::btText);
    Member* otherKind = AddMember({10, 10, 20, 20}, TBauteilTyp::btRect);
    TGruppe* nested = Add(std::make_unique<TGruppe>());
    Member* deep = AddMember({30, 30, 40, 40}, TBauteilTyp::btText, nested);

    group->DrawMembersOfKind(canvas, TBauteilTyp::btText);

    EXPECT_EQ(inside->draws, 1);
    EXPECT_EQ(outside->draws, 0);
    EXPECT_EQ(nearEdge->draws, 1);
    EXPECT_EQ(otherKind->draws, 0);
    EXPECT_EQ(deep->draws, 1);

    // Without a clip region the whole surface counts.
    canvas.SelectClipRegion(std::nullopt);
    group->DrawMembersOfKind(canvas, TBauteilTyp::btText);
    EXPECT_EQ(outside->draws, 1);
}

TEST_F(GruppeForwardingTest, SolderJointsOfWiresLeadsAndPinsIncludingNestedOnes) {
    Member* wire = AddMember({}, TBauteilTyp::btDraht);
    Member* lead = AddMember({}, TBauteilTyp::btAnschluss);
    Member* pin = AddMember({}, TBauteilTyp::btPin);
    Member* line = AddMember({}, TBauteilTyp::btLine);
    Member* track = AddMember({}, TBauteilTyp::btLeiterbahn);
    TGruppe* nested = Add(std::make_unique<TGruppe>());
    Member* nestedLead = AddMember({}, TBauteilTyp::btAnschluss, nested);
    Member* nestedPolygon = AddMember({}, TBauteilTyp::btPolygon, nested);

    group->DrawSolderJoints(canvas);

    for (const Member* m : {wire, lead, pin, nestedLead})
        EXPECT_EQ(m->solderJoints, 1);
    for (const Member* m : {line, track, nestedPolygon})
        EXPECT_EQ(m->solderJoints, 0);
}

TEST_F(GruppeForwardingTest, AHiddenGroupDrawsNoSolderJoints) {
    Member* lead = AddMember({}, TBauteilTyp::btAnschluss);
    group->SetVisible(false);
    group->DrawSolderJoints(canvas);
    EXPECT_EQ(lead->solderJoints, 0);
    group->SetVisible(true);
    group->DrawSolderJoints(canvas);
    EXPECT_EQ(lead->solderJoints, 1);
}

} // namespace
} // namespace karvel
