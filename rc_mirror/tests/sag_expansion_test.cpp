// The lower button's coefficients against the mirror's real shape: the
// polynomial a1 r^2 + a2 r^4 + a3 r^6 + a4 r^8 must follow the conic's sag
//   z(r) = c r^2 / (1 + sqrt(1 - K c^2 r^2))
// to within the terms it leaves out, computed exactly with MPFR.
#include <mpfr.h>

#include <cmath>
#include <ostream>

#include <gtest/gtest.h>

#include "corvale_fixture.h"
#include "test_support.h"

namespace optics::corvale {
namespace {

// A real number of 256 bits, enough that its own rounding never shows here.
class Real {
 public:
  explicit Real(double v) {
    mpfr_init2(x_, 256);
    mpfr_set_d(x_, v, MPFR_RNDN);
  }
  Real(const Real& o) : Real(0.0) { mpfr_set(x_, o.x_, MPFR_RNDN); }
  Real& operator=(const Real&) = delete;
  ~Real() { mpfr_clear(x_); }

  friend Real operator+(const Real& a, const Real& b) { return Apply(mpfr_add, a, b); }
  friend Real operator-(const Real& a, const Real& b) { return Apply(mpfr_sub, a, b); }
  friend Real operator*(const Real& a, const Real& b) { return Apply(mpfr_mul, a, b); }
  friend Real operator/(const Real& a, const Real& b) { return Apply(mpfr_div, a, b); }
  friend Real Sqrt(const Real& a) {
    Real r(0.0);
    mpfr_sqrt(r.x_, a.x_, MPFR_RNDN);
    return r;
  }
  double ToDouble() const { return mpfr_get_d(x_, MPFR_RNDN); }

 private:
  template <class Op>
  static Real Apply(Op op, const Real& a, const Real& b) {
    Real r(0.0);
    op(r.x_, a.x_, b.x_, MPFR_RNDN);
    return r;
  }
  mpfr_t x_;
};

struct SagCase {
  const char* name;
  double R;          // the mirror's radius, as the upper button stores it
  const char* K;     // the conic constant's 7-digit text
  double r;          // the height on the mirror
};

// A failing row prints as its name.
void PrintTo(const SagCase& row, std::ostream* os) { *os << row.name; }

class SagExpansion : public CorvaleTest, public ::testing::WithParamInterface<SagCase> {};

TEST_P(SagExpansion, FollowsTheConicToWithinTheOmittedTerms) {
  const SagCase& row = GetParam();
  form_.R1 = Double(row.R);
  form_.R2 = Double(row.R);
  form_.Edit7 = row.K;
  form_.Edit8 = row.K;
  form_.Button2Click();

  const Real one(1.0), r(row.r), r2 = r * r;
  const Real c = one / Real(row.R);
  const Real K(testing::Stored(StrToFloat(row.K)));
  const Real exact = c * r2 / (one + Sqrt(one - K * c * c * r2));

  // The four terms, a4 with the factor under test.
  const auto polynomial = [&](double a4) {
    const Real a1(form_.coefP1.value()), a2(form_.coefP2.value()), a3(form_.coefP3.value());
    return ((((Real(a4) * r2 + a3) * r2) + a2) * r2 + a1) * r2;
  };
  // The first omitted term, c^9 (7 K^4 / 256) r^10, grown by the geometric
  // tail of the rest (each further term is at most |K c^2 r^2| times the one
  // before), and the rounding of the coefficients to doubles.
  const double x = std::fabs((K * c * c * r2).ToDouble());
  const double c9 = std::pow((c).ToDouble(), 9);
  const double K4 = std::pow((K).ToDouble(), 4);
  const double omitted = std::fabs(c9 * 7.0 * K4 / 256.0 * std::pow(row.r, 10)) / (1.0 - x);
  const double bound = omitted + 1e-15 * std::fabs(exact.ToDouble());

  EXPECT_EQ(form_.coefS4.value(), form_.coefP4.value());
  EXPECT_LE(std::fabs((polynomial(form_.coefP4.value()) - exact).ToDouble()), bound);
  // The factor 1/32 in place of 5/128 leaves the conic by far more.
  const double a4_with_one_32nd = form_.coefP4.value() * (1.0 / 32.0) / (5.0 / 128.0);
  EXPECT_GT(std::fabs((polynomial(a4_with_one_32nd) - exact).ToDouble()), bound);
}

INSTANTIATE_TEST_SUITE_P(
    Mirrors, SagExpansion,
    ::testing::Values(
        // The default telescope's primary and secondary, at two heights each.
        SagCase{"PrimaryAtHeight100", -1500.0, "-0.136448", 100.0},
        SagCase{"PrimaryAtHeight300", -1500.0, "-0.136448", 300.0},
        SagCase{"SecondaryAtHeight50", -784.0, "-5.550891", 50.0},
        SagCase{"SecondaryAtHeight100", -784.0, "-5.550891", 100.0},
        // A convex mirror with a positive constant: every term of one sign.
        SagCase{"ConvexWithPositiveConstant", 500.0, "2.5", 60.0}),
    testing::RowName());

}  // namespace
}  // namespace optics::corvale
