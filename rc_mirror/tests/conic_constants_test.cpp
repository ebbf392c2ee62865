// The upper button: three formula sets, their memo blocks, Edit7 and Edit8,
// and what a failure leaves behind.
#include <ostream>
#include <string>

#include "corvale_fixture.h"
#include "numeric/exceptions.h"
#include "test_support.h"

namespace optics::corvale {
namespace {

TEST_F(CorvaleTest, DefaultsGiveTheKnownConstantsBitForBit) {
  form_.Button1Click();
  EXPECT_EQ(form_.Memo1.Text(), kDefaultConics);
  EXPECT_EQ(form_.Edit7, "-0.136448");
  EXPECT_EQ(form_.Edit8, "-5.550891");
  EXPECT_EQ(form_.conicP1.value(), -0.13644801980198021);
  EXPECT_EQ(form_.conicP2.value(), -0.13644801980198021);
  EXPECT_EQ(form_.conicS1.value(), -5.5508910891089105);
  EXPECT_EQ(form_.conicS2.value(), -5.5508910891089114);
  EXPECT_EQ(form_.conicP3.value(), -0.13644817018836011);
  EXPECT_EQ(form_.conicS3.value(), -5.5508917050915239);
  EXPECT_EQ(form_.R1.value(), -1500.0);
  EXPECT_EQ(form_.u3.value(), 0.0005);
}

TEST_F(CorvaleTest, ASecondPressReplacesTheBlocks) {
  form_.Button1Click();
  form_.Button1Click();
  EXPECT_EQ(form_.Memo1.Text(), kDefaultConics);
}

TEST_F(CorvaleTest, ValuesThatTakeNoPartChangeNoResult) {
  form_.Button1Click();
  const CorvaleForm before = form_;
  form_.Edit5 = "1";   // BFL
  form_.Edit10 = "7";  // h2
  form_.Edit12 = "-3"; // u2
  form_.Edit13 = "1e300";
  form_.Button1Click();
  EXPECT_EQ(form_.Memo1.Text(), before.Memo1.Text());
  EXPECT_EQ(form_.conicS3.value(), before.conicS3.value());
  EXPECT_EQ(form_.u3.value(), 1e300);
}

// A failure stops the handler at its step; what came before stays.
struct FailureRow {
  const char* name;
  const char* edit;      // the edit to change
  const char* text;      // its new text
  const char* message;   // the failure's message
  int memo_lines;        // the lines Memo1 then shows: -1 untouched, else the count
};

// A failing row prints as its name.
void PrintTo(const FailureRow& row, std::ostream* os) { *os << row.name; }

class UpperButtonFailure : public CorvaleTest,
                           public ::testing::WithParamInterface<FailureRow> {};

std::string* EditByName(CorvaleForm& form, const std::string& name) {
  for (auto& [n, text] : form.Bind().edits) {
    if (n == name) return text;
  }
  return nullptr;
}

TEST_P(UpperButtonFailure, LeavesEverythingBeforeItsStep) {
  const FailureRow& row = GetParam();
  form_.Memo1 = MemoText("earlier\r\n");
  *EditByName(form_, row.edit) = row.text;
  try {
    form_.Button1Click();
    FAIL() << "no failure";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), row.message);
  }
  if (row.memo_lines < 0) {
    EXPECT_EQ(form_.Memo1.Text(), "earlier\r\n");
  } else {
    EXPECT_EQ(form_.Memo1.LineCount(), row.memo_lines);
    EXPECT_TRUE(form_.Memo1.Text().starts_with("Vostralの式\r\n")) << form_.Memo1.Text();
  }
  EXPECT_EQ(form_.Edit7, "-0.13644") << "Edit7 changes only after all three sets";
  EXPECT_EQ(form_.Edit8, "-0.55089");
}

INSTANTIATE_TEST_SUITE_P(
    Failures, UpperButtonFailure,
    ::testing::Values(
        FailureRow{"FirstTextBad", "Edit1", "-1500x", "'-1500x' は浮動小数点数ではありません", -1},
        // A text that takes no part still stops everything.
        FailureRow{"UnusedTextBad", "Edit13", "", "'' は浮動小数点数ではありません", -1},
        FailureRow{"PrimaryRadiusZero", "Edit1", "0", EZeroDivide::kMessage, -1},
        FailureRow{"SeparationZero", "Edit3", "0", EZeroDivide::kMessage, -1},
        FailureRow{"FocalLengthZero", "Edit4", "0", EZeroDivide::kMessage, -1},
        // s = 0: d = R1 / 2.
        FailureRow{"SIsZero", "Edit3", "-750", EZeroDivide::kMessage, -1},
        // m = 1: f = -R1 / 2; set 1 is listed.
        FailureRow{"MIsOne", "Edit4", "750", EZeroDivide::kMessage, 3},
        // h1 = 0: sets 1 and 2 are listed, without the empty line after them.
        FailureRow{"FirstHeightZero", "Edit9", "0", EZeroDivide::kMessage, 7},
        FailureRow{"EqualHeights", "Edit11", "1", EZeroDivide::kMessage, 7}),
    testing::RowName());

TEST_F(CorvaleTest, ZeroOverZeroInTheFirstSetIsAnInvalidOperation) {
  // R1 = 0 and f = 0: the cube over the zero product is 0/0, found before s
  // divides by R1.
  form_.Edit1 = "0";
  form_.Edit4 = "0";
  EXPECT_THROW(form_.Button1Click(), EInvalidOp);
  form_.Edit9 = "0";
  form_.Edit11 = "0";
  form_.Edit1 = "-1500";
  form_.Edit4 = "2000.0";
  EXPECT_THROW(form_.Button1Click(), EInvalidOp) << "h1 = h3 = 0 in set 3";
  EXPECT_EQ(form_.Memo1.Text(), std::string(kDefaultConics).substr(0, form_.Memo1.Text().size()))
      << "sets 1 and 2 as a full run shows them";
  EXPECT_EQ(form_.Memo1.LineCount(), 7);
}

TEST_F(CorvaleTest, FieldsReadBeforeAFailureKeepTheirNewValues) {
  form_.Edit2 = "-700";
  form_.Edit9 = "0";
  EXPECT_THROW(form_.Button1Click(), EZeroDivide);
  EXPECT_EQ(form_.R2.value(), -700.0);
  EXPECT_EQ(form_.h1.value(), 0.0);
  EXPECT_NE(form_.conicP2.value(), 0.0) << "set 2 completed";
  EXPECT_EQ(form_.conicP3.value(), 0.0) << "set 3 never stored";
}

}  // namespace
}  // namespace optics::corvale
