#include "numeric/power.h"

#include <cmath>

namespace optics {

Extended IntPower(Extended base, std::int32_t exponent) {
  Extended r = 1;
  if (exponent == 0) return r;
  Extended x = base;
  std::uint32_t m = exponent < 0 ? 0u - static_cast<std::uint32_t>(exponent)
                                 : static_cast<std::uint32_t>(exponent);
  for (;;) {
    const bool bit = (m & 1u) != 0;
    m >>= 1;
    if (bit) {
      r = r * x;
      if (m == 0) break;
    }
    x = x * x;
  }
  if (exponent < 0) r = Extended(1) / r;
  return r;
}

namespace {

// exp(exponent * ln base) for base > 0 and a non-integral or huge exponent.
Extended PowerByLogarithm(long double base, long double exponent) {
  constexpr long double kLn2 = 0.693147180559945309417232121458176568L;
  constexpr long double kLog2E = 1.44269504088896340735992468100189214L;
  const long double ln_base = kLn2 * std::log2(base);
  const long double t = (exponent * ln_base) * kLog2E;
  if (t != t) ThrowInvalidOp();
  if (t > 16385.0L) {
    if (detail::IsFinite(base) && detail::IsFinite(exponent)) ThrowOverflow();
    return __LDBL_MAX__ * 2.0L;  // an infinite argument: infinite result
  }
  if (t < -16500.0L) return 0.0L;
  const long double n = std::rint(t);
  const long double rem = t - n;  // |rem| <= 1/2
  const long double result = std::ldexp(std::exp2(rem), static_cast<int>(n));
  if (!detail::IsFinite(result)) ThrowOverflow();
  return result;
}

}  // namespace

Extended Power(Extended base, Extended exponent) {
  const long double b = base.value();
  const long double e = exponent.value();
  if (detail::IsNaN(b) || detail::IsNaN(e)) ThrowInvalidOp();
  if (e == 0.0L) return 1;
  if (b == 0.0L && e > 0.0L) return 0;
  if (std::rint(e) == e && __builtin_fabsl(e) <= 2147483647.0L) {
    return IntPower(base, static_cast<std::int32_t>(e));
  }
  if (b < 0.0L) ThrowInvalidOp();
  if (b == 0.0L) ThrowZeroDivide();
  return PowerByLogarithm(b, e);
}

}  // namespace optics
