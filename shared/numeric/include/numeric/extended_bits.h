// Bit-level view of the x87 80-bit extended format.
//
//   79   78........64  63  62.....................................0
//   sign  exponent(15)  J   fraction(63)
//
// J is the explicit integer bit of the 64-bit significand. A normal number
// has 0 < exponent < 0x7FFF and J = 1; exponent 0 holds zero and the
// denormals; exponent 0x7FFF with J = 1 holds infinity (fraction 0) and the
// NaNs. Every other pattern (an unnormal, a pseudo-infinity, a pseudo-NaN) is
// an encoding the x87 refuses as an operand.
#pragma once

#include <cstdint>
#include <cstring>

namespace optics {

namespace host_x87 {
// The bridge to the processor's own x87 type (extended_host.h), defined only
// where long double is that format.
template <class T>
struct Bridge;
}  // namespace host_x87

struct ExtendedBits {
  static constexpr std::uint16_t kSignMask = 0x8000;
  static constexpr std::uint16_t kExponentMask = 0x7FFF;
  static constexpr int kExponentBias = 16383;
  static constexpr std::uint64_t kIntegerBit = 0x8000000000000000ull;
  static constexpr std::uint64_t kFractionMask = 0x7FFFFFFFFFFFFFFFull;

  std::uint64_t significand = 0;  // with the explicit integer bit
  std::uint16_t sign_exponent = 0;

  constexpr bool Negative() const { return (sign_exponent & kSignMask) != 0; }
  constexpr int BiasedExponent() const { return sign_exponent & kExponentMask; }

  // The value's bits as the processor's own extended type holds them, where
  // that type is the x87 format (extended_host.h); for the tests and tools
  // on the x87 side.
  template <class H>
  static constexpr ExtendedBits Of(H v) {
    return host_x87::Bridge<H>::Bits(v);
  }
  template <class H = void>
  constexpr auto ToLongDouble() const {
    return host_x87::Bridge<H>::FromBits(*this);
  }
};

// The 64 bits of a double, with the masks of its three fields.
struct DoubleBits {
  static constexpr std::uint64_t kSignMask = 0x8000000000000000ull;
  static constexpr std::uint64_t kExponentMask = 0x7FF0000000000000ull;
  static constexpr std::uint64_t kFractionMask = 0x000FFFFFFFFFFFFFull;

  static std::uint64_t Of(double v) {
    std::uint64_t u;
    std::memcpy(&u, &v, sizeof u);
    return u;
  }
  static double ToDouble(std::uint64_t u) {
    double v;
    std::memcpy(&v, &u, sizeof v);
    return v;
  }
};

}  // namespace optics

#include "numeric/extended_host.h"
