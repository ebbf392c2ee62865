// Comparison.
#include "soft_float80_internal.h"

namespace optics::soft {

using namespace detail;

namespace {

Ordering CompareValues(Float80 a, Float80 b, bool signaling, Flags& flags) {
  const Kind ka = KindOf(a), kb = KindOf(b);
  if (ka == Kind::kUnsupported || kb == Kind::kUnsupported || ka == Kind::kSignalingNaN ||
      kb == Kind::kSignalingNaN) {
    flags.Raise(Flags::kInvalid);
    return Ordering::kUnordered;
  }
  if (ka == Kind::kQuietNaN || kb == Kind::kQuietNaN) {
    if (signaling) flags.Raise(Flags::kInvalid);
    return Ordering::kUnordered;
  }
  NoteDenormal(a, flags);
  NoteDenormal(b, flags);
  if (ka == Kind::kZero && kb == Kind::kZero) return Ordering::kEqual;
  // Ordered as magnitudes with the sign in front: zero below every other
  // magnitude, infinity above, a pseudo-denormal equal to its normal twin.
  const auto magnitude_less = [](Kind k1, Float80 x, Kind k2, Float80 y) {
    if (k1 == Kind::kZero) return k2 != Kind::kZero;
    if (k2 == Kind::kZero || k1 == Kind::kInfinity) return false;
    if (k2 == Kind::kInfinity) return true;
    const Unpacked ux = Unpack(x), uy = Unpack(y);
    return ux.exponent < uy.exponent ||
           (ux.exponent == uy.exponent && ux.significand < uy.significand);
  };
  const bool a_negative = ka != Kind::kZero && IsNegative(a);
  const bool b_negative = kb != Kind::kZero && IsNegative(b);
  if (a_negative != b_negative) return a_negative ? Ordering::kLess : Ordering::kGreater;
  const bool a_smaller = magnitude_less(ka, a, kb, b);
  const bool b_smaller = magnitude_less(kb, b, ka, a);
  if (!a_smaller && !b_smaller) return Ordering::kEqual;
  return a_smaller != a_negative ? Ordering::kLess : Ordering::kGreater;
}

}  // namespace

Ordering Compare(Float80 a, Float80 b, Flags& flags) { return CompareValues(a, b, false, flags); }

Ordering CompareSignaling(Float80 a, Float80 b, Flags& flags) {
  return CompareValues(a, b, true, flags);
}

}  // namespace optics::soft
