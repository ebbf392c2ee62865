// The checked extended arithmetic: which operations fail, with which class,
// and that a failure stores nothing.
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "numeric/extended.h"
#include "numeric/fpu_environment.h"
#include "numeric/power.h"
#include "test_support.h"

namespace optics {
namespace {

using testing::Hex;

constexpr Extended kQuietNaN = Extended::FromBits(0x7FFF, 0xC000000000000000ull);
constexpr Extended kLargestExtended = Extended::FromBits(0x7FFE, 0xFFFFFFFFFFFFFFFFull);

TEST(CheckedArithmetic, DivisionOfNonZeroByZeroIsZeroDivide) {
  Double q(3.0);
  EXPECT_THROW(q = Extended(1) / Double(0.0), EZeroDivide);
  EXPECT_THROW(q = Extended(-1) / Double(-0.0), EZeroDivide);
  EXPECT_EQ(q.value(), 3.0) << "the double that would receive the quotient keeps its value";
}

TEST(CheckedArithmetic, UndefinedResultsAreInvalidOp) {
  Extended r;
  EXPECT_THROW(r = Extended(0) / Extended(0), EInvalidOp);
  EXPECT_THROW(r = Sqrt(Extended(-1)), EInvalidOp);
  EXPECT_THROW(r = kQuietNaN + 1, EInvalidOp);
}

TEST(CheckedArithmetic, SquareRootOfNegativeZeroIsNegativeZero) {
  const Extended r = Sqrt(Double(-0.0));
  EXPECT_EQ(Hex(r), Hex(Extended(-0.0)));
}

TEST(CheckedArithmetic, ResultsBeyondTheExtendedRangeOverflow) {
  const Extended big = kLargestExtended;
  Extended r;
  EXPECT_THROW(r = big * 2, EOverflow);
  EXPECT_THROW(r = big + big, EOverflow);
  EXPECT_THROW(r = -big - big, EOverflow);
  EXPECT_THROW(r = big / 0.5, EOverflow);
  EXPECT_EQ(Hex(r), Hex(Extended(0))) << "a failing evaluation assigns nothing";
}

TEST(CheckedArithmetic, HeldValuesMayLeaveTheDoubleRange) {
  // The cube of 1e200 is held in extended, divided by 1e300 and stored.
  const Extended e200 = 1e200, e300 = 1e300;  // the doubles, widened
  Double r;
  r = Power(Double(1e200), 3) / Double(1e300);
  EXPECT_EQ(Hex(r.value()), Hex(Double::Store((e200 * (e200 * e200)) / e300)));
  EXPECT_GT(r.value(), 9.9e299);
}

TEST(CheckedArithmetic, UnderflowIsNoFailure) {
  Double r(1.0);
  r = Double(1e-300) * Double(1e-300);
  EXPECT_EQ(Hex(r.value()), Hex(0.0));
  r = Double(1e-300) * Double(1e-10);  // a double denormal
  // The extended product of 1e-300 and 1e-10, rounded to double.
  EXPECT_EQ(Hex(r.value()), Hex(0x0.012688b70e62bp-1022));
  EXPECT_TRUE(std::fpclassify(r.value()) == FP_SUBNORMAL);
}

TEST(CheckedArithmetic, TheFirstFailureInReadingOrderDecides) {
  // Both operands fail; the left one, evaluated first, is reported, whatever
  // order the compiler would pick for the arguments of a call.
  const Double zero(0.0), one(1.0), big(1e300);
  Double r;
  EXPECT_THROW(r = (zero / zero) * (one / zero), EInvalidOp);
  EXPECT_THROW(r = (one / zero) * (zero / zero), EZeroDivide);
  EXPECT_THROW(r = -(Power(big, 20) / zero) + Sqrt(-one), EOverflow);
  EXPECT_THROW(r = Sqrt(-one) - Power(big, 20), EInvalidOp);
}

TEST(CheckedArithmetic, SquareEvaluatesItsOperandOnce) {
  const Double a(3.0), b(7.0);
  const Extended q = a / b;  // held
  EXPECT_EQ(Hex(Extended(Square(a / b))), Hex(Extended(q * q)));
}

TEST(DoubleStore, OverflowsOnlyWhenTheMagnitudeRoundsTo2To1024) {
  const Extended max = std::numeric_limits<double>::max();
  const Extended half_ulp = std::ldexp(1.0, 970);  // half a double ulp at the top
  Double d(1.0);
  d = max + half_ulp / 2;  // rounds down to the largest double
  EXPECT_EQ(d.value(), std::numeric_limits<double>::max());
  EXPECT_THROW(d = max + half_ulp, EOverflow);  // a tie, to even: 2^1024
  EXPECT_THROW(d = -(max + half_ulp), EOverflow);
  EXPECT_EQ(d.value(), std::numeric_limits<double>::max()) << "kept after the failed store";
}

TEST(DoubleStore, RoundsTheExtendedValueOnceMore) {
  // 1 + 2^-53 + 2^-63 (2^-63 is the last bit of an extended value near 1)
  // lies just above a double tie: it
  // rounds up; the tie 1 + 2^-53 alone rounds to even (down).
  EXPECT_EQ(Double::Store(Extended::FromBits(0x3FFF, 0x8000000000000401ull)), 1.0 + 0x1p-52);
  EXPECT_EQ(Double::Store(Extended::FromBits(0x3FFF, 0x8000000000000400ull)), 1.0);
}

TEST(ArithmeticEnvironment, AfterAFailureTheNextCalculationGivesTheSameDigits) {
  EstablishArithmeticEnvironment();
  const Double before = (Double(1.51633) - 1) / Double(64.15);
  Extended failing;
  EXPECT_THROW(failing = Extended(1) / 0, EZeroDivide);
  EstablishArithmeticEnvironment();
  const Double after = (Double(1.51633) - 1) / Double(64.15);
  EXPECT_EQ(Hex(before.value()), Hex(after.value()));
  EXPECT_EQ(X87ControlWord(), kCalculationControlWord);
}

}  // namespace
}  // namespace optics
