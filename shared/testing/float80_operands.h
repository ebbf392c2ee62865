// Operands for the differential test of the software extended arithmetic:
// a seeded source that is the same on every machine and compiler, random
// 80-bit patterns drawn to reach the interesting regions (around 1, the
// double range's ends, the extended range's ends, denormals, the encodings
// the x87 refuses, halfway cases for both roundings), and a boundary list in
// the manner of TestFloat's level 1, whose every pair is tried.
//   Random(1).Bits()  -> the same 64 bits everywhere
//   BoundaryList()    -> {+0, -0, 2^-16445, ..., 1, 1 + 2^-63, ..., +inf, NaNs, ...}
#pragma once

#include <cstdint>
#include <vector>

#include "numeric/soft_float80.h"

namespace optics::testing {

// splitmix64: a fixed sequence for a seed.
class SplitMix {
 public:
  explicit SplitMix(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Bits() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // In [0, n), n > 0 (with a bias below 2^-32 for the n used here).
  std::uint32_t Below(std::uint32_t n) {
    return static_cast<std::uint32_t>(((Bits() >> 32) * n) >> 32);
  }
  int Between(int lo, int hi) { return lo + static_cast<int>(Below(static_cast<std::uint32_t>(hi - lo + 1))); }

 private:
  std::uint64_t state_;
};

// The operands of one case; each operation takes the fields it needs.
struct Operands {
  soft::Float80 a;
  soft::Float80 b;
  std::int32_t n;            // the power of two of a scaling
  std::uint64_t double_bits; // the double of a load (also the integer of FromInt64)
};

// One random case. The second operand is often tied to the first: a nearby
// exponent (cancellation, rounding ties), or one that puts the product or the
// quotient near the ends of the range.
Operands RandomOperands(SplitMix& random);

// The boundary values, both signs.
const std::vector<soft::Float80>& BoundaryList();

}  // namespace optics::testing
