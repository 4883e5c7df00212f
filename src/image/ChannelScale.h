#pragma once
// Widening of n-bit colour channels to 8 bits: k becomes k * 255 / (2^n - 1)
// rounded to the nearest integer. The divisors are odd, so no quotient lies
// exactly halfway and integer rounding gives the exact result.

#include <cstdint>

namespace drossel {

constexpr std::uint8_t ScaleBits(unsigned value, unsigned bits) {
    const unsigned top = (1u << bits) - 1;
    return static_cast<std::uint8_t>(((value & top) * 255 + top / 2) / top);
}

constexpr std::uint8_t Scale4(unsigned value) {
    return ScaleBits(value, 4);
}
constexpr std::uint8_t Scale5(unsigned value) {
    return ScaleBits(value, 5);
}
constexpr std::uint8_t Scale6(unsigned value) {
    return ScaleBits(value, 6);
}

static_assert(Scale4(1) == 17 && Scale4(15) == 255);
static_assert(Scale5(1) == 8 && Scale5(3) == 25 && Scale5(30) == 247 && Scale5(31) == 255);
static_assert(Scale6(1) == 4 && Scale6(3) == 12 && Scale6(62) == 251 && Scale6(63) == 255);

}  // namespace drossel
