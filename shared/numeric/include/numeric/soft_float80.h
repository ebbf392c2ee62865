// The x87 80-bit extended arithmetic in portable software.
//
// A Float80 holds the 80 bits of an x87 register value, laid out as
// ExtendedBits describes: the 64-bit significand with its explicit integer
// bit J, and the sign with the 15-bit exponent (bias 16383). The functions
// below give, bit for bit, what the x87 gives with precision control 64 bits,
// rounding to nearest with ties to even and every exception masked (control
// word 0x037F), and report the exceptions that the x87 would record in its
// status word:
//   - every result is rounded once to the 64-bit significand; results below
//     2^-16382 underflow gradually to denormals (exponent 0, J = 0);
//   - an invalid operation gives the indefinite NaN (sign 1, exponent
//     0x7FFF, significand C000000000000000);
//   - a NaN operand gives a NaN, quieted (bit 62 set); of two NaNs a quiet
//     one wins over a signalling one, then the larger significand, then, for
//     equal significands, the positive one; a signalling NaN operand is an
//     invalid operation;
//   - pseudo-denormals (exponent 0, J = 1) are valid operands worth
//     significand * 2^-16445, like denormals; unnormals (0 < exponent <
//     0x7FFF, J = 0), pseudo-infinities and pseudo-NaNs (exponent 0x7FFF,
//     J = 0) are refused: invalid operation, indefinite NaN, even beside a NaN.
//
// Each operation ORs the exceptions it raises into `flags`, which, like the
// status word, keeps them until the caller clears it:
//   Flags f;
//   Divide(FromInt32(1), FromInt32(0), f)      -> +infinity, f has kDivideByZero
//   Add(FromInt32(1), FromInt32(2), f)         -> 3, f unchanged
//   Multiply(Max, FromInt32(2), f)             -> +infinity, kOverflow | kInexact
//   SquareRoot(FromInt32(-1), f)               -> indefinite NaN, kInvalid
//
// No long double, no floating-point instruction of the processor, no state:
// every function is pure apart from `flags`, safe on any thread.
#pragma once

#include <cstdint>

namespace optics::soft {

struct Float80 {
  std::uint64_t significand;    // with the explicit integer bit (bit 63)
  std::uint16_t sign_exponent;  // sign in bit 15, biased exponent below
};

// The exception flags, at the bit positions of the x87 status word.
struct Flags {
  static constexpr std::uint8_t kInvalid = 0x01;
  // A denormal or pseudo-denormal operand of an operation that goes on with
  // it: not for a NaN beside it, not for a finite dividend of a zero divisor,
  // a negative square root or a store to double.
  static constexpr std::uint8_t kDenormal = 0x02;
  static constexpr std::uint8_t kDivideByZero = 0x04;
  static constexpr std::uint8_t kOverflow = 0x08;
  static constexpr std::uint8_t kUnderflow = 0x10;  // tiny after rounding and inexact
  static constexpr std::uint8_t kInexact = 0x20;

  std::uint8_t bits = 0;

