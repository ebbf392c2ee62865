// Pieces shared by the files of the software extended arithmetic: 128-bit
// integer steps, the classes of an operand, the unpacked form of a finite
// value and the final rounding. Not for use outside soft_float80_*.cpp.
//
// With unsigned __int128 the wide products and quotients use it; without it
// (or with OPTICAL_SOFT_NO_INT128 defined) they are built from 32-bit halves.
#pragma once

#include <bit>
#include <cstdint>

#include "numeric/soft_float80.h"

#if defined(__SIZEOF_INT128__) && !defined(OPTICAL_SOFT_NO_INT128)
#define OPTICAL_SOFT_HAVE_INT128 1
#endif

namespace optics::soft::detail {

inline constexpr std::uint64_t kIntegerBit = 0x8000000000000000ull;
inline constexpr std::uint64_t kQuietBit = 0x4000000000000000ull;
inline constexpr std::uint64_t kHalf = 0x8000000000000000ull;  // of the extra word
inline constexpr int kBias = 16383;
inline constexpr int kMaxExponent = 0x7FFF;

#ifdef OPTICAL_SOFT_HAVE_INT128
__extension__ typedef unsigned __int128 Wide;
#endif

// hi:lo, a 128-bit unsigned integer.
struct U128 {
  std::uint64_t hi;
  std::uint64_t lo;
};

// a * b exactly: Mul64(2^63, 6) -> {3, 0}
inline U128 Mul64(std::uint64_t a, std::uint64_t b) {
#ifdef OPTICAL_SOFT_HAVE_INT128
  const Wide p = static_cast<Wide>(a) * b;
  return {static_cast<std::uint64_t>(p >> 64), static_cast<std::uint64_t>(p)};
#else
  const std::uint64_t a0 = a & 0xFFFFFFFFu, a1 = a >> 32;
  const std::uint64_t b0 = b & 0xFFFFFFFFu, b1 = b >> 32;
  const std::uint64_t p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
  const std::uint64_t middle = (p00 >> 32) + (p01 & 0xFFFFFFFFu) + (p10 & 0xFFFFFFFFu);
  return {p11 + (p01 >> 32) + (p10 >> 32) + (middle >> 32), (middle << 32) | (p00 & 0xFFFFFFFFu)};
#endif
}

// floor((hi:lo) / d) and the remainder, for d >= 2^63 and hi < d (so that
// the quotient has 64 bits): Div128(1, 0, 2^63, r) -> 2, r = 0
inline std::uint64_t Div128(std::uint64_t hi, std::uint64_t lo, std::uint64_t d,
                            std::uint64_t& remainder) {
#ifdef OPTICAL_SOFT_HAVE_INT128
  const Wide n = (static_cast<Wide>(hi) << 64) | lo;
  const std::uint64_t q = static_cast<std::uint64_t>(n / d);
  remainder = lo - q * d;
  return q;
#else
  // Long division in base 2^32 (the divisor has its top bit set, so each
  // estimated digit is at most two too large).
  const std::uint64_t d1 = d >> 32, d0 = d & 0xFFFFFFFFu;
  std::uint64_t digits[2];
  std::uint64_t rest = hi;  // the running remainder, < d
  const std::uint64_t next[2] = {lo >> 32, lo & 0xFFFFFFFFu};
  for (int i = 0; i < 2; ++i) {
    // rest:next[i] / d, a 96-by-64-bit step with a one-digit quotient.
    std::uint64_t qhat = rest / d1;
    std::uint64_t rhat = rest - qhat * d1;
    while (qhat > 0xFFFFFFFFu || qhat * d0 > ((rhat << 32) | next[i])) {
      --qhat;
      rhat += d1;
      if (rhat > 0xFFFFFFFFu) break;
    }
    rest = ((rest << 32) | next[i]) - qhat * d;  // exact modulo 2^64: the true value is < d
    digits[i] = qhat;
  }
  remainder = rest;
  return (digits[0] << 32) | digits[1];
#endif
}

// hi:lo shifted right by n (1 <= n), the bits shifted out ORed into bit 0
// (the sticky bit): a value exactly on or between the rounding points keeps
// that position after the shift.
inline U128 ShiftRightJam(std::uint64_t hi, std::uint64_t lo, int n) {
  if (n < 64) {
    const std::uint64_t lost = lo << (64 - n);
    return {hi >> n, (hi << (64 - n)) | (lo >> n) | (lost != 0 ? 1u : 0u)};
  }
  if (n == 64) return {0, hi | (lo != 0 ? 1u : 0u)};
  if (n < 128) {
    const std::uint64_t lost = (hi << (128 - n)) | lo;
    return {0, (hi >> (n - 64)) | (lost != 0 ? 1u : 0u)};
  }
  return {0, (hi | lo) != 0 ? 1u : 0u};
}

enum class Kind : std::uint8_t { kZero, kFinite, kInfinity, kQuietNaN, kSignalingNaN, kUnsupported };

inline Kind KindOf(Float80 a) {
  const int e = BiasedExponentOf(a);
  if (e == 0) return a.significand == 0 ? Kind::kZero : Kind::kFinite;
  if ((a.significand >> 63) == 0) return Kind::kUnsupported;
  if (e != kMaxExponent) return Kind::kFinite;
  if ((a.significand << 1) == 0) return Kind::kInfinity;
  return (a.significand & kQuietBit) != 0 ? Kind::kQuietNaN : Kind::kSignalingNaN;
}

inline bool IsNaNKind(Kind k) { return k == Kind::kQuietNaN || k == Kind::kSignalingNaN; }

// A normal operand (0 < exponent < 0x7FFF, J = 1): the fast paths take these.
inline bool IsNormal(Float80 a) {
  return static_cast<unsigned>(BiasedExponentOf(a) - 1) < 0x7FFEu && (a.significand >> 63) != 0;
}

inline Float80 Pack(bool negative, int biased_exponent, std::uint64_t significand) {
  return {significand,
          static_cast<std::uint16_t>((negative ? 0x8000 : 0) | biased_exponent)};
}
inline Float80 Infinity(bool negative) { return Pack(negative, kMaxExponent, kIntegerBit); }
inline Float80 Zero(bool negative) { return Pack(negative, 0, 0); }

// A finite non-zero value as sign, significand with its top bit set, and a
// biased exponent that may be 0 or below (for denormals):
// value = significand * 2^(exponent - 16383 - 63).
struct Unpacked {
  bool negative;
  std::int32_t exponent;
  std::uint64_t significand;
};

// For a finite non-zero a only.
inline Unpacked Unpack(Float80 a) {
  const int e = BiasedExponentOf(a);
  if (e != 0) return {IsNegative(a), e, a.significand};
  const int shift = std::countl_zero(a.significand);  // the value is that of exponent 1
  return {IsNegative(a), 1 - shift, a.significand << shift};
}

// The NaN result of an operation with NaN operands (at least one), raising
// kInvalid for a signalling one. Refused encodings are dealt with before.
Float80 PropagateNaN(Float80 a, Float80 b, Flags& flags);
Float80 QuietNaNOf(Float80 a, Flags& flags);

// The result of an operation with a refused encoding or no defined value.
inline Float80 Invalid(Flags& flags) {
  flags.Raise(Flags::kInvalid);
  return kIndefinite;
}

// Raises kDenormal when an operand is a denormal or pseudo-denormal.
inline void NoteDenormal(Float80 a, Flags& flags) {
  if (BiasedExponentOf(a) == 0 && a.significand != 0) flags.Raise(Flags::kDenormal);
}

// For a one-operand operation that leaves zeros and infinities as they are:
// decides the result of an operand that is no finite non-zero number (the
// indefinite NaN for a refused encoding, the quieted NaN for a NaN, the
// operand itself for a zero or an infinity) and returns true; for a finite
// non-zero operand raises kDenormal when it is a denormal and returns false.
inline bool TakeSpecialOperand(Float80 a, Float80& result, Flags& flags) {
  switch (KindOf(a)) {
    case Kind::kUnsupported:
      result = Invalid(flags);
      return true;
    case Kind::kQuietNaN:
    case Kind::kSignalingNaN:
      result = QuietNaNOf(a, flags);
      return true;
    case Kind::kZero:
    case Kind::kInfinity:
      result = a;
      return true;
    case Kind::kFinite:
      break;
  }
  NoteDenormal(a, flags);
  return false;
}

// For operands of which at least one is no normal number: decides the result
// when an operand is refused (the indefinite NaN) or a NaN (the propagated
// NaN) and returns true; otherwise raises kDenormal for a denormal operand
// and returns false.
inline bool TakeNaNOrRefused(Float80 a, Kind ka, Float80 b, Kind kb, Float80& result,
                             Flags& flags) {
  if (ka == Kind::kUnsupported || kb == Kind::kUnsupported) {
    result = Invalid(flags);
    return true;
  }
  if (IsNaNKind(ka) || IsNaNKind(kb)) {
    result = PropagateNaN(a, b, flags);
    return true;
  }
  NoteDenormal(a, flags);
  NoteDenormal(b, flags);
  return false;
}

Float80 RoundPackOutOfRange(bool negative, std::int32_t exponent, std::uint64_t significand,
                            std::uint64_t extra, Flags& flags);

// Rounds the exact value (significand + extra / 2^64) * 2^(exponent - 16383 -
// 63) to the format, significand with its top bit set; extra carries the bits
// below the significand, any bit lost further down ORed into its bit 0.
//   RoundPack(+, 16383, 2^63, 2^63)     -> 1 (a tie, to even), kInexact
//   RoundPack(+, 16383, 2^64-1, 2^63)   -> 2, kInexact
//   RoundPack(+, 0x7FFF, 2^63, 0)       -> +infinity, kOverflow | kInexact
inline Float80 RoundPack(bool negative, std::int32_t exponent, std::uint64_t significand,
                         std::uint64_t extra, Flags& flags) {
  if (exponent < 1 || exponent >= kMaxExponent) [[unlikely]] {
    return RoundPackOutOfRange(negative, exponent, significand, extra, flags);
  }
  if (extra != 0) {
    flags.Raise(Flags::kInexact);
    if (extra > kHalf || (extra == kHalf && (significand & 1) != 0)) {
      if (++significand == 0) {
        significand = kIntegerBit;
        if (++exponent == kMaxExponent) {
          flags.Raise(Flags::kOverflow);
          return Infinity(negative);
        }
      }
    }
  }
  return Pack(negative, exponent, significand);
}

}  // namespace optics::soft::detail
