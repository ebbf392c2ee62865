// The environment functions for the software back end: the arithmetic needs
// no setting of the processor's, so only the C library's floating-point
// environment is reset, and the x87 words are read where an x87 unit exists.
#include <cfenv>

#include "numeric/fpu_environment.h"

#if defined(__x86_64__) || defined(__i386__)
#include "x87_words.h"
#endif

namespace optics {
inline namespace OPTICAL_EXTENDED_NAMESPACE {

void EstablishArithmeticEnvironment() { std::fesetenv(FE_DFL_ENV); }

#if defined(__x86_64__) || defined(__i386__)
std::uint16_t X87ControlWord() { return x87_words::Control(); }
std::uint16_t X87StatusWord() { return x87_words::Status(); }
#else
std::uint16_t X87ControlWord() { return kCalculationControlWord; }
std::uint16_t X87StatusWord() { return 0; }
#endif

}  // inline namespace OPTICAL_EXTENDED_NAMESPACE
}  // namespace optics
