// The text of a memo: lines separated by CR LF, and the three operations the
// calculations use on it. Display lines are the pieces between CR LF pairs;
// a text that ends in CR LF (or is empty) ends with an empty "bottom line".
// Only CR LF separates lines; a lone CR or LF is an ordinary character.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace optics {

class MemoText {
 public:
  MemoText() = default;
  explicit MemoText(std::string text) : text_(std::move(text)) {}

  // A memo described with these lines: each line followed by CR LF.
  //   {""} -> "\r\n"      {} -> ""      {"a", "b"} -> "a\r\nb\r\n"
  static MemoText FromLines(std::initializer_list<std::string_view> lines);

  const std::string& Text() const { return text_; }

  // Whole-text assignment: when text equals the current text nothing happens
  // (returns false); otherwise the memo holds text.
  bool Replace(std::string_view text);

  // Empties the memo.
  void Clear() {
    text_.clear();
    shown_ = kNotShown;
  }

  // Appends a line S. When the text is empty or ends in CR LF, S + CR LF is
  // added at the end; otherwise CR LF + S is, and the text then no longer
  // ends in CR LF.
  //   "" + "A" -> "A\r\n"    "A\r\n" + "" -> "A\r\n\r\n"
  //   "A\r\n" + "\r\n" -> "A\r\n\r\n\r\n"    "A\r\nB" + "C" -> "A\r\nB\r\nC"
  void Add(std::string_view line);

  // The number of display lines, less one when the last one is empty.
  //   "" -> 0    "\r\n" -> 1    "A\r\nB" -> 2    "A\r\nB\r\n" -> 2
  int LineCount() const;

  // The text as a plain-text widget shows it (LF between lines), and back:
  // every LF the widget holds stands for CR LF. A text made of appends shows
  // as the display texts of its pieces one after the other.
  std::string DisplayText() const { return DisplayTextOf(text_); }
  static std::string DisplayTextOf(std::string_view text);
  static std::string FromDisplayText(std::string_view display);

  // What a window that showed the text at the last MarkShown() still has to
  // show: the text appended since then, or nullopt when anything else
  // changed it (Replace with another text, Clear, a new text assigned) or it
  // was never marked. So the cost of showing an append never depends on what
  // the memo already holds.
  //   MarkShown(); Add("A"); Add("B")  -> "A\r\nB\r\n"
  //   MarkShown()                      -> ""
  //   MarkShown(); Clear(); Add("A")   -> nullopt
  std::optional<std::string_view> AppendedSinceShown() const;
  void MarkShown() { shown_ = text_.size(); }

 private:
  static constexpr std::size_t kNotShown = std::string::npos;
  bool EndsWithLineBreak() const;
  std::string text_;
  std::size_t shown_ = kNotShown;  // the length of the text at MarkShown()
};

}  // namespace optics
