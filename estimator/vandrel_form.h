// Vandrel's form: the estimator window's texts, memo and fields, and its
// click handler, as plain C++.
#pragma once

#include <string>

#include "dispersion.h"
#include "memo/memo_text.h"
#include "ui/form_binding.h"

namespace optics::vandrel {

class VandrelForm : public ui::FormModel {
 public:
  DispersionFields fields;
  std::string Edit1;  // nd
  std::string Edit2;  // Vd
  MemoText Memo1;     // the results

  // Estimates from Edit2 (read first) and Edit1 and makes the result the
  // whole text of Memo1; after a failure Memo1 keeps its text.
  void Button1Click();

  const ui::FormDescription& Description() const override;
  ui::FormBinding Bind() override;
};

std::unique_ptr<ui::FormModel> MakeVandrelForm();

}  // namespace optics::vandrel
