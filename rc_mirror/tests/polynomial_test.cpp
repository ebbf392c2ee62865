// The lower button: the polynomial coefficients from Edit7 and Edit8 and the
// radii of the last upper run.
#include "corvale_fixture.h"
#include "numeric/decimal.h"
#include "numeric/exceptions.h"
#include "test_support.h"

namespace optics::corvale {
namespace {

TEST_F(CorvaleTest, AfterTheUpperButtonTheCoefficientsComeFromTheSevenDigitTexts) {
  form_.Button1Click();
  form_.Button2Click();
  EXPECT_EQ(form_.Memo2.Text(), kDefaultCoefficients);
  // The unrounded constant would give another a2.
  CorvaleForm exact = form_;
  exact.Edit7 = "-0.13644801980198021";
  exact.Button2Click();
  EXPECT_NE(exact.coefP2.value(), form_.coefP2.value());
}

// a4 = c^7 (K^3 5/128): both powers in the multiplication order of IntPower
// (B^3 = B (B B), B^7 = B^3 (B^2 B^2)), K^3 times the factor held in
// extended, one store into the double.
double FourthCoefficient(double R, double K) {
  const double c = Double::Store(Extended(1) / R);
  const Extended c2 = Extended(c) * c, K2 = Extended(K) * K;
  const Extended c7 = (c * c2) * (c2 * c2);
  const Extended t = (K * K2) * 0.0390625;
  return Double::Store(c7 * t);
}

TEST_F(CorvaleTest, FourthCoefficientsAreTheExpansionsFactorOnTheHeldPowers) {
  form_.Button1Click();
  form_.Button2Click();
  const double KP = testing::Stored(StrToFloat(form_.Edit7));
  const double KS = testing::Stored(StrToFloat(form_.Edit8));
  EXPECT_EQ(testing::Hex(form_.coefP4.value()), testing::Hex(FourthCoefficient(form_.R1.value(), KP)));
  EXPECT_EQ(testing::Hex(form_.coefS4.value()), testing::Hex(FourthCoefficient(form_.R2.value(), KS)));
}

TEST_F(CorvaleTest, InitialConstantsWithStoredRadii) {
  // An upper run that stopped in set 3 stored the radii but left Edit7/Edit8.
  form_.Edit9 = "0";
  EXPECT_THROW(form_.Button1Click(), EZeroDivide);
  form_.Button2Click();
  EXPECT_EQ(form_.Memo2.Text(),
            "多項式の係数\r\n"
            "主鏡係数1 = -0.0003333333\r\n主鏡係数2 = 5.053333E-12\r\n"
            "主鏡係数3 = -1.532171E-19\r\n主鏡係数4 = 5.806927E-27\r\n"
            "\r\n"
            "副鏡係数1 = -0.0006377551\r\n副鏡係数2 = 1.428982E-10\r\n"
            "副鏡係数3 = -6.403678E-17\r\n副鏡係数4 = 3.58709E-23\r\n"
            "\r\n");
}

TEST_F(CorvaleTest, LowerButtonFirstDividesByZeroAndLeavesMemo2) {
  EXPECT_THROW(form_.Button2Click(), EZeroDivide);
  EXPECT_EQ(form_.Memo2.Text(), "多項式の係数\r\n");
}

TEST_F(CorvaleTest, UsesTheRadiiOfTheLastUpperRunNotTheEditTexts) {
  form_.Button1Click();
  form_.Edit1 = "-3000";
  form_.Button2Click();
  EXPECT_EQ(form_.Memo2.Text(), kDefaultCoefficients);
}

TEST_F(CorvaleTest, ZeroConstantLeavesOnlyTheFirstCoefficient) {
  form_.Button1Click();
  form_.Edit7 = "0";
  form_.Button2Click();
  EXPECT_EQ(form_.Memo2.Text().substr(0, 100),
            std::string("多項式の係数\r\n主鏡係数1 = -0.0003333333\r\n主鏡係数2 = 0\r\n"
                        "主鏡係数3 = 0\r\n主鏡係数4 = 0\r\n")
                .substr(0, 100));
}

TEST_F(CorvaleTest, SecondaryRadiusZeroFailsAfterThePrimaryBlock) {
  form_.Edit2 = "0";
  form_.Button1Click();  // set 1's primary constant does not depend on R2
  ASSERT_EQ(form_.Edit7, "-0.136448");
  EXPECT_THROW(form_.Button2Click(), EZeroDivide);
  EXPECT_EQ(form_.Memo2.Text(), std::string(kDefaultCoefficients).substr(0, form_.Memo2.Text().size()));
  EXPECT_EQ(form_.Memo2.LineCount(), 6) << "the title, four primary lines and the empty line";
}

TEST_F(CorvaleTest, ConstantTextIsReadPrimaryFirst) {
  form_.Button1Click();
  form_.Edit7 = "a";
  form_.Edit8 = "b";
  try {
    form_.Button2Click();
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'a' は浮動小数点数ではありません");
  }
  EXPECT_EQ(form_.Memo2.Text(), "多項式の係数\r\n");
}

TEST_F(CorvaleTest, TinyRadiusOverflowsAtTheCoefficientThatLeavesTheRange) {
  form_.Edit1 = "1e-60";
  form_.Edit3 = "-1e-60";
  EXPECT_NO_THROW(form_.Button1Click());
  form_.Edit7 = "1";
  EXPECT_THROW(form_.Button2Click(), EOverflow);  // c^7 (5/128) is about 4e418
  EXPECT_NE(form_.coefP3.value(), 0.0);
  EXPECT_EQ(form_.coefP4.value(), 0.0);
}

}  // namespace
}  // namespace optics::corvale
