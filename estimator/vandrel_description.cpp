// Vandrel's window as data, and what its form shares with it.
#include "vandrel_form.h"

namespace optics::vandrel::inline OPTICAL_EXTENDED_NAMESPACE {

using form::ControlKind;

const form::FormDescription& VandrelForm::Description() const {
  static const form::FormDescription form{
      .caption = "Vandrel",
      .outer = {325, 128, 499, 531},
      .font_px = 12,
      .controls = {
          // name, kind, {left, top, width, height}, font height, tab order, contents,
          // enabled, accessible name, accessible description
          {"Edit1", ControlKind::Edit, {80, 60, 125, 28}, 20, 0, {"1.51633"}, true,
           "nd =", "d線屈折率"},
          {"Label1", ControlKind::Label, {24, 60, 49, 27}, 27, {}, {"nd ="}},
          {"Edit2", ControlKind::Edit, {354, 62, 85, 28}, 20, 1, {"64.15"}, true,
           "Vd =", "アッベ数"},
          {"Label2", ControlKind::Label, {294, 64, 52, 27}, 27, {}, {"Vd ="}},
          {"Memo1", ControlKind::Memo, {56, 308, 383, 145}, 20, 2, {""}, true,
           "計算結果", "C線、F線、g線の屈折率 nC, nF, ng"},
          {"Button1", ControlKind::Button, {338, 232, 103, 43}, 20, 3, {"計算"}, true,
           "屈折率を計算", "nd と Vd から nC, nF, ng を推定します"},
          {"RichEdit1", ControlKind::RichEdit, {58, 116, 265, 157}, 0, 4,
           {"計算式（Morvid著\u3000レンズの設計技法より）",
            "ｘ=Vd/100;",
            "x2=x*x;",
            "delta_n:=(nd-1)/Vd;",
            "Ａ=0.203995*x2 - 0.43812111*x + 1.4200468015;",
            "B=0.020895*x2 - 0.07171799*x +\u30000.7293063116;",
            "ng=nd+A*delta_n;",
            "nF=nd+B*delta_n;",
            "nC=nF-delta_n;",
            ""},
           false, "計算式"},
          {"Label3", ControlKind::Label, {30, 16, 386, 15}, 15, {},
           {"d線屈折率とアッベ数を入力して、計算ボタンを押してください。"}},
      }};
  return form;
}

form::FormBinding VandrelForm::Bind() {
  return {
      .edits = {{"Edit1", &Edit1}, {"Edit2", &Edit2}},
      .memos = {{"Memo1", &Memo1}},
      .buttons = {{"Button1", [this] { Button1Click(); }}},
      .fields = {{"nd", &nd}, {"nC", &nC}, {"nF", &nF},
                 {"ng", &ng}, {"Vd", &Vd}, {"x", &x},
                 {"x2", &x2}, {"delta_n", &delta_n}, {"A", &A},
                 {"B", &B}},
  };
}

std::unique_ptr<form::FormModel> MakeVandrelForm() { return std::make_unique<VandrelForm>(); }

}  // namespace optics::vandrel::inline OPTICAL_EXTENDED_NAMESPACE
