#include "dispersion.h"

#include "numeric/decimal.h"

namespace optics::vandrel {

std::string DispersionFields::EstimateDispersion(std::string_view abbe_text,
                                                 std::string_view index_text) {
  Vd = StrToFloat(abbe_text);
  nd = StrToFloat(index_text);
  x = Vd / 100;
  x2 = x * x;
  delta_n = (nd - 1) / Vd;
  A = (0.203995L * x2 - 0.43812111L * x) + 1.4200468015L;
  B = (0.020895L * x2 - 0.07171799L * x) + 0.7293063116L;
  ng = A * delta_n + nd;
  nF = B * delta_n + nd;
  nC = nF - delta_n;

  return "nC = " + FloatToStr(nC) + "\r\n" +
         "nF = " + FloatToStr(nF) + "\r\n" +
         "ng = " + FloatToStr(ng) + "\r\n";
}

}  // namespace optics::vandrel
