// The upper button of Corvale: the conic constants of both mirrors by three
// formula sets (Vostral, Teskar, Quimbe).
#include "corvale_form.h"
#include "numeric/decimal.h"
#include "numeric/power.h"

namespace optics::corvale::inline OPTICAL_EXTENDED_NAMESPACE {

void CorvaleForm::Button1Click() {
  R1 = StrToFloat(Edit1);
  R2 = StrToFloat(Edit2);
  d = StrToFloat(Edit3);
  f = StrToFloat(Edit4);
  BFL = StrToFloat(Edit5);
  h1 = StrToFloat(Edit9);
  h2 = StrToFloat(Edit10);
  h3 = StrToFloat(Edit11);
  u2 = StrToFloat(Edit12);
  u3 = StrToFloat(Edit13);

  // Formula set 1; s is formed afresh wherever it is used.
  const auto s = [this] { return 1 - (2 * d) / R1; };
  conicP1 = -(Power(R1, 3) / (Power(f, 2) * (4 * d))) * s();
  conicS1 = -(Power(R2, 3) / (Power(s(), 3) * ((R1 * R1) * d))) +
            (R2 / (R1 * d)) * (((4 * d - R1) + 2 * R2) / s());

  Memo1.Clear();
  Memo1.Add("Vostralの式");
  Memo1.Add("主鏡の円錐係数 = " + F7(conicP1));
  Memo1.Add("副鏡の円錐係数 = " + F7(conicS1));

  // Formula set 2.
  Double f1, k, m;
  f1 = R1 / 2;
  k = d / f1;
  m = -f / f1;
  conicP2 = ((k - 1) * 2) / (Power(m, 2) * k);
  Extended t = -((Power(m + 1, 2) * k) * (m - 1) + 2 * m);
  conicS2 = t / (Power(m - 1, 3) * k) + 1;

  Memo1.Add("");
  Memo1.Add("Teskarの式");
  Memo1.Add("主鏡の円錐係数 = " + F7(conicP2));
  Memo1.Add("副鏡の円錐係数 = " + F7(conicS2));

  // Formula set 3; q = h3 / h1 is formed afresh wherever it is used.
  const auto q = [this] { return h3 / h1; };
  conicP3 = (((m * h3) / h1 + 1) / (1 - q())) / Power(m, 3) * (-2);
  t = (4 * m) / Power(m - 1, 2);
  conicS3 = -(((m + 1) * 2) / (Power(m - 1, 3) * (1 - q())) + t);

  Memo1.Add("");
  Memo1.Add("Quimbeの式");
  Memo1.Add("主鏡の円錐係数 = " + F7(conicP3));
  Memo1.Add("副鏡の円錐係数 = " + F7(conicS3));

  Edit7 = F7(conicP1);
  Edit8 = F7(conicS1);
}

}  // namespace optics::corvale::inline OPTICAL_EXTENDED_NAMESPACE
