#include <cstdint>

#include "numeric/decimal.h"
#include "numeric/fpu_environment.h"
#include "numeric/utf8.h"

namespace optics {
inline namespace OPTICAL_EXTENDED_NAMESPACE {
namespace {

using detail::Raw;

constexpr Raw kTenTo18 = backend::FromBits(0x403A, 0xDE0B6B3A76400000ull);  // 1e18, exact

int ClampPrecision(int precision) {
  if (precision < 2) return 2;
  if (precision > 18) return 18;
  return precision;
}

FloatDigits Digits(Extended v, int precision) {
  FloatDigits record;
  const ExtendedBits bits = v.Bits();
  const int biased = bits.BiasedExponent();
  const bool integer_bit = (bits.significand & ExtendedBits::kIntegerBit) != 0;

  if (biased == ExtendedBits::kExponentMask) {
    if (bits.significand == ExtendedBits::kIntegerBit) {
      record.exponent = FloatDigits::kInfinity;
      record.negative = bits.Negative();
    } else {
      record.exponent = FloatDigits::kNaN;  // NaNs and pseudo-infinities
    }
    return record;
  }
  if (biased == 0) return record;  // zero of either sign, denormals
  if (!integer_bit) {
    record.exponent = FloatDigits::kNaN;  // an unnormal: no number at all
    return record;
  }

  const int e = biased - ExtendedBits::kExponentBias;
  int exponent = ((e * 19728) >> 16) + 1;  // floor, also for negative e
  const Extended magnitude = Extended::FromRaw(backend::Abs(v.raw()));
  Raw n = backend::RoundToIntegral(scalePow10(magnitude, 18 - exponent).raw());
  if (backend::LessEqual(kTenTo18, n)) {
    n = backend::RoundToIntegral(backend::Divide(n, backend::FromInt64(10)));
    ++exponent;
  }

  char d[18];
  auto u = backend::IntegralToUint64(n);
  for (int i = 17; i >= 0; --i) {
    d[i] = static_cast<char>('0' + u % 10);
    u /= 10;
  }

  int count = precision;
  if (precision < 18 && d[precision] >= '5') {
    int i = precision - 1;
    while (i >= 0 && d[i] == '9') --i;
    if (i < 0) {
      d[0] = '1';
      count = 1;
      ++exponent;
    } else {
      ++d[i];
      count = i + 1;
    }
  }
  while (count > 0 && d[count - 1] == '0') --count;

  record.exponent = static_cast<std::int16_t>(exponent);
  record.negative = bits.Negative();
  record.count = static_cast<std::uint8_t>(count);
  for (int i = 0; i < count; ++i) record.digits[i] = d[i];
  return record;
}

std::string General(const FloatDigits& r, int precision, char32_t separator) {
  if (r.exponent == FloatDigits::kInfinity) return r.negative ? "-INF" : "INF";
  if (r.exponent == FloatDigits::kNaN) return "NAN";

  std::string out;
  out.reserve(32);
  if (r.negative) out += '-';
  const int x = r.exponent;
  const std::string_view digits = r.Digits();
  if (x > precision || x < -3) {
    out += digits.empty() ? '0' : digits[0];
    if (digits.size() > 1) {
      utf8::Append(out, separator);
      out += digits.substr(1);
    }
    out += 'E';
    if (x - 1 < 0) out += '-';
    out += std::to_string(x - 1 < 0 ? 1 - x : x - 1);
  } else if (x <= 0) {
    out += '0';
    if (!digits.empty()) {
      utf8::Append(out, separator);
      out.append(static_cast<std::size_t>(-x), '0');
      out += digits;
    }
  } else {
    const auto whole = static_cast<std::size_t>(x);
    if (digits.size() <= whole) {
      out += digits;
      out.append(whole - digits.size(), '0');
    } else {
      out += digits.substr(0, whole);
      utf8::Append(out, separator);
      out += digits.substr(whole);
    }
  }
  return out;
}

}  // namespace

FloatDigits FloatToDigits(Extended v, int precision) {
  ConversionScope scope;
  return Digits(v, ClampPrecision(precision));
}

std::string FloatToStrF(Extended v, FloatFormat format, int precision, int digits) {
  return FloatToStrF(v, format, precision, digits, DecimalSeparator());
}

std::string FloatToStrF(Extended v, FloatFormat /*format*/, int precision, int /*digits*/,
                        char32_t separator) {
  const int p = ClampPrecision(precision);
  FloatDigits record;
  {
    ConversionScope scope;
    record = Digits(v, p);
  }
  return General(record, p, separator);
}

std::string FloatToStr(Extended v) { return FloatToStrF(v, FloatFormat::ffGeneral, 15, 0); }

std::string FloatToStr(Extended v, char32_t separator) {
  return FloatToStrF(v, FloatFormat::ffGeneral, 15, 0, separator);
}

}  // inline namespace OPTICAL_EXTENDED_NAMESPACE
}  // namespace optics
