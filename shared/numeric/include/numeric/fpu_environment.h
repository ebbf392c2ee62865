// The arithmetic environment of the calculators: the x87 unit with a 64-bit
// significand, rounding to nearest with ties to even, and every exception
// masked. Failures are found by the checked operations of extended.h, not by
// traps, so no signal handler is involved.
//
// With the software back end (extended_soft.h) the arithmetic always has
// that environment of its own: EstablishArithmeticEnvironment() only resets
// the floating-point environment of the C library (on x86 that is the same
// x87 and SSE state), and a ConversionScope does nothing.
#pragma once

#include <cstdint>

#include "numeric/extended.h"

namespace optics {
inline namespace OPTICAL_EXTENDED_NAMESPACE {

// The x87 control word of that environment: precision control 64 bits,
// rounding control to nearest, all six exceptions masked.
inline constexpr std::uint16_t kCalculationControlWord = 0x037F;

// Sets the environment and clears every recorded exception flag, in the x87
// unit and in SSE's MXCSR. Called once at start-up, before any window
// exists, and again after every failure.
void EstablishArithmeticEnvironment();

// The current x87 control word and status word (for tests and the guard
// below). Without an x87 unit: kCalculationControlWord and 0, the
// environment the software arithmetic computes in.
std::uint16_t X87ControlWord();
std::uint16_t X87StatusWord();

#if OPTICAL_EXTENDED_SOFT
class ConversionScope {
 public:
  ConversionScope() {}  // NOLINT(modernize-use-equals-default): a user-provided no-op
  ConversionScope(const ConversionScope&) = delete;
  ConversionScope& operator=(const ConversionScope&) = delete;
};
#else

// Scope in which the number-text conversions run: on entry it switches to the
// calculation environment if the caller's differs; on exit it puts back the
// caller's control word and exception flags exactly as they were, so that a
// conversion never leaves a flag of its own behind.
class ConversionScope {
 public:
  ConversionScope();
  ~ConversionScope();
  ConversionScope(const ConversionScope&) = delete;
  ConversionScope& operator=(const ConversionScope&) = delete;

 private:
  std::uint16_t control_;
  std::uint16_t status_;
};
#endif

}  // inline namespace OPTICAL_EXTENDED_NAMESPACE
}  // namespace optics
