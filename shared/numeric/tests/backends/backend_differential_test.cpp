// The x87 back end and the software back end of Extended in one program:
// every checked operation, failure decision, store and conversion must give
// the same bits, the same failure class and the same text on both. The raw
// arithmetic below them has its own test (soft_float80_test); this one holds
// what the Extended layer adds on top.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "backend_side.h"
#include "float80_operands.h"
#include "numeric/soft_float80.h"

#ifndef OPTICAL_LONG_TESTS
#define OPTICAL_LONG_TESTS 0
#endif

namespace optics {
namespace {

using testing::SplitMix;

constexpr int kCases = OPTICAL_LONG_TESTS ? 2'000'000 : 200'000;
constexpr int kMismatchesShown = 8;

ExtendedBits Bits(soft::Float80 v) { return {v.significand, v.sign_exponent}; }

std::string Hex(ExtendedBits b) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "%04x%016llx", b.sign_exponent,
                static_cast<unsigned long long>(b.significand));
  return buf;
}

// A Power exponent that the rules decide without the logarithm, or whose
// logarithm step is not the same to the last bit on both (see soft_log_exp_test).
bool DecidedExactly(char op, ExtendedBits a, ExtendedBits b) {
  if (op != 'p') return true;
  soft::Flags f;
  const soft::Float80 fb{b.significand, b.sign_exponent}, fa{a.significand, a.sign_exponent};
  const bool integral =
      soft::Compare(soft::RoundToIntegral(fb, f), fb, f) == soft::Ordering::kEqual &&
      soft::Compare(soft::Negate(soft::FromInt32(2147483647)), fb, f) != soft::Ordering::kGreater &&
      soft::Compare(fb, soft::FromInt32(2147483647), f) != soft::Ordering::kGreater;
  const bool positive_base = soft::Compare(fa, soft::FromInt32(0), f) == soft::Ordering::kGreater;
  return integral || !positive_base || soft::IsInfinity(fa) || soft::IsZero(fb);
}

class Operations : public ::testing::TestWithParam<char> {};

TEST_P(Operations, SameResultOrFailureOnRandomOperands) {
  const char op = GetParam();
  SplitMix random(0xB0 + static_cast<unsigned char>(op));
  int mismatches = 0;
  for (int i = 0; i < kCases && mismatches < kMismatchesShown; ++i) {
    const testing::Operands o = testing::RandomOperands(random);
    ExtendedBits a = Bits(o.a), b = Bits(o.b);
    if (op == 'p' && i % 2 == 0) b = Bits(soft::FromInt32(random.Between(-40, 40)));
    if (!DecidedExactly(op, a, b)) continue;
    const std::string x87 = x87_side::Operate(op, a, b);
    const std::string soft = soft_side::Operate(op, a, b);
    if (x87 != soft) {
      ++mismatches;
      ADD_FAILURE() << "'" << op << "' " << Hex(a) << " " << Hex(b) << ": x87 " << x87
                    << ", software " << soft;
    }
  }
}

