#include "memo/memo_text.h"

namespace optics {

MemoText MemoText::FromLines(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (std::string_view line : lines) {
    text += line;
    text += "\r\n";
  }
  return MemoText(std::move(text));
}

bool MemoText::Replace(std::string_view text) {
  if (text == text_) return false;
  text_.assign(text);
  shown_ = kNotShown;
  return true;
}

std::optional<std::string_view> MemoText::AppendedSinceShown() const {
  if (shown_ == kNotShown || shown_ > text_.size()) return std::nullopt;
  return std::string_view(text_).substr(shown_);
}

bool MemoText::EndsWithLineBreak() const { return std::string_view(text_).ends_with("\r\n"); }

void MemoText::Add(std::string_view line) {
  if (text_.empty() || EndsWithLineBreak()) {
    text_ += line;
    text_ += "\r\n";
  } else {
    text_ += "\r\n";
    text_ += line;
  }
}

int MemoText::LineCount() const {
  int breaks = 0;
  for (std::size_t i = text_.find("\r\n"); i != std::string::npos; i = text_.find("\r\n", i + 2)) {
    ++breaks;
  }
  const int display_lines = breaks + 1;
  return (text_.empty() || EndsWithLineBreak()) ? display_lines - 1 : display_lines;
}

std::string MemoText::DisplayTextOf(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  return out;
}

std::string MemoText::FromDisplayText(std::string_view display) {
  std::string out;
  out.reserve(display.size() + display.size() / 16);
  for (char c : display) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

}  // namespace optics
