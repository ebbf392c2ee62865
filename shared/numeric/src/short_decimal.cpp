#include "short_decimal.h"

#include <bit>

namespace optics::short_decimal {

#if defined(__SIZEOF_INT128__)
namespace {

__extension__ typedef unsigned __int128 Wide;

constexpr std::uint64_t kPowersOfFive[kMaxExponent + 1] = {
    1ull,
    5ull,
    25ull,
    125ull,
    625ull,
    3125ull,
    15625ull,
    78125ull,
    390625ull,
    1953125ull,
    9765625ull,
    48828125ull,
    244140625ull,
    1220703125ull,
    6103515625ull,
    30517578125ull,
    152587890625ull,
    762939453125ull,
    3814697265625ull,
    19073486328125ull,
    95367431640625ull,
    476837158203125ull,
    2384185791015625ull,
    11920928955078125ull,
    59604644775390625ull,
    298023223876953125ull,
    1490116119384765625ull,
    7450580596923828125ull,
};

// q (with its top bit set) rounded up by one unit when round_up, carrying
// into the exponent when the significand overflows.
ExtendedBits Pack(std::uint64_t q, int biased_exponent, bool round_up) {
  if (round_up && ++q == 0) {
    q = ExtendedBits::kIntegerBit;
    ++biased_exponent;
  }
  return ExtendedBits{q, static_cast<std::uint16_t>(biased_exponent)};
}

// digits * 10^e for 0 <= e <= 27: the product digits * 5^e is exact in 128
// bits (below 2^127); its top 64 bits rounded by the bits below them.
ExtendedBits Multiply(std::uint64_t digits, int e) {
  const Wide p = static_cast<Wide>(digits) * kPowersOfFive[e];
  const auto high = static_cast<std::uint64_t>(p >> 64);
  const int length = high != 0 ? 128 - std::countl_zero(high)
                               : 64 - std::countl_zero(static_cast<std::uint64_t>(p));
  // value = p * 2^e, and p's top bit is worth 2^(length - 1).
  const int biased = ExtendedBits::kExponentBias + length - 1 + e;
  if (length <= 64) return Pack(static_cast<std::uint64_t>(p) << (64 - length), biased, false);
  const int shift = length - 64;  // 1 ... 63
  const auto q = static_cast<std::uint64_t>(p >> shift);
  const std::uint64_t rest = static_cast<std::uint64_t>(p) & ((std::uint64_t{1} << shift) - 1);
  const std::uint64_t half = std::uint64_t{1} << (shift - 1);
  return Pack(q, biased, rest > half || (rest == half && (q & 1) != 0));
}

// digits / 10^k for 1 <= k <= 27, as (digits * 2^a) / (5^k * 2^b) * 2^(b - a - k)
// with numerator and divisor scaled so that the quotient q has exactly 64
// bits; the remainder r against the divisor d decides the rounding.
ExtendedBits Divide(std::uint64_t digits, int k) {
  const int s = std::countl_zero(digits);
  const int t = std::countl_zero(kPowersOfFive[k]);
  const std::uint64_t d = kPowersOfFive[k] << t;
  std::uint64_t hi = digits << s;
  std::uint64_t lo = 0;
  int a = s + 64;
  if (hi >= d) {  // the quotient would have 65 bits: one bit less
    lo = hi << 63;
    hi >>= 1;
    --a;
  }
  const Wide n = (static_cast<Wide>(hi) << 64) | lo;
  const auto q = static_cast<std::uint64_t>(n / d);
  const std::uint64_t r = lo - q * d;  // n mod d, exact modulo 2^64 as r < d
  // value = (q + r / d) * 2^(t - a - k), and q's top bit is worth 2^63.
  const int biased = ExtendedBits::kExponentBias + 63 + t - a - k;
  const std::uint64_t other = d - r;  // r > d / 2 exactly when r > d - r
  return Pack(q, biased, r > other || (r == other && (q & 1) != 0));
}

}  // namespace

bool Round(std::uint64_t digits, std::int64_t exponent, ExtendedBits& result) {
  if (exponent < -kMaxExponent || exponent > kMaxExponent) return false;
  if (digits == 0) {
    result = ExtendedBits{0, 0};
  } else {
    const int e = static_cast<int>(exponent);  // within -27 ... 27
    result = e >= 0 ? Multiply(digits, e) : Divide(digits, -e);
  }
  return true;
}

#else

bool Round(std::uint64_t, std::int64_t, ExtendedBits&) { return false; }

#endif

}  // namespace optics::short_decimal
