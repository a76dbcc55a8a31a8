#include "assistant/Farbcode.h"
#include "stream/RecordContext.h"
#include "stream/StoreError.h"
#include "stream/StreamError.h"
#include "stream/ValueReader.h"
#include "stream/ValueWriter.h"
#include "support/RecordBytes.h"
#include "support/SampleBoard.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <QtCore/QBuffer>

namespace karvel {
namespace {

constexpr int NoBand = TFarbcode::NoBand;
constexpr int Silver = TFarbcode::SilverBand;
constexpr int Gold = TFarbcode::GoldBand;
enum : int { Black, Brown, Red, Orange, Yellow, Green, Blue, Violet, Grey, White };

std::unique_ptr<TFarbcode> MakeCode(int series) {
    auto code = std::make_unique<TFarbcode>();
    for (int band = 0; band < TFarbcode::BandCount; ++band)
        code->AddMember(test::MakeWire(TBauteilTyp::btLine, {{0, 0}, {1, 1}}));
    code->SetSeries(std::uint8_t(series));
    return code;
}

// The colour index of every band, band 1 first.
std::vector<int> BandColours(const TFarbcode& code) {
    std::vector<int> indices;
    for (int number = 1; number <= TFarbcode::BandCount; ++number) {
        const auto& colours = TFarbcode::Colours;
        const auto found =
            std::find(colours.begin(), colours.end(), code.Band(number)->Stiftfarbe());
        indices.push_back(found == colours.end() ? -1 : int(found - colours.begin()));
    }
    return indices;
}

std::vector<int> BandWidths(const TFarbcode& code) {
    std::vector<int> widths;
    for (int number = 1; number <= TFarbcode::BandCount; ++number)
        widths.push_back(code.Band(number)->Stiftbreite());
    return widths;
}

// --- Snapping and colours ---------------------------------------------------------------------

struct ComputeCase {
    const char* name;
    int series;
    double value;
    double snapped;
    std::vector<int> bands;
};

void PrintTo(const ComputeCase& c, std::ostream* os) {
    *os << c.name;
}

class Compute : public ::testing::TestWithParam<ComputeCase> {};

TEST_P(Compute, SnapsToTheSeriesAndColoursTheBands) {
    const ComputeCase& c = GetParam();
    auto code = MakeCode(c.series);
    code->SetResistance(c.value);
    EXPECT_EQ(code->Resistance, c.snapped);
    EXPECT_EQ(BandColours(*code), c.bands);
    for (int number = 1; number <= TFarbcode::BandCount; ++number)
        EXPECT_EQ(code->Band(number)->Stiftbreite(),
                  c.bands[std::size_t(number - 1)] == NoBand ? 0 : 20)
            << "band " << number << ": a band without colour is invisible";
}

INSTANTIATE_TEST_SUITE_P(
    Table, Compute,
    ::testing::Values(
        ComputeCase{"E12_1000", 1, 1000, 1000, {Brown, Black, Red, NoBand}},
        ComputeCase{"E12_4000_goes_down_to_3900", 1, 4000, 3900, {Orange, White, Red, NoBand}},
        ComputeCase{"E12_980_takes_the_next_decade", 1, 980, 1000, {Brown, Black, Red, NoBand}},
        ComputeCase{"E24_960_takes_the_next_decade", 2, 960, 1000, {Brown, Black, Red, NoBand}},
        ComputeCase{"E6_0_47_silver", 0, 0.47, 0.47, {Yellow, Violet, Silver, NoBand}},
        ComputeCase{"E6_4_7_gold", 0, 4.7, 4.7, {Yellow, Violet, Gold, NoBand}},
        ComputeCase{"E6_47_black", 0, 47, 47, {Yellow, Violet, Black, NoBand}},
        ComputeCase{"E48_4700_to_4640", 3, 4700, 4640, {Yellow, Blue, Yellow, Brown}},
        ComputeCase{"E96_47k5", 4, 47500, 47500, {Yellow, Violet, Green, Red}},
        ComputeCase{"E96_100", 4, 100, 100, {Brown, Black, Black, Black}},
        ComputeCase{"E12_10G_white", 1, 10e9, 10e9, {Brown, Black, White, NoBand}},
        ComputeCase{"E12_8M2_multiplies_by_1e5", 1, 8.2e6, 8.2e6, {Grey, Red, Green, NoBand}},
        ComputeCase{"E96_4k02_multiplies_by_10", 4, 4020, 4020, {Yellow, Black, Red, Brown}},
        ComputeCase{"E96_0_499_has_no_bands", 4, 0.499, 0.499, {NoBand, NoBand, NoBand, NoBand}},
        ComputeCase{"E12_1e11_is_beyond_white", 1, 1e11, 1e11, {NoBand, NoBand, NoBand, NoBand}}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Every series value against its digits and power of ten --------------------------------

// IEC 60063 written out here rather than taken from the code: E12 is every second value of
// E24 and E6 every second of E12; E48 is every second value of E96.
const std::vector<int> ReferenceE24{100, 110, 120, 130, 150, 160, 180, 200, 220, 240, 270, 300,
                                    330, 360, 390, 430, 470, 510, 560, 620, 680, 750, 820, 910};
const std::vector<int> ReferenceE96{
    100, 102, 105, 107, 110, 113, 115, 118, 121, 124, 127, 130, 133, 137, 140, 143,
    147, 150, 154, 158, 162, 165, 169, 174, 178, 182, 187, 191, 196, 200, 205, 210,
    215, 221, 226, 232, 237, 243, 249, 255, 261, 267, 274, 280, 287, 294, 301, 309,
    316, 324, 332, 340, 348, 357, 365, 374, 383, 392, 402, 412, 422, 432, 442, 453,
    464, 475, 487, 499, 511, 523, 536, 549, 562, 576, 590, 604, 619, 634, 649, 665,
    681, 698, 715, 732, 750, 768, 787, 806, 825, 845, 866, 887, 909, 931, 953, 976};

std::vector<int> EverySecond(const std::vector<int>& values) {
    std::vector<int> taken;
    for (std::size_t i = 0; i < values.size(); i += 2)
        taken.push_back(values[i]);
    return taken;
}

struct SeriesSweep {
    const char* name;
    int series;
    int digitCount;
    std::vector<int> values;
};

void PrintTo(const SeriesSweep& c, std::ostream* os) {
    *os << c.name;
}

// The bands of base · 10^power10 as a reader of colour codes finds them: the first digits of
// the base, then the power that is left for the multiplier.
std::vector<int> ExpectedBands(int base, int power10, int digitCount) {
    const std::array<int, 3> digits{base / 100, base / 10 % 10, base % 10};
    const int multiplier = power10 + 3 - digitCount;
    if (multiplier < -2 || multiplier > 9)
        return {NoBand, NoBand, NoBand, NoBand};
    std::vector<int> bands(digits.begin(), digits.begin() + digitCount);
    bands.push_back(multiplier == -2 ? Silver : multiplier == -1 ? Gold : multiplier);
    if (digitCount == 2)
        bands.push_back(NoBand);
    return bands;
}

TFarbcode::Coding ExpectedCoding(int power10, int digitCount) {
    const int multiplier = power10 + 3 - digitCount;
    return multiplier < -2  ? TFarbcode::Coding::BelowSilver
           : multiplier > 9 ? TFarbcode::Coding::BeyondWhite
                            : TFarbcode::Coding::Shown;
}

class EverySeriesValue : public ::testing::TestWithParam<SeriesSweep> {};

// From 0.1 Ohm to 9.76 TOhm: 1 Ohm to 1 GOhm, and the decades either side where a series
// runs out of multipliers.
TEST_P(EverySeriesValue, ShowsItsDigitsAndPowerOfTen) {
    const SeriesSweep& sweep = GetParam();
    const auto table = TFarbcode::SeriesValues(sweep.series);
    ASSERT_EQ(std::vector<int>(table.begin(), table.end()), sweep.values);
    auto code = MakeCode(sweep.series);
    std::vector<std::string> wrong;
    for (int power10 = -3; power10 <= 10; ++power10) {
        for (const int base : sweep.values) {
            const std::string decimal = std::to_string(base) + "e" + std::to_string(power10);
            const double value = std::strtod(decimal.c_str(), nullptr);
            code->SetResistance(value);
            const std::vector<int> expected = ExpectedBands(base, power10, sweep.digitCount);
            if (code->Resistance != value || BandColours(*code) != expected ||
                code->BandCoding() != ExpectedCoding(power10, sweep.digitCount))
                wrong.push_back(decimal);
            for (int number = 1; number <= TFarbcode::BandCount; ++number)
                if (code->Band(number)->Stiftbreite() !=
                    (expected[std::size_t(number - 1)] == NoBand ? 0 : code->BandWidth))
                    wrong.push_back(decimal + " width of band " + std::to_string(number));
        }
    }
    EXPECT_TRUE(wrong.empty()) << wrong.size() << " wrong, first " << wrong.front();
}

INSTANTIATE_TEST_SUITE_P(Series, EverySeriesValue,
                         ::testing::Values(SeriesSweep{"E6", 0, 2,
                                                       EverySecond(EverySecond(ReferenceE24))},
                                           SeriesSweep{"E12", 1, 2, EverySecond(ReferenceE24)},
                                           SeriesSweep{"E24", 2, 2, ReferenceE24},
                                           SeriesSweep{"E48", 3, 3, EverySecond(ReferenceE96)},
                                           SeriesSweep{"E96", 4, 3, ReferenceE96}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FarbcodeTest, ValuesBelowATenthOfAnOhmChangeNoBand) {
    auto code = MakeCode(1);
    code->SetResistance(4700);
    const std::vector<int> before = BandColours(*code);
    code->SetResistance(0.05);
    EXPECT_EQ(BandColours(*code), before);
}

// A resistance that is not finite ran the snapping loop for ever.
TEST(FarbcodeTest, NonFiniteValuesAreRefusedAndChangeNothing) {
    for (const double bad :
         {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
          std::numeric_limits<double>::quiet_NaN()}) {
        auto code = MakeCode(1);
        code->SetResistance(4700);
        code->SetResistance(bad);
        EXPECT_EQ(code->Resistance, 4700);
        EXPECT_EQ(BandColours(*code), (std::vector<int>{Yellow, Violet, Red, NoBand}));
    }
}

TEST(FarbcodeTest, HugeValuesEndInsteadOfLooping) {
    auto code = MakeCode(1);
    code->SetResistance(std::numeric_limits<double>::max());
    EXPECT_TRUE(std::isfinite(code->Resistance));
}

// A series beyond E96 has no table: snapping it read past the five there are.
TEST(FarbcodeTest, AnUnknownSeriesKeepsTheValueAndTheBands) {
    auto code = MakeCode(1);
    code->SetResistance(4700);
    code->SetSeries(7);
    code->SetResistance(4000);
    EXPECT_EQ(code->Resistance, 4000);
    EXPECT_EQ(BandColours(*code), (std::vector<int>{Yellow, Violet, Red, NoBand}));
}

TEST(FarbcodeTest, SeriesTablesHoldTheirCountsAscending) {
    const std::array<std::size_t, 5> counts{6, 12, 24, 48, 96};
    for (int series = 0; series < TFarbcode::SeriesCount; ++series) {
        const auto values = TFarbcode::SeriesValues(series);
        ASSERT_EQ(values.size(), counts[std::size_t(series)]);
        EXPECT_EQ(values.front(), 100);
        EXPECT_TRUE(std::is_sorted(values.begin(), values.end()));
    }
    EXPECT_EQ(TFarbcode::SeriesValues(4).back(), 976);
    EXPECT_TRUE(TFarbcode::SeriesValues(5).empty());
}

TEST(FarbcodeTest, BandRectPutsBandFourOnTopAndSetsAnEighthAsWidth) {
    auto code = MakeCode(1);
    code->SetBandRect(-124, 0, 124, 175);
    const std::array<int, 4> expectedY{131, 88, 44, 0}; // bands 1 to 4; 87.5 rounds to 88
    for (int number = 1; number <= 4; ++number) {
        const TDraht& band = *code->Band(number);
        EXPECT_EQ(band.Nodes, (std::vector<QPoint>{{-124, expectedY[std::size_t(number - 1)]},
                                                   {124, expectedY[std::size_t(number - 1)]}}));
        EXPECT_EQ(band.Stiftbreite(), 22);
    }
    EXPECT_EQ(code->BandWidth, 22);
    code->SetResistance(1000);
    EXPECT_EQ(BandWidths(*code), (std::vector<int>{22, 22, 22, 0}));
}

// --- Stored form --------------------------------------------------------------------------------

QByteArray Payload(TFarbcode& code, StreamPurpose purpose = StreamPurpose::File) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    RecordContext context(purpose, buffer);
    ValueWriter writer(buffer, 20000);
    code.WriteToStream(context, writer);
    writer.FlushBuffer();
    return buffer.data();
}

std::unique_ptr<TFarbcode> ReadPayload(const QByteArray& bytes, const QString& version) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    RecordContext context(StreamPurpose::File, buffer);
    context.SetVersion(FileVersion(version));
    ValueReader reader(buffer, 20000);
    auto code = std::make_unique<TFarbcode>();
    code->ReadFromStream(context, reader);
    return code;
}

TEST(FarbcodeStreamTest, ReadingKeepsSeriesValueBandsAndTheirWidth) {
    auto code = MakeCode(4);
    code->SetBandRect(0, 0, 200, 175);
    code->SetResistance(47500);
    const QByteArray bytes = Payload(*code);
    auto read = ReadPayload(bytes, QStringLiteral("3,08"));
    EXPECT_EQ(read->Series, 4);
    EXPECT_EQ(read->Resistance, 47500);
    EXPECT_EQ(BandColours(*read), (std::vector<int>{Yellow, Violet, Green, Red}));
    EXPECT_EQ(BandWidths(*read), (std::vector<int>{22, 22, 22, 22}));
    EXPECT_TRUE(Payload(*read) == bytes) << "a read colour code writes the same bytes";
}

TEST(FarbcodeStreamTest, BandsAreRebuiltFromTheValueAfterReading) {
    auto code = MakeCode(1);
    code->Resistance = 4700; // bands still black from construction
    auto read = ReadPayload(Payload(*code), QStringLiteral("3,08"));
    EXPECT_EQ(BandColours(*read), (std::vector<int>{Yellow, Violet, Red, NoBand}));
}

// A base record as files of version 3.04 hold it: smoothing, but no milling flag.
void BaseRecord304(test::RecordBytes& b, TBauteilTyp kind) {
    b.Int(int(kind)).Int(20).Raw32(0).Raw32(0).Bool(false).Bool(true).Int(-1);
    b.Bool(false).Bool(false).Bool(false).Int(0).Float(0.0);
}

TEST(FarbcodeStreamTest, FilesBeforeTheValueWasStoredShowOneKiloOhmInE12) {
    test::RecordBytes b;
    BaseRecord304(b, TBauteilTyp::btGruppe);
    b.Int(TFarbcode::BandCount - 1).Raw(QByteArray(95, '\0')).Bool(false).Bool(true);
    for (int band = 0; band < TFarbcode::BandCount; ++band) {
        b.Str(QStringLiteral("TDraht"));
        BaseRecord304(b, TBauteilTyp::btLine);
        b.Int(1).Point32(0, band * 40).Point32(200, band * 40).Bool(false);
    }
    const QByteArray payload = b.Bytes();
    // Values a newer file would hold next: a reader of this version must leave them alone.
    const QByteArray bytes = payload + test::RecordBytes().Int(4).Float(47500).Bytes();

    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    RecordContext context(StreamPurpose::File, buffer);
    context.SetVersion(FileVersion(QStringLiteral("3,04")));
    auto read = std::make_unique<TFarbcode>();
    {
        ValueReader reader(buffer, 20000);
        read->ReadFromStream(context, reader);
    }
    EXPECT_EQ(buffer.pos(), payload.size());
    EXPECT_EQ(read->Series, 1);
    EXPECT_EQ(read->Resistance, 1000);
    EXPECT_EQ(BandColours(*read), (std::vector<int>{Brown, Black, Red, NoBand}));
}

struct DamagedCase {
    const char* name;
    int series;
    double value;
    double expectedValue;
};

void PrintTo(const DamagedCase& c, std::ostream* os) {
    *os << c.name;
}

class DamagedValue : public ::testing::TestWithParam<DamagedCase> {};

// Neither a series without a table nor an endless value may reach the snapping.
TEST_P(DamagedValue, KeepsTheBandsAsStored) {
    const DamagedCase& c = GetParam();
    auto code = MakeCode(1);
    code->SetResistance(4700);
    code->Series = std::uint8_t(c.series);
    code->Resistance = c.value;
    auto read = ReadPayload(Payload(*code), QStringLiteral("3,08"));
    EXPECT_EQ(read->Series, c.series);
    if (std::isnan(c.expectedValue))
        EXPECT_TRUE(std::isnan(read->Resistance));
    else
        EXPECT_EQ(read->Resistance, c.expectedValue);
    EXPECT_EQ(BandColours(*read), (std::vector<int>{Yellow, Violet, Red, NoBand}));
}

INSTANTIATE_TEST_SUITE_P(Table, DamagedValue,
                         ::testing::Values(DamagedCase{"SeriesFive", 5, 3300, 3300},
                                           DamagedCase{"SeriesTwoHundred", 200, 3300, 3300}),
                         [](const auto& info) { return std::string(info.param.name); });

// An endless resistance never comes from the program: the file is damaged, and reading stops
// there before any snapping could start.
TEST(FarbcodeReading, AnEndlessResistanceIsAnInvalidValue) {
    for (const double value :
         {std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()}) {
        auto code = MakeCode(1);
        code->SetResistance(4700);
        code->Resistance = value;
        // A file refuses to hold it; bytes that hold it all the same do not read.
        EXPECT_THROW(Payload(*code), StoreError) << value;
        EXPECT_THROW(ReadPayload(Payload(*code, StreamPurpose::Copy), QStringLiteral("3,08")),
                     StreamError)
            << value;
    }
}

} // namespace
} // namespace karvel
