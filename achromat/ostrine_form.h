// Ostrine's form: the achromat window's texts, memo and fields, and its
// click handler, as plain C++.
#pragma once

#include <string>

#include "memo/memo_text.h"
#include "numeric/extended.h"
#include "form/form_binding.h"

namespace optics::ostrine::inline OPTICAL_EXTENDED_NAMESPACE {

class OstrineForm : public form::FormModel {
 public:
  // Fields, zero at creation, in declaration order.
  Double nC1, nd1, nF1, nC2, nd2, nF2;
  Double nu1, nu2, phi1, phi2;
  Double P1, P2, Q1, Q2, W;
  Double qa, qb, qc;
  Double c1a, c1b, c2a, c2b;
  Double r1, r2, r3, r4, r1B, r2B, r3B, r4B;

  std::string Edit1, Edit2, Edit3, Edit4, Edit5, Edit6;
  MemoText Memo1;

  // Reads the C-, d- and F-line indices of both glasses, computes the radii
  // of both solutions of the thin achromat of unit focal length, and only
  // then appends the fourteen display lines of the two solutions to Memo1.
  void Button1Click();

  const form::FormDescription& Description() const override;
  form::FormBinding Bind() override;
};

std::unique_ptr<form::FormModel> MakeOstrineForm();

}  // namespace optics::ostrine::inline OPTICAL_EXTENDED_NAMESPACE
