#include "platform/encoding/Extended80.h"

#include <algorithm>
#include <bit>
#include <limits>

namespace karvel {

static_assert(std::numeric_limits<double>::is_iec559, "the conversion works on IEEE doubles");

namespace {

constexpr std::uint64_t IntegerBit = std::uint64_t{1} << 63;
constexpr std::uint64_t FractionMask = (std::uint64_t{1} << 52) - 1;
constexpr std::uint64_t QuietBit = std::uint64_t{1} << 51;
constexpr std::uint64_t InfinityBits = std::uint64_t{0x7FF} << 52;
constexpr int MaxExponent = 0x7FFF;
constexpr int DoubleMaxExponent = 0x7FF;
// Extended bias minus double bias: the same binary exponent in both formats.
constexpr int ExponentOffset = 16383 - 1023;
// The double fraction has 52 bits, the extended mantissa 63 below its integer bit.
constexpr int DroppedBits = 11;

// m / 2^shift rounded to the nearest integer, halves to even.
std::uint64_t RoundShiftRight(std::uint64_t m, int shift) {
    if (shift > 64)
        return 0; // m lies below half of the lowest kept bit
    if (shift == 64)
        return m > IntegerBit ? 1 : 0; // exactly half rounds to the even 0
    const std::uint64_t kept = m >> shift;
    const std::uint64_t rest = m & ((std::uint64_t{1} << shift) - 1);
    const std::uint64_t half = std::uint64_t{1} << (shift - 1);
    const bool up = rest > half || (rest == half && (kept & 1) != 0);
    return kept + (up ? 1 : 0);
}

// The double bits (without sign) of m × 2^(exponent - 1023 - 63), m having its top bit set.
// The exponent is biased as a double's and may lie outside the double range.
std::uint64_t FiniteMagnitudeBits(std::uint64_t m, int exponent) {
    if (exponent >= DoubleMaxExponent)
        return InfinityBits;
    if (exponent >= 1) {
        // The rounded mantissa keeps its integer bit, so it is added onto exponent - 1: a carry
        // out of the mantissa steps the exponent up, at the top into exactly infinity.
        const std::uint64_t rounded = RoundShiftRight(m, DroppedBits);
        return (std::uint64_t(exponent - 1) << 52) + rounded;
    }
    // A denormal result. Rounding up into bit 52 gives the smallest normal's bits, as it should.
    return RoundShiftRight(m, DroppedBits + 1 - exponent);
}

// Exponent 0x7FFF. Only a lone integer bit is infinity. Pseudo-infinities and pseudo-NaNs
// (integer bit clear), which x87 processors refuse as invalid, become NaNs like the rest.
std::uint64_t SpecialMagnitudeBits(std::uint64_t m) {
    if (m == IntegerBit)
        return InfinityBits;
    std::uint64_t fraction = (m >> DroppedBits) & FractionMask;
    if (fraction == 0)
        fraction = QuietBit; // the payload lay only in the dropped bits: still a NaN
    return InfinityBits | fraction;
}

} // namespace

Extended80 Extended80::FromDouble(double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const int sign = (bits >> 63) != 0 ? 0x8000 : 0;
    const int exponent = int((bits >> 52) & DoubleMaxExponent);
    const std::uint64_t fraction = bits & FractionMask;
    if (exponent == DoubleMaxExponent) // infinity, or a NaN keeping its payload and quiet bit
        return {std::uint16_t(sign | MaxExponent), IntegerBit | (fraction << DroppedBits)};
    if (exponent == 0) {
        if (fraction == 0)
            return {std::uint16_t(sign), 0};
        // A denormal, fraction × 2^-1074, becomes a normal extended: shifted up to the integer
        // bit it is (fraction << shift) × 2^(E - 16383 - 63).
        const int shift = std::countl_zero(fraction);
        const int extendedExponent = 16383 + 63 - 1074 - shift;
        return {std::uint16_t(sign | extendedExponent), fraction << shift};
    }
    return {std::uint16_t(sign | (exponent + ExponentOffset)),
            IntegerBit | (fraction << DroppedBits)};
}

double Extended80::ToDouble() const {
    const std::uint64_t sign = std::uint64_t(signExponent_ >> 15) << 63;
    const int exponent = signExponent_ & MaxExponent;
    if (exponent == MaxExponent)
        return std::bit_cast<double>(sign | SpecialMagnitudeBits(mantissa_));
    if (mantissa_ == 0) // zero, also with a nonzero exponent (an unnormal zero)
        return std::bit_cast<double>(sign);
    // Denormals and pseudo-denormals (exponent 0) scale like exponent 1. Unnormals (integer
    // bit clear above it) count as the value their bits denote, as the 8087 read them.
    const int shift = std::countl_zero(mantissa_);
    const int doubleExponent = std::max(exponent, 1) - shift - ExponentOffset;
    return std::bit_cast<double>(sign | FiniteMagnitudeBits(mantissa_ << shift, doubleExponent));
}

Extended80 Extended80::FromBytes(std::span<const std::uint8_t, ByteCount> bytes) {
    std::uint64_t mantissa = 0;
    for (int i = 7; i >= 0; --i)
        mantissa = (mantissa << 8) | bytes[i];
    return {std::uint16_t(bytes[8] | (bytes[9] << 8)), mantissa};
}

Extended80::Bytes Extended80::ToBytes() const {
    Bytes bytes{};
    for (int i = 0; i < 8; ++i)
        bytes[i] = std::uint8_t(mantissa_ >> (8 * i));
    bytes[8] = std::uint8_t(signExponent_);
    bytes[9] = std::uint8_t(signExponent_ >> 8);
    return bytes;
}

} // namespace karvel
