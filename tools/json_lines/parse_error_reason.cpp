#include "json_lines/parse_error_reason.h"

#include <string_view>

namespace optics::json_lines {
namespace {

// What the parser was reading when it stopped.
enum class Context { kValue, kEnd, kKey, kSeparator, kArray, kObject };

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsControl(char c) { return static_cast<unsigned char>(c) < 0x20; }

Context ContextOf(std::string_view what) {
  constexpr std::string_view kWhile = "while parsing ";
  const std::size_t at = what.find(kWhile);
  const std::string_view rest = at == std::string_view::npos ? what : what.substr(at + kWhile.size());
  if (rest.starts_with("object key - ")) return Context::kKey;
  if (rest.starts_with("object separator - ")) return Context::kSeparator;
  if (rest.starts_with("object - ")) return Context::kObject;
  if (rest.starts_with("array - ")) return Context::kArray;
  return what.ends_with("; expected end of input") ? Context::kEnd : Context::kValue;
}

// The scanner's own complaint ("invalid string: ...", "invalid literal"), or
// empty when the token was whole but not the one the parser wanted.
std::string_view ScannerMessage(std::string_view what) {
  const std::size_t dash = what.find(" - ");
  if (dash == std::string_view::npos) return {};
  const std::string_view detail = what.substr(dash + 3);
  if (!detail.starts_with("invalid ")) return {};
  return detail.substr(0, detail.find("; last read: '"));
}

class Reasoner {
 public:
  Reasoner(const PreparedLine& line, std::size_t position, const std::string& last_token,
           std::string_view scanner)
      : line_(line),
        text_(line.text),
        eof_(position > line.text.size()),
        failed_at_(eof_ ? line.text.size() : position - 1),
        scanner_(scanner),
        start_(TokenStart(position, last_token)) {}

  LineError In(Context context) const {
    const bool after_value =
        context == Context::kEnd || context == Context::kArray || context == Context::kObject;
    if (after_value && start_ > 0 && start_ < text_.size() && IsDigit(text_[start_]) &&
        text_[start_ - 1] == '0') {
      return At("a number must not have a leading zero", start_);  // "01": "0", then "1"
    }
    switch (context) {
      case Context::kEnd:
        return At("unexpected text after the value", start_);
      case Context::kArray:
        return At("expected ',' or ']'", start_);
      case Context::kObject:
        return At("expected ',' or '}'", start_);
      case Context::kSeparator:
        return At("expected ':' after a member name", start_);
      case Context::kKey:
        if (scanner_.starts_with("invalid string")) return InString();
        return At("expected a member name in double quotes", start_);
      case Context::kValue:
        if (scanner_.starts_with("invalid string")) return InString();
        if (scanner_.starts_with("invalid number")) return InNumber();
        if (eof_ && scanner_.empty()) return At("unexpected end of text, expected a value", start_);
        return At("expected a value", start_);
    }
    return At("expected a value", start_);
  }

 private:
  LineError At(const std::string& reason, std::size_t at) const {
    return LineError(reason, line_.OriginalOffset(at));
  }

  // Where the offending token starts in text.
  std::size_t TokenStart(std::size_t position, const std::string& last_token) const {
    if (eof_ && scanner_.empty()) return text_.size();  // the end itself
    if (scanner_.starts_with("invalid string") || scanner_.starts_with("invalid number")) {
      // The token read so far, last byte included; only that one can be a
      // control character, which last_token shows as "<U+0001>".
      std::size_t length = last_token.size();
      if (!eof_ && IsControl(text_[failed_at_])) length -= 7;
      return (eof_ ? text_.size() : failed_at_ + 1) - length;
    }
    if (scanner_.starts_with("invalid literal")) return LiteralStart();
    const char last = text_[position - 1];  // a whole token ends here
    if (std::string_view("[]{}:,").find(last) != std::string_view::npos) return position - 1;
    if (last == '"' || IsDigit(last)) return position - last_token.size();
    const bool is_false = position >= 5 && text_.compare(position - 5, 5, "false") == 0;
    return position - (is_false ? 5 : 4);  // else true or null
  }

  // "invalid literal": either a word begun as true, false or null broke off
  // at failed_at_, or the byte there starts no token at all.
  std::size_t LiteralStart() const {
    for (const std::string_view word : {"true", "false", "null"}) {
      for (std::size_t k = 1; k < word.size() && k < failed_at_; ++k) {
        if (text_.compare(failed_at_ - k, k, word.substr(0, k)) == 0) return failed_at_ - k;
      }
    }
    return failed_at_;
  }

  LineError InString() const {
    if (scanner_.find("control character") != std::string_view::npos) {
      static constexpr char kHex[] = "0123456789ABCDEF";
      const auto b = static_cast<unsigned char>(line_.original[line_.OriginalOffset(failed_at_)]);
      return At(std::string("control character U+00") + kHex[b >> 4] + kHex[b & 0xF] +
                    " must be escaped in a string",
                failed_at_);
    }
    if (scanner_.find("'\\u' must be followed") != std::string_view::npos) {
      std::size_t at = failed_at_ - 2;  // the escape's backslash: up to three hex digits back
      while (at > start_ && !(text_[at] == '\\' && text_[at + 1] == 'u')) --at;
      return At("\\u must be followed by four hex digits", at);
    }
    if (scanner_.find("after backslash") != std::string_view::npos && !eof_) {
      return At("invalid escape in a string", failed_at_ - 1);
    }
    return At("unterminated string", start_);  // the end came first
  }

  LineError InNumber() const {
    if (scanner_.find("after '-'") != std::string_view::npos) {
      return At("expected a digit in a number", failed_at_);
    }
    if (scanner_.find("after '.'") != std::string_view::npos) {
      return At("expected a digit after the decimal point", failed_at_);
    }
    return At("expected a digit in the exponent", failed_at_);
  }

  const PreparedLine& line_;
  const std::string& text_;
  bool eof_;
  std::size_t failed_at_;  // the byte the scanner stopped at, or the end
  std::string_view scanner_;
  std::size_t start_;
};

}  // namespace

LineError ParseErrorReason(const PreparedLine& line, std::size_t position,
                           const std::string& last_token, const std::string& what) {
  return Reasoner(line, position, last_token, ScannerMessage(what)).In(ContextOf(what));
}

}  // namespace optics::json_lines
