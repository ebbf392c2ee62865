// StrToFloat against the MPFR model of extended_reference.h, for seeded
// random texts of many shapes: what people type, decimal forms of the points
// halfway between neighbouring doubles and extended values, long digit
// strings, the ends of both ranges, exponents near the point where reading
// them stops, and near-numbers.
#include <ostream>
#include <cstdint>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "differential_support.h"
#include "extended_reference.h"
#include "numeric/decimal.h"
#include "numeric/extended_bits.h"

namespace optics {
namespace {

using testing::kMismatchesShown;
using testing::kSweepFactor;
using testing::ParsesLikeTheReference;
using testing::Random;

// --- Texts -----------------------------------------------------------------

struct Sample {
  std::string text;
  char32_t separator;
};

char32_t PickSeparator(Random& r) {
  if (r.Chance(0.05)) return U'\u066B';  // Arabic decimal separator, two bytes
  return r.Chance(0.6) ? U'.' : U',';
}

// Spaces and a sign around a number.
std::string Decorate(Random& r, const std::string& number) {
  std::string s(r.Chance(0.2) ? static_cast<std::size_t>(r.Uniform(1, 3)) : 0, ' ');
  s += r.Chance(0.3) ? "-" : r.Chance(0.15) ? "+" : "";
  s += number;
  if (r.Chance(0.2)) s.append(static_cast<std::size_t>(r.Uniform(1, 3)), ' ');
  return s;
}

std::string ExponentPart(Random& r, long value) {
  std::string s = r.Chance(0.5) ? "e" : "E";
  s += value < 0 ? "-" : r.Chance(0.3) ? "+" : "";
  if (r.Chance(0.1)) s.append(static_cast<std::size_t>(r.Uniform(1, 3)), '0');
  return s + std::to_string(std::labs(value));
}

// 0.digits * 10^exponent10 in one of the ways people write it.
std::string Render(Random& r, const reference::DecimalDigits& d, const std::string& sep) {
  const std::string& digits = d.digits;
  const long e = d.exponent10;
  const long size = static_cast<long>(digits.size());
  switch (r.Uniform(0, 3)) {
    case 0:
      return (r.Chance(0.5) ? "0" : "") + sep + digits + ExponentPart(r, e);
    case 1:
      return digits.substr(0, 1) + (size > 1 || r.Chance(0.2) ? sep : "") + digits.substr(1) +
             ExponentPart(r, e - 1);
    case 2:
      if (e <= 0 && e >= -40)
        return "0" + sep + std::string(static_cast<std::size_t>(-e), '0') + digits;
      if (e > 0 && e <= 60) {
        if (size <= e) return digits + std::string(static_cast<std::size_t>(e - size), '0');
        return digits.substr(0, static_cast<std::size_t>(e)) + sep +
               digits.substr(static_cast<std::size_t>(e));
      }
      [[fallthrough]];
    default:
      return digits + ExponentPart(r, e - size);
  }
}

// What people type into the fields: a few digits, a fraction, rarely an exponent.
Sample CalculatorInput(Random& r) {
  const char32_t sep = PickSeparator(r);
  std::string n = r.Digits(r.Uniform(0, 7));
  if (r.Chance(0.8)) n += reference::Utf8(sep) + r.Digits(r.Uniform(0, 8));
  if (r.Chance(0.15)) n += ExponentPart(r, r.Uniform(-30, 30));
  return {Decorate(r, n), sep};
}

// Decimal forms of the point halfway between two neighbouring doubles
// (denormals and the top of the range included): exact, or rounded to 16 to
// 40 digits to nearest, down or up.
Sample DoubleMidpoint(Random& r) {
  std::uint64_t bits = r.Bits() & ~DoubleBits::kSignMask;
  if ((bits & DoubleBits::kExponentMask) == DoubleBits::kExponentMask) bits &= ~(1ull << 62);
  const int field = static_cast<int>(bits >> 52);
  const std::uint64_t significand = (bits & DoubleBits::kFractionMask) | (field ? 1ull << 52 : 0);
  const long exponent2 = (field ? field : 1) - 1075;
  const int count = r.Chance(0.25) ? 0 : r.Uniform(16, 40);
  const char32_t sep = PickSeparator(r);
  const auto d = reference::ToDecimal(significand, true, exponent2, count, r.Uniform(-1, 1));
  return {Decorate(r, Render(r, d, reference::Utf8(sep))), sep};
}

// The same for neighbouring extended values, mostly within the reach of doubles.
Sample ExtendedMidpoint(Random& r) {
  const int biased = r.Chance(0.05)  ? 0
                     : r.Chance(0.6) ? r.Uniform(16383 - 1100, 16383 + 1100)
                                     : r.Uniform(1, 32766);
  std::uint64_t significand = r.Bits();
  significand = biased != 0 ? significand | ExtendedBits::kIntegerBit
                            : significand & ~ExtendedBits::kIntegerBit;
  const long exponent2 = (biased ? biased : 1) - 16383 - 63;
  const int count = std::labs(exponent2) < 1200 && r.Chance(0.2) ? 0 : r.Uniform(19, 40);
  const char32_t sep = PickSeparator(r);
  const auto d = reference::ToDecimal(significand, true, exponent2, count, r.Uniform(-1, 1));
  return {Decorate(r, Render(r, d, reference::Utf8(sep))), sep};
}

// Digit strings too long for the accumulator to hold exactly.
Sample TwentyToFortyDigits(Random& r) {
  const char32_t sep = PickSeparator(r);
  std::string n = r.Digits(r.Uniform(20, 40), r.Chance(0.8));
  if (r.Chance(0.8))
    n.insert(static_cast<std::size_t>(r.Uniform(0, static_cast<int>(n.size()))),
             reference::Utf8(sep));
  if (r.Chance(0.4)) n += ExponentPart(r, r.Uniform(-60, 40));
  return {Decorate(r, n), sep};
}

Sample HundredsOfDigits(Random& r) {
  const char32_t sep = PickSeparator(r);
  std::string n = r.Digits(r.Uniform(100, 700), r.Chance(0.8));
  if (r.Chance(0.8))
    n.insert(static_cast<std::size_t>(r.Uniform(0, static_cast<int>(n.size()))),
             reference::Utf8(sep));
  if (r.Chance(0.6)) n += ExponentPart(r, r.Uniform(-900, 400));
  return {Decorate(r, n), sep};
}

// Near the ends of the double and extended ranges: the largest value, the
// smallest normal and denormal values and the point where rounding reaches
// zero, each with its leading digits and varied last digits.
Sample ExtremeExponent(Random& r) {
  // clang-format off
  static const char* const kLeads[] = {
      "17976931348623157", "22250738585072014", "49406564584124654", "24703282292062327",
      "118973149535723176502", "33621031431120935063", "36451995318824746025",
      "18225997659412373012", "1", "9", "5", "25", "99999999999999999999"};
  // clang-format on
  static const int kExponents[] = {308, -308, -324, -324, 4932, -4932, -4951, -4951, 0, 0, 0, 0, 0};
  const char32_t sep = PickSeparator(r);
  std::string mantissa;
  long exponent;
  if (r.Chance(0.15)) {
    mantissa = r.Digits(r.Uniform(1, 20), true);
    exponent = r.Uniform(-5100, 5100);
  } else {
    const int which = r.Uniform(0, 12);
    mantissa = kLeads[which];
    exponent = kExponents[which] != 0
                   ? kExponents[which] + r.Uniform(-2, 2)
                   : r.Pick({308L, -308L, -324L, -325L, 4932L, -4932L, -4951L, -4952L});
    mantissa = mantissa.substr(
                   0, static_cast<std::size_t>(r.Uniform(1, static_cast<int>(mantissa.size())))) +
               r.Digits(r.Uniform(0, 4));
  }
  const std::string n =
      mantissa.substr(0, 1) + reference::Utf8(sep) + mantissa.substr(1) + ExponentPart(r, exponent);
  return {Decorate(r, n), sep};
}

// Exponents whose digits run up to and past the point where reading stops.
Sample ExponentDigits(Random& r) {
  static const char* const kExponents[] = {"",     "0",    "9",     "49",    "50",       "51",
                                           "499",  "500",  "501",   "4999",  "5000",     "4951",
                                           "4932", "0499", "00500", "49999", "123456789"};
  const char32_t sep = PickSeparator(r);
  std::string n = r.Digits(r.Uniform(1, 3));
  if (r.Chance(0.5)) n += reference::Utf8(sep) + r.Digits(r.Uniform(0, 3));
  n += r.Chance(0.5) ? "e" : "E";
  n += r.Pick({"", "", "+", "-", "-"});
  n += r.Chance(0.7) ? std::string(r.Pick(kExponents)) : r.Digits(r.Uniform(1, 7));
  return {Decorate(r, n), sep};
}

// Near-numbers: the characters of numbers and a few others in any order.
Sample Jumble(Random& r) {
  // clang-format off
  static const std::string_view kPieces[] = {
      "0", "1", "5", "9", ".", ",", "e", "E", "+", "-", " ", "  ", "x", "\t", "\xD9\xAB", "\xD9",
      "INF", "1e", std::string_view("\0", 1)};
  // clang-format on
  const char32_t sep = PickSeparator(r);
  std::string text;
  for (int i = r.Uniform(0, 10); i > 0; --i) text += r.Pick(kPieces);
  return {text, sep};
}

struct TextFamily {
  const char* name;
  Sample (*make)(Random&);
  int count;
};

// A failing row prints as its name.
void PrintTo(const TextFamily& row, std::ostream* os) { *os << row.name; }

class ParseMatchesReference : public ::testing::TestWithParam<TextFamily> {};

TEST_P(ParseMatchesReference, SameVerdictExtendedBitsAndStoredDouble) {
  const TextFamily& family = GetParam();
  Random r(testing::SeedOf(family.name));
  int mismatches = 0;
  for (int i = 0; i < family.count * kSweepFactor && mismatches < kMismatchesShown; ++i) {
    const Sample s = family.make(r);
    const ::testing::AssertionResult same = ParsesLikeTheReference(s.text, s.separator);
    if (!same) {
      ++mismatches;
      ADD_FAILURE() << "text " << i << ": " << same.message();
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    RandomTexts, ParseMatchesReference,
    ::testing::Values(TextFamily{"CalculatorInputs", CalculatorInput, 20000},
                      TextFamily{"DoubleMidpoints", DoubleMidpoint, 6000},
                      TextFamily{"ExtendedMidpoints", ExtendedMidpoint, 4000},
                      TextFamily{"TwentyToFortyDigits", TwentyToFortyDigits, 6000},
                      TextFamily{"HundredsOfDigits", HundredsOfDigits, 600},
                      TextFamily{"ExtremeExponents", ExtremeExponent, 8000},
                      TextFamily{"ExponentDigitsNear500", ExponentDigits, 4000},
                      TextFamily{"Jumbles", Jumble, 6000}),
    testing::RowName());

// A short decimal whose extended value lies exactly halfway between two
// doubles is stored by the tie rule ("5.876471" is one). About one text in
// two thousand is such a case; the search runs until it has found enough.
bool IsDoubleTie(Extended v) {
  const ExtendedBits b = v.Bits();
  const int e = b.BiasedExponent() - ExtendedBits::kExponentBias;
  return e >= -1022 && e <= 1023 && (b.significand & 0x7FF) == 0x400;
}

TEST(ParseMatchesReference, ShortDecimalsThatLandOnADoubleTie) {
  const int wanted = 40 * kSweepFactor;
  Random r(testing::SeedOf("ShortDecimalsThatLandOnADoubleTie"));
  int ties = 0;
  int mismatches = 0;
  long texts = 0;
  for (; ties < wanted && texts < 20000L * wanted && mismatches < kMismatchesShown; ++texts) {
    const char32_t sep = r.Chance(0.5) ? U'.' : U',';
    const std::string text = r.Digits(r.Uniform(1, 3), true) + reference::Utf8(sep) +
                             r.Digits(r.Uniform(2, 7)) + (r.Chance(0.1) ? "e-3" : "");
    const reference::ParseOutcome want = reference::StrToFloat(text, sep);
    if (!want.valid || !IsDoubleTie(want.value)) continue;
    ++ties;
    const ::testing::AssertionResult same = ParsesLikeTheReference(text, sep);
    if (!same) {
      ++mismatches;
      ADD_FAILURE() << same.message();
    }
  }
  EXPECT_EQ(ties, wanted) << "only " << ties << " ties among " << texts << " texts";
}

}  // namespace
}  // namespace optics
