#include "assistant/Bt.h"
#include "assistant/BtStyles.h"
#include "board/Platine.h"
#include "elements/Kreis.h"
#include "support/RecordBytes.h"

#include <gtest/gtest.h>

namespace karvel {
namespace {

// --- Styles and their parameters --------------------------------------------------------------

TEST(BtStylesTest, StyleEntriesInBothLanguages) {
    const QStringList german = StyleEntries(Language::German);
    const QStringList english = StyleEntries(Language::English);
    ASSERT_EQ(german.size(), 15);
    ASSERT_EQ(english.size(), 15);
    EXPECT_EQ(german[0], QStringLiteral("Kontur: regelmäßiges Vieleck"));
    EXPECT_EQ(english[2], QStringLiteral("Contour: Circle / Ellipse"));
    EXPECT_EQ(german[3], QStringLiteral("Kontur: \" H \""));
    EXPECT_EQ(english[8], QStringLiteral("Contour: \" U \""));
    EXPECT_EQ(german[9], QStringLiteral("Kontur: Elko\""));
    EXPECT_EQ(english[9], QStringLiteral("Contour: Electrolytic capacitor"));
    EXPECT_EQ(german[11], QStringLiteral("Bauteil: Widerstand, liegend"));
    EXPECT_EQ(english[14], QStringLiteral("Component: Diode"));
}

struct DefaultsCase {
    int style;
    std::vector<const char*> german;
    std::vector<const char*> english;
    std::vector<double> values; // floats and integers; texts and choices are checked elsewhere
};

void PrintTo(const DefaultsCase& c, std::ostream* os) {
    *os << "style " << c.style;
}

class Defaults : public ::testing::TestWithParam<DefaultsCase> {};

TEST_P(Defaults, CaptionsAndValuesFollowTheLanguage) {
    const DefaultsCase& c = GetParam();
    for (const Language language : {Language::German, Language::English}) {
        const std::vector<TBtParam> params = DefaultParams(c.style, language, {});
        const auto& captions = language == Language::German ? c.german : c.english;
        ASSERT_EQ(params.size(), captions.size());
        for (std::size_t i = 0; i < params.size(); ++i) {
            EXPECT_EQ(params[i].Caption, QString::fromUtf8(captions[i])) << i;
            if (i >= c.values.size())
                continue;
            const TBtParam& p = params[i];
            EXPECT_EQ(p.Kind == TBtParamKind::pkInteger ? p.IntValue : double(p.FloatValue),
                      c.values[i])
                << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, Defaults,
    ::testing::Values(
        DefaultsCase{0,
                     {"Durchmesser außen", "Anzahl der Ecken", "Drehung"},
                     {"Diameter outside", "Number of corners", "Rotation"},
                     {10, 5, 0}},
        DefaultsCase{
            1, {"Breite", "Höhe", "Drehung"}, {"Width", "Height", "Rotation"}, {10, 10, 0}},
        DefaultsCase{2,
                     {"Durchmesser 1", "Durchmesser 2", "Drehung"},
                     {"Diameter 1", "Diameter 2", "Rotation"},
                     {10, 10, 0}},
        DefaultsCase{3,
                     {"Durchmesser 1", "Durchmesser 2", "Breite", "Höhe", "Drehung"},
                     {"Diameter 1", "Diameter 2", "Width", "Height", "Rotation"},
                     {2, 2, 7, 10, 0}},
        DefaultsCase{4,
                     {"Durchmesser 1", "Durchmesser 2", "Länge 1", "Länge 2", "Drehung"},
                     {"Diameter 1", "Diameter 2", "Length 1", "Length 2", "Rotation"},
                     {3, 4, 7, 3, 0}},
        DefaultsCase{
            6,
            {"Durchmesser 1", "Durchmesser 2", "Durchmesser 3", "Breite", "Höhe", "Drehung"},
            {"Diameter 1", "Diameter 2", "Diameter 3", "Width", "Height", "Rotation"},
            {2, 2, 2, 10, 10, 0}},
        DefaultsCase{10,
                     {"Durchmesser", "Länge", "Drehung"},
                     {"Diameter", "Length", "Rotation"},
                     {5, 10, 0}},
        DefaultsCase{11,
                     {"Durchmesser", "Länge", "Drahtstärke", "Beschreibung", "Normwert", "Norm",
                      "Farbe", "Textfarbe"},
                     {"Diameter", "Length", "Lead diameter", "Description", "Standard value",
                      "Standard", "Colour", "Text colour"},
                     {3, 7, 0.4, 0, 1000}},
        DefaultsCase{
            12,
            {"Durchmesser", "Länge", "Drahtstärke", "Beschreibung", "Wert", "Farbe", "Textfarbe"},
            {"Diameter", "Length", "Lead diameter", "Description", "Value", "Colour",
             "Text colour"},
            {6, 15, 0.4}},
        DefaultsCase{13,
                     {"Breite", "Länge", "Drahtstärke", "Rastermass", "Beschreibung", "Wert",
                      "Farbe", "Textfarbe"},
                     {"Width", "Length", "Lead diameter", "Rastermass", "Description", "Value",
                      "Colour", "Text colour"},
                     {6, 15, 0.4, 5.08}},
        DefaultsCase{
            14,
            {"Breite", "Länge", "Drahtstärke", "Beschreibung", "Wert", "Farbe", "Textfarbe"},
            {"Width", "Length", "Lead diameter", "Description", "Value", "Colour", "Text colour"},
            {3, 6, 0.4}}),
    [](const auto& info) { return "Style" + std::to_string(info.param.style); });

TEST(BtStylesTest, UnitsRangesAndChoicesOfTheResistor) {
    const std::vector<TBtParam> p = DefaultParams(11, Language::English, {});
    EXPECT_EQ(p[0].UnitText, QStringLiteral("mm"));
    EXPECT_EQ(p[0].RangeA.Lo, 0.01L);
    EXPECT_EQ(p[0].RangeA.Hi, 200.0L);
    EXPECT_TRUE(p[0].RangeB.IsEmpty());
    EXPECT_EQ(p[2].RangeA.Lo, 0.1L);
    EXPECT_EQ(p[2].RangeA.Hi, 2.0L);
    EXPECT_EQ(p[3].Kind, TBtParamKind::pkText);
    EXPECT_EQ(p[3].Text, QStringLiteral("Resistor"));
    EXPECT_EQ(p[3].UnitText, QString());
    EXPECT_EQ(p[4].Kind, TBtParamKind::pkOhm);
    EXPECT_EQ(p[4].UnitText, QStringLiteral("Ohm"));
    EXPECT_EQ(p[4].RangeA.Hi, 1e12L);
    EXPECT_EQ(p[5].Items, (QStringList{"E6", "E12", "E24", "E48", "E96"}));
    EXPECT_EQ(p[5].IntValue, 1);
    EXPECT_EQ(p[7].Items, TextColourNames(Language::English));
    EXPECT_EQ(p[7].IntValue, 0);

    const std::vector<TBtParam> polygon = DefaultParams(0, Language::German, {});
    EXPECT_EQ(polygon[1].Kind, TBtParamKind::pkInteger);
    EXPECT_EQ(polygon[1].UnitText, QString());
    EXPECT_EQ(polygon[1].RangeA.Lo, 3);
    EXPECT_EQ(polygon[1].RangeA.Hi, 20);
    EXPECT_EQ(polygon[2].UnitText, QStringLiteral("°"));
    EXPECT_EQ(polygon[2].RangeA.Hi, 360);

    const std::vector<TBtParam> elko = DefaultParams(12, Language::German, {});
    EXPECT_EQ(elko[3].Text, QStringLiteral("Elko"));
    EXPECT_EQ(elko[4].Text, QStringLiteral("10uF/16V"));
    EXPECT_EQ(elko[4].UnitText, QStringLiteral("uF/V"));
    EXPECT_EQ(elko[6].IntValue, 1);
    EXPECT_EQ(DefaultParams(13, Language::German, {})[6].IntValue, 4);
    EXPECT_EQ(DefaultParams(14, Language::German, {})[5].IntValue, 8);
    EXPECT_EQ(DefaultParams(14, Language::German, {})[4].UnitText, QStringLiteral("Typ"));
}

TEST(BtStylesTest, TextColours) {
    EXPECT_EQ(TextColourNames(Language::German),
              (QStringList{"Schwarz", "Weiss", "Blau", "Rot", "Gelb", "Grün", "Grau"}));
    EXPECT_EQ(TextColourNames(Language::English),
              (QStringList{"Black", "White", "Blue", "Red", "Yellow", "Green", "Gray"}));
    const std::array<Colour, 7> expected{0x000000, 0xFFFFFF, 0xFF0000, 0x0000FF,
                                         0x00FFFF, 0x008000, 0x808080};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(TextColourOf(i), expected[std::size_t(i)]);
    EXPECT_EQ(TextColourOf(7), 0x000000u);
    EXPECT_EQ(TextColourOf(-1), 0x000000u);
}

// --- The generator ----------------------------------------------------------------------------

TEST(BtTest, StartsAsARegularPolygonAtItsDefaultCentre) {
    const TBt bt(Language::English);
    EXPECT_EQ(bt.Style, 0);
    EXPECT_EQ(bt.Centre, QPoint(15000, 15000));
    EXPECT_EQ(bt.Stiftfarbe(), colours::Black);
    ASSERT_EQ(bt.Params.size(), 3u);
    EXPECT_EQ(bt.Params[0].Caption, QStringLiteral("Diameter outside"));
}

TEST(BtTest, TheSameStyleKeepsEditedValuesAnotherStyleBringsTheDefaults) {
    TBt bt;
    bt.SetStyle(1);
    bt.Params[0].FloatValue = 33;
    bt.SetStyle(1);
    EXPECT_EQ(bt.ParamFloat(0), 33);
    bt.SetStyle(2);
    bt.SetStyle(1);
    EXPECT_EQ(bt.ParamFloat(0), 10);
    EXPECT_EQ(bt.ParamFloat(99), 0) << "a record that does not exist reads as 0";
    EXPECT_EQ(bt.ParamText(-1), QString());
}

TEST(BtTest, MovingMovesTheCentreWithTheMembers) {
    TBt bt;
    bt.Centre = {1000, 2000};
    bt.SetStyle(1);
    bt.Generate();
    bt.MoveBy(254, -127);
    EXPECT_EQ(bt.Centre, QPoint(1254, 1873));
    const auto& outline = dynamic_cast<const TDraht&>(*bt.Members().front());
    EXPECT_EQ(outline.Nodes.front(), QPoint(754, 1373));
}

struct OutlineCase {
    int style;
    TBauteilTyp kind;
    std::size_t vertices;
};

void PrintTo(const OutlineCase& c, std::ostream* os) {
    *os << "style " << c.style;
}

class Outlines : public ::testing::TestWithParam<OutlineCase> {};

TEST_P(Outlines, AreOneBlackOutlineOnTheGroupsBoard) {
    const OutlineCase& c = GetParam();
    ViewState view;
    TPlatine board(view);
    TBt bt;
    bt.SetParent(&board);
    bt.Centre = {5080, 5207};
    bt.SetStyle(std::uint8_t(c.style));
    bt.SetStiftfarbe(colours::White);
    bt.Generate();
    bt.Generate(); // again: the members are replaced, not added
    EXPECT_EQ(bt.Stiftfarbe(), colours::Black);
    ASSERT_EQ(bt.Members().size(), 1u);
    TBauteil& outline = *bt.Members().front();
    EXPECT_EQ(outline.BauteilTyp, c.kind);
    // The electrolytic capacitor's outline was left without a board.
    EXPECT_EQ(outline.Parent(), &board);
    EXPECT_FALSE(outline.IstMarkiert());
    EXPECT_EQ(outline.Stiftfarbe(), colours::Black);
    EXPECT_EQ(outline.Stiftbreite(), 10);
    EXPECT_EQ(outline.InGroup, c.style != 0) << "the polygon alone stays outside";
    const auto* wire = dynamic_cast<const TDraht*>(&outline);
    const auto* circle = dynamic_cast<const TKreis*>(&outline);
    const std::vector<QPoint>& nodes = wire ? wire->Nodes : circle->Contour().Nodes;
    EXPECT_EQ(nodes.size(), c.vertices);
}

INSTANTIATE_TEST_SUITE_P(
    EveryContourStyle, Outlines,
    ::testing::Values(
        OutlineCase{0, TBauteilTyp::btPolygon, 5}, OutlineCase{1, TBauteilTyp::btRect, 4},
        OutlineCase{2, TBauteilTyp::btKreis, 16}, OutlineCase{3, TBauteilTyp::btPolygon, 12},
        OutlineCase{4, TBauteilTyp::btPolygon, 12}, OutlineCase{5, TBauteilTyp::btPolygon, 6},
        OutlineCase{6, TBauteilTyp::btPolygon, 12}, OutlineCase{7, TBauteilTyp::btPolygon, 8},
        OutlineCase{8, TBauteilTyp::btPolygon, 8}, OutlineCase{9, TBauteilTyp::btPolygon, 10},
        OutlineCase{10, TBauteilTyp::btPolygon, 12}),
    [](const auto& info) { return "Style" + std::to_string(info.param.style); });

TEST(BtTest, OutlinesCarryTheirSmoothingAndTheirMeasuresInUnits) {
    TBt bt;
    bt.Centre = {1000, 2000};
    bt.SetStyle(9);
    bt.Generate();
    const auto& elko = dynamic_cast<const TDraht&>(*bt.Members().front());
    EXPECT_TRUE(elko.Glaetten());
    EXPECT_EQ(elko.GlaettenStil(), TGlaettenStil::glRundung);
    EXPECT_EQ(elko.GlaettenBetrag(), 25.0); // D / 20 in units
    EXPECT_EQ(elko.Nodes.front(), QPoint(750, 1500));

    bt.SetStyle(10);
    bt.Generate();
    const auto& resistor = dynamic_cast<const TDraht&>(*bt.Members().front());
    EXPECT_EQ(resistor.GlaettenStil(), TGlaettenStil::glSpline);
    EXPECT_EQ(resistor.GlaettenBetrag(), 1.0);
    EXPECT_EQ(resistor.Nodes[2], QPoint(775, 1700)) << "waist 450 wide";

    bt.SetStyle(0);
    bt.Params[1].IntValue = 3;
    bt.Params[2].FloatValue = 90;
    bt.Generate();
    EXPECT_EQ(dynamic_cast<const TDraht&>(*bt.Members().front()).Nodes.front(), QPoint(1000, 1500));
}

// --- Stored form --------------------------------------------------------------------------------

TEST(BtStreamTest, KeepsStyleAndMembersButNotTheParameters) {
    ViewState view;
    TPlatine board(view);
    auto generated = std::make_unique<TBt>();
    generated->SetParent(&board);
    generated->Centre = {2540, 2667};
    generated->SetStyle(4);
    generated->Params[0].FloatValue = 5;
    generated->Generate();
    board.Add(std::move(generated));

    TPlatine read(view);
    test::ReadBoard(read, test::WriteBoard(board, StreamPurpose::File), StreamPurpose::File);
    auto* bt = dynamic_cast<TBt*>(read.At(0));
    ASSERT_NE(bt, nullptr);
    EXPECT_EQ(bt->Style, 4);
    ASSERT_EQ(bt->Members().size(), 1u);
    EXPECT_EQ(dynamic_cast<const TDraht&>(*bt->Members().front()).Nodes.size(), 12u);
    ASSERT_EQ(bt->Params.size(), 3u) << "the parameters of style 0";
    EXPECT_EQ(bt->Params[1].Kind, TBtParamKind::pkInteger);

    // Asked for its own style, it gets that style's parameters and can build again.
    bt->SetStyle(4);
    EXPECT_EQ(bt->Params.size(), 5u);
    bt->Generate();
    EXPECT_EQ(dynamic_cast<const TDraht&>(*bt->Members().front()).Nodes.size(), 12u);
}

} // namespace
} // namespace karvel
