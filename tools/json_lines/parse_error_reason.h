// The reason the probes give for a line that nlohmann's parser refuses, in
// the words and at the byte they have always named, worked out from the
// parser's report: where it stopped, the token it read last, and its message,
// which names what it was parsing and what its scanner found wrong.
//   " {"     stopped at the end, "object key"   -> "expected a member name in double quotes", 1
//   " [1 2]" stopped after "2",  "array"        -> "expected ',' or ']'", 3
//   " [01]"  stopped after "1",  "array"        -> "a number must not have a leading zero", 2
//   " \"a\x01" control character                -> "control character U+0001 must be escaped in a string", 2
#pragma once

#include <cstddef>
#include <string>

#include "json_lines/json_lines.h"
#include "json_lines/prepared_line.h"

namespace optics::json_lines {

// position is the parser's count of bytes read (the end of the text counts
// as one more), last_token the token it read last, what its message; all of
// them about line.text.
LineError ParseErrorReason(const PreparedLine& line, std::size_t position,
                           const std::string& last_token, const std::string& what);

}  // namespace optics::json_lines
