// One back end of Extended seen from outside, for the test that holds the two
// against each other: the same source is compiled once for each back end
// (namespace x87_side or soft_side), and every answer is plain text, the
// result's bits in hex or the name of the failure, so that the two can be
// compared without either's types:
//   Parse("1.5", '.')            -> "3fffc000000000000000 3ff8000000000000"
//   Parse("1e400", '.')          -> "452fda763fc8cb9ff9e5 EOverflow"
//   Operate('/', 1, 0)           -> "EZeroDivide"
//   Format(2/3 as extended, 15)  -> "0.666666666666667"
#pragma once

#include <string>
#include <string_view>

#include "numeric/extended_bits.h"

#define OPTICAL_DECLARE_BACKEND_SIDE(side)                                              \
  namespace optics::side {                                                              \
  /* StrToFloat, then Double::Store of the value. */                                   \
  std::string Parse(std::string_view text, char32_t separator);                         \
  /* FloatToStrF(v, ffGeneral, precision, 0, separator). */                             \
  std::string Format(ExtendedBits v, int precision, char32_t separator);                \
  /* The checked operation op on a and b: + - * / as the operators, 's' Sqrt(a),       \
     'n' -a, 'q' Square(a), 'p' Power(a, b), 'd' the store (a - b) into a Double,       \
     'f' the formula (a * b - a) / b stored into a Double. */                           \
  std::string Operate(char op, ExtendedBits a, ExtendedBits b);                         \
  /* IntPower(a, n). */                                                                 \
  std::string IntegerPower(ExtendedBits a, int n);                                      \
  }

OPTICAL_DECLARE_BACKEND_SIDE(x87_side)
OPTICAL_DECLARE_BACKEND_SIDE(soft_side)
