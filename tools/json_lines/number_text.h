// Exact answers about the text of a JSON number, for what its nearest double
// cannot tell: whether it denotes an integer, and whether it lies beyond the
// range of doubles.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace optics::json_lines {

// Whether text is exactly one JSON number:
// -?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?
//   "-0.5e+3" -> true    "01" -> false    "1." -> false    "+1" -> false
bool IsNumberText(std::string_view text);

// The integer a number text denotes exactly, when it is one in the int64
// range; judged from the digits, never through a double. The text is a JSON
// number, except that its decimal point may be any other character (the
// parser hands it over with the C library's point, "," in some locales).
//   "7" -> 7    "7.0" -> 7    "70e-1" -> 7    "-0" -> 0    "1E2" -> 100
//   "7.5" -> nullopt    "7.0000000000000000001" -> nullopt
//   "9223372036854775808" -> nullopt    "-9223372036854775808" -> INT64_MIN
std::optional<std::int64_t> ExactInteger(std::string_view text);

// Whether a JSON number text lies so far beyond the largest double that its
// nearest double is an infinity. Tiny numbers are no such numbers: they
// round to zero or a subnormal.
//   "1e308" -> false    "1e309" -> true    "-2e308" -> true    "1e-400" -> false
bool BeyondDoubleRange(std::string_view text);

}  // namespace optics::json_lines
