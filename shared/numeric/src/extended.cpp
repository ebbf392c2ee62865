#include "numeric/extended.h"

namespace optics {
inline namespace OPTICAL_EXTENDED_NAMESPACE {
namespace detail {

void FailNonFinite(Raw a, Raw b, Raw r) {
  // A NaN from operands that were no NaN is an invalid operation (0 * inf,
  // inf - inf, a refused encoding); so is any NaN operand, since no NaN may
  // take part in a calculation. What is left is a finite pair whose rounded
  // result is infinite.
  if (detail::IsNaN(a) || detail::IsNaN(b) || detail::IsNaN(r)) ThrowInvalidOp();
  ThrowOverflow();
}

}  // namespace detail

void Double::FailStore(Extended::Raw v) {
  if (detail::IsNaN(v)) ThrowInvalidOp();
  ThrowOverflow();
}

}  // inline namespace OPTICAL_EXTENDED_NAMESPACE
}  // namespace optics
