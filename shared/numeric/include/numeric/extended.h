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
// An expression is evaluated when it is stored (into a Double or an
// Extended) or passed on as a value, and then strictly from left to right:
// the left operand of every operation, with everything inside it, before the
// right one. So when two parts of a formula would both fail, the first one in
// reading order decides the failure, whatever order the compiler prefers for
// function arguments. An operation in which an Extended, a Double or another
// expression takes part builds such an expression; plain numbers are
// constants (loaded exactly).
//
// The arithmetic relies on the process running in the environment that
// EstablishArithmeticEnvironment() sets up (64-bit precision, round to
// nearest); see fpu_environment.h.
#pragma once

#include <cmath>
#include <concepts>
#include <type_traits>

#include "numeric/exceptions.h"
#include "numeric/extended_bits.h"

namespace optics {

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

inline long double Add(long double a, long double b) { return Checked(a, b, a + b); }
inline long double Subtract(long double a, long double b) { return Checked(a, b, a - b); }
inline long double Multiply(long double a, long double b) { return Checked(a, b, a * b); }
inline long double Divide(long double a, long double b) {
  if (b == 0.0L) {
    if (a == 0.0L || IsNaN(a) || IsNaN(b)) ThrowInvalidOp();
    if (IsFinite(a)) ThrowZeroDivide();
  }
  return Checked(a, b, a / b);
}
inline long double Negate(long double a) {
  if (IsNaN(a)) ThrowInvalidOp();
  return -a;
}
inline long double SquareRoot(long double a) {
  if (IsNaN(a) || a < 0.0L) ThrowInvalidOp();
  return __builtin_sqrtl(a);
}

}  // namespace detail

inline namespace expr {
template <class T>
struct IsNode : std::false_type {};
template <class T>
concept Node = IsNode<T>::value;
}  // namespace expr

class Extended {
 public:
  constexpr Extended() = default;
  constexpr Extended(long double v) : v_(v) {}  // NOLINT(google-explicit-constructor)
  constexpr Extended(double v) : v_(v) {}       // NOLINT(google-explicit-constructor)
  constexpr Extended(float v) : v_(v) {}        // NOLINT(google-explicit-constructor)
  constexpr Extended(int v) : v_(v) {}          // NOLINT(google-explicit-constructor)
  // Evaluates an expression.
  template <expr::Node E>
  Extended(const E& e) : v_(e.Eval()) {}  // NOLINT(google-explicit-constructor)

  constexpr long double value() const { return v_; }

 private:
  long double v_ = 0.0L;
};

class Double {
 public:
  constexpr Double() = default;
  constexpr explicit Double(double v) : v_(v) {}
  Double(Extended v) : v_(Store(v)) {}  // NOLINT(google-explicit-constructor)
  template <expr::Node E>
  Double(const E& e) : v_(Store(e.Eval())) {}  // NOLINT(google-explicit-constructor)

  Double& operator=(Extended v) {
    v_ = Store(v);
    return *this;
  }
  template <expr::Node E>
  Double& operator=(const E& e) {
    v_ = Store(e.Eval());
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

// The expression nodes, in an inline namespace so that argument-dependent
// lookup finds the operators for them too. Each holds its operands by value and evaluates them
// in order with Eval().
inline namespace expr {

struct Constant {
  long double v;
  long double Eval() const { return v; }
};

template <long double (*Op)(long double, long double), class L, class R>
struct Binary {
  L left;
  R right;
  long double Eval() const {
    const long double a = left.Eval();
    const long double b = right.Eval();
    return Op(a, b);
  }
};

template <long double (*Op)(long double), class A>
struct Unary {
  A operand;
  long double Eval() const { return Op(operand.Eval()); }
};

// x * x with x evaluated once.
template <class A>
struct SquareOf {
  A operand;
  long double Eval() const {
    const long double x = operand.Eval();
    return detail::Multiply(x, x);
  }
};

template <long double (*Op)(long double, long double), class L, class R>
struct IsNode<Binary<Op, L, R>> : std::true_type {};
template <long double (*Op)(long double), class A>
struct IsNode<Unary<Op, A>> : std::true_type {};
template <class A>
struct IsNode<SquareOf<A>> : std::true_type {};
template <>
struct IsNode<Constant> : std::true_type {};

template <class T>
concept Value = Node<T> || std::same_as<T, Extended> || std::same_as<T, Double>;
template <class T>
concept Operand = Value<T> || std::is_arithmetic_v<T>;

template <Operand T>
auto Wrap(const T& x) {
  if constexpr (Node<T>) {
    return x;
  } else if constexpr (std::same_as<T, Extended>) {
    return Constant{x.value()};
  } else if constexpr (std::same_as<T, Double>) {
    return Constant{x.value()};
  } else {
    return Constant{static_cast<long double>(x)};
  }
}

template <long double (*Op)(long double, long double), class A, class B>
auto MakeBinary(const A& a, const B& b) {
  using L = decltype(Wrap(a));
  using R = decltype(Wrap(b));
  return Binary<Op, L, R>{Wrap(a), Wrap(b)};
}

}  // namespace expr

template <class A, class B>
  requires expr::Operand<A> && expr::Operand<B> && (expr::Value<A> || expr::Value<B>)
auto operator+(const A& a, const B& b) {
  return expr::MakeBinary<detail::Add>(a, b);
}
template <class A, class B>
  requires expr::Operand<A> && expr::Operand<B> && (expr::Value<A> || expr::Value<B>)
auto operator-(const A& a, const B& b) {
  return expr::MakeBinary<detail::Subtract>(a, b);
}
template <class A, class B>
  requires expr::Operand<A> && expr::Operand<B> && (expr::Value<A> || expr::Value<B>)
auto operator*(const A& a, const B& b) {
  return expr::MakeBinary<detail::Multiply>(a, b);
}
template <class A, class B>
  requires expr::Operand<A> && expr::Operand<B> && (expr::Value<A> || expr::Value<B>)
auto operator/(const A& a, const B& b) {
  return expr::MakeBinary<detail::Divide>(a, b);
}
template <expr::Value A>
auto operator-(const A& a) {
  using W = decltype(expr::Wrap(a));
  return expr::Unary<detail::Negate, W>{expr::Wrap(a)};
}

// The square root, rounded once to extended. Sqrt(-0) is -0.
template <expr::Operand A>
auto Sqrt(const A& a) {
  using W = decltype(expr::Wrap(a));
  return expr::Unary<detail::SquareRoot, W>{expr::Wrap(a)};
}

// a * a, with a evaluated once: the square of a held value.
template <expr::Operand A>
auto Square(const A& a) {
  using W = decltype(expr::Wrap(a));
  return expr::SquareOf<W>{expr::Wrap(a)};
}

}  // namespace optics
