// The software back end of Extended: soft::Float80, the x87 arithmetic in
// portable code, always with the 64-bit significand and round to nearest.
// The same bare, unchecked operations as extended_x87.h, with the same
// results bit for bit; the exception flags of soft_float80.h are not needed
// here, since extended.h decides every failure from the values.
//   Add(1, 2) -> 3    IsNaN(0 / 0) -> true    FromBits(0x3FFF, C000000000000000) -> 1.5
#pragma once

#include <bit>
#include <cstdint>

#include "numeric/extended_bits.h"
#include "numeric/soft_float80.h"

namespace optics::soft_backend {

using Raw = soft::Float80;

constexpr Raw FromBits(std::uint16_t sign_exponent, std::uint64_t significand) {
  return Raw{significand, sign_exponent};
}
constexpr ExtendedBits BitsOf(Raw v) { return ExtendedBits{v.significand, v.sign_exponent}; }

inline Raw FromDouble(double v) {
  soft::Flags f;
  return soft::FromDouble(v, f);
}
inline Raw FromInt64(std::int64_t v) { return soft::FromInt64(v); }
constexpr Raw FromUint64(std::uint64_t v) {
  if (v == 0) return Raw{0, 0};
  const int shift = std::countl_zero(v);
  return Raw{v << shift, static_cast<std::uint16_t>(ExtendedBits::kExponentBias + 63 - shift)};
}
inline double ToDouble(Raw v) {
  soft::Flags f;
  return soft::ToDouble(v, f);
}
// v integral with 0 <= v < 2^64 (a normal number, or zero).
constexpr std::uint64_t IntegralToUint64(Raw v) {
  if (soft::IsZero(v)) return 0;
  const int e = soft::BiasedExponentOf(v) - ExtendedBits::kExponentBias;
  return v.significand >> (63 - e);
}
// v integral with |v| < 2^63.
constexpr std::int64_t IntegralToInt64(Raw v) {
  const auto m = static_cast<std::int64_t>(IntegralToUint64(Raw{v.significand,
      static_cast<std::uint16_t>(v.sign_exponent & ExtendedBits::kExponentMask)}));
  return soft::IsNegative(v) ? -m : m;
}

inline Raw Add(Raw a, Raw b) {
  soft::Flags f;
  return soft::Add(a, b, f);
}
inline Raw Subtract(Raw a, Raw b) {
  soft::Flags f;
  return soft::Subtract(a, b, f);
}
inline Raw Multiply(Raw a, Raw b) {
  soft::Flags f;
  return soft::Multiply(a, b, f);
}
inline Raw Divide(Raw a, Raw b) {
  soft::Flags f;
  return soft::Divide(a, b, f);
}
inline Raw SquareRoot(Raw a) {
  soft::Flags f;
  return soft::SquareRoot(a, f);
}
constexpr Raw Negate(Raw a) { return soft::Negate(a); }
constexpr Raw Abs(Raw a) {
  return Raw{a.significand, static_cast<std::uint16_t>(a.sign_exponent & ExtendedBits::kExponentMask)};
}
inline Raw RoundToIntegral(Raw a) {
  soft::Flags f;
  return soft::RoundToIntegral(a, f);
}
inline Raw ScaleByPowerOfTwo(Raw a, int n) {
  soft::Flags f;
  return soft::ScaleByPowerOfTwo(a, n, f);
}
inline Raw Log2(Raw a) {
  soft::Flags f;
  return soft::Log2(a, f);
}
inline Raw Exp2(Raw a) {
  soft::Flags f;
  return soft::Exp2(a, f);
}

constexpr bool IsNaN(Raw v) { return soft::IsNaN(v) || soft::IsUnsupported(v); }
constexpr bool IsFinite(Raw v) { return soft::IsFinite(v); }
constexpr bool IsZero(Raw v) { return soft::IsZero(v); }
constexpr bool IsNegative(Raw v) { return soft::IsNegative(v); }
inline bool Less(Raw a, Raw b) {
  soft::Flags f;
  return soft::Compare(a, b, f) == soft::Ordering::kLess;
}
inline bool LessEqual(Raw a, Raw b) {
  soft::Flags f;
  const soft::Ordering o = soft::Compare(a, b, f);
  return o == soft::Ordering::kLess || o == soft::Ordering::kEqual;
}
inline bool Equal(Raw a, Raw b) {
  soft::Flags f;
  return soft::Compare(a, b, f) == soft::Ordering::kEqual;
}

}  // namespace optics::soft_backend
