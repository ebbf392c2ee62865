// The value type and the writer.
#include "json/json.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "json/json_decimal.h"
#include "numeric/utf8.h"

namespace optics::json {

Value::Value(double d) {
  if (!std::isfinite(d)) throw std::invalid_argument("JSON has no infinity or NaN");
  char buf[32];
  const auto r = std::to_chars(buf, buf + sizeof buf, d);
  data_ = Number{std::string(buf, r.ptr), d};
}

std::optional<std::int64_t> Value::ExactInteger() const {
  if (!IsNumber()) return std::nullopt;
  const detail::Decimal d = detail::ToDecimal(AsNumber().text);
  if (d.digits.empty()) return 0;
  const auto n = static_cast<std::int64_t>(d.digits.size());
  if (d.exponent < n || d.exponent > 19) return std::nullopt;  // a fraction, or 10^19 or more
  std::uint64_t u = 0;  // below 10^19, so it fits
  for (const char c : d.digits) u = u * 10 + static_cast<std::uint64_t>(c - '0');
  for (std::int64_t k = n; k < d.exponent; ++k) u *= 10;
  constexpr auto kMax = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
  if (!d.negative) {
    if (u > kMax) return std::nullopt;
    return static_cast<std::int64_t>(u);
  }
  if (u > kMax + 1) return std::nullopt;
  return u == kMax + 1 ? std::numeric_limits<std::int64_t>::min() : -static_cast<std::int64_t>(u);
}

const Value* Value::Find(std::string_view key) const {
  if (!IsObject()) return nullptr;
  for (const Member& m : AsObject()) {
    if (m.first == key) return &m.second;
  }
  return nullptr;
}

Value& Value::Add(std::string key, Value value) {
  if (IsNull()) data_ = Object{};
  AsObject().emplace_back(std::move(key), std::move(value));
  return *this;
}

ParseError::ParseError(const std::string& reason, std::size_t offset)
    : std::runtime_error(reason + " at byte " + std::to_string(offset)), offset_(offset) {}

namespace {

void WriteString(std::string& out, std::string_view s) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += '"';
  std::size_t i = 0;
  while (i < s.size()) {
    const auto b = static_cast<unsigned char>(s[i]);
    if (b >= 0x20 && b < 0x7F) {  // printable ASCII
      if (b == '"' || b == '\\') out += '\\';
      out += static_cast<char>(b);
      ++i;
      continue;
    }
    const std::size_t start = i;
    char32_t c;
    if (!utf8::Next(s, i, c)) {
      out += "\xEF\xBF\xBD";  // U+FFFD for a byte that starts no UTF-8 sequence
    } else if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) {
      out += "\\u00";
      out += kHex[c >> 4];
      out += kHex[c & 0xF];
    } else {
      out.append(s.substr(start, i - start));
    }
  }
  out += '"';
}

// The number's text; a Number built with a text that is no JSON number is
// written from its value instead, or as null when that is not finite.
void WriteNumber(std::string& out, const Number& n) {
  if (detail::IsNumberText(n.text)) {
    out += n.text;
  } else if (std::isfinite(n.value)) {
    out += Value(n.value).AsNumber().text;
  } else {
    out += "null";
  }
}

void WriteValue(std::string& out, const Value& v) {
  switch (v.kind()) {
    case Value::Kind::kNull:
      out += "null";
      break;
    case Value::Kind::kBool:
      out += v.AsBool() ? "true" : "false";
      break;
    case Value::Kind::kNumber:
      WriteNumber(out, v.AsNumber());
      break;
    case Value::Kind::kString:
      WriteString(out, v.AsString());
      break;
    case Value::Kind::kArray: {
      out += '[';
      bool first = true;
      for (const Value& e : v.AsArray()) {
        if (!first) out += ',';
        first = false;
        WriteValue(out, e);
      }
      out += ']';
      break;
    }
    case Value::Kind::kObject: {
      out += '{';
      bool first = true;
      for (const Member& m : v.AsObject()) {
        if (!first) out += ',';
        first = false;
        WriteString(out, m.first);
        out += ':';
        WriteValue(out, m.second);
      }
      out += '}';
      break;
    }
  }
}

}  // namespace

std::string Write(const Value& value) {
  std::string out;
  WriteValue(out, value);
  return out;
}

}  // namespace optics::json
