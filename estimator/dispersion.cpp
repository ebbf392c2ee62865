// The button of Vandrel: the C-, F- and g-line indices of a glass from its
// d-line index nd and Abbe number Vd.
#include "dispersion_constants.h"
#include "numeric/decimal.h"
#include "vandrel_form.h"

namespace optics::vandrel::inline OPTICAL_EXTENDED_NAMESPACE {

void VandrelForm::Button1Click() {
  Vd = StrToFloat(Edit2);
  nd = StrToFloat(Edit1);
  x = Vd / 100;
  x2 = x * x;
  delta_n = (nd - 1) / Vd;
  A = (kA2 * x2 - kA1 * x) + kA0;
  B = (kB2 * x2 - kB1 * x) + kB0;
  ng = A * delta_n + nd;
  nF = B * delta_n + nd;
  nC = nF - delta_n;

  Memo1.Replace("nC = " + FloatToStr(nC) + "\r\n" +
                "nF = " + FloatToStr(nF) + "\r\n" +
                "ng = " + FloatToStr(ng) + "\r\n");
}

}  // namespace optics::vandrel::inline OPTICAL_EXTENDED_NAMESPACE
