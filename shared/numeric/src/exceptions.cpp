#include "numeric/exceptions.h"

namespace optics {

void ThrowZeroDivide() { throw EZeroDivide(); }
void ThrowInvalidOp() { throw EInvalidOp(); }
void ThrowOverflow() { throw EOverflow(); }

}  // namespace optics
