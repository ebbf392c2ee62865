// The operations of backend_side.h on the back end this file is compiled
// for (OPTICAL_BACKEND_SIDE names its namespace).
#include "backend_side.h"

#include <cstdio>
#include <typeinfo>

#include "numeric/decimal.h"
#include "numeric/exceptions.h"
#include "numeric/extended.h"
#include "numeric/fpu_environment.h"
#include "numeric/power.h"

namespace optics::OPTICAL_BACKEND_SIDE {
namespace {

Extended Of(ExtendedBits b) { return Extended::FromBits(b.sign_exponent, b.significand); }

std::string FailureName(const Exception& e) {
  EstablishArithmeticEnvironment();
  if (dynamic_cast<const EZeroDivide*>(&e)) return "EZeroDivide";
  if (dynamic_cast<const EInvalidOp*>(&e)) return "EInvalidOp";
  if (dynamic_cast<const EOverflow*>(&e)) return "EOverflow";
  if (dynamic_cast<const EConvertError*>(&e)) return "EConvertError";
  return typeid(e).name();
}

template <class F>
std::string Answer(F f) {
  try {
    return f();
  } catch (const Exception& e) {
    return FailureName(e);
  }
}

std::string Held(Extended v) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "%04x%016llx", v.Bits().sign_exponent,
                static_cast<unsigned long long>(v.Bits().significand));
  return buf;
}
std::string DoubleHex(double d) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(DoubleBits::Of(d)));
  return buf;
}
std::string Stored(Double d) { return DoubleHex(d.value()); }

}  // namespace

std::string Parse(std::string_view text, char32_t separator) {
  return Answer([&] {
    const Extended v = StrToFloat(text, separator);
    return Held(v) + " " + Answer([&] { return DoubleHex(Double::Store(v)); });
  });
}

std::string Format(ExtendedBits v, int precision, char32_t separator) {
  return FloatToStrF(Of(v), FloatFormat::ffGeneral, precision, 0, separator);
}

std::string Operate(char op, ExtendedBits a_bits, ExtendedBits b_bits) {
  const Extended a = Of(a_bits), b = Of(b_bits);
  return Answer([&]() -> std::string {
    switch (op) {
      case '+': return Held(a + b);
      case '-': return Held(a - b);
      case '*': return Held(a * b);
      case '/': return Held(a / b);
      case 's': return Held(Sqrt(a));
      case 'n': return Held(-a);
      case 'q': return Held(Square(a));
      case 'p': return Held(Power(a, b));
      case 'd': return Stored(a - b);
      case 'f': return Stored((a * b - a) / b);
      default: return "unknown operation";
    }
  });
}

std::string IntegerPower(ExtendedBits a, int n) {
  return Answer([&] { return Held(IntPower(Of(a), n)); });
}

}  // namespace optics::OPTICAL_BACKEND_SIDE
