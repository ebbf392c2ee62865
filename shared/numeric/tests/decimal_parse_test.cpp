// Reading number texts: the accepted grammar, the failures and their
// message, and the double that the caller's store makes of the result.
#include <ostream>
#include <clocale>
#include <string>

#include <gtest/gtest.h>

#include "numeric/decimal.h"
#include "numeric/fpu_environment.h"
#include "test_support.h"

namespace optics {
namespace {

using testing::Bits;
using testing::Hex;
using testing::Stored;

struct ParseCase {
  const char* name;
  const char* text;
  double expected;  // the stored double, compared bit for bit
};

// A failing row prints as its name.
void PrintTo(const ParseCase& row, std::ostream* os) { *os << row.name; }

class ParsesTo : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParsesTo, StoresExactlyThisDouble) {
  const ParseCase& c = GetParam();
  EXPECT_EQ(Hex(Stored(StrToFloat(c.text, U'.'))), Hex(c.expected)) << "text: '" << c.text << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Grammar, ParsesTo,
    ::testing::Values(
        // Spaces around the number are skipped, and only spaces.
        ParseCase{"SpacesAround", " 1.5 ", 1.5},
        ParseCase{"PlusSign", "+1.5", 1.5},
        // The separator alone is a number: zero.
        ParseCase{"SeparatorAlone", ".", 0.0},
        // The sign is applied last, so "-" before a zero gives negative zero.
        ParseCase{"MinusSeparator", "-.", -0.0},
        ParseCase{"MinusZero", "-0", -0.0},
        ParseCase{"TrailingSeparator", "5.", 5.0},
        ParseCase{"LeadingSeparator", ".5", 0.5},
        ParseCase{"SignedLeadingSeparator", "+.5", 0.5},
        ParseCase{"ExponentAfterSeparatorAlone", ".e5", 0.0},
        // An exponent mark without digits is exponent 0.
        ParseCase{"BareExponentMark", "1e", 1.0},
        ParseCase{"BareExponentPlus", "1e+", 1.0},
        ParseCase{"BareExponentMinus", "1e-", 1.0},
        ParseCase{"BareExponentThenSpace", "1e ", 1.0},
        ParseCase{"CapitalExponent", "1E+3", 1000.0},
        ParseCase{"SmallExponent", "1e3", 1000.0},
        ParseCase{"LeadingAndTrailingZeros", "00012.3400", 12.34},
        // Leading zeros of the exponent do not count toward its limit of 500.
        ParseCase{"ZerosInExponent", "1e0000000000005", 100000.0},
        // Below the extended range the value becomes zero, without failing.
        ParseCase{"FarBelowRange", "1e-4999", 0.0},
        ParseCase{"BelowDoubleRange", "1e-400", 0.0},
        // The stored double is rounded twice: to extended by the quotient,
        // then to double; here the extended value is a double tie.
        ParseCase{"TwiceRoundedTie", "5.876471", 0x1.781819d2391d6p+2},
        ParseCase{"DefaultIndex", "1.51633", 1.51633}),
    testing::RowName());

struct InvalidCase {
  const char* name;
  const char* text;
};

// A failing row prints as its name.
void PrintTo(const InvalidCase& row, std::ostream* os) { *os << row.name; }

class Rejects : public ::testing::TestWithParam<InvalidCase> {};

TEST_P(Rejects, WithTheWholeTextInTheMessage) {
  const InvalidCase& c = GetParam();
  try {
    (void)StrToFloat(c.text, U'.');
    FAIL() << "accepted '" << c.text << "'";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), std::string("'") + c.text + "' は浮動小数点数ではありません");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Grammar, Rejects,
    ::testing::Values(InvalidCase{"Empty", ""}, InvalidCase{"SpacesOnly", "   "},
                      InvalidCase{"MinusAlone", "-"}, InvalidCase{"PlusAlone", "+"},
                      InvalidCase{"TwoSeparators", "1.5.2"}, InvalidCase{"Comma", "1,5"},
                      InvalidCase{"ThousandsBlank", "1 000"}, InvalidCase{"BlankAfterSign", "- 1"},
                      InvalidCase{"BlankBeforeExponent", "1.5 e3"},
                      InvalidCase{"BlankInExponent", "1.5e 3"}, InvalidCase{"LeadingTab", "\t1"},
                      InvalidCase{"TrailingTab", "1\t"}, InvalidCase{"Infinity", "INF"},
                      InvalidCase{"NotANumber", "NAN"}, InvalidCase{"Currency", "$10"},
                      InvalidCase{"Hex", "0x10"}, InvalidCase{"ExponentOnly", "e5"},
                      InvalidCase{"TwoSigns", "+-1"},
                      // A digit after an exponent that reached 500 is left over.
                      InvalidCase{"ExponentPast500", "1e5000"},
                      InvalidCase{"LongExponent", "1e12345"},
                      // Within the exponent limit but beyond the extended range.
                      InvalidCase{"ExtendedOverflow", "1e4999"},
                      InvalidCase{"FullWidthDigit", "１"},
                      InvalidCase{"IdeographicSpace", "1\u3000"}),
    testing::RowName());