TEST_P(Operations, SameResultOrFailureOnEveryBoundaryPair) {
  const char op = GetParam();
  const auto& list = testing::BoundaryList();
  int mismatches = 0;
  for (const soft::Float80 x : list) {
    for (const soft::Float80 y : list) {
      if (!DecidedExactly(op, Bits(x), Bits(y))) continue;
      const std::string x87 = x87_side::Operate(op, Bits(x), Bits(y));
      const std::string soft = soft_side::Operate(op, Bits(x), Bits(y));
      if (x87 != soft && ++mismatches <= kMismatchesShown) {
        ADD_FAILURE() << "'" << op << "' " << Hex(Bits(x)) << " " << Hex(Bits(y)) << ": x87 "
                      << x87 << ", software " << soft;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Checked, Operations,
                         ::testing::Values('+', '-', '*', '/', 's', 'n', 'q', 'p', 'd', 'f'),
                         [](const ::testing::TestParamInfo<char>& row) {
                           switch (row.param) {
                             case '+': return std::string("Add");
                             case '-': return std::string("Subtract");
                             case '*': return std::string("Multiply");
                             case '/': return std::string("Divide");
                             case 's': return std::string("Sqrt");
                             case 'n': return std::string("Negate");
                             case 'q': return std::string("Square");
                             case 'p': return std::string("Power");
                             case 'd': return std::string("StoreOfADifference");
                             default: return std::string("StoredFormula");
                           }
                         });

TEST(IntegerPowers, SameProductsAndFailures) {
  SplitMix random(0x1F);
  int mismatches = 0;
  for (int i = 0; i < kCases / 4 && mismatches < kMismatchesShown; ++i) {
    const ExtendedBits a = Bits(testing::RandomOperands(random).a);
    const int n = i % 3 == 0 ? random.Between(-5000, 5000) : random.Between(-12, 12);
    const std::string x87 = x87_side::IntegerPower(a, n), soft = soft_side::IntegerPower(a, n);
    if (x87 != soft) {
      ++mismatches;
      ADD_FAILURE() << "IntPower(" << Hex(a) << ", " << n << "): x87 " << x87 << ", software " << soft;
    }
  }
}

// The logarithm step of Power differs in its last bits; for bases and
// exponents of ordinary size the powers agree to within a few units of the
// 64-bit significand per unit of the power's binary exponent.
TEST(FractionalPowers, AgreeToWithinTheLogarithmsLastBits) {
  SplitMix random(0x2F);
  for (int i = 0; i < 20000; ++i) {
    soft::Flags f;
    const double base = std::ldexp(static_cast<double>(random.Bits() >> 11) * 0x1p-53 + 0.5,
                                   random.Between(-20, 20));
    const double exponent = (static_cast<double>(random.Bits() >> 11) * 0x1p-53 - 0.5) * 40;
    const ExtendedBits a = Bits(soft::FromDouble(base, f)), b = Bits(soft::FromDouble(exponent, f));
    const std::string x87 = x87_side::Operate('p', a, b), soft = soft_side::Operate('p', a, b);
    ASSERT_EQ(x87.size(), 20u) << x87;
    ASSERT_EQ(soft.size(), 20u) << soft;
    const auto value = [](const std::string& hex) {
      return soft::Float80{std::stoull(hex.substr(4), nullptr, 16),
                           static_cast<std::uint16_t>(std::stoul(hex.substr(0, 4), nullptr, 16))};
    };
    const soft::Float80 x = value(x87), y = value(soft);
    const double relative =
        std::fabs(soft::ToDouble(soft::Divide(soft::Subtract(y, x, f), x, f), f));
    const double t = std::fabs(exponent * std::log2(base));
    EXPECT_LE(relative, (t + 8) * 0x1p-61) << "Power(" << base << ", " << exponent << ")";
  }
}

TEST(Formatting, SameTextsForRandomValuesAtEveryPrecision) {
  SplitMix random(0xF0);
  int mismatches = 0;
  for (int i = 0; i < kCases && mismatches < kMismatchesShown; ++i) {
    const ExtendedBits v = Bits(testing::RandomOperands(random).a);
    const int precision = random.Between(1, 19);
    const char32_t sep = i % 5 == 0 ? U',' : U'.';
    const std::string x87 = x87_side::Format(v, precision, sep);
    const std::string soft = soft_side::Format(v, precision, sep);
    if (x87 != soft) {
      ++mismatches;
      ADD_FAILURE() << "FloatToStrF(" << Hex(v) << ", " << precision << "): x87 \"" << x87
                    << "\", software \"" << soft << "\"";
    }
  }
}

// The strings of the parse-number-fxx collection, and texts made of random
// digits, separators and exponents.
TEST(Parsing, SameValuesStoresAndVerdictsOnTheCollection) {
  int strings = 0, mismatches = 0;
  for (const char* file : {"freetype-2-7.txt", "google-wuffs.txt", "lemire-fast-float.txt",
                           "more-test-cases.txt", "tencent-rapidjson.txt"}) {
    std::ifstream in(std::filesystem::path(OPTICAL_FXX_DIR) / file);
    ASSERT_TRUE(in) << file;
    std::string line;
    while (std::getline(in, line) && mismatches < kMismatchesShown) {
      const std::string text = line.substr(std::min(line.size(), line.find(' ', 31) + 1));
      ++strings;
      const std::string x87 = x87_side::Parse(text, U'.'), soft = soft_side::Parse(text, U'.');
      if (x87 != soft) {
        ++mismatches;
        ADD_FAILURE() << "\"" << text << "\": x87 " << x87 << ", software " << soft;
      }
    }
  }
  EXPECT_GT(strings, 20000);
}

TEST(Parsing, SameValuesStoresAndVerdictsOnRandomTexts) {
  SplitMix random(0x7E);
  const char alphabet[] = "0123456789012345678901234567890123456789..,eE+- ";
  int mismatches = 0;
  for (int i = 0; i < kCases && mismatches < kMismatchesShown; ++i) {
    std::string text;
    const int digits = random.Between(1, i % 4 == 0 ? 60 : 22);
    if (random.Below(4) == 0) text += '-';
    for (int k = 0; k < digits; ++k) text += static_cast<char>('0' + random.Below(10));
    if (random.Below(2) == 0) text.insert(random.Below(static_cast<std::uint32_t>(text.size()) + 1), ".");
    if (random.Below(2) == 0) text += "e" + std::to_string(random.Between(-5000, 5000));
    if (random.Below(50) == 0) text[random.Below(static_cast<std::uint32_t>(text.size()))] =
        alphabet[random.Below(sizeof alphabet - 1)];
    const std::string x87 = x87_side::Parse(text, U'.'), soft = soft_side::Parse(text, U'.');
    if (x87 != soft) {
      ++mismatches;
      ADD_FAILURE() << "\"" << text << "\": x87 " << x87 << ", software " << soft;
    }
  }
}

}  // namespace
}  // namespace optics
