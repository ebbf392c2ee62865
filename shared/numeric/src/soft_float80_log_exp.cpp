// The base-2 logarithm and power of two, in extended steps of this library:
// each a short polynomial after an exact reduction of the argument, within a
// few units in the last place of the exact value.
#include "soft_float80_internal.h"

namespace optics::soft {

using namespace detail;

namespace {

constexpr Float80 kOne{0x8000000000000000ull, 0x3FFF};
constexpr std::uint64_t kSqrt2Significand = 0xB504F333F9DE6484ull;

// 2 / ((2i + 1) ln 2), i = 0 ... 13: log2 m = s * sum c_i s^(2i) with
// s = (m - 1) / (m + 1), the series of 2 atanh s / ln 2.
constexpr Float80 kLogSeries[] = {
    {0xB8AA3B295C17F0BCull, 0x4000}, {0xF6384EE1D01FEBA5ull, 0x3FFE},
    {0x93BB62877CDFF3C9ull, 0x3FFE}, {0xD30BB153D6F6C9FBull, 0x3FFD},
    {0xA42589EBE01547C3ull, 0x3FFD}, {0x864D424CA0116943ull, 0x3FFD},
    {0xE347AB4698BB00E7ull, 0x3FFC}, {0xC4F9D8B4A67FEFB7ull, 0x3FFC},
    {0xADCD64DBA1F86A1Aull, 0x3FFC}, {0x9B81E0FA687FF325ull, 0x3FFC},
    {0x8CB27637E4A486A7ull, 0x3FFC}, {0x80766BF04010A777ull, 0x3FFC},
    {0xEC5F040BFAFFEC75ull, 0x3FFB}, {0xDADCB7E52AC70A5Aull, 0x3FFB},
};

constexpr Float80 kLn2{0xB17217F7D1CF79ACull, 0x3FFE};

// 1/k!, k = 2 ... 17: the Taylor series of exp z for |z| <= ln 2 / 2.
constexpr Float80 kExpSeries[] = {
    {0x8000000000000000ull, 0x3FFE}, {0xAAAAAAAAAAAAAAABull, 0x3FFC},
    {0xAAAAAAAAAAAAAAABull, 0x3FFA}, {0x8888888888888889ull, 0x3FF8},
    {0xB60B60B60B60B60Bull, 0x3FF5}, {0xD00D00D00D00D00Dull, 0x3FF2},
    {0xD00D00D00D00D00Dull, 0x3FEF}, {0xB8EF1D2AB6399C7Dull, 0x3FEC},
    {0x93F27DBBC4FAE397ull, 0x3FE9}, {0xD7322B3FAA271C7Full, 0x3FE5},
    {0x8F76C77FC6C4BDAAull, 0x3FE2}, {0xB092309D43684BE5ull, 0x3FDE},
    {0xC9CBA54603E4E906ull, 0x3FDA}, {0xD73F9F399DC0F88Full, 0x3FD6},
    {0xD73F9F399DC0F88Full, 0x3FD2}, {0xCA963B81856A5359ull, 0x3FCE},
};

}  // namespace

Float80 Log2(Float80 a, Flags& flags) {
  const Kind kind = KindOf(a);
  if (kind == Kind::kUnsupported) {
    flags.Raise(Flags::kInvalid);
    return kIndefinite;
  }
  if (IsNaNKind(kind)) return Add(a, a, flags);  // quieted, kInvalid if signalling
  if (kind == Kind::kZero) {
    flags.Raise(Flags::kDivideByZero);
    return Infinity(true);
  }
  if (IsNegative(a)) {
    flags.Raise(Flags::kInvalid);
    return kIndefinite;
  }
  if (kind == Kind::kInfinity) return a;

  // a = 2^k m exactly, with m in [sqrt(1/2), sqrt 2).
  const Unpacked u = Unpack(a);
  std::int32_t k = u.exponent - kBias;
  int m_exponent = kBias;
  if (u.significand > kSqrt2Significand) {
    m_exponent = kBias - 1;
    ++k;
  }
  const Float80 m = Pack(false, m_exponent, u.significand);
  if (k == 0 && m.significand == kIntegerBit && m_exponent == kBias) return Zero(false);

  const Float80 s = Divide(Subtract(m, kOne, flags), Add(m, kOne, flags), flags);
  const Float80 z = Multiply(s, s, flags);
  constexpr int kTerms = sizeof kLogSeries / sizeof kLogSeries[0];
  Float80 p = kLogSeries[kTerms - 1];
  for (int i = kTerms - 2; i >= 0; --i) p = Add(Multiply(p, z, flags), kLogSeries[i], flags);
  const Float80 fraction = Multiply(s, p, flags);
  return Add(FromInt32(k), fraction, flags);
}

Float80 Exp2(Float80 a, Flags& flags) {
  const Kind kind = KindOf(a);
  if (kind == Kind::kUnsupported) {
    flags.Raise(Flags::kInvalid);
    return kIndefinite;
  }
  if (IsNaNKind(kind)) return Add(a, a, flags);
  if (kind == Kind::kInfinity) return IsNegative(a) ? Zero(false) : a;
  if (kind == Kind::kZero) return kOne;

  // Beyond +-2^15 the result is an overflow or an underflow to 0 either way.
  Float80 t = a;
  if (BiasedExponentOf(a) > kBias + 15) t = Pack(IsNegative(a), kBias + 15, kIntegerBit);
  // a = n + f exactly, n integral, |f| <= 1/2.
  const Float80 n = RoundToIntegral(t, flags);
  const Float80 f = Subtract(t, n, flags);
  const Float80 z = Multiply(f, kLn2, flags);
  constexpr int kTerms = sizeof kExpSeries / sizeof kExpSeries[0];
  Float80 p = kExpSeries[kTerms - 1];
  for (int i = kTerms - 2; i >= 0; --i) p = Add(Multiply(p, z, flags), kExpSeries[i], flags);
  p = Add(Multiply(p, z, flags), kOne, flags);  // 1 + z/2! + ... -> 1 + z + z^2/2! + ...
  p = Add(Multiply(p, z, flags), kOne, flags);
  std::int32_t scale = 0;
  if (!IsZero(n)) {  // a zero has no leading bit to unpack
    const Unpacked nu = Unpack(n);
    scale = static_cast<std::int32_t>(nu.significand >> (63 - (nu.exponent - kBias)));
    if (nu.negative) scale = -scale;
  }
  return ScaleByPowerOfTwo(p, scale, flags);
}

}  // namespace optics::soft
