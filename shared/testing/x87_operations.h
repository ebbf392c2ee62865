// The x87 side of the software arithmetic's differential test: each
// operation carried out by the x87 unit itself on the same 80 bits, with the
// exception flags it records in its status word for that one operation.
// Expects the control word 0x037F (see EstablishArithmeticEnvironment).
//   x87::Add({2^63, 0x3FFF}, {2^63, 0x3FFF}) -> {2^63, 0x4000}, flags 0
#pragma once

#include <cstdint>

#include "numeric/soft_float80.h"

namespace optics::x87 {

// The status word's six exception flags (IE DE ZE OE UE PE), in the bit
// positions of soft::Flags.
struct Result {
  soft::Float80 value;
  std::uint8_t flags;
};
struct DoubleResult {
  std::uint64_t bits;
  std::uint8_t flags;
};
struct OrderingResult {
  soft::Ordering ordering;
  std::uint8_t flags;
};

Result Add(soft::Float80 a, soft::Float80 b);         // FADD
Result Subtract(soft::Float80 a, soft::Float80 b);    // FSUB
Result Multiply(soft::Float80 a, soft::Float80 b);    // FMUL
Result Divide(soft::Float80 a, soft::Float80 b);      // FDIV
Result SquareRoot(soft::Float80 a);                   // FSQRT
Result Negate(soft::Float80 a);                       // FCHS
Result RoundToIntegral(soft::Float80 a);              // FRNDINT
Result ScaleByPowerOfTwo(soft::Float80 a, std::int32_t n);  // FILD n, FSCALE
OrderingResult Compare(soft::Float80 a, soft::Float80 b);            // FUCOMIP
OrderingResult CompareSignaling(soft::Float80 a, soft::Float80 b);   // FCOMIP
Result FromDouble(std::uint64_t double_bits);         // FLD m64
Result FromInt64(std::int64_t v);                     // FILD m64
DoubleResult ToDouble(soft::Float80 a);               // FSTP m64

}  // namespace optics::x87
