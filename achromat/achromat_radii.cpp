// The calculate button of Ostrine: the four radii of a thin two-glass
// achromat of unit focal length, for both roots of the shape quadratic.
#include "numeric/decimal.h"
#include "numeric/power.h"
#include "ostrine_form.h"

namespace optics::ostrine::inline OPTICAL_EXTENDED_NAMESPACE {

void OstrineForm::Button1Click() {
  nC1 = StrToFloat(Edit1);
  nd1 = StrToFloat(Edit2);
  nF1 = StrToFloat(Edit3);
  nC2 = StrToFloat(Edit4);
  nd2 = StrToFloat(Edit5);
  nF2 = StrToFloat(Edit6);

  // Abbe numbers, and the unit power split so that C and F meet.
  nu1 = (nd1 - 1) / (nF1 - nC1);
  nu2 = (nd2 - 1) / (nF2 - nC2);
  phi1 = nu1 / (nu1 - nu2);
  phi2 = nu2 / (nu2 - nu1);

  // The terms and coefficients of the quadratic in the second lens's shape.
  P1 = ((nd1 + 2) * nd1) / phi1;
  P2 = ((nd2 + 2) * nd2) / phi2;
  Q1 = (-2 * nd1) * phi1;
  Q2 = (-2 * nd2) * (2 - phi2);
  Extended t = Square(nd1 / (nd1 - 1)) * Power(phi1, 3);  // the glass-1 term, first
  W = Square(nd2 / (nd2 - 1)) * Power(phi2, 3) + t;
  t = Square(nd1 + 1) * P2;                              // the second term, first
  qa = Square(nd2 + 1) * P1 + t;
  qb = (Square(nd1 + 1) * Q2 - ((nd1 + 1) * (nd2 + 1)) * Q1) - (2 * (nd2 + 1)) * P1;
  qc = (Square(nd1 + 1) * W + (nd1 + 1) * Q1) + P1;

  // Its two roots, the square root of D formed afresh for each.
  const auto D = [this] { return qb * qb - (4 * qa) * qc; };
  c2a = (Sqrt(D()) + (-1) * qb) / (2 * qa);
  c2b = ((-1) * qb - Sqrt(D())) / (2 * qa);
  c1a = (1 - (nd2 + 1) * c2a) / (nd1 + 1);
  c1b = (1 - (nd2 + 1) * c2b) / (nd1 + 1);

  // The radii; the added power grows along the doublet: none, phi1, phi1, 1.
  const auto radii = [this](Double c1, Double c2, Double& ra, Double& rb, Double& rc,
                            Double& rd) {
    ra = 1 / ((c1 / phi1 + phi1 / (nd1 - 1)) * (nd1 / 2));
    rb = 1 / ((c1 / phi1 - phi1 / (nd1 - 1)) * (nd1 / 2) + phi1);
    rc = 1 / ((c2 / phi2 + phi2 / (nd2 - 1)) * (nd2 / 2) + phi1);
    rd = 1 / ((c2 / phi2 - phi2 / (nd2 - 1)) * (nd2 / 2) + 1);
  };
  radii(c1a, c2a, r1, r2, r3, r4);
  radii(c1b, c2b, r1B, r2B, r3B, r4B);

  Memo1.Add("解Ａ");
  Memo1.Add("r1=" + FloatToStr(r1));
  Memo1.Add("r2=" + FloatToStr(r2));
  Memo1.Add("r3=" + FloatToStr(r3));
  Memo1.Add("r4=" + FloatToStr(r4));
  Memo1.Add("\r\n");
  Memo1.Add("解Ｂ");
  Memo1.Add("r1B=" + FloatToStr(r1B));
  Memo1.Add("r2B=" + FloatToStr(r2B));
  Memo1.Add("r3B=" + FloatToStr(r3B));
  Memo1.Add("r4B=" + FloatToStr(r4B));
  Memo1.Add("\r\n");
}

}  // namespace optics::ostrine::inline OPTICAL_EXTENDED_NAMESPACE
