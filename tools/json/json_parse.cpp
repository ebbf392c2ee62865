// The strict parser: recursive descent over the bytes of the text.
#include <charconv>
#include <limits>

#include "json/json.h"
#include "json/json_decimal.h"
#include "numeric/utf8.h"

namespace optics::json {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  Value Document() {
    SkipSpace();
    Value v = ParseValue(0);
    SkipSpace();
    if (pos_ != text_.size()) Fail("unexpected text after the value");
    return v;
  }

 private:
  [[noreturn]] void Fail(const std::string& reason) const { throw ParseError(reason, pos_); }
  [[noreturn]] void FailAt(const std::string& reason, std::size_t at) const {
    throw ParseError(reason, at);
  }

  bool AtEnd() const { return pos_ >= text_.size(); }
  char Peek() const { return text_[pos_]; }

  void SkipSpace() {
    while (!AtEnd() && (Peek() == ' ' || Peek() == '\t' || Peek() == '\n' || Peek() == '\r')) {
      ++pos_;
    }
  }

  void Expect(char c, const char* what) {
    if (AtEnd() || Peek() != c) Fail(std::string("expected ") + what);
    ++pos_;
  }

  Value ParseValue(int depth) {
    if (AtEnd()) Fail("unexpected end of text, expected a value");
    switch (Peek()) {
      case '{':
        return ParseObject(depth + 1);
      case '[':
        return ParseArray(depth + 1);
      case '"':
        return ParseString();
      case 't':
        return Literal("true", Value(true));
      case 'f':
        return Literal("false", Value(false));
      case 'n':
        return Literal("null", Value());
      default:
        if (Peek() == '-' || IsDigit(Peek())) return ParseNumber();
        Fail("expected a value");
    }
  }

  Value Literal(std::string_view word, Value v) {
    if (text_.substr(pos_, word.size()) != word) Fail("expected a value");
    pos_ += word.size();
    return v;
  }

  void CheckDepth(int depth) const {
    if (depth > kMaxDepth) Fail("arrays and objects nested deeper than " + std::to_string(kMaxDepth));
  }

  Value ParseArray(int depth) {
    CheckDepth(depth);
    ++pos_;  // '['
    Array items;
    SkipSpace();
    if (!AtEnd() && Peek() == ']') {
      ++pos_;
      return items;
    }
    for (;;) {
      SkipSpace();
      items.push_back(ParseValue(depth));
      SkipSpace();
      if (!AtEnd() && Peek() == ',') {
        ++pos_;
        continue;
      }
      Expect(']', "',' or ']'");
      return items;
    }
  }

  Value ParseObject(int depth) {
    CheckDepth(depth);
    ++pos_;  // '{'
    Object members;
    SkipSpace();
    if (!AtEnd() && Peek() == '}') {
      ++pos_;
      return members;
    }
    for (;;) {
      SkipSpace();
      if (AtEnd() || Peek() != '"') Fail("expected a member name in double quotes");
      std::string key = ParseString().AsString();
      SkipSpace();
      Expect(':', "':' after a member name");
      SkipSpace();
      members.emplace_back(std::move(key), ParseValue(depth));
      SkipSpace();
      if (!AtEnd() && Peek() == ',') {
        ++pos_;
        continue;
      }
      Expect('}', "',' or '}'");
      return members;
    }
  }

  // Four hex digits at text_[at]; -1 when there are not four.
  long Hex4(std::size_t at) const {
    if (at + 4 > text_.size()) return -1;
    long v = 0;
    for (std::size_t k = 0; k < 4; ++k) {
      const int h = HexDigit(text_[at + k]);
      if (h < 0) return -1;
      v = v * 16 + h;
    }
    return v;
  }

  // After "\u": one code point, or a surrogate pair when "\uDC00".."\uDFFF"
  // follows a high surrogate. A surrogate without its partner is U+FFFD.
  char32_t UnicodeEscape() {
    const long c = Hex4(pos_);
    if (c < 0) FailAt("\\u must be followed by four hex digits", pos_ - 2);
    pos_ += 4;
    if (c >= 0xD800 && c <= 0xDBFF && text_.substr(pos_, 2) == "\\u") {
      const long low = Hex4(pos_ + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        pos_ += 6;
        return 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) +
               (static_cast<char32_t>(low) - 0xDC00);
      }
    }
    if (c >= 0xD800 && c <= 0xDFFF) return 0xFFFD;
    return static_cast<char32_t>(c);
  }

  Value ParseString() {
    const std::size_t open = pos_;
    ++pos_;  // '"'
    std::string s;
    for (;;) {
      const std::size_t run = pos_;
      while (!AtEnd() && Peek() != '"' && Peek() != '\\' &&
             static_cast<unsigned char>(Peek()) >= 0x20) {
        ++pos_;
      }
      s.append(text_.substr(run, pos_ - run));
      if (AtEnd()) FailAt("unterminated string", open);
      const char c = Peek();
      if (c == '"') {
        ++pos_;
        return s;
      }
      if (c != '\\') {
        static constexpr char kHex[] = "0123456789ABCDEF";
        Fail(std::string("control character U+00") + kHex[(c >> 4) & 0xF] + kHex[c & 0xF] +
             " must be escaped in a string");
      }
      ++pos_;
      if (AtEnd()) FailAt("unterminated string", open);
      const char e = Peek();
      ++pos_;
      switch (e) {
        case '"': s += '"'; break;
        case '\\': s += '\\'; break;
        case '/': s += '/'; break;
        case 'b': s += '\b'; break;
        case 'f': s += '\f'; break;
        case 'n': s += '\n'; break;
        case 'r': s += '\r'; break;
        case 't': s += '\t'; break;
        case 'u': utf8::Append(s, UnicodeEscape()); break;
        default: FailAt("invalid escape in a string", pos_ - 2);
      }
    }
  }

  void Digits(const char* what) {
    if (AtEnd() || !IsDigit(Peek())) Fail(std::string("expected a digit ") + what);
    while (!AtEnd() && IsDigit(Peek())) ++pos_;
  }

  Value ParseNumber() {
    const std::size_t start = pos_;
    if (Peek() == '-') ++pos_;
    if (!AtEnd() && Peek() == '0') {
      ++pos_;
      if (!AtEnd() && IsDigit(Peek())) Fail("a number must not have a leading zero");
    } else {
      Digits("in a number");
    }
    if (!AtEnd() && Peek() == '.') {
      ++pos_;
      Digits("after the decimal point");
    }
    if (!AtEnd() && (Peek() == 'e' || Peek() == 'E')) {
      ++pos_;
      if (!AtEnd() && (Peek() == '+' || Peek() == '-')) ++pos_;
      Digits("in the exponent");
    }
    Number n{std::string(text_.substr(start, pos_ - start)), 0.0};
    const char* first = n.text.data();
    const char* last = first + n.text.size();
    const auto r = std::from_chars(first, last, n.value);
    if (r.ec == std::errc::result_out_of_range) {
      const detail::Decimal d = detail::ToDecimal(n.text);
      n.value = d.exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
      if (d.negative) n.value = -n.value;
    }
    return n;
  }

  std::string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace

Value Parse(std::string_view text) { return Parser(text).Document(); }

}  // namespace optics::json
