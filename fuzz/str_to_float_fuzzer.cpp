// libFuzzer target: any bytes as a number text, read with "." and with ","
// as the separator, stored into a double and written back as text.
//
// Besides the sanitizers' findings it stops on a broken promise of
// decimal.h: a conversion must leave the caller's x87 control word and
// exception flags, and the SSE control and status register, exactly as they
// were, and must give the same result whatever the caller's settings were.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "numeric/decimal.h"
#include "numeric/extended.h"
#include "numeric/extended_bits.h"
#include "numeric/fpu_environment.h"

namespace {

using optics::Extended;

struct Environment {
  std::uint16_t control;
  std::uint16_t flags;  // the x87 exception flags
  std::uint32_t mxcsr;

  static Environment Now() {
    std::uint32_t mxcsr;
    __asm__ volatile("stmxcsr %0" : "=m"(mxcsr));
    return {optics::X87ControlWord(), static_cast<std::uint16_t>(optics::X87StatusWord() & 0x3F),
            mxcsr};
  }
  bool operator==(const Environment&) const = default;
};

[[noreturn]] void Fail(const char* what, std::string_view text) {
  std::fprintf(stderr, "str_to_float_fuzzer: %s (text of %zu bytes)\n", what, text.size());
  std::abort();
}

// A caller that is not in the calculation environment: 53-bit precision,
// rounding toward zero, inexact and underflow already flagged, and SSE set
// to round down with its inexact flag raised.
void EnterForeignEnvironment() {
  struct {
    std::uint32_t control, status, tags, pointers[4];
  } env;
  __asm__ volatile("fnstenv %0" : "=m"(env));
  env.control = 0x0E7F;
  env.status = (env.status & ~0x3Fu) | 0x30u;
  __asm__ volatile("fldenv %0" : : "m"(env));
  const std::uint32_t mxcsr = 0x3FA0;  // exceptions masked, round down, precision flag
  __asm__ volatile("ldmxcsr %0" : : "m"(mxcsr));
}

// Runs f and stops when it changed the environment it was called in.
template <class F>
auto Guarded(std::string_view text, const char* what, F f) {
  const Environment before = Environment::Now();
  auto result = f();
  if (!(Environment::Now() == before)) Fail(what, text);
  return result;
}

std::optional<Extended> Parse(std::string_view text, char32_t separator) {
  return Guarded(text, "StrToFloat changed the caller's environment",
                 [&]() -> std::optional<Extended> {
                   try {
                     return optics::StrToFloat(text, separator);
                   } catch (const optics::EConvertError&) {
                     return std::nullopt;
                   }
                 });
}

std::string Texts(std::string_view text, Extended v, int precision, char32_t separator) {
  return Guarded(text, "FloatToStr changed the caller's environment",
                 [&] { return optics::FloatToStr(v, separator); }) +
         "|" + Guarded(text, "FloatToStrF changed the caller's environment", [&] {
           return optics::FloatToStrF(v, optics::FloatFormat::ffGeneral, precision, 0, separator);
         });
}

bool SameBits(std::optional<Extended> a, std::optional<Extended> b) {
  if (a.has_value() != b.has_value()) return false;
  if (!a) return true;
  const optics::ExtendedBits x = optics::ExtendedBits::Of(a->value());
  const optics::ExtendedBits y = optics::ExtendedBits::Of(b->value());
  return x.significand == y.significand && x.sign_exponent == y.sign_exponent;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const int precision = static_cast<int>(size % 20);  // 0 ... 19: clamped to 2 ... 18

  for (const char32_t separator : {U'.', U','}) {
    optics::EstablishArithmeticEnvironment();
    const std::optional<Extended> v = Parse(text, separator);
    std::string shown;
    if (v) {
      shown = Texts(text, *v, precision, separator);
      try {
        (void)Texts(text, optics::Double::Store(*v), precision, separator);
      } catch (const optics::EOverflow&) {
      }
    }

    // The same conversions for a caller with other settings.
    EnterForeignEnvironment();
    const std::optional<Extended> w = Parse(text, separator);
    const std::string shown_again = w ? Texts(text, *w, precision, separator) : std::string();
    optics::EstablishArithmeticEnvironment();
    if (!SameBits(v, w)) Fail("StrToFloat depends on the caller's x87 or SSE settings", text);
    if (shown != shown_again) Fail("FloatToStr depends on the caller's x87 or SSE settings", text);
  }
  return 0;
}
