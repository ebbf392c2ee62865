// The reading: nlohmann's SAX parser over the prepared line, building the
// value with every member kept and each marker turned back into its byte.
#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <optional>
#include <vector>

#include "json_lines/json_lines.h"
#include "json_lines/number_text.h"
#include "json_lines/parse_error_reason.h"
#include "json_lines/prepared_line.h"

namespace optics::json_lines {
namespace {

// Hands the parser the text byte by byte and notes the offset of the byte it
// read last: the parser reads no further ahead than one byte after a number,
// so this tells where it stands.
class TrackedIterator {
 public:
  using iterator_category = std::input_iterator_tag;
  using value_type = char;
  using difference_type = std::ptrdiff_t;
  using pointer = const char*;
  using reference = const char&;

  TrackedIterator(const std::string& text, std::size_t at, std::size_t& last_read)
      : text_(&text), at_(at), last_read_(&last_read) {}

  reference operator*() const {
    *last_read_ = at_;
    return (*text_)[at_];
  }
  TrackedIterator& operator++() {
    ++at_;
    return *this;
  }
  TrackedIterator operator++(int) {
    TrackedIterator old = *this;
    ++at_;
    return old;
  }
  bool operator==(const TrackedIterator& other) const { return at_ == other.at_; }

 private:
  const std::string* text_;
  std::size_t at_;
  std::size_t* last_read_;
};

// nlohmann's SAX interface; builds the value and notes why the parse stopped.
class Builder {
 public:
  Builder(const PreparedLine& line, const std::size_t& last_read)
      : line_(line), last_read_(last_read) {}

  bool null() { return Put(nullptr) != nullptr; }
  bool boolean(bool b) { return Put(b) != nullptr; }
  bool number_integer(std::int64_t i) { return Put(i) != nullptr; }
  bool number_unsigned(std::uint64_t u) { return Put(u) != nullptr; }
  bool number_float(double value, const std::string& text) {
    // No digit follows a number with a fraction or an exponent: it ends at
    // the byte read last, or just after it at the end of the text.
    const std::size_t end =
        last_read_ + (line_.text[last_read_] >= '0' && line_.text[last_read_] <= '9' ? 1 : 0);
    const auto& stand_ins = line_.stand_ins;
    const auto s = std::lower_bound(
        stand_ins.begin(), stand_ins.end(), end,
        [](const PreparedLine::StandIn& x, std::size_t e) { return x.end < e; });
    if (s != stand_ins.end() && s->end == end) {
      const double inf = std::numeric_limits<double>::infinity();
      return Put(s->negative ? -inf : inf) != nullptr;
    }
    if (const auto i = ExactInteger(text)) return Put(*i) != nullptr;
    return Put(value) != nullptr;
  }
  bool string(std::string& s) { return Put(Restored(std::move(s))) != nullptr; }
  bool binary(Json::binary_t&) { return true; }  // no JSON text holds one
  bool key(std::string& k) {
    key_ = Restored(std::move(k));
    return true;
  }
  bool start_object(std::size_t) { return Open(Json::object()); }
  bool start_array(std::size_t) { return Open(Json::array()); }
  bool end_object() { return Close(); }
  bool end_array() { return Close(); }

  bool parse_error(std::size_t position, const std::string& last_token, const Json::exception& e) {
    if (e.id == 406) {  // a number beyond the double range that needs a stand-in yet
      huge_number_ = std::pair(position - last_token.size(), position);
      return false;
    }
    error_ = ParseErrorReason(line_, position, last_token, e.what());
    return false;
  }

  const std::optional<std::pair<std::size_t, std::size_t>>& huge_number() const {
    return huge_number_;
  }
  const std::optional<LineError>& error() const { return error_; }
  Json& result() { return root_; }

 private:
  // Places v in the innermost open array or object (as the root when none is
  // open); returns where it stands, valid while it is the innermost open one.
  Json* Put(Json v) {
    if (open_.empty()) {
      root_ = std::move(v);
      return &root_;
    }
    Json& parent = *open_.back();
    if (parent.is_array()) {
      parent.push_back(std::move(v));
      return &parent.back();
    }
    auto& members = parent.get_ref<Json::object_t&>();
    members.emplace_back(std::move(key_), std::move(v));  // not emplace: a name twice stays twice
    return &members.back().second;
  }

  bool Open(Json empty) {
    if (open_.size() == kMaxDepth) {
      error_ = LineError("arrays and objects nested deeper than " + std::to_string(kMaxDepth),
                         line_.OriginalOffset(last_read_));
      return false;
    }
    open_.push_back(Put(std::move(empty)));
    return true;
  }

  bool Close() {
    open_.pop_back();
    return true;
  }

  // s with each marker turned back into the byte it stands for.
  std::string Restored(std::string s) {
    const std::string& marker = line_.marker;
    if (marker.empty() || marker == "\xEF\xBF\xBD") return s;
    std::size_t at = s.find(marker);
    if (at == std::string::npos) return s;
    std::string out;
    std::size_t from = 0;
    for (; at != std::string::npos; at = s.find(marker, from)) {
      out.append(s, from, at - from);
      out += line_.replaced[next_replaced_++];
      from = at + marker.size();
    }
    out.append(s, from);
    return out;
  }

  const PreparedLine& line_;
  const std::size_t& last_read_;
  Json root_;
  std::vector<Json*> open_;
  std::string key_;
  std::size_t next_replaced_ = 0;
  std::optional<std::pair<std::size_t, std::size_t>> huge_number_;
  std::optional<LineError> error_;
};

}  // namespace

LineError::LineError(const std::string& reason, std::size_t offset)
    : std::runtime_error(reason + " at byte " + std::to_string(offset)), offset_(offset) {}

Json ReadJsonLine(std::string_view line) {
  PreparedLine prepared = PrepareLine(line);
  for (;;) {
    std::size_t last_read = 0;
    Builder builder(prepared, last_read);
    const std::string& text = prepared.text;
    const bool parsed = Json::sax_parse(TrackedIterator(text, 0, last_read),
                                        TrackedIterator(text, text.size(), last_read), &builder);
    if (const auto& huge = builder.huge_number()) {
      // Only a run like "1e400-" hides a number from PrepareLine, and the
      // parse fails right after it: one more parse at most.
      prepared.StandInFor(huge->first, huge->second);
      continue;
    }
    if (!parsed) throw builder.error().value();
    return std::move(builder.result());
  }
}

}  // namespace optics::json_lines
