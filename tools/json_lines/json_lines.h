// The JSON of the probes (the conversion probe, the window driver): one JSON
// text per line in, one per line out, read and written with nlohmann::json.
// The reading keeps what the probes have always accepted and the exact
// reasons they give for a line that is no JSON; the writing keeps the form
// their answers have always had.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace optics::json_lines {

// Members keep the order of the text (or of their insertion).
using Json = nlohmann::ordered_json;

// A line that is no JSON. what() is "<reason> at byte <offset>", the offset
// counted in bytes of the line from 0.
class LineError : public std::runtime_error {
 public:
  LineError(const std::string& reason, std::size_t offset);
  std::size_t offset() const { return offset_; }

 private:
  std::size_t offset_;
};

// Arrays and objects nested deeper than this make no JSON line.
inline constexpr std::size_t kMaxDepth = 256;

// Reads one line as one JSON text (RFC 8259): a single value of any kind,
// with optional space, tab, LF or CR around it. Strict: no comments,
// trailing commas, single quotes, leading zeros, "+", NaN, Infinity, byte
// order mark, and no raw control characters in strings. Beyond the
// standard, and as the probes always have:
//  - string bytes that are not UTF-8 are kept as they are;
//  - an escaped surrogate without its partner is U+FFFD;
//  - an object keeps every member in the order of the text, a name given
//    twice included; find() and operator[] reach the first;
//  - a number is held as an integer when its text denotes one exactly in
//    the int64 range (7, 7.0, 70e-1), as an unsigned integer when it is
//    written as one above that range and below 2^64, else as its nearest
//    double (7.0000000000000000001 -> 7.0), an infinity beyond the double
//    range (1e400).
// Time and memory are linear in the length of the line.
//   "[1, \"a\"]"  -> [1,"a"]     "\"\\ud800x\"" -> "\uFFFD" "x"
//   "{\"a\":1,\"a\":2}" -> both members, find("a") -> 1
//   "[1,]" -> LineError "expected a value at byte 3"
//   "{"    -> LineError "expected a member name in double quotes at byte 1"
// Throws LineError.
Json ReadJsonLine(std::string_view line);

// Compact JSON on one line, members in their order. In strings, '"' and '\'
// are escaped with a backslash, U+0000-U+001F, U+007F and U+0080-U+009F as
// \u00xx (lower-case hex), each byte that is not part of valid UTF-8
// becomes U+FFFD, and everything else is written as UTF-8. The answers hold
// no floating-point numbers (values travel as hex bit patterns); one would
// be written the way nlohmann writes it (2.0 -> "2.0").
//   {"a":[1,true,null],"b":"x\ny\u00e9"} -> {"a":[1,true,null],"b":"x\u000ayé"}
std::string WriteJsonLine(Json value);

}  // namespace optics::json_lines
