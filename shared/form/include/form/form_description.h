// A window as data: caption, outer rectangle and font, and per control its
// name, kind, rectangle in client-area pixels, font height, tab order and
// initial contents, and what a screen reader announces for it. Pixels are designed at 96 pixels per inch; font heights
// are character heights in pixels. No Qt here: the descriptions are plain data
// that a program's window file states like a table.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace optics::form {

enum class ControlKind { Label, Edit, Memo, Button, RichEdit };

struct Rect {
  int left = 0, top = 0, width = 0, height = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

struct ControlDescription {
  std::string name;
  ControlKind kind = ControlKind::Label;
  Rect rect;
  int font_px = 0;                // 0: the window's font
  std::optional<int> tab_order;   // only for controls that take focus
  std::vector<std::string> lines; // a memo's or rich-text box's initial lines;
                                  // the single caption or text of the others
  bool enabled = true;
  // What assistive technology announces for the control, where its own text
  // does not say it (empty: the toolkit's default, such as a button's
  // caption): an edit is named by the label beside it, a memo by what it
  // holds, a button by what it computes. Never shown on screen.
  //   Ostrine's Edit1 -> name "硝材\u30001 nC=", description "硝材1のC線屈折率"
  std::string accessible_name{};
  std::string accessible_description{};
};

struct FormDescription {
  std::string caption;
  Rect outer;                     // position and outer size on the screen
  int font_px = 12;
  std::vector<ControlDescription> controls;  // in declaration order

  const ControlDescription* Find(std::string_view name) const {
    for (const auto& c : controls) {
      if (c.name == name) return &c;
    }
    return nullptr;
  }
};

// The initial text of a control: a memo's lines each followed by CR LF, the
// caption or text of the others.
inline std::string InitialText(const ControlDescription& c) {
  if (c.kind == ControlKind::Memo || c.kind == ControlKind::RichEdit) {
    std::string text;
    for (const auto& line : c.lines) text += line + "\r\n";
    return text;
  }
  return c.lines.empty() ? std::string() : c.lines.front();
}

}  // namespace optics::form
