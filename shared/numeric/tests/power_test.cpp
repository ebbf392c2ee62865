// Power and IntPower: the rules in their order, and the fixed order of the
// multiplications that decides the rounding.
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "numeric/power.h"
#include "test_support.h"

namespace optics {
namespace {

using testing::Hex;

// Extended values beyond the double range, and the extended quotient 1/3.
constexpr Extended kE4000 = Extended::FromBits(0x73E6, 0xD1BA8323FE558C61ull);     // 1e4000
constexpr Extended kE3000 = Extended::FromBits(0x66EC, 0xDC724CD44411AF53ull);     // 1e3000
constexpr Extended kEMinus3000 = Extended::FromBits(0x1911, 0x94A4CF2019D7BA15ull);  // 1e-3000
constexpr Extended kOneThird = Extended::FromBits(0x3FFD, 0xAAAAAAAAAAAAAAABull);  // 1 / 3
constexpr Extended kQuietNaN = Extended::FromBits(0x7FFF, 0xC000000000000000ull);

TEST(Power, ExponentZeroGivesOneForEveryBase) {
  for (const Extended base : {Extended(0.0), Extended(-0.0), Extended(-3.5), kE4000}) {
    EXPECT_EQ(Hex(Power(base, 0)), Hex(Extended(1)));
    EXPECT_EQ(Hex(Power(base, -0.0)), Hex(Extended(1)));
  }
}

TEST(Power, ZeroBaseWithPositiveExponentIsPositiveZero) {
  for (const double exponent : {3.0, 0.5, 1e10}) {
    EXPECT_EQ(Hex(Power(-0.0, exponent)), Hex(Extended(0.0))) << exponent;
  }
}

TEST(Power, IntegralExponentsGoThroughIntPower) {
  EXPECT_EQ(Hex(Power(-2, 3)), Hex(Extended(-8)));
  EXPECT_EQ(Hex(Power(2, -2)), Hex(Extended(0.25)));
  EXPECT_EQ(Hex(Power(-1500, 3)), Hex(IntPower(-1500, 3)));
  EXPECT_EQ(Hex(Power(-1, 2147483647.0)), Hex(Extended(-1)));
}

TEST(Power, Failures) {
  EXPECT_THROW((void)Power(0, -1), EZeroDivide);
  EXPECT_THROW((void)Power(-0.0, -2), EZeroDivide);
  EXPECT_THROW((void)Power(-8, kOneThird), EInvalidOp);
  // Too large an integral exponent takes the logarithm, where a negative base fails.
  EXPECT_THROW((void)Power(-2, 3e9), EInvalidOp);
  EXPECT_THROW((void)Power(0, -0.5), EZeroDivide);
  EXPECT_THROW((void)Power(10, 5000.5), EOverflow);
  EXPECT_THROW((void)Power(kE3000, 2), EOverflow);
  EXPECT_THROW((void)Power(kQuietNaN, 2), EInvalidOp);
}

TEST(Power, NonIntegralExponentIsCloseToTheTrueValue) {
  // The last bits of the logarithmic path are not fixed; its value is.
  EXPECT_NEAR(Double::Store(Power(2, 0.5)), std::sqrt(2.0), 1e-15);
  EXPECT_NEAR(Double::Store(Power(10, -2.5)), std::pow(10.0, -2.5), 1e-18);
}

// A base whose powers round differently with every grouping, so that the
// tests catch a change in the order of the multiplications: 1 + 7 * 2^-63
// (1.0000000000000000001 rounded to extended, plus 3 * 2^-62).
constexpr Extended kB = Extended::FromBits(0x3FFF, 0x8000000000000007ull);

TEST(IntPower, MultipliesInTheFixedOrder) {
  const Extended b2 = kB * kB;
  EXPECT_EQ(Hex(IntPower(kB, 2)), Hex(b2));
  EXPECT_EQ(Hex(IntPower(kB, 3)), Hex(Extended(kB * b2)));
  EXPECT_EQ(Hex(IntPower(kB, 5)), Hex(Extended(kB * (b2 * b2))));
  EXPECT_EQ(Hex(IntPower(kB, 7)), Hex(Extended((kB * b2) * (b2 * b2))));
  EXPECT_EQ(Hex(IntPower(kB, -3)), Hex(Extended(1 / (kB * b2))));
}

TEST(IntPower, SevenIsFourProductsNotSixSuccessiveOnes) {
  // Over many bases the fixed order always matches, and the naive order of
  // six successive products differs for some of them.
  int differs = 0;
  Extended b = 1;
  for (int i = 0; i < 1000; ++i) {
    b = b * 1.0009765625 + 0x1p-60;
    const Extended b2 = b * b;
    EXPECT_EQ(Hex(IntPower(b, 7)), Hex(Extended((b * b2) * (b2 * b2)))) << i;
    Extended naive = b;
    for (int k = 0; k < 6; ++k) naive = naive * b;
    if (Hex(IntPower(b, 7)) != Hex(naive)) ++differs;
  }
  EXPECT_GT(differs, 100);
}

TEST(IntPower, ReciprocalOfAZeroProductIsZeroDivide) {
  EXPECT_THROW((void)IntPower(0, -1), EZeroDivide);
  EXPECT_THROW((void)IntPower(kEMinus3000, -2), EZeroDivide);  // the square underflows to 0
  EXPECT_THROW((void)IntPower(kE3000, -2), EOverflow);         // the square overflows first
  EXPECT_EQ(Hex(IntPower(5, 0)), Hex(Extended(1)));
  EXPECT_THROW((void)IntPower(2, std::numeric_limits<std::int32_t>::min()), EOverflow);
}

}  // namespace
}  // namespace optics
