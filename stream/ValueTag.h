#pragma once
// The one-byte tags that introduce each typed value in stored boards.

#include <cstdint>

namespace karvel {

// Any byte may appear where a tag is expected; those without a name here are not values.
enum class ValueTag : std::uint8_t {
    Int8 = 0x02,
    Int16 = 0x03,
    Int32 = 0x04,
    Extended = 0x05,
    String = 0x06,
    False = 0x08,
    True = 0x09,
    LString = 0x0C,
    WString = 0x12,
    Int64 = 0x13,
    Utf8String = 0x14,
    Double = 0x15,
};

} // namespace karvel
