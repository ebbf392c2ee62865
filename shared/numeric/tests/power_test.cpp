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

TEST(Power, ExponentZeroGivesOneForEveryBase) {
  for (long double base : {0.0L, -0.0L, -3.5L, 1e4000L}) {
    EXPECT_EQ(Power(base, 0).value(), 1.0L);
    EXPECT_EQ(Power(base, -0.0L).value(), 1.0L);
  }
}

TEST(Power, ZeroBaseWithPositiveExponentIsPositiveZero) {
  for (long double exponent : {3.0L, 0.5L, 1e10L}) {
    const Extended r = Power(-0.0L, exponent);
    EXPECT_EQ(r.value(), 0.0L);
    EXPECT_FALSE(std::signbit(r.value())) << exponent;
  }
}

TEST(Power, IntegralExponentsGoThroughIntPower) {
  EXPECT_EQ(Power(-2, 3).value(), -8.0L);
  EXPECT_EQ(Power(2, -2).value(), 0.25L);
  EXPECT_EQ(Hex(Power(-1500, 3)), Hex(IntPower(-1500, 3)));
  EXPECT_EQ(Power(-1, 2147483647.0L).value(), -1.0L);
}

TEST(Power, Failures) {
  EXPECT_THROW((void)Power(0, -1), EZeroDivide);
  EXPECT_THROW((void)Power(-0.0L, -2), EZeroDivide);
  EXPECT_THROW((void)Power(-8, 1.0L / 3.0L), EInvalidOp);
  // Too large an integral exponent takes the logarithm, where a negative base fails.
  EXPECT_THROW((void)Power(-2, 3e9L), EInvalidOp);
  EXPECT_THROW((void)Power(0, -0.5L), EZeroDivide);
  EXPECT_THROW((void)Power(10, 5000.5L), EOverflow);
  EXPECT_THROW((void)Power(1e3000L, 2), EOverflow);
  EXPECT_THROW((void)Power(std::numeric_limits<long double>::quiet_NaN(), 2), EInvalidOp);
}

TEST(Power, NonIntegralExponentIsCloseToTheTrueValue) {
  // The last bits of the logarithmic path are not fixed; its value is.
  EXPECT_NEAR(static_cast<double>(Power(2, 0.5L).value()), std::sqrt(2.0), 1e-15);
  EXPECT_NEAR(static_cast<double>(Power(10, -2.5L).value()), std::pow(10.0, -2.5), 1e-18);
}

// A base whose powers round differently with every grouping, so that the
// tests catch a change in the order of the multiplications.
constexpr long double kB = 1.0000000000000000001L + 0x1p-62L * 3;

TEST(IntPower, MultipliesInTheFixedOrder) {
  const long double b2 = kB * kB;
  EXPECT_EQ(Hex(IntPower(kB, 2)), Hex(Extended(b2)));
  EXPECT_EQ(Hex(IntPower(kB, 3)), Hex(Extended(kB * b2)));
  EXPECT_EQ(Hex(IntPower(kB, 5)), Hex(Extended(kB * (b2 * b2))));
  EXPECT_EQ(Hex(IntPower(kB, 7)), Hex(Extended((kB * b2) * (b2 * b2))));
  EXPECT_EQ(Hex(IntPower(kB, -3)), Hex(Extended(1.0L / (kB * b2))));
}

TEST(IntPower, SevenIsFourProductsNotSixSuccessiveOnes) {
  // Over many bases the fixed order always matches, and the naive order of
  // six successive products differs for some of them.
  int differs = 0;
  long double b = 1.0L;
  for (int i = 0; i < 1000; ++i) {
    b = b * 1.0009765625L + 0x1p-60L;
    const long double b2 = b * b;
    EXPECT_EQ(Hex(IntPower(b, 7)), Hex(Extended((b * b2) * (b2 * b2)))) << i;
    long double naive = b;
    for (int k = 0; k < 6; ++k) naive *= b;
    if (Hex(IntPower(b, 7)) != Hex(Extended(naive))) ++differs;
  }
  EXPECT_GT(differs, 100);
}

TEST(IntPower, ReciprocalOfAZeroProductIsZeroDivide) {
  EXPECT_THROW((void)IntPower(0, -1), EZeroDivide);
  EXPECT_THROW((void)IntPower(1e-3000L, -2), EZeroDivide);  // the square underflows to 0
  EXPECT_THROW((void)IntPower(1e3000L, -2), EOverflow);      // the square overflows first
  EXPECT_EQ(IntPower(5, 0).value(), 1.0L);
  EXPECT_THROW((void)IntPower(2, std::numeric_limits<std::int32_t>::min()), EOverflow);
}

}  // namespace
}  // namespace optics
