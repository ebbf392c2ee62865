// Small helpers shared by the numeric tests: exact bit patterns of doubles
// and extended values, so that expectations never need a tolerance.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "bit_patterns.h"
#include "numeric/extended.h"
#include "numeric/extended_bits.h"

namespace optics::testing {

inline std::uint64_t Bits(double v) { return DoubleBits::Of(v); }

// The bit patterns as the tools write them (bit_patterns.h).
inline std::string Hex(double v) { return numtext::DoubleHex(v); }
inline std::string Hex(Extended v) { return numtext::ExtendedHex(v); }

// Names a row of a TEST_P table by its `name` member.
struct RowName {
  template <class Row>
  std::string operator()(const ::testing::TestParamInfo<Row>& row) const {
    return row.param.name;
  }
};

// The value that a field holds after a checked store.
inline double Stored(Extended v) { return Double::Store(v); }

}  // namespace optics::testing
