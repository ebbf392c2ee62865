// Checked extended arithmetic and double stores.
//
// An Extended is a working value in the x87 80-bit format: every operation
// on it is carried out once in that format and rounded to the 64-bit
// significand, to nearest with ties to even. An operation that cannot be
// carried out throws at that operation and produces no value:
//   - a finite non-zero value divided by zero            -> EZeroDivide
//   - 0 / 0, the square root of a negative value, or any
//     operation on a NaN or on an encoding the x87 refuses -> EInvalidOp
//   - a finite result beyond the largest extended value   -> EOverflow
// Underflow, denormal operands and inexact results never fail.
//
// A Double is a value that the calculations keep: a field of a window, or a
// local that outlives one expression. Assigning an Extended to it rounds the
// value to a double (nearest, ties to even); when the magnitude rounds to
// 2^1024 or more the assignment throws EOverflow and the Double keeps the
// value it had. Reading a Double back widens it exactly.
//
// Formulas are written with these types exactly as they read on paper:
//   Double nd, Vd, delta_n;
//   delta_n = (nd - 1) / Vd;    // (nd - 1) and the quotient in extended,
//                               // then one store into the double
// A value named Extended in a formula is a held value: it stays in the 80-bit
// format from one step to a later one and is never rounded to a double.
//
// The arithmetic relies on the process running in the environment that
// EstablishArithmeticEnvironment() sets up (64-bit precision, round to
// nearest); see fpu_environment.h.
#pragma once

#include <cmath>

#include "numeric/exceptions.h"
#include "numeric/extended_bits.h"

namespace optics {

class Extended {
 public:
  constexpr Extended() = default;
  constexpr Extended(long double v) : v_(v) {}  // NOLINT(google-explicit-constructor)
  constexpr Extended(double v) : v_(v) {}       // NOLINT(google-explicit-constructor)
  constexpr Extended(float v) : v_(v) {}        // NOLINT(google-explicit-constructor)
  constexpr Extended(int v) : v_(v) {}          // NOLINT(google-explicit-constructor)

  constexpr long double value() const { return v_; }

 private:
  long double v_ = 0.0L;
};

namespace detail {

inline bool IsFinite(long double v) { return __builtin_fabsl(v) <= __LDBL_MAX__; }
inline bool IsNaN(long double v) { return v != v; }

// Decides the failure of an operation whose operands were a and b and whose
// rounded result is r, when r is not finite.
[[noreturn]] void FailNonFinite(long double a, long double b, long double r);

inline long double Checked(long double a, long double b, long double r) {
  if (IsFinite(r)) return r;
  if (!IsNaN(a) && !IsNaN(b) && !IsNaN(r) && !(IsFinite(a) && IsFinite(b))) {
    return r;  // an infinite operand gives an infinite result without failing
  }
  FailNonFinite(a, b, r);
}

}  // namespace detail

inline Extended operator+(Extended a, Extended b) {
  return detail::Checked(a.value(), b.value(), a.value() + b.value());
}
inline Extended operator-(Extended a, Extended b) {
  return detail::Checked(a.value(), b.value(), a.value() - b.value());
}
inline Extended operator*(Extended a, Extended b) {
  return detail::Checked(a.value(), b.value(), a.value() * b.value());
}
inline Extended operator/(Extended a, Extended b) {
  if (b.value() == 0.0L) {
    if (a.value() == 0.0L || detail::IsNaN(a.value()) || detail::IsNaN(b.value())) ThrowInvalidOp();
    if (detail::IsFinite(a.value())) ThrowZeroDivide();
  }
  return detail::Checked(a.value(), b.value(), a.value() / b.value());
}
inline Extended operator-(Extended a) {
  if (detail::IsNaN(a.value())) ThrowInvalidOp();
  return -a.value();
}

// The square root, rounded once to extended. Sqrt(-0) is -0.
inline Extended Sqrt(Extended a) {
  if (detail::IsNaN(a.value()) || a.value() < 0.0L) ThrowInvalidOp();
  return __builtin_sqrtl(a.value());
}

class Double {
 public:
  constexpr Double() = default;
  constexpr explicit Double(double v) : v_(v) {}
  Double(Extended v) : v_(Store(v)) {}  // NOLINT(google-explicit-constructor)

  Double& operator=(Extended v) {
    v_ = Store(v);
    return *this;
  }

  operator Extended() const { return Extended(v_); }  // NOLINT(google-explicit-constructor)
  constexpr double value() const { return v_; }

  // The checked store: v rounded once to double.
  static double Store(Extended v) {
    const double d = static_cast<double>(v.value());
    if (__builtin_fabs(d) <= __DBL_MAX__) return d;
    FailStore(v.value());
  }

 private:
  [[noreturn]] static void FailStore(long double v);
  double v_ = 0.0;
};

}  // namespace optics
