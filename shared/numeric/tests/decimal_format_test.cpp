// Writing numbers: the general format at precision 15 (FloatToStr) and 7
// (FloatToStrF, as the mirror calculator uses it), digit for digit.
#include <ostream>
#include <clocale>
#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "numeric/decimal.h"
#include "numeric/fpu_environment.h"
#include "test_support.h"

namespace optics {
namespace {

struct FormatCase {
  const char* name;
  double value;
  const char* general15;  // FloatToStr
  const char* general7;   // FloatToStrF(v, ffGeneral, 7, 6)
};

// A failing row prints as its name.
void PrintTo(const FormatCase& row, std::ostream* os) { *os << row.name; }

class Formats : public ::testing::TestWithParam<FormatCase> {};

TEST_P(Formats, AtPrecision15And7) {
  const FormatCase& c = GetParam();
  EXPECT_EQ(FloatToStr(c.value, U'.'), c.general15);
  EXPECT_EQ(FloatToStrF(c.value, FloatFormat::ffGeneral, 7, 6, U'.'), c.general7);
}

constexpr double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    GeneralLayout, Formats,
    ::testing::Values(
        FormatCase{"Simple", 1.5, "1.5", "1.5"},
        FormatCase{"FractionRoundedAt7", 0.1234567891234, "0.1234567891234", "0.1234568"},
        FormatCase{"SevenIntegerDigits", 1234567.8, "1234567.8", "1234568"},
        // X = 8 exceeds precision 7: scientific.
        FormatCase{"EightIntegerDigits", 12345678.9, "12345678.9", "1.234568E7"},
        // X = -4 is below -3: scientific; X = -3 is still fixed.
        FormatCase{"TenToMinus5", 0.00001, "1E-5", "1E-5"},
        FormatCase{"TenToMinus4", 0.0001, "0.0001", "0.0001"},
        FormatCase{"TenToMinus3", 0.001, "0.001", "0.001"},
        FormatCase{"SmallScientific", 5.0372e-12, "5.0372E-12", "5.0372E-12"},
        FormatCase{"NegativeScientific", -3.1e-25, "-3.1E-25", "-3.1E-25"},
        // Trailing zeros of the integer part are filled in, not digits.
        FormatCase{"NegativeInteger", -1500, "-1500", "-1500"},
        FormatCase{"FifteenDigitPower", 1e14, "100000000000000", "1E14"},
        FormatCase{"SixteenDigitPower", 1e15, "1E15", "1E15"},
        FormatCase{"SeventeenDigitPower", 1e16, "1E16", "1E16"},
        FormatCase{"FifteenDigits", 123456789012345.0, "123456789012345", "1.234568E14"},
        FormatCase{"SixteenDigits", 1234567890123456.0, "1.23456789012346E15", "1.234568E15"},
        FormatCase{"Zero", 0.0, "0", "0"},
        FormatCase{"NegativeZero", -0.0, "0", "0"},
        FormatCase{"TwoThirds", 2.0 / 3.0, "0.666666666666667", "0.6666667"},
        FormatCase{"MinusTwoThirds", -2.0 / 3.0, "-0.666666666666667", "-0.6666667"},
        // All seven digits round up: the string becomes "1", X becomes 8.
        FormatCase{"RoundsUpToAPowerOfTen", 9999999.5, "9999999.5", "1E7"},
        // Exact halfway doubles: the tie goes away from zero.
        FormatCase{"TieAt7", 1234568.5, "1234568.5", "1234569"},
        FormatCase{"TieAt15", 754918369826718.5, "754918369826719", "7.549184E14"},
        FormatCase{"TieAt15Negative", -754918369826718.5, "-754918369826719", "-7.549184E14"},
        FormatCase{"OneUlpAboveOne", 1.0000000000000002, "1", "1"},
        // Half up on the 18-digit string, not on the exact value.
        FormatCase{"HalfUpOnTheString", 0.52818155, "0.52818155", "0.5281816"},
        FormatCase{"StringEndsIn500", 0.6284056584830785, "0.628405658483079", "0.6284057"},
        FormatCase{"Googol", 1e100, "1E100", "1E100"},
        FormatCase{"LargestDouble", std::numeric_limits<double>::max(), "1.79769313486232E308",
                   "1.797693E308"},
        FormatCase{"SmallestDenormal", std::numeric_limits<double>::denorm_min(),
                   "4.94065645841247E-324", "4.940656E-324"},
        FormatCase{"Infinity", kInf, "INF", "INF"},
        FormatCase{"NegativeInfinity", -kInf, "-INF", "-INF"},
        FormatCase{"NotANumber", std::numeric_limits<double>::quiet_NaN(), "NAN", "NAN"}),
    testing::RowName());

TEST(FloatToStrF, ClampsThePrecisionTo2Through18) {
  EXPECT_EQ(FloatToStrF(2.0 / 3.0, FloatFormat::ffGeneral, 1, 0, U'.'), "0.67");
  EXPECT_EQ(FloatToStrF(2.0 / 3.0, FloatFormat::ffGeneral, -5, 0, U'.'), "0.67");
  EXPECT_EQ(FloatToStrF(2.0 / 3.0, FloatFormat::ffGeneral, 40, 0, U'.'), "0.66666666666666663");
  EXPECT_EQ(FloatToStrF(2.0 / 3.0, FloatFormat::ffGeneral, 40, 0, U'.'),
            FloatToStrF(2.0 / 3.0, FloatFormat::ffGeneral, 18, 0, U'.'));
}

TEST(FloatToStrF, DigitsCountHasNoEffect) {
  for (int digits : {0, 2, 6, 18, 99}) {
    EXPECT_EQ(FloatToStrF(5.0372e-12, FloatFormat::ffGeneral, 7, digits, U'.'), "5.0372E-12");
  }
}

TEST(FloatToStr, ExtendedValuesBeyondTheDoubleRange) {
  const Extended e4000 = Extended::FromBits(0x73E6, 0xD1BA8323FE558C61ull);  // 1e4000
  const Extended largest = Extended::FromBits(0x7FFE, 0xFFFFFFFFFFFFFFFFull);
  const Extended smallest_denormal = Extended::FromBits(0x0000, 0x0000000000000001ull);
  EXPECT_EQ(FloatToStr(e4000, U'.'), "1E4000");
  EXPECT_EQ(FloatToStr(largest, U'.'), "1.18973149535723E4932");
  // An extended denormal shows as zero.
  EXPECT_EQ(FloatToStr(smallest_denormal, U'.'), "0");
}

TEST(FloatToStr, CommaSeparator) {
  EXPECT_EQ(FloatToStr(-1234567.8, U','), "-1234567,8");
  EXPECT_EQ(FloatToStr(0.0001, U','), "0,0001");
  EXPECT_EQ(FloatToStrF(12345678.9, FloatFormat::ffGeneral, 7, 6, U','), "1,234568E7");
  SetDecimalSeparator(U',');
  EXPECT_EQ(FloatToStr(1.5), "1,5");
  SetDecimalSeparator(U'.');
  EXPECT_EQ(FloatToStr(1.5), "1.5");
}

TEST(FloatToStr, TheProcessLocaleChangesNothing) {
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
    GTEST_SKIP() << "the locale de_DE.UTF-8 is not generated on this machine";
  }
  EXPECT_EQ(FloatToStr(1234567.8, U'.'), "1234567.8");
  EXPECT_EQ(FloatToStrF(-3.1e-25, FloatFormat::ffGeneral, 7, 6, U'.'), "-3.1E-25");
  std::setlocale(LC_ALL, saved.c_str());
}

