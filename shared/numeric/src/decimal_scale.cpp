#include "numeric/decimal.h"
#include "numeric/pow10_tables.h"

namespace optics {
inline namespace OPTICAL_EXTENDED_NAMESPACE {

Extended scalePow10(Extended value, int n) {
  if (n == 0) return value;
  using detail::Raw;
  Raw x = value.raw();
  const unsigned m = n < 0 ? 0u - static_cast<unsigned>(n) : static_cast<unsigned>(n);
  if (m >= 5120) {
    const bool negative = backend::IsNegative(x);
    const std::uint16_t sign = negative ? ExtendedBits::kSignMask : 0;
    if (n < 0 || backend::IsZero(x)) return Extended::FromBits(sign, 0);
    return Extended::FromBits(sign | ExtendedBits::kExponentMask, ExtendedBits::kIntegerBit);
  }
  const unsigned j = (m >> 5) & 15u;
  const unsigned k = m >> 9;
  // Bare products and quotients: an overflow to infinity or an underflow to
  // zero is the caller's to judge.
  if (n > 0) {
    x = backend::Multiply(x, pow10::kSmall[m & 31u].raw());
    if (j != 0) x = backend::Multiply(x, pow10::kMedium[j].raw());
    if (k != 0) x = backend::Multiply(x, pow10::kLarge[k].raw());
  } else {
    x = backend::Divide(x, pow10::kSmall[m & 31u].raw());
    if (j != 0) x = backend::Divide(x, pow10::kMedium[j].raw());
    if (k != 0) x = backend::Divide(x, pow10::kLarge[k].raw());
  }
  return Extended::FromRaw(x);
}

}  // inline namespace OPTICAL_EXTENDED_NAMESPACE
}  // namespace optics
