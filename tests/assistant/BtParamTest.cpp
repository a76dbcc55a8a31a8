#include "assistant/BtParam.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace karvel {
namespace {

constexpr ParamRange Lengths{0.01L, 200.0L};
constexpr ParamRange Corners{3.0L, 20.0L};
constexpr ParamRange NoRange{};

TBtParam Number(TBtParamKind kind, long double value, ParamRange a, ParamRange b = NoRange) {
    return {kind, {}, {}, {}, false, std::int32_t(value), value, a, b};
}

struct CorrectCase {
    const char* name;
    TBtParamKind kind;
    long double value;
    ParamRange a;
    ParamRange b;
    bool inRange;
    long double corrected;
};

void PrintTo(const CorrectCase& c, std::ostream* os) {
    *os << c.name;
}

class CorrectValueTest : public ::testing::TestWithParam<CorrectCase> {};

TEST_P(CorrectValueTest, MovesAValueOutsideOntoTheNearestBound) {
    const CorrectCase& c = GetParam();
    TBtParam param = Number(c.kind, c.value, c.a, c.b);
    EXPECT_EQ(CorrectValue(param), c.inRange);
    if (c.kind == TBtParamKind::pkInteger)
        EXPECT_EQ(param.IntValue, std::int32_t(c.corrected));
    else
        EXPECT_EQ(param.FloatValue, c.corrected);
}

constexpr auto Float = TBtParamKind::pkFloat;
constexpr auto Integer = TBtParamKind::pkInteger;
constexpr auto Ohm = TBtParamKind::pkOhm;

INSTANTIATE_TEST_SUITE_P(
    Table, CorrectValueTest,
    ::testing::Values(
        CorrectCase{"Inside", Float, 5, Lengths, NoRange, true, 5},
        CorrectCase{"OnTheUpperBound", Float, 200, Lengths, NoRange, true, 200},
        CorrectCase{"Negative", Float, -5, Lengths, NoRange, false, 0.01L},
        CorrectCase{"TooLarge", Float, 250, Lengths, NoRange, false, 200},
        CorrectCase{"JustBelow", Float, 0.005L, Lengths, NoRange, false, 0.01L},
        CorrectCase{"IntegerAbove", Integer, 25, Corners, NoRange, false, 20},
        CorrectCase{"IntegerBelow", Integer, 2, Corners, NoRange, false, 3},
        CorrectCase{"IntegerBoundsRoundHalvesToEven", Integer, 1, {2.5L, 20}, NoRange, false, 2},
        CorrectCase{"IntegerInsideRoundedBounds", Integer, 2, {2.5L, 20}, NoRange, true, 2},
        CorrectCase{"Resistance", Ohm, 2e12L, {0.1L, 1e12L}, NoRange, false, 1e12L},
        CorrectCase{"InRangeB", Float, 25, {0, 10}, {20, 30}, true, 25},
        CorrectCase{"TieGoesToTheLaterBound", Float, 15, {0, 10}, {20, 30}, false, 20},
        CorrectCase{"BeyondRangeB", Float, 40, {0, 10}, {20, 30}, false, 30},
        CorrectCase{"AnEmptyRangeHoldsNothing", Float, 5, {5, 5}, NoRange, false, 5}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CorrectValueTest, EndlessValuesGoToTheOutermostBoundAndNaNToTheFirst) {
    TBtParam param = Number(Float, std::numeric_limits<long double>::infinity(), {0, 10}, {20, 30});
    EXPECT_FALSE(CorrectValue(param));
    EXPECT_EQ(param.FloatValue, 30);
    param.FloatValue = -std::numeric_limits<long double>::infinity();
    EXPECT_FALSE(CorrectValue(param));
    EXPECT_EQ(param.FloatValue, 0);
    param.FloatValue = std::numeric_limits<long double>::quiet_NaN();
    EXPECT_FALSE(CorrectValue(param));
    EXPECT_EQ(param.FloatValue, 0);
}

TEST(CorrectValueTest, TextsAreAlwaysValidFlagsAndChoicesNeverChange) {
    TBtParam text(TBtParamKind::pkText, {}, {}, QStringLiteral("x"), false, 99, 999, NoRange,
                  NoRange);
    EXPECT_TRUE(CorrectValue(text));
    TBtParam choice(TBtParamKind::pkChoice, {}, {}, {}, false, 99, 0, {0, 1}, NoRange,
                    {QStringLiteral("a")});
    EXPECT_FALSE(CorrectValue(choice));
    EXPECT_EQ(choice.IntValue, 99);
    TBtParam flag(TBtParamKind::pkFlag, {}, {}, {}, true, 7, 0, {0, 1}, NoRange);
    EXPECT_FALSE(CorrectValue(flag));
    EXPECT_TRUE(flag.Flag);
    EXPECT_EQ(flag.IntValue, 7);
}

TEST(BtParamTest, CaptionAndUnitAreCutAndChoicesCopied) {
    QStringList items{QStringLiteral("E6"), QStringLiteral("E12")};
    const TBtParam param(TBtParamKind::pkChoice, QString(40, u'c'), QString(15, u'u'), {}, false, 1,
                         0, NoRange, NoRange, items);
    items.clear();
    EXPECT_EQ(param.Caption.size(), 30);
    EXPECT_EQ(param.UnitText.size(), 10);
    EXPECT_EQ(param.Items.size(), 2);
    EXPECT_EQ(param.SelectedItem(), QStringLiteral("E12"));
    TBtParam beyond = param;
    beyond.IntValue = 2;
    EXPECT_EQ(beyond.SelectedItem(), QString()) << "an index past the list selects nothing";
}

} // namespace
} // namespace karvel
