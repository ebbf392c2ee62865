#include "normal_operands.h"

#include <cstdint>

namespace optics::bench {
namespace {

std::uint64_t SplitMix(std::uint64_t& state) {
  std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

}  // namespace

const std::vector<OperandPair>& NormalOperandPairs() {
  static const std::vector<OperandPair> pairs = [] {
    std::vector<OperandPair> made;
    std::uint64_t state = 0x5EED'F10A'7080'0001ull;
    const auto draw = [&state] {
      const std::uint64_t bits = SplitMix(state);
      const int exponent = ExtendedBits::kExponentBias - 60 + static_cast<int>(bits % 121);
      const int sign = (bits & 0x10000) != 0 ? ExtendedBits::kSignMask : 0;
      return ExtendedBits{SplitMix(state) | ExtendedBits::kIntegerBit,
                          static_cast<std::uint16_t>(exponent | sign)};
    };
    for (std::size_t i = 0; i < kOperandPairs; ++i) {
      OperandPair p;
      p.a = draw();
      p.b = draw();
      made.push_back(p);
    }
    return made;
  }();
  return pairs;
}

}  // namespace optics::bench
