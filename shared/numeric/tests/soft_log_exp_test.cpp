// The software logarithm and power of two against the C library's log2l and
// exp2l on the x87 unit (the steps of Power's non-integral path): within a
// few units in the last place on random arguments, exact where the exact
// value is an extended value, and the same special values.
#include <cmath>
#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

#include "float80_operands.h"
#include "numeric/extended_bits.h"
#include "numeric/soft_float80.h"

namespace optics {
namespace {

using soft::Float80;
using soft::Flags;

long double Host(Float80 v) { return ExtendedBits{v.significand, v.sign_exponent}.ToLongDouble(); }
Float80 Soft(long double v) {
  const ExtendedBits b = ExtendedBits::Of(v);
  return {b.significand, b.sign_exponent};
}

// |got - want| in units in the last place of want (both finite and non-zero).
long double UlpsApart(long double got, long double want) {
  const int e = std::ilogb(want);
  return std::fabs(got - want) / std::ldexp(1.0L, e - 63);
}

constexpr int kCases = 200'000;

TEST(SoftLog2, WithinFourUnitsOfTheX87OnRandomPositiveValues) {
  testing::SplitMix random(0x106);
  for (int i = 0; i < kCases; ++i) {
    const std::uint64_t significand = random.Bits() | ExtendedBits::kIntegerBit;
    // Near 1 (where the logarithm is small) half the time, anywhere else otherwise.
    const int exponent = i % 2 ? random.Between(-1, 0) : random.Between(-16381, 16383);
    const Float80 x{significand, static_cast<std::uint16_t>(ExtendedBits::kExponentBias + exponent)};
    Flags f;
    const long double want = std::log2(Host(x));
    if (want == 0) continue;
    ASSERT_LE(UlpsApart(Host(soft::Log2(x, f)), want), 4) << std::hexfloat << Host(x);
  }
}

TEST(SoftExp2, WithinTwoUnitsOfTheX87OnRandomArguments) {
  testing::SplitMix random(0xE2);
  for (int i = 0; i < kCases; ++i) {
    // The remainders Power passes (|r| <= 1/2) and wider arguments.
    const long double r = static_cast<long double>(static_cast<std::int64_t>(random.Bits())) *
                          (i % 2 ? 0x1p-64L : 0x1p-50L);
    Flags f;
    const long double want = std::exp2(r);
    ASSERT_LE(UlpsApart(Host(soft::Exp2(Soft(r), f)), want), 2) << std::hexfloat << r;
  }
}

TEST(SoftLog2AndExp2, ExactWhereTheResultIsAnExtendedValue) {
  Flags f;
  for (int k : {-16445, -16382, -1, 0, 1, 63, 16383}) {
    const long double x = std::ldexp(1.0L, k);
    EXPECT_EQ(Host(soft::Log2(Soft(x), f)), k) << k;
    if (k > -16382) {
      EXPECT_EQ(Host(soft::Exp2(Soft(static_cast<long double>(k)), f)), x) << k;
    }
  }
  EXPECT_FALSE(std::signbit(Host(soft::Log2(Soft(1.0L), f)))) << "log2 1 = +0";
}

TEST(SoftLog2AndExp2, SpecialValuesAsTheX87) {
  constexpr long double kInf = std::numeric_limits<long double>::infinity();
  Flags f;
  EXPECT_EQ(Host(soft::Log2(Soft(0.0L), f)), -kInf);
  EXPECT_TRUE(f.Has(Flags::kDivideByZero));
  EXPECT_EQ(Host(soft::Log2(Soft(kInf), f)), kInf);
  EXPECT_TRUE(std::isnan(Host(soft::Log2(Soft(-1.0L), f))));
  EXPECT_TRUE(std::isnan(Host(soft::Log2(Soft(-kInf), f))));
  EXPECT_TRUE(f.Has(Flags::kInvalid));
  EXPECT_EQ(Host(soft::Exp2(Soft(-kInf), f)), 0.0L);
  EXPECT_EQ(Host(soft::Exp2(Soft(kInf), f)), kInf);
  EXPECT_EQ(Host(soft::Exp2(Soft(20000.0L), f)), kInf);
  EXPECT_EQ(Host(soft::Exp2(Soft(-20000.0L), f)), 0.0L);
}

}  // namespace
}  // namespace optics
