#include <cmath>

#include "numeric/decimal.h"
#include "numeric/pow10_tables.h"

namespace optics {

long double scalePow10(long double x, int n) {
  if (n == 0) return x;
  const unsigned m = n < 0 ? 0u - static_cast<unsigned>(n) : static_cast<unsigned>(n);
  if (m >= 5120) {
    if (n < 0 || x == 0.0L) return std::copysign(0.0L, x);
    return std::copysign(__LDBL_MAX__ * 2.0L, x);
  }
  const unsigned j = (m >> 5) & 15u;
  const unsigned k = m >> 9;
  if (n > 0) {
    x *= pow10::kSmall[m & 31u];
    if (j != 0) x *= pow10::kMedium[j];
    if (k != 0) x *= pow10::kLarge[k];
  } else {
    x /= pow10::kSmall[m & 31u];
    if (j != 0) x /= pow10::kMedium[j];
    if (k != 0) x /= pow10::kLarge[k];
  }
  return x;
}

}  // namespace optics
