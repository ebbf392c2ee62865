// Small helpers shared by the numeric tests: exact bit patterns of doubles
// and extended values, so that expectations never need a tolerance.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "numeric/extended.h"
#include "numeric/extended_bits.h"

namespace optics::testing {

inline std::uint64_t Bits(double v) { return DoubleBits::Of(v); }

inline std::string Hex(double v) {
  char buf[17];
  std::snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(Bits(v)));
  return buf;
}

inline std::string Hex(Extended v) {
  const ExtendedBits b = ExtendedBits::Of(v.value());
  char buf[21];
  std::snprintf(buf, sizeof buf, "%04x%016llx", b.sign_exponent,
                static_cast<unsigned long long>(b.significand));
  return buf;
}

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
