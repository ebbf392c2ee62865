// A request line as nlohmann's parser is given it. The parser refuses a few
// things the probes have always read, and reads NUL and a leading byte order
// mark unlike they always have; so the line is rewritten first, in ways that
// keep every offset recoverable:
//  - a space goes in front, so that a byte order mark is no mark to the
//    parser but, as always, text that is no JSON;
//  - each byte that starts no UTF-8 sequence becomes the marker, a
//    supplementary code point that the line does not hold, which the strings
//    turn back into the byte;
//  - NUL, to the parser the end of the text, becomes U+0001: like NUL no
//    JSON outside strings and a control character inside them;
//  - an escaped surrogate without its partner becomes "\ufffd", the
//    character it has always been read as;
//  - a number beyond the double range, which the parser refuses, becomes a
//    finite number of the same length ("1e400" -> "1e308") that stands in
//    for the infinity.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace optics::json_lines {

struct PreparedLine {
  struct StandIn {
    std::size_t end = 0;  // where the number ends in text
    bool negative = false;
  };

  std::string_view original;  // the line as it came
  std::string text;           // what the parser reads
  std::string marker;         // UTF-8 of the marker; empty when every byte is UTF-8
  std::vector<std::size_t> marker_at;  // where each marker starts in text, ascending
  std::string replaced;                // the byte each marker stands for, in order
  std::vector<StandIn> stand_ins;      // ascending by end

  // The offset in original of the byte at offset at of text (the marker's
  // byte for any byte of a marker); the end of text maps to the end of
  // original.
  //   "\xff" "x" -> text " <marker>x": 5 -> 1, 2 -> 0, 6 -> 2
  std::size_t OriginalOffset(std::size_t at) const;

  // Puts a stand-in for the number at text[begin, end), which lies beyond
  // the double range and is at least 5 characters long (6 when negative).
  //   "-1e400" -> "-1e308"    "123e400" -> "1e0308"
  void StandInFor(std::size_t begin, std::size_t end);
};

// The line rewritten as above.
//   "{\"a\":\"\\udc00\"}" -> text " {\"a\":\"\\ufffd\"}"
PreparedLine PrepareLine(std::string_view line);

}  // namespace optics::json_lines
