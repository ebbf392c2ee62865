// The processor's own extended type, where there is one: long double is the
// x87 80-bit format with GCC and Clang on x86 and x86-64 (unless built with
// -mlong-double-64). OPTICAL_HOST_X87 is 1 there and 0 everywhere else;
// host_x87::Type names the type, and ExtendedBits::Of / ToLongDouble move a
// value between it and its bit pattern:
//   ExtendedBits::Of(1.5L)  -> {significand C000000000000000, sign_exponent 3FFF}
//   ExtendedBits{0x8000000000000000, 0x4000}.ToLongDouble() -> 2.0L
// Code that uses the type exists only on the x87 side: the x87 back end, and
// the tests and tools that hold the software arithmetic against the x87 unit.
#pragma once

#include <bit>
#include <cstdint>

#include "numeric/extended_bits.h"

#if (defined(__x86_64__) || defined(__i386__)) && defined(__LDBL_MANT_DIG__) && \
    __LDBL_MANT_DIG__ == 64 && __LDBL_MAX_EXP__ == 16384
#define OPTICAL_HOST_X87 1
#else
#define OPTICAL_HOST_X87 0
#endif

#if OPTICAL_HOST_X87
namespace optics::host_x87 {

using Type = long double;

// The ten value bytes of the x87 format, then padding up to sizeof(long double).
struct Image {
  std::uint64_t significand;
  std::uint16_t sign_exponent;
  std::uint16_t padding[(sizeof(Type) - 10) / 2];
};
static_assert(sizeof(Image) == sizeof(Type));

template <>
struct Bridge<Type> {
  static constexpr ExtendedBits Bits(Type v) {
    const auto image = std::bit_cast<Image>(v);
    ExtendedBits b;
    b.significand = image.significand;
    b.sign_exponent = image.sign_exponent;
    return b;
  }
  static constexpr Type FromBits(ExtendedBits b) {
    return std::bit_cast<Type>(Image{b.significand, b.sign_exponent, {}});
  }
};

template <>
struct Bridge<void> : Bridge<Type> {};

}  // namespace optics::host_x87
#endif