TEST(StrToFloat, ValuesBeyondTheDoubleRangeParseButTheirStoreOverflows) {
  for (const char* text : {"1e499", "1e500", "1e1234", "-1e400"}) {
    const Extended v = StrToFloat(text, U'.');
    EXPECT_NE(v.Bits().BiasedExponent(), ExtendedBits::kExponentMask) << text << ": finite";
    Double field(7.0);
    EXPECT_THROW(field = v, EOverflow) << text;
    EXPECT_EQ(field.value(), 7.0) << "a failed store keeps the old value";
  }
}

TEST(StrToFloat, AccumulatorOverflowIsAConversionError) {
  const std::string digits(5000, '9');
  EXPECT_THROW((void)StrToFloat(digits, U'.'), EConvertError);
  EXPECT_THROW((void)StrToFloat("0." + digits, U'.'), EConvertError);
}

TEST(StrToFloat, ZerosBeforeTheDigitsCountOnlyInTheScale) {
  // 4992 fraction digits, but the accumulator only ever holds 15.
  const std::string text = "0." + std::string(4990, '0') + "15e4999";
  EXPECT_EQ(Stored(StrToFloat(text, U'.')), 150000000.0);
}

TEST(StrToFloat, ManyFractionDigitsWithALargeNegativeExponentGiveZero) {
  // 130 fraction digits and e-4999 bring the scale to -5129: the result is 0.
  const std::string text = "-1." + std::string(130, '1') + "e-4999";
  EXPECT_EQ(Hex(StrToFloat(text, U'.')), Hex(Extended(-0.0)));
}

TEST(StrToFloat, CommaSeparatorReplacesThePoint) {
  EXPECT_EQ(Stored(StrToFloat("1,5", U',')), 1.5);
  EXPECT_EQ(Stored(StrToFloat("-,25e1", U',')), -2.5);
  EXPECT_THROW((void)StrToFloat("1.5", U','), EConvertError);
}

TEST(StrToFloat, MultiByteSeparatorIsMatchedAsOneCharacter) {
  EXPECT_EQ(Stored(StrToFloat("1\u066B5", U'\u066B')), 1.5);  // Arabic decimal separator
  EXPECT_THROW((void)StrToFloat("1\xD9", U'\u066B'), EConvertError);
}

TEST(StrToFloat, ReadsTheProcessWideSeparator) {
  SetDecimalSeparator(U',');
  EXPECT_EQ(Stored(StrToFloat("2,5")), 2.5);
  SetDecimalSeparator(U'.');
  EXPECT_EQ(Stored(StrToFloat("2.5")), 2.5);
}

TEST(StrToFloat, TheProcessLocaleChangesNothing) {
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
    GTEST_SKIP() << "the locale de_DE.UTF-8 is not generated on this machine";
  }
  EXPECT_EQ(Hex(Stored(StrToFloat("5.876471", U'.'))), Hex(0x1.781819d2391d6p+2));
  EXPECT_THROW((void)StrToFloat("1,5", U'.'), EConvertError);
  std::setlocale(LC_ALL, saved.c_str());
}

TEST(StrToFloat, LeavesTheCallersControlWordAndFlagsAsTheyWere) {
  EstablishArithmeticEnvironment();
  const std::uint16_t cw = X87ControlWord();
  (void)StrToFloat("0.1", U'.');  // inexact inside
  EXPECT_EQ(X87ControlWord(), cw);
  EXPECT_EQ(X87StatusWord() & 0x3F, 0);
  EXPECT_THROW((void)StrToFloat("1e4999", U'.'), EConvertError);  // overflow inside
  EXPECT_EQ(X87StatusWord() & 0x3F, 0);
}

// The caller's x87 control word, where the processor has an x87 unit.
#if defined(__x86_64__) || defined(__i386__)
TEST(StrToFloat, ComputesWithA64BitSignificandWhateverTheCallerSet) {
  // Precision control 53 bits and rounding toward zero: the result must not change.
  const std::uint16_t odd = 0x0E7F;
  __asm__ volatile("fldcw %0" : : "m"(odd));
  const Extended v = StrToFloat("5.876471", U'.');
  const std::uint16_t after = X87ControlWord();
  EstablishArithmeticEnvironment();
  EXPECT_EQ(after, odd);
  EXPECT_EQ(Hex(v), Hex(StrToFloat("5.876471", U'.')));
  EXPECT_EQ(Hex(Stored(v)), Hex(0x1.781819d2391d6p+2));
}
#endif

}  // namespace
}  // namespace optics
