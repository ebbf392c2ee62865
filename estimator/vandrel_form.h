// Vandrel's form: the estimator window's texts, memo and fields, and its
// click handler, as plain C++.
#pragma once

#include <string>

#include "form/form_binding.h"
#include "memo/memo_text.h"
#include "numeric/extended.h"

namespace optics::vandrel::inline OPTICAL_EXTENDED_NAMESPACE {

class VandrelForm : public form::FormModel {
 public:
  // Fields, zero at creation, in declaration order. They keep the values of
  // the last calculation, also of one that stopped halfway.
  Double nd, nC, nF, ng, Vd, x, x2, delta_n, A, B;

  std::string Edit1;  // nd
  std::string Edit2;  // Vd
  MemoText Memo1;     // the results

  // Reads the Abbe number from Edit2 first, then the d-line index from
  // Edit1, computes the C-, F- and g-line indices by an empirical quadratic
  // in x = Vd / 100, storing every step in its field, and makes
  //   "nC = <nC>\r\nnF = <nF>\r\nng = <ng>\r\n"
  // (FloatToStr digits) the whole text of Memo1. A failure (EConvertError,
  // EZeroDivide, EInvalidOp, EOverflow) leaves the fields assigned before it,
  // and Memo1 keeps its text.
  //   Edit2 "64.15", Edit1 "1.51633" -> "nC = 1.51385015094625\r\n"
  //                                     "nF = 1.52189894284025\r\n"
  //                                     "ng = 1.52617319431426\r\n"
  void Button1Click();

  const form::FormDescription& Description() const override;
  form::FormBinding Bind() override;
};

std::unique_ptr<form::FormModel> MakeVandrelForm();

}  // namespace optics::vandrel::inline OPTICAL_EXTENDED_NAMESPACE
