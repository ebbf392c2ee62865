// The lower button of Corvale: the first four coefficients of each mirror's
// sag z(r) = a1 r^2 + a2 r^4 + a3 r^6 + a4 r^8 from its radius and conic
// constant.
#include "corvale_form.h"
#include "numeric/decimal.h"
#include "numeric/power.h"
#include "polynomial_constants.h"

namespace optics::corvale::inline OPTICAL_EXTENDED_NAMESPACE {
namespace {

// The curvature c = 1 / R, then the first four coefficients of the conic's
// sag expansion (K = 0 a paraboloid):
//   z = c r^2 / (1 + sqrt(1 - K c^2 r^2))
//     = c/2 r^2 + c^3 (K/8) r^4 + c^5 (K^2/16) r^6 + c^7 (5 K^3/128) r^8 + ...
// 5/128 = 0.0390625 is exact in binary. Each K power and its factor is
// formed first and held.
void Convert(Double R, Double K, Double& c, Double& a1, Double& a2, Double& a3, Double& a4) {
  c = 1 / R;
  a1 = c / 2;
  a2 = Power(c, 3) * (kOneEighth * K);
  Extended t = Power(K, 2) * kOneSixteenth;
  a3 = Power(c, 5) * t;
  t = Power(K, 3) * kFiveOver128;
  a4 = Power(c, 7) * t;
}

}  // namespace

void CorvaleForm::Button2Click() {
  Double KP, KS, c;
  KP = StrToFloat(Edit7);
  KS = StrToFloat(Edit8);

  Convert(R1, KP, c, coefP1, coefP2, coefP3, coefP4);
  Memo2.Clear();
  Memo2.Add("多項式の係数");
  Memo2.Add("主鏡係数1 = " + F7(coefP1));
  Memo2.Add("主鏡係数2 = " + F7(coefP2));
  Memo2.Add("主鏡係数3 = " + F7(coefP3));
  Memo2.Add("主鏡係数4 = " + F7(coefP4));
  Memo2.Add("");

  Convert(R2, KS, c, coefS1, coefS2, coefS3, coefS4);
  Memo2.Add("副鏡係数1 = " + F7(coefS1));
  Memo2.Add("副鏡係数2 = " + F7(coefS2));
  Memo2.Add("副鏡係数3 = " + F7(coefS3));
  Memo2.Add("副鏡係数4 = " + F7(coefS4));
  Memo2.Add("");
}

}  // namespace optics::corvale::inline OPTICAL_EXTENDED_NAMESPACE
