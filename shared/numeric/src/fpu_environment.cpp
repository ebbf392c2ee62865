#include "numeric/fpu_environment.h"

#include <cfenv>
#include <cstring>

#include "x87_words.h"

namespace optics {
inline namespace OPTICAL_EXTENDED_NAMESPACE {
namespace {

constexpr std::uint16_t kExceptionFlags = 0x003F;  // IE DE ZE OE UE PE

void LoadControlWord(std::uint16_t cw) { __asm__ volatile("fldcw %0" : : "m"(cw)); }

// The x87 environment image of FNSTENV/FLDENV in 32-bit protected mode.
struct X87Environment {
  std::uint32_t control;
  std::uint32_t status;
  std::uint32_t tags;
  std::uint32_t pointers[4];
};

void RestoreStatusFlags(std::uint16_t flags) {
  X87Environment env;
  __asm__ volatile("fnstenv %0" : "=m"(env));
  env.status = (env.status & ~std::uint32_t{kExceptionFlags}) | flags;
  __asm__ volatile("fldenv %0" : : "m"(env));
}

}  // namespace

void EstablishArithmeticEnvironment() {
  std::fesetenv(FE_DFL_ENV);
  LoadControlWord(kCalculationControlWord);
  __asm__ volatile("fnclex");
}

std::uint16_t X87ControlWord() { return x87_words::Control(); }
std::uint16_t X87StatusWord() { return x87_words::Status(); }

ConversionScope::ConversionScope() : control_(X87ControlWord()), status_(X87StatusWord()) {
  if (control_ != kCalculationControlWord) LoadControlWord(kCalculationControlWord);
}

ConversionScope::~ConversionScope() {
  const std::uint16_t before = status_ & kExceptionFlags;
  const std::uint16_t now = X87StatusWord() & kExceptionFlags;
  if (now != before) {
    if (before == 0) {
      __asm__ volatile("fnclex");
    } else {
      RestoreStatusFlags(before);
    }
  }
  if (control_ != kCalculationControlWord) LoadControlWord(control_);
}

}  // inline namespace OPTICAL_EXTENDED_NAMESPACE
}  // namespace optics
