// The integer rounding of short decimals against GNU MPFR: digits * 10^e
// rounded once to a 64-bit significand, bit for bit.
#include "short_decimal.h"

#include <cstdint>
#include <random>
#include <string>

#include <gtest/gtest.h>
#include <mpfr.h>

#include "mpfr_extended.h"
#include "test_support.h"

namespace optics {
namespace {

using testing::NearestExtendedOf;

// digits * 10^exponent, exact, rounded once by MPFR; +0 for no digits.
ExtendedBits Reference(std::uint64_t digits, int exponent) {
  if (digits == 0) return ExtendedBits{0, 0};
  mpfr_t x, p;
  mpfr_inits2(256, x, p, static_cast<mpfr_ptr>(nullptr));
  mpfr_set_uj(x, digits, MPFR_RNDN);
  mpfr_ui_pow_ui(p, 10, static_cast<unsigned long>(exponent < 0 ? -exponent : exponent),
                 MPFR_RNDN);  // exact: 10^27 has 63 significant bits
  if (exponent >= 0) {
    mpfr_mul(x, x, p, MPFR_RNDN);  // exact in 256 bits
  } else {
    mpfr_t q;
    mpfr_init2(q, 64);
    mpfr_div(q, x, p, MPFR_RNDN);  // the one correct rounding
    mpfr_set(x, q, MPFR_RNDN);
    mpfr_clear(q);
  }
  const ExtendedBits b = NearestExtendedOf(x);
  mpfr_clears(x, p, static_cast<mpfr_ptr>(nullptr));
  return b;
}

std::string HexOf(ExtendedBits b) {
  return testing::Hex(Extended::FromBits(b.sign_exponent, b.significand));
}

::testing::AssertionResult RoundsLikeMpfr(std::uint64_t digits, int exponent) {
  ExtendedBits got;
  if (!short_decimal::Round(digits, exponent, got)) {
    return ::testing::AssertionFailure() << digits << "e" << exponent << " not taken";
  }
  const ExtendedBits want = Reference(digits, exponent);
  if (got.significand == want.significand && got.sign_exponent == want.sign_exponent) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure()
         << digits << "e" << exponent << ": " << HexOf(got) << ", MPFR " << HexOf(want);
}

struct Row {
  const char* name;
  std::uint64_t digits;
  int exponent;
};

void PrintTo(const Row& row, std::ostream* os) { *os << row.name; }

class ShortDecimal : public ::testing::TestWithParam<Row> {};

TEST_P(ShortDecimal, RoundsOnceLikeTheExactValue) {
  EXPECT_TRUE(RoundsLikeMpfr(GetParam().digits, GetParam().exponent));
}

// The rounding's corners: exact results, the two kinds of tie (only a
// product can be one: a quotient is exact or no dyadic number), a product
// whose rounding carries into the exponent, and the extremes of both sides.
INSTANTIATE_TEST_SUITE_P(
    Cases, ShortDecimal,
    ::testing::Values(
        Row{"one_tenth", 1, -1}, Row{"exact_half", 5, -1}, Row{"typed_index", 151633, -5},
        Row{"typed_length", 15000, -1}, Row{"exact_quotient_of_many_fives", 7450580596923828125, -27},
        Row{"smallest_quotient", 1, -27}, Row{"largest_quotient", 9999999999999999999u, -1},
        Row{"longest_quotient", 9999999999999999999u, -27}, Row{"integer", 9999999999999999999u, 0},
        Row{"largest_exact_power", 1, 27}, Row{"largest_product", 9999999999999999999u, 27},
        Row{"tie_rounds_up_to_even", 7378697629483820643, 1},
        Row{"tie_rounds_down_to_even", 7378697629483820645, 1},
        Row{"rounding_carries_into_the_exponent", 5902958103587056517, 2},
        Row{"digits_above_10_to_19", 0xFFFFFFFFFFFFFFFFu, -3}),
    testing::RowName());

TEST(ShortDecimal, NoDigitsArePositiveZero) {
  ExtendedBits b{1, 1};
  ASSERT_TRUE(short_decimal::Round(0, -5, b));
  EXPECT_EQ(b.significand, 0u);
  EXPECT_EQ(b.sign_exponent, 0u);
}

TEST(ShortDecimal, PowersOfTenThatAreNotExactAreLeftToTheExtendedSteps) {
  ExtendedBits b{1, 1};
  EXPECT_FALSE(short_decimal::Round(1, 28, b));
  EXPECT_FALSE(short_decimal::Round(1, -28, b));
  EXPECT_EQ(b.significand, 1u);  // left alone
}

// Every power from -27 to 27 with digits of every length, from a fixed seed.
TEST(ShortDecimal, RandomDigitsRoundLikeMpfr) {
  std::mt19937_64 engine(0x5D0'0001);
  for (int exponent = -short_decimal::kMaxExponent; exponent <= short_decimal::kMaxExponent;
       ++exponent) {
    for (int i = 0; i < 2000; ++i) {
      const std::uint64_t bits = engine();
      const std::uint64_t digits = bits >> (engine() % 64);  // 1 to 64 bits long
      ASSERT_TRUE(RoundsLikeMpfr(digits == 0 ? 1 : digits, exponent));
    }
  }
}

}  // namespace
}  // namespace optics
