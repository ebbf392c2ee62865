// The conversion probe as the tests use it: request lines into the built
// program through one pipe, answer lines out through another, compared
// byte for byte.
#include <ostream>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "child_process.h"

namespace {

using namespace std::string_literals;
using optics::testing::ChildProcess;
using optics::testing::ChildRun;

ChildRun RunProbe(const std::string& input) {
  return optics::testing::RunWithInput(NUMTEXT_PROBE_PATH, input);
}

const std::string kMegabyte(1 << 20, ' ');
const std::string kLetters(1 << 20, 'x');

#define FFFD "\xEF\xBF\xBD"
#define NOT_A_NUMBER "' は浮動小数点数ではありません\"}"
#define BAD R"({"error":"bad request","message":")"

struct Exchange {
  const char* name;
  std::string request;
  std::string answer;
};

// Sent as one batch, in this order: every bad line is followed by others.
const std::vector<Exchange> kExchanges = {
    // parse
    {"ParseRoundsOnTheStore", R"({"op":"parse","text":"5.876471"})",
     R"({"extended":"4001bc0c0ce91c8eac00","double":"401781819d2391d6"})"},
    {"ParseNegativeZero", R"({"op":"parse","text":"-0"})",
     R"({"extended":"80000000000000000000","double":"8000000000000000"})"},
    {"ParseCommaSeparator", R"({"op":"parse","text":"1,5","sep":","})",
     R"({"extended":"3fffc000000000000000","double":"3ff8000000000000"})"},
    {"ParseFullWidthCommaSeparator", R"({"op":"parse","text":"1，5","sep":"，"})",
     R"({"extended":"3fffc000000000000000","double":"3ff8000000000000"})"},
    {"ParsePointIsNoCommaSeparator", R"({"op":"parse","text":"1.5","sep":","})",
     R"({"error":"EConvertError","message":"'1.5)" NOT_A_NUMBER},
    {"ParseStoreOverflows", R"({"op":"parse","text":"1e400"})",
     R"({"extended":"452fda763fc8cb9ff9e5","double_error":"EOverflow","message":"浮動小数点数のオーバーフロー"})"},
    {"ParseEmptyText", R"({"op":"parse","text":""})",
     R"({"error":"EConvertError","message":"'' は浮動小数点数ではありません"})"},
    {"ParseFullWidthDigits", R"({"op":"parse","text":"１２"})",
     R"({"error":"EConvertError","message":"'１２)" NOT_A_NUMBER},
    {"ParseControlCharactersEscapedBack", R"({"op":"parse","text":"\u0001\u007f\n"})",
     R"({"error":"EConvertError","message":"'\u0001\u007f\u000a)" NOT_A_NUMBER},
    {"ParseLoneSurrogateEscape", R"({"op":"parse","text":"1\udc00"})",
     R"({"error":"EConvertError","message":"'1)" FFFD NOT_A_NUMBER},
    {"ParseBytesThatAreNotUtf8", "{\"op\":\"parse\",\"text\":\"\xff" "1\xc3\"}",
     R"({"error":"EConvertError","message":"')" FFFD "1" FFFD NOT_A_NUMBER},
    {"ParseMegabyteOfSpaces", R"({"op":"parse","text":")" + kMegabyte + R"(1.5"})",
     R"({"extended":"3fffc000000000000000","double":"3ff8000000000000"})"},
    {"ParseMegabyteOfLetters", R"({"op":"parse","text":")" + kLetters + R"("})",
     R"({"error":"EConvertError","message":"')" + kLetters + NOT_A_NUMBER},
    {"ParseIgnoresOtherMembers", R"({"id":17,"op":"parse","text":"2","sep":"."})",
     R"({"extended":"40008000000000000000","double":"4000000000000000"})"},
    {"ParseIgnoresOtherMembersGivenTwiceOrBeyondTheDoubleRange",
     R"({"x":1,"op":"parse","x":[1e400,-1e999],"text":"2"})",
     R"({"extended":"40008000000000000000","double":"4000000000000000"})"},
    {"ParseNestingAtTheDepthLimit",
     R"({"op":"parse","text":"2","x":)" + std::string(255, '[') + std::string(255, ']') + "}",
     R"({"extended":"40008000000000000000","double":"4000000000000000"})"},
    {"ParseHighSurrogateEscapeWithoutItsPair", R"({"op":"parse","text":"\ud800\u0041\ud800"})",
     R"({"error":"EConvertError","message":"')" FFFD "A" FFFD NOT_A_NUMBER},
    {"ParseCutSequenceIsOneReplacementPerByte", "{\"op\":\"parse\",\"text\":\"\xe2\x82\"}",
     R"({"error":"EConvertError","message":"')" FFFD FFFD NOT_A_NUMBER},
    // U+10FFFD beside a byte that is not UTF-8: each stays what it is.
    {"ParseLastPrivateUseCharacterBesideAByteThatIsNotUtf8",
     "{\"op\":\"parse\",\"text\":\"\xf4\x8f\xbf\xbd\xff\\udbff\\udffd\"}",
     "{\"error\":\"EConvertError\",\"message\":\"'\xf4\x8f\xbf\xbd" FFFD "\xf4\x8f\xbf\xbd" NOT_A_NUMBER},
    {"ParseC1AndTabEscapedBack", R"({"op":"parse","text":"\u0085\t\u009f\u00a0"})",
     R"({"error":"EConvertError","message":"'\u0085\u0009\u009f)" "\xc2\xa0" NOT_A_NUMBER},
    // format
    {"FormatAtPrecision7", R"({"op":"format","double":"3fe5555555555555","precision":7})",
     R"({"text":"0.6666667"})"},
    {"FormatWithoutPrecision", R"({"op":"format","double":"3FE5555555555555"})",
     R"({"text":"0.666666666666667"})"},
    {"FormatPrecisionClampedUp", R"({"op":"format","double":"3fe5555555555555","precision":0})",
     R"({"text":"0.67"})"},
    {"FormatPrecisionIntMin",
     R"({"op":"format","double":"3fe5555555555555","precision":-2147483648})",
     R"({"text":"0.67"})"},
    {"FormatPrecisionWithZeroFraction",
     R"({"op":"format","double":"3fe5555555555555","precision":7.0})",
     R"({"text":"0.6666667"})"},
    {"FormatPrecisionWithExponent",
     R"({"op":"format","double":"3fe5555555555555","precision":70e-1})", R"({"text":"0.6666667"})"},
    {"FormatPrecisionReadFromItsDigitsNotThroughADouble",
     R"({"op":"format","double":"3fe5555555555555","precision":7.0000000000000000001})",
     BAD R"(member \"precision\" must be an integer in the int range"})"},
    {"FormatPrecisionBeyondTheDoubleRange",
     R"({"op":"format","double":"3fe5555555555555","precision":1e400})",
     BAD R"(member \"precision\" must be an integer in the int range"})"},
    {"FormatCommaSeparator", R"({"op":"format","double":"3ff8000000000000","sep":","})",
     R"({"text":"1,5"})"},
    // One third in extended has 18 digits of threes; as a double it would not.
    {"FormatExtendedKeepsItsDigits",
     R"({"op":"format","extended":"3ffdaaaaaaaaaaaaaaab","precision":18})",
     R"({"text":"0.333333333333333333"})"},
    {"FormatNegativeInfinity", R"({"op":"format","double":"fff0000000000000"})",
     R"({"text":"-INF"})"},
    {"FormatNaN", R"({"op":"format","double":"7ff8000000000000"})", R"({"text":"NAN"})"},
    {"FormatUnnormal", R"({"op":"format","extended":"40000000000000000001"})",
     R"({"text":"NAN"})"},
    // power
    {"PowerTwoCubed", R"({"op":"power","base":"40008000000000000000","exponent":"4000C000000000000000"})",
     R"({"extended":"40028000000000000000"})"},
    {"PowerZeroToZero", R"({"op":"power","base":"00000000000000000000","exponent":"00000000000000000000"})",
     R"({"extended":"3fff8000000000000000"})"},
    {"PowerZeroDivide", R"({"op":"power","base":"00000000000000000000","exponent":"bfff8000000000000000"})",
     R"({"error":"EZeroDivide","message":"0 による浮動小数点数除算"})"},
    {"PowerInvalidOp", R"({"op":"power","base":"c0028000000000000000","exponent":"3ffdaaaaaaaaaaaaaaab"})",
     R"({"error":"EInvalidOp","message":"不正な浮動小数点数演算命令"})"},
    {"PowerOverflow", R"({"op":"power","base":"40008000000000000000","exponent":"400d9c40000000000000"})",
     R"({"error":"EOverflow","message":"浮動小数点数のオーバーフロー"})"},
    // bad requests
    {"NotJson", "{", BAD R"(not valid JSON: expected a member name in double quotes at byte 1"})"},
    {"EmptyLine", "", BAD R"(empty line: expected a JSON object with an \"op\""})"},
    {"NotAnObject", R"(["parse"])", BAD R"(a request must be a JSON object"})"},
    {"RawControlCharacter", "{\"op\":\"parse\",\"text\":\"\x01\"}",
     BAD R"(not valid JSON: control character U+0001 must be escaped in a string at byte 22"})"},
    {"NulAfterTheObject", "{\"op\":\"parse\",\"text\":\"1\"}\0"s,
     BAD R"(not valid JSON: unexpected text after the value at byte 25"})"},
    {"ByteOrderMark", "\xef\xbb\xbf{\"op\":\"parse\",\"text\":\"2\"}",
     BAD R"(not valid JSON: expected a value at byte 0"})"},
    {"TrailingComma", R"({"op":"parse",})",
     BAD R"(not valid JSON: expected a member name in double quotes at byte 14"})"},
    {"MissingColon", R"({"op" "parse"})", BAD R"(not valid JSON: expected ':' after a member name at byte 6"})"},
    {"EndInsideAnArray", R"({"op":[1,)", BAD R"(not valid JSON: unexpected end of text, expected a value at byte 9"})"},
    {"ValuesWithoutComma", R"({"op":[1 2]})", BAD R"(not valid JSON: expected ',' or ']' at byte 9"})"},
    {"BrokenLiteral", R"({"op":tru})", BAD R"(not valid JSON: expected a value at byte 6"})"},
    {"LeadingZero", R"({"op":"format","precision":07})",
     BAD R"(not valid JSON: a number must not have a leading zero at byte 28"})"},
    {"NoDigitAfterThePoint", R"({"precision":1.})", BAD R"(not valid JSON: expected a digit after the decimal point at byte 15"})"},
    {"NoDigitInTheExponent", R"({"precision":1e+})", BAD R"(not valid JSON: expected a digit in the exponent at byte 16"})"},
    {"UnterminatedString", R"({"op":"parse)", BAD R"(not valid JSON: unterminated string at byte 6"})"},
    {"InvalidEscape", R"({"op":"\x"})", BAD R"(not valid JSON: invalid escape in a string at byte 7"})"},
    {"ShortUnicodeEscape", R"({"op":"\u12"})", BAD R"(not valid JSON: \\u must be followed by four hex digits at byte 7"})"},
    // The offset counts the bytes of the line, a byte that is not UTF-8 as one.
    {"ByteThatIsNotUtf8OutsideAString", "{\"op\":\"\xff\xff\" \xff}",
     BAD R"(not valid JSON: expected ',' or '}' at byte 11"})"},
    {"NestedTooDeep", "{\"op\":" + std::string(300, '['),
     BAD R"(not valid JSON: arrays and objects nested deeper than 256 at byte 261"})"},
    {"MissingOp", R"({"text":"1"})", BAD R"(missing member \"op\""})"},
    {"OpNotAString", R"({"op":1})", BAD R"(member \"op\" must be a string"})"},
    {"UnknownOp", R"({"op":"Parse"})",
     BAD R"x(unknown op \"Parse\" (expected \"parse\", \"format\" or \"power\")"})x"},
    {"DuplicateMember", R"({"op":"parse","text":"1","text":"2"})",
     BAD R"(member \"text\" appears more than once"})"},
    {"MissingText", R"({"op":"parse"})", BAD R"(missing member \"text\""})"},
    {"TextNotAString", R"({"op":"parse","text":1.5})", BAD R"(member \"text\" must be a string"})"},
    {"SepEmpty", R"({"op":"parse","text":"1","sep":""})",
     BAD R"(member \"sep\" must be exactly one character"})"},
    {"SepTwoCharacters", R"({"op":"parse","text":"1","sep":".."})",
     BAD R"(member \"sep\" must be exactly one character"})"},
    {"SepByteThatIsNotUtf8", "{\"op\":\"parse\",\"text\":\"1\",\"sep\":\"\xff\"}",
     BAD R"(member \"sep\" must be exactly one character"})"},
    {"DoubleHexTooShort", R"({"op":"format","double":"3fe555555555555"})",
     BAD R"x(member \"double\" must be exactly 16 hex digits (the bits of a double)"})x"},
    {"DoubleHexWithNonHexDigit", R"({"op":"format","double":"3fe555555555555g"})",
     BAD R"(member \"double\" has a character that is not a hex digit"})"},
    {"ExtendedHexTooLong", R"({"op":"format","extended":"3fffc0000000000000000"})",
     BAD R"x(member \"extended\" must be exactly 20 hex digits (sign and exponent, then the significand)"})x"},
    {"ExtendedHexWithPrefix", R"({"op":"format","extended":"0x3fc000000000000000"})",
     BAD R"(member \"extended\" has a character that is not a hex digit"})"},
    {"DoubleAndExtended",
     R"({"op":"format","double":"3ff8000000000000","extended":"3fffc000000000000000"})",
     BAD R"(give either member \"double\" or member \"extended\", not both"})"},
    {"NeitherDoubleNorExtended", R"({"op":"format","precision":7})",
     BAD R"(missing member \"double\" or \"extended\""})"},
    {"PrecisionWithFraction", R"({"op":"format","double":"3ff8000000000000","precision":7.5})",
     BAD R"(member \"precision\" must be an integer in the int range"})"},
    {"PrecisionBeyondInt", R"({"op":"format","double":"3ff8000000000000","precision":2147483648})",
     BAD R"(member \"precision\" must be an integer in the int range"})"},
    {"PrecisionAsString", R"({"op":"format","double":"3ff8000000000000","precision":"7"})",
     BAD R"(member \"precision\" must be a number"})"},
    {"PowerMissingExponent", R"({"op":"power","base":"40008000000000000000"})",
     BAD R"(missing member \"exponent\""})"},
    {"AfterBadLinesTheProbeGoesOn", R"({"op":"parse","text":"2"})",
     R"({"extended":"40008000000000000000","double":"4000000000000000"})"},
};

