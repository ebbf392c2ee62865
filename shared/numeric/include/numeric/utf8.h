// The few UTF-8 steps the text routines need.
#pragma once

#include <string>
#include <string_view>

namespace optics::utf8 {

// Writes the UTF-8 bytes of code point c (at most U+10FFFF) to out, which
// has room for four; returns their number.
inline std::size_t EncodeTo(char32_t c, char* out) {
  if (c < 0x80) {
    out[0] = static_cast<char>(c);
    return 1;
  }
  if (c < 0x800) {
    out[0] = static_cast<char>(0xC0 | (c >> 6));
    out[1] = static_cast<char>(0x80 | (c & 0x3F));
    return 2;
  }
  if (c < 0x10000) {
    out[0] = static_cast<char>(0xE0 | (c >> 12));
    out[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out[2] = static_cast<char>(0x80 | (c & 0x3F));
    return 3;
  }
  out[0] = static_cast<char>(0xF0 | (c >> 18));
  out[1] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
  out[2] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
  out[3] = static_cast<char>(0x80 | (c & 0x3F));
  return 4;
}

// Appends the UTF-8 bytes of code point c (at most U+10FFFF).
inline void Append(std::string& out, char32_t c) {
  char bytes[4];
  out.append(bytes, EncodeTo(c, bytes));
}

inline std::string Encode(char32_t c) {
  std::string s;
  Append(s, c);
  return s;
}

// Decodes the well-formed sequence at text[i] and advances i past it; returns
// false (and advances by one byte) at a byte that starts no such sequence.
inline bool Next(std::string_view text, std::size_t& i, char32_t& c) {
  const auto b = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
  const auto cont = [&](std::size_t k) { return i + k < text.size() && (b(k) & 0xC0) == 0x80; };
  const unsigned char b0 = b(0);
  if (b0 < 0x80) {
    c = b0;
    i += 1;
    return true;
  }
  if (b0 >= 0xC2 && b0 <= 0xDF && cont(1)) {
    c = (char32_t{b0} & 0x1F) << 6 | (b(1) & 0x3F);
    i += 2;
    return true;
  }
  if (b0 >= 0xE0 && b0 <= 0xEF && cont(1) && cont(2)) {
    c = (char32_t{b0} & 0x0F) << 12 | char32_t(b(1) & 0x3F) << 6 | (b(2) & 0x3F);
    if (c >= 0x800 && (c < 0xD800 || c > 0xDFFF)) {
      i += 3;
      return true;
    }
  }
  if (b0 >= 0xF0 && b0 <= 0xF4 && cont(1) && cont(2) && cont(3)) {
    c = (char32_t{b0} & 0x07) << 18 | char32_t(b(1) & 0x3F) << 12 |
        char32_t(b(2) & 0x3F) << 6 | (b(3) & 0x3F);
    if (c >= 0x10000 && c <= 0x10FFFF) {
      i += 4;
      return true;
    }
  }
  c = b0;
  i += 1;
  return false;
}

}  // namespace optics::utf8
