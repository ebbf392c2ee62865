#include <atomic>
#include <cstdint>

#include "numeric/decimal.h"
#include "numeric/fpu_environment.h"
#include "numeric/utf8.h"
#include "short_decimal.h"

namespace optics {
inline namespace OPTICAL_EXTENDED_NAMESPACE {
namespace {

using detail::Raw;

std::atomic<char32_t> g_decimal_separator{U'.'};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Below this the next digit step n * 10 + d stays under 10^19 < 2^64.
constexpr std::uint64_t kExactLimit = 1'000'000'000'000'000'000ull;

// The digits gathered in an integer as long as the digits so far form an
// integer below 10^18: there each extended step A * 10, + digit of the parse
// is exact (its result is an integer below 2^64, which the 64-bit
// significand holds). long_text tells that a digit came beyond that.
struct IntegerDigits {
  std::uint64_t whole = 0;
  bool long_text = false;

  void Add(int digit) {
    if (whole < kExactLimit) {
      whole = whole * 10 + static_cast<std::uint64_t>(digit);
    } else {
      long_text = true;
    }
  }
};

// The digit accumulation A := A * 10, A := A + digit in extended, for texts
// with more digits: the integer first, and the extended steps, each rounded,
// from the first digit that could round. The extended steps are bare: an
// overflow to infinity is judged once at the end.
struct Accumulator {
  IntegerDigits integer;
  Raw a = backend::FromBits(0, 0);

  void Add(int digit) {
    if (!integer.long_text) {
      integer.Add(digit);
      if (!integer.long_text) return;
      a = backend::FromUint64(integer.whole);
    }
    a = backend::Multiply(a, backend::FromInt64(10));
    a = backend::Add(a, backend::FromInt64(digit));
  }

  Raw Value() const { return integer.long_text ? a : backend::FromUint64(integer.whole); }
};

// Whether text continues at i with the size bytes of sep.
bool HasAt(std::string_view text, std::size_t i, const char* sep, std::size_t size) {
  if (text.size() - i < size) return false;
  for (std::size_t k = 0; k < size; ++k) {
    if (text[i + k] != sep[k]) return false;
  }
  return true;
}

// The parts of a number text: its sign, its digits (into Digits) and the
// power of ten that scales them (the exponent less the fraction digits).
struct Parts {
  bool negative = false;
  std::int64_t exponent = 0;
};

// Reads the text's syntax, handing each digit to digits; false when the
// text is no number.
template <class Digits>
bool Scan(std::string_view text, std::string_view sep, Digits& digits, Parts& parts) {
  const std::size_t n = text.size();
  std::size_t i = 0;
  while (i < n && text[i] == ' ') ++i;

  if (i < n && (text[i] == '+' || text[i] == '-')) {
    parts.negative = text[i] == '-';
    ++i;
  }

  bool numeric = false;
  while (i < n && IsDigit(text[i])) {
    digits.Add(text[i] - '0');
    ++i;
    numeric = true;
  }

  if (HasAt(text, i, sep.data(), sep.size())) {
    i += sep.size();
    numeric = true;
    while (i < n && IsDigit(text[i])) {
      digits.Add(text[i] - '0');
      --parts.exponent;
      ++i;
    }
  }
  if (!numeric) return false;

  if (i < n && (text[i] == 'E' || text[i] == 'e')) {
    ++i;
    bool exponent_negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
      exponent_negative = text[i] == '-';
      ++i;
    }
    int x = 0;
    while (x < 500 && i < n && IsDigit(text[i])) {
      x = 10 * x + (text[i] - '0');
      ++i;
    }
    parts.exponent += exponent_negative ? -x : x;
  }

  while (i < n && text[i] == ' ') ++i;
  return i == n;
}

// The value of a text with more digits or a larger power of ten: the digits
// accumulated in extended and scaled by scalePow10, inside a
// ConversionScope; false when the value overflowed.
bool ScaleInExtended(std::string_view text, std::string_view sep, Extended& result) {
  ConversionScope scope;
  Accumulator acc;
  Parts parts;
  (void)Scan(text, sep, acc, parts);  // the syntax is known to be good
  const Raw a = acc.Value();
  if (!detail::IsFinite(a)) return false;
  // Below -5120 every scaling gives zero; clamping keeps the count in range.
  std::int64_t exponent = parts.exponent;
  if (exponent < -5120) exponent = -5120;
  Raw v = scalePow10(Extended::FromRaw(a), static_cast<int>(exponent)).raw();
  if (!detail::IsFinite(v)) return false;
  if (parts.negative) v = backend::Negate(v);
  result = Extended::FromRaw(v);
  return true;
}

// The parse proper; false when the text is no number. A text whose digits
// fit the integer and whose power of ten is exact in extended has as its
// value one rounding of the exact decimal, which short_decimal computes in
// integers, bit for bit the same as the extended steps; every other text
// takes those steps.
bool Parse(std::string_view text, char32_t separator, Extended& result) {
  char sep_bytes[4];
  const std::string_view sep(sep_bytes, utf8::EncodeTo(separator, sep_bytes));

  IntegerDigits digits;
  Parts parts;
  if (!Scan(text, sep, digits, parts)) return false;
  ExtendedBits bits;
  if (digits.long_text || !short_decimal::Round(digits.whole, parts.exponent, bits)) {
    return ScaleInExtended(text, sep, result);
  }
  if (parts.negative) bits.sign_exponent |= ExtendedBits::kSignMask;
  result = Extended::FromBits(bits.sign_exponent, bits.significand);
  return true;
}

}  // namespace

char32_t DecimalSeparator() { return g_decimal_separator.load(std::memory_order_relaxed); }

void SetDecimalSeparator(char32_t separator) {
  g_decimal_separator.store(separator, std::memory_order_relaxed);
}

Extended StrToFloat(std::string_view text) { return StrToFloat(text, DecimalSeparator()); }

Extended StrToFloat(std::string_view text, char32_t separator) {
  Extended v;
  if (!Parse(text, separator, v)) {
    std::string message;
    message.reserve(text.size() + 40);
    message += '\'';
    message += text;
    message += "' は浮動小数点数ではありません";
    throw EConvertError(std::move(message));
  }
  return v;
}

}  // inline namespace OPTICAL_EXTENDED_NAMESPACE
}  // namespace optics