// A failing row prints as its name.
void PrintTo(const Exchange& row, std::ostream* os) { *os << row.name; }

class Exchanges : public ::testing::TestWithParam<Exchange> {
 protected:
  static void SetUpTestSuite() {
    std::string input;
    for (const Exchange& e : kExchanges) input += e.request + '\n';
    const ChildRun run = RunProbe(input);
    ASSERT_TRUE(run.ExitedCleanly()) << run.status;
    const std::vector<std::string> lines = run.Lines();
    ASSERT_EQ(lines.size(), kExchanges.size());
    for (std::size_t i = 0; i < lines.size(); ++i) answers_[kExchanges[i].name] = lines[i];
  }

  static std::map<std::string, std::string> answers_;
};

std::map<std::string, std::string> Exchanges::answers_;

TEST_P(Exchanges, AnswerExactly) {
  const auto found = answers_.find(GetParam().name);
  ASSERT_NE(found, answers_.end()) << "no answer";
  EXPECT_EQ(found->second, GetParam().answer) << GetParam().request.substr(0, 200);
}

INSTANTIATE_TEST_SUITE_P(
    Probe, Exchanges, ::testing::ValuesIn(kExchanges),
    [](const ::testing::TestParamInfo<Exchange>& row) { return std::string(row.param.name); });

