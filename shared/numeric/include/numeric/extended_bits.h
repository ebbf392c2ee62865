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
#include <limits>

namespace optics {

static_assert(std::numeric_limits<long double>::digits == 64 &&
                  std::numeric_limits<long double>::max_exponent == 16384 &&
                  std::numeric_limits<long double>::min_exponent == -16381,
              "this code needs long double to be the x87 80-bit extended format "
              "(x86 or x86-64); a software type for other processors is not written yet");

struct ExtendedBits {
  static constexpr std::uint16_t kSignMask = 0x8000;
  static constexpr std::uint16_t kExponentMask = 0x7FFF;
  static constexpr int kExponentBias = 16383;
  static constexpr std::uint64_t kIntegerBit = 0x8000000000000000ull;
  static constexpr std::uint64_t kFractionMask = 0x7FFFFFFFFFFFFFFFull;

  std::uint64_t significand = 0;  // with the explicit integer bit
  std::uint16_t sign_exponent = 0;

  static ExtendedBits Of(long double v) {
    unsigned char raw[sizeof(long double)];
    std::memcpy(raw, &v, sizeof raw);
    ExtendedBits b;
    std::memcpy(&b.significand, raw, 8);
    std::memcpy(&b.sign_exponent, raw + 8, 2);
    return b;
  }

  long double ToLongDouble() const {
    unsigned char raw[sizeof(long double)] = {};
    std::memcpy(raw, &significand, 8);
    std::memcpy(raw + 8, &sign_exponent, 2);
    long double v;
    std::memcpy(&v, raw, sizeof v);
    return v;
  }

  bool Negative() const { return (sign_exponent & kSignMask) != 0; }
  int BiasedExponent() const { return sign_exponent & kExponentMask; }
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
