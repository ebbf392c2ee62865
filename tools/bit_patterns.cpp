#include "bit_patterns.h"

#include "numeric/extended_bits.h"

namespace optics::numtext {
namespace {

constexpr char kHex[] = "0123456789abcdef";

void AppendHex(std::string& out, std::uint64_t bits, int digits) {
  for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) out += kHex[(bits >> shift) & 0xF];
}

// The value of 1 to 16 hex digits; nullopt at any other character.
std::optional<std::uint64_t> HexValue(std::string_view hex) {
  std::uint64_t v = 0;
  for (const char c : hex) {
    int d;
    if (c >= '0' && c <= '9') {
      d = c - '0';
    } else if (c >= 'a' && c <= 'f') {
      d = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
      d = c - 'A' + 10;
    } else {
      return std::nullopt;
    }
    v = v << 4 | static_cast<std::uint64_t>(d);
  }
  return v;
}

}  // namespace

std::string DoubleHex(double v) {
  std::string out;
  AppendHex(out, DoubleBits::Of(v), 16);
  return out;
}

std::string ExtendedHex(Extended v) {
  const ExtendedBits b = v.Bits();
  std::string out;
  AppendHex(out, b.sign_exponent, 4);
  AppendHex(out, b.significand, 16);
  return out;
}

std::optional<double> DoubleFromHex(std::string_view hex) {
  if (hex.size() != kDoubleHexDigits) return std::nullopt;
  const auto bits = HexValue(hex);
  if (!bits) return std::nullopt;
  return DoubleBits::ToDouble(*bits);
}

std::optional<Extended> ExtendedFromHex(std::string_view hex) {
  if (hex.size() != kExtendedHexDigits) return std::nullopt;
  const auto sign_exponent = HexValue(hex.substr(0, 4));
  const auto significand = HexValue(hex.substr(4));
  if (!sign_exponent || !significand) return std::nullopt;
  return Extended::FromBits(static_cast<std::uint16_t>(*sign_exponent), *significand);
}

}  // namespace optics::numtext
