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
// Two back ends carry the arithmetic out, chosen when the project is
// configured (OPTICAL_EXTENDED): the x87 unit's long double (extended_x87.h),
// which relies on the process running in the environment that
// EstablishArithmeticEnvironment() sets up (64-bit precision, round to
// nearest; see fpu_environment.h), and soft::Float80 (extended_soft.h), the
// same arithmetic in portable software. Both give the same values bit for
// bit, so the checks and the evaluation order below are written once. Each
// back end lives in an inline namespace of its own (ext_x87, ext_soft), so a
// test can link both into one program.
#pragma once

#include <concepts>
#include <cstdint>
#include <type_traits>

#include "numeric/exceptions.h"
#include "numeric/extended_bits.h"

#if OPTICAL_EXTENDED_SOFT
#include "numeric/extended_soft.h"
#define OPTICAL_EXTENDED_NAMESPACE ext_soft
#else
#include "numeric/extended_x87.h"
#define OPTICAL_EXTENDED_NAMESPACE ext_x87
#endif

namespace optics {
inline namespace OPTICAL_EXTENDED_NAMESPACE {

#if OPTICAL_EXTENDED_SOFT
namespace backend = soft_backend;
#else
namespace backend = x87_backend;
#endif

namespace detail {

using Raw = backend::Raw;
#if OPTICAL_HOST_X87
using HostX87 = ::optics::host_x87::Type;
#endif

inline bool IsFinite(Raw v) { return backend::IsFinite(v); }
inline bool IsNaN(Raw v) { return backend::IsNaN(v); }

// Decides the failure of an operation whose operands were a and b and whose
// rounded result is r, when r is not finite.
[[noreturn]] void FailNonFinite(Raw a, Raw b, Raw r);

inline Raw Checked(Raw a, Raw b, Raw r) {
  if (detail::IsFinite(r)) return r;
  if (!detail::IsNaN(a) && !detail::IsNaN(b) && !detail::IsNaN(r) && !(detail::IsFinite(a) && detail::IsFinite(b))) {
    return r;  // an infinite operand gives an infinite result without failing
  }
  FailNonFinite(a, b, r);
}

inline Raw Add(Raw a, Raw b) { return Checked(a, b, backend::Add(a, b)); }
inline Raw Subtract(Raw a, Raw b) { return Checked(a, b, backend::Subtract(a, b)); }
inline Raw Multiply(Raw a, Raw b) { return Checked(a, b, backend::Multiply(a, b)); }
inline Raw Divide(Raw a, Raw b) {
  if (backend::IsZero(b)) {
    if (backend::IsZero(a) || detail::IsNaN(a) || detail::IsNaN(b)) ThrowInvalidOp();
    if (detail::IsFinite(a)) ThrowZeroDivide();
  }
  return Checked(a, b, backend::Divide(a, b));
}
inline Raw Negate(Raw a) {
  if (detail::IsNaN(a)) ThrowInvalidOp();
  return backend::Negate(a);
}
inline Raw SquareRoot(Raw a) {
  if (detail::IsNaN(a) || backend::Less(a, backend::FromBits(0, 0))) ThrowInvalidOp();
  return backend::SquareRoot(a);
}

// The exact value of a plain number.
template <class T>
Raw Load(T v) {
  if constexpr (std::is_integral_v<T> && std::is_unsigned_v<T>) {
    return backend::FromUint64(static_cast<std::uint64_t>(v));
  } else if constexpr (std::is_integral_v<T>) {
    return backend::FromInt64(static_cast<std::int64_t>(v));
  } else if constexpr (std::is_same_v<T, double> || std::is_same_v<T, float>) {
    return backend::FromDouble(static_cast<double>(v));
  } else {
#if OPTICAL_HOST_X87
    static_assert(std::is_same_v<T, HostX87>, "no extended load for this type");
    if constexpr (std::is_same_v<Raw, HostX87>) {
      return v;
    } else {
      const ExtendedBits b = ExtendedBits::Of(v);
      return backend::FromBits(b.sign_exponent, b.significand);
    }
#else
    static_assert(!std::is_same_v<T, T>, "no extended load for this type");
#endif
  }
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
  using Raw = detail::Raw;

  constexpr Extended() = default;
  Extended(double v) : v_(backend::FromDouble(v)) {}  // NOLINT(google-explicit-constructor)
  Extended(float v) : v_(backend::FromDouble(v)) {}   // NOLINT(google-explicit-constructor)
  Extended(int v) : v_(backend::FromInt64(v)) {}      // NOLINT(google-explicit-constructor)
  // Evaluates an expression.
  template <expr::Node E>
  Extended(const E& e) : v_(e.Eval()) {}  // NOLINT(google-explicit-constructor)

  // The value of a bit pattern, for constants written exactly:
  //   FromBits(0x3FFE, 0x8000000000000000) -> 0.5
  static constexpr Extended FromBits(std::uint16_t sign_exponent, std::uint64_t significand) {
    return FromRaw(backend::FromBits(sign_exponent, significand));
  }
  static constexpr Extended FromRaw(Raw v) {
    Extended e;
    e.v_ = v;
    return e;
  }

  constexpr Raw raw() const { return v_; }
  constexpr ExtendedBits Bits() const { return backend::BitsOf(v_); }

#if OPTICAL_HOST_X87
  // The processor's own x87 type, where there is one (extended_host.h): for
  // the tests and tools that hold the arithmetic against the x87 unit.
  Extended(host_x87::Type v)  // NOLINT(google-explicit-constructor)
      : v_(detail::Load(v)) {}
  host_x87::Type value() const {
#if OPTICAL_EXTENDED_SOFT
    return Bits().ToLongDouble();
#else
    return v_;
#endif
  }
#endif

 private:
  Raw v_ = backend::FromBits(0, 0);
};

class Double {
 public:
  constexpr Double() = default;
  constexpr explicit Double(double v) : v_(v) {}
  Double(Extended v) : v_(Store(v)) {}  // NOLINT(google-explicit-constructor)
  template <expr::Node E>
  Double(const E& e) : v_(Store(Extended::FromRaw(e.Eval()))) {}  // NOLINT(google-explicit-constructor)

  Double& operator=(Extended v) {
    v_ = Store(v);
    return *this;
  }
  template <expr::Node E>
  Double& operator=(const E& e) {
    v_ = Store(Extended::FromRaw(e.Eval()));
    return *this;
  }

  operator Extended() const { return Extended(v_); }  // NOLINT(google-explicit-constructor)
  constexpr double value() const { return v_; }

  // The checked store: v rounded once to double.
  static double Store(Extended v) {
    const double d = backend::ToDouble(v.raw());
    if (__builtin_fabs(d) <= __DBL_MAX__) return d;
    FailStore(v.raw());
  }

 private:
  [[noreturn]] static void FailStore(Extended::Raw v);
  double v_ = 0.0;
};

// The expression nodes, in an inline namespace so that argument-dependent
// lookup finds the operators for them too. Each holds its operands by value and evaluates them
// in order with Eval().
inline namespace expr {

using detail::Raw;

struct Constant {
  Raw v;
  Raw Eval() const { return v; }
};

template <Raw (*Op)(Raw, Raw), class L, class R>
struct Binary {
  L left;
  R right;
  Raw Eval() const {
    const Raw a = left.Eval();
    const Raw b = right.Eval();
    return Op(a, b);
  }
};

template <Raw (*Op)(Raw), class A>
struct Unary {
  A operand;
  Raw Eval() const { return Op(operand.Eval()); }
};

// x * x with x evaluated once.
template <class A>
struct SquareOf {
  A operand;
  Raw Eval() const {
    const Raw x = operand.Eval();
    return detail::Multiply(x, x);
  }
};

template <Raw (*Op)(Raw, Raw), class L, class R>
struct IsNode<Binary<Op, L, R>> : std::true_type {};
template <Raw (*Op)(Raw), class A>
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
    return Constant{x.raw()};
  } else if constexpr (std::same_as<T, Double>) {
    return Constant{backend::FromDouble(x.value())};
  } else {
    return Constant{detail::Load(x)};
  }
}

template <Raw (*Op)(Raw, Raw), class A, class B>
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

}  // inline namespace OPTICAL_EXTENDED_NAMESPACE
}  // namespace optics
