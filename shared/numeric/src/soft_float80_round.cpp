// The rounding of results beyond the normal range, and the NaN results.
#include "soft_float80_internal.h"

namespace optics::soft::detail {

Float80 RoundPackOutOfRange(bool negative, std::int32_t exponent, std::uint64_t significand,
                            std::uint64_t extra, Flags& flags) {
  if (exponent >= kMaxExponent) {
    flags.Raise(Flags::kOverflow | Flags::kInexact);
    return Infinity(negative);
  }
  // Below 2^-16382 the value is tiny when it stays below even after rounding
  // to 64 bits with an unbounded exponent, which is when the x87 reports
  // underflow (together with an inexact result).
  const bool carries_to_normal = exponent == 0 && significand == ~0ull && extra >= kHalf;
  const bool tiny = !carries_to_normal;
  const U128 d = ShiftRightJam(significand, extra, 1 - exponent);
  std::uint64_t sig = d.hi;
  if (d.lo != 0) {
    flags.Raise(tiny ? Flags::kInexact | Flags::kUnderflow : Flags::kInexact);
    if (d.lo > kHalf || (d.lo == kHalf && (sig & 1) != 0)) ++sig;
  }
  // A carry into bit 63 makes the least normal value, 2^-16382.
  return Pack(negative, (sig >> 63) != 0 ? 1 : 0, sig);
}

Float80 QuietNaNOf(Float80 a, Flags& flags) {
  if ((a.significand & kQuietBit) == 0) flags.Raise(Flags::kInvalid);
  return {a.significand | kQuietBit, a.sign_exponent};
}

Float80 PropagateNaN(Float80 a, Float80 b, Flags& flags) {
  const bool a_nan = IsNaN(a), b_nan = IsNaN(b);
  if (!b_nan) return QuietNaNOf(a, flags);
  if (!a_nan) return QuietNaNOf(b, flags);
  const bool a_quiet = (a.significand & kQuietBit) != 0;
  const bool b_quiet = (b.significand & kQuietBit) != 0;
  if (!a_quiet || !b_quiet) flags.Raise(Flags::kInvalid);
  Float80 winner;
  if (a_quiet != b_quiet) {
    winner = a_quiet ? a : b;
  } else if (a.significand != b.significand) {
    winner = a.significand > b.significand ? a : b;
  } else {
    winner = IsNegative(a) ? b : a;
  }
  return {winner.significand | kQuietBit, winner.sign_exponent};
}

}  // namespace optics::soft::detail
