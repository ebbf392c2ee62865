// The coefficients of the quadratics are the extended values of their
// decimal figures, exactly as a long double literal of the x87 gave them.
#include <gtest/gtest.h>

#include "constant_rows.h"
#include "dispersion_constants.h"

namespace optics::vandrel {
namespace {

using testing::ConstantRow;

class DispersionConstant : public ::testing::TestWithParam<ConstantRow> {};

TEST_P(DispersionConstant, IsTheNearestExtendedValueOfItsFigure) {
  testing::ExpectNearestAndLiteral(GetParam());
}

const ConstantRow kCoefficients[] = {
    CONSTANT_ROW(kA2, 0.203995),
    CONSTANT_ROW(kA1, 0.43812111),
    CONSTANT_ROW(kA0, 1.4200468015),
    CONSTANT_ROW(kB2, 0.020895),
    CONSTANT_ROW(kB1, 0.07171799),
    CONSTANT_ROW(kB0, 0.7293063116),
};

INSTANTIATE_TEST_SUITE_P(Coefficients, DispersionConstant, ::testing::ValuesIn(kCoefficients), testing::RowName());

}  // namespace
}  // namespace optics::vandrel
