// The value of a short decimal, digits * 10^exponent, rounded once to the
// 64-bit significand of the extended format (nearest, ties to even), in
// integer arithmetic alone.
//
// For |exponent| <= 27 the power 10^|exponent| is exact in extended, so the
// parse's extended step (one multiplication or division of the exact digit
// integer by that power) is itself a single correct rounding of the exact
// value. This function computes that same rounding without the x87 unit,
// and so without its status word, for the texts people type.
//   (15, -1)      -> true, 1.5  = 0x3FFF C000000000000000
//   (1, -1)       -> true, 0.1  = 0x3FFB CCCCCCCCCCCCCCCD
//   (0, 5)        -> true, +0
//   (1, 28)       -> false (10^28 is not exact in extended)
// Needs unsigned __int128; without it every call returns false.
#pragma once

#include <cstdint>

#include "numeric/extended_bits.h"

namespace optics::short_decimal {

// The largest |exponent| taken: 5^27 < 2^63 <= 5^28.
inline constexpr int kMaxExponent = 27;

// Puts the rounded value of digits * 10^exponent (positive, or +0 for no
// digits) into result and returns true; returns false, leaving result
// alone, when |exponent| > kMaxExponent.
bool Round(std::uint64_t digits, std::int64_t exponent, ExtendedBits& result);

}  // namespace optics::short_decimal
