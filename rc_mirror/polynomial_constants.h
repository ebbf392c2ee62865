// The factors of Corvale's sag coefficients, K/8, K^2/16 and 5 K^3/128: exact
// in binary, written as bit patterns like every extended constant.
#pragma once

#include "numeric/extended.h"

namespace optics::corvale::inline OPTICAL_EXTENDED_NAMESPACE {

inline constexpr Extended kOneEighth = Extended::FromBits(0x3FFC, 0x8000000000000000ull);     // 0.125
inline constexpr Extended kOneSixteenth = Extended::FromBits(0x3FFB, 0x8000000000000000ull);  // 0.0625
inline constexpr Extended kFiveOver128 = Extended::FromBits(0x3FFA, 0xA000000000000000ull);   // 0.0390625

}  // namespace optics::corvale::inline OPTICAL_EXTENDED_NAMESPACE
