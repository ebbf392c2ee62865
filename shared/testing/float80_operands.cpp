#include "float80_operands.h"

#include <iterator>

namespace optics::testing {
namespace {

using soft::Float80;

constexpr std::uint64_t kJ = 0x8000000000000000ull;
constexpr int kBias = 16383;

// A significand (bit 63 decided later): uniform, or with long runs of ones
// and zeros (which make the sums and products that round on a tie or just
// beside it), or with only a few bits at the top (exact products), or with
// the low bits set on and around the halfway point of the rounding to double.
std::uint64_t Significand(SplitMix& r) {
  const std::uint64_t u = r.Bits();
  switch (r.Below(8)) {
    case 0:
    case 1:
      return u;
    case 2: {  // one run of ones
      const int lo = r.Between(0, 63), len = r.Between(1, 64 - lo);
      return (len == 64 ? ~0ull : ((1ull << len) - 1)) << lo;
    }
    case 3:  // runs of ones and zeros
      return ((~0ull << r.Below(64)) >> r.Below(64)) ^ (1ull << r.Below(64));
    case 4:  // a few top bits
      return u & (~0ull << r.Between(40, 63));
    case 5: {  // the eleven bits below a double's significand on and near 1/2
      static constexpr std::uint64_t kTails[] = {0x400, 0x3FF, 0x401, 0x000, 0x7FF, 0x001};
      return (u & ~0x7FFull) | kTails[r.Below(6)];
    }
    case 6:  // all ones, or all but a few
      return ~0ull << r.Below(4);
    default:
      return (u & 0xFFFF) | (1ull << r.Below(64));
  }
}

// A biased exponent, mostly in one of the regions where something happens.
int Exponent(SplitMix& r) {
  switch (r.Below(10)) {
    case 0:
      return static_cast<int>(r.Below(0x8000));
    case 1:
    case 2:
      return kBias + r.Between(-70, 70);  // around 1
    case 3:
      return kBias + 1023 + r.Between(-3, 3);  // the top of the double range
    case 4:
      return kBias - 1022 + r.Between(-60, 3);  // double denormals
    case 5:
      return r.Between(0, 70);  // extended denormals and the least normals
    case 6:
      return 0x7FFE - r.Between(0, 70);  // the top of the extended range
    case 7:
      return r.Below(4) == 0 ? 0x7FFF : 0;
    default:
      return kBias + r.Between(-2000, 2000);
  }
}

Float80 Make(bool negative, int exponent, std::uint64_t significand) {
  return {significand, static_cast<std::uint16_t>((negative ? 0x8000 : 0) | (exponent & 0x7FFF))};
}

// J set for encodings that have it, now and then cleared (an unnormal, a
// pseudo-infinity or pseudo-NaN); at exponent 0 either way (denormal or
// pseudo-denormal).
Float80 Operand(SplitMix& r, int exponent) {
  std::uint64_t s = Significand(r);
  if (exponent == 0) {
    if (r.Below(4) != 0) s &= ~kJ;
  } else if (r.Below(32) != 0) {
    s |= kJ;
  } else {
    s &= ~kJ;
  }
  return Make(r.Below(2) != 0, exponent, s);
}

std::int32_t Scale(SplitMix& r) {
  switch (r.Below(6)) {
    case 0:
      return static_cast<std::int32_t>(r.Bits());
    case 1:
    case 2:
      return r.Between(-130, 130);
    case 3:
      return r.Between(-16450, -16300) * (r.Below(2) != 0 ? 1 : -1);
    case 4:
      return r.Between(-32900, -32700) * (r.Below(2) != 0 ? 1 : -1);
    default:
      return r.Between(-70000, 70000);
  }
}

// A double: uniform bits, or the rounding of a random extended operand
// (normal, denormal, infinite, NaN of either kind).
std::uint64_t DoubleBits(SplitMix& r) {
  const std::uint64_t u = r.Bits();
  switch (r.Below(4)) {
    case 0:
      return u;
    case 1:  // denormal
      return (u & 0x800FFFFFFFFFFFFFull) >> (r.Below(4) == 0 ? r.Below(52) : 0);
    case 2:  // infinity or NaN
      return (u & 0x8000000000000000ull) | 0x7FF0000000000000ull |
             ((u & 0x000FFFFFFFFFFFFFull) >> r.Below(53));
    default:
      return (u & 0x800FFFFFFFFFFFFFull) |
             (static_cast<std::uint64_t>(r.Between(1, 0x7FE)) << 52);
  }
}

}  // namespace

Operands RandomOperands(SplitMix& r) {
  Operands o{};
  const int ea = Exponent(r);
  o.a = Operand(r, ea);
  int eb;
  switch (r.Below(6)) {
    case 0:
    case 1:
      eb = Exponent(r);
      break;
    case 2:  // close to a: cancellation and ties
      eb = ea + r.Between(-67, 67);
      break;
    case 3:  // a product near an end of the range
      eb = (r.Below(2) != 0 ? 0x7FFE : 1) + kBias - ea + r.Between(-66, 66);
      break;
    case 4:  // a quotient near an end of the range
      eb = ea + kBias - (r.Below(2) != 0 ? 0x7FFE : 1) + r.Between(-66, 66);
      break;
    default:  // a with a few low bits changed
      eb = ea;
      break;
  }
  eb = eb < 0 ? 0 : eb > 0x7FFF ? 0x7FFF : eb;
  o.b = Operand(r, eb);
  if (r.Below(6) == 0) o.b = {o.a.significand ^ (r.Bits() >> r.Between(40, 63)), o.a.sign_exponent};
  if (r.Below(8) == 0) o.b.sign_exponent ^= 0x8000;
  o.n = Scale(r);
  o.double_bits = DoubleBits(r);
  return o;
}

const std::vector<Float80>& BoundaryList() {
  static const std::vector<Float80> list = [] {
    static constexpr int kExponents[] = {
        0,          1,          2,          63,         64,         kBias - 1075,
        kBias - 1074, kBias - 1023, kBias - 1022, kBias - 1, kBias, kBias + 1,
        kBias + 63, kBias + 1023, kBias + 1024, 0x7FFD,     0x7FFE,     0x7FFF};
    static constexpr std::uint64_t kSignificands[] = {
        0,     1,     kJ,    kJ | 1,  kJ | 0x400, kJ | 0x3FF, kJ | 0x7FF,
        0xC000000000000000ull, 0xFFFFFFFFFFFFFFFFull, 0xFFFFFFFFFFFFF800ull,
        0xFFFFFFFFFFFFFBFFull, 0x7FFFFFFFFFFFFFFFull, 0x4000000000000000ull,
        0xA000000000000000ull, 0x8000000000000800ull};
    std::vector<Float80> values;
    for (const int e : kExponents) {
      for (const std::uint64_t s : kSignificands) {
        for (const bool negative : {false, true}) values.push_back(Make(negative, e, s));
      }
    }
    return values;
  }();
  return list;
}

}  // namespace optics::testing
