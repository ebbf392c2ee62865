// Values as hex bit patterns, the way the tests name them exactly: a double
// as the 16 hex digits of its 64 bits, an extended value as 20 hex digits,
// the 16 bits of sign and exponent first, then the 64-bit significand with
// its explicit integer bit (see ExtendedBits).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "numeric/extended.h"

namespace optics::numtext {

inline constexpr std::size_t kDoubleHexDigits = 16;
inline constexpr std::size_t kExtendedHexDigits = 20;

// Lower-case hex of the bits.
//   1.5 -> "3ff8000000000000"    -0.0 -> "8000000000000000"
std::string DoubleHex(double v);
//   1.5 -> "3fffc000000000000000"    -0.0 -> "80000000000000000000"
std::string ExtendedHex(Extended v);

// The value of a text of exactly 16 (double) or 20 (extended) hex digits,
// either case; nullopt for any other length or any other character. Every
// bit pattern is accepted, NaNs and the encodings the x87 refuses included.
//   "3FF8000000000000" -> 1.5    "3ff8" -> nullopt    "3ff800000000000g" -> nullopt
std::optional<double> DoubleFromHex(std::string_view hex);
//   "40008000000000000000" -> 2    "c0028000000000000000" -> -8
std::optional<Extended> ExtendedFromHex(std::string_view hex);

}  // namespace optics::numtext
