// StrToFloat against the MPFR model of extended_reference.h on fixed texts:
// the strings of the parse-number-fxx collection and texts of a megabyte;
// and the model itself on the examples that the headers state.
#include <ostream>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <limits>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "differential_support.h"
#include "extended_reference.h"
#include "numeric/decimal.h"
#include "test_support.h"

namespace optics {
namespace {

using testing::Hex;
using testing::kMismatchesShown;
using testing::ParsesLikeTheReference;
using testing::Random;

// The strings of the parse-number-fxx collection: real-world inputs of other
// parsers' test suites. Their double column is the correctly rounded value,
// which is not ours; the reference decides.
struct DataFile {
  const char* name;
  const char* file;
};

// A failing row prints as its name.
void PrintTo(const DataFile& row, std::ostream* os) { *os << row.name; }

class ParseNumberFxx : public ::testing::TestWithParam<DataFile> {};

TEST_P(ParseNumberFxx, EveryStringMatchesTheReference) {
  const std::filesystem::path path = std::filesystem::path(OPTICAL_FXX_DIR) / GetParam().file;
  std::ifstream in(path);
  ASSERT_TRUE(in) << path << " cannot be read: the collection is part of the test data";
  std::string line;
  int mismatches = 0;
  int strings = 0;
  while (std::getline(in, line) && mismatches < kMismatchesShown) {
    // float16, float32 and float64 bits, then the string.
    std::size_t start = 0;
    for (int field = 0; field < 3; ++field) {
      start = line.find(' ', start);
      ASSERT_NE(start, std::string::npos) << "malformed line: " << line;
      ++start;
    }
    std::string text = line.substr(start);
    ++strings;
    // As written, and with a comma for the point and a comma separator.
    for (const char32_t sep : {U'.', U','}) {
      if (sep == U',') std::replace(text.begin(), text.end(), '.', ',');
      const ::testing::AssertionResult same = ParsesLikeTheReference(text, sep);
      if (!same) {
        ++mismatches;
        ADD_FAILURE() << path.filename() << ": " << same.message();
      }
    }
  }
  EXPECT_GT(strings, 0) << path << " is empty";
}

INSTANTIATE_TEST_SUITE_P(Collection, ParseNumberFxx,
                         ::testing::Values(DataFile{"FreeType", "freetype-2-7.txt"},
                                           DataFile{"GoogleWuffs", "google-wuffs.txt"},
                                           DataFile{"LemireFastFloat", "lemire-fast-float.txt"},
                                           DataFile{"MoreTestCases", "more-test-cases.txt"},
                                           DataFile{"TencentRapidjson", "tencent-rapidjson.txt"}),
                         testing::RowName());

// Texts of a megabyte: the right value, or EConvertError, and nothing else.
constexpr std::size_t kMegabyte = 1 << 20;

struct HugeText {
  const char* name;
  std::string (*make)();
  std::optional<double> stored;  // nothing: EConvertError
};

// A failing row prints as its name.
void PrintTo(const HugeText& row, std::ostream* os) { *os << row.name; }

class HugeTexts : public ::testing::TestWithParam<HugeText> {};

TEST_P(HugeTexts, ParseToTheReferenceValue) {
  const HugeText& c = GetParam();
  const std::string text = c.make();
  EXPECT_TRUE(ParsesLikeTheReference(text, U'.'));
  if (c.stored) {
    EXPECT_EQ(Hex(Double::Store(StrToFloat(text, U'.'))), Hex(*c.stored));
  } else {
    EXPECT_THROW((void)StrToFloat(text, U'.'), EConvertError);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Megabyte, HugeTexts,
    ::testing::Values(HugeText{"LeadingZerosThenDigits",
                               [] { return std::string(kMegabyte, '0') + "123"; }, 123.0},
                      // The accumulator overflows after some 4933 digits.
                      HugeText{"RandomDigits",
                               [] {
                                 Random r(testing::SeedOf("RandomDigits"));
                                 return r.Digits(static_cast<int>(kMegabyte), true);
                               },
                               std::nullopt},
                      HugeText{"Nines", [] { return std::string(kMegabyte, '9'); }, std::nullopt},
                      // The scale is below -5120, but the accumulator has overflowed first.
                      HugeText{"FractionOfNines", [] { return "0." + std::string(kMegabyte, '9'); },
                               std::nullopt},
                      // A scale of -(2^20 + 1) + 10 is far below -5120: zero.
                      HugeText{"FractionOfZerosThenOneE10",
                               [] { return "0." + std::string(kMegabyte, '0') + "1e10"; }, 0.0},
                      HugeText{"SpacesThenOne", [] { return std::string(kMegabyte, ' ') + "1"; },
                               1.0},
                      HugeText{"OneBetweenSpaces",
                               [] {
                                 return std::string(kMegabyte / 2, ' ') + "-1" +
                                        std::string(kMegabyte / 2, ' ');
                               },
                               -1.0}),
    testing::RowName());

// The model itself, on the examples that decimal.h and extended.h state:
// a model that got them wrong would agree with a library that did too.
TEST(ReferenceModel, ReproducesTheDocumentedExamples) {
  const auto stored = [](const char* text) {
    const reference::ParseOutcome p = reference::StrToFloat(text, U'.');
    EXPECT_TRUE(p.valid) << text;
    const reference::StoreOutcome s = reference::Store(p.value);
    EXPECT_FALSE(s.overflow) << text;
    return Hex(s.value);
  };
  EXPECT_EQ(stored("5.876471"), Hex(0x1.781819d2391d6p+2));
  EXPECT_EQ(stored(" +.5 "), Hex(0.5));
  EXPECT_EQ(stored("-0"), Hex(-0.0));
  EXPECT_EQ(stored("1e"), Hex(1.0));
  EXPECT_EQ(stored("1e-4999"), Hex(0.0));
  EXPECT_FALSE(reference::StrToFloat("1e4999", U'.').valid);
  EXPECT_FALSE(reference::StrToFloat("1e5000", U'.').valid);
  EXPECT_FALSE(reference::StrToFloat("1,5", U'.').valid);
  EXPECT_TRUE(reference::Store(reference::StrToFloat("1e400", U'.').value).overflow);

  // The double store rounds to nearest, ties to even, through the denormals.
  const double max = std::numeric_limits<double>::max();
  const double tiny = std::numeric_limits<double>::denorm_min();
  EXPECT_EQ(Hex(reference::Store(max).value), Hex(max));
  // max + 2^970, and the extended value one unit (2^960) below it.
  const Extended halfway_to_2_1024 = Extended::FromBits(0x43FE, 0xFFFFFFFFFFFFFC00ull);
  const Extended below_halfway = Extended::FromBits(0x43FE, 0xFFFFFFFFFFFFFBFFull);
  EXPECT_TRUE(reference::Store(halfway_to_2_1024).overflow);
  EXPECT_EQ(Hex(reference::Store(below_halfway).value), Hex(max));
  EXPECT_EQ(Hex(reference::Store(Extended::FromBits(0x3BCC, 0x8000000000000000ull)).value),
            Hex(0.0));  // 2^-1075
  EXPECT_EQ(Hex(reference::Store(Extended::FromBits(0x3BCC, 0xC000000000000000ull)).value),
            Hex(tiny));  // 1.5 * 2^-1075
  EXPECT_EQ(Hex(reference::Store(Extended::FromBits(0x3BCD, 0xC000000000000000ull)).value),
            Hex(2 * tiny));  // 3 * 2^-1075
  EXPECT_EQ(Hex(reference::Store(Extended::FromBits(0xBBC7, 0x8000000000000000ull)).value),
            Hex(-0.0));  // -2^-1080
}

}  // namespace
}  // namespace optics
