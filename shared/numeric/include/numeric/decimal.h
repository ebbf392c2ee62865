// Decimal number text: reading numbers typed into edit fields and writing
// numbers as the calculators show them.
//
// Both directions compute in extended arithmetic, as the calculators always
// have: the parse accumulates the digits in extended and scales once by a
// power of ten; the formatter makes 18 decimal digits in extended and then
// rounds that digit string half up. Neither is a correctly rounded
// conversion, and the shown digits depend on exactly these steps.
//
// Texts are UTF-8. The decimal separator is one character (a code point).
// Every conversion runs inside a ConversionScope: whatever the caller's x87
// settings, it computes with a 64-bit significand and round to nearest, and
// leaves the caller's control word and exception flags as they were (the
// software back end always computes so and touches neither).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "numeric/extended.h"

namespace optics {
inline namespace OPTICAL_EXTENDED_NAMESPACE {

// The process-wide decimal separator, "." until the application reads the
// user's locale. Read by every conversion below that takes no separator.
char32_t DecimalSeparator();
void SetDecimalSeparator(char32_t separator);

// Reads a whole text as a number, in these steps:
//   spaces (U+0020 only); an optional "+" or "-"; integer digits, each
//   accumulated as A := A * 10, A := A + digit in extended; optionally the
//   separator and fraction digits accumulated the same way (f of them); at
//   least one digit or the separator must have come; an optional exponent,
//   "E" or "e", an optional sign and digits read until the exponent reaches
//   500 or more (no digits is exponent 0); spaces. Then v := scalePow10(A,
//   exponent - f), negated after "-".
// Fails with EConvertError "'<text>' は浮動小数点数ではありません" when a
// character is left over, nothing numeric came, or A or v overflowed the
// extended range. A value below the extended range becomes a denormal or 0.
// Time is linear in the length of the text. A text of at most 19 digits
// whose power of ten lies within 10^-27 ... 10^27 (what people type) has
// as its value a single rounding of the exact decimal; that value is found
// in integer arithmetic, bit for bit the same, without the x87 unit.
//   "1.5" -> 1.5     " +.5 " -> 0.5    "." -> 0     "-0" -> -0
//   "1e" -> 1        "1e4999" -> EConvertError     "1e5000" -> EConvertError
//   "1e400" -> 1e400 (an extended value; storing it in a double overflows)
//   "5.876471" -> the extended value that a Double store rounds to
//                 0x1.781819d2391d6p+2 (one unit above the nearest double)
Extended StrToFloat(std::string_view text);
Extended StrToFloat(std::string_view text, char32_t separator);

// The digit record of a value: 0.d1 d2 ... dk * 10^exponent.
struct FloatDigits {
  static constexpr std::int16_t kInfinity = 32767;
  static constexpr std::int16_t kNaN = -32768;

  std::int16_t exponent = 0;
  bool negative = false;
  std::uint8_t count = 0;  // number of digits, 0 ... 18; no trailing zeros
  char digits[18] = {};    // ASCII

  std::string_view Digits() const { return {digits, count}; }
};

// The digit record of v with the given precision (clamped to 2 ... 18):
// 18 digits of |v| * 10^(18 - E) rounded to an integer (ties to even) in
// extended, with E = floor(e * 19728 / 65536) + 1 from the binary exponent
// e; then that string rounded half up to the precision and stripped of
// trailing zeros. Zero (either sign) and extended denormals give exponent 0
// and no digits; infinities exponent kInfinity; NaNs kNaN.
//   (0.52818155, 7) -> "5281816", exponent 0    (1e100, 15) -> "1", exponent 101
FloatDigits FloatToDigits(Extended v, int precision);

enum class FloatFormat { ffGeneral };

// General format: scientific ("1.234568E7", "5.0372E-12") when the decimal
// exponent X of the digit record is above the precision or below -3, fixed
// ("0.0001", "1500", "1234567.8") otherwise; "INF", "-INF", "NAN" for the
// special values. Never a "+", a fill or a thousands separator; the exponent
// has no leading zeros. The precision is clamped to 2 ... 18; digits has no
// effect in ffGeneral.
//   FloatToStrF(12345678.9, ffGeneral, 7, 6) -> "1.234568E7"
//   FloatToStrF(9999999.5,  ffGeneral, 7, 6) -> "1E7"
std::string FloatToStrF(Extended v, FloatFormat format, int precision, int digits);
std::string FloatToStrF(Extended v, FloatFormat format, int precision, int digits,
                        char32_t separator);

// FloatToStrF(v, ffGeneral, 15, 0).
//   2/3 -> "0.666666666666667"    1e15 -> "1E15"    1e14 -> "100000000000000"
std::string FloatToStr(Extended v);
std::string FloatToStr(Extended v, char32_t separator);

// x * 10^n, applying the factors 10^(m mod 32), 10^(32 * ((m div 32) mod 16))
// and 10^(512 * (m div 512)) for m = |n| in this order, each a product (n > 0)
// or a quotient (n < 0) rounded to extended. Each factor is the extended value
// nearest to the exact power. For n <= -5120 the result is 0 (of x's sign);
// for n >= 5120 it is an infinity unless x is 0.
Extended scalePow10(Extended x, int n);

}  // inline namespace OPTICAL_EXTENDED_NAMESPACE
}  // namespace optics
