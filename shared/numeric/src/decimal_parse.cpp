#include <atomic>
#include <cstdint>

#include "numeric/decimal.h"
#include "numeric/fpu_environment.h"
#include "numeric/utf8.h"

namespace optics {
inline namespace OPTICAL_EXTENDED_NAMESPACE {
namespace {

using detail::Raw;

std::atomic<char32_t> g_decimal_separator{U'.'};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Below this the next digit step n * 10 + d stays under 10^19 < 2^64.
constexpr std::uint64_t kExactLimit = 1'000'000'000'000'000'000ull;

// The digit accumulation A := A * 10, A := A + digit in extended. As long as
// the digits so far form an integer below 10^18 each step is exact (its result
// is an integer below 2^64, which the 64-bit significand holds), so the
// digits are first gathered in an integer; the extended steps, each rounded,
// start with the first digit that could round. The result is the same value
// bit for bit, and a text of ordinary length never touches the extended
// arithmetic here. The extended steps are bare: an overflow to infinity is
// judged once at the end.
struct Accumulator {
  std::uint64_t whole = 0;
  Raw a = backend::FromBits(0, 0);
  bool extended = false;

  void Add(int digit) {
    if (!extended) {
      if (whole < kExactLimit) {
        whole = whole * 10 + static_cast<std::uint64_t>(digit);
        return;
      }
      a = backend::FromUint64(whole);
      extended = true;
    }
    a = backend::Multiply(a, backend::FromInt64(10));
    a = backend::Add(a, backend::FromInt64(digit));
  }

  Raw Value() const { return extended ? a : backend::FromUint64(whole); }
};

// Whether text continues at i with the size bytes of sep.
bool HasAt(std::string_view text, std::size_t i, const char* sep, std::size_t size) {
  if (text.size() - i < size) return false;
  for (std::size_t k = 0; k < size; ++k) {
    if (text[i + k] != sep[k]) return false;
  }
  return true;
}

// The parse proper; false when the text is no number.
bool Parse(std::string_view text, char32_t separator, Extended& result) {
  char sep[4];
  const std::size_t sep_size = utf8::EncodeTo(separator, sep);

  const std::size_t n = text.size();
  std::size_t i = 0;
  while (i < n && text[i] == ' ') ++i;

  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }

  Accumulator acc;
  bool numeric = false;
  while (i < n && IsDigit(text[i])) {
    acc.Add(text[i] - '0');
    ++i;
    numeric = true;
  }

  std::int64_t exponent = 0;
  if (HasAt(text, i, sep, sep_size)) {
    i += sep_size;
    numeric = true;
    while (i < n && IsDigit(text[i])) {
      acc.Add(text[i] - '0');
      --exponent;
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
    exponent += exponent_negative ? -x : x;
  }

  while (i < n && text[i] == ' ') ++i;
  if (i != n) return false;

  const Raw a = acc.Value();
  if (!detail::IsFinite(a)) return false;
  // Below -5120 every scaling gives zero; clamping keeps the count in range.
  if (exponent < -5120) exponent = -5120;
  Raw v = scalePow10(Extended::FromRaw(a), static_cast<int>(exponent)).raw();
  if (!detail::IsFinite(v)) return false;
  if (negative) v = backend::Negate(v);
  result = Extended::FromRaw(v);
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
  bool ok;
  {
    ConversionScope scope;
    ok = Parse(text, separator, v);
  }
  if (!ok) {
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
