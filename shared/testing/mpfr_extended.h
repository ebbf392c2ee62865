// The extended value nearest to an exact number, found with GNU MPFR: one
// correct rounding to a 64-bit significand, for numbers in the normal range.
//   NearestExtended("0.1")   -> {CCCCCCCCCCCCCCCD, 3FFB}
//   NearestExtendedPow10(3)  -> {FA00000000000000, 4008}
#pragma once

#include <cstdint>

#include <mpfr.h>

#include "numeric/extended_bits.h"

namespace optics::testing {

// x, finite, non-zero and in the normal extended range, rounded to nearest.
inline ExtendedBits NearestExtendedOf(mpfr_srcptr x) {
  mpfr_t r;
  mpfr_init2(r, 64);
  mpfr_set(r, x, MPFR_RNDN);
  const mpfr_exp_t e = mpfr_get_exp(r);  // r = 0.1... * 2^e
  ExtendedBits b;
  b.sign_exponent = static_cast<std::uint16_t>((mpfr_signbit(r) ? ExtendedBits::kSignMask : 0) |
                                               (e - 1 + ExtendedBits::kExponentBias));
  mpfr_abs(r, r, MPFR_RNDN);
  mpfr_mul_2si(r, r, 64 - e, MPFR_RNDN);  // exact: the 64-bit integer significand
  b.significand = mpfr_get_uj(r, MPFR_RNDN);
  mpfr_clear(r);
  return b;
}

inline ExtendedBits NearestExtended(const char* decimal) {
  mpfr_t r;
  mpfr_init2(r, 64);
  mpfr_strtofr(r, decimal, nullptr, 10, MPFR_RNDN);  // one rounding of the exact decimal
  const ExtendedBits b = NearestExtendedOf(r);
  mpfr_clear(r);
  return b;
}

inline ExtendedBits NearestExtendedPow10(unsigned long exponent) {
  mpfr_t p;
  mpfr_init2(p, 64);
  mpfr_ui_pow_ui(p, 10, exponent, MPFR_RNDN);  // one correct rounding to 64 bits
  const ExtendedBits b = NearestExtendedOf(p);
  mpfr_clear(p);
  return b;
}

}  // namespace optics::testing
