// The square root.
//
// The root of a 64-bit significand is the integer square root of a 128-bit
// radicand R in [2^126, 2^128), a 64-bit q with q^2 <= R < (q + 1)^2. A seed
// from a table of 8 bits, two integer Newton steps on the upper word (32
// bits) and one on the whole radicand give q to a few units; the exact
// remainder R - q^2 then fixes q and decides the rounding. No root of an
// integer lies halfway between two integers, so the result is never a tie.
#include <array>

#include "soft_float80_internal.h"

namespace optics::soft {

using namespace detail;

namespace {

constexpr std::uint64_t IntegerSqrt(std::uint64_t v) {  // floor(sqrt(v)), bit by bit
  std::uint64_t root = 0;
  for (std::uint64_t bit = 1ull << 31; bit != 0; bit >>= 1) {
    const std::uint64_t trial = root | bit;
    if (trial * trial <= v) root = trial;
  }
  return root;
}

// The root of the middle of each interval [i, i + 1) * 2^56 of the upper
// word, for i from 64 to 255: a root near 2^31..2^32 good to about 8 bits.
constexpr std::array<std::uint32_t, 192> kSeeds = [] {
  std::array<std::uint32_t, 192> seeds{};
  for (std::uint64_t i = 64; i < 256; ++i) {
    seeds[i - 64] = static_cast<std::uint32_t>(IntegerSqrt(((2 * i + 1) << 55)));
  }
  return seeds;
}();

// R - q^2 as a two's complement 128-bit number (its true value is far below
// 2^127 in magnitude for every q this file tries).
U128 RemainderOf(U128 r, std::uint64_t q) {
  const U128 square = Mul64(q, q);
  return {r.hi - square.hi - (r.lo < square.lo ? 1u : 0u), r.lo - square.lo};
}
bool IsNegativeWide(U128 v) { return (v.hi >> 63) != 0; }

// floor(sqrt(r)) for r in [2^126, 2^128), with the remainder r - q^2.
std::uint64_t RootOf(U128 r, U128& remainder) {
  const std::uint64_t x = r.hi;
  std::uint64_t s = kSeeds[(x >> 56) - 64];
  s = (s + x / s) >> 1;
  s = (s + x / s) >> 1;
  std::uint64_t q = s >= (1ull << 32) ? ~0ull : s << 32;
  // One Newton step on the whole radicand: q += (R - q^2) / 2q.
  U128 rem = RemainderOf(r, q);
  std::uint64_t unused;
  if (IsNegativeWide(rem)) {
    const U128 m = {~rem.hi + (rem.lo == 0 ? 1u : 0u), 0 - rem.lo};
    q -= (Div128(m.hi, m.lo, q, unused) >> 1) + 1;
  } else {
    const std::uint64_t step = Div128(rem.hi, rem.lo, q, unused) >> 1;
    q = q + step < q ? ~0ull : q + step;
  }
  rem = RemainderOf(r, q);
  while (IsNegativeWide(rem)) {  // q too large: step down
    --q;
    const U128 twice_plus_one = {q >> 63, (q << 1) | 1};
    const std::uint64_t lo = rem.lo + twice_plus_one.lo;
    rem = {rem.hi + twice_plus_one.hi + (lo < rem.lo ? 1u : 0u), lo};
  }
  for (;;) {  // q too small while R - q^2 > 2q
    const U128 twice = {q >> 63, q << 1};
    if (rem.hi < twice.hi || (rem.hi == twice.hi && rem.lo <= twice.lo)) break;
    const U128 twice_plus_one = {twice.hi, twice.lo | 1};
    rem = {rem.hi - twice_plus_one.hi - (rem.lo < twice_plus_one.lo ? 1u : 0u),
           rem.lo - twice_plus_one.lo};
    ++q;
  }
  remainder = rem;
  return q;
}

}  // namespace

Float80 SquareRoot(Float80 a, Flags& flags) {
  const Kind kind = KindOf(a);
  switch (kind) {
    case Kind::kUnsupported:
      return Invalid(flags);
    case Kind::kQuietNaN:
    case Kind::kSignalingNaN:
      return QuietNaNOf(a, flags);
    case Kind::kZero:
      return a;
    case Kind::kInfinity:
      return IsNegative(a) ? Invalid(flags) : a;
    case Kind::kFinite:
      break;
  }
  if (IsNegative(a)) return Invalid(flags);  // without kDenormal for a denormal
  NoteDenormal(a, flags);
  const Unpacked x = Unpack(a);
  // value = significand * 2^(e - 63) with e the unbiased exponent; an odd e
  // puts the significand at 2^64, an even one at 2^63, so that the root of
  // the radicand has 64 bits and the result's exponent is floor(e / 2).
  const std::int32_t e = x.exponent - kBias;
  const bool odd = (e & 1) != 0;
  const U128 r = odd ? U128{x.significand, 0} : U128{x.significand >> 1, x.significand << 63};
  U128 rem;
  const std::uint64_t q = RootOf(r, rem);
  std::uint64_t extra = 0;
  if (rem.hi != 0 || rem.lo != 0) {
    // sqrt(R) > q + 1/2 exactly when R - q^2 > q.
    extra = rem.hi != 0 || rem.lo > q ? kHalf | 1 : 1;
  }
  const std::int32_t half = e >= 0 ? e / 2 : -((1 - e) / 2);  // floor(e / 2)
  return RoundPack(false, half + kBias, q, extra, flags);
}

}  // namespace optics::soft
