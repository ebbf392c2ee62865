// The JSON parser and writer: what they accept, what they refuse with which
// message, and the exact text they write back.
#include <bit>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "json/json.h"
#include "test_support.h"

namespace optics::json {
namespace {

using optics::testing::RowName;

#define FFFD "\xEF\xBF\xBD"

struct RoundTrip {
  const char* name;
  std::string text;
  std::string written;  // Write(Parse(text))
};

class RoundTrips : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(RoundTrips, WriteBackCompactly) {
  const RoundTrip& c = GetParam();
  const Value v = Parse(c.text);
  EXPECT_EQ(Write(v), c.written);
  EXPECT_EQ(Write(Parse(c.written)), c.written);  // the output is JSON, written the same again
}

INSTANTIATE_TEST_SUITE_P(
    Json, RoundTrips,
    ::testing::Values(
        RoundTrip{"WhitespaceDroppedOrderKept",
                  " { \"b\" : [ 1 , true , false , null ] ,\t\"a\" :\r\n{ } , \"c\":[ ] } ",
                  R"({"b":[1,true,false,null],"a":{},"c":[]})"},
        RoundTrip{"ScalarDocument", " \"x\" ", R"("x")"},
        RoundTrip{"NumbersKeepTheirText", "[-0,1.50,1E400,2e-5,0.0,-12e+3]",
                  "[-0,1.50,1E400,2e-5,0.0,-12e+3]"},
        RoundTrip{"DuplicateKeysKept", R"({"a":1,"a":2})", R"({"a":1,"a":2})"},
        RoundTrip{"ShortEscapes", R"("\"\\\/\b\f\n\r\t")",
                  R"("\"\\/\u0008\u000c\u000a\u000d\u0009")"},
        RoundTrip{"EscapedNul", R"("a\u0000b")", R"("a\u0000b")"},
        RoundTrip{"UnicodeEscapesBecomeUtf8", R"("\u00e9\u20AC\u00A0")", "\"é€\xC2\xA0\""},
        RoundTrip{"DelAndC1ControlsEscaped", "\"\x7f\xC2\x85\"", R"("\u007f\u0085")"},
        RoundTrip{"SurrogatePair", R"("\ud83d\ude00")", "\"😀\""},
        RoundTrip{"LoneHighSurrogate", R"("\ud800x")", "\"" FFFD "x\""},
        RoundTrip{"LoneLowSurrogate", R"("\udc00")", "\"" FFFD "\""},
        RoundTrip{"HighSurrogateAtTheEnd", R"("\udbff")", "\"" FFFD "\""},
        RoundTrip{"HighSurrogateThenOtherEscape", R"("\ud800\u0041")", "\"" FFFD "A\""},
        RoundTrip{"HighSurrogateThenPair", R"("\ud800\ud83d\ude00")", "\"" FFFD "😀\""},
        RoundTrip{"PairInWrongOrder", R"("\ude00\ud83d")", "\"" FFFD FFFD "\""},
        // Each byte that starts no valid sequence becomes one U+FFFD.
        RoundTrip{"InvalidUtf8Replaced", "\"\xff\xc3(\xed\xa0\x80\"",
                  "\"" FFFD FFFD "(" FFFD FFFD FFFD "\""},
        RoundTrip{"OverlongReplaced", "\"\xc0\xaf\xe0\x80\xaf\"",
                  "\"" FFFD FFFD FFFD FFFD FFFD "\""},
        RoundTrip{"TruncatedSequenceReplaced", "[\"\xe2\x82\"]", "[\"" FFFD FFFD "\"]"},
        RoundTrip{"LargestCodePointKept", "\"\xf4\x8f\xbf\xbf\"", "\"\xf4\x8f\xbf\xbf\""},
        RoundTrip{"BeyondLargestCodePointReplaced", "\"\xf4\x90\x80\x80\"",
                  "\"" FFFD FFFD FFFD FFFD "\""}),
    RowName());

TEST(Parse, KeepsTheBytesOfStringsThatAreNotUtf8) {
  EXPECT_EQ(Parse("\"\xff\xc3(\"").AsString(), "\xff\xc3(");
  EXPECT_EQ(Parse("{\"\xfe\":1}").AsObject().at(0).first, "\xfe");
}

struct Refusal {
  const char* name;
  std::string text;
  const char* message;
};

class Refusals : public ::testing::TestWithParam<Refusal> {};

TEST_P(Refusals, FailWithReasonAndOffset) {
  const Refusal& c = GetParam();
  try {
    Parse(c.text);
    FAIL() << "parsed";
  } catch (const ParseError& e) {
    EXPECT_STREQ(e.what(), c.message);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Json, Refusals,
    ::testing::Values(
        Refusal{"Empty", "", "unexpected end of text, expected a value at byte 0"},
        Refusal{"OnlySpace", " \t", "unexpected end of text, expected a value at byte 2"},
        Refusal{"TrailingCommaInArray", "[1,]", "expected a value at byte 3"},
        Refusal{"TrailingCommaInObject", R"({"a":1,})",
                "expected a member name in double quotes at byte 7"},
        Refusal{"MissingComma", "[1 2]", "expected ',' or ']' at byte 3"},
        Refusal{"UnclosedObject", R"({"a":1)", "expected ',' or '}' at byte 6"},
        Refusal{"UnquotedKey", "{a:1}", "expected a member name in double quotes at byte 1"},
        Refusal{"MissingColon", R"({"a" 1})", "expected ':' after a member name at byte 5"},
        Refusal{"TwoValues", "1 2", "unexpected text after the value at byte 2"},
        Refusal{"Comment", "[1]//", "unexpected text after the value at byte 3"},
        Refusal{"NulAfterValue", std::string("1\0", 2), "unexpected text after the value at byte 1"},
        Refusal{"LeadingZero", "01", "a number must not have a leading zero at byte 1"},
        Refusal{"NegativeLeadingZero", "-012", "a number must not have a leading zero at byte 2"},
        Refusal{"PointWithoutFraction", "1.", "expected a digit after the decimal point at byte 2"},
        Refusal{"PointWithoutInteger", ".5", "expected a value at byte 0"},
        Refusal{"PlusSign", "+1", "expected a value at byte 0"},
        Refusal{"MinusAlone", "-", "expected a digit in a number at byte 1"},
        Refusal{"EmptyExponent", "1e+", "expected a digit in the exponent at byte 3"},
        Refusal{"HexNumber", "0x1F", "unexpected text after the value at byte 1"},
        Refusal{"NaN", "NaN", "expected a value at byte 0"},
        Refusal{"NegativeInfinity", "-Infinity", "expected a digit in a number at byte 1"},
        Refusal{"TruncatedLiteral", "tru", "expected a value at byte 0"},
        Refusal{"CapitalisedLiteral", "True", "expected a value at byte 0"},
        Refusal{"SingleQuotes", "'a'", "expected a value at byte 0"},
        Refusal{"VerticalTabIsNoSpace", "\v1", "expected a value at byte 0"},
        Refusal{"NoBreakSpaceIsNoSpace", "\xC2\xA0" "1", "expected a value at byte 0"},
        Refusal{"UnterminatedString", R"(["abc)", "unterminated string at byte 1"},
        Refusal{"BackslashAtTheEnd", R"("abc\)", "unterminated string at byte 0"},
        Refusal{"RawNewlineInString", "\"a\nb\"",
                "control character U+000A must be escaped in a string at byte 2"},
        Refusal{"RawUnitSeparatorInString", "\"\x1f\"",
                "control character U+001F must be escaped in a string at byte 1"},
        Refusal{"UnknownEscape", R"("a\x")", "invalid escape in a string at byte 2"},
        Refusal{"UnicodeEscapeWithNonHex", R"("\u12g4")",
                "\\u must be followed by four hex digits at byte 1"},
        Refusal{"UnicodeEscapeCutShort", R"("\u12")",
                "\\u must be followed by four hex digits at byte 1"},
        Refusal{"BadEscapeAfterHighSurrogate", R"("\ud800\uzzzz")",
                "\\u must be followed by four hex digits at byte 7"}),
    RowName());

TEST(Parse, ReportsTheOffsetOfTheFault) {
  try {
    Parse("[true, nul]");
    FAIL() << "parsed";
  } catch (const ParseError& e) {
    EXPECT_EQ(e.offset(), 7u);
  }
}

std::string Nested(int depth) {
  return std::string(static_cast<std::size_t>(depth), '[') +
         std::string(static_cast<std::size_t>(depth), ']');
}

TEST(Parse, AcceptsNestingUpToTheLimit) {
  EXPECT_EQ(Write(Parse(Nested(kMaxDepth))), Nested(kMaxDepth));
  std::string objects;
  for (int i = 0; i < kMaxDepth; ++i) objects += R"({"a":)";
  objects += "1" + std::string(kMaxDepth, '}');
  EXPECT_EQ(Write(Parse(objects)), objects);
}

TEST(Parse, RefusesNestingBeyondTheLimitWithoutOverflowingTheStack) {
  EXPECT_THROW(Parse(Nested(kMaxDepth + 1)), ParseError);
  try {
    Parse(std::string(1'000'000, '['));
    FAIL() << "parsed";
  } catch (const ParseError& e) {
    EXPECT_STREQ(e.what(), "arrays and objects nested deeper than 256 at byte 256");
  }
  std::string objects;
  for (int i = 0; i < 200'000; ++i) objects += R"({"a":)";
  EXPECT_THROW(Parse(objects), ParseError);
}

TEST(Parse, ReadsStringsOfSeveralMegabytes) {
  std::string text = "\"";
  std::string expected;
  for (int i = 0; i < 300'000; ++i) {
    text += "ab\\n\\u00e9\\ud83d\\ude00";  // 22 bytes of text per round
    expected += "ab\né😀";
  }
  text += '"';
  const Value v = Parse(text);
  EXPECT_EQ(v.AsString(), expected);
  EXPECT_EQ(Parse(Write(v)), v);
}

struct NumberCase {
  const char* name;
  std::string text;
  double value;
  std::optional<std::int64_t> integer;
};

class Numbers : public ::testing::TestWithParam<NumberCase> {};

TEST_P(Numbers, HaveTheirDoubleAndExactInteger) {
  const NumberCase& c = GetParam();
  const Value v = Parse(c.text);
  EXPECT_EQ(v.AsNumber().text, c.text);
  EXPECT_EQ(std::bit_cast<std::uint64_t>(v.AsNumber().value), std::bit_cast<std::uint64_t>(c.value))
      << v.AsNumber().value;
  EXPECT_EQ(v.ExactInteger(), c.integer);
}

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr std::int64_t kInt64Max = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kInt64Min = std::numeric_limits<std::int64_t>::min();

INSTANTIATE_TEST_SUITE_P(
    Json, Numbers,
    ::testing::Values(
        NumberCase{"Zero", "0", 0.0, 0},
        NumberCase{"NegativeZero", "-0", -0.0, 0},
        NumberCase{"ZeroWithFraction", "0.000", 0.0, 0},
        NumberCase{"Fraction", "0.1", 0.1, std::nullopt},
        NumberCase{"IntegerWithZeroFraction", "7.0", 7.0, 7},
        NumberCase{"ExponentMakesAnInteger", "70e-1", 7.0, 7},
        NumberCase{"ExponentLeavesAFraction", "123e-2", 1.23, std::nullopt},
        NumberCase{"CapitalExponent", "1E2", 100.0, 100},
        NumberCase{"LeadingFractionZerosScaledUp", "0.00012e5", 12.0, 12},
        NumberCase{"LeadingFractionZerosNotEnough", "0.00012e4", 1.2, std::nullopt},
        NumberCase{"Int64Max", "9223372036854775807", 9223372036854775807.0, kInt64Max},
        NumberCase{"Int64Min", "-9223372036854775808", -9223372036854775808.0, kInt64Min},
        NumberCase{"AboveInt64", "9223372036854775808", 9223372036854775808.0, std::nullopt},
        NumberCase{"BelowInt64", "-9223372036854775809", -9223372036854775808.0, std::nullopt},
        NumberCase{"TenToThe19", "1e19", 1e19, std::nullopt},
        NumberCase{"Denormal", "5e-324", std::numeric_limits<double>::denorm_min(), std::nullopt},
        NumberCase{"Overflow", "1e400", kInf, std::nullopt},
        NumberCase{"NegativeOverflow", "-1e400", -kInf, std::nullopt},
        NumberCase{"OverflowWithoutExponent", "1" + std::string(400, '0'), kInf, std::nullopt},
        NumberCase{"Underflow", "1e-400", 0.0, std::nullopt},
        NumberCase{"NegativeUnderflow", "-1e-400", -0.0, std::nullopt},
        NumberCase{"UnderflowWithoutExponent", "0." + std::string(400, '0') + "1", 0.0,
                   std::nullopt},
        NumberCase{"ZeroWithHugeExponent", "0e99999999999999999999", 0.0, 0},
        NumberCase{"HugeExponent", "1e99999999999999999999", kInf, std::nullopt},
        NumberCase{"HugeNegativeExponent", "1e-99999999999999999999", 0.0, std::nullopt}),
    RowName());

TEST(Value, ExactIntegerIsOnlyForNumbers) {
  EXPECT_EQ(Parse(R"("7")").ExactInteger(), std::nullopt);
  EXPECT_EQ(Parse("true").ExactInteger(), std::nullopt);
}

TEST(Value, FindsTheFirstMemberOfAName) {
  const Value v = Parse(R"({"a":1,"b":2,"a":3})");
  ASSERT_NE(v.Find("a"), nullptr);
  EXPECT_EQ(v.Find("a")->AsNumber().text, "1");
  EXPECT_EQ(v.Find("c"), nullptr);
  EXPECT_EQ(Parse("[1]").Find("a"), nullptr);
  EXPECT_THROW(Parse("[1]").AsObject(), std::bad_variant_access);
}

TEST(Write, BuiltValues) {
  Value v;
  v.Add("s", "say \"hi\"\\")
      .Add("n", Array{Value(0.1), Value(-0.0), Value(1e21), Value(2.0), Value(-42),
                      Value(kInt64Min), Value(std::numeric_limits<std::uint64_t>::max())})
      .Add("o", Object{{"t", true}, {"z", nullptr}});
  EXPECT_EQ(Write(v),
            R"({"s":"say \"hi\"\\","n":[0.1,-0,1e+21,2,-42,-9223372036854775808,)"
            R"(18446744073709551615],"o":{"t":true,"z":null}})");
}

TEST(Write, NeverWritesAnInvalidNumber) {
  EXPECT_THROW(Value{kInf}, std::invalid_argument);
  EXPECT_THROW(Value{std::numeric_limits<double>::quiet_NaN()}, std::invalid_argument);
  EXPECT_EQ(Write(Array{Number{"0x10", 16.0}, Number{"", kInf}, Number{"1.", 1.0}}), "[16,null,1]");
}

}  // namespace
}  // namespace optics::json
