// The coefficients of Vandrel's empirical quadratics, as the bit patterns of
// the extended values nearest to their decimal figures, so that no compiler's
// reading of a decimal literal is involved:
//   A = (0.203995 x^2 - 0.43812111 x) + 1.4200468015   (ng from nd)
//   B = (0.020895 x^2 - 0.07171799 x) + 0.7293063116   (nF from nd)
#pragma once

#include "numeric/extended.h"

namespace optics::vandrel::inline OPTICAL_EXTENDED_NAMESPACE {

inline constexpr Extended kA2 = Extended::FromBits(0x3FFC, 0xD0E410B630A91538ull);  // 0.203995
inline constexpr Extended kA1 = Extended::FromBits(0x3FFD, 0xE05168FE464182D7ull);  // 0.43812111
inline constexpr Extended kA0 = Extended::FromBits(0x3FFF, 0xB5C417F59DAF059Aull);  // 1.4200468015
inline constexpr Extended kB2 = Extended::FromBits(0x3FF9, 0xAB2BFDB4CC250721ull);  // 0.020895
inline constexpr Extended kB1 = Extended::FromBits(0x3FFB, 0x92E0E1ACADC87AAEull);  // 0.07171799
inline constexpr Extended kB0 = Extended::FromBits(0x3FFE, 0xBAB3D18516A06D83ull);  // 0.7293063116

}  // namespace optics::vandrel::inline OPTICAL_EXTENDED_NAMESPACE
