// A second, independent implementation of the decimal conversions of
// decimal.h, written with GNU MPFR instead of the x87 unit: every step is an
// MPFR operation at 64 bits, with the exponent range and the denormals of the
// extended format, so that each result is what the x87 unit must produce.
// The differential tests compare the library with it bit for bit.
//
// Values go in and out as Extended, and the model reads and writes only
// their bit patterns (Extended::Bits, Extended::FromBits): no arithmetic of
// either back end takes part, and the model runs wherever the library does.
//
// The model keeps MPFR's exponent range as it found it; it is not meant to
// be used from more than one thread.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "numeric/decimal.h"

namespace optics::reference {

// The separator as UTF-8 bytes.
std::string Utf8(char32_t code_point);

// StrToFloat: valid is false where the library must throw EConvertError.
struct ParseOutcome {
  bool valid = false;
  Extended value;
};
ParseOutcome StrToFloat(std::string_view text, char32_t separator);

// The checked store of an extended value into a double: overflow is true
// where Double::Store must throw EOverflow.
struct StoreOutcome {
  bool overflow = false;
  double value = 0.0;
};
StoreOutcome Store(Extended v);

// scalePow10(x, n), for any extended x that is not a NaN.
Extended ScalePow10(Extended x, int n);

// FloatToDigits and the general layout of FloatToStrF, for standard
// encodings (normal, denormal, zero, infinity, NaN).
FloatDigits FloatToDigits(Extended v, int precision);
std::string FloatToStrF(Extended v, int precision, char32_t separator);

// Decimal digits of the positive value (significand + half/2) * 2^exponent2
// (half: one more bit below the significand, for midpoints): `count`
// significant digits rounded to nearest (direction 0), toward zero
// (direction < 0) or away from zero (direction > 0); count 0 gives all
// digits of the exact value, without trailing zeros. The value is
// 0.digits * 10^exponent10.
struct DecimalDigits {
  std::string digits;
  long exponent10 = 0;
};
DecimalDigits ToDecimal(std::uint64_t significand, bool half, long exponent2, int count,
                        int direction);

}  // namespace optics::reference
