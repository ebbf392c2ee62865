// FloatToDigits, FloatToStrF and scalePow10 against the MPFR model of
// extended_reference.h: the same digit record (exponent, sign, digits) and
// the same text, at precisions 7 and 15 and a random one, for seeded random
// doubles and extended values.
#include <ostream>
#include <cmath>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "differential_support.h"
#include "extended_reference.h"
#include "mpfr_extended.h"
#include "numeric/decimal.h"
#include "test_support.h"

namespace optics {
namespace {

using testing::Hex;
using testing::kMismatchesShown;
using testing::kSweepFactor;
using testing::Random;

std::string Show(const FloatDigits& r) {
  return "{exponent " + std::to_string(r.exponent) + (r.negative ? ", negative" : "") + ", \"" +
         std::string(r.Digits()) + "\"}";
}

::testing::AssertionResult FormatsLikeTheReference(Extended v, int precision,
                                                   char32_t separator) {
  const FloatDigits want = reference::FloatToDigits(v, precision);
  const FloatDigits got = FloatToDigits(v, precision);
  if (got.exponent != want.exponent || got.negative != want.negative ||
      got.Digits() != want.Digits()) {
    return ::testing::AssertionFailure() << Hex(v) << " at precision " << precision
                                         << ": " << Show(got) << ", reference " << Show(want);
  }
  const std::string want_text = reference::FloatToStrF(v, precision, separator);
  const std::string text = FloatToStrF(v, FloatFormat::ffGeneral, precision, 0, separator);
  if (text != want_text) {
    return ::testing::AssertionFailure()
           << Hex(v) << " at precision " << precision << ": \"" << text
           << "\", reference \"" << want_text << "\"";
  }
  if (precision == 15 && FloatToStr(v, separator) != want_text) {
    return ::testing::AssertionFailure()
           << Hex(v) << ": FloatToStr gives \"" << FloatToStr(v, separator)
           << "\", reference \"" << want_text << "\"";
  }
  return ::testing::AssertionSuccess();
}

// --- Values ----------------------------------------------------------------

// Any 64 bits: normal and denormal doubles, zeros, infinities and NaNs.
Extended DoubleOfRandomBits(Random& r) { return DoubleBits::ToDouble(r.Bits()); }

Extended DoubleDenormal(Random& r) {
  return DoubleBits::ToDouble(r.Bits() & (DoubleBits::kSignMask | DoubleBits::kFractionMask));
}

// Normal extended values over the whole range, and a few denormals.
Extended RandomExtended(Random& r) {
  ExtendedBits b;
  const bool denormal = r.Chance(0.03);
  b.sign_exponent = static_cast<std::uint16_t>((r.Chance(0.5) ? ExtendedBits::kSignMask : 0) |
                                               (denormal ? 0 : r.Uniform(1, 32766)));
  b.significand =
      denormal ? r.Bits() & ExtendedBits::kFractionMask : r.Bits() | ExtendedBits::kIntegerBit;
  return Extended::FromBits(b.sign_exponent, b.significand);
}

// The extended value nearest to a decimal text, then `steps` neighbours up
// (toward infinity) or down (toward zero); the text is positive and its
// value and the neighbours are in the normal range.
Extended NearestExtendedStepped(const std::string& text, bool up, int steps) {
  mpfr_t x;
  mpfr_init2(x, 64);
  mpfr_strtofr(x, text.c_str(), nullptr, 10, MPFR_RNDN);
  for (; steps > 0; --steps) {
    if (up) {
      mpfr_nextabove(x);
    } else {
      mpfr_nextbelow(x);
    }
  }
  const ExtendedBits b = testing::NearestExtendedOf(x);  // exact: x has 64 bits
  mpfr_clear(x);
  return Extended::FromBits(b.sign_exponent, b.significand);
}

Extended Negated(Extended v) {
  const ExtendedBits b = v.Bits();
  return Extended::FromBits(b.sign_exponent ^ ExtendedBits::kSignMask, b.significand);
}

// A few units around a power of ten, where the exponent estimate is off by
// one or the 18 digits are all nines.
Extended NearPowerOfTen(Random& r) {
  const bool extended = r.Chance(0.5);
  const int k = extended ? r.Uniform(-4931, 4932) : r.Uniform(-323, 308);
  const std::string text = "1e" + std::to_string(k);
  const bool up = r.Chance(0.5);
  const int steps = r.Uniform(0, 3);
  Extended v;
  if (extended) {
    v = NearestExtendedStepped(text, up, steps);
  } else {
    double d = std::strtod(text.c_str(), nullptr);
    for (int i = 0; i < steps; ++i) d = std::nextafter(d, up ? HUGE_VAL : 0.0);
    v = d;
  }
  return r.Chance(0.5) ? Negated(v) : v;
}

// The value nearest to a decimal of p + 1 digits that ends in 5, mostly for
// p = 7 or 15: the last digit to keep is decided by the 18-digit string.
Extended NearDecimalHalfway(Random& r) {
  const int p = r.Chance(0.4) ? 7 : r.Chance(0.67) ? 15 : r.Uniform(2, 17);
  const std::string digits =
      r.Chance(0.2) ? std::string(static_cast<std::size_t>(p), '9') : r.Digits(p, true);
  const std::string text = "0." + digits + "5e" + std::to_string(r.Uniform(-320, 300));
  return r.Chance(0.5) ? NearestExtendedStepped(text, true, 0)
                       : Extended(std::strtod(text.c_str(), nullptr));
}

struct ValueFamily {
  const char* name;
  Extended (*make)(Random&);
  int count;
};

// A failing row prints as its name.
void PrintTo(const ValueFamily& row, std::ostream* os) { *os << row.name; }

class FormatMatchesReference : public ::testing::TestWithParam<ValueFamily> {};

TEST_P(FormatMatchesReference, SameDigitRecordAndText) {
  const ValueFamily& family = GetParam();
  Random r(testing::SeedOf(family.name));
  int mismatches = 0;
  for (int i = 0; i < family.count * kSweepFactor && mismatches < kMismatchesShown; ++i) {
    const Extended v = family.make(r);
    const char32_t sep = r.Chance(0.7) ? U'.' : U',';
    for (const int precision : {7, 15, r.Uniform(2, 18)}) {
      const ::testing::AssertionResult same = FormatsLikeTheReference(v, precision, sep);
      if (!same) {
        ++mismatches;
        ADD_FAILURE() << "value " << i << ": " << same.message();
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    RandomValues, FormatMatchesReference,
    ::testing::Values(ValueFamily{"DoublesOfRandomBits", DoubleOfRandomBits, 20000},
                      ValueFamily{"DoubleDenormals", DoubleDenormal, 3000},
                      ValueFamily{"ExtendedValues", RandomExtended, 10000},
                      ValueFamily{"NearPowersOfTen", NearPowerOfTen, 5000},
                      ValueFamily{"NearDecimalHalfways", NearDecimalHalfway, 8000}),
    testing::RowName());

TEST(ScalePow10MatchesReference, ForRandomValuesAndScales) {
  Random r(testing::SeedOf("ScalePow10"));
  int mismatches = 0;
  for (int i = 0; i < 20000 * kSweepFactor && mismatches < kMismatchesShown; ++i) {
    const Extended x = RandomExtended(r);
    const int n = r.Chance(0.8) ? r.Uniform(-5200, 5200) : r.Uniform(-40, 40);
    const Extended got = scalePow10(x, n);
    const Extended want = reference::ScalePow10(x, n);
    if (Hex(got) != Hex(want)) {
      ++mismatches;
      ADD_FAILURE() << "scalePow10(" << Hex(x) << ", " << n << ") = " << Hex(got)
                    << ", reference " << Hex(want);
    }
  }
}

// The model itself, on the records and texts that decimal.h states.
TEST(ReferenceModel, ReproducesTheDocumentedDigitRecords) {
  const FloatDigits half_up = reference::FloatToDigits(0.52818155, 7);
  EXPECT_EQ(half_up.Digits(), "5281816");
  EXPECT_EQ(half_up.exponent, 0);
  const FloatDigits googol = reference::FloatToDigits(1e100, 15);
  EXPECT_EQ(googol.Digits(), "1");
  EXPECT_EQ(googol.exponent, 101);
  const FloatDigits high_estimate = reference::FloatToDigits(std::ldexp(1.0, -681), 18);
  EXPECT_EQ(high_estimate.exponent, -204);
  EXPECT_EQ(high_estimate.Digits().substr(0, 1), "0");
  EXPECT_EQ(reference::FloatToStrF(12345678.9, 7, U'.'), "1.234568E7");
  EXPECT_EQ(reference::FloatToStrF(9999999.5, 7, U'.'), "1E7");
  EXPECT_EQ(reference::FloatToStrF(2.0 / 3.0, 15, U','), "0,666666666666667");
  EXPECT_EQ(reference::FloatToStrF(1e14, 15, U'.'), "100000000000000");
  EXPECT_EQ(reference::FloatToStrF(1e15, 15, U'.'), "1E15");
  EXPECT_EQ(reference::FloatToStrF(0.0001, 15, U'.'), "0.0001");
  EXPECT_EQ(reference::FloatToStrF(-1500, 15, U'.'), "-1500");
  EXPECT_EQ(reference::FloatToStrF(-0.0, 15, U'.'), "0");
  EXPECT_EQ(reference::FloatToStrF(-HUGE_VAL, 15, U'.'), "-INF");
}

}  // namespace
}  // namespace optics
