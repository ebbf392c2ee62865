// Loads of doubles and integers, the rounding to double, and the two
// operations that keep the format: the rounding to an integral value and the
// scaling by a power of two.
#include <cstring>

#include "soft_float80_internal.h"

namespace optics::soft {

using namespace detail;

namespace {

constexpr std::uint64_t kDoubleSign = 0x8000000000000000ull;
constexpr std::uint64_t kDoubleFraction = 0x000FFFFFFFFFFFFFull;
constexpr std::uint64_t kDoubleInfinity = 0x7FF0000000000000ull;
constexpr std::uint64_t kDoubleQuietBit = 0x0008000000000000ull;
constexpr std::uint64_t kDoubleIndefinite = 0xFFF8000000000000ull;
constexpr int kDoubleBias = 1023;

double DoubleOf(std::uint64_t bits) {
  double d;
  std::memcpy(&d, &bits, sizeof d);
  return d;
}

Float80 FromMagnitude(bool negative, std::uint64_t magnitude) {
  if (magnitude == 0) return Zero(negative);
  const int shift = std::countl_zero(magnitude);
  return Pack(negative, kBias + 63 - shift, magnitude << shift);
}

// A finite non-zero value rounded to double, as the bits of the double.
std::uint64_t RoundToDouble(Unpacked x, Flags& flags) {
  const std::uint64_t sign = x.negative ? kDoubleSign : 0;
  std::int32_t exponent = x.exponent - kBias + kDoubleBias;  // of the double, biased
  if (exponent >= 1) {
    std::uint64_t m = x.significand >> 11;  // 53 bits with the integer bit
    const std::uint64_t rest = x.significand & 0x7FF;
    if (rest != 0) {
      flags.Raise(Flags::kInexact);
      if (rest > 0x400 || (rest == 0x400 && (m & 1) != 0)) {
        if (++m == (1ull << 53)) {
          m >>= 1;
          ++exponent;
        }
      }
    }
    if (exponent >= 0x7FF) {
      flags.Raise(Flags::kOverflow | Flags::kInexact);
      return sign | kDoubleInfinity;
    }
    return sign | (static_cast<std::uint64_t>(exponent) << 52) | (m & kDoubleFraction);
  }
  // Below 2^-1022: a double denormal in units of 2^-1074, tiny unless the
  // 53-bit rounding would carry up to 2^-1022.
  const bool tiny = !(exponent == 0 && (x.significand >> 10) == (1ull << 54) - 1);
  const int shift = 11 + 1 - exponent;
  std::uint64_t m, rest, half;
  if (shift < 64) {
    m = x.significand >> shift;
    rest = x.significand & ((1ull << shift) - 1);
    half = 1ull << (shift - 1);
  } else {  // less than one unit: compare with the half unit alone
    m = 0;
    rest = shift == 64 ? x.significand : 1;
    half = shift == 64 ? kHalf : 2;
  }
  if (rest != 0) {
    flags.Raise(tiny ? Flags::kInexact | Flags::kUnderflow : Flags::kInexact);
    if (rest > half || (rest == half && (m & 1) != 0)) ++m;  // 2^52 is the least normal
  }
  return sign | m;
}

}  // namespace

Float80 FromDouble(double d, Flags& flags) {
  std::uint64_t bits;
  std::memcpy(&bits, &d, sizeof bits);
  const bool negative = (bits & kDoubleSign) != 0;
  const int exponent = static_cast<int>((bits >> 52) & 0x7FF);
  const std::uint64_t fraction = bits & kDoubleFraction;
  if (exponent == 0x7FF) {
    if (fraction == 0) return Infinity(negative);
    if ((fraction & kDoubleQuietBit) == 0) flags.Raise(Flags::kInvalid);
    return Pack(negative, kMaxExponent, kIntegerBit | kQuietBit | (fraction << 11));
  }
  if (exponent == 0) {
    if (fraction == 0) return Zero(negative);
    flags.Raise(Flags::kDenormal);
    const int shift = std::countl_zero(fraction);  // fraction * 2^-1074
    return Pack(negative, kBias - 1074 + 63 - shift, fraction << shift);
  }
  return Pack(negative, exponent - kDoubleBias + kBias, kIntegerBit | (fraction << 11));
}

Float80 FromInt32(std::int32_t v) { return FromInt64(v); }

Float80 FromInt64(std::int64_t v) {
  const std::uint64_t magnitude =
      v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
  return FromMagnitude(v < 0, magnitude);
}

double ToDouble(Float80 a, Flags& flags) {
  const std::uint64_t sign = IsNegative(a) ? kDoubleSign : 0;
  switch (KindOf(a)) {
    case Kind::kUnsupported:
      flags.Raise(Flags::kInvalid);
      return DoubleOf(kDoubleIndefinite);
    case Kind::kSignalingNaN:
      flags.Raise(Flags::kInvalid);
      [[fallthrough]];
    case Kind::kQuietNaN:
      return DoubleOf(sign | kDoubleInfinity | kDoubleQuietBit |
                      ((a.significand >> 11) & kDoubleFraction));
    case Kind::kInfinity:
      return DoubleOf(sign | kDoubleInfinity);
    case Kind::kZero:
      return DoubleOf(sign);
    case Kind::kFinite:
      break;
  }
  return DoubleOf(RoundToDouble(Unpack(a), flags));  // a denormal raises no kDenormal here
}

Float80 RoundToIntegral(Float80 a, Flags& flags) {
  if (Float80 special; TakeSpecialOperand(a, special, flags)) return special;
  const bool negative = IsNegative(a);
  const std::int32_t e = BiasedExponentOf(a) - kBias;  // a denormal is far below 1/2
  if (e >= 63) return a;
  if (e < 0) {
    flags.Raise(Flags::kInexact);
    // Below 1/2 the result is 0; in [1/2, 1) it is 1, but for 1/2 itself (a
    // tie, to the even 0).
    if (e < -1 || a.significand == kIntegerBit) return Zero(negative);
    return Pack(negative, kBias, kIntegerBit);
  }
  const int fraction_bits = 63 - e;  // 1..63
  const std::uint64_t rest = a.significand & ((1ull << fraction_bits) - 1);
  if (rest == 0) return a;
  flags.Raise(Flags::kInexact);
  const std::uint64_t half = 1ull << (fraction_bits - 1);
  std::uint64_t whole = a.significand >> fraction_bits;
  if (rest > half || (rest == half && (whole & 1) != 0)) ++whole;
  if (whole >> (e + 1) != 0) return Pack(negative, kBias + e + 1, kIntegerBit);  // carried up
  return Pack(negative, kBias + e, whole << fraction_bits);
}

Float80 ScaleByPowerOfTwo(Float80 a, std::int32_t n, Flags& flags) {
  if (Float80 special; TakeSpecialOperand(a, special, flags)) return special;
  const Unpacked x = Unpack(a);
  // Far beyond both ends the exponent is held at a level that still
  // overflows or underflows to zero, so that the sum cannot wrap.
  std::int64_t exponent = static_cast<std::int64_t>(x.exponent) + n;
  if (exponent > 2 * kMaxExponent) exponent = 2 * kMaxExponent;
  if (exponent < -2 * kMaxExponent) exponent = -2 * kMaxExponent;
  return RoundPack(x.negative, static_cast<std::int32_t>(exponent), x.significand, 0, flags);
}

}  // namespace optics::soft
