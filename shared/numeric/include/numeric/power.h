// The power function of the calculations.
#pragma once

#include <cstdint>

#include "numeric/extended.h"

namespace optics {
inline namespace OPTICAL_EXTENDED_NAMESPACE {

// Base raised to an integral Exponent by square-and-multiply from the lowest
// bit of |Exponent| upward, each product rounded to extended:
//   R := 1; X := Base; m := |Exponent|
//   repeat: take the low bit of m, shift m right;
//           bit 1: R := R * X, stop when m = 0;  then (both bits) X := X * X
//   Exponent < 0: R := 1 / R, once, at the end.
// So IntPower(B, 3) = B * (B * B), IntPower(B, 7) = (B * (B*B)) * ((B*B) * (B*B)).
// Fails with EOverflow when a product or the reciprocal overflows, and with
// EZeroDivide when the reciprocal meets a zero product.
//   IntPower(-2, 3) -> -8     IntPower(2, -2) -> 0.25     IntPower(x, 0) -> 1
Extended IntPower(Extended base, std::int32_t exponent);

// Base raised to Exponent; the first matching rule decides:
//   1. Exponent = 0 (either sign): 1, whatever Base is.
//   2. Base = 0 (either sign) and Exponent > 0: +0.
//   3. Exponent integral with |Exponent| <= 2147483647: IntPower.
//   4. otherwise exp(Exponent * ln Base) formed in extended, with ln Base as
//      ln 2 * log2 Base and the exponential as a power of two split into its
//      nearest integer and a remainder of at most one half. A negative Base
//      fails with EInvalidOp, a zero Base with EZeroDivide, a result beyond
//      the extended range with EOverflow. Its last bits are not exact.
// A NaN argument fails with EInvalidOp. The result is not rounded to double.
//   Power(0, 0) -> 1    Power(-0, 3) -> +0    Power(-2, 3) -> -8
//   Power(0, -1) -> EZeroDivide    Power(-8, 1/3) -> EInvalidOp
//   Power(-2, 3e9) -> EInvalidOp
Extended Power(Extended base, Extended exponent);

namespace detail {
inline Raw PowerOf(Raw base, Raw exponent) {
  return Power(Extended::FromRaw(base), Extended::FromRaw(exponent)).raw();
}
}  // namespace detail

// Power inside a formula: an expression evaluated in reading order with the
// rest of the formula (base first, then exponent), when a Double or an
// expression takes part.
//   conicP1 = -(Power(R1, 3) / (Power(f, 2) * (4 * d))) * s;
template <class A, class B>
  requires Operand<A> && Operand<B> &&
           (Node<A> || Node<B> || std::same_as<A, Double> || std::same_as<B, Double>)
auto Power(const A& base, const B& exponent) {
  return MakeBinary<detail::PowerOf>(base, exponent);
}

}  // inline namespace OPTICAL_EXTENDED_NAMESPACE
}  // namespace optics
