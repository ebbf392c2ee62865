// Corvale's form: the Ritchey–Chrétien window's texts, memos and fields, and
// its two click handlers, as plain C++.
#pragma once

#include <string>

#include "memo/memo_text.h"
#include "numeric/decimal.h"
#include "numeric/extended.h"
#include "form/form_binding.h"

namespace optics::corvale::inline OPTICAL_EXTENDED_NAMESPACE {

// Every number Corvale shows: general format with 7 significant digits.
inline std::string F7(Extended v) { return FloatToStrF(v, FloatFormat::ffGeneral, 7, 6); }

class CorvaleForm : public form::FormModel {
 public:
  // Fields, zero at creation, in declaration order.
  Double R1, R2, d, f, BFL, u2, u3, h1, h2, h3;
  Double conicP1, conicS1, conicP2, conicS2, conicP3, conicS3;
  Double coefP1, coefP2, coefP3, coefP4, coefS1, coefS2, coefS3, coefS4;

  std::string Edit1, Edit2, Edit3, Edit4, Edit5, Edit7, Edit8, Edit9, Edit10, Edit11, Edit12,
      Edit13;
  MemoText Memo1, Memo2, Memo3;

  // The upper button: reads the ten layout and paraxial values, computes the
  // conic constants by the three formula sets, lists them in Memo1 block by
  // block, and only when all three succeeded writes set 1's pair as 7-digit
  // texts into Edit7 and Edit8.
  void Button1Click();

  // The lower button: converts the conic constants in Edit7 and Edit8 into
  // the polynomial coefficients of both mirrors, with the radii R1 and R2 of
  // the last run of the upper button, and lists them in Memo2.
  void Button2Click();

  const form::FormDescription& Description() const override;
  form::FormBinding Bind() override;
};

std::unique_ptr<form::FormModel> MakeCorvaleForm();

}  // namespace optics::corvale::inline OPTICAL_EXTENDED_NAMESPACE
