// Addition and subtraction.
#include <utility>

#include "soft_float80_internal.h"

namespace optics::soft {
namespace {

using namespace detail;

// x + y for finite non-zero values (y with the sign that takes part).
Float80 SumOfFinite(Unpacked x, Unpacked y, Flags& flags) {
  if (x.exponent < y.exponent || (x.exponent == y.exponent && x.significand < y.significand)) {
    std::swap(x, y);
  }
  // y aligned with x: its significand spread over two words, jammed.
  const int distance = x.exponent - y.exponent;
  const U128 ys = distance == 0 ? U128{y.significand, 0}
                                : ShiftRightJam(y.significand, 0, distance);
  std::int32_t exponent = x.exponent;
  if (x.negative == y.negative) {
    std::uint64_t hi = x.significand + ys.hi;
    std::uint64_t lo = ys.lo;
    if (hi < x.significand) {  // the sum reached 2^64
      const U128 s = ShiftRightJam(hi, lo, 1);
      hi = s.hi | kIntegerBit;
      lo = s.lo;
      ++exponent;
    }
    return RoundPack(x.negative, exponent, hi, lo, flags);
  }
  // |x| >= |y|: the difference is not negative. When y was shifted by two or
  // more places it is above 2^62, so at most one place of normalisation
  // follows and the sticky bit stays below the rounding position; closer
  // operands leave no bit behind.
  std::uint64_t lo = 0 - ys.lo;
  std::uint64_t hi = x.significand - ys.hi - (ys.lo != 0 ? 1u : 0u);
  if (hi == 0 && lo == 0) return Zero(false);  // exact cancellation is +0
  if (hi == 0) {
    hi = lo;
    lo = 0;
    exponent -= 64;
  }
  const int shift = std::countl_zero(hi);
  if (shift != 0) {
    hi = (hi << shift) | (lo >> (64 - shift));
    lo <<= shift;
    exponent -= shift;
  }
  return RoundPack(x.negative, exponent, hi, lo, flags);
}

// a + b with b's sign taken as b_negative (Subtract flips it; a NaN b keeps
// its own sign all the same).
Float80 Sum(Float80 a, Float80 b, bool b_negative, Flags& flags) {
  if (IsNormal(a) && IsNormal(b)) [[likely]] {
    return SumOfFinite(Unpack(a), {b_negative, BiasedExponentOf(b), b.significand}, flags);
  }
  const Kind ka = KindOf(a), kb = KindOf(b);
  Float80 result;
  if (TakeNaNOrRefused(a, ka, b, kb, result, flags)) return result;
  if (ka == Kind::kInfinity) {
    if (kb == Kind::kInfinity && IsNegative(a) != b_negative) return Invalid(flags);
    return a;
  }
  if (kb == Kind::kInfinity) return Infinity(b_negative);
  if (ka == Kind::kZero && kb == Kind::kZero) return Zero(IsNegative(a) && b_negative);
  if (kb == Kind::kZero) {
    const Unpacked x = Unpack(a);
    return RoundPack(x.negative, x.exponent, x.significand, 0, flags);
  }
  Unpacked y = Unpack(b);
  y.negative = b_negative;
  if (ka == Kind::kZero) return RoundPack(y.negative, y.exponent, y.significand, 0, flags);
  return SumOfFinite(Unpack(a), y, flags);
}

}  // namespace

Float80 Add(Float80 a, Float80 b, Flags& flags) { return Sum(a, b, IsNegative(b), flags); }

Float80 Subtract(Float80 a, Float80 b, Flags& flags) { return Sum(a, b, !IsNegative(b), flags); }

}  // namespace optics::soft
