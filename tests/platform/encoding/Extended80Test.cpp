// The extended format is how every coordinate-free number (angles, millimetres, scales) is
// stored, so a wrong bit here silently shifts values in every file.

#include "platform/encoding/Extended80.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

namespace karvel {
namespace {

using Limits = std::numeric_limits<double>;
constexpr std::uint64_t IntegerBit = std::uint64_t{1} << 63;
constexpr std::uint64_t AllOnes = ~std::uint64_t{0};

// Doubles are compared as bits, so that -0.0 differs from 0.0 and a NaN equals itself.
std::uint64_t BitsOf(double value) {
    return std::bit_cast<std::uint64_t>(value);
}

struct ExactPair {
    const char* name;
    double value;
    std::uint16_t signExponent;
    std::uint64_t mantissa;
};

const ExactPair ExactPairs[] = {
    {"one", 1.0, 0x3FFF, IntegerBit},
    {"minus two", -2.0, 0xC000, IntegerBit},
    {"one tenth", 0.1, 0x3FFB, 0xCCCCCCCCCCCCD000},
    {"zero", 0.0, 0x0000, 0},
    {"minus zero", -0.0, 0x8000, 0},
    {"infinity", Limits::infinity(), 0x7FFF, IntegerBit},
    {"minus infinity", -Limits::infinity(), 0xFFFF, IntegerBit},
    {"largest double", Limits::max(), 0x43FE, 0xFFFFFFFFFFFFF800},
    {"smallest normal", Limits::min(), 0x3C01, IntegerBit},
    // Double denormals become normal extendeds: integer bit set, exponent nonzero.
    {"smallest denormal", Limits::denorm_min(), 0x3BCD, IntegerBit},
    {"largest denormal", Limits::min() - Limits::denorm_min(), 0x3C00, 0xFFFFFFFFFFFFF000},
    {"negative denormal", -3 * Limits::denorm_min(), 0xBBCE, 0xC000000000000000},
};

TEST(Extended80, DoublesConvertExactlyBothWays) {
    for (const ExactPair& pair : ExactPairs) {
        SCOPED_TRACE(pair.name);
        const Extended80 extended = Extended80::FromDouble(pair.value);
        EXPECT_EQ(extended.SignExponent(), pair.signExponent);
        EXPECT_EQ(extended.Mantissa(), pair.mantissa);
        EXPECT_EQ(BitsOf(Extended80(pair.signExponent, pair.mantissa).ToDouble()),
                  BitsOf(pair.value));
    }
}

TEST(Extended80, BytesAreLittleEndianMantissaThenSignAndExponent) {
    const Extended80::Bytes one = {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0xFF, 0x3F};
    EXPECT_EQ(Extended80::FromDouble(1.0).ToBytes(), one);

    const Extended80 tenth = Extended80::FromDouble(-0.1);
    const Extended80::Bytes bytes = tenth.ToBytes();
    const Extended80::Bytes expected = {0x00, 0xD0, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xFB, 0xBF};
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(Extended80::FromBytes(bytes), tenth);
}

TEST(Extended80, EveryDoubleSurvivesTheRoundTripBitForBit) {
    std::mt19937_64 random(20240611);
    for (int i = 0; i < 200000; ++i) {
        const std::uint64_t bits = random();
        const double value = std::bit_cast<double>(bits);
        // NaN payloads and signalling bits included.
        ASSERT_EQ(BitsOf(Extended80::FromDouble(value).ToDouble()), bits) << std::hex << bits;
    }
}

struct Rounding {
    const char* name;
    std::uint16_t signExponent;
    std::uint64_t mantissa;
    double expected;
};

const double OneUlpAboveOne = std::nextafter(1.0, 2.0);
const double TwoUlpsAboveOne = std::nextafter(OneUlpAboveOne, 2.0);
const double Tiny = Limits::denorm_min();

const Rounding Roundings[] = {
    {"half, down to even", 0x3FFF, 0x8000000000000400, 1.0},
    {"half, up to even", 0x3FFF, 0x8000000000000C00, TwoUlpsAboveOne},
    {"just above half", 0x3FFF, 0x8000000000000401, OneUlpAboveOne},
    {"just below half", 0x3FFF, 0x80000000000003FF, 1.0},
    {"carry into the exponent", 0x3FFF, AllOnes, 2.0},
    {"negative rounds by magnitude", 0xBFFF, 0x8000000000000C00, -TwoUlpsAboveOne},
    {"below the overflow half", 0x43FE, 0xFFFFFFFFFFFFFBFF, Limits::max()},
    {"overflow by rounding", 0x43FE, 0xFFFFFFFFFFFFFC00, Limits::infinity()},
    {"negative overflow by rounding", 0xC3FE, 0xFFFFFFFFFFFFFC00, -Limits::infinity()},
    {"just beyond double range", 0x43FF, IntegerBit, Limits::infinity()},
    {"largest extended", 0x7FFE, AllOnes, Limits::infinity()},
    {"largest negative extended", 0xFFFE, AllOnes, -Limits::infinity()},
    {"denormal, half down to even", 0x3BCE, 0xA000000000000000, 2 * Tiny}, // 2.5 tiny
    {"denormal, half up to even", 0x3BCD, 0xC000000000000000, 2 * Tiny},   // 1.5 tiny
    {"largest below the smallest normal", 0x3C00, AllOnes, Limits::min()},
    {"half the smallest denormal", 0x3BCC, IntegerBit, 0.0},
    {"just above half the smallest denormal", 0x3BCC, IntegerBit + 1, Tiny},
    {"three quarters of the smallest denormal", 0x3BCC, 0xC000000000000000, Tiny},
    {"just below half the smallest denormal", 0x3BCB, AllOnes, 0.0},
    {"negative tiny keeps its sign", 0xBBCC, IntegerBit, -0.0},
    {"smallest normal extended", 0x0001, IntegerBit, 0.0},
    {"extended denormal", 0x0000, AllOnes >> 1, 0.0},
};

TEST(Extended80, MantissaRoundsToNearestHalvesToEven) {
    for (const Rounding& rounding : Roundings) {
        SCOPED_TRACE(rounding.name);
        EXPECT_EQ(BitsOf(Extended80(rounding.signExponent, rounding.mantissa).ToDouble()),
                  BitsOf(rounding.expected));
    }
}

// Encodings without an integer bit where it belongs are read as the value their bits denote.
TEST(Extended80, UnnormalsAndPseudoDenormalsTakeTheValueOfTheirBits) {
    const Rounding cases[] = {
        {"unnormal half", 0x3FFF, 0x4000000000000000, 0.5},
        {"unnormal, negative", 0xC000, 0x0000000000000001, -std::ldexp(1.0, -62)},
        {"unnormal zero", 0x3FFF, 0, 0.0},
        {"negative unnormal zero", 0xBFFF, 0, -0.0},
        {"unnormal to a double denormal", 0x3C01, 0x0000000000000800, Tiny},
        {"pseudo-denormal", 0x0000, IntegerBit, 0.0},
    };
    for (const Rounding& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(BitsOf(Extended80(c.signExponent, c.mantissa).ToDouble()), BitsOf(c.expected));
    }
}

TEST(Extended80, EveryEncodingWithTheTopExponentButInfinityIsNaN) {
    const struct {
        const char* name;
        std::uint16_t signExponent;
        std::uint64_t mantissa;
    } cases[] = {
        {"quiet NaN", 0x7FFF, 0xC000000000000000},
        {"negative quiet NaN", 0xFFFF, 0xC000000000000000},
        {"signalling NaN, payload only in dropped bits", 0x7FFF, IntegerBit | 1},
        {"pseudo-infinity", 0x7FFF, 0},
        {"pseudo-NaN", 0x7FFF, 0x4000000000000000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(std::isnan(Extended80(c.signExponent, c.mantissa).ToDouble()));
    }
    // A quiet NaN stays quiet (bit 51 of the double).
    const double quiet = Extended80(0x7FFF, 0xC000000000000000).ToDouble();
    EXPECT_NE(BitsOf(quiet) & (std::uint64_t{1} << 51), 0u);
}

// Where the compiler's long double is the x87 format, the processor's own conversion is an
// independent judge of the rounding, denormal and overflow paths.
TEST(Extended80, AgreesWithTheX87Conversion) {
    if constexpr (std::numeric_limits<long double>::digits != 64 ||
                  sizeof(long double) < Extended80::ByteCount) {
        GTEST_SKIP() << "long double is not the x87 extended format here";
    } else {
        std::mt19937_64 random(7);
        std::uniform_int_distribution<int> exponents(0x3BB0, 0x4410); // double range and beyond
        std::uniform_int_distribution<int> tieBits(1, 63);
        for (int i = 0; i < 200000; ++i) {
            std::uint64_t mantissa = random() | IntegerBit;
            if (i % 2 == 0) { // an exact tie at some bit, to reach the half-to-even cases
                const int bit = tieBits(random);
                mantissa = (mantissa & ~((std::uint64_t{1} << bit) - 1)) |
                           (std::uint64_t{1} << (bit - 1)) | IntegerBit;
            }
            const auto sign = std::uint16_t(i % 4 == 1 ? 0x8000 : 0);
            const Extended80 extended(std::uint16_t(sign | exponents(random)), mantissa);
            const Extended80::Bytes bytes = extended.ToBytes();
            long double native = 0;
            std::memcpy(&native, bytes.data(), bytes.size());
            ASSERT_EQ(BitsOf(extended.ToDouble()), BitsOf(static_cast<double>(native)))
                << std::hex << extended.SignExponent() << " " << mantissa;
        }
    }
}

} // namespace
} // namespace karvel
