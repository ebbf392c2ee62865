// The dispersion estimate of Vandrel: the C-, F- and g-line indices of a
// glass from its d-line index nd and Abbe number Vd, by an empirical
// quadratic in x = Vd / 100.
#pragma once

#include <string>
#include <string_view>

#include "numeric/extended.h"

namespace optics::vandrel {

// The ten double fields of the estimator window, zero at creation. They keep
// the values of the last calculation, also of one that stopped halfway.
struct DispersionFields {
  Double nd, nC, nF, ng, Vd, x, x2, delta_n, A, B;

  // Reads the Abbe number first, then the d-line index, computes the three
  // indices storing every step in its field, and returns
  //   "nC = <nC>\r\nnF = <nF>\r\nng = <ng>\r\n"
  // with FloatToStr digits. A failure (EConvertError, EZeroDivide, EInvalidOp,
  // EOverflow) leaves the fields assigned before it and returns nothing.
  //   ("64.15", "1.51633") -> "nC = 1.51385015094625\r\nnF = 1.52189894284025\r\n"
  //                           "ng = 1.52617319431426\r\n"
  std::string EstimateDispersion(std::string_view abbe_text, std::string_view index_text);
};

}  // namespace optics::vandrel
