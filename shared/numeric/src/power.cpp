#include "numeric/power.h"

namespace optics {
inline namespace OPTICAL_EXTENDED_NAMESPACE {

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

using detail::Raw;

// ln 2 and log2 e, each the nearest extended value.
constexpr Raw kLn2 = backend::FromBits(0x3FFE, 0xB17217F7D1CF79ACull);
constexpr Raw kLog2E = backend::FromBits(0x3FFF, 0xB8AA3B295C17F0BCull);
constexpr Raw kInfinity = backend::FromBits(0x7FFF, 0x8000000000000000ull);

Raw Int(std::int64_t v) { return backend::FromInt64(v); }

// exp(exponent * ln base) for base > 0 and a non-integral or huge exponent,
// in bare extended steps: the products and the logarithm round, none fails.
Extended PowerByLogarithm(Raw base, Raw exponent) {
  const Raw ln_base = backend::Multiply(kLn2, backend::Log2(base));
  const Raw t = backend::Multiply(backend::Multiply(exponent, ln_base), kLog2E);
  if (backend::IsNaN(t)) ThrowInvalidOp();
  if (backend::Less(Int(16385), t)) {
    if (detail::IsFinite(base) && detail::IsFinite(exponent)) ThrowOverflow();
    return Extended::FromRaw(kInfinity);  // an infinite argument: infinite result
  }
  if (backend::Less(t, Int(-16500))) return 0;
  const Raw n = backend::RoundToIntegral(t);
  const Raw rem = backend::Subtract(t, n);  // |rem| <= 1/2
  const Raw result = backend::ScaleByPowerOfTwo(
      backend::Exp2(rem), static_cast<int>(backend::IntegralToInt64(n)));
  if (!detail::IsFinite(result)) ThrowOverflow();
  return Extended::FromRaw(result);
}

}  // namespace

Extended Power(Extended base, Extended exponent) {
  const Raw b = base.raw();
  const Raw e = exponent.raw();
  if (detail::IsNaN(b) || detail::IsNaN(e)) ThrowInvalidOp();
  if (backend::IsZero(e)) return 1;
  if (backend::IsZero(b) && backend::Less(Int(0), e)) return 0;
  if (backend::Equal(backend::RoundToIntegral(e), e) &&
      backend::LessEqual(backend::Abs(e), Int(2147483647))) {
    return IntPower(base, static_cast<std::int32_t>(backend::IntegralToInt64(e)));
  }
  if (backend::Less(b, Int(0))) ThrowInvalidOp();
  if (backend::IsZero(b)) ThrowZeroDivide();
  return PowerByLogarithm(b, e);
}

}  // inline namespace OPTICAL_EXTENDED_NAMESPACE
}  // namespace optics
