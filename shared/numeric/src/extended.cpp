#include "numeric/extended.h"

namespace optics {

void ThrowZeroDivide() { throw EZeroDivide(); }
void ThrowInvalidOp() { throw EInvalidOp(); }
void ThrowOverflow() { throw EOverflow(); }

namespace detail {

void FailNonFinite(long double a, long double b, long double r) {
  // A NaN from operands that were no NaN is an invalid operation (0 * inf,
  // inf - inf, a refused encoding); so is any NaN operand, since no NaN may
  // take part in a calculation. What is left is a finite pair whose rounded
  // result is infinite.
  if (IsNaN(a) || IsNaN(b) || IsNaN(r)) ThrowInvalidOp();
  ThrowOverflow();
}

}  // namespace detail

void Double::FailStore(long double v) {
  if (detail::IsNaN(v)) ThrowInvalidOp();
  ThrowOverflow();
}

}  // namespace optics
