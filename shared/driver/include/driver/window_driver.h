// Plays what a person does on a calculator window and reads back what the
// person would see: the layout, the texts of edits and memos, the fields,
// the focus and any failure box. Used by the window tests and by the
// calc-drive tool. Needs a running GuardedQApplication and Application.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/application.h"
#include "ui/calculator_window.h"

namespace optics::ui {

struct BoxSnapshot {
  std::string caption;
  std::string text;
  std::string icon;  // "stop", "warning", "information", "question" or "none"
  std::vector<std::string> buttons;
};

struct StateSnapshot {
  std::vector<std::pair<std::string, std::string>> controls;  // edits and memos (CR LF)
  std::vector<std::pair<std::string, double>> fields;          // in declaration order
  std::optional<BoxSnapshot> box;                              // brought up by the last step
  std::string focus;                                           // "" when nothing has focus
};

struct ControlSnapshot {
  std::string name;
  std::string kind;  // "label", "edit", "memo", "button", "richedit"
  form::Rect rect;         // in client-area pixels, as the widget stands
  int font_px = 0;
  std::optional<int> tab;
  bool enabled = true;
  std::string text;
};

class WindowDriver {
 public:
  // Creates the program's window fresh, in its start state, shown at its
  // designed place; the application title becomes the program's name.
  WindowDriver(Application& app, const form::ProgramEntry& program);
  ~WindowDriver();

  // Each step throws std::invalid_argument for a control that does not exist
  // or does not take that step.
  void Set(const std::string& control, const std::string& text);  // focus, replace all text
  void Click(const std::string& button);                          // a real mouse click
  void Key(const std::string& key);  // "Enter", "Tab", "Shift+Tab", "Escape" to the focus

  std::string Caption() const;
  form::Rect WindowRect() const;  // outer rectangle on the screen
  std::vector<ControlSnapshot> Layout() const;
  StateSnapshot State() const;

  CalculatorWindow& Window() { return *window_; }
  const CalculatorWindow& Window() const { return *window_; }

 private:
  void BeginStep();

  Application& app_;
  std::unique_ptr<form::FormModel> form_;
  std::unique_ptr<CalculatorWindow> window_;
  std::optional<BoxSnapshot> box_;
};

// Keeps Qt's notes about window-manager requests that the offscreen platform
// cannot honour (and about a missing runtime directory) out of the output;
// every other message still goes to stderr.
void InstallQuietOffscreenMessages();

}  // namespace optics::ui
