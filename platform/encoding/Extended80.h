#pragma once
// The 80-bit extended-precision float that stored files hold for every floating-point value,
// and its exact conversion to and from double, done in integer arithmetic so that it gives
// the same bits on every compiler and processor.

#include <array>
#include <cstdint>
#include <span>

namespace karvel {

class Extended80 {
public:
    static constexpr int ByteCount = 10;
    using Bytes = std::array<std::uint8_t, ByteCount>;

    constexpr Extended80() = default;
    // signExponent: sign in bit 15, exponent biased by 16383 in bits 0..14; mantissa with its
    // integer bit in bit 63.
    constexpr Extended80(std::uint16_t signExponent, std::uint64_t mantissa)
        : signExponent_(signExponent), mantissa_(mantissa) {}

    // Exact: every double, denormals included, has a normal extended of the same value.
    static Extended80 FromDouble(double value);
    // Rounds the 64-bit mantissa to the nearest double, halves to even; values beyond the
    // double range become infinities, tiny ones denormals or zero.
    double ToDouble() const;

    // Ten bytes, little-endian: the mantissa, then sign and exponent.
    static Extended80 FromBytes(std::span<const std::uint8_t, ByteCount> bytes);
    Bytes ToBytes() const;

    constexpr std::uint16_t SignExponent() const { return signExponent_; }
    constexpr std::uint64_t Mantissa() const { return mantissa_; }
    constexpr bool operator==(const Extended80&) const = default;

private:
    std::uint16_t signExponent_ = 0;
    std::uint64_t mantissa_ = 0;
};

} // namespace karvel
