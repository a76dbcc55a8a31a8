#include "assistant/BtParamEditing.h"
#include "assistant/BtStyles.h"

#include <gtest/gtest.h>
#include <QtCore/QLocale>

namespace karvel {
namespace {

// The resistor's parameters in German: 0 diameter, 3 description, 4 value, 5 series.
std::vector<TBtParam> Resistor() {
    return DefaultParams(11, Language::German, {});
}

struct CommitCase {
    const char* name;
    int style;
    int index;
    const char* text;
    CommitOutcome outcome;
    long double value; // IntValue or FloatValue afterwards
};

void PrintTo(const CommitCase& c, std::ostream* os) {
    *os << c.name;
}

class Commit : public ::testing::TestWithParam<CommitCase> {};

TEST_P(Commit, TakesTheCellAsTheKindSays) {
    const CommitCase& c = GetParam();
    std::vector<TBtParam> params = DefaultParams(c.style, Language::German, {});
    TBtParam& param = params.at(std::size_t(c.index));
    EXPECT_EQ(CommitParamText(param, QString::fromUtf8(c.text)), c.outcome);
    if (param.Kind == TBtParamKind::pkInteger)
        EXPECT_EQ(param.IntValue, std::int32_t(c.value));
    else
        EXPECT_EQ(param.FloatValue, c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Commit,
    ::testing::Values(
        CommitCase{"CommaDecimal", 1, 0, "3,5", CommitOutcome::Changed, 3.5L},
        CommitCase{"PointDecimal", 1, 0, "3.5", CommitOutcome::Changed, 3.5L},
        CommitCase{"SameNumber", 1, 0, "10", CommitOutcome::Unchanged, 10},
        CommitCase{"TooLarge", 0, 0, "500", CommitOutcome::Corrected, 200},
        CommitCase{"NotANumberReadsAsZero", 1, 0, "breit", CommitOutcome::Corrected, 0.01L},
        CommitCase{"TooFewCorners", 0, 1, "2", CommitOutcome::Corrected, 3},
        CommitCase{"CornersRounded", 0, 1, "6,5", CommitOutcome::Changed, 6},
        CommitCase{"SameInteger", 0, 1, "5", CommitOutcome::Unchanged, 5},
        CommitCase{"SameIntegerAfterRounding", 0, 1, "4,6", CommitOutcome::Unchanged, 5},
        CommitCase{"Resistance", 11, 4, "4,7k", CommitOutcome::Changed, 4700},
        CommitCase{"ResistanceAsNotation", 11, 4, "4k7", CommitOutcome::Changed, 4700},
        CommitCase{"SameResistanceAgain", 11, 4, "1 KOhm", CommitOutcome::Changed, 1000},
        CommitCase{"ResistanceTooLarge", 11, 4, "5T", CommitOutcome::Corrected, 1e12L},
        CommitCase{"EndlessResistanceKeepsTheLastGood", 11, 4, "1E999", CommitOutcome::Changed,
                   1000},
        CommitCase{"ChoicesTakeNoText", 11, 5, "E96", CommitOutcome::Unchanged, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CommitTest, TextsAreTakenAlwaysAndResistancesFormatted) {
    std::vector<TBtParam> params = Resistor();
    EXPECT_EQ(CommitParamText(params[3], QStringLiteral("Widerstand")), CommitOutcome::Changed)
        << "the same text again still builds the preview";
    EXPECT_EQ(CommitParamText(params[3], QStringLiteral("Metallfilm")), CommitOutcome::Changed);
    EXPECT_EQ(params[3].Text, QStringLiteral("Metallfilm"));
    CommitParamText(params[4], QStringLiteral("4,7k"));
    EXPECT_EQ(params[4].Text, QStringLiteral("4.7 KOhm"));
    EXPECT_EQ(params[5].IntValue, 1) << "the series did not change";
}

TEST(CellTextTest, ShowsEachKindAsTheGridDoes) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    std::vector<TBtParam> params = DefaultParams(13, Language::German, {});
    const QString pitch = ParamCellText(params[3], "Ja", "Nein");
    std::vector<TBtParam> resistor = Resistor();
    resistor[4].FloatValue = 4700;
    resistor[4].Text = QStringLiteral("stale");
    const QString ohms = ParamCellText(resistor[4], "Ja", "Nein");
    QLocale::setDefault(QLocale::c());

    EXPECT_EQ(pitch, QStringLiteral("5,08"));
    EXPECT_EQ(ohms, QStringLiteral("4,7 KOhm"));
    EXPECT_EQ(resistor[4].Text, ohms) << "the record is brought in step";
    EXPECT_EQ(ParamCellText(resistor[5], "Ja", "Nein"), QStringLiteral("E12"));
    EXPECT_EQ(ParamCellText(resistor[3], "Ja", "Nein"), QStringLiteral("Widerstand"));
    std::vector<TBtParam> polygon = DefaultParams(0, Language::German, {});
    EXPECT_EQ(ParamCellText(polygon[1], "Ja", "Nein"), QStringLiteral("5"));
    TBtParam flag(TBtParamKind::pkFlag, {}, {}, {}, true, 0, 0, {}, {});
    EXPECT_EQ(ParamCellText(flag, "Yes", "No"), QStringLiteral("Yes"));
}

TEST(CellTextTest, CaptionsCarryTheirUnitInBrackets) {
    const std::vector<TBtParam> params = Resistor();
    EXPECT_EQ(ParamCaptionText(params[0]), QStringLiteral("Durchmesser [mm]"));
    EXPECT_EQ(ParamCaptionText(params[3]), QStringLiteral("Beschreibung"));
    EXPECT_EQ(ParamCaptionText(params[4]), QStringLiteral("Normwert [Ohm]"));
}

TEST(StepTest, SpaceRunsRoundTheSeries) {
    TBtParam series = Resistor()[5];
    QStringList seen;
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(StepParam(series, StepInput::Advance));
        seen.push_back(series.SelectedItem());
    }
    EXPECT_EQ(seen, (QStringList{"E24", "E48", "E96", "E6", "E12"}));
    StepParam(series, StepInput::Back);
    EXPECT_EQ(series.SelectedItem(), QStringLiteral("E6"));
    StepParam(series, StepInput::Back);
    EXPECT_EQ(series.SelectedItem(), QStringLiteral("E96")) << "before the first comes the last";
    StepParam(series, StepInput::Forward);
    EXPECT_EQ(series.SelectedItem(), QStringLiteral("E6"));
}

TEST(StepTest, FlagsToggleSetAndClear) {
    TBtParam flag(TBtParamKind::pkFlag, {}, {}, {}, false, 0, 0, {}, {});
    StepParam(flag, StepInput::Advance);
    EXPECT_TRUE(flag.Flag);
    StepParam(flag, StepInput::Advance);
    EXPECT_FALSE(flag.Flag);
    StepParam(flag, StepInput::Forward);
    StepParam(flag, StepInput::Forward);
    EXPECT_TRUE(flag.Flag);
    StepParam(flag, StepInput::Back);
    EXPECT_FALSE(flag.Flag);
}

TEST(StepTest, OtherKindsAndEmptyListsStayAsTheyAre) {
    TBtParam length = Resistor()[0];
    EXPECT_FALSE(StepParam(length, StepInput::Advance));
    EXPECT_EQ(length.FloatValue, 3);
    TBtParam empty(TBtParamKind::pkChoice, {}, {}, {}, false, 0, 0, {}, {});
    EXPECT_TRUE(StepParam(empty, StepInput::Advance));
    EXPECT_EQ(empty.IntValue, 0);
    TBtParam beyond = DefaultParams(14, Language::German, {})[5]; // index 8 of no pictures
    StepParam(beyond, StepInput::Advance);
    EXPECT_EQ(beyond.IntValue, 8) << "nothing to choose from";
}

} // namespace
} // namespace karvel
