#include "elements/Draht.h"
#include "elements/Gruppe.h"
#include "elements/Trenner.h"
#include "support/ProbeElement.h"

#include <gtest/gtest.h>

namespace karvel {
namespace {

std::unique_ptr<TDraht> Wire(TBauteilTyp kind, std::vector<QPoint> nodes) {
    auto wire = std::make_unique<TDraht>();
    wire->BauteilTyp = kind;
    wire->Nodes = std::move(nodes);
    return wire;
}

// A vertical two-lead component: lead A from hole (0, 0) to the body at (0, 254), the body down
// to (0, 762), lead B from there to its hole at (bx, 1016). Leads are remembered when grouped.
class TwoLeadComponent {
public:
    explicit TwoLeadComponent(int bx = 0, TBauteilTyp secondKind = TBauteilTyp::btAnschluss) {
        group.IsComponent = true;
        group.AddMember(Wire(TBauteilTyp::btRect, {{-50, 254}, {50, 254}, {50, 762}, {-50, 762}}));
        a = Add(Wire(TBauteilTyp::btAnschluss, {{0, 0}, {0, 254}}));
        b = Add(Wire(secondKind, {{bx, 1016}, {0, 762}}));
        group.RememberShape();
    }
    TDraht* Add(std::unique_ptr<TDraht> wire) {
        TDraht* raw = wire.get();
        group.AddMember(std::move(wire));
        return raw;
    }

