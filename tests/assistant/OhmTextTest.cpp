#include "assistant/OhmText.h"

#include <gtest/gtest.h>
#include <QtCore/QLocale>

namespace karvel {
namespace {

// Sets the program's number locale for the lifetime of a test.
class LocaleScope {
public:
    explicit LocaleScope(const QLocale& locale) { QLocale::setDefault(locale); }
    ~LocaleScope() { QLocale::setDefault(QLocale::c()); }
    LocaleScope(const LocaleScope&) = delete;
    LocaleScope& operator=(const LocaleScope&) = delete;
};

struct FormatCase {
    double value;
    const char* text;
};

void PrintTo(const FormatCase& c, std::ostream* os) {
    *os << c.value << " ohms";
}

class FormatOhmTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatOhmTest, UsesTheLargestUnitTheValueExceeds) {
    EXPECT_EQ(FormatOhm(GetParam().value), QString::fromUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Table, FormatOhmTest,
                         ::testing::Values(FormatCase{470, "470  Ohm"}, FormatCase{999, "999  Ohm"},
                                           FormatCase{0.47, "0.47  Ohm"},
                                           FormatCase{1000, "1 KOhm"}, FormatCase{4700, "4.7 KOhm"},
                                           FormatCase{999999, "999.999 KOhm"},
                                           FormatCase{1e6, "1 MOhm"}, FormatCase{1e9, "1000 MOhm"},
                                           FormatCase{2.2e9, "2.2 GOhm"},
                                           FormatCase{1e12, "1000 GOhm"},
                                           FormatCase{4.7e12, "4.7 TOhm"}));

TEST(FormatOhmLocaleTest, WritesTheSystemDecimalSeparatorWithoutGrouping) {
    const LocaleScope german(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(FormatOhm(4700), QStringLiteral("4,7 KOhm"));
    EXPECT_EQ(FormatOhm(1e9), QStringLiteral("1000 MOhm"));
}

struct ParseCase {
    const char* text;
    double value;
};

void PrintTo(const ParseCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class ParseOhmTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseOhmTest, ReadsTheNumberTimesItsUnit) {
    const std::optional<double> read = ParseOhm(QString::fromUtf8(GetParam().text));
    ASSERT_TRUE(read.has_value());
    EXPECT_DOUBLE_EQ(*read, GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParseOhmTest,
    ::testing::Values(ParseCase{"", 0}, ParseCase{"M", 0}, ParseCase{"Ohm", 0},
                      ParseCase{"2,2M", 2.2e6}, ParseCase{"4,7 KOhm", 4700},
                      ParseCase{"4.7k", 4700}, ParseCase{"470  Ohm", 470}, ParseCase{"47k", 47000},
                      ParseCase{"1G", 1e9}, ParseCase{"10T", 1e13}, ParseCase{" 330 ", 330},
                      // the unit letter as the decimal point
                      ParseCase{"4k7", 4700}, ParseCase{"2R2", 2.2}, ParseCase{"1M5", 1.5e6},
                      ParseCase{"R47", 0.47}, ParseCase{"470R", 470},
                      // exponents
                      ParseCase{"1E3", 1000}, ParseCase{"2.2e-1", 0.22}, ParseCase{"1E-999", 0}));

TEST(ParseOhmTest, RefusesValuesBeyondTheRangeOfANumber) {
    EXPECT_FALSE(ParseOhm(QStringLiteral("1E999")).has_value());
    EXPECT_FALSE(ParseOhm(QStringLiteral("1E308 TOhm")).has_value());
}

TEST(OhmTextTest, FormattedSeriesValuesReadBackExactly) {
    for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::German, QLocale::Germany)}) {
        const LocaleScope scope(locale);
        for (const double value : {0.1, 0.47, 2.2, 47.0, 100.0, 330.0, 999.0, 1000.0, 4700.0,
                                   47500.0, 1e6, 1.5e6, 8.2e8, 1e9, 3.3e10, 1e12}) {
            const std::optional<double> back = ParseOhm(FormatOhm(value));
            ASSERT_TRUE(back.has_value()) << qPrintable(FormatOhm(value));
            EXPECT_EQ(*back, value) << qPrintable(FormatOhm(value));
        }
    }
}

} // namespace
} // namespace karvel
