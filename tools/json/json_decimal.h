// The decimal form of a JSON number text, for the exact questions that its
// nearest double cannot answer (is it an integer? too large or too small?).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace optics::json::detail {

// Whether text is exactly one JSON number:
// -?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?
//   "-0.5e+3" -> true    "01" -> false    "1." -> false    "+1" -> false
inline bool IsNumberText(std::string_view text) {
  std::size_t i = 0;
  const auto digit = [&] { return i < text.size() && text[i] >= '0' && text[i] <= '9'; };
  const auto digits = [&] {
    if (!digit()) return false;
    while (digit()) ++i;
    return true;
  };
  if (i < text.size() && text[i] == '-') ++i;
  if (i < text.size() && text[i] == '0') {
    ++i;
  } else if (!digits()) {
    return false;
  }
  if (i < text.size() && text[i] == '.') {
    ++i;
    if (!digits()) return false;
  }
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (!digits()) return false;
  }
  return i == text.size();
}

// value = (negative ? -1 : 1) * 0.<digits> * 10^exponent
struct Decimal {
  bool negative = false;
  std::string digits;         // significant digits: no leading or trailing '0'; empty for zero
  std::int64_t exponent = 0;  // meaningless for zero
};

// The decimal form of a text for which IsNumberText holds. The exponent part saturates
// at +-10^15, far beyond any double or integer.
//   "-12.50" -> {true, "125", 2}    "0.003e2" -> {false, "3", 0}    "0e9" -> {false, "", -}
inline Decimal ToDecimal(std::string_view text) {
  constexpr std::int64_t kExponentLimit = 1'000'000'000'000'000;
  Decimal d;
  std::size_t i = 0;
  if (i < text.size() && text[i] == '-') {
    d.negative = true;
    ++i;
  }
  std::int64_t point = 0;  // digits before the decimal point, leading zeros excluded
  bool seen_point = false;
  for (; i < text.size() && text[i] != 'e' && text[i] != 'E'; ++i) {
    const char c = text[i];
    if (c == '.') {
      seen_point = true;
      continue;
    }
    if (d.digits.empty() && c == '0') {
      if (seen_point) --point;  // a leading zero after the point shifts the scale
      continue;
    }
    d.digits += c;
    if (!seen_point) ++point;
  }
  std::int64_t exponent = 0;
  if (i < text.size()) {
    ++i;  // 'e' or 'E'
    bool exponent_negative = false;
    if (text[i] == '+' || text[i] == '-') exponent_negative = text[i++] == '-';
    for (; i < text.size(); ++i) {
      if (exponent < kExponentLimit) exponent = exponent * 10 + (text[i] - '0');
    }
    if (exponent_negative) exponent = -exponent;
  }
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
  d.exponent = point + exponent;
  return d;
}

}  // namespace optics::json::detail