  bool Has(std::uint8_t flag) const { return (bits & flag) != 0; }
  void Raise(std::uint8_t flag) { bits = static_cast<std::uint8_t>(bits | flag); }
};

// The default quiet NaN that every invalid operation produces.
inline constexpr Float80 kIndefinite{0xC000000000000000ull, 0xFFFF};

// The arithmetic, as FADD, FSUB, FMUL, FDIV, FSQRT:
//   Add(1, 2^-64)        -> 1 (inexact: the tie goes to the even significand)
//   Add(+0, -0)          -> +0;   Add(-0, -0) -> -0;   Add(+inf, -inf) -> indefinite, kInvalid
//   Multiply(0, inf)     -> indefinite, kInvalid
//   Divide(x != 0, 0)    -> infinity signed as x, kDivideByZero; Divide(0, 0) -> indefinite
//   Divide(inf, 0)       -> infinity, no flag
//   SquareRoot(-0)       -> -0;   SquareRoot(-2^-16445) -> indefinite, kInvalid
Float80 Add(Float80 a, Float80 b, Flags& flags);
Float80 Subtract(Float80 a, Float80 b, Flags& flags);  // a NaN operand keeps its sign
Float80 Multiply(Float80 a, Float80 b, Flags& flags);
Float80 Divide(Float80 a, Float80 b, Flags& flags);
Float80 SquareRoot(Float80 a, Flags& flags);

// FCHS: the sign bit flipped, whatever the encoding; raises nothing.
constexpr Float80 Negate(Float80 a) {
  return {a.significand, static_cast<std::uint16_t>(a.sign_exponent ^ 0x8000)};
}

// FUCOMI (Compare) and FCOMI (CompareSignaling). A NaN or a refused encoding
// on either side gives kUnordered; Compare raises kInvalid only for a
// signalling NaN or a refused encoding, CompareSignaling for every NaN too.
//   Compare(-0, +0) -> kEqual;   Compare(1, quiet NaN) -> kUnordered, no flag
// The comparison operators of long double in GCC compile to FUCOMI.
enum class Ordering : std::uint8_t { kLess, kEqual, kGreater, kUnordered };
Ordering Compare(Float80 a, Float80 b, Flags& flags);
Ordering CompareSignaling(Float80 a, Float80 b, Flags& flags);

// Conversions. Loads are exact (FLD m64, FILD):
//   FromDouble(0.1)      -> 3FFB CCCCCCCCCCCCD000
//   FromDouble(signalling NaN 7FF0000000000001) -> 7FFF C000000000000800, kInvalid
//   FromDouble(4.9e-324) -> 3BCD 8000000000000000, kDenormal
//   FromInt64(INT64_MIN) -> C03E 8000000000000000
// ToDouble rounds to nearest even as FSTP m64 does: overflow to infinity
// (kOverflow | kInexact), double denormals with kUnderflow when tiny after
// rounding and inexact, a NaN's upper 52 fraction bits kept and quieted, a
// refused encoding -> FFF8000000000000 with kInvalid:
//   ToDouble(1 + 2^-53) -> 1.0 (tie to even), kInexact
Float80 FromDouble(double d, Flags& flags);
Float80 FromInt32(std::int32_t v);
Float80 FromInt64(std::int64_t v);
double ToDouble(Float80 a, Flags& flags);

// FRNDINT: the nearest integral value, ties to even, sign kept:
//   RoundToIntegral(2.5) -> 2;   RoundToIntegral(-0.25) -> -0 (kInexact)
Float80 RoundToIntegral(Float80 a, Flags& flags);

// FSCALE by an integer: a * 2^n rounded once, with overflow to infinity and
// gradual underflow:
//   ScaleByPowerOfTwo(3, -16447) -> 2^-16445 (0.75 of the least denormal rounds up;
//                                    kUnderflow | kInexact)
Float80 ScaleByPowerOfTwo(Float80 a, std::int32_t n, Flags& flags);

// The base-2 logarithm and power of two, each within a few units in the last
// place of the exact value (no x87 instruction is matched bit for bit):
//   Log2(8) -> 3;   Log2(+0) -> -infinity, kDivideByZero;   Log2(-1) -> indefinite, kInvalid
//   Exp2(-1) -> 0.5;   Exp2(-infinity) -> +0;   Exp2(20000) -> +infinity, kOverflow
Float80 Log2(Float80 a, Flags& flags);
Float80 Exp2(Float80 a, Flags& flags);

// Classes of an encoding. x != x holds for an x87 value exactly when
// IsNaN(x) || IsUnsupported(x).
constexpr int BiasedExponentOf(Float80 a) { return a.sign_exponent & 0x7FFF; }
constexpr bool IsNegative(Float80 a) { return (a.sign_exponent & 0x8000) != 0; }
constexpr bool IsUnsupported(Float80 a) {  // unnormal, pseudo-infinity, pseudo-NaN
  return BiasedExponentOf(a) != 0 && (a.significand >> 63) == 0;
}
constexpr bool IsNaN(Float80 a) {  // quiet or signalling
  return BiasedExponentOf(a) == 0x7FFF && (a.significand >> 63) != 0 &&
         (a.significand << 1) != 0;
}
constexpr bool IsSignalingNaN(Float80 a) {
  return IsNaN(a) && ((a.significand >> 62) & 1) == 0;
}
constexpr bool IsInfinity(Float80 a) {
  return BiasedExponentOf(a) == 0x7FFF && a.significand == 0x8000000000000000ull;
}
constexpr bool IsFinite(Float80 a) {  // zero, denormal, pseudo-denormal or normal
  return BiasedExponentOf(a) == 0 ||
         (BiasedExponentOf(a) != 0x7FFF && (a.significand >> 63) != 0);
}
constexpr bool IsZero(Float80 a) { return BiasedExponentOf(a) == 0 && a.significand == 0; }

}  // namespace optics::soft
