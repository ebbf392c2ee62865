// The operands of the arithmetic benchmarks: 1024 pairs of normal extended
// values made once from a fixed seed, significands uniform, exponents within
// 2^-60 ... 2^60 of 1, signs mixed. Each benchmark cycles through them, so
// its figure is one operation averaged over that mix, with successive
// operations independent of each other (the throughput, not the latency).
#pragma once

#include <cstddef>
#include <vector>

#include "numeric/extended_bits.h"

namespace optics::bench {

struct OperandPair {
  ExtendedBits a, b;
};

inline constexpr std::size_t kOperandPairs = 1024;  // a power of two: an index wraps with a mask

const std::vector<OperandPair>& NormalOperandPairs();

}  // namespace optics::bench
