// The dispersion estimate from its two texts to its result text and fields.
#include <ostream>
#include <gtest/gtest.h>

#include "numeric/decimal.h"
#include "test_support.h"
#include "vandrel_form.h"

namespace optics::vandrel {
namespace {

// Vandrel's estimator: a form with its fields, the button run on two texts.
struct DispersionFields : VandrelForm {
  // Runs the button with the Abbe number in Edit2 and the index in Edit1 and
  // returns Memo1's text.
  std::string EstimateDispersion(const char* abbe_text, const char* index_text) {
    Edit2 = abbe_text;
    Edit1 = index_text;
    Button1Click();
    return Memo1.Text();
  }
};

TEST(EstimateDispersion, DefaultGlassGivesTheKnownDigitsAndFields) {
  DispersionFields f;
  EXPECT_EQ(f.EstimateDispersion("64.15", "1.51633"),
            "nC = 1.51385015094625\r\nnF = 1.52189894284025\r\nng = 1.52617319431426\r\n");
  EXPECT_EQ(f.nC.value(), 1.5138501509462527);
  EXPECT_EQ(f.nF.value(), 1.5218989428402512);
  EXPECT_EQ(f.ng.value(), 1.5261731943142638);
  EXPECT_EQ(f.x.value(), 0.64150000000000007);
  EXPECT_EQ(f.delta_n.value(), 0.0080487918939984391);
  EXPECT_EQ(f.A.value(), 1.2229405908237501);
  EXPECT_EQ(f.B.value(), 0.69189797842875);
  EXPECT_EQ(f.nd.value(), 1.51633);
  EXPECT_EQ(f.Vd.value(), 64.15);
  EXPECT_EQ(f.x2.value(), 0.64150000000000007 * 0.64150000000000007);
}

TEST(EstimateDispersion, IndexOneGivesExactlyOne) {
  DispersionFields f;
  EXPECT_EQ(f.EstimateDispersion("64.15", "1"), "nC = 1\r\nnF = 1\r\nng = 1\r\n");
  EXPECT_EQ(f.delta_n.value(), 0.0);
}

TEST(EstimateDispersion, NegativeAbbeNumberIsComputedLikeAnyOther) {
  DispersionFields f;
  EXPECT_NO_THROW(f.EstimateDispersion("-30", "1.6"));
  EXPECT_LT(f.delta_n.value(), 0.0);
}

// After a failure the fields assigned before the failing step hold their new
// values; the rest keep the values of the previous run.
struct FailureCase {
  const char* name;
  const char* abbe;
  const char* index;
  const char* message;  // empty: an arithmetic failure checked by class below
  double vd_after;      // Vd after the failure
  double nd_after;      // nd after the failure
};

// A failing row prints as its name.
void PrintTo(const FailureCase& row, std::ostream* os) { *os << row.name; }

class FailsAtItsStep : public ::testing::TestWithParam<FailureCase> {};

TEST_P(FailsAtItsStep, KeepingWhatCameBefore) {
  const FailureCase& c = GetParam();
  DispersionFields f;
  f.EstimateDispersion("64.15", "1.51633");
  const DispersionFields before = f;
  try {
    f.EstimateDispersion(c.abbe, c.index);
    FAIL() << "no failure";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), c.message);
  }
  EXPECT_EQ(f.Vd.value(), c.vd_after);
  EXPECT_EQ(f.nd.value(), c.nd_after);
  EXPECT_EQ(f.nC.value(), before.nC.value()) << "the results are never touched";
  EXPECT_EQ(f.ng.value(), before.ng.value());
}

INSTANTIATE_TEST_SUITE_P(
    Failures, FailsAtItsStep,
    ::testing::Values(
        // The Abbe number is read first, so it is the one named.
        FailureCase{"BothTextsBad", "abc", "xyz", "'abc' は浮動小数点数ではありません", 64.15,
                    1.51633},
        FailureCase{"IndexBad", "50", " 1,5", "' 1,5' は浮動小数点数ではありません", 50.0,
                    1.51633},
        FailureCase{"EmptyAbbe", "", "1.6", "'' は浮動小数点数ではありません", 64.15, 1.51633},
        FailureCase{"AbbeZero", "0", "1.6", EZeroDivide::kMessage, 0.0, 1.6},
        FailureCase{"AbbeZeroIndexOne", "0", "1", EInvalidOp::kMessage, 0.0, 1.0},
        // x = 1e198 stores; its square does not fit a double.
        FailureCase{"SquareOverflows", "1e200", "1.5", EOverflow::kMessage, 1e200, 1.5},
        FailureCase{"AbbeBeyondDoubles", "1e400", "1.5", EOverflow::kMessage, 64.15, 1.51633}),
    testing::RowName());

TEST(EstimateDispersion, OverflowAtTheSquareStoresTheStepsBeforeIt) {
  DispersionFields f;
  EXPECT_THROW(f.EstimateDispersion("1e200", "1.5"), EOverflow);
  EXPECT_EQ(f.x.value(), 1e198);
  EXPECT_EQ(f.x2.value(), 0.0);
}

}  // namespace
}  // namespace optics::vandrel
