// Multiplication and division.
#include "soft_float80_internal.h"

namespace optics::soft {

using namespace detail;

namespace {

Float80 ProductOfFinite(Unpacked x, Unpacked y, Flags& flags) {
  U128 p = Mul64(x.significand, y.significand);  // in [2^126, 2^128)
  std::int32_t exponent = x.exponent + y.exponent - kBias;
  if ((p.hi >> 63) != 0) {
    ++exponent;
  } else {
    p.hi = (p.hi << 1) | (p.lo >> 63);
    p.lo <<= 1;
  }
  return RoundPack(x.negative != y.negative, exponent, p.hi, p.lo, flags);
}

Float80 QuotientOfFinite(Unpacked x, Unpacked y, Flags& flags) {
  // The dividend is placed so that the quotient has exactly 64 bits; the
  // remainder against half the divisor gives the bits below.
  std::int32_t exponent = x.exponent - y.exponent + kBias;
  std::uint64_t hi, lo;
  if (x.significand < y.significand) {
    hi = x.significand;
    lo = 0;
    --exponent;
  } else {
    hi = x.significand >> 1;
    lo = x.significand << 63;
  }
  std::uint64_t r;
  const std::uint64_t q = Div128(hi, lo, y.significand, r);
  std::uint64_t extra = 0;
  if (r != 0) {
    const std::uint64_t other = y.significand - r;  // r compared with divisor / 2
    extra = r == other ? kHalf : r > other ? kHalf | 1 : 1;
  }
  return RoundPack(x.negative != y.negative, exponent, q, extra, flags);
}

}  // namespace

Float80 Multiply(Float80 a, Float80 b, Flags& flags) {
  if (IsNormal(a) && IsNormal(b)) [[likely]] return ProductOfFinite(Unpack(a), Unpack(b), flags);
  const Kind ka = KindOf(a), kb = KindOf(b);
  Float80 result;
  if (TakeNaNOrRefused(a, ka, b, kb, result, flags)) return result;
  const bool negative = IsNegative(a) != IsNegative(b);
  if (ka == Kind::kInfinity || kb == Kind::kInfinity) {
    if (ka == Kind::kZero || kb == Kind::kZero) return Invalid(flags);
    return Infinity(negative);
  }
  if (ka == Kind::kZero || kb == Kind::kZero) return Zero(negative);
  return ProductOfFinite(Unpack(a), Unpack(b), flags);
}

Float80 Divide(Float80 a, Float80 b, Flags& flags) {
  if (IsNormal(a) && IsNormal(b)) [[likely]] return QuotientOfFinite(Unpack(a), Unpack(b), flags);
  const Kind ka = KindOf(a), kb = KindOf(b);
  const bool negative = IsNegative(a) != IsNegative(b);
  if (ka == Kind::kFinite && kb == Kind::kZero) {  // a denormal dividend is not noted
    flags.Raise(Flags::kDivideByZero);
    return Infinity(negative);
  }
  Float80 result;
  if (TakeNaNOrRefused(a, ka, b, kb, result, flags)) return result;
  if (ka == Kind::kInfinity) {
    if (kb == Kind::kInfinity) return Invalid(flags);
    return Infinity(negative);
  }
  if (kb == Kind::kInfinity) return Zero(negative);
  if (ka == Kind::kZero) return kb == Kind::kZero ? Invalid(flags) : Zero(negative);
  return QuotientOfFinite(Unpack(a), Unpack(b), flags);
}

}  // namespace optics::soft
