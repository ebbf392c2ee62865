#include "json_lines/number_text.h"

#include <charconv>
#include <limits>
#include <string>

namespace optics::json_lines {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// value = (negative ? -1 : 1) * 0.<digits> * 10^point
struct Decimal {
  bool negative = false;
  std::string digits;      // significant digits: no leading or trailing '0'; empty for zero
  std::int64_t point = 0;  // meaningless for zero
};

// The exponent part saturates at 10^15, far beyond any double or integer.
//   "-12.50" -> {true, "125", 2}    "0.003e2" -> {false, "3", 0}    "0e9" -> {false, "", -}
Decimal ToDecimal(std::string_view text) {
  constexpr std::int64_t kExponentLimit = 1'000'000'000'000'000;
  Decimal d;
  std::size_t i = 0;
  if (i < text.size() && text[i] == '-') {
    d.negative = true;
    ++i;
  }
  bool seen_point = false;
  for (; i < text.size() && text[i] != 'e' && text[i] != 'E'; ++i) {
    const char c = text[i];
    if (!IsDigit(c)) {
      seen_point = true;
      continue;
    }
    if (d.digits.empty() && c == '0') {
      if (seen_point) --d.point;  // a leading zero after the point shifts the scale
      continue;
    }
    d.digits += c;
    if (!seen_point) ++d.point;
  }
  std::int64_t exponent = 0;
  bool exponent_negative = false;
  if (i < text.size()) ++i;  // 'e' or 'E'
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) exponent_negative = text[i++] == '-';
  for (; i < text.size(); ++i) {
    if (exponent < kExponentLimit) exponent = exponent * 10 + (text[i] - '0');
  }
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
  d.point += exponent_negative ? -exponent : exponent;
  return d;
}

}  // namespace

bool IsNumberText(std::string_view text) {
  std::size_t i = 0;
  const auto digits = [&] {
    const std::size_t start = i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    return i > start;
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

std::optional<std::int64_t> ExactInteger(std::string_view text) {
  const Decimal d = ToDecimal(text);
  if (d.digits.empty()) return 0;
  const auto n = static_cast<std::int64_t>(d.digits.size());
  if (d.point < n || d.point > 19) return std::nullopt;  // a fraction, or 10^19 or more
  std::uint64_t u = 0;  // below 10^19, so it fits
  for (const char c : d.digits) u = u * 10 + static_cast<std::uint64_t>(c - '0');
  for (std::int64_t k = n; k < d.point; ++k) u *= 10;
  constexpr auto kMax = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
  if (!d.negative) {
    if (u > kMax) return std::nullopt;
    return static_cast<std::int64_t>(u);
  }
  if (u > kMax + 1) return std::nullopt;
  return u == kMax + 1 ? std::numeric_limits<std::int64_t>::min() : -static_cast<std::int64_t>(u);
}

bool BeyondDoubleRange(std::string_view text) {
  double value = 0;
  const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
  if (r.ec != std::errc::result_out_of_range) return false;
  return ToDecimal(text).point > 0;  // out of range and at least 1: too large, not too small
}

}  // namespace optics::json_lines
