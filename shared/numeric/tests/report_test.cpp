// The failure report's text rule and the exception family.
#include <ostream>
#include <gtest/gtest.h>

#include "numeric/exceptions.h"
#include "test_support.h"
#include "numeric/report.h"

namespace optics {
namespace {

struct TextCase {
  const char* name;
  const char* message;
  const char* shown;
};

// A failing row prints as its name.
void PrintTo(const TextCase& row, std::ostream* os) { *os << row.name; }

class ReportTextRule : public ::testing::TestWithParam<TextCase> {};

TEST_P(ReportTextRule, AppendsAFullStopOnlyAfterACharacterAboveIt) {
  EXPECT_EQ(ReportText(GetParam().message), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, ReportTextRule,
    ::testing::Values(TextCase{"ZeroDivide", EZeroDivide::kMessage, "0 による浮動小数点数除算."},
                      TextCase{"InvalidOp", EInvalidOp::kMessage, "不正な浮動小数点数演算命令."},
                      TextCase{"Overflow", EOverflow::kMessage, "浮動小数点数のオーバーフロー."},
                      TextCase{"Conversion", "'x' は浮動小数点数ではありません",
                               "'x' は浮動小数点数ではありません."},
                      TextCase{"EndsInLetter", "abc", "abc."},
                      TextCase{"EndsInDigit", "12", "12."},
                      TextCase{"EndsInSlash", "a/", "a/."},  // 0x2F is just above "."
                      TextCase{"EndsInFullStop", "done.", "done."},
                      TextCase{"EndsInParenthesis", "(x)", "(x)"},
                      TextCase{"EndsInBang", "stop!", "stop!"},
                      TextCase{"EndsInBlank", "a ", "a "},
                      TextCase{"EndsInComma", "a,", "a,"}, TextCase{"Empty", "", ""}),
    testing::RowName());

TEST(ExceptionFamily, MathErrorsAreExternalExceptions) {
  try {
    throw EOverflow();
  } catch (const EMathError& e) {
    EXPECT_STREQ(e.what(), "浮動小数点数のオーバーフロー");
    EXPECT_NE(dynamic_cast<const EExternal*>(&e), nullptr);
  }
  EXPECT_STREQ(EUnderflow().what(), "浮動小数点数のアンダーフロー");
  const EAbort abort("x");
  EXPECT_EQ(dynamic_cast<const EExternal*>(static_cast<const Exception*>(&abort)), nullptr);
}

}  // namespace
}  // namespace optics
