#include "json_lines/prepared_line.h"

#include <algorithm>
#include <unordered_set>

#include "json_lines/number_text.h"
#include "numeric/utf8.h"

namespace optics::json_lines {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsNumberChar(char c) {
  return IsDigit(c) || c == '-' || c == '+' || c == '.' || c == 'e' || c == 'E';
}

// The value of four hex digits at text[at], or -1 when there are not four.
long Hex4(std::string_view text, std::size_t at) {
  if (at + 4 > text.size()) return -1;
  long v = 0;
  for (std::size_t k = 0; k < 4; ++k) {
    const char c = text[at + k];
    int h = -1;
    if (c >= '0' && c <= '9') h = c - '0';
    if (c >= 'a' && c <= 'f') h = c - 'a' + 10;
    if (c >= 'A' && c <= 'F') h = c - 'A' + 10;
    if (h < 0) return -1;
    v = v * 16 + h;
  }
  return v;
}

bool IsHigh(long c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLow(long c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The low surrogate escape after a high one at text[at] ("\uDC00"), or -1.
long LowAfter(std::string_view text, std::size_t at) {
  if (at + 2 > text.size() || text[at] != '\\' || text[at + 1] != 'u') return -1;
  const long low = Hex4(text, at + 2);
  return IsLow(low) ? low : -1;
}

// A supplementary code point that the line holds neither as UTF-8 nor as an
// escaped surrogate pair (wherever such an escape stands).
char32_t FreeMarker(std::string_view line) {
  std::unordered_set<char32_t> used;
  for (std::size_t i = 0; i < line.size();) {
    char32_t c = 0;
    if (utf8::Next(line, i, c) && c >= 0x10000) used.insert(c);
  }
  for (std::size_t i = 0; i + 12 <= line.size(); ++i) {
    if (line[i] != '\\' || line[i + 1] != 'u') continue;
    const long high = Hex4(line, i + 2);
    const long low = IsHigh(high) ? LowAfter(line, i + 6) : -1;
    if (low >= 0) used.insert(0x10000 + ((static_cast<char32_t>(high) - 0xD800) << 10) +
                              (static_cast<char32_t>(low) - 0xDC00));
  }
  for (char32_t c = 0x10FFFD; c >= 0x10000; --c) {
    if (!used.contains(c)) return c;
  }
  return 0xFFFD;  // a line of megabytes that holds every one: its bytes read as U+FFFD
}

// Every escape "\uD800".."\uDFFF" that is not half of a pair becomes "\ufffd".
// Outside strings a backslash is no JSON anyway, so the rewrite needs no
// knowledge of where strings are: same length, same errors.
void ReplaceLoneSurrogates(std::string& text) {
  for (std::size_t i = 0; i + 1 < text.size();) {
    if (text[i] != '\\') {
      ++i;
      continue;
    }
    const long c = text[i + 1] == 'u' ? Hex4(text, i + 2) : -1;
    if (c < 0) {
      i += 2;  // "\\", "\n", ... or a broken "\u" the parser reports
      continue;
    }
    if (IsHigh(c) && LowAfter(text, i + 6) >= 0) {
      i += 12;
      continue;
    }
    if (IsHigh(c) || IsLow(c)) text.replace(i + 2, 4, "fffd");
    i += 6;
  }
}

// Numbers outside strings that lie beyond the double range get stand-ins.
// A run of number characters that is no exact number is left alone; the
// reader puts a stand-in when the parser still refuses a number in it.
void StandInForHugeNumbers(PreparedLine& line) {
  const std::string& text = line.text;
  bool in_string = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (in_string) {
      if (c == '\\') ++i;
      if (c == '"') in_string = false;
      continue;
    }
    if (c == '"') in_string = true;
    if (c != '-' && !IsDigit(c)) continue;
    std::size_t end = i;
    while (end < text.size() && IsNumberChar(text[end])) ++end;
    const std::string_view run = std::string_view(text).substr(i, end - i);
    if (IsNumberText(run) && BeyondDoubleRange(run)) line.StandInFor(i, end);
    i = end - 1;
  }
}

}  // namespace

std::size_t PreparedLine::OriginalOffset(std::size_t at) const {
  if (at == 0) return 0;  // the space in front
  const std::size_t extra = marker.empty() ? 0 : marker.size() - 1;  // bytes a marker adds
  const auto after = std::upper_bound(marker_at.begin(), marker_at.end(), at);
  auto before = static_cast<std::size_t>(after - marker_at.begin());  // markers starting at or before
  if (before > 0 && at < marker_at[before - 1] + marker.size()) {
    --before;
    at = marker_at[before];
  }
  return at - 1 - before * extra;
}

void PreparedLine::StandInFor(std::size_t begin, std::size_t end) {
  const bool negative = text[begin] == '-';
  const std::string sign = negative ? "-" : "";
  text.replace(begin, end - begin, sign + "1e" + std::string(end - begin - sign.size() - 5, '0') + "308");
  const auto at = std::lower_bound(stand_ins.begin(), stand_ins.end(), end,
                                   [](const StandIn& s, std::size_t e) { return s.end < e; });
  stand_ins.insert(at, StandIn{end, negative});
}

PreparedLine PrepareLine(std::string_view line) {
  PreparedLine prepared;
  prepared.original = line;
  std::string& text = prepared.text;
  text.reserve(line.size() + 1);
  text += ' ';
  for (std::size_t i = 0; i < line.size();) {
    const std::size_t start = i;
    char32_t c = 0;
    if (utf8::Next(line, i, c)) {
      text.append(line.substr(start, i - start));
      if (c == 0) text.back() = '\x01';
      continue;
    }
    if (prepared.marker.empty()) prepared.marker = utf8::Encode(FreeMarker(line));
    prepared.marker_at.push_back(text.size());
    prepared.replaced += line[start];
    text += prepared.marker;
  }
  ReplaceLoneSurrogates(text);
  StandInForHugeNumbers(prepared);
  return prepared;
}

}  // namespace optics::json_lines
