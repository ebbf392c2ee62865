#include <atomic>
#include <cstdint>

#include "numeric/decimal.h"
#include "numeric/fpu_environment.h"
#include "numeric/utf8.h"

namespace optics {
namespace {

std::atomic<char32_t> g_decimal_separator{U'.'};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The parse proper; false when the text is no number.
bool Parse(std::string_view text, char32_t separator, long double& result) {
  const std::size_t n = text.size();
  std::size_t i = 0;
  while (i < n && text[i] == ' ') ++i;

  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }

  long double a = 0.0L;
  bool numeric = false;
  while (i < n && IsDigit(text[i])) {
    a = a * 10;
    a = a + (text[i] - '0');
    ++i;
    numeric = true;
  }

  std::int64_t exponent = 0;
  const std::string sep = utf8::Encode(separator);
  if (text.substr(i).starts_with(sep)) {
    i += sep.size();
    numeric = true;
    while (i < n && IsDigit(text[i])) {
      a = a * 10;
      a = a + (text[i] - '0');
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

  // Below -5120 every scaling gives zero; clamping keeps the count in range.
  if (exponent < -5120) exponent = -5120;
  long double v = scalePow10(a, static_cast<int>(exponent));
  if (!detail::IsFinite(a) || !detail::IsFinite(v)) return false;
  if (negative) v = -v;
  result = v;
  return true;
}

}  // namespace

char32_t DecimalSeparator() { return g_decimal_separator.load(std::memory_order_relaxed); }

void SetDecimalSeparator(char32_t separator) {
  g_decimal_separator.store(separator, std::memory_order_relaxed);
}

Extended StrToFloat(std::string_view text) { return StrToFloat(text, DecimalSeparator()); }

Extended StrToFloat(std::string_view text, char32_t separator) {
  long double v = 0.0L;
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

}  // namespace optics