TEST(FloatToDigits, KeepsLeadingZeroWhenTheExponentEstimateIsHigh) {
  // For 2^-681 the estimate E = floor(-681 * 19728 / 65536) + 1 is one too
  // high, so the 18-digit string begins with a zero.
  const FloatDigits r = FloatToDigits(std::ldexp(1.0, -681), 18);
  EXPECT_EQ(r.exponent, -204);
  ASSERT_GT(r.count, 0);
  EXPECT_EQ(r.digits[0], '0');
}

TEST(FloatToDigits, SpecialRecords) {
  EXPECT_EQ(FloatToDigits(-0.0, 15).negative, false);
  EXPECT_EQ(FloatToDigits(-kInf, 15).exponent, FloatDigits::kInfinity);
  EXPECT_EQ(FloatToDigits(-kInf, 15).negative, true);
  EXPECT_EQ(FloatToDigits(-std::numeric_limits<double>::quiet_NaN(), 15).negative, false);
  EXPECT_EQ(FloatToDigits(1e100, 15).exponent, 101);
  EXPECT_EQ(FloatToDigits(1e100, 15).Digits(), "1");
}

TEST(FloatToStr, LeavesTheCallersFlagsClear) {
  EstablishArithmeticEnvironment();
  (void)FloatToStr(2.0 / 3.0, U'.');
  EXPECT_EQ(X87StatusWord() & 0x3F, 0);
}

}  // namespace
}  // namespace optics
