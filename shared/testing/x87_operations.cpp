#include "x87_operations.h"

#include "numeric/extended_bits.h"

#include <cstring>

namespace optics::x87 {
namespace {

using soft::Float80;

long double Load(Float80 a) { return ExtendedBits{a.significand, a.sign_exponent}.ToLongDouble(); }

Float80 Bits(long double v) {
  const ExtendedBits b = ExtendedBits::Of(v);
  return Float80{b.significand, b.sign_exponent};
}

// The flags are cleared just before the instruction and read just after it;
// the operands and results pass through volatile memory, so that the
// compiler can neither fold nor move the operation across the two.
void ClearFlags() { __asm__ volatile("fnclex" ::: "memory"); }
std::uint8_t ReadFlags() {
  std::uint16_t sw;
  __asm__ volatile("fnstsw %0" : "=m"(sw) : : "memory");
  return static_cast<std::uint8_t>(sw & 0x3F);
}

template <class Op>
Result Binary(Float80 a, Float80 b, Op op) {
  volatile long double x = Load(a), y = Load(b);
  ClearFlags();
  volatile long double r = op(x, y);
  const std::uint8_t flags = ReadFlags();
  return {Bits(r), flags};
}

// One x87 instruction on ST(0) = a, written as inline assembly where C++
// has no operator for it.
#define OPTICAL_X87_UNARY(name, instruction)                                           \
  Result name(Float80 a) {                                                             \
    long double x = Load(a), r;                                                        \
    std::uint16_t sw;                                                                  \
    __asm__ volatile("fnclex\n\tfldt %2\n\t" instruction "\n\tfnstsw %1\n\tfstpt %0"   \
                     : "=m"(r), "=m"(sw)                                               \
                     : "m"(x)                                                          \
                     : "memory");                                                      \
    return {Bits(r), static_cast<std::uint8_t>(sw & 0x3F)};                            \
  }

OrderingResult Ordered(bool zf, bool pf, bool cf, std::uint16_t sw) {
  soft::Ordering o = soft::Ordering::kGreater;
  if (pf) {
    o = soft::Ordering::kUnordered;
  } else if (zf) {
    o = soft::Ordering::kEqual;
  } else if (cf) {
    o = soft::Ordering::kLess;
  }
  return {o, static_cast<std::uint8_t>(sw & 0x3F)};
}

}  // namespace

Result Add(Float80 a, Float80 b) {
  return Binary(a, b, [](long double x, long double y) { return x + y; });
}
Result Subtract(Float80 a, Float80 b) {
  return Binary(a, b, [](long double x, long double y) { return x - y; });
}
Result Multiply(Float80 a, Float80 b) {
  return Binary(a, b, [](long double x, long double y) { return x * y; });
}
Result Divide(Float80 a, Float80 b) {
  return Binary(a, b, [](long double x, long double y) { return x / y; });
}

OPTICAL_X87_UNARY(SquareRoot, "fsqrt")
OPTICAL_X87_UNARY(Negate, "fchs")
OPTICAL_X87_UNARY(RoundToIntegral, "frndint")

Result ScaleByPowerOfTwo(Float80 a, std::int32_t n) {
  long double x = Load(a), r;
  std::uint16_t sw;
  __asm__ volatile(
      "fildl %3\n\tfldt %2\n\tfnclex\n\tfscale\n\tfnstsw %1\n\tfstp %%st(1)\n\tfstpt %0"
      : "=m"(r), "=m"(sw)
      : "m"(x), "m"(n)
      : "memory");
  return {Bits(r), static_cast<std::uint8_t>(sw & 0x3F)};
}

OrderingResult Compare(Float80 a, Float80 b) {
  long double x = Load(a), y = Load(b);
  std::uint16_t sw;
  bool zf, pf, cf;
  __asm__ volatile(
      "fldt %5\n\tfldt %4\n\tfnclex\n\tfucomip %%st(1), %%st\n\tfnstsw %0\n\tfstp %%st(0)"
      : "=m"(sw), "=@ccz"(zf), "=@ccp"(pf), "=@ccc"(cf)
      : "m"(x), "m"(y)
      : "memory");
  return Ordered(zf, pf, cf, sw);
}

OrderingResult CompareSignaling(Float80 a, Float80 b) {
  long double x = Load(a), y = Load(b);
  std::uint16_t sw;
  bool zf, pf, cf;
  __asm__ volatile(
      "fldt %5\n\tfldt %4\n\tfnclex\n\tfcomip %%st(1), %%st\n\tfnstsw %0\n\tfstp %%st(0)"
      : "=m"(sw), "=@ccz"(zf), "=@ccp"(pf), "=@ccc"(cf)
      : "m"(x), "m"(y)
      : "memory");
  return Ordered(zf, pf, cf, sw);
}

Result FromDouble(std::uint64_t double_bits) {
  double d;
  std::memcpy(&d, &double_bits, sizeof d);
  volatile double in = d;
  ClearFlags();
  volatile long double r = in;
  const std::uint8_t flags = ReadFlags();
  return {Bits(r), flags};
}

Result FromInt64(std::int64_t v) {
  volatile std::int64_t in = v;
  ClearFlags();
  volatile long double r = static_cast<long double>(in);
  const std::uint8_t flags = ReadFlags();
  return {Bits(r), flags};
}

DoubleResult ToDouble(Float80 a) {
  volatile long double in = Load(a);
  ClearFlags();
  volatile double r = static_cast<double>(in);
  const std::uint8_t flags = ReadFlags();
  const double out = r;
  std::uint64_t bits;
  std::memcpy(&bits, &out, sizeof bits);
  return {bits, flags};
}

}  // namespace optics::x87
