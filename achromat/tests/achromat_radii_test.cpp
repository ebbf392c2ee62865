// The achromat's two solutions, digit for digit, and what a failure leaves.
#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "numeric/decimal.h"
#include "numeric/exceptions.h"
#include "ostrine_form.h"
#include "test_support.h"

namespace optics::ostrine {
namespace {

constexpr const char* kDefaultBlock =
    "解Ａ\r\n"
    "r1=0.159054762494397\r\nr2=0.545971878079847\r\n"
    "r3=0.177176398997828\r\nr4=0.129172485277468\r\n"
    "\r\n\r\n"
    "解Ｂ\r\n"
    "r1B=0.606095845637333\r\nr2B=-0.356424593439929\r\n"
    "r3B=-0.360629554348375\r\nr4B=-1.48052862375383\r\n"
    "\r\n\r\n";

class OstrineTest : public ::testing::Test {
 protected:
  OstrineTest() { form::LoadInitialContents(form_); }
  OstrineForm form_;
};

TEST_F(OstrineTest, DefaultGlassesGiveBothSolutionsBelowTheInitialLine) {
  form_.Button1Click();
  EXPECT_EQ(form_.Memo1.Text(), std::string("\r\n") + kDefaultBlock);
  EXPECT_EQ(form_.Memo1.LineCount(), 15);  // then the empty bottom line 16
  EXPECT_NEAR(form_.nu1.value(), 64.140, 5e-4);
  EXPECT_NEAR(form_.phi1.value(), 2.30053, 5e-6);
  EXPECT_NEAR(form_.phi2.value(), -1.30053, 5e-6);
}

TEST_F(OstrineTest, ExtendedArithmeticShowsInTheLastDigitOfR1B) {
  // In plain double arithmetic the same formulas give 0.606095845637334.
  form_.Button1Click();
  EXPECT_EQ(FloatToStr(form_.r1B), "0.606095845637333");
}

TEST_F(OstrineTest, TwoPressesAppendTwoIdenticalBlocks) {
  form_.Button1Click();
  form_.Button1Click();
  EXPECT_EQ(form_.Memo1.Text(), std::string("\r\n") + kDefaultBlock + kDefaultBlock);
}

TEST_F(OstrineTest, ExchangedGlassesExchangeThePowers) {
  form_.Button1Click();
  const double phi1 = form_.phi1.value(), phi2 = form_.phi2.value();
  std::swap(form_.Edit1, form_.Edit4);
  std::swap(form_.Edit2, form_.Edit5);
  std::swap(form_.Edit3, form_.Edit6);
  form_.Button1Click();
  EXPECT_EQ(form_.phi1.value(), phi2);
  EXPECT_EQ(form_.phi2.value(), phi1);
  EXPECT_NE(form_.r1.value(), 0.159054762494397);
}

TEST_F(OstrineTest, AfterTheUserDeletedTheLastBreakTheBlockStartsOnANewLine) {
  form_.Memo1 = MemoText("notes");
  form_.Button1Click();
  EXPECT_TRUE(form_.Memo1.Text().starts_with("notes\r\n解Ａ\r\nr1=")) << form_.Memo1.Text();
  EXPECT_TRUE(form_.Memo1.Text().ends_with("r4B=-1.48052862375383\r\n\r\n\r\n"));
}

struct FailureRow {
  const char* name;
  const char* edits[6];
  const char* message;
  const char* last_field;    // the last field that received a value
  const char* first_unset;   // the first field never assigned
};

// A failing row prints as its name.
void PrintTo(const FailureRow& row, std::ostream* os) { *os << row.name; }

class AchromatFailure : public OstrineTest, public ::testing::WithParamInterface<FailureRow> {
 protected:
  const Double* FieldNamed(const char* name) {
    for (const auto& [n, field] : form_.Bind().fields) {
      if (n == name) return field;
    }
    ADD_FAILURE() << name;
    return nullptr;
  }
};

TEST_P(AchromatFailure, LeavesTheMemoAndTheFieldsBeforeTheStep) {
  const FailureRow& row = GetParam();
  std::string* edits[] = {&form_.Edit1, &form_.Edit2, &form_.Edit3,
                          &form_.Edit4, &form_.Edit5, &form_.Edit6};
  for (int i = 0; i < 6; ++i) *edits[i] = row.edits[i];
  try {
    form_.Button1Click();
    FAIL() << "no failure";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), row.message);
  }
  EXPECT_EQ(form_.Memo1.Text(), "\r\n") << "nothing is appended after a failure";
  EXPECT_NE(FieldNamed(row.last_field)->value(), 0.0) << row.last_field;
  EXPECT_EQ(FieldNamed(row.first_unset)->value(), 0.0) << row.first_unset;
}

INSTANTIATE_TEST_SUITE_P(
    Failures, AchromatFailure,
    ::testing::Values(
        FailureRow{"TextIsNoNumber", {"1.51385", "1.51633", "1.5219", "1.61502", "x", "1.63212"},
                   "'x' は浮動小数点数ではありません", "nC2", "nd2"},
        FailureRow{"EqualCAndFIndices", {"1.5", "1.51633", "1.5", "1.61502", "1.620041", "1.63212"},
                   EZeroDivide::kMessage, "nF2", "nu1"},
        FailureRow{"EqualCAndFAndIndexOne", {"1.5", "1", "1.5", "1.61502", "1.620041", "1.63212"},
                   EInvalidOp::kMessage, "nF2", "nu1"},
        FailureRow{"EqualAbbeNumbers", {"1.51385", "1.51633", "1.5219", "1.51385", "1.51633", "1.5219"},
                   EZeroDivide::kMessage, "nu2", "phi1"},
        // nd = 1 makes that glass's Abbe number and power zero: P divides by it.
        FailureRow{"FirstIndexOne", {"0.99", "1", "1.01", "1.61502", "1.620041", "1.63212"},
                   EZeroDivide::kMessage, "phi2", "P1"},
        FailureRow{"SecondIndexOne", {"1.51385", "1.51633", "1.5219", "0.99", "1", "1.01"},
                   EZeroDivide::kMessage, "P1", "P2"},
        // Abbe numbers far too close for their indices: no real solution.
        FailureRow{"NegativeDiscriminant",
                   {"1.51385", "1.51633", "1.5219", "1.597231", "1.6", "1.606462"},
                   EInvalidOp::kMessage, "qc", "c2a"}),
    testing::RowName());

}  // namespace
}  // namespace optics::ostrine
