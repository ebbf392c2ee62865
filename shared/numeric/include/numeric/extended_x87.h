// The x87 back end of Extended: the processor's long double, whose every
// operation the x87 unit rounds to the 64-bit significand (in the
// environment of fpu_environment.h). Each function is the bare operation,
// unchecked; extended.h builds the checks on top.
//   Add(1, 2) -> 3    IsNaN(0 / 0) -> true    FromBits(0x3FFF, C000000000000000) -> 1.5
#pragma once

#include <cmath>
#include <cstdint>

#include "numeric/extended_bits.h"

#if !OPTICAL_HOST_X87
#error "the x87 back end needs long double in the x87 80-bit format (x86 or x86-64)"
#endif

namespace optics::x87_backend {

using Raw = host_x87::Type;

constexpr Raw FromBits(std::uint16_t sign_exponent, std::uint64_t significand) {
  return host_x87::Bridge<Raw>::FromBits(ExtendedBits{significand, sign_exponent});
}
constexpr ExtendedBits BitsOf(Raw v) { return host_x87::Bridge<Raw>::Bits(v); }

inline Raw FromDouble(double v) { return v; }
inline Raw FromInt64(std::int64_t v) { return static_cast<Raw>(v); }
inline Raw FromUint64(std::uint64_t v) { return static_cast<Raw>(v); }
inline double ToDouble(Raw v) { return static_cast<double>(v); }
// v integral with |v| < 2^63.
inline std::int64_t IntegralToInt64(Raw v) { return static_cast<std::int64_t>(v); }
// v integral with 0 <= v < 2^64.
inline std::uint64_t IntegralToUint64(Raw v) { return static_cast<std::uint64_t>(v); }

inline Raw Add(Raw a, Raw b) { return a + b; }
inline Raw Subtract(Raw a, Raw b) { return a - b; }
inline Raw Multiply(Raw a, Raw b) { return a * b; }
inline Raw Divide(Raw a, Raw b) { return a / b; }
inline Raw SquareRoot(Raw a) { return __builtin_sqrtl(a); }
inline Raw Negate(Raw a) { return -a; }
inline Raw Abs(Raw a) { return __builtin_fabsl(a); }
inline Raw RoundToIntegral(Raw a) { return std::rint(a); }
inline Raw ScaleByPowerOfTwo(Raw a, int n) { return std::ldexp(a, n); }
// The library's logarithm and power of two (FYL2X, F2XM1 and FSCALE in glibc).
inline Raw Log2(Raw a) { return std::log2(a); }
inline Raw Exp2(Raw a) { return std::exp2(a); }

// NaNs and the encodings the x87 refuses: exactly the values with v != v.
inline bool IsNaN(Raw v) { return v != v; }
inline bool IsFinite(Raw v) { return __builtin_fabsl(v) <= __LDBL_MAX__; }
inline bool IsZero(Raw v) { return v == 0; }
inline bool IsNegative(Raw v) { return (BitsOf(v).sign_exponent & ExtendedBits::kSignMask) != 0; }
// Ordered comparisons: false when either side is unordered.
inline bool Less(Raw a, Raw b) { return a < b; }
inline bool LessEqual(Raw a, Raw b) { return a <= b; }
inline bool Equal(Raw a, Raw b) { return a == b; }

}  // namespace optics::x87_backend
