// The factors of the sag coefficients are exactly 1/8, 1/16 and 5/128.
#include <gtest/gtest.h>

#include "constant_rows.h"
#include "polynomial_constants.h"

namespace optics::corvale {
namespace {

using testing::ConstantRow;

class PolynomialConstant : public ::testing::TestWithParam<ConstantRow> {};

TEST_P(PolynomialConstant, IsTheNearestExtendedValueOfItsFigure) {
  testing::ExpectNearestAndLiteral(GetParam());
}

const ConstantRow kFactors[] = {
    CONSTANT_ROW(kOneEighth, 0.125),
    CONSTANT_ROW(kOneSixteenth, 0.0625),
    CONSTANT_ROW(kFiveOver128, 0.0390625),
};

INSTANTIATE_TEST_SUITE_P(Factors, PolynomialConstant, ::testing::ValuesIn(kFactors), testing::RowName());

}  // namespace
}  // namespace optics::corvale