constexpr const char* kTwo = R"({"extended":"40008000000000000000","double":"4000000000000000"})";

TEST(Probe, AnswersEveryLineOfAnyEndingInOrder) {
  // CR LF, LF, an empty line, and a last line without its line feed.
  const ChildRun run = RunProbe(
      "{\"op\":\"parse\",\"text\":\"2\"}\r\n"
      "\r\n"
      "{\"op\":\"parse\",\"text\":\"1,5\",\"sep\":\",\"}\n"
      "\n"
      "{\"op\":\"parse\",\"text\":\"2\"}");
  EXPECT_TRUE(run.ExitedCleanly()) << run.status;
  const std::string empty = BAD R"(empty line: expected a JSON object with an \"op\""})";
  EXPECT_EQ(run.Lines(),
            (std::vector<std::string>{
                kTwo, empty, R"({"extended":"3fffc000000000000000","double":"3ff8000000000000"})",
                empty, kTwo}));
}

TEST(Probe, SeparatorHoldsForItsRequestOnly) {
  const ChildRun run = RunProbe(
      "{\"op\":\"parse\",\"text\":\"2,0\",\"sep\":\",\"}\n"
      "{\"op\":\"parse\",\"text\":\"2,0\"}\n");
  EXPECT_EQ(run.Lines(),
            (std::vector<std::string>{
                kTwo, R"({"error":"EConvertError","message":"'2,0)" NOT_A_NUMBER}));
}

// A driver waits for each answer before it sends the next request.
TEST(Probe, AnswersEachLineBeforeTheNextArrives) {
  ChildProcess probe(NUMTEXT_PROBE_PATH);
  ASSERT_TRUE(probe.Started());
  ASSERT_TRUE(probe.Send("{\"op\":\"parse\",\"text\":\"2\"}\n"));
  EXPECT_EQ(probe.ReadLine(), kTwo);
  ASSERT_TRUE(probe.Send("{\"op\":\"format\",\"double\":\"4000000000000000\"}\r\n"));
  EXPECT_EQ(probe.ReadLine(), R"({"text":"2"})");
  probe.CloseInput();
  EXPECT_EQ(probe.ReadLine(), std::nullopt);
  EXPECT_EQ(probe.Wait(), 0);
}

TEST(Probe, ExitsQuietlyOnEmptyInput) {
  const ChildRun run = RunProbe("");
  EXPECT_TRUE(run.ExitedCleanly()) << run.status;
  EXPECT_EQ(run.output, "");
}

}  // namespace
