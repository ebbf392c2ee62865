// What a calculation shares with its window: the edit texts and memo texts
// it reads and writes, its click handlers, and its double fields. A program's
// form is plain C++ that runs without a window; the window copies the
// widgets' texts in before a click and shows what the handler wrote after it.
//
// A binding holds the back end's Double, so it lives in the back end's inline
// namespace (numeric/extended.h), as do the programs' forms and constants: a
// benchmark can link one calculation built on each back end into one program.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "memo/memo_text.h"
#include "numeric/extended.h"
#include "form/form_description.h"

namespace optics::form::inline OPTICAL_EXTENDED_NAMESPACE {

struct FormBinding {
  std::vector<std::pair<std::string, std::string*>> edits;
  std::vector<std::pair<std::string, MemoText*>> memos;
  std::vector<std::pair<std::string, std::function<void()>>> buttons;
  std::vector<std::pair<std::string, const Double*>> fields;  // in declaration order
};

// A program's form: its description and its state.
class FormModel {
 public:
  virtual ~FormModel() = default;
  virtual const FormDescription& Description() const = 0;
  virtual FormBinding Bind() = 0;
};

// The programs that a process can create, by name.
struct ProgramEntry {
  const char* name;
  std::unique_ptr<FormModel> (*make)();
};

}  // namespace optics::form::inline OPTICAL_EXTENDED_NAMESPACE

namespace optics::form::inline OPTICAL_EXTENDED_NAMESPACE {

// Puts the initial contents of the description into the bound edit texts and
// memos, as the window shows them at start.
inline void LoadInitialContents(FormModel& model) {
  const FormDescription& d = model.Description();
  FormBinding b = model.Bind();
  for (auto& [name, text] : b.edits) {
    if (const ControlDescription* c = d.Find(name)) *text = InitialText(*c);
  }
  for (auto& [name, memo] : b.memos) {
    if (const ControlDescription* c = d.Find(name)) *memo = MemoText(InitialText(*c));
  }
}

}  // namespace optics::form::inline OPTICAL_EXTENDED_NAMESPACE
