// Rows for the tests of a calculation's extended constants: each constant,
// written as a bit pattern, against the extended value nearest to its decimal
// figure (GNU MPFR) and, where long double is the x87 format, against the
// compiler's reading of the literal that the figure was once written as.
//   CONSTANT_ROW(kA2, 0.203995)  -> {"kA2", "0.203995", kA2, 0.203995L}
#pragma once

#include <string>

#include <gtest/gtest.h>

#include "mpfr_extended.h"
#include "numeric/extended.h"
#include "test_support.h"

namespace optics::testing {

struct ConstantRow {
  const char* name;
  const char* decimal;
  Extended value;
#if OPTICAL_HOST_X87
  long double literal;
#endif
};

#if OPTICAL_HOST_X87
#define CONSTANT_ROW(constant, figure) {#constant, #figure, constant, figure##L}
#else
#define CONSTANT_ROW(constant, figure) {#constant, #figure, constant}
#endif

inline void ExpectNearestAndLiteral(const ConstantRow& row) {
  const ExtendedBits nearest = NearestExtended(row.decimal);
  EXPECT_EQ(Hex(row.value), Hex(Extended::FromBits(nearest.sign_exponent, nearest.significand)))
      << row.decimal << " rounded once to extended";
#if OPTICAL_HOST_X87
  EXPECT_EQ(Hex(row.value), Hex(Extended(row.literal))) << row.decimal << "L";
#endif
}

}  // namespace optics::testing
