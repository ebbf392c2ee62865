// The writing: nlohmann's compact dump, with the strings made valid UTF-8
// first and its short escapes (\n) and raw U+007F-U+009F put in the \u00xx
// form the answers have always used.
#include "json_lines/json_lines.h"
#include "numeric/utf8.h"

namespace optics::json_lines {
namespace {

constexpr char kHex[] = "0123456789abcdef";

bool IsUtf8(std::string_view s) {
  char32_t c = 0;
  for (std::size_t i = 0; i < s.size();) {
    if (!utf8::Next(s, i, c)) return false;
  }
  return true;
}

// Each byte that starts no UTF-8 sequence becomes U+FFFD.
//   "\xff" "1\xe2\x82" -> "\uFFFD" "1" "\uFFFD\uFFFD"
std::string ValidUtf8(std::string_view s) {
  std::string out;
  for (std::size_t i = 0; i < s.size();) {
    const std::size_t start = i;
    char32_t c = 0;
    if (utf8::Next(s, i, c)) {
      out.append(s.substr(start, i - start));
    } else {
      out += "\xEF\xBF\xBD";
    }
  }
  return out;
}

// Makes every string and member name of v valid UTF-8. Recurses once per
// level of nesting.
void MakeUtf8(Json& v) {
  if (v.is_string()) {
    auto& s = v.get_ref<std::string&>();
    if (!IsUtf8(s)) s = ValidUtf8(s);
  } else if (v.is_array()) {
    for (Json& e : v) MakeUtf8(e);
  } else if (v.is_object()) {
    auto& members = v.get_ref<Json::object_t&>();
    bool names_valid = true;
    for (auto& [name, e] : members) {
      MakeUtf8(e);
      names_valid = names_valid && IsUtf8(name);
    }
    if (names_valid) return;
    Json::object_t renamed;
    for (auto& [name, e] : members) renamed.emplace_back(ValidUtf8(name), std::move(e));
    members = std::move(renamed);
  }
}

// nlohmann writes \b \f \n \r \t for five control characters and U+007F to
// U+009F as they are; the answers have \u00xx for all of them. Outside
// strings the dump has neither a backslash nor a byte above 0x7E, and
// inside them a backslash always begins an escape.
std::string LongEscapes(std::string_view dumped) {
  std::string out;
  out.reserve(dumped.size());
  const auto escape = [&](unsigned char c) {
    out += "\\u00";
    out += kHex[c >> 4];
    out += kHex[c & 0xF];
  };
  for (std::size_t i = 0; i < dumped.size(); ++i) {
    const auto c = static_cast<unsigned char>(dumped[i]);
    const unsigned char next = i + 1 < dumped.size() ? static_cast<unsigned char>(dumped[i + 1]) : 0;
    if (c == '\\') {
      static constexpr std::string_view kShort = "bfnrt";
      static constexpr unsigned char kCode[] = {0x08, 0x0C, 0x0A, 0x0D, 0x09};
      const std::size_t k = kShort.find(static_cast<char>(next));
      if (k != std::string_view::npos) {
        escape(kCode[k]);
      } else {
        out += '\\';
        out += static_cast<char>(next);  // \\, \" or \u00xx
      }
      ++i;
    } else if (c == 0x7F) {
      escape(c);
    } else if (c == 0xC2 && next >= 0x80 && next <= 0x9F) {  // U+0080-U+009F
      escape(next);
      ++i;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

}  // namespace

std::string WriteJsonLine(Json value) {
  MakeUtf8(value);
  return LongEscapes(value.dump(-1, ' ', false, Json::error_handler_t::strict));
}

}  // namespace optics::json_lines