    TGruppe group;
    TDraht* a = nullptr;
    TDraht* b = nullptr;
};

struct InLineCase {
    int bx; // how far lead B's hole lies beside the axis
    bool stretches;
};

void PrintTo(const InLineCase& c, std::ostream* os) {
    *os << "lead B " << c.bx << " beside the axis";
}

class CanStretchLeadsTest : public ::testing::TestWithParam<InLineCase> {};

TEST_P(CanStretchLeadsTest, OnlyWhenLeadsAndBodyLieOnOneLine) {
    // Lead B leans by atan(bx / 254); the mean of the three directions is off by two thirds of
    // that for lead B, which must stay below 0.1.
    TwoLeadComponent part(GetParam().bx);
    EXPECT_EQ(part.group.CanStretchLeads(), GetParam().stretches);
}

INSTANTIATE_TEST_SUITE_P(Leaning, CanStretchLeadsTest,
                         ::testing::Values(InLineCase{0, true}, InLineCase{35, true},
                                           InLineCase{-35, true}, InLineCase{40, false},
                                           InLineCase{-40, false}, InLineCase{254, false}));

TEST(GruppeStretchTest, HorizontalComponentStretches) {
    TGruppe group;
    group.AddMember(Wire(TBauteilTyp::btAnschluss, {{0, 127}, {254, 127}}));
    group.AddMember(Wire(TBauteilTyp::btAnschluss, {{1016, 127}, {762, 127}}));
    group.RememberShape();
    EXPECT_TRUE(group.CanStretchLeads());
}

TEST(GruppeStretchTest, LeadsInANestedGroupStretch) {
    TGruppe group;
    auto nested = std::make_unique<TGruppe>();
    nested->AddMember(Wire(TBauteilTyp::btAnschluss, {{0, 0}, {0, 254}}));
    nested->AddMember(Wire(TBauteilTyp::btAnschluss, {{0, 1016}, {0, 762}}));
    group.AddMember(std::move(nested));
    group.RememberShape();
    EXPECT_TRUE(group.CanStretchLeads());
}

TEST(GruppeStretchTest, APinNeverStretches) {
    TwoLeadComponent part(0, TBauteilTyp::btPin);
    EXPECT_FALSE(part.group.CanStretchLeads());
}

TEST(GruppeStretchTest, AStripCutNeverStretches) {
    TwoLeadComponent part;
    auto cut = std::make_unique<TTrenner>();
    cut->CutRect = {-100, 400, 100, 500};
    part.group.AddMember(std::move(cut));
    ASSERT_EQ(part.group.GetContactCount(), 2);
    EXPECT_FALSE(part.group.CanStretchLeads());
}

TEST(GruppeStretchTest, OnlyExactlyTwoContactsStretch) {
    TwoLeadComponent three;
    three.Add(Wire(TBauteilTyp::btAnschluss, {{0, 1270}, {0, 1016}}));
    EXPECT_FALSE(three.group.CanStretchLeads());

    TGruppe one;
    one.AddMember(Wire(TBauteilTyp::btAnschluss, {{0, 0}, {0, 254}}));
    one.RememberShape();
    EXPECT_FALSE(one.CanStretchLeads());

    TGruppe empty;
    EXPECT_FALSE(empty.CanStretchLeads());
}

TEST(GruppeStretchTest, LeadsWithoutARememberedShapeDoNotStretch) {
    TwoLeadComponent part;
    part.b->ForgetShape();
    EXPECT_FALSE(part.group.CanStretchLeads());

    // A remembered lead of one node has no body end to line up with.
    TwoLeadComponent shortLead;
    shortLead.b->RememberedNodes = std::vector<QPoint>{{0, 1016}};
    EXPECT_FALSE(shortLead.group.CanStretchLeads());
}

TEST(GruppeStretchTest, TheRememberedShapeDecidesNotTheCurrentOne) {
    TwoLeadComponent part;
    part.b->Nodes.front() = {508, 1016}; // dragged aside since grouping
    EXPECT_TRUE(part.group.CanStretchLeads());
}

// --- Stretch order ----------------------------------------------------------------------------

struct StretchCall {
    std::string name;
    TBauteil* first;
    TBauteil* second;
    double angle;
    TBauteil* moved;
};

class StretchProbe : public test::ProbeElement {
public:
    StretchProbe(std::string name, TBauteilTyp kind, std::vector<StretchCall>& log)
        : name_(std::move(name)), log_(log) {
        BauteilTyp = kind;
    }
    void Stretch(TBauteil* first, TBauteil* second, double angle, TBauteil* moved) override {
        log_.push_back({name_, first, second, angle, moved});
    }

private:
    std::string name_;
    std::vector<StretchCall>& log_;
};

TEST(GruppeStretchTest, LeadsStretchBeforeEveryOtherMember) {
    std::vector<StretchCall> log;
    TGruppe group;
    group.AddMember(std::make_unique<StretchProbe>("body", TBauteilTyp::btRect, log));
    group.AddMember(std::make_unique<StretchProbe>("leadA", TBauteilTyp::btAnschluss, log));
    auto nested = std::make_unique<TGruppe>();
    nested->AddMember(std::make_unique<StretchProbe>("nestedText", TBauteilTyp::btText, log));
    nested->AddMember(std::make_unique<StretchProbe>("nestedLead", TBauteilTyp::btAnschluss, log));
    group.AddMember(std::move(nested));
    group.AddMember(std::make_unique<StretchProbe>("label", TBauteilTyp::btText, log));
    group.AddMember(std::make_unique<StretchProbe>("leadB", TBauteilTyp::btAnschluss, log));

    TBauteil* first = group.Members()[1].get();
    TBauteil* second = group.Members()[4].get();
    group.Stretch(first, second, 1.25, second);

    std::vector<std::string> order;
    for (const StretchCall& call : log) {
        order.push_back(call.name);
        EXPECT_EQ(call.first, first);
        EXPECT_EQ(call.second, second);
        EXPECT_EQ(call.angle, 1.25);
        EXPECT_EQ(call.moved, second);
    }
    // A nested group is one of the other members and orders its own members again.
    EXPECT_EQ(order, (std::vector<std::string>{"leadA", "leadB", "body", "nestedLead", "nestedText",
                                               "label"}));
}

} // namespace
} // namespace karvel
